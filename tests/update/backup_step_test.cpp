// When the backup step writes an archive, and what it shows meanwhile.
#include "update/backup_step.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "session/page_modes.h"
#include "strings/product_catalogue.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "update/fake_update_page.h"

namespace {

const update::BackupTest k_dfu = update::BackupTest::skip_in_firmware_management;

TEST(BackupStep, WritesOnlyOnTheUpdatePageAndNotForADeviceInFirmwareManagementMode) {
  struct Case {
    const char* name;
    int mode;
    update::BackupTest test;
    int usb_status;
    bool written;
    const char* status;  // English, after the step
  };
  const Case cases[] = {
      {"update page", session::k_mode_firmware_update, update::BackupTest::none, 0x8022, true,
       "On updating firmware. about to make backup firmware"},
      {"USB DFU procedure, normal mode", session::k_mode_firmware_update, k_dfu, 0x6022, true,
       "On updating firmware. about to make backup firmware"},
      {"USB DFU procedure, firmware-management mode", session::k_mode_firmware_update, k_dfu, 0x8022, false,
       "On updating firmware. without backup firmware"},
      {"restore page", session::k_mode_firmware_restore, update::BackupTest::none, 0x6022, false, "as before"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::ScopedVirtualClock clock;
    test_support::TempFolder folder;
    ::setenv("VEXLINK_APP_FOLDER", folder.path().c_str(), 1);
    test_support::FakeServices services;
    services.state().setDeviceTarget(0x6022);
    services.state().setUsbStatus(c.usb_status);
    services.state().data().setDeviceVersionMajor_Minor(2, 1);
    update::UpdateReport report;
    update::UpdateStatus before;
    before.fill("as before");
    report.setUpdateStatus(before);
    test_support::FakeUpdatePage page(services);
    std::atomic<bool> stop{false};
    update::UpdateRun run(services, report, page, {c.mode, ""}, stop);

    EXPECT_TRUE(update::backup_before_flashing(run, c.test));
    EXPECT_EQ(report.updateStatusAt(0), c.status);
    const std::filesystem::path archive =
        folder.file(*ProductCatalogue::vyla_product_name_for_internal(0x6022, 1) + ".vylaarch");
    ASSERT_EQ(std::filesystem::exists(archive), c.written);
    if (c.written) {
      const FEXOBluetoothDeviceData backup = FEXOBluetoothDeviceData::unarchived_from(*platform::read_file(archive));
      EXPECT_EQ(backup.deviceVersionMajor(), 2);
      EXPECT_EQ(backup.deviceVersionMinor(), 1);
    }
    EXPECT_TRUE(services.boxes.empty());
    ::unsetenv("VEXLINK_APP_FOLDER");
  }
}

}  // namespace
