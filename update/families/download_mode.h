#pragma once
// Products 0x6020, 0x6022 and 0x6024 are flashed by the USB DFU procedure
// once HID command 0x0E has sent them into their download mode, where they
// show their product id plus one (0x6021, 0x6023, 0x6025).
#include "update/update_engine.h"

namespace update::families {

// Already in firmware-management mode (usbStatus 0x8000 or above): straight
// to the USB DFU procedure. Otherwise opens the device over HID (update_error_code
// 2 when none opens or it is not the attached one), sends 0x0E (a refusal is
// logged and the step goes on), closes HID, waits 4 + 3 + 3 s for the reboot
// with the bar at 1, 2, 3, then runs the USB DFU procedure for the id plus one.
Exit enter_download_mode(UpdateRun& run);

}  // namespace update::families
