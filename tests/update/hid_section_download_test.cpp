// The HID section download on the simulated bus in virtual time: the traffic
// and timing of both groups, the frames of the section transfer, the backup
// archive before the first frame, the failures and their codes, and an update
// of 0x6010 from the Update button to the hand-over to recognition.
#include "update/families/hid_section_download.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "session/message_box.h"
#include "session/page_modes.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "strings/common_texts.h"
#include "strings/message_box_texts.h"
#include "support/firmware_package_builder.h"
#include "transport/hid_channel.h"
#include "update/backup_step.h"
#include "update/update_operation.h"
#include "update/update_worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using test_support::FirmwarePackage;
using test_support::Sample;
using test_support::section_of;
using update::UpdateRun;

const std::string k_not_recognized = "Failed to update firmware. Not the recognized device";
const std::string k_cannot_get_status = "Failed to update firmware. Cannot get status";
const std::string k_corrupted = "Failed to update firmware. Firmware corrupted";

// A package of two sections: the loader (block 0) of 1500 bytes, then 10 bytes of block 1.
FirmwarePackage two_sections(std::uint32_t product_id) {
  FirmwarePackage package;
  package.product_id = product_id;
  package.sections = {section_of(1500, 0, 0x0102), section_of(10, 1, 0x07)};
  return package;
}

// Section download options with one change.
sim::SectionDownloadOptions download_options(const std::function<void(sim::SectionDownloadOptions&)>& change) {
  sim::SectionDownloadOptions options;
  change(options);
  return options;
}

class HidSectionDownloadTest : public test_support::UpdateWorkerFixture {
 protected:
  // A simulated 0x6010 at version 1.2 with the section download, and a
  // record that says recognition read it.
  std::shared_ptr<sim::HidModel> attach_device(sim::SectionDownloadOptions options = {},
                                               std::function<void(sim::HidModelOptions&)> change = {}) {
    sim::HidModelOptions device = sim::hid_fixture_6020();
    device.product_id = 0x6010;
    device.name = "Y350";
    device.version = {1, 2, 0, 0};
    device.section_download = options;
    if (change) change(device);
    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(0x6010);
    record.setDeviceName(std::string("Y350"));
    record.setDeviceVersionMajor_Minor(1, 2);
    m_services.state().setDeviceTarget(0x6010);
    m_services.state().setUsbStatus(0x6010);
    return attach(std::make_shared<sim::HidModel>(std::move(device)));
  }
  void select(int target) { m_services.state().setDeviceTarget(target); }
};

TEST_F(HidSectionDownloadTest, UpdatesA6010EndToEnd) {
  auto device = attach_device(download_options([](auto& o) { o.not_ready_queries = 2; }));
  const FirmwarePackage package = two_sections(0x6010);
  run_worker(write_package(package));

  // traffic, in order and in time
  const std::vector<sim::ReceivedReport> received = device->take_received();
  std::vector<int> commands;
  std::vector<milliseconds> at;
  for (const sim::ReceivedReport& report : received) {
    commands.push_back(report.bytes[1]);
    at.push_back(std::chrono::duration_cast<milliseconds>(report.time - received.front().time));
  }
  const std::vector<int> expected = {0x0E, 0x01, 0x05, 0x06, 0x06, 0x07, 0x05, 0x06, 0x07, 0x0D, 0x0D, 0x0D, 0x08};
  ASSERT_EQ(commands, expected);
  EXPECT_EQ(at[1], 3s) << "opened again 3 s after 0x0E";
  EXPECT_EQ(at[2], 8s) << "the first section 5 s after the version query";
  EXPECT_EQ(at[8], 8s) << "no pause between the reports of the sections";
  EXPECT_EQ(at[9], 13s) << "readiness asked 5 s after the last section";
  EXPECT_EQ(at[11], 15s) << "once a second while the device is not ready";
  EXPECT_EQ(at[12], 15s);
  EXPECT_EQ(clock().elapsed() - m_start, 3s + 5s + 5s + 2s + 60s + 4s) << "then 60 s, the device is back, success";

  // the sections byte for byte
  const std::vector<sim::ReceivedSection> sections = device->section_download()->sections();
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].kind, 0x02) << "the kind's low byte";
  EXPECT_EQ(sections[0].data, package.sections[0].data);
  EXPECT_EQ(sections[1].kind, 0x07);
  EXPECT_EQ(sections[1].data, package.sections[1].data);
  EXPECT_EQ(device->section_download()->loader_starts(), 1);
  EXPECT_TRUE(device->present()) << "back after its loader ran";

  // the report the timer reads
  EXPECT_EQ(phases(), (std::vector<int>{0, 98, 99, 100}));
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_none);
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_EQ(m_report.updateStatusAt(0), "On updating firmware.");
  for (const Sample& sample : m_samples) {
    SCOPED_TRACE(sample.elapsed.count());
    // the bar stands from the readiness wait to the loader start; the device
    // is back at once after the 60 s, and the success ending releases it
    const bool held = sample.elapsed >= m_start + 13s && sample.elapsed < m_start + 15s;
    EXPECT_EQ(sample.box_flag, held);
  }
  EXPECT_TRUE(m_services.boxes.empty()) << "group A shows no box";
  EXPECT_EQ(m_services.calls, (std::vector<std::string>{"closeMessageBox", "closeMessageBox"}));
  EXPECT_EQ(sim::open_handle_count(), 0);
  EXPECT_NE(m_console.find("COMMAND_ENTER_DNLD_MODE OK"), std::string::npos);

  // the backup archive: the record recognition filled, before the first frame
  const auto bytes = platform::read_file(archive_of(0x6010));
  ASSERT_TRUE(bytes);
  const FEXOBluetoothDeviceData backup = FEXOBluetoothDeviceData::unarchived_from(*bytes);
  EXPECT_EQ(backup.deviceRecognized(), 0x6010);
  EXPECT_EQ(backup.deviceName(), "Y350");
  EXPECT_EQ(backup.deviceVersionMajor(), 1);
  EXPECT_EQ(backup.deviceVersionMinor(), 2);
  EXPECT_EQ(backup.managerVersionMajor(), 1);
  EXPECT_EQ(backup.managerVersionMinor(), 4);
}

TEST_F(HidSectionDownloadTest, SectionFramesFollowThePackage) {
  struct Case {
    const char* name;
    std::vector<std::size_t> sizes;      // of the sections, each with block number 0 unless below
    std::uint32_t block_number;
    std::vector<std::size_t> reports;    // data bytes of each 0x06
    std::vector<int> commands;           // after 0x0E and 0x01
  };
  const Case cases[] = {
      {"1019 bytes in one report", {1019}, 0, {1019}, {0x05, 0x06, 0x07, 0x0D, 0x08}},
      {"1020 bytes in 1019 and 1", {1020}, 0, {1019, 1}, {0x05, 0x06, 0x06, 0x07, 0x0D, 0x08}},
      {"a section of no bytes: begin and end", {0, 3}, 0, {3}, {0x05, 0x07, 0x05, 0x06, 0x07, 0x0D, 0x08}},
      {"no sections: no loader start", {}, 0, {}, {0x0D}},
      {"no loader section: no loader start", {5, 6}, 2, {5, 6}, {0x05, 0x06, 0x07, 0x05, 0x06, 0x07, 0x0D}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_device();
    FirmwarePackage package;
    package.product_id = 0x6010;
    for (std::size_t size : c.sizes) package.sections.push_back(section_of(size, c.block_number, 0x31));
    run_worker(write_package(package));

    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    const std::vector<std::vector<std::uint8_t>> reports = device->take_output_reports();
    std::vector<int> commands;
    for (std::size_t i = 2; i < reports.size(); ++i) commands.push_back(reports[i][1]);
    EXPECT_EQ(commands, c.commands);
    EXPECT_EQ(data_report_lengths(reports), c.reports);
    for (const auto& report : reports) {
      if (report[1] == 0x06 && report[2] == 0x03) {
        EXPECT_EQ(report[3], 0xFB) << "1019, high byte first";
      }
    }
    std::vector<std::uint8_t> sent;
    for (const auto& section : device->section_download()->sections()) {
      sent.insert(sent.end(), section.data.begin(), section.data.end());
    }
    std::vector<std::uint8_t> packed;
    for (const auto& section : package.sections) packed.insert(packed.end(), section.data.begin(), section.data.end());
    EXPECT_EQ(sent, packed);

    // without a loader start the bar stands from the readiness wait to the end
    const bool loader = std::find(c.commands.begin(), c.commands.end(), 0x08) != c.commands.end();
    const auto during_60s = std::find_if(m_samples.begin(), m_samples.end(), [](const Sample& s) { return s.phase == 99; });
    ASSERT_NE(during_60s, m_samples.end());
    EXPECT_EQ(during_60s->box_flag, !loader);
    EXPECT_EQ(m_services.calls.size(), loader ? 2u : 1u) << "the success ending releases the bar";
    m_services.calls.clear();
    sim::reset();
  }
}

TEST_F(HidSectionDownloadTest, FailuresEndWithTheirCodeAndHidClosed) {
  struct Case {
    const char* name;
    std::function<void(sim::SectionDownloadOptions&)> options;
    std::function<void(sim::HidModelOptions&)> device;
    std::function<void(FirmwarePackage&)> package;
    int usb_status;
    int code;
    std::string status;
    std::vector<int> commands;
    milliseconds took;  // 0: not checked
  };
  const std::vector<int> before_sections = {0x0E, 0x01};
  const std::vector<int> sections = {0x0E, 0x01, 0x05, 0x06, 0x06, 0x07, 0x05, 0x06, 0x07};
  const auto plus = [](std::vector<int> commands, std::vector<int> more) {
    commands.insert(commands.end(), more.begin(), more.end());
    return commands;
  };
  const Case cases[] = {
      {"another device is attached", {}, {}, {}, 0x6012, 2, k_not_recognized, {}, 0ms},
      {"the device is gone after 0x0E", {}, [](auto& d) { d.faults.vanish_after = 1; }, {}, 0x6010, 2,
       k_not_recognized, {0x0E}, 3s},
      {"another firmware version", {}, [](auto& d) { d.version = {1, 3, 0, 0}; }, {}, 0x6010, 2, k_not_recognized,
       before_sections, 0ms},
      {"a package for another product", {}, {}, [](auto& p) { p.product_id = 0x6012; }, 0x6010, 3, k_corrupted,
       before_sections, 0ms},
      {"a digest that does not match", {}, {}, [](auto& p) { p.sections[1].good_digest_b = false; }, 0x6010, 3,
       k_corrupted, before_sections, 0ms},
      {"a negative section count", {}, {}, [](auto& p) { p.recorded_count = -1; }, 0x6010, 3, k_corrupted,
       before_sections, 0ms},
      {"the device leaves during the first section", {}, [](auto& d) { d.faults.vanish_after = 5; }, {}, 0x6010, 1,
       k_cannot_get_status, {0x0E, 0x01, 0x05, 0x06, 0x06}, 0ms},
      {"the second data report refused", [](auto& o) { o.failing_data_report = 2; }, {}, {}, 0x6010, 1, k_cannot_get_status,
       {0x0E, 0x01, 0x05, 0x06, 0x06}, 0ms},
      {"writes refused after the first data report", [](auto& o) { o.write_error_after_data_reports = 1; }, {}, {}, 0x6010, 1,
       k_cannot_get_status, {0x0E, 0x01, 0x05, 0x06}, 0ms},
      {"the status of the third data report unreadable", [](auto& o) { o.read_error_at_data_report = 3; }, {}, {}, 0x6010, 1,
       k_cannot_get_status, {0x0E, 0x01, 0x05, 0x06, 0x06, 0x07, 0x05, 0x06}, 0ms},
      {"begin section refused", [](auto& o) { o.failing_commands = {0x05}; }, {}, {}, 0x6010, 1, k_cannot_get_status,
       {0x0E, 0x01, 0x05}, 0ms},
      {"end section refused", [](auto& o) { o.failing_commands = {0x07}; }, {}, {}, 0x6010, 1, k_cannot_get_status,
       {0x0E, 0x01, 0x05, 0x06, 0x06, 0x07}, 0ms},
      {"the loader start refused", [](auto& o) { o.failing_commands = {0x08}; }, {}, {}, 0x6010, 1, k_cannot_get_status,
       plus(sections, {0x0D, 0x08}), 0ms},
      // bounds the procedure sets itself: 120 s of readiness, 300 s for the device to come back
      {"never ready", [](auto& o) { o.never_ready = true; }, {}, {}, 0x6010, 1, k_cannot_get_status,
       plus(sections, std::vector<int>(121, 0x0D)), 3s + 5s + 5s + 120s},
      {"never back after its loader", [](auto& o) { o.never_returns = true; }, {}, {}, 0x6010, 1, k_cannot_get_status,
       plus(sections, {0x0D, 0x08}), 3s + 5s + 5s + 60s + 300s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_device(c.options ? download_options(c.options) : sim::SectionDownloadOptions{}, c.device);
    m_services.state().setUsbStatus(c.usb_status);
    FirmwarePackage package = two_sections(0x6010);
    if (c.package) c.package(package);
    run_worker(write_package(package));

    EXPECT_EQ(m_report.updateRestoreError(), c.code);
    EXPECT_EQ(m_report.updateStatusAt(0), c.status);
    EXPECT_NE(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_TRUE(m_report.updateFinished());
    EXPECT_EQ(test_support::commands_received(*device), c.commands);
    EXPECT_EQ(sim::open_handle_count(), 0) << "every slot closed";
    EXPECT_FALSE(m_report.openedMessageBox());
    if (c.took != 0ms) {
      EXPECT_EQ(clock().elapsed() - m_start, c.took);
    }
    sim::reset();
  }
}

TEST_F(HidSectionDownloadTest, TheVersionQueryAndTheReadinessQueryMayFailAndTheUpdateGoesOn) {
  // a version query that fails counts as 1.0 type 0 secondary 0
  for (const int recorded_minor : {0, 2}) {
    SCOPED_TRACE(recorded_minor);
    auto device = attach_device();
    device->on_command(0x01, [](std::span<const std::uint8_t>) { return sim::HidModel::Answer{5, {1, 2, 0, 0}}; });
    m_services.state().data().setDeviceVersionMajor_Minor(1, recorded_minor);
    run_worker(write_package(two_sections(0x6010)));
    EXPECT_EQ(m_report.updateProcessed() == update::k_update_succeeded, recorded_minor == 0);
    if (recorded_minor == 2) {
      EXPECT_EQ(m_report.updateStatusAt(0), k_not_recognized);
    }
    device->take_received();
    sim::reset();
  }

  // failed readiness exchanges are asked again after a tenth of a second
  auto device = attach_device(download_options([](auto& o) { o.failing_ready_queries = 3; }));
  run_worker(write_package(two_sections(0x6010)));
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  std::vector<milliseconds> readiness;
  for (const sim::ReceivedReport& report : device->take_received()) {
    if (report.bytes[1] == 0x0D) readiness.push_back(std::chrono::duration_cast<milliseconds>(report.time.time_since_epoch()));
  }
  ASSERT_EQ(readiness.size(), 4u);
  for (std::size_t i = 1; i < readiness.size(); ++i) EXPECT_EQ(readiness[i] - readiness[i - 1], 100ms);
}

TEST_F(HidSectionDownloadTest, DirectGroupSetsChooseBoxesWaitsAndTheLanguage) {
  const std::string hold_button_5610 = *session::message_box_first_button(0x5610, 0);
  struct Case {
    const char* name;
    int target;
    std::vector<int> commands;  // after 0x01 and the sections
    std::vector<std::string> boxes;
    int closes;
    milliseconds loader_after_sections;
  };
  const Case cases[] = {
      {"quiet: readiness, no box", 0x5320, {0x0D, 0x08}, {}, 1, 5s},
      {"no wait: no readiness, no box", 0x6400, {0x08}, {}, 1, 5s},
      {"language: the unit language, then no readiness", 0x3310, {0x03, 0x04, 0x08}, {}, 1, 5s},
      {"plain: the button box while the loader starts and again while it runs", 0x5610, {0x0D, 0x08},
       {hold_button_5610, hold_button_5610}, 2, 5s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_device({}, [](sim::HidModelOptions& d) { d.blocks[0x04] = {0x1234, 0x5678, 0x0000, 0x00E7}; });
    select(c.target);
    m_services.state().setStrLanguageFirmware(std::string("Danish"));
    run_worker(write_package(two_sections(static_cast<std::uint32_t>(c.target))));

    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    const std::vector<sim::ReceivedReport> received = device->take_received();
    std::vector<int> commands;
    milliseconds last_section{0};
    milliseconds loader{0};
    for (const sim::ReceivedReport& report : received) {
      const auto time = std::chrono::duration_cast<milliseconds>(report.time.time_since_epoch());
      if (report.bytes[1] == 0x07) last_section = time;
      if (report.bytes[1] == 0x08) loader = time;
      commands.push_back(report.bytes[1]);
    }
    std::vector<int> expected = {0x01, 0x05, 0x06, 0x06, 0x07, 0x05, 0x06, 0x07};
    expected.insert(expected.end(), c.commands.begin(), c.commands.end());
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(loader - last_section, c.loader_after_sections);
    std::vector<std::string> boxes;
    for (const auto& box : m_services.boxes) {
      boxes.push_back(box.request.message);
      EXPECT_EQ(box.request.purpose, session::MessageBoxPurpose::update_notice_other);
      EXPECT_FALSE(box.request.ok_title || box.request.cancel_title);
    }
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(), "closeMessageBox"), c.closes);
    EXPECT_FALSE(m_services.box_open());
    if (c.target == 0x3310) {
      // Danish is code 1 among the shared codes; the top three bits of the byte stay
      EXPECT_EQ(device->block(0x04), (std::vector<std::uint16_t>{0x1234, 0x5678, 0x0000, 0x00E1}));
    }
    EXPECT_TRUE(std::filesystem::exists(archive_of(c.target))) << "named by the selected product";
    EXPECT_FALSE(std::filesystem::exists(archive_of(0x6010)));
    m_services.boxes.clear();
    m_services.calls.clear();
    sim::reset();
  }
}

bool g_camera_copied = false;
bool camera_part_in_place(UpdateRun&) {
  g_camera_copied = true;
  return true;
}

TEST_F(HidSectionDownloadTest, CamerasSendOnlyTheirFirstTwoSectionsOverHid) {
  FirmwarePackage package;
  package.product_id = 0x5510;
  package.sections = {section_of(30, 0), section_of(40, 1), section_of(50, 2), section_of(60, 3)};

  // with the camera part in place
  auto device = attach_device();
  select(0x5510);
  run_worker(write_package(package), session::k_mode_firmware_update,
             [](UpdateRun& run) { return update::families::hid_section_download_with_camera_copy(run, camera_part_in_place); });
  EXPECT_TRUE(g_camera_copied);
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  const std::vector<sim::ReceivedSection> sections = device->section_download()->sections();
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[1].data, package.sections[1].data);
  device->take_received();
  sim::reset();

  // a camera package without its camera part is refused before any frame
  device = attach_device();
  select(0x5510);
  package.sections.resize(2);
  run_worker(write_package(package), session::k_mode_firmware_update,
             [](UpdateRun& run) { return update::families::hid_section_download_with_camera_copy(run, camera_part_in_place); });
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_firmware);
  EXPECT_EQ(m_report.updateStatusAt(0), k_corrupted);
  EXPECT_EQ(test_support::commands_received(*device), std::vector<int>{0x01});
}

TEST_F(HidSectionDownloadTest, BackupOnlyOnTheUpdatePageAndAskedForWhenItCannotBeWritten) {
  const std::string package = write_package(two_sections(0x6010));
  // the restore page writes none
  auto device = attach_device();
  run_worker(package, session::k_mode_firmware_restore);
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_FALSE(std::filesystem::exists(archive_of(0x6010)));
  device->take_received();
  sim::reset();

  // an archive that cannot be written: Cancel sends nothing more
  std::filesystem::create_directories(archive_of(0x6010) / "in the way");
  device = attach_device();
  m_answer_box = false;
  run_worker(package);
  ASSERT_EQ(m_services.boxes.size(), 1u);
  const session::MessageBoxRequest& asked = m_services.boxes[0].request;
  EXPECT_EQ(asked.message, strings::backup_file_failed_text(0));
  EXPECT_TRUE(asked.warning);
  EXPECT_EQ(asked.ok_title, CommonTexts::vyla_string_yes_in(0));
  EXPECT_FALSE(asked.cancel_title);
  EXPECT_EQ(asked.size, session::MessageBoxSize::w520_h205);
  EXPECT_EQ(m_report.updateStatusAt(0), "Failed to update firmware. Cannot make backup firmware");
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
  EXPECT_EQ(test_support::commands_received(*device), (std::vector<int>{0x0E, 0x01}));
  EXPECT_EQ(sim::open_handle_count(), 0);
  EXPECT_EQ(phases().front(), 0);
  EXPECT_TRUE(std::any_of(m_samples.begin(), m_samples.end(), [](const Sample& s) { return s.phase == 1 && s.box_flag; }))
      << "the bar stands at the package phase while the box is up";
  sim::reset();

  // OK flashes without a backup, and the next update asks again
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt);
    m_services.boxes.clear();
    device = attach_device();
    m_answer_box = true;
    run_worker(package);
    EXPECT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_FALSE(m_services.state().skipRestoreBackupFile()) << "the answer holds for one attempt";
    EXPECT_EQ(device->section_download()->sections().size(), 2u);
    device->take_received();
    sim::reset();
  }
}

TEST_F(HidSectionDownloadTest, AFailedBackupWriteLeavesThePreviousBackupWhole) {
  const std::string package = write_package(two_sections(0x6010));
  const std::vector<std::uint8_t> previous(200, 0x5A);
  ASSERT_TRUE(platform::write_file_atomically(archive_of(0x6010), previous));
  auto device = attach_device();
  m_answer_box = true;
  // the disk takes no file larger than 64 bytes while the backup is written
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const struct rlimit small{64, saved.rlim_max};
  const auto old_handler = ::signal(SIGXFSZ, SIG_IGN);
  m_watching.watch([&](milliseconds) {
    if (m_services.box_open()) {
      ::setrlimit(RLIMIT_FSIZE, &saved);
      m_services.answer(true);
    }
  });
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  UpdateRun run(m_services, m_report, m_page, {session::k_mode_firmware_update, package}, m_stop);
  run.run();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, old_handler);

  EXPECT_EQ(m_services.boxes.size(), 1u) << "the write failed";
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_EQ(platform::read_file(archive_of(0x6010)), previous);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_app_folder.path()), {}), 1)
      << "no temporary file left beside it";
  device->take_received();
}

TEST_F(HidSectionDownloadTest, TheTimerDrawsTheHidGroupAndHandsOverToRecognition) {
  auto device = attach_device(download_options([](auto& o) { o.not_ready_queries = 3; }));
  m_page.file = write_package(two_sections(0x6010));
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  std::vector<int> bars;
  for (const Tick& tick : run_operation(operation)) bars.push_back(tick.bar);

  ASSERT_EQ(operation.state(), update::k_state_idle);
  EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                       "setDeviceRecognitionWithStatus_info_from 0 - 5"),
            1);
  EXPECT_EQ(m_services.calls.back(), "setStatus_withWarning " + m_services.state().getStrStatus() + " 0");
  // one tick a second over the 80 s of the update; the bar creeps one step in
  // two or three ticks and stands while the device works on its own
  ASSERT_GE(bars.size(), 75u);
  const auto crept = std::find(bars.begin(), bars.end(), update::k_update_succeeded);
  ASSERT_NE(crept, bars.begin());
  for (auto bar = bars.begin() + 1; bar != crept; ++bar) {
    EXPECT_GE(*bar, *(bar - 1));
    EXPECT_LE(*bar - *(bar - 1), 1);
  }
  EXPECT_GE(*(crept - 1), 20);
  EXPECT_LT(*(crept - 1), 98);
  EXPECT_TRUE(std::all_of(crept, bars.end(), [](int bar) { return bar == update::k_update_succeeded; }))
      << "the worker's 100 stands";
  EXPECT_EQ(operation.report().updateProcessed(), update::k_update_succeeded);
  device->take_received();
}

TEST_F(HidSectionDownloadTest, UpdateButtonToRecognitionOnTheSimulatedBus) {
  auto device = attach_device();
  update_from_the_page(write_package(two_sections(0x6010)));
  EXPECT_EQ(device->section_download()->loader_starts(), 1);
  EXPECT_TRUE(std::filesystem::exists(archive_of(0x6010)));
  device->take_received();
}

}  // namespace
