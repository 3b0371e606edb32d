#include "recognition/DeviceRecognitionViewController.h"

#include <QCoreApplication>
#include <QDialog>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <atomic>
#include <thread>

#include "platform/format.h"
#include "shell/FEXOBluetoothManagerAppDelegate.h"
#include "session/app_state.h"
#include "sim/models/bluecore_model.h"
#include "strings/app_texts.h"
#include "update/UpdateViewController.h"
#include "page_fixture.h"
#include "recognition_traffic.h"
#include "support/bccmd_requests.h"
#include "support/qt_wait.h"

namespace {

using namespace std::chrono_literals;

using test_support::commands_received;

using test_support::k_one_run_of_6020;

class RecognitionPage : public test_support::PageFixture {
 protected:
  DeviceRecognitionViewController* page() { return controller().deviceRecognitionViewController(); }
  QPushButton* next() { return child_of<QPushButton>(page(), "btnNext"); }

  // Opens the recognition page for `product` as the selection page's Next does.
  void open_page_for(int product) {
    controller().setDeviceTarget(product);
    controller().setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
    ASSERT_EQ(controller().mode(), session::k_mode_device_recognition);
  }

  // Polls as the page's one-second timer does until the worker's result is
  // taken, then until the page it handed over to is ready (the update pages
  // read the server's list first).
  void wait_for_the_end() {
    const auto poll = [this] {
      // the timer stops once it has handed over
      if (controller().mode() == session::k_mode_device_recognition) page()->timerMethodRecognize();
      return !controller().onProcessing();
    };
    VX_TRY_VERIFY_WITH_TIMEOUT(poll(), test_support::k_timer_wait_ms);
  }

};

TEST_F(RecognitionPage, FromTheSelectionItShowsTheInstructionAndWaitsForNext) {
  auto device = plug(sim::hid_fixture_6020());
  start();
  click(child_of<QPushButton>(controller().deviceSelectionViewController(), "btnNext"));

  ASSERT_EQ(controller().mode(), session::k_mode_device_recognition);
  EXPECT_EQ(child<QStackedWidget>("boxDetail")->currentWidget(), page());
  EXPECT_EQ(page()->callerMode(), 0);
  EXPECT_EQ(child_of<QTextBrowser>(page(), "tvInstruction")->toPlainText().toStdString(),
            "1. Connect the system to the computer by using the USB cable provided.\n\n\n"
            "2. Press the [" + AppTexts::vyla_string_next_in(0) + " >] button.");
  EXPECT_TRUE(child_of<QTextBrowser>(page(), "tvInstruction")->isReadOnly());
  for (const char* name : {"tfInstruction", "tfHIDInstruction", "webView"}) {
    SCOPED_TRACE(name);
    QWidget* unused = child_of(page(), name);
    EXPECT_TRUE(unused->isHidden());
    EXPECT_FALSE(unused->isEnabled());
  }
  EXPECT_TRUE(next()->isEnabled());
  EXPECT_EQ(next()->text().toStdString(), AppTexts::vyla_string_next_in(0));
  EXPECT_EQ(child_of<QPushButton>(page(), "btnBack")->text().toStdString(), AppTexts::vyla_string_back_in(0));
  EXPECT_EQ(child_of<QLabel>(page(), "lblPageTitle")->text().toStdString(), AppTexts::vyla_string_mode_in(4, 0));
  EXPECT_FALSE(activity_bar_runs(page()));
  EXPECT_EQ(child_of<QProgressBar>(page(), "piProcessing")->value(), 0);
  EXPECT_EQ(shown_status(), AppTexts::vyla_status_default_usb_in(4, 0, 0).value());

  // nothing runs until Next
  EXPECT_FALSE(controller().onProcessing());
  EXPECT_TRUE(device->received().empty());

  controller().changeShortcuts();
  EXPECT_EQ(next()->text(), QString::fromUtf8("[C]-▶"));
  EXPECT_EQ(child_of<QPushButton>(page(), "btnBack")->text(), QString::fromUtf8("[C]-◀"));
}

TEST_F(RecognitionPage, NextRecognizesTheDefaultProductAndLeadsToTheUpdatePage) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.version = {1, 2, 0, 0};
  auto device = plug(options);
  start();
  click(child_of<QPushButton>(controller().deviceSelectionViewController(), "btnNext"));
  ASSERT_EQ(controller().deviceTarget(), 0x6020);

  click(next());
  EXPECT_TRUE(controller().onProcessing());
  EXPECT_FALSE(next()->isEnabled());
  EXPECT_FALSE(child_of<QPushButton>(page(), "btnBack")->isEnabled());
  EXPECT_TRUE(activity_bar_runs(page()));
  EXPECT_EQ(shown_status(), AppTexts::vyla_status_processing_usb_in(4, 0, 0).value());
  // the page's own timer takes the result
  VX_TRY_VERIFY_WITH_TIMEOUT(!controller().onProcessing(), test_support::k_timer_wait_ms);
  EXPECT_FALSE(activity_bar_runs(page()));

  EXPECT_EQ(controller().mode(), session::k_mode_firmware_update);
  EXPECT_EQ(child<QStackedWidget>("boxDetail")->currentWidget(), controller().updateViewController());
  EXPECT_TRUE(controller().recognized());
  EXPECT_EQ(controller().usbStatus(), 0x6020);
  EXPECT_EQ(child<QLabel>("lblProduct")->text().toStdString(), "Y350R");
  EXPECT_EQ(child<QLabel>("lblVersion")->text().toStdString(), "v1.2");
  EXPECT_EQ(controller().tabCount(), 2);
  EXPECT_EQ(controller().tabAt(0), session::k_tab_settings);
  EXPECT_EQ(controller().tabAt(1), session::k_tab_speed_dial);
  EXPECT_EQ(shown_status(),
            "Device recognized successfully. " + AppTexts::vyla_status_default_usb_in(5, 0x6020, 0).value());
  EXPECT_FALSE(status_is_red());
  EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(RecognitionPage, RecognizesTheVendorCollectionAndLanguagePackFamilies) {
  struct Case {
    const char* name;
    sim::HidModelOptions options;
    const char* version_line;
    std::vector<int> commands;
  };
  sim::HidModelOptions y370 = sim::hid_fixture_6038();  // answers the mode probe with 0
  y370.version = {2, 3, 0, 0};
  const Case cases[] = {
      {"0x6038 vendor collection", y370, "v2.3", test_support::k_one_run_of_6038},
      {"0x6800 language pack", sim::hid_fixture_6800(), "v2.1", test_support::k_one_run_of_6800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.options);
    start();
    open_page_for(c.options.product_id);
    click(next());
    ASSERT_NO_FATAL_FAILURE(wait_for_the_end());
    EXPECT_EQ(controller().mode(), session::k_mode_firmware_update);
    EXPECT_EQ(controller().usbStatus(), c.options.product_id);
    EXPECT_EQ(child<QLabel>("lblProduct")->text().toStdString(), c.options.name);
    EXPECT_TRUE(child<QLabel>("lblVersion")->text().startsWith(c.version_line));
    EXPECT_FALSE(status_is_red());
    EXPECT_EQ(commands_received(*device), c.commands);
    sim::detach(*device);
  }
  EXPECT_EQ(controller().data().devicelanguagePackTypeVerMinor(), 3) << "0x6800 read its language pack";
}

TEST_F(RecognitionPage, WithoutADeviceItEndsInTheRedOpenFailure) {
  start();
  open_page_for(0x6020);
  const auto before = clock().elapsed();
  click(next());
  ASSERT_NO_FATAL_FAILURE(wait_for_the_end());

  // three HID opens 1 s apart, then the fresh page's DFU pass spends its 20
  // tries and the HCI pass finds nothing either
  EXPECT_GE(clock().elapsed() - before, 23s);
  EXPECT_EQ(controller().mode(), session::k_mode_device_recognition);
  EXPECT_FALSE(controller().recognized());
  // the recognition page has no failure text of its own: the reason stands alone
  EXPECT_EQ(shown_status(), "Cannot open USB [-1][N]");
  EXPECT_TRUE(status_is_red());
  EXPECT_TRUE(controller().statusWithWarning());
  EXPECT_TRUE(next()->isEnabled()) << "the user may try again";
  EXPECT_FALSE(activity_bar_runs(page()));
  EXPECT_EQ(child_of<QProgressBar>(page(), "piProcessing")->value(), 0);
}

TEST_F(RecognitionPage, ADeviceInFirmwareManagementModeGoesOnToTheUpdatePageInRed) {
  auto device = attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_e020()));
  start();
  click(child_of<QPushButton>(controller().deviceSelectionViewController(), "btnNext"));
  ASSERT_TRUE(page()->isFirst());
  const auto before = clock().elapsed();
  click(next());
  ASSERT_NO_FATAL_FAILURE(wait_for_the_end());

  // three HID opens 1 s apart, then the DFU pass and the HCI pass find it at once
  EXPECT_EQ(clock().elapsed() - before, 3s);
  EXPECT_FALSE(page()->isFirst());
  EXPECT_EQ(controller().mode(), session::k_mode_firmware_update);
  EXPECT_EQ(controller().deviceTarget(), 0x6020);
  EXPECT_EQ(controller().usbStatus(), 0xE020);
  EXPECT_EQ(controller().data().deviceVersionMajor(), 0);
  EXPECT_EQ(controller().data().deviceVersionMinor(), 0);
  EXPECT_EQ(shown_status(), "Firmware management mode. " + AppTexts::vyla_status_default_usb_in(5, 0, 0).value());
  EXPECT_TRUE(status_is_red());
  EXPECT_EQ(device->claim_attempts(), (std::vector<int>{0, 0}));
  EXPECT_EQ(sim::open_handle_count(), 0);
}

// A BlueCore headset in its normal mode does not answer the fresh page's DFU
// pass; the HCI pass that follows finds it, and the page stays ready for a
// device in firmware-management mode on its next run.
TEST_F(RecognitionPage, ANormalModeBlueCoreDeviceOnAFreshPageIsRecognized) {
  auto device = attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_4d10()));
  start();
  open_page_for(0x4D10);
  ASSERT_TRUE(page()->isFirst());
  const auto before = clock().elapsed();
  click(next());
  ASSERT_NO_FATAL_FAILURE(wait_for_the_end());

  // three HID opens 1 s apart, the DFU pass's 20 tries, then the HCI pass finds it at once
  EXPECT_GE(clock().elapsed() - before, 23s);
  EXPECT_TRUE(page()->isFirst());
  EXPECT_EQ(controller().mode(), session::k_mode_firmware_update);
  EXPECT_TRUE(controller().recognized());
  EXPECT_EQ(controller().usbStatus(), 0x4D10);
  EXPECT_EQ(controller().data().deviceRecognized(), 0x4D10);
  EXPECT_EQ(controller().data().deviceVersionMajor(), 4);
  EXPECT_EQ(controller().data().deviceVersionMinor(), 3);
  EXPECT_FALSE(status_is_red());
  EXPECT_EQ(device->claim_attempts(), std::vector<int>{0}) << "only the HCI pass opened it";
  const std::vector<std::string> keys = test_support::key_traffic(*device);
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys.front(), "read 675") << "the HCI pass asks the product id first";
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(RecognitionPage, AFailureAfterAnUpdateOfTheCameraOffersARestart) {
  start();
  controller().setDeviceUpdatedOrRestored(0x5310);
  open_page_for(0x6020);
  click(next());
  ASSERT_NO_FATAL_FAILURE(wait_for_the_end());

  auto* box = child<QDialog>("sheetMessageBox");
  VX_TRY_VERIFY(box->isVisible());
  const std::string title = AppTexts::vyla_title_in(0, 0);
  EXPECT_EQ(child<QLabel>("tfMessageBox")->text().toStdString(),
            "Restarting " + title + " may fix this problem.\nWould you like to restart " + title + "?\n");
  EXPECT_EQ(controller().messageBoxStatus(), 8);
  EXPECT_EQ(child<QPushButton>("btnMessageBoxOK")->text().toStdString(), AppTexts::vyla_string_yes_in(0));
  EXPECT_EQ(child<QPushButton>("btnMessageBoxCancel")->text().toStdString(), AppTexts::vyla_string_no_in(0));
  // the reason without the closing mark
  EXPECT_EQ(shown_status(), "Cannot open USB [-1]");
  EXPECT_TRUE(status_is_red());
}

TEST_F(RecognitionPage, ASecondStartWhileOneRunsIsIgnored) {
  auto device = plug(sim::hid_fixture_6020());
  start();
  open_page_for(0x6020);
  click(next());
  // the worker may already be done: its result is not taken before the poll
  page()->recognize();
  page()->doRecognize(nullptr);
  controller().goNext();
  ASSERT_NO_FATAL_FAILURE(wait_for_the_end());
  EXPECT_EQ(controller().mode(), session::k_mode_firmware_update);
  EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
}

TEST_F(RecognitionPage, ReturnsToThePageThatAsked) {
  struct Case {
    int caller;
    int mode;
    std::string status;  // English status line afterwards
  };
  // the update and restore pages say their operation succeeded
  const auto success = [](int mode) { return AppTexts::vyla_status_success_usb_in(mode, 0x6020, 0).value_or(""); };
  const auto ready = [](int mode) { return AppTexts::vyla_status_default_usb_in(mode, 0x6020, 0).value(); };
  const std::string worker_text = "Device recognized successfully. " + ready(5);
  const Case cases[] = {
      {0, 5, worker_text},
      {5, 5, success(5)},
      {6, 6, success(6)},
      {7, 7, success(7)},
      {8, 8, success(8)},
      {9, 9, success(9)},
      // a settings page that saved before moving on: the page's own default
      {105, 5, ready(5)},
      {107, 7, ready(7)},
      {109, 9, ready(9)},
  };
  auto device = plug(sim::hid_fixture_6020());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caller);
    start();
    controller().setDeviceTarget(0x6020);
    // every caller but the selection starts the recognition at once
    controller().setDeviceRecognitionWithStatus_info_from(true, nullptr, c.caller);
    EXPECT_EQ(controller().onProcessing(), c.caller != 0);
    if (c.caller == 0) click(next());
    ASSERT_NO_FATAL_FAILURE(wait_for_the_end());
    EXPECT_EQ(controller().mode(), c.mode);
    EXPECT_EQ(controller().currentDetailViewController(),
              child<QStackedWidget>("boxDetail")->currentWidget());
    EXPECT_TRUE(controller().recognized());
    EXPECT_EQ(shown_status(), c.status);
    EXPECT_FALSE(status_is_red());
    EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
  }
}

TEST_F(RecognitionPage, AnUpdateThatEndedWithAWarningKeepsItWhenThePageComesBack) {
  auto device = plug(sim::hid_fixture_6020());
  session::StatusLine::StatusTexts warning;
  for (int i = 0; i < strings::k_language_count; ++i) warning[static_cast<size_t>(i)] = "Camera part failed " + std::to_string(i);
  for (const int caller : {5, 6}) {
    SCOPED_TRACE(caller);
    start();
    controller().setDeviceTarget(0x6020);
    // the update page ended with a part that did not take, then handed over
    controller().setOperationWarning(warning);
    controller().setDeviceRecognitionWithStatus_info_from(true, nullptr, caller);
    ASSERT_NO_FATAL_FAILURE(wait_for_the_end());
    EXPECT_EQ(controller().mode(), caller);
    EXPECT_EQ(shown_status(), "Camera part failed 0") << "never the success text";
    EXPECT_TRUE(status_is_red());
    EXPECT_FALSE(controller().takeOperationWarning()) << "shown once";
    EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
  }
}

TEST_F(RecognitionPage, QuittingStopsARunningRecognitionBeforeTheShutDown) {
  auto device = plug(sim::hid_fixture_6020());
  // the device takes its time over the name read (real time: the worker is busy in it)
  std::atomic<bool> reading_name{false};
  device->on_command(0x03, [&](std::span<const std::uint8_t>) {
    reading_name = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return sim::HidModel::Answer{sim::k_hid_status_failed, {}};
  });
  start();
  FEXOBluetoothManagerAppDelegate delegate(&controller());
  open_page_for(0x6020);
  click(next());
  for (int waited_ms = 0; !reading_name && waited_ms < test_support::k_timer_wait_ms; ++waited_ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(reading_name);

  // the end of the event loop: the worker ends the exchange in progress, then
  // the delegate writes the archive and closes the USB libraries
  ASSERT_TRUE(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
  EXPECT_EQ(commands_received(*device), std::vector<int>{0x03}) << "nothing sent after the stop";
  page()->timerMethodRecognize();
  EXPECT_FALSE(controller().onProcessing()) << "the worker had ended";
  EXPECT_EQ(controller().mode(), session::k_mode_device_recognition);
  EXPECT_FALSE(controller().recognized());
  EXPECT_EQ(shown_status(), "Cannot open USB [-1][N]");
}

TEST_F(RecognitionPage, ARestartToRecoverShowsTheContinueTextInRedAndRunsOnce) {
  start();
  controller().setRestartToRecover(true);
  controller().setModeRestartToRecover(5);
  page()->initializeObject();
  EXPECT_EQ(shown_status(), AppTexts::vyla_status_default_usb_in(4, 0x4D10, 0).value() + ". " +
                                AppTexts::vyla_string_continue_the_firmware_update_or_restore_in(5, 0));
  EXPECT_TRUE(status_is_red());
  EXPECT_TRUE(page()->isFirst());
  m_controller.reset();

  // the start-up after such a restart runs exactly one recognition, then returns
  auto device = plug(sim::hid_fixture_6020());
  write_archive([](platform::KeyedArchiver& coder) {
    coder.encode_int("keyDeviceTarget", 0x6020);
    coder.encode_bool("keyRestartToRecover", true);
    coder.encode_int("keyModeRestartToRecover", 7);
  });
  start();
  EXPECT_EQ(page()->callerMode(), 7);
  ASSERT_NO_FATAL_FAILURE(wait_for_the_end());
  EXPECT_EQ(controller().mode(), 7);
  EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
}

// After Next the controller's record holds what the device holds: the address,
// the settings words and their on/off fields, the VOX words, the FM block and
// the speed dials.
TEST_F(RecognitionPage, RecognitionReadsTheDevicesSettingsIntoTheRecord) {
  struct Case {
    const char* name;
    sim::HidModelOptions options;
    std::array<int, 4> lm6;  // words 0-3
    int handsfree_vox, edr, smart_navi, auto_on_off, audio_boost;
    std::array<int, 2> vox;
    int magic;
    std::array<int, 10> presets;
    int region;
  };
  const Case cases[] = {
      // settings word 0x6839 in the navigation layout with automatic on/off; six presets
      {"0x6030", sim::hid_fixture_6030(), {0x7777, 0x7777, 0x0071, 0x0004}, 1, 0, 1, 1, 0, {3, 1}, 0x56E9,
       {8750, 8800, 8850, 8900, 8950, 9000, 0, 0, 0, 0}, 2},
      // settings word 0x0C3D in block 0x36 in the full layout; word 1 copied; VOX from block 0x17
      {"0x6038", sim::hid_fixture_6038(), {0x7777, 0x0050, 0x7777, 0x7777}, 1, 1, 0, 0, 1, {4, 1}, 0x66E9,
       {8750, 8800, 8850, 8900, 8950, 9000, 9050, 9100, 9150, 9200}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.options);
    start();
    open_page_for(c.options.product_id);
    FEXOBluetoothDeviceData& record = controller().data();
    for (int i = 0; i < 4; ++i) record.setBasicSetting20At_with(i, 0x7777);
    click(next());
    ASSERT_NO_FATAL_FAILURE(wait_for_the_end());
    ASSERT_EQ(controller().mode(), session::k_mode_firmware_update);
    EXPECT_EQ(record.bdAddress(), "001A7D[DA7113]");
    EXPECT_EQ(record.deviceBdAddress(), "001A7DDA7113");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(record.basicSettingLM6(i), c.lm6[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(record.handsfreeVOX(), c.handsfree_vox);
    EXPECT_EQ(record.edr(), c.edr);
    EXPECT_EQ(record.smartNaviSystem(), c.smart_navi);
    EXPECT_EQ(record.autoOnOff(), c.auto_on_off);
    EXPECT_EQ(record.audioBoost(), c.audio_boost);
    EXPECT_EQ(record.basicSettingKR5VOXSensitivityAt(0), c.vox[0]);
    EXPECT_EQ(record.basicSettingKR5VOXSensitivityAt(1), c.vox[1]);
    EXPECT_EQ(record.fmRadioMagicCode(), c.magic);
    EXPECT_EQ(record.fmRadioCurrentFrequency(), 10110);
    EXPECT_EQ(record.fmRadioCurrentPreset(), 2);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(record.fmRadioPresetsAt(i), c.presets[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(record.fmRadioRDS(), 1);
    EXPECT_EQ(record.fmRadioRegion(), c.region);
    EXPECT_EQ(record.speedDialAt(0), "0049301234");
    EXPECT_EQ(record.speedDialAt(1), "112");
    EXPECT_EQ(record.speedDialAt(2), "");
    device->take_output_reports();
    sim::detach(*device);
  }
}

// A restore hands its backup to the recognition: the device's blocks take the
// backup's words before they are read back, so the record shows them too.
TEST_F(RecognitionPage, RecognitionAfterARestoreWritesTheBackupIntoTheDevice) {
  auto device = plug(sim::hid_fixture_6030());
  start();
  FEXOBluetoothDeviceData backup;
  backup.setDeviceRecognized(0x6030);
  backup.setDeviceVersionMajor_Minor(1, 3);
  backup.setVoicePrompt(1);
  backup.setSmartNaviSystem(1);
  backup.setBasicSetting20At_with(2, 0x0066);
  backup.setBasicSettingKR5VOXSensitivity_with(0, 4);
  backup.setFmRadioCurrentFrequency(9950);
  backup.setFmRadioCurrentPreset(1);
  for (int i = 0; i < 10; ++i) backup.setFmRadioPresetsAt_with(i, 9000 + 100 * i);
  backup.setFmRadioRDS(0);
  backup.setFmRadioRegion(3);
  backup.setSpeedDialAt_with(0, std::string("5550100"));
  backup.setSpeedDialAt_with(1, std::string(""));
  backup.setSpeedDialAt_with(2, std::string("911"));
  const std::uint16_t packed = static_cast<std::uint16_t>(backup.getSettings40());
  ASSERT_EQ(packed, 0x2008);  // voice prompt and smart navigation

  controller().setDeviceTarget(0x6030);
  controller().setDeviceRecognitionWithStatus_info_from(true, &backup, session::k_mode_firmware_restore);
  ASSERT_NO_FATAL_FAILURE(wait_for_the_end());
  EXPECT_EQ(controller().mode(), session::k_mode_firmware_restore);

  // what the device holds now
  EXPECT_EQ(device->block(0x04), (std::vector<std::uint16_t>{packed, 0, 0x0066, 0}));
  EXPECT_EQ(device->block(0x14), std::vector<std::uint16_t>{4});
  EXPECT_EQ(device->block(0x15), (std::vector<std::uint16_t>{0x56E9, 9950, 1, 9000, 9100, 9200, 9300, 9400, 9500, 0, 3}));
  EXPECT_EQ(device->block(0x5A), sim::character_words("5550100"));
  EXPECT_EQ(device->block(0x5B), std::vector<std::uint16_t>{0});
  EXPECT_EQ(device->block(0x5C), sim::character_words("911"));
  EXPECT_EQ(device->commits(), 3);

  // and what the record shows
  const FEXOBluetoothDeviceData& record = controller().data();
  EXPECT_EQ(record.voicePrompt(), 1);
  EXPECT_EQ(record.smartNaviSystem(), 1);
  EXPECT_EQ(record.handsfreeVOX(), 0);
  EXPECT_EQ(record.basicSettingLM6(2), 0x0066);
  EXPECT_EQ(record.basicSettingKR5VOXSensitivityAt(0), 4);
  EXPECT_EQ(record.basicSettingKR5VOXSensitivityAt(1), 0);
  EXPECT_EQ(record.fmRadioCurrentFrequency(), 9950);
  EXPECT_EQ(record.fmRadioPresetsAt(5), 9500);
  EXPECT_EQ(record.fmRadioRegion(), 3);
  EXPECT_EQ(record.speedDialAt(0), "5550100");
  EXPECT_EQ(record.speedDialAt(1), "");
  EXPECT_EQ(record.speedDialAt(2), "911");
  device->take_output_reports();
}

TEST_F(RecognitionPage, AMeshProductGetsItsMeshVersionAndIsBackInNormalMode) {
  auto device = plug(sim::hid_fixture_5552());
  start();
  open_page_for(0x5552);
  const auto before = clock().elapsed();
  click(next());
  ASSERT_NO_FATAL_FAILURE(wait_for_the_end());
  EXPECT_EQ(controller().mode(), session::k_mode_firmware_update);
  EXPECT_GE(clock().elapsed() - before, 2s);
  const FEXOBluetoothDeviceData& record = controller().data();
  EXPECT_EQ(record.deviceVersionMajor01(), 1);
  EXPECT_EQ(record.deviceVersionMinor01(), 6);
  EXPECT_EQ(record.deviceVersionMajor02(), 1);
  EXPECT_EQ(record.deviceVersionMinor02(), 4);
  EXPECT_EQ(record.deviceSecondaryVersion02(), 2);
  EXPECT_EQ(controller().usbStatus(), 0x5552);
  // the switch, the mesh unit's two short exchanges, then normal mode and the
  // settings read once the main unit is back
  const std::vector<int> commands = commands_received(*device);
  ASSERT_GE(commands.size(), 9u);
  EXPECT_EQ(std::vector<int>(commands.begin() + 4, commands.begin() + 9),
            (std::vector<int>{0x0F, 0x00, 0x01, 0x10, 0x02}));
  EXPECT_FALSE(device->in_mesh_mode());
  EXPECT_EQ(record.basicSettingLM6(2), 0x0102) << "the settings words came from the main unit";
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(RecognitionPage, WebAddressesInTheInstructionAreLinks) {
  struct Case {
    const char* text;
    const char* html;
  };
  const Case cases[] = {
      {"no address", "no address"},
      {"see www.example.com.", "see <a href=\"http://www.example.com\">www.example.com</a>."},
      {"a\nhttps://h.example/p?q=1&r=2 b",
       "a<br><a href=\"https://h.example/p?q=1&amp;r=2\">https://h.example/p?q=1&amp;r=2</a> b"},
      {"<b> http://x.example", "&lt;b&gt; <a href=\"http://x.example\">http://x.example</a>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DeviceRecognitionViewController::autoLinkURLs(c.text).toStdString(), c.html);
  }

  // a click on a link opens it in the browser
  start();
  open_page_for(0x6020);
  controller().window()->show();
  auto* instruction = child_of<QTextBrowser>(page(), "tvInstruction");
  instruction->setHtml(DeviceRecognitionViewController::autoLinkURLs("Help: www.example.com"));
  QTextCursor cursor(instruction->document());
  cursor.setPosition(QStringLiteral("Help: www.ex").size());
  const QPoint at = instruction->cursorRect(cursor).center();
  QTest::mouseClick(instruction->viewport(), Qt::LeftButton, {}, at);
  VX_TRY_EQ(m_browser.urls, std::vector<std::string>{"http://www.example.com"});
}

}  // namespace
