#pragma once
// Texts of the recognition page and of its worker's results, in the 13
// interface languages (a language without its own text gets English).
#include <optional>
#include <string>
#include <string_view>

class DeviceRecognitionTexts {
 public:
  // Localized form of the transport's English open message: "Firmware
  // management mode" and "Device recognized successfully" have texts; any
  // other message gives none.
  static std::optional<std::string> vyla_string_for_status_in(std::string_view message, int language);
  // "Cannot restore <setting>" for the persistent-store key that failed, named
  // from the setting-name table (strings/setting_names.h); a key without a
  // name leaves the label empty.
  static std::string vyla_string_cannot_restore_in(int key, int language);
  // "<step>. Press the [Next >] button." with the localized word for Next.
  static std::string stringInstructionPressNextButtonAt_in(int step, int language);
  // The two-step instruction shown while the device is in normal mode.
  static std::string stringInstructionNormalActivated_in(int language);
  // The page's instruction text.
  static std::string stringInstruction_in(int language);
  // Format with one "%@" for the selected product's display name.
  static std::string stringMessageDeviceOtherThan_in(int language);
  // Format with two "%@" for the application title.
  static std::string stringMessageRestartingManager_in(int language);
};
