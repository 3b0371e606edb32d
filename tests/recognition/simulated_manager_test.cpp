// The manager as vexlink-setwise-sim runs it: devices from VEXLINK_SIM, main
// queue on the Qt event loop, the user going from the start page to a
// recognized device.
#include <QMainWindow>
#include <QStackedWidget>

#include "platform/main_queue_qt.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "shell/FEXOBluetoothManagerAppDelegate.h"
#include "session/app_state.h"
#include "sim/sim_env.h"
#include "strings/app_texts.h"
#include "support/qt_wait.h"
#include "page_fixture.h"

namespace {

class SimulatedManager : public test_support::PageFixture {
 protected:
  void TearDown() override {
    ::unsetenv("VEXLINK_SIM");
    PageFixture::TearDown();
  }
};

TEST_F(SimulatedManager, RecognizesTheDeviceOfVexlinkSim) {
  ::setenv("VEXLINK_SIM", "hid:0x6020,fw=1.2", 1);
  platform::install_qt_main_dispatcher();
  ASSERT_EQ(sim::attach_from_environment(), 1);
  start();
  FEXOBluetoothManagerAppDelegate delegate(&controller());
  controller().window()->show();

  click(child_of<QPushButton>(controller().deviceSelectionViewController(), "btnNext"));
  ASSERT_EQ(controller().mode(), session::k_mode_device_recognition);
  click(child_of<QPushButton>(controller().deviceRecognitionViewController(), "btnNext"));
  VX_TRY_VERIFY_WITH_TIMEOUT(controller().mode() == session::k_mode_firmware_update, test_support::k_timer_wait_ms);
  // the update page reads the server's list (no answer here), then its controls are free
  VX_TRY_VERIFY_WITH_TIMEOUT(!controller().onProcessing(), test_support::k_timer_wait_ms);

  EXPECT_EQ(child<QLabel>("lblProduct")->text().toStdString(), "Y350R");
  EXPECT_EQ(child<QLabel>("lblVersion")->text().toStdString(), "v1.2");
  EXPECT_EQ(shown_status(),
            "Device recognized successfully. " + AppTexts::vyla_status_default_usb_in(5, 0x6020, 0).value());
  EXPECT_TRUE(child<QPushButton>("btnFirmwareUpdate")->isChecked());

  // quitting keeps the product for the next run
  delegate.applicationWillTerminate();
  m_controller.reset();
  start();
  EXPECT_EQ(controller().deviceTarget(), 0x6020);
}

TEST_F(SimulatedManager, AcceptsABlueCoreDeviceInFirmwareManagementMode) {
  ::setenv("VEXLINK_SIM", "bluecore:0xE020", 1);
  platform::install_qt_main_dispatcher();
  ASSERT_EQ(sim::attach_from_environment(), 1);
  start();
  click(child_of<QPushButton>(controller().deviceSelectionViewController(), "btnNext"));
  click(child_of<QPushButton>(controller().deviceRecognitionViewController(), "btnNext"));
  VX_TRY_VERIFY_WITH_TIMEOUT(controller().mode() == session::k_mode_firmware_update, test_support::k_timer_wait_ms);
  EXPECT_EQ(controller().usbStatus(), 0xE020);
  EXPECT_EQ(controller().deviceTarget(), 0x6020);
  EXPECT_TRUE(status_is_red());
}

}  // namespace
