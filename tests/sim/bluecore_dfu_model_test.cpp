#include "sim/models/bluecore_dfu_model.h"

#include <gtest/gtest.h>
#include <usb.h>

#include <chrono>
#include <memory>
#include <vector>

#include "sim/bus.h"
#include "support/bus_fixture.h"
#include "transport/dfu_requests.h"
#include "transport/hid_channel.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

class BlueCoreDfuModelTest : public test_support::BusFixture {
 public:
  void TearDown() override {
    close();
    hid_close_all();
    BusFixture::TearDown();
  }
  // Opens the one DFU device on the bus (interface 0 claimed) and resets it.
  bool open() {
    close();
    return dfu_open_device(0, &m_handle, 1) == 1;
  }
  void close() { dfu_close_handles(&m_handle, 1); }
  int state(int interface_number) {
    dfu_status status{};
    return dfu_get_status(m_handle, interface_number, &status) == 6 ? status.bState : -1;
  }
  std::uint16_t product_id() {
    const std::vector<sim::BusDevice> devices = sim::devices();
    return devices.size() == 1 ? devices[0].identity.descriptor.product_id : 0;
  }

  usb_dev_handle* m_handle = nullptr;
};

TEST_F(BlueCoreDfuModelTest, OneDeviceFromHidThroughDownloadAndDfuModeBackToNormalMode) {
  auto device = attach(std::make_shared<sim::BlueCoreDfuModel>(sim::bluecore_dfu_fixture_6020(12)));
  ASSERT_EQ(product_id(), 0x6020);

  // command 0x0E: the HID device leaves, its download mode arrives
  std::uint32_t opened = 0;
  transport_message message{};
  ASSERT_EQ(hid_open_device(opened, message), 0);
  hid_cmd_report request{};
  request[0] = 1;
  request[1] = 0x0E;
  hid_status_report reply{};
  EXPECT_EQ(hid_long_command(0, request, reply), 1);
  hid_close_all();
  clock().advance(2100ms);
  ASSERT_EQ(product_id(), 0x6021);
  EXPECT_EQ(device->phase(), sim::BlueCoreDfuPhase::download_mode);

  // the run-time interface (1): a reset in appIDLE changes nothing, DETACH then reset re-enumerates
  ASSERT_TRUE(open());
  EXPECT_EQ(state(1), 0);
  EXPECT_EQ(usb_reset(m_handle), 0);
  clock().advance(2s);
  EXPECT_EQ(product_id(), 0x6021);
  ASSERT_TRUE(open());
  EXPECT_EQ(dfu_detach(m_handle, 1), 0);
  EXPECT_EQ(state(1), 1);
  EXPECT_EQ(usb_reset(m_handle), 0);
  close();
  clock().advance(1500ms);
  ASSERT_EQ(product_id(), 0xE020);
  EXPECT_EQ(sim::devices()[0].identity.descriptor.device_class, 0xFE);

  // the lenient boot loader: a block may follow a block, blocks of 1024 are refused
  ASSERT_TRUE(open());
  EXPECT_EQ(state(0), 2);
  const Bytes first(1023, 0x5A);
  const Bytes second = {1, 2, 3};
  EXPECT_EQ(dfu_download(m_handle, 0, 0, first.data(), 1023), 1023);
  EXPECT_LT(dfu_download(m_handle, 0, 1, Bytes(1024).data(), 1024), 0);
  EXPECT_EQ(dfu_download(m_handle, 0, 1, second.data(), 3), 3);
  dfu_status status{};
  ASSERT_EQ(dfu_get_status(m_handle, 0, &status), 6);
  EXPECT_EQ(status.bState, 5);
  EXPECT_EQ(dfu_poll_timeout_ms(status), 1500u) << "the manifestation it announces";
  EXPECT_EQ(dfu_clear_status(m_handle, 0), 0);
  EXPECT_EQ(dfu_request_7(m_handle, 0), 0);
  EXPECT_EQ(dfu_download(m_handle, 0, 2, nullptr, 0), 0);
  close();
  Bytes image = first;
  image.insert(image.end(), second.begin(), second.end());
  EXPECT_EQ(device->image(), image);
  EXPECT_EQ(device->final_block_number(), 2);
  EXPECT_EQ(device->request_7_count(), 1);

  // manifestation, then normal mode: HID beside a run-time DFU interface
  clock().advance(3s);
  EXPECT_TRUE(sim::devices().empty());
  clock().advance(5s);
  ASSERT_EQ(product_id(), 0x6020);
  const sim::Identity back = sim::devices()[0].identity;
  EXPECT_EQ(back.hid.size(), 1u);
  ASSERT_TRUE(back.dfu);
  EXPECT_TRUE(back.dfu->run_time);
  EXPECT_EQ(hid_open_device(opened, message), 0) << "the HID device answers again";
  device->take_received();
}

}  // namespace
