#include "update/families/airoha_update.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/format.h"
#include "platform/log.h"
#include "strings/common_texts.h"
#include "strings/update_texts.h"
#include "transport/firmware_package.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"
#include "update/backup_step.h"
#include "update/families/airoha_block_transfer.h"
#include "update/families/hid_update_steps.h"
#include "update/families/qcc_image_transfer.h"
#include "update/families/section_transfer.h"
#include "update/package_entries.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;

constexpr int k_slot = 0;
using transport::k_hid_report_id;
using transport::k_command_version;
using transport::k_command_mesh_download;
using transport::k_command_run_loader;
// Status-reply bytes 3-6: major, minor, secondary type, secondary.
constexpr std::size_t k_reply_data_at = 3;

// addUpdateProcessed while the device works and once the Bluetooth module is back.
constexpr int k_phase_device_work = 4;
constexpr int k_phase_module_back = 89;

// Block entries of table B: the mesh Airoha products' Airoha block and the
// two module entries before it; the two-chip products' mesh block.
constexpr std::int64_t k_mesh_airoha_entry = 2;
constexpr std::int64_t k_module_entries = 2;
constexpr std::int64_t k_two_chip_mesh_entry = 1;
// Section entry of table A: the two-chip products' Bluetooth image.
constexpr std::int64_t k_bluetooth_entry = 0;
// A module entry with this block number is the loader: the module starts it after the sections.
constexpr std::uint32_t k_loader_block = 0;

// The chips write their block before they restart.
constexpr std::chrono::milliseconds k_block_settle = 6s;
constexpr std::chrono::milliseconds k_mesh_block_settle = 3s;
// The device restarts into its mesh download mode.
constexpr std::chrono::milliseconds k_mesh_mode_settle = 2s;
// The module's loader writes the sections before it restarts.
constexpr std::chrono::milliseconds k_loader_settle = 10s;
// A part shows itself within 20 tries a second apart, or never.
constexpr int k_search_tries = 20;
constexpr std::chrono::milliseconds k_search_pause = 1s;

class AirohaProcedure {
 public:
  explicit AirohaProcedure(UpdateRun& run) : m_run(run), m_report(run.report()) {}

  Exit blocks() {
    const transport::OpenDeviceGuard device;
    hid_close_all();
    if (!open_attached_device(m_run) || !load_package(m_run)) return Exit::close_and_finish;
    // every entry of table B is sent
    if (!check_package_entries(m_run, transport::PackageTable::blocks)) return Exit::close_and_finish;
    if (!backup_before_flashing(m_run)) return Exit::close_and_finish;
    start_device_work(m_run, k_phase_device_work);

    // write, block by block; the device restarts after each
    const AirohaBlockTransfer how{hid_open_device, k_block_settle, {.skip_same_versions = true}};
    for (std::int64_t index = 0; index < section_count(); ++index) {
      if (const std::optional<Exit> exit = airoha_block_transfer(m_run, block_entry(index), how)) return *exit;
    }
    return succeed();
  }

  Exit mesh() {
    const transport::OpenDeviceGuard device;
    hid_close_all();
    if (!open_attached_device(m_run) || !module_version_matches() || !load_package(m_run)) {
      return Exit::close_and_finish;
    }
    // the module entries and the Airoha block
    if (!check_package_entries(m_run, transport::PackageTable::blocks, k_module_entries, {k_mesh_airoha_entry})) {
      return Exit::close_and_finish;
    }
    if (!backup_before_flashing(m_run)) return Exit::close_and_finish;
    start_device_work(m_run, k_phase_device_work);

    // enter mesh download mode: the Airoha part takes the device's place
    std::fill(m_request.begin() + 2, m_request.end(), 0);
    if (!exchange(k_command_mesh_download)) return failed("[7]");
    if (!m_run.wait(k_mesh_mode_settle)) return Exit::close_and_finish;
    hid_close_all();
    switch (find(hid_open_mesh_airoha)) {
      case Search::found: break;
      case Search::not_found: return not_found("[8]");
      case Search::stopped: return Exit::close_and_finish;
    }

    // write the Airoha block
    const AirohaBlockTransfer how{hid_open_mesh_airoha, k_mesh_block_settle, {}};
    if (const std::optional<Exit> exit = airoha_block_transfer(m_run, block_entry(k_mesh_airoha_entry), how)) {
      return *exit;
    }

    // the Bluetooth module comes back in the Airoha part's place
    hid_close_all();
    switch (find(hid_open_device)) {
      case Search::found: break;
      case Search::not_found: return not_found("[27]");
      case Search::stopped: return Exit::close_and_finish;
    }

    // write the module's sections; the loader entry starts the module's loader
    bool loader = false;
    const std::int64_t module_entries = std::min<std::int64_t>(section_count(), k_module_entries);
    for (std::int64_t index = 0; index < module_entries; ++index) {
      const transport::PackageEntry entry = block_entry(index);
      if (entry.number == k_loader_block) loader = true;
      const Section section{static_cast<int>(index), static_cast<std::uint8_t>(entry.kind & 0xFF), entry.data, true};
      if (const std::optional<SectionStep> step = transfer_section_steps(k_slot, m_request, section)) {
        switch (*step) {
          case SectionStep::begin: return failed("[1][50]");
          case SectionStep::data_write: return failed("[2]");
          case SectionStep::data_status: return failed("[3]");
          case SectionStep::end: return failed("[4]");
        }
      }
    }
    if (loader) {
      std::fill(m_request.begin() + 2, m_request.end(), 0);
      if (!exchange(k_command_run_loader)) return failed("[5]");
    }

    // wait for the module to return
    if (!reopen_after_restart(m_run, k_loader_settle)) return stopped_or_failed("[6]");
    hid_close_all();
    m_report.setAddUpdateProcessed(k_phase_module_back);
    m_report.setUpdateTimerProcessed(0);
    return succeed();
  }

  Exit two_chip() {
    const transport::OpenDeviceGuard device;
    hid_close_all();
    if (!open_attached_device(m_run) || !module_version_matches() || !load_package(m_run)) {
      return Exit::close_and_finish;
    }
    // the mesh block and the Bluetooth image, both before the first frame
    if (!check_package_entries(m_run, transport::PackageTable::blocks, 0, {k_two_chip_mesh_entry}) ||
        !check_package_entries(m_run, transport::PackageTable::sections, 0, {k_bluetooth_entry})) {
      return Exit::close_and_finish;
    }
    if (!backup_before_flashing(m_run)) return Exit::close_and_finish;
    start_device_work(m_run, k_phase_device_work);

    // the mesh chip beside the device
    hid_close_all();
    switch (find(hid_open_mesh_airoha)) {
      case Search::found: break;
      case Search::not_found: return not_found("[8]");
      case Search::stopped: return Exit::close_and_finish;
    }
    const AirohaBlockTransfer how{hid_open_mesh_airoha, k_mesh_block_settle, {.two_chip_logs = true}};
    if (const std::optional<Exit> exit = airoha_block_transfer(m_run, block_entry(k_two_chip_mesh_entry), how)) {
      return *exit;
    }
    hid_close_all();

    // the Bluetooth chip: the device checked and the package read again, the
    // first copy freed as the second comes
    if (!open_attached_device(m_run) || !load_package(m_run) ||
        !check_package_entries(m_run, transport::PackageTable::sections, 0, {k_bluetooth_entry})) {
      return Exit::close_and_finish;
    }
    if (!backup_before_flashing(m_run)) return Exit::close_and_finish;
    start_device_work(m_run, k_phase_device_work);
    platform::system_log("QCC only BT Update Start");
    if (hid_open_device(m_run.opened_product_id(), m_run.message()) != 0) return failed("[B][9]");
    const std::span<const std::uint8_t> image = transport::package_entry(package(), transport::PackageTable::sections,
                                                                         k_bluetooth_entry)
                                                    .value()
                                                    .data;
    if (const std::optional<Exit> exit = qcc_image_transfer(m_run, image)) return *exit;
    hid_close_all();
    platform::system_log("--------QCC ALL_UPDATE END");
    return succeed();
  }

 private:
  enum class Search { found, not_found, stopped };

  std::span<const std::uint8_t> package() const { return {m_run.package().get(), m_run.package_bytes()}; }
  std::int64_t section_count() const { return transport::package_section_count(package()).value_or(0); }
  // A table-B entry; checked when the package was loaded.
  transport::PackageEntry block_entry(std::int64_t index) const {
    return transport::package_entry(package(), transport::PackageTable::blocks, index).value();
  }

  // One long command in the procedure's report buffer, its arguments as they stand.
  bool exchange(unsigned char command) {
    m_request[0] = k_hid_report_id;
    m_request[1] = command;
    return hid_long_command(k_slot, m_request, m_reply) == 1;
  }

  // The module-1 version must be the one recognition read: k_update_error_device otherwise.
  // A device that does not answer is taken as version 1.0 type 0 secondary 0.
  bool module_version_matches() {
    int version[4] = {1, 0, 0, 0};
    std::fill(m_request.begin() + 2, m_request.end(), 0);
    if (exchange(k_command_version)) {
      for (int part = 0; part < 4; ++part) version[part] = m_reply[k_reply_data_at + static_cast<std::size_t>(part)];
    }
    const FEXOBluetoothDeviceData& record = m_run.record();
    const int difference = FEXOBluetoothDeviceData::
        compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
            version[0], version[1], version[2], version[3], record.deviceVersionMajor01(), record.deviceVersionMinor01(),
            record.deviceSecondaryVersionType01(), record.deviceSecondaryVersion01());
    if (difference == 0) return true;
    platform::system_log(platform::format("module 1 version %d.%d.%d.%d, recognition read %d.%d.%d.%d", version[0],
                                          version[1], version[2], version[3], record.deviceVersionMajor01(),
                                          record.deviceVersionMinor01(), record.deviceSecondaryVersionType01(),
                                          record.deviceSecondaryVersion01()));
    m_run.fail(k_update_error_device, CommonTexts::vyla_string_not_recognized_device_in);
    return false;
  }

  // Up to 20 tries of `open`, the first at once, a second apart; each failed
  // try closes every slot. The part found stays open in slot 0.
  Search find(HidOpen open) {
    for (int attempt = 0; attempt < k_search_tries; ++attempt) {
      if (attempt > 0 && !m_run.wait(k_search_pause)) return Search::stopped;
      std::uint32_t product = 0;
      if (open(product, m_run.message()) == 0) return Search::found;
      hid_close_all();
    }
    platform::system_log("device part not found in 20 tries");
    return Search::not_found;
  }

  Exit failed(const std::string& code) {
    show_cannot_get_status(m_run, code);
    return Exit::close_and_finish;
  }

  Exit stopped_or_failed(const std::string& code) {
    if (m_run.stopping()) return Exit::close_and_finish;
    return failed(code);
  }

  // "Cannot get status. Try again.<code>"
  Exit not_found(const std::string& code) {
    m_run.show_failure(reason_try_again_tag(UpdateTexts::vyla_string_cannot_get_status_in, code));
    return Exit::close_and_finish;
  }

  Exit succeed() {
    hid_close_all();
    return end_with_success(m_run);
  }

  UpdateRun& m_run;
  UpdateReport& m_report;
  hid_cmd_report m_request{};
  hid_status_report m_reply{};
};

}  // namespace

Exit airoha_update(UpdateRun& run) { return AirohaProcedure(run).blocks(); }

Exit airoha_mesh_update(UpdateRun& run) { return AirohaProcedure(run).mesh(); }

Exit two_chip_update(UpdateRun& run) { return AirohaProcedure(run).two_chip(); }

}  // namespace update::families
