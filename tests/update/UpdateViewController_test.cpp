// The update page's own questions of the engine, run against a recording
// stand-in for the controller.
#include "update/UpdateViewController.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/clock.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "support/fake_services.h"
#include "support/qt_wait.h"
#include "update/update_engine.h"

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
  // the mesh products' bar runs to 102
  EXPECT_GE(bar->maximum(), 102);

  QTest::mouseClick(update, Qt::LeftButton);
  EXPECT_TRUE(services.state().onProcessing());
  // this product's procedure refuses the device: code 2, the selection box
  VX_TRY_EQ(services.boxes.size(), std::size_t{1});
  EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::start_over);
  EXPECT_EQ(page.operation().state(), update::k_state_idle);
  EXPECT_FALSE(services.state().onProcessing());
  EXPECT_EQ(services.calls.back(), "setStatus_withWarning Failed to update firmware. Not the recognized device 1");
}

TEST(UpdatePageEngine, StoppingThePageEndsAWorkerInItsWaitAtOnce) {
  // real time: the download-mode step would wait 10 s for the device to reboot
  sim::reset();
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

}  // namespace
