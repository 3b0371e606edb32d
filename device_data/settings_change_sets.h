#pragma once
// What the settings page's editing core decides per product: which of the
// record's settings it compares with the device to tell whether the user has
// changed something the page saves, and what its Default button keeps from
// the device.
#include <cstdint>

namespace device_data {

struct ProductFacts;

// Which parts of the record the settings page compares with the device as
// read. "Packed" is the packed settings word (16 bits), "words" the general
// settings words, "VOX" and "volume" the VOX sensitivity and smart volume
// control words; the page saves exactly these.
enum class ChangeSet : std::uint8_t {
  none,                        // the page saves nothing: never changed
  vox_fields_before_4_0,       // intercom VOX, phone VOX and EDR before 4.0, the packed word from 4.0
  packed,                      // the packed word
  packed_pair,                 // the packed word and the second packed word
  packed_camera,               // the packed word and the camera words
  packed_vox,                  // the packed word and VOX
  packed_vox_from_1_1,         // the packed word, and VOX from 1.1
  packed_vox_volume,           // the packed word, VOX and volume
  packed_volume_vox_from_1_1,  // the packed word and volume, and VOX from 1.1
  packed_words,                // the packed word and the words
  packed_words_logged,         // as packed_words; the device's and the edited packed word logged first
  packed_words_vox,            // the packed word, the words and VOX
  packed_words_vox_volume,     // the packed word, the words, VOX and volume
  packed_pair_words_vox,       // both packed words, the words and VOX
  words,                       // the words
  transmit_gain_timeout,       // radio transmit gain and audio channel timeout
};

// The change set of a product: what its settings save writes, read from its
// settings-block layout, or for a persistent-store product from its save keys.
ChangeSet settings_change_set(const ProductFacts& row);

// What the settings page's Default button keeps from the device: general
// settings words copied from the device's values, and settings forced to a
// value after that (the fields' codes). Any firmware unless a version is named.
enum class DefaultReset : std::uint8_t {
  factory,                              // the factory defaults as they are
  word_1,                               // word 1
  word_2,                               // word 2
  word_4,                               // word 4
  word_3,                               // word 3
  word_3_public_channel,                // word 3; mesh public channel 1
  word_3_equalizer_from_3_1,            // word 3; from 3.1 the 30-family equalizer 0
  word_3_speaker_equalizer,             // word 3; HD speaker accessory 0, 30-family equalizer 0
  word_3_speaker_equalizer_from_3_0,    // as word_3_speaker_equalizer, all from 3.0
  word_3_hd_voice,                      // word 3; HD voice 1, 50-family equalizer 0
  words_3_4_hd_voice,                   // words 3 and 4; HD voice 1, 50-family equalizer 0
  words_3_4_hd_voice_assistant,         // as words_3_4_hd_voice; voice assistant 1, audio boost 0
  words_0_1_mesh_switches,              // words 0 and 1; phone VOX 1, EDR 0, A2DP 1, sidetone 0
  word_1_hb6_equalizer,                 // word 1; HB6 equalizer 0
  word_1_hb6_equalizer_hd_voice_off,    // word 1; HB6 equalizer 0, HD voice 0
};

}  // namespace device_data
