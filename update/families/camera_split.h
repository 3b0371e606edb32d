#pragma once
// The camera 0x3020 carries two processors: a BlueCore Bluetooth part,
// flashed by the USB DFU procedure (update/families/usb_dfu.h), and a camera
// part that the camera installs from a file on its own disk. Its firmware
// package holds both: entry 0 of table A is the Bluetooth part's DFU image,
// entry 1 the camera part. The package is split into two files in the
// application folder before the DFU image is checked; once the Bluetooth part
// is flashed, the camera part goes to the camera disk, and the user confirms
// the end in a message box (MessageBoxPurpose::camera_copy_done).
#include <filesystem>
#include <optional>

#include "update/update_engine.h"

namespace update::families {

inline constexpr const char* k_camera_bluetooth_part_file = "__optra_dfu_bluetooth__.img";
inline constexpr const char* k_camera_part_file = "__optra_firmware__.bin";
inline constexpr const char* k_camera_part_on_disk = "ruj40_100.bin";

// Checks tfFirmwareFile's package as one for 0x3020 (product id, MD5 of each
// section, entries 0 and 1 inside the file), removes the split files of an
// earlier update and writes both parts anew. Returns the Bluetooth part's
// path; nothing with k_update_error_firmware and the reason shown ("Firmware
// corrupted" and the checker's other reasons; "Cannot create file" when a
// part cannot be written, so a stale part is never flashed).
std::optional<std::filesystem::path> split_camera_package(UpdateRun& run);

// updateOptraFirmware: moves the camera part onto the camera disk
// (getCameraDiskPath + "ruj40_100.bin"), by copy and remove, for the disk is
// another file system. False when it is not there afterwards (no camera disk,
// no camera part, a failed copy): the status then shows "Camera firmware update
// failed" as a warning, which stays for the rest of the update.
bool updateOptraFirmware(UpdateRun& run);

// The MessageBoxPurpose::camera_copy_done box asking the user to restart the
// camera; its OK ends the update as a success (endOptraUpdate).
void open_camera_end_box(UpdateRun& run);

}  // namespace update::families
