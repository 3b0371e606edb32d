#pragma once
// Texts of the precaution page and of its device-conversion information. Every
// operation takes the interface language last; every language reads the English
// text until it has one of its own.
#include <string>

class PrecautionTexts {
 public:
  // The question the page asks: is a Bluetooth keyboard and mouse the only input at hand?
  static std::string stringPrecaution(int language);
  // Heading of the password area.
  static std::string stringMakeSafe(int language);
  // Label of the password field.
  static std::string stringEnterPassword(int language);
  // Label of the confirmation field.
  static std::string stringConfirmPassword(int language);
  // Note under the password area.
  static std::string stringNote(int language);
  // Title of the check box that keeps the page at start-up.
  static std::string stringShowPrecaution(int language);
  // Title of the button that opens the device-conversion information.
  static std::string stringMore(int language);
  // Refusal of an empty password.
  static std::string stringErrorMessageEmptyPassword(int language);
  // Refusal of a confirmation that differs from the password.
  static std::string stringErrorMessageConfirmPassword(int language);
  // What the device conversion is and why it needs the password.
  static std::string stringAboutDeviceConversionPrecaution(int language);
  // What the user must know before the conversion.
  static std::string stringAboutDeviceConversionNote(int language);
};
