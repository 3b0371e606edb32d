#include "update/families/download_mode.h"

#include <chrono>
#include <cstdint>

#include "platform/log.h"
#include "strings/common_texts.h"
#include "strings/status_texts.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"
#include "update/dispatch_table.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;

using transport::k_command_enter_download_mode;
Exit run_usb_dfu(UpdateRun& run) { return dispatch_row(device_data::UpdateFamily::usb_dfu).procedure(run); }

// The device reboots into its download mode; the bar shows where the wait stands.
bool wait_for_reboot(UpdateRun& run) {
  constexpr struct {
    int bar;
    std::chrono::milliseconds wait;
  } k_steps[] = {{1, 4s}, {2, 3s}, {3, 3s}};
  run.page().start_circular_progress();
  bool waited = true;
  for (const auto& step : k_steps) {
    run.report().setUpdateProcessed(step.bar);
    waited = run.wait(step.wait);
    if (!waited) break;
  }
  run.page().stop_circular_progress();
  return waited;
}

}  // namespace

Exit enter_download_mode(UpdateRun& run) {
  if (run.usb_status() >= strings::k_usb_firmware_management) {
    platform::system_log("+++DFU");
    return run_usb_dfu(run);
  }

  {
    const transport::OpenDeviceGuard device;
    // open the attached device
    std::uint32_t& opened = run.opened_product_id();
    if (hid_open_device(opened, run.message()) != 0 || static_cast<int>(opened) != run.usb_status()) {
      run.fail(k_update_error_device, CommonTexts::vyla_string_not_recognized_device_in);
      return Exit::close_and_finish;
    }
    // enter download mode; a device that refuses may still have gone
    hid_cmd_report request{};
    request[0] = transport::k_hid_report_id;
    request[1] = k_command_enter_download_mode;
    hid_status_report reply{};
    const bool entered = hid_long_command(0, request, reply) == 1;
    platform::system_log(entered ? "COMMAND_ENTER_DNLD_MODE OK" : "COMMAND_ENTER_DNLD_MODE FAIL");
  }

  // wait for the device to come back in its download mode
  run.set_dfu_product_id(run.product() + 1);
  if (!wait_for_reboot(run)) return Exit::close_and_finish;
  return run_usb_dfu(run);
}

}  // namespace update::families
