// The camera firmware copy of the action cameras on the simulated bus in
// virtual time: a simulated 0x6010 stands in for the camera (the HID open
// never opens the cameras' own ids), with the section download and the
// camera commands, and its memory card appears as a mounted volume in a
// temporary folder. Each run goes on into the HID sections 0 and 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "support/firmware_package_builder.h"
#include "update/camera_disk.h"
#include "update/update_operation.h"
#include "update/update_worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using test_support::FirmwarePackage;
using test_support::section_of;

constexpr std::uint8_t k_on = 0x20;
constexpr std::uint8_t k_off = 0x21;
constexpr std::uint8_t k_state = 0x22;

const std::string k_prefix = "Failed to update firmware. ";

std::string cannot_get_status(const std::string& code) { return k_prefix + "Cannot get status " + code + ". Try again."; }
std::string camera_failed(const std::string& code) {
  return k_prefix + "Camera firmware update failed " + code + ". Try again.";
}

std::vector<std::uint8_t> repeated(std::uint8_t command, int times) { return std::vector<std::uint8_t>(times, command); }

std::vector<std::uint8_t> joined(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Overrides of the state answers: queries `first` .. `last` (counted from 1) answer `state`.
std::map<int, std::uint8_t> answers(int first, int last, std::uint8_t state) {
  std::map<int, std::uint8_t> map;
  for (int query = first; query <= last; ++query) map[query] = state;
  return map;
}

std::set<int> queries(int first, int last) {
  std::set<int> set;
  for (int query = first; query <= last; ++query) set.insert(query);
  return set;
}

class CameraDiskCopyTest : public test_support::UpdateWorkerFixture {
 protected:
  // A simulated 0x6010 at version 1.2 with the section download and the
  // camera commands of `camera`'s row, its card at version 1.0 installing
  // 2.1; `camera` selected, the attached device seen as 0x6010.
  std::shared_ptr<sim::HidModel> attach_camera(int camera,
                                               const std::function<void(sim::CameraCommandsOptions&)>& change = {}) {
    sim::HidModelOptions device = sim::hid_fixture_6020();
    device.product_id = 0x6010;
    device.name = "Y350";
    device.version = {1, 2, 0, 0};
    device.section_download = sim::SectionDownloadOptions{};
    const update::CameraDiskNames names = update::camera_disk_names(camera).value();
    sim::CameraCommandsOptions options;
    options.version_file = names.version_file;
    options.firmware_file = names.firmware_file;
    options.version_text = "1.0";
    options.installs_version = "2.1";
    if (camera == 0x5580) options.turns_off_after_install = 60s;
    if (change) change(options);
    device.camera = options;
    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(0x6010);
    record.setDeviceName(std::string("Y350"));
    record.setDeviceVersionMajor_Minor(1, 2);
    m_services.state().setDeviceTarget(camera);
    m_services.state().setUsbStatus(0x6010);
    m_camera = camera;
    // the bus keeps earlier cameras until the test ends: their cards go now
    if (m_device) m_device->camera()->disk().unmount();
    m_device = attach(std::make_shared<sim::HidModel>(std::move(device)));
    return m_device;
  }

  // Sections 0 and 1 for HID, the camera part at version `major`.`minor` as
  // entry 2, and a fourth section that never goes.
  FirmwarePackage camera_package(std::uint32_t major = 2, std::uint32_t minor = 1) const {
    FirmwarePackage package;
    package.product_id = static_cast<std::uint32_t>(m_camera);
    test_support::PackageSection camera = section_of(5000, 2, 0x40);
    camera.versions = {major, minor, 0, 0, 0};
    package.sections = {section_of(1500, 0, 0x0102), section_of(10, 1, 0x07), camera, section_of(30, 3)};
    return package;
  }

  update::CameraDiskNames names() const { return update::camera_disk_names(m_camera).value(); }

  // The commands after the version query, with the sections' run as one 0x05.
  static std::vector<int> hid_commands(sim::HidModel& device) {
    std::vector<int> commands;
    for (const int command : test_support::commands_received(device)) {
      if (command == 0x01 || command == 0x06 || command == 0x07) continue;
      commands.push_back(command);
    }
    return commands;
  }

  void expect_failed_with(sim::HidModel& device, const std::string& status) {
    EXPECT_EQ(m_report.updateStatusAt(0), status);
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
    EXPECT_NE(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_TRUE(m_report.updateFinished());
    EXPECT_EQ(sim::open_handle_count(), 0) << "HID closed";
    EXPECT_TRUE(device.section_download()->sections().empty()) << "no section after a failed copy";
  }

  int m_camera = 0x5510;
  std::shared_ptr<sim::HidModel> m_device;
};

// The camera commands of a copy that goes through (not 0x5580): on and its
// state, then the copy; state 1, off, state 0, on; the new version; state 1,
// off, state 0.
const std::vector<std::uint8_t> k_copy_commands = {k_on, k_state, k_state, k_off, k_state, k_on, k_state, k_off, k_state};

TEST_F(CameraDiskCopyTest, EachCameraGetsItsPartUnderItsNamesAndThenSectionsZeroAndOne) {
  for (const int camera : {0x5510, 0x5580, 0x5570, 0x5576, 0x3060}) {
    SCOPED_TRACE(camera);
    auto device = attach_camera(camera, [](sim::CameraCommandsOptions& o) { o.removes_installed_file = false; });
    sim::CameraDisk& disk = device->camera()->disk();
    // an earlier attempt's transfer file goes before anything is read
    disk.write(names().transfer_file, std::string("left over"));
    const FirmwarePackage package = camera_package();
    run_worker(write_package(package));

    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_none);
    EXPECT_NE(m_console.find("bSameCameraVersion[0]"), std::string::npos);
    // the card: the camera part under the firmware name, the new version, no transfer file
    std::vector<std::string> expected_files = {names().firmware_file, names().version_file};
    std::sort(expected_files.begin(), expected_files.end());
    EXPECT_EQ(disk.files(), expected_files);
    EXPECT_EQ(disk.read(names().firmware_file), package.sections[2].data);
    EXPECT_EQ(disk.read_text(names().version_file), "2.1");
    EXPECT_EQ(device->camera()->installations(), 1);
    EXPECT_FALSE(device->camera()->disk_on()) << "off before the sections";

    std::vector<std::uint8_t> expected = k_copy_commands;
    if (camera == 0x5580) {
      // it installs with its disk on and turns it off 60 s after the on: the
      // state is asked from 50 s on (20 s + 30 s), eleven times; then off, 10 s, state 0, on
      expected = joined({{k_on, k_state, k_state, k_off, k_state, k_on}, repeated(k_state, 11),
                         {k_off, k_state, k_on, k_state, k_off, k_state}});
    }
    EXPECT_EQ(device->camera()->commands(), expected);
    const std::vector<sim::ReceivedSection> sections = device->section_download()->sections();
    ASSERT_EQ(sections.size(), 2u) << "sections 0 and 1 only";
    EXPECT_EQ(sections[0].data, package.sections[0].data);
    EXPECT_EQ(sections[1].data, package.sections[1].data);
    EXPECT_EQ(sim::open_handle_count(), 0);
    device->take_received();
    sim::reset();
  }
}

TEST_F(CameraDiskCopyTest, ACopyRunsOnTheClockAndTheTimerDrawsTheCameraGroup) {
  auto device = attach_camera(0x5570);
  m_page.file = write_package(camera_package());
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  std::vector<int> bars;
  for (const Tick& tick : run_operation(operation)) bars.push_back(tick.bar);
  ASSERT_EQ(operation.report().updateProcessed(), update::k_update_succeeded);

  // from the version query: 1 s, 15 s, the disk, 1 s, 2 s, 20 s, 3 s, 3 s, then the
  // 5 s before the sections, 5 s after, the readiness, 60 s and the device back at once
  const std::vector<sim::ReceivedReport> received = device->take_received();
  const auto at = [&](std::uint8_t command, int occurrence) {
    for (const sim::ReceivedReport& report : received) {
      if (report.bytes[1] == command && --occurrence == 0) {
        return std::chrono::duration_cast<milliseconds>(report.time - received.front().time);
      }
    }
    return milliseconds(-1);
  };
  EXPECT_EQ(at(k_on, 1), 0s);
  EXPECT_EQ(at(k_state, 1), 1s);
  EXPECT_EQ(at(k_state, 2), 17s) << "15 s, the disk found at once, the copy, 1 s";
  EXPECT_EQ(at(k_on, 2), 19s);
  EXPECT_EQ(at(k_state, 4), 19s + 20s + 3s + 3s) << "the disk back at once, its version read after 3 s";
  EXPECT_EQ(at(0x05, 1), 45s + 5s);

  // the camera group creeps along while the copy runs: never back, at most a step a tick
  ASSERT_GE(bars.size(), 100u);
  const auto done = std::find(bars.begin(), bars.end(), update::k_update_succeeded);
  ASSERT_NE(done, bars.begin());
  for (auto bar = bars.begin() + 1; bar != done; ++bar) {
    EXPECT_GE(*bar, *(bar - 1));
    EXPECT_LE(*bar - *(bar - 1), 1);
  }
  EXPECT_GT(bars[45], bars[5]) << "it moves during the copy";
}

TEST_F(CameraDiskCopyTest, TheSameVersionGetsNoCopy) {
  // the package's camera version against the card's version file
  const struct {
    const char* text;
    std::uint32_t major, minor;
    bool same;
  } cases[] = {
      {"2.1", 2, 1, true},   {"2.1\n", 2, 1, true}, {"2.10", 2, 10, true}, {"2.10", 2, 1, false},
      {"2", 2, 0, true},     {"2.0.7", 2, 0, true}, {"3.1", 2, 1, false},  {"1.1", 2, 1, false},
      {"\xff\xfe", 0, 0, true},  // not UTF-8: 0.0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SCOPED_TRACE(c.minor);
    auto device = attach_camera(0x5510, [&](sim::CameraCommandsOptions& o) { o.version_text = c.text; });
    run_worker(write_package(camera_package(c.major, c.minor)));
    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_NE(m_console.find(c.same ? "bSameCameraVersion[1]" : "bSameCameraVersion[0]"), std::string::npos);
    if (c.same) {
      EXPECT_EQ(device->camera()->commands(), (std::vector<std::uint8_t>{k_on, k_state, k_state, k_off, k_state}));
      EXPECT_EQ(device->camera()->disk().files(), std::vector<std::string>{"VT4.VER"}) << "no file written";
      EXPECT_EQ(device->camera()->installations(), 0);
    } else {
      EXPECT_EQ(device->camera()->commands(), k_copy_commands);
    }
    // then the HID sections: two sections, readiness, the loader
    const std::vector<int> commands = hid_commands(*device);
    const auto first_section = std::find(commands.begin(), commands.end(), 0x05);
    EXPECT_EQ(std::vector<int>(first_section, commands.end()), (std::vector<int>{0x05, 0x05, 0x0D, 0x08}));
    sim::reset();
  }
}

TEST_F(CameraDiskCopyTest, EachFailureHasItsCodeAndEndsWithHidClosed) {
  // The 0x22 queries of a copy on 0x5510: 1 after the first on, 2 before the
  // off, 3 before the on again, 4 before the last off, 5 before the sections;
  // without a copy: 1, 2 before the off, 3 before the sections. On 0x5580, 4 to
  // 14 wait for its own off, 15 after the extra off, 16 and 17 as 4 and 5.
  using Options = sim::CameraCommandsOptions;
  struct Case {
    const char* name;
    int camera;
    std::function<void(Options&)> options;
    std::string status;
    std::vector<std::string> files_left;  // beside the version file; {"*"} not checked
    milliseconds took;                    // from the version query; 0: not checked
  };
  const std::string transfer = "__vt4_firmware__.bin";
  const std::string firmware = "FWCARCAM.bin";
  const auto same_version = [](Options& o) { o.version_text = "2.1"; };
  const Case cases[] = {
      {"disk on refused", 0x5510, [](Options& o) { o.failing_commands[k_on] = {1}; }, cannot_get_status("[1][0]"), {},
       0ms},
      {"never on", 0x5510, [](Options& o) { o.state_answers = answers(1, 30, 0); }, cannot_get_status("[4][1]"), {},
       1s + 30s},
      {"no disk within 70 s", 0x5510, [](Options& o) { o.mount_delays = {std::nullopt}; },
       k_prefix + "Check your SD Card", {}, 1s + 15s + 70s},
      {"a disk later than 70 s", 0x5510, [](Options& o) { o.mount_delays = {86s}; },
       k_prefix + "Check your SD Card", {}, 1s + 15s + 70s},
      // no copy
      {"same version, never on again", 0x5510, [&](Options& o) { same_version(o); o.state_answers = answers(2, 31, 0); },
       cannot_get_status("[4][2]"), {}, 0ms},
      {"same version, off refused", 0x5510, [&](Options& o) { same_version(o); o.failing_commands[k_off] = {1}; },
       cannot_get_status("[3][2]"), {}, 0ms},
      {"same version, never off", 0x5510, [&](Options& o) { same_version(o); o.state_answers = answers(3, 32, 1); },
       cannot_get_status("[4][5]"), {}, 0ms},
      // the copy and its check
      {"transfer file cannot be created", 0x5510, {}, cannot_get_status("[2][0]"), {"*"}, 0ms},
      {"firmware name cannot be taken", 0x5510, {}, camera_failed("[2][1]"), {"*"}, 0ms},
      {"copy gone after the move", 0x5510, [](Options& o) { o.disk_faults.loses_moved_file = true; },
       cannot_get_status("[2][5]"), {}, 0ms},
      {"copy changed on the card", 0x5510, [](Options& o) { o.disk_faults.changes_moved_file = true; },
       cannot_get_status("[2][6]"), {}, 0ms},
      {"copy shortened on the card", 0x5510, [](Options& o) { o.disk_faults.shortens_moved_file = true; },
       cannot_get_status("[2][6]"), {}, 0ms},
      {"copy grows after its check", 0x5510, [](Options& o) { o.disk_faults.grows_after_read = true; },
       cannot_get_status("[2][4]"), {}, 0ms},
      {"transfer name cannot be cleaned up", 0x5510,
       [&](Options& o) {
         o.disk_faults.changes_moved_file = true;
         o.disk_faults.folder_after_move = transfer;
       },
       cannot_get_status("[2][9]"), {"*"}, 0ms},
      {"firmware name cannot be cleaned up", 0x5510, [&](Options& o) { o.disk_faults.folder_after_move = firmware; },
       cannot_get_status("[2][10]"), {"*"}, 0ms},
      // handing over to the camera
      {"not on before the off", 0x5510, [](Options& o) { o.state_answers = answers(2, 31, 0); },
       cannot_get_status("[4][2]"), {firmware}, 0ms},
      {"off refused", 0x5510, [](Options& o) { o.failing_commands[k_off] = {1}; }, cannot_get_status("[0][0]"),
       {firmware}, 0ms},
      {"off refused after a failed sixth query", 0x5510,
       [](Options& o) {
         o.failing_state_queries = queries(2, 7);
         o.failing_commands[k_off] = {1};
       },
       cannot_get_status("[3][2]"), {firmware}, 0ms},
      {"never off after the copy", 0x5510, [](Options& o) { o.state_answers = answers(3, 32, 1); },
       cannot_get_status("[4][3]"), {}, 0ms},
      {"on again refused", 0x5510, [](Options& o) { o.failing_commands[k_on] = {2}; }, cannot_get_status("[3][3]"), {},
       0ms},
      {"on again refused after a failed sixth query", 0x5510,
       [](Options& o) {
         o.failing_state_queries = queries(3, 8);
         o.failing_commands[k_on] = {2};
       },
       cannot_get_status("[1][1]"), {}, 0ms},
      {"no disk within 200 s after the copy", 0x5510, [](Options& o) { o.mount_delays = {5s, std::nullopt}; },
       camera_failed("[2][3]"), {}, 1s + 15s + 1s + 2s + 20s + 200s},
      {"the old version after the installation", 0x5510, [](Options& o) { o.installs_version = std::nullopt; },
       camera_failed("[2][2]"), {}, 0ms},
      {"not on before the last off", 0x5510, [](Options& o) { o.state_answers = answers(4, 33, 0); },
       cannot_get_status("[4][4]"), {}, 0ms},
      {"the last off refused", 0x5510, [](Options& o) { o.failing_commands[k_off] = {2}; },
       cannot_get_status("[3][4]"), {}, 0ms},
      {"the last off refused after a failed sixth query", 0x5510,
       [](Options& o) {
         o.failing_state_queries = queries(4, 9);
         o.failing_commands[k_off] = {2};
       },
       cannot_get_status("[3][2]"), {}, 0ms},
      // 0x5580's own cycle
      {"0x5580 never done", 0x5580, [](Options& o) { o.turns_off_after_install = std::nullopt; },
       camera_failed("[5][1]"), {}, 1s + 15s + 1s + 2s + 20s + 30s + 100s},
      {"0x5580 off refused", 0x5580, [](Options& o) { o.failing_commands[k_off] = {2}; }, cannot_get_status("[5][0]"),
       {}, 0ms},
      {"0x5580 never off again", 0x5580, [](Options& o) { o.state_answers = answers(15, 44, 1); },
       cannot_get_status("[5][3]"), {}, 0ms},
      {"0x5580 on refused", 0x5580, [](Options& o) { o.failing_commands[k_on] = {3}; }, cannot_get_status("[5][2]"), {},
       0ms},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_camera(c.camera, c.options);
    sim::CameraDisk& disk = device->camera()->disk();
    if (std::string(c.name) == "transfer file cannot be created") disk.write(transfer + "/in the way", std::string("x"));
    if (std::string(c.name) == "firmware name cannot be taken") disk.write(firmware + "/in the way", std::string("x"));
    const std::string version_file = names().version_file;
    run_worker(write_package(camera_package()));

    expect_failed_with(*device, c.status);
    if (c.files_left != std::vector<std::string>{"*"}) {
      std::vector<std::string> expected = c.files_left;
      expected.push_back(version_file);
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(disk.files(), expected);
    }
    if (c.took != 0ms) {
      const std::vector<sim::ReceivedReport> received = device->take_received();
      ASSERT_FALSE(received.empty());
      EXPECT_EQ(std::chrono::duration_cast<milliseconds>(clock().now() - received.front().time), c.took)
          << "from the version query";
    }
    device->take_received();
    sim::reset();
  }
}

TEST_F(CameraDiskCopyTest, APackageWithoutAWholeCameraPartIsRefusedBeforeTheDiskIsSwitchedOn) {
  struct Case {
    const char* name;
    std::function<void(FirmwarePackage&)> damage;
  };
  const Case cases[] = {
      {"two sections only", [](FirmwarePackage& p) { p.sections.resize(2); }},
      {"the part's data beyond the file", [](FirmwarePackage& p) { p.sections[2].length_error = 100; }},
      {"the file cut inside the part", [](FirmwarePackage& p) { p.cut_to_bytes = p.data_of(2) + 10; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_camera(0x5510);
    FirmwarePackage package = camera_package();
    c.damage(package);
    run_worker(write_package(package));
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_firmware);
    EXPECT_EQ(m_report.updateStatusAt(0), k_prefix + "Firmware corrupted");
    EXPECT_TRUE(device->camera()->commands().empty());
    EXPECT_EQ(test_support::commands_received(*device), std::vector<int>{0x01});
    sim::reset();
  }
}

TEST_F(CameraDiskCopyTest, TheSixthFailureRule) {
  struct Case {
    const char* name;
    int camera;
    std::set<int> failing;
    std::vector<std::uint8_t> commands;  // the camera commands up to the second on
    bool succeeds;
  };
  const Case cases[] = {
      {"a failed sixth query counts as disk on", 0x5510, queries(1, 6),
       joined({{k_on}, repeated(k_state, 6), {k_state, k_off, k_state, k_on}}), true},
      // in each wait with the rule the sixth query (its count 5) fails
      {"every query failing: the sixth of each wait counts", 0x5510, queries(1, 30),
       joined({{k_on}, repeated(k_state, 6), repeated(k_state, 6), {k_off}, repeated(k_state, 6), {k_on}}), true},
      {"failed queries before the sixth only count towards the limit", 0x5510, queries(1, 5),
       joined({{k_on}, repeated(k_state, 7), {k_state, k_off, k_state, k_on}}), true},
      {"failed queries after the sixth only count towards the limit", 0x5510, {1, 2, 3, 4, 5, 7, 8, 9},
       joined({{k_on}, repeated(k_state, 10), {k_state, k_off, k_state, k_on}}), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_camera(c.camera, [&](sim::CameraCommandsOptions& o) {
      o.failing_state_queries = c.failing;
      // queries that answer are "off" until the seventh, so only the rule or the seventh ends the first wait
      o.state_answers = answers(1, 6, 0);
    });
    run_worker(write_package(camera_package()));
    EXPECT_EQ(m_report.updateProcessed() == update::k_update_succeeded, c.succeeds);
    const std::vector<std::uint8_t> commands = device->camera()->commands();
    ASSERT_GE(commands.size(), c.commands.size());
    EXPECT_EQ(std::vector<std::uint8_t>(commands.begin(), commands.begin() + static_cast<std::ptrdiff_t>(c.commands.size())),
              c.commands);
    device->take_received();
    sim::reset();
  }

  // without the rule (0x5580's own waits) a failed sixth query is one more query
  for (const bool failing : {false, true}) {
    SCOPED_TRACE(failing);
    // 4 to 14 wait for its own off; 15 is the first after its extra off
    auto device = attach_camera(0x5580, [&](sim::CameraCommandsOptions& o) {
      if (failing) o.failing_state_queries = queries(15, 20);
    });
    run_worker(write_package(camera_package()));
    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    const std::vector<std::uint8_t> commands = device->camera()->commands();
    const std::vector<std::uint8_t> tail = joined({{k_off}, repeated(k_state, failing ? 7 : 1), {k_on, k_state, k_off, k_state}});
    ASSERT_GE(commands.size(), tail.size());
    EXPECT_EQ(std::vector<std::uint8_t>(commands.end() - static_cast<std::ptrdiff_t>(tail.size()), commands.end()), tail);
    device->take_received();
    sim::reset();
  }
  // and its wait for the installation fails after 100 queries that all fail
  auto device = attach_camera(0x5580, [&](sim::CameraCommandsOptions& o) { o.failing_state_queries = queries(4, 103); });
  run_worker(write_package(camera_package()));
  expect_failed_with(*device, camera_failed("[5][1]"));
  EXPECT_EQ(device->camera()->state_queries(), 103);
  EXPECT_NE(m_console.find("wait check update complete 100"), std::string::npos);
  device->take_received();
}

TEST(CameraDiskFilesTest, AMissingVersionFileReadsAsNoVersion) {
  EXPECT_EQ(update::read_camera_version("/nonexistent/MISC/version.conf"), (device_data::CameraVersion{0, 0}));
  EXPECT_FALSE(update::camera_disk_names(0x6010));
  EXPECT_FALSE(update::camera_disk_names(0x3020)) << "a marker, but no firmware file of its own";
}

}  // namespace
