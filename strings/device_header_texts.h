#pragma once
// The two lines of the recognized-device header when it shows no device or a
// device in firmware-management mode, in the 13 interface languages.
#include <string>

namespace strings {

// "No device" / "recognized".
const std::string& header_no_device_name(int language);
const std::string& header_no_device_version(int language);
// "Firmware" / "Management".
const std::string& header_management_name(int language);
const std::string& header_management_version(int language);

}  // namespace strings
