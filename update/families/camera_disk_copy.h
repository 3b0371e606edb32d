#pragma once
// The camera part of the five action cameras (0x5510 0x5580 0x5570 0x5576
// 0x3060): their camera firmware, entry 2 of the package's block table, is
// copied onto the camera's own disk before the HID sections go. The copy
// itself is not carried by this build: it ends where its first step, switching
// the camera's disk on, is answered with a failure.
#include "update/update_engine.h"

namespace update::families {

// The block-table entry that holds the camera firmware.
inline constexpr int k_camera_part_entry = 2;

// True: the camera part is in place and the HID sections follow. False: the
// status "<failure prefix>. Cannot get status [1][0]. Try again." is set,
// update_error_code stays 1, and the procedure leaves by close-and-finish.
bool camera_disk_copy(UpdateRun& run);

}  // namespace update::families
