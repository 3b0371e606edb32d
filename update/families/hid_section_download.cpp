#include "update/families/hid_section_download.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "platform/log.h"
#include "session/message_box.h"
#include "strings/update_texts.h"
#include "transport/firmware_package.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"
#include "update/backup_step.h"
#include "update/families/camera_disk_copy.h"
#include "update/families/hid_update_steps.h"
#include "update/families/section_transfer.h"
#include "update/package_entries.h"
#include "update/unit_language_commands.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;

constexpr int k_slot = 0;
using transport::k_hid_report_id;
using transport::k_command_enter_download_mode;
using transport::k_command_readiness;
using transport::k_command_run_loader;
// Reply byte 3: the readiness flag.
constexpr std::size_t k_reply_data_at = 3;

// The cameras' camera firmware goes to their disk, only sections 0 and 1 over HID.
constexpr int k_sections_over_hid_of_cameras = 2;

// The device keeps its product id in download mode and is opened again after this.
constexpr std::chrono::milliseconds k_download_mode_reopen = 3s;
// Before the first section, and after the last while the device checks them.
constexpr std::chrono::milliseconds k_section_pause = 5s;
// A failed readiness exchange is tried again after this.
constexpr std::chrono::milliseconds k_readiness_retry = 100ms;
// A device that is not ready after this never will be.
constexpr std::chrono::milliseconds k_readiness_limit = 120s;
constexpr std::chrono::milliseconds k_no_wait_pause = 1s;
// The loader writes the sections into flash and restarts the device.
constexpr std::chrono::milliseconds k_loader_run = 60s;
constexpr std::chrono::milliseconds k_success_pause = 2s;

class HidSectionDownload {
 public:
  explicit HidSectionDownload(UpdateRun& run) : m_run(run), m_report(run.report()) {}

  Exit download_mode_entry() {
    const transport::OpenDeviceGuard device;
    if (!open_attached()) return Exit::close_and_finish;

    // enter download mode; only the log says whether the device took it
    hid_status_report reply{};
    const bool entered = exchange(k_command_enter_download_mode, reply);
    platform::system_log(entered ? "COMMAND_ENTER_DNLD_MODE OK" : "COMMAND_ENTER_DNLD_MODE FAIL");
    hid_close_all();
    if (!m_run.wait(k_download_mode_reopen)) return Exit::close_and_finish;
    if (!open_attached()) return Exit::close_and_finish;

    // check the package
    if (!version_matches() || !prepare(false)) return Exit::close_and_finish;

    // write
    if (!m_run.wait(k_section_pause)) return Exit::close_and_finish;
    if (!send_sections(false)) return cannot_get_status();

    // leave: the loader takes over once the device has checked the sections
    if (!m_run.wait(k_section_pause)) return Exit::close_and_finish;
    hold_bar();
    if (!wait_until_ready()) return cannot_get_status();
    if (m_loader_section) {
      if (!start_loader()) return cannot_get_status();
      if (m_report.openedMessageBox()) m_run.close_notice();
    }
    m_report.setAddUpdateProcessed(99);
    m_report.setUpdateTimerProcessed(0);
    if (!m_run.wait(k_loader_run)) return Exit::close_and_finish;
    hold_bar();

    // wait for the device to return
    if (!wait_for_return()) return cannot_get_status();
    return succeed();
  }

  Exit direct(bool (*camera_copy)(UpdateRun& run)) {
    const int product = m_run.product();
    const device_data::ProductFacts& facts = device_data::product_facts(product);
    const bool camera = facts.camera_part_to_disk;
    const bool quiet = facts.section_download_end != device_data::SectionDownloadEnd::button_notice;
    const bool waits_for_readiness = facts.section_download_end != device_data::SectionDownloadEnd::quiet_no_wait;
    const transport::OpenDeviceGuard device;

    // check the device and the package
    if (!open_attached() || !version_matches() || !prepare(camera)) return Exit::close_and_finish;

    // write
    if (camera && !camera_copy(m_run)) return Exit::close_and_finish;
    if (!m_run.wait(k_section_pause)) return Exit::close_and_finish;
    if (!send_sections(camera)) return cannot_get_status();
    if (!m_run.wait(k_section_pause)) return Exit::close_and_finish;
    if (facts.section_download_language) {
      // a failed language write leaves the update as good as it is
      const int code = UnitLanguageCommands::UnitLanguageCodeFromStringForQorlan(
          m_run.firmware_language().value_or(std::string()));
      UnitLanguageCommands::bt_set_unit_language_qorlan_with(k_slot, code);
    }

    // leave
    if (!quiet && !m_report.openedMessageBox()) show_button_notice();
    if (waits_for_readiness) {
      if (!wait_until_ready()) return cannot_get_status();
      if (m_loader_section) {
        if (!start_loader()) return cannot_get_status();
        if (m_report.openedMessageBox()) m_run.close_notice();
      }
    } else {
      if (m_loader_section && !start_loader()) return cannot_get_status();
      if (!m_run.wait(k_no_wait_pause)) return Exit::close_and_finish;
    }
    m_report.setAddUpdateProcessed(99);
    m_report.setUpdateTimerProcessed(0);
    if (!m_run.wait(k_loader_run)) return Exit::close_and_finish;
    if (quiet) {
      hold_bar();
    } else if (!m_report.openedMessageBox()) {
      show_button_notice();
    }

    // wait for the device to return
    if (!wait_for_return()) return cannot_get_status();
    return succeed();
  }

 private:
  // Opens the device and checks it is the attached one: k_update_error_device otherwise.
  bool open_attached() { return open_attached_device(m_run); }

  // One command of bytes 0 and 1 in the procedure's report buffer.
  bool exchange(unsigned char command, hid_status_report& reply) {
    m_buffer[0] = k_hid_report_id;
    m_buffer[1] = command;
    return hid_long_command(k_slot, m_buffer, reply) == 1;
  }

  // The device must be in the state recognition read: k_update_error_device otherwise.
  bool version_matches() {
    const FEXOBluetoothDeviceData& record = m_run.record();
    return device_version_matches(m_run, k_slot, m_buffer,
                                  {record.deviceVersionMajor(), record.deviceVersionMinor(),
                                   record.deviceSecondaryVersionType(), record.deviceSecondaryVersion()});
  }

  // Package, backup and the progress fields of the transfer.
  bool prepare(bool camera) {
    if (!load_package(m_run)) return false;
    // every entry that is read: the sections over HID, and a camera's camera part
    const bool entries_sound =
        camera ? check_package_entries(m_run, transport::PackageTable::blocks, k_sections_over_hid_of_cameras,
                                       {k_camera_part_entry})
               : check_package_entries(m_run, transport::PackageTable::blocks);
    if (!entries_sound) return false;
    if (!backup_before_flashing(m_run)) return false;

    start_device_work(m_run, 98);
    return true;
  }

  // Every section of the block table in order (a camera's first two); a
  // section with block number 0 holds the loader, which is started after.
  bool send_sections(bool camera) {
    const std::span<const std::uint8_t> package(m_run.package().get(), m_run.package_bytes());
    const std::int32_t count = transport::package_section_count(package).value_or(0);
    m_loader_section = false;
    for (std::int32_t index = 0; index < count; ++index) {
      if (camera && index == k_sections_over_hid_of_cameras) break;
      // checked when the package was loaded
      const transport::PackageEntry entry = transport::package_entry(package, transport::PackageTable::blocks, index).value();
      if (entry.number == 0) m_loader_section = true;
      if (!transfer_section(k_slot, m_buffer, {index, static_cast<std::uint8_t>(entry.kind & 0xFF), entry.data})) {
        return false;
      }
    }
    return true;
  }

  // Asks the device until it says it is ready: a second between answers
  // "not yet", a tenth of one after a failed exchange, at most 120 s.
  bool wait_until_ready() {
    return ask_until_set(
        m_run,
        [this]() -> std::optional<std::uint8_t> {
          hid_status_report reply{};
          if (!exchange(k_command_readiness, reply)) return std::nullopt;
          return reply[k_reply_data_at];
        },
        k_readiness_retry, k_readiness_limit, "readiness");
  }

  bool start_loader() {
    m_buffer[0] = k_hid_report_id;
    m_buffer[1] = k_command_run_loader;
    m_buffer[2] = 0;
    hid_status_report reply{};
    return hid_long_command(k_slot, m_buffer, reply) == 1;
  }

  // Looks for the device once a second until it is back on USB (any product
  // id), at most 300 s.
  bool wait_for_return() { return wait_until_back(m_run, false); }

  // The bar stands while the device works on its own; no box is shown.
  void hold_bar() { m_report.setOpenedMessageBox(true); }

  // The notice asking to hold the device's button while it restarts.
  void show_button_notice() { families::show_button_notice(m_run, session::message_box_first_button); }

  Exit cannot_get_status() {
    m_run.show_failure(UpdateTexts::vyla_string_cannot_get_status_in);
    return Exit::close_and_finish;
  }

  Exit succeed() {
    if (m_report.openedMessageBox()) {
      m_run.close_notice();
      m_report.setUpdateProcessed(k_update_succeeded);
    }
    if (!m_run.wait(k_success_pause)) return Exit::finish;
    m_report.setUpdateRestoreError(k_update_error_none);
    m_report.setAddUpdateProcessed(k_update_succeeded);
    if (!m_run.wait(k_success_pause)) return Exit::finish;
    m_report.setUpdateProcessed(k_update_succeeded);
    return Exit::finish;
  }

  UpdateRun& m_run;
  UpdateReport& m_report;
  // One report buffer for the whole procedure: each command sets only its own
  // bytes, and the device reads no others.
  hid_cmd_report m_buffer{};
  bool m_loader_section = false;
};

}  // namespace

Exit hid_section_download_after_download_mode(UpdateRun& run) { return HidSectionDownload(run).download_mode_entry(); }

Exit hid_section_download(UpdateRun& run) { return HidSectionDownload(run).direct(camera_disk_copy); }

Exit hid_section_download_with_camera_copy(UpdateRun& run, bool (*camera_copy)(UpdateRun& run)) {
  return HidSectionDownload(run).direct(camera_copy);
}

}  // namespace update::families
