#include "update/families/two_module_update.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"
#include "strings/common_texts.h"
#include "strings/update_texts.h"
#include "transport/firmware_package.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"
#include "update/backup_step.h"
#include "update/families/firmware_name_version.h"
#include "update/families/hid_update_steps.h"
#include "update/families/section_transfer.h"
#include "update/package_entries.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;

constexpr int k_module_1 = 0;  // its slot
constexpr int k_module_2 = 1;
using transport::k_hid_report_id;
using transport::k_command_read_block;
using transport::k_command_run_loader;
constexpr unsigned char k_block_sub_model = 0x05;
// Sub-model reply after the word swap: the low byte of word 0.
constexpr std::size_t k_sub_model_at = 5;
// The secondary type both sides of the ZOD floor comparison carry.
constexpr int k_zod_secondary_type = 2;

// While the loaders write their sections and restart the device.
constexpr std::chrono::milliseconds k_restart_pause = 5s;

// Where a section goes, by its block number (block table) or target module
// (section table): 0 and 2 to module 1, 1 and any other to module 2; 0 and 1
// are the modules' loader sections.
struct Route {
  int slot;
  bool loader;
};
Route route_of(std::uint32_t number) {
  switch (number) {
    case 0: return {k_module_1, true};
    case 1: return {k_module_2, true};
    case 2: return {k_module_1, false};
    default: return {k_module_2, false};
  }
}

class TwoModuleUpdate {
 public:
  explicit TwoModuleUpdate(UpdateRun& run) : m_run(run), m_report(run.report()) {}

  Exit dual_module() {
    const transport::OpenDeviceGuard device;
    // check the device and the package
    if (!modules_match() || !load_package(m_run)) return Exit::close_and_finish;
    if (!check_package_entries(m_run, transport::PackageTable::blocks)) return Exit::close_and_finish;
    if (!backup_before_flashing(m_run)) return Exit::close_and_finish;
    return flash(transport::PackageTable::blocks);
  }

  Exit lm6() {
    const transport::OpenDeviceGuard device;
    // check the device and the package
    if (!modules_match() || !load_package(m_run)) return Exit::close_and_finish;
    if (!check_package_entries(m_run, transport::PackageTable::sections)) return Exit::close_and_finish;
    if (!zod_takes_the_firmware()) return Exit::close_and_finish;
    if (!backup_before_flashing(m_run)) return Exit::close_and_finish;
    return flash(transport::PackageTable::sections);
  }

 private:
  // The attached device in slot 0, its second module in slot 1, both at the
  // versions recognition read: k_update_error_device otherwise.
  bool modules_match() {
    if (!open_attached_device(m_run)) return false;
    const FEXOBluetoothDeviceData& record = m_run.record();
    if (!device_version_matches(m_run, k_module_1, m_buffer,
                                {record.deviceVersionMajor01(), record.deviceVersionMinor01(),
                                 record.deviceSecondaryVersionType01(), record.deviceSecondaryVersion01()})) {
      return false;
    }
    if (!transport::hid_slot_open(k_module_2)) {
      platform::system_log("module 2: no device in slot 1");
      m_run.fail(k_update_error_device, CommonTexts::vyla_string_not_recognized_device_in);
      return false;
    }
    return device_version_matches(m_run, k_module_2, m_buffer,
                                  {record.deviceVersionMajor02(), record.deviceVersionMinor02(),
                                   record.deviceSecondaryVersionType02(), record.deviceSecondaryVersion02()});
  }

  // The LM6 ZOD takes no firmware older than its floor, judged by the
  // version the file's name tells. No check when module 1 does not tell its
  // sub-model (asked twice), for other sub-models, and for a name without a
  // version. The refusal keeps k_update_error_generic and shows its text alone.
  bool zod_takes_the_firmware() {
    m_buffer[0] = k_hid_report_id;
    m_buffer[1] = k_command_read_block;
    m_buffer[2] = k_block_sub_model;
    hid_status_report reply{};
    const bool read = hid_long_command(k_module_1, m_buffer, reply) == 1 ||
                      hid_long_command(k_module_1, m_buffer, reply) == 1;
    if (!read) {
      platform::system_log("sub-model unknown: no firmware floor");
      return true;
    }
    swap_reply_words(reply);
    if (!device_data::is_lm6_zod_sub_model(reply[k_sub_model_at])) return true;
    const auto version = firmware_version_from_file_name(m_run.firmware_file());
    if (!version) return true;
    const device_data::FirmwareFloor& floor = device_data::k_lm6_zod_oldest_firmware;
    const int difference = FEXOBluetoothDeviceData::
        downGradeLM6EVOCompareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
            version->major, version->minor, k_zod_secondary_type, version->secondary, floor.major, floor.minor,
            k_zod_secondary_type, floor.secondary);
    if (difference >= 0) return true;
    platform::system_log(platform::format("ZOD sub-model 0x%02X refuses firmware %d.%d.%d", reply[k_sub_model_at],
                                          version->major, version->minor, version->secondary));
    UpdateStatus texts;
    for (int language = 0; language < strings::k_language_count; ++language) {
      texts[static_cast<std::size_t>(language)] = CommonTexts::vyla_cannot_update_lm6evo(language);
    }
    m_report.setUpdateStatus(texts);
    return false;
  }

  // The sections, the loaders, the restart.
  Exit flash(transport::PackageTable table) {
    start_device_work(m_run, 4);
    if (!send_sections(table) || !start_loaders()) return cannot_get_status();

    m_report.setAddUpdateProcessed(86);
    m_report.setUpdateTimerProcessed(0);
    if (!m_run.wait(k_restart_pause)) return Exit::close_and_finish;
    if (!wait_until_back(m_run, false)) return cannot_get_status();

    return end_with_success(m_run);
  }

  // Every entry of `table` in order, each to its module's slot.
  bool send_sections(transport::PackageTable table) {
    const std::span<const std::uint8_t> package(m_run.package().get(), m_run.package_bytes());
    const std::int32_t count = transport::package_section_count(package).value_or(0);
    for (std::int32_t index = 0; index < count; ++index) {
      // checked when the package was loaded
      const transport::PackageEntry entry = transport::package_entry(package, table, index).value();
      const Route route = route_of(entry.number);
      if (route.loader) m_loader[route.slot] = true;
      if (!transfer_section(route.slot, m_buffer, {index, static_cast<std::uint8_t>(entry.kind & 0xFF), entry.data})) {
        return false;
      }
    }
    return true;
  }

  // 0x08 to each module whose loader section went, module 1 first.
  bool start_loaders() {
    for (const int slot : {k_module_1, k_module_2}) {
      if (!m_loader[slot]) continue;
      m_buffer[0] = k_hid_report_id;
      m_buffer[1] = k_command_run_loader;
      m_buffer[2] = 0;
      hid_status_report reply{};
      if (hid_long_command(slot, m_buffer, reply) != 1) {
        platform::system_log(platform::format("run loader on slot %d: %s", slot,
                                              transport::describe(transport::hid_last_error(slot))));
        return false;
      }
    }
    return true;
  }

  Exit cannot_get_status() {
    m_run.show_failure(UpdateTexts::vyla_string_cannot_get_status_in);
    return Exit::close_and_finish;
  }

  UpdateRun& m_run;
  UpdateReport& m_report;
  // One report buffer for the whole procedure: each command sets only its own
  // bytes, and the device reads no others.
  hid_cmd_report m_buffer{};
  // By slot: a loader section went to the module.
  bool m_loader[2] = {false, false};
};

}  // namespace

Exit dual_module_update(UpdateRun& run) { return TwoModuleUpdate(run).dual_module(); }

Exit lm6_update(UpdateRun& run) { return TwoModuleUpdate(run).lm6(); }

}  // namespace update::families
