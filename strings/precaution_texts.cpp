#include "strings/precaution_texts.h"

#include "strings/language_table.h"

using strings::LocalizedTexts;
using strings::pick;
using strings::texts_of;
using enum strings::Language;

std::string PrecautionTexts::stringPrecaution(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English,
                 "Fexo Bluetooth Device may have the Bluetooth function of MAC disabled and so, the Bluetooth "
                 "Keyboard and Mouse may not work. Are you using a Bluetooth Keyboard and Mouse without "
                 "alternative built-in or wired input device?"}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringMakeSafe(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "To keep the device safe from the Bluetooth keyboard and Mouse"}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringEnterPassword(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Enter current user's password."}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringConfirmPassword(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Confirm current user's password."}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringNote(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "NOTE: MAC may restart automatically."}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringShowPrecaution(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Show precaution at startup"}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringMore(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "More..."}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringErrorMessageEmptyPassword(int language) {
  static const LocalizedTexts k_texts = texts_of({{English,
                                                   "Empty password is not allowed!\n"
                                                   "Enter password again."}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringErrorMessageConfirmPassword(int language) {
  static const LocalizedTexts k_texts = texts_of({{English,
                                                   "Confirm Password is different!\n"
                                                   "Enter password again."}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringAboutDeviceConversionPrecaution(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English,
                 "Some Fexo Bluetooth Devices can cause problem in using built-in Bluetooth function of Mac. It "
                 "results in malfunction of Blutooth Keyboard and Mouse. Before managing these devices, it is "
                 "necessary to make them safe for using Bluetooth Keyboard and Mouse. The process is called the "
                 "'Activation'.\n"
                 "\n"
                 "Manager will activate the Fexo Bluetooth Device on Device Recognition if needed. To activate "
                 "the device, the current user's password is required. Please enter the current user's password "
                 "on the Precaution Page."}});
  return pick(k_texts, language);
}

std::string PrecautionTexts::stringAboutDeviceConversionNote(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English,
                 "NOTE:\n"
                 "1. The Administrator-level user is required to complete the process. If you are \n"
                 "    not an administrator-level user, you have to log off and log in with an\n"
                 "    administrator-level account. If you do not have an administrator-level account, \n"
                 "    please create one first.\n"
                 "2. Please be sure to enter the right password. In case of wrong password input,\n"
                 "    you may have to force your Mac to restart by pressing the power button.\n"
                 "3. During the process, Mac will restart automatically to apply the changes. \n"
                 "    Please save all your important data and close other applications before\n"
                 "    starting this process.\n"
                 "4. Before you perform force-restart, unplug the USB cable from your Mac and\n"
                 "    turn the device off.\n"}});
  return pick(k_texts, language);
}
