#include "recognition/ps_key_decoding.h"

#include <algorithm>
#include <initializer_list>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "transport/byte_order.h"

namespace recognition {
namespace {

int compare(int major, int minor, int with_major, int with_minor) {
  return FEXOBluetoothDeviceData::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, with_major,
                                                                                     with_minor);
}

using device_data::LegacyKeySet;
using device_data::SettingsWordLayout;

LegacyKeySet key_set(std::uint32_t product) {
  return product > 0xFFFF ? LegacyKeySet::none : device_data::product_facts(static_cast<int>(product)).legacy_keys;
}

// Bits of the settings word, by setting.
enum Bit : int {
  k_handsfree_vox = 0,
  k_intercom_vox = 1,
  k_edr = 2,
  k_voice_prompt = 3,
  k_plc = 4,
  k_bitpool_rate = 5,
  k_microphone_boost = 6,
  k_sidetone = 8,
  k_ambient_hush = 9,
  k_auto_gain = 10,
};

constexpr std::uint16_t bits(std::initializer_list<int> numbers) {
  std::uint16_t mask = 0;
  for (int number : numbers) mask = static_cast<std::uint16_t>(mask | 1u << number);
  return mask;
}

constexpr std::uint16_t k_bits_0_to_5 = bits({0, 1, 2, 3, 4, 5});
constexpr std::uint16_t k_bits_0_to_6 = bits({0, 1, 2, 3, 4, 5, 6});
// Settings a product turns on when its word cannot be read.
constexpr std::uint16_t k_failed_vox_plc_bitpool_boost = bits({k_handsfree_vox, k_plc, k_bitpool_rate, k_microphone_boost});
constexpr std::uint16_t k_failed_vox_plc_bitpool = bits({k_handsfree_vox, k_plc, k_bitpool_rate});

// How one product family lays out its settings word.
struct WordLayout {
  SettingsWordLayout layout;
  std::uint16_t bits;           // settings the word holds
  std::uint16_t failed;         // settings set to 1 when the word cannot be read
  std::uint16_t later_bits = 0; // settings the word holds from firmware later_major.later_minor
  int later_major = 0;
  int later_minor = 0;
};

constexpr WordLayout k_word_layouts[] = {
    {SettingsWordLayout::bits_0_to_6_sidetone_from_5_0, k_bits_0_to_6, k_failed_vox_plc_bitpool_boost,
     bits({k_sidetone}), 5, 0},
    {SettingsWordLayout::bits_0_to_6_sidetone, k_bits_0_to_6 | bits({k_sidetone}), k_failed_vox_plc_bitpool_boost},
    {SettingsWordLayout::bits_0_to_6, k_bits_0_to_6, k_failed_vox_plc_bitpool_boost},
    {SettingsWordLayout::no_intercom_vox,
     bits({k_handsfree_vox, k_edr, k_voice_prompt, k_plc, k_bitpool_rate, k_microphone_boost, k_sidetone}),
     k_failed_vox_plc_bitpool_boost},
    {SettingsWordLayout::sidetone_hush_from_1_1, k_bits_0_to_6 | bits({k_sidetone}), k_failed_vox_plc_bitpool_boost,
     bits({k_ambient_hush}), 1, 1},
    {SettingsWordLayout::sidetone_hush, k_bits_0_to_6 | bits({k_sidetone, k_ambient_hush}),
     k_failed_vox_plc_bitpool_boost},
    {SettingsWordLayout::sidetone_hush_auto_gain, k_bits_0_to_6 | bits({k_sidetone, k_ambient_hush, k_auto_gain}),
     k_failed_vox_plc_bitpool_boost},
    {SettingsWordLayout::no_vox_hush,
     bits({k_edr, k_voice_prompt, k_plc, k_bitpool_rate, k_microphone_boost, k_sidetone, k_ambient_hush}),
     bits({k_plc, k_bitpool_rate, k_microphone_boost})},
    {SettingsWordLayout::sidetone_only, bits({k_sidetone}), bits({k_sidetone})},
    {SettingsWordLayout::bits_0_to_5_sidetone_from_2_0, k_bits_0_to_5, k_failed_vox_plc_bitpool, bits({k_sidetone}),
     2, 0},
    {SettingsWordLayout::bits_0_to_5_sidetone, k_bits_0_to_5 | bits({k_sidetone}), k_failed_vox_plc_bitpool},
    {SettingsWordLayout::bits_0_to_5, k_bits_0_to_5, k_failed_vox_plc_bitpool},
    {SettingsWordLayout::vox_edr_prompt, bits({k_handsfree_vox, k_edr, k_voice_prompt}), bits({k_handsfree_vox})},
    {SettingsWordLayout::vox_only, bits({k_handsfree_vox}), bits({k_handsfree_vox})},
};

int* field_of_bit(LegacySettings& settings, int bit) {
  switch (bit) {
    case k_handsfree_vox: return &settings.handsfreeVOX;
    case k_intercom_vox: return &settings.intercomVOX;
    case k_edr: return &settings.edr;
    case k_voice_prompt: return &settings.voicePrompt;
    case k_plc: return &settings.plc;
    case k_bitpool_rate: return &settings.bitpoolRate;
    case k_microphone_boost: return &settings.microphoneBoost;
    case k_sidetone: return &settings.sidetone;
    case k_ambient_hush: return &settings.ambientHushControl;
    case k_auto_gain: return &settings.autoGainControl;
    default: return nullptr;
  }
}

// The EDR pattern the firmware writes to switch EDR on.
constexpr std::uint16_t k_edr_on_pattern[] = {0xFEFF, 0xF88F, 0x1E18, 0x8359};

void append_speed_dials(std::vector<std::uint16_t>& keys) {
  keys.insert(keys.end(), std::begin(k_key_speed_dials), std::end(k_key_speed_dials));
}

}  // namespace

std::uint16_t word_at(std::span<const std::uint8_t> bytes, std::size_t index) {
  return transport::le16_at(bytes, 2 * index);
}

bool settings_word_from_4_0(std::uint32_t product) { return key_set(product) == LegacyKeySet::word_from_4_0; }

bool settings_word_from_4_0_with_fm_block(std::uint32_t product) {
  return key_set(product) == LegacyKeySet::word_from_4_0_with_fm;
}

std::vector<std::uint16_t> legacy_keys_to_read(std::uint32_t product, int major, int minor) {
  std::vector<std::uint16_t> keys;
  switch (key_set(product)) {
    case LegacyKeySet::word_from_4_0:
    case LegacyKeySet::word_from_4_0_with_fm:
      if (compare(major, minor, 4, 0) < 0) {
        keys = {k_key_intercom_vox, k_key_phone_vox, k_key_edr_pattern};
      } else {
        keys = {k_key_settings_word};
        if (compare(major, minor, 4, 2) > 0) append_speed_dials(keys);
      }
      if (settings_word_from_4_0_with_fm_block(product)) keys.push_back(k_key_fm_block);
      break;
    case LegacyKeySet::word_dials_above_1_2:
    case LegacyKeySet::word_fm_dials_above_1_2:
      keys = {k_key_settings_word};
      if (key_set(product) == LegacyKeySet::word_fm_dials_above_1_2) keys.push_back(k_key_fm_block);
      if (compare(major, minor, 1, 2) > 0) append_speed_dials(keys);
      break;
    case LegacyKeySet::word_fm_dials:
      keys = {k_key_settings_word, k_key_fm_block};
      append_speed_dials(keys);
      break;
    case LegacyKeySet::word_and_dials:
      keys = {k_key_settings_word};
      append_speed_dials(keys);
      break;
    case LegacyKeySet::word_only:
      keys = {k_key_settings_word};
      break;
    case LegacyKeySet::gain_and_timeout:
      keys = {k_key_transmit_gain, k_key_channel_timeout};
      break;
    case LegacyKeySet::none:
      break;
  }
  return keys;
}

void decode_settings_word(std::uint32_t product, int major, int minor, std::optional<std::uint16_t> word,
                          LegacySettings& settings) {
  const SettingsWordLayout wanted =
      product > 0xFFFF ? SettingsWordLayout::none : device_data::product_facts(static_cast<int>(product)).settings_word;
  for (const WordLayout& layout : k_word_layouts) {
    if (layout.layout != wanted) continue;
    std::uint16_t held = layout.bits;
    if (layout.later_bits != 0 && compare(major, minor, layout.later_major, layout.later_minor) >= 0) {
      held = static_cast<std::uint16_t>(held | layout.later_bits);
    }
    for (int bit = 0; bit < 16; ++bit) {
      int* field = field_of_bit(settings, bit);
      if (field == nullptr) continue;
      if (!word) {
        *field = (layout.failed >> bit) & 1;
      } else if ((held >> bit) & 1) {
        *field = (*word >> bit) & 1;
      }
    }
    return;
  }
}

int decode_edr_pattern(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != 2 * std::size(k_edr_on_pattern)) return 0;
  for (std::size_t i = 0; i < std::size(k_edr_on_pattern); ++i) {
    if (word_at(bytes, i) != k_edr_on_pattern[i]) return 0;
  }
  return 1;
}

int decode_transmit_gain(std::optional<std::uint16_t> word) {
  if (!word) return 15;
  if (*word < 14) return 12;
  return *word <= 16 ? 15 : 17;
}

int decode_channel_timeout(std::optional<std::uint16_t> word) {
  if (!word || *word < 3000 || *word > 60999) return 5;
  return *word / 1000;
}

std::array<std::uint16_t, k_fm_block_words> initialized_fm_block() {
  std::array<std::uint16_t, k_fm_block_words> block{};
  block[0] = k_fm_magic;
  return block;
}

bool decode_fm_block(std::optional<std::span<const std::uint8_t>> bytes, LegacySettings& settings) {
  const bool whole = bytes && bytes->size() == 2 * k_fm_block_words;
  const std::uint16_t magic = whole ? word_at(*bytes, 0) : 0;
  const bool initialized = magic == k_fm_magic || magic == k_fm_magic_alternative;
  std::array<std::uint16_t, k_fm_block_words> block = initialized_fm_block();
  if (initialized) {
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = word_at(*bytes, i);
  }
  settings.fmRadioMagicCode = block[0];
  settings.fmRadioCurrentFrequency = block[1];
  settings.fmRadioCurrentPreset = block[2];
  for (std::size_t i = 0; i < settings.fmRadioPresets.size(); ++i) settings.fmRadioPresets[i] = block[3 + i];
  settings.fmRadioRDS = block[13];
  settings.fmRadioRegion = block[14];
  return whole && !initialized;
}

std::optional<std::string> decode_speed_dial(std::span<const std::uint8_t> bytes, std::uint32_t bytes_read) {
  if (bytes_read == 0) return std::string();
  FEXOBluetoothDeviceData::SpeedDialArray characters{};
  for (std::size_t i = 0; i < characters.size(); ++i) characters[i] = word_at(bytes, i);
  std::optional<std::string> text;
  FEXOBluetoothDeviceData::getSpeedDialString_FromArray(text, characters);
  return text;
}

}  // namespace recognition
