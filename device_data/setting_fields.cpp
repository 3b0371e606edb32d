// Per-family setting fields inside the record's 16-bit settings words. Every
// field is one descriptor in the list below; one pair of generic functions reads
// and writes any descriptor, and the record's accessors bind to the descriptors
// by name. The accessors with rules of their own follow the plain ones.
#include "device_data/setting_fields.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"

namespace {

using Record = FEXOBluetoothDeviceData;

using device_data::GetRule;
using device_data::SetRule;
using device_data::SettingField;
using Words = device_data::SettingWords;

constexpr SettingField field(std::string_view name, Words words, int word, int first_bit, int last_bit, SetRule set,
                             GetRule get, int32_t set_low, int32_t high, int32_t fallback) {
  return {name, words, word, first_bit, last_bit, set, get, set_low, high, fallback, false};
}
constexpr SettingField on_off(std::string_view name, Words words, int word, int bit) {
  return field(name, words, word, bit, bit, SetRule::on_off, GetRule::code, 0, 1, 0);
}
// An enumerated field: 0..high written and read, other codes read `fallback`.
constexpr SettingField choice(std::string_view name, Words words, int word, int first_bit, int last_bit, int32_t high,
                              int32_t fallback) {
  return field(name, words, word, first_bit, last_bit, SetRule::in_range, GetRule::in_range_or_fallback, 0, high,
               fallback);
}
// A field stored from the argument's low bits and read back as stored.
constexpr SettingField raw(std::string_view name, Words words, int word, int first_bit, int last_bit) {
  return field(name, words, word, first_bit, last_bit, SetRule::low_bits, GetRule::code, 0, 0, 0);
}
// A field whose accessor adds a rule of its own (the accessors after the plain ones).
constexpr SettingField with_own_rule(SettingField descriptor) {
  descriptor.own_rule = true;
  return descriptor;
}

constexpr Words G = Words::general;
constexpr Words C = Words::camera;

// ---- the list ----

constexpr SettingField k_setting_fields[] = {
    // ---- LM6 family, general words 2 and 4 ----
    on_off("LM6VOXPhone", G, 2, 15),
    on_off("LM6HDIntercom", G, 2, 13),
    on_off("LM6Sidetone", G, 2, 12),
    on_off("LM6AudioBraiding", G, 2, 11),
    on_off("LM6VoicePrompt", G, 2, 10),
    on_off("LM6NavigationAppOverlay", G, 2, 9),
    on_off("LM6AmbientHushControl", G, 2, 8),
    on_off("LM6AudioBoost", G, 2, 7),
    on_off("LM6EightWayIntercom", G, 2, 6),
    on_off("LM6FMStationGuide", G, 2, 5),
    // the value sits in bits 1-2; writing the four-bit field clears bits 3-4, and a
    // code with bit 3 or 4 set is out of range and reads 0
    choice("LM6SmartVolumeControl", G, 2, 1, 4, 3, 0),
    on_off("LM6VoiceCommand", G, 2, 0),
    raw("LM6AudioBraidingSensitivity", G, 0, 0, 31),
    raw("LM6MotionSensorSensitivity", G, 3, 0, 31),
    // the device has one bit for both: the LED control and the HD speaker accessory
    on_off("LM6HDSpeakerAccessory", G, 4, 15),
    on_off("LM6LEDControl", G, 4, 15),
    choice("LM6AudioEqualizer", G, 4, 12, 14, 4, 0),
    choice("LM6IronvaleSpeakerAccessorySelect", G, 4, 10, 11, 3, 0),
    field("VoiceAssistant", G, 4, 8, 8, SetRule::on_off, GetRule::off_is_one, 0, 1, 0),
    on_off("HIDOneModuleHDSpeakerAccessory", G, 1, 9),
    field("EssStatus", G, 2, 0, 1, SetRule::in_range_or_fallback, GetRule::code, 1, 3, 0),
    // 1..3 with 2 for anything else is the same as "1 or 3, else 2"
    with_own_rule(field("EssSensitivity", G, 2, 2, 3, SetRule::in_range_or_fallback, GetRule::code, 1, 3, 2)),
    with_own_rule(raw("MicGain", G, 2, 5, 7)),

    // ---- ND4 family ----
    on_off("ND4VOXPhone", G, 0, 0),
    on_off("ND4VOXIntercom", G, 0, 1),
    on_off("EDR", G, 0, 2),
    on_off("ND4VoicePrompt", G, 0, 3),
    on_off("ND4HighQulityA2DP", G, 0, 5),
    on_off("ND4Sidetone", G, 0, 8),
    on_off("ND4AmbientHushControl", G, 0, 9),
    on_off("ND4AudioBoost", G, 0, 10),
    on_off("ND4HDIntercom", G, 0, 11),
    on_off("ND4FMStationGuide", G, 0, 12),
    // 1 is bit 13 alone, 2 is bit 14 alone; both bits set is no mode the device knows and reads 0
    choice("ND4MeshMode", G, 0, 13, 14, 2, 0),
    on_off("ND4MeshGuestMode", G, 0, 15),
    choice("ND4VoxSensitivity", G, 1, 0, 2, 5, 3),
    choice("ND4AGCSensitivity", G, 1, 3, 5, 3, 3),
    field("ND4AudioVeneerVolumeManagement", G, 1, 6, 6, SetRule::on_when_zero, GetRule::code, 0, 1, 0),
    choice("ND4AudioVeneerSensitivity", G, 1, 7, 9, 5, 3),
    on_off("ND4VoiceCommand", G, 1, 10),
    on_off("ND4AudioVeneer", G, 1, 11),
    on_off("UILayer", G, 1, 12),
    field("ND4UnitLanguage", G, 3, 0, 3, SetRule::in_range, GetRule::code, 0, 12, 0),
    choice("ND4MeshPublicChannel", G, 3, 6, 9, 5, 0),
    on_off("ND4HDSpeakerAccessory", G, 3, 10),
    choice("30Equalizer", G, 3, 11, 13, 4, 0),

    // ---- other families and editions ----
    on_off("WQ8HDVoice", G, 3, 10),
    choice("50Equalizer", G, 3, 11, 14, 4, 0),
    with_own_rule(raw("50SpeakerAccessorySelect", G, 4, 0, 3)),
    with_own_rule(raw("50MicAccessorySelect", G, 4, 4, 7)),
    choice("IronvaleSpeakerAccessorySelect", G, 3, 14, 15, 3, 0),
    choice("HB6Equalizer", G, 1, 5, 8, 4, 0),
    with_own_rule(choice("HB6UnitLanguage", G, 1, 0, 3, 12, 0)),
    with_own_rule(choice("TORNIKUnitLanguage", G, 2, 0, 3, 12, 0)),
    with_own_rule(choice("QorlanUnitLanguage", G, 3, 0, 3, 11, 0)),
    on_off("QorlanHDSpeakerAccessory", G, 1, 13),
    with_own_rule(raw("TJ6UnitLanguage", G, 3, 0, 3)),
    choice("DK5XUnitLanguage", G, 1, 4, 7, 10, 0),
    with_own_rule(raw("Y370RUnitLanguage", G, 2, 4, 15)),
    field("VelandraRemoteUIPTT", G, 1, 10, 10, SetRule::on_off, GetRule::off_is_one, 0, 1, 0),
    // the setter keeps to the four bits so no argument can reach the remote UI PTT bit
    field("VelandraMeshPublicChannel", G, 1, 0, 3, SetRule::low_bits, GetRule::in_range_or_fallback, 0, 8, 0),
    field("DK3MorrimMeshPublicChannel", G, 3, 6, 9, SetRule::in_range, GetRule::in_range_or_fallback, 1, 9, 0),
    on_off("QCCHDVoice", G, 0, 13),
    choice("QCCAudioEqualizer", G, 1, 4, 6, 5, 0),
    choice("QCCVOXSensitivity", G, 1, 7, 9, 5, 3),
    field("QCCAudioVeneerVolumeManagement", G, 1, 10, 10, SetRule::on_when_zero, GetRule::code, 0, 1, 0),
    choice("QCCAudioVeneerSensitivity", G, 1, 11, 13, 5, 3),
    on_off("AirohaVOXPhone", G, 0, 0),
    on_off("AirohaVoicePrompt", G, 0, 1),
    on_off("AirohaSidetone", G, 0, 2),
    on_off("AirohaAudioVeneerVolumeManagement", G, 0, 4),
    raw("AirohaMeshPublicChannel", G, 1, 0, 3),
    raw("AirohaAudioEqualizer", G, 1, 4, 7),
    raw("AirohaVoxSensitivity", G, 1, 8, 11),
    raw("AirohaIntercomAudioVeneerSensitivity", G, 1, 12, 15),
    raw("AirohaUnitLanguage", G, 2, 0, 15),

    // ---- VT4 camera ----
    on_off("VT4CameraPhotoMode", C, 0, 0),
    // firmware before 2.0: video on/off; from 2.0: 1 is bit 6, 2 is bit 7, both set read 0
    with_own_rule(on_off("VT4CameraVideoModeBefore2", C, 0, 1)),
    with_own_rule(choice("VT4CameraVideoModeFrom2", C, 2, 6, 7, 2, 0)),
    choice("VT4CameraVideoResolution", C, 0, 2, 3, 2, 0),
    on_off("VT4CameraTimelapseInterval", C, 0, 4),
    on_off("VT4CameraDateCaption", C, 0, 5),
    on_off("VT4CameraSpeakerSoundRecording", C, 0, 6),
    on_off("VT4CameraAutoCameraSleep", C, 0, 7),
    on_off("VT4CameraSpeakerSoundRecordingMusic", C, 0, 8),
    on_off("VT4CameraSpeakerSoundRecordingFMRadio", C, 0, 9),
    on_off("VT4CameraSpeakerSoundRecordingIntercom", C, 0, 10),
    on_off("VT4CameraSpeakerSoundRecordingPhone", C, 0, 11),
    choice("VT4CameraVideoTaggingInterval", C, 2, 0, 1, 2, 0),
    choice("VT4CameraLoopRecordingInterval", C, 2, 2, 3, 2, 0),
    choice("VT4CameraVideoMicrophoneGain", C, 2, 4, 5, 2, 0),
};

// The descriptor named `name`; a name that is not in the list does not compile.
consteval const SettingField& field_named(std::string_view name) {
  for (const SettingField& entry : k_setting_fields) {
    if (entry.name == name) return entry;
  }
  throw "no setting field of that name";
}

// ---- the generic reader and writer; words are reached only through the
// record's bounds-checked accessors ----

uint32_t mask_of(const SettingField& field) {
  const int width = field.last_bit - field.first_bit + 1;
  const uint32_t low_mask = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
  return low_mask << field.first_bit;
}

uint32_t word_of(const Record& record, const SettingField& field) {
  const int32_t word = field.words == Words::general ? record.basicSettingLM6(field.word)
                                                     : record.basicSettingVT4CameraAt(field.word);
  return static_cast<uint32_t>(word);
}

uint32_t code_of(const Record& record, const SettingField& field) {
  return (word_of(record, field) & mask_of(field)) >> field.first_bit;
}

void store_code(Record& record, const SettingField& field, uint32_t code) {
  const uint32_t mask = mask_of(field);
  const uint32_t word = (word_of(record, field) & ~mask) | ((code << field.first_bit) & mask);
  if (field.words == Words::general) {
    record.setBasicSetting20At_with(field.word, static_cast<int32_t>(word));
  } else {
    record.setBasicSettingVT4Camera_with(field.word, static_cast<int32_t>(word));
  }
}

bool in_set_range(const SettingField& field, int32_t value) { return value >= field.set_low && value <= field.high; }

int32_t read_field(const Record& record, const SettingField& field) {
  const uint32_t code = code_of(record, field);
  switch (field.get) {
    case GetRule::code:
      return static_cast<int32_t>(code);
    case GetRule::in_range_or_fallback:
      return code <= static_cast<uint32_t>(field.high) ? static_cast<int32_t>(code) : field.fallback;
    case GetRule::off_is_one:
      return code == 0 ? 1 : 0;
  }
  return 0;
}

void write_field(Record& record, const SettingField& field, int32_t value) {
  switch (field.set) {
    case SetRule::on_off:
      store_code(record, field, value != 0 ? 1u : 0u);
      return;
    case SetRule::on_when_zero:
      store_code(record, field, value == 0 ? 1u : 0u);
      return;
    case SetRule::in_range:
      if (in_set_range(field, value)) store_code(record, field, static_cast<uint32_t>(value));
      return;
    case SetRule::in_range_or_fallback:
      store_code(record, field, static_cast<uint32_t>(in_set_range(field, value) ? value : field.fallback));
      return;
    case SetRule::low_bits:
      store_code(record, field, static_cast<uint32_t>(value));
      return;
  }
}

// ---- rules of their own ----

bool hb6_language_skips_code_6(int32_t device) { return device_data::product_facts(device).hb6_language_skips_code_6; }

// The Qorlan word is written by the unit's language pack.
bool qorlan_language_by_pack(int32_t device) {
  return (device_data::product_facts(device).setting_writers & device_data::k_writes_qorlan_language) != 0;
}

// The field's value, also shown on the console for the diagnostics of the settings pages.
int32_t read_and_log(const Record& record, const SettingField& field, const char* label) {
  const int32_t value = read_field(record, field);
  platform::console(platform::format("%s = %d", label, value));
  return value;
}

// The HB6, Tornik and Qorlan units with language pack type 0 have no code 6:
// languages above 5 sit one code higher on the device. `listed` says whether
// the device's word has the gap.
bool skips_language_code(const Record& record, bool listed) {
  platform::console(platform::format("language pack type = %d", record.devicelanguagePackType()));
  return listed && record.devicelanguagePackType() == 0;
}

int32_t read_language(const Record& record, const SettingField& field, bool skips_code) {
  const int32_t code = read_field(record, field);
  return skips_code && code > 5 ? code - 1 : code;
}

void write_language(Record& record, const SettingField& field, int32_t value, bool skips_code) {
  // the range is the device's: checked on the shifted code
  write_field(record, field, skips_code && value > 5 ? value + 1 : value);
}

// The 50 family's accessory selects take a level of -8..4 and store it as code 0..12.
void write_accessory_select(Record& record, const SettingField& field, int32_t level) {
  if (level >= -8 && level <= 4) store_code(record, field, static_cast<uint32_t>(level + 8));
}

}  // namespace

namespace device_data {

std::span<const SettingField> setting_fields() { return k_setting_fields; }

const SettingField* find_setting_field(std::string_view name) {
  const auto found = std::find_if(std::begin(k_setting_fields), std::end(k_setting_fields),
                                  [name](const SettingField& entry) { return entry.name == name; });
  return found == std::end(k_setting_fields) ? nullptr : &*found;
}

int32_t read_setting_field(const FEXOBluetoothDeviceData& record, const SettingField& field) {
  return read_field(record, field);
}

void write_setting_field(FEXOBluetoothDeviceData& record, const SettingField& field, int32_t value) {
  write_field(record, field, value);
}

}  // namespace device_data

// Plain fields: the accessor pair is the descriptor's read and write.
#define VX_FIELD_ACCESSORS(getter, setter, name)                                                   \
  int32_t FEXOBluetoothDeviceData::getter() const { return read_field(*this, field_named(name)); } \
  void FEXOBluetoothDeviceData::setter(int32_t value) { write_field(*this, field_named(name), value); }

VX_FIELD_ACCESSORS(getBasicSettingLM6VOXPhone, setBasicSettingLM6VOXPhone, "LM6VOXPhone")
VX_FIELD_ACCESSORS(getBasicSettingLM6HDIntercom, setBasicSettingLM6HDIntercom, "LM6HDIntercom")
VX_FIELD_ACCESSORS(getBasicSettingLM6Sidetone, setBasicSettingLM6Sidetone, "LM6Sidetone")
VX_FIELD_ACCESSORS(getBasicSettingLM6AudioBraiding, setBasicSettingLM6AudioBraiding, "LM6AudioBraiding")
VX_FIELD_ACCESSORS(getBasicSettingLM6VoicePrompt, setBasicSettingLM6VoicePrompt, "LM6VoicePrompt")
VX_FIELD_ACCESSORS(getBasicSettingLM6NavigationAppOverlay, setBasicSettingLM6NavigationAppOverlay,
                   "LM6NavigationAppOverlay")
VX_FIELD_ACCESSORS(getBasicSettingLM6AmbientHushControl, setBasicSettingLM6AmbientHushControl,
                   "LM6AmbientHushControl")
VX_FIELD_ACCESSORS(getBasicSettingLM6AudioBoost, setBasicSettingLM6AudioBoost, "LM6AudioBoost")
VX_FIELD_ACCESSORS(getBasicSettingLM6EightWayIntercom, setBasicSettingLM6EightWayIntercom, "LM6EightWayIntercom")
VX_FIELD_ACCESSORS(getBasicSettingLM6FMStationGuide, setBasicSettingLM6FMStationGuide, "LM6FMStationGuide")
VX_FIELD_ACCESSORS(getBasicSettingLM6SmartVolumeControl, setBasicSettingLM6SmartVolumeControl,
                   "LM6SmartVolumeControl")
VX_FIELD_ACCESSORS(GetBasicSettingLM6VoiceCommand, SetBasicSettingLM6VoiceCommand, "LM6VoiceCommand")
VX_FIELD_ACCESSORS(getBasicSettingLM6AudioBraidingSensitivity, setBasicSettingLM6AudioBraidingSensitivity,
                   "LM6AudioBraidingSensitivity")
VX_FIELD_ACCESSORS(getBasicSettingLM6MotionSensorSensitivity, setBasicSettingLM6MotionSensorSensitivity,
                   "LM6MotionSensorSensitivity")
VX_FIELD_ACCESSORS(getBasicSettingLM6HDSpeakerAccessory, setBasicSettingLM6HDSpeakerAccessory,
                   "LM6HDSpeakerAccessory")
VX_FIELD_ACCESSORS(getBasicSettingLM6LEDControl, setBasicSettingLM6LEDControl, "LM6LEDControl")
VX_FIELD_ACCESSORS(getBasicSettingLM6AudioEqualizer, setBasicSettingLM6AudioEqualizer, "LM6AudioEqualizer")
VX_FIELD_ACCESSORS(GetBasicSettingVoiceAssistant, SetBasicSettingVoiceAssistant, "VoiceAssistant")
VX_FIELD_ACCESSORS(getBasicSettingHIDOneModuleHDSpeakerAccessory, setBasicSettingHIDOneModuleHDSpeakerAccessory,
                   "HIDOneModuleHDSpeakerAccessory")
VX_FIELD_ACCESSORS(getEssStatus, setEssStatus, "EssStatus")

VX_FIELD_ACCESSORS(GetBasicSettingND4VOXPhone, SetBasicSettingND4VOXPhone, "ND4VOXPhone")
VX_FIELD_ACCESSORS(GetBasicSettingND4VOXIntercom, SetBasicSettingND4VOXIntercom, "ND4VOXIntercom")
VX_FIELD_ACCESSORS(GetBasicSettingEDR, SetBasicSettingEDR, "EDR")
VX_FIELD_ACCESSORS(GetBasicSettingND4VoicePrompt, SetBasicSettingND4VoicePrompt, "ND4VoicePrompt")
VX_FIELD_ACCESSORS(GetBasicSettingND4HighQulityA2DP, SetBasicSettingND4HighQulityA2DP, "ND4HighQulityA2DP")
VX_FIELD_ACCESSORS(GetBasicSettingND4Sidetone, SetBasicSettingND4Sidetone, "ND4Sidetone")
VX_FIELD_ACCESSORS(GetBasicSettingND4AmbientHushControl, SetBasicSettingND4AmbientHushControl,
                   "ND4AmbientHushControl")
VX_FIELD_ACCESSORS(GetBasicSettingND4AudioBoost, SetBasicSettingND4AudioBoost, "ND4AudioBoost")
VX_FIELD_ACCESSORS(GetBasicSettingND4HDIntercom, SetBasicSettingND4HDIntercom, "ND4HDIntercom")
VX_FIELD_ACCESSORS(GetBasicSettingND4FMStationGuide, SetBasicSettingND4FMStationGuide, "ND4FMStationGuide")
VX_FIELD_ACCESSORS(GetBasicSettingND4MeshMode, SetBasicSettingND4MeshMode, "ND4MeshMode")
VX_FIELD_ACCESSORS(GetBasicSettingND4MeshGuestMode, SetBasicSettingND4MeshGuestMode, "ND4MeshGuestMode")
VX_FIELD_ACCESSORS(GetBasicSettingND4VoxSensitivity, SetBasicSettingND4VoxSensitivity, "ND4VoxSensitivity")
VX_FIELD_ACCESSORS(GetBasicSettingND4AGCSensitivity, SetBasicSettingND4AGCSensitivity, "ND4AGCSensitivity")
VX_FIELD_ACCESSORS(GetBasicSettingND4AudioVeneerVolumeManagement, SetBasicSettingND4AudioVeneerVolumeManagement,
                   "ND4AudioVeneerVolumeManagement")
VX_FIELD_ACCESSORS(GetBasicSettingND4AudioVeneerSensitivity, SetBasicSettingND4AudioVeneerSensitivity,
                   "ND4AudioVeneerSensitivity")
VX_FIELD_ACCESSORS(GetBasicSettingND4VoiceCommand, SetBasicSettingND4VoiceCommand, "ND4VoiceCommand")
VX_FIELD_ACCESSORS(GetBasicSettingND4AudioVeneer, SetBasicSettingND4AudioVeneer, "ND4AudioVeneer")
VX_FIELD_ACCESSORS(GetBasicSettingUILayer, SetBasicSettingUILayer, "UILayer")
VX_FIELD_ACCESSORS(GetBasicSettingND4UnitLanguage, SetBasicSettingND4UnitLanguage, "ND4UnitLanguage")
VX_FIELD_ACCESSORS(GetBasicSettingND4MeshPublicChannel, SetBasicSettingND4MeshPublicChannel, "ND4MeshPublicChannel")
VX_FIELD_ACCESSORS(GetBasicSettingND4HDSpeakerAccessory, SetBasicSettingND4HDSpeakerAccessory,
                   "ND4HDSpeakerAccessory")
VX_FIELD_ACCESSORS(GetBasicSetting30Equalizer, SetBasicSetting30Equalizer, "30Equalizer")

VX_FIELD_ACCESSORS(GetBasicSettingWQ8HDVoice, SetBasicSettingWQ8HDVoice, "WQ8HDVoice")
VX_FIELD_ACCESSORS(GetBasicSettingIronvaleSpeakerAccessorySelect, SetBasicSettingIronvaleSpeakerAccessorySelect,
                   "IronvaleSpeakerAccessorySelect")
VX_FIELD_ACCESSORS(GetBasicSettingHB6Equalizer, SetBasicSettingHB6Equalizer, "HB6Equalizer")
VX_FIELD_ACCESSORS(GetBasicSettingQorlanHDSpeakerAccessory, SetBasicSettingQorlanHDSpeakerAccessory,
                   "QorlanHDSpeakerAccessory")
VX_FIELD_ACCESSORS(GetBasicSettingDK5XUnitLanguage, SetBasicSettingDK5XUnitLanguage, "DK5XUnitLanguage")
VX_FIELD_ACCESSORS(GetBasicSettingDK3MorrimMeshPublicChannel, SetBasicSettingDK3MorrimMeshPublicChannel,
                   "DK3MorrimMeshPublicChannel")
VX_FIELD_ACCESSORS(GetBasicSettingQCCHDVoice, SetBasicSettingQCCHDVoice, "QCCHDVoice")
VX_FIELD_ACCESSORS(GetBasicSettingQCCAudioEqualizer, SetBasicSettingQCCAudioEqualizer, "QCCAudioEqualizer")
VX_FIELD_ACCESSORS(GetBasicSettingQCCVOXSensitivity, SetBasicSettingQCCVOXSensitivity, "QCCVOXSensitivity")
VX_FIELD_ACCESSORS(GetBasicSettingQCCAudioVeneerVolumeManagement, SetBasicSettingQCCAudioVeneerVolumeManagement,
                   "QCCAudioVeneerVolumeManagement")
VX_FIELD_ACCESSORS(GetBasicSettingQCCAudioVeneerSensitivity, SetBasicSettingQCCAudioVeneerSensitivity,
                   "QCCAudioVeneerSensitivity")
VX_FIELD_ACCESSORS(GetBasicSettingAirohaVOXPhone, SetBasicSettingAirohaVOXPhone, "AirohaVOXPhone")
VX_FIELD_ACCESSORS(GetBasicSettingAirohaVoicePrompt, SetBasicSettingAirohaVoicePrompt, "AirohaVoicePrompt")
VX_FIELD_ACCESSORS(GetBasicSettingAirohaSidetone, SetBasicSettingAirohaSidetone, "AirohaSidetone")
VX_FIELD_ACCESSORS(GetBasicSettingAirohaAudioVeneerVolumeManagement,
                   SetBasicSettingAirohaAudioVeneerVolumeManagement, "AirohaAudioVeneerVolumeManagement")
VX_FIELD_ACCESSORS(GetBasicSettingAirohaMeshPublicChannel, SetBasicSettingAirohaMeshPublicChannel,
                   "AirohaMeshPublicChannel")

VX_FIELD_ACCESSORS(getBasicSettingVT4CameraPhotoMode, setBasicSettingVT4CameraPhotoMode, "VT4CameraPhotoMode")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraVideoResolution, setBasicSettingVT4CameraVideoResolution,
                   "VT4CameraVideoResolution")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraTimelapseInterval, setBasicSettingVT4CameraTimelapseInterval,
                   "VT4CameraTimelapseInterval")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraDateCaption, setBasicSettingVT4CameraDateCaption, "VT4CameraDateCaption")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecording, setBasicSettingVT4CameraSpeakerSoundRecording,
                   "VT4CameraSpeakerSoundRecording")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraAutoCameraSleep, setBasicSettingVT4CameraAutoCameraSleep,
                   "VT4CameraAutoCameraSleep")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingMusic,
                   setBasicSettingVT4CameraSpeakerSoundRecordingMusic, "VT4CameraSpeakerSoundRecordingMusic")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingFMRadio,
                   setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio, "VT4CameraSpeakerSoundRecordingFMRadio")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingIntercom,
                   setBasicSettingVT4CameraSpeakerSoundRecordingIntercom, "VT4CameraSpeakerSoundRecordingIntercom")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingPhone,
                   setBasicSettingVT4CameraSpeakerSoundRecordingPhone, "VT4CameraSpeakerSoundRecordingPhone")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraVideoTaggingInterval, setBasicSettingVT4CameraVideoTaggingInterval,
                   "VT4CameraVideoTaggingInterval")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraLoopRecordingInterval, setBasicSettingVT4CameraLoopRecordingInterval,
                   "VT4CameraLoopRecordingInterval")
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraVideoMicrophoneGain, setBasicSettingVT4CameraVideoMicrophoneGain,
                   "VT4CameraVideoMicrophoneGain")

// Fields whose getter also logs the value it read.
#define VX_LOGGED_FIELD_ACCESSORS(getter, setter, name, label)                                                \
  int32_t FEXOBluetoothDeviceData::getter() const { return read_and_log(*this, field_named(name), label); } \
  void FEXOBluetoothDeviceData::setter(int32_t value) { write_field(*this, field_named(name), value); }

VX_LOGGED_FIELD_ACCESSORS(GetBasicSettingAirohaAudioEqualizer, SetBasicSettingAirohaAudioEqualizer,
                          "AirohaAudioEqualizer", "Airoha audio equalizer")
VX_LOGGED_FIELD_ACCESSORS(GetBasicSettingAirohaVoxSensitivity, SetBasicSettingAirohaVoxSensitivity,
                          "AirohaVoxSensitivity", "Airoha VOX sensitivity")
VX_LOGGED_FIELD_ACCESSORS(GetBasicSettingAirohaIntercomAudioVeneerSensitivity,
                          SetBasicSettingAirohaIntercomAudioVeneerSensitivity, "AirohaIntercomAudioVeneerSensitivity",
                          "Airoha intercom audio veneer sensitivity")
// the low 16 bits are the device word; the setter keeps the element's upper half
VX_LOGGED_FIELD_ACCESSORS(GetBasicSettingAirohaUnitLanguage, SetBasicSettingAirohaUnitLanguage, "AirohaUnitLanguage",
                          "Airoha unit language")

#undef VX_LOGGED_FIELD_ACCESSORS
#undef VX_FIELD_ACCESSORS

// ---- accessors with rules of their own ----

int32_t FEXOBluetoothDeviceData::GetBasicSettingLM6IronvaleSpeakerAccessorySelect() const {
  return read_and_log(*this, field_named("LM6IronvaleSpeakerAccessorySelect"), "LM6 speaker accessory select");
}

void FEXOBluetoothDeviceData::SetBasicSettingLM6IronvaleSpeakerAccessorySelect(int32_t value) {
  write_field(*this, field_named("LM6IronvaleSpeakerAccessorySelect"), value);
  read_and_log(*this, field_named("LM6IronvaleSpeakerAccessorySelect"), "LM6 speaker accessory select set to");
}

int32_t FEXOBluetoothDeviceData::getEssSensitivity() const {
  // code 0 is not a sensitivity the device uses; it stands for the middle one
  const int32_t code = read_field(*this, field_named("EssSensitivity"));
  return code == 0 ? 2 : code;
}

void FEXOBluetoothDeviceData::setEssSensitivity(int32_t value) {
  write_field(*this, field_named("EssSensitivity"), value);
}

int32_t FEXOBluetoothDeviceData::getMicGain() const {
  // gains 1 and 5 share bits 5-6 = 1 and differ in bit 7; everything else is gain 3
  const uint32_t code = code_of(*this, field_named("MicGain"));
  if ((code & 0x3u) != 1u) return 3;
  return (code & 0x4u) != 0 ? 5 : 1;
}

void FEXOBluetoothDeviceData::setMicGain(int32_t value) {
  write_field(*this, field_named("MicGain"), value == 1 || value == 5 ? value : 3);
}

int32_t FEXOBluetoothDeviceData::GetBasicSetting50Equalizer() const {
  platform::console(platform::format("50 equalizer word 3 = 0x%04X", basicSettingLM6(3)));
  return read_field(*this, field_named("50Equalizer"));
}

void FEXOBluetoothDeviceData::SetBasicSetting50Equalizer(int32_t value) {
  write_field(*this, field_named("50Equalizer"), value);
}

int32_t FEXOBluetoothDeviceData::GetBasicSetting50SpeakerAccessorySelect() const {
  return read_field(*this, field_named("50SpeakerAccessorySelect"));
}

void FEXOBluetoothDeviceData::SetBasicSetting50SpeakerAccessorySelect(int32_t value) {
  write_accessory_select(*this, field_named("50SpeakerAccessorySelect"), value);
}

int32_t FEXOBluetoothDeviceData::GetBasicSetting50MicAccessorySelect() const {
  return read_field(*this, field_named("50MicAccessorySelect"));
}

void FEXOBluetoothDeviceData::SetBasicSetting50MicAccessorySelect(int32_t value) {
  write_accessory_select(*this, field_named("50MicAccessorySelect"), value);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettinghb6UnitLanguage(int32_t device) const {
  const bool skips_code = skips_language_code(*this, hb6_language_skips_code_6(device));
  return read_language(*this, field_named("HB6UnitLanguage"), skips_code);
}

void FEXOBluetoothDeviceData::SetBasicSettingHB6UnitLanguage_device(int32_t value, int32_t device) {
  const bool skips_code = skips_language_code(*this, hb6_language_skips_code_6(device));
  write_language(*this, field_named("HB6UnitLanguage"), value, skips_code);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingTORNIKUnitLanguage(int32_t device) const {
  const bool skips_code = skips_language_code(*this, hb6_language_skips_code_6(device));
  const int32_t value = read_language(*this, field_named("TORNIKUnitLanguage"), skips_code);
  platform::console(platform::format("Tornik unit language = %d", value));
  return value;
}

void FEXOBluetoothDeviceData::SetBasicSettingTORNIKUnitLanguage_device(int32_t value, int32_t device) {
  const bool skips_code = skips_language_code(*this, hb6_language_skips_code_6(device));
  write_language(*this, field_named("TORNIKUnitLanguage"), value, skips_code);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingQorlanUnitLanguage(int32_t device) const {
  const bool skips_code = skips_language_code(*this, qorlan_language_by_pack(device));
  return read_language(*this, field_named("QorlanUnitLanguage"), skips_code);
}

void FEXOBluetoothDeviceData::SetBasicSettingQorlanUnitLanguage_device(int32_t value, int32_t device) {
  const bool skips_code = skips_language_code(*this, qorlan_language_by_pack(device));
  write_language(*this, field_named("QorlanUnitLanguage"), value, skips_code);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingTJ6UnitLanguage() const {
  // languages 9 and 10 live at device codes 11 and 12
  const int32_t code = read_field(*this, field_named("TJ6UnitLanguage"));
  if (code == 11) return 9;
  if (code == 12) return 10;
  return code;
}

void FEXOBluetoothDeviceData::SetBasicSettingTJ6UnitLanguage(int32_t value) {
  if (value >= 0 && value <= 8) {
    write_field(*this, field_named("TJ6UnitLanguage"), value);
  } else if (value == 9 || value == 11) {
    write_field(*this, field_named("TJ6UnitLanguage"), 11);
  } else if (value == 10 || value == 12) {
    write_field(*this, field_named("TJ6UnitLanguage"), 12);
  }
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingY370RUnitLanguage(int32_t device) const {
  (void)device;
  platform::console(platform::format("Y370R unit language word 2 = 0x%04X", basicSettingLM6(2)));
  // device code -> position in the unit language list
  switch (read_field(*this, field_named("Y370RUnitLanguage"))) {
    case 1: return 2;
    case 2: return 4;
    case 3: return 1;
    case 4: return 3;
    case 5: return 5;
    case 16: return 6;
    case 22: return 7;
    default: return 0;
  }
}

void FEXOBluetoothDeviceData::SetBasicSettingY370RUnitLanguage_device(int32_t value, int32_t device) {
  (void)device;
  // the Y370 family sends its language in the second packed word, not in word 2
  setY370Language(value);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingVelandraRemoteUIPTT() const {
  return read_field(*this, field_named("VelandraRemoteUIPTT"));
}

void FEXOBluetoothDeviceData::SetBasicSettingVelandraRemoteUIPTT(int32_t value) {
  platform::console(platform::format("Velandra remote UI PTT set to %d", value));
  write_field(*this, field_named("VelandraRemoteUIPTT"), value);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingVelandraMeshPublicChannel() const {
  platform::console(platform::format("Velandra words 1-4 = 0x%04X 0x%04X 0x%04X 0x%04X", basicSettingLM6(1),
                                     basicSettingLM6(2), basicSettingLM6(3), basicSettingLM6(4)));
  return read_field(*this, field_named("VelandraMeshPublicChannel"));
}

void FEXOBluetoothDeviceData::SetBasicSettingVelandraMeshPublicChannel(int32_t value) {
  write_field(*this, field_named("VelandraMeshPublicChannel"), value);
}

namespace {
// The camera's video mode moved with firmware 2.0.
const SettingField& video_mode_field(const FEXOBluetoothDeviceData& record) {
  const bool from_2_0 = record.compareVersionUpToMinorWithMajor_Minor(2, 0) >= 0;
  return from_2_0 ? field_named("VT4CameraVideoModeFrom2") : field_named("VT4CameraVideoModeBefore2");
}
}  // namespace

int32_t FEXOBluetoothDeviceData::getBasicSettingVT4CameraVideoMode() const {
  return read_field(*this, video_mode_field(*this));
}

void FEXOBluetoothDeviceData::setBasicSettingVT4CameraVideoMode(int32_t value) {
  write_field(*this, video_mode_field(*this), value);
}

bool FEXOBluetoothDeviceData::emptyCheckSpeakerSoundRecording() const {
  return read_field(*this, field_named("VT4CameraSpeakerSoundRecordingMusic")) == 0 &&
         read_field(*this, field_named("VT4CameraSpeakerSoundRecordingFMRadio")) == 0 &&
         read_field(*this, field_named("VT4CameraSpeakerSoundRecordingIntercom")) == 0 &&
         read_field(*this, field_named("VT4CameraSpeakerSoundRecordingPhone")) == 0;
}
