// The update and restore actions and the page's one-second tick, against a
// recording controller and a page without widgets.
#include "update/update_operation.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/clock.h"
#include "session/page_modes.h"
#include "strings/app_texts.h"
#include "strings/update_texts.h"
#include "support/fake_services.h"
#include "update/fake_update_page.h"

namespace {

using session::MessageBoxPurpose;
using session::MessageBoxSize;
using update::UpdateOperation;

class UpdateOperationTest : public ::testing::Test {
 protected:
  session::AppState& state() { return m_services.state(); }
  bool called(const std::string& call) const {
    return std::find(m_services.calls.begin(), m_services.calls.end(), call) != m_services.calls.end();
  }
  // The worker's report at its end, as a family procedure leaves it.
  void worker_ends(UpdateOperation& operation, int code, int processed, const std::string& status) {
    operation.report().setUpdateRestoreError(code);
    operation.report().setUpdateProcessed(processed);
    update::UpdateStatus texts;
    texts.fill(status);
    operation.report().setUpdateStatus(texts);
    operation.report().setUpdateFinished(true);
  }
  // Ticks until the operation has ended (the worker runs on its own thread).
  void tick_until_ended(UpdateOperation& operation) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (operation.state() != update::k_state_idle && std::chrono::steady_clock::now() < give_up) {
      operation.timerMethodUpdate();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(operation.state(), update::k_state_idle);
  }

  platform::ScopedVirtualClock m_clock;
  test_support::FakeServices m_services;
  test_support::FakeUpdatePage m_page{m_services};
};

TEST_F(UpdateOperationTest, TheEndOfAFailureReportsByItsCode) {
  const std::string internal_5310 = *AppTexts::vyla_product_name_for_internal(0x5310, 1);
  struct Box {
    std::string message;
    bool warning;
    MessageBoxSize size;
    MessageBoxPurpose purpose;
  };
  struct Case {
    const char* name;
    int product;
    int code;
    std::vector<Box> boxes;
    bool red;
  };
  const Case cases[] = {
      {"code 1 of 0x5310: switch it off and on", 0x5310, 1,
       {{"After switching off " + internal_5310 + " and switching on again, try once more.", true,
         MessageBoxSize::w420_h135, MessageBoxPurpose::notice}},
       true},
      {"code 1 of another product: the red status only", 0x6010, 1, {}, true},
      {"code 2: the device selection", 0x6010, 2,
       {{AppTexts::vyla_string_recognized_device_not_selected_in(0), true, MessageBoxSize::w420_h135,
         MessageBoxPurpose::start_over}},
       true},
      {"code 3: a restart to recover", 0x6010, 3,
       {{"[Failed. Wrong file]\nVexlink Setwise will restart.\nChoose appropriate firmware.\n", true,
         MessageBoxSize::w520_h175, MessageBoxPurpose::restart_to_recover_other}},
       true},
      {"the quiet-end set is never red", 0x3110, 2,
       {{AppTexts::vyla_string_recognized_device_not_selected_in(0), true, MessageBoxSize::w420_h135,
         MessageBoxPurpose::start_over}},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FakeServices services;
    test_support::FakeUpdatePage page(services);
    UpdateOperation operation(session::k_mode_firmware_update, services, page);
    services.state().setDeviceTarget(c.product);
    services.state().setOnProcessing(true);
    services.state().setStrRestartDFUFirmwareFile("/old/firmware.img");
    page.timer_running = true;
    operation.setState(update::k_state_updating);
    worker_ends(operation, c.code, 40, "Failed. Wrong file");

    operation.timerMethodUpdate();

    ASSERT_EQ(services.boxes.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
      const session::MessageBoxRequest& shown = services.boxes[i].request;
      EXPECT_EQ(shown.message, c.boxes[i].message);
      EXPECT_EQ(shown.warning, c.boxes[i].warning);
      EXPECT_EQ(shown.size, c.boxes[i].size);
      EXPECT_EQ(shown.purpose, c.boxes[i].purpose);
      EXPECT_EQ(shown.ok_title, "OK");
      EXPECT_EQ(shown.cancel_title, std::nullopt);
    }
    EXPECT_EQ(operation.state(), update::k_state_idle);
    EXPECT_FALSE(page.timer_running);
    EXPECT_FALSE(services.state().onProcessing());
    EXPECT_EQ(services.state().deviceUpdatedOrRestored(), c.product);
    EXPECT_FALSE(services.state().isRestartDFU());
    EXPECT_EQ(services.state().indexRestartDFUFirmwareLanguage(), -1);
    EXPECT_EQ(services.calls.back(), std::string("setStatus_withWarning Failed. Wrong file ") + (c.red ? "1" : "0"));
    EXPECT_EQ(std::count(services.calls.begin(), services.calls.end(), "stopManager"), 0);
    for (const std::string& call : services.calls) EXPECT_EQ(call.find("setDeviceRecognition"), std::string::npos);
  }
}

TEST_F(UpdateOperationTest, CodeFourStoresTheRestartRecordAndStopsTheManager) {
  UpdateOperation operation(session::k_mode_firmware_restore, m_services, m_page);
  state().setDeviceTarget(0x4D10);
  state().data().setDeviceVersionMajor(4);
  state().data().setDeviceVersionMinor(2);
  state().data().setDeviceSecondaryVersionType(1);
  state().data().setDeviceSecondaryVersion(7);
  m_page.file = "/home/user/XA6.img";
  m_page.language_items = 3;
  m_page.selected_language = 2;
  operation.setState(update::k_state_restoring);
  worker_ends(operation, update::k_update_error_restart, 12, "Failed to restore firmware. Device lost");

  operation.timerMethodUpdate();

  EXPECT_TRUE(state().restartToRecover());
  EXPECT_EQ(state().modeRestartToRecover(), session::k_mode_firmware_restore);
  EXPECT_EQ(state().strRestartDFUFirmwareFile(), "/home/user/XA6.img");
  EXPECT_EQ(state().indexRestartDFUFirmwareLanguage(), 2);
  EXPECT_EQ(state().deviceVersionMajorRestartDFU(), 4);
  EXPECT_EQ(state().deviceVersionMinorRestartDFU(), 2);
  EXPECT_EQ(state().deviceSecondaryVersionTypeRestartDFU(), 1);
  EXPECT_EQ(state().deviceSecondaryVersionRestartDFU(), 7);
  EXPECT_TRUE(called("stopManager"));
  EXPECT_TRUE(m_services.boxes.empty());
}

// A page that notes each refresh that comes after the fresh recognition was asked for.
class PageWatchingTheHandOver : public test_support::FakeUpdatePage {
 public:
  explicit PageWatchingTheHandOver(test_support::FakeServices& services)
      : FakeUpdatePage(services), m_calls(services.calls) {}
  void set_page_controls() override {
    FakeUpdatePage::set_page_controls();
    const bool handed_over = std::any_of(m_calls.begin(), m_calls.end(), [](const std::string& call) {
      return call.starts_with("setDeviceRecognitionWithStatus_info_from");
    });
    if (handed_over) ++refreshes_after_hand_over;
  }
  int refreshes_after_hand_over = 0;

 private:
  const std::vector<std::string>& m_calls;
};

TEST_F(UpdateOperationTest, ASuccessShowsForATickThenHandsOverToAFreshRecognition) {
  FEXOBluetoothDeviceData backup;
  const std::string internal_5310 = *AppTexts::vyla_product_name_for_internal(0x5310, 1);
  struct Case {
    const char* name;
    int mode;
    int product;
    std::vector<std::string> boxes;
    const char* hand_over;
  };
  const Case cases[] = {
      {"update of 0x6010: no box, no record", 5, 0x6010, {}, "setDeviceRecognitionWithStatus_info_from 0 - 5"},
      {"restore hands over the backed-up record", 6, 0x6010, {}, "setDeviceRecognitionWithStatus_info_from 0 info 6"},
      {"0x5060 is to be paired and set again",
       5,
       0x5060,
       {UpdateTexts::stringMessageReconfigure_in(0)},
       "setDeviceRecognitionWithStatus_info_from 0 - 5"},
      {"0x5310 is to be switched off and on",
       5,
       0x5310,
       {"[Firmware updated successfully]\nPower off and power on " + internal_5310 + " to apply new firmware.\n"},
       "setDeviceRecognitionWithStatus_info_from 0 - 5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FakeServices services;
    PageWatchingTheHandOver page(services);
    page.backup = &backup;
    UpdateOperation operation(c.mode, services, page);
    services.state().setDeviceTarget(c.product);
    operation.setState(c.mode == 5 ? update::k_state_updating : update::k_state_restoring);
    services.state().setOnProcessing(true);
    worker_ends(operation, update::k_update_error_generic, update::k_update_succeeded, "On updating firmware. Done");
    services.state().setLanguageManager(2);
    const std::string success =
        c.mode == 5 ? "Firmware erfolgreich aktualisiert" : "Firmware erfolgreich wiederhergestellt";

    // the first tick shows the full bar and the success, in the interface
    // language and never in red, and the page stays
    operation.timerMethodUpdate();
    EXPECT_EQ(operation.report().updateProcessed(), update::k_update_succeeded);
    EXPECT_EQ(services.calls.back(), "setStatus_withWarning " + success + " 0");
    EXPECT_EQ(std::count(services.calls.begin(), services.calls.end(), c.hand_over), 0);
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_TRUE(services.state().onProcessing());

    // the next one hands over, the success still in the line
    services.state().setLanguageManager(0);
    operation.timerMethodUpdate();
    // the page reads the device record, which the recognition's worker rewrites
    // from the hand-over on: its last refresh comes before
    EXPECT_EQ(page.page_controls, 2);
    EXPECT_EQ(page.refreshes_after_hand_over, 0);

    std::vector<std::string> boxes;
    for (const auto& box : services.boxes) boxes.push_back(box.request.message);
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(std::count(services.calls.begin(), services.calls.end(), c.hand_over), 1);
    EXPECT_EQ(operation.state(), update::k_state_idle);
    EXPECT_FALSE(services.state().onProcessing());
    EXPECT_EQ(services.state().strStatusAt(2), success);
    EXPECT_EQ(operation.report().updateProcessed(), update::k_update_succeeded);
  }
}

TEST_F(UpdateOperationTest, TheTimerNeitherMakesNorOverwritesTheWorkersSuccess) {
  UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  // a mesh product in its closing phase: the bar passes 100 on its way to 102
  state().setDeviceTarget(0x6461);
  operation.setState(update::k_state_updating);
  operation.report().setUpdateProcessed(89);
  operation.report().setAddUpdateProcessed(89);
  bool bar_showed_100 = false;
  for (int i = 0; i < 38; ++i) {
    operation.timerMethodUpdate();
    bar_showed_100 = bar_showed_100 || operation.report().updateProcessed() == 100;
  }
  EXPECT_TRUE(bar_showed_100);
  EXPECT_EQ(operation.report().updateProcessed(), 102);
  EXPECT_FALSE(operation.report().succeeded());
  // the worker fails there: a failure, not a hand-over
  operation.report().setUpdateFinished(true);
  operation.timerMethodUpdate();
  for (const std::string& call : m_services.calls) EXPECT_EQ(call.find("setDeviceRecognition"), std::string::npos);
  EXPECT_EQ(m_services.calls.back(), "setStatus_withWarning  1");

  // the worker's 100 stands through every later tick, whatever the phase says
  UpdateOperation second(session::k_mode_firmware_update, m_services, m_page);
  second.setState(update::k_state_updating);
  second.report().setAddUpdateProcessed(89);
  second.report().setUpdateProcessed(update::k_update_succeeded);
  for (int i = 0; i < 5; ++i) second.timerMethodUpdate();
  EXPECT_EQ(second.report().updateProcessed(), update::k_update_succeeded);
  EXPECT_TRUE(second.report().succeeded());
}

TEST_F(UpdateOperationTest, AMessageBoxHoldsTheBarOfTheHidGroup) {
  UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  state().setDeviceTarget(0x6010);
  operation.setState(update::k_state_updating);
  operation.report().setUpdateProcessed(9);
  operation.report().setAddUpdateProcessed(50);
  operation.setOpenedMessageBox(true);
  for (int i = 0; i < 5; ++i) operation.timerMethodUpdate();
  EXPECT_EQ(operation.report().updateProcessed(), 9);
  operation.setOpenedMessageBox(false);
  for (int i = 0; i < 3; ++i) operation.timerMethodUpdate();
  EXPECT_EQ(operation.report().updateProcessed(), 10);
}

TEST_F(UpdateOperationTest, OtherStatesLeaveEverythingAlone) {
  UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  state().setDeviceTarget(0x6010);
  // reading the update list, downloading an update, downloading a restore image, no state
  for (int page_state : {1, 2, 5, 7}) {
    operation.setState(page_state);
    worker_ends(operation, 2, 30, "x");
    operation.timerMethodUpdate();
    EXPECT_EQ(operation.state(), page_state);
    EXPECT_EQ(operation.report().updateProcessed(), 30);
  }
  EXPECT_TRUE(m_services.calls.empty());
}

TEST_F(UpdateOperationTest, UpdateAndRestoreOnTheOtherPageOnlySwitchPages) {
  UpdateOperation restore_page(session::k_mode_firmware_restore, m_services, m_page);
  restore_page.updateFirmware();
  UpdateOperation update_page(session::k_mode_firmware_update, m_services, m_page);
  update_page.restoreFirmware();
  EXPECT_EQ(m_services.calls,
            (std::vector<std::string>{"setFirmwareUpdateWithStatus 1", "setFirmwareRestoreWithStatus 1"}));
  EXPECT_EQ(restore_page.state(), update::k_state_idle);
  EXPECT_EQ(update_page.state(), update::k_state_idle);
  EXPECT_FALSE(m_page.timer_running);
}

TEST_F(UpdateOperationTest, UpdateTakesTheSelectedLanguageOrTheRestartRecord) {
  struct Case {
    const char* name;
    std::optional<std::string> record_file;
    int record_index;
    int items;
    int selected;
    std::string file;
    int selected_after;
    std::optional<std::string> language;
  };
  const Case cases[] = {
      {"the pop-up's language", std::nullopt, -1, 2, 1, "/picked.bin", 1, "French"},
      {"a selection beyond the languages changes nothing", std::nullopt, -1, 3, 2, "/picked.bin", 2, std::nullopt},
      {"no selection changes nothing", std::nullopt, -1, 2, -1, "/picked.bin", -1, std::nullopt},
      {"the record's file and language", "/recorded.bin", 1, 2, 0, "/recorded.bin", 1, std::nullopt},
      {"a record index beyond the pop-up leaves the selection", "/recorded.bin", 2, 2, 0, "/recorded.bin", 0,
       std::nullopt},
      {"a negative record index leaves the selection", "/recorded.bin", -1, 2, 1, "/recorded.bin", 1, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FakeServices services;
    test_support::FakeUpdatePage page(services);
    UpdateOperation operation(session::k_mode_firmware_update, services, page);
    operation.arrLanguageFirmware() = {"English", "French"};
    services.state().setDeviceTarget(0x6010);
    services.state().setStrRestartDFUFirmwareFile(c.record_file);
    services.state().setIndexRestartDFUFirmwareLanguage(c.record_index);
    page.file = "/picked.bin";
    page.language_items = c.items;
    page.selected_language = c.selected;

    operation.updateFirmware();

    EXPECT_EQ(operation.state(), update::k_state_updating);
    EXPECT_TRUE(services.state().onProcessing());
    EXPECT_TRUE(page.timer_running);
    EXPECT_EQ(page.file, c.file);
    EXPECT_EQ(page.selected_language, c.selected_after);
    EXPECT_EQ(services.state().strLanguageFirmware(), c.language);
    tick_until_ended(operation);
  }
}

TEST_F(UpdateOperationTest, ANewOperationStartsCleanOfThePreviousOne) {
  UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  state().setDeviceTarget(0x6010);
  m_page.file = "/picked.bin";
  // the previous operation succeeded and left its flags set
  operation.setState(update::k_state_updating);
  operation.report().setUpdateProcessed(9);
  operation.report().setAddUpdateProcessed(50);
  operation.timerMethodUpdate();
  EXPECT_TRUE(operation.step_flags().hid_first);
  worker_ends(operation, 1, update::k_update_succeeded, "done");
  operation.timerMethodUpdate();
  operation.timerMethodUpdate();
  ASSERT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                       "setDeviceRecognitionWithStatus_info_from 0 - 5"),
            1);

  // the next one fails (this product's identity check): its end is a failure
  operation.updateFirmware();
  EXPECT_FALSE(operation.step_flags().hid_first);
  tick_until_ended(operation);
  EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                       "setDeviceRecognitionWithStatus_info_from 0 - 5"),
            1);
  ASSERT_EQ(m_services.boxes.size(), 1u);
  EXPECT_EQ(m_services.boxes[0].request.purpose, MessageBoxPurpose::start_over);
}

TEST_F(UpdateOperationTest, ARestoreWithARestartRecordResumesAtOnce) {
  UpdateOperation operation(session::k_mode_firmware_restore, m_services, m_page);
  state().setDeviceTarget(0x6010);
  state().setStrRestartDFUFirmwareFile("/recorded/FR9.img");
  operation.restoreFirmware();
  // state 6 and the worker, no download
  EXPECT_EQ(operation.state(), update::k_state_restoring);
  EXPECT_TRUE(m_page.timer_running);
  EXPECT_EQ(m_page.file, "/recorded/FR9.img");
  EXPECT_EQ(operation.localPathLatestVersion(), std::nullopt);
  EXPECT_TRUE(called("setStatus_withWarning On restoring firmware. about to download backup firmware 0"));
  tick_until_ended(operation);
}

TEST_F(UpdateOperationTest, NextLeadsWhereTheProductHasItsSettings) {
  struct Case {
    const char* name;
    int product;
    int usb;
    int major, minor;
    const char* page;
  };
  const Case cases[] = {
      {"firmware-management mode", 0x6010, 0xE010, 1, 0, "setDeviceSelection"},
      {"a product without settings", 0x5345, 0x5345, 1, 0, "setDeviceSelection"},
      {"0x3560 at 1.0", 0x3560, 0x3560, 1, 0, "setDeviceSelection"},
      {"0x3560 at 1.1", 0x3560, 0x3560, 1, 1, "setDeviceSettingsWithStatus 1"},
      {"0x3500 at 2.1", 0x3500, 0x3500, 2, 1, "setDeviceSelection"},
      {"0x3500 at 2.2", 0x3500, 0x3500, 2, 2, "setDeviceSettingsWithStatus 1"},
      {"0x4111: speed dials only", 0x4111, 0x4111, 1, 0, "setDeviceSettingsSpeedDialWithStatus 1"},
      {"0x6461: its settings page", 0x6461, 0x6461, 1, 0, "setDeviceSettingsWithStatus 1"},
      {"any other", 0x6010, 0x6010, 1, 0, "setDeviceSettingsWithStatus 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FakeServices services;
    UpdateOperation operation(session::k_mode_firmware_update, services, m_page);
    services.state().setDeviceTarget(c.product);
    services.state().setUsbStatus(c.usb);
    services.state().data().setDeviceVersionMajor_Minor(c.major, c.minor);
    operation.moveToNext();
    EXPECT_EQ(services.calls, std::vector<std::string>{c.page});
  }
}

TEST_F(UpdateOperationTest, BackShowsRecognitionAndAnOpeningMenuClosesTheTabList) {
  UpdateOperation operation(session::k_mode_firmware_restore, m_services, m_page);
  operation.moveToBack();
  EXPECT_EQ(m_services.calls, std::vector<std::string>{"setDeviceRecognitionWithStatus_info_from 1 - 0"});
  operation.menuWillOpen();
  EXPECT_EQ(m_services.calls.size(), 1u) << "no tab list open: nothing to close";
  state().setListTabsOpened(true);
  operation.menuWillOpen();
  EXPECT_FALSE(state().listTabsOpened());
  EXPECT_EQ(m_services.calls.back(), "enableListTabsTo 0");
}

}  // namespace
