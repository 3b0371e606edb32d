// The mesh updates on the simulated bus in virtual time: the Bluetooth module
// is a simulated 0x6010 (the HID filter opens none of the mesh products) that
// brings its mesh processor 0x3120 up beside it on 0x50. The exact traffic to
// both, the entries each product takes, the legacy and CRC transfers with
// their repeats and passes, the languages, every failure with its number, and
// the camera and iM501 parts.
#include "update/families/mesh_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/files.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "sim/models/mesh_update_model.h"
#include "support/firmware_package_builder.h"
#include "transport/crc.h"
#include "transport/hid_channel.h"
#include "update/camera_disk.h"
#include "update/update_worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using test_support::FirmwarePackage;
using test_support::PackageSection;
using test_support::section_of;

const std::string k_prefix = "Failed to update firmware. ";
std::string failed(const std::string& code) { return k_prefix + "Cannot get status" + code; }
std::string failed_retry(const std::string& code) { return k_prefix + "Cannot get status. Try again." + code; }
std::string camera_failed(int number, bool update_failed = false) {
  return k_prefix + (update_failed ? "Camera firmware update failed" : "Cannot get status") + " [50][c][" +
         std::to_string(number) + "]. Try again.";
}

constexpr std::uint16_t k_attached = 0x6010;
constexpr sim::HidVersion k_module_version{1, 2, 0, 0};
constexpr sim::HidVersion k_crc_mesh{1, 0, 2, 1};
constexpr sim::HidVersion k_legacy_mesh{0, 9, 0, 0};

std::vector<int> commands_of(sim::Model& model) { return test_support::commands_received(model); }

// The commands without their data and chunk CRCs.
std::vector<int> without_data(std::vector<int> commands) {
  std::erase_if(commands, [](int command) { return command == 0x06 || command == 0x5A; });
  return commands;
}

struct Arrangement {
  sim::HidVersion mesh = k_crc_mesh;
  std::function<void(sim::HidModelOptions&)> module{};
  std::function<void(sim::MeshProcessorOptions&)> processor{};
};

class MeshUpdateTest : public test_support::UpdateWorkerFixture {
 protected:
  void arrange(int target, const Arrangement& a = {}) {
    sim::HidModelOptions module = sim::hid_fixture_6020();
    module.product_id = k_attached;
    module.name = "ND4";
    module.version = k_module_version;
    module.blocks[0x04] = {0x1C21, 0x0583, 0x0010, 0x0002};
    module.section_download = sim::SectionDownloadOptions{};
    module.mesh_module = sim::MeshModuleOptions{};
    module.mesh = sim::MeshUnit{};
    module.mesh->version = a.mesh;
    module.mesh->absent_for = 2s;
    if (a.processor) a.processor(module.mesh->processor);
    if (const auto names = update::camera_disk_names(target)) {
      sim::CameraCommandsOptions camera;
      camera.version_file = names->version_file;
      camera.firmware_file = names->firmware_file;
      camera.version_text = "1.0";
      camera.installs_version = "2.1";
      module.camera = camera;
    }
    if (a.module) a.module(module);

    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(k_attached);
    record.setDeviceVersion01Major_Minor(k_module_version.major, k_module_version.minor);
    record.setDeviceSecondaryVersionType01(k_module_version.secondary_type);
    record.setDeviceSecondaryVersion01(k_module_version.secondary);
    m_services.state().setDeviceTarget(target);
    m_services.state().setUsbStatus(k_attached);
    m_services.state().setStrLanguageFirmware(std::string("French"));
    m_target = target;
    if (m_module && m_module->camera()) m_module->camera()->disk().unmount();
    m_module = attach(std::make_shared<sim::HidModel>(module));
  }

  sim::HidModel& processor() { return *m_module->mesh_processor(); }
  sim::MeshProcessor& download() { return *processor().mesh_download(); }

  // Bluetooth blocks 0 (the loader's) and 1, then the parts by place: the
  // mesh image (200 bytes: three chunks of 58 and one of 26) in `mesh_entry`.
  FirmwarePackage package(int mesh_entry = 2, bool camera = false, bool im501 = false) const {
    FirmwarePackage built;
    built.product_id = static_cast<std::uint32_t>(m_target);
    built.sections = {section_of(1500, 0, 0x0121), section_of(40, 1, 0x0122)};
    if (mesh_entry == 1) built.sections.resize(1);
    if (camera) {
      PackageSection part = section_of(3000, 2, 0x40);
      part.versions = {2, 1, 0, 0, 0};
      built.sections.push_back(part);
    }
    built.sections.push_back(section_of(200, 7, 0x33));
    if (im501) built.sections.push_back(section_of(130, 8, 0x44));
    built.sections.push_back(section_of(17, 9, 0x55));  // never sent
    return built;
  }

  std::vector<std::vector<std::uint8_t>> module_data() const {
    std::vector<std::vector<std::uint8_t>> data;
    for (const sim::ReceivedSection& section : m_module->section_download()->sections()) data.push_back(section.data);
    return data;
  }

  void expect_success() {
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_none) << m_report.updateStatusAt(0);
    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_TRUE(m_report.updateFinished());
    EXPECT_EQ(sim::open_handle_count(), 0);
  }

  void expect_failure(const std::string& status, int code = update::k_update_error_generic) {
    EXPECT_EQ(m_report.updateStatusAt(0), status);
    EXPECT_EQ(m_report.updateRestoreError(), code);
    EXPECT_NE(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_TRUE(m_report.updateFinished());
    EXPECT_EQ(sim::open_handle_count(), 0) << "HID closed";
  }

  // Each case checks the traffic it is about; the rest of the module's is let go.
  void TearDown() override {
    if (m_module) m_module->take_received();
    UpdateWorkerFixture::TearDown();
  }

  void next_case() {
    if (m_module) m_module->take_received();
    hid_close_all();
    if (m_module && m_module->camera()) m_module->camera()->disk().unmount();
    m_module.reset();
    m_report.reset_for_operation();
    std::filesystem::remove(archive_of(k_attached));
    sim::reset();
  }

  int m_target = 0x3112;
  std::shared_ptr<sim::HidModel> m_module;
};

TEST_F(MeshUpdateTest, MeshProductFromTheWorkerWithTheExactTraffic) {
  arrange(0x3112);
  const FirmwarePackage built = package();
  // the phase as the image language goes: the module is back
  const auto image_language = m_module->command_handler(0x59);
  int phase_at_language = 0;
  m_module->on_command(0x59, [&](std::span<const std::uint8_t> request) {
    phase_at_language = m_report.progress().phase;
    return image_language(request);
  });
  run_worker(m_files.write("ND4_fr.img", built.build()));
  expect_success();
  EXPECT_EQ(phases(), (std::vector<int>{4, 99}));
  EXPECT_EQ(phase_at_language, 89);
  EXPECT_EQ(m_report.progress().phase, 99);

  // the module: version, mesh download mode, power hold, power release, mesh
  // download mode again, blocks 0 and 1 with the loader, then the image language
  const std::vector<int> module = commands_of(*m_module);
  EXPECT_EQ(without_data(module), (std::vector<int>{0x01, 0x50, 0x52, 0x53, 0x50, 0x05, 0x07, 0x05, 0x07, 0x08, 0x59}));
  EXPECT_EQ(module_data(), (std::vector<std::vector<std::uint8_t>>{built.sections[0].data, built.sections[1].data}));
  EXPECT_EQ(m_module->section_download()->sections()[0].kind, 0x21);
  EXPECT_EQ(m_module->section_download()->sections()[1].kind, 0x22);
  EXPECT_EQ(m_module->mesh_module()->language_codes(), std::vector<std::uint8_t>{1});

  // the processor: version, the image in four chunks each with its CRC, the
  // all-CRC, end, loader
  std::vector<int> chunked;
  std::vector<std::size_t> lengths;
  for (const sim::ReceivedReport& report : processor().take_received()) {
    if (report.kind != sim::TrafficKind::interrupt_out) continue;
    chunked.push_back(report.bytes[1]);
    if (report.bytes[1] == 0x06) lengths.push_back(static_cast<std::size_t>(report.bytes[2]) << 8 | report.bytes[3]);
    if (report.bytes[1] == 0x05) {
      EXPECT_EQ(report.bytes[2], 0);
    }
    if (report.bytes[1] == 0x08) {
      EXPECT_EQ(report.bytes[2], 0);
      EXPECT_EQ(report.bytes[3], 0);
    }
  }
  EXPECT_EQ(chunked, (std::vector<int>{0x01, 0x05, 0x06, 0x5A, 0x06, 0x5A, 0x06, 0x5A, 0x06, 0x5A, 0x5B, 0x07, 0x08}));
  EXPECT_EQ(lengths, (std::vector<std::size_t>{58, 58, 58, 26}));
  const std::vector<sim::MeshTransfer> transfers = download().transfers();
  ASSERT_EQ(transfers.size(), 1u);
  EXPECT_EQ(transfers[0].kind, 0);
  ASSERT_EQ(transfers[0].passes.size(), 1u);
  EXPECT_EQ(transfers[0].passes[0].accepted, built.sections[2].data);
  EXPECT_EQ(transfers[0].passes[0].all_crc, transport::crc16_ccitt(built.sections[2].data, 0));
  EXPECT_TRUE(transfers[0].ended);
  EXPECT_EQ(download().loader_starts(), 1);
}

TEST_F(MeshUpdateTest, UpdateButtonToRecognition) {
  arrange(0x3112);
  const FirmwarePackage built = package();
  update_from_the_page(write_package(built));
  EXPECT_EQ(module_data(), (std::vector<std::vector<std::uint8_t>>{built.sections[0].data, built.sections[1].data}));
  EXPECT_EQ(download().transfers().at(0).passes.at(0).accepted, built.sections[2].data);
  EXPECT_EQ(m_module->section_download()->loader_starts(), 1);
  m_module->take_received();
}

TEST_F(MeshUpdateTest, EachProductTakesItsEntries) {
  struct Case {
    int target;
    int mesh_entry;
    bool im501;
    std::size_t bluetooth_blocks;
  };
  for (const Case c : {Case{0x3540, 1, false, 1}, Case{0x3112, 2, false, 2}, Case{0x3132, 2, true, 2}}) {
    SCOPED_TRACE(c.target);
    arrange(c.target);
    const FirmwarePackage built = package(c.mesh_entry, false, c.im501);
    run_worker(write_package(built));
    expect_success();
    const auto sections = module_data();
    ASSERT_EQ(sections.size(), c.bluetooth_blocks);
    for (std::size_t k = 0; k < sections.size(); ++k) EXPECT_EQ(sections[k], built.sections[k].data);
    const auto transfers = download().transfers();
    ASSERT_EQ(transfers.size(), c.im501 ? 2u : 1u);
    EXPECT_EQ(transfers[0].passes.back().accepted, built.sections[static_cast<std::size_t>(c.mesh_entry)].data);
    if (c.im501) {
      EXPECT_EQ(transfers[1].kind, 1);
      EXPECT_EQ(transfers[1].passes.back().accepted, built.sections[3].data);
      EXPECT_EQ(download().final_checks(), 1);
    }
    next_case();
  }
}

TEST_F(MeshUpdateTest, NoBlockZeroMeansNoModuleLoader) {
  arrange(0x3112);
  FirmwarePackage built = package();
  built.sections[0].block_number = 4;
  run_worker(write_package(built));
  expect_success();
  EXPECT_EQ(module_data().size(), 2u);
  EXPECT_EQ(m_module->section_download()->loader_starts(), 0);
}

TEST_F(MeshUpdateTest, TransferFormFollowsTheProcessorVersion) {
  struct Case {
    const char* name;
    sim::HidVersion mesh;
    bool refuses_version;
    bool crc;
  };
  // a processor that does not tell its version counts as 1.0 type 0 secondary 0
  const bool unknown_takes_crc =
      FEXOBluetoothDeviceData::
          compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_ForOptra(
              1, 0, 0, 0, 1, 0, 2, 1, false) >= 0;
  for (const Case c : {Case{"0.9 legacy", k_legacy_mesh, false, false}, Case{"1.0.2.1 crc", k_crc_mesh, false, true},
                       Case{"unknown", k_crc_mesh, true, unknown_takes_crc}}) {
    SCOPED_TRACE(c.name);
    arrange(0x3112, {.mesh = c.mesh, .processor = [&](sim::MeshProcessorOptions& p) { p.refuses_version = c.refuses_version; }});
    const FirmwarePackage built = package();
    run_worker(write_package(built));
    expect_success();
    const std::vector<int> commands = commands_of(processor());
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x5A), c.crc ? 4 : 0);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x5B), c.crc ? 1 : 0);
    EXPECT_EQ(download().transfers().at(0).passes.at(0).sent, built.sections[2].data);
    next_case();
  }
}

TEST_F(MeshUpdateTest, RefusedCrcsRepeatTheChunkOrRestartThePass) {
  // the second chunk's CRC refused twice: that chunk goes three times
  arrange(0x3112, {.processor = [](sim::MeshProcessorOptions& p) { p.refused_chunk_crcs = {2, 3}; }});
  FirmwarePackage built = package();
  run_worker(write_package(built));
  expect_success();
  auto passes = download().transfers().at(0).passes;
  ASSERT_EQ(passes.size(), 1u);
  EXPECT_EQ(passes[0].data_reports, 6);
  EXPECT_EQ(passes[0].accepted, built.sections[2].data);
  next_case();

  // the first all-CRC refused: the image again from its start with a fresh CRC
  arrange(0x3112, {.processor = [](sim::MeshProcessorOptions& p) { p.refused_all_crcs = {1}; }});
  run_worker(write_package(built));
  expect_success();
  passes = download().transfers().at(0).passes;
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[1].accepted, built.sections[2].data);
  EXPECT_EQ(passes[0].all_crc, passes[1].all_crc);
  EXPECT_TRUE(passes[1].all_crc_accepted);
  next_case();

  // six refused passes: failure 12, no seventh
  arrange(0x3112, {.processor = [](sim::MeshProcessorOptions& p) { p.refuses_every_all_crc = true; }});
  run_worker(write_package(built));
  expect_failure(failed("[12]"));
  EXPECT_EQ(std::ranges::count(commands_of(processor()), 0x5B), 6);
  next_case();

  // a chunk CRC refused for ever: 50 repeats, then failure 12
  arrange(0x3112, {.processor = [](sim::MeshProcessorOptions& p) { p.refuses_every_chunk_crc = true; }});
  run_worker(write_package(built));
  expect_failure(failed("[12]"));
  const std::vector<int> commands = commands_of(processor());
  EXPECT_EQ(std::ranges::count(commands, 0x5A), 51);
  EXPECT_EQ(std::ranges::count(commands, 0x5B), 0);
}

TEST_F(MeshUpdateTest, ImageLanguageFromTheFileName) {
  struct Case {
    const char* file;
    int index;
  };
  for (const Case c : {Case{"/x/ND4_fr.img", 1}, Case{"/x/ND4-fr.img", 1}, Case{"/x/ND4.img", 0}, Case{"ND4_zz.img", 0},
                       Case{"fr.img", 0}, Case{"_f.img", 0}, Case{"/x_fr/ND4.img", 0}}) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(update::families::image_language_index(c.file), c.index);
  }

  // no suffix: code 0; a refusal is sent again with 0
  arrange(0x3112);
  run_worker(m_files.write("ND4.img", package().build()));
  expect_success();
  EXPECT_EQ(m_module->mesh_module()->language_codes(), std::vector<std::uint8_t>{0});
  next_case();
  arrange(0x3112, {.module = [](sim::HidModelOptions& m) { m.mesh_module->refused_language_commands = 2; }});
  run_worker(m_files.write("ND4_fr.img", package().build()));
  expect_success();
  EXPECT_EQ(m_module->mesh_module()->language_codes(), (std::vector<std::uint8_t>{1, 0}));
}

TEST_F(MeshUpdateTest, UnitLanguageByProduct) {
  struct Case {
    int target;
    std::optional<std::array<std::uint8_t, 4>> new_version;
    bool sets;
    bool qorlan;
  };
  for (const Case c : {Case{0x3110, std::array<std::uint8_t, 4>{3, 0, 0, 0}, true, false},
                       Case{0x3110, std::array<std::uint8_t, 4>{2, 0, 0, 0}, false, false},
                       Case{0x3116, std::nullopt, true, false}, Case{0x3112, std::nullopt, false, false},
                       Case{0x3132, std::nullopt, true, false}, Case{0x3320, std::nullopt, true, true},
                       Case{0x3170, std::nullopt, false, false}, Case{0x3260, std::nullopt, false, false}}) {
    SCOPED_TRACE(c.target);
    arrange(c.target, {.module = [&](sim::HidModelOptions& m) { m.mesh_module->version_after_loader = c.new_version; }});
    const bool voice = c.target == 0x3132 || c.target == 0x3320 || c.target == 0x3170 || c.target == 0x3260;
    run_worker(m_files.write("ND4_fr.img", package(2, false, voice).build()));
    expect_success();
    const std::vector<int> commands = commands_of(*m_module);
    EXPECT_EQ(std::ranges::count(commands, 0x04) > 0, c.sets);
    EXPECT_EQ(std::ranges::count(commands, 0x59), voice ? 0 : 1) << "no image language with the voice processor";
    if (c.sets) {
      // French: 1 in both code sets; the qorlan write keeps the four-word form
      EXPECT_EQ(m_module->block(0x04).at(3) & 0x1F, 1);
    }
    next_case();
  }
}

TEST_F(MeshUpdateTest, RefusalsThatNeverStopTheRun) {
  arrange(0x3116, {.module = [](sim::HidModelOptions& m) {
    m.mesh_module->failing_commands = {0x52, 0x53};
    m.mesh_module->refused_language_commands = 5;
    m.refused_writes = {0x04};
  }});
  run_worker(m_files.write("ND4_fr.img", package().build()));
  expect_success();
  EXPECT_EQ(m_module->mesh_module()->power_holds(), 1);
  EXPECT_EQ(m_module->mesh_module()->power_releases(), 1);
  EXPECT_EQ(m_module->mesh_module()->language_codes(), (std::vector<std::uint8_t>{1, 0}));
}

TEST_F(MeshUpdateTest, EachFailureWithItsNumber) {
  using Module = std::function<void(sim::HidModelOptions&)>;
  using Processor = std::function<void(sim::MeshProcessorOptions&)>;
  struct Case {
    std::string status;
    sim::HidVersion mesh;
    Module module;
    Processor processor;
  };
  const auto section = [](auto change) { return Module([change](sim::HidModelOptions& m) { change(*m.section_download); }); };
  const std::vector<Case> cases = {
      {failed("[7]"), k_crc_mesh, [](sim::HidModelOptions& m) { m.mesh_module->failing_commands = {0x50}; }, {}},
      {failed_retry("[8]"), k_crc_mesh, [](sim::HidModelOptions& m) { m.mesh->never_appears = true; }, {}},
      {failed("[9]"), k_crc_mesh, {}, [](sim::MeshProcessorOptions& p) { p.failing_commands = {0x05}; }},
      {failed("[10]"), k_legacy_mesh, {}, [](sim::MeshProcessorOptions& p) { p.write_error_at_data_report = 1; }},
      {failed("[11]"), k_legacy_mesh, {}, [](sim::MeshProcessorOptions& p) { p.failing_data_report = 2; }},
      {failed("[10][1]"), k_crc_mesh, {}, [](sim::MeshProcessorOptions& p) { p.write_error_at_data_report = 1; }},
      {failed("[11][1]"), k_crc_mesh, {}, [](sim::MeshProcessorOptions& p) { p.failing_data_report = 3; }},
      {failed("[13]"), k_crc_mesh, {}, [](sim::MeshProcessorOptions& p) { p.failing_commands = {0x07}; }},
      {failed("[16]"), k_crc_mesh, {}, [](sim::MeshProcessorOptions& p) { p.failing_commands = {0x08}; }},
      {failed_retry("[19]"), k_crc_mesh, {}, [](sim::MeshProcessorOptions& p) { p.back_after_loader.reset(); }},
      {failed("[1]"), k_crc_mesh, section([](sim::SectionDownloadOptions& s) { s.failing_commands = {0x05}; }), {}},
      {failed("[2]"), k_crc_mesh, section([](sim::SectionDownloadOptions& s) { s.write_error_after_data_reports = 1; }), {}},
      {failed("[3]"), k_crc_mesh, section([](sim::SectionDownloadOptions& s) { s.failing_data_report = 2; }), {}},
      {failed("[4]"), k_crc_mesh, section([](sim::SectionDownloadOptions& s) { s.failing_commands = {0x07}; }), {}},
      {failed("[5]"), k_crc_mesh, section([](sim::SectionDownloadOptions& s) { s.failing_commands = {0x08}; }), {}},
      {failed("[6]"), k_crc_mesh, section([](sim::SectionDownloadOptions& s) { s.never_returns = true; }), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    arrange(0x3112, {.mesh = c.mesh, .module = c.module, .processor = c.processor});
    run_worker(write_package(package()));
    expect_failure(c.status);
    next_case();
  }

  // the second mesh download mode refused
  arrange(0x3112);
  const auto switch_to_mesh = m_module->command_handler(0x50);
  int switches = 0;
  m_module->on_command(0x50, [&](std::span<const std::uint8_t> request) {
    return ++switches == 2 ? sim::HidModel::Answer{sim::k_hid_status_failed, {}} : switch_to_mesh(request);
  });
  run_worker(write_package(package()));
  expect_failure(failed("[18]"));
}

TEST_F(MeshUpdateTest, ModuleThatNeverReturnsIsGivenUpAfterFiveMinutes) {
  arrange(0x3112, {.module = [](sim::HidModelOptions& m) { m.section_download->never_returns = true; }});
  run_worker(write_package(package()));
  expect_failure(failed("[6]"));
  EXPECT_GE(clock().elapsed() - m_start, 300s);
  EXPECT_LT(clock().elapsed() - m_start, 400s);
}

TEST_F(MeshUpdateTest, PackageWithoutTheEntriesIsRefusedBeforeAnyCommand) {
  struct Case {
    int target;
    std::size_t sections;
  };
  // 0x3112 needs entries 0-2, 0x3132 0-3, 0x3240 0-4
  for (const Case c : {Case{0x3112, 2}, Case{0x3132, 3}, Case{0x3240, 4}}) {
    SCOPED_TRACE(c.target);
    arrange(c.target);
    FirmwarePackage built = package(2, c.target == 0x3240, c.target != 0x3112);
    built.sections.resize(c.sections);
    run_worker(write_package(built));
    expect_failure(k_prefix + "Firmware corrupted", update::k_update_error_firmware);
    EXPECT_EQ(commands_of(*m_module), std::vector<int>{0x01});
    next_case();
  }
}

TEST_F(MeshUpdateTest, VoiceProcessorFailuresNeverStopTheUpdate) {
  // a refused chunk CRC ends the pass: its all-CRC covers the chunks accepted so far
  arrange(0x3132, {.processor = [](sim::MeshProcessorOptions& p) { p.refused_chunk_crcs = {6}; }});
  FirmwarePackage built = package(2, false, true);
  run_worker(write_package(built));
  expect_success();
  auto im501 = download().transfers().at(1);
  ASSERT_EQ(im501.passes.size(), 2u);
  EXPECT_EQ(im501.passes[0].accepted.size(), 58u);
  EXPECT_EQ(im501.passes[0].all_crc, transport::crc16_ccitt(std::span(built.sections[3].data).first(58), 0));
  EXPECT_EQ(im501.passes[1].accepted, built.sections[3].data);
  next_case();

  // six refused passes, a refused begin and a failed final check: the module still gets its blocks
  arrange(0x3132, {.processor = [](sim::MeshProcessorOptions& p) {
    p.refused_all_crcs = {2, 3, 4, 5, 6, 7};
    p.final_check = 0;
  }});
  run_worker(write_package(built));
  expect_success();
  EXPECT_EQ(download().transfers().at(1).passes.size(), 7u) << "six sent, the seventh never begun";
  EXPECT_EQ(module_data().size(), 2u);
  next_case();

  // a refused begin of the module's first block: [1][50]
  arrange(0x3132, {.module = [](sim::HidModelOptions& m) { m.section_download->failing_commands = {0x05}; }});
  run_worker(write_package(built));
  expect_failure(failed("[1][50]"));
  next_case();

  // the module does not open after the iM501 part: [27] after 20 tries
  arrange(0x3132);
  bool wrapped = false;
  m_on_sleep = [&](std::chrono::milliseconds) {
    if (wrapped || !m_module->mesh_processor()) return;
    wrapped = true;
    sim::HidModel& mesh = processor();
    const auto final_check = mesh.command_handler(0x47);
    mesh.on_command(0x47, [this, final_check](std::span<const std::uint8_t> request) {
      sim::Faults faults = m_module->faults();
      faults.refuse_open = true;
      m_module->set_faults(faults);
      return final_check(request);
    });
  };
  run_worker(write_package(built));
  m_on_sleep = nullptr;
  expect_failure(failed_retry("[27]"));
  EXPECT_EQ(download().final_checks(), 1);
  EXPECT_TRUE(module_data().empty());
}

using MeshCameraTest = MeshUpdateTest;

TEST_F(MeshCameraTest, CameraPartCopiesThenTheMeshAndVoiceParts) {
  arrange(0x3240);
  const FirmwarePackage built = package(3, true, true);
  run_worker(write_package(built));
  expect_success();
  EXPECT_EQ(m_module->camera()->installations(), 1);
  EXPECT_EQ(m_module->camera()->commands(), (std::vector<std::uint8_t>{0x20, 0x22, 0x21, 0x20, 0x21}));
  const auto transfers = download().transfers();
  EXPECT_EQ(transfers.at(0).passes.back().accepted, built.sections[3].data);
  EXPECT_EQ(transfers.at(1).passes.back().accepted, built.sections[4].data);
  EXPECT_EQ(module_data().size(), 2u);
}

TEST_F(MeshCameraTest, SameCameraVersionGoesStraightToTheMeshPart) {
  arrange(0x3232, {.module = [](sim::HidModelOptions& m) { m.camera->version_text = "2.1.7"; }});
  run_worker(write_package(package(3, true, true)));
  expect_success();
  EXPECT_EQ(m_module->camera()->commands(), (std::vector<std::uint8_t>{0x20, 0x22, 0x21}));
  EXPECT_EQ(m_module->camera()->installations(), 0);
}

TEST_F(MeshCameraTest, CameraFailures) {
  using Change = std::function<void(sim::HidModelOptions&)>;
  struct Case {
    std::string status;
    Change change;
  };
  const std::vector<Case> cases = {
      {camera_failed(0), [](sim::HidModelOptions& m) { m.camera->failing_commands[0x20] = {1}; }},
      {camera_failed(1), [](sim::HidModelOptions& m) { m.camera->state_answers[1] = 0; }},
      {k_prefix + "Check your SD Card", [](sim::HidModelOptions& m) { m.camera->mount_delays = {std::nullopt}; }},
      {camera_failed(2), [](sim::HidModelOptions& m) {
         m.camera->version_text = "2.1";
         m.camera->failing_commands[0x21] = {1};
       }},
      {camera_failed(7), [](sim::HidModelOptions& m) { m.camera->disk_faults.loses_moved_file = true; }},
      {camera_failed(10), [](sim::HidModelOptions& m) { m.camera->disk_faults.changes_moved_file = true; }},
      {camera_failed(11), [](sim::HidModelOptions& m) { m.camera->disk_faults.grows_after_read = true; }},
      {camera_failed(12), [](sim::HidModelOptions& m) { m.camera->failing_commands[0x21] = {1}; }},
      {camera_failed(13), [](sim::HidModelOptions& m) { m.camera->failing_commands[0x20] = {2}; }},
      {camera_failed(14, true), [](sim::HidModelOptions& m) { m.camera->installs_version.reset(); }},
      {camera_failed(15), [](sim::HidModelOptions& m) { m.camera->failing_commands[0x21] = {2}; }},
      {camera_failed(16, true), [](sim::HidModelOptions& m) { m.camera->mount_delays = {5s, std::nullopt}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    arrange(0x3232, {.module = c.change});
    run_worker(write_package(package(3, true, true)));
    expect_failure(c.status);
    EXPECT_EQ(m_module->mesh_processor(), nullptr) << "no mesh part";
    if (c.status == camera_failed(11)) {
      EXPECT_FALSE(std::filesystem::exists(m_module->camera()->disk().folder() / "AmbaSysFW_WQ3.bin"));
    }
    next_case();
  }
}

}  // namespace
