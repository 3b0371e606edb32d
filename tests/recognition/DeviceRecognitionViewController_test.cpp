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
#include "strings/app_texts.h"
#include "update/UpdateViewController.h"
#include "page_fixture.h"
#include "recognition_traffic.h"

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

  // Polls as the page's one-second timer does until the worker's result is taken.
  void wait_for_the_end() {
    QTRY_VERIFY_WITH_TIMEOUT((page()->timerMethodRecognize(), !controller().onProcessing()),
                             test_support::k_timer_wait_ms);
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
  QTRY_VERIFY_WITH_TIMEOUT(!controller().onProcessing(), test_support::k_timer_wait_ms);
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
    wait_for_the_end();
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
  wait_for_the_end();

  // three HID opens 1 s apart, then the legacy entry fails with -1
  EXPECT_GE(clock().elapsed() - before, 3s);
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

TEST_F(RecognitionPage, AFailureAfterAnUpdateOfTheCameraOffersARestart) {
  start();
  controller().setDeviceUpdatedOrRestored(0x5310);
  open_page_for(0x6020);
  click(next());
  wait_for_the_end();

  auto* box = child<QDialog>("sheetMessageBox");
  QTRY_VERIFY(box->isVisible());
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
  wait_for_the_end();
  EXPECT_EQ(controller().mode(), session::k_mode_firmware_update);
  EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
}

TEST_F(RecognitionPage, ReturnsToThePageThatAsked) {
  struct Case {
    int caller;
    int mode;
    std::string status;  // English status line afterwards
  };
  // the update and restore pages have no success text: their line is left empty
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
    wait_for_the_end();
    EXPECT_EQ(controller().mode(), c.mode);
    EXPECT_EQ(controller().currentDetailViewController(),
              child<QStackedWidget>("boxDetail")->currentWidget());
    EXPECT_TRUE(controller().recognized());
    EXPECT_EQ(shown_status(), c.status);
    EXPECT_FALSE(status_is_red());
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
  wait_for_the_end();
  EXPECT_EQ(controller().mode(), 7);
  EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
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
  QTRY_COMPARE(m_browser.urls, std::vector<std::string>{"http://www.example.com"});
}

}  // namespace
