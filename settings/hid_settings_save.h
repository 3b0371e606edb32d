#pragma once
// The settings page's save to the HID products: the working copy's settings
// words go into the device's settings blocks over the HID command channel,
// after the device was found to be the recognized one (product id, firmware
// version, and for some families its normal mode). Which blocks, in which order
// and with which words follows the product's settings-block layout
// (device_data/settings_block_table.h), the same description the recognition
// read and the restore's write walk. Its group names what the save checks first:
//
//   A  two-module products: versions of both modules; settings words to module 2 (slot 1)
//   B  the mesh channel products: version (module 1); mesh channel (and volume) blocks
//   C  the language-pack products: words 0-2 in one language-pack exchange
//   D  QCC settings words 0 and 1 in block 0x36 (mode query for some)
//   E  QCC with three words in block 0x36: mode
//   F  QCC with VOX block 0x17: mode; the VOX write's commit names block 0x14
//   G  QCC packed word and word 1 in block 0x36: mode
//   H  four settings words in block 0x04: version
//   I  the mesh headsets: version (module 1); block 0x04, 2 to 5 words by product and firmware
//   J  the settings-block family, sub-groups J1 to J6: version; the packed words
//      to block 0x04, VOX, smart-volume and camera blocks by sub-group
//
// Writes are command 0x04 (block, word count, words most significant byte
// first); a commit is command 0x11 naming a block in the frame of the write
// before it, its words converted a second time (settings/hid_save_frames.h).
// A refused write ends the save
// with code 8 and nothing after it is sent; blocks written before it stay
// written. Commit results are not looked at. No step sleeps: every wait is the
// channel's own, on platform::Clock. Qt-free; runs on the save worker's thread.
#include <cstdint>
#include <optional>

#include "device_data/settings_block_table.h"
#include "settings/save_engine.h"

namespace settings {

using HidSaveGroup = device_data::SaveGroup;

// The group of `product_id`'s settings-block layout; nullopt for a product
// saved otherwise (the persistent-store products) or not at all.
std::optional<HidSaveGroup> hid_save_group(int product_id);

// The whole HID save of the settings page: closes both slots, opens the
// attached device into slot 0, checks that it is the recognized product
// (`usbStatus`), writes the group of `deviceTarget` and closes both slots.
// Returns 0, 8 (refused write, or the device is not in its normal mode) or 9
// (nothing opened, another device, other firmware; also a product without a
// group).
int save_settings_over_hid(const SaveCopies& copies);

// The group step alone, on whatever the transport holds: slot 0 (and slot 1
// for group A, module 2). `opened_product_id` is what the open reported (it
// names the device in the log lines). Version check or mode query, then the
// writes. Returns 0, 8 or 9 as save_settings_over_hid does; nothing is sent
// for a product without a group (9).
int write_hid_settings(std::uint32_t opened_product_id, const SaveCopies& copies);

}  // namespace settings
