#include "recognition/settings_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "settings_transfer_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string hex_words(std::initializer_list<int> words) {
  std::string text;
  char word[8];
  for (int value : words) {
    std::snprintf(word, sizeof word, " %04X", value & 0xFFFF);
    text += word;
  }
  return text;
}

// A backup whose words are all told apart: LM6 word i is 0x0100 + i, VOX 3, 1,
// smart volume 2, 0, camera 0x07C1, 2, 20, 1; FM at 101.10 MHz, preset 3,
// presets from 87.50 MHz in 0.1 MHz steps, RDS on, region 2; speed dials "112",
// "" and "0049".
FEXOBluetoothDeviceData backup_of(int product, int major, int minor) {
  FEXOBluetoothDeviceData backup;
  backup.setDeviceRecognized(product);
  backup.setDeviceVersionMajor_Minor(major, minor);
  backup.setHandsfreeVOX(1);
  backup.setVoicePrompt(1);
  backup.setSidetone(1);
  for (int i = 0; i < 10; ++i) backup.setBasicSetting20At_with(i, 0x0100 + i);
  backup.setBasicSettingKR5VOXSensitivity_with(0, 3);
  backup.setBasicSettingKR5VOXSensitivity_with(1, 1);
  backup.setBasicSettingTJ4SmartVolumeControl_with(0, 2);
  for (int i = 0; i < 4; ++i) backup.setBasicSettingVT4Camera_with(i, std::array{0x07C1, 2, 20, 1}[i]);
  backup.setFmRadioCurrentFrequency(10110);
  backup.setFmRadioCurrentPreset(3);
  for (int i = 0; i < 10; ++i) backup.setFmRadioPresetsAt_with(i, 8750 + 10 * i);
  backup.setFmRadioRDS(1);
  backup.setFmRadioRegion(2);
  backup.setSpeedDialAt_with(0, std::string("112"));
  backup.setSpeedDialAt_with(1, std::string(""));
  backup.setSpeedDialAt_with(2, std::string("0049"));
  return backup;
}

const std::string k_fm_presets_0_5 = hex_words({0x222E, 0x2238, 0x2242, 0x224C, 0x2256, 0x2260});
const std::string k_fm_presets_6_9 = hex_words({0x226A, 0x2274, 0x227E, 0x2288});
// FM block in the 15-word form with `magic`, and in the six-preset form
std::string fm_15(int magic) {
  return hex_words({magic, 10110, 3}) + k_fm_presets_0_5 + k_fm_presets_6_9 + hex_words({1, 2});
}
const std::string k_fm_11 = hex_words({0x56E9, 10110, 3}) + k_fm_presets_0_5 + hex_words({1, 2});
// speed dials "112", "", "0049" in blocks `first`..`first + 2`; an empty number
// is one zero word where the family sends at least one
Lines speed_dials(int first, bool count_at_least_one) {
  char block[8];
  Lines lines;
  const std::string words[] = {hex_words({'1', '1', '2'}), count_at_least_one ? hex_words({0}) : "",
                               hex_words({'0', '0', '4', '9'})};
  for (int i = 0; i < 3; ++i) {
    std::snprintf(block, sizeof block, "%02X", first + i);
    lines.push_back(std::string("write ") + block + ":" + words[i]);
  }
  return lines;
}
Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SettingsWriteTest : public test_support::SettingsTransferFixture {
 protected:
  void write(std::uint32_t product, const FEXOBluetoothDeviceData& backup) {
    recognition::SettingsBlocks frames = blocks();
    quietly([&] { recognition::write_backed_up_settings(frames, product, backup); });
  }
};

TEST_F(SettingsWriteTest, EachFamilyWritesItsBlocksInTheTablesOrder) {
  struct Case {
    const char* name;
    std::uint32_t product;
    int major, minor;
    Lines (*expected)(const FEXOBluetoothDeviceData& backup);
  };
  const Case cases[] = {
      // every write committed, the six-preset FM block with its magic, an empty number as one zero word
      {"0x6030 commit family", 0x6030, 1, 3, [](const FEXOBluetoothDeviceData& b) {
         const std::string settings = hex_words({b.getSettings40(), 0, 0x0102, 0});
         return Lines{"write 04:" + settings, "commit 04:" + settings, "write 14: 0003", "commit 14: 0003",
                      "write 15:" + k_fm_11, "commit 15:" + k_fm_11} +
                speed_dials(0x5A, true);
       }},
      {"0x5410 has no FM block", 0x5410, 1, 0, [](const FEXOBluetoothDeviceData& b) {
         const std::string settings = hex_words({b.getSettings40(), 0});
         return Lines{"write 04:" + settings, "commit 04:" + settings, "write 14: 0003", "commit 14: 0003",
                      "write 03: 0002", "commit 03: 0002"} +
                speed_dials(0x5A, true);
       }},
      {"0x5412 FM with the six-preset magic", 0x5412, 1, 0, [](const FEXOBluetoothDeviceData& b) {
         const std::string settings = hex_words({b.getSettings40(), 0});
         return Lines{"write 04:" + settings, "commit 04:" + settings, "write 14: 0003", "commit 14: 0003",
                      "write 03: 0002", "commit 03: 0002", "write 15:" + fm_15(0x56E9), "commit 15:" + fm_15(0x56E9)} +
                speed_dials(0x5A, true);
       }},
      {"0x6020 writes VOX in block 0x12 and no FM", 0x6020, 1, 2, [](const FEXOBluetoothDeviceData& b) {
         const std::string settings = hex_words({b.getSettings40(), 0, 0, 0});
         return Lines{"write 04:" + settings, "commit 04:" + settings, "write 12: 0003", "commit 12: 0003"} +
                speed_dials(0x5A, true);
       }},
      {"0x5510 before camera firmware 2.0", 0x5510, 1, 9, [](const FEXOBluetoothDeviceData& b) {
         return Lines{"write 04:" + hex_words({b.getSettings40(), b.getSettings40Second()}), "write 07: 07C1 0002",
                      "write 15:" + fm_15(0x66E9)} +
                speed_dials(0x5A, true);
       }},
      {"0x5510 from camera firmware 2.0", 0x5510, 2, 0, [](const FEXOBluetoothDeviceData& b) {
         return Lines{"write 04:" + hex_words({b.getSettings40(), b.getSettings40Second()}), "write 07: 07C1 0002",
                      "write 1C: 0014 0001", "write 15:" + fm_15(0x66E9)} +
                speed_dials(0x5A, true);
       }},
      {"0x5622 before 1.1: smart volume only", 0x5622, 1, 0, [](const FEXOBluetoothDeviceData& b) {
         return Lines{"write 04:" + hex_words({b.getSettings40(), b.getSettings40Second()}), "write 03: 0002",
                      "write 15:" + fm_15(0x66E9)} +
                speed_dials(0x5A, true);
       }},
      {"0x5424 packed word, VOX and smart volume", 0x5424, 1, 0, [](const FEXOBluetoothDeviceData& b) {
         return Lines{"write 04:" + hex_words({b.getSettings40(), 0x0101}), "write 14: 0003", "write 03: 0002",
                      "write 15:" + fm_15(0x66E9)} +
                speed_dials(0x5A, false);
       }},
      {"0x6038 QCC packed word", 0x6038, 1, 0, [](const FEXOBluetoothDeviceData& b) {
         return Lines{"write 36:" + hex_words({b.getSettings40(), 0x0101}), "write 44:" + fm_15(0x66E9)} +
                speed_dials(0x37, false);
       }},
      {"0x5552 three words", 0x5552, 1, 0, [](const FEXOBluetoothDeviceData& b) {
         return Lines{"write 36:" + hex_words({b.getSettings40(), 0x0101, 0x0102}), "write 44:" + fm_15(0x66E9)} +
                speed_dials(0x37, false);
       }},
      {"0x4D06 FM never written", 0x4D06, 1, 0, [](const FEXOBluetoothDeviceData&) {
         return Lines{"write 36: 0100 0101"} + speed_dials(0x37, false);
       }},
      {"0x6461 speed dials only", 0x6461, 1, 0, [](const FEXOBluetoothDeviceData&) { return speed_dials(0x37, false); }},
      {"0x3110 before 2.1", 0x3110, 2, 0, [](const FEXOBluetoothDeviceData&) {
         return Lines{"write 04: 0100 0101", "write 15:" + fm_15(0x66E9)} + speed_dials(0x5A, false);
       }},
      {"0x3110 from 2.1", 0x3110, 2, 1, [](const FEXOBluetoothDeviceData&) {
         return Lines{"write 04: 0100 0101 0102 0103", "write 15:" + fm_15(0x66E9)} + speed_dials(0x5A, false);
       }},
      {"0x3142 keeps its speed dials", 0x3142, 1, 0, [](const FEXOBluetoothDeviceData&) {
         return Lines{"write 04: 0100 0101 0102 0103", "write 15:" + fm_15(0x66E9)};
       }},
      {"0x3210 FM and speed dials only", 0x3210, 1, 0, [](const FEXOBluetoothDeviceData&) {
         return Lines{"write 15:" + fm_15(0x66E9)} + speed_dials(0x5A, false);
       }},
      {"0x3560 mesh channel and volume", 0x3560, 1, 0,
       [](const FEXOBluetoothDeviceData&) { return Lines{"write 20: 0100", "write 1F: 0101"}; }},
      {"0x4050 settings word only", 0x4050, 1, 0, [](const FEXOBluetoothDeviceData& b) {
         return Lines{"write 04:" + hex_words({b.getSettings40(), 0x0101})};
       }},
      {"0x5345 writes nothing", 0x5345, 1, 0, [](const FEXOBluetoothDeviceData&) { return Lines{}; }},
      {"a product without a row writes nothing", 0x1234, 1, 0,
       [](const FEXOBluetoothDeviceData&) { return Lines{}; }},
  };
  auto device = plug_into(0, sim::hid_fixture_6020());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FEXOBluetoothDeviceData backup = backup_of(static_cast<int>(c.product), c.major, c.minor);
    write(c.product, backup);
    EXPECT_EQ(test_support::block_traffic(*device), c.expected(backup));
  }
}

// The LM6 keeps its settings and FM blocks in the unit on slot 1 and its speed
// dials on slot 0; how many settings words go depends on the backup's firmware.
TEST_F(SettingsWriteTest, TwoModuleFamilyWritesSettingsOnSlotOneAndSpeedDialsOnSlotZero) {
  struct Case {
    std::uint32_t product;
    int major, minor;
    std::string settings;
  };
  const Case cases[] = {
      {0x4210, 1, 0, hex_words({0x0100, 0x0101, 0x0102})},
      {0x4210, 1, 1, hex_words({0x0100, 0x0101, 0x0102, 0x0103})},
      {0x4210, 1, 2, hex_words({0x0100, 0x0101, 0x0102, 0x0103, 0x0104, 0x0105, 0x0106, 0x0107, 0x0108, 0x0109})},
      {0x4310, 1, 0, hex_words({0x0100, 0x0101, 0x0102, 0x0103, 0x0104, 0x0105, 0x0106, 0x0107, 0x0108, 0x0109})},
  };
  auto main_unit = plug_into(0, sim::hid_fixture_4210());
  auto second_unit = plug_into(1, sim::hid_fixture_4210_second_unit());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.product) + " " + std::to_string(c.major) + "." + std::to_string(c.minor));
    write(c.product, backup_of(static_cast<int>(c.product), c.major, c.minor));
    EXPECT_EQ(test_support::block_traffic(*second_unit), (Lines{"write 04:" + c.settings, "write 15:" + fm_15(0x66E9)}));
    EXPECT_EQ(test_support::block_traffic(*main_unit), speed_dials(0x5A, false));
  }
  EXPECT_EQ(second_unit->block(0x04).size(), 10u);
}

TEST_F(SettingsWriteTest, FramesAreExactAndTheCommitRepeatsTheWriteLowByteFirst) {
  auto device = plug_into(0, sim::hid_fixture_6020());
  write(0x6020, backup_of(0x6020, 1, 2));
  const auto reports = device->take_output_reports();
  ASSERT_GE(reports.size(), 2u);
  const std::vector<std::uint8_t>& write = reports[0];
  const std::vector<std::uint8_t>& commit = reports[1];
  ASSERT_EQ(write.size(), 1023u);
  const int packed = backup_of(0x6020, 1, 2).getSettings40();
  const std::vector<std::uint8_t> head{1,    0x04, 0x04, 4, static_cast<std::uint8_t>(packed >> 8),
                                       static_cast<std::uint8_t>(packed & 0xFF), 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(write.begin(), write.begin() + 12), head);
  EXPECT_TRUE(std::all_of(write.begin() + 12, write.end(), [](std::uint8_t b) { return b == 0; }));
  std::vector<std::uint8_t> expected_commit = write;
  expected_commit[1] = 0x11;
  std::swap(expected_commit[4], expected_commit[5]);
  EXPECT_EQ(commit, expected_commit);
  EXPECT_EQ(device->commits(), 2);  // settings word and VOX blocks
  EXPECT_EQ(device->block(0x04), (std::vector<std::uint16_t>{static_cast<std::uint16_t>(packed), 0, 0, 0}));
}

TEST_F(SettingsWriteTest, AirohaWritesItsThreeWordsOverTheLanguagePackChannel) {
  auto device = plug_into(0, sim::hid_fixture_6800());
  write(0x6800, backup_of(0x6800, 2, 1));
  EXPECT_EQ(device->lang_pack_settings(), (std::array<std::uint16_t, 3>{0x0100, 0x0101, 0x0102}));
  const auto reports = device->take_output_reports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(std::vector<std::uint8_t>(reports[0].begin(), reports[0].begin() + 11),
            (std::vector<std::uint8_t>{1, '<', 0x04, 0x03, 0x00, 0x01, 0x01, 0x01, 0x02, 0x01, 0}));
  EXPECT_NE(m_log.find("Set HEX airoha [0100], 1=[0101], 2=[0102]"), std::string::npos);
  device->take_received();  // the reply polls
}

TEST_F(SettingsWriteTest, RefusedWritesAreNotRetriedAndTheRestFollows) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.failing_blocks = {0x04, 0x15};
  auto device = plug_into(0, options);
  const FEXOBluetoothDeviceData backup = backup_of(0x5520, 1, 0);
  write(0x5520, backup);
  EXPECT_EQ(test_support::block_traffic(*device),
            (Lines{"write 04:" + hex_words({backup.getSettings40(), backup.getSettings40Second()}), "write 14: 0003",
                   "write 15:" + fm_15(0x66E9)} +
             speed_dials(0x5A, true)));
}

}  // namespace
