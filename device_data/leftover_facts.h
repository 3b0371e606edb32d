#pragma once
// Per-product facts of the settings page's persistent-store save and of the
// mesh and QCC updates.
#include <cstdint>

namespace device_data {

// Which persistent-store keys the settings page's BlueCore save writes
// besides EDR (key 239).
enum class BlueCoreSettingsKeys : std::uint8_t {
  edr_only,               // nothing else
  vox_keys_before_4_0,    // intercom and phone VOX (664, 665) before 4.0, the packed word (654) from 4.0
  settings_word,          // the packed settings word (654)
  transmit_gain_timeout,  // radio transmit gain (684), then audio channel timeout (682)
};

// Which voice-prompt language the mesh update writes to the unit at its end.
enum class MeshUnitLanguage : std::uint8_t {
  by_family,      // with the voice processor the unit's language; without it none
  sent,           // the unit's language
  sent_from_2_1,  // with the voice processor the unit's language; without it from firmware 2.1 on
  qorlan,         // with the voice processor the Qorlan language code; without it none
  not_sent,       // none
};

}  // namespace device_data
