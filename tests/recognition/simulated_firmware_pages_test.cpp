// The firmware pages as vexlink-setwise-sim runs them against the loopback
// server: a 0x6010 from VEXLINK_SIM is recognized, takes the newer firmware
// the update page offers, and then has the backup that update wrote restored,
// after which recognition writes the backed-up settings into it.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/main_queue.h"
#include "platform/main_queue_qt.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/DeviceSelectionViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "sim/sim_env.h"
#include "support/app_folder.h"
#include "support/bus_fixture.h"
#include "support/firmware_package_builder.h"
#include "support/loopback_server.h"
#include "support/qt_wait.h"
#include "update/UpdateViewController.h"
#include "update/backup_step.h"

namespace {

using namespace std::chrono_literals;

// Whether a progress bar was drawn full while `when` held.
class FullBarWatch : public QObject {
 public:
  FullBarWatch(QProgressBar* bar, std::function<bool()> when) : m_bar(bar), m_when(std::move(when)) {
    bar->installEventFilter(this);
  }
  bool seen = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == m_bar && event->type() == QEvent::Paint && m_bar->value() == m_bar->maximum() && m_when()) {
      seen = true;
    }
    return false;
  }

 private:
  QProgressBar* m_bar;
  std::function<bool()> m_when;
};

class SimulatedFirmwarePages : public test_support::BusFixture {
 protected:
  void SetUp() override {
    m_folder = test_support::enter_new_app_folder("vx-firmware-sim");
    DeviceSelectionViewController::s_checkedManagerUpdate = true;
    platform::install_qt_main_dispatcher();
  }
  void TearDown() override {
    m_controller.reset();
    ::unsetenv("VEXLINK_SIM");
    platform::install_main_dispatcher(nullptr, nullptr);
    test_support::leave_app_folder(m_folder);
    BusFixture::TearDown();
  }

  static QPushButton* button(const char* name, QWidget* in) {
    auto* found = in->findChild<QPushButton*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // Recognition runs: its timer is ticked rather than waited for.
  void recognize_until(int mode) {
    DeviceRecognitionViewController* recognition = m_controller->deviceRecognitionViewController();
    VX_TRY_VERIFY_WITH_TIMEOUT((recognition->timerMethodRecognize(), m_controller->mode() == mode), 20000);
  }
  // The file panel the controller opened is answered with `path`.
  void answer_file_panel(const std::string& path) {
    QPointer<QFileDialog> panel;
    VX_TRY_VERIFY((panel = m_controller->window()->findChild<QFileDialog*>("filePanel")) != nullptr);
    panel->selectFile(QString::fromStdString(path));
    QMetaObject::invokeMethod(panel, "accept");
    VX_TRY_VERIFY(panel.isNull());
  }

  std::string m_folder;
  test_support::LoopbackServer m_server;
  test_support::ScopedServerEnvironment m_environment{m_server};
  std::unique_ptr<FEXOBluetoothManagerAppController> m_controller;
};

TEST_F(SimulatedFirmwarePages, UpdateThenRestoreTheBackupItWrote) {
  test_support::FirmwarePackage package;
  package.product_id = 0x6010;
  package.sections = {test_support::section_of(1500, 0, 0x0102), test_support::section_of(10, 1, 0x07)};
  const test_support::PackageBytes bytes = package.build();
  const std::string image(bytes.begin(), bytes.end());
  m_server.set_file("Firmware", "FR9:v1.3:FR9_v1.3.img\r\n");
  m_server.set_file("FR9_v1.3.img", image);
  m_server.set_file("Revisions", "FR9:v1.2:FR9_v1.2.img\r\nFR9:v1.3:FR9_v1.3.img\r\n");
  m_server.set_file("FR9_v1.2.img", image);

  ::setenv("VEXLINK_SIM", "hid:0x6010,fw=1.2", 1);
  ASSERT_EQ(sim::attach_from_environment(), 1);
  auto device = std::dynamic_pointer_cast<sim::HidModel>(sim::devices().at(0).model);
  ASSERT_TRUE(device);
  m_controller = std::make_unique<FEXOBluetoothManagerAppController>();
  FEXOBluetoothManagerAppController& controller = *m_controller;
  controller.window()->show();
  UpdateViewController* update_page = controller.updateViewController();
  UpdateViewController* restore_page = controller.restoreViewController();
  update_page->setTimerInterval(10ms);
  restore_page->setTimerInterval(10ms);

  testing::internal::CaptureStdout();
  QTest::mouseClick(button("btnNext", controller.deviceSelectionViewController()), Qt::LeftButton);
  QTest::mouseClick(button("btnNext", controller.deviceRecognitionViewController()), Qt::LeftButton);
  recognize_until(session::k_mode_firmware_update);
  ASSERT_EQ(controller.deviceTarget(), 0x6010);

  // the sheet offers v1.3; Yes downloads it and the update runs
  auto* sheet = update_page->findChild<QDialog*>("sheetNewUpdateFound");
  VX_TRY_VERIFY(sheet->isVisible());
  auto* bar = update_page->findChild<QProgressBar*>("piProcessing");
  auto* figure = update_page->findChild<QLabel*>("tfProcessing");
  FullBarWatch full_bar(bar, [&] {
    return controller.mode() == session::k_mode_firmware_update && figure->text() == "100";
  });
  QTest::mouseClick(button("btnYes", sheet), Qt::LeftButton);
  answer_file_panel(m_folder + "/FR9_v1.3.img");
  VX_TRY_VERIFY_WITH_TIMEOUT(controller.mode() == session::k_mode_device_recognition, 30000);
  EXPECT_EQ(update_page->operation().report().updateProcessed(), update::k_update_succeeded);
  EXPECT_TRUE(full_bar.seen) << "the update page drew 100 % before recognition took the window";
  // the update wrote the backup of the device as recognition read it
  ASSERT_TRUE(std::filesystem::exists(*update::backup_archive_path(0x6010)));
  recognize_until(session::k_mode_firmware_update);
  VX_TRY_VERIFY(!controller.onProcessing());
  // back on the update page, its list read again, the line tells how the update ended
  auto* status = controller.window()->findChild<QLabel*>("tfStatus");
  EXPECT_EQ(status->text(), "Firmware updated successfully");
  // a recognition after an update writes nothing
  const int commits_before_restore = device->commits();

  // the restore page shows the backup and finds its version among the revisions
  QTest::mouseClick(button("btnRestore", update_page), Qt::LeftButton);
  ASSERT_EQ(controller.mode(), session::k_mode_firmware_restore);
  VX_TRY_VERIFY(!controller.onProcessing());
  ASSERT_TRUE(restore_page->restorePossible());
  EXPECT_EQ(restore_page->findChild<QLabel*>("tfRestoredVersion")->text(), "v1.2");
  auto* restore = button("btnRestore", restore_page);
  ASSERT_TRUE(restore->isEnabled());
  QTest::mouseClick(restore, Qt::LeftButton);
  VX_TRY_VERIFY_WITH_TIMEOUT(controller.mode() == session::k_mode_device_recognition, 30000);
  EXPECT_EQ(restore_page->findChild<QLineEdit*>("tfFirmwareFile")->text().toStdString(), m_folder + "/FR9.img");
  // the recognition after the restore writes the backed-up settings into the
  // device, then returns to the restore page
  recognize_until(session::k_mode_firmware_restore);
  EXPECT_GT(device->commits(), commits_before_restore);
  VX_TRY_VERIFY(!controller.onProcessing());
  EXPECT_EQ(status->text(), "Firmware restored successfully");
  // in the interface language, after a change of it too
  controller.setLanguageManager(2);
  controller.updateStatusInManagerLanguage();
  EXPECT_EQ(status->text(), "Firmware erfolgreich wiederhergestellt");
  testing::internal::GetCapturedStdout();
}

}  // namespace
