#pragma once
// Texts of the message boxes the update engine shows while a device has to be
// brought into firmware-management mode or back, and of its backup notice, in
// the 13 interface languages. A "%@" stands for a button name or a product
// name the caller fills in.
#include <string>

namespace strings {

// "Press and hold the %@ until this message disappears."
const std::string& hold_button_text(int language);
// The same while the USB cable is unplugged and plugged back in.
const std::string& replug_holding_button_text(int language);
// "Press and hold the %@ and %@ until this message disappears."
const std::string& hold_two_buttons_text(int language);
// Unplug and plug back in, no button to hold.
const std::string& replug_text(int language);
// "Switch the %@ off and on again."
const std::string& switch_off_and_on_text(int language);
// The four steps that end a camera's firmware copy.
const std::string& camera_copy_steps_text(int language);
// No backup file could be made before an update: where to get the previous
// firmware, and which button goes on.
std::string backup_file_failed_text(int language);

}  // namespace strings
