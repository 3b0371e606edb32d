#include "update/families/mesh_update.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/log.h"
#include "strings/common_texts.h"
#include "strings/update_texts.h"
#include "transport/crc.h"
#include "transport/firmware_package.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"
#include "update/backup_step.h"
#include "update/camera_disk.h"
#include "update/families/firmware_name_version.h"
#include "update/families/hid_update_steps.h"
#include "update/families/qcc_image_transfer.h"
#include "update/families/section_transfer.h"
#include "update/package_entries.h"
#include "update/unit_language_commands.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr int k_slot = 0;
using transport::k_hid_report_id;
using transport::k_command_version;
using transport::k_command_run_loader;
using transport::k_command_camera_disk_on;
using transport::k_command_camera_disk_off;
using transport::k_command_camera_disk_state;
using transport::k_command_mesh_download;
using transport::k_command_verify_all;
constexpr unsigned char k_command_im501_check = 0x47;
constexpr unsigned char k_command_power_hold = 0x52;
constexpr unsigned char k_command_power_release = 0x53;
constexpr unsigned char k_command_image_language = 0x59;
constexpr unsigned char k_command_chunk_crc = 0x5A;

constexpr std::uint8_t k_kind_mesh = 0;
constexpr std::uint8_t k_kind_im501 = 1;
// Version reply: major, minor, secondary type, secondary, build from this byte.
constexpr std::size_t k_version_at = 3;
// Reply byte of the camera state (1: on) and of the iM501 final check (0: failed).
constexpr std::size_t k_answer_at = 3;

constexpr std::size_t k_mesh_chunk_bytes = 58;
constexpr std::size_t k_module_chunk_bytes = k_section_data_bytes<1023>;
constexpr int k_crc_passes = 6;
// A chunk whose CRC the processor keeps refusing is not sent for ever.
constexpr int k_chunk_crc_repeats = 50;
constexpr int k_open_tries = 20;
constexpr int k_mesh_return_tries = 100;
constexpr int k_camera_disk_tries = 20;
constexpr int k_camera_disk_tries_after_install = 120;

constexpr std::chrono::milliseconds k_open_pause = 1s;

// The mesh processors from this version on take their image with CRCs.
constexpr int k_crc_major = 1, k_crc_minor = 0, k_crc_secondary_type = 2, k_crc_secondary = 1;
// Products of MeshUnitLanguage::sent_from_2_1 take a unit language from this firmware on.
constexpr int k_unit_language_major = 2, k_unit_language_minor = 1;

// With the voice processor: where each part lies in the block table.
constexpr int k_camera_entry = 2;
constexpr int k_voice_bluetooth_blocks = 2;

// The reasons a camera failure shows.
enum class CameraReason { cannot_get_status, camera_update_failed };

enum class DataResult { sent, write_refused, status_refused };

struct MeshVersion {
  int major = 1;
  int minor = 0;
  int secondary_type = 0;
  int secondary = 0;
  int build = 0;
};

// The failure tag of step `number` of the camera part: "[50][c][3]".
std::string camera_step_tag(int number) { return platform::format("[50][c][%d]", number); }

class MeshUpdate {
 public:
  MeshUpdate(UpdateRun& run, bool voice_processor)
      : m_run(run), m_report(run.report()), m_voice_processor(voice_processor) {
    const device_data::ProductFacts& row = device_data::product_facts(run.product());
    m_camera = voice_processor && row.mesh_update_camera_part;
    if (!voice_processor) {
      m_mesh_entry = row.mesh_image_in_entry_1 ? 1 : 2;
    } else {
      m_mesh_entry = m_camera ? 3 : 2;
      m_im501_entry = m_mesh_entry + 1;
    }
  }

  Exit run() {
    const transport::OpenDeviceGuard device;
    // 1-4: the device, the package, the backup
    if (!open_attached_device(m_run) || !version_matches() || !load_package(m_run) || !entries_sound()) {
      return Exit::close_and_finish;
    }
    if (!backup_before_flashing(m_run)) return Exit::close_and_finish;
    // 5
    start_device_work(m_run, 4);

    if (m_camera && !camera_part()) return Exit::close_and_finish;
    if (const std::optional<Exit> failed = mesh_part()) return *failed;

    if (m_voice_processor) {
      im501_part();
      if (!open_tries(hid_open_device, k_open_tries)) return failure_with_retry("[27]");
    } else {
      // 16
      if (!open_tries(hid_open_device, k_open_tries)) return failure_with_retry("[17]");
    }
    if (const std::optional<Exit> failed = bluetooth_blocks()) return *failed;

    // 19: the module restarts
    platform::system_log("BT_RUN_LOADER\n");
    hid_close_all();
    if (!m_run.wait(10s)) return Exit::close_and_finish;
    if (!wait_until_back(m_run, false) || hid_open_device(m_run.opened_product_id(), m_run.message()) != 0) {
      return failure("[6]");
    }

    if (m_voice_processor) {
      unit_language();
      hid_close_all();
      at_89();
      platform::system_log("--------WQ8 ALL_UPDATE END\n");
    } else {
      at_89();
      image_language();
      unit_language();
      hid_close_all();
      platform::system_log("--------ALL_UPDATE END\n");
    }
    return succeed();
  }

 private:
  // ---- checks before the device work ----

  bool version_matches() {
    const FEXOBluetoothDeviceData& record = m_run.record();
    return device_version_matches(m_run, k_slot, m_buffer,
                                  {record.deviceVersionMajor01(), record.deviceVersionMinor01(),
                                   record.deviceSecondaryVersionType01(), record.deviceSecondaryVersion01()});
  }

  // Every entry read by its place must lie whole inside the file and below the
  // section count, before anything is sent.
  bool entries_sound() {
    const std::int64_t blocks = m_voice_processor ? k_voice_bluetooth_blocks : m_mesh_entry;
    if (m_camera) return check_package_entries(m_run, transport::PackageTable::blocks, blocks, {k_camera_entry, m_mesh_entry, m_im501_entry});
    if (m_voice_processor) return check_package_entries(m_run, transport::PackageTable::blocks, blocks, {m_mesh_entry, m_im501_entry});
    return check_package_entries(m_run, transport::PackageTable::blocks, blocks, {m_mesh_entry});
  }

  std::span<const std::uint8_t> package() const { return {m_run.package().get(), m_run.package_bytes()}; }

  // Checked by entries_sound.
  transport::PackageEntry entry(int index) const {
    return transport::package_entry(package(), transport::PackageTable::blocks, index).value();
  }

  // ---- the camera part ----

  bool camera_part() {
    const CameraDiskNames names = camera_disk_names(m_run.product()).value();
    const CameraPart part = camera_part_of(m_run);

    if (!command(k_command_camera_disk_on)) return camera_failure(0);
    if (!m_run.wait(2s)) return false;
    m_buffer = {};
    m_buffer[0] = k_hid_report_id;
    m_buffer[1] = k_command_camera_disk_state;
    m_reply = {};
    if (hid_long_command(k_slot, m_buffer, m_reply) != 1) platform::system_log("camera state: no answer");
    if (m_reply[k_answer_at] != 1) return camera_failure(1);
    if (!m_run.wait(10s)) return false;

    const std::optional<std::string> disk = wait_for_camera_disk(m_run, k_camera_disk_tries);
    if (!disk) {
      if (!m_run.stopping()) m_run.show_failure(CommonTexts::vyla_string_check_sd_card_in);
      return false;
    }
    const fs::path transfer(*disk + names.transfer_file);
    const fs::path firmware(*disk + names.firmware_file);
    if (platform::file_exists(transfer)) platform::remove_file(transfer);
    if (same_camera_version(*disk + names.version_file, part)) {
      platform::system_log("camera firmware already in place");
      return command(k_command_camera_disk_off) || camera_failure(2);
    }

    if (!platform::create_file(transfer, part.data)) return camera_failure(3);
    if (!platform::move_file(transfer, firmware)) return camera_failure(4, CameraReason::camera_update_failed);
    switch (check_camera_copy(firmware, part)) {
      case CopyCheck::matches:
        break;
      case CopyCheck::cannot_open:
        return remove_if_present(transfer, 5) && remove_if_present(firmware, 6) && camera_failure(7);
      case CopyCheck::digest_differs:
        return remove_if_present(transfer, 8) && remove_if_present(firmware, 9) && camera_failure(10);
      case CopyCheck::size_differs:
        if (platform::file_exists(firmware)) platform::remove_file(firmware);
        return camera_failure(11);
    }

    // the camera installs with its disk off, and shows it on again
    if (!m_run.wait(2s)) return false;
    if (!command(k_command_camera_disk_off)) return camera_failure(12);
    if (!m_run.wait(10s)) return false;
    if (!command(k_command_camera_disk_on)) return camera_failure(13);
    if (!m_run.wait(15s)) return false;
    const std::optional<std::string> back = wait_for_camera_disk(m_run, k_camera_disk_tries_after_install);
    if (!back) return !m_run.stopping() && camera_failure(16, CameraReason::camera_update_failed);
    if (!m_run.wait(3s)) return false;
    if (!same_camera_version(*back + names.version_file, part)) {
      return camera_failure(14, CameraReason::camera_update_failed);
    }
    if (!m_run.wait(3s)) return false;
    return command(k_command_camera_disk_off) || camera_failure(15);
  }

  static CameraPart camera_part_of(UpdateRun& run) { return update::camera_part(run, k_camera_entry).value(); }

  static bool same_camera_version(const std::string& version_file, const CameraPart& part) {
    const device_data::CameraVersion held = read_camera_version(version_file);
    platform::system_log(platform::format("camera version %d.%d, package %d.%d", held.major, held.minor,
                                          part.version.major, part.version.minor));
    return FEXOBluetoothDeviceData::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(
               held.major, held.minor, part.version.major, part.version.minor) == 0;
  }

  // True when `file` is gone; camera failure `number` when it stays.
  bool remove_if_present(const fs::path& file, int number) {
    if (!platform::file_exists(file) || platform::remove_file(file)) return true;
    return camera_failure(number);
  }

  // "<failure prefix>. <reason> [50][c][N]. Try again."; always false.
  bool camera_failure(int number, CameraReason reason = CameraReason::cannot_get_status) {
    platform::system_log("camera part failed " + camera_step_tag(number));
    const auto reason_in = reason == CameraReason::camera_update_failed ? CommonTexts::vyla_string_camera_update_fail_in
                                                                         : UpdateTexts::vyla_string_cannot_get_status_in;
    m_run.show_failure(reason_tag_try_again(reason_in, camera_step_tag(number)));
    return false;
  }

  // ---- the mesh part (steps 6-15) ----

  std::optional<Exit> mesh_part() {
    // 6
    if (!command(k_command_mesh_download, {0, 0})) return failure("[7]");
    if (!m_run.wait(5s)) return Exit::close_and_finish;
    // 7
    if (!open_tries(hid_open_mesh_3120, k_open_tries)) return failure_with_retry("[8]");
    // 8
    const MeshVersion version = mesh_version();
    if (!command(k_command_begin_section, {k_kind_mesh})) return failure("[9]");
    platform::system_log(platform::format("meshVesion %d.%d.%d. type %d, build %d", version.major, version.minor,
                                          version.secondary, version.secondary_type, version.build));
    // 9
    const std::span<const std::uint8_t> image = entry(m_mesh_entry).data;
    const int compared = FEXOBluetoothDeviceData::
        compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_ForOptra(
            version.major, version.minor, version.secondary_type, version.secondary, k_crc_major, k_crc_minor,
            k_crc_secondary_type, k_crc_secondary, false);
    if (compared < 0) {
      platform::system_log("Mesh ver 1.0.0");
      if (const std::optional<Exit> failed = legacy_transfer(image)) return failed;
    } else {
      platform::system_log("Mesh ver 1.0.0 later");
      if (const std::optional<Exit> failed = crc_transfer(image)) return failed;
    }
    // 10
    if (!command(k_command_end_section)) return failure("[13]");
    // 11-12
    if (!open_tries(hid_open_device, k_open_tries)) return failure_with_retry("[14]");
    if (!command(k_command_power_hold)) platform::system_log("COMMAND_POWER_HOLD_FAIL");
    // 13
    if (!open_tries(hid_open_mesh_3120, k_open_tries)) return failure_with_retry("[15]");
    if (!command(k_command_run_loader, {0, 0})) return failure("[16]");
    // 14
    hid_close_all();
    if (!m_run.wait(10s)) return Exit::close_and_finish;
    if (!open_tries(hid_open_device, k_open_tries)) return failure_with_retry("[17]");
    if (!command(k_command_power_release)) platform::system_log("COMMAND_POWER_RELEASE_FAIL");
    if (!command(k_command_mesh_download, {0, 0})) return failure("[18]");
    if (!m_run.wait(3s)) return Exit::close_and_finish;
    // 15: the processor must show again
    if (!open_tries(hid_open_mesh_3120, k_mesh_return_tries)) return failure_with_retry("[19]");
    return std::nullopt;
  }

  // The processor's version; 1.0 type 0 secondary 0 when it does not tell.
  MeshVersion mesh_version() {
    MeshVersion version;
    if (!command(k_command_version)) return version;
    version.major = m_reply[k_version_at];
    version.minor = m_reply[k_version_at + 1];
    version.secondary_type = m_reply[k_version_at + 2];
    version.secondary = m_reply[k_version_at + 3];
    version.build = m_reply[k_version_at + 4];
    return version;
  }

  // The old processors: chunks without CRCs.
  std::optional<Exit> legacy_transfer(std::span<const std::uint8_t> image) {
    for (std::size_t at = 0; at < image.size();) {
      const std::span<const std::uint8_t> chunk = image.subspan(at, std::min(image.size() - at, k_mesh_chunk_bytes));
      switch (send_data(chunk)) {
        case DataResult::sent: break;
        case DataResult::write_refused: return failure("[10]");
        case DataResult::status_refused: return failure("[11]");
      }
      at += chunk.size();
    }
    return std::nullopt;
  }

  std::optional<Exit> crc_transfer(std::span<const std::uint8_t> image) {
    for (int pass = 0; pass < k_crc_passes; ++pass) {
      std::uint16_t running = 0;
      for (std::size_t at = 0; at < image.size();) {
        const std::span<const std::uint8_t> chunk = image.subspan(at, std::min(image.size() - at, k_mesh_chunk_bytes));
        if (chunk.size() < k_mesh_chunk_bytes) {
          platform::system_log(platform::format("nCountToWrite = %d", static_cast<int>(chunk.size())));
        }
        for (int refusals = 0;;) {
          switch (send_data(chunk)) {
            case DataResult::sent: break;
            case DataResult::write_refused: return failure("[10][1]");
            case DataResult::status_refused: return failure("[11][1]");
          }
          if (send_crc(k_command_chunk_crc, transport::crc16_ccitt(chunk, 0))) break;
          platform::system_log(platform::format("chunk crc refused at %d (pass %d)", static_cast<int>(at), pass + 1));
          if (++refusals > k_chunk_crc_repeats) return failure("[12]");
          if (m_run.stopping()) return Exit::close_and_finish;
        }
        running = transport::crc16_ccitt(chunk, running);
        at += chunk.size();
      }
      platform::system_log(platform::format("all_crc =[%x][%d] verAll[%x][%d]", running, running, running,
                                            static_cast<int>(image.size())));
      if (send_crc(k_command_verify_all, running)) return std::nullopt;
      platform::system_log("allCrc error");
      if (m_run.stopping()) return Exit::close_and_finish;
    }
    return failure("[12]");
  }

  // ---- the iM501 part: never fails the update ----

  void im501_part() {
    const std::span<const std::uint8_t> image = entry(m_im501_entry).data;
    if (!command(k_command_begin_section, {k_kind_im501})) platform::system_log("--------iM501 ERASE ERROR\n");
    bool verified = false;
    for (int pass = 0; pass < k_crc_passes && !verified && !m_run.stopping(); ++pass) {
      std::uint16_t running = 0;
      for (std::size_t at = 0; at < image.size();) {
        const std::span<const std::uint8_t> chunk = image.subspan(at, std::min(image.size() - at, k_mesh_chunk_bytes));
        const DataResult sent = send_data(chunk);
        if (sent == DataResult::write_refused) {
          platform::system_log("--------iM501 Write ERROR\n");
          break;
        }
        if (sent == DataResult::status_refused) {
          platform::system_log("--------iM501 Read ERROR\n");
          break;
        }
        if (!send_crc(k_command_chunk_crc, transport::crc16_ccitt(chunk, 0))) {
          platform::system_log("im501 crcerror");
          break;
        }
        running = transport::crc16_ccitt(chunk, running);
        at += chunk.size();
      }
      verified = send_crc(k_command_verify_all, running);
      if (!verified) platform::system_log("im501 allCrc error");
    }
    if (!verified) platform::system_log("--------iM501 VeriFy ERROR\n");
    if (!command(k_command_im501_check)) {
      platform::system_log("--------iM501 Last VeriFy ERROR\n");
    } else if (m_reply[k_answer_at] == 0) {
      platform::system_log("--------iM501 UPDATE ERROR\n");
    }
    platform::system_log("--------END iM501 UPDATE \n");
    hid_close_all();
  }

  // ---- the Bluetooth module ----

  // 17-18: the blocks before the mesh image (at most two with the voice
  // processor), and the module's loader when one of them is block 0.
  std::optional<Exit> bluetooth_blocks() {
    const std::int32_t count = transport::package_section_count(package()).value_or(0);
    const int last = m_voice_processor ? k_voice_bluetooth_blocks : m_mesh_entry;
    bool loader = false;
    for (int index = 0; index < count && index < last; ++index) {
      const transport::PackageEntry block = entry(index);
      if (block.number == 0) loader = true;
      if (!command(k_command_begin_section, {static_cast<std::uint8_t>(block.kind & 0xFF)})) {
        return failure(m_voice_processor ? "[1][50]" : "[1]");
      }
      for (std::size_t at = 0; at < block.data.size();) {
        const std::span<const std::uint8_t> chunk =
            block.data.subspan(at, std::min(block.data.size() - at, k_module_chunk_bytes));
        switch (send_data(chunk)) {
          case DataResult::sent: break;
          case DataResult::write_refused: return failure("[2]");
          case DataResult::status_refused: return failure("[3]");
        }
        at += chunk.size();
      }
      if (!command(k_command_end_section)) return failure("[4]");
    }
    if (loader && !command(k_command_run_loader, {0, 0})) return failure("[5]");
    return std::nullopt;
  }

  // 21: the image language the file's name tells; a refusal is answered with
  // language 0, whatever the module says to that.
  void image_language() {
    const int index = image_language_index(m_run.firmware_file());
    const int code = UnitLanguageCommands::LanguageCodeFromString(index);
    platform::system_log(platform::format("image language index %d, code %d", index, code));
    if (!command(k_command_image_language, {static_cast<std::uint8_t>(code)})) {
      command(k_command_image_language, {0});
    }
  }

  // 22: the unit's voice-prompt language, by product; its result is not looked at.
  void unit_language() {
    using device_data::MeshUnitLanguage;
    const MeshUnitLanguage rule = device_data::product_facts(m_run.product()).mesh_unit_language;
    const std::string language = m_run.firmware_language().value_or(std::string());
    if (m_voice_processor) {
      if (rule == MeshUnitLanguage::not_sent) return;
      if (rule == MeshUnitLanguage::qorlan) {
        UnitLanguageCommands::bt_set_unit_language_qorlan_with(
            k_slot, UnitLanguageCommands::UnitLanguageCodeFromStringForQorlan(language));
        return;
      }
    } else if (rule == MeshUnitLanguage::sent_from_2_1) {
      if (!command(k_command_version)) {
        platform::system_log("FAIL_GET_VER");
        return;
      }
      const int major = m_reply[k_version_at];
      const int minor = m_reply[k_version_at + 1];
      if (major < k_unit_language_major || (major == k_unit_language_major && minor < k_unit_language_minor)) {
        platform::system_log("2.1 under");
        return;
      }
      platform::system_log("2.1 or later");
    } else if (rule != MeshUnitLanguage::sent) {
      return;
    }
    UnitLanguageCommands::bt_set_unit_language_with(k_slot, UnitLanguageCommands::UnitLanguageCodeFromString(language));
  }

  // ---- exchanges ----

  // Sends `command` with `arguments` from byte 2 on slot 0 in a zeroed report;
  // the reply lands in m_reply. True when the device accepted it.
  bool command(unsigned char command, std::initializer_list<std::uint8_t> arguments = {}) {
    m_buffer = {};
    m_buffer[0] = k_hid_report_id;
    m_buffer[1] = command;
    std::copy(arguments.begin(), arguments.end(), m_buffer.begin() + 2);
    m_reply = {};
    return hid_long_command(k_slot, m_buffer, m_reply) == 1;
  }

  // One data report (0x06, the byte count high byte first), its write and its
  // status told apart.
  DataResult send_data(std::span<const std::uint8_t> chunk) {
    m_buffer = {};
    m_buffer[0] = k_hid_report_id;
    m_buffer[1] = k_command_section_data;
    m_buffer[2] = static_cast<std::uint8_t>(chunk.size() >> 8);
    m_buffer[3] = static_cast<std::uint8_t>(chunk.size() & 0xFF);
    std::copy(chunk.begin(), chunk.end(), m_buffer.begin() + 4);
    if (hid_send_long_report(k_slot, m_buffer) != 1) return DataResult::write_refused;
    if (hid_wait_long_status(k_slot) != 1) return DataResult::status_refused;
    return DataResult::sent;
  }

  // A chunk CRC or the all-CRC, low byte first.
  bool send_crc(unsigned char which, std::uint16_t crc) {
    return command(which, {0x00, 0x02, static_cast<std::uint8_t>(crc & 0xFF), static_cast<std::uint8_t>(crc >> 8)});
  }

  // Closes both slots and opens with `open` up to `tries` times, a second
  // apart; false when none opened or the worker was asked to stop.
  bool open_tries(int (*open)(std::uint32_t&, transport_message&), int tries) {
    for (int attempt = 0; attempt < tries; ++attempt) {
      hid_close_all();
      if (open(m_run.opened_product_id(), m_run.message()) == 0) return true;
      hid_close_all();
      if (!m_run.wait(k_open_pause)) return false;
    }
    return false;
  }

  // ---- ends ----

  void at_89() {
    m_report.setAddUpdateProcessed(89);
    m_report.setUpdateTimerProcessed(0);
  }

  Exit succeed() { return end_with_success(m_run); }

  // "<failure prefix>. Cannot get status<code>" (none when asked to stop).
  Exit failure(const char* code) {
    platform::system_log(std::string("mesh update failed ") + code);
    if (!m_run.stopping()) show_cannot_get_status(m_run, code);
    return Exit::close_and_finish;
  }

  // "<failure prefix>. Cannot get status. Try again.<code>" (none when asked to stop).
  Exit failure_with_retry(const char* code) {
    platform::system_log(std::string("mesh update failed ") + code);
    if (m_run.stopping()) return Exit::close_and_finish;
    m_run.show_failure(reason_try_again_tag(UpdateTexts::vyla_string_cannot_get_status_in, code));
    return Exit::close_and_finish;
  }

  UpdateRun& m_run;
  UpdateReport& m_report;
  const bool m_voice_processor;
  bool m_camera = false;
  int m_mesh_entry = 2;
  int m_im501_entry = 3;
  hid_cmd_report m_buffer{};
  hid_status_report m_reply{};
};

}  // namespace

int image_language_index(const std::string& firmware_file) {
  const std::optional<std::string> suffix = language_suffix_from_file_name(firmware_file);
  return suffix ? UnitLanguageCommands::GetLanguageCodeFromIMGFileNmae(*suffix) : 0;
}

Exit mesh_update(UpdateRun& run) { return MeshUpdate(run, false).run(); }

Exit mesh_update_with_voice_processor(UpdateRun& run) { return MeshUpdate(run, true).run(); }

}  // namespace update::families
