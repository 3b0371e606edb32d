// The settings pages' save prompt, run against a recording stand-in for the
// controller: the page owns its question and its answer.
#include <gtest/gtest.h>

#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "support/fake_services.h"
#include "strings/app_texts.h"

namespace {

using session::MessageBoxPurpose;

struct Case {
  const char* name;
  int page;              // the prompting page's mode
  MessageBoxPurpose purpose;
  int mode_to_go;        // what the user asked for
  bool ok;
  std::vector<std::string> calls;
  int mode_after;        // the controller's mode after the answer (0: unchanged)
};

std::unique_ptr<DeviceSettingsBaseViewController> make_page(int mode) {
  if (mode == session::k_mode_device_settings) return std::make_unique<DeviceSettingsViewController>();
  if (mode == session::k_mode_device_settings_second) return std::make_unique<DeviceSettingsSecondViewController>();
  return std::make_unique<DeviceSettingsSpeedDialViewController>();
}

TEST(SavePrompt, EachPageAsksAndAnswersItsOwnQuestion) {
  const Case cases[] = {
      // the save runs on; the selection opens once it has written the device
      {"settings page, Yes starts the save", 7, MessageBoxPurpose::save_settings, 3, true,
       {"getStatusProcessing", "setStatus_withWarning  0", "setControls"}, 0},
      {"second page, No opens the selection at once", 8, MessageBoxPurpose::save_settings_second, 3, false,
       {"setDetailViewController 3"}, 3},
      {"speed-dial page, No to a page already marked to open after a save", 9, MessageBoxPurpose::save_speed_dial,
       105, false, {"setDetailViewController 5"}, 105},
      {"speed-dial page, Yes keeps the mark once", 9, MessageBoxPurpose::save_speed_dial, 105, true,
       {"setDeviceRecognitionWithStatus_info_from 0 - 105"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FakeServices services;
    services.state().setLanguageManager(1);
    services.state().setMode(c.page);
    auto page = make_page(c.page);
    page->setServices(&services);
    page->setModeToGo(c.mode_to_go);

    page->openSavePrompt();
    ASSERT_EQ(services.boxes.size(), 1u);
    const session::MessageBoxRequest& asked = services.boxes[0].request;
    EXPECT_EQ(asked.purpose, c.purpose);
    EXPECT_EQ(asked.message, AppTexts::stringPromptSave(1));
    EXPECT_EQ(asked.cancel_title, AppTexts::vyla_string_no_in(1));
    EXPECT_EQ(asked.ok_title, AppTexts::vyla_string_yes_in(1));
    EXPECT_EQ(asked.size, session::MessageBoxSize::w420_h115);
    EXPECT_FALSE(asked.warning);
    EXPECT_EQ(services.state().messageBoxStatus(), static_cast<int>(c.purpose));

    services.answer(c.ok);
    EXPECT_EQ(services.calls, c.calls);
    EXPECT_EQ(services.state().mode(), c.mode_after == 0 ? c.page : c.mode_after);
    const settings::SaveEngine* save = page->saveEngine();
    EXPECT_EQ(services.state().onProcessing(), save != nullptr && save->saving());
    page->waitForSave();
  }
}

TEST(SavePrompt, NothingToSaveAsksNothing) {
  test_support::FakeServices services;
  DeviceSettingsViewController page;
  page.setServices(&services);
  EXPECT_FALSE(page.checkNeedToSave());
  EXPECT_TRUE(services.boxes.empty());
}

}  // namespace
