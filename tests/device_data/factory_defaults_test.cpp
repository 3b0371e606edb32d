#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using Values = std::map<std::string, int32_t>;
using Writes = std::vector<std::pair<std::string, int32_t>>;

Writes operator+(Writes first, const Writes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

struct FieldRef {
  const char* name;
  int32_t (Record::*get)() const;
  void (Record::*set)(int32_t);
};

// Every settings field and the FM block's single fields.
const FieldRef k_fields[] = {
    {"intercomVOX", &Record::intercomVOX, &Record::setIntercomVOX},
    {"handsfreeVOX", &Record::handsfreeVOX, &Record::setHandsfreeVOX},
    {"edr", &Record::edr, &Record::setEdr},
    {"voicePrompt", &Record::voicePrompt, &Record::setVoicePrompt},
    {"plc", &Record::plc, &Record::setPlc},
    {"bitpoolRate", &Record::bitpoolRate, &Record::setBitpoolRate},
    {"microphoneBoost", &Record::microphoneBoost, &Record::setMicrophoneBoost},
    {"sidetone", &Record::sidetone, &Record::setSidetone},
    {"ambientHushControl", &Record::ambientHushControl, &Record::setAmbientHushControl},
    {"autoGainControl", &Record::autoGainControl, &Record::setAutoGainControl},
    {"audioBoost", &Record::audioBoost, &Record::setAudioBoost},
    {"autoStartRecording", &Record::autoStartRecording, &Record::setAutoStartRecording},
    {"hdIntercom", &Record::hdIntercom, &Record::setHdIntercom},
    {"fmStationGuide", &Record::fmStationGuide, &Record::setFmStationGuide},
    {"hdVoice", &Record::hdVoice, &Record::setHdVoice},
    {"audioSourcePriority", &Record::audioSourcePriority, &Record::setAudioSourcePriority},
    {"audioVeneer", &Record::audioVeneer, &Record::setAudioVeneer},
    {"autoOnOff", &Record::autoOnOff, &Record::setAutoOnOff},
    {"smartNaviSystem", &Record::smartNaviSystem, &Record::setSmartNaviSystem},
    {"smartNaviSystem2", &Record::smartNaviSystem2, &Record::setSmartNaviSystem2},
    {"autoOff", &Record::autoOff, &Record::setAutoOff},
    {"simpleUI", &Record::simpleUI, &Record::setSimpleUI},
    {"Y370Language", &Record::Y370Language, &Record::setY370Language},
    {"radioTransmitGain", &Record::radioTransmitGain, &Record::setRadioTransmitGain},
    {"audioChannelTimeout", &Record::audioChannelTimeout, &Record::setAudioChannelTimeout},
    {"fmRadioRegion", &Record::fmRadioRegion, &Record::setFmRadioRegion},
    {"fmRadioMagicCode", &Record::fmRadioMagicCode, &Record::setFmRadioMagicCode},
    {"fmRadioCurrentFrequency", &Record::fmRadioCurrentFrequency, &Record::setFmRadioCurrentFrequency},
    {"fmRadioCurrentPreset", &Record::fmRadioCurrentPreset, &Record::setFmRadioCurrentPreset},
    {"fmRadioRDS", &Record::fmRadioRDS, &Record::setFmRadioRDS},
};

std::string indexed(const char* name, int index) { return name + std::to_string(index); }

// Every value a reset may touch, by name.
Values snapshot(const Record& record) {
  Values values;
  for (const FieldRef& field : k_fields) values[field.name] = (record.*field.get)();
  for (int i = 0; i < Record::k_basic_setting_lm6_count; ++i) values[indexed("word", i)] = record.basicSettingLM6(i);
  for (int i = 0; i < Record::k_vox_sensitivity_count; ++i) {
    values[indexed("vox", i)] = record.basicSettingKR5VOXSensitivityAt(i);
  }
  for (int i = 0; i < Record::k_smart_volume_control_count; ++i) {
    values[indexed("volume", i)] = record.basicSettingTJ4SmartVolumeControlAt(i);
  }
  for (int i = 0; i < Record::k_camera_word_count; ++i) values[indexed("camera", i)] = record.basicSettingVT4CameraAt(i);
  for (int i = 0; i < Record::k_fm_preset_count; ++i) values[indexed("preset", i)] = record.fmRadioPresetsAt(i);
  return values;
}

// A record whose every settings field, word, FM value and speed dial holds a
// value no factory row writes.
Record sentinel_record(int32_t product, int32_t major, int32_t minor, int32_t type, int32_t number) {
  Record record;
  record.setDeviceRecognized(product);
  record.setDeviceVersionMajor_Minor(major, minor);
  record.setDeviceSecondaryVersionType(type);
  record.setDeviceSecondaryVersion(number);
  record.setDeviceName(std::string("Rider"));
  for (const FieldRef& field : k_fields) (record.*field.set)(9);
  record.setFmRadioRegion(5);
  record.setFmRadioMagicCode(0x1234);
  for (int i = 0; i < Record::k_basic_setting_lm6_count; ++i) record.setBasicSetting20At_with(i, 0x7777);
  for (int i = 0; i < Record::k_vox_sensitivity_count; ++i) record.setBasicSettingKR5VOXSensitivity_with(i, 0x7777);
  for (int i = 0; i < Record::k_smart_volume_control_count; ++i) {
    record.setBasicSettingTJ4SmartVolumeControl_with(i, 0x7777);
  }
  for (int i = 0; i < Record::k_camera_word_count; ++i) record.setBasicSettingVT4Camera_with(i, 0x7777);
  for (int i = 0; i < Record::k_fm_preset_count; ++i) record.setFmRadioPresetsAt_with(i, 8000 + i);
  for (int i = 0; i < Record::k_speed_dial_count; ++i) record.setSpeedDialAt_with(i, std::string("999"));
  return record;
}

// The sentinel record after a reset that writes exactly `writes`.
Values expected_after(const Record& before, const Writes& writes) {
  Values values = snapshot(before);
  for (auto& [name, value] : values) {
    const bool word = name.rfind("word", 0) == 0 || name.rfind("vox", 0) == 0 || name.rfind("volume", 0) == 0 ||
                      name.rfind("camera", 0) == 0;
    if (word) value = 0;
  }
  for (const auto& [name, value] : writes) {
    EXPECT_TRUE(values.count(name)) << "unknown field " << name;
    values[name] = value;
  }
  return values;
}

Writes fm_reset(int presets, int32_t rds) {
  Writes writes = {{"fmRadioRegion", 0}, {"fmRadioMagicCode", 0x56E9}, {"fmRadioCurrentFrequency", 0},
                   {"fmRadioCurrentPreset", 0}, {"fmRadioRDS", rds}};
  for (int i = 0; i < presets; ++i) writes.push_back({indexed("preset", i), 0});
  return writes;
}

Writes words(int32_t w0, int32_t w1, int32_t w2, int32_t w3) {
  return {{"word0", w0}, {"word1", w1}, {"word2", w2}, {"word3", w3}};
}

const Writes k_fm = fm_reset(10, 0);
const Writes k_fm6 = fm_reset(6, 1);
const Writes k_common = {
    {"intercomVOX", 0}, {"handsfreeVOX", 1}, {"voicePrompt", 0}, {"sidetone", 0}, {"ambientHushControl", 0}};
const Writes k_common_no_sidetone = {
    {"intercomVOX", 0}, {"handsfreeVOX", 1}, {"voicePrompt", 0}, {"ambientHushControl", 0}};
const Writes k_trio0 = {{"hdVoice", 0}, {"audioSourcePriority", 0}, {"audioVeneer", 0}};
const Writes k_voice_trio = {{"hdVoice", 1}, {"audioSourcePriority", 0}, {"audioVeneer", 0}};
const Writes k_boost_hd_guide = {{"audioBoost", 1}, {"hdIntercom", 1}, {"fmStationGuide", 1}};
const Writes k_boost_hd = {{"audioBoost", 1}, {"hdIntercom", 1}};
const Writes k_bitpool = {{"bitpoolRate", 1}};
const Writes k_guide = {{"fmStationGuide", 1}};
const Writes k_region1 = {{"fmRadioRegion", 1}};
Writes vox(int32_t value) { return {{"vox0", value}}; }
Writes set(const char* name, int32_t value) { return {{name, value}}; }

struct Case {
  const char* name;
  int32_t product;
  int32_t major;
  int32_t minor;
  int32_t type;
  int32_t number;
  Writes writes;
};

TEST(FactoryDefaults, EveryRowWritesExactlyItsFields) {
  const Writes nd4_below_4_0 = {{"intercomVOX", 0}, {"handsfreeVOX", 0}, {"edr", 0}};
  const Writes nd4_4_0 = {{"intercomVOX", 0}, {"handsfreeVOX", 1}, {"edr", 0}, {"plc", 1}};
  const Writes nd4_4_2 = {{"intercomVOX", 0}, {"handsfreeVOX", 1}, {"edr", 0}, {"bitpoolRate", 1}};
  const Writes quiet = {{"handsfreeVOX", 1}, {"edr", 0}, {"bitpoolRate", 1}};
  const Writes camera = k_common + k_bitpool + Writes{{"camera0", 0x07C0}} + k_fm;
  const Writes camera_2_0 = camera + k_boost_hd + Writes{{"camera2", 0x0014}};
  const Writes unit_5520 = k_common + k_bitpool + vox(3) + k_fm;
  const Writes unit_5522 = {{"voicePrompt", 0},     {"bitpoolRate", 1},    {"ambientHushControl", 0},
                            {"audioBoost", 0},      {"fmStationGuide", 1}};
  const Writes unit_5622 = k_common_no_sidetone + k_bitpool + k_boost_hd + k_fm;
  const Writes navigation = k_common + k_bitpool + k_boost_hd + vox(2) + k_fm6 + set("smartNaviSystem", 0);
  const Writes auto_on = {{"audioVeneer", 0}, {"autoOnOff", 1}};

  const Case cases[] = {
      {"controller reset", 0, 0, 0, 0, 0, {}},
      {"unknown product keeps every field", 0x3052, 2, 0, 0, 0, {}},
      // older products, settings as fields
      {"0x4D10 3.9", 0x4D10, 3, 9, 0, 0, nd4_below_4_0},
      {"0x4D30 4.0", 0x4D30, 4, 0, 0, 0, nd4_4_0},
      {"0x4D10 4.1", 0x4D10, 4, 1, 0, 0, nd4_4_0 + k_bitpool + set("microphoneBoost", 1)},
      {"0x4D40 4.2 keeps plc", 0x4D40, 4, 2, 0, 0, nd4_4_2 + set("microphoneBoost", 1)},
      {"0x4D10 5.0", 0x4D10, 5, 0, 0, 0, nd4_4_2 + set("microphoneBoost", 1) + set("sidetone", 0)},
      {"0x4D20 3.0", 0x4D20, 3, 0, 0, 0, nd4_below_4_0},
      {"0x5080 4.1", 0x5080, 4, 1, 0, 0, nd4_4_0 + k_bitpool},
      {"0x5061 4.4", 0x5061, 4, 4, 0, 0, nd4_4_2},
      {"0x5010 5.1", 0x5010, 5, 1, 0, 0, nd4_4_2 + set("sidetone", 0)},
      {"0x5050 4.0", 0x5050, 4, 0, 0, 0, nd4_4_0 + k_fm},
      {"0x5040 5.0", 0x5040, 5, 0, 0, 0, nd4_4_2 + set("sidetone", 0) + k_fm},
      {"0x4D05 1.1", 0x4D05, 1, 1, 0, 0, {{"handsfreeVOX", 1}, {"edr", 0}, {"plc", 1}}},
      {"0x4D55 1.2", 0x4D55, 1, 2, 0, 0, quiet},
      {"0x4D35 2.0", 0x4D35, 2, 0, 0, 0, quiet + set("sidetone", 0)},
      {"0x4D45 1.9", 0x4D45, 1, 9, 0, 0, quiet + k_fm},
      {"0x4D65 1.0", 0x4D65, 1, 0, 0, 0, Writes{{"handsfreeVOX", 1}, {"edr", 0}, {"plc", 1}} + k_fm},
      {"0x5011", 0x5011, 1, 0, 0, 0, set("intercomVOX", 0) + quiet + set("sidetone", 0)},
      {"0x4D85", 0x4D85, 1, 0, 0, 0, quiet + set("sidetone", 0) + k_fm},
      {"0x4D76", 0x4D76, 1, 0, 0, 0, k_fm},
      {"0x4D21", 0x4D21, 1, 0, 0, 0, set("sidetone", 1)},
      {"0x2310", 0x2310, 1, 0, 0, 0, quiet},
      {"0x2020 1.0", 0x2020, 1, 0, 0, 0, set("intercomVOX", 0) + quiet + set("sidetone", 0)},
      {"0x2020 1.1", 0x2020, 1, 1, 0, 0,
       set("intercomVOX", 0) + quiet + set("sidetone", 0) + set("ambientHushControl", 0)},
      {"0x6000", 0x6000, 1, 0, 0, 0, quiet + set("sidetone", 0)},
      {"0x6430", 0x6430, 1, 0, 0, 0, set("handsfreeVOX", 1)},
      {"0x6490", 0x6490, 1, 0, 0, 0, {{"handsfreeVOX", 1}, {"edr", 0}}},
      {"0x4040", 0x4040, 1, 0, 0, 0, set("sidetone", 0)},
      {"0x4113", 0x4113, 1, 0, 0, 0, {{"edr", 0}, {"bitpoolRate", 1}}},
      {"0x4120", 0x4120, 1, 0, 0, 0,
       {{"edr", 0}, {"bitpoolRate", 1}, {"sidetone", 0}, {"ambientHushControl", 0}, {"autoGainControl", 0}}},
      {"0x6121", 0x6121, 1, 0, 0, 0, {{"edr", 0}, {"bitpoolRate", 1}, {"sidetone", 0}, {"ambientHushControl", 0}}},
      {"0x5210", 0x5210, 1, 0, 0, 0, {{"radioTransmitGain", 15}, {"audioChannelTimeout", 5}}},
      {"0x3060", 0x3060, 1, 0, 0, 0, Writes{{"voicePrompt", 0}, {"ambientHushControl", 0}} + k_guide + k_fm},
      {"0x3070", 0x3070, 1, 0, 0, 0, Writes{{"voicePrompt", 0}, {"sidetone", 0}} + k_guide + k_fm},
      {"0x3080", 0x3080, 1, 0, 0, 0, Writes{{"voicePrompt", 0}, {"sidetone", 0}} + k_fm},
      {"0x6310", 0x6310, 1, 0, 0, 0, set("voicePrompt", 0)},
      {"0x5562", 0x5562, 1, 0, 0, 0, k_guide + k_fm},
      // packed settings word
      {"0x5418", 0x5418, 1, 0, 0, 0, k_common + k_bitpool + k_boost_hd_guide + vox(3) + k_fm + k_trio0},
      {"0x5720", 0x5720, 1, 0, 0, 0, k_common + k_bitpool + k_boost_hd_guide + vox(3) + k_fm},
      {"0x5434", 0x5434, 1, 0, 0, 0, k_common + k_boost_hd_guide + vox(3) + k_fm + k_voice_trio},
      {"0x5553", 0x5553, 1, 0, 0, 0, k_common + k_boost_hd_guide + k_fm + k_voice_trio},
      {"0x5593 no FM reset", 0x5593, 1, 0, 0, 0, k_common + k_boost_hd_guide + k_voice_trio},
      {"0x3341", 0x3341, 1, 0, 0, 0, k_common + k_boost_hd_guide + k_voice_trio},
      {"0x3400", 0x3400, 1, 0, 0, 0,
       {{"handsfreeVOX", 1}, {"voicePrompt", 0}, {"hdIntercom", 1}, {"fmStationGuide", 1}, {"hdVoice", 1}}},
      {"0x6335", 0x6335, 1, 0, 0, 0,
       {{"handsfreeVOX", 1}, {"voicePrompt", 0}, {"ambientHushControl", 0}, {"hdIntercom", 1}, {"hdVoice", 1}}},
      {"0x5510 1.0 type 2 number 2", 0x5510, 1, 0, 2, 2, camera + set("audioBoost", 0)},
      {"0x5510 1.0 type 2 number 3", 0x5510, 1, 0, 2, 3, camera + set("audioBoost", 1)},
      {"0x5510 1.0 type 1 number 9", 0x5510, 1, 0, 1, 9, camera + set("audioBoost", 0)},
      {"0x5510 1.9", 0x5510, 1, 9, 0, 0, camera + set("audioBoost", 1)},
      {"0x5510 2.1", 0x5510, 2, 1, 0, 0, camera_2_0},
      {"0x5510 2.2", 0x5510, 2, 2, 0, 0, camera_2_0 + k_guide},
      {"0x5510 3.0", 0x5510, 3, 0, 0, 0,
       k_common + Writes{{"camera0", 0x07C0}, {"camera2", 0x0014}} + k_fm + k_boost_hd_guide + k_trio0},
      {"0x5520 1.0 type 2 number 0", 0x5520, 1, 0, 2, 0, unit_5520 + set("audioBoost", 0)},
      {"0x5520 1.0 type 2 number 1", 0x5520, 1, 0, 2, 1, unit_5520 + set("audioBoost", 1)},
      {"0x5520 1.1", 0x5520, 1, 1, 0, 0, unit_5520 + k_boost_hd_guide},
      {"0x5520 2.0", 0x5520, 2, 0, 0, 0, k_common + vox(3) + k_fm + k_boost_hd_guide + k_trio0},
      {"0x5536", 0x5536, 1, 0, 0, 0, unit_5522 + k_fm},
      {"0x5524 1.9", 0x5524, 1, 9, 0, 0, unit_5522 + k_fm},
      {"0x5524 2.0", 0x5524, 2, 0, 0, 0,
       Writes{{"voicePrompt", 0}, {"ambientHushControl", 0}, {"audioBoost", 0}} + k_guide + k_fm + k_trio0},
      {"0x5530 1.3", 0x5530, 1, 3, 0, 0, k_common + k_bitpool + k_boost_hd + k_fm},
      {"0x5530 1.4", 0x5530, 1, 4, 0, 0, k_common + k_bitpool + k_boost_hd_guide + k_fm + set("hdVoice", 0)},
      {"0x5530 2.0", 0x5530, 2, 0, 0, 0, k_common + k_boost_hd_guide + k_fm + k_trio0},
      {"0x5532", 0x5532, 3, 0, 0, 0, k_common + k_bitpool + k_boost_hd_guide + k_fm + set("hdVoice", 0)},
      {"0x5550 1.9", 0x5550, 1, 9, 0, 0,
       Writes{{"voicePrompt", 0}, {"bitpoolRate", 1}, {"ambientHushControl", 0}} + k_boost_hd_guide + k_fm},
      {"0x5550 2.0", 0x5550, 2, 0, 0, 0,
       Writes{{"voicePrompt", 0}, {"ambientHushControl", 0}, {"audioBoost", 1}} + k_guide + k_fm + k_trio0},
      {"0x5570", 0x5570, 1, 0, 0, 0, k_common + k_boost_hd_guide + k_fm + k_trio0},
      {"0x5576", 0x5576, 1, 0, 0, 0,
       k_common + Writes{{"audioBoost", 0}, {"hdIntercom", 1}, {"fmStationGuide", 1}, {"autoStartRecording", 0}} +
           k_fm + k_trio0},
      {"0x5580 1.0", 0x5580, 1, 0, 0, 0, k_common + k_bitpool + k_boost_hd_guide + k_fm},
      {"0x5580 2.0", 0x5580, 2, 0, 0, 0, k_common + k_boost_hd_guide + k_fm + k_trio0},
      {"0x6210 1.0", 0x6210, 1, 0, 0, 0, k_common_no_sidetone + k_bitpool + k_boost_hd_guide + k_fm},
      {"0x6210 2.0", 0x6210, 2, 0, 0, 0, k_common_no_sidetone + k_boost_hd_guide + k_fm + k_trio0},
      {"0x5612 1.0", 0x5612, 1, 0, 0, 0, k_common + k_bitpool + set("audioBoost", 0) + k_fm},
      {"0x5621 1.1", 0x5621, 1, 1, 0, 0, k_common + k_bitpool + k_boost_hd + k_fm},
      {"0x5610 2.0", 0x5610, 2, 0, 0, 0, k_common + k_boost_hd_guide + k_fm + k_trio0},
      {"0x5624 1.0", 0x5624, 1, 0, 0, 0, unit_5622},
      {"0x5622 1.1", 0x5622, 1, 1, 0, 0, unit_5622 + vox(2)},
      {"0x5624 2.0", 0x5624, 2, 0, 0, 0, unit_5622 + vox(2) + k_guide + k_trio0},
      {"0x5623 1.0", 0x5623, 1, 0, 0, 0, k_common + k_bitpool + k_boost_hd + k_fm},
      {"0x5623 1.1", 0x5623, 1, 1, 0, 0, k_common + k_bitpool + k_boost_hd + k_fm + vox(2) + k_trio0},
      {"0x5710 1.1", 0x5710, 1, 1, 0, 0, k_common + k_bitpool + k_boost_hd + k_fm},
      {"0x5710 1.2", 0x5710, 1, 2, 0, 0, k_common + k_bitpool + k_boost_hd + k_fm + k_guide},
      {"0x5920", 0x5920, 1, 0, 0, 0, k_common + k_bitpool + k_boost_hd + k_fm},
      {"0x6112", 0x6112, 1, 0, 0, 0, k_common + k_boost_hd_guide + vox(3) + k_fm + k_trio0},
      {"0x6114", 0x6114, 1, 0, 0, 0, k_common + Writes{{"audioBoost", 1}} + k_guide + vox(3) + k_fm},
      {"0x6400", 0x6400, 1, 0, 0, 0, k_common_no_sidetone + k_boost_hd_guide + vox(2) + k_fm + k_trio0},
      {"0x6012", 0x6012, 1, 0, 0, 0, navigation + set("word2", 0x0068)},
      {"0x6026", 0x6026, 1, 0, 0, 0, navigation + set("word2", 0x006B)},
      {"0x6030 keeps presets 6-9", 0x6030, 1, 0, 0, 0, navigation + set("word2", 0x006B) + auto_on},
      {"0x6034", 0x6034, 1, 0, 0, 0, navigation + set("word2", 0x0068) + auto_on},
      {"0x6036", 0x6036, 1, 0, 0, 0, navigation + set("word2", 0x0063) + auto_on},
      {"0x6022", 0x6022, 1, 0, 0, 0, k_common + vox(2) + set("smartNaviSystem", 0)},
      {"0x6039", 0x6039, 1, 0, 0, 0,
       k_common + k_boost_hd_guide + k_fm + k_voice_trio + Writes{{"autoOff", 0}, {"simpleUI", 1}, {"smartNaviSystem2", 0}}},
      // settings only as words
      {"0x4530", 0x4530, 1, 0, 0, 0, words(0x0005, 0x0003, 0xED21, 0x0002) + k_fm},
      {"0x4210 1.0", 0x4210, 1, 0, 0, 0, words(0x0005, 0x0003, 0xEC00, 0) + k_fm},
      {"0x4210 1.1", 0x4210, 1, 1, 0, 0, words(0x0005, 0x0003, 0xEC00, 0x0003) + k_fm + k_region1},
      {"0x4210 1.4", 0x4210, 1, 4, 0, 0, words(0x0005, 0x0003, 0xED80, 0x0003) + k_fm + k_region1},
      {"0x4210 1.5", 0x4210, 1, 5, 0, 0, words(0x0005, 0x0003, 0xEDA0, 0x0003) + k_fm + k_region1},
      {"0x4210 1.6", 0x4210, 1, 6, 0, 0, words(0x0005, 0x0003, 0xED20, 0x0002) + k_fm + k_region1},
      {"0x3214", 0x3214, 1, 0, 0, 0, words(0x1C21, 0x0583, 0, 0) + k_fm},
      {"0x3900", 0x3900, 1, 0, 0, 0, words(0x1C21, 0x0583, 0, 0) + k_fm},
      {"0x3114", 0x3114, 1, 0, 0, 0, words(0x1C21, 0x0583, 0x0066, 0) + k_fm},
      {"0x3140", 0x3140, 1, 0, 0, 0, words(0x1821, 0x0583, 0, 0) + k_fm},
      {"0x3142", 0x3142, 1, 0, 0, 0, words(0x1D21, 0x0183, 0, 0) + k_fm},
      {"0x3161", 0x3161, 1, 0, 0, 0, words(0x1C21, 0, 0, 0) + k_fm},
      {"0x6510", 0x6510, 1, 0, 0, 0, words(0x1C21, 0x1980, 0, 0) + k_fm},
      {"0x3570", 0x3570, 1, 0, 0, 0, words(0x0001, 0, 0, 0)},
      {"0x3560", 0x3560, 1, 0, 0, 0, words(0x0001, 0x000A, 0, 0)},
      {"0x6803", 0x6803, 1, 0, 0, 0, words(0x0003, 0x2200, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record record = sentinel_record(c.product, c.major, c.minor, c.type, c.number);
    const Values expected = expected_after(record, c.writes);
    record.initializeObjectWithDevice_VersionMajor_Minor(c.product, c.major, c.minor);
    EXPECT_EQ(snapshot(record), expected);
    for (int i = 0; i < Record::k_speed_dial_count; ++i) EXPECT_EQ(record.speedDialAt(i), std::optional<std::string>(""));
    EXPECT_EQ(record.deviceName(), std::optional<std::string>("Rider"));
    EXPECT_EQ(record.deviceRecognized(), c.product);
  }
}

TEST(FactoryDefaults, DefaultRecordKeepsIdentityAndUsesTheSourceVersion) {
  Record source = sentinel_record(0x5510, 1, 0, 2, 3);
  source.setBdAddress(std::string("00:01:02:aa:bb:cc"));
  source.setDeviceVersion01Major_Minor(4, 2);
  source.setDevicelanguagePackType(1);
  source.setDevicelanguagePackTypeVerMajor(2);

  const Record result = Record::makeDefaultDataWithSource(source);
  EXPECT_EQ(result.deviceRecognized(), 0x5510);
  EXPECT_EQ(result.bdAddress(), source.bdAddress());
  EXPECT_EQ(result.deviceName(), source.deviceName());
  EXPECT_EQ(result.deviceSecondaryVersionType(), 2);
  EXPECT_EQ(result.deviceSecondaryVersion(), 3);
  EXPECT_EQ(result.deviceVersionMajor01(), 4);
  EXPECT_EQ(result.devicelanguagePackType(), 1);
  EXPECT_EQ(result.devicelanguagePackTypeVerMajor(), 2);
  // the full version 1.0 type 2 number 3 of the source selects audio boost on
  EXPECT_EQ(result.audioBoost(), 1);
  EXPECT_EQ(result.basicSettingVT4CameraAt(0), 0x07C0);
  // fields the row does not name keep the device's current value
  EXPECT_EQ(result.autoGainControl(), 9);
  EXPECT_EQ(result.speedDialAt(1), std::optional<std::string>(""));
}

TEST(FactoryDefaults, FMPageResetKeepsTheTuningAndTheGroupsUpperPresets) {
  struct Case {
    const char* name;
    int32_t product;
    int32_t major;
    int32_t minor;
    int32_t region;
    int32_t preset_9;
  };
  const Case cases[] = {
      {"LM6 from 1.1 ships on region 1", 0x4210, 1, 1, 1, 0},
      {"LM6 before 1.1", 0x4210, 1, 0, 0, 0},
      {"six-preset unit", 0x6030, 2, 0, 0, 8009},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record result = sentinel_record(c.product, c.major, c.minor, 0, 0);
    result.initializeSecondObjectWithDevice_VersionMajor_Minor(c.product, c.major, c.minor);
    EXPECT_EQ(result.fmRadioRegion(), c.region);
    EXPECT_EQ(result.fmRadioPresetsAt(0), 0);
    EXPECT_EQ(result.fmRadioPresetsAt(5), 0);
    EXPECT_EQ(result.fmRadioPresetsAt(9), c.preset_9);
    EXPECT_EQ(result.fmRadioRDS(), 0);
    EXPECT_EQ(result.fmRadioMagicCode(), 0x1234);
    EXPECT_EQ(result.fmRadioCurrentFrequency(), 9);
    EXPECT_EQ(result.fmRadioCurrentPreset(), 9);
    // the settings and words are not part of the FM reset
    EXPECT_EQ(result.basicSettingLM6(2), 0x7777);
    EXPECT_EQ(result.hdVoice(), 9);
  }
}

}  // namespace
