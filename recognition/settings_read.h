#pragma once
// Reading a recognized HID device's address and settings blocks into the
// controller's device record, so the settings pages show what the device holds.
// The product's settings-block layout says which blocks it reads and how their words are stored;
// a failed read never stops the others, it stores the row's failure default
// instead (or leaves the field as it was where the row names none).
#include <cstdint>
#include <optional>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "recognition/settings_blocks.h"
#include "session/app_state.h"

namespace recognition {

// Reads, for product `product_id`: the device address (and the LM6 sub-model
// code), the mesh channel blocks, the settings words and their on/off fields,
// the FM block and the speed dials, into `controller`'s record; the speaker
// type of the mesh 0x32 family goes to the controller. `backup` is the record
// a restore handed to the worker (its version gates one family's reads).
void read_settings(SettingsBlocks& blocks, std::uint32_t product_id, session::AppState& controller,
                   const std::optional<FEXOBluetoothDeviceData>& backup);

// The on/off settings of a packed settings word and the bits a family's
// firmware uses (device_data/settings_block_table.h).
using device_data::OnOffField;
using enum device_data::OnOffField;
using device_data::UnpackLayout;

// The on/off fields (OnOffField bits) `word` carries in `layout`; a field the
// layout does not name is off.
std::uint32_t unpack_settings_word(std::uint16_t word, const UnpackLayout& layout);

// Stores `fields` (OnOffField bits) into the record's on/off settings, in the
// device's order; automatic gain control is always off.
void store_on_off_fields(FEXOBluetoothDeviceData& record, std::uint32_t fields);

}  // namespace recognition
