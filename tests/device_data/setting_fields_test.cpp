#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/setting_fields.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using Getter = int32_t (Record::*)() const;
using Setter = void (Record::*)(int32_t);

enum class Words { general, camera };

enum class Kind {
  on_off,
  on_off_read_inverted,   // getter 1 when the bit is clear
  on_off_write_inverted,  // setter sets the bit for 0
  choice,                 // set_low..high written, others ignored; codes above high read the fallback
  choice_raw_read,        // set_low..high written, others ignored; getter the raw code
  coerced,                // set_low..high written, others write the fallback; getter the raw code
  low_bits,               // setter keeps the argument's low bits; getter the raw code
  low_bits_choice_read,   // setter keeps the low bits; codes above high read the fallback
};

struct Field {
  const char* name;
  Getter get;
  Setter set;
  Words words;
  int word;
  int first_bit;
  int last_bit;
  Kind kind;
  int32_t set_low = 0;
  int32_t high = 1;
  int32_t fallback = 0;
};

#define ACCESSORS(getter, setter) #getter, &Record::getter, &Record::setter
constexpr Words G = Words::general;
constexpr Words C = Words::camera;

const Field k_fields[] = {
    // LM6 family
    {ACCESSORS(getBasicSettingLM6VOXPhone, setBasicSettingLM6VOXPhone), G, 2, 15, 15, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6HDIntercom, setBasicSettingLM6HDIntercom), G, 2, 13, 13, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6Sidetone, setBasicSettingLM6Sidetone), G, 2, 12, 12, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6AudioBraiding, setBasicSettingLM6AudioBraiding), G, 2, 11, 11, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6VoicePrompt, setBasicSettingLM6VoicePrompt), G, 2, 10, 10, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6NavigationAppOverlay, setBasicSettingLM6NavigationAppOverlay), G, 2, 9, 9,
     Kind::on_off},
    {ACCESSORS(getBasicSettingLM6AmbientHushControl, setBasicSettingLM6AmbientHushControl), G, 2, 8, 8,
     Kind::on_off},
    {ACCESSORS(getBasicSettingLM6AudioBoost, setBasicSettingLM6AudioBoost), G, 2, 7, 7, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6EightWayIntercom, setBasicSettingLM6EightWayIntercom), G, 2, 6, 6, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6FMStationGuide, setBasicSettingLM6FMStationGuide), G, 2, 5, 5, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6SmartVolumeControl, setBasicSettingLM6SmartVolumeControl), G, 2, 1, 4,
     Kind::choice, 0, 3, 0},
    {ACCESSORS(GetBasicSettingLM6VoiceCommand, SetBasicSettingLM6VoiceCommand), G, 2, 0, 0, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6AudioBraidingSensitivity, setBasicSettingLM6AudioBraidingSensitivity), G, 0, 0, 31,
     Kind::low_bits},
    {ACCESSORS(getBasicSettingLM6MotionSensorSensitivity, setBasicSettingLM6MotionSensorSensitivity), G, 3, 0, 31,
     Kind::low_bits},
    {ACCESSORS(getBasicSettingLM6HDSpeakerAccessory, setBasicSettingLM6HDSpeakerAccessory), G, 4, 15, 15,
     Kind::on_off},
    {ACCESSORS(getBasicSettingLM6LEDControl, setBasicSettingLM6LEDControl), G, 4, 15, 15, Kind::on_off},
    {ACCESSORS(getBasicSettingLM6AudioEqualizer, setBasicSettingLM6AudioEqualizer), G, 4, 12, 14, Kind::choice, 0, 4,
     0},
    {ACCESSORS(GetBasicSettingLM6IronvaleSpeakerAccessorySelect, SetBasicSettingLM6IronvaleSpeakerAccessorySelect),
     G, 4, 10, 11, Kind::choice, 0, 3, 0},
    {ACCESSORS(GetBasicSettingVoiceAssistant, SetBasicSettingVoiceAssistant), G, 4, 8, 8,
     Kind::on_off_read_inverted},
    {ACCESSORS(getBasicSettingHIDOneModuleHDSpeakerAccessory, setBasicSettingHIDOneModuleHDSpeakerAccessory), G, 1,
     9, 9, Kind::on_off},
    {ACCESSORS(getEssStatus, setEssStatus), G, 2, 0, 1, Kind::coerced, 1, 3, 0},
    // ND4 family
    {ACCESSORS(GetBasicSettingND4VOXPhone, SetBasicSettingND4VOXPhone), G, 0, 0, 0, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4VOXIntercom, SetBasicSettingND4VOXIntercom), G, 0, 1, 1, Kind::on_off},
    {ACCESSORS(GetBasicSettingEDR, SetBasicSettingEDR), G, 0, 2, 2, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4VoicePrompt, SetBasicSettingND4VoicePrompt), G, 0, 3, 3, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4HighQulityA2DP, SetBasicSettingND4HighQulityA2DP), G, 0, 5, 5, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4Sidetone, SetBasicSettingND4Sidetone), G, 0, 8, 8, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4AmbientHushControl, SetBasicSettingND4AmbientHushControl), G, 0, 9, 9,
     Kind::on_off},
    {ACCESSORS(GetBasicSettingND4AudioBoost, SetBasicSettingND4AudioBoost), G, 0, 10, 10, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4HDIntercom, SetBasicSettingND4HDIntercom), G, 0, 11, 11, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4FMStationGuide, SetBasicSettingND4FMStationGuide), G, 0, 12, 12, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4MeshMode, SetBasicSettingND4MeshMode), G, 0, 13, 14, Kind::choice, 0, 2, 0},
    {ACCESSORS(GetBasicSettingND4MeshGuestMode, SetBasicSettingND4MeshGuestMode), G, 0, 15, 15, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4VoxSensitivity, SetBasicSettingND4VoxSensitivity), G, 1, 0, 2, Kind::choice, 0, 5,
     3},
    {ACCESSORS(GetBasicSettingND4AGCSensitivity, SetBasicSettingND4AGCSensitivity), G, 1, 3, 5, Kind::choice, 0, 3,
     3},
    {ACCESSORS(GetBasicSettingND4AudioVeneerVolumeManagement, SetBasicSettingND4AudioVeneerVolumeManagement), G, 1,
     6, 6, Kind::on_off_write_inverted},
    {ACCESSORS(GetBasicSettingND4AudioVeneerSensitivity, SetBasicSettingND4AudioVeneerSensitivity), G, 1, 7, 9,
     Kind::choice, 0, 5, 3},
    {ACCESSORS(GetBasicSettingND4VoiceCommand, SetBasicSettingND4VoiceCommand), G, 1, 10, 10, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4AudioVeneer, SetBasicSettingND4AudioVeneer), G, 1, 11, 11, Kind::on_off},
    {ACCESSORS(GetBasicSettingUILayer, SetBasicSettingUILayer), G, 1, 12, 12, Kind::on_off},
    {ACCESSORS(GetBasicSettingND4UnitLanguage, SetBasicSettingND4UnitLanguage), G, 3, 0, 3, Kind::choice_raw_read, 0,
     12},
    {ACCESSORS(GetBasicSettingND4MeshPublicChannel, SetBasicSettingND4MeshPublicChannel), G, 3, 6, 9, Kind::choice,
     0, 5, 0},
    {ACCESSORS(GetBasicSettingND4HDSpeakerAccessory, SetBasicSettingND4HDSpeakerAccessory), G, 3, 10, 10,
     Kind::on_off},
    {ACCESSORS(GetBasicSetting30Equalizer, SetBasicSetting30Equalizer), G, 3, 11, 13, Kind::choice, 0, 4, 0},
    // other families and editions
    {ACCESSORS(GetBasicSettingWQ8HDVoice, SetBasicSettingWQ8HDVoice), G, 3, 10, 10, Kind::on_off},
    {ACCESSORS(GetBasicSetting50Equalizer, SetBasicSetting50Equalizer), G, 3, 11, 14, Kind::choice, 0, 4, 0},
    {ACCESSORS(GetBasicSettingIronvaleSpeakerAccessorySelect, SetBasicSettingIronvaleSpeakerAccessorySelect), G, 3,
     14, 15, Kind::choice, 0, 3, 0},
    {ACCESSORS(GetBasicSettingHB6Equalizer, SetBasicSettingHB6Equalizer), G, 1, 5, 8, Kind::choice, 0, 4, 0},
    {ACCESSORS(GetBasicSettingQorlanHDSpeakerAccessory, SetBasicSettingQorlanHDSpeakerAccessory), G, 1, 13, 13,
     Kind::on_off},
    {ACCESSORS(GetBasicSettingDK5XUnitLanguage, SetBasicSettingDK5XUnitLanguage), G, 1, 4, 7, Kind::choice, 0, 10,
     0},
    {ACCESSORS(GetBasicSettingVelandraRemoteUIPTT, SetBasicSettingVelandraRemoteUIPTT), G, 1, 10, 10,
     Kind::on_off_read_inverted},
    {ACCESSORS(GetBasicSettingVelandraMeshPublicChannel, SetBasicSettingVelandraMeshPublicChannel), G, 1, 0, 3,
     Kind::low_bits_choice_read, 0, 8, 0},
    {ACCESSORS(GetBasicSettingDK3MorrimMeshPublicChannel, SetBasicSettingDK3MorrimMeshPublicChannel), G, 3, 6, 9,
     Kind::choice, 1, 9, 0},
    {ACCESSORS(GetBasicSettingQCCHDVoice, SetBasicSettingQCCHDVoice), G, 0, 13, 13, Kind::on_off},
    {ACCESSORS(GetBasicSettingQCCAudioEqualizer, SetBasicSettingQCCAudioEqualizer), G, 1, 4, 6, Kind::choice, 0, 5,
     0},
    {ACCESSORS(GetBasicSettingQCCVOXSensitivity, SetBasicSettingQCCVOXSensitivity), G, 1, 7, 9, Kind::choice, 0, 5,
     3},
    {ACCESSORS(GetBasicSettingQCCAudioVeneerVolumeManagement, SetBasicSettingQCCAudioVeneerVolumeManagement), G, 1,
     10, 10, Kind::on_off_write_inverted},
    {ACCESSORS(GetBasicSettingQCCAudioVeneerSensitivity, SetBasicSettingQCCAudioVeneerSensitivity), G, 1, 11, 13,
     Kind::choice, 0, 5, 3},
    {ACCESSORS(GetBasicSettingAirohaVOXPhone, SetBasicSettingAirohaVOXPhone), G, 0, 0, 0, Kind::on_off},
    {ACCESSORS(GetBasicSettingAirohaVoicePrompt, SetBasicSettingAirohaVoicePrompt), G, 0, 1, 1, Kind::on_off},
    {ACCESSORS(GetBasicSettingAirohaSidetone, SetBasicSettingAirohaSidetone), G, 0, 2, 2, Kind::on_off},
    {ACCESSORS(GetBasicSettingAirohaAudioVeneerVolumeManagement, SetBasicSettingAirohaAudioVeneerVolumeManagement), G,
     0, 4, 4, Kind::on_off},
    {ACCESSORS(GetBasicSettingAirohaMeshPublicChannel, SetBasicSettingAirohaMeshPublicChannel), G, 1, 0, 3,
     Kind::low_bits},
    {ACCESSORS(GetBasicSettingAirohaAudioEqualizer, SetBasicSettingAirohaAudioEqualizer), G, 1, 4, 7,
     Kind::low_bits},
    {ACCESSORS(GetBasicSettingAirohaVoxSensitivity, SetBasicSettingAirohaVoxSensitivity), G, 1, 8, 11,
     Kind::low_bits},
    {ACCESSORS(GetBasicSettingAirohaIntercomAudioVeneerSensitivity,
               SetBasicSettingAirohaIntercomAudioVeneerSensitivity),
     G, 1, 12, 15, Kind::low_bits},
    {ACCESSORS(GetBasicSettingAirohaUnitLanguage, SetBasicSettingAirohaUnitLanguage), G, 2, 0, 15, Kind::low_bits},
    // VT4 camera
    {ACCESSORS(getBasicSettingVT4CameraPhotoMode, setBasicSettingVT4CameraPhotoMode), C, 0, 0, 0, Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraVideoResolution, setBasicSettingVT4CameraVideoResolution), C, 0, 2, 3,
     Kind::choice, 0, 2, 0},
    {ACCESSORS(getBasicSettingVT4CameraTimelapseInterval, setBasicSettingVT4CameraTimelapseInterval), C, 0, 4, 4,
     Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraDateCaption, setBasicSettingVT4CameraDateCaption), C, 0, 5, 5, Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecording, setBasicSettingVT4CameraSpeakerSoundRecording), C, 0, 6,
     6, Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraAutoCameraSleep, setBasicSettingVT4CameraAutoCameraSleep), C, 0, 7, 7,
     Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingMusic, setBasicSettingVT4CameraSpeakerSoundRecordingMusic),
     C, 0, 8, 8, Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingFMRadio,
               setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio),
     C, 0, 9, 9, Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingIntercom,
               setBasicSettingVT4CameraSpeakerSoundRecordingIntercom),
     C, 0, 10, 10, Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingPhone, setBasicSettingVT4CameraSpeakerSoundRecordingPhone),
     C, 0, 11, 11, Kind::on_off},
    {ACCESSORS(getBasicSettingVT4CameraVideoTaggingInterval, setBasicSettingVT4CameraVideoTaggingInterval), C, 2, 0,
     1, Kind::choice, 0, 2, 0},
    {ACCESSORS(getBasicSettingVT4CameraLoopRecordingInterval, setBasicSettingVT4CameraLoopRecordingInterval), C, 2, 2,
     3, Kind::choice, 0, 2, 0},
    {ACCESSORS(getBasicSettingVT4CameraVideoMicrophoneGain, setBasicSettingVT4CameraVideoMicrophoneGain), C, 2, 4, 5,
     Kind::choice, 0, 2, 0},
};

#undef ACCESSORS

constexpr int k_word_count = Record::k_basic_setting_lm6_count + Record::k_camera_word_count;
using AllWords = std::array<uint32_t, k_word_count>;

AllWords words_of(const Record& record) {
  AllWords words{};
  for (int i = 0; i < Record::k_basic_setting_lm6_count; ++i) words[i] = static_cast<uint32_t>(record.basicSettingLM6(i));
  for (int i = 0; i < Record::k_camera_word_count; ++i) {
    words[Record::k_basic_setting_lm6_count + i] = static_cast<uint32_t>(record.basicSettingVT4CameraAt(i));
  }
  return words;
}

Record record_with(uint32_t pattern, int32_t major = 1, int32_t minor = 0) {
  Record record;
  record.setDeviceVersionMajor_Minor(major, minor);
  for (int i = 0; i < Record::k_basic_setting_lm6_count; ++i) {
    record.setBasicSetting20At_with(i, static_cast<int32_t>(pattern));
  }
  for (int i = 0; i < Record::k_camera_word_count; ++i) record.setBasicSettingVT4Camera_with(i, static_cast<int32_t>(pattern));
  return record;
}

int slot_of(const Field& field) {
  return field.words == Words::general ? field.word : Record::k_basic_setting_lm6_count + field.word;
}

uint32_t mask_of(const Field& field) {
  const int width = field.last_bit - field.first_bit + 1;
  return (width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u) << field.first_bit;
}

// The words after writing `code` into the field of `before`.
AllWords with_code(AllWords before, const Field& field, uint32_t code) {
  uint32_t& word = before[slot_of(field)];
  word = (word & ~mask_of(field)) | ((code << field.first_bit) & mask_of(field));
  return before;
}

// The code the setter must store for `value`, or false when it must leave the word alone.
bool expected_code(const Field& field, int32_t value, uint32_t& code) {
  const bool in_range = value >= field.set_low && value <= field.high;
  switch (field.kind) {
    case Kind::on_off:
    case Kind::on_off_read_inverted:
      code = value != 0 ? 1 : 0;
      return true;
    case Kind::on_off_write_inverted:
      code = value == 0 ? 1 : 0;
      return true;
    case Kind::choice:
    case Kind::choice_raw_read:
      code = static_cast<uint32_t>(value);
      return in_range;
    case Kind::coerced:
      code = static_cast<uint32_t>(in_range ? value : field.fallback);
      return true;
    case Kind::low_bits:
    case Kind::low_bits_choice_read:
      code = static_cast<uint32_t>(value);
      return true;
  }
  return false;
}

// The value the getter must return for a stored code.
int32_t expected_value(const Field& field, uint32_t code) {
  switch (field.kind) {
    case Kind::on_off_read_inverted:
      return code == 0 ? 1 : 0;
    case Kind::choice:
    case Kind::low_bits_choice_read:
      return code <= static_cast<uint32_t>(field.high) ? static_cast<int32_t>(code) : field.fallback;
    default:
      return static_cast<int32_t>(code);
  }
}

TEST(SettingFields, EverySetterChangesOnlyItsOwnBitsAndKeepsItsRange) {
  const int32_t values[] = {-9, -8, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 0x1234, 0x12345, INT32_MIN};
  // all bits clear, all set, and a mixed pattern with a nonzero upper half
  const uint32_t patterns[] = {0u, 0xFFFFFFFFu, 0x5A5AA5A5u};
  for (const Field& field : k_fields) {
    SCOPED_TRACE(field.name);
    for (uint32_t pattern : patterns) {
      for (int32_t value : values) {
        SCOPED_TRACE(testing::Message() << "pattern " << std::hex << pattern << std::dec << " value " << value);
        Record record = record_with(pattern);
        const AllWords before = words_of(record);
        (record.*field.set)(value);
        uint32_t code = 0;
        const AllWords expected = expected_code(field, value, code) ? with_code(before, field, code) : before;
        EXPECT_EQ(words_of(record), expected);
      }
    }
  }
}

TEST(SettingFields, EveryGetterReadsItsOwnBitsWithItsFallback) {
  for (const Field& field : k_fields) {
    SCOPED_TRACE(field.name);
    const int width = field.last_bit - field.first_bit + 1;
    const uint32_t last_code = width >= 16 ? 0xFFFFu : (1u << width) - 1u;
    for (uint32_t code = 0; code <= last_code; code = code < 20 ? code + 1 : code * 3 + 1) {
      SCOPED_TRACE(code);
      // the neighbours of the field hold the opposite pattern, so a getter
      // reading beyond its bits is caught
      for (uint32_t pattern : {0u, 0xFFFFFFFFu}) {
        Record record = record_with(pattern);
        const AllWords words = with_code(words_of(record), field, code);
        const int slot = slot_of(field);
        if (field.words == Words::general) {
          record.setBasicSetting20At_with(slot, static_cast<int32_t>(words[slot]));
        } else {
          record.setBasicSettingVT4Camera_with(field.word, static_cast<int32_t>(words[slot]));
        }
        EXPECT_EQ((record.*field.get)(), expected_value(field, code));
      }
    }
  }
}

// The field list that the save engine and the all-settings rows bind to: each
// plain accessor above is the descriptor named after it (its getter without
// "get" and "BasicSetting"), and every other descriptor is marked as one whose
// accessor adds a rule of its own.
TEST(SettingFields, TheListHoldsEveryPlainAccessorUnderItsName) {
  const auto list_name = [](std::string getter) {
    getter.erase(0, 3);
    if (getter.starts_with("BasicSetting")) getter.erase(0, std::string("BasicSetting").size());
    return getter;
  };
  std::set<std::string> bound;
  for (const Field& field : k_fields) {
    const std::string name = list_name(field.name);
    SCOPED_TRACE(name);
    const device_data::SettingField* descriptor = device_data::find_setting_field(name);
    ASSERT_NE(descriptor, nullptr);
    bound.insert(name);
    for (int32_t value : {-9, 0, 1, 2, 3, 5, 9, 12, 0x12345}) {
      SCOPED_TRACE(value);
      Record by_accessor = record_with(0x5A5AA5A5u);
      Record by_list = record_with(0x5A5AA5A5u);
      (by_accessor.*field.set)(value);
      device_data::write_setting_field(by_list, *descriptor, value);
      EXPECT_EQ(words_of(by_list), words_of(by_accessor));
      EXPECT_EQ(device_data::read_setting_field(by_list, *descriptor), (by_accessor.*field.get)());
    }
  }
  for (const device_data::SettingField& descriptor : device_data::setting_fields()) {
    SCOPED_TRACE(std::string(descriptor.name));
    EXPECT_EQ(device_data::find_setting_field(descriptor.name), &descriptor) << "names are unique";
    EXPECT_EQ(descriptor.own_rule, !bound.contains(std::string(descriptor.name)));
  }
  EXPECT_EQ(device_data::find_setting_field("NoSuchField"), nullptr);
}

TEST(SettingFields, WholeWordFieldsStoreAnyValue) {
  Record record;
  record.setBasicSettingLM6AudioBraidingSensitivity(-12345);
  record.setBasicSettingLM6MotionSensorSensitivity(0x12345678);
  EXPECT_EQ(record.getBasicSettingLM6AudioBraidingSensitivity(), -12345);
  EXPECT_EQ(record.basicSettingLM6(0), -12345);
  EXPECT_EQ(record.getBasicSettingLM6MotionSensorSensitivity(), 0x12345678);
}

TEST(SettingFields, RulesOfTheirOwn) {
  struct Case {
    const char* name;
    int32_t major;
    int32_t minor;
    int32_t language_pack_type;
    void (*act)(Record&);
    Words words;
    int word;
    uint32_t stored;  // the word after the action, starting from 0
  };
  const Case cases[] = {
      {"ND4 VOX sensitivity 6 is ignored", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingND4VoxSensitivity(6); }, G, 1, 0},
      {"ND4 volume management 1 clears bit 6", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingND4AudioVeneerVolumeManagement(1); }, G, 1, 0},
      {"ND4 volume management 0 sets bit 6", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingND4AudioVeneerVolumeManagement(0); }, G, 1, 0x40},
      {"voice assistant 1 sets bit 8", 1, 0, 0, [](Record& r) { r.SetBasicSettingVoiceAssistant(1); }, G, 4, 0x100},
      {"50 speaker select -8 stores 0", 1, 0, 0,
       [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(-8); }, G, 4, 0},
      {"50 speaker select 4 stores 12", 1, 0, 0,
       [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(4); }, G, 4, 12},
      {"50 speaker select 5 is ignored", 1, 0, 0,
       [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(5); }, G, 4, 0},
      {"50 speaker select -9 is ignored", 1, 0, 0,
       [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(-9); }, G, 4, 0},
      {"50 mic select 0 stores 8", 1, 0, 0, [](Record& r) { r.SetBasicSetting50MicAccessorySelect(0); }, G, 4, 0x80},
      {"HB6 language 6 with pack type 0", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingHB6UnitLanguage_device(6, 0x3340); }, G, 1, 7},
      {"HB6 language 6 with pack type 1", 1, 0, 1,
       [](Record& r) { r.SetBasicSettingHB6UnitLanguage_device(6, 0x3340); }, G, 1, 6},
      {"HB6 language 6 on an unlisted product", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingHB6UnitLanguage_device(6, 0x3300); }, G, 1, 6},
      {"HB6 language 12 shifted beyond the range", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingHB6UnitLanguage_device(12, 0x3341); }, G, 1, 0},
      {"HB6 language 5 is not shifted", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingHB6UnitLanguage_device(5, 0x3341); }, G, 1, 5},
      {"Tornik language 11 with pack type 0", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingTORNIKUnitLanguage_device(11, 0x3341); }, G, 2, 12},
      {"Qorlan language 10 with pack type 0", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingQorlanUnitLanguage_device(10, 0x3320); }, G, 3, 11},
      {"Qorlan language 11 shifted beyond the range", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingQorlanUnitLanguage_device(11, 0x3330); }, G, 3, 0},
      {"Qorlan language 11 with pack type 2", 1, 0, 2,
       [](Record& r) { r.SetBasicSettingQorlanUnitLanguage_device(11, 0x3330); }, G, 3, 11},
      {"TJ6 language 9 stores 11", 1, 0, 0, [](Record& r) { r.SetBasicSettingTJ6UnitLanguage(9); }, G, 3, 11},
      {"TJ6 language 12 stores 12", 1, 0, 0, [](Record& r) { r.SetBasicSettingTJ6UnitLanguage(12); }, G, 3, 12},
      {"TJ6 language 10 stores 12", 1, 0, 0, [](Record& r) { r.SetBasicSettingTJ6UnitLanguage(10); }, G, 3, 12},
      {"TJ6 language 13 is ignored", 1, 0, 0, [](Record& r) { r.SetBasicSettingTJ6UnitLanguage(13); }, G, 3, 0},
      {"camera video mode 2 at 1.9", 1, 9, 0, [](Record& r) { r.setBasicSettingVT4CameraVideoMode(2); }, C, 0, 0x2},
      {"camera video mode 2 at 2.0", 2, 0, 0, [](Record& r) { r.setBasicSettingVT4CameraVideoMode(2); }, C, 2, 0x80},
      {"camera video mode 3 at 2.0 is ignored", 2, 0, 0,
       [](Record& r) { r.setBasicSettingVT4CameraVideoMode(3); }, C, 2, 0},
      {"ESS sensitivity 0 stores 2", 1, 0, 0, [](Record& r) { r.setEssSensitivity(0); }, G, 2, 0x8},
      {"ESS sensitivity 3", 1, 0, 0, [](Record& r) { r.setEssSensitivity(3); }, G, 2, 0xC},
      {"mic gain 4 stores 3", 1, 0, 0, [](Record& r) { r.setMicGain(4); }, G, 2, 0x60},
      {"mic gain 5", 1, 0, 0, [](Record& r) { r.setMicGain(5); }, G, 2, 0xA0},
      {"mic gain 1", 1, 0, 0, [](Record& r) { r.setMicGain(1); }, G, 2, 0x20},
      {"DK3Morrim channel 0 is ignored", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingDK3MorrimMeshPublicChannel(0); }, G, 3, 0},
      {"Velandra channel keeps to its four bits", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingVelandraMeshPublicChannel(0x7F5); }, G, 1, 0x5},
      {"Y370R setter leaves word 2 alone", 1, 0, 0,
       [](Record& r) { r.SetBasicSettingY370RUnitLanguage_device(5, 0x6038); }, G, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record record = record_with(0, c.major, c.minor);
    record.setDevicelanguagePackType(c.language_pack_type);
    c.act(record);
    AllWords expected{};
    expected[c.words == Words::general ? c.word : Record::k_basic_setting_lm6_count + c.word] = c.stored;
    EXPECT_EQ(words_of(record), expected);
  }
}

TEST(SettingFields, GettersWithRulesOfTheirOwn) {
  struct Case {
    const char* name;
    int32_t major;
    int32_t minor;
    int32_t language_pack_type;
    Words words;
    int word;
    uint32_t stored;
    int32_t (*read)(const Record&);
    int32_t expected;
  };
  const Case cases[] = {
      {"ND4 VOX sensitivity code 7", 1, 0, 0, G, 1, 7,
       [](const Record& r) { return r.GetBasicSettingND4VoxSensitivity(); }, 3},
      {"voice assistant with its bit set", 1, 0, 0, G, 4, 0x100,
       [](const Record& r) { return r.GetBasicSettingVoiceAssistant(); }, 0},
      {"50 speaker select raw code", 1, 0, 0, G, 4, 0xF,
       [](const Record& r) { return r.GetBasicSetting50SpeakerAccessorySelect(); }, 15},
      {"50 mic select raw code", 1, 0, 0, G, 4, 0xC0,
       [](const Record& r) { return r.GetBasicSetting50MicAccessorySelect(); }, 12},
      {"HB6 code 7 with pack type 0", 1, 0, 0, G, 1, 7,
       [](const Record& r) { return r.GetBasicSettinghb6UnitLanguage(0x3340); }, 6},
      {"HB6 code 7 with pack type 1", 1, 0, 1, G, 1, 7,
       [](const Record& r) { return r.GetBasicSettinghb6UnitLanguage(0x3340); }, 7},
      {"HB6 code 5 with pack type 0", 1, 0, 0, G, 1, 5,
       [](const Record& r) { return r.GetBasicSettinghb6UnitLanguage(0x3341); }, 5},
      {"Tornik code 12 with pack type 0", 1, 0, 0, G, 2, 12,
       [](const Record& r) { return r.GetBasicSettingTORNIKUnitLanguage(0x3341); }, 11},
      {"Qorlan code 12 reads 0", 1, 0, 1, G, 3, 12,
       [](const Record& r) { return r.GetBasicSettingQorlanUnitLanguage(0x3310); }, 0},
      {"Qorlan code 11 with pack type 0", 1, 0, 0, G, 3, 11,
       [](const Record& r) { return r.GetBasicSettingQorlanUnitLanguage(0x3310); }, 10},
      {"TJ6 code 11 reads 9", 1, 0, 0, G, 3, 11, [](const Record& r) { return r.GetBasicSettingTJ6UnitLanguage(); }, 9},
      {"TJ6 code 12 reads 10", 1, 0, 0, G, 3, 12,
       [](const Record& r) { return r.GetBasicSettingTJ6UnitLanguage(); }, 10},
      {"TJ6 code 10 as is", 1, 0, 0, G, 3, 10, [](const Record& r) { return r.GetBasicSettingTJ6UnitLanguage(); }, 10},
      {"TJ6 code 14 raw", 1, 0, 0, G, 3, 14, [](const Record& r) { return r.GetBasicSettingTJ6UnitLanguage(); }, 14},
      {"Y370R code 1", 1, 0, 0, G, 2, 1 << 4,
       [](const Record& r) { return r.GetBasicSettingY370RUnitLanguage(0x6038); }, 2},
      {"Y370R code 3", 1, 0, 0, G, 2, 3 << 4,
       [](const Record& r) { return r.GetBasicSettingY370RUnitLanguage(0x6038); }, 1},
      {"Y370R code 16", 1, 0, 0, G, 2, 16 << 4,
       [](const Record& r) { return r.GetBasicSettingY370RUnitLanguage(0x6038); }, 6},
      {"Y370R code 22", 1, 0, 0, G, 2, 22 << 4,
       [](const Record& r) { return r.GetBasicSettingY370RUnitLanguage(0x6038); }, 7},
      {"Y370R unknown code", 1, 0, 0, G, 2, (7 << 4) | 0xF,
       [](const Record& r) { return r.GetBasicSettingY370RUnitLanguage(0x6038); }, 0},
      {"camera video mode bit 1 before 2.0", 1, 9, 0, C, 0, 0x2,
       [](const Record& r) { return r.getBasicSettingVT4CameraVideoMode(); }, 1},
      {"camera video mode bit 6 from 2.0", 2, 0, 0, C, 2, 0x40,
       [](const Record& r) { return r.getBasicSettingVT4CameraVideoMode(); }, 1},
      {"camera video mode both bits read 0", 2, 0, 0, C, 2, 0xC0,
       [](const Record& r) { return r.getBasicSettingVT4CameraVideoMode(); }, 0},
      {"camera video mode at 2.0 ignores word 0", 2, 0, 0, C, 0, 0x2,
       [](const Record& r) { return r.getBasicSettingVT4CameraVideoMode(); }, 0},
      {"ESS sensitivity code 0 reads 2", 1, 0, 0, G, 2, 0,
       [](const Record& r) { return r.getEssSensitivity(); }, 2},
      {"ESS sensitivity code 1", 1, 0, 0, G, 2, 0x4, [](const Record& r) { return r.getEssSensitivity(); }, 1},
      {"mic gain bits 5-6 = 1", 1, 0, 0, G, 2, 0x20, [](const Record& r) { return r.getMicGain(); }, 1},
      {"mic gain bits 5-6 = 1 and bit 7", 1, 0, 0, G, 2, 0xA0, [](const Record& r) { return r.getMicGain(); }, 5},
      {"mic gain bits 5-6 = 2", 1, 0, 0, G, 2, 0x40, [](const Record& r) { return r.getMicGain(); }, 3},
      {"mic gain cleared", 1, 0, 0, G, 2, 0, [](const Record& r) { return r.getMicGain(); }, 3},
      {"LM6 smart volume with bit 3", 1, 0, 0, G, 2, 0x8,
       [](const Record& r) { return r.getBasicSettingLM6SmartVolumeControl(); }, 0},
      {"ND4 mesh mode both bits", 1, 0, 0, G, 0, 0x6000,
       [](const Record& r) { return r.GetBasicSettingND4MeshMode(); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record record = record_with(0, c.major, c.minor);
    record.setDevicelanguagePackType(c.language_pack_type);
    if (c.words == Words::general) {
      record.setBasicSetting20At_with(c.word, static_cast<int32_t>(c.stored));
    } else {
      record.setBasicSettingVT4Camera_with(c.word, static_cast<int32_t>(c.stored));
    }
    EXPECT_EQ(c.read(record), c.expected);
  }
}

TEST(SettingFields, LanguageRoundTripsThroughTheLanguagePackRule) {
  for (int32_t language = 0; language <= 11; ++language) {
    SCOPED_TRACE(language);
    Record record;
    record.SetBasicSettingHB6UnitLanguage_device(language, 0x3340);
    EXPECT_EQ(record.GetBasicSettinghb6UnitLanguage(0x3340), language);
    record.SetBasicSettingTJ6UnitLanguage(language);
    if (language <= 10) {
      EXPECT_EQ(record.GetBasicSettingTJ6UnitLanguage(), language);
    }
  }
}

TEST(SettingFields, SharedBitsAndRecordingSources) {
  Record record;
  record.setBasicSettingLM6HDSpeakerAccessory(1);
  EXPECT_EQ(record.getBasicSettingLM6LEDControl(), 1);
  record.setBasicSettingLM6LEDControl(0);
  EXPECT_EQ(record.getBasicSettingLM6HDSpeakerAccessory(), 0);

  // the Y370R getter reads word 2, while its setter fills the packed language
  record.SetBasicSettingY370RUnitLanguage_device(3, 0x6039);
  EXPECT_EQ(record.Y370Language(), 3);
  EXPECT_EQ(record.GetBasicSettingY370RUnitLanguage(0x6039), 0);

  Record camera;
  camera.setBasicSettingVT4CameraSpeakerSoundRecording(1);
  EXPECT_TRUE(camera.emptyCheckSpeakerSoundRecording());
  const Setter sources[] = {&Record::setBasicSettingVT4CameraSpeakerSoundRecordingMusic,
                            &Record::setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio,
                            &Record::setBasicSettingVT4CameraSpeakerSoundRecordingIntercom,
                            &Record::setBasicSettingVT4CameraSpeakerSoundRecordingPhone};
  for (Setter source : sources) {
    Record one = camera;
    (one.*source)(1);
    EXPECT_FALSE(one.emptyCheckSpeakerSoundRecording());
  }
}

}  // namespace
