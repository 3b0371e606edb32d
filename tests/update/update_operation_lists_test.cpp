// The pages' entry, the reading of the server's lists and the timer's report
// of their end (states 0 and 4), against the loopback server.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/page_modes.h"
#include "strings/app_texts.h"
#include "strings/setting_names.h"
#include "strings/update_texts.h"
#include "update/server_fixture.h"

namespace {

using session::MessageBoxPurpose;
using update::LatestVersion;

const char* const k_firmware_list =
    "FR9:v3.0:FR9_v3.0.img\r\n"
    "Y350_R:v1.3:English:Y350R_v1.3_EN.img\r\n"
    "Y350_R:v1.3:French:Y350R_v1.3_FR.img\r\n"
    "Y350_R:v1.3:German:Y350R_v1.3_DE.img\r\n"
    "FR9:v3.1:FR9_v3.1.img\r\n";

class ListReading : public test_support::ServerFixture {
 protected:
  // The selected device 0x6020 ("Y350_R") at `major`.`minor`.
  void select_device(int major, int minor, int type = 0) {
    state().setDeviceTarget(0x6020);
    state().setUsbStatus(0x6020);
    state().data().setDeviceVersionMajor_Minor(major, minor);
    state().data().setDeviceSecondaryVersionType(type);
  }
};

TEST_F(ListReading, TheUpdatePageReadsFirmwareAndOffersTheNewerOne) {
  select_device(1, 2);
  state().setLanguageManager(2);
  state().setStrLanguageManager("German");
  state().setStrLanguageFirmware("French");
  m_server.set_file("Firmware", k_firmware_list);
  m_page.file = "/old/choice.img";
  auto operation = this->operation(session::k_mode_firmware_update);

  operation->initializeObjectWithDefaultStatus(true);
  EXPECT_EQ(operation->state(), update::k_state_reading_update_list);
  EXPECT_TRUE(state().onProcessing());
  EXPECT_TRUE(m_page.timer_running);
  EXPECT_EQ(m_page.file, "");
  EXPECT_TRUE(called("reflectShortcuts"));
  VX_TRY_EQ(operation->state(), update::k_state_idle);

  EXPECT_EQ(operation->latestVersion(), (LatestVersion{1, 3, 0, 0}));
  // the firmware language chose the file; the interface language the item shown
  EXPECT_EQ(operation->fileNameLatestVersion(), "Y350R_v1.3_FR.img");
  EXPECT_EQ(m_page.selected_language, 2);
  EXPECT_EQ(operation->arrFileNamesLatestVersion(),
            (std::vector<std::string>{"Y350R_v1.3_EN.img", "Y350R_v1.3_FR.img", "Y350R_v1.3_DE.img"}));
  std::vector<std::string> titles;
  for (const char* name : {"English", "French", "German"}) {
    titles.push_back(AppTexts::vyla_language_manager_from_language_in(name, 2));
  }
  EXPECT_EQ(m_page.language_titles, titles);
  EXPECT_TRUE(operation->newUpdateFound());
  const auto requests = m_server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].path, "/fexobluetoothmanager/Firmware");
  EXPECT_EQ(requests[0].header("Cache-Control"), "no-cache");

  // the timer's tick in state 0 offers the sheet and stops itself
  operation->timerMethodUpdate();
  ASSERT_EQ(m_page.sheets.size(), 1u);
  EXPECT_EQ(m_page.sheets[0].versions.tfNewVersion, "v1.3");
  EXPECT_EQ(m_page.sheets[0].versions.tfCurrentVersion, "v1.2");
  EXPECT_TRUE(m_page.sheets[0].show_languages);
  EXPECT_EQ(m_page.sheets[0].language_label, strings::setting_name(strings::SettingName::VoicePrompt, 2));
  EXPECT_FALSE(m_page.timer_running);
  EXPECT_FALSE(state().onProcessing());
}

TEST_F(ListReading, NoAnswerAReReadAndAnEqualVersionOfferNothing) {
  struct Case {
    const char* name;
    const char* list;  // nullptr: the server answers 404
    int major;
    int minor;
    bool reread;
    LatestVersion latest;
  };
  const Case cases[] = {
      {"no answer: 0.0", nullptr, 1, 2, false, {0, 0, 0, 0}},
      {"the same version", k_firmware_list, 1, 3, false, {1, 3, 0, 0}},
      {"only re-read after a language change", k_firmware_list, 1, 0, true, {1, 3, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_server.set_response("/fexobluetoothmanager/Firmware",
                          c.list ? test_support::LoopbackResponse{200, c.list, "text/plain", ""}
                                 : test_support::LoopbackResponse{404, "<html>404</html>", "text/html", ""});
    select_device(c.major, c.minor);
    m_page.sheets.clear();
    auto operation = this->operation(session::k_mode_firmware_update);
    operation->initializeObjectWithDefaultStatus(true);
    VX_TRY_EQ(operation->state(), update::k_state_idle);
    if (c.reread) {
      m_page.file = "/kept/file.img";
      operation->readLatest();
      EXPECT_EQ(operation->state(), update::k_state_reading_update_list);
      EXPECT_FALSE(operation->checkNewUpdate());
      VX_TRY_EQ(operation->state(), update::k_state_idle);
      EXPECT_TRUE(operation->checkNewUpdate());
      EXPECT_EQ(m_page.file, "/kept/file.img");
    }
    EXPECT_EQ(operation->latestVersion(), c.latest);
    EXPECT_FALSE(operation->newUpdateFound());
    operation->timerMethodUpdate();
    EXPECT_TRUE(m_page.sheets.empty());
    EXPECT_FALSE(state().onProcessing());
  }
}

TEST_F(ListReading, TheEndOfTheUpdateListOffersTheSheetOrWhatStandsInItsPlace) {
  struct Case {
    const char* name;
    int product;
    LatestVersion latest;
    int major, minor, type, secondary;
    const char* address;
    bool restart_record;
    int language_items;
    const char* new_version;     // nullptr: no sheet
    const char* current_version;
  };
  const Case cases[] = {
      {"camera: four numbers", 0x3020, {2, 5, 1, 3}, 2, 4, 1, 0, "", false, 0, "v1.3.2.5", "v1.0.2.4"},
      {"pair unit", 0x5345, {1, 2, 0, 0}, 1, 1, 0, 0, "", false, 1, "v1.2.0", "v1.1.0"},
      {"release candidate", 0x6010, {2, 1, 0, 0}, 2, 1, 1, 3, "", false, 2, "v2.1", "v2.1rc3"},
      {"0x5060 in the address range: a box instead", 0x5060, {5, 0, 0, 0}, 4, 2, 0, 0, "3323F1", false, 0,
       nullptr, nullptr},
      {"0x5060 beside the range: the sheet", 0x5060, {5, 0, 0, 0}, 4, 2, 0, 0, "3323F0", false, 0, "v5.0", "v4.2"},
      {"a restart record: the update at once", 0x6010, {2, 1, 0, 0}, 2, 0, 0, 0, "", true, 0, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FakeServices services;
    test_support::FakeUpdatePage page(services);
    update::UpdateOperation operation(session::k_mode_firmware_update, services, page);
    services.state().setDeviceTarget(c.product);
    services.state().data().setDeviceVersionMajor_Minor(c.major, c.minor);
    services.state().data().setDeviceSecondaryVersionType(c.type);
    services.state().data().setDeviceSecondaryVersion(c.secondary);
    services.state().data().setLastSixBDAddress(std::string(c.address));
    if (c.restart_record) services.state().setStrRestartDFUFirmwareFile("/recorded/FR9.img");
    for (int i = 0; i < c.language_items; ++i) page.add_language_item("language");
    services.state().setOnProcessing(true);
    page.timer_running = true;
    operation.setLatestVersion(c.latest);
    operation.setNewUpdateFound(true);
    operation.setState(update::k_state_idle);

    operation.timerMethodUpdate();

    if (c.new_version) {
      ASSERT_EQ(page.sheets.size(), 1u);
      EXPECT_EQ(page.sheets[0].versions.tfNewVersion, c.new_version);
      EXPECT_EQ(page.sheets[0].versions.tfCurrentVersion, c.current_version);
      // the sheet's pop-up shows from two languages up
      EXPECT_EQ(page.sheets[0].show_languages, c.language_items >= 2);
      EXPECT_TRUE(services.boxes.empty());
    } else {
      EXPECT_TRUE(page.sheets.empty());
    }
    if (c.restart_record) {
      EXPECT_EQ(operation.state(), update::k_state_updating);
      EXPECT_FALSE(operation.newUpdateFound());
      EXPECT_EQ(page.file, "/recorded/FR9.img");
      operation.stop_and_join();
      continue;
    }
    EXPECT_FALSE(services.state().onProcessing());
    EXPECT_FALSE(page.timer_running);
    if (c.product == 0x5060 && !c.new_version) {
      ASSERT_EQ(services.boxes.size(), 1u);
      const session::MessageBoxRequest& box = services.boxes[0].request;
      EXPECT_EQ(box.message, UpdateTexts::stringMessageXP9ToKWXP9ForIronvale_in(0));
      EXPECT_FALSE(box.warning);
      EXPECT_EQ(box.cancel_title, std::nullopt);
      EXPECT_EQ(box.ok_title, "OK");
      EXPECT_EQ(box.size, session::MessageBoxSize::w520_h175);
      EXPECT_EQ(box.purpose, MessageBoxPurpose::update_notice);
      EXPECT_TRUE(operation.newUpdateFound());
    }
  }
}

TEST_F(ListReading, TheRestorePageReadsRevisionsWhenItHasABackup) {
  FEXOBluetoothDeviceData backup;
  backup.setDeviceVersionMajor_Minor(1, 2);
  const std::string languages =
      "Y350_R:v1.1:English:Y350R_v1.1_EN.img\r\n"
      "Y350_R:v1.2:English:Y350R_v1.2_EN.img\r\n"
      "Y350_R:v1.2:French:Y350R_v1.2_FR.img";
  const std::string press_restore = UpdateTexts::vyla_string_press_restore_button_in(0);
  const std::string after_selecting = UpdateTexts::vyla_string_press_restore_button_after_selecting_in(0);
  const std::string cannot_connect = "Failed to restore firmware. Cannot connect to the server";
  struct Case {
    const char* name;
    const char* list;  // nullptr: 404
    bool default_status;
    bool possible;
    std::string status;  // "" none
    bool red;
  };
  const Case cases[] = {
      {"languages of the backup's version", languages.c_str(), true, true, after_selecting, false},
      {"a main entry of the backup's version", "Y350_R:v1.2:Y350R_v1.2.img\r\n", true, true, press_restore, false},
      {"no default status asked", "Y350_R:v1.2:Y350R_v1.2.img\r\n", false, true, "", false},
      {"not among the revisions", "Y350_R:v1.3:Y350R_v1.3.img\r\n", true, false, cannot_connect, true},
      {"no answer", nullptr, true, false, cannot_connect, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_server.set_response("/fexobluetoothmanager/Revisions",
                          c.list ? test_support::LoopbackResponse{200, c.list, "text/plain", ""}
                                 : test_support::LoopbackResponse{404, "<html>404</html>", "text/html", ""});
    test_support::FakeServices services;
    test_support::FakeUpdatePage page(services);
    page.backup = &backup;
    update::UpdateOperation operation(session::k_mode_firmware_restore, services, page);
    services.state().setDeviceTarget(0x6020);
    operation.initializeObjectWithDefaultStatus(c.default_status);
    EXPECT_EQ(operation.state(), update::k_state_reading_restore_list);
    EXPECT_EQ(page.tab_data_resets, 1);
    EXPECT_TRUE(services.state().onProcessing());
    VX_TRY_VERIFY(operation.report().updateFinished());
    // the timer ends the reading
    EXPECT_EQ(operation.state(), update::k_state_reading_restore_list);
    operation.timerMethodUpdate();
    EXPECT_EQ(operation.state(), update::k_state_idle);
    EXPECT_FALSE(operation.report().updateFinished());
    EXPECT_FALSE(services.state().onProcessing());
    EXPECT_FALSE(page.timer_running);
    EXPECT_EQ(operation.restorePossible(), c.possible);
    const std::string last_status = "setStatus_withWarning " + c.status + (c.red ? " 1" : " 0");
    if (c.status.empty()) {
      for (const std::string& call : services.calls) EXPECT_NE(call.rfind("setStatus_withWarning", 0), 0u) << call;
    } else {
      EXPECT_EQ(services.calls.back(), "setControls");
      EXPECT_NE(std::find(services.calls.begin(), services.calls.end(), last_status), services.calls.end());
    }
  }
}

TEST_F(ListReading, ARestorePageWithoutABackupReadsNothingAndResumesAnInterruptedRestore) {
  for (bool record : {false, true}) {
    SCOPED_TRACE(record);
    test_support::FakeServices services;
    test_support::FakeUpdatePage page(services);
    update::UpdateOperation operation(session::k_mode_firmware_restore, services, page);
    services.state().setDeviceTarget(0x6010);
    if (record) services.state().setStrRestartDFUFirmwareFile("/recorded/FR9.img");
    operation.setNewUpdateFound(true);
    operation.initializeObjectWithDefaultStatus(true);
    EXPECT_FALSE(operation.restorePossible());
    EXPECT_FALSE(operation.newUpdateFound());
    if (record) {
      EXPECT_EQ(operation.state(), update::k_state_restoring);
      EXPECT_EQ(page.file, "/recorded/FR9.img");
      operation.stop_and_join();
    } else {
      EXPECT_EQ(operation.state(), update::k_state_idle);
      EXPECT_FALSE(services.state().onProcessing());
      EXPECT_FALSE(page.timer_running);
    }
  }
  EXPECT_EQ(m_server.request_count("/fexobluetoothmanager/Revisions"), 0);
}

TEST_F(ListReading, AFinishedRestoreListResumesAnInterruptedRestore) {
  FEXOBluetoothDeviceData backup;
  backup.setDeviceVersionMajor_Minor(1, 2);
  m_page.backup = &backup;
  m_server.set_file("Revisions", "Y350_R:v1.2:Y350R_v1.2.img\r\n");
  state().setDeviceTarget(0x6020);
  auto operation = this->operation(session::k_mode_firmware_restore);
  operation->initializeObjectWithDefaultStatus(true);
  VX_TRY_VERIFY(operation->report().updateFinished());
  state().setStrRestartDFUFirmwareFile("/recorded/Y350R.img");
  operation->timerMethodUpdate();
  EXPECT_EQ(operation->state(), update::k_state_restoring);
  EXPECT_EQ(m_page.file, "/recorded/Y350R.img");
  operation->stop_and_join();
}

}  // namespace
