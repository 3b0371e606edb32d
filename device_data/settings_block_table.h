#pragma once
// The settings blocks of each settings-block layout (the catalogue's
// settings_layout column): which blocks hold a product's settings words, in the
// device's order, what their words are, and what a failed read stores. The
// recognition read, the restore's write and the settings page's save all walk
// this one description; a block that only some of them touch says which.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"

namespace device_data {

inline constexpr unsigned char k_block_smart_volume = 0x03;
inline constexpr unsigned char k_block_settings = 0x04;
inline constexpr unsigned char k_block_camera_low = 0x07;
inline constexpr unsigned char k_block_vox_navigation = 0x12;
inline constexpr unsigned char k_block_vox = 0x14;
inline constexpr unsigned char k_block_vox_y370 = 0x17;
inline constexpr unsigned char k_block_camera_high = 0x1C;
inline constexpr unsigned char k_block_mesh_volume = 0x1F;
inline constexpr unsigned char k_block_mesh_channel = 0x20;
inline constexpr unsigned char k_block_qcc_settings = 0x36;

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

// What most families store when their packed settings word cannot be read.
inline constexpr std::uint32_t k_common_failure_default = k_handsfree_vox | k_plc | k_bitpool_rate |
                                                          k_microphone_boost | k_audio_boost | k_hd_intercom |
                                                          k_fm_station_guide;

// What a block's words are. "Settings words" are the record's ten general
// settings words (basicSettingLM6); "packed" is the packed settings word of
// the on/off settings, "second" the second packed word.
enum class BlockWords : std::uint8_t {
  settings_words,     // settings words from 0: a read copies the reply's words (ten at most)
  packed_read,        // read only: the on/off settings from word 0
  packed_word_1,      // packed, settings word 1
  packed_words_1_2,   // packed, settings words 1 and 2
  packed_second,      // packed, second (a read takes the on/off settings from word 0)
  packed_zero,        // packed, 0
  packed_navigation,  // packed, 0, settings word 2, 0 (a read stores reply words 2 and 3)
  packed_zeros,       // packed, 0, 0, 0
  vox,                // VOX sensitivity word 0 (a read stores words 0 and 1)
  vox_first,          // VOX sensitivity word 0 (a read stores word 0 only)
  smart_volume,       // smart volume word 0 (a read stores words 0 and 1)
  camera_low,         // camera words 0 and 1
  camera_high,        // camera words 2 and 3
  mesh_channel,       // settings word 0
  mesh_volume,        // settings word 1
};

// Which routines walk a block.
enum Walk : std::uint8_t {
  k_walk_read = 1,     // recognition reads it into the record
  k_walk_restore = 2,  // a restore writes the backup's words into it
  k_walk_save = 4,     // the settings page's save writes the working copy's words into it
  k_walk_all = 7,
};

// The line a read writes to the system log on success.
enum class ReadLog : std::uint8_t {
  none,
  per_word,              // format(log, index, word) for each word copied
  per_word_with_length,  // format(log, word count, index, word) for each word copied
  pair,                  // format(log, word 0, word 1)
  words_0_2,             // format(log, word 0, word 1, word 2)
  indexed,               // format(log, the record word it went to, word 0)
};

// Fewer settings words for firmware below `below` (the first step that holds).
struct CountStep {
  FirmwareFloor below{};
  std::uint8_t count = 0;
};

// The words a failed read stores into the block's own record words, from `first`.
struct FailureWords {
  std::uint8_t first = 0;
  std::uint8_t count = 0;
  std::array<std::int32_t, 10> values{};
};

struct SettingsBlock {
  unsigned char block = 0;
  BlockWords words = BlockWords::settings_words;
  std::uint8_t walks = k_walk_all;
  // settings_words: how many a write carries, fewer on older firmware.
  std::uint8_t count = 0;
  std::array<CountStep, 2> fewer{};
  // Read and written only from this firmware on (0.0: always). The read asks
  // the device's firmware, or the restored backup's when `read_by_backup` (and
  // reads it when there is no backup); the restore asks the backup's, the save
  // the firmware recognition read.
  FirmwareFloor from{};
  bool read_by_backup = false;
  FailureWords failure{};
  ReadLog read_log_kind = ReadLog::none;
  const char* read_log = nullptr;
  // Logged before the write: per word for settings words, else words 0-2.
  const char* restore_log = nullptr;
  const char* save_log = nullptr;
  // The block the save's commit names when not this one (0: this one).
  unsigned char save_commit_as = 0;
};

// What a read does with the blocks after a failed packed settings word.
enum class AfterFailure : std::uint8_t {
  read,   // reads them as usual
  skip,   // leaves them, and their record words, alone
  reset,  // stores their failure words without reading them
};

// The version the save checks before it writes.
enum class SaveCheck : std::uint8_t {
  none,
  main,          // the main version set, on slot 0
  module_1,      // version set 01, on slot 0
  both_modules,  // set 01 on slot 0, then set 02 on slot 1
};

// Where a layout keeps its FM radio and speed dials (the blocks themselves are
// recognition/settings_blocks.h's). "Written": a restore writes them back.
enum class FmAndSpeedDials : std::uint8_t {
  read_only,             // FM 0x15 and speed dials 0x5A-0x5C, read only
  none,                  // neither
  two_module,            // FM 0x15 on slot 1 and speed dials 0x5A-0x5C, written
  qcc,                   // FM 0x44 and speed dials 0x37-0x39, written
  first_set_dials,       // FM 0x15 read only; speed dials 0x37-0x39 written
  language_pack_dials,   // no FM; speed dials over the language-pack channel, read only
  written,               // FM 0x15 and speed dials 0x5A-0x5C, written
  fm_written,            // FM 0x15 written; speed dials 0x5A-0x5C read only
  dials_written,         // FM 0x15 read only; speed dials 0x5A-0x5C written
  count_at_least_one,    // as written; an empty number is written as one zero word
  commit_no_fm,          // no FM; speed dials as count_at_least_one
  commit_fifteen_words,  // FM 0x15 written with magic 0x56E9; speed dials as count_at_least_one
  commit_six_presets,    // FM 0x15 in the six-preset form, written; speed dials as count_at_least_one
  commit_fm_read_only,   // FM 0x15 read only; speed dials as count_at_least_one
};

// The settings page's save group of a layout (settings/hid_settings_save.h).
enum class SaveGroup : std::uint8_t { A, B, C, D, E, F, G, H, I, J1, J2, J3, J4, J5, J6 };

// Steps of one layout that no column of a block describes.
enum class SettingsExtra : std::uint8_t {
  none,
  lm6,             // failure words and word count by firmware; sub-model code with the address
  speaker_type,    // a read gives the controller the speaker accessory type
  recording_bit,   // bit 0 of the read's word 1: automatic start of recording
  y370_logs,       // "PQPQ" after the settings word, "SAVEF3" after the VOX block
  navigation_logs, // "pdata2", "pdata3" after the settings word
};

struct SettingsLayoutRow {
  SettingsLayout layout = SettingsLayout::read_only;
  std::array<SettingsBlock, 3> blocks{};  // in the device's order; block 0 after the last
  // Settings words 0-2 travel over the language-pack channel, not in blocks.
  bool language_pack = false;
  // The slot of the settings blocks: 1 for the two-module family.
  int slot = 0;
  // Every block written is committed (0x11), and announced (0x10) before a read.
  bool commits = false;
  UnpackLayout unpack{};
  // What a failed read of the packed settings word stores.
  std::uint32_t failure_fields = k_common_failure_default;
  AfterFailure after_failure = AfterFailure::read;
  SaveCheck save_check = SaveCheck::none;
  // The save asks the device's mode first and writes only in its normal mode.
  bool save_mode_query = false;
  SettingsExtra extra = SettingsExtra::none;
  FmAndSpeedDials fm_and_speed_dials = FmAndSpeedDials::read_only;
  // nullopt: the save goes over the persistent store, or there is none.
  std::optional<SaveGroup> save_group = std::nullopt;
};

// The row of `layout`.
const SettingsLayoutRow& settings_layout_row(SettingsLayout layout);
// The row of product `product_id`'s layout.
const SettingsLayoutRow& settings_layout_row_of(int product_id);
// Every row, in the order of SettingsLayout.
std::span<const SettingsLayoutRow> settings_layout_rows();

// The settings words a block's write carries; `below(floor)` says whether the
// firmware in question is older than `floor`.
template <class Below>
int settings_word_count(const SettingsBlock& block, Below below) {
  for (const CountStep& step : block.fewer) {
    if (step.count != 0 && below(step.below)) return step.count;
  }
  return block.count;
}

// The words a write of `block` carries from `record`: for settings words the
// first `settings_words` of them. A read-only block carries none.
std::vector<std::uint16_t> block_words(const SettingsBlock& block, const FEXOBluetoothDeviceData& record,
                                       int settings_words);

}  // namespace device_data
