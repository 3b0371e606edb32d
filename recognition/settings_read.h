#pragma once
// Reading a recognized HID device's address and settings blocks into the
// controller's device record, so the settings pages show what the device holds.
// Each product's row says which blocks it reads and how their words are stored;
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

// The on/off settings that a packed settings word carries, one bit each.
enum OnOffField : std::uint32_t {
  k_handsfree_vox = 1u << 0,
  k_intercom_vox = 1u << 1,
  k_edr = 1u << 2,
  k_voice_prompt = 1u << 3,
  k_plc = 1u << 4,
  k_bitpool_rate = 1u << 5,
  k_microphone_boost = 1u << 6,
  k_sidetone = 1u << 8,
  k_ambient_hush_control = 1u << 9,
  k_audio_boost = 1u << 10,
  k_hd_intercom = 1u << 11,
  k_fm_station_guide = 1u << 12,
  k_hd_voice = 1u << 13,
  k_audio_source_priority = 1u << 14,
  k_audio_veneer = 1u << 15,
  k_smart_navi_system = 1u << 16,
  k_auto_on_off = 1u << 17,
  k_auto_start_recording = 1u << 18,
};

// Which bits of a packed settings word a family's firmware uses. The direct
// bits stand for the field of the same bit (bit 0 hands-free VOX ... bit 15
// Audio Veneer); the navigation layouts use bit 13 for smart navigation, and
// the automatic one bits 14 and 15 for automatic on/off and Audio Veneer.
struct UnpackLayout {
  std::uint16_t direct_bits = 0xFF7F;
  bool navigation = false;
  bool automatic_on_off = false;
};

// The on/off fields (OnOffField bits) `word` carries in `layout`; a field the
// layout does not name is off.
std::uint32_t unpack_settings_word(std::uint16_t word, const UnpackLayout& layout);

// Stores `fields` (OnOffField bits) into the record's on/off settings, in the
// device's order; automatic gain control is always off.
void store_on_off_fields(FEXOBluetoothDeviceData& record, std::uint32_t fields);

}  // namespace recognition
