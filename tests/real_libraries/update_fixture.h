#pragma once
// Fixture for a flashing procedure's update worker on the real libraries. The
// procedures wait whole seconds for devices to reboot and flash; here time is
// real, so the platform clock runs faster than the wall clock: a procedure's
// 60 s wait takes 60 s / k_time_factor, the models' reboots (on the same
// clock) shrink alike, and the libraries' own time-outs stay real.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "session/page_modes.h"
#include "real_libraries/real_bus_fixture.h"
#include "support/fake_services.h"
#include "support/firmware_package_builder.h"
#include "support/temp_folder.h"
#include "update/fake_update_page.h"
#include "update/update_engine.h"
#include "update/update_report.h"

namespace test_support {

// A platform clock `factor` times as fast as the wall clock: sleep_for sleeps
// a `factor`th of its duration, and now() moves `factor` times as fast, from
// the real time at which it was started.
class ScaledClock final : public platform::Clock {
 public:
  explicit ScaledClock(int factor) : m_factor(factor) {}

  // Starts the scaled time line at the wall clock's now (while not installed).
  void restart() { m_origin.store(std::chrono::steady_clock::now().time_since_epoch().count()); }

  time_point now() override {
    const time_point origin{std::chrono::steady_clock::duration(m_origin.load())};
    return origin + (std::chrono::steady_clock::now() - origin) * m_factor;
  }
  void sleep_for(std::chrono::milliseconds duration) override {
    if (duration.count() > 0) {
      std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(duration) / m_factor);
    }
  }

 private:
  const int m_factor;
  std::atomic<std::chrono::steady_clock::rep> m_origin{std::chrono::steady_clock::now().time_since_epoch().count()};
};

// Twenty times the wall clock: an update of some 90 s takes under 5 s, and a
// time-out of 30 s in a procedure still lasts 1.5 s, far longer than any
// exchange with an emulated device.
inline constexpr int k_time_factor = 20;

class RealUpdateFixture : public RealBusFixture {
 protected:
  RealUpdateFixture() {
    m_page.set_report(&m_report);
    ::setenv("VEXLINK_APP_FOLDER", m_app_folder.path().c_str(), 1);
    // the clock outlives every test: the adapter's thread may still be reading it as a test ends
    scaled_clock().restart();
    platform::install_clock(&scaled_clock());
  }
  ~RealUpdateFixture() override { ::unsetenv("VEXLINK_APP_FOLDER"); }

  void TearDown() override {
    RealBusFixture::TearDown();
    platform::install_clock(nullptr);
  }

  static ScaledClock& scaled_clock() {
    static ScaledClock* const clock = new ScaledClock(k_time_factor);
    return *clock;
  }

  // Runs the update worker of the selected product to its end with `file`,
  // as the update page starts it; the time it took on the platform clock.
  std::chrono::milliseconds run_worker(const std::string& file) {
    const auto started = platform::now();
    update::UpdateRun run(m_services, m_report, m_page, {session::k_mode_firmware_update, file}, m_stop);
    testing::internal::CaptureStdout();
    run.run();
    m_console = testing::internal::GetCapturedStdout();
    return std::chrono::duration_cast<std::chrono::milliseconds>(platform::now() - started);
  }

  std::string write_package(const FirmwarePackage& package) { return m_files.write("firmware.img", package.build()); }

  TempFolder m_app_folder;
  TempFolder m_files;
  FakeServices m_services;
  update::UpdateReport m_report;
  FakeUpdatePage m_page{m_services};
  std::atomic<bool> m_stop{false};
  std::string m_console;
};

}  // namespace test_support
