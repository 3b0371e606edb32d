// The two-module HID updates on the simulated bus in virtual time: module 1
// answers in slot 0 as the attached device, module 2 is put into slot 1 beside
// it. The routing of the sections to their modules and of the loader starts,
// the restart wait, the LM6 ZOD firmware floor read from the file name, the
// failures with their codes, and a 0x4310 from the Update button to the
// hand-over to recognition.
#include "update/families/two_module_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/page_modes.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "strings/common_texts.h"
#include "support/firmware_package_builder.h"
#include "transport/hid_channel.h"
#include "update/families/firmware_name_version.h"
#include "update/update_operation.h"
#include "update/update_worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using test_support::FirmwarePackage;
using test_support::PackageSection;
using test_support::section_of;
using update::families::FileNameVersion;
using update::families::firmware_version_from_file_name;

const std::string k_not_recognized = "Failed to update firmware. Not the recognized device";
const std::string k_cannot_get_status = "Failed to update firmware. Cannot get status";
const std::string k_corrupted = "Failed to update firmware. Firmware corrupted";
const std::string k_zod_refusal =
    "Firmware version is not supported by the LM6 ZOD. Update to the latest version of LM6 ZOD firmware.";

// The id module 1 shows on the bus: the HID filter never opens the two-module
// ids, so the attached device is a supported one (usbStatus) and the selected
// product (deviceTarget) chooses the procedure.
constexpr std::uint16_t k_attached = 0x6010;
constexpr sim::HidVersion k_module_1_version{1, 5, 0, 2};

// A section of `length` bytes for `module`: its block number (block table) and
// target module (section table) alike.
PackageSection for_module(std::uint32_t module, std::size_t length, std::uint32_t kind = 0x21) {
  PackageSection section = section_of(length, module, kind);
  section.module = module;
  section.type = kind;
  return section;
}

FirmwarePackage package_of(int target, std::vector<PackageSection> sections) {
  FirmwarePackage package;
  package.product_id = static_cast<std::uint32_t>(target);
  package.sections = std::move(sections);
  return package;
}

std::vector<std::vector<std::uint8_t>> data_of(const sim::HidModel& unit) {
  std::vector<std::vector<std::uint8_t>> data;
  for (const sim::ReceivedSection& section : unit.section_download()->sections()) data.push_back(section.data);
  return data;
}

struct Arrangement {
  sim::SectionDownloadOptions module_1{};
  sim::SectionDownloadOptions module_2{};
  std::function<void(sim::HidModelOptions&)> change_1{};
  std::function<void(sim::HidModelOptions&)> change_2{};
  std::uint16_t sub_model = 0x0005;
  bool second_in_slot = true;
};

class TwoModuleUpdateTest : public test_support::UpdateWorkerFixture {
 protected:
  // Module 1 as the attached device in slot 0, module 2 in slot 1, the record
  // holding both versions as recognition read them.
  void arrange(int target, Arrangement a = {}) {
    sim::HidModelOptions first = sim::hid_fixture_4210();
    first.product_id = k_attached;
    first.version = k_module_1_version;
    first.blocks[0x05] = {a.sub_model};
    first.section_download = a.module_1;
    if (a.change_1) a.change_1(first);
    sim::HidModelOptions second = target == 0x4210 ? sim::hid_fixture_4210_second_unit() : sim::hid_fixture_4310_second_unit();
    second.section_download = a.module_2;
    if (a.change_2) a.change_2(second);

    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(target);
    record.setDeviceVersion01Major_Minor(k_module_1_version.major, k_module_1_version.minor);
    record.setDeviceSecondaryVersionType01(k_module_1_version.secondary_type);
    record.setDeviceSecondaryVersion01(k_module_1_version.secondary);
    const sim::HidVersion v2 = (target == 0x4210 ? sim::hid_fixture_4210_second_unit() : sim::hid_fixture_4310_second_unit()).version;
    record.setDeviceVersion02Major_Minor(v2.major, v2.minor);
    record.setDeviceSecondaryVersionType02(v2.secondary_type);
    record.setDeviceSecondaryVersion02(v2.secondary);
    m_services.state().setDeviceTarget(target);
    m_services.state().setUsbStatus(k_attached);

    m_one = attach(std::make_shared<sim::HidModel>(first));
    m_two = attach(std::make_shared<sim::HidModel>(second));
    if (a.second_in_slot) {
      ASSERT_EQ(transport::hid_open_into_slot_for_test(1, second.product_id), 0);
    }
  }

  // The begin-section and run-loader commands of both modules in the order
  // they came: "1:05", "2:08", ...
  void log_order() {
    for (const auto& unit : {m_one, m_two}) {
      const std::string module = unit == m_one ? "1" : "2";
      for (const std::uint8_t command : {std::uint8_t{0x05}, std::uint8_t{0x08}}) {
        const std::string line = module + (command == 0x05 ? ":05" : ":08");
        auto passed_on = unit->command_handler(command);
        unit->on_command(command, [this, line, passed_on](std::span<const std::uint8_t> request) {
          m_order.push_back(line);
          return passed_on(request);
        });
      }
    }
  }

  void next_case() {
    m_one->take_received();
    m_two->take_received();
    m_order.clear();
    m_services.boxes.clear();
    m_services.calls.clear();
    std::filesystem::remove(archive_of(m_services.state().deviceTarget()));
    sim::reset();
  }

  void expect_success() {
    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_none);
    EXPECT_EQ(m_report.progress().phase, 99);
    EXPECT_TRUE(m_report.updateFinished());
    EXPECT_EQ(sim::open_handle_count(), 0);
  }

  std::shared_ptr<sim::HidModel> m_one;
  std::shared_ptr<sim::HidModel> m_two;
  std::vector<std::string> m_order;
};

TEST_F(TwoModuleUpdateTest, DualModuleRoutesBlocksToTheirModulesAndStartsTheirLoaders) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> blocks;  // block numbers, in table order
    std::vector<std::string> order;     // begin sections and loader starts, both modules
    milliseconds took;                  // to the end
  };
  const Case cases[] = {
      {"blocks 0 and 2: everything to module 1, its loader only", {0, 2}, {"1:05", "1:05", "1:08"}, 5s + 1s + 1s},
      {"block 3 goes to module 2 without a loader", {3}, {"2:05"}, 5s + 1s},
      {"interleaved: table order, each to its module", {1, 2, 0, 3, 5}, {"2:05", "1:05", "1:05", "2:05", "2:05", "1:08", "2:08"},
       5s + 1s + 1s},
      {"no sections: nothing sent, no loader, still the wait", {}, {}, 5s + 1s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    arrange(0x4310);
    log_order();
    std::vector<PackageSection> sections;
    for (const std::uint32_t block : c.blocks) sections.push_back(for_module(block, 700 + 100 * block, 0x100 + block));
    const FirmwarePackage package = package_of(0x4310, sections);
    run_worker(write_package(package));

    expect_success();
    EXPECT_EQ(m_order, c.order);
    EXPECT_EQ(clock().elapsed() - m_start, c.took) << "5 s, then the device looked for once a second, then 1 s";
    std::vector<std::vector<std::uint8_t>> to_1;
    std::vector<std::vector<std::uint8_t>> to_2;
    std::vector<std::uint8_t> kinds_2;
    for (const PackageSection& section : package.sections) {
      (section.block_number == 0 || section.block_number == 2 ? to_1 : to_2).push_back(section.data);
      if (section.block_number != 0 && section.block_number != 2) kinds_2.push_back(static_cast<std::uint8_t>(section.kind));
    }
    EXPECT_EQ(data_of(*m_one), to_1);
    EXPECT_EQ(data_of(*m_two), to_2);
    std::vector<std::uint8_t> received_kinds_2;
    for (const auto& section : m_two->section_download()->sections()) received_kinds_2.push_back(section.kind);
    EXPECT_EQ(received_kinds_2, kinds_2) << "the kind's low byte";
    EXPECT_TRUE(std::filesystem::exists(archive_of(0x4310)));
    next_case();
  }
}

TEST_F(TwoModuleUpdateTest, Lm6RoutesSectionsByTargetModule) {
  struct Case {
    const char* name;
    std::vector<PackageSection> sections;
    std::vector<std::string> order;
    std::vector<std::size_t> reports_1;  // data bytes of module 1's 0x06
    std::vector<std::size_t> reports_2;
    milliseconds took;
  };
  const Case cases[] = {
      {"no sections: straight to the restart wait", {}, {}, {}, {}, 5s + 1s},
      {"all for target module 2: to slot 0, no run command, still the wait", {for_module(2, 10), for_module(2, 20)},
       {"1:05", "1:05"}, {10, 20}, {}, 5s + 1s},
      {"both modules: run on slot 0, then slot 1", {for_module(1, 30), for_module(0, 40)}, {"2:05", "1:05", "1:08", "2:08"},
       {40}, {30}, 5s + 1s + 1s},
      {"2500 bytes go as 1019, 1019 and 462", {for_module(0, 2500)}, {"1:05", "1:08"}, {1019, 1019, 462}, {}, 5s + 1s + 1s},
      {"any target module above 2 goes to slot 1 without a loader", {for_module(2, 5), for_module(7, 6)},
       {"1:05", "2:05"}, {5}, {6}, 5s + 1s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    arrange(0x4210);
    log_order();
    run_worker(write_package(package_of(0x4210, c.sections)));

    expect_success();
    EXPECT_EQ(m_order, c.order);
    EXPECT_EQ(clock().elapsed() - m_start, c.took);
    const auto reports_1 = m_one->take_output_reports();
    EXPECT_EQ(data_report_lengths(reports_1), c.reports_1);
    EXPECT_EQ(data_report_lengths(m_two->take_output_reports()), c.reports_2);
    EXPECT_EQ(reports_1.at(1)[1], 0x03) << "the sub-model read after the version";
    EXPECT_EQ(reports_1.at(1)[2], 0x05);
    next_case();
  }
}

TEST_F(TwoModuleUpdateTest, TheZodFloorReadsTheVersionFromTheFileName) {
  struct Case {
    const char* file;
    std::uint16_t sub_model;
    int refused_reads;  // of the sub-model block
    bool refused;
  };
  const Case cases[] = {
      {"LM6_v1.7.4_fr.img", 0x0010, 0, true},
      {"LM6_v1.7.4_fr.img", 0x001B, 0, true},
      {"LM6_v1.7.5_fr.img", 0x0010, 0, false},
      {"LM6_v1.8.img", 0x001B, 0, false},
      {"LM6.img", 0x0010, 0, false},
      {"LM6_v12.img", 0x0010, 0, true},
      {"LM6_v1.7.4_fr.img", 0x0005, 0, false},
      {"LM6_v1.7.4_fr.img", 0x0010, 1, true},
      {"LM6_v1.7.4_fr.img", 0x0010, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " sub-model " + std::to_string(c.sub_model) + " refused reads " +
                 std::to_string(c.refused_reads));
    Arrangement a;
    a.sub_model = c.sub_model;
    a.change_1 = [&c](sim::HidModelOptions& o) { o.refused_first_reads[0x05] = c.refused_reads; };
    arrange(0x4210, a);
    run_worker(m_files.write(c.file, package_of(0x4210, {for_module(0, 100)}).build()));

    std::vector<int> expected_1 = {0x01, 0x03};
    if (c.refused_reads > 0) expected_1.push_back(0x03);
    if (c.refused) {
      EXPECT_EQ(m_report.updateStatusAt(0), k_zod_refusal) << "no failure prefix";
      EXPECT_EQ(m_report.updateStatusAt(2), CommonTexts::vyla_cannot_update_lm6evo(2));
      EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
      EXPECT_TRUE(m_report.updateFinished());
      EXPECT_EQ(sim::open_handle_count(), 0);
      EXPECT_FALSE(std::filesystem::exists(archive_of(0x4210))) << "refused before the backup";
    } else {
      expect_success();
      expected_1.insert(expected_1.end(), {0x05, 0x06, 0x07, 0x08});
    }
    EXPECT_EQ(test_support::commands_received(*m_one), expected_1);
    EXPECT_EQ(test_support::commands_received(*m_two), std::vector<int>{0x01});
    next_case();
  }
}

TEST(FirmwareNameVersion, ReadsTheLastPathComponent) {
  struct Case {
    const char* path;
    std::optional<FileNameVersion> version;
  };
  const Case cases[] = {
      {"/home/v9.9/LM6_v1.7.4_fr.img", FileNameVersion{1, 7, 4}},
      {"LM6_v1.7.5-de.img", FileNameVersion{1, 7, 5}},
      {"LM6_v1.8.img", FileNameVersion{1, 8, 0}},
      {"LM6_v1.8_jp", FileNameVersion{1, 8, 0}},
      {"LM6.img", std::nullopt},
      {"LM6_v12.img", FileNameVersion{0, 0, 0}},
      {"LM6_v2.img", std::nullopt},                    // "_v2" reads as a language suffix
      {"LM6_v1.2.3.4.img", FileNameVersion{0, 0, 0}},
      {"LM6_V1.8.img", std::nullopt},
      {"v1", FileNameVersion{0, 0, 0}},                 // shorter than a suffix: nothing dropped
      {"v_", FileNameVersion{0, 0, 0}},
      {"_fr", std::nullopt},
      {"LM6_v1.7.img.img", FileNameVersion{1, 7, 0}},  // the first ".img" only
      {"LM6_v1.7.99999999999_fr.img", FileNameVersion{1, 7, 2147483647}},
      {"", std::nullopt},
      {"/", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const auto version = firmware_version_from_file_name(c.path);
    ASSERT_EQ(version.has_value(), c.version.has_value());
    if (!version) continue;
    EXPECT_EQ(version->major, c.version->major);
    EXPECT_EQ(version->minor, c.version->minor);
    EXPECT_EQ(version->secondary, c.version->secondary);
  }
}

TEST_F(TwoModuleUpdateTest, FailuresEndWithTheirCodeBeforeAnythingIsSentToAnEmptySlot) {
  const auto failing_version = [](sim::HidModelOptions& o) {
    o.version = {9, 9, 0, 0};
  };
  struct Case {
    const char* name;
    int target;
    Arrangement arrangement;
    std::function<void(FirmwarePackage&)> package;
    int usb_status;
    int code;
    std::string status;
    std::vector<int> commands_1;
    std::vector<int> commands_2;
    milliseconds took;  // 0: not checked
  };
  std::vector<Case> cases;
  for (const int target : {0x4310, 0x4210}) {
    const bool lm6 = target == 0x4210;
    const std::vector<int> checked_1 = lm6 ? std::vector<int>{0x01, 0x03} : std::vector<int>{0x01};
    const auto then = [](std::vector<int> first, std::vector<int> more) {
      first.insert(first.end(), more.begin(), more.end());
      return first;
    };
    cases.push_back({"another device is attached", target, {}, {}, 0x6012, 2, k_not_recognized, {}, {}, 0ms});
    cases.push_back({"module 1 at another version", target, {.change_1 = failing_version}, {}, k_attached, 2,
                     k_not_recognized, {0x01}, {}, 0ms});
    cases.push_back({"module 2 at another version, module 1 matching", target, {.change_2 = failing_version}, {},
                     k_attached, 2, k_not_recognized, {0x01}, {0x01}, 0ms});
    cases.push_back({"no module 2 in slot 1", target, {.second_in_slot = false}, {}, k_attached, 2, k_not_recognized,
                     {0x01}, {}, 0ms});
    cases.push_back({"a package for another product", target, {}, [](FirmwarePackage& p) { p.product_id = 0x4410; },
                     k_attached, 3, k_corrupted, {0x01}, {0x01}, 0ms});
    cases.push_back({"module 2 refuses a begin section", target,
                     {.module_2 = {.failing_commands = {0x05}}}, {}, k_attached, 1, k_cannot_get_status,
                     then(checked_1, {0x05, 0x06, 0x06, 0x07}), {0x01, 0x05}, 0ms});
    cases.push_back({"module 1 refuses its second data report", target,
                     {.module_1 = {.failing_data_report = 2}}, {}, k_attached, 1, k_cannot_get_status,
                     then(checked_1, {0x05, 0x06, 0x06}), {0x01}, 0ms});
    cases.push_back({"module 1 refuses the end of its section", target, {.module_1 = {.failing_commands = {0x07}}},
                     {}, k_attached, 1, k_cannot_get_status, then(checked_1, {0x05, 0x06, 0x06, 0x07}), {0x01}, 0ms});
    cases.push_back({"module 2 refuses its loader start", target, {.module_2 = {.failing_commands = {0x08}}}, {},
                     k_attached, 1, k_cannot_get_status, then(checked_1, {0x05, 0x06, 0x06, 0x07, 0x08}),
                     {0x01, 0x05, 0x06, 0x07, 0x08}, 0ms});
    cases.push_back({"never back after its loader", target, {.module_1 = {.never_returns = true}}, {}, k_attached, 1,
                     k_cannot_get_status, then(checked_1, {0x05, 0x06, 0x06, 0x07, 0x08}),
                     {0x01, 0x05, 0x06, 0x07, 0x08}, 5s + 300s});
    // the section table of the LM6 is checked by the loader; the block table of the others by the procedure
    if (lm6) {
      cases.push_back({"a section whose digest does not match", target, {},
                       [](FirmwarePackage& p) { p.sections[1].good_digest_a = false; }, k_attached, 3, k_corrupted,
                       {0x01}, {0x01}, 0ms});
    } else {
      // the section table alone is sound: the loader takes the package
      cases.push_back({"no block table", target, {},
                       [](FirmwarePackage& p) {
                         p.sections = {for_module(0, 10), for_module(1, 10)};
                         p.table_b = false;
                       },
                       k_attached, 3, k_corrupted, {0x01}, {0x01}, 0ms});
    }
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.target == 0x4210 ? " (LM6)" : " (dual module)"));
    arrange(c.target, c.arrangement);
    m_services.state().setUsbStatus(c.usb_status);
    FirmwarePackage package = package_of(c.target, {for_module(0, 1500), for_module(1, 10)});
    if (c.package) c.package(package);
    run_worker(write_package(package));

    EXPECT_EQ(m_report.updateRestoreError(), c.code);
    EXPECT_EQ(m_report.updateStatusAt(0), c.status);
    EXPECT_NE(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_TRUE(m_report.updateFinished());
    EXPECT_EQ(test_support::commands_received(*m_one), c.commands_1);
    EXPECT_EQ(test_support::commands_received(*m_two), c.commands_2);
    EXPECT_EQ(sim::open_handle_count(), 0) << "both slots closed";
    if (c.took != 0ms) {
      EXPECT_EQ(clock().elapsed() - m_start, c.took);
    }
    next_case();
  }
}

TEST_F(TwoModuleUpdateTest, AModuleThatDoesNotTellItsVersionCountsAsOnePointZero) {
  for (const bool recorded_as_1_0 : {true, false}) {
    SCOPED_TRACE(recorded_as_1_0);
    Arrangement a;
    a.change_2 = [](sim::HidModelOptions& o) { o.faults.fail_status = 5; };
    arrange(0x4310, a);
    if (recorded_as_1_0) {
      FEXOBluetoothDeviceData& record = m_services.state().data();
      record.setDeviceVersion02Major_Minor(1, 0);
      record.setDeviceSecondaryVersionType02(0);
      record.setDeviceSecondaryVersion02(0);
    }
    run_worker(write_package(package_of(0x4310, {})));
    if (recorded_as_1_0) {
      expect_success();
    } else {
      EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_device);
      EXPECT_EQ(m_report.updateStatusAt(0), k_not_recognized);
    }
    next_case();
  }
}

TEST_F(TwoModuleUpdateTest, TheRestorePageMakesNoBackup) {
  for (const int target : {0x4310, 0x2030, 0x4210}) {
    SCOPED_TRACE(target);
    arrange(target);
    run_worker(write_package(package_of(target, {for_module(0, 50), for_module(1, 60)})), session::k_mode_firmware_restore);
    expect_success();
    EXPECT_EQ(m_report.updateStatusAt(0), "On restoring firmware.");
    EXPECT_FALSE(std::filesystem::exists(archive_of(target)));
    EXPECT_EQ(m_one->section_download()->loader_starts(), 1);
    EXPECT_EQ(m_two->section_download()->loader_starts(), 1);
    next_case();
  }
}

TEST_F(TwoModuleUpdateTest, TheTimerDrawsTheTwoModulePhases) {
  // each data report takes the device a fifth of a second: 40 reports keep the bar in phase 4 for 8 s
  Arrangement a;
  a.module_2.data_report_time = 200ms;
  arrange(0x4310, a);
  m_page.file = write_package(package_of(0x4310, {for_module(0, 300), for_module(1, 40 * 1019)}));
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  std::vector<int> bars;
  for (const Tick& tick : run_operation(operation)) bars.push_back(tick.bar);

  ASSERT_EQ(operation.state(), update::k_state_idle);
  EXPECT_EQ(operation.report().updateProcessed(), update::k_update_succeeded);
  // 8 ticks of sections, 5 + 1 of the restart wait, 1 of the end
  ASSERT_GE(bars.size(), 14u);
  EXPECT_TRUE(std::is_sorted(bars.begin(), bars.end()));
  const auto count_in = [&bars](int low, int high) {
    return std::count_if(bars.begin(), bars.end(), [=](int bar) { return bar >= low && bar <= high; });
  };
  EXPECT_GE(count_in(4, 85), 7) << "the sections";
  EXPECT_GE(count_in(86, 98), 5) << "the restart wait";
  EXPECT_GE(count_in(99, 99), 1) << "the device back";
  EXPECT_EQ(bars.back(), 99) << "the worker reports 100 after the last tick";
  EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                       "setDeviceRecognitionWithStatus_info_from 0 - 5"),
            1);
  m_one->take_received();
  m_two->take_received();
}

TEST_F(TwoModuleUpdateTest, UpdateButtonToRecognitionOnTheSimulatedBus) {
  arrange(0x4310);
  const FirmwarePackage package = package_of(0x4310, {for_module(0, 1500), for_module(1, 700), for_module(3, 20)});
  update_from_the_page(write_package(package));
  EXPECT_EQ(data_of(*m_one), std::vector<std::vector<std::uint8_t>>{package.sections[0].data});
  EXPECT_EQ(data_of(*m_two), (std::vector<std::vector<std::uint8_t>>{package.sections[1].data, package.sections[2].data}));
  EXPECT_EQ(m_one->section_download()->loader_starts(), 1);
  EXPECT_EQ(m_two->section_download()->loader_starts(), 1);
  EXPECT_TRUE(std::filesystem::exists(archive_of(0x4310)));
  m_one->take_received();
  m_two->take_received();
}

}  // namespace
