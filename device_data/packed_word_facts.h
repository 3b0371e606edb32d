#pragma once
// Which on/off settings an older product packs into its 16-bit settings words
// (settings word 40 and its second word): a bit per setting or group.
#include <cstdint>

namespace device_data {

enum PackedWordBit : std::uint16_t {
  // bit 10 holds the audio boost; without it, auto gain control
  k_packs_audio_boost = 1u << 0,
  k_packs_hd_intercom = 1u << 1,           // bit 11 at any firmware
  k_packs_hd_intercom_from_1_1 = 1u << 2,  // bit 11 from firmware 1.1
  k_packs_fm_station_guide = 1u << 3,      // bit 12
  k_packs_hd_voice = 1u << 4,              // bit 13
  k_packs_smart_navigation = 1u << 5,      // bit 13
  // bit 14 holds the audio source priority, and bit 15 the audio veneer
  k_packs_source_priority = 1u << 6,
  // bit 14 holds automatic on/off, and bit 15 the audio veneer
  k_packs_auto_on_off = 1u << 7,
  // bit 14 the second smart navigation; the second word the unit language,
  // simple UI and auto off
  k_packs_y370_settings = 1u << 8,
  k_packs_auto_start_recording = 1u << 9,  // bit 0 of the second word
};

}  // namespace device_data
