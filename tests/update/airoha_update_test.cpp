// The Airoha update procedures on the simulated bus in virtual time: a 0x6800
// taking its blocks over the language-pack channel (skip, chunking, restart
// and result), the mesh Airoha procedure on a 0x6800 whose Airoha part 0x3220
// takes its place, the two-chip procedure on a 0x5552 with the mesh chip
// 0x3220 beside it, and every failure with its text, code and time.
#include "update/families/airoha_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/page_modes.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "support/firmware_package_builder.h"
#include "update/update_worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using test_support::FirmwarePackage;
using test_support::PackageBytes;
using test_support::PackageSection;
using test_support::section_of;

const std::string k_failed = "Failed to update firmware. ";
const std::string k_cannot_get_status = k_failed + "Cannot get status";
const std::string k_not_found = k_cannot_get_status + ". Try again.";
const std::string k_not_recognized = k_failed + "Not the recognized device";
const std::string k_corrupted = k_failed + "Firmware corrupted";

// Language-pack commands as commands_received names them.
constexpr int k_query = 0x101;
constexpr int k_begin = 0x105;
constexpr int k_data = 0x106;
constexpr int k_verify = 0x15B;
constexpr int k_apply = 0x108;
constexpr int k_result = 0x10A;

const std::array<std::uint8_t, 5> k_held_versions{1, 2, 3, 4, 5};

PackageSection block(std::size_t length, std::uint32_t number, std::uint32_t kind = 0,
                     std::array<std::uint32_t, 5> versions = {}) {
  PackageSection section = section_of(length, number, kind);
  section.versions = versions;
  return section;
}

FirmwarePackage package_of(int product, std::vector<PackageSection> sections) {
  FirmwarePackage package;
  package.product_id = static_cast<std::uint32_t>(product);
  package.sections = std::move(sections);
  return package;
}

// The commands of one block of `chunks` data commands, sent whole.
std::vector<int> block_commands(int chunks, bool queried = false) {
  std::vector<int> commands;
  if (queried) commands.push_back(k_query);
  commands.push_back(k_begin);
  commands.insert(commands.end(), static_cast<std::size_t>(chunks), k_data);
  commands.insert(commands.end(), {k_verify, k_apply, k_result});
  return commands;
}

std::vector<int> joined(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The reports the host wrote, without its input report fetches.
std::vector<sim::ReceivedReport> written(std::vector<sim::ReceivedReport> received) {
  std::erase_if(received, [](const sim::ReceivedReport& r) {
    return r.kind != sim::TrafficKind::interrupt_out || r.bytes.size() < 3;
  });
  return received;
}

// The data counts of the language-pack data commands among `reports`.
std::vector<std::size_t> chunk_lengths(const std::vector<sim::ReceivedReport>& reports) {
  std::vector<std::size_t> lengths;
  for (const auto& report : reports) {
    if (report.bytes.size() == 62 && report.bytes[1] == '<' && report.bytes[2] == 0x06) lengths.push_back(report.bytes[3]);
  }
  return lengths;
}

std::vector<std::vector<std::uint8_t>> reports_with(const std::vector<sim::ReceivedReport>& reports, int command) {
  std::vector<std::vector<std::uint8_t>> found;
  for (const auto& report : reports) {
    const int named = report.bytes.size() == 62 && report.bytes[1] == '<' ? 0x100 | report.bytes[2] : report.bytes[1];
    if (named == command) found.push_back(report.bytes);
  }
  return found;
}

std::vector<int> commands_of(const std::vector<sim::ReceivedReport>& reports) {
  std::vector<int> commands;
  for (const auto& report : reports) {
    commands.push_back(report.bytes.size() == 62 && report.bytes[1] == '<' ? 0x100 | report.bytes[2] : report.bytes[1]);
  }
  return commands;
}

class AirohaUpdateTest : public test_support::UpdateWorkerFixture {
 protected:
  // The selected product `target` with the attached device `usb` (a 0x6800
  // whose chip holds k_held_versions for block 9); the record says
  // recognition read the device's own version, for module 1 too.
  std::shared_ptr<sim::HidModel> attach_6800(int target, std::function<void(sim::HidModelOptions&)> change = {}) {
    sim::HidModelOptions device = sim::hid_fixture_6800();
    device.airoha_block = sim::AirohaBlockOptions{};
    device.airoha_block->block_versions[9] = k_held_versions;
    if (change) change(device);
    select(target, device);
    return attach(std::make_shared<sim::HidModel>(std::move(device)));
  }

  // The mesh Airoha products on a 0x6800: the Airoha part 0x3220 takes its
  // place two seconds after 0x50, the Bluetooth module takes the sections.
  std::shared_ptr<sim::HidModel> attach_mesh_airoha(std::function<void(sim::HidModelOptions&)> change = {}) {
    return attach_6800(0x3210, [change](sim::HidModelOptions& d) {
      d.mesh = sim::MeshUnit{};
      d.mesh->product_id = 0x3220;
      d.mesh->collections = {sim::HidCollection{0xFF00, 1, 0, sim::HidReports::language_pack}};
      d.mesh->version = d.version;
      d.mesh->leave_in = 100ms;
      d.mesh->absent_for = 1900ms;
      d.section_download = sim::SectionDownloadOptions{};
      if (change) change(d);
    });
  }

  // A 0x5552 with the QCC update, and unless `mesh_chip` is false its mesh chip 0x3220 beside it.
  std::pair<std::shared_ptr<sim::HidModel>, std::shared_ptr<sim::HidModel>> attach_two_chip(
      int target, std::function<void(sim::HidModelOptions&)> change_chip = {}, bool mesh_chip = true) {
    sim::HidModelOptions device = sim::hid_fixture_5552();
    device.product_id = static_cast<std::uint16_t>(target);
    device.qcc_update = sim::QccUpdateOptions{};
    select(target, device);
    auto main = attach(std::make_shared<sim::HidModel>(std::move(device)));
    if (!mesh_chip) return {main, nullptr};
    sim::HidModelOptions chip = sim::hid_fixture_3220_mesh_chip();
    chip.airoha_block = sim::AirohaBlockOptions{};
    chip.airoha_block->block_versions[4] = k_held_versions;
    if (change_chip) change_chip(chip);
    return {main, attach(std::make_shared<sim::HidModel>(std::move(chip)))};
  }

  void select(int target, const sim::HidModelOptions& device) {
    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(target);
    record.setDeviceVersionMajor01(device.version.major);
    record.setDeviceVersionMinor01(device.version.minor);
    record.setDeviceSecondaryVersionType01(device.version.secondary_type);
    record.setDeviceSecondaryVersion01(device.version.secondary);
    m_services.state().setDeviceTarget(target);
    m_services.state().setUsbStatus(device.product_id);
  }

  void expect_success() {
    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_none);
    EXPECT_TRUE(m_report.updateFinished());
    EXPECT_EQ(sim::open_handle_count(), 0);
  }

  void expect_failure(int code, const std::string& status) {
    EXPECT_EQ(m_report.updateRestoreError(), code);
    EXPECT_EQ(m_report.updateStatusAt(0), status);
    EXPECT_NE(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_TRUE(m_report.updateFinished());
    EXPECT_EQ(sim::open_handle_count(), 0) << "every slot closed";
  }

  milliseconds took() { return clock().elapsed() - m_start; }
};

// ---- the 0x68xx procedure ----

TEST_F(AirohaUpdateTest, UpdatesA6800BlockByBlock) {
  auto device = attach_6800(0x6800, [](sim::HidModelOptions& d) {
    d.lang_pack_chunk_bytes = {3};
    d.airoha_block->block_versions[11] = {1, 2, 3, 4, 7};
  });
  // block 7 of another kind, block 9 with the versions the chip holds, block 11 with others
  const FirmwarePackage package = package_of(0x6800, {block(150, 7, 2), block(40, 9, 1, {1, 2, 3, 4, 5}),
                                                      block(59, 11, 1, {1, 2, 3, 4, 6})});
  run_worker(write_package(package));

  expect_success();
  EXPECT_EQ(m_report.updateStatusAt(0), "On updating firmware.");
  const std::vector<sim::ReceivedReport> received = written(device->take_received());
  EXPECT_EQ(commands_of(received), joined({block_commands(3), {k_query}, block_commands(2, true)}));
  EXPECT_EQ(chunk_lengths(received), (std::vector<std::size_t>{58, 58, 34, 58, 1}));
  EXPECT_EQ(device->airoha_block()->version_queries(), (std::vector<std::uint8_t>{9, 11}));
  const std::vector<sim::ReceivedBlock> blocks = device->airoha_block()->blocks();
  ASSERT_EQ(blocks.size(), 2u) << "block 9 skipped whole";
  EXPECT_EQ(blocks[0].data, package.sections[0].data);
  EXPECT_EQ(blocks[1].data, package.sections[2].data);
  for (const sim::ReceivedBlock& taken : blocks) {
    EXPECT_EQ(taken.verified, sim::crc16_xmodem(taken.data));
    EXPECT_TRUE(taken.applied);
    EXPECT_TRUE(taken.result_queried);
  }
  EXPECT_EQ(device->airoha_block()->restarts(), 2);
  for (const auto& query : reports_with(received, k_query)) {
    EXPECT_TRUE(std::all_of(query.begin() + 4, query.end(), [](std::uint8_t b) { return b == 0; })) << "cleared";
  }

  // each restart: 6 s, then a second per try; the chip is back after 2.1 s, found on the first try
  std::vector<milliseconds> applied;
  std::vector<milliseconds> results;
  for (const auto& report : received) {
    if (report.bytes[1] != '<') continue;
    const milliseconds at = std::chrono::duration_cast<milliseconds>(report.time - received.front().time);
    if (report.bytes[2] == 0x08) applied.push_back(at);
    if (report.bytes[2] == 0x0A) results.push_back(at);
  }
  ASSERT_EQ(results.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_GE(results[i] - applied[i], 7s);
    EXPECT_LT(results[i] - applied[i], 7s + 20ms);
  }
  EXPECT_EQ(phases(), (std::vector<int>{4, 99}));
  EXPECT_TRUE(std::filesystem::exists(archive_of(0x6800))) << "the backup archive";
}

TEST_F(AirohaUpdateTest, BlockLengthsAndEmptyPackages) {
  struct Case {
    const char* name;
    std::vector<PackageSection> blocks;
    std::vector<int> commands;
    std::vector<std::size_t> chunks;
  };
  const Case cases[] = {
      {"58 bytes in one chunk", {block(58, 1)}, block_commands(1), {58}},
      {"59 bytes in 58 and 1", {block(59, 1)}, block_commands(2), {58, 1}},
      {"an empty block: begin, verify with CRC 0, apply, result", {block(0, 1)}, block_commands(0), {}},
      {"no blocks: nothing sent, success", {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_6800(0x6801, [](sim::HidModelOptions& d) { d.product_id = 0x6801; });
    run_worker(write_package(package_of(0x6801, c.blocks)));
    expect_success();
    const std::vector<sim::ReceivedReport> received = written(device->take_received());
    EXPECT_EQ(commands_of(received), c.commands);
    EXPECT_EQ(chunk_lengths(received), c.chunks);
    for (const auto& verify : reports_with(received, k_verify)) {
      EXPECT_EQ(verify[4], 2);
      if (c.chunks.empty()) {
        EXPECT_EQ(verify[5] | verify[6] << 8, 0);
      }
    }
    sim::reset();
  }
}

TEST_F(AirohaUpdateTest, BlockFailuresEndWithTheirTextCodeAndTime) {
  using Options = sim::HidModelOptions;
  struct Case {
    const char* name;
    std::function<void(Options&)> device;
    int code;
    std::string status;
    std::vector<int> commands;
    milliseconds took{0};  // 0: not checked
    std::function<void(PackageBytes&)> package = {};
    int usb_status = 0;
  };
  // block 7 of 150 bytes, version-checked against versions the chip does not hold; block 8 after it
  const auto lang_silent = [](std::uint8_t command) {
    return [command](Options& d) { d.lang_pack_unanswered = {command}; };
  };
  const std::vector<int> first = block_commands(3, true);
  const auto first_up_to = [&](std::size_t count) { return std::vector<int>(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(count)); };
  const Case cases[] = {
      {"another device attached", {}, 2, k_not_recognized, {}, 0ms, {}, 0x6801},
      {"a block entry outside the file", {}, 3, k_corrupted, {}, 0ms,
       [](PackageBytes& b) { test_support::put_le32(b, 36 + 64 + 312 + 8, 0xFFFFFF00); }},
      {"the version query unanswered", lang_silent(0x01), 1, k_cannot_get_status + "[20][ai][7]", first_up_to(1)},
      {"begin unanswered", lang_silent(0x05), 1, k_cannot_get_status + "[0][ai][7]", first_up_to(2)},
      {"a chunk unanswered", lang_silent(0x06), 1, k_cannot_get_status + "[1][ai][7]", first_up_to(3)},
      {"a wrong chunk CRC stops at once", [](Options& d) { d.airoha_block->wrong_crc_at_chunk = 2; }, 1,
       k_cannot_get_status + "[1][ai][7]_Write CRC Check Fail", first_up_to(4)},
      {"the verify refused: 10000 polls", [](Options& d) { d.airoha_block->refuse_verify = true; }, 1,
       k_cannot_get_status + "[1][ai][7]_Verify All Fail", first_up_to(6)},
      {"apply unanswered", lang_silent(0x08), 1, k_cannot_get_status + "[4][ai][7]", first_up_to(7)},
      {"the chip never comes back", [](Options& d) { d.airoha_block->restart_absence = std::nullopt; }, 1,
       k_cannot_get_status + "[5][ai][7]", first_up_to(7)},
      {"the result unanswered", lang_silent(0x0A), 1, k_cannot_get_status + "[6][ai][7]", first},
      {"the device vanishes mid-block", [](Options& d) { d.faults.vanish_after = 3; }, 1,
       k_cannot_get_status + "[1][ai][7]", first_up_to(3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_6800(0x6800, c.device);
    if (c.usb_status != 0) m_services.state().setUsbStatus(c.usb_status);
    PackageBytes package = package_of(0x6800, {block(150, 7, 1, {9, 9, 9, 9, 9}), block(20, 8)}).build();
    if (c.package) c.package(package);
    run_worker(m_files.write("firmware.img", package));

    expect_failure(c.code, c.status);
    EXPECT_EQ(test_support::commands_received(*device), c.commands) << "no further chunk or block is tried";
    const std::string name = c.name;
    if (name == "the verify refused: 10000 polls") {
      EXPECT_GE(took(), 10s);
      EXPECT_LT(took(), 11s);
    }
    if (name == "the chip never comes back") {
      EXPECT_GE(took(), 6s + 300s - 1s);
      EXPECT_LE(took(), 6s + 301s);
    }
    sim::reset();
  }
}

// ---- the mesh Airoha procedure ----

// Entries 0 and 1 go to the module (entry 0 the loader), entry 2 to the Airoha part, entry 3 nowhere.
FirmwarePackage mesh_airoha_package(std::uint32_t first_number = 0) {
  return package_of(0x3210, {block(100, first_number, 0x12), block(1500, 2, 0x13), block(150, 9, 1, {1, 2, 3, 4, 5}),
                             block(30, 3)});
}

TEST_F(AirohaUpdateTest, TheMeshAirohaProcedureFlashesTheAirohaPartThenTheModule) {
  auto device = attach_mesh_airoha();
  const FirmwarePackage package = mesh_airoha_package();
  run_worker(write_package(package));

  expect_success();
  const std::vector<sim::ReceivedReport> received = written(device->take_received());
  // the Airoha block goes although the part holds its versions
  EXPECT_EQ(commands_of(received),
            joined({{0x01, 0x50}, block_commands(3, true), {0x05, 0x06, 0x07, 0x05, 0x06, 0x06, 0x07, 0x08}}));
  const std::vector<sim::ReceivedBlock> blocks = device->airoha_block()->blocks();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].data, package.sections[2].data);
  const std::vector<sim::ReceivedSection> sections = device->section_download()->sections();
  ASSERT_EQ(sections.size(), 2u) << "only entries 0 and 1 go to the module";
  EXPECT_EQ(sections[0].kind, 0x12);
  EXPECT_EQ(sections[0].data, package.sections[0].data);
  EXPECT_EQ(sections[1].kind, 0x13);
  EXPECT_EQ(sections[1].data, package.sections[1].data);
  EXPECT_EQ(device->section_download()->loader_starts(), 1);
  // the module's reports carry nothing but what their command names
  for (const auto& report : received) {
    if (report.bytes.size() != 1023) continue;
    const std::size_t named = report.bytes[1] == 0x06 ? 4 + (report.bytes[2] << 8 | report.bytes[3])
                              : report.bytes[1] == 0x05 ? 3 : 2;
    EXPECT_TRUE(std::all_of(report.bytes.begin() + static_cast<std::ptrdiff_t>(named), report.bytes.end(),
                            [](std::uint8_t b) { return b == 0; }))
        << "command " << int(report.bytes[1]);
  }

  // 2 s after 0x50 the part is there; 3 s and a second after apply it is back;
  // after the module's loader 10 s and a second
  const auto at = [&](std::size_t i) {
    return std::chrono::duration_cast<milliseconds>(received[i].time - received.front().time);
  };
  EXPECT_EQ(at(2) - at(1), 2s);
  const std::size_t apply = 2 + block_commands(3, true).size() - 2;
  EXPECT_GE(at(apply + 1) - at(apply), 4s);
  EXPECT_LT(at(apply + 1) - at(apply), 4s + 20ms);
  EXPECT_EQ(took() - at(received.size() - 1), 10s + 1s + 1s) << "back on the first try, 100 a second after 99";
  EXPECT_FALSE(device->in_mesh_mode());
  EXPECT_EQ(phases(), (std::vector<int>{4, 99}));
}

TEST_F(AirohaUpdateTest, TheModuleStartsItsLoaderOnlyForBlockNumber0) {
  auto device = attach_mesh_airoha();
  run_worker(write_package(mesh_airoha_package(5)));
  expect_success();
  const std::vector<int> commands = test_support::commands_received(*device);
  EXPECT_EQ(std::vector<int>(commands.end() - 4, commands.end()), (std::vector<int>{0x05, 0x06, 0x06, 0x07}));
  EXPECT_EQ(device->section_download()->loader_starts(), 0);
}

TEST_F(AirohaUpdateTest, MeshAirohaFailuresEndWithTheirTextCodeAndTime) {
  using Options = sim::HidModelOptions;
  struct Case {
    const char* name;
    std::function<void(Options&)> device;
    int code;
    std::string status;
    std::size_t commands;  // how many of the commands below the device received
    milliseconds took{0};
    std::function<void(FirmwarePackage&)> package = {};
  };
  const std::vector<int> all =
      joined({{0x01, 0x50}, block_commands(3, true), {0x05, 0x06, 0x07, 0x05, 0x06, 0x06, 0x07, 0x08}});
  const std::size_t module_at = 2 + block_commands(3, true).size();
  const Case cases[] = {
      {"module-1 version differs: nothing changed", {}, 2, k_not_recognized, 1},
      {"a package of two entries", {}, 3, k_corrupted, 1, 0ms,
       [](FirmwarePackage& p) { p.sections.resize(2); }},
      {"0x50 refused", {}, 1, k_cannot_get_status + "[7]", 2},
      {"no Airoha part in 20 tries", [](Options& d) { d.mesh->never_appears = true; }, 1, k_not_found + "[8]", 2,
       2s + 19s},
      {"the Airoha part not back", [](Options& d) { d.airoha_block->restart_absence = std::nullopt; }, 1,
       k_cannot_get_status + "[5][ai][9]", module_at - 1},
      {"no module in 20 tries", [](Options& d) { d.mesh->return_absent_for = 1h; }, 1, k_not_found + "[27]",
       module_at},
      {"begin section refused", [](Options& d) { d.section_download->failing_commands = {0x05}; }, 1,
       k_cannot_get_status + "[1][50]", module_at + 1},
      {"a section report not taken", [](Options& d) { d.section_download->write_error_after_data_reports = 2; }, 1,
       k_cannot_get_status + "[2]", module_at + 5},
      {"a section report refused", [](Options& d) { d.section_download->failing_data_report = 2; }, 1,
       k_cannot_get_status + "[3]", module_at + 5},
      {"end section refused", [](Options& d) { d.section_download->failing_commands = {0x07}; }, 1,
       k_cannot_get_status + "[4]", module_at + 3},
      {"loader refused", [](Options& d) { d.section_download->failing_commands = {0x08}; }, 1,
       k_cannot_get_status + "[5]", all.size()},
      {"the module not back", [](Options& d) { d.section_download->never_returns = true; }, 1,
       k_cannot_get_status + "[6]", all.size(), 0ms},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = c.name;
    auto device = attach_mesh_airoha(c.device);
    if (name == "0x50 refused") {
      device->on_command(0x50, [](std::span<const std::uint8_t>) { return sim::HidModel::Answer{sim::k_hid_status_failed, {}}; });
    }
    if (name == "module-1 version differs: nothing changed") m_services.state().data().setDeviceVersionMinor01(9);
    FirmwarePackage package = mesh_airoha_package();
    if (c.package) c.package(package);
    run_worker(write_package(package));

    expect_failure(c.code, c.status);
    EXPECT_EQ(test_support::commands_received(*device),
              std::vector<int>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(c.commands)));
    if (c.took != 0ms) {
      EXPECT_EQ(took(), c.took);
    }
    sim::reset();
  }
}

// ---- the two-chip procedure ----

// The Bluetooth image of `bluetooth` bytes as section entry 0, the mesh block 4 of `mesh` bytes as block entry 1.
FirmwarePackage two_chip_package(int product, std::size_t bluetooth, std::size_t mesh = 150) {
  return package_of(product, {block(bluetooth, 1), block(mesh, 4, 1, {1, 2, 3, 4, 5})});
}

TEST_F(AirohaUpdateTest, UpdatesA5552MeshChipThenBluetoothChip) {
  struct Case {
    const char* name;
    int target;
    std::size_t bluetooth;
    std::vector<int> bluetooth_commands;
    std::vector<std::size_t> bluetooth_reports;
  };
  const Case cases[] = {
      {"0x5552, 1019 bytes as one 0x0E", 0x5552, 1019, {0x01, 0x05, 0x0E, 0x07, 0x08, 0x0A}, {1019}},
      {"0x5553, 1020 bytes as 0x06 of 1019 and 0x0E of 1", 0x5553, 1020, {0x01, 0x05, 0x06, 0x0E, 0x07, 0x08, 0x0A},
       {1019, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto [device, chip] = attach_two_chip(c.target);
    const FirmwarePackage package = two_chip_package(c.target, c.bluetooth);
    run_worker(write_package(package));

    expect_success();
    const std::vector<sim::ReceivedReport> chip_traffic = written(chip->take_received());
    EXPECT_EQ(commands_of(chip_traffic), block_commands(3, true)) << "sent although the chip holds its versions";
    EXPECT_EQ(chunk_lengths(chip_traffic), (std::vector<std::size_t>{58, 58, 34}));
    const std::vector<sim::ReceivedBlock> blocks = chip->airoha_block()->blocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].data, package.sections[1].data);
    const auto verify = reports_with(chip_traffic, k_verify);
    ASSERT_EQ(verify.size(), 1u);
    EXPECT_EQ(verify[0][5] | verify[0][6] << 8, sim::crc16_xmodem(package.sections[1].data)) << "over all 150 bytes";

    const std::vector<sim::ReceivedReport> main_traffic = written(device->take_received());
    EXPECT_EQ(commands_of(main_traffic), c.bluetooth_commands);
    std::vector<std::vector<std::uint8_t>> reports;
    for (const auto& r : main_traffic) reports.push_back(r.bytes);
    EXPECT_EQ(data_report_lengths(reports, {0x06, 0x0E}), c.bluetooth_reports);
    ASSERT_EQ(device->qcc_update()->images().size(), 1u);
    EXPECT_EQ(device->qcc_update()->images()[0].data, package.sections[0].data);
    EXPECT_EQ(device->qcc_update()->result_queries(), 1);
    // the mesh chip's 3 s and second, then the Bluetooth chip's 6 s and second, then 100 a second after 99
    EXPECT_GE(took(), 4s + 7s + 1s);
    EXPECT_LT(took(), 4s + 7s + 1s + 50ms);
    EXPECT_EQ(phases(), (std::vector<int>{4, 99}));
    EXPECT_TRUE(std::filesystem::exists(archive_of(c.target)));
    sim::reset();
  }
}

TEST_F(AirohaUpdateTest, TheTwoChipProcedureReadsThePackageAgainForTheBluetoothChip) {
  auto [device, chip] = attach_two_chip(0x5552);
  const FirmwarePackage first = two_chip_package(0x5552, 700);
  const FirmwarePackage second = package_of(0x5552, {block(900, 1), block(150, 4, 1)});
  const std::string file = write_package(first);
  // while the mesh chip restarts, the file is replaced
  m_on_sleep = [&](milliseconds) {
    if (!chip->airoha_block()->blocks().empty() && chip->airoha_block()->blocks()[0].applied) m_files.write("firmware.img", second.build());
  };
  run_worker(file);
  m_on_sleep = {};
  expect_success();
  EXPECT_EQ(chip->airoha_block()->blocks()[0].data, first.sections[1].data);
  EXPECT_EQ(device->qcc_update()->images()[0].data, second.sections[0].data);
  chip->take_received();
  device->take_received();
}

TEST_F(AirohaUpdateTest, TheRestorePageMakesNoBackupOfTwoChips) {
  auto [device, chip] = attach_two_chip(0x5552);
  run_worker(write_package(two_chip_package(0x5552, 300)), session::k_mode_firmware_restore);
  expect_success();
  EXPECT_FALSE(std::filesystem::exists(archive_of(0x5552)));
  EXPECT_EQ(m_report.updateStatusAt(0), "On restoring firmware.");
  chip->take_received();
  device->take_received();
}

TEST_F(AirohaUpdateTest, TwoChipFailuresEndWithTheirTextCodeAndTime) {
  using Options = sim::HidModelOptions;
  struct Case {
    const char* name;
    std::function<void(Options&)> chip;
    std::function<void(sim::QccUpdateOptions&)> qcc;
    int code;
    std::string status;
    std::vector<int> chip_commands;
    std::vector<int> device_commands;
    milliseconds took{0};
    std::function<void(PackageBytes&)> package = {};
    bool mesh_chip = true;
  };
  const std::vector<int> mesh_block = block_commands(3, true);
  const std::vector<int> bluetooth = {0x01, 0x05, 0x06, 0x0E, 0x07, 0x08, 0x0A};
  const auto up_to = [](const std::vector<int>& all, std::size_t count) {
    return std::vector<int>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count));
  };
  const Case cases[] = {
      {"no mesh chip in 20 tries", {}, {}, 1, k_not_found + "[8]", {}, {0x01}, 19s, {}, false},
      {"a package without its mesh block", {}, {}, 3, k_corrupted, {}, {0x01}, 0ms,
       [](PackageBytes& b) { b = package_of(0x5552, {block(1500, 1)}).build(); }},
      {"the Bluetooth image outside the file", {}, {}, 3, k_corrupted, {}, {0x01}, 0ms,
       [](PackageBytes& b) { test_support::put_le32(b, 36 + 8, 0xFFFFFF00); }},
      {"a wrong chunk CRC", [](Options& d) { d.airoha_block->wrong_crc_at_chunk = 1; }, {}, 1,
       k_cannot_get_status + "[1][ai][4]_Write CRC Check Fail", up_to(mesh_block, 3), {0x01}},
      {"the mesh chip never comes back", [](Options& d) { d.airoha_block->restart_absence = std::nullopt; }, {}, 1,
       k_cannot_get_status + "[5][ai][4]", up_to(mesh_block, 7), {0x01}, 3s + 300s},
      {"Bluetooth begin refused", {}, [](sim::QccUpdateOptions& q) { q.failing_commands = {0x05}; }, 1,
       k_cannot_get_status + "[B][0]", mesh_block, up_to(bluetooth, 2)},
      {"a Bluetooth report refused", {}, [](sim::QccUpdateOptions& q) { q.failing_data_report = 1; }, 1,
       k_cannot_get_status + "[B][2]", mesh_block, up_to(bluetooth, 3)},
      {"the Bluetooth chip never comes back", {}, [](sim::QccUpdateOptions& q) { q.loader_absence = std::nullopt; }, 1,
       k_cannot_get_status + "[B][5]", mesh_block, up_to(bluetooth, 6)},
      {"the result refused", {}, [](sim::QccUpdateOptions& q) { q.failing_commands = {0x0A}; }, 1,
       k_cannot_get_status + "[B][6]", mesh_block, bluetooth},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto [device, chip] = attach_two_chip(0x5552, c.chip, c.mesh_chip);
    if (c.qcc) {
      sim::QccUpdateOptions options = device->qcc_update()->options();
      c.qcc(options);
      device->qcc_update()->set_options(options);
    }
    PackageBytes package = two_chip_package(0x5552, 1500).build();
    if (c.package) c.package(package);
    run_worker(m_files.write("firmware.img", package));

    expect_failure(c.code, c.status);
    if (chip) {
      EXPECT_EQ(test_support::commands_received(*chip), c.chip_commands);
    }
    EXPECT_EQ(test_support::commands_received(*device), c.device_commands);
    if (c.took != 0ms) {
      EXPECT_GE(took(), c.took);
      EXPECT_LT(took(), c.took + 1s + 50ms);
    }
    sim::reset();
  }
}

}  // namespace
