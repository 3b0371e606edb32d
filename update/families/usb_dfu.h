#pragma once
// The BlueCore models take their firmware as a USB DFU 1.1 download: every
// product the dispatch sends nowhere else, and the download-mode products once
// command 0x0E has sent them into their download mode
// (update/families/download_mode.h). In the device's order:
//   identity check    the device is checked over its persistent store against
//                     the record recognition filled: the download-mode products
//                     and a device recognized in firmware-management mode are
//                     first waited for (20 s) in their download or
//                     firmware-management mode, every other model is taken in
//                     its normal mode as recognition found it;
//   image check       the DFU image: its CRC and the model tag "<name>#<id>",
//                     with the substitute tags some models accept (the camera
//                     0x3020 splits its package first, update/families/camera_split.h);
//   backup            the backup archive (none for a device already in
//                     firmware-management mode);
//   key clearing      some persistent-store keys of the older models are cleared;
//   detach            the device is detached into DFU mode (a device already
//                     there goes straight to the download);
//   re-enumeration    waited for one round a second, at most 301 rounds;
//   download          the image goes block by block (1023 bytes), the device's
//                     manifestation is waited out (at most 300 s) and the empty
//                     block ends the download;
//   return            the device is waited for until it is back in normal mode.
// Product 0x5310 flashes both its USB devices, each over half of the range.
//
// update_error_code: k_update_error_device when the attached device is not the
// recognized one (no download-mode device in 20 s, a device count other than 1,
// another id or version); k_update_error_firmware when the image is refused;
// k_update_error_restart when the device re-enumerates as 0xB020 (restart to
// recover); k_update_error_generic with the step's reason for every other
// failure. Every wait runs on platform::Clock and has a bound.
#include <cstdint>

#include "update/update_engine.h"

namespace update::families {

// The procedure, its manifestation slices drawn from a generator seeded with
// the clock's time.
Exit usb_dfu_update(UpdateRun& run);
// The same with the generator seeded with `manifest_seed`.
Exit usb_dfu_update_seeded(UpdateRun& run, std::uint32_t manifest_seed);
// The image check, then detach to return, for the first `target_count` (1 or
// 2) DFU devices on the bus, without the identity check and the backup: for a
// procedure whose devices are already known, and for tests of the two-target
// download.
Exit usb_dfu_update_from_detach(UpdateRun& run, int target_count, std::uint32_t manifest_seed);

}  // namespace update::families
