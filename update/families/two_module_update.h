#pragma once
// The headsets with two Bluetooth modules take their firmware module by
// module over the HID command channel: module 1 answers on HID slot 0, module
// 2 on slot 1. Both modules must still show the versions recognition read
// (the record's sets 01 and 02); the package is loaded and checked, the backup
// archive is written, each section goes to the module it names with the
// section transfer (update/families/section_transfer.h), the loader of each
// module that received its loader section is started (0x08, slot 0 first),
// and the device is waited for until it is back on USB.
//
// - The dual-module procedure (update family dual_module) takes its sections
//   from the package's block table, routed
//   by block number.
// - The LM6 procedure (0x4210) takes them from the section table, routed by
//   target module, and first asks module 1 for its sub-model (block 0x05): the
//   ZOD variant takes no firmware whose file name tells a version older than
//   1.7 secondary 5.
// Routing, by block number or target module alike: 0 module 1 (its loader is
// started), 1 module 2 (its loader is started), 2 module 1, any other module 2.
//
// The manager opens only module 1 (slot 0): while slot 1 holds no device the
// module-2 check refuses the device, and nothing is ever sent to an empty slot.
//
// update_error_code: k_update_error_device with "Not the recognized device"
// when the opened device is not the attached one (usbStatus), slot 1 holds no
// device, or a module's version differs from the record's (a module that does
// not answer counts as 1.0); k_update_error_firmware when the package is
// refused ("Firmware corrupted" and the checker's other reasons, also when an
// entry to be sent does not lie whole inside the file); k_update_error_generic
// with "Cannot get status" when a section exchange or a loader start fails or
// the device is not back 300 s after it; k_update_error_generic with the LM6
// ZOD text alone when the ZOD variant refuses the firmware.
#include "update/update_engine.h"

namespace update::families {

// The dual-module procedure.
Exit dual_module_update(UpdateRun& run);
// The LM6 procedure.
Exit lm6_update(UpdateRun& run);

}  // namespace update::families
