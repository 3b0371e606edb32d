#pragma once
// The products whose Bluetooth or mesh part is an Airoha chip take their
// firmware blocks over the language-pack channel
// (update/families/airoha_block_transfer.h). Three procedures:
// - Airoha (update family airoha): every block of table B in
//   turn, the device restarting after each; a version-checked block whose
//   versions the device holds already is skipped;
// - mesh Airoha (update family airoha_mesh): the module-1 version must be the one
//   recognition read; the device goes into its mesh download mode (0x50), its
//   Airoha part (0x3220) takes block entry 2, then the Bluetooth module takes
//   entries 0 and 1 as HID sections and, when one of them is the loader
//   (block number 0), starts its loader (0x08);
// - two-chip (update family two_chip): the same version check, the mesh chip (0x3220
//   beside the device) takes block entry 1, then the device is checked and
//   the package loaded again and the QCC chip takes the image of section
//   entry 0 (update/families/qcc_image_transfer.h).
// The mesh procedures send their Airoha block whatever versions it holds.
//
// update_error_code: k_update_error_device when the opened device is not the
// attached one (usbStatus) or its module-1 version differs from the record's;
// k_update_error_firmware when the package is refused ("Firmware corrupted" and
// the checker's other reasons, also when an entry the procedure reads is not
// whole inside the file); k_update_error_generic with "Cannot get status" and
// the step's code for every failure of the device work ("[1][ai][3]_Write CRC
// Check Fail", "[7]", "[B][2]", ...), a part not found in 20 tries ("Cannot get
// status. Try again.[8]" or "[27]"), and a device not back 300 s after a
// restart.
#include "update/update_engine.h"

namespace update::families {

// The 0x68xx procedure.
Exit airoha_update(UpdateRun& run);
// The mesh Airoha procedure.
Exit airoha_mesh_update(UpdateRun& run);
// The two-chip mesh and Bluetooth procedure.
Exit two_chip_update(UpdateRun& run);

}  // namespace update::families
