#include "recognition/ps_key_decoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using recognition::LegacySettings;
using Keys = std::vector<std::uint16_t>;

const Keys k_vox_keys = {664, 665, 239};
const Keys k_dials = {8832, 8833, 8834};

Keys operator+(Keys a, const Keys& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(LegacyReadTable, KeysByProductAndVersionGate) {
  struct Case {
    const char* name;
    std::uint32_t product;
    int major, minor;
    Keys keys;
  };
  const Case cases[] = {
      {"0x4D10 at 3.9: the VOX keys and the EDR pattern", 0x4D10, 3, 9, k_vox_keys},
      {"0x4D10 at 4.0: the settings word", 0x4D10, 4, 0, {654}},
      {"0x4D10 at 4.2: no speed dials yet", 0x4D10, 4, 2, {654}},
      {"0x4D10 at 4.3: speed dials", 0x4D10, 4, 3, Keys{654} + k_dials},
      {"0x5080 at 4.3", 0x5080, 4, 3, Keys{654} + k_dials},
      {"0x5040 below 4.0, then the FM block", 0x5040, 3, 9, k_vox_keys + Keys{671}},
      {"0x5050 at 4.3: FM block after the speed dials", 0x5050, 4, 3, Keys{654} + k_dials + Keys{671}},
      {"0x4D05 at 1.2", 0x4D05, 1, 2, {654}},
      {"0x4D55 at 1.3", 0x4D55, 1, 3, Keys{654} + k_dials},
      {"0x4D45 at 1.2", 0x4D45, 1, 2, {654, 671}},
      {"0x4D15 at 1.3: speed dials after the FM block", 0x4D15, 1, 3, Keys{654, 671} + k_dials},
      {"0x4D85 at any version", 0x4D85, 0, 1, Keys{654, 671} + k_dials},
      {"0x6120", 0x6120, 1, 0, Keys{654} + k_dials},
      {"0x4112", 0x4112, 9, 9, Keys{654} + k_dials},
      {"0x4021", 0x4021, 1, 1, {654}},
      {"0x5210: gain and time-out", 0x5210, 1, 0, {684, 682}},
      {"0x5310", 0x5310, 1, 0, {}},
      {"0x3020", 0x3020, 1, 5, {}},
      {"0x6020, as 0x6021 reports itself", 0x6020, 1, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(recognition::legacy_keys_to_read(c.product, c.major, c.minor), c.keys);
  }
}

// The on/off settings in bit order of the word: handsfree VOX, intercom VOX,
// EDR, voice prompt, PLC, bitpool, microphone boost, sidetone, ambient hush, AGC.
std::vector<int> switches(const LegacySettings& s) {
  return {s.handsfreeVOX, s.intercomVOX, s.edr, s.voicePrompt, s.plc, s.bitpoolRate, s.microphoneBoost,
          s.sidetone, s.ambientHushControl, s.autoGainControl};
}

TEST(LegacySettingsWord, BitsByProductVersionAndFailedRead) {
  struct Case {
    const char* name;
    std::uint32_t product;
    int major, minor;
    std::optional<std::uint16_t> word;
    std::vector<int> expected;
  };
  constexpr std::uint16_t all = 0xFFFF;
  const Case cases[] = {
      {"0x4D10 at 4.3: bits 0 to 6", 0x4D10, 4, 3, all, {1, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
      {"0x4D10 at 5.0: also the sidetone", 0x4D10, 5, 0, all, {1, 1, 1, 1, 1, 1, 1, 1, 0, 0}},
      {"0x4D10 bit by bit", 0x4D10, 5, 0, 0x0152, {0, 1, 0, 0, 1, 0, 1, 1, 0, 0}},
      {"0x4D10 unread", 0x4D10, 4, 3, std::nullopt, {1, 0, 0, 0, 1, 1, 1, 0, 0, 0}},
      {"0x5050 at 5.0", 0x5050, 5, 0, all, {1, 1, 1, 1, 1, 1, 1, 1, 0, 0}},
      {"0x4D75", 0x4D75, 1, 0, all, {1, 1, 1, 1, 1, 1, 1, 1, 0, 0}},
      {"0x4113", 0x4113, 9, 0, all, {1, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
      {"0x6000 has no intercom VOX", 0x6000, 1, 0, all, {1, 0, 1, 1, 1, 1, 1, 1, 0, 0}},
      {"0x2020 at 1.0", 0x2020, 1, 0, all, {1, 1, 1, 1, 1, 1, 1, 1, 0, 0}},
      {"0x2020 at 1.1: ambient hush", 0x2020, 1, 1, all, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0}},
      {"0x4040", 0x4040, 1, 0, all, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0}},
      {"0x4120: automatic gain", 0x4120, 1, 0, all, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {"0x6111", 0x6111, 1, 0, all, {0, 0, 1, 1, 1, 1, 1, 1, 1, 0}},
      {"0x6111 unread", 0x6111, 1, 0, std::nullopt, {0, 0, 0, 0, 1, 1, 1, 0, 0, 0}},
      {"0x4D21: the sidetone only", 0x4D21, 1, 0, all, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0}},
      {"0x4D21 unread", 0x4D21, 1, 0, std::nullopt, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0}},
      {"0x4D05 at 1.9", 0x4D05, 1, 9, all, {1, 1, 1, 1, 1, 1, 0, 0, 0, 0}},
      {"0x4D65 at 2.0: the sidetone", 0x4D65, 2, 0, all, {1, 1, 1, 1, 1, 1, 0, 1, 0, 0}},
      {"0x4D35 unread", 0x4D35, 1, 2, std::nullopt, {1, 0, 0, 0, 1, 1, 0, 0, 0, 0}},
      {"0x4D85", 0x4D85, 1, 0, all, {1, 1, 1, 1, 1, 1, 0, 1, 0, 0}},
      {"0x2210", 0x2210, 1, 0, all, {1, 1, 1, 1, 1, 1, 0, 0, 0, 0}},
      {"0x6450", 0x6450, 1, 0, all, {1, 0, 1, 1, 0, 0, 0, 0, 0, 0}},
      {"0x6450 unread", 0x6450, 1, 0, std::nullopt, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"0x4021", 0x4021, 1, 0, all, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"a product without a settings word", 0x5210, 1, 0, all, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LegacySettings settings;
    recognition::decode_settings_word(c.product, c.major, c.minor, c.word, settings);
    EXPECT_EQ(switches(settings), c.expected);
  }
}

TEST(LegacyKeys, SingleWordKeysAndTheEdrPattern) {
  struct Word {
    std::optional<std::uint16_t> word;
    int gain, timeout;
  };
  const Word words[] = {
      {std::nullopt, 15, 5}, {0, 12, 5},       {13, 12, 5},     {14, 15, 5},       {16, 15, 5},
      {17, 17, 5},           {2999, 17, 5},    {3000, 17, 3},   {3999, 17, 3},     {60000, 17, 60},
      {60999, 17, 60},       {61000, 17, 5},   {65535, 17, 5},
  };
  for (const Word& w : words) {
    SCOPED_TRACE(w.word.value_or(-1));
    EXPECT_EQ(recognition::decode_transmit_gain(w.word), w.gain);
    EXPECT_EQ(recognition::decode_channel_timeout(w.word), w.timeout);
  }

  const std::vector<std::uint8_t> edr_on = {0xFF, 0xFE, 0x8F, 0xF8, 0x18, 0x1E, 0x59, 0x83};
  const std::vector<std::uint8_t> edr_off = {0xFF, 0xFE, 0x8F, 0xFE, 0x98, 0xFF, 0x59, 0x83};
  EXPECT_EQ(recognition::decode_edr_pattern(edr_on), 1);
  EXPECT_EQ(recognition::decode_edr_pattern(edr_off), 0);
  EXPECT_EQ(recognition::decode_edr_pattern(std::span(edr_on).first(6)), 0);
  EXPECT_EQ(recognition::decode_edr_pattern({}), 0);
}

std::vector<std::uint8_t> bytes_of(const std::vector<std::uint16_t>& words) {
  std::vector<std::uint8_t> bytes;
  for (std::uint16_t word : words) {
    bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
  }
  return bytes;
}

TEST(LegacyKeys, FmBlockIsTakenRewrittenOrInitialized) {
  const std::vector<std::uint16_t> block = {0x66E9, 9450, 2, 8750, 8810, 9450, 9910, 10170, 10790, 0, 0, 0, 0, 1, 2};
  struct Case {
    const char* name;
    std::optional<std::vector<std::uint8_t>> bytes;
    bool rewrite;
    int magic, frequency, preset0, rds, region;
  };
  std::vector<std::uint16_t> foreign = block;
  foreign[0] = 0x1234;
  std::vector<std::uint16_t> shorter = block;
  shorter.pop_back();
  const Case cases[] = {
      {"initialized block", bytes_of(block), false, 0x66E9, 9450, 8750, 1, 2},
      {"another magic word", bytes_of(foreign), true, 0x56E9, 0, 0, 0, 0},
      {"14 words", bytes_of(shorter), false, 0x56E9, 0, 0, 0, 0},
      {"unread", std::nullopt, false, 0x56E9, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LegacySettings settings;
    std::optional<std::span<const std::uint8_t>> span;
    if (c.bytes) span = *c.bytes;
    EXPECT_EQ(recognition::decode_fm_block(span, settings), c.rewrite);
    EXPECT_EQ(settings.fmRadioMagicCode, c.magic);
    EXPECT_EQ(settings.fmRadioCurrentFrequency, c.frequency);
    EXPECT_EQ(settings.fmRadioPresets[0], c.preset0);
    EXPECT_EQ(settings.fmRadioRDS, c.rds);
    EXPECT_EQ(settings.fmRadioRegion, c.region);
  }
  const auto initialized = recognition::initialized_fm_block();
  EXPECT_EQ(initialized[0], 0x56E9);
  EXPECT_TRUE(std::all_of(initialized.begin() + 1, initialized.end(), [](std::uint16_t word) { return word == 0; }));
}

TEST(LegacyKeys, SpeedDials) {
  std::vector<std::uint8_t> buffer(256, 0);
  const std::string number = "+4930123";
  for (std::size_t i = 0; i < number.size(); ++i) buffer[2 * i] = static_cast<std::uint8_t>(number[i]);
  EXPECT_EQ(recognition::decode_speed_dial(buffer, 40), number);
  EXPECT_EQ(recognition::decode_speed_dial(buffer, 2), number) << "any count reads the 20 characters";
  EXPECT_EQ(recognition::decode_speed_dial(buffer, 0), "") << "a failed read is the empty number";
}

}  // namespace
