#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace {

using Record = FEXOBluetoothDeviceData;

Record record_of(int32_t product, int32_t major, int32_t minor) {
  Record record;
  record.setDeviceRecognized(product);
  record.setDeviceVersionMajor_Minor(major, minor);
  return record;
}

// Every field of the first packed word set to 1.
void switch_everything_on(Record& record) {
  for (auto setter : {&Record::setHandsfreeVOX, &Record::setIntercomVOX, &Record::setEdr, &Record::setVoicePrompt,
                      &Record::setPlc, &Record::setBitpoolRate, &Record::setMicrophoneBoost, &Record::setSidetone,
                      &Record::setAmbientHushControl, &Record::setAutoGainControl, &Record::setAudioBoost,
                      &Record::setHdIntercom, &Record::setFmStationGuide, &Record::setHdVoice,
                      &Record::setSmartNaviSystem, &Record::setAudioSourcePriority, &Record::setAutoOnOff,
                      &Record::setSmartNaviSystem2, &Record::setAudioVeneer}) {
    (record.*setter)(1);
  }
}

TEST(PackedWords, FirstWordBitByBit) {
  struct Case {
    const char* name;
    int32_t product;
    int32_t major;
    int32_t minor;
    std::function<void(Record&)> arrange;
    int32_t word;
  };
  const Case cases[] = {
      {"handsfree VOX", 0x4D10, 1, 0, [](Record& r) { r.setHandsfreeVOX(1); }, 0x0001},
      {"intercom VOX", 0x4D10, 1, 0, [](Record& r) { r.setIntercomVOX(1); }, 0x0002},
      {"EDR", 0x4D10, 1, 0, [](Record& r) { r.setEdr(1); }, 0x0004},
      {"voice prompt", 0x4D10, 1, 0, [](Record& r) { r.setVoicePrompt(1); }, 0x0008},
      {"PLC", 0x4D10, 1, 0, [](Record& r) { r.setPlc(1); }, 0x0010},
      {"bitpool rate", 0x4D10, 1, 0, [](Record& r) { r.setBitpoolRate(1); }, 0x0020},
      {"bitpool rate 2 is not on", 0x4D10, 1, 0, [](Record& r) { r.setBitpoolRate(2); }, 0},
      {"microphone boost", 0x4D10, 1, 0, [](Record& r) { r.setMicrophoneBoost(1); }, 0x0040},
      {"sidetone", 0x4D10, 1, 0, [](Record& r) { r.setSidetone(1); }, 0x0100},
      {"ambient hush", 0x4D10, 1, 0, [](Record& r) { r.setAmbientHushControl(1); }, 0x0200},
      {"bit 10 from auto gain outside set A", 0x4D10, 1, 0,
       [](Record& r) { r.setAutoGainControl(1); r.setAudioBoost(1); }, 0x0400},
      {"audio boost alone outside set A", 0x4D10, 1, 0, [](Record& r) { r.setAudioBoost(1); }, 0},
      {"bit 10 from audio boost in set A", 0x5410, 1, 0, [](Record& r) { r.setAudioBoost(1); }, 0x0400},
      {"auto gain alone in set A", 0x5410, 1, 0, [](Record& r) { r.setAutoGainControl(1); }, 0},
      {"HD intercom of 0x5510 at 1.0", 0x5510, 1, 0, [](Record& r) { r.setHdIntercom(1); }, 0},
      {"HD intercom of 0x5510 at 1.1", 0x5510, 1, 1, [](Record& r) { r.setHdIntercom(1); }, 0x0800},
      {"HD intercom of 0x5530 at 1.0", 0x5530, 1, 0, [](Record& r) { r.setHdIntercom(1); }, 0x0800},
      {"HD intercom outside its sets", 0x4D10, 1, 0, [](Record& r) { r.setHdIntercom(1); }, 0},
      {"station guide", 0x3030, 1, 0, [](Record& r) { r.setFmStationGuide(1); }, 0x1000},
      {"station guide outside set F", 0x6038, 1, 0, [](Record& r) { r.setFmStationGuide(1); }, 0},
      {"HD voice", 0x5593, 1, 0, [](Record& r) { r.setHdVoice(1); }, 0x2000},
      {"smart navigation", 0x6020, 1, 0, [](Record& r) { r.setSmartNaviSystem(1); }, 0x2000},
      {"smart navigation on an odd id", 0x6011, 1, 0, [](Record& r) { r.setSmartNaviSystem(1); }, 0},
      {"source priority and veneer", 0x5410, 1, 0,
       [](Record& r) { r.setAudioSourcePriority(1); r.setAudioVeneer(1); }, 0xC000},
      {"0x5532 has HD voice but no priority nor veneer", 0x5532, 1, 0,
       [](Record& r) { r.setHdVoice(1); r.setAudioSourcePriority(1); r.setAudioVeneer(1); }, 0x2000},
      {"0x6030 auto on/off and veneer", 0x6030, 1, 0,
       [](Record& r) { r.setAutoOnOff(1); r.setAudioVeneer(1); r.setAudioSourcePriority(1); }, 0xC000},
      {"Y370 smart navigation 2", 0x6039, 1, 0, [](Record& r) { r.setSmartNaviSystem2(1); }, 0x4000},
      // all fields on: only the bits of the product's sets appear, bit 7 never
      {"everything on, 0x4D10", 0x4D10, 1, 0, switch_everything_on, 0x077F},
      {"everything on, 0x6030", 0x6030, 1, 0, switch_everything_on, 0xEF7F},
      {"everything on, 0x5510 at 1.0", 0x5510, 1, 0, switch_everything_on, 0xF77F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record record = record_of(c.product, c.major, c.minor);
    c.arrange(record);
    EXPECT_EQ(record.getSettings40(), c.word);
  }
}

TEST(PackedWords, SecondWord) {
  struct Case {
    const char* name;
    int32_t product;
    int32_t language;
    int32_t word;
  };
  const Case cases[] = {
      {"Y370 unit", 0x6038, 3, 0x0C30},
      {"language 64 overlaps the simple UI bit", 0x6039, 64, 0x0C00},
      {"language cut to 16 bits", 0x6038, 0x1000, 0x0C00},
      {"recording start of the camera unit", 0x5576, 3, 0x0001},
      {"other products", 0x4D10, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record record = record_of(c.product, 1, 0);
    record.setY370Language(c.language);
    record.setSimpleUI(1);
    record.setAutoOff(1);
    record.setAutoStartRecording(1);
    EXPECT_EQ(record.getSettings40Second(), c.word);
  }
}

TEST(PackedWords, WordArraysCompareAtTheFirstDifference) {
  using Setter = void (Record::*)(int, int32_t);
  using Compare = int32_t (Record::*)(const Record&) const;
  struct Case {
    const char* name;
    Setter set;
    Compare compare;
    int count;
  };
  const Case cases[] = {
      {"general", &Record::setBasicSetting20At_with, &Record::compareBasicSettingLM6With,
       Record::k_basic_setting_lm6_count},
      {"VOX", &Record::setBasicSettingKR5VOXSensitivity_with, &Record::compareBasicSettingKR5VOXSensitivityWith,
       Record::k_vox_sensitivity_count},
      {"smart volume", &Record::setBasicSettingTJ4SmartVolumeControl_with,
       &Record::compareBasicSettingTJ4SmartVolumeControlWith, Record::k_smart_volume_control_count},
      {"camera at 2.0", &Record::setBasicSettingVT4Camera_with, &Record::compareBasicSettingVT4CameraWith,
       Record::k_camera_word_count},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record mine = record_of(0x5510, 2, 0);
    Record theirs = record_of(0x5510, 2, 0);
    for (int i = 0; i < c.count; ++i) {
      (mine.*c.set)(i, 10 * i);
      (theirs.*c.set)(i, 10 * i);
    }
    EXPECT_EQ((mine.*c.compare)(theirs), 0);
    // the last word differs, then also the first: the first difference decides
    (mine.*c.set)(c.count - 1, 1000);
    EXPECT_EQ((mine.*c.compare)(theirs), 1000 - 10 * (c.count - 1));
    (theirs.*c.set)(0, 7);
    EXPECT_EQ((mine.*c.compare)(theirs), -7);
  }
}

TEST(PackedWords, CameraWordsTwoAndThreeCountFromFirmware2) {
  struct Case {
    int32_t major;
    int32_t minor;
    int32_t result;
  };
  const Case cases[] = {{1, 9, 0}, {2, 0, 5}, {3, 1, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.major << "." << c.minor);
    Record mine = record_of(0x5510, c.major, c.minor);
    Record theirs = record_of(0x5510, 1, 0);
    mine.setBasicSettingVT4Camera_with(2, 0x19);
    theirs.setBasicSettingVT4Camera_with(2, 0x14);
    EXPECT_EQ(mine.compareBasicSettingVT4CameraWith(theirs), c.result);
  }
}

TEST(PackedWords, ComparisonOfExtremeWordsKeepsItsSign) {
  // whole-word fields may hold any value; the difference must not wrap
  Record mine = record_of(0x4210, 1, 0);
  Record theirs = record_of(0x4210, 1, 0);
  mine.setBasicSetting20At_with(0, INT32_MAX);
  theirs.setBasicSetting20At_with(0, -5);
  EXPECT_EQ(mine.compareBasicSettingLM6With(theirs), INT32_MAX);
  EXPECT_EQ(theirs.compareBasicSettingLM6With(mine), INT32_MIN);
}

}  // namespace
