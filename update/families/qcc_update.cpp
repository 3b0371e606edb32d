#include "update/families/qcc_update.h"

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"
#include "session/message_box.h"
#include "strings/common_texts.h"
#include "transport/firmware_package.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"
#include "update/backup_step.h"
#include "update/families/hid_update_steps.h"
#include "update/families/qcc_image_transfer.h"
#include "update/package_entries.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;

constexpr int k_slot = 0;
using transport::k_hid_report_id;
using transport::k_command_status;
using transport::k_command_readiness;
using transport::k_command_qcc_mesh_mode;
using transport::k_command_normal_mode;
using transport::k_command_mode;
constexpr unsigned char k_command_update_mode = 0x13;
// Reply byte 3: the readiness flag, or the mode ("rV").
constexpr std::size_t k_reply_data_at = 3;

// addUpdateProcessed while the device works: the progress group's target or phase.
constexpr int k_phase_device_work = 4;

// Section entries of table A: the Bluetooth image, and the mesh products' mesh image.
constexpr std::int64_t k_bluetooth_entry = 0;
constexpr std::int64_t k_mesh_entry = 1;

// The device restarts into its update mode, or into its mesh download mode.
constexpr std::chrono::milliseconds k_mode_switch_settle = 2s;
// The mesh unit is looked for again after this.
constexpr std::chrono::milliseconds k_mesh_search_pause = 1s;
// A failed readiness exchange is tried again after this.
constexpr std::chrono::milliseconds k_readiness_retry = 100ms;
// A device not ready, or not in its mode, after this never will be: the user has gone.
constexpr std::chrono::milliseconds k_button_wait_limit = 120s;
// The mesh unit shows itself within 20 tries a second apart, or never.
constexpr int k_mesh_search_tries = 20;
// The mesh unit writes its image before it restarts.
constexpr std::chrono::milliseconds k_mesh_loader_settle = 5s;

class QccProcedure {
 public:
  explicit QccProcedure(UpdateRun& run) : m_run(run), m_report(run.report()) {}

  Exit qcc() {
    const bool button_set = device_data::product_facts(m_run.product()).qcc_update_holds_buttons;
    const transport::OpenDeviceGuard device;
    if (!open_and_prepare({k_bluetooth_entry})) return Exit::close_and_finish;

    // the user holds the device's button until it is ready for its update
    if (button_set) {
      if (!m_report.openedMessageBox()) show_button_notice(m_run, session::message_box_first_button);
      if (!wait_until_ready()) return stopped_or(Exit::close_and_finish, "[B][00]");
      if (m_report.openedMessageBox()) m_run.close_notice();
    }

    // enter update mode: the device restarts with its product id
    if (!exchange(k_command_update_mode)) return failed("[B][00]");
    if (!reopen_after_restart(m_run, k_mode_switch_settle)) return stopped_or(Exit::finish, "[B][9]");

    // write
    if (const std::optional<Exit> exit = qcc_image_transfer(m_run, entry(k_bluetooth_entry))) return *exit;

    // the user switches the device off and on, or holds two buttons, until it is in its mode again
    if (button_set) {
      if (!m_report.openedMessageBox()) show_button_notice(m_run, session::message_box_second_button);
      if (!wait_for_mode()) return stopped_or(Exit::close_and_finish, "[B][7]");
      if (m_report.openedMessageBox()) m_run.close_notice();
    }
    return succeed();
  }

  Exit mesh() {
    const transport::OpenDeviceGuard device;
    if (!open_and_prepare({k_bluetooth_entry, k_mesh_entry})) return Exit::close_and_finish;

    // the device must be in its normal mode before anything changes
    if (device_data::product_facts(m_run.product()).qcc_mesh_update_probes_mode) {
      if (!exchange(k_command_mode)) return failed("[01][qm]");
      log_mode();
      if (m_reply[k_reply_data_at] != 0) return failed("[02][qm]");
    }

    // enter mesh download mode: the mesh unit takes the device's place
    if (!exchange(k_command_qcc_mesh_mode)) return failed("[1][50]");
    hid_close_all();
    if (!m_run.wait(k_mode_switch_settle)) return Exit::close_and_finish;
    switch (find_mesh_unit(false)) {
      case Search::found: break;
      case Search::not_found: return failed("[4]");
      case Search::stopped: return Exit::close_and_finish;
    }

    // write the mesh image; a device that does not take the no-operation still takes the image
    hid_short_report short_report{};
    short_report[0] = k_hid_report_id;
    short_report[1] = k_command_status;
    hid_short_report short_reply{};
    if (hid_short_command(k_slot, short_report, short_reply) != 1) platform::system_log("QCC COMMAND_NOP Fail");
    if (const std::optional<ImageStep> step = send_image_frames(short_report, entry(k_mesh_entry))) {
      return failed(image_step_tag(ImageTag::mesh, *step));
    }

    // the mesh unit restarts, then hands back to the main unit
    hid_close_all();
    if (!m_run.wait(k_mesh_loader_settle)) return Exit::close_and_finish;
    switch (find_mesh_unit(true)) {
      case Search::found: break;
      case Search::not_found: return failed("[M][5]");
      case Search::stopped: return Exit::close_and_finish;
    }
    if (hid_open_device(m_run.opened_product_id(), m_run.message()) != 0) {
      m_run.fail(k_update_error_device, [](int language) {
        return CommonTexts::vyla_string_not_recognized_device_in(language) + "[M][6]";
      });
      return Exit::close_and_finish;
    }
    if (!exchange(k_command_normal_mode)) return failed("[M][7]");

    // write the Bluetooth image
    if (const std::optional<Exit> exit = qcc_image_transfer(m_run, entry(k_bluetooth_entry))) return *exit;
    return succeed();
  }

 private:
  enum class Search { found, not_found, stopped };

  // Opening, package and preparation: the attached device in slot 0, the
  // package loaded with `entries` of table A whole inside it, the backup
  // archive written and the progress fields of the device work set.
  bool open_and_prepare(std::initializer_list<std::int64_t> entries) {
    hid_close_all();
    if (!open_attached_device(m_run) || !load_package(m_run)) return false;
    // the checker looks at table A only for a few products; these images come from it
    if (!check_package_entries(m_run, transport::PackageTable::sections, 0, entries)) return false;
    if (!backup_before_flashing(m_run)) return false;
    start_device_work(m_run, k_phase_device_work);
    return true;
  }

  // The data of a table-A entry; checked when the package was loaded.
  std::span<const std::uint8_t> entry(std::int64_t index) {
    const std::span<const std::uint8_t> package(m_run.package().get(), m_run.package_bytes());
    return transport::package_entry(package, transport::PackageTable::sections, index).value().data;
  }

  // One long command with its arguments cleared; the reply stays in m_reply.
  bool exchange(unsigned char command) {
    std::fill(m_request.begin() + 2, m_request.end(), 0);
    m_request[0] = k_hid_report_id;
    m_request[1] = command;
    return hid_long_command(k_slot, m_request, m_reply) == 1;
  }

  void log_mode() { platform::system_log(platform::format("rV = [%d]", m_reply[k_reply_data_at])); }

  // Asks the device until it says it is ready: a second between answers
  // "not yet", a tenth of one after a failed exchange, at most 120 s.
  bool wait_until_ready() {
    return ask_until_set(
        m_run,
        [this]() -> std::optional<std::uint8_t> {
          if (!exchange(k_command_readiness)) return std::nullopt;
          return m_reply[k_reply_data_at];
        },
        k_readiness_retry, k_button_wait_limit, "readiness");
  }

  // Probes the mode once a second until it is not 0, at most 120 s; a failed
  // probe ends the wait at once.
  bool wait_for_mode() {
    return ask_until_set(
        m_run,
        [this]() -> std::optional<std::uint8_t> {
          if (!exchange(k_command_mode)) return std::nullopt;
          log_mode();
          return m_reply[k_reply_data_at];
        },
        std::nullopt, k_button_wait_limit, "mode probe");
  }

  // Up to 20 tries of hid_open_mesh_qcc, the first at once, a second apart.
  // The first search keeps the mesh unit open in slot 0; the second only
  // looks and closes it again.
  Search find_mesh_unit(bool close_after) {
    for (int attempt = 0; attempt < k_mesh_search_tries; ++attempt) {
      std::uint32_t product = 0;
      const bool found = hid_open_mesh_qcc(product, m_run.message()) == 0;
      if (close_after || !found) hid_close_all();
      if (found) return Search::found;
      if (!m_run.wait(k_mesh_search_pause)) return Search::stopped;
    }
    platform::system_log("mesh unit not found in 20 tries");
    return Search::not_found;
  }

  Exit failed(const std::string& code) {
    show_cannot_get_status(m_run, code);
    return Exit::close_and_finish;
  }

  // A wait that ended: by a stop request (the status stands), or with `code`.
  Exit stopped_or(Exit exit, const std::string& code) {
    if (m_run.stopping()) return Exit::close_and_finish;
    show_cannot_get_status(m_run, code);
    return exit;
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

Exit qcc_update(UpdateRun& run) { return QccProcedure(run).qcc(); }

Exit qcc_mesh_update(UpdateRun& run) { return QccProcedure(run).mesh(); }

}  // namespace update::families
