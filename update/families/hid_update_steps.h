#pragma once
// Steps the HID flashing procedures share: opening the attached device, the
// package and the progress fields before the device work, asking the device
// until it answers, waiting for it to come back after a restart, and the
// notice that tells the user what to do with the device's buttons.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "transport/hid_channel.h"
#include "update/update_engine.h"

namespace update::families {

// True when `product` stands in `products`.
bool listed(std::span<const int> products, int product);

// Opens the first supported device into slot 0 (hid_open_device) and checks
// it is the attached one (usbStatus). False, with k_update_error_device and
// "Not the recognized device" shown, otherwise.
bool open_attached_device(UpdateRun& run);

// A firmware version as the device record keeps it.
struct RecordedVersion {
  int major = 0;
  int minor = 0;
  int secondary_type = 0;
  int secondary = 0;
};

// Asks the device in `slot` for its version (command 0x01 through `report`,
// the procedure's report buffer, which gets bytes 0 and 1) and compares it
// with `recorded` by the full four-part rule: the device must be in the state
// recognition read. A device that does not answer counts as 1.0 type 0
// secondary 0. False, with k_update_error_device and "Not the recognized
// device" shown, when they differ.
bool device_version_matches(UpdateRun& run, int slot, hid_cmd_report& report, const RecordedVersion& recorded);

// Loads tfFirmwareFile's package for the selected product and checks it;
// addUpdateProcessed 1 whatever the result. False, with
// k_update_error_firmware and the checker's reason (for the product
// recognition read) shown, when it is refused.
bool load_package(UpdateRun& run);

// The report as the device work starts: addUpdateProcessed 2, the processing
// status, the timed step cleared, k_update_error_generic, then addUpdateProcessed
// `phase` with updateTimerProcessed 0.
void start_device_work(UpdateRun& run, int phase);

// The success ending of the HID procedures: k_update_error_none,
// addUpdateProcessed 99, a second's pause, then 100. A stop during the pause
// ends without the 100.
Exit end_with_success(UpdateRun& run);

// Asks the device with `ask` (the reply's byte 3, or nothing when the exchange
// failed) until the byte is not 0: again a second after each 0, and
// `retry_after_failure` after a failed exchange (nothing: a failed exchange
// ends the wait). True on such an answer; false when the exchange failed, no
// answer came within `limit`, or the worker was asked to stop. `what` names
// the wait in the log.
bool ask_until_set(UpdateRun& run, const std::function<std::optional<std::uint8_t>()>& ask,
                   std::optional<std::chrono::milliseconds> retry_after_failure, std::chrono::milliseconds limit,
                   const char* what);

// An open function of the HID channel (hid_open_device, hid_open_mesh_airoha, ...): 0 when opened into slot 0.
using HidOpen = int (*)(std::uint32_t& product_id, transport_message& message);

// The device restarts: `open` once a second, each try closed again, until it
// opens (the first try at once, or after a second with
// `first_after_a_second`), for at most 300 s. False when it did not come back
// or the worker was asked to stop. Slot 0 is empty after it.
bool wait_until_back(UpdateRun& run, bool first_after_a_second, HidOpen open = hid_open_device);

// The notice without buttons (MessageBoxPurpose::update_notice_other) asking
// the user to do with the device's buttons what `text` says for the selected
// product.
void show_button_notice(UpdateRun& run, std::optional<std::string> (*text)(int product, int language));

}  // namespace update::families
