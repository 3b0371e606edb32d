// The mesh update's simulated sides: the CRC the processor checks against,
// and the VEXLINK_SIM option that gives a module its side.
#include "sim/models/mesh_update_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sim/models/hid_model.h"
#include "sim/sim_env.h"

namespace {

TEST(MeshUpdateModelTest, ProcessorChecksCrc16Xmodem) {
  const std::string check = "123456789";
  const std::vector<std::uint8_t> bytes(check.begin(), check.end());
  EXPECT_EQ(sim::xmodem_crc(bytes), 0x31C3);
  // continued over a second part as over the whole
  EXPECT_EQ(sim::xmodem_crc(std::span(bytes).subspan(4), sim::xmodem_crc(std::span(bytes).first(4))), 0x31C3);
}

TEST(MeshUpdateModelTest, VexlinkSimOption) {
  std::string error;
  auto model = std::dynamic_pointer_cast<sim::HidModel>(sim::make_model("hid:0x6010,meshupdate,mesh=0x3120", error));
  ASSERT_TRUE(model) << error;
  EXPECT_NE(model->mesh_module(), nullptr);
  model = std::dynamic_pointer_cast<sim::HidModel>(sim::make_model("hid:0x6010", error));
  ASSERT_TRUE(model) << error;
  EXPECT_EQ(model->mesh_module(), nullptr);
}

}  // namespace
