#pragma once
// The settings an older BlueCore headset keeps in its persistent store: which
// keys recognition reads for a product and firmware version, and what their
// words mean. Pure functions of the bytes read, so a device's answer cannot
// reach the record in any other way.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace recognition {

// PS keys of the settings (decimal, as the device documents them).
inline constexpr std::uint16_t k_key_edr_pattern = 239;
inline constexpr std::uint16_t k_key_settings_word = 654;
inline constexpr std::uint16_t k_key_intercom_vox = 664;
inline constexpr std::uint16_t k_key_phone_vox = 665;
inline constexpr std::uint16_t k_key_fm_block = 671;
inline constexpr std::uint16_t k_key_channel_timeout = 682;
inline constexpr std::uint16_t k_key_transmit_gain = 684;
inline constexpr std::uint16_t k_key_speed_dials[3] = {8832, 8833, 8834};
// Sizes in words.
inline constexpr std::size_t k_fm_block_words = 15;
inline constexpr std::size_t k_speed_dial_words = 20;
// Magic words of an FM block the device has initialized.
inline constexpr std::uint16_t k_fm_magic = 0x56E9;
inline constexpr std::uint16_t k_fm_magic_alternative = 0x66E9;

// The settings being built for one device; everything starts at 0 and the
// speed dials at none (not read).
struct LegacySettings {
  int intercomVOX = 0;
  int handsfreeVOX = 0;
  int edr = 0;
  int voicePrompt = 0;
  int plc = 0;
  int bitpoolRate = 0;
  int microphoneBoost = 0;
  int sidetone = 0;
  int ambientHushControl = 0;
  int autoGainControl = 0;
  int radioTransmitGain = 0;
  int audioChannelTimeout = 0;
  int fmRadioRegion = 0;
  int fmRadioMagicCode = 0;
  int fmRadioCurrentFrequency = 0;
  int fmRadioCurrentPreset = 0;
  std::array<int, 10> fmRadioPresets{};
  int fmRadioRDS = 0;
  std::array<std::optional<std::string>, 3> speedDials{};
};

// Products whose firmware keeps its settings word in key 654 only from 4.0;
// older firmware keeps the two VOX levels (and the EDR pattern) in keys of
// their own. The second kind also keeps the FM block in key 671.
bool settings_word_from_4_0(std::uint32_t product);
bool settings_word_from_4_0_with_fm_block(std::uint32_t product);

// The keys read for product `product` at firmware major.minor, in the order
// they are read (speed dials as 8832, 8833, 8834); empty for a product that
// keeps no settings there.
std::vector<std::uint16_t> legacy_keys_to_read(std::uint32_t product, int major, int minor);

// Decodes word 0 of key 654 for `product` at major.minor into the on/off
// settings; `word` is none when the read failed, which gives the product's
// defaults. Settings the product does not keep in the word are left alone.
void decode_settings_word(std::uint32_t product, int major, int minor, std::optional<std::uint16_t> word,
                          LegacySettings& settings);

// Key 239: EDR is on only for the one pattern the firmware writes for it.
int decode_edr_pattern(std::span<const std::uint8_t> bytes);
// Key 684 (transmit gain): 12, 15 or 17; 15 when it could not be read.
int decode_transmit_gain(std::optional<std::uint16_t> word);
// Key 682 (milliseconds): whole seconds from 3000 to 60999 ms, else 5.
int decode_channel_timeout(std::optional<std::uint16_t> word);

// Key 671: fills the FM fields and returns true when the block must be
// rewritten (another magic word). A block of another length, or none, gives
// the initialized block without a rewrite.
bool decode_fm_block(std::optional<std::span<const std::uint8_t>> bytes, LegacySettings& settings);
// The block an FM block of another magic word is replaced with.
std::array<std::uint16_t, k_fm_block_words> initialized_fm_block();

// A speed dial key as read: "" when the read brought nothing, else the number
// held in its 20 characters of 16 bits (little-endian).
std::optional<std::string> decode_speed_dial(std::span<const std::uint8_t> bytes, std::uint32_t bytes_read);

// The 16-bit word at `index` of little-endian bytes (0 beyond them).
std::uint16_t word_at(std::span<const std::uint8_t> bytes, std::size_t index);

}  // namespace recognition
