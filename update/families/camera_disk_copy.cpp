#include "update/families/camera_disk_copy.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/log.h"
#include "strings/common_texts.h"
#include "strings/update_texts.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "update/camera_disk.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr int k_slot = 0;
using transport::k_hid_report_id;
using transport::k_command_camera_disk_on;
using transport::k_command_camera_disk_off;
using transport::k_command_camera_disk_state;
constexpr std::size_t k_state_at = 3;
constexpr std::uint8_t k_state_on = 1;
constexpr std::uint8_t k_state_off = 0;

// The camera that turns its disk off by itself once it has installed.
constexpr int k_self_off_product = 0x5580;

constexpr int k_state_queries = 30;
constexpr int k_install_state_queries = 100;
// The count (from 0) of the query whose failure counts as the state reached.
constexpr int k_sixth_query = 5;
constexpr int k_disk_searches = 70;
constexpr int k_disk_searches_after_install = 200;

enum class Reached { yes, by_sixth_failure, no, stopped };

enum class Reason { cannot_get_status, camera_update_failed };

class CameraDiskCopy {
 public:
  explicit CameraDiskCopy(UpdateRun& run) : m_run(run) {}

  bool run() {
    const std::optional<CameraDiskNames> names = camera_disk_names(m_run.product());
    const std::optional<CameraPart> part = camera_part(m_run, k_camera_part_entry);
    if (!names || !part) {
      // the camera set all have names, and the package check admitted the part
      platform::system_log("no camera part to copy");
      return fail("[1][0]");
    }
    m_names = *names;
    m_part = *part;

    // 1-3: the disk on
    if (!command(k_command_camera_disk_on)) return fail("[1][0]");
    if (!m_run.wait(1s)) return false;
    if (!state_or_fail(k_state_on, k_state_queries, true, "[4][1]")) return false;
    if (!m_run.wait(15s)) return false;

    // 4: the disk among the mounted volumes
    const std::optional<std::string> disk = wait_for_camera_disk(m_run, k_disk_searches);
    if (!disk) {
      if (!m_run.stopping()) m_run.show_failure(CommonTexts::vyla_string_check_sd_card_in);
      return false;
    }

    // 5-6: what the camera holds
    const fs::path transfer = on(*disk, m_names.transfer_file);
    if (platform::file_exists(transfer)) platform::remove_file(transfer);
    const bool same = same_version(*disk);
    platform::system_log(platform::format("bSameCameraVersion[%d]", same ? 1 : 0));

    if (same) {
      // 7: nothing to copy
      if (!state_or_fail(k_state_on, k_state_queries, true, "[4][2]")) return false;
      if (!command(k_command_camera_disk_off)) return fail("[3][2]");
    } else if (!copy_and_install(*disk)) {
      return false;
    }

    // 10: the disk off before the sections
    return state_or_fail(k_state_off, k_state_queries, true, "[4][5]");
  }

 private:
  // 8: copy, check, hand over to the camera, and see its new version.
  bool copy_and_install(const std::string& disk) {
    const fs::path transfer = on(disk, m_names.transfer_file);
    const fs::path firmware = on(disk, m_names.firmware_file);
    if (!platform::create_file(transfer, m_part.data)) return fail("[2][0]");
    if (!platform::move_file(transfer, firmware)) return fail("[2][1]", Reason::camera_update_failed);
    switch (check_camera_copy(firmware, m_part)) {
      case CopyCheck::matches:
        break;
      case CopyCheck::cannot_open:
        return clean_up(transfer, firmware) && fail("[2][5]");
      case CopyCheck::digest_differs:
        return clean_up(transfer, firmware) && fail("[2][6]");
      case CopyCheck::size_differs:
        if (platform::file_exists(firmware)) platform::remove_file(firmware);
        return fail("[2][4]");
    }

    // the disk off: the camera installs
    if (!m_run.wait(1s)) return false;
    Reached reached = wait_for_state(k_state_on, k_state_queries, true);
    if (!settled(reached, "[4][2]")) return false;
    if (!command(k_command_camera_disk_off)) return fail(reached == Reached::by_sixth_failure ? "[3][2]" : "[0][0]");

    // and on again
    if (!m_run.wait(2s)) return false;
    reached = wait_for_state(k_state_off, k_state_queries, true);
    if (!settled(reached, "[4][3]")) return false;
    if (!command(k_command_camera_disk_on)) return fail(reached == Reached::by_sixth_failure ? "[1][1]" : "[3][3]");
    if (!m_run.wait(20s)) return false;

    if (m_run.product() == k_self_off_product && !install_cycle()) return false;

    // the new version on the disk
    const std::optional<std::string> back = wait_for_camera_disk(m_run, k_disk_searches_after_install);
    if (!back) return m_run.stopping() ? false : fail("[2][3]", Reason::camera_update_failed);
    if (!m_run.wait(3s)) return false;
    if (!same_version(*back)) return fail("[2][2]", Reason::camera_update_failed);
    if (!m_run.wait(3s)) return false;
    reached = wait_for_state(k_state_on, k_state_queries, true);
    if (!settled(reached, "[4][4]")) return false;
    if (!command(k_command_camera_disk_off)) return fail(reached == Reached::by_sixth_failure ? "[3][2]" : "[3][4]");
    return true;
  }

  // 0x5580: it installs with its disk on and turns the disk off when done;
  // then one more off/on cycle.
  bool install_cycle() {
    if (!m_run.wait(30s)) return false;
    platform::system_log(platform::format("wait check update complete %d", 0));
    if (!settled(wait_for_state(k_state_off, k_install_state_queries, false, true), "[5][1]",
                 Reason::camera_update_failed)) {
      return false;
    }
    if (!command(k_command_camera_disk_off)) return fail("[5][0]");
    if (!m_run.wait(10s)) return false;
    if (!state_or_fail(k_state_off, k_state_queries, false, "[5][3]")) return false;
    if (!command(k_command_camera_disk_on)) return fail("[5][2]");
    return true;
  }

  // 9: removes the transfer and the firmware file after a copy that failed
  // its check; false (with the status set) when one cannot be removed.
  bool clean_up(const fs::path& transfer, const fs::path& firmware) {
    if (platform::file_exists(transfer) && !platform::remove_file(transfer)) return fail("[2][9]");
    if (platform::file_exists(firmware) && !platform::remove_file(firmware)) return fail("[2][10]");
    return true;
  }

  bool same_version(const std::string& disk) const {
    const device_data::CameraVersion held = read_camera_version(on(disk, m_names.version_file));
    return FEXOBluetoothDeviceData::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(
               held.major, held.minor, m_part.version.major, m_part.version.minor) == 0;
  }

  static fs::path on(const std::string& disk, const char* name) { return fs::path(disk + name); }

  bool command(unsigned char command) {
    hid_cmd_report request{};
    request[0] = k_hid_report_id;
    request[1] = command;
    hid_status_report reply{};
    return hid_long_command(k_slot, request, reply) == 1;
  }

  // Asks the disk state until it is `wanted`, a second between queries, at
  // most `limit` queries. Under the sixth-failure rule a failed query at count
  // 5 counts as the state reached.
  Reached wait_for_state(std::uint8_t wanted, int limit, bool sixth_failure_rule, bool log_count = false) {
    for (int count = 0; count < limit;) {
      hid_cmd_report request{};
      request[0] = k_hid_report_id;
      request[1] = k_command_camera_disk_state;
      hid_status_report reply{};
      const bool answered = hid_long_command(k_slot, request, reply) == 1;
      if (answered && reply[k_state_at] == wanted) return Reached::yes;
      if (!answered && sixth_failure_rule && count == k_sixth_query) return Reached::by_sixth_failure;
      if (!m_run.wait(1s)) return Reached::stopped;
      ++count;
      if (log_count) platform::system_log(platform::format("wait check update complete %d", count));
    }
    return Reached::no;
  }

  // True when the state was reached; else the failure `code` (none when stopped).
  bool settled(Reached reached, const char* code, Reason reason = Reason::cannot_get_status) {
    if (reached == Reached::yes || reached == Reached::by_sixth_failure) return true;
    if (reached == Reached::no) fail(code, reason);
    return false;
  }

  bool state_or_fail(std::uint8_t wanted, int limit, bool sixth_failure_rule, const char* code) {
    return settled(wait_for_state(wanted, limit, sixth_failure_rule), code);
  }

  // "<failure prefix>. <reason> <code>. Try again."; always false.
  bool fail(const char* code, Reason reason = Reason::cannot_get_status) {
    platform::system_log(std::string("camera firmware copy failed ") + code);
    const auto reason_in = reason == Reason::camera_update_failed ? CommonTexts::vyla_string_camera_update_fail_in
                                                                   : UpdateTexts::vyla_string_cannot_get_status_in;
    m_run.show_failure(reason_tag_try_again(reason_in, code));
    return false;
  }

  UpdateRun& m_run;
  CameraDiskNames m_names;
  CameraPart m_part;
};

}  // namespace

bool camera_disk_copy(UpdateRun& run) { return CameraDiskCopy(run).run(); }

}  // namespace update::families
