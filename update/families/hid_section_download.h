#pragma once
// The newer HID headsets and intercoms take their firmware package section
// by section over the HID command channel (update/families/section_transfer.h):
// the device is opened and checked against the attached one and against the
// version recognition read, the package is loaded and checked, the backup
// archive is written, the sections go, the device's loader is started and the
// device is waited for until it is back on USB.
//
// Two groups of products, by the catalogue's update_family:
// - download-mode entry: command 0x0E first, then the device is closed and
//   opened again after 3 s;
// - direct: the version query first. Within it the cameras
//   (camera_part_to_disk) copy their camera firmware to their disk before the
//   sections and send only sections 0 and 1 over HID; section_download_end
//   says which products never show the button notice and which of those also
//   skip the readiness wait, and section_download_language which have their
//   voice-prompt language written after the sections.
//
// update_error_code: k_update_error_device when the opened device is not the
// attached one (usbStatus) or its version differs from the record's;
// k_update_error_firmware when the package is refused ("Firmware corrupted" and
// the checker's other reasons); k_update_error_generic with "Cannot get status"
// when an exchange of the sections or the loader start fails, the device never
// gets ready (120 s) or never comes back (300 s).
#include "update/update_engine.h"

namespace update::families {

// The download-mode entry group.
Exit hid_section_download_after_download_mode(UpdateRun& run);
// The direct group.
Exit hid_section_download(UpdateRun& run);
// The direct group with `camera_copy` in place of the camera disk copy of
// update/families/camera_disk_copy.h (true: the camera part is in place).
Exit hid_section_download_with_camera_copy(UpdateRun& run, bool (*camera_copy)(UpdateRun& run));

}  // namespace update::families
