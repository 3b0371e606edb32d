// The QCC update procedures on the simulated bus in virtual time: a 0x6038
// from the Update button to the hand-over to recognition, the frames of the
// Bluetooth and the mesh image, the button set's two notices, the mesh QCC
// procedure on a 0x6038 with its mesh unit, and every failure with its text,
// code and time.
#include "update/families/qcc_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/message_box.h"
#include "session/page_modes.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "support/firmware_package_builder.h"
#include "update/update_operation.h"
#include "update/update_worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using test_support::FirmwarePackage;
using test_support::PackageBytes;
using test_support::Sample;
using test_support::section_of;

const std::string k_failed = "Failed to update firmware. ";
const std::string k_cannot_get_status = k_failed + "Cannot get status";
const std::string k_not_recognized = k_failed + "Not the recognized device";
const std::string k_corrupted = k_failed + "Firmware corrupted";

// A package whose section entry 0 holds a Bluetooth image of `bluetooth`
// bytes and, for the mesh products, entry 1 a mesh image of `mesh` bytes.
FirmwarePackage qcc_package(int product, std::size_t bluetooth, std::optional<std::size_t> mesh = std::nullopt) {
  FirmwarePackage package;
  package.product_id = static_cast<std::uint32_t>(product);
  package.sections.push_back(section_of(bluetooth, 1));
  if (mesh) package.sections.push_back(section_of(*mesh, 2));
  return package;
}

bool mesh_product(int target) { return target == 0x6500 || target == 0x6510 || target == 0x3150 || target == 0x3161; }

// The mesh unit each mesh product shows in its mesh download mode.
std::uint16_t mesh_unit_of(int target) {
  switch (target) {
    case 0x6500: return 0x6501;
    case 0x6510: return 0x6511;
    case 0x3150: return 0x3160;
    default: return 0x3220;
  }
}

class QccUpdateTest : public test_support::UpdateWorkerFixture {
 protected:
  // The selected product `target` on the simulated bus, with a record that
  // says recognition read it at version 1.2 (the device tells 1.0). The
  // button set shows itself as 0x4D16 does, every other product as 0x6038;
  // the mesh products are a 0x6038 with their mesh unit, as this edition's
  // HID filter opens none of them.
  std::shared_ptr<sim::HidModel> attach_device(int target, std::function<void(sim::HidModelOptions&)> change = {}) {
    const bool button_set = target >= 0x4D06 && target <= 0x4D86;
    sim::HidModelOptions device = button_set ? sim::hid_fixture_4d16() : sim::hid_fixture_6038();
    if (mesh_product(target)) {
      device.mesh = sim::MeshUnit{};
      device.mesh->product_id = mesh_unit_of(target);
    } else {
      device.product_id = static_cast<std::uint16_t>(target);
    }
    if (change) change(device);
    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(target);
    record.setDeviceVersionMajor_Minor(1, 2);
    m_services.state().setDeviceTarget(target);
    m_services.state().setUsbStatus(device.product_id);
    return attach(std::make_shared<sim::HidModel>(std::move(device)));
  }

  std::string write_bytes(const PackageBytes& bytes) { return m_files.write("firmware.img", bytes); }

  // Command bytes with the time each report came, from the first report on.
  struct Traffic {
    std::vector<int> commands;
    std::vector<milliseconds> at;
    std::vector<std::vector<std::uint8_t>> reports;
  };
  static Traffic traffic(sim::Model& device) {
    Traffic taken;
    const std::vector<sim::ReceivedReport> received = device.take_received();
    for (const sim::ReceivedReport& report : received) {
      taken.commands.push_back(report.bytes[1]);
      taken.at.push_back(std::chrono::duration_cast<milliseconds>(report.time - received.front().time));
      taken.reports.push_back(report.bytes);
    }
    return taken;
  }

  // When each report with `command` came, in elapsed time of the test's clock.
  static std::vector<milliseconds> times_of(const Traffic& traffic, int command) {
    std::vector<milliseconds> times;
    for (std::size_t i = 0; i < traffic.commands.size(); ++i) {
      if (traffic.commands[i] == command) times.push_back(traffic.at[i]);
    }
    return times;
  }
};

// The commands of a Bluetooth image in `reports` data reports, the last marked 0x0E.
std::vector<int> image_commands(int reports) {
  std::vector<int> commands{0x05};
  for (int i = 1; i < reports; ++i) commands.push_back(0x06);
  if (reports > 0) commands.push_back(0x0E);
  commands.insert(commands.end(), {0x07, 0x08});
  return commands;
}

std::vector<int> joined(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(QccUpdateTest, UpdatesA6038EndToEnd) {
  auto device = attach_device(0x6038);
  const FirmwarePackage package = qcc_package(0x6038, 2500);
  run_worker(write_package(package));

  // traffic, in order and in time
  const Traffic sent = traffic(*device);
  ASSERT_EQ(sent.commands, joined({{0x13}, image_commands(3), {0x0A}}));
  EXPECT_EQ(sent.at[1], 4s) << "the device left 0.1 s after 0x13 and is back 3 s later: found on the second try";
  EXPECT_EQ(sent.at[6], 4s) << "no pause between the reports";
  EXPECT_EQ(sent.at[7], 11s) << "6 s after the loader, then a second per try: back on the first";
  EXPECT_EQ(clock().elapsed() - m_start, 12s) << "a second after 99, 100";
  EXPECT_EQ(data_report_lengths(sent.reports, {0x06, 0x0E}), (std::vector<std::size_t>{1019, 1019, 462}));
  for (const auto& report : sent.reports) {
    if (report[1] == 0x13 || report[1] == 0x05 || report[1] == 0x08) {
      EXPECT_TRUE(std::all_of(report.begin() + 2, report.end(), [](std::uint8_t b) { return b == 0; }))
          << "arguments cleared, byte 2 = 0";
    }
  }

  // the image byte for byte, its last report marked
  const std::vector<sim::ReceivedImage> images = device->qcc_update()->images();
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].data, package.sections[0].data);
  EXPECT_EQ(images[0].marked_last, 2u);
  EXPECT_TRUE(images[0].ended);
  EXPECT_EQ(device->qcc_update()->update_mode_entries(), 1);
  EXPECT_EQ(device->qcc_update()->result_queries(), 1);
  EXPECT_EQ(device->qcc_update()->readiness_queries(), 0);
  EXPECT_EQ(device->qcc_update()->mode_probes(), 0);
  EXPECT_TRUE(device->present());

  // what the timer reads; the device's version 1.0 was never compared with the record's 1.2
  EXPECT_EQ(phases(), (std::vector<int>{4, 99}));
  EXPECT_EQ(m_samples.back().phase, 99);
  EXPECT_NE(m_samples.back().bar, update::k_update_succeeded) << "100 comes a second after 99";
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_none);
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_EQ(m_report.updateStatusAt(0), "On updating firmware.");
  EXPECT_TRUE(m_services.boxes.empty());
  EXPECT_TRUE(std::none_of(m_samples.begin(), m_samples.end(), [](const Sample& s) { return s.box_flag; }));
  EXPECT_EQ(sim::open_handle_count(), 0);
  EXPECT_TRUE(std::filesystem::exists(archive_of(0x6038))) << "the backup archive";
}

TEST_F(QccUpdateTest, ImageFramesFollowTheImageLength) {
  struct Case {
    const char* name;
    int target;
    std::size_t bluetooth;
    std::size_t mesh;
    std::vector<std::size_t> bluetooth_reports;
    std::optional<std::size_t> marked;  // the report that carried 0x0E
    std::vector<std::size_t> mesh_reports;
  };
  const Case cases[] = {
      {"1019 bytes: one 0x0E report", 0x6038, 1019, 0, {1019}, 0, {}},
      {"1020 bytes: 0x06 of 1019, 0x0E of 1", 0x6600, 1020, 0, {1019, 1}, 1, {}},
      {"twice 1019: a full 0x0E report last", 0x6038, 2038, 0, {1019, 1019}, 1, {}},
      {"no bytes: begin and end only", 0x6038, 0, 0, {}, std::nullopt, {}},
      {"a mesh image of 61 bytes in one short report", 0x3150, 5, 61, {5}, 0, {61}},
      {"62 mesh bytes in 61 and 1", 0x3150, 5, 62, {5}, 0, {61, 1}},
      {"an empty mesh image: begin and end only", 0x3161, 5, 0, {5}, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_device(c.target);
    const bool mesh = mesh_product(c.target);
    const FirmwarePackage package =
        qcc_package(c.target, c.bluetooth, mesh ? std::optional<std::size_t>(c.mesh) : std::nullopt);
    run_worker(write_package(package));

    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    const Traffic sent = traffic(*device);
    std::vector<std::vector<std::uint8_t>> long_reports;
    std::vector<std::vector<std::uint8_t>> short_reports;
    for (const auto& report : sent.reports) (report.size() == 65 ? short_reports : long_reports).push_back(report);
    EXPECT_EQ(data_report_lengths(long_reports, {0x06, 0x0E}), c.bluetooth_reports);
    EXPECT_EQ(data_report_lengths(short_reports, {0x06, 0x0E}), c.mesh_reports);
    for (const auto& report : long_reports) {
      if (report[1] == 0x0E && report[2] == 0x03) {
        EXPECT_EQ(report[3], 0xFB) << "1019, high byte first";
      }
    }
    EXPECT_TRUE(std::none_of(short_reports.begin(), short_reports.end(), [](const auto& r) { return r[1] == 0x0E; }));
    const std::vector<sim::ReceivedImage> images = device->qcc_update()->images();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].data, package.sections[0].data);
    EXPECT_EQ(images[0].marked_last, c.marked);
    if (mesh) {
      const std::vector<sim::ReceivedImage> mesh_images = device->qcc_update()->mesh_images();
      ASSERT_EQ(mesh_images.size(), 1u);
      EXPECT_EQ(mesh_images[0].data, package.sections[1].data);
      EXPECT_TRUE(mesh_images[0].ended);
    }
    sim::reset();
  }
}

TEST_F(QccUpdateTest, TheButtonSetKeepsEachNoticeUntilTheDeviceAnswers) {
  struct Case {
    const char* name;
    int target;
    std::vector<std::string> boxes;
    std::vector<int> commands;
  };
  const Case cases[] = {
      {"0x4D16: hold the button until ready, then off and on until in its mode", 0x4D16,
       {*session::message_box_first_button(0x4D16, 0), *session::message_box_second_button(0x4D16, 0)},
       joined({{0x0D, 0x0D, 0x0D, 0x13}, image_commands(1), {0x0A, 0x12, 0x12, 0x12}})},
      {"0x6600: no notice, no readiness, no mode probe", 0x6600, {}, joined({{0x13}, image_commands(1), {0x0A}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_device(c.target, [](sim::HidModelOptions& d) {
      d.qcc_update->not_ready_queries = 2;
      d.qcc_update->mode_answers = {0, 0, 1};
    });
    run_worker(write_package(qcc_package(c.target, 700)));

    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    const Traffic sent = traffic(*device);
    EXPECT_EQ(sent.commands, c.commands);
    std::vector<std::string> boxes;
    for (const auto& box : m_services.boxes) {
      boxes.push_back(box.request.message);
      EXPECT_TRUE(box.request.warning);
      EXPECT_FALSE(box.request.ok_title || box.request.cancel_title);
      EXPECT_EQ(box.request.size, session::MessageBoxSize::w420_h115);
      EXPECT_EQ(box.request.purpose, session::MessageBoxPurpose::update_notice_other);
    }
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(), "closeMessageBox"),
              static_cast<long>(c.boxes.size()));
    EXPECT_FALSE(m_services.box_open());
    if (c.target == 0x4D16) {
      // an answer of 0 is asked again a second later; the flag stands while each notice is up
      const std::vector<milliseconds> ready = times_of(sent, 0x0D);
      const std::vector<milliseconds> mode = times_of(sent, 0x12);
      EXPECT_EQ(ready, (std::vector<milliseconds>{0s, 1s, 2s}));
      EXPECT_EQ(mode[1] - mode[0], 1s);
      EXPECT_EQ(mode[2] - mode[1], 1s);
      for (const Sample& sample : m_samples) {
        const milliseconds at = sample.elapsed - m_start;
        const bool notice_up = at < ready.back() || (at >= mode.front() && at < mode.back());
        EXPECT_EQ(sample.box_flag, notice_up) << at.count();
      }
    }
    m_services.boxes.clear();
    m_services.calls.clear();
    sim::reset();
  }
}

TEST_F(QccUpdateTest, TheMeshProcedureFlashesTheMeshUnitThenTheBluetoothChip) {
  auto device = attach_device(0x6510);
  const FirmwarePackage package = qcc_package(0x6510, 1500, 100);
  run_worker(write_package(package));

  const Traffic sent = traffic(*device);
  ASSERT_EQ(sent.commands, joined({{0x12, 0x0F}, {0x00, 0x05, 0x06, 0x06, 0x07, 0x08}, {0x10}, image_commands(2),
                                   {0x0A}}));
  for (std::size_t i = 0; i < sent.reports.size(); ++i) {
    SCOPED_TRACE(i);
    const bool to_mesh_unit = i >= 2 && i < 8;
    EXPECT_EQ(sent.reports[i].size(), to_mesh_unit ? 65u : 1023u);
  }
  EXPECT_EQ(sent.at[2], 2s) << "the mesh unit found on the first try, 2 s after 0x0F";
  EXPECT_EQ(sent.at[8], 7s) << "5 s after the mesh loader the mesh unit is back, then the main unit";
  EXPECT_EQ(sent.at.back(), 14s) << "6 s after the loader, then a second: back";
  EXPECT_EQ(clock().elapsed() - m_start, 15s);
  EXPECT_EQ(device->qcc_update()->mesh_images()[0].data, package.sections[1].data);
  EXPECT_EQ(device->qcc_update()->images()[0].data, package.sections[0].data);
  EXPECT_EQ(device->qcc_update()->mesh_loader_starts(), 1);
  EXPECT_EQ(device->qcc_update()->normal_mode_entries(), 1);
  EXPECT_FALSE(device->in_mesh_mode());
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_none);
  EXPECT_EQ(phases(), (std::vector<int>{4, 99}));
  EXPECT_TRUE(m_services.boxes.empty());
  EXPECT_EQ(sim::open_handle_count(), 0);
  EXPECT_TRUE(std::filesystem::exists(archive_of(0x6510)));
}

TEST_F(QccUpdateTest, FailuresEndWithTheirTextCodeAndExit) {
  using Options = sim::HidModelOptions;
  struct Case {
    const char* name;
    int target;
    std::function<void(Options&)> device;
    int code;
    std::string status;
    std::size_t commands;  // how many of the target's commands below the device received
    milliseconds took;     // 0: not checked
    std::function<void(PackageBytes&)> package = {};
    int usb_status = 0;    // 0: the device's own id
  };
  // Everything each target is sent when all goes well.
  const std::vector<int> qcc = joined({{0x13}, image_commands(3), {0x0A}});
  const std::vector<int> button_set = joined({{0x0D, 0x13}, image_commands(3), {0x0A, 0x12}});
  const std::vector<int> mesh = joined({{0x12, 0x0F, 0x00, 0x05, 0x06, 0x06, 0x07, 0x08, 0x10}, image_commands(3), {0x0A}});
  const std::vector<int> mesh_without_probe(mesh.begin() + 1, mesh.end());
  const auto all_of_them = std::numeric_limits<std::size_t>::max();
  const auto never = std::nullopt;
  const Case cases[] = {
      // opening and package
      {"another device attached", 0x6038, {}, 2, k_not_recognized, 0, 0ms, {}, 0x6039},
      // the digest of table B's entry 0 in a one-section package
      {"a section digest that does not match", 0x6038, {}, 3, k_corrupted, 0, 0ms,
       [](PackageBytes& b) { b[36 + 32 + 296] ^= 0xFF; }},
      {"section entry 0 outside the file", 0x6038, {}, 3, k_corrupted, 0, 0ms,
       [](PackageBytes& b) { test_support::put_le32(b, 36 + 8, 0xFFFFFF00); }},
      {"a mesh package without its mesh image", 0x6510, {}, 3, k_corrupted, 0, 0ms,
       [](PackageBytes& b) { b = qcc_package(0x6510, 2500).build(); }},
      // the QCC procedure
      {"0x13 refused", 0x6038, [](Options& d) { d.qcc_update->failing_commands = {0x13}; }, 1,
       k_cannot_get_status + "[B][00]", 1, 0ms},
      {"not back after 0x13", 0x6038, [&](Options& d) { d.qcc_update->update_mode_absence = never; }, 1,
       k_cannot_get_status + "[B][9]", 1, 2s + 300s},
      {"begin refused", 0x6038, [](Options& d) { d.qcc_update->failing_commands = {0x05}; }, 1,
       k_cannot_get_status + "[B][0]", 2, 0ms},
      {"a data report not taken", 0x6038, [](Options& d) { d.qcc_update->write_error_after_data_reports = 1; }, 1,
       k_cannot_get_status + "[B][1]", 3, 0ms},
      {"a data report refused", 0x6038, [](Options& d) { d.qcc_update->failing_data_report = 2; }, 1,
       k_cannot_get_status + "[B][2]", 4, 0ms},
      {"a data status unreadable", 0x6038, [](Options& d) { d.qcc_update->read_error_at_data_report = 1; }, 1,
       k_cannot_get_status + "[B][2]", 3, 0ms},
      {"end refused", 0x6038, [](Options& d) { d.qcc_update->failing_commands = {0x07}; }, 1,
       k_cannot_get_status + "[B][3]", 6, 0ms},
      {"run loader refused", 0x6038, [](Options& d) { d.qcc_update->failing_commands = {0x08}; }, 1,
       k_cannot_get_status + "[B][4]", 7, 0ms},
      {"not back after the loader", 0x6038, [&](Options& d) { d.qcc_update->loader_absence = never; }, 1,
       k_cannot_get_status + "[B][5]", 7, 4s + 6s + 300s},
      {"result query refused", 0x6038, [](Options& d) { d.qcc_update->failing_commands = {0x0A}; }, 1,
       k_cannot_get_status + "[B][6]", 8, 0ms},
      // the button set: 121 readiness queries a second apart, or 1201 failed ones a tenth apart
      {"never ready", 0x4D16, [](Options& d) { d.qcc_update->not_ready_queries = 1000; }, 1,
       k_cannot_get_status + "[B][00]", all_of_them, 120s},
      {"readiness never answered", 0x4D16, [](Options& d) { d.qcc_update->failing_commands = {0x0D}; }, 1,
       k_cannot_get_status + "[B][00]", all_of_them, 120s},
      {"mode probe refused", 0x4D16, [](Options& d) { d.qcc_update->failing_commands = {0x12}; }, 1,
       k_cannot_get_status + "[B][7]", button_set.size(), 0ms},
      {"never in its mode", 0x4D16, [](Options& d) { d.qcc_update->mode_answers = {0}; }, 1,
       k_cannot_get_status + "[B][7]", all_of_them, 11s + 120s},
      // the mesh QCC procedure
      {"mode probe refused", 0x6510, [](Options& d) { d.qcc_update->failing_commands = {0x12}; }, 1,
       k_cannot_get_status + "[01][qm]", 1, 0ms},
      {"mode probe answers 1: nothing changed", 0x6510, [](Options& d) { d.qcc_update->mode_answers = {1}; }, 1,
       k_cannot_get_status + "[02][qm]", 1, 0ms},
      {"0x3150 sends no probe; 0x0F refused", 0x3150, [](Options& d) { d.qcc_update->failing_commands = {0x0F}; }, 1,
       k_cannot_get_status + "[1][50]", all_of_them, 0ms},
      {"0x0F refused", 0x6510, [](Options& d) { d.qcc_update->failing_commands = {0x0F}; }, 1,
       k_cannot_get_status + "[1][50]", 2, 0ms},
      {"no mesh unit in 20 tries", 0x6510, [](Options& d) { d.mesh->never_appears = true; }, 1,
       k_cannot_get_status + "[4]", 2, 2s + 20s},
      {"mesh begin refused", 0x6510, [](Options& d) { d.qcc_update->failing_mesh_commands = {0x05}; }, 1,
       k_cannot_get_status + "[M][0]", 4, 0ms},
      {"a mesh data report not taken", 0x6510,
       [](Options& d) { d.qcc_update->write_error_after_mesh_data_reports = 1; }, 1, k_cannot_get_status + "[M][1]",
       5, 0ms},
      {"a mesh data report refused", 0x6510, [](Options& d) { d.qcc_update->failing_mesh_data_report = 2; }, 1,
       k_cannot_get_status + "[M][2]", 6, 0ms},
      {"mesh end refused", 0x6510, [](Options& d) { d.qcc_update->failing_mesh_commands = {0x07}; }, 1,
       k_cannot_get_status + "[M][3]", 7, 0ms},
      {"mesh loader refused", 0x6510, [](Options& d) { d.qcc_update->failing_mesh_commands = {0x08}; }, 1,
       k_cannot_get_status + "[M][4]", 8, 0ms},
      {"the mesh unit not back in 20 tries", 0x6510, [&](Options& d) { d.qcc_update->mesh_loader_absence = never; },
       1, k_cannot_get_status + "[M][5]", 8, 2s + 5s + 20s},
      {"the main unit not back after the mesh image", 0x6510, [](Options& d) { d.mesh->return_absent_for = 1h; }, 2,
       k_not_recognized + "[M][6]", 8, 2s + 5s},
      {"normal mode refused", 0x6510, [](Options& d) { d.qcc_update->failing_commands = {0x10}; }, 1,
       k_cannot_get_status + "[M][7]", 9, 0ms},
      {"the Bluetooth image after the mesh image", 0x6510,
       [](Options& d) { d.qcc_update->failing_commands = {0x0A}; }, 1, k_cannot_get_status + "[B][6]", mesh.size(),
       0ms},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_device(c.target, c.device);
    if (c.usb_status != 0) m_services.state().setUsbStatus(c.usb_status);
    PackageBytes package = qcc_package(c.target, 2500, mesh_product(c.target) ? std::optional<std::size_t>(100)
                                                                               : std::nullopt)
                               .build();
    if (c.package) c.package(package);
    run_worker(write_bytes(package));

    EXPECT_EQ(m_report.updateRestoreError(), c.code);
    EXPECT_EQ(m_report.updateStatusAt(0), c.status);
    EXPECT_NE(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_TRUE(m_report.updateFinished());
    const std::vector<int>& all = c.target == 0x4D16 ? button_set
                                  : c.target == 0x3150 ? mesh_without_probe
                                  : mesh_product(c.target) ? mesh
                                                           : qcc;
    const std::vector<int> commands = test_support::commands_received(*device);
    if (c.commands != all_of_them) {
      EXPECT_EQ(commands, std::vector<int>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(c.commands)));
    }
    if (c.took != 0ms) {
      EXPECT_EQ(clock().elapsed() - m_start, c.took);
    }
    EXPECT_EQ(sim::open_handle_count(), 0) << "every slot closed";
    EXPECT_FALSE(m_report.openedMessageBox());
    EXPECT_FALSE(m_services.box_open()) << "a notice still up is closed";
    if (std::string(c.name) == "never ready") {
      EXPECT_EQ(commands, std::vector<int>(121, 0x0D));
    } else if (std::string(c.name) == "readiness never answered") {
      EXPECT_EQ(commands, std::vector<int>(1201, 0x0D));
    } else if (std::string(c.name) == "never in its mode") {
      EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x12), 121);
    } else if (c.target == 0x3150) {
      EXPECT_EQ(commands, std::vector<int>{0x0F});
    }
    m_services.boxes.clear();
    sim::reset();
  }
}

TEST_F(QccUpdateTest, ARefusedNoOperationIsOnlyLogged) {
  auto device = attach_device(0x6500, [](sim::HidModelOptions& d) { d.qcc_update->failing_mesh_commands = {0x00}; });
  run_worker(write_package(qcc_package(0x6500, 30, 30)));
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_NE(m_console.find("QCC COMMAND_NOP Fail"), std::string::npos);
  EXPECT_EQ(device->qcc_update()->mesh_images().size(), 1u);
  device->take_received();
}

TEST_F(QccUpdateTest, TheRestorePageWritesNoBackup) {
  auto device = attach_device(0x6038);
  run_worker(write_package(qcc_package(0x6038, 100)), session::k_mode_firmware_restore);
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_FALSE(std::filesystem::exists(archive_of(0x6038)));
  device->take_received();
}

TEST_F(QccUpdateTest, TheTimerDrawsTheHidGroupAndHandsOverToRecognition) {
  auto device = attach_device(0x6038);
  m_page.file = write_package(qcc_package(0x6038, 3000));
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  const std::vector<Tick> ticks = run_operation(operation);

  ASSERT_EQ(operation.state(), update::k_state_idle);
  EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                       "setDeviceRecognitionWithStatus_info_from 0 - 5"),
            1);
  // one tick a second over the 12 s of the update; the bar creeps a step in two or three ticks
  ASSERT_GE(ticks.size(), 11u);
  const auto done = std::find_if(ticks.begin(), ticks.end(), [](const Tick& t) { return t.bar == 100; });
  ASSERT_NE(done, ticks.begin());
  for (auto tick = ticks.begin() + 1; tick != done; ++tick) {
    EXPECT_GE(tick->bar, (tick - 1)->bar);
    EXPECT_LE(tick->bar - (tick - 1)->bar, 1);
  }
  EXPECT_GE((done - 1)->bar, 3);
  EXPECT_TRUE(std::all_of(done, ticks.end(), [](const Tick& t) { return t.bar == 100; })) << "the worker's 100 stands";
  EXPECT_EQ(operation.report().updateProcessed(), update::k_update_succeeded);
  device->take_received();
}

TEST_F(QccUpdateTest, ThePauseGroupStandsStillWhileANoticeIsUp) {
  auto device = attach_device(0x4D16, [](sim::HidModelOptions& d) {
    d.qcc_update->not_ready_queries = 4;
    d.qcc_update->mode_answers = {0, 0, 0, 0, 1};
  });
  m_page.file = write_package(qcc_package(0x4D16, 3000));
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  const std::vector<Tick> ticks = run_operation(operation);

  EXPECT_EQ(operation.report().updateProcessed(), update::k_update_succeeded);
  EXPECT_EQ(m_services.boxes.size(), 2u);
  int held = 0;
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    SCOPED_TRACE(i);
    if (!ticks[i].box_flag) continue;
    ++held;
    EXPECT_EQ(ticks[i].bar, ticks[i - 1].bar);
  }
  EXPECT_GE(held, 7) << "four seconds of each notice";
  EXPECT_GT(ticks[ticks.size() - 2].bar, ticks[1].bar) << "the bar moves between the notices";
  device->take_received();
}

TEST_F(QccUpdateTest, UpdateButtonToRecognitionOnTheSimulatedBus) {
  auto device = attach_device(0x6038);
  update_from_the_page(write_package(qcc_package(0x6038, 1500)));
  EXPECT_EQ(device->qcc_update()->result_queries(), 1);
  EXPECT_EQ(device->qcc_update()->images().size(), 1u);
  device->take_received();
}

}  // namespace
