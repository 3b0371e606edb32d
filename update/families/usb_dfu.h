#pragma once
// The BlueCore models take their firmware as a USB DFU 1.1 download: every
// product the dispatch sends nowhere else, and the download-mode products once
// command 0x0E has sent them into their download mode
// (update/families/download_mode.h). In the device's order:
//   B  the device is checked over its persistent store against the record
//      recognition filled: the download-mode products and a device recognized in
//      firmware-management mode are first waited for (20 s) in their download
//      or firmware-management mode, every other model is taken in its normal
//      mode as recognition found it;
//   C  the DFU image is checked: its CRC and the model tag "<name>#<id>",
//      with the substitute tags some models accept (the camera 0x3020 splits
//      its package first, update/families/camera_split.h);
//   D  the backup archive (none for a device already in firmware-management mode);
//   E  some persistent-store keys of the older models are cleared;
//   F  the device is detached into DFU mode (a device already there goes to H);
//   G  its re-enumeration is waited for, one round a second, at most 301 rounds;
//   H  the image goes block by block (1023 bytes), the device's manifestation
//      is waited out (at most 300 s) and the empty block ends the download;
//   I  the device is waited for until it is back in normal mode.
// Product 0x5310 flashes both its USB devices, each over half of the range.
//
// update_error_code: 2 when the attached device is not the recognized one
// (no download-mode device in 20 s, a device count other than 1, another id
// or version); 3 when
// the image is refused; 4 when the device re-enumerates as 0xB020 (restart to
// recover); 1 with the step's reason for every other failure. Every wait runs
// on platform::Clock and has a bound.
#include <cstdint>

#include "update/update_engine.h"

namespace update::families {

// The procedure, its manifestation slices drawn from a generator seeded with
// the clock's time.
Exit usb_dfu_update(UpdateRun& run);
// The same with the generator seeded with `manifest_seed`.
Exit usb_dfu_update_seeded(UpdateRun& run, std::uint32_t manifest_seed);
// Steps C, F to I for the first `target_count` (1 or 2) DFU devices on the bus,
// without the identity check and the backup: for a procedure whose devices
// are already known, and for tests of the two-target download.
Exit usb_dfu_update_from_detach(UpdateRun& run, int target_count, std::uint32_t manifest_seed);

}  // namespace update::families
