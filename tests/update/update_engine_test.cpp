// The update worker's frame: its start, its exits, its waits and the
// download-mode step of 0x6020, 0x6022 and 0x6024 on the simulated bus.
#include "update/update_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "session/page_modes.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "strings/common_texts.h"
#include "strings/product_catalogue.h"
#include "support/bus_fixture.h"
#include "support/fake_services.h"
#include "support/hid_requests.h"
#include "support/temp_folder.h"
#include "update/families/download_mode.h"
#include "update/fake_update_page.h"
#include "update/update_worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using update::Exit;
using update::UpdateRun;

class UpdateWorker : public test_support::BusFixture {
 protected:
  UpdateWorker() : m_watching(clock()) {
    platform::install_clock(&m_watching);
    m_page.set_report(&m_report);
  }
  void TearDown() override {
    hid_close_all();
    platform::install_clock(&clock());
    BusFixture::TearDown();
  }

  void select(int product, int usb_status) {
    m_services.state().setDeviceTarget(product);
    m_services.state().setUsbStatus(usb_status);
  }
  UpdateRun make_run(int mode = session::k_mode_firmware_update) {
    return UpdateRun(m_services, m_report, m_page, {mode, "/nonexistent/firmware.bin"}, m_stop);
  }
  // Runs the worker of the selected product to its end; returns what it wrote on the console.
  std::string run_worker(UpdateRun& run) {
    testing::internal::CaptureStdout();
    run.run();
    return testing::internal::GetCapturedStdout();
  }
  // The bar the worker showed during each second of its waits.
  void watch_bar() {
    m_watching.watch([this](std::chrono::milliseconds elapsed) {
      const int bar = m_report.updateProcessed();
      if (bar < 1) return;
      m_bars.push_back({elapsed, bar, sim::open_handle_count(), m_page.circular_running.load()});
    });
  }

  struct BarSample {
    std::chrono::milliseconds elapsed;
    int bar;
    int open_handles;
    bool circular;
  };

  test_support::WatchingClock m_watching;
  test_support::FakeServices m_services;
  update::UpdateReport m_report;
  test_support::FakeUpdatePage m_page{m_services};
  std::atomic<bool> m_stop{false};
  std::vector<BarSample> m_bars;
};

const std::string k_not_recognized = "Failed to update firmware. Not the recognized device";

TEST_F(UpdateWorker, DownloadModeStepSendsOneCommandClosesHidAndWaitsTenSeconds) {
  auto device = attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()));
  select(0x6020, 0x6020);
  watch_bar();
  UpdateRun run = make_run();
  const std::string console = run_worker(run);

  EXPECT_NE(console.find("COMMAND_ENTER_DNLD_MODE OK"), std::string::npos);
  const auto commands = test_support::commands_received(*device);
  EXPECT_EQ(commands, std::vector<int>{0x0E});
  // the reboot wait, then the USB DFU procedure's 20 s for the download-mode device
  const auto reboot_end =
      std::find_if(m_bars.begin(), m_bars.end(), [](const BarSample& sample) { return !sample.circular; });
  ASSERT_NE(reboot_end, m_bars.begin());
  ASSERT_NE(reboot_end, m_bars.end());
  for (auto sample = m_bars.begin(); sample != reboot_end; ++sample) {
    SCOPED_TRACE(sample->elapsed.count());
    EXPECT_EQ(sample->open_handles, 0) << "HID is closed before the waits";
    const int expected = sample->elapsed < m_bars.front().elapsed + 4s ? 1
                         : sample->elapsed < m_bars.front().elapsed + 7s ? 2
                                                                         : 3;
    EXPECT_EQ(sample->bar, expected);
  }
  EXPECT_EQ(reboot_end->elapsed - m_bars.front().elapsed, 10s);
  EXPECT_EQ(m_bars.back().elapsed + 1s - reboot_end->elapsed, 20s);
  EXPECT_FALSE(m_page.circular_running);
  EXPECT_EQ(run.dfu_product_id(), 0x6021);
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_device);
  EXPECT_EQ(m_report.updateStatusAt(0), k_not_recognized);
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_FALSE(device->present()) << "the device left for its download mode";
}

TEST_F(UpdateWorker, DownloadModeStepEndsOrGoesOnAsTheDeviceAnswers) {
  struct Case {
    const char* name;
    int selected;
    int usb_status;
    std::uint8_t enter_download_status;
    std::vector<int> commands;
    const char* console;
    std::chrono::milliseconds waited;
  };
  const Case cases[] = {
      // the attached device is not the selected one: k_update_error_device before any report
      {"another device", 0x6022, 0x6022, 0, {}, "", 0ms},
      // a refused 0x0E is logged and the step goes on
      // (then the USB DFU procedure looks for the download-mode device for 20 s)
      {"refused", 0x6020, 0x6020, 5, {0x0E}, "COMMAND_ENTER_DNLD_MODE FAIL", 10s + 20s},
      // already in firmware-management mode: no HID at all
      {"firmware-management mode", 0x6022, 0x8000 | 0x6022, 0, {}, "+++DFU", 20s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.enter_download_status = c.enter_download_status;
    auto device = attach(std::make_shared<sim::HidModel>(options));
    select(c.selected, c.usb_status);
    const std::chrono::milliseconds start = clock().elapsed();
    UpdateRun run = make_run();
    const std::string console = run_worker(run);

    EXPECT_NE(console.find(c.console), std::string::npos);
    EXPECT_EQ(test_support::commands_received(*device), c.commands);
    EXPECT_GE(clock().elapsed() - start, c.waited);
    EXPECT_LT(clock().elapsed() - start, c.waited + 1s);
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_device);
    EXPECT_EQ(m_report.updateStatusAt(0), k_not_recognized);
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::reset();
  }
}

TEST_F(UpdateWorker, AStopRequestEndsTheWaitsAtOnce) {
  auto device = attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()));
  select(0x6020, 0x6020);
  m_watching.watch([this](std::chrono::milliseconds elapsed) {
    if (elapsed >= 5s) m_stop = true;
  });
  UpdateRun run = make_run();
  run_worker(run);
  EXPECT_EQ(test_support::commands_received(*device), std::vector<int>{0x0E});
  EXPECT_LT(clock().elapsed(), 6s);
  EXPECT_EQ(m_report.updateProcessed(), 2);
  EXPECT_FALSE(m_page.circular_running);
  EXPECT_TRUE(m_report.updateFinished());
  // the USB DFU procedure never ran: the code is the generic one
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
}

// What a procedure saw when the frame handed over to it.
struct Handed {
  update::UpdateStatus status;
  update::Progress progress;
  int code = -1;
  bool finished = true;
  bool box_open = true;
};
Handed g_handed;
update::UpdateReport* g_report = nullptr;

Exit record_start(UpdateRun& run) {
  g_handed = {run.report().updateStatus(), run.report().progress(), run.report().updateRestoreError(),
              run.report().updateFinished(), run.report().openedMessageBox()};
  return Exit::finish;
}

TEST_F(UpdateWorker, TheWorkerStartWritesThePageStatusAndTheFirstReport) {
  struct Case {
    int mode;
    const char* english;
    const char* german;
  };
  const Case cases[] = {
      {session::k_mode_firmware_update, "On updating firmware. Checking firmware",
       "Beim Firmware-Update. Checking firmware"},
      {session::k_mode_firmware_restore, "On restoring firmware. Checking backup firmware",
       "Bei der Firmware-Zurücksetzung. Checking backup firmware"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    m_report.setUpdateFinished(true);
    m_report.setOpenedMessageBox(true);
    m_report.setAddUpdateProcessed(40);
    UpdateRun run = make_run(c.mode);
    run.run_procedure(record_start);
    EXPECT_EQ(g_handed.status[0], c.english);
    EXPECT_EQ(g_handed.status[2], c.german);
    EXPECT_EQ(g_handed.progress.processed, 0);
    EXPECT_EQ(g_handed.progress.phase, 0);
    EXPECT_EQ(g_handed.code, update::k_update_error_generic);
    EXPECT_FALSE(g_handed.finished);
    EXPECT_FALSE(g_handed.box_open);
  }
}

// Procedures that open the device, hold a package and leave a notice open.
Exit leave_with(UpdateRun& run, Exit exit) {
  EXPECT_EQ(test_support::open_hid_device_quietly(), 0);
  run.package() = std::make_unique<std::uint8_t[]>(1024);
  run.show_notice({"restarting", false, std::nullopt, std::nullopt, session::MessageBoxSize::w420_h115,
                   session::MessageBoxPurpose::update_notice_other});
  return exit;
}
Exit leave_closing(UpdateRun& run) { return leave_with(run, Exit::close_and_finish); }
Exit leave_finishing(UpdateRun& run) { return leave_with(run, Exit::finish); }
Exit leave_releasing(UpdateRun& run) { return leave_with(run, Exit::release); }

// The controller, noting whether the operation had been published as
// finished when the worker closed its box.
class WatchingServices : public test_support::FakeServices {
 public:
  session::MessageBoxPurpose closeMessageBox() override {
    finished_when_closed = g_report && g_report->updateFinished();
    return FakeServices::closeMessageBox();
  }
  bool finished_when_closed = true;
};

TEST_F(UpdateWorker, EachExitReleasesWhatTheProcedureHeld) {
  struct Case {
    const char* name;
    update::FamilyProcedure procedure;
    int open_handles;
    bool finished;
  };
  const Case cases[] = {
      {"close and finish", leave_closing, 0, true},
      {"finish", leave_finishing, 1, true},
      {"release", leave_releasing, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()));
    WatchingServices services;
    g_report = &m_report;
    UpdateRun run(services, m_report, m_page, {session::k_mode_firmware_update, ""}, m_stop);
    run.run_procedure(c.procedure);
    g_report = nullptr;

    EXPECT_EQ(sim::open_handle_count(), c.open_handles);
    EXPECT_EQ(m_report.updateFinished(), c.finished);
    EXPECT_EQ(run.package(), nullptr) << "the package is freed on every exit";
    // the notice left open is closed, and before the timer may see the end
    EXPECT_EQ(services.calls, std::vector<std::string>{"closeMessageBox"});
    EXPECT_FALSE(services.box_open());
    EXPECT_FALSE(m_report.openedMessageBox());
    EXPECT_FALSE(services.finished_when_closed);
    hid_close_all();
    sim::reset();
  }
}

Exit throwing_procedure(UpdateRun&) { throw std::runtime_error("out of memory"); }

TEST_F(UpdateWorker, AProcedureThatThrowsEndsAsAGenericFailure) {
  UpdateRun run = make_run();
  testing::internal::CaptureStdout();
  run.run_procedure(throwing_procedure);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("out of memory"), std::string::npos);
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
}

TEST_F(UpdateWorker, CheckerMessagesBecomeReasonsAndNeverNothing) {
  select(0x3210, 0x3210);
  UpdateRun run = make_run();
  // the file of make_run is not there
  EXPECT_EQ(run.load_verified_package(0x3210), 0u);
  EXPECT_EQ(run.package(), nullptr);
  EXPECT_EQ(run.checker_reason(0), "Cannot access firmware");
  // a package for another product
  test_support::TempFolder folder;
  std::vector<std::uint8_t> header(36, 0);
  header[28] = 0x10;
  header[29] = 0x60;
  UpdateRun other(m_services, m_report, m_page, {5, folder.write("Y350R.img", header)}, m_stop);
  EXPECT_EQ(other.load_verified_package(0x6010), 36u);
  EXPECT_NE(other.package(), nullptr);
  EXPECT_EQ(other.package_bytes(), 36u);
  EXPECT_EQ(other.load_verified_package(0x3210), 0u);
  EXPECT_EQ(other.package(), nullptr);
  EXPECT_EQ(other.checker_reason(0), "Firmware corrupted");

  transport::set_message(run.message(), "Firmware not for WQ8#3210");
  EXPECT_EQ(run.checker_reason(0), "Firmware not for " + *ProductCatalogue::vyla_product_name(0x3210));
  transport::set_message(run.message(), "Cannot claim interface: busy (-6)");
  EXPECT_EQ(run.checker_reason(2), "Cannot claim interface: busy (-6)");
}

}  // namespace
