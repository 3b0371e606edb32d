#pragma once
// How the speed-dial page (page mode 9) saves its three numbers: the result
// codes and their reason texts, the codes that discard the edits, and the
// write procedure of each product family, chosen by the selected product's
// speed_dial_save column in the catalogue:
//
//   two_module        versions of both modules (slot 0, slot 1); blocks
//                     0x5A-0x5C on slot 0, word count 0 for an empty number
//   language_pack     the Airoha products with an FM radio: one language-pack
//                     frame per number (command 0x04, index 5-7, the number as
//                     UTF-8 text with its NUL)
//   low_blocks        blocks 0x37-0x39 (mode query first where the catalogue
//                     says so), word count at least 1
//   high_blocks       version check (module 1 or main set); blocks 0x5A-0x5C,
//                     word count at least 1
//   persistent_store  every other product: persistent-store keys 8832-8834,
//                     20 words each, on every open BlueCore device
//                     (settings/bluecore_settings_walk.h); the first refused
//                     key ends the save
//
// A number travels as 20 values, one character each, zero-padded; the word
// count is the number of characters (at most 20). All three numbers are sent
// on the HID paths even when one is refused, and any refusal gives code 3, so
// a number that did not go in is never reported as saved. Qt-free; the
// procedure runs on the save worker's thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device_data/save_families.h"
#include "settings/save_engine.h"

namespace settings {

// Result codes of the speed-dial page's save (rcThreadSave).
enum SpeedDialSaveCode : int {
  k_speed_dial_save_success = k_save_success,
  k_speed_dial_save_cannot_open_usb = 1,       // no BlueCore device could be opened
  k_speed_dial_save_firmware_management = 2,   // the BlueCore device is in firmware-management mode
  k_speed_dial_save_refused = 3,               // a write refused, or the device not in its normal mode
  k_speed_dial_save_not_recognized_device = 4, // the open failed, another product id, other firmware
};

// The procedure that saves the speed dials of `product_id`.
device_data::SpeedDialSave speed_dial_family(int product_id);

// The longest number a device takes, in characters.
inline constexpr int k_speed_dial_max_characters = 20;
// The characters a number may hold.
inline constexpr const char* k_speed_dial_characters = "0123456789+*#";
// True when `text` is a number the page accepts: at most 20 characters, each
// one of "0123456789+*#"; the empty text included.
bool is_speed_dial_text(const std::string& text);

// The 20 values of `number` as they travel (one character each, zero-padded)
// and the count of characters they carry (at most 20; 0 for none).
struct SpeedDialWords {
  std::vector<std::uint16_t> words;
  int characters = 0;
};
SpeedDialWords speed_dial_words(const std::optional<std::string>& number);

// "Cannot open USB", "Firmware management mode", "Not the recognized device"
// or "Cannot save Speed Dial Setting" in `language`.
std::string speed_dial_save_reason(int code, int language);

// The page's rules: its procedure, reasons and the discarding codes 1, 2 and 4.
SaveRules speed_dial_page_save_rules();

// The worker body: the procedure of the selected product's family.
int save_speed_dials(const SaveCopies& copies);

// The HID procedures' steps on whatever the transport holds (slot 0, and slot
// 1 for two_module): version or mode checks, then the three numbers. Returns
// 0, 3 or 4 as save_speed_dials does; persistent_store sends nothing here (4).
int write_speed_dials_over_hid(std::uint32_t opened_product_id, const SaveCopies& copies);

}  // namespace settings
