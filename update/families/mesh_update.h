#pragma once
// The intercoms with a mesh processor beside their Bluetooth module take both
// firmwares in one run over the HID command channel. The module (the attached
// device, slot 0) puts the mesh processor (product 0x3120) into its download
// mode (0x50); the mesh image goes to the processor in chunks of at most 58
// bytes, each confirmed by its CRC-16/XMODEM (0x5A) and the whole image by its
// running CRC (0x5B), at most six passes; processors older than 1.0 type 2
// secondary 1 take the image without CRCs. The module holds power (0x52)
// while the processor's loader runs (0x08), releases it (0x53) and brings the
// processor up again, which must show within 100 s. Then the module's blocks
// before the mesh image go with their loader, the module restarts, and the
// image language (0x59, from the file name's "_xx" suffix) and the unit's
// voice-prompt language are set. Only one device is open at a time, always in
// slot 0.
//
// - The mesh procedure (update family mesh): mesh image in block entry 2, or
//   in entry 1 on the products of k_mesh_image_in_entry_1 (mesh_update.cpp).
// - The mesh procedure with its camera and voice-processor parts (update
//   family mesh_with_voice_processor): mesh image in entry 2, iM501 image in
//   entry 3; on the cameras (k_camera_products in mesh_update.cpp) camera part in
//   entry 2, copied to the camera's disk first, mesh 3, iM501 4). The iM501
//   image goes to the mesh processor after it is back; no failure there stops
//   the update. Blocks 0 and 1 go to the module; no image language.
//
// update_error_code: k_update_error_device with "Not the recognized device"
// when the opened device is not the attached one (usbStatus) or its version
// differs from the record's set 01; k_update_error_firmware when the package is
// refused ("Firmware corrupted" and the checker's other reasons, also when an
// entry the product uses by its place does not lie whole inside the file or
// lies beyond the section count); k_update_error_generic with "Cannot get
// status" and the step's number ("[7]", "[10][1]", ...; with "Try again" where
// a device did not open), or a camera failure "[50][c][N]", or "Check your SD
// Card", for every failure of the device work.
#include "update/update_engine.h"

namespace update::families {

// The mesh procedure.
Exit mesh_update(UpdateRun& run);
// The mesh procedure with its camera and voice-processor parts.
Exit mesh_update_with_voice_processor(UpdateRun& run);

// The language index (0 none, 1 .. 10) a firmware file's name tells by the
// "_xx" or "-xx" in its last three characters before ".img".
int image_language_index(const std::string& firmware_file);

}  // namespace update::families
