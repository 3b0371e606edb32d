#pragma once
// A fresh application folder per test and helpers to start the controller on
// a recognized device.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "platform/main_queue.h"
#include "platform/main_queue_qt.h"
#include "recognition/DeviceSelectionViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "support/app_folder.h"
#include "support/loopback_server.h"
#include "support/qt_wait.h"
#include "update/UpdateViewController.h"

class ShellFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = test_support::enter_new_app_folder("vx-shell");
    // these tests never ask the update server for a newer manager, and the
    // update pages' list readings end at once without an answer
    DeviceSelectionViewController::s_checkedManagerUpdate = true;
    // (a fixture with a server of its own has pointed the base at it already)
    if (!std::getenv("VEXLINK_SERVER_BASE")) m_no_server.emplace(test_support::k_unreachable_server_base);
  }
  void TearDown() override {
    m_no_server.reset();
    test_support::leave_app_folder(m_folder);
  }

  std::unique_ptr<FEXOBluetoothManagerAppController> start() {
    auto controller = std::make_unique<FEXOBluetoothManagerAppController>();
    // the update pages' timer ends a list reading soon after it got its answer
    for (UpdateViewController* page : {controller->updateViewController(), controller->restoreViewController()}) {
      page->setTimerInterval(std::chrono::milliseconds(10));
    }
    return controller;
  }

  // Waits until the page shown has its controls free: the update pages read
  // the server's list when they are entered.
  static void wait_until_free(FEXOBluetoothManagerAppController& controller) {
    VX_TRY_VERIFY(!controller.onProcessing());
  }

  // Writes a configuration archive whose root carries the keys `encode` writes.
  void write_archive(const platform::KeyedArchiver::Encode& encode) {
    test_support::write_configuration_archive(encode);
  }

  // What recognition leaves for `product` at firmware major.minor with FM flag `fm`.
  static void recognize(FEXOBluetoothManagerAppController& controller, int product, int major = 1, int minor = 0,
                        int fm = 3, int usb = -1) {
    controller.setDeviceTarget(product);
    controller.data().setDeviceRecognized(product);
    controller.data().setDeviceVersionMajor(major);
    controller.data().setDeviceVersionMinor(minor);
    controller.setUsbStatus(usb < 0 ? product : usb);
    controller.setTabData(session::tab_data_for(product, major, minor, fm));
    controller.setFmRadioShowAndHide(fm);
    controller.setRecognized(true);
  }

  template <class T = QWidget>
  static T* child(FEXOBluetoothManagerAppController& controller, const char* name) {
    T* found = controller.window()->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  std::string m_folder;
  std::optional<test_support::ScopedServerEnvironment> m_no_server;
};

// The same with the main thread's queue run by Qt, so that message boxes,
// which always open through that queue, reach the window as in the program.
class QueuedShellFixture : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    platform::install_qt_main_dispatcher();
  }
  void TearDown() override {
    platform::install_main_dispatcher(nullptr, nullptr);
    ShellFixture::TearDown();
  }
};
