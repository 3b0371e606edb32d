#include "recognition/settings_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings_transfer_fixture.h"

namespace {

using namespace recognition;
using Lines = std::vector<std::string>;
using Blocks = std::map<std::uint8_t, std::vector<std::uint16_t>>;

// Values the read never stores by itself, so "left as it was" shows.
constexpr std::int32_t k_kept = 0x7777;
constexpr std::array<std::int32_t, 2> k_kept_pair{k_kept, k_kept};

constexpr std::uint32_t k_common_failure = k_handsfree_vox | k_plc | k_bitpool_rate | k_microphone_boost |
                                           k_audio_boost | k_hd_intercom | k_fm_station_guide;
constexpr std::uint32_t k_full_ffff = 0xFF7F;
constexpr std::uint32_t k_navigation_ffff = 0x0F7F | k_smart_navi_system;

// The on/off fields of `record` as OnOffField bits; a field other than 0 or 1 shows as bit 31.
std::uint32_t fields_of(const FEXOBluetoothDeviceData& record) {
  const std::pair<std::int32_t, std::uint32_t> fields[] = {
      {record.handsfreeVOX(), k_handsfree_vox},
      {record.intercomVOX(), k_intercom_vox},
      {record.edr(), k_edr},
      {record.voicePrompt(), k_voice_prompt},
      {record.plc(), k_plc},
      {record.bitpoolRate(), k_bitpool_rate},
      {record.microphoneBoost(), k_microphone_boost},
      {record.sidetone(), k_sidetone},
      {record.ambientHushControl(), k_ambient_hush_control},
      {record.audioBoost(), k_audio_boost},
      {record.hdIntercom(), k_hd_intercom},
      {record.fmStationGuide(), k_fm_station_guide},
      {record.hdVoice(), k_hd_voice},
      {record.audioSourcePriority(), k_audio_source_priority},
      {record.audioVeneer(), k_audio_veneer},
      {record.smartNaviSystem(), k_smart_navi_system},
      {record.autoOnOff(), k_auto_on_off},
      {record.autoStartRecording(), k_auto_start_recording},
  };
  std::uint32_t mask = record.autoGainControl() == 0 ? 0 : 1u << 31;
  for (const auto& [value, bit] : fields) {
    if (value == 1) mask |= bit;
    if (value != 0 && value != 1) mask |= 1u << 31;
  }
  return mask;
}

const std::set<std::string> k_fm_blocks = {"15", "44"};
const std::set<std::string> k_speed_dial_blocks = {"37", "38", "39", "5A", "5B", "5C"};

// The lines of `traffic` about the blocks `blocks` (written "05", "15").
Lines lines_about(const Lines& traffic, const std::set<std::string>& blocks) {
  Lines kept;
  for (const std::string& line : traffic) {
    const std::size_t block = line.find_first_of("0123456789ABCDEF", line.find(' '));
    if (block != std::string::npos && blocks.contains(line.substr(block, 2))) kept.push_back(line);
  }
  return kept;
}

// The reads of the settings words: the address, FM and speed-dial blocks left out.
Lines settings_traffic(const Lines& traffic) {
  Lines kept;
  for (const std::string& line : traffic) {
    if (line == "address" || !lines_about({line}, k_fm_blocks).empty() ||
        !lines_about({line}, k_speed_dial_blocks).empty()) {
      continue;
    }
    kept.push_back(line);
  }
  return kept;
}

class SettingsReadTest : public test_support::SettingsTransferFixture {
 protected:
  SettingsReadTest() {
    FEXOBluetoothDeviceData& record = m_controller.data();
    for (int i = 0; i < 10; ++i) record.setBasicSetting20At_with(i, k_kept);
    for (int i = 0; i < 2; ++i) {
      record.setBasicSettingKR5VOXSensitivity_with(i, k_kept);
      record.setBasicSettingTJ4SmartVolumeControl_with(i, k_kept);
    }
    for (int i = 0; i < 4; ++i) record.setBasicSettingVT4Camera_with(i, k_kept);
    m_controller.setDevice50SpeakerType(-1);
  }

  std::shared_ptr<sim::HidModel> plug(const Blocks& blocks, const std::set<std::uint8_t>& failing = {},
                                      sim::HidModelOptions options = sim::hid_fixture_6020()) {
    options.blocks = blocks;
    options.failing_blocks = failing;
    return plug_into(0, options);
  }

  void read(std::uint32_t product, const std::optional<FEXOBluetoothDeviceData>& backup = std::nullopt) {
    recognition::SettingsBlocks frames = blocks();
    quietly([&] { recognition::read_settings(frames, product, m_controller, backup); });
  }

  bool logged(const std::string& line) const { return m_log.find(line) != std::string::npos; }
  FEXOBluetoothDeviceData& record() { return m_controller.data(); }
  std::array<std::int32_t, 2> vox() {
    return {record().basicSettingKR5VOXSensitivityAt(0), record().basicSettingKR5VOXSensitivityAt(1)};
  }
  std::array<std::int32_t, 2> smart_volume() {
    return {record().basicSettingTJ4SmartVolumeControlAt(0), record().basicSettingTJ4SmartVolumeControlAt(1)};
  }
  std::map<int, std::int32_t> changed_lm6() {
    std::map<int, std::int32_t> changed;
    for (int i = 0; i < 10; ++i) {
      if (record().basicSettingLM6(i) != k_kept) changed[i] = record().basicSettingLM6(i);
    }
    return changed;
  }
};

// Every family row of the settings-word read, with its success and its failure
// column: the blocks read, the LM6 words stored (others left as they were), the
// on/off fields and the VOX and smart-volume words.
TEST_F(SettingsReadTest, EachFamilyStoresItsWordsOrItsFailureDefaults) {
  struct Case {
    const char* name;
    std::uint32_t product;
    Blocks blocks;
    std::set<std::uint8_t> failing;
    Lines reads;
    std::map<int, std::int32_t> lm6;
    std::uint32_t fields;
    std::array<std::int32_t, 2> vox = k_kept_pair;
    std::array<std::int32_t, 2> smart = k_kept_pair;
  };
  const Blocks ffff{{0x04, {0xFFFF}}};
  const Case cases[] = {
      // copying families: words as they come, every on/off field off
      {"0x3110 copies", 0x3110, {{0x04, {0x1C21, 0x0583, 0x0010, 0x0002}}}, {}, {"read 04"},
       {{0, 0x1C21}, {1, 0x0583}, {2, 0x0010}, {3, 0x0002}}, 0},
      {"0x3110 failing", 0x3110, {}, {0x04}, {"read 04"}, {{0, 0x1C21}, {1, 0x0583}}, 0},
      {"word count 0 copies nothing", 0x3146, {{0x04, {}}}, {}, {"read 04"}, {}, 0},
      {"0x3140 failing", 0x3140, {}, {0x04}, {"read 04"}, {{0, 0x1821}, {1, 0x0583}}, 0},
      {"0x3116 failing", 0x3116, {}, {0x04}, {"read 04"}, {{0, 0x1C21}, {1, 0x0583}, {2, 0}, {3, 0x20}}, 0},
      {"0x3118 failing", 0x3118, {}, {0x04}, {"read 04"}, {{0, 0x1C21}, {1, 0x0583}, {2, 0xFFFF}, {3, 0x20}}, 0},
      {"0x3142 failing", 0x3142, {}, {0x04}, {"read 04"}, {{0, 0x1D21}, {1, 0x0183}}, 0},
      {"0x3112 failing", 0x3112, {}, {0x04}, {"read 04"}, {{0, 0x1C21}, {1, 0x0583}, {2, 0x0066}}, 0},
      {"0x3330 failing", 0x3330, {}, {0x04}, {"read 04"}, {{0, 0x1C21}, {1, 0x0583}}, 0},
      {"0x3150 block 0x36", 0x3150, {{0x36, {0x1421, 0x0005}}}, {}, {"read 36"}, {{0, 0x1421}, {1, 0x0005}}, 0},
      {"0x3150 failing", 0x3150, {}, {0x36}, {"read 36"}, {{0, 0x1C21}, {1, 0x0583}}, 0},
      {"0x4D06 failing", 0x4D06, {}, {0x36}, {"read 36"}, {{0, 0x1421}, {1, 0x0200}}, 0},
      // packed settings word of the QCC families in block 0x36
      {"0x3052", 0x3052, {{0x36, {0xFFFF, 0x1234, 0x5678}}}, {}, {"read 36"}, {{1, 0x1234}}, k_full_ffff},
      {"0x3052 failing", 0x3052, {}, {0x36}, {"read 36"}, {{1, 0x0020}}, k_common_failure},
      {"0x5552 three words", 0x5552, {{0x36, {0x0039, 0x1234, 0x5678}}}, {}, {"read 36"},
       {{1, 0x1234}, {2, 0x5678}}, k_handsfree_vox | k_voice_prompt | k_plc | k_bitpool_rate},
      {"0x5552 failing keeps word 2", 0x5552, {}, {0x36}, {"read 36"}, {{1, 0x0020}}, k_common_failure},
      {"0x6038 with VOX", 0x6038, {{0x36, {0xFFFF, 0x0050}}, {0x17, {4, 1}}}, {}, {"read 36", "read 17"},
       {{1, 0x0050}}, k_full_ffff, {4, 1}},
      {"0x6038 failing: no VOX read", 0x6038, {}, {0x36}, {"read 36"}, {{1, 0x0020}}, k_common_failure},
      {"0x6038 VOX failing", 0x6038, {{0x36, {0, 0}}}, {0x17}, {"read 36", "read 17"}, {{1, 0}}, 0, {2, 0}},
      // commit families announce their blocks first
      {"0x5410", 0x5410, {{0x04, {0xFFFF}}, {0x14, {5, 1}}, {0x03, {1, 2}}}, {},
       {"announce 04", "announce 14", "announce 03", "read 04", "read 14", "read 03"}, {}, k_full_ffff, {5, 1},
       {1, 2}},
      {"0x5410 failing: VOX and smart volume defaults", 0x5410, {}, {0x04},
       {"announce 04", "announce 14", "announce 03", "read 04"}, {}, k_common_failure, {3, 0}, {0, 0}},
      {"0x5418 VOX and smart volume failing", 0x5418, ffff, {0x14, 0x03},
       {"announce 04", "announce 14", "announce 03", "read 04", "read 14", "read 03"}, {}, k_full_ffff, {3, 0},
       {0, 0}},
      {"0x6010 navigation", 0x6010, {{0x04, {0x2005, 0, 0x0070, 0x0004}}, {0x14, {6, 2}}}, {},
       {"announce 04", "announce 14", "read 04", "read 14"}, {{2, 0x0070}, {3, 0x0004}},
       k_handsfree_vox | k_edr | k_smart_navi_system, {6, 2}},
      {"0x6010 failing", 0x6010, {}, {0x04}, {"announce 04", "announce 14", "read 04"}, {{2, 0x68}, {3, 0}},
       k_common_failure & ~k_fm_station_guide},
      {"0x6014 failing", 0x6014, {}, {0x04}, {"announce 04", "announce 14", "read 04"}, {{2, 0x6B}, {3, 0}},
       k_common_failure & ~k_fm_station_guide},
      {"0x6010 VOX failing", 0x6012, ffff, {0x14}, {"announce 04", "announce 14", "read 04", "read 14"},
       {{2, 0}, {3, 0}}, k_navigation_ffff, {2, 0}},
      {"0x6030 automatic on/off", 0x6030, ffff, {0x14}, {"announce 04", "announce 14", "read 04", "read 14"},
       {{2, 0}, {3, 0}}, k_navigation_ffff | k_auto_on_off | k_audio_veneer, {2, 0}},
      {"0x6028 failing", 0x6028, {}, {0x04}, {"announce 04", "announce 14", "read 04"}, {{2, 0x6B}, {3, 0}},
       (k_common_failure & ~k_fm_station_guide) | k_auto_on_off},
      // block 0x12 holds VOX word 0 only; a failed settings word leaves both VOX words
      {"0x6020 word 0xFFFF", 0x6020, {{0x04, {0xFFFF}}, {0x12, {9, 9}}}, {},
       {"announce 04", "announce 12", "read 04", "read 12"}, {}, k_navigation_ffff, {9, k_kept}},
      {"0x6020 VOX failing", 0x6022, ffff, {0x12}, {"announce 04", "announce 12", "read 04", "read 12"}, {},
       k_navigation_ffff, {2, 0}},
      {"0x6020 failing", 0x6024, {}, {0x04}, {"announce 04", "announce 12", "read 04"}, {},
       k_common_failure & ~k_fm_station_guide},
      // further blocks read whatever the settings word did
      {"0x5424 failing still reads VOX and smart volume", 0x5424, {{0x14, {5, 1}}, {0x03, {2, 0}}}, {0x04},
       {"read 04", "read 14", "read 03"}, {{1, 0x0020}}, k_common_failure, {5, 1}, {2, 0}},
      {"0x5424", 0x5434, {{0x04, {0xFFFF, 0x0042}}}, {0x14, 0x03}, {"read 04", "read 14", "read 03"}, {{1, 0x0042}},
       k_full_ffff, {3, 0}, {0, 0}},
      {"0x5520 failing still reads VOX", 0x5520, {{0x14, {5, 1}}}, {0x04}, {"read 04", "read 14"}, {},
       k_common_failure, {5, 1}},
      {"0x5520 VOX failing", 0x6400, ffff, {0x14}, {"read 04", "read 14"}, {}, k_full_ffff, {3, 0}},
      {"0x5526 failing: no VOX read", 0x5526, {{0x14, {5, 1}}}, {0x04}, {"read 04"}, {}, k_common_failure, {3, 0}},
      {"0x5526", 0x5526, {{0x04, {0xFFFF}}, {0x14, {5, 1}}}, {}, {"read 04", "read 14"}, {}, k_full_ffff, {5, 1}},
      {"0x5720 to bit 12", 0x5720, {{0x04, {0xFFFF}}, {0x14, {5, 1}}}, {}, {"read 04", "read 14"}, {}, 0x1F7F,
       {5, 1}},
      {"0x5622 without a backup reads VOX", 0x5622, {{0x04, {0xFFFF}}, {0x03, {1, 1}}, {0x14, {4, 0}}}, {},
       {"read 04", "read 03", "read 14"}, {}, k_full_ffff, {4, 0}, {1, 1}},
      {"0x5623 has no smart volume", 0x5623, ffff, {0x14}, {"read 04", "read 14"}, {}, k_full_ffff, {3, 0}},
      {"0x5624 failing", 0x5624, {}, {0x04, 0x03, 0x14}, {"read 04", "read 03", "read 14"}, {}, k_common_failure,
       {3, 0}, {0, 0}},
      {"0x5570", 0x5570, {{0x04, {0xFFFF, 0x0042}}}, {}, {"read 04"}, {{1, 0x0042}}, k_full_ffff},
      {"0x5570 failing", 0x5580, {}, {0x04}, {"read 04"}, {{1, 0}}, k_common_failure},
      {"0x5576 automatic recording start", 0x5576, {{0x04, {0x0001, 0x0001}}}, {}, {"read 04"}, {},
       k_handsfree_vox | k_auto_start_recording},
      {"0x5576 failing", 0x5576, {}, {0x04}, {"read 04"}, {}, k_common_failure},
      {"0x3300", 0x3300, {{0x04, {0xFFFF, 0x0042}}}, {}, {"read 04"}, {{1, 0x0042}}, k_full_ffff},
      {"0x3300 failing", 0x6335, {}, {0x04}, {"read 04"}, {{1, 0x0020}}, k_common_failure},
      {"0x5524 failing", 0x5524, {}, {0x04}, {"read 04"}, {}, k_common_failure & ~k_audio_boost},
      {"0x3030 to bit 12", 0x3030, ffff, {}, {"read 04"}, {}, 0x1F7F},
      {"0x3030 failing", 0x5522, {}, {0x04}, {"read 04"}, {}, k_common_failure & ~k_audio_boost},
      {"0x5710 failing", 0x5710, {}, {0x04}, {"read 04"}, {}, k_common_failure},
      {"0x5532 to bit 13", 0x5532, ffff, {}, {"read 04"}, {}, 0x3F7F},
      {"0x5550 has no VOX or sidetone bits", 0x5550, ffff, {}, {"read 04"}, {}, 0xFE7C},
      {"0x5550 failing", 0x5550, {}, {0x04}, {"read 04"}, {}, k_common_failure & ~k_handsfree_vox},
      {"0x6210 has no sidetone bit", 0x6210, ffff, {}, {"read 04"}, {}, 0xFE7F},
      {"0x5536 five bits", 0x5536, ffff, {}, {"read 04"}, {},
       k_voice_prompt | k_bitpool_rate | k_ambient_hush_control | k_audio_boost | k_fm_station_guide},
      {"0x5536 failing", 0x5536, {}, {0x04}, {"read 04"}, {}, k_bitpool_rate | k_fm_station_guide},
      {"0x5560 station guide only", 0x5562, ffff, {}, {"read 04"}, {}, k_fm_station_guide},
      {"0x5560 failing", 0x5560, {}, {0x04}, {"read 04"}, {}, k_fm_station_guide},
      {"0x3550 reads no settings word", 0x3550, ffff, {}, {}, {}, 0},
      {"0x5345 reads no settings word", 0x5345, ffff, {}, {}, {}, 0},
      {"other products: the full layout", 0x5530, ffff, {}, {"read 04"}, {}, k_full_ffff},
      {"other products failing", 0x6900, {}, {0x04}, {"read 04"}, {}, k_common_failure},
      // mesh channel products read their channel blocks before the settings word
      {"0x3560 channel and volume", 0x3560, {{0x20, {3}}, {0x1F, {7}}, {0x04, {0x0001}}}, {},
       {"read 20", "read 1F", "read 04"}, {{0, 3}, {1, 7}}, k_handsfree_vox},
      {"0x3560 failing", 0x3560, {}, {0x20, 0x1F, 0x04}, {"read 20", "read 1F", "read 04"}, {{0, 1}, {1, 10}},
       k_common_failure},
      {"0x3500 channel only", 0x3500, {{0x20, {4}}}, {}, {"read 20", "read 04"}, {{0, 4}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.blocks, c.failing);
    for (int i = 0; i < 10; ++i) record().setBasicSetting20At_with(i, k_kept);
    for (int i = 0; i < 2; ++i) {
      record().setBasicSettingKR5VOXSensitivity_with(i, k_kept);
      record().setBasicSettingTJ4SmartVolumeControl_with(i, k_kept);
    }
    record().setAutoGainControl(1);
    read(c.product);
    EXPECT_EQ(settings_traffic(test_support::block_traffic(*device)), c.reads);
    EXPECT_EQ(changed_lm6(), c.lm6);
    EXPECT_EQ(fields_of(record()), c.fields) << std::hex << fields_of(record()) << " " << c.fields;
    EXPECT_EQ(vox(), c.vox);
    EXPECT_EQ(smart_volume(), c.smart);
    hid_close_all();
    sim::detach(*device);
  }
}

TEST_F(SettingsReadTest, VersionGatedReads) {
  struct Case {
    const char* name;
    std::uint32_t product;
    std::pair<int, int> record_version;
    std::optional<std::pair<int, int>> backup_version;
    std::set<std::uint8_t> failing;
    Lines reads;
    std::array<std::int32_t, 4> camera;
  };
  const Case cases[] = {
      {"0x5510 at 1.9", 0x5510, {1, 9}, std::nullopt, {}, {"read 04", "read 07"}, {0x07C1, 2, k_kept, k_kept}},
      {"0x5510 at 2.0", 0x5510, {2, 0}, std::nullopt, {}, {"read 04", "read 07", "read 1C"}, {0x07C1, 2, 20, 1}},
      {"0x5510 camera failing", 0x5510, {2, 1}, std::nullopt, {0x07, 0x1C}, {"read 04", "read 07", "read 1C"},
       {0x07C0, 0, 20, 0}},
      // the backup a restore hands over decides, not the device's version
      {"0x5622 after a restore of 1.0", 0x5622, {1, 2}, std::pair{1, 0}, {}, {"read 04", "read 03"},
       {k_kept, k_kept, k_kept, k_kept}},
      {"0x5622 after a restore of 1.1", 0x5622, {1, 0}, std::pair{1, 1}, {}, {"read 04", "read 03", "read 14"},
       {k_kept, k_kept, k_kept, k_kept}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug({{0x07, {0x07C1, 2}}, {0x1C, {20, 1}}}, c.failing);
    for (int i = 0; i < 4; ++i) record().setBasicSettingVT4Camera_with(i, k_kept);
    record().setDeviceVersionMajor_Minor(c.record_version.first, c.record_version.second);
    std::optional<FEXOBluetoothDeviceData> backup;
    if (c.backup_version) {
      backup.emplace();
      backup->setDeviceVersionMajor_Minor(c.backup_version->first, c.backup_version->second);
    }
    read(c.product, backup);
    EXPECT_EQ(settings_traffic(test_support::block_traffic(*device)), c.reads);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(record().basicSettingVT4CameraAt(i), c.camera[static_cast<std::size_t>(i)]);
    hid_close_all();
    sim::detach(*device);
  }
}

TEST_F(SettingsReadTest, MeshFamilyGivesTheControllerItsSpeakerType) {
  auto device = plug({{0x04, {0x1C21, 0x0583, 0, 0, 0x0003}}});
  read(0x3210);
  EXPECT_EQ(m_controller.device50SpeakerType(), 3);
  EXPECT_TRUE(logged("wq8 speaker type = [3]"));
  EXPECT_TRUE(logged("WQ8 data[4] = 0003"));
  device->take_output_reports();
  hid_close_all();
  sim::detach(*device);

  // a failed read leaves the type the presence step set
  m_controller.setDevice50SpeakerType(0);
  for (int i = 0; i < 10; ++i) record().setBasicSetting20At_with(i, k_kept);
  auto failing = plug({}, {0x04});
  read(0x3210);
  EXPECT_EQ(m_controller.device50SpeakerType(), 0);
  EXPECT_EQ(changed_lm6(), (std::map<int, std::int32_t>{{0, 0x1C21}, {1, 0x0583}}));
  failing->take_output_reports();
}

// A copying family takes at most the ten words the record keeps, and never
// reads past the reply; words past the count the device reported read as 0
// everywhere, never as bytes of an earlier reply.
TEST_F(SettingsReadTest, RepliesAreReadOnlyAsFarAsTheirWordCount) {
  std::vector<std::uint16_t> thirty_one(31);
  for (std::size_t i = 0; i < thirty_one.size(); ++i) thirty_one[i] = static_cast<std::uint16_t>(0x0A00 + i);
  {
    SCOPED_TRACE("31 words copy ten");
    auto device = plug({{0x04, thirty_one}});
    read(0x3110);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(record().basicSettingLM6(i), 0x0A00 + i);
    device->take_output_reports();
    hid_close_all();
    sim::detach(*device);
  }
  {
    SCOPED_TRACE("a count past the report copies the words inside it");
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.faults.word_count_offset = 200;
    auto device = plug({{0x04, {0x0101, 0x0202}}}, {}, options);
    read(0x3110);
    EXPECT_EQ(changed_lm6(), (std::map<int, std::int32_t>{{0, 0x0101}, {1, 0x0202}, {2, 0}, {3, 0}, {4, 0},
                                                           {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}}));
    device->take_output_reports();
    hid_close_all();
    sim::detach(*device);
  }
  {
    SCOPED_TRACE("a short count");
    sim::HidModelOptions options = sim::hid_fixture_6020();
    // every block reports 9 words fewer than the device sends
    options.faults.word_count_offset = -9;
    options.blocks = {{0x04, {0xFFFF, 0x0042, 0x0070, 0x0004, 0, 0, 0, 0, 0, 0, 0}},
                      {0x14, {5, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
                      {0x15, {0x56E9, 10110, 2, 8750, 8760, 8770, 8780, 8790, 8800, 1, 2, 9, 9, 9, 9}},
                      {0x5A, {'0', '0', '4', '9', '3', '0', '1', '2', '3', '4', '5'}}};
    auto device = plug_into(0, options);
    read(0x6030);
    // settings word block: 2 of 11 words counted
    EXPECT_EQ(record().basicSettingLM6(2), 0);
    EXPECT_EQ(record().basicSettingLM6(3), 0);
    // VOX block: 1 of 10
    EXPECT_EQ(vox(), (std::array<std::int32_t, 2>{5, 0}));
    // FM block: 6 of 15, so presets 3-5, RDS and region read 0
    EXPECT_EQ(record().fmRadioPresetsAt(2), 8770);
    EXPECT_EQ(record().fmRadioPresetsAt(3), 0);
    EXPECT_EQ(record().fmRadioRDS(), 0);
    EXPECT_EQ(record().fmRadioRegion(), 0);
    // speed dial: 2 of 11 characters
    EXPECT_EQ(record().speedDialAt(0), "00");
    device->take_output_reports();
  }
}

TEST_F(SettingsReadTest, FmBlockByFamily) {
  struct Case {
    const char* name;
    std::uint32_t product;
    std::uint8_t block;  // where the device keeps it
    bool fails;
    Lines fm_traffic;
    std::int32_t magic;
    std::array<std::int32_t, 10> presets;
    std::int32_t rds, region;
  };
  const std::vector<std::uint16_t> fifteen{0x66E9, 10110, 3, 8750, 8760, 8770, 8780, 8790, 8800, 8810, 8820, 8830, 8840, 1, 2};
  const std::vector<std::uint16_t> eleven{0x56E9, 10110, 3, 8750, 8760, 8770, 8780, 8790, 8800, 1, 5};
  const std::array<std::int32_t, 10> ten{8750, 8760, 8770, 8780, 8790, 8800, 8810, 8820, 8830, 8840};
  const std::array<std::int32_t, 10> six{8750, 8760, 8770, 8780, 8790, 8800, 0, 0, 0, 0};
  const std::array<std::int32_t, 10> none{};
  const std::array<std::int32_t, 10> kept{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const Case cases[] = {
      {"QCC block 0x44", 0x6038, 0x44, false, {"read 44"}, 0x66E9, ten, 1, 2},
      {"block 0x15", 0x5520, 0x15, false, {"read 15"}, 0x66E9, ten, 1, 2},
      {"0x4D06 reads 0x15", 0x4D06, 0x15, false, {"read 15"}, 0x66E9, ten, 1, 2},
      {"six presets, announced first", 0x6030, 0x15, false, {"announce 15", "read 15"}, 0x56E9, six, 1, 5},
      {"0x5412 announced first", 0x5412, 0x15, false, {"announce 15", "read 15"}, 0x66E9, ten, 1, 2},
      {"0x6020 read only, not announced", 0x6020, 0x15, false, {"read 15"}, 0x66E9, ten, 1, 2},
      {"failed read", 0x5520, 0x15, true, {"read 15"}, 0x56E9, none, 0, 0},
      {"0x5410 has none", 0x5410, 0x15, false, {}, 0, kept, 0, 0},
      {"0x5345 has none", 0x5345, 0x15, false, {}, 0, kept, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool six_presets = c.product == 0x6030;
    auto device = plug({{c.block, six_presets ? eleven : fifteen}}, c.fails ? std::set<std::uint8_t>{c.block}
                                                                          : std::set<std::uint8_t>{});
    for (int i = 0; i < 10; ++i) record().setFmRadioPresetsAt_with(i, 1);
    record().setFmRadioRDS(7);
    record().setFmRadioMagicCode(7);
    read(c.product);
    EXPECT_EQ(lines_about(test_support::block_traffic(*device), k_fm_blocks), c.fm_traffic);
    EXPECT_EQ(record().fmRadioMagicCode(), c.magic);
    const std::int32_t frequency = c.magic == 0 || c.fails ? 0 : 10110;
    EXPECT_EQ(record().fmRadioCurrentFrequency(), frequency);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(record().fmRadioPresetsAt(i), c.presets[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(record().fmRadioRDS(), c.rds);
    EXPECT_EQ(record().fmRadioRegion(), c.region);
    hid_close_all();
    sim::detach(*device);
  }
}

TEST_F(SettingsReadTest, SpeedDialsByFamily) {
  struct Case {
    const char* name;
    std::uint32_t product;
    std::uint8_t first_block;
    Lines dial_traffic;
    std::array<std::optional<std::string>, 3> numbers;
  };
  const auto reads = [](int first) {
    char line[16];
    Lines lines;
    for (int i = 0; i < 3; ++i) {
      std::snprintf(line, sizeof line, "read %02X", first + i);
      lines.push_back(line);
    }
    return lines;
  };
  Lines announced = {"announce 5A", "announce 5B", "announce 5C"};
  const Lines second_set = reads(0x5A);
  announced.insert(announced.end(), second_set.begin(), second_set.end());
  const Case cases[] = {
      {"first set", 0x6461, 0x37, reads(0x37), {"0049301234", "", "112"}},
      {"second set", 0x5520, 0x5A, reads(0x5A), {"0049301234", "", "112"}},
      {"commit family announces them", 0x6020, 0x5A, announced, {"0049301234", "", "112"}},
      // a number that cannot be read is stored empty
      {"unreadable first number", 0x3110, 0x5A, reads(0x5A), {"", "", "112"}},
      {"0x5345 has none", 0x5345, 0x5A, {}, {"kept", "kept", "kept"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Blocks blocks{{c.first_block, sim::character_words("0049301234")},
                        {static_cast<std::uint8_t>(c.first_block + 2), sim::character_words("112")}};
    auto device = plug(blocks, c.product == 0x3110 ? std::set<std::uint8_t>{0x5A} : std::set<std::uint8_t>{});
    for (int i = 0; i < 3; ++i) record().setSpeedDialAt_with(i, std::string("kept"));
    read(c.product);
    EXPECT_EQ(lines_about(test_support::block_traffic(*device), k_speed_dial_blocks), c.dial_traffic);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(record().speedDialAt(i), c.numbers[static_cast<std::size_t>(i)]) << i;
    hid_close_all();
    sim::detach(*device);
  }
}

TEST_F(SettingsReadTest, AirohaReadsEverythingOverTheLanguagePackChannel) {
  auto device = plug_into(0, sim::hid_fixture_6800());
  record().setFmRadioMagicCode(7);
  read(0x6800);
  EXPECT_EQ(test_support::block_traffic(*device),
            (Lines{"lang 02 00", "lang 03 03", "lang 03 05", "lang 03 06", "lang 03 07"}));
  EXPECT_EQ(record().bdAddress(), "001A7D[DA7113]");
  EXPECT_EQ(record().deviceBdAddress(), "001A7DDA7113");
  EXPECT_EQ(changed_lm6(), (std::map<int, std::int32_t>{{0, 0x0013}, {1, 0x2345}, {2, 0x0007}}));
  EXPECT_TRUE(logged("Get Total HEX AIROHA 0=[0013], 1=[2345], 2=[0007]"));
  EXPECT_EQ(fields_of(record()), 0u);
  EXPECT_EQ(record().fmRadioMagicCode(), 0);
  EXPECT_EQ(record().speedDialAt(0), "5551234");
  EXPECT_EQ(record().speedDialAt(1), "");
  EXPECT_EQ(record().speedDialAt(2), "0800 11");
  device->take_received();

  // 0x6801 has no speed dials; a silent device leaves its words at 3, 0x2200
  sim::HidModelOptions silent = sim::hid_fixture_6800();
  silent.product_id = 0x6801;
  silent.faults.silent = true;
  for (int i = 0; i < 10; ++i) record().setBasicSetting20At_with(i, k_kept);
  hid_close_all();
  sim::detach(*device);
  auto second = plug_into(0, silent);
  read(0x6801);
  EXPECT_EQ(test_support::block_traffic(*second), (Lines{"lang 02 00", "lang 03 03"}));
  EXPECT_EQ(changed_lm6(), (std::map<int, std::int32_t>{{0, 3}, {1, 0x2200}}));
  EXPECT_EQ(record().bdAddress(), "");
  EXPECT_EQ(record().deviceBdAddress(), "001A7DDA7113") << "a failed read leaves the device address";
  second->take_received();
}

TEST_F(SettingsReadTest, AddressOfBothModulesAndTheLm6SubModel) {
  struct Case {
    const char* name;
    std::uint32_t product;
    std::array<std::uint8_t, 6> address;
    std::vector<std::uint16_t> sub_model;  // block 0x05 of the main unit
    bool second_unit;
    std::string shown;
    Lines main_traffic;
    Lines second_traffic;
    int division;
  };
  const Case cases[] = {
      // inside the Ironvale range with another code: 11 goes to both units
      {"LM6 in range", 0x4210, {0x00, 0x1A, 0x7D, 0x2E, 0x90, 0x60}, {0x0010}, true,
       "001A7D[2E9060] _ 001A7D[2E9061]", {"address", "read 05", "write 05: 000B", "read 05"},
       {"write 05: 000B", "address"}, 11},
      {"LM6 in range already 11", 0x4210, {0x00, 0x1A, 0x7D, 0x33, 0x4B, 0x7D}, {0x020B}, true,
       "001A7D[334B7D] _ 001A7D[2E9061]", {"address", "read 05", "read 05"}, {"address"}, 11},
      {"LM6 outside the range", 0x4210, {0x00, 0x1A, 0x7D, 0x2E, 0x90, 0xBB}, {0x0010}, true,
       "001A7D[2E90BB] _ 001A7D[2E9061]", {"address", "read 05"}, {"address"}, 0x10},
      {"second unit missing", 0x4310, {0x00, 0x1A, 0x7D, 0x2E, 0x90, 0x60}, {}, false, "001A7D[2E9060] _ ",
       {"address"}, {}, -1},
      {"one module", 0x6020, {0xAB, 0xCD, 0xEF, 0x01, 0x02, 0x03}, {}, false, "ABCDEF[010203]", {"address"}, {}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions main_options = sim::hid_fixture_4210();
    main_options.bluetooth_address = c.address;
    main_options.blocks = {{0x05, c.sub_model}};
    auto main_unit = plug_into(0, main_options);
    std::shared_ptr<sim::HidModel> second;
    if (c.second_unit) second = plug_into(1, sim::hid_fixture_4210_second_unit());
    m_controller.setDeviceTarget(static_cast<int>(c.product));
    record().setDivisionLM6evoValue(-1);
    read(c.product);
    EXPECT_EQ(record().bdAddress(), c.shown);
    // the address and sub-model lines
    const auto address_and_sub_model = [](const Lines& traffic) {
      Lines kept;
      for (const std::string& line : traffic) {
        if (line == "address" || !lines_about({line}, {"05"}).empty()) kept.push_back(line);
      }
      return kept;
    };
    EXPECT_EQ(address_and_sub_model(test_support::block_traffic(*main_unit)), c.main_traffic);
    if (second) {
      EXPECT_EQ(address_and_sub_model(test_support::block_traffic(*second)), c.second_traffic);
      sim::detach(*second);
    }
    EXPECT_EQ(record().divisionLM6evoValue(), c.division);
    hid_close_all();
    sim::detach(*main_unit);
  }
}

// The LM6's settings words come from its second unit; a failed read stores the
// words of its firmware generation.
TEST_F(SettingsReadTest, Lm6SettingsWordsFromSlotOneOrByFirmware) {
  struct Case {
    std::pair<int, int> version;
    std::map<int, std::int32_t> lm6;
  };
  const std::map<int, std::int32_t> zeros{{4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}};
  const auto with_zeros = [&](std::map<int, std::int32_t> words) {
    words.insert(zeros.begin(), zeros.end());
    return words;
  };
  const Case cases[] = {
      {{1, 0}, {{0, 5}, {1, 3}, {2, 0xEC00}}},
      {{1, 1}, {{0, 5}, {1, 3}, {2, 0xEC00}, {3, 3}}},
      {{1, 4}, with_zeros({{0, 5}, {1, 3}, {2, 0xED80}, {3, 3}})},
      {{1, 5}, with_zeros({{0, 5}, {1, 3}, {2, 0xEDA0}, {3, 3}})},
      {{2, 0}, with_zeros({{0, 5}, {1, 3}, {2, 0xED20}, {3, 2}})},
  };
  auto main_unit = plug_into(0, sim::hid_fixture_4210());
  sim::HidModelOptions failing = sim::hid_fixture_4210_second_unit();
  failing.failing_blocks = {0x04, 0x15};
  auto second = plug_into(1, failing);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.version.first) + "." + std::to_string(c.version.second));
    for (int i = 0; i < 10; ++i) record().setBasicSetting20At_with(i, k_kept);
    record().setDeviceVersionMajor_Minor(c.version.first, c.version.second);
    read(0x4210);
    EXPECT_EQ(changed_lm6(), c.lm6);
    EXPECT_EQ(fields_of(record()), 0u);
    EXPECT_EQ(record().fmRadioMagicCode(), 0x56E9);
    main_unit->take_output_reports();
    EXPECT_EQ(settings_traffic(test_support::block_traffic(*second)), Lines{"read 04"});
  }

  // and with the second unit answering, its words and FM block
  hid_close_all();
  sim::detach(*second);
  auto answering = plug_into(1, sim::hid_fixture_4210_second_unit());
  ASSERT_EQ(transport::hid_open_into_slot_for_test(0, 0x4210), 0);
  read(0x4210);
  EXPECT_EQ(record().basicSettingLM6(2), 0xEDA0);
  EXPECT_EQ(record().basicSettingLM6(9), 0x0606);
  EXPECT_EQ(record().fmRadioCurrentFrequency(), 10110);
  EXPECT_EQ(settings_traffic(test_support::block_traffic(*answering)), Lines{"read 04"});
  main_unit->take_output_reports();
}

}  // namespace
