#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace {

using Record = FEXOBluetoothDeviceData;

// A record with every copied field set to a value that differs from a fresh one.
Record filled_record(int32_t product) {
  Record record;
  record.setManagerVersionMajor(2);
  record.setManagerVersionMinor(7);
  record.setDeviceRecognized(product);
  record.setBdAddress(std::string("00:01:02:aa:bb:cc"));
  record.setLastSixBDAddress(std::string("aabbcc"));
  record.setDeviceName(std::string("Rider Ü"));
  record.setDeviceBdAddress(std::string("0001-02-aabbcc"));
  record.setDevicePSKey(std::string("0x02be"));
  record.setDevicePSKeyValue(std::string("0x0010"));
  record.setDeviceVersionMajor_Minor(3, 1);
  record.setDeviceSecondaryVersionType(2);
  record.setDeviceSecondaryVersion(5);
  record.setDeviceVersion01Major_Minor(4, 2);
  record.setDeviceSecondaryVersionType01(1);
  record.setDeviceSecondaryVersion01(6);
  record.setDeviceVersion02Major_Minor(5, 3);
  record.setDeviceSecondaryVersionType02(3);
  record.setDeviceSecondaryVersion02(7);
  record.setDateArchived(700000000.5);
  record.setHdVoice(1);
  record.setAutoOff(1);
  record.setAudioSourcePriority(2);
  record.setSimpleUI(1);
  record.setY370Language(4);
  record.setRadioTransmitGain(17);
  record.setAudioChannelTimeout(30);
  for (int index = 0; index < Record::k_basic_setting_lm6_count; ++index) record.setBasicSetting20At_with(index, 0x100 + index);
  record.setBasicSettingKR5VOXSensitivity_with(1, 3);
  record.setBasicSettingTJ4SmartVolumeControl_with(0, 2);
  record.setBasicSettingVT4Camera_with(3, 0x07C0);
  record.setFmRadioRegion(3);
  record.setFmRadioMagicCode(0x66E9);
  record.setFmRadioCurrentFrequency(9870);
  record.setFmRadioCurrentPreset(4);
  for (int index = 0; index < Record::k_fm_preset_count; ++index) record.setFmRadioPresetsAt_with(index, 8800 + 20 * index);
  record.setFmRadioRDS(1);
  record.setSpeedDialAt_with(0, std::string("112"));
  record.setSpeedDialAt_with(2, std::string("+4930123"));
  record.setDivisionLM6evoValue(27);
  record.setDevicelanguagePackType(1);
  record.setDevicelanguagePackTypeVerMajor(2);
  record.setDevicelanguagePackTypeVerMinor(3);
  record.setVoiceAssistant(1);
  return record;
}

TEST(DeviceRecord, FreshRecordIsEmpty) {
  const Record record;
  EXPECT_EQ(record.deviceRecognized(), 0);
  EXPECT_EQ(record.deviceVersionMajor(), 0);
  EXPECT_EQ(record.deviceVersionMinor02(), 0);
  EXPECT_FALSE(record.bdAddress());
  EXPECT_FALSE(record.deviceName());
  EXPECT_FALSE(record.dateArchived());
  EXPECT_FALSE(record.speedDialAt(0));
  EXPECT_EQ(record.basicSettingLM6(9), 0);
  EXPECT_EQ(record.fmRadioPresetsAt(9), 0);
}

TEST(DeviceRecord, FMRegionSetterKeepsOnlyZeroToFive) {
  struct Case { int32_t value; int32_t stored; };
  const Case cases[] = {{0, 0}, {5, 5}, {3, 3}, {6, 0}, {-1, 0}, {INT32_MIN, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    Record record;
    record.setFmRadioRegion(4);
    record.setFmRadioRegion(c.value);
    EXPECT_EQ(record.fmRadioRegion(), c.stored);
  }
}

TEST(DeviceRecord, WordAccessorsIgnoreIndexesOutsideTheirArray) {
  Record record;
  struct Case {
    const char* name;
    int count;
    void (Record::*set)(int, int32_t);
    int32_t (Record::*get)(int) const;
  };
  const Case cases[] = {
      {"general", 10, &Record::setBasicSetting20At_with, &Record::basicSettingLM6},
      {"vox", 2, &Record::setBasicSettingKR5VOXSensitivity_with, &Record::basicSettingKR5VOXSensitivityAt},
      {"smart volume", 2, &Record::setBasicSettingTJ4SmartVolumeControl_with,
       &Record::basicSettingTJ4SmartVolumeControlAt},
      {"camera", 4, &Record::setBasicSettingVT4Camera_with, &Record::basicSettingVT4CameraAt},
      {"presets", 10, &Record::setFmRadioPresetsAt_with, &Record::fmRadioPresetsAt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int index = 0; index < c.count; ++index) (record.*c.set)(index, 0x1000 + index);
    for (int bad : {-1, c.count, c.count + 100, INT32_MIN}) {
      (record.*c.set)(bad, 0x7777);
      EXPECT_EQ((record.*c.get)(bad), 0);
    }
    for (int index = 0; index < c.count; ++index) EXPECT_EQ((record.*c.get)(index), 0x1000 + index);
  }
  // speed dials: out of range reads nil and is never written
  record.setSpeedDialAt_with(3, std::string("999"));
  record.setSpeedDialAt_with(-1, std::string("999"));
  EXPECT_FALSE(record.speedDialAt(3));
  EXPECT_FALSE(record.speedDialAt(-1));
  EXPECT_FALSE(record.speedDialAt(0));
}

TEST(DeviceRecord, NetdockChannelAndVolumeShareTheGeneralWords) {
  Record record;
  record.setBasicSettingNetdockChannel_with(0, 7);
  record.setBasicSettingNetdockVolume_with(1, 12);
  EXPECT_EQ(record.basicSettingLM6(0), 7);
  EXPECT_EQ(record.basicSettingLM6(1), 12);
  record.setBasicSetting20At_with(1, 3);
  EXPECT_EQ(record.basicSettingNetdockVolumeAt(1), 3);
  EXPECT_EQ(record.basicSettingNetdockChannelAt(0), 7);
}

TEST(DeviceRecord, StringSettersRefuseInvalidUTF8) {
  struct Case { const char* name; std::optional<std::string> value; std::optional<std::string> stored; std::string dial; };
  const Case cases[] = {
      {"text", std::string("Rider 50S"), std::string("Rider 50S"), "Rider 50S"},
      {"non-ascii", std::string("Fahrer \xC3\x9C"), std::string("Fahrer \xC3\x9C"), "Fahrer \xC3\x9C"},
      {"empty", std::string(), std::string(), ""},
      {"nil", std::nullopt, std::nullopt, ""},
      {"stray byte", std::string("ab\xFF"), std::nullopt, ""},
      {"cut sequence", std::string("\xE4\xB8"), std::nullopt, ""},
      {"overlong", std::string("\xC0\xAF"), std::nullopt, ""},
      {"surrogate", std::string("\xED\xA0\x80"), std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record record;
    record.setDeviceName(c.value);
    record.setBdAddress(c.value);
    record.setDevicePSKeyValue(c.value);
    record.setSpeedDialAt_with(1, c.value);
    EXPECT_EQ(record.deviceName(), c.stored);
    EXPECT_EQ(record.bdAddress(), c.stored);
    EXPECT_EQ(record.devicePSKeyValue(), c.stored);
    EXPECT_EQ(record.speedDialAt(1), std::optional<std::string>(c.dial));
  }
}

TEST(DeviceRecord, CopyTakesPresetsByTheReceiversProductGroup) {
  struct Case { int32_t product; int copied; };
  const Case cases[] = {{0x6010, 6}, {0x6036, 6}, {0x4D10, 10}, {0x6020, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    const Record source = filled_record(c.product);
    Record target;
    for (int index = 0; index < Record::k_fm_preset_count; ++index) target.setFmRadioPresetsAt_with(index, 1);
    target.copyWithSource_version(source, true);
    for (int index = 0; index < Record::k_fm_preset_count; ++index) {
      EXPECT_EQ(target.fmRadioPresetsAt(index), index < c.copied ? 8800 + 20 * index : 1) << index;
    }
  }
}

TEST(DeviceRecord, CopyWithAndWithoutVersions) {
  const Record source = filled_record(0x5520);
  for (bool with_versions : {true, false}) {
    SCOPED_TRACE(with_versions);
    Record target;
    target.setDeviceVersionMajor_Minor(9, 9);
    target.setDeviceVersion01Major_Minor(8, 8);
    target.setDeviceSecondaryVersion02(8);
    target.copyWithSource_version(source, with_versions);

    EXPECT_EQ(target.deviceVersionMajor(), with_versions ? 3 : 9);
    EXPECT_EQ(target.deviceVersionMinor(), with_versions ? 1 : 9);
    EXPECT_EQ(target.deviceSecondaryVersionType(), with_versions ? 2 : 0);
    EXPECT_EQ(target.deviceSecondaryVersion(), with_versions ? 5 : 0);
    EXPECT_EQ(target.deviceVersionMajor01(), with_versions ? 4 : 8);
    EXPECT_EQ(target.deviceSecondaryVersionType01(), with_versions ? 1 : 0);
    EXPECT_EQ(target.deviceVersionMinor02(), with_versions ? 3 : 0);
    EXPECT_EQ(target.deviceSecondaryVersion02(), with_versions ? 7 : 8);

    // everything else travels either way
    EXPECT_EQ(target.managerVersionMajor(), 2);
    EXPECT_EQ(target.managerVersionMinor(), 7);
    EXPECT_EQ(target.deviceRecognized(), 0x5520);
    EXPECT_EQ(target.bdAddress(), source.bdAddress());
    EXPECT_EQ(target.lastSixBDAddress(), source.lastSixBDAddress());
    EXPECT_EQ(target.deviceName(), source.deviceName());
    EXPECT_EQ(target.divisionLM6evoValue(), 27);
    EXPECT_EQ(target.devicelanguagePackTypeVerMinor(), 3);
    EXPECT_EQ(target.dateArchived(), source.dateArchived());
    EXPECT_EQ(target.hdVoice(), 1);
    EXPECT_EQ(target.audioSourcePriority(), 2);
    EXPECT_EQ(target.Y370Language(), 4);
    EXPECT_EQ(target.radioTransmitGain(), 17);
    EXPECT_EQ(target.audioChannelTimeout(), 30);
    EXPECT_EQ(target.basicSettingLM6(9), 0x109);
    EXPECT_EQ(target.basicSettingKR5VOXSensitivityAt(1), 3);
    EXPECT_EQ(target.basicSettingTJ4SmartVolumeControlAt(0), 2);
    EXPECT_EQ(target.basicSettingVT4CameraAt(3), 0x07C0);
    EXPECT_EQ(target.fmRadioRegion(), 3);
    EXPECT_EQ(target.fmRadioMagicCode(), 0x66E9);
    EXPECT_EQ(target.fmRadioCurrentFrequency(), 9870);
    EXPECT_EQ(target.fmRadioCurrentPreset(), 4);
    EXPECT_EQ(target.fmRadioRDS(), 1);
    EXPECT_EQ(target.speedDialAt(0), std::optional<std::string>("112"));
    EXPECT_EQ(target.speedDialAt(1), std::optional<std::string>(""));
    EXPECT_EQ(target.speedDialAt(2), std::optional<std::string>("+4930123"));

    // the device-information texts and the voice assistant never travel
    EXPECT_FALSE(target.deviceBdAddress());
    EXPECT_FALSE(target.devicePSKey());
    EXPECT_FALSE(target.devicePSKeyValue());
    EXPECT_EQ(target.voiceAssistant(), 0);
  }
}

TEST(DeviceRecord, ConfigurePreparesABackup) {
  const Record source = filled_record(0x6030);
  Record backup;
  backup.setDeviceVersion01Major_Minor(6, 6);
  backup.configureWithSource(source);

  EXPECT_EQ(backup.managerVersionMajor(), 1);
  EXPECT_EQ(backup.managerVersionMinor(), 4);
  EXPECT_EQ(backup.deviceRecognized(), 0x6030);
  EXPECT_EQ(backup.deviceName(), source.deviceName());
  EXPECT_EQ(backup.deviceVersionMajor(), 3);
  EXPECT_EQ(backup.deviceVersionMinor(), 1);
  EXPECT_EQ(backup.deviceSecondaryVersionType(), 2);
  EXPECT_EQ(backup.deviceSecondaryVersion(), 5);
  EXPECT_EQ(backup.deviceVersionMajor01(), 6);
  EXPECT_EQ(backup.deviceVersionMajor02(), 0);
  EXPECT_EQ(backup.devicelanguagePackType(), 1);
  EXPECT_EQ(backup.basicSettingLM6(4), 0x104);
  EXPECT_EQ(backup.fmRadioPresetsAt(5), 8900);
  EXPECT_EQ(backup.fmRadioPresetsAt(6), 0);  // 0x6030 keeps 6 presets
  EXPECT_EQ(backup.speedDialAt(2), std::optional<std::string>("+4930123"));
  EXPECT_EQ(backup.voiceAssistant(), 0);

  // now, in seconds since 2001-01-01 UTC
  const double now_2001 =
      std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() - 978307200.0;
  ASSERT_TRUE(backup.dateArchived());
  EXPECT_NEAR(*backup.dateArchived(), now_2001, 5.0);
}

TEST(DeviceRecord, DefaultCopiesOfProductZero) {
  const Record source = filled_record(0);
  struct Case {
    const char* name;
    Record (*make)(const Record&);
    bool words_cleared;
    bool fm_reset;
  };
  const Case cases[] = {
      {"settings", &Record::makeDefaultDataWithSource, true, false},
      {"fm", &Record::makeDefaultSecondDataWithSource, false, true},
      {"speed dial", &Record::makeDefaultSpeedDialDataWithSource, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Record result = c.make(source);
    // identity, versions and fields stay the source's
    EXPECT_EQ(result.deviceName(), source.deviceName());
    EXPECT_EQ(result.deviceVersionMajor01(), 4);
    EXPECT_EQ(result.hdVoice(), 1);
    EXPECT_EQ(result.radioTransmitGain(), 17);

    EXPECT_EQ(result.basicSettingLM6(3), c.words_cleared ? 0 : 0x103);
    EXPECT_EQ(result.basicSettingKR5VOXSensitivityAt(1), c.words_cleared ? 0 : 3);
    EXPECT_EQ(result.basicSettingTJ4SmartVolumeControlAt(0), c.words_cleared ? 0 : 2);
    EXPECT_EQ(result.basicSettingVT4CameraAt(3), c.words_cleared ? 0 : 0x07C0);

    EXPECT_EQ(result.fmRadioRegion(), c.fm_reset ? 0 : 3);
    EXPECT_EQ(result.fmRadioPresetsAt(9), c.fm_reset ? 0 : 8980);
    EXPECT_EQ(result.fmRadioRDS(), c.fm_reset ? 0 : 1);
    EXPECT_EQ(result.fmRadioMagicCode(), 0x66E9);
    EXPECT_EQ(result.fmRadioCurrentFrequency(), 9870);

    const bool dials_cleared = c.words_cleared || std::string(c.name) == "speed dial";
    EXPECT_EQ(result.speedDialAt(0), std::optional<std::string>(dials_cleared ? "" : "112"));
  }
}

TEST(DeviceRecord, ControllerResetClearsWordsAndDialsOnly) {
  Record record = filled_record(0x5520);
  record.initializeObjectWithDevice_VersionMajor_Minor(0, 0, 0);
  for (int index = 0; index < Record::k_basic_setting_lm6_count; ++index) EXPECT_EQ(record.basicSettingLM6(index), 0);
  EXPECT_EQ(record.basicSettingVT4CameraAt(3), 0);
  for (int index = 0; index < Record::k_speed_dial_count; ++index) {
    EXPECT_EQ(record.speedDialAt(index), std::optional<std::string>(""));
  }
  EXPECT_EQ(record.deviceRecognized(), 0x5520);
  EXPECT_EQ(record.hdVoice(), 1);
  EXPECT_EQ(record.fmRadioPresetsAt(0), 8800);
}

TEST(DeviceRecord, FMResetKeepsTheGroupsUpperPresets) {
  struct Case { int32_t product; int32_t device_argument; int32_t major; int32_t minor; int32_t region; int32_t preset9; };
  const Case cases[] = {
      {0x6030, 0x6030, 1, 0, 0, 8980},  // 6-preset product: presets 6..9 stay
      {0x4D10, 0x4D10, 1, 0, 0, 0},
      {0x4210, 0x4210, 1, 1, 1, 0},     // LM6 from 1.1 ships on region 1
      {0x4210, 0x4210, 1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    Record record = filled_record(c.product);
    record.initializeSecondObjectWithDevice_VersionMajor_Minor(c.device_argument, c.major, c.minor);
    EXPECT_EQ(record.fmRadioRegion(), c.region);
    EXPECT_EQ(record.fmRadioPresetsAt(5), 0);
    EXPECT_EQ(record.fmRadioPresetsAt(9), c.preset9);
    EXPECT_EQ(record.fmRadioRDS(), 0);
    EXPECT_EQ(record.fmRadioCurrentPreset(), 4);
  }
}

}  // namespace
