#include "recognition/second_module.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "recognition/settings_read.h"
#include "session/app_state.h"
#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"
#include "support/hid_requests.h"

namespace {

using namespace std::chrono_literals;
using test_support::commands_received;

struct Version {
  int major, minor, type, number;
  bool operator==(const Version&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Version& v) {
  return out << v.major << "." << v.minor << "." << v.type << "." << v.number;
}

Version main_of(const FEXOBluetoothDeviceData& record) {
  return {record.deviceVersionMajor(), record.deviceVersionMinor(), record.deviceSecondaryVersionType(),
          record.deviceSecondaryVersion()};
}
Version module_1_of(const FEXOBluetoothDeviceData& record) {
  return {record.deviceVersionMajor01(), record.deviceVersionMinor01(), record.deviceSecondaryVersionType01(),
          record.deviceSecondaryVersion01()};
}
Version module_2_of(const FEXOBluetoothDeviceData& record) {
  return {record.deviceVersionMajor02(), record.deviceVersionMinor02(), record.deviceSecondaryVersionType02(),
          record.deviceSecondaryVersion02()};
}

// Values the step never writes by itself, so "untouched" shows.
constexpr Version k_untouched{9, 9, 9, 9};

class SecondModuleTest : public test_support::BusFixture {
 protected:
  void TearDown() override {
    hid_close_all();
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::HidModel> plug(sim::HidModelOptions options) {
    return attach(std::make_shared<sim::HidModel>(std::move(options)));
  }

  // Opens `product_id` into slot 0 as the worker's open did, whatever the open filter says.
  void open_main_unit(std::uint16_t product_id) {
    ASSERT_EQ(transport::hid_open_into_slot_for_test(0, product_id), 0);
    m_opened_product_id = product_id;
  }

  // The step for `product_id` with the main version `main` in the record.
  void read_versions(std::uint32_t product_id, Version main) {
    FEXOBluetoothDeviceData& record = m_controller.data();
    record.setDeviceVersionMajor_Minor(main.major, main.minor);
    record.setDeviceSecondaryVersionType(main.type);
    record.setDeviceSecondaryVersion(main.number);
    record.setDeviceVersion01Major_Minor(k_untouched.major, k_untouched.minor);
    record.setDeviceSecondaryVersionType01(k_untouched.type);
    record.setDeviceSecondaryVersion01(k_untouched.number);
    record.setDeviceVersion02Major_Minor(k_untouched.major, k_untouched.minor);
    record.setDeviceSecondaryVersionType02(k_untouched.type);
    record.setDeviceSecondaryVersion02(k_untouched.number);
    testing::internal::CaptureStdout();
    recognition::read_second_module_versions(product_id, record, buffers(), {m_opened_product_id, m_message});
    m_log = testing::internal::GetCapturedStdout();
  }

  recognition::HidBuffers buffers() { return {m_request, m_reply, m_lang_request, m_lang_reply}; }
  const FEXOBluetoothDeviceData& record() const { return m_controller.data(); }
  bool logged(const std::string& line) const { return m_log.find(line) != std::string::npos; }

  session::AppState m_controller;
  hid_cmd_report m_request{};
  hid_status_report m_reply{};
  lang_pack_report m_lang_request{};
  lang_pack_reply m_lang_reply{};
  std::uint32_t m_opened_product_id = 0;
  transport_message m_message{};
  std::string m_log;
};

TEST_F(SecondModuleTest, QccMeshUnitGivesModuleTwoAndTheMainUnitGetsNormalMode) {
  auto device = plug(sim::hid_fixture_5552());
  open_main_unit(0x5552);
  const auto start = clock().elapsed();

  read_versions(0x5552, {1, 6, 0, 0});

  EXPECT_EQ(module_1_of(record()), (Version{1, 6, 0, 0}));
  EXPECT_EQ(module_2_of(record()), (Version{1, 4, 0, 2}));
  EXPECT_EQ(main_of(record()), (Version{1, 6, 0, 0}));
  // the switch; the mesh unit's short status and version exchanges; normal mode once the main unit is back
  const auto reports = device->take_output_reports();
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_EQ(reports[0].size(), 1023u);
  EXPECT_EQ(reports[0][1], 0x0F);
  EXPECT_EQ(reports[1].size(), 65u);
  EXPECT_EQ(reports[1][1], 0x00);
  EXPECT_EQ(reports[2].size(), 65u);
  EXPECT_EQ(reports[2][1], 0x01);
  EXPECT_EQ(reports[3].size(), 1023u);
  EXPECT_EQ(reports[3][1], 0x10);
  EXPECT_FALSE(device->in_mesh_mode());
  EXPECT_EQ(m_opened_product_id, 0x5552u);
  EXPECT_EQ(clock().elapsed() - start, 2s);
  EXPECT_TRUE(logged("-----Mesh handle open success"));
  EXPECT_TRUE(logged("KR9, KR9r, dk5x version = 1.6.0.0 mesh ver 1.4.0.2"));
}

// Mesh switches whose unit never shows up: 20 tries 1 s apart after the 2 s
// wait, module 2 keeps what it held, and the main unit is reopened. Group Q
// still sends normal mode to it; groups P and A never do.
TEST_F(SecondModuleTest, AMeshUnitThatNeverAppearsLeavesModuleTwo) {
  struct Case {
    const char* name;
    sim::HidModelOptions options;
    std::vector<int> commands;
    const char* log;
  };
  sim::HidModelOptions qcc = sim::hid_fixture_5552();
  qcc.mesh->never_appears = true;
  sim::HidModelOptions processor = sim::hid_fixture_3110();
  processor.mesh->never_appears = true;
  sim::HidModelOptions airoha = sim::hid_fixture_3210();
  airoha.mesh->never_appears = true;
  const Case cases[] = {
      {"group Q", qcc, {0x0F, 0x10}, "-----Mesh handle open fail"},
      {"group P", processor, {0x50}, "-----Mesh Error"},
      {"group A", airoha, {0x50}, "-----Mesh Error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.options);
    open_main_unit(c.options.product_id);
    const auto start = clock().elapsed();
    read_versions(c.options.product_id, {2, 1, 0, 0});
    EXPECT_EQ(clock().elapsed() - start, 22s);
    EXPECT_EQ(module_1_of(record()), (Version{2, 1, 0, 0}));
    EXPECT_EQ(module_2_of(record()), k_untouched);
    EXPECT_EQ(commands_received(*device), c.commands);
    EXPECT_TRUE(logged(c.log));
    hid_close_all();
    sim::detach(*device);
  }
}

TEST_F(SecondModuleTest, MeshProcessorAndAirohaMeshUnitGiveModuleTwoWithoutNormalMode) {
  // the mesh processor appears beside the ND4 and answers the version command
  auto nd4 = plug(sim::hid_fixture_3110());
  open_main_unit(0x3110);
  read_versions(0x3110, {2, 1, 0, 0});
  EXPECT_EQ(module_2_of(record()), (Version{1, 2, 0, 5}));
  EXPECT_EQ(main_of(record()), (Version{2, 1, 0, 0}));
  EXPECT_EQ(commands_received(*nd4), std::vector<int>{0x50});
  ASSERT_NE(nd4->mesh_processor(), nullptr);
  EXPECT_EQ(commands_received(*nd4->mesh_processor()), std::vector<int>{0x01});
  EXPECT_TRUE(logged("ND4 version = 2.1.0.0"));
  hid_close_all();
  sim::detach(*nd4);
  sim::detach(*nd4->mesh_processor());

  // the Airoha mesh unit takes the WQ8's place and tells its version over the language-pack channel
  auto wq8 = plug(sim::hid_fixture_3210());
  open_main_unit(0x3210);
  read_versions(0x3210, {2, 2, 0, 0});
  EXPECT_EQ(module_2_of(record()), (Version{3, 0, 2, 1}));
  EXPECT_EQ(commands_received(*wq8), (std::vector<int>{0x50, 0x101}));
  EXPECT_FALSE(wq8->in_mesh_mode()) << "closing the mesh unit brought the main unit back";
  EXPECT_TRUE(logged("WQ8V2 version = 2.2.0.0"));
}

// The second HID unit tells module 2; the main version becomes the older of
// the two units' versions.
TEST_F(SecondModuleTest, SecondUnitVersionAndTheOlderUnitAsMain) {
  struct Case {
    const char* name;
    std::uint32_t product;
    std::optional<sim::HidVersion> second_unit;  // none: slot 1 holds no unit
    Version main_before;
    Version module_2;
    Version main_after;
  };
  const Case cases[] = {
      {"older second unit", 0x4210, sim::HidVersion{1, 4, 0, 0}, {1, 5, 0, 0}, {1, 4, 0, 0}, {1, 4, 0, 0}},
      {"newer second unit", 0x4210, sim::HidVersion{1, 6, 0, 3}, {1, 5, 0, 0}, {1, 6, 0, 3}, {1, 5, 0, 0}},
      // a failing slot 1 reads as 1.0, which every real version is newer than
      {"failing slot 1", 0x4310, std::nullopt, {1, 5, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}},
      // the paired unit's secondary type is always 2, its number reply byte 5
      {"paired unit", 0x5345, sim::HidVersion{2, 3, 9, 1}, {2, 4, 2, 0}, {2, 3, 2, 9}, {2, 3, 2, 9}},
      {"paired unit failing", 0x5345, std::nullopt, {2, 4, 2, 0}, {1, 0, 2, 0}, {1, 0, 2, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions main_options = sim::hid_fixture_4210();
    main_options.product_id = static_cast<std::uint16_t>(c.product);
    auto main_unit = plug(main_options);
    open_main_unit(main_options.product_id);
    std::shared_ptr<sim::HidModel> second;
    if (c.second_unit) {
      sim::HidModelOptions second_options = sim::hid_fixture_4210_second_unit();
      second_options.version = *c.second_unit;
      second = plug(second_options);
      ASSERT_EQ(transport::hid_open_into_slot_for_test(1, second_options.product_id), 0);
    }
    read_versions(c.product, c.main_before);
    EXPECT_EQ(module_1_of(record()), c.main_before);
    EXPECT_EQ(module_2_of(record()), c.module_2);
    EXPECT_EQ(main_of(record()), c.main_after);
    EXPECT_TRUE(commands_received(*main_unit).empty());
    if (second) {
      EXPECT_EQ(commands_received(*second), std::vector<int>{0x01});
      sim::detach(*second);
    }
    hid_close_all();
    sim::detach(*main_unit);
  }
}

TEST_F(SecondModuleTest, PlusWeaveAndOtherProductsLeaveModuleTwo) {
  struct Case {
    std::uint32_t product;
    Version module_1;
  };
  const Case cases[] = {{0x3500, {3, 1, 0, 0}}, {0x3550, {3, 1, 0, 0}}, {0x6020, k_untouched}, {0x6800, k_untouched}};
  auto device = plug(sim::hid_fixture_6020());
  open_main_unit(0x6020);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    read_versions(c.product, {3, 1, 0, 0});
    EXPECT_EQ(module_1_of(record()), c.module_1);
    EXPECT_EQ(module_2_of(record()), k_untouched);
    EXPECT_EQ(main_of(record()), (Version{3, 1, 0, 0}));
  }
  EXPECT_TRUE(commands_received(*device).empty());
}

// A device that leaves for its mesh unit and never comes back: the reopen of
// the main unit fails, and every exchange after it fails on the empty slot
// without reaching hidapi, so the settings read stores its failure defaults.
TEST_F(SecondModuleTest, ADeviceThatNeverReturnsLeavesTheSettingsReadItsDefaults) {
  sim::HidModelOptions options = sim::hid_fixture_5552();
  options.faults.never_return = true;
  auto device = plug(options);
  open_main_unit(0x5552);
  read_versions(0x5552, {1, 6, 0, 0});
  EXPECT_EQ(module_2_of(record()), k_untouched);
  EXPECT_EQ(commands_received(*device), std::vector<int>{0x0F});
  EXPECT_EQ(transport::hid_last_error(0).failure, transport::HidFailure::not_open);
  EXPECT_TRUE(logged("KR9 COMMAND_MESH_NORMAL_MODE"));

  FEXOBluetoothDeviceData& data = m_controller.data();
  data.setBasicSetting20At_with(1, 0x7777);
  data.setBdAddress(std::string("before"));
  recognition::SettingsBlocks blocks(buffers());
  testing::internal::CaptureStdout();
  recognition::read_settings(blocks, 0x5552, m_controller, std::nullopt);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(data.bdAddress(), "");
  EXPECT_EQ(data.basicSettingLM6(1), 0x0020);
  EXPECT_EQ(data.handsfreeVOX(), 1);
  EXPECT_EQ(data.intercomVOX(), 0);
  EXPECT_EQ(data.fmRadioMagicCode(), 0x56E9);
  EXPECT_EQ(data.speedDialAt(0), "");
  EXPECT_EQ(transport::hid_last_error(0).failure, transport::HidFailure::not_open);
}

}  // namespace
