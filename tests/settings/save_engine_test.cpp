// The save the settings pages share, on a recording controller and a page that
// records what the save asks of it; the procedure is a stand-in that returns
// the code a test chooses, so each code's outcome is checked on its own.
#include "settings/save_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "settings/settings_save.h"
#include "strings/common_texts.h"
#include "strings/language.h"
#include "strings/language_table.h"
#include "strings/settings_texts.h"
#include "support/fake_services.h"

namespace {

using settings::SaveCopies;

// The controller, also noting whether a recognition was asked for while the
// save still held onProcessing.
class Controller : public test_support::FakeServices {
 public:
  void setDeviceRecognitionWithStatus_info_from(bool status, const FEXOBluetoothDeviceData* info, int from) override {
    recognition_asked_while_processing = state().onProcessing();
    FakeServices::setDeviceRecognitionWithStatus_info_from(status, info, from);
  }
  bool recognition_asked_while_processing = false;
};

class Page : public settings::SavePage {
 public:
  explicit Page(test_support::FakeServices& controller) : m_controller(controller) {}
  const FEXOBluetoothDeviceData& saveWorkingCopy() const override { return dataCurrent; }
  int saveModeToGo() const override { return modeToGo; }
  void discardEditsAfterSave() override {
    record("discard edits");
    dataCurrent.copyWithSource_version(m_controller.state().data(), false);
  }
  void reenableAfterSave() override { record("reenable"); }
  void setControls() override { record("page setControls"); }
  void startSaveTimer() override { record("start timer"); }
  void stopSaveTimer() override { record("stop timer"); }

  FEXOBluetoothDeviceData dataCurrent;
  int modeToGo = 0;

 private:
  // The page's calls go into the controller's list, so their order shows.
  void record(const std::string& call) { m_controller.calls.push_back("page: " + call); }
  test_support::FakeServices& m_controller;
};

// A procedure that waits until the test lets it end with its code.
class HeldProcedure {
 public:
  int run(const SaveCopies& copies) {
    std::unique_lock lock(m_mutex);
    m_seen = copies;
    m_released.wait(lock, [this] { return m_done; });
    return m_code;
  }
  void release(int code) {
    {
      std::lock_guard lock(m_mutex);
      m_code = code;
      m_done = true;
    }
    m_released.notify_all();
  }
  SaveCopies seen() {
    std::lock_guard lock(m_mutex);
    return m_seen;
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_released;
  bool m_done = false;
  int m_code = 0;
  SaveCopies m_seen;
};

class SaveEngineTest : public ::testing::Test {
 protected:
  SaveEngineTest() {
    session::AppState& state = controller.state();
    state.setMode(7);
    state.setDeviceTarget(0x6020);
    state.setUsbStatus(0x6020);
    state.data().setDeviceRecognized(0x6020);
    state.data().setDeviceVersionMajor(1);
    state.data().setDeviceVersionMinor(2);
    page.dataCurrent.copyWithSource_version(state.data(), true);
    page.dataCurrent.setBasicSettingKR5VOXSensitivity_with(0, 4);
  }

  // The settings page's rules with a procedure that returns `code`.
  settings::SaveRules rules_returning(int code) {
    settings::SaveRules rules = settings::settings_page_save_rules();
    rules.procedure = [code](const SaveCopies&) { return code; };
    return rules;
  }

  // Save, the worker's end, one timer tick.
  void save_and_report(settings::SaveEngine& engine) {
    ASSERT_TRUE(engine.save(controller));
    engine.join();
    controller.calls.clear();
    engine.timerMethodSave(controller);
  }

  bool called(const std::string& call) const {
    return std::find(controller.calls.begin(), controller.calls.end(), call) != controller.calls.end();
  }
  std::size_t position(const std::string& call) const {
    return static_cast<std::size_t>(std::find(controller.calls.begin(), controller.calls.end(), call) -
                                    controller.calls.begin());
  }

  Controller controller;
  Page page{controller};
};

TEST_F(SaveEngineTest, SaveStartsTheWorkerOnCopiesAndTheTimer) {
  HeldProcedure held;
  settings::SaveRules rules = rules_returning(0);
  rules.procedure = [&held](const SaveCopies& copies) { return held.run(copies); };
  settings::SaveEngine engine(page, rules);
  controller.state().setListTabsOpened(true);
  controller.state().setStrStatus_In("Saving", 0);

  ASSERT_TRUE(engine.save(controller));
  EXPECT_EQ(controller.calls, (std::vector<std::string>{"enableListTabsTo 0", "getStatusProcessing",
                                                        "setStatus_withWarning Saving 0", "setControls",
                                                        "page: page setControls", "page: start timer"}));
  EXPECT_FALSE(controller.state().listTabsOpened());
  EXPECT_TRUE(controller.state().onProcessing());
  EXPECT_EQ(engine.rcThreadSave(), settings::k_save_running);

  // the worker's copies stay as they were when the save started
  page.dataCurrent.setBasicSettingKR5VOXSensitivity_with(0, 9);
  controller.state().setDeviceTarget(0x6022);
  // a tick while the worker runs does nothing
  controller.calls.clear();
  engine.timerMethodSave(controller);
  EXPECT_TRUE(controller.calls.empty());
  // a second save while this one runs is refused
  EXPECT_FALSE(engine.save(controller));

  held.release(0);
  engine.join();
  const SaveCopies seen = held.seen();
  EXPECT_EQ(seen.deviceTarget, 0x6020);
  EXPECT_EQ(seen.usbStatus, 0x6020);
  EXPECT_EQ(seen.data.deviceVersionMinor(), 2);
  EXPECT_EQ(seen.dataCurrent.basicSettingKR5VOXSensitivityAt(0), 4);
  EXPECT_EQ(engine.rcThreadSave(), 0);
}

TEST_F(SaveEngineTest, NothingStartsWhileAnOperationRunsOrThePageRefuses) {
  bool ran = false;
  settings::SaveRules rules = rules_returning(0);
  rules.procedure = [&ran](const SaveCopies&) {
    ran = true;
    return 0;
  };
  settings::SaveEngine engine(page, rules);
  controller.state().setOnProcessing(true);
  EXPECT_FALSE(engine.save(controller));
  EXPECT_TRUE(controller.calls.empty());

  controller.state().setOnProcessing(false);
  EXPECT_FALSE(engine.save(controller, [] { return false; }));
  EXPECT_FALSE(controller.state().onProcessing());
  EXPECT_FALSE(engine.saving());
  engine.join();
  EXPECT_FALSE(ran);
}

TEST_F(SaveEngineTest, SuccessHandsTheWorkingCopyOnAndAsksForAFreshRecognition) {
  struct Case {
    const char* name;
    int mode_to_go;
    int from;
  };
  const Case cases[] = {{"from the Save button", 0, 7}, {"from the prompt, leaving for the update page", 5, 105}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    controller.recognition_asked_while_processing = true;
    page.modeToGo = c.mode_to_go;
    settings::SaveEngine engine(page, rules_returning(0));
    ASSERT_NO_FATAL_FAILURE(save_and_report(engine));

    EXPECT_EQ(controller.calls,
              (std::vector<std::string>{"page: stop timer", "setStatus_withWarning Device setting saved successfully 0",
                                        "setControls", "page: page setControls", "page: reenable",
                                        "setDeviceRecognitionWithStatus_info_from 0 - " + std::to_string(c.from)}));
    EXPECT_FALSE(controller.recognition_asked_while_processing);
    EXPECT_EQ(controller.state().data().basicSettingKR5VOXSensitivityAt(0), 4);
    EXPECT_TRUE(controller.boxes.empty());

    // reported once
    controller.calls.clear();
    engine.timerMethodSave(controller);
    EXPECT_TRUE(controller.calls.empty());
  }
}

TEST_F(SaveEngineTest, TheControllersRecordKeepsTheVersionsItRead) {
  page.dataCurrent.setDeviceVersionMinor(7);
  settings::SaveEngine engine(page, rules_returning(0));
  ASSERT_NO_FATAL_FAILURE(save_and_report(engine));
  EXPECT_EQ(controller.state().data().deviceVersionMinor(), 2);
  EXPECT_EQ(controller.state().data().basicSettingKR5VOXSensitivityAt(0), 4);
}

TEST_F(SaveEngineTest, ADeviceThatIsGoneOrAnotherDiscardsTheEditsAndSendsToTheSelection) {
  for (int code : {1, 2, 9}) {
    SCOPED_TRACE(code);
    controller.boxes.clear();
    page.dataCurrent.setBasicSettingKR5VOXSensitivity_with(0, 4);
    settings::SaveEngine engine(page, rules_returning(code));
    ASSERT_NO_FATAL_FAILURE(save_and_report(engine));

    ASSERT_EQ(controller.boxes.size(), 1u);
    const session::MessageBoxRequest& box = controller.boxes[0].request;
    EXPECT_EQ(box.message, CommonTexts::vyla_string_recognized_device_not_selected_in(0));
    EXPECT_TRUE(box.warning);
    EXPECT_FALSE(box.cancel_title);
    EXPECT_EQ(box.ok_title, CommonTexts::vyla_string_ok_in(0));
    EXPECT_EQ(box.size, session::MessageBoxSize::w420_h135);
    EXPECT_EQ(box.purpose, session::MessageBoxPurpose::start_over);
    EXPECT_FALSE(controller.boxes[0].on_answer) << "the controller answers start_over itself";

    EXPECT_EQ(page.dataCurrent.basicSettingKR5VOXSensitivityAt(0), 0);
    EXPECT_LT(position("page: discard edits"), position("setStatus_withWarning " + controller.state().getStrStatus() + " 1"));
    EXPECT_FALSE(called("setDeviceRecognitionWithStatus_info_from 0 - 7"));
    EXPECT_FALSE(controller.state().onProcessing());
  }
}

TEST_F(SaveEngineTest, ARefusalKeepsTheEditsForAnotherTry) {
  for (int code = 3; code <= 8; ++code) {
    SCOPED_TRACE(code);
    settings::SaveEngine engine(page, rules_returning(code));
    ASSERT_NO_FATAL_FAILURE(save_and_report(engine));
    EXPECT_TRUE(controller.boxes.empty());
    EXPECT_FALSE(called("page: discard edits"));
    EXPECT_FALSE(called("page: reenable"));
    EXPECT_EQ(page.dataCurrent.basicSettingKR5VOXSensitivityAt(0), 4);
    EXPECT_EQ(controller.state().data().basicSettingKR5VOXSensitivityAt(0), 0);
    EXPECT_TRUE(controller.state().statusWithWarning());
    EXPECT_FALSE(controller.state().onProcessing());
  }
}

TEST_F(SaveEngineTest, TheOutcomeInEveryLanguage) {
  struct Case {
    int code;
    std::string english;
  };
  const Case cases[] = {
      {0, "Device setting saved successfully"},
      {1, "Failed to save device setting. Cannot open USB"},
      {2, "Failed to save device setting. Firmware management mode"},
      {3, "Failed to save device setting. Cannot save VOX Intercom"},
      {4, "Failed to save device setting. Cannot save VOX Phone"},
      {5, "Failed to save device setting. Cannot save EDR"},
      {6, "Failed to save device setting. Cannot save Radio Transmit Gain"},
      {7, "Failed to save device setting. Cannot save Audio Channel Timeout"},
      {8, "Failed to save device setting. Cannot save Device Setting"},
      {9, "Failed to save device setting. Not the recognized device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    settings::SaveEngine engine(page, rules_returning(c.code));
    ASSERT_NO_FATAL_FAILURE(save_and_report(engine));
    EXPECT_EQ(controller.state().strStatusAt(strings::English).value_or(""), c.english);
    // every language has its text, built from that language's parts
    const std::string german = controller.state().strStatusAt(strings::German).value_or("");
    const std::string reason = c.code == 0 ? "" : settings::settings_save_reason(c.code, strings::German);
    EXPECT_NE(german, c.english);
    EXPECT_TRUE(german.ends_with(reason)) << german;
    for (int language = 0; language < strings::k_language_count; ++language) {
      EXPECT_FALSE(controller.state().strStatusAt(language).value_or("").empty()) << language;
    }
  }
}

TEST_F(SaveEngineTest, ALanguageChosenDuringTheSaveShowsTheOutcome) {
  settings::SaveEngine engine(page, rules_returning(8));
  ASSERT_TRUE(engine.save(controller));
  controller.state().setLanguageManager(strings::French);
  engine.join();
  controller.calls.clear();
  engine.timerMethodSave(controller);
  const std::string french = controller.state().strStatusAt(strings::French).value_or("");
  EXPECT_NE(french, controller.state().strStatusAt(strings::English).value_or(""));
  EXPECT_TRUE(called("setStatus_withWarning " + french + " 1"));
}

}  // namespace
