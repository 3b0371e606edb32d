// The persistent-store keys of an older BlueCore headset as recognition
// decodes them: whatever a device holds, every on/off setting is 0 or 1, the
// gain and the time-out take one of their values, an FM block is either taken
// with a magic word the firmware knows or replaced, and a speed dial holds at
// most its 20 characters.
//
// Input: [0..1] product id (little-endian), [2] major, [3] minor, [4] flags
// (bit 0: the settings word was read), then the key's bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "fuzz/fuzz_check.h"
#include "recognition/ps_key_decoding.h"

namespace {

constexpr std::size_t k_header_bytes = 5;

bool on_off(int value) { return value == 0 || value == 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < k_header_bytes) return 0;
  const std::uint32_t product = static_cast<std::uint32_t>(data[0] | data[1] << 8);
  const int major = data[2];
  const int minor = data[3];
  const bool word_read = (data[4] & 1) != 0;
  const std::span<const std::uint8_t> key(data + k_header_bytes, size - k_header_bytes);
  const std::uint16_t first_word = recognition::word_at(key, 0);

  for (const std::uint16_t read : recognition::legacy_keys_to_read(product, major, minor)) {
    FUZZ_CHECK(read == 239 || read == 654 || read == 664 || read == 665 || read == 671 || read == 682 ||
               read == 684 || read == 8832 || read == 8833 || read == 8834);
  }

  recognition::LegacySettings settings;
  std::optional<std::uint16_t> word;
  if (word_read) word = first_word;
  recognition::decode_settings_word(product, major, minor, word, settings);
  for (int value : {settings.handsfreeVOX, settings.intercomVOX, settings.edr, settings.voicePrompt, settings.plc,
                    settings.bitpoolRate, settings.microphoneBoost, settings.sidetone, settings.ambientHushControl,
                    settings.autoGainControl}) {
    FUZZ_CHECK(on_off(value));
  }
  FUZZ_CHECK(on_off(recognition::decode_edr_pattern(key)));

  const int gain = recognition::decode_transmit_gain(word);
  FUZZ_CHECK(gain == 12 || gain == 15 || gain == 17);
  const int timeout = recognition::decode_channel_timeout(word);
  FUZZ_CHECK(timeout >= 3 && timeout <= 60);

  const bool rewrite = recognition::decode_fm_block(key, settings);
  FUZZ_CHECK(settings.fmRadioMagicCode == recognition::k_fm_magic ||
             settings.fmRadioMagicCode == recognition::k_fm_magic_alternative);
  FUZZ_CHECK(!rewrite || key.size() == 2 * recognition::k_fm_block_words);
  if (rewrite) FUZZ_CHECK(settings.fmRadioCurrentFrequency == 0 && settings.fmRadioRegion == 0);

  const std::optional<std::string> dial = recognition::decode_speed_dial(key, static_cast<std::uint32_t>(key.size()));
  FUZZ_CHECK(!dial || dial->size() <= recognition::k_speed_dial_words);
  return 0;
}
