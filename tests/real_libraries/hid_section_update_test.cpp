// A firmware update of 0x6010 by HID sections through the real hidapi
// (hidraw): the procedure's whole run against the section-download model,
// and a device that leaves the bus in the middle of the sections, which ends
// as it does on the simulated bus (tests/update/hid_section_download_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "real_libraries/update_fixture.h"
#include "sim/models/hid_model.h"
#include "strings/product_catalogue.h"
#include "support/bus_fixture.h"

namespace {

using namespace std::chrono_literals;
using test_support::FirmwarePackage;
using test_support::section_of;

class HidSectionUpdateTest : public test_support::RealUpdateFixture {
 protected:
  // 0x6010 at 1.2 with the section download, and the record recognition left.
  std::shared_ptr<sim::HidModel> attach_6010(sim::SectionDownloadOptions download, sim::Faults faults = {}) {
    sim::HidModelOptions device = sim::hid_fixture_6020();
    device.product_id = 0x6010;
    device.name = "Y350";
    device.version = {1, 2, 0, 0};
    // The device leaves 2 s after answering the loader start (a tenth of a
    // second of real time, so the answer reaches hidapi through the testbed
    // before the node goes) and is back a second later.
    download.reboot_leave_in = 2s;
    download.reboot_absent_for = 1s;
    device.section_download = download;
    device.faults = faults;
    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(0x6010);
    record.setDeviceName(std::string("Y350"));
    record.setDeviceVersionMajor_Minor(1, 2);
    m_services.state().setDeviceTarget(0x6010);
    m_services.state().setUsbStatus(0x6010);
    return attach(std::make_shared<sim::HidModel>(std::move(device)));
  }

  // The loader (block 0) of 2500 bytes, three reports, then 10 bytes of block 1.
  static FirmwarePackage two_sections() {
    FirmwarePackage package;
    package.product_id = 0x6010;
    package.sections = {section_of(2500, 0, 0x0102), section_of(10, 1, 0x07)};
    return package;
  }

  std::filesystem::path archive_of_6010() const {
    return m_app_folder.file(*ProductCatalogue::vyla_product_name_for_internal(0x6010, 1) + ".vylaarch");
  }
};

TEST_F(HidSectionUpdateTest, Updates6010) {
  sim::SectionDownloadOptions download;
  download.not_ready_queries = 2;
  auto device = attach_6010(download);
  const FirmwarePackage package = two_sections();
  const auto took = run_worker(write_package(package));

  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded) << m_report.updateStatusAt(0);
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_none);
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_EQ(test_support::commands_received(*device),
            (std::vector<int>{0x0E, 0x01, 0x05, 0x06, 0x06, 0x06, 0x07, 0x05, 0x06, 0x07, 0x0D, 0x0D, 0x0D, 0x08}));
  const std::vector<sim::ReceivedSection> sections = device->section_download()->sections();
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].data, package.sections[0].data) << "byte for byte through the 1023-byte reports";
  EXPECT_EQ(sections[1].data, package.sections[1].data);
  EXPECT_EQ(device->section_download()->loader_starts(), 1);
  EXPECT_TRUE(device->present()) << "back after its loader ran";
  // 3 s, 5 s, 5 s, two more readiness queries a second apart, the loader's 60 s, 4 s
  EXPECT_GE(took, 79s);
  EXPECT_LT(took, 79s + 15s);
  EXPECT_TRUE(std::filesystem::exists(archive_of_6010())) << "the backup before the first frame";
  EXPECT_TRUE(handles_closed());
}

// The device leaves while its first section's data reports come: the status
// of the report it took with it cannot be read, and the update ends with
// code 1, its handle closed.
TEST_F(HidSectionUpdateTest, ADeviceThatLeavesMidTransferEndsTheUpdate) {
  sim::Faults faults;
  faults.vanish_after = 5;  // 0x0E, 0x01, 0x05, the first data report, and the second
  auto device = attach_6010({}, faults);
  run_worker(write_package(two_sections()));

  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
  EXPECT_EQ(m_report.updateStatusAt(0), "Failed to update firmware. Cannot get status");
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_EQ(test_support::commands_received(*device), (std::vector<int>{0x0E, 0x01, 0x05, 0x06, 0x06}));
  EXPECT_FALSE(device->present());
  EXPECT_TRUE(handles_closed());
}

}  // namespace
