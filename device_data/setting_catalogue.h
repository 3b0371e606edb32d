#pragma once
// The setting catalogue: every setting the settings pages, the all-settings
// table and the restore table show, described once. A consumer selects rows
// by id (a page's rows are a list of ids) instead of keeping its own enum.
// Beside it, the product catalogue's setting columns say which word layout
// of the record holds a product's settings.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "strings/setting_items.h"
#include "strings/setting_names.h"

namespace device_data {

// One id per setting, named after the record's `change<Setting>` operation.
enum class Setting : int {
  IVOX,  // VOX Intercom
  HVOX,  // VOX Phone
  EDR,
  PLC,
  BitpoolRate,  // High Quality A2DP
  MicrophoneBoost,
  Sidetone,
  AmbientHushControl,
  AutoGainControl,
  AudioBoost,
  HDSpeakerAccessory,
  QorlanHDSPeakerAccessory,
  MotionSensorSensitivity,
  AudioBraiding,
  AudioBraidingSensitivity,
  AudioVeneer,
  AudioVeneerVolumeManagement,
  NavigationAppOverlay,
  VoicePrompt,
  HDIntercom,
  EightWayIntercom,
  FMStationGuide,
  HDVoice,
  VoiceAssistant,
  VoiceCommand,
  UILayer,     // advanced features
  LEDControl,  // white LED always on
  RemoteUIPTT,
  MicSelect,
  SpeakerSelect,
  AudioEqualizer,
  UnitLanguage,  // the headset's voice-prompt language
  MeshPublicChannel,
  MeshMode,
  MeshGuestMode,
  AGCSensitivity,
  VOXSensitivity,
  SmartVolumeControl,
  Channel,  // mesh dock channel
  Volume,   // mesh dock volume
  AudioSourcePriority,
  AutoStartRecording,
  AutoOnOff,
  AutoOff,
  SimpleUI,
  SmartNaviSystem,
  SmartNaviSystem2,
  PhotoMode,
  VideoMode,
  VideoResolution,
  TimelapseInterval,
  VideoTaggingInterval,
  LoopRecordingInterval,
  VideoMicrophoneGain,
  DateCaption,
  SpeakerSoundRecording,
  SpeakerSoundRecordingMusic,
  SpeakerSoundRecordingFMRadio,
  SpeakerSoundRecordingIntercom,
  SpeakerSoundRecordingPhone,
  AutoCameraSleep,
  ESSStatus,  // brake-light mode
  ESSSensitivity,
  MicGain,
  RTG,  // radio transmit gain: Low, Medium, High
  ACT,  // audio channel timeout, in seconds

  // the classic panel's names of the two VOX settings (its outlets' names)
  IntercomVOX = IVOX,
  HandsfreeVOX = HVOX,
};

inline constexpr int k_setting_count = static_cast<int>(Setting::ACT) + 1;

// What control takes the setting.
enum class SettingKind : std::uint8_t {
  on_off,  // an Enable / Disable pair: column 0 Enable, column 1 Disable
  pop_up,  // one item of a list (three radio cells for the transmit gain)
  number,  // a number within the entry's range
};

// How the control's choice (the column of an on/off pair or a three-cell
// radio, the item of a pop-up) and the stored value map onto each other.
enum class ValueRule : std::uint8_t {
  column0_on,       // column 0 stores 1, any other column 0
  column0_off,      // column 0 stores 0, any other column 1
  index,            // the item index is the value
  index_plus_1,     // the value is the item index plus one
  ten_minus_index,  // the value is 10 minus the item index: level 10 is listed first
  index_plus_8,     // the value is the item index plus eight
  rtg,              // columns 0, 1, 2 store the gains 12, 15, 17
  mic_gain,         // items 0, 1, 2 store 1, 3, 5
  number,           // the number as entered
};

struct SettingEntry {
  Setting id;
  // The accessor's name without get/set/change where the record has one
  // plain property for it, else the family accessor's common part.
  std::string_view field;
  // The label key of the settings pages in the setting-name table.
  strings::SettingName label;
  SettingKind kind;
  // Pop-ups: the items the setting is listed with where no family lists it
  // otherwise (the table of a family may choose another item set).
  std::optional<strings::ItemSet> items;
  // Numbers: the range the control accepts.
  int low = 0;
  int high = 0;
  // The rule of the record's plain property; a family whose bit has the
  // opposite sense says so where it writes that bit.
  ValueRule rule;
};

// Every entry, in the order of the ids.
std::span<const SettingEntry> setting_entries();
// The entry of `id`.
const SettingEntry& setting_entry(Setting id);

// The value `choice` stores by `rule`; none for a pop-up with nothing selected
// (choice below 0) and for a choice the rule has no value for.
std::optional<int> stored_value(ValueRule rule, int choice);

// The word layouts of the record a product's settings live in, beyond the
// plain properties: the setting columns of the product catalogue. A product
// may be in several; the write rules name which layout they use.
enum SettingLayout : std::uint16_t {
  k_layout_nd4 = 1u << 0,         // the ND4 words (mesh headsets)
  k_layout_wq8 = 1u << 1,         // the WQ8 HD voice and 50-family equalizer words
  k_layout_4d = 1u << 2,          // the 4D mesh models' words (EDR, A2DP, VOX phone, sidetone)
  k_layout_qcc = 1u << 3,         // the QCC mesh words
  k_layout_airoha_a = 1u << 4,    // the Airoha words with VOX and equalizer
  k_layout_airoha_b = 1u << 5,    // the Airoha words with sidetone only
  k_layout_tj4_volume = 1u << 6,  // smart volume control in the TJ4 word
  k_layout_hb6_language = 1u << 7,   // unit language in the HB6 word
  k_layout_nd4_language = 1u << 8,   // unit language in the ND4 word
  k_layout_hb6_equalizer = 1u << 9,  // equalizer in the HB6 word
};

// The classic settings panel a product has: which rows its panel places at
// each firmware version and which it shows. Named after the first product
// of each panel.
enum class ClassicPanel : std::uint8_t {
  none,          // no classic panel
  like_4d10,     // VOX, EDR; PLC from 4.0; A2DP and the microphone boost from 4.1; no PLC from 4.2; sidetone from 5.0
  like_4d20,     // as like_4d10 without the microphone boost
  like_5020,     // as like_4d20 without the sidetone from 5.0
  like_4d05,     // phone VOX, EDR, PLC; A2DP in place of PLC from 1.2; sidetone from 2.0
  like_4d06,     // phone VOX, EDR, A2DP, sidetone (the mesh models' words)
  like_4d76,     // both VOX, EDR, A2DP, sidetone
  like_2020,     // as like_4d76; the ambient hush control from 1.1
  like_4d85,     // phone VOX, EDR, A2DP, sidetone; the intercom VOX value kept
  like_6000,     // phone VOX, EDR, A2DP, sidetone
  like_2010,     // phone VOX, EDR, A2DP; the intercom VOX value kept
  like_2120,     // phone VOX in the second slot
  like_4d21,     // sidetone in the second slot
  like_4040,     // sidetone
  like_4110,     // EDR, A2DP
  like_4120,     // EDR, A2DP, sidetone, ambient hush control, auto gain control
  like_6110,     // EDR, A2DP, sidetone, ambient hush control
  like_6420,     // phone VOX, EDR; no apply button
  like_6430,     // phone VOX; no apply button
  lm6,           // the six LM6 rows and the all-settings button
  lm6_4210,      // four LM6 rows, six from 1.1, the all-settings button from 1.2
  like_4023,     // audio boost, phone VOX, A2DP beside the all-settings button
  like_5522,     // audio boost, A2DP, ambient hush control beside the all-settings button
  like_5526,     // five rows beside the all-settings button
  like_3030,     // A2DP, ambient hush control beside the all-settings button
  like_5210,     // the transmit gain and channel timeout
  buttons_only,  // the page buttons only
  buttons_only_5560,  // the page buttons only; no row without the all-settings table either
  six_rows,      // the six rows under the wide all-settings button
};

// The information texts of the all-settings sheet where products of one row
// read different texts.
enum class VeneerText : std::uint8_t {
  one_module,  // the one-module Audio Braiding text
  braiding,    // the Bluetooth Intercom Audio Braiding text
  plain,       // the Audio Veneer text
  verrano,     // the one-module text of the Verrano headsets
};
enum class VoxSensitivityText : std::uint8_t { plain, verrano, kestner, gz3 };
enum class UnitLanguageText : std::uint8_t {
  unit_language,
  headset_unit_language,
  headset_unit_language_before_1_1,     // the headset unit language text below firmware 1.1
  headset_unit_language_known_speaker,  // it while recognition knew the speaker accessory
  headset_language,
  vexlink,
};
enum class EqualizerText : std::uint8_t {
  plain,
  rf,                   // the RF text
  vq,                   // the VQ text
  by_speaker,           // the VQ text while the speaker code names the VQ speakers
  by_speaker_from_1_1,  // as by_speaker from firmware 1.1
};

}  // namespace device_data
