#pragma once
// How a HID product keeps its settings in blocks: which blocks recognition
// reads, which a restore writes back, which the settings page saves, and what
// their words mean. One value per layout; the table of blocks behind each
// value is device_data/settings_block_table.h.
#include <cstdint>

namespace device_data {

enum class SettingsLayout : std::uint8_t {
  read_only,                     // packed word in 0x04 (every bit); FM 0x15 and speed dials read only; no save
  two_module,                    // ten words of 0x04 and FM 0x15 on slot 1
  lm6,                           // as two_module, word count and failure default by firmware
  paired_units,                  // a pair of units: no block at all
  // packed settings word in block 0x04 with a second word
  packed_pair,                   // {packed, second packed}
  packed_pair_unread,            // written on restore only; recognition reads no settings word
  packed_pair_to_bit_12,         // bits 0-12
  packed_pair_to_bit_12_keyed,   // bits 0-12, failure without audio boost
  packed_pair_to_bit_13,         // bits 0-13
  packed_pair_no_boost_failure,  // every bit, failure without audio boost
  packed_pair_no_vox,            // no VOX or sidetone bits
  packed_pair_no_sidetone,       // no sidetone bit
  packed_pair_boost_hush,        // voice prompt, bitpool, hush, boost and station guide bits
  packed_pair_station_guide,     // the station guide bit only
  packed_pair_recording,         // bit 0 of the second word: automatic start of recording
  packed_pair_vox,               // and VOX block 0x14
  packed_pair_vox_reset,         // and VOX block 0x14, reset with the settings word's failure
  packed_pair_vox_to_bit_12,     // as packed_pair_vox_reset, bits 0-12
  packed_pair_smart_volume,      // and smart volume 0x03, VOX 0x14 from firmware 1.1
  packed_pair_vox_from_1_1,      // and VOX 0x14 from firmware 1.1
  packed_pair_camera,            // and camera blocks 0x07, 0x1C from firmware 2.0
  // packed settings word in block 0x04 with settings word 1
  packed_word_1,                 // FM and speed dials read only
  packed_word_1_fm,              // FM written
  packed_word_1_dials,           // speed dials written
  packed_word_1_written,         // FM and speed dials written
  packed_word_1_zero_failure,    // word 1 is 0 when the read fails
  packed_vox_smart_volume,       // and VOX 0x14, smart volume 0x03 (logged)
  // commit families
  commit_vox_smart_volume,       // {packed, 0}, VOX, smart volume, all committed; no FM
  commit_vox_smart_volume_fm,    // as commit_vox_smart_volume, with a written FM block
  navigation,                    // {packed, 0, word 2, 0} and VOX 0x14, committed; six-preset FM
  navigation_logged,             // as navigation, words 2 and 3 logged
  navigation_automatic,          // as navigation, automatic on/off bits
  navigation_short,              // {packed, 0, 0, 0} and VOX 0x12, committed
  // QCC products: settings block 0x36, FM 0x44
  qcc_packed,                    // {packed, word 1}, logged
  qcc_packed_quiet,              // {packed, word 1}
  qcc_packed_three,              // {packed, word 1, word 2}
  qcc_packed_read_04,            // written as qcc_packed, read from block 0x04
  qcc_packed_vox,                // and VOX 0x17 (the save's commit names 0x14)
  qcc_words,                     // words 0 and 1
  qcc_words_mode_query,          // words 0 and 1, saved in the normal mode only
  qcc_words_wq8,                 // words 0 and 1, with their own failure default
  qcc_words_wq8_first_dials,     // as qcc_words_wq8; FM read only, speed dials 0x37-0x39
  speed_dials_only,              // speed dials 0x37-0x39 written; settings read from 0x04
  // mesh headsets: settings words copied into the record
  mesh_nd4_firmware,             // 2 words, 4 from firmware 2.1
  mesh_nd4,                      // 4 words
  mesh_kwnd4,                    // 3 words, 4 from firmware 3.0
  mesh_solvane,                  // 4 words
  mesh_solvane_word_2_0,         // 4 words, failure word 2 0
  mesh_solvane_word_2_ffff,      // 4 words, failure word 2 0xFFFF
  mesh_solvane_zod,              // 4 words, its own log
  mesh_solvane_fm,               // 4 words, its own failure default; FM written, speed dials read only
  mesh_plv,                      // 4 words
  mesh_tj6,                      // 4 words
  mesh_kwwq8,                    // 4 words
  mesh_wq8,                      // saved 5 words, not restored; speaker type
  mesh_wq8_from_1_1,             // as mesh_wq8, 4 words before firmware 1.1
  qorlan,                        // 4 words, logged
  qorlan_module_1,               // as qorlan, saved after module 1's version
  mesh_channel,                  // mesh channel 0x20, then the packed word of 0x04
  mesh_channel_volume,           // as mesh_channel, and mesh volume 0x1F
  // behind the language-pack channel
  language_pack,                 // settings words 0-2
  language_pack_speed_dials,     // settings words 0-2 and speed dials
};

}  // namespace device_data
