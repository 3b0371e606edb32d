// The update page's own questions of the engine, run against a recording
// stand-in for the controller.
#include "update/UpdateViewController.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/main_queue.h"
#include "platform/main_queue_qt.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "strings/app_texts.h"
#include "strings/setting_names.h"
#include "support/fake_services.h"
#include "support/qt_wait.h"
#include "update/server_fixture.h"
#include "update/update_engine.h"
#include "widgets/BusyIndicator.h"

namespace {

using session::MessageBoxPurpose;

session::MessageBoxRequest notice(const char* text) {
  return {text, true, std::nullopt, "OK", session::MessageBoxSize::w520_h205, MessageBoxPurpose::notice};
}

TEST(UpdatePageQuestions, BackupFailureReleasesTheEngineEitherWay) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    test_support::FakeServices services;
    UpdateViewController page(session::k_mode_firmware_update);
    page.setServices(&services);
    page.setOpenedMessageBox(true);

    page.openBackupFailedBox(notice("no backup"));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::backup_failed);
    EXPECT_EQ(services.boxes[0].request.message, "no backup");
    EXPECT_EQ(services.boxes[0].request.size, session::MessageBoxSize::w520_h205);

    services.answer(ok);
    EXPECT_EQ(services.state().skipRestoreBackupFile(), ok);
    EXPECT_FALSE(page.openedMessageBox());
    // the answer closes the box once more, for a box the engine opened meanwhile
    EXPECT_EQ(services.calls, std::vector<std::string>{"closeMessageBox"});
  }
}

TEST(UpdatePageQuestions, OnlyOkEndsTheCameraCopy) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    test_support::FakeServices services;
    UpdateViewController page(session::k_mode_firmware_restore);
    page.setServices(&services);
    page.openCameraCopyDoneBox(notice("copy done"));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::camera_copy_done);
    services.answer(ok);
    EXPECT_EQ(page.optraUpdateEnded(), ok);
    EXPECT_TRUE(services.calls.empty());
  }
}

std::atomic<int> g_released{-1};

update::Exit ask_for_backup_answer(update::UpdateRun& run) {
  g_released = run.ask_backup_failed(notice("no backup")) ? 1 : 0;
  return update::Exit::finish;
}

TEST(UpdatePageEngine, EitherAnswerToPurposeFourteenReleasesTheWaitingWorker) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    platform::ScopedVirtualClock clock;
    test_support::FakeServices services;
    UpdateViewController page(session::k_mode_firmware_update);
    page.setServices(&services);
    services.state().setDeviceTarget(0x6010);
    update::UpdateOperation& operation = page.operation();
    operation.setState(update::k_state_updating);
    std::atomic<bool> stop{false};
    g_released = -1;
    std::thread worker([&] {
      update::UpdateRun run(services, operation.report(), page, {session::k_mode_firmware_update, ""}, stop);
      run.run_procedure(ask_for_backup_answer);
    });
    // the worker polls once a virtual second while the box is up
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (clock->elapsed() < std::chrono::seconds(3) && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::yield();
    }
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::backup_failed);
    EXPECT_EQ(g_released, -1);

    // the timer sees the box: the HID group's bar stands
    operation.report().setUpdateProcessed(9);
    operation.report().setAddUpdateProcessed(50);
    for (int i = 0; i < 4; ++i) page.timerMethodUpdate();
    EXPECT_TRUE(page.openedMessageBox());
    EXPECT_EQ(operation.report().updateProcessed(), 9);

    services.answer(ok);
    worker.join();
    EXPECT_EQ(g_released, 1);
    EXPECT_EQ(services.state().skipRestoreBackupFile(), ok);
    EXPECT_FALSE(page.openedMessageBox());
    EXPECT_TRUE(operation.report().updateFinished());
  }
}

TEST(UpdatePageEngine, AStopRequestReleasesTheWorkerWaitingForAnAnswer) {
  platform::ScopedVirtualClock clock;
  test_support::FakeServices services;
  UpdateViewController page(session::k_mode_firmware_update);
  page.setServices(&services);
  std::atomic<bool> stop{false};
  g_released = -1;
  std::thread worker([&] {
    update::UpdateRun run(services, page.operation().report(), page, {session::k_mode_firmware_update, ""}, stop);
    run.run_procedure(ask_for_backup_answer);
  });
  while (clock->elapsed() < std::chrono::seconds(2)) std::this_thread::yield();
  stop = true;
  worker.join();
  EXPECT_EQ(g_released, 0);
  // the release exit closes the box nobody answered
  EXPECT_EQ(services.calls, std::vector<std::string>{"closeMessageBox"});
  EXPECT_FALSE(page.openedMessageBox());
}

TEST(UpdatePageEngine, TheTimerEndsTheUpdateTheButtonStarted) {
  test_support::FakeServices services;
  UpdateViewController page(session::k_mode_firmware_update);
  page.setServices(&services);
  page.setTimerInterval(std::chrono::milliseconds(10));
  services.state().setDeviceTarget(0x6010);
  auto* update = page.findChild<QPushButton*>("btnUpdate");
  auto* file = page.findChild<QLineEdit*>("tfFirmwareFile");
  auto* bar = page.findChild<QProgressBar*>("piProcessing");
  ASSERT_TRUE(update && file && bar);
  page.setControls();
  EXPECT_FALSE(update->isEnabled()) << "nothing to flash yet";
  file->setText("/tmp/Y350R.bin");
  ASSERT_TRUE(update->isEnabled());
  // the bar is a percentage; the mesh products' figure of 102 fills it
  EXPECT_EQ(bar->maximum(), 100);

  QTest::mouseClick(update, Qt::LeftButton);
  EXPECT_TRUE(services.state().onProcessing());
  // this product's procedure refuses the device: k_update_error_device, the selection box
  VX_TRY_EQ(services.boxes.size(), std::size_t{1});
  EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::start_over);
  EXPECT_EQ(page.operation().state(), update::k_state_idle);
  EXPECT_FALSE(services.state().onProcessing());
  EXPECT_EQ(services.calls.back(), "setStatus_withWarning Failed to update firmware. Not the recognized device 1");
}

// The value a progress bar had when it was last drawn: what the user sees.
class DrawnValue : public QObject {
 public:
  explicit DrawnValue(QProgressBar* bar) : m_bar(bar) { bar->installEventFilter(this); }
  int value = -1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == m_bar && event->type() == QEvent::Paint) value = m_bar->value();
    return false;
  }

 private:
  QProgressBar* m_bar;
};

TEST(UpdatePageEngine, TheBarDrawsTheFigureBesideItAtEveryTickAndIsFullBeforeTheHandOver) {
  test_support::FakeServices services;
  UpdateViewController page(session::k_mode_firmware_update);
  page.setServices(&services);
  // the HID group creeps one step in two or three ticks
  services.state().setDeviceTarget(0x6010);
  page.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
  auto* bar = page.findChild<QProgressBar*>("piProcessing");
  auto* figure = page.findChild<QLabel*>("tfProcessing");
  ASSERT_TRUE(bar && figure);
  DrawnValue drawn(bar);
  update::UpdateOperation& operation = page.operation();
  operation.setState(update::k_state_updating);
  services.state().setOnProcessing(true);
  operation.report().setUpdateProcessed(1);
  operation.report().setAddUpdateProcessed(30);
  for (int tick = 0; tick < 100; ++tick) {
    page.timerMethodUpdate();
    QCoreApplication::processEvents();
    ASSERT_EQ(drawn.value, figure->text().toInt()) << "tick " << tick;
  }
  EXPECT_EQ(figure->text(), "30");

  // the worker's success: one tick shows 100 on a full bar, the page still here
  const std::string hand_over = "setDeviceRecognitionWithStatus_info_from 0 - 5";
  operation.report().setUpdateProcessed(update::k_update_succeeded);
  operation.report().setUpdateFinished(true);
  page.timerMethodUpdate();
  QCoreApplication::processEvents();
  EXPECT_EQ(figure->text(), "100");
  EXPECT_EQ(drawn.value, bar->maximum());
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(std::count(services.calls.begin(), services.calls.end(), hand_over), 0);
  page.timerMethodUpdate();
  EXPECT_EQ(std::count(services.calls.begin(), services.calls.end(), hand_over), 1);

  // the mesh products' figure runs on to 102: the bar stays full
  operation.setState(update::k_state_updating);
  services.state().setDeviceTarget(0x6461);
  operation.report().reset_for_operation();
  operation.report().setUpdateProcessed(101);
  page.setControls();
  QCoreApplication::processEvents();
  EXPECT_EQ(drawn.value, bar->maximum());
  EXPECT_EQ(figure->text(), "101");
  operation.setState(update::k_state_idle);
}

TEST(UpdatePageEngine, StoppingThePageEndsAWorkerInItsWaitAtOnce) {
  // real time: the download-mode step would wait 10 s for the device to reboot
  sim::reset();
  // the step's spinner is started on the main thread, as the program does it
  platform::install_qt_main_dispatcher();
  struct DispatcherOff {
    ~DispatcherOff() { platform::install_main_dispatcher(nullptr, nullptr); }
  } dispatcher_off;
  auto device = sim::attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()));
  test_support::FakeServices services;
  UpdateViewController page(session::k_mode_firmware_update);
  page.setServices(&services);
  services.state().setDeviceTarget(0x6020);
  services.state().setUsbStatus(0x6020);
  page.findChild<QLineEdit*>("tfFirmwareFile")->setText("/tmp/Y350R.dfu");
  testing::internal::CaptureStdout();
  page.updateFirmware();
  // the step has sent its command and is waiting
  VX_TRY_VERIFY(!device->present());
  const auto stop_asked = std::chrono::steady_clock::now();
  page.stopUpdate();
  testing::internal::GetCapturedStdout();
  EXPECT_LT(std::chrono::steady_clock::now() - stop_asked, std::chrono::seconds(1));
  EXPECT_TRUE(page.operation().report().updateFinished());
  EXPECT_LT(page.operation().report().updateProcessed(), 3);
  EXPECT_EQ(device->take_output_reports().size(), 1u);
  sim::reset();
}

TEST(UpdatePageTexts, GettersFollowTheInterfaceLanguageAndTheUnusedPanelText) {
  test_support::FakeServices services;
  UpdateViewController page(session::k_mode_firmware_restore);
  page.setServices(&services);
  services.state().setLanguageManager(2);
  EXPECT_EQ(page.stringUPDATE(), "UPDATE");
  EXPECT_EQ(UpdateViewController::vyla_string_press_update_button_in(2), "[UPDATE] Taste drücken.");
  EXPECT_EQ(page.stringMessageManagerRestart(), "[%@]\n%@ will restart.\nChoose appropriate firmware.\n");
  page.displayNOBackupFirmware();
  EXPECT_EQ(page.findChild<QLabel*>("lblRestoredData1")->text(), "NO backup ");
  EXPECT_EQ(page.findChild<QLabel*>("tfRestoredData1")->text(), "firmware");
}

// The pages with their widgets against the loopback server.
class UpdatePageServer : public test_support::ServerFixture {
 protected:
  // The update page entered for 0x6010 ("FR9") at 1.0, with `firmware` as the server's "Firmware".
  void enter_update_page(UpdateViewController& page, const std::string& firmware) {
    state().setDeviceTarget(0x6010);
    state().setUsbStatus(0x6010);
    state().data().setDeviceVersionMajor_Minor(1, 0);
    m_server.set_file("Firmware", firmware);
    page.setServices(&m_services);
    page.setTimerInterval(std::chrono::milliseconds(10));
    page.operation().setServerIdleLimit(std::chrono::seconds(1));
    page.initializeObjectWithDefaultStatus(true);
  }
  template <class Widget>
  static Widget* child(const QWidget& page, const char* name) {
    auto* found = page.findChild<Widget*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  const std::string m_three_languages =
      "FR9:v1.1:English:FR9_EN.img\r\nFR9:v1.1:French:FR9_FR.img\r\nFR9:v1.1:German:FR9_DE.img\r\n";
};

TEST_F(UpdatePageServer, TheSheetOffersTheNewFirmwareAndYesDownloadsAndUpdates) {
  m_server.set_file("FR9_FR.img", "french firmware");
  UpdateViewController page(session::k_mode_firmware_update);
  enter_update_page(page, m_three_languages);
  auto* sheet = child<QDialog>(page, "sheetNewUpdateFound");
  ASSERT_TRUE(sheet);
  VX_TRY_VERIFY(sheet->isVisible());
  EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
  EXPECT_FALSE(state().onProcessing());
  EXPECT_EQ(child<QLabel>(page, "tfNewVersion")->text(), "v1.1");
  EXPECT_EQ(child<QLabel>(page, "tfCurrentVersion")->text(), "v1.0");
  EXPECT_EQ(child<QLabel>(page, "lblCurrentVersion")->text(), "Current version:");
  EXPECT_EQ(child<QLabel>(page, "lblNewVersion")->text(), "New version:");
  EXPECT_EQ(child<QLabel>(page, "lblNewUpdateInformation")->text().toStdString(),
            page.stringNewUpdateFoundInformation());
  EXPECT_FALSE(child<QLabel>(page, "imgNewUpdate")->pixmap().isNull());
  EXPECT_EQ(child<QPushButton>(page, "btnYes")->text().toStdString(), AppTexts::vyla_string_yes_in(0));
  EXPECT_EQ(child<QPushButton>(page, "btnNo")->text().toStdString(), AppTexts::vyla_string_no_in(0));
  auto* label = child<QLabel>(page, "lblNewUpdateFoundLanguageVoicePrompt");
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text().toStdString(), strings::setting_name(strings::SettingName::VoicePrompt, 0));
  // the sheet's pop-up mirrors the page's
  auto* sheet_languages = child<QComboBox>(page, "popUpLanguageFirmwareSheet");
  auto* page_languages = child<QComboBox>(page, "popUpLanguageFirmware");
  ASSERT_EQ(sheet_languages->count(), 3);
  EXPECT_EQ(sheet_languages->itemText(2), page_languages->itemText(2));
  EXPECT_EQ(sheet_languages->currentIndex(), page_languages->currentIndex());
  EXPECT_TRUE(sheet_languages->isVisible());

  sheet_languages->setCurrentIndex(1);
  QTest::mouseClick(child<QPushButton>(page, "btnYes"), Qt::LeftButton);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(page_languages->currentIndex(), 1);
  EXPECT_EQ(state().strLanguageFirmware(), "French");
  ASSERT_EQ(m_services.file_panels.size(), 1u);
  EXPECT_EQ(m_services.file_panels[0].request.proposed_name, "FR9_FR.img");
  m_services.answer_file_panel(m_folder + "/FR9_FR.img");
  VX_TRY_EQ(child<QLineEdit>(page, "tfFirmwareFile")->text().toStdString(), m_folder + "/FR9_FR.img");
  EXPECT_EQ(read_all(m_folder + "/FR9_FR.img"), "french firmware");
  // the update runs and ends: this product's procedure refuses the device
  VX_TRY_EQ(m_services.boxes.size(), std::size_t{1});
  EXPECT_EQ(m_services.boxes[0].request.purpose, session::MessageBoxPurpose::start_over);
  EXPECT_EQ(page.operation().state(), update::k_state_idle);
}

TEST_F(UpdatePageServer, OneLanguageHidesTheSheetsPopUpAndEscapeDeclines) {
  UpdateViewController page(session::k_mode_firmware_update);
  enter_update_page(page, "FR9:v1.1:FR9_v1.1.img\r\n");
  auto* sheet = child<QDialog>(page, "sheetNewUpdateFound");
  VX_TRY_VERIFY(sheet->isVisible());
  auto* sheet_languages = child<QComboBox>(page, "popUpLanguageFirmwareSheet");
  EXPECT_FALSE(sheet_languages->isVisible());
  EXPECT_FALSE(sheet_languages->isEnabled());
  EXPECT_FALSE(child<QLabel>(page, "lblNewUpdateFoundLanguageVoicePrompt")->isVisible());
  ASSERT_TRUE(page.operation().newUpdateFound());
  QTest::keyClick(sheet, Qt::Key_Escape);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_FALSE(page.operation().newUpdateFound());
  EXPECT_TRUE(m_services.file_panels.empty());
}

TEST_F(UpdatePageServer, BrowseDownloadAndThePopUpAnswerOnThePage) {
  UpdateViewController page(session::k_mode_firmware_update);
  enter_update_page(page, m_three_languages);
  auto* sheet = child<QDialog>(page, "sheetNewUpdateFound");
  VX_TRY_VERIFY(sheet->isVisible());
  QTest::mouseClick(child<QPushButton>(page, "btnNo"), Qt::LeftButton);

  // Browse: the picked file is the one to flash
  auto* update = child<QPushButton>(page, "btnUpdate");
  auto* browse = child<QPushButton>(page, "btnBrowse");
  EXPECT_EQ(browse->text().toStdString(), page.stringBrowse());
  EXPECT_FALSE(update->isEnabled());
  QTest::mouseClick(browse, Qt::LeftButton);
  m_services.answer_file_panel("/media/usb/FR9_v1.1.img");
  EXPECT_EQ(child<QLineEdit>(page, "tfFirmwareFile")->text(), "/media/usb/FR9_v1.1.img");
  EXPECT_EQ(m_services.calls.back(), "setStatus_withWarning Press the [UPDATE] button 0");
  EXPECT_TRUE(update->isEnabled());

  // Download into a folder: the file cannot be made
  auto* download = child<QPushButton>(page, "btnDownload");
  EXPECT_EQ(download->text().toStdString(), page.stringDownload());
  ASSERT_TRUE(download->isEnabled());
  QTest::mouseClick(download, Qt::LeftButton);
  m_services.answer_file_panel(m_folder);
  EXPECT_EQ(m_services.calls.back(), "setControls");
  EXPECT_TRUE(called("setStatus_withWarning Failed to download latest firmware. Cannot create file 1"));
  EXPECT_EQ(page.operation().state(), update::k_state_idle);

  // an opening pop-up menu closes the settings-tab list
  state().setListTabsOpened(true);
  auto* languages = child<QComboBox>(page, "popUpLanguageFirmware");
  languages->showPopup();
  EXPECT_FALSE(state().listTabsOpened());
  EXPECT_EQ(m_services.calls.back(), "enableListTabsTo 0");
  languages->hidePopup();
}

TEST_F(UpdatePageServer, HintedKeysActAsTheirControlsDo) {
  UpdateViewController page(session::k_mode_firmware_update);
  enter_update_page(page, m_three_languages);
  auto* sheet = child<QDialog>(page, "sheetNewUpdateFound");
  VX_TRY_VERIFY(sheet->isVisible());
  QTest::mouseClick(child<QPushButton>(page, "btnNo"), Qt::LeftButton);
  VX_TRY_VERIFY(!state().onProcessing());
  page.show();
  page.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  auto* languages = child<QComboBox>(page, "popUpLanguageFirmware");
  auto* update = child<QPushButton>(page, "btnUpdate");
  const auto panels = [this] { return m_services.file_panels.size(); };

  // nothing acts while an operation runs, even with the controls still enabled
  state().setOnProcessing(true);
  QTest::keyClick(&page, Qt::Key_B, Qt::ControlModifier);
  QTest::keyClick(&page, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(panels(), 0u);
  state().setOnProcessing(false);

  // [C]-B browses, [C]-D downloads
  QTest::keyClick(&page, Qt::Key_B, Qt::ControlModifier);
  ASSERT_EQ(panels(), 1u);
  EXPECT_EQ(m_services.file_panels[0].request.kind, session::FilePanelRequest::Kind::open);
  m_services.answer_file_panel(std::nullopt);
  QTest::keyClick(&page, Qt::Key_D, Qt::ControlModifier);
  ASSERT_EQ(panels(), 2u);
  EXPECT_EQ(m_services.file_panels[1].request.kind, session::FilePanelRequest::Kind::save);
  m_services.answer_file_panel(std::nullopt);

  // [S][C]-L opens the voice-prompt pop-up while it is shown, never while hidden
  QTest::keyClick(&page, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
  VX_TRY_VERIFY(languages->view()->isVisible());
  languages->hidePopup();
  VX_TRY_VERIFY(!languages->view()->isVisible());
  page.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  languages->setVisible(false);
  QTest::keyClick(&page, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::qWait(50);
  EXPECT_FALSE(languages->view()->isVisible());
  languages->setVisible(true);

  // [O][C]-U does nothing while Update is disabled (no file yet), and updates once it is not
  ASSERT_FALSE(update->isEnabled());
  QTest::keyClick(&page, Qt::Key_U, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(page.operation().state(), update::k_state_idle);
  child<QLineEdit>(page, "tfFirmwareFile")->setText(QString::fromStdString(m_folder + "/missing.img"));
  ASSERT_TRUE(update->isEnabled());
  QTest::keyClick(&page, Qt::Key_U, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_TRUE(state().onProcessing());

  VX_TRY_VERIFY(!state().onProcessing());
}

TEST_F(UpdatePageServer, TheRestorePagesUpdateKeyRestores) {
  UpdateViewController page(session::k_mode_firmware_restore);
  page.setServices(&m_services);
  page.show();
  page.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  auto* restore = child<QPushButton>(page, "btnRestore");
  // without a backup Restore stays disabled and so does its key
  restore->setEnabled(false);
  const std::size_t calls = m_services.calls.size();
  QTest::keyClick(&page, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(m_services.calls.size(), calls);
  // enabled, it starts the restore: the status line is to say the page is at work
  restore->setEnabled(true);
  QTest::keyClick(&page, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
  ASSERT_GT(m_services.calls.size(), calls);
  EXPECT_EQ(m_services.calls[calls], "getStatusProcessing");
  VX_TRY_VERIFY(!state().onProcessing());
}

TEST_F(UpdatePageServer, AnUnreadListLeavesNothingToDownload) {
  UpdateViewController page(session::k_mode_firmware_update);
  enter_update_page(page, "OTHER:v9.9:other.img\r\n");
  VX_TRY_VERIFY(!state().onProcessing());
  EXPECT_FALSE(child<QDialog>(page, "sheetNewUpdateFound")->isVisible());
  EXPECT_FALSE(child<QPushButton>(page, "btnDownload")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(page, "btnBrowse")->isEnabled());
}

// Distinct colours in a picture of `widget`.
std::size_t colours_of(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  return colours.size();
}

TEST_F(UpdatePageServer, WhileTheListIsReadASpinnerTurnsAndNothingHasFailedYet) {
  using namespace std::chrono_literals;
  test_support::LoopbackResponse late;
  late.body = "FR9:v1.0:FR9_v1.0.img\r\n";
  late.delay = 800ms;
  m_server.set_response("/fexobluetoothmanager/Firmware", late);
  state().setDeviceTarget(0x6010);
  state().setUsbStatus(0x6010);
  state().data().setDeviceVersionMajor_Minor(1, 0);
  UpdateViewController page(session::k_mode_firmware_update);
  page.setServices(&m_services);
  page.setTimerInterval(10ms);
  page.operation().setServerIdleLimit(std::chrono::seconds(2));
  page.show();
  auto* spinner = child<BusyIndicator>(page, "piProcessingCircular");
  auto* latest = child<QLabel>(page, "tfLatestVersion");
  // in its frame, 24 x 20 from (250, 51) of the page's bottom-left corner
  EXPECT_EQ(spinner->geometry(), QRect(250, page.height() - 51 - 20, 24, 20));
  EXPECT_EQ(colours_of(*spinner), 1u) << "idle, it shows nothing";

  page.initializeObjectWithDefaultStatus(true);
  const int first_step = spinner->step();
  QTest::qWait(400);
  ASSERT_TRUE(state().onProcessing()) << "the server has not answered yet";
  EXPECT_TRUE(spinner->isRunning());
  EXPECT_NE(spinner->step(), first_step) << "it turns";
  EXPECT_GT(colours_of(*spinner), 1u);
  EXPECT_TRUE(latest->text().isEmpty());
  EXPECT_TRUE(spinner->isVisible());

  VX_TRY_VERIFY(!state().onProcessing());
  EXPECT_FALSE(spinner->isRunning());
  EXPECT_EQ(colours_of(*spinner), 1u);
  EXPECT_EQ(latest->text(), "Latest Version: v1.0 (FR9_v1.0.img)");
  for (const std::string& call : m_services.calls) {
    EXPECT_EQ(call.find(UpdateTexts::vyla_string_cannot_connect_to_the_server_in(0)), std::string::npos) << call;
  }
}

TEST_F(UpdatePageServer, ReturnOnTheNewUpdateSheetAlwaysAnswersYes) {
  UpdateViewController page(session::k_mode_firmware_update);
  page.show();
  enter_update_page(page, m_three_languages);
  auto* sheet = child<QDialog>(page, "sheetNewUpdateFound");
  auto* yes = child<QPushButton>(page, "btnYes");
  auto* no = child<QPushButton>(page, "btnNo");
  VX_TRY_VERIFY(sheet->isVisible());
  EXPECT_TRUE(yes->isDefault());
  EXPECT_FALSE(no->isDefault());
  EXPECT_EQ(sheet->focusWidget(), yes);
  // No declines with a click, and the focus it took stays behind in the sheet
  QTest::mouseClick(no, Qt::LeftButton);
  ASSERT_FALSE(sheet->isVisible());
  ASSERT_TRUE(m_services.file_panels.empty());

  // shown again, in German
  state().setLanguageManager(2);
  page.initializeObjectWithDefaultStatus(true);
  VX_TRY_VERIFY(sheet->isVisible());
  EXPECT_EQ(yes->text().toStdString(), AppTexts::vyla_string_yes_in(2));
  EXPECT_TRUE(yes->isDefault());
  EXPECT_FALSE(no->isDefault());
  EXPECT_EQ(sheet->focusWidget(), yes);
  // Return where the focus is, even on No, answers Yes: the download's save panel
  no->setFocus();
  EXPECT_TRUE(yes->isDefault());
  QTest::keyClick(no, Qt::Key_Return);
  EXPECT_FALSE(sheet->isVisible());
  ASSERT_EQ(m_services.file_panels.size(), 1u);
  m_services.answer_file_panel(std::nullopt);
}

TEST_F(UpdatePageServer, TheRestorePageFindsItsBackupsFirmwareAndRestoresIt) {
  FEXOBluetoothDeviceData backup;
  backup.setManagerVersionMajor(1);
  backup.setManagerVersionMinor(4);
  backup.setDeviceRecognized(0x6010);
  backup.setDeviceVersionMajor_Minor(1, 2);
  ASSERT_TRUE(platform::write_file_atomically(platform::application_folder() / "FR9.vylaarch", backup.archived_bytes()));
  m_server.set_file("Revisions", "FR9:v1.1:FR9_v1.1.img\r\nFR9:v1.2:FR9_v1.2.img\r\n");
  m_server.set_file("FR9_v1.2.img", "restore image");
  state().setDeviceTarget(0x6010);
  state().setUsbStatus(0x6010);
  UpdateViewController page(session::k_mode_firmware_restore);
  page.setServices(&m_services);
  page.setTimerInterval(std::chrono::milliseconds(10));
  page.initializeObjectWithDefaultStatus(true);
  ASSERT_NE(page.dataToUnarchive(), nullptr);
  EXPECT_EQ(page.operation().state(), update::k_state_reading_restore_list);
  VX_TRY_EQ(page.operation().state(), update::k_state_idle);
  EXPECT_TRUE(page.restorePossible());
  EXPECT_EQ(m_services.calls.back(), "setControls");
  EXPECT_TRUE(called("setStatus_withWarning Press the [RESTORE] button 0"));

  QTest::mouseClick(child<QPushButton>(page, "btnRestore"), Qt::LeftButton);
  // the image downloads into the application folder, then the restore runs and ends
  VX_TRY_EQ(child<QLineEdit>(page, "tfFirmwareFile")->text().toStdString(), m_folder + "/FR9.img");
  EXPECT_EQ(read_all(m_folder + "/FR9.img"), "restore image");
  VX_TRY_EQ(m_services.boxes.size(), std::size_t{1});
  EXPECT_EQ(page.operation().state(), update::k_state_idle);
}

}  // namespace
