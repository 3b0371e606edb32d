#pragma once
// Widget tests of the selection, recognition and manager update pages: the
// controller on the simulated USB bus with the virtual clock, in a fresh
// application folder, with web addresses caught instead of opened.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QMainWindow>
#include <QObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/keyed_archive.h"
#include "recognition/DeviceSelectionViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "sim/models/hid_model.h"
#include "support/app_folder.h"
#include "support/bus_fixture.h"
#include "support/loopback_server.h"

namespace test_support {

// Takes the addresses the program asks the browser to open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  std::vector<std::string> urls;

 public slots:
  void open(const QUrl& url) { urls.push_back(url.toString().toStdString()); }
};

// A page's one-second timer fires within this.
constexpr int k_timer_wait_ms = 5000;

class PageFixture : public BusFixture {
 protected:
  void SetUp() override {
    m_folder = enter_new_app_folder("vx-pages");
    // only the tests of the version check talk to an update server; the
    // update pages' list readings end at once without an answer
    DeviceSelectionViewController::s_checkedManagerUpdate = true;
    // (a fixture with a server of its own has pointed the base at it already)
    if (!std::getenv("VEXLINK_SERVER_BASE")) m_no_server.emplace(k_unreachable_server_base);
    for (const char* scheme : {"http", "https"}) QDesktopServices::setUrlHandler(scheme, &m_browser, "open");
  }

  void TearDown() override {
    // the pages join their workers before the bus goes away
    m_controller.reset();
    for (const char* scheme : {"http", "https"}) QDesktopServices::unsetUrlHandler(scheme);
    m_no_server.reset();
    leave_app_folder(m_folder);
    BusFixture::TearDown();
  }

  // Starts the manager as the program does: the device selection page shows.
  FEXOBluetoothManagerAppController& start() {
    m_controller.reset();
    m_controller = std::make_unique<FEXOBluetoothManagerAppController>();
    return *m_controller;
  }

  FEXOBluetoothManagerAppController& controller() { return *m_controller; }

  std::shared_ptr<sim::HidModel> plug(sim::HidModelOptions options) {
    return attach(std::make_shared<sim::HidModel>(std::move(options)));
  }

  // Writes a configuration archive whose root carries the keys `encode` writes.
  void write_archive(const platform::KeyedArchiver::Encode& encode) { write_configuration_archive(encode); }

  template <class T = QWidget>
  T* child(const char* name) {
    T* found = m_controller->window()->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // The page's child `name` (pages share outlet names such as btnNext).
  template <class T = QWidget>
  static T* child_of(QWidget* page, const char* name) {
    T* found = page->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // Whether the page's activity bar runs: Qt's busy bar (an empty range), shown on the page.
  static bool activity_bar_runs(QWidget* page) {
    auto* bar = child_of<QProgressBar>(page, "piProcessing");
    return bar->minimum() == 0 && bar->maximum() == 0 && bar->isVisibleTo(page);
  }

  std::string shown_status() { return child<QLabel>("tfStatus")->text().toStdString(); }
  bool status_is_red() {
    return child<QLabel>("tfStatus")->palette().color(QPalette::WindowText) == QColor(Qt::red);
  }

  std::string m_folder;
  std::optional<ScopedServerEnvironment> m_no_server;
  UrlCatcher m_browser;
  std::unique_ptr<FEXOBluetoothManagerAppController> m_controller;
};

}  // namespace test_support
