// The QCC firmware update a simulated HID device takes: what it keeps of each
// image and which report marked its end, its restarts into the update mode
// and after its loader, its readiness and mode answers, the mesh unit's short
// image and restart, its faults, and the option VEXLINK_SIM gives it.
#include "sim/models/qcc_update_model.h"

#include <gtest/gtest.h>

#include <functional>
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
using test_support::short_request;

// A data report of `length` bytes counting up from `first`, the count in bytes 2-3.
template <class Report>
Report data_report(std::uint8_t command, std::size_t length, std::uint8_t first) {
  Report report{};
  report[0] = 1;
  report[1] = command;
  report[2] = static_cast<std::uint8_t>(length >> 8);
  report[3] = static_cast<std::uint8_t>(length & 0xFF);
  for (std::size_t i = 0; i < length && 4 + i < report.size(); ++i) report[4 + i] = static_cast<std::uint8_t>(first + i);
  return report;
}

class QccUpdateModelTest : public test_support::HidDeviceFixture {
 protected:
  int short_exchange(const hid_short_report& request) {
    hid_short_report reply{};
    testing::internal::CaptureStdout();
    const int result = hid_short_command(0, request, reply);
    testing::internal::GetCapturedStdout();
    return result;
  }
  static int reopen(int (*open_device)(std::uint32_t&, transport_message&)) {
    std::uint32_t product = 0;
    transport_message message{};
    testing::internal::CaptureStdout();
    hid_close_all();
    const int result = open_device(product, message);
    testing::internal::GetCapturedStdout();
    return result;
  }
};

TEST_F(QccUpdateModelTest, KeepsTheImageAndTheReportThatMarkedItsEnd) {
  auto device = open(sim::hid_fixture_6038());
  ASSERT_NE(device->qcc_update(), nullptr);
  struct Step {
    const char* name;
    hid_cmd_report report;
    int result;
  };
  const Step steps[] = {
      {"data before the image begins", data_report<hid_cmd_report>(0x06, 4, 0), 0},
      {"begin", long_request(0x05), 1},
      {"an empty data report", data_report<hid_cmd_report>(0x06, 0, 0), 0},
      {"1020 bytes are too many", data_report<hid_cmd_report>(0x06, 1020, 0), 0},
      {"1019 bytes", data_report<hid_cmd_report>(0x06, 1019, 0), 1},
      {"the last report, one byte", data_report<hid_cmd_report>(0x0E, 1, 0xA0), 1},
      {"data after the last report", data_report<hid_cmd_report>(0x06, 1, 0), 0},
      {"end", long_request(0x07), 1},
      {"end without an image", long_request(0x07), 0},
      {"an image without data", long_request(0x05), 1},
      {"its end", long_request(0x07), 1},
      {"the result query", long_request(0x0A), 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    EXPECT_EQ(exchange(step.report), step.result);
  }
  EXPECT_EQ(short_exchange(short_request(0x05)), 0) << "the main unit takes no short image";
  const std::vector<sim::ReceivedImage> images = device->qcc_update()->images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].report_bytes, (std::vector<std::size_t>{1019, 1}));
  EXPECT_EQ(images[0].marked_last, 1u);
  ASSERT_EQ(images[0].data.size(), 1020u);
  EXPECT_EQ(images[0].data[1018], static_cast<std::uint8_t>(1018));
  EXPECT_EQ(images[0].data[1019], 0xA0);
  EXPECT_TRUE(images[0].ended);
  EXPECT_TRUE(images[1].data.empty());
  EXPECT_FALSE(images[1].marked_last);
  EXPECT_EQ(device->qcc_update()->result_queries(), 1);
  EXPECT_EQ(device->take_output_reports().size(), std::size(steps) + 1);
}

TEST_F(QccUpdateModelTest, RestartsAndAnswersReadinessAndMode) {
  sim::HidModelOptions options = sim::hid_fixture_4d16();
  options.qcc_update->not_ready_queries = 2;
  options.qcc_update->mode_answers = {0, 0, 3};
  options.qcc_update->update_mode_absence = 4s;
  options.qcc_update->loader_absence = std::nullopt;
  auto device = open(options);
  sim::QccUpdate& qcc = *device->qcc_update();

  std::vector<int> ready;
  std::vector<int> mode;
  for (int i = 0; i < 4; ++i) {
    ready.push_back(exchange(long_request(0x0D)) == 1 ? m_reply[3] : -1);
    mode.push_back(exchange(long_request(0x12)) == 1 ? m_reply[3] : -1);
  }
  EXPECT_EQ(ready, (std::vector<int>{0, 0, 1, 1}));
  EXPECT_EQ(mode, (std::vector<int>{0, 0, 3, 3})) << "the last answer repeats";
  EXPECT_EQ(exchange(long_request(0x10, {7})), 1);
  EXPECT_EQ(m_reply[3], 7) << "normal mode keeps the device's own answer";

  // the update mode: gone, then back with its product id
  EXPECT_EQ(exchange(long_request(0x13)), 1);
  EXPECT_TRUE(device->present()) << "the answer is read before the device goes";
  platform::sleep_for(1s);
  EXPECT_FALSE(device->present());
  platform::sleep_for(4s);
  EXPECT_TRUE(device->present());
  ASSERT_EQ(reopen(&hid_open_device), 0);

  // the loader of a device that never comes back
  EXPECT_EQ(exchange(long_request(0x08)), 1);
  platform::sleep_for(600s);
  EXPECT_FALSE(device->present());
  EXPECT_EQ(qcc.readiness_queries(), 4);
  EXPECT_EQ(qcc.mode_probes(), 4);
  EXPECT_EQ(qcc.normal_mode_entries(), 1);
  EXPECT_EQ(qcc.update_mode_entries(), 1);
  EXPECT_EQ(qcc.loader_starts(), 1);
  device->take_received();

  // without answers of its own the probe tells the device's mode
  sim::reset();
  device = open(sim::hid_fixture_4d16());
  EXPECT_EQ(exchange(long_request(0x12)), 1);
  EXPECT_EQ(m_reply[3], 1);
  device->take_received();
}

TEST_F(QccUpdateModelTest, TheMeshUnitTakesItsImageRestartsAndHandsBack) {
  sim::HidModelOptions options = sim::hid_fixture_6038();
  options.mesh = sim::MeshUnit{};
  options.mesh->product_id = 0x6511;
  options.qcc_update->mesh_loader_absence = 3s;
  auto device = open(options);
  ASSERT_EQ(exchange(long_request(0x0F)), 1);
  platform::sleep_for(2s);
  ASSERT_EQ(reopen(&hid_open_mesh_qcc), 0);
  ASSERT_TRUE(device->in_mesh_mode());

  struct Step {
    const char* name;
    hid_short_report report;
    int result;
  };
  hid_short_report with_byte_2 = data_report<hid_short_report>(0x06, 5, 0);
  with_byte_2[2] = 1;
  const Step steps[] = {
      {"no operation", short_request(0x00), 1},
      {"begin", short_request(0x05), 1},
      {"61 bytes", data_report<hid_short_report>(0x06, 61, 0), 1},
      {"62 bytes are too many", data_report<hid_short_report>(0x06, 62, 0), 0},
      {"byte 2 is not 0", with_byte_2, 0},
      {"the short reports never mark their end", data_report<hid_short_report>(0x0E, 1, 0), 0},
      {"one byte", data_report<hid_short_report>(0x06, 1, 0xB0), 1},
      {"end", short_request(0x07), 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    EXPECT_EQ(short_exchange(step.report), step.result);
  }
  EXPECT_EQ(exchange(long_request(0x13)), 0) << "the mesh unit takes no long command of the update";
  const std::vector<sim::ReceivedImage> images = device->qcc_update()->mesh_images();
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].report_bytes, (std::vector<std::size_t>{61, 1}));
  EXPECT_EQ(images[0].data.back(), 0xB0);
  EXPECT_TRUE(images[0].ended);

  // run loader: the mesh unit restarts and shows itself again, even though the host let go of it
  EXPECT_EQ(short_exchange(short_request(0x08)), 1);
  hid_close_all();
  platform::sleep_for(1s);
  EXPECT_FALSE(device->present());
  platform::sleep_for(3s);
  ASSERT_TRUE(device->present());
  EXPECT_TRUE(device->in_mesh_mode());
  // once looked at, it hands back to the main unit
  ASSERT_EQ(reopen(&hid_open_mesh_qcc), 0);
  ASSERT_EQ(reopen(&hid_open_device), 0);
  EXPECT_FALSE(device->in_mesh_mode());
  EXPECT_EQ(device->qcc_update()->mesh_loader_starts(), 1);
  device->take_received();
}

TEST_F(QccUpdateModelTest, FaultsEndTheExchangeTheyName) {
  struct Case {
    const char* name;
    std::function<void(sim::QccUpdateOptions&)> fault;
    int failing_step;  // 1-based position in the steps below; 0: none fails
  };
  const Case cases[] = {
      {"update mode refused", [](auto& o) { o.failing_commands = {0x13}; }, 1},
      {"begin refused", [](auto& o) { o.failing_commands = {0x05}; }, 2},
      {"status of the second data report", [](auto& o) { o.failing_data_report = 2; }, 4},
      {"writes refused after the first data report", [](auto& o) { o.write_error_after_data_reports = 1; }, 4},
      {"status of the last data report unreadable", [](auto& o) { o.read_error_at_data_report = 2; }, 4},
      {"end refused", [](auto& o) { o.failing_commands = {0x07}; }, 5},
      {"result query refused", [](auto& o) { o.failing_commands = {0x0A}; }, 6},
      {"mode probe refused", [](auto& o) { o.failing_commands = {0x12}; }, 7},
      {"mesh download mode refused", [](auto& o) { o.failing_commands = {0x0F}; }, 8},
      {"a healthy device", {}, 0},
  };
  const std::vector<hid_cmd_report> steps = {
      long_request(0x13),          long_request(0x05), data_report<hid_cmd_report>(0x06, 10, 0),
      data_report<hid_cmd_report>(0x0E, 10, 10), long_request(0x07), long_request(0x0A),
      long_request(0x12),          long_request(0x0F)};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6038();
    options.mesh = sim::MeshUnit{};
    options.mesh->product_id = 0x3160;
    options.qcc_update->update_mode_absence = 0ms;
    if (c.fault) c.fault(*options.qcc_update);
    auto device = open(options);
    int first_failure = 0;
    for (std::size_t i = 0; i < steps.size() && first_failure == 0; ++i) {
      if (i == 1) {
        platform::sleep_for(1s);
        ASSERT_EQ(reopen(&hid_open_device), 0) << "back from the update mode";
      }
      if (exchange(steps[i]) != 1) first_failure = static_cast<int>(i) + 1;
    }
    EXPECT_EQ(first_failure, c.failing_step);
    device->take_received();
    hid_close_all();
    sim::reset();
  }

  // the mesh unit's faults
  struct MeshCase {
    const char* name;
    std::function<void(sim::QccUpdateOptions&)> fault;
    int failing_step;
  };
  const MeshCase mesh_cases[] = {
      {"no operation refused", [](auto& o) { o.failing_mesh_commands = {0x00}; }, 1},
      {"begin refused", [](auto& o) { o.failing_mesh_commands = {0x05}; }, 2},
      {"status of the first data report", [](auto& o) { o.failing_mesh_data_report = 1; }, 3},
      {"writes refused after the first data report", [](auto& o) { o.write_error_after_mesh_data_reports = 1; }, 4},
      {"status of the second data report unreadable", [](auto& o) { o.read_error_at_mesh_data_report = 2; }, 4},
      {"run loader refused", [](auto& o) { o.failing_mesh_commands = {0x08}; }, 6},
  };
  const std::vector<hid_short_report> mesh_steps = {short_request(0x00),
                                                    short_request(0x05),
                                                    data_report<hid_short_report>(0x06, 61, 0),
                                                    data_report<hid_short_report>(0x06, 3, 0),
                                                    short_request(0x07),
                                                    short_request(0x08)};
  for (const MeshCase& c : mesh_cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6038();
    options.mesh = sim::MeshUnit{};
    options.mesh->product_id = 0x3220;
    c.fault(*options.qcc_update);
    auto device = open(options);
    ASSERT_EQ(exchange(long_request(0x0F)), 1);
    platform::sleep_for(2s);
    ASSERT_EQ(reopen(&hid_open_mesh_qcc), 0);
    int first_failure = 0;
    for (std::size_t i = 0; i < mesh_steps.size() && first_failure == 0; ++i) {
      if (short_exchange(mesh_steps[i]) != 1) first_failure = static_cast<int>(i) + 1;
    }
    EXPECT_EQ(first_failure, c.failing_step);
    device->take_received();
    hid_close_all();
    sim::reset();
  }
}

TEST_F(QccUpdateModelTest, VexlinkSimOption) {
  const struct {
    const char* description;
    bool carries;
  } cases[] = {{"hid:0x6038,qcc", true}, {"hid:0x4D06,qcc,collections=keyboard+vendor", true}, {"hid:0x6038", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    std::string error;
    const auto model = std::dynamic_pointer_cast<sim::HidModel>(sim::make_model(c.description, error));
    ASSERT_TRUE(model) << error;
    EXPECT_EQ(model->qcc_update() != nullptr, c.carries);
  }
}

}  // namespace
