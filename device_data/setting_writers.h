#pragma once
// The record words the setting actions write for a product beyond its word
// layouts (SettingLayout): a bit per group of products that writes one
// setting, or a few, through another family's accessor.
#include <cstdint>

namespace device_data {

enum SettingWriter : std::uint16_t {
  // the audio veneer, its sensitivity, sidetone and FM station guide in the ND4 words
  k_writes_nd4_audio = 1u << 0,
  // voice prompt and FM station guide in the ND4 words
  k_writes_nd4_prompt = 1u << 1,
  k_writes_30_equalizer = 1u << 2,      // equalizer in the 30-family word
  k_writes_dk5x_language = 1u << 3,     // unit language in the DK5X word
  k_writes_qorlan_language = 1u << 4,   // unit language in the Qorlan word, by the product's language pack
  k_writes_tornik_language = 1u << 5,   // unit language in the TORNIK word, by the product's language pack
  k_writes_y370r_language = 1u << 6,    // unit language in the Y370R word, by the product's language pack
  k_writes_nd4_hd_speaker = 1u << 7,    // HD speaker accessory in the ND4 word, audio boost on with it
  k_writes_one_module_hd_speaker = 1u << 8,  // HD speaker accessory of one-module HID, audio boost on with it
};

}  // namespace device_data
