#include "recognition/ps_key_decoding.h"

#include <algorithm>
#include <initializer_list>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "transport/byte_order.h"

namespace recognition {
namespace {

bool in(std::uint32_t id, std::initializer_list<std::uint32_t> ids) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

int compare(int major, int minor, int with_major, int with_minor) {
  return FEXOBluetoothDeviceData::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, with_major,
                                                                                     with_minor);
}

constexpr std::initializer_list<std::uint32_t> k_gated_ids = {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010,
                                                              0x5060, 0x5061, 0x5020, 0x5070, 0x5030, 0x5080};
constexpr std::initializer_list<std::uint32_t> k_gated_fm_ids = {0x5040, 0x5050};
constexpr std::initializer_list<std::uint32_t> k_dials_from_1_3_ids = {0x4D05, 0x4D35, 0x4D55};
constexpr std::initializer_list<std::uint32_t> k_fm_dials_from_1_3_ids = {0x4D15, 0x4D45, 0x4D65};
constexpr std::initializer_list<std::uint32_t> k_word_and_dials_ids = {
    0x6000, 0x4D21, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x6420, 0x6470, 0x6460, 0x6480,
    0x6490, 0x6440, 0x6450, 0x6430, 0x5011, 0x4D75, 0x4110, 0x4113, 0x4111, 0x4112, 0x4120};
constexpr std::initializer_list<std::uint32_t> k_word_only_ids = {0x4040, 0x4020, 0x4021, 0x2310, 0x2010, 0x2011,
                                                                  0x2110, 0x2120, 0x2210, 0x4030, 0x4010};

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
  std::initializer_list<std::uint32_t> ids;
  std::uint16_t bits;           // settings the word holds
  std::uint16_t failed;         // settings set to 1 when the word cannot be read
  std::uint16_t later_bits = 0; // settings the word holds from firmware later_major.later_minor
  int later_major = 0;
  int later_minor = 0;
};

constexpr WordLayout k_word_layouts[] = {
    {{0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070, 0x5030, 0x5080, 0x5040,
      0x5050},
     k_bits_0_to_6, k_failed_vox_plc_bitpool_boost, bits({k_sidetone}), 5, 0},
    {{0x5011, 0x4D75}, k_bits_0_to_6 | bits({k_sidetone}), k_failed_vox_plc_bitpool_boost},
    {{0x4110, 0x4113, 0x4111, 0x4112}, k_bits_0_to_6, k_failed_vox_plc_bitpool_boost},
    {{0x6000},
     bits({k_handsfree_vox, k_edr, k_voice_prompt, k_plc, k_bitpool_rate, k_microphone_boost, k_sidetone}),
     k_failed_vox_plc_bitpool_boost},
    {{0x2020}, k_bits_0_to_6 | bits({k_sidetone}), k_failed_vox_plc_bitpool_boost, bits({k_ambient_hush}), 1, 1},
    {{0x4040}, k_bits_0_to_6 | bits({k_sidetone, k_ambient_hush}), k_failed_vox_plc_bitpool_boost},
    {{0x4120}, k_bits_0_to_6 | bits({k_sidetone, k_ambient_hush, k_auto_gain}), k_failed_vox_plc_bitpool_boost},
    {{0x6110, 0x6111, 0x6120, 0x6121},
     bits({k_edr, k_voice_prompt, k_plc, k_bitpool_rate, k_microphone_boost, k_sidetone, k_ambient_hush}),
     bits({k_plc, k_bitpool_rate, k_microphone_boost})},
    {{0x4D21}, bits({k_sidetone}), bits({k_sidetone})},
    {{0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D45, 0x4D65}, k_bits_0_to_5, k_failed_vox_plc_bitpool, bits({k_sidetone}), 2,
     0},
    {{0x4D85}, k_bits_0_to_5 | bits({k_sidetone}), k_failed_vox_plc_bitpool},
    {{0x4020, 0x2310, 0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x4030, 0x4010}, k_bits_0_to_5, k_failed_vox_plc_bitpool},
    {{0x6420, 0x6470, 0x6460, 0x6480, 0x6490, 0x6440, 0x6450}, bits({k_handsfree_vox, k_edr, k_voice_prompt}),
     bits({k_handsfree_vox})},
    {{0x6430, 0x4021}, bits({k_handsfree_vox}), bits({k_handsfree_vox})},
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

bool settings_word_from_4_0(std::uint32_t product) { return in(product, k_gated_ids); }

bool settings_word_from_4_0_with_fm_block(std::uint32_t product) { return in(product, k_gated_fm_ids); }

std::vector<std::uint16_t> legacy_keys_to_read(std::uint32_t product, int major, int minor) {
  std::vector<std::uint16_t> keys;
  if (settings_word_from_4_0(product) || settings_word_from_4_0_with_fm_block(product)) {
    if (compare(major, minor, 4, 0) < 0) {
      keys = {k_key_intercom_vox, k_key_phone_vox, k_key_edr_pattern};
    } else {
      keys = {k_key_settings_word};
      if (compare(major, minor, 4, 2) > 0) append_speed_dials(keys);
    }
    if (settings_word_from_4_0_with_fm_block(product)) keys.push_back(k_key_fm_block);
  } else if (in(product, k_dials_from_1_3_ids) || in(product, k_fm_dials_from_1_3_ids)) {
    keys = {k_key_settings_word};
    if (in(product, k_fm_dials_from_1_3_ids)) keys.push_back(k_key_fm_block);
    if (compare(major, minor, 1, 2) > 0) append_speed_dials(keys);
  } else if (product == 0x4D85) {
    keys = {k_key_settings_word, k_key_fm_block};
    append_speed_dials(keys);
  } else if (in(product, k_word_and_dials_ids)) {
    keys = {k_key_settings_word};
    append_speed_dials(keys);
  } else if (in(product, k_word_only_ids)) {
    keys = {k_key_settings_word};
  } else if (product == 0x5210) {
    keys = {k_key_transmit_gain, k_key_channel_timeout};
  }
  return keys;
}

void decode_settings_word(std::uint32_t product, int major, int minor, std::optional<std::uint16_t> word,
                          LegacySettings& settings) {
  for (const WordLayout& layout : k_word_layouts) {
    if (!in(product, layout.ids)) continue;
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
