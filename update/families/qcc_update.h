#pragma once
// The products with a QCC Bluetooth chip take one firmware image over the HID
// command channel (update/families/qcc_image_transfer.h): the device is opened
// and checked against the attached one, the package is loaded and checked,
// the backup archive is written, then
// - the QCC procedure (update family qcc) restarts the device into its update
//   mode (0x13) and sends the image of section entry 0. The button set
//   (k_button_set in qcc_update.cpp) first shows the notice to hold the device's button
//   until the device says it is ready (0x0D), and after the image the notice
//   to switch it off and on or hold two buttons until its mode probe (0x12)
//   answers non-zero;
// - the mesh QCC procedure (update family qcc_mesh) switches the device
//   into its mesh download mode (0x0F), sends the mesh image of section entry
//   1 over the short reports to the mesh unit, waits for the mesh unit to
//   restart, brings the device back to normal mode (0x10) and sends the image
//   of section entry 0. The products with a mode probe must answer it with 0
//   before anything is changed.
// Neither compares the device's firmware version with the one recognition read.
//
// update_error_code: k_update_error_device when the opened device is not the
// attached one (usbStatus), or the device does not open after its mesh image
// ("[M][6]"); k_update_error_firmware when the package is refused ("Firmware
// corrupted" and the checker's other reasons, also when section entry 0, or 1
// for the mesh products, does not lie whole inside the file);
// k_update_error_generic with "Cannot get status" and the step's code
// ("[B][00]", "[4]", "[M][2]", ...) for every failure of the device work, a
// device that is not ready or not in its mode after 120 s, and a device not
// back 300 s after a restart.
#include "update/update_engine.h"

namespace update::families {

// The QCC procedure.
Exit qcc_update(UpdateRun& run);
// The mesh QCC procedure.
Exit qcc_mesh_update(UpdateRun& run);

}  // namespace update::families
