// Per-family setting fields inside the record's 16-bit settings words. Every
// field is one descriptor below; one pair of generic functions reads and writes
// any descriptor. The accessors with rules of their own follow the table.
#include <cstdint>
#include <cstddef>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/format.h"
#include "platform/log.h"

namespace {

using Record = FEXOBluetoothDeviceData;

// Which word array of the record a field lives in.
enum class Words { general, camera };

// How a setter turns its argument into the field's code.
enum class SetRule {
  on_off,             // bit set for any nonzero argument
  on_when_zero,       // inverted switch: 0 sets the bit, anything else clears it
  in_range,           // set_low..high written, anything else leaves the word alone
  in_range_or_fallback,  // set_low..high written, anything else writes the fallback
  low_bits,           // the argument's low bits, whatever it holds
};

// How a getter turns the field's code into its value.
enum class GetRule {
  code,                // the code as stored
  in_range_or_fallback,  // 0..high as stored, any other code reads the fallback
  off_is_one,          // 1 when the bit is clear
};

struct BitField {
  Words words;
  int word;
  int first_bit;
  int last_bit;
  SetRule set;
  GetRule get;
  int32_t set_low;
  int32_t high;
  int32_t fallback;
};

constexpr BitField on_off(Words words, int word, int bit) {
  return {words, word, bit, bit, SetRule::on_off, GetRule::code, 0, 1, 0};
}
// An enumerated field: 0..high written and read, other codes read `fallback`.
constexpr BitField choice(Words words, int word, int first_bit, int last_bit, int32_t high, int32_t fallback) {
  return {words, word, first_bit, last_bit, SetRule::in_range, GetRule::in_range_or_fallback, 0, high, fallback};
}
// A field stored from the argument's low bits and read back as stored.
constexpr BitField raw(Words words, int word, int first_bit, int last_bit) {
  return {words, word, first_bit, last_bit, SetRule::low_bits, GetRule::code, 0, 0, 0};
}

constexpr Words G = Words::general;
constexpr Words C = Words::camera;

// ---- LM6 family, general words 2 and 4 ----
constexpr BitField k_lm6_vox_phone = on_off(G, 2, 15);
constexpr BitField k_lm6_hd_intercom = on_off(G, 2, 13);
constexpr BitField k_lm6_sidetone = on_off(G, 2, 12);
constexpr BitField k_lm6_audio_braiding = on_off(G, 2, 11);
constexpr BitField k_lm6_voice_prompt = on_off(G, 2, 10);
constexpr BitField k_lm6_navigation_app_overlay = on_off(G, 2, 9);
constexpr BitField k_lm6_ambient_hush_control = on_off(G, 2, 8);
constexpr BitField k_lm6_audio_boost = on_off(G, 2, 7);
constexpr BitField k_lm6_eight_way_intercom = on_off(G, 2, 6);
constexpr BitField k_lm6_fm_station_guide = on_off(G, 2, 5);
// the value sits in bits 1-2; writing the four-bit field clears bits 3-4, and a
// code with bit 3 or 4 set is out of range and reads 0
constexpr BitField k_lm6_smart_volume_control = choice(G, 2, 1, 4, 3, 0);
constexpr BitField k_lm6_voice_command = on_off(G, 2, 0);
constexpr BitField k_lm6_audio_braiding_sensitivity = raw(G, 0, 0, 31);
constexpr BitField k_lm6_motion_sensor_sensitivity = raw(G, 3, 0, 31);
// the device has one bit for both: the LED control and the HD speaker accessory
constexpr BitField k_lm6_hd_speaker_accessory = on_off(G, 4, 15);
constexpr BitField k_lm6_led_control = on_off(G, 4, 15);
constexpr BitField k_lm6_audio_equalizer = choice(G, 4, 12, 14, 4, 0);
constexpr BitField k_lm6_ironvale_speaker_accessory_select = choice(G, 4, 10, 11, 3, 0);
constexpr BitField k_voice_assistant = {G, 4, 8, 8, SetRule::on_off, GetRule::off_is_one, 0, 1, 0};
constexpr BitField k_hid_one_module_hd_speaker_accessory = on_off(G, 1, 9);
constexpr BitField k_ess_status = {G, 2, 0, 1, SetRule::in_range_or_fallback, GetRule::code, 1, 3, 0};
// 1..3 with 2 for anything else is the same as "1 or 3, else 2"
constexpr BitField k_ess_sensitivity = {G, 2, 2, 3, SetRule::in_range_or_fallback, GetRule::code, 1, 3, 2};
constexpr BitField k_mic_gain = raw(G, 2, 5, 7);

// ---- ND4 family ----
constexpr BitField k_nd4_vox_phone = on_off(G, 0, 0);
constexpr BitField k_nd4_vox_intercom = on_off(G, 0, 1);
constexpr BitField k_edr = on_off(G, 0, 2);
constexpr BitField k_nd4_voice_prompt = on_off(G, 0, 3);
constexpr BitField k_nd4_high_qulity_a2dp = on_off(G, 0, 5);
constexpr BitField k_nd4_sidetone = on_off(G, 0, 8);
constexpr BitField k_nd4_ambient_hush_control = on_off(G, 0, 9);
constexpr BitField k_nd4_audio_boost = on_off(G, 0, 10);
constexpr BitField k_nd4_hd_intercom = on_off(G, 0, 11);
constexpr BitField k_nd4_fm_station_guide = on_off(G, 0, 12);
// 1 is bit 13 alone, 2 is bit 14 alone; both bits set is no mode the device knows and reads 0
constexpr BitField k_nd4_mesh_mode = choice(G, 0, 13, 14, 2, 0);
constexpr BitField k_nd4_mesh_guest_mode = on_off(G, 0, 15);
constexpr BitField k_nd4_vox_sensitivity = choice(G, 1, 0, 2, 5, 3);
constexpr BitField k_nd4_agc_sensitivity = choice(G, 1, 3, 5, 3, 3);
constexpr BitField k_nd4_audio_veneer_volume_management = {G, 1, 6, 6, SetRule::on_when_zero, GetRule::code, 0, 1, 0};
constexpr BitField k_nd4_audio_veneer_sensitivity = choice(G, 1, 7, 9, 5, 3);
constexpr BitField k_nd4_voice_command = on_off(G, 1, 10);
constexpr BitField k_nd4_audio_veneer = on_off(G, 1, 11);
constexpr BitField k_ui_layer = on_off(G, 1, 12);
constexpr BitField k_nd4_unit_language = {G, 3, 0, 3, SetRule::in_range, GetRule::code, 0, 12, 0};
constexpr BitField k_nd4_mesh_public_channel = choice(G, 3, 6, 9, 5, 0);
constexpr BitField k_nd4_hd_speaker_accessory = on_off(G, 3, 10);
constexpr BitField k_30_equalizer = choice(G, 3, 11, 13, 4, 0);

// ---- other families and editions ----
constexpr BitField k_wq8_hd_voice = on_off(G, 3, 10);
constexpr BitField k_50_equalizer = choice(G, 3, 11, 14, 4, 0);
constexpr BitField k_50_speaker_accessory_select = raw(G, 4, 0, 3);
constexpr BitField k_50_mic_accessory_select = raw(G, 4, 4, 7);
constexpr BitField k_ironvale_speaker_accessory_select = choice(G, 3, 14, 15, 3, 0);
constexpr BitField k_hb6_equalizer = choice(G, 1, 5, 8, 4, 0);
constexpr BitField k_hb6_unit_language = choice(G, 1, 0, 3, 12, 0);
constexpr BitField k_tornik_unit_language = choice(G, 2, 0, 3, 12, 0);
constexpr BitField k_qorlan_unit_language = choice(G, 3, 0, 3, 11, 0);
constexpr BitField k_qorlan_hd_speaker_accessory = on_off(G, 1, 13);
constexpr BitField k_tj6_unit_language = raw(G, 3, 0, 3);
constexpr BitField k_dk5x_unit_language = choice(G, 1, 4, 7, 10, 0);
constexpr BitField k_y370r_unit_language = raw(G, 2, 4, 15);
constexpr BitField k_velandra_remote_ui_ptt = {G, 1, 10, 10, SetRule::on_off, GetRule::off_is_one, 0, 1, 0};
// the setter keeps to the four bits so no argument can reach the remote UI PTT bit
constexpr BitField k_velandra_mesh_public_channel = {G, 1, 0, 3, SetRule::low_bits, GetRule::in_range_or_fallback,
                                                 0, 8, 0};
constexpr BitField k_dk3_morrim_mesh_public_channel = {G, 3, 6, 9, SetRule::in_range, GetRule::in_range_or_fallback,
                                                  1, 9, 0};
constexpr BitField k_qcc_hd_voice = on_off(G, 0, 13);
constexpr BitField k_qcc_audio_equalizer = choice(G, 1, 4, 6, 5, 0);
constexpr BitField k_qcc_vox_sensitivity = choice(G, 1, 7, 9, 5, 3);
constexpr BitField k_qcc_audio_veneer_volume_management = {G, 1, 10, 10, SetRule::on_when_zero, GetRule::code, 0, 1, 0};
constexpr BitField k_qcc_audio_veneer_sensitivity = choice(G, 1, 11, 13, 5, 3);
constexpr BitField k_airoha_vox_phone = on_off(G, 0, 0);
constexpr BitField k_airoha_voice_prompt = on_off(G, 0, 1);
constexpr BitField k_airoha_sidetone = on_off(G, 0, 2);
constexpr BitField k_airoha_audio_veneer_volume_management = on_off(G, 0, 4);
constexpr BitField k_airoha_mesh_public_channel = raw(G, 1, 0, 3);
constexpr BitField k_airoha_audio_equalizer = raw(G, 1, 4, 7);
constexpr BitField k_airoha_vox_sensitivity = raw(G, 1, 8, 11);
constexpr BitField k_airoha_intercom_audio_veneer_sensitivity = raw(G, 1, 12, 15);
constexpr BitField k_airoha_unit_language = raw(G, 2, 0, 15);

// ---- VT4 camera ----
constexpr BitField k_vt4_camera_photo_mode = on_off(C, 0, 0);
// firmware before 2.0: video on/off; from 2.0: 1 is bit 6, 2 is bit 7, both set read 0
constexpr BitField k_vt4_camera_video_mode_before_2_0 = on_off(C, 0, 1);
constexpr BitField k_vt4_camera_video_mode_from_2_0 = choice(C, 2, 6, 7, 2, 0);
constexpr BitField k_vt4_camera_video_resolution = choice(C, 0, 2, 3, 2, 0);
constexpr BitField k_vt4_camera_timelapse_interval = on_off(C, 0, 4);
constexpr BitField k_vt4_camera_date_caption = on_off(C, 0, 5);
constexpr BitField k_vt4_camera_speaker_sound_recording = on_off(C, 0, 6);
constexpr BitField k_vt4_camera_auto_camera_sleep = on_off(C, 0, 7);
constexpr BitField k_vt4_camera_speaker_sound_recording_music = on_off(C, 0, 8);
constexpr BitField k_vt4_camera_speaker_sound_recording_fm_radio = on_off(C, 0, 9);
constexpr BitField k_vt4_camera_speaker_sound_recording_intercom = on_off(C, 0, 10);
constexpr BitField k_vt4_camera_speaker_sound_recording_phone = on_off(C, 0, 11);
constexpr BitField k_vt4_camera_video_tagging_interval = choice(C, 2, 0, 1, 2, 0);
constexpr BitField k_vt4_camera_loop_recording_interval = choice(C, 2, 2, 3, 2, 0);
constexpr BitField k_vt4_camera_video_microphone_gain = choice(C, 2, 4, 5, 2, 0);

// ---- the generic reader and writer; words are reached only through the
// record's bounds-checked accessors ----

uint32_t mask_of(const BitField& field) {
  const int width = field.last_bit - field.first_bit + 1;
  const uint32_t low_mask = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
  return low_mask << field.first_bit;
}

uint32_t word_of(const Record& record, const BitField& field) {
  const int32_t word = field.words == Words::general ? record.basicSettingLM6(field.word)
                                                     : record.basicSettingVT4CameraAt(field.word);
  return static_cast<uint32_t>(word);
}

uint32_t code_of(const Record& record, const BitField& field) {
  return (word_of(record, field) & mask_of(field)) >> field.first_bit;
}

void store_code(Record& record, const BitField& field, uint32_t code) {
  const uint32_t mask = mask_of(field);
  const uint32_t word = (word_of(record, field) & ~mask) | ((code << field.first_bit) & mask);
  if (field.words == Words::general) {
    record.setBasicSetting20At_with(field.word, static_cast<int32_t>(word));
  } else {
    record.setBasicSettingVT4Camera_with(field.word, static_cast<int32_t>(word));
  }
}

bool in_set_range(const BitField& field, int32_t value) { return value >= field.set_low && value <= field.high; }

int32_t read_field(const Record& record, const BitField& field) {
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

void write_field(Record& record, const BitField& field, int32_t value) {
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

// The field's value, also shown on the console for the diagnostics of the settings pages.
int32_t read_and_log(const Record& record, const BitField& field, const char* label) {
  const int32_t value = read_field(record, field);
  platform::console(platform::format("%s = %d", label, value));
  return value;
}

constexpr int32_t k_hb6_products[] = {0x3340, 0x3341};
constexpr int32_t k_qorlan_products[] = {0x3310, 0x3320, 0x3330};

// The HB6, Tornik and Qorlan units with language pack type 0 have no code 6:
// languages above 5 sit one code higher on the device.
template <size_t N>
bool skips_language_code(const Record& record, int32_t device, const int32_t (&products)[N]) {
  bool listed = false;
  for (int32_t product : products) listed = listed || product == device;
  platform::console(platform::format("language pack type = %d", record.devicelanguagePackType()));
  return listed && record.devicelanguagePackType() == 0;
}

int32_t read_language(const Record& record, const BitField& field, bool skips_code) {
  const int32_t code = read_field(record, field);
  return skips_code && code > 5 ? code - 1 : code;
}

void write_language(Record& record, const BitField& field, int32_t value, bool skips_code) {
  // the range is the device's: checked on the shifted code
  write_field(record, field, skips_code && value > 5 ? value + 1 : value);
}

// The 50 family's accessory selects take a level of -8..4 and store it as code 0..12.
void write_accessory_select(Record& record, const BitField& field, int32_t level) {
  if (level >= -8 && level <= 4) store_code(record, field, static_cast<uint32_t>(level + 8));
}

}  // namespace

// Plain fields: the accessor pair is the descriptor's read and write.
#define VX_FIELD_ACCESSORS(getter, setter, field)                                   \
  int32_t FEXOBluetoothDeviceData::getter() const { return read_field(*this, field); } \
  void FEXOBluetoothDeviceData::setter(int32_t value) { write_field(*this, field, value); }

VX_FIELD_ACCESSORS(getBasicSettingLM6VOXPhone, setBasicSettingLM6VOXPhone, k_lm6_vox_phone)
VX_FIELD_ACCESSORS(getBasicSettingLM6HDIntercom, setBasicSettingLM6HDIntercom, k_lm6_hd_intercom)
VX_FIELD_ACCESSORS(getBasicSettingLM6Sidetone, setBasicSettingLM6Sidetone, k_lm6_sidetone)
VX_FIELD_ACCESSORS(getBasicSettingLM6AudioBraiding, setBasicSettingLM6AudioBraiding, k_lm6_audio_braiding)
VX_FIELD_ACCESSORS(getBasicSettingLM6VoicePrompt, setBasicSettingLM6VoicePrompt, k_lm6_voice_prompt)
VX_FIELD_ACCESSORS(getBasicSettingLM6NavigationAppOverlay, setBasicSettingLM6NavigationAppOverlay,
                   k_lm6_navigation_app_overlay)
VX_FIELD_ACCESSORS(getBasicSettingLM6AmbientHushControl, setBasicSettingLM6AmbientHushControl,
                   k_lm6_ambient_hush_control)
VX_FIELD_ACCESSORS(getBasicSettingLM6AudioBoost, setBasicSettingLM6AudioBoost, k_lm6_audio_boost)
VX_FIELD_ACCESSORS(getBasicSettingLM6EightWayIntercom, setBasicSettingLM6EightWayIntercom, k_lm6_eight_way_intercom)
VX_FIELD_ACCESSORS(getBasicSettingLM6FMStationGuide, setBasicSettingLM6FMStationGuide, k_lm6_fm_station_guide)
VX_FIELD_ACCESSORS(getBasicSettingLM6SmartVolumeControl, setBasicSettingLM6SmartVolumeControl,
                   k_lm6_smart_volume_control)
VX_FIELD_ACCESSORS(GetBasicSettingLM6VoiceCommand, SetBasicSettingLM6VoiceCommand, k_lm6_voice_command)
VX_FIELD_ACCESSORS(getBasicSettingLM6AudioBraidingSensitivity, setBasicSettingLM6AudioBraidingSensitivity,
                   k_lm6_audio_braiding_sensitivity)
VX_FIELD_ACCESSORS(getBasicSettingLM6MotionSensorSensitivity, setBasicSettingLM6MotionSensorSensitivity,
                   k_lm6_motion_sensor_sensitivity)
VX_FIELD_ACCESSORS(getBasicSettingLM6HDSpeakerAccessory, setBasicSettingLM6HDSpeakerAccessory,
                   k_lm6_hd_speaker_accessory)
VX_FIELD_ACCESSORS(getBasicSettingLM6LEDControl, setBasicSettingLM6LEDControl, k_lm6_led_control)
VX_FIELD_ACCESSORS(getBasicSettingLM6AudioEqualizer, setBasicSettingLM6AudioEqualizer, k_lm6_audio_equalizer)
VX_FIELD_ACCESSORS(GetBasicSettingVoiceAssistant, SetBasicSettingVoiceAssistant, k_voice_assistant)
VX_FIELD_ACCESSORS(getBasicSettingHIDOneModuleHDSpeakerAccessory, setBasicSettingHIDOneModuleHDSpeakerAccessory,
                   k_hid_one_module_hd_speaker_accessory)
VX_FIELD_ACCESSORS(getEssStatus, setEssStatus, k_ess_status)

VX_FIELD_ACCESSORS(GetBasicSettingND4VOXPhone, SetBasicSettingND4VOXPhone, k_nd4_vox_phone)
VX_FIELD_ACCESSORS(GetBasicSettingND4VOXIntercom, SetBasicSettingND4VOXIntercom, k_nd4_vox_intercom)
VX_FIELD_ACCESSORS(GetBasicSettingEDR, SetBasicSettingEDR, k_edr)
VX_FIELD_ACCESSORS(GetBasicSettingND4VoicePrompt, SetBasicSettingND4VoicePrompt, k_nd4_voice_prompt)
VX_FIELD_ACCESSORS(GetBasicSettingND4HighQulityA2DP, SetBasicSettingND4HighQulityA2DP, k_nd4_high_qulity_a2dp)
VX_FIELD_ACCESSORS(GetBasicSettingND4Sidetone, SetBasicSettingND4Sidetone, k_nd4_sidetone)
VX_FIELD_ACCESSORS(GetBasicSettingND4AmbientHushControl, SetBasicSettingND4AmbientHushControl,
                   k_nd4_ambient_hush_control)
VX_FIELD_ACCESSORS(GetBasicSettingND4AudioBoost, SetBasicSettingND4AudioBoost, k_nd4_audio_boost)
VX_FIELD_ACCESSORS(GetBasicSettingND4HDIntercom, SetBasicSettingND4HDIntercom, k_nd4_hd_intercom)
VX_FIELD_ACCESSORS(GetBasicSettingND4FMStationGuide, SetBasicSettingND4FMStationGuide, k_nd4_fm_station_guide)
VX_FIELD_ACCESSORS(GetBasicSettingND4MeshMode, SetBasicSettingND4MeshMode, k_nd4_mesh_mode)
VX_FIELD_ACCESSORS(GetBasicSettingND4MeshGuestMode, SetBasicSettingND4MeshGuestMode, k_nd4_mesh_guest_mode)
VX_FIELD_ACCESSORS(GetBasicSettingND4VoxSensitivity, SetBasicSettingND4VoxSensitivity, k_nd4_vox_sensitivity)
VX_FIELD_ACCESSORS(GetBasicSettingND4AGCSensitivity, SetBasicSettingND4AGCSensitivity, k_nd4_agc_sensitivity)
VX_FIELD_ACCESSORS(GetBasicSettingND4AudioVeneerVolumeManagement, SetBasicSettingND4AudioVeneerVolumeManagement,
                   k_nd4_audio_veneer_volume_management)
VX_FIELD_ACCESSORS(GetBasicSettingND4AudioVeneerSensitivity, SetBasicSettingND4AudioVeneerSensitivity,
                   k_nd4_audio_veneer_sensitivity)
VX_FIELD_ACCESSORS(GetBasicSettingND4VoiceCommand, SetBasicSettingND4VoiceCommand, k_nd4_voice_command)
VX_FIELD_ACCESSORS(GetBasicSettingND4AudioVeneer, SetBasicSettingND4AudioVeneer, k_nd4_audio_veneer)
VX_FIELD_ACCESSORS(GetBasicSettingUILayer, SetBasicSettingUILayer, k_ui_layer)
VX_FIELD_ACCESSORS(GetBasicSettingND4UnitLanguage, SetBasicSettingND4UnitLanguage, k_nd4_unit_language)
VX_FIELD_ACCESSORS(GetBasicSettingND4MeshPublicChannel, SetBasicSettingND4MeshPublicChannel, k_nd4_mesh_public_channel)
VX_FIELD_ACCESSORS(GetBasicSettingND4HDSpeakerAccessory, SetBasicSettingND4HDSpeakerAccessory,
                   k_nd4_hd_speaker_accessory)
VX_FIELD_ACCESSORS(GetBasicSetting30Equalizer, SetBasicSetting30Equalizer, k_30_equalizer)

VX_FIELD_ACCESSORS(GetBasicSettingWQ8HDVoice, SetBasicSettingWQ8HDVoice, k_wq8_hd_voice)
VX_FIELD_ACCESSORS(GetBasicSettingIronvaleSpeakerAccessorySelect, SetBasicSettingIronvaleSpeakerAccessorySelect,
                   k_ironvale_speaker_accessory_select)
VX_FIELD_ACCESSORS(GetBasicSettingHB6Equalizer, SetBasicSettingHB6Equalizer, k_hb6_equalizer)
VX_FIELD_ACCESSORS(GetBasicSettingQorlanHDSpeakerAccessory, SetBasicSettingQorlanHDSpeakerAccessory,
                   k_qorlan_hd_speaker_accessory)
VX_FIELD_ACCESSORS(GetBasicSettingDK5XUnitLanguage, SetBasicSettingDK5XUnitLanguage, k_dk5x_unit_language)
VX_FIELD_ACCESSORS(GetBasicSettingDK3MorrimMeshPublicChannel, SetBasicSettingDK3MorrimMeshPublicChannel,
                   k_dk3_morrim_mesh_public_channel)
VX_FIELD_ACCESSORS(GetBasicSettingQCCHDVoice, SetBasicSettingQCCHDVoice, k_qcc_hd_voice)
VX_FIELD_ACCESSORS(GetBasicSettingQCCAudioEqualizer, SetBasicSettingQCCAudioEqualizer, k_qcc_audio_equalizer)
VX_FIELD_ACCESSORS(GetBasicSettingQCCVOXSensitivity, SetBasicSettingQCCVOXSensitivity, k_qcc_vox_sensitivity)
VX_FIELD_ACCESSORS(GetBasicSettingQCCAudioVeneerVolumeManagement, SetBasicSettingQCCAudioVeneerVolumeManagement,
                   k_qcc_audio_veneer_volume_management)
VX_FIELD_ACCESSORS(GetBasicSettingQCCAudioVeneerSensitivity, SetBasicSettingQCCAudioVeneerSensitivity,
                   k_qcc_audio_veneer_sensitivity)
VX_FIELD_ACCESSORS(GetBasicSettingAirohaVOXPhone, SetBasicSettingAirohaVOXPhone, k_airoha_vox_phone)
VX_FIELD_ACCESSORS(GetBasicSettingAirohaVoicePrompt, SetBasicSettingAirohaVoicePrompt, k_airoha_voice_prompt)
VX_FIELD_ACCESSORS(GetBasicSettingAirohaSidetone, SetBasicSettingAirohaSidetone, k_airoha_sidetone)
VX_FIELD_ACCESSORS(GetBasicSettingAirohaAudioVeneerVolumeManagement,
                   SetBasicSettingAirohaAudioVeneerVolumeManagement, k_airoha_audio_veneer_volume_management)
VX_FIELD_ACCESSORS(GetBasicSettingAirohaMeshPublicChannel, SetBasicSettingAirohaMeshPublicChannel,
                   k_airoha_mesh_public_channel)

VX_FIELD_ACCESSORS(getBasicSettingVT4CameraPhotoMode, setBasicSettingVT4CameraPhotoMode, k_vt4_camera_photo_mode)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraVideoResolution, setBasicSettingVT4CameraVideoResolution,
                   k_vt4_camera_video_resolution)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraTimelapseInterval, setBasicSettingVT4CameraTimelapseInterval,
                   k_vt4_camera_timelapse_interval)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraDateCaption, setBasicSettingVT4CameraDateCaption, k_vt4_camera_date_caption)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecording, setBasicSettingVT4CameraSpeakerSoundRecording,
                   k_vt4_camera_speaker_sound_recording)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraAutoCameraSleep, setBasicSettingVT4CameraAutoCameraSleep,
                   k_vt4_camera_auto_camera_sleep)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingMusic,
                   setBasicSettingVT4CameraSpeakerSoundRecordingMusic, k_vt4_camera_speaker_sound_recording_music)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingFMRadio,
                   setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio, k_vt4_camera_speaker_sound_recording_fm_radio)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingIntercom,
                   setBasicSettingVT4CameraSpeakerSoundRecordingIntercom, k_vt4_camera_speaker_sound_recording_intercom)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraSpeakerSoundRecordingPhone,
                   setBasicSettingVT4CameraSpeakerSoundRecordingPhone, k_vt4_camera_speaker_sound_recording_phone)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraVideoTaggingInterval, setBasicSettingVT4CameraVideoTaggingInterval,
                   k_vt4_camera_video_tagging_interval)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraLoopRecordingInterval, setBasicSettingVT4CameraLoopRecordingInterval,
                   k_vt4_camera_loop_recording_interval)
VX_FIELD_ACCESSORS(getBasicSettingVT4CameraVideoMicrophoneGain, setBasicSettingVT4CameraVideoMicrophoneGain,
                   k_vt4_camera_video_microphone_gain)

// Fields whose getter also logs the value it read.
#define VX_LOGGED_FIELD_ACCESSORS(getter, setter, field, label)                                  \
  int32_t FEXOBluetoothDeviceData::getter() const { return read_and_log(*this, field, label); } \
  void FEXOBluetoothDeviceData::setter(int32_t value) { write_field(*this, field, value); }

VX_LOGGED_FIELD_ACCESSORS(GetBasicSettingAirohaAudioEqualizer, SetBasicSettingAirohaAudioEqualizer,
                          k_airoha_audio_equalizer, "Airoha audio equalizer")
VX_LOGGED_FIELD_ACCESSORS(GetBasicSettingAirohaVoxSensitivity, SetBasicSettingAirohaVoxSensitivity,
                          k_airoha_vox_sensitivity, "Airoha VOX sensitivity")
VX_LOGGED_FIELD_ACCESSORS(GetBasicSettingAirohaIntercomAudioVeneerSensitivity,
                          SetBasicSettingAirohaIntercomAudioVeneerSensitivity, k_airoha_intercom_audio_veneer_sensitivity,
                          "Airoha intercom audio veneer sensitivity")
// the low 16 bits are the device word; the setter keeps the element's upper half
VX_LOGGED_FIELD_ACCESSORS(GetBasicSettingAirohaUnitLanguage, SetBasicSettingAirohaUnitLanguage, k_airoha_unit_language,
                          "Airoha unit language")

#undef VX_LOGGED_FIELD_ACCESSORS
#undef VX_FIELD_ACCESSORS

// ---- accessors with rules of their own ----

int32_t FEXOBluetoothDeviceData::GetBasicSettingLM6IronvaleSpeakerAccessorySelect() const {
  return read_and_log(*this, k_lm6_ironvale_speaker_accessory_select, "LM6 speaker accessory select");
}

void FEXOBluetoothDeviceData::SetBasicSettingLM6IronvaleSpeakerAccessorySelect(int32_t value) {
  write_field(*this, k_lm6_ironvale_speaker_accessory_select, value);
  read_and_log(*this, k_lm6_ironvale_speaker_accessory_select, "LM6 speaker accessory select set to");
}

int32_t FEXOBluetoothDeviceData::getEssSensitivity() const {
  // code 0 is not a sensitivity the device uses; it stands for the middle one
  const int32_t code = read_field(*this, k_ess_sensitivity);
  return code == 0 ? 2 : code;
}

void FEXOBluetoothDeviceData::setEssSensitivity(int32_t value) { write_field(*this, k_ess_sensitivity, value); }

int32_t FEXOBluetoothDeviceData::getMicGain() const {
  // gains 1 and 5 share bits 5-6 = 1 and differ in bit 7; everything else is gain 3
  const uint32_t code = code_of(*this, k_mic_gain);
  if ((code & 0x3u) != 1u) return 3;
  return (code & 0x4u) != 0 ? 5 : 1;
}

void FEXOBluetoothDeviceData::setMicGain(int32_t value) {
  write_field(*this, k_mic_gain, value == 1 || value == 5 ? value : 3);
}

int32_t FEXOBluetoothDeviceData::GetBasicSetting50Equalizer() const {
  platform::console(platform::format("50 equalizer word 3 = 0x%04X", basicSettingLM6(3)));
  return read_field(*this, k_50_equalizer);
}

void FEXOBluetoothDeviceData::SetBasicSetting50Equalizer(int32_t value) { write_field(*this, k_50_equalizer, value); }

int32_t FEXOBluetoothDeviceData::GetBasicSetting50SpeakerAccessorySelect() const {
  return read_field(*this, k_50_speaker_accessory_select);
}

void FEXOBluetoothDeviceData::SetBasicSetting50SpeakerAccessorySelect(int32_t value) {
  write_accessory_select(*this, k_50_speaker_accessory_select, value);
}

int32_t FEXOBluetoothDeviceData::GetBasicSetting50MicAccessorySelect() const {
  return read_field(*this, k_50_mic_accessory_select);
}

void FEXOBluetoothDeviceData::SetBasicSetting50MicAccessorySelect(int32_t value) {
  write_accessory_select(*this, k_50_mic_accessory_select, value);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettinghb6UnitLanguage(int32_t device) const {
  const bool skips_code = skips_language_code(*this, device, k_hb6_products);
  return read_language(*this, k_hb6_unit_language, skips_code);
}

void FEXOBluetoothDeviceData::SetBasicSettingHB6UnitLanguage_device(int32_t value, int32_t device) {
  const bool skips_code = skips_language_code(*this, device, k_hb6_products);
  write_language(*this, k_hb6_unit_language, value, skips_code);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingTORNIKUnitLanguage(int32_t device) const {
  const bool skips_code = skips_language_code(*this, device, k_hb6_products);
  const int32_t value = read_language(*this, k_tornik_unit_language, skips_code);
  platform::console(platform::format("Tornik unit language = %d", value));
  return value;
}

void FEXOBluetoothDeviceData::SetBasicSettingTORNIKUnitLanguage_device(int32_t value, int32_t device) {
  const bool skips_code = skips_language_code(*this, device, k_hb6_products);
  write_language(*this, k_tornik_unit_language, value, skips_code);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingQorlanUnitLanguage(int32_t device) const {
  const bool skips_code =
      skips_language_code(*this, device, k_qorlan_products);
  return read_language(*this, k_qorlan_unit_language, skips_code);
}

void FEXOBluetoothDeviceData::SetBasicSettingQorlanUnitLanguage_device(int32_t value, int32_t device) {
  const bool skips_code =
      skips_language_code(*this, device, k_qorlan_products);
  write_language(*this, k_qorlan_unit_language, value, skips_code);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingTJ6UnitLanguage() const {
  // languages 9 and 10 live at device codes 11 and 12
  const int32_t code = read_field(*this, k_tj6_unit_language);
  if (code == 11) return 9;
  if (code == 12) return 10;
  return code;
}

void FEXOBluetoothDeviceData::SetBasicSettingTJ6UnitLanguage(int32_t value) {
  if (value >= 0 && value <= 8) {
    write_field(*this, k_tj6_unit_language, value);
  } else if (value == 9 || value == 11) {
    write_field(*this, k_tj6_unit_language, 11);
  } else if (value == 10 || value == 12) {
    write_field(*this, k_tj6_unit_language, 12);
  }
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingY370RUnitLanguage(int32_t device) const {
  (void)device;
  platform::console(platform::format("Y370R unit language word 2 = 0x%04X", basicSettingLM6(2)));
  // device code -> position in the unit language list
  switch (read_field(*this, k_y370r_unit_language)) {
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
  return read_field(*this, k_velandra_remote_ui_ptt);
}

void FEXOBluetoothDeviceData::SetBasicSettingVelandraRemoteUIPTT(int32_t value) {
  platform::console(platform::format("Velandra remote UI PTT set to %d", value));
  write_field(*this, k_velandra_remote_ui_ptt, value);
}

int32_t FEXOBluetoothDeviceData::GetBasicSettingVelandraMeshPublicChannel() const {
  platform::console(platform::format("Velandra words 1-4 = 0x%04X 0x%04X 0x%04X 0x%04X", basicSettingLM6(1),
                                     basicSettingLM6(2), basicSettingLM6(3), basicSettingLM6(4)));
  return read_field(*this, k_velandra_mesh_public_channel);
}

void FEXOBluetoothDeviceData::SetBasicSettingVelandraMeshPublicChannel(int32_t value) {
  write_field(*this, k_velandra_mesh_public_channel, value);
}

int32_t FEXOBluetoothDeviceData::getBasicSettingVT4CameraVideoMode() const {
  const bool from_2_0 = compareVersionUpToMinorWithMajor_Minor(2, 0) >= 0;
  return read_field(*this, from_2_0 ? k_vt4_camera_video_mode_from_2_0 : k_vt4_camera_video_mode_before_2_0);
}

void FEXOBluetoothDeviceData::setBasicSettingVT4CameraVideoMode(int32_t value) {
  const bool from_2_0 = compareVersionUpToMinorWithMajor_Minor(2, 0) >= 0;
  write_field(*this, from_2_0 ? k_vt4_camera_video_mode_from_2_0 : k_vt4_camera_video_mode_before_2_0, value);
}

bool FEXOBluetoothDeviceData::emptyCheckSpeakerSoundRecording() const {
  return read_field(*this, k_vt4_camera_speaker_sound_recording_music) == 0 &&
         read_field(*this, k_vt4_camera_speaker_sound_recording_fm_radio) == 0 &&
         read_field(*this, k_vt4_camera_speaker_sound_recording_intercom) == 0 &&
         read_field(*this, k_vt4_camera_speaker_sound_recording_phone) == 0;
}
