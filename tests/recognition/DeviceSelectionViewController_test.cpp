#include "recognition/DeviceSelectionViewController.h"

#include <QStackedWidget>

#include "recognition/DeviceRecognitionViewController.h"
#include "session/app_state.h"
#include "shell/ManagerUpdateViewController.h"
#include "recognition/manager_update_check.h"
#include "strings/app_texts.h"
#include "page_fixture.h"
#include "support/loopback_server.h"
#include "support/qt_wait.h"

namespace {

const std::string k_entry = recognition::k_manager_entry_name;
constexpr char k_list_path[] = "/fexobluetoothmanager/Software";

class SelectionPage : public test_support::PageFixture {
 protected:
  DeviceSelectionViewController* page() { return controller().deviceSelectionViewController(); }
};

TEST_F(SelectionPage, AFirstStartSelectsTheDefaultProductAndHomeOpensItsRecognition) {
  start();
  ASSERT_EQ(controller().mode(), session::k_mode_device_selection);
  EXPECT_EQ(page()->deviceTargetSelected(), 0x6020);
  EXPECT_EQ(controller().deviceTarget(), 0) << "nothing is chosen before Next";
  auto* home = child_of<QPushButton>(page(), "btnHome");
  EXPECT_FALSE(home->isHidden());
  EXPECT_TRUE(home->isEnabled());
  EXPECT_EQ(child_of<QPushButton>(page(), "btnNext")->text().toStdString(), AppTexts::vyla_string_next_in(0));
  EXPECT_EQ(child_of<QPushButton>(page(), "btnBack")->text().toStdString(), AppTexts::vyla_string_back_in(0));

  click(home);
  EXPECT_EQ(controller().mode(), session::k_mode_device_recognition);
  EXPECT_EQ(controller().deviceTarget(), 0x6020);
  EXPECT_EQ(controller().deviceRecognitionViewController()->callerMode(), 0);
  EXPECT_FALSE(controller().onProcessing()) << "the recognition waits for its own Next";
}

TEST_F(SelectionPage, AStoredProductIsKeptAndTheOldSingleUnitIdIsReplaced) {
  struct Case {
    int stored;
    int selected;
  };
  for (const Case& c : {Case{0x6038, 0x6038}, Case{0x4010, 0x4D10}}) {
    SCOPED_TRACE(c.stored);
    write_archive([&](platform::KeyedArchiver& coder) { coder.encode_int("keyDeviceTarget", c.stored); });
    start();
    EXPECT_EQ(page()->deviceTargetSelected(), c.selected);
    EXPECT_EQ(controller().deviceTarget(), c.selected);
    controller().goNext();
    EXPECT_EQ(controller().mode(), session::k_mode_device_recognition);
    EXPECT_EQ(controller().deviceTarget(), c.selected);
  }
}

TEST_F(SelectionPage, TheActivityBarMovesOnlyWhileProcessing) {
  start();
  controller().window()->show();
  auto* bar = child_of<QProgressBar>(page(), "piProcessing");
  const auto frame = [bar] { return bar->grab().toImage(); };

  controller().setOnProcessing(true);
  page()->setControls();
  ASSERT_TRUE(activity_bar_runs(page()));
  EXPECT_TRUE(bar->isVisible());
  const QImage first = frame();
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame() != first; }, 3000)) << "a running bar moves";

  controller().setOnProcessing(false);
  page()->setControls();
  EXPECT_FALSE(activity_bar_runs(page()));
  EXPECT_FALSE(bar->isVisible()) << "idle, nothing to see";
  const QImage still = frame();
  QTest::qWait(300);
  EXPECT_TRUE(frame() == still) << "a stopped bar stands still";
  controller().window()->hide();
}

// The manager's own version check against a loopback update server.
class ManagerCheck : public SelectionPage {
 protected:
  void SetUp() override {
    SelectionPage::SetUp();
    DeviceSelectionViewController::s_checkedManagerUpdate = false;
    ManagerUpdateViewController::process_exit() = [this](int status) { m_exit_status = status; };
  }
  void TearDown() override {
    ManagerUpdateViewController::process_exit() = m_real_exit;
    SelectionPage::TearDown();
  }

  // Starts the manager and polls its check, as the page's timer does, to the end.
  void start_and_check() {
    start();
    EXPECT_TRUE(controller().onProcessing()) << "the check holds the controls";
    VX_TRY_VERIFY_WITH_TIMEOUT((page()->timerMethodCheckManagerUpdate(), !controller().onProcessing()),
                               test_support::k_timer_wait_ms);
  }

  ManagerUpdateViewController* offer_page() { return controller().managerUpdateViewController(); }
  std::string instruction() { return child_of<QLabel>(offer_page(), "tfInstruction")->text().toStdString(); }

  test_support::LoopbackServer m_server;
  test_support::ScopedServerEnvironment m_environment{m_server};
  std::function<void(int)> m_real_exit = ManagerUpdateViewController::process_exit();
  int m_exit_status = -1;
};

TEST_F(ManagerCheck, ANewerManagerOpensTheOfferPage) {
  struct Case {
    const char* name;
    std::string list;
    bool offer;
    const char* version;  // as the offer names it
  };
  const Case cases[] = {
      {"1.4 alone is this manager", k_entry + ":v1.4:Setwise-1.4.tar.gz\r\n", false, ""},
      {"1.4 with secondary 2", k_entry + ":v1.4:Setwise-1.4.2.tar.gz\r\n" + k_entry + ":2\r\n", true, "v1.4.2"},
      {"1.10 is above 1.4", k_entry + ":v1.10:Setwise-1.10.tar.gz\r\n", true, "v1.10"},
      {"only the first entry line counts", k_entry + ":v1.3:a.tgz\r\n" + k_entry + ":v1.9:b.tgz\r\n", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceSelectionViewController::s_checkedManagerUpdate = false;
    m_server.set_file("Software", c.list);
    ASSERT_NO_FATAL_FAILURE(start_and_check());
    EXPECT_EQ(controller().mode(), c.offer ? session::k_mode_manager_update : session::k_mode_device_selection);
    if (c.offer) {
      EXPECT_EQ(child<QStackedWidget>("boxDetail")->currentWidget(), offer_page());
      EXPECT_EQ(instruction(), "Newer version of Vexlink Setwise is available. Would you like to update Vexlink "
                               "Setwise to " + std::string(c.version) +
                                   "?\n\nPressing the [" + AppTexts::vyla_string_yes_in(0) +
                                   "] button will close this program and start downloading the update. Install the "
                                   "update after downloading.\nPressing the [" + AppTexts::vyla_string_no_in(0) +
                                   "] button will start Vexlink Setwise v1.4 without updating.");
    }
  }
  EXPECT_EQ(m_server.request_count(k_list_path), 4);
}

TEST_F(ManagerCheck, WhileTheServerIsAskedTheBarRunsAndTheHeaderSaysNoDevice) {
  m_server.set_file("Software", k_entry + ":v1.4:S.tgz\r\n");
  start();
  ASSERT_TRUE(controller().onProcessing());
  EXPECT_TRUE(activity_bar_runs(page()));
  EXPECT_EQ(child<QLabel>("lblProduct")->text(), "No device");
  EXPECT_EQ(child<QLabel>("lblVersion")->text(), "recognized");
  EXPECT_FALSE(child<QLabel>("imgProduct")->pixmap().isNull());

  ASSERT_TRUE(QTest::qWaitFor([this] { return page()->timerMethodCheckManagerUpdate(), !controller().onProcessing(); },
                              test_support::k_timer_wait_ms));
  EXPECT_FALSE(activity_bar_runs(page()));
  EXPECT_EQ(child<QLabel>("lblProduct")->text(), "No device");
}

TEST_F(ManagerCheck, RunsOncePerRunAndOnlyAtStartUp) {
  m_server.set_file("Software", k_entry + ":v1.4:S.tgz\r\n");
  ASSERT_NO_FATAL_FAILURE(start_and_check());
  controller().setDeviceSelectionOnStartUp(true);
  EXPECT_FALSE(controller().onProcessing());
  start();  // a second controller in the same run
  EXPECT_FALSE(controller().onProcessing());
  EXPECT_EQ(m_server.request_count(k_list_path), 1);

  // entering the page from another page never checks
  DeviceSelectionViewController::s_checkedManagerUpdate = false;
  controller().setDeviceSelection();
  EXPECT_FALSE(controller().onProcessing());
  EXPECT_EQ(m_server.request_count(k_list_path), 1);
}

TEST_F(ManagerCheck, NextWaitsForTheCheck) {
  m_server.set_file("Software", k_entry + ":v1.4:S.tgz\r\n");
  start();
  ASSERT_TRUE(controller().onProcessing());
  click(child_of<QPushButton>(page(), "btnNext"));
  click(child_of<QPushButton>(page(), "btnHome"));
  EXPECT_EQ(controller().mode(), session::k_mode_device_selection);
  // the page's own timer ends the check
  VX_TRY_VERIFY_WITH_TIMEOUT(!controller().onProcessing(), test_support::k_timer_wait_ms);
  click(child_of<QPushButton>(page(), "btnNext"));
  EXPECT_EQ(controller().mode(), session::k_mode_device_recognition);
}

TEST_F(ManagerCheck, TheOfferPageButtons) {
  m_server.set_file("Software", k_entry + ":v1.5:Setwise-1.5.tar.gz\r\n");
  ASSERT_NO_FATAL_FAILURE(start_and_check());
  ASSERT_EQ(controller().mode(), session::k_mode_manager_update);
  auto* yes = child_of<QPushButton>(offer_page(), "btnYes");
  auto* no = child_of<QPushButton>(offer_page(), "btnNo");
  auto* release_notes = child_of<QPushButton>(offer_page(), "btnReleaseNotes");
  EXPECT_EQ(yes->text().toStdString(), AppTexts::vyla_string_yes_in(0));
  EXPECT_EQ(no->text().toStdString(), AppTexts::vyla_string_no_in(0));
  EXPECT_EQ(release_notes->text(), "Release Notes");
  // the release notes stay out of reach in this edition
  EXPECT_TRUE(release_notes->isHidden());
  EXPECT_FALSE(release_notes->isEnabled());

  controller().changeShortcuts();
  EXPECT_EQ(yes->text(), "[ENTER]");
  EXPECT_EQ(no->text(), "[ESC]");
  EXPECT_EQ(release_notes->text(), "[C]-[ENTER]");
  EXPECT_TRUE(release_notes->isHidden());
  controller().changeShortcuts();

  // No: the device selection, without a second check
  click(no);
  EXPECT_EQ(controller().mode(), session::k_mode_device_selection);
  EXPECT_FALSE(controller().onProcessing());

  // Yes: the download address opens, this run's choices are kept, the program ends
  controller().setManagerUpdate();
  controller().setDeviceTarget(0x6038);
  click(yes);
  EXPECT_EQ(m_exit_status, 0);
  EXPECT_EQ(m_browser.urls, std::vector<std::string>{m_server.base_url() + "Setwise-1.5.tar.gz"});
  const auto archive = platform::read_file(FEXOBluetoothManagerAppController::configuration_file_path());
  ASSERT_TRUE(archive);
  const auto archived =
      FEXOBluetoothManagerAppController::initWithCoder(platform::KeyedUnarchiver::open_root(*archive));
  EXPECT_EQ(archived.deviceTarget, 0x6038);
  EXPECT_EQ(m_server.request_count(k_list_path), 1);
}

}  // namespace

#include "moc_page_fixture.cpp"
