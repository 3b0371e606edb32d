// The BlueCore USB DFU update of 0x6020 on the real libraries: the command
// that sends it into download mode over hidapi, its persistent store read
// with BCCMD over libusb-1.0, the DETACH, the port reset and the download in
// firmware-management mode over libusb-0.1, and its return in normal mode;
// then a device in firmware-management mode that leaves the bus in the middle
// of the download, which ends as it does on the simulated bus
// (tests/update/usb_dfu_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "real_libraries/update_fixture.h"
#include "sim/models/bluecore_dfu_model.h"
#include "strings/product_catalogue.h"
#include "support/bccmd_requests.h"

namespace {

using namespace std::chrono_literals;
using sim::BlueCoreDfuModel;
using sim::BlueCoreDfuOptions;

// What a device received, taken from it: the commands of its HID reports,
// its BCCMD requests, and its DFU class requests as {request, wValue, wIndex, wLength}.
struct Traffic {
  std::vector<int> hid_commands;
  std::vector<std::string> bccmd;
  std::vector<std::vector<int>> dfu;
};

Traffic take_traffic(sim::Model& model) {
  Traffic traffic;
  for (const sim::ReceivedReport& report : model.take_received()) {
    if (report.kind == sim::TrafficKind::interrupt_out) {
      if (report.bytes.size() > 1) traffic.hid_commands.push_back(report.bytes[1]);
    } else if (report.setup && report.setup->request_type == 0x20) {
      if (const auto request = sim::parse_bccmd_request(report.bytes)) {
        traffic.bccmd.push_back(test_support::describe_request(*request));
      }
    } else if (report.setup) {
      traffic.dfu.push_back({report.setup->request, report.setup->value, report.setup->index, report.setup->length});
    }
  }
  return traffic;
}

constexpr int k_detach = 0;
constexpr int k_dnload = 1;
constexpr int k_getstatus = 3;

class UsbDfuUpdateTest : public test_support::RealUpdateFixture {
 protected:
  // What recognition left: 0x6020 at 1.2, seen on USB as `usb_status`.
  void recognized(int usb_status) {
    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(0x6020);
    record.setDeviceName(ProductCatalogue::vyla_product_name_for_internal(0x6020, 1).value_or(""));
    record.setDeviceVersionMajor_Minor(1, 2);
    m_services.state().setDeviceTarget(0x6020);
    m_services.state().setUsbStatus(usb_status);
  }

  // A DFU image for 0x6020 of `bytes` bytes, in its file.
  std::string image_file(std::size_t bytes) {
    m_image = test_support::dfu_image(*ProductCatalogue::vyla_product_name_for_internal(0x6020, 1) + "#6020", bytes);
    return m_files.write("firmware.dfu", m_image);
  }
  // The bytes the device must hold: the image without its trailer.
  std::vector<std::uint8_t> downloaded() const { return {m_image.begin(), m_image.end() - 16}; }

  std::vector<std::uint8_t> m_image;
};

// Every DFU request of the download: a status poll before each block, the
// blocks of at most 1023 bytes, the poll that announces the manifestation and
// the empty block.
std::vector<std::vector<int>> download_of(std::size_t image_bytes) {
  std::vector<std::vector<int>> requests{{k_getstatus, 0, 0, 6}};
  int number = 0;
  for (std::size_t offset = 0; offset < image_bytes; offset += 1023, ++number) {
    requests.push_back({k_getstatus, 0, 0, 6});
    requests.push_back({k_dnload, number, 0, static_cast<int>(std::min<std::size_t>(1023, image_bytes - offset))});
  }
  requests.push_back({k_getstatus, 0, 0, 6});
  requests.push_back({k_dnload, number, 0, 0});
  return requests;
}

TEST_F(UsbDfuUpdateTest, Updates6020FromHidThroughFirmwareManagementModeBackToNormalMode) {
  auto device = attach(std::make_shared<BlueCoreDfuModel>(sim::bluecore_dfu_fixture_6020(12)));
  recognized(0x6020);
  const auto took = run_worker(image_file(3000));

  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded) << m_report.updateStatusAt(0);
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_EQ(m_services.state().usbStatus(), 0x6021) << "the download-mode id";
  const Traffic traffic = take_traffic(*device);
  EXPECT_EQ(traffic.hid_commands, std::vector<int>{0x0E});
  EXPECT_EQ(traffic.bccmd, (std::vector<std::string>{"size 0x02a3", "read 0x02a3", "size 0x02a4", "read 0x02a4"}));
  std::vector<std::vector<int>> expected = {{k_getstatus, 0, 1, 6}, {k_detach, 5000, 1, 0}, {k_getstatus, 0, 1, 6}};
  const std::vector<std::vector<int>> download = download_of(3000);
  expected.insert(expected.end(), download.begin(), download.end());
  EXPECT_EQ(traffic.dfu, expected);
  EXPECT_EQ(device->image(), downloaded()) << "byte for byte";
  EXPECT_EQ(device->final_block_number(), 3);
  // libusb-0.1's port reset after the DETACH, and the reset of the round that
  // found the device back in normal mode
  EXPECT_EQ(device->resets(), 2);
  EXPECT_EQ(device->phase(), sim::BlueCoreDfuPhase::normal);
  EXPECT_TRUE(m_services.boxes.empty());
  // 10 s for download mode, 60 s of flash writing, the return, 6 s to close
  EXPECT_GE(took, 76s);
  EXPECT_LT(took, 76s + 30s);
  EXPECT_TRUE(std::filesystem::exists(
      m_app_folder.file(*ProductCatalogue::vyla_product_name_for_internal(0x6020, 1) + ".vylaarch")));
  EXPECT_TRUE(handles_closed());
}

// In firmware-management mode the device takes block 0 and leaves with block
// 1: the block fails, and so does the status poll before its second try.
TEST_F(UsbDfuUpdateTest, ADeviceThatLeavesMidTransferEndsTheUpdate) {
  BlueCoreDfuOptions options = sim::bluecore_dfu_fixture_in_dfu_mode(0xE020, 0x6020);
  options.faults.vanish_after = 2;
  auto device = attach(std::make_shared<BlueCoreDfuModel>(options));
  recognized(0xE020);
  run_worker(image_file(3000));

  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
  EXPECT_EQ(m_report.updateStatusAt(0), "Failed to update firmware. Cannot get status 5 [0]");
  EXPECT_TRUE(m_report.updateFinished());
  const Traffic traffic = take_traffic(*device);
  const std::vector<std::vector<int>> download = download_of(3000);
  EXPECT_EQ(traffic.dfu, std::vector<std::vector<int>>(download.begin(), download.begin() + 5));
  EXPECT_EQ(device->blocks().size(), 1u);
  EXPECT_FALSE(device->final_block_number());
  EXPECT_FALSE(device->present());
  EXPECT_TRUE(handles_closed());
}

}  // namespace
