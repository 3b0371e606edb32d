#pragma once
// Fixture for tests that run a flashing procedure's update worker on the
// simulated bus in virtual time: the clock samples what the worker reported
// at every sleep, the controller opens and closes message boxes as the real
// one does (on the main thread), the application folder is a temporary one,
// and the worker runs to its end on the test's thread.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/main_queue.h"
#include "platform/main_queue_qt.h"
#include "session/message_box.h"
#include "session/page_modes.h"
#include "strings/product_catalogue.h"
#include "support/bus_fixture.h"
#include "support/fake_services.h"
#include "support/firmware_package_builder.h"
#include "support/qt_wait.h"
#include "support/temp_folder.h"
#include "transport/hid_channel.h"
#include "update/UpdateViewController.h"
#include "update/fake_update_page.h"
#include "update/update_engine.h"
#include "update/update_operation.h"

namespace test_support {

// The platform clock as the worker sees it: virtual time, and at every sleep
// a look at what the worker has reported so far.
class WatchingClock : public platform::Clock {
 public:
  explicit WatchingClock(platform::VirtualClock& time) : m_time(time) {}
  time_point now() override { return m_time.now(); }
  void sleep_for(std::chrono::milliseconds duration) override {
    if (m_watch) m_watch(m_time.elapsed());
    m_time.sleep_for(duration);
  }
  void watch(std::function<void(std::chrono::milliseconds elapsed)> watch) { m_watch = std::move(watch); }

 private:
  platform::VirtualClock& m_time;
  std::function<void(std::chrono::milliseconds)> m_watch;
};

// The virtual clock of an update whose page timer fires once a virtual
// second, on the worker's thread while the worker sleeps.
class TickingClock : public platform::Clock {
 public:
  explicit TickingClock(platform::VirtualClock& time) : m_time(time) {}
  time_point now() override { return m_time.now(); }
  void sleep_for(std::chrono::milliseconds duration) override {
    using namespace std::chrono_literals;
    const auto before = m_time.elapsed();
    m_time.sleep_for(duration);
    for (auto tick = before / 1s; tick < m_time.elapsed() / 1s; ++tick) {
      if (m_tick) m_tick();
    }
  }
  std::function<void()> m_tick;

 private:
  platform::VirtualClock& m_time;
};

// What the worker had reported at one sleep.
struct Sample {
  std::chrono::milliseconds elapsed;
  int phase;
  int bar;
  bool box_flag;
};

// The controller as it meets the worker: message boxes are opened and closed
// on the main thread (at once, while no dispatcher is installed).
class DispatchingServices : public FakeServices {
 public:
  void openMessageBox(const session::MessageBoxRequest& request, session::MessageBoxAnswer on_answer) override {
    platform::post_to_main([this, request, on_answer] { FakeServices::openMessageBox(request, on_answer); });
  }
  session::MessageBoxPurpose closeMessageBox() override {
    platform::post_to_main([this] { FakeServices::closeMessageBox(); });
    return session::MessageBoxPurpose::update_notice;
  }
};

class UpdateWorkerFixture : public BusFixture {
 protected:
  UpdateWorkerFixture() : m_watching(clock()) {
    platform::install_clock(&m_watching);
    m_page.set_report(&m_report);
    ::setenv("VEXLINK_APP_FOLDER", m_app_folder.path().c_str(), 1);
    m_watching.watch([this](std::chrono::milliseconds elapsed) {
      const update::Progress progress = m_report.progress();
      m_samples.push_back({elapsed, progress.phase, progress.processed, m_report.openedMessageBox()});
      if (m_answer_box && m_services.box_open() &&
          m_services.boxes.back().request.purpose == session::MessageBoxPurpose::backup_failed) {
        m_services.answer(*m_answer_box);
      }
      if (m_on_sleep) m_on_sleep(elapsed);
    });
  }
  ~UpdateWorkerFixture() override { ::unsetenv("VEXLINK_APP_FOLDER"); }
  void TearDown() override {
    hid_close_all();
    platform::install_clock(&clock());
    BusFixture::TearDown();
  }

  std::string write_package(const FirmwarePackage& package) { return m_files.write("firmware.img", package.build()); }

  // Runs the update worker of the selected product to its end with `file`.
  void run_worker(const std::string& file, int mode = session::k_mode_firmware_update,
                  update::FamilyProcedure procedure = nullptr) {
    m_samples.clear();
    m_start = clock().elapsed();
    update::UpdateRun run(m_services, m_report, m_page, {mode, file}, m_stop);
    testing::internal::CaptureStdout();
    if (procedure) run.run_procedure(procedure);
    else run.run();
    m_console = testing::internal::GetCapturedStdout();
  }

  // The phases the worker went through, each once, as the sleeps saw them.
  std::vector<int> phases() const {
    std::vector<int> seen;
    for (const Sample& sample : m_samples) {
      if (seen.empty() || seen.back() != sample.phase) seen.push_back(sample.phase);
    }
    if (seen.empty() || seen.back() != m_report.progress().phase) seen.push_back(m_report.progress().phase);
    return seen;
  }

  // What the page's timer saw at one tick.
  struct Tick {
    int bar;
    bool box_flag;  // openedMessageBox as the tick came
  };

  // Runs `operation` from its Update action to its end, with the page's timer
  // ticking once a virtual second on the worker's thread.
  std::vector<Tick> run_operation(update::UpdateOperation& operation) {
    using namespace std::chrono_literals;
    TickingClock ticking(clock());
    std::vector<Tick> ticks;
    ticking.m_tick = [&] {
      const bool box = operation.report().openedMessageBox();
      operation.timerMethodUpdate();
      ticks.push_back({operation.report().updateProcessed(), box});
    };
    platform::install_clock(&ticking);
    testing::internal::CaptureStdout();
    operation.updateFirmware();
    const auto give_up = std::chrono::steady_clock::now() + 10s;
    while (!operation.report().updateFinished() && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::yield();
    }
    operation.stop_and_join();
    // a success shows on one tick and hands over on the next
    for (int tick = 0; tick < 2 && operation.state() != update::k_state_idle; ++tick) operation.timerMethodUpdate();
    testing::internal::GetCapturedStdout();
    platform::install_clock(&m_watching);
    return ticks;
  }

  // Clicks Update on an update page whose file field holds `file` and waits
  // until its operation is idle again; recognition was asked once to read the
  // device anew.
  void update_from_the_page(const std::string& file) {
    using namespace std::chrono_literals;
    platform::install_qt_main_dispatcher();
    {
      UpdateViewController page(session::k_mode_firmware_update);
      page.setServices(&m_services);
      page.setTimerInterval(10ms);
      page.findChild<QLineEdit*>("tfFirmwareFile")->setText(QString::fromStdString(file));
      testing::internal::CaptureStdout();
      QTest::mouseClick(page.findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
      VX_TRY_EQ(page.operation().state(), update::k_state_idle);
      testing::internal::GetCapturedStdout();
      EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                           "setDeviceRecognitionWithStatus_info_from 0 - 5"),
                1);
      EXPECT_FALSE(m_services.state().onProcessing());
      // the worker's last box requests run before the controller goes
      QCoreApplication::sendPostedEvents();
    }
    platform::install_main_dispatcher(nullptr, nullptr);
  }

  std::filesystem::path archive_of(int product) const {
    return m_app_folder.file(*ProductCatalogue::vyla_product_name_for_internal(product, 1) + ".vylaarch");
  }

  // The data bytes of the data reports (commands `data_commands`) among
  // `reports`, by their count bytes.
  static std::vector<std::size_t> data_report_lengths(const std::vector<std::vector<std::uint8_t>>& reports,
                                                      std::vector<std::uint8_t> data_commands = {0x06}) {
    std::vector<std::size_t> lengths;
    for (const auto& report : reports) {
      if (std::find(data_commands.begin(), data_commands.end(), report[1]) != data_commands.end()) {
        lengths.push_back(static_cast<std::size_t>(report[2]) << 8 | report[3]);
      }
    }
    return lengths;
  }

  WatchingClock m_watching;
  TempFolder m_app_folder;
  TempFolder m_files;
  DispatchingServices m_services;
  update::UpdateReport m_report;
  FakeUpdatePage m_page{m_services};
  std::atomic<bool> m_stop{false};
  std::vector<Sample> m_samples;
  std::optional<bool> m_answer_box;  // the answer given to a backup_failed box
  // Called at every sleep of the worker, after the sample is taken.
  std::function<void(std::chrono::milliseconds elapsed)> m_on_sleep;
  std::chrono::milliseconds m_start{0};
  std::string m_console;
};

}  // namespace test_support
