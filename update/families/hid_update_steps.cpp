#include "update/families/hid_update_steps.h"

#include <algorithm>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/clock.h"
#include "platform/format.h"
#include "platform/log.h"
#include "session/message_box.h"
#include "strings/common_texts.h"
#include "strings/update_texts.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;

// A device answering "not yet" is asked again after this.
constexpr std::chrono::milliseconds k_ask_again = 1s;
constexpr std::chrono::milliseconds k_reboot_poll = 1s;
// A device that is not back after this has not survived its restart.
constexpr std::chrono::milliseconds k_reboot_limit = 300s;

using transport::k_hid_report_id;
using transport::k_command_version;
// Version reply: major, minor, secondary type and secondary from this byte.
constexpr std::size_t k_version_at = 3;

}  // namespace

bool listed(std::span<const int> products, int product) {
  return std::ranges::find(products, product) != products.end();
}

bool open_attached_device(UpdateRun& run) {
  std::uint32_t& opened = run.opened_product_id();
  if (hid_open_device(opened, run.message()) == 0 && static_cast<int>(opened) == run.usb_status()) return true;
  run.fail(k_update_error_device, CommonTexts::vyla_string_not_recognized_device_in);
  return false;
}

bool device_version_matches(UpdateRun& run, int slot, hid_cmd_report& report, const RecordedVersion& recorded) {
  report[0] = k_hid_report_id;
  report[1] = k_command_version;
  hid_status_report reply{};
  int version[4] = {1, 0, 0, 0};
  if (hid_long_command(slot, report, reply) == 1) {
    for (std::size_t part = 0; part < 4; ++part) version[part] = reply[k_version_at + part];
  }
  const int difference = FEXOBluetoothDeviceData::
      compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
          version[0], version[1], version[2], version[3], recorded.major, recorded.minor, recorded.secondary_type,
          recorded.secondary);
  if (difference == 0) return true;
  platform::system_log(platform::format("slot %d: device version %d.%d.%d.%d, recognition read %d.%d.%d.%d", slot,
                                        version[0], version[1], version[2], version[3], recorded.major,
                                        recorded.minor, recorded.secondary_type, recorded.secondary));
  run.fail(k_update_error_device, CommonTexts::vyla_string_not_recognized_device_in);
  return false;
}

bool load_package(UpdateRun& run) {
  const std::size_t size = run.load_verified_package(static_cast<std::uint32_t>(run.product()));
  run.report().setAddUpdateProcessed(1);
  if (size != 0) return true;
  const int recognized = run.record().deviceRecognized();
  run.fail(k_update_error_firmware, [&run, recognized](int language) {
    return UpdateTexts::checker_reason_in(transport::message_text(run.message()), recognized, language);
  });
  return false;
}

void start_device_work(UpdateRun& run, int phase) {
  UpdateReport& report = run.report();
  report.setAddUpdateProcessed(2);
  run.show_processing();
  report.setUpdateTimerProcessTime(0);
  report.setUpdateTimerPercentToProcess(0);
  report.setUpdateRestoreError(k_update_error_generic);
  report.setAddUpdateProcessed(phase);
  report.setUpdateTimerProcessed(0);
}

Exit end_with_success(UpdateRun& run) {
  UpdateReport& report = run.report();
  report.setUpdateRestoreError(k_update_error_none);
  report.setAddUpdateProcessed(99);
  if (!run.wait(1s)) return Exit::finish;
  report.setUpdateProcessed(k_update_succeeded);
  return Exit::finish;
}

bool ask_until_set(UpdateRun& run, const std::function<std::optional<std::uint8_t>()>& ask,
                   std::optional<std::chrono::milliseconds> retry_after_failure, std::chrono::milliseconds limit,
                   const char* what) {
  const auto started = platform::now();
  for (;;) {
    const std::optional<std::uint8_t> answer = ask();
    if (answer && *answer != 0) return true;
    if (!answer && !retry_after_failure) return false;
    const std::chrono::milliseconds pause = answer ? k_ask_again : *retry_after_failure;
    if (platform::now() - started + pause > limit) {
      platform::system_log(platform::format("%s: no answer after %d s", what,
                                            static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(limit).count())));
      return false;
    }
    if (!run.wait(pause)) return false;
  }
}

bool wait_until_back(UpdateRun& run, bool first_after_a_second, HidOpen open) {
  const auto started = platform::now();
  if (first_after_a_second && !run.wait(k_reboot_poll)) return false;
  for (;;) {
    std::uint32_t product = 0;
    transport_message message{};
    const bool back = open(product, message) == 0;
    hid_close_all();
    if (back) return true;
    if (platform::now() - started + k_reboot_poll > k_reboot_limit) {
      platform::system_log("device not back after 300 s");
      return false;
    }
    if (!run.wait(k_reboot_poll)) return false;
  }
}

void show_button_notice(UpdateRun& run, std::optional<std::string> (*text)(int product, int language)) {
  const int language = run.language();
  run.show_notice({text(run.product(), language).value_or(std::string()), true, std::nullopt, std::nullopt,
                   session::MessageBoxSize::w420_h115, session::MessageBoxPurpose::update_notice_other});
}

}  // namespace update::families
