#pragma once
// How the settings page (page mode 7) saves: its result codes and their
// reason texts, the codes that discard the edits, and the write procedure
// chosen by the selected product. The HID products write settings blocks
// (settings/hid_settings_save.h); every other product is a BlueCore device
// whose changed settings go into its persistent-store keys
// (settings/bluecore_settings_save.h). Qt-free.
#include <string>

#include "settings/save_engine.h"

namespace settings {

// Result codes of the settings page's save (rcThreadSave).
enum SettingsSaveCode : int {
  k_settings_save_success = k_save_success,
  k_settings_save_cannot_open_usb = 1,       // the BlueCore device could not be opened
  k_settings_save_firmware_management = 2,   // the BlueCore device is in firmware-management mode
  k_settings_save_intercom_vox_refused = 3,  // persistent-store key 664
  k_settings_save_phone_vox_refused = 4,     // key 665
  k_settings_save_edr_refused = 5,           // key 239
  k_settings_save_rtg_refused = 6,           // key 684
  k_settings_save_act_refused = 7,           // key 682
  // key 654, a refused HID settings write, or a device that is not in its
  // normal mode (mode query failed or answered another mode)
  k_settings_save_device_setting_refused = 8,
  // not the recognized device: the open failed, another product id, other firmware
  k_settings_save_not_recognized_device = 9,
};

// The reason `code` gives in `language`: "Cannot open USB", "Firmware
// management mode", "Not the recognized device", or "Cannot save <setting>"
// with the setting of the code's persistent-store key ("Device Setting" for 8).
std::string settings_save_reason(int code, int language);

// The settings page's rules: its procedure, reasons, and the discarding codes 1, 2 and 9.
SaveRules settings_page_save_rules();

// The worker body of the settings page: closes the HID slots whatever an
// earlier operation left open, then runs the write procedure of the selected
// product (its HID group, else the BlueCore save).
int threadMethodSave(const SaveCopies& copies);

}  // namespace settings
