// The firmware section download a simulated HID device takes: what it keeps
// of each section, its readiness answers, its restart after the loader
// command, its faults, and the options VEXLINK_SIM gives it.
#include "sim/models/section_download_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "sim/sim_env.h"
#include "support/hid_device_fixture.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using test_support::long_request;

class SectionDownloadModelTest : public test_support::HidDeviceFixture {
 protected:
  // A data report of `length` bytes counting up from `first`, with stale
  // bytes after them as the host leaves them.
  static hid_cmd_report data_report(std::size_t length, std::uint8_t first) {
    hid_cmd_report report = long_request(0x06, {static_cast<std::uint8_t>(length >> 8),
                                                static_cast<std::uint8_t>(length & 0xFF)});
    for (std::size_t i = 0; i + 4 < report.size(); ++i) report[4 + i] = static_cast<std::uint8_t>(first + i);
    return report;
  }
};

TEST_F(SectionDownloadModelTest, KeepsEachSectionAsTheHostSentIt) {
  auto device = open(sim::hid_fixture_6020());  // 0x6020 takes no sections ...
  EXPECT_EQ(device->section_download(), nullptr);
  EXPECT_EQ(exchange(long_request(0x05)), 0);
  device->take_received();
  hid_close_all();
  sim::reset();

  sim::HidModelOptions options = sim::hid_fixture_6020();  // ... 0x6010 does
  options.product_id = 0x6010;
  device = open(options);
  sim::SectionDownload& sections = *device->section_download();
  struct Step {
    const char* name;
    hid_cmd_report report;
    int result;
  };
  const Step steps[] = {
      {"data before any section", data_report(4, 0), 0},
      {"enter download mode: the device stays", long_request(0x0E), 1},
      {"begin, kind 0x12", long_request(0x05, {0x12}), 1},
      {"1019 bytes", data_report(1019, 0), 1},
      {"1020 bytes are too many", data_report(1020, 0), 0},
      {"one byte", data_report(1, 0xA0), 1},
      {"end", long_request(0x07), 1},
      {"end without a section", long_request(0x07), 0},
      {"an empty section", long_request(0x05, {0x03}), 1},
      {"its end", long_request(0x07), 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    EXPECT_EQ(exchange(step.report), step.result);
  }
  EXPECT_TRUE(device->present());
  EXPECT_EQ(sections.download_mode_entries(), 1);
  const std::vector<sim::ReceivedSection> received = sections.sections();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].kind, 0x12);
  EXPECT_EQ(received[0].data_reports, 2);
  ASSERT_EQ(received[0].data.size(), 1020u);
  EXPECT_EQ(received[0].data[1018], static_cast<std::uint8_t>(1018));
  EXPECT_EQ(received[0].data[1019], 0xA0) << "the stale bytes after a report's count are not data";
  EXPECT_TRUE(received[0].ended);
  EXPECT_EQ(received[1].kind, 0x03);
  EXPECT_TRUE(received[1].data.empty());
  EXPECT_TRUE(received[1].ended);
  EXPECT_EQ(device->take_output_reports().size(), std::size(steps));
}

TEST_F(SectionDownloadModelTest, ReadinessAndTheLoaderRestart) {
  struct Case {
    const char* name;
    sim::SectionDownloadOptions options;
    std::vector<int> results;  // 1 ready, 0 not ready, -1 failed exchange
    bool back_after_absence;
  };
  sim::SectionDownloadOptions two_not_ready;
  two_not_ready.not_ready_queries = 2;
  two_not_ready.reboot_absent_for = 7s;
  sim::SectionDownloadOptions never_ready;
  never_ready.never_ready = true;
  never_ready.never_returns = true;
  sim::SectionDownloadOptions failing_then_ready;
  failing_then_ready.failing_ready_queries = 2;
  failing_then_ready.not_ready_queries = 1;
  const Case cases[] = {
      {"two times not yet, then ready", two_not_ready, {0, 0, 1, 1}, true},
      {"never ready; the loader's device never returns", never_ready, {0, 0, 0, 0}, false},
      {"two failed exchanges, once not yet", failing_then_ready, {-1, -1, 0, 1}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.product_id = 0x6010;
    options.section_download = c.options;
    auto device = open(options);
    std::vector<int> results;
    for (std::size_t i = 0; i < c.results.size(); ++i) {
      results.push_back(exchange(long_request(0x0D)) == 1 ? m_reply[3] : -1);
    }
    EXPECT_EQ(results, c.results);

    EXPECT_EQ(exchange(long_request(0x08)), 1);
    EXPECT_TRUE(device->present()) << "the answer is read before the device goes";
    platform::sleep_for(1s);
    EXPECT_FALSE(device->present());
    platform::sleep_for(c.options.reboot_absent_for);
    EXPECT_EQ(device->present(), c.back_after_absence);
    EXPECT_EQ(device->section_download()->loader_starts(), 1);
    device->take_received();
    hid_close_all();
    sim::reset();
  }
}

TEST_F(SectionDownloadModelTest, FaultsEndTheExchangeTheyName) {
  struct Case {
    const char* name;
    sim::SectionDownloadOptions options;
    int failing_report;  // 1-based position in the steps below; 0: none fails
  };
  const auto with = [](auto change) {
    sim::SectionDownloadOptions options;
    change(options);
    return options;
  };
  const Case cases[] = {
      {"status of the second data report", with([](auto& o) { o.failing_data_report = 2; }), 3},
      {"writes refused after the first data report", with([](auto& o) { o.write_error_after_data_reports = 1; }), 3},
      {"status of the second data report unreadable", with([](auto& o) { o.read_error_at_data_report = 2; }), 3},
      {"begin section refused", with([](auto& o) { o.failing_commands = {0x05}; }), 1},
      {"end section refused", with([](auto& o) { o.failing_commands = {0x07}; }), 4},
      {"a healthy device", {}, 0},
  };
  const std::vector<hid_cmd_report> steps = {long_request(0x05, {1}), data_report(10, 0), data_report(10, 10),
                                             long_request(0x07)};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.product_id = 0x6010;
    options.section_download = c.options;
    auto device = open(options);
    int first_failure = 0;
    for (std::size_t i = 0; i < steps.size() && first_failure == 0; ++i) {
      if (exchange(steps[i]) != 1) first_failure = static_cast<int>(i) + 1;
    }
    EXPECT_EQ(first_failure, c.failing_report);
    device->take_received();
    hid_close_all();
    sim::reset();
  }
}

TEST_F(SectionDownloadModelTest, VexlinkSimOptions) {
  struct Case {
    const char* description;
    bool carries;
    int not_ready;
    std::chrono::milliseconds absent;
    bool never_returns;
  };
  const Case cases[] = {
      {"hid:0x6010", true, 0, 5000ms, false},
      {"hid:0x5320,sections", true, 0, 5000ms, false},
      {"hid:0x5320,notready=3,reboot=2000", true, 3, 2000ms, false},
      {"hid:0x6010,reboot=never", true, 0, 5000ms, true},
      {"hid:0x6020", false, 0, 0ms, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    std::string error;
    const auto model = std::dynamic_pointer_cast<sim::HidModel>(sim::make_model(c.description, error));
    ASSERT_TRUE(model) << error;
    ASSERT_EQ(model->section_download() != nullptr, c.carries);
    if (!c.carries) continue;
    const sim::SectionDownloadOptions options = model->section_download()->options();
    EXPECT_EQ(options.not_ready_queries, c.not_ready);
    EXPECT_EQ(options.reboot_absent_for, c.absent);
    EXPECT_EQ(options.never_returns, c.never_returns);
  }
}

}  // namespace
