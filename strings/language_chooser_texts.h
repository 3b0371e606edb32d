#pragma once
// What the language chooser and the button that opens it show in each of the
// 13 interface languages.
#include <string>

namespace strings {

// Title of the "apply to the firmware language" check box.
const std::string& apply_to_firmware_language_title(int language);
// Flag picture of the interface language (file name among the images).
const char* language_flag_image(int language);

}  // namespace strings
