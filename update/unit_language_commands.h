#pragma once
// The voice-prompt language of a unit: language names and firmware image
// suffixes turned into device codes, and the write of a unit language code
// into the unit-configuration block (block 0x04, word 3, bits 0-4 of its low
// byte) over the HID command channel. Class operations of the update page
// (UpdateViewController derives from this class); Qt-free, so the update
// worker calls them on its own thread.
#include <string>

class UnitLanguageCommands {
 public:
  // Writes code `code` (its low five bits) into the unit-configuration block
  // of the device in HID slot `slot`: reads block 0x04, patches word 3 and
  // writes the block back; a block read with two words is written back with
  // four, bit 0x20 marking the four-word form. False, with "read fail", "size
  // error" or "write error" logged, when it could not.
  static bool bt_set_unit_language_with(int slot, int code);
  // The same for the products whose language packs share codes (0x3310,
  // 0x3320, 0x3330).
  static bool bt_set_unit_language_qorlan_with(int slot, int code);

  // Unit language code of an English language name ("French" 1 .. "Finnish"
  // 10); 0 for any other name.
  static int UnitLanguageCodeFromString(const std::string& name);
  // The same for the shared-code products: 20 names, codes 1 to 11 ("Danish"
  // is 1 as "French" is: the device's language pack tells them apart).
  static int UnitLanguageCodeFromStringForQorlan(const std::string& name);
  // Language index of a firmware image's two-letter suffix ("fr" 1 .. "fn"
  // 10); 0 for any other suffix.
  static int GetLanguageCodeFromIMGFileNmae(const std::string& suffix);
  // Parameter of the set-language command 0x59 for an image language index
  // (1 to 10); 0 for any other index.
  static int LanguageCodeFromString(int index);
};
