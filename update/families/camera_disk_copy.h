#pragma once
// The camera part of the action cameras (the catalogue's camera_part_to_disk):
// their camera firmware, entry 2 of the package's block table, is
// copied onto the camera's own disk before the HID sections go, and the
// camera installs it from there.
//
// Over HID slot 0 the camera switches its disk on (0x20) and off (0x21) and
// tells its state (0x22, reply byte 3: 1 on, 0 off). With the disk on, the
// disk is looked for among the mounted volumes (the controller's
// getCameraDiskPath); when its version file already shows the package's camera
// version nothing is copied. Otherwise the part is written under the camera's
// transfer name, moved to its firmware name, read back and checked (MD5, then
// size), and the disk is switched off, so the camera installs it, and on
// again, where the version file must now show the new version. The disk is
// off when the sections go. 0x5580 turns its disk off by itself once it has
// installed, and gets another off/on cycle.
//
// A state wait asks 0x22 once a second up to a limit. In most of them a failed
// sixth query (count 5) is taken as the state reached; a command that then
// fails has a code of its own.
//
// Failures: "<failure prefix>. Cannot get status [x][y]. Try again." (or
// "Camera firmware update failed" for [2][1], [2][2], [2][3] and [5][1]);
// "<failure prefix>. Check your SD Card" when the disk never appears first.
// update_error_code stays 1 and the procedure leaves by close-and-finish.
#include "update/update_engine.h"

namespace update::families {

// The block-table entry that holds the camera firmware.
inline constexpr int k_camera_part_entry = 2;

// True: the camera part is in place and the HID sections follow. False: the
// status is set (unless the worker was asked to stop), and the procedure
// leaves by close-and-finish.
bool camera_disk_copy(UpdateRun& run);

}  // namespace update::families
