#include "update/restore_table.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device_data/product_facts.h"
#include "strings/common_texts.h"
#include "strings/setting_names.h"

namespace update {

namespace {

using R = FEXOBluetoothDeviceData;
using N = strings::SettingName;
using S = device_data::Setting;
using Rows = device_data::RestoreTableRows;
using Count = device_data::RestoreTableCount;

// 4: the device has no FM radio shown.
constexpr int k_fm_hidden = 4;

// ---- how a row reads the backup ----

// Every getter as one shape: record and selected product to the value.
using Getter = int32_t (*)(const R&, int product);

template <int32_t (R::*F)() const>
int32_t get(const R& record, int) {
  return (record.*F)();
}
// the unit languages that apply the language-pack rule of the product
template <int32_t (R::*F)(int32_t) const>
int32_t get_for_product(const R& record, int product) {
  return (record.*F)(product);
}
// the indexed words: the table shows the first
template <int32_t (R::*F)(int) const>
int32_t get_first(const R& record, int) {
  return (record.*F)(0);
}

template <int32_t (R::*F)(int) const>
int32_t get_second(const R& record, int) {
  return (record.*F)(1);
}
// The TJ6 language list follows the device's codes, where the getter answers
// languages 9 and 10 for codes 11 and 12: back to the codes, so Czech and
// Brazilian Portuguese show as themselves.
int32_t tj6_language_code(const R& record, int) {
  const int32_t language = record.GetBasicSettingTJ6UnitLanguage();
  if (language == 9) return 11;
  if (language == 10) return 12;
  return language;
}

// ---- how a value becomes text ----

enum class Rule {
  on_off,          // 0 Disabled, any other value Enabled
  off_is_1,        // 1 Disabled, any other value Enabled
  on_is_0,         // 0 Enabled, any other value Disabled
  number,          // the value
  number_plus_1,   // the value + 1
  number_minus_1,  // the value - 1
  number_minus_7,  // the value - 7
  eleven_minus,    // 11 - the value
  level,           // 0 Disable, 1 Low, 2 Medium, any other High
  list,            // the option at the value's index, else the fallback
};

// Option texts by value; a value without an option shows `otherwise`, or
// the value itself when there is no fallback.
struct Options {
  std::span<const char* const> texts;
  const char* otherwise = nullptr;
};

constexpr const char* k_source_priorities[] = {"Intercom", "Music"};
constexpr Options k_source_priority{k_source_priorities, "Intercom"};
constexpr const char* k_languages_with_russian[] = {"English", "French", "Spanish", "Italian", "German", "Dutch",
                                                    "Russian", "Chinese", "Korean",  "Japanese", "Finnish"};
constexpr Options k_languages{k_languages_with_russian, "English"};
constexpr const char* k_languages_with_czech[] = {"English", "French", "Spanish",  "Italian", "German", "Dutch",
                                                  "Chinese", "Korean", "Japanese", "Finnish", "Czech"};
constexpr Options k_languages_czech{k_languages_with_czech, "English"};
// by device code: codes 9 and 10 are not used and read English
constexpr const char* k_languages_of_tj6[] = {"English", "French",  "Spanish", "Italian", "German",
                                              "Dutch",   "Russian", "Chinese", "Korean",  "English",
                                              "English", "Czech",   "Brazilian Portuguese"};
constexpr Options k_languages_tj6{k_languages_of_tj6, "English"};
constexpr const char* k_equalizer_presets[] = {"Off", "Balance", "Bass Boost", "Mid Boost", "Treble Boost"};
constexpr Options k_equalizer{k_equalizer_presets, "Off"};
constexpr const char* k_music_equalizer_presets[] = {"Music Balance", "Music Enhanced", "Voice", "Bass Boost",
                                                     "Treble Boost"};
constexpr Options k_music_equalizer{k_music_equalizer_presets, "Music Balance"};
constexpr const char* k_ess_configurations[] = {"ESS LIGHT", "Headlight + ESS", "Flashing light + ESS",
                                                "Disabled function"};
constexpr Options k_ess_configuration{k_ess_configurations, "ESS LIGHT"};
// code 0 is not used: it reads as the middle setting
constexpr const char* k_ess_sensitivities[] = {"Medium", "Low", "Medium", "High"};
constexpr Options k_ess_sensitivity{k_ess_sensitivities, "Medium"};
constexpr const char* k_photo_modes[] = {"Single Shot"};
constexpr Options k_photo_mode{k_photo_modes, "Burst Shot"};
constexpr const char* k_video_modes[] = {"Video Mode"};
constexpr Options k_video_mode{k_video_modes, "Timelapse Mode"};
constexpr const char* k_video_resolutions[] = {"1080p/30fps", "720p/60fps"};
constexpr Options k_video_resolution{k_video_resolutions, "720p/30fps"};
constexpr const char* k_timelapse_intervals[] = {"1 sec"};
constexpr Options k_timelapse_interval{k_timelapse_intervals, "10 secs"};
constexpr const char* k_minute_intervals[] = {"1 min", "3 mins"};
constexpr Options k_minute_interval{k_minute_intervals, "5 mins"};
constexpr const char* k_microphone_gains[] = {"Low", "Medium"};
constexpr Options k_microphone_gain{k_microphone_gains, "High"};
constexpr const char* k_motion_sensitivities[] = {"High", "Disable", "Low"};
constexpr Options k_motion_sensitivity{k_motion_sensitivities, "High"};
// The mesh channel getter can answer 9, for which there is no channel name:
// such a value shows as the number.
constexpr const char* k_channels[] = {"CH 1 (Common)", "CH 2", "CH 3", "CH 4", "CH 5",
                                      "CH 6",          "CH 7", "CH 8", "CH 9"};
constexpr Options k_channel{k_channels, nullptr};
constexpr const char* k_levels[] = {"Low", "Medium", "High"};

// A row's name. A row that shows a setting of the setting catalogue takes
// that entry's label; a row whose name is not a catalogue label (a name cut
// off as the table stores it, a word of another setting shown under this
// name) names itself.
struct Label {
  constexpr Label(S setting) : m_setting(setting) {}
  constexpr Label(N own_name) : m_own_name(own_name) {}
  N name() const { return m_setting ? device_data::setting_entry(*m_setting).label : m_own_name; }

 private:
  std::optional<S> m_setting;
  N m_own_name = N::Empty;
};

// One row: its name, where its value comes from and how the value shows. The
// value rule is the table's own: it shows the value as the backup recorded it,
// which is not always what the settings pages' controls store.
struct Row {
  Label label;
  Getter getter;
  Rule rule;
  const Options* options = nullptr;
};

// ---- the rows of each source kind ----

// The record's own fields and the getters of the older products.
namespace rec {
constexpr Row VOXPhone{S::HVOX, get<&R::handsfreeVOX>, Rule::on_off};
constexpr Row VOXIntercom{S::IVOX, get<&R::intercomVOX>, Rule::on_off};
constexpr Row VoicePrompt{S::VoicePrompt, get<&R::voicePrompt>, Rule::off_is_1};
constexpr Row HighQualityA2DP{S::BitpoolRate, get<&R::bitpoolRate>, Rule::on_off};
constexpr Row Sidetone{S::Sidetone, get<&R::sidetone>, Rule::on_off};
constexpr Row AmbientHushControl{S::AmbientHushControl, get<&R::ambientHushControl>, Rule::off_is_1};
constexpr Row AudioBoost{S::AudioBoost, get<&R::audioBoost>, Rule::off_is_1};
constexpr Row HDIntercom{S::HDIntercom, get<&R::hdIntercom>, Rule::on_off};
constexpr Row FMStationGuide{S::FMStationGuide, get<&R::fmStationGuide>, Rule::on_off};
constexpr Row HDVoice{S::HDVoice, get<&R::hdVoice>, Rule::on_off};
// the record's audio veneer under the names these products give it, which
// are not the label of the setting catalogue's audio veneer
constexpr Row AudioBraiding{N::AudioBraiding, get<&R::audioVeneer>, Rule::on_off};
constexpr Row AudioBraidingPlain{N::AudioBraidingPlain, get<&R::audioVeneer>, Rule::on_off};
constexpr Row AudioVeneer{N::AudioVeneer, get<&R::audioVeneer>, Rule::on_off};
constexpr Row AudioSourcePriority{S::AudioSourcePriority, get<&R::audioSourcePriority>, Rule::list, &k_source_priority};
constexpr Row SmartNaviSystem{S::SmartNaviSystem, get<&R::smartNaviSystem>, Rule::on_off};
constexpr Row AutoOnOff{S::AutoOnOff, get<&R::autoOnOff>, Rule::off_is_1};
constexpr Row AutoStartRecording{S::AutoStartRecording, get<&R::autoStartRecording>, Rule::off_is_1};
constexpr Row VOXSensitivity{S::VOXSensitivity, get_first<&R::basicSettingKR5VOXSensitivityAt>, Rule::number};
// the Y370 family counts its sensitivity from 1
constexpr Row VOXSensitivityFrom1{S::VOXSensitivity, get_first<&R::basicSettingKR5VOXSensitivityAt>,
                                  Rule::number_minus_1};
constexpr Row SmartVolumeControl{S::SmartVolumeControl, get_first<&R::basicSettingTJ4SmartVolumeControlAt>,
                                 Rule::level};
constexpr Row UnitLanguage{S::UnitLanguage, get_for_product<&R::GetBasicSettinghb6UnitLanguage>, Rule::list,
                           &k_languages};
// the languages of the headsets that speak Czech in place of Russian
constexpr Row UnitLanguageCzech{S::UnitLanguage, get_for_product<&R::GetBasicSettinghb6UnitLanguage>, Rule::list,
                                &k_languages_czech};
// the unit language under the name these headsets give it
constexpr Row HeadsetLanguage{N::HeadsetLanguage, get_for_product<&R::GetBasicSettinghb6UnitLanguage>, Rule::list,
                              &k_languages};
constexpr Row AudioEqualizer{S::AudioEqualizer, get<&R::GetBasicSettingHB6Equalizer>, Rule::list, &k_equalizer};
constexpr Row HDSpeakerAccessory{S::HDSpeakerAccessory, get<&R::getBasicSettingHIDOneModuleHDSpeakerAccessory>,
                                 Rule::on_off};
constexpr Row ESSConfiguration{S::ESSStatus, get<&R::getEssStatus>, Rule::list, &k_ess_configuration};
constexpr Row ESSSensitivity{S::ESSSensitivity, get<&R::getEssSensitivity>, Rule::list, &k_ess_sensitivity};
constexpr Row Channel{S::Channel, get_first<&R::basicSettingNetdockChannelAt>, Rule::number_plus_1};
// the dock keeps its volume in the word after the channel, where the settings page writes it
constexpr Row Volume{S::Volume, get_second<&R::basicSettingNetdockVolumeAt>, Rule::number_minus_7};
constexpr Row PhotoMode{S::PhotoMode, get<&R::getBasicSettingVT4CameraPhotoMode>, Rule::list, &k_photo_mode};
constexpr Row VideoMode{S::VideoMode, get<&R::getBasicSettingVT4CameraVideoMode>, Rule::list, &k_video_mode};
constexpr Row VideoResolution{S::VideoResolution, get<&R::getBasicSettingVT4CameraVideoResolution>, Rule::list,
                              &k_video_resolution};
constexpr Row TimelapseInterval{S::TimelapseInterval, get<&R::getBasicSettingVT4CameraTimelapseInterval>, Rule::list,
                                &k_timelapse_interval};
constexpr Row VideoTaggingInterval{S::VideoTaggingInterval, get<&R::getBasicSettingVT4CameraVideoTaggingInterval>,
                                   Rule::list, &k_minute_interval};
// the settings pages call it the loop recording interval
constexpr Row LoopRecordingMode{N::LoopRecordingMode, get<&R::getBasicSettingVT4CameraLoopRecordingInterval>,
                                Rule::list, &k_minute_interval};
constexpr Row VideoMicrophoneGain{S::VideoMicrophoneGain, get<&R::getBasicSettingVT4CameraVideoMicrophoneGain>,
                                  Rule::list, &k_microphone_gain};
constexpr Row DateCaption{S::DateCaption, get<&R::getBasicSettingVT4CameraDateCaption>, Rule::on_off};
constexpr Row SpeakerSoundRecording{S::SpeakerSoundRecording, get<&R::getBasicSettingVT4CameraSpeakerSoundRecording>,
                                    Rule::on_off};
constexpr Row AutoCameraSleep{S::AutoCameraSleep, get<&R::getBasicSettingVT4CameraAutoCameraSleep>, Rule::on_off};
constexpr Row Music{S::SpeakerSoundRecordingMusic, get<&R::getBasicSettingVT4CameraSpeakerSoundRecordingMusic>,
                    Rule::on_off};
constexpr Row FMRadio{S::SpeakerSoundRecordingFMRadio, get<&R::getBasicSettingVT4CameraSpeakerSoundRecordingFMRadio>,
                      Rule::on_off};
constexpr Row Intercom{S::SpeakerSoundRecordingIntercom, get<&R::getBasicSettingVT4CameraSpeakerSoundRecordingIntercom>,
                       Rule::on_off};
constexpr Row Phone{S::SpeakerSoundRecordingPhone, get<&R::getBasicSettingVT4CameraSpeakerSoundRecordingPhone>,
                    Rule::on_off};
}  // namespace rec

// The mesh headsets' settings words.
namespace nd4 {
constexpr Row VOXPhone{S::HVOX, get<&R::GetBasicSettingND4VOXPhone>, Rule::on_off};
constexpr Row VOXIntercom{S::IVOX, get<&R::GetBasicSettingND4VOXIntercom>, Rule::on_off};
constexpr Row VoicePrompt{S::VoicePrompt, get<&R::GetBasicSettingND4VoicePrompt>, Rule::off_is_1};
constexpr Row HighQualityA2DP{S::BitpoolRate, get<&R::GetBasicSettingND4HighQulityA2DP>, Rule::on_off};
constexpr Row Sidetone{S::Sidetone, get<&R::GetBasicSettingND4Sidetone>, Rule::on_off};
constexpr Row AmbientHushControl{S::AmbientHushControl, get<&R::GetBasicSettingND4AmbientHushControl>, Rule::off_is_1};
constexpr Row AudioBoost{S::AudioBoost, get<&R::GetBasicSettingND4AudioBoost>, Rule::off_is_1};
constexpr Row HDIntercom{S::HDIntercom, get<&R::GetBasicSettingND4HDIntercom>, Rule::on_off};
constexpr Row FMStationGuide{S::FMStationGuide, get<&R::GetBasicSettingND4FMStationGuide>, Rule::on_off};
constexpr Row GuestMode{S::MeshGuestMode, get<&R::GetBasicSettingND4MeshGuestMode>, Rule::on_off};
constexpr Row VOXSensitivity{S::VOXSensitivity, get<&R::GetBasicSettingND4VoxSensitivity>, Rule::number};
constexpr Row SmartVolumeControl{S::AGCSensitivity, get<&R::GetBasicSettingND4AGCSensitivity>, Rule::level};
constexpr Row AudioVeneerVolumeManagement{S::AudioVeneerVolumeManagement,
                                          get<&R::GetBasicSettingND4AudioVeneerVolumeManagement>, Rule::on_off};
// one mesh headset reads the same bit with the opposite sense
constexpr Row AudioVeneerVolumeManagementOnIs0{S::AudioVeneerVolumeManagement,
                                               get<&R::GetBasicSettingND4AudioVeneerVolumeManagement>, Rule::on_is_0};
constexpr Row IntercomAudioVeneerSensitivity{N::IntercomAudioVeneerSensitivityCut,
                                             get<&R::GetBasicSettingND4AudioVeneerSensitivity>, Rule::number};
constexpr Row VoiceCommand{S::VoiceCommand, get<&R::GetBasicSettingND4VoiceCommand>, Rule::on_off};
constexpr Row BluetoothIntercomAudioBraiding{S::AudioVeneer, get<&R::GetBasicSettingND4AudioVeneer>, Rule::on_off};
constexpr Row UnitLanguage{S::UnitLanguage, get<&R::GetBasicSettingND4UnitLanguage>, Rule::list, &k_languages};
constexpr Row HeadsetLanguage{N::HeadsetLanguage, get<&R::GetBasicSettingND4UnitLanguage>, Rule::list, &k_languages};
constexpr Row HDSpeakerAccessory{S::HDSpeakerAccessory, get<&R::GetBasicSettingND4HDSpeakerAccessory>, Rule::on_off};
constexpr Row HDVoice{S::HDVoice, get<&R::GetBasicSettingWQ8HDVoice>, Rule::on_off};
// shows the voice prompt's bit, as the headsets' own menu groups them
constexpr Row VoiceAssistant{N::VoiceAssistant, get<&R::GetBasicSettingND4VoicePrompt>, Rule::off_is_1};
constexpr Row MusicEqualizer{S::AudioEqualizer, get<&R::GetBasicSetting50Equalizer>, Rule::list, &k_music_equalizer};
constexpr Row AudioEqualizer{S::AudioEqualizer, get<&R::GetBasicSetting50Equalizer>, Rule::list, &k_equalizer};
}  // namespace nd4

// The LM6 family's settings words.
namespace lm6 {
constexpr Row AudioBraiding{S::AudioBraiding, get<&R::getBasicSettingLM6AudioBraiding>, Rule::on_off};
// the device counts its sensitivity downwards from 11
constexpr Row IntercomAudioVeneerSensitivity{N::IntercomAudioVeneerSensitivityCut,
                                             get<&R::getBasicSettingLM6AudioBraidingSensitivity>, Rule::eleven_minus};
// the navigation overlay's bit, shown under the veneer volume management's name
constexpr Row AudioVeneerVolumeManagement{N::AudioVeneerVolumeManagement,
                                          get<&R::getBasicSettingLM6NavigationAppOverlay>, Rule::on_off};
constexpr Row NavigationAppSupport{S::NavigationAppOverlay, get<&R::getBasicSettingLM6NavigationAppOverlay>,
                                   Rule::on_off};
constexpr Row AudioBoost{S::AudioBoost, get<&R::getBasicSettingLM6AudioBoost>, Rule::on_off};
constexpr Row SmartVolumeControl{S::SmartVolumeControl, get<&R::getBasicSettingLM6SmartVolumeControl>, Rule::level};
constexpr Row VOXPhone{S::HVOX, get<&R::getBasicSettingLM6VOXPhone>, Rule::on_off};
constexpr Row HDIntercom{S::HDIntercom, get<&R::getBasicSettingLM6HDIntercom>, Rule::on_off};
constexpr Row EightWayIntercom{S::EightWayIntercom, get<&R::getBasicSettingLM6EightWayIntercom>, Rule::on_off};
constexpr Row VoicePrompt{S::VoicePrompt, get<&R::getBasicSettingLM6VoicePrompt>, Rule::on_off};
constexpr Row FMStationGuide{S::FMStationGuide, get<&R::getBasicSettingLM6FMStationGuide>, Rule::on_off};
constexpr Row Sidetone{S::Sidetone, get<&R::getBasicSettingLM6Sidetone>, Rule::on_off};
constexpr Row AmbientHushControl{S::AmbientHushControl, get<&R::getBasicSettingLM6AmbientHushControl>, Rule::on_off};
constexpr Row VoiceCommand{S::VoiceCommand, get<&R::GetBasicSettingLM6VoiceCommand>, Rule::on_off};
constexpr Row WhiteLEDAlwaysOn{S::LEDControl, get<&R::getBasicSettingLM6LEDControl>, Rule::on_off};
constexpr Row MotionSensorSensitivity{S::MotionSensorSensitivity, get<&R::getBasicSettingLM6MotionSensorSensitivity>,
                                      Rule::list, &k_motion_sensitivity};
}  // namespace lm6

// The Airoha-based headsets.
namespace airoha {
constexpr Row HeadsetLanguage{N::HeadsetLanguage, get<&R::GetBasicSettingAirohaUnitLanguage>, Rule::list, &k_languages};
constexpr Row AudioEqualizer{S::AudioEqualizer, get<&R::GetBasicSettingAirohaAudioEqualizer>, Rule::list, &k_equalizer};
constexpr Row VOXPhone{S::HVOX, get<&R::GetBasicSettingAirohaVOXPhone>, Rule::on_off};
constexpr Row VoicePrompt{S::VoicePrompt, get<&R::GetBasicSettingAirohaVoicePrompt>, Rule::on_off};
constexpr Row VOXSensitivity{S::VOXSensitivity, get<&R::GetBasicSettingAirohaVoxSensitivity>, Rule::number_plus_1};
constexpr Row AudioVeneerVolumeManagement{S::AudioVeneerVolumeManagement,
                                          get<&R::GetBasicSettingAirohaAudioVeneerVolumeManagement>, Rule::on_off};
constexpr Row IntercomAudioVeneerSensitivity{N::IntercomAudioVeneerSensitivityCut,
                                             get<&R::GetBasicSettingAirohaIntercomAudioVeneerSensitivity>,
                                             Rule::number_plus_1};
}  // namespace airoha

// The QCC-based headsets. Their VOX phone, voice prompt and FM station guide
// sit where the mesh headsets keep them, and HD voice has a bit of its own:
// these rows read the bits the settings page writes for them.
namespace qcc {
constexpr Row VOXSensitivity{S::VOXSensitivity, get<&R::GetBasicSettingQCCVOXSensitivity>, Rule::number_plus_1};
constexpr Row AudioVeneerVolumeManagement{S::AudioVeneerVolumeManagement,
                                          get<&R::GetBasicSettingQCCAudioVeneerVolumeManagement>, Rule::on_off};
constexpr Row IntercomAudioVeneerSensitivity{N::IntercomAudioVeneerSensitivityCut,
                                             get<&R::GetBasicSettingQCCAudioVeneerSensitivity>, Rule::number};
constexpr Row AudioEqualizer{S::AudioEqualizer, get<&R::GetBasicSettingQCCAudioEqualizer>, Rule::list, &k_equalizer};
constexpr Row VOXPhone = nd4::VOXPhone;
constexpr Row HDVoice{S::HDVoice, get<&R::GetBasicSettingQCCHDVoice>, Rule::on_off};
constexpr Row VoicePrompt = nd4::VoicePrompt;
constexpr Row FMStationGuide = nd4::FMStationGuide;
}  // namespace qcc

// Getters that an entry names for one of its rows.
namespace any {
constexpr Row AdvancedFeatures{S::UILayer, get<&R::GetBasicSettingUILayer>, Rule::on_off};
constexpr Row Equalizer30{S::AudioEqualizer, get<&R::GetBasicSetting30Equalizer>, Rule::list, &k_equalizer};
constexpr Row Equalizer50{S::AudioEqualizer, get<&R::GetBasicSetting50Equalizer>, Rule::list, &k_equalizer};
constexpr Row ChannelSetting{S::MeshPublicChannel, get<&R::GetBasicSettingDK3MorrimMeshPublicChannel>, Rule::list,
                             &k_channel};
constexpr Row RemoteUIPTTAsFMStationGuide{N::FMStationGuide, get<&R::GetBasicSettingVelandraRemoteUIPTT>, Rule::on_off};
constexpr Row UnitLanguageDK5X{S::UnitLanguage, get<&R::GetBasicSettingDK5XUnitLanguage>, Rule::list, &k_languages};
constexpr Row UnitLanguageQorlan{S::UnitLanguage, get_for_product<&R::GetBasicSettingQorlanUnitLanguage>, Rule::list,
                                 &k_languages_czech};
constexpr Row UnitLanguageTJ6{S::UnitLanguage, tj6_language_code, Rule::list, &k_languages_tj6};
constexpr Row HDSpeakerAccessoryAsVOXPhone{N::VOXPhone, get<&R::GetBasicSettingQorlanHDSpeakerAccessory>, Rule::on_off};
constexpr Row MeshPublicChannelAsVoicePrompt{N::VoicePrompt, get<&R::GetBasicSettingVelandraMeshPublicChannel>,
                                             Rule::off_is_1};
// the mesh headsets of the like_3132 set show the record's audio boost
constexpr Row RecordAudioBoost = rec::AudioBoost;
}  // namespace any

// ---- the rows by row set ----

// The rows from firmware major.minor of the backup up to the next band; the
// first band of an entry holds for every version below the second.
struct Band {
  int major = 0;
  int minor = 0;
  std::vector<Row> rows;
  // while the FM radio is hidden the FM Station Guide row is left out and
  // the rows after it move up
  bool fm_station_guide_only_while_fm_shown = false;
};

struct Entry {
  Rows set;
  std::vector<Band> bands;
};

constexpr bool k_fm_only = true;

const std::vector<Entry>& row_entries() {
  // clang-format off
  static const std::vector<Entry> k_entries = [] {
    std::vector<Entry> entries;
    const auto add = [&entries](Rows set, std::vector<Band> bands) { entries.push_back({set, std::move(bands)}); };

    // ---- LM6 family ----
    {
      using namespace lm6;
      add(Rows::like_2030,
          {{0, 0, {AudioBraiding, IntercomAudioVeneerSensitivity, AudioVeneerVolumeManagement, AudioBoost,
                   SmartVolumeControl, VOXPhone, HDIntercom, EightWayIntercom, VoicePrompt, FMStationGuide,
                   Sidetone, AmbientHushControl, VoiceCommand}}});
      add(Rows::like_4210,
          {{0, 0, {VOXPhone, Sidetone, AudioBraiding, IntercomAudioVeneerSensitivity}},
           {1, 1, {VOXPhone, Sidetone, MotionSensorSensitivity, AudioBraiding, IntercomAudioVeneerSensitivity,
                   NavigationAppSupport}},
           {1, 2, {AudioBraiding, IntercomAudioVeneerSensitivity, NavigationAppSupport, AudioBoost,
                   MotionSensorSensitivity, VOXPhone, HDIntercom, EightWayIntercom, VoicePrompt, Sidetone,
                   AmbientHushControl}},
           {1, 5, {AudioBraiding, IntercomAudioVeneerSensitivity, NavigationAppSupport, AudioBoost,
                   SmartVolumeControl, MotionSensorSensitivity, VOXPhone, HDIntercom, EightWayIntercom, VoicePrompt,
                   FMStationGuide, Sidetone, AmbientHushControl}}});
      add(Rows::like_4410,
          {{0, 0, {AudioBraiding, IntercomAudioVeneerSensitivity, AudioVeneerVolumeManagement, AudioBoost,
                   SmartVolumeControl, HDIntercom, EightWayIntercom, VoicePrompt, FMStationGuide, Sidetone,
                   AmbientHushControl, VoiceCommand}}});
      add(Rows::like_4610,
          {{0, 0, {AudioBraiding, IntercomAudioVeneerSensitivity, AudioVeneerVolumeManagement, AudioBoost,
                   SmartVolumeControl, VOXPhone, HDIntercom, EightWayIntercom, VoicePrompt, FMStationGuide,
                   Sidetone, AmbientHushControl, VoiceCommand, WhiteLEDAlwaysOn}}});
    }

    // ---- mesh headsets (ND4 words) ----
    {
      namespace n = nd4;
      const std::vector<Row> nd4_below_1_1 = {
          n::AudioBoost, n::VOXPhone, n::VOXIntercom, n::HDIntercom, n::VoicePrompt, n::HighQualityA2DP, n::Sidetone,
          n::AmbientHushControl, n::FMStationGuide, n::GuestMode, n::VOXSensitivity, n::SmartVolumeControl,
          n::AudioVeneerVolumeManagement, n::IntercomAudioVeneerSensitivity, n::VoiceCommand};
      const std::vector<Row> nd4_from_1_1 = {
          n::AudioBoost, n::VOXPhone, n::VOXIntercom, n::BluetoothIntercomAudioBraiding, n::HDIntercom,
          n::VoicePrompt, n::HighQualityA2DP, n::Sidetone, n::AmbientHushControl, n::FMStationGuide, n::GuestMode,
          n::VOXSensitivity, n::SmartVolumeControl, n::AudioVeneerVolumeManagement,
          n::IntercomAudioVeneerSensitivity, n::VoiceCommand};
      // the 1.1 rows without the guest mode
      const std::vector<Row> nd4_from_3_0 = {
          n::AudioBoost, n::VOXPhone, n::VOXIntercom, n::BluetoothIntercomAudioBraiding, n::HDIntercom,
          n::VoicePrompt, n::HighQualityA2DP, n::Sidetone, n::AmbientHushControl, n::FMStationGuide,
          n::VOXSensitivity, n::SmartVolumeControl, n::AudioVeneerVolumeManagement,
          n::IntercomAudioVeneerSensitivity, n::VoiceCommand};
      // audio boost moves to the end, beside the speaker accessory and the equalizer
      const std::vector<Row> nd4_from_3_1 = {
          n::VOXPhone, n::VOXIntercom, n::BluetoothIntercomAudioBraiding, n::HDIntercom, n::VoicePrompt,
          n::HighQualityA2DP, n::Sidetone, n::AmbientHushControl, n::FMStationGuide, n::VOXSensitivity,
          n::SmartVolumeControl, n::AudioVeneerVolumeManagement, n::IntercomAudioVeneerSensitivity, n::VoiceCommand,
          n::AudioBoost, n::HDSpeakerAccessory, any::Equalizer30};
      const auto with_unit_language = [](std::vector<Row> rows) {
        rows.insert(rows.begin(), n::UnitLanguage);
        return rows;
      };

      add(Rows::like_3110, {{0, 0, nd4_below_1_1},
                            {1, 1, nd4_from_1_1},
                            {2, 1, with_unit_language(nd4_from_1_1)},
                            {3, 0, with_unit_language(nd4_from_3_0)},
                            {3, 1, with_unit_language(nd4_from_3_1)}});
      add(Rows::like_3112, {{0, 0, nd4_below_1_1}, {1, 1, nd4_from_1_1}, {3, 0, nd4_from_3_0}, {3, 1, nd4_from_3_1}});
      add(Rows::like_3114, {{0, 0, nd4_below_1_1}, {1, 1, nd4_from_1_1}, {3, 0, nd4_from_3_0}});
      add(Rows::like_3116, {{0, 0, with_unit_language(nd4_from_1_1)}, {2, 0, with_unit_language(nd4_from_3_0)}});
      add(Rows::like_3118,
          {{0, 0, {n::UnitLanguage, n::AudioBoost, n::VOXPhone, n::HDIntercom, n::VoicePrompt, n::AmbientHushControl,
                   n::FMStationGuide, n::VOXSensitivity, n::AudioVeneerVolumeManagement,
                   n::IntercomAudioVeneerSensitivity}}});
      add(Rows::like_3124,
          {{0, 0, {n::UnitLanguage, n::VoicePrompt, n::Sidetone, n::FMStationGuide, n::VoiceCommand}, k_fm_only}});
      add(Rows::like_3128,
          {{0, 0, {any::ChannelSetting, n::VoicePrompt, n::Sidetone, n::AmbientHushControl, n::FMStationGuide},
            k_fm_only}});
      add(Rows::like_3132,
          {{0, 0, {n::HeadsetLanguage, n::MusicEqualizer, any::RecordAudioBoost, n::VOXPhone, n::VOXIntercom,
                   n::BluetoothIntercomAudioBraiding, n::HDIntercom, n::HDVoice, n::VoiceAssistant, n::VoicePrompt,
                   n::Sidetone, n::AmbientHushControl, n::FMStationGuide, n::VOXSensitivity, n::SmartVolumeControl,
                   n::AudioVeneerVolumeManagement, n::IntercomAudioVeneerSensitivity}}});
      add(Rows::like_3140, {{0, 0, with_unit_language(nd4_from_3_0)}});
      add(Rows::like_3142,
          {{0, 0, {n::UnitLanguage, n::Sidetone, n::FMStationGuide, n::AudioVeneerVolumeManagementOnIs0,
                   n::IntercomAudioVeneerSensitivity}}});
      add(Rows::like_3146, {{0, 0, with_unit_language(nd4_from_3_1)}});
      add(Rows::like_3150, {{0, 0, {any::UnitLanguageDK5X, n::VoicePrompt, n::FMStationGuide}}});
      add(Rows::like_3152, {{0, 0, {n::UnitLanguage, n::VoicePrompt, n::Sidetone, n::VoiceCommand}}});

      // the equalizer and HD voice generation: language, equalizer, then the mesh rows
      const auto wq8_rows = [](Row language, Row equalizer, bool with_fm_station_guide) {
        std::vector<Row> rows = {language, equalizer, n::VOXPhone, n::VOXIntercom,
                                 n::BluetoothIntercomAudioBraiding, n::HDIntercom, n::HDVoice, n::VoicePrompt,
                                 n::Sidetone, n::AmbientHushControl};
        if (with_fm_station_guide) rows.push_back(n::FMStationGuide);
        rows.insert(rows.end(), {n::VOXSensitivity, n::SmartVolumeControl, n::AudioVeneerVolumeManagement,
                                 n::IntercomAudioVeneerSensitivity});
        return rows;
      };
      add(Rows::like_3156, {{0, 0, wq8_rows(n::UnitLanguage, n::MusicEqualizer, true)}});
      add(Rows::like_3170, {{0, 0, wq8_rows(any::UnitLanguageTJ6, n::AudioEqualizer, true)}});
      add(Rows::like_3211, {{0, 0, wq8_rows(n::HeadsetLanguage, n::MusicEqualizer, false)}});
      add(Rows::like_3260, {{0, 0, wq8_rows(n::HeadsetLanguage, n::AudioEqualizer, true)}});
      std::vector<Row> qorlan = wq8_rows(any::UnitLanguageQorlan, n::AudioEqualizer, true);
      qorlan.push_back(any::AdvancedFeatures);
      add(Rows::like_3320, {{0, 0, qorlan}});
      qorlan.insert(qorlan.begin() + 1, any::HDSpeakerAccessoryAsVOXPhone);
      add(Rows::like_3310, {{0, 0, qorlan}});
    }

    // ---- record fields ----
    {
    using namespace rec;
    add(Rows::like_3030, {{0, 0, {VoicePrompt, FMStationGuide, AmbientHushControl}}});
    add(Rows::like_3032, {{0, 0, {VoicePrompt, FMStationGuide, AmbientHushControl}},
                          {1, 4, {VoicePrompt, FMStationGuide}, k_fm_only}});
    add(Rows::like_3070, {{0, 0, {UnitLanguage, VoicePrompt, FMStationGuide, Sidetone}, k_fm_only}});
    add(Rows::like_3080, {{0, 0, {UnitLanguage, VoicePrompt, Sidetone}}});
    add(Rows::like_3085, {{0, 0, {HeadsetLanguage, VoicePrompt}}});
    add(Rows::like_3161, {{0, 0, {any::MeshPublicChannelAsVoicePrompt, any::UnitLanguageDK5X,
                                  any::RemoteUIPTTAsFMStationGuide}}});
    add(Rows::like_3300,
        {{0, 0, {UnitLanguage, AudioEqualizer, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority,
                 HDVoice, HDIntercom, VoicePrompt, Sidetone, AmbientHushControl}}});
    add(Rows::like_3340,
        {{0, 0, {any::HDSpeakerAccessoryAsVOXPhone, any::Equalizer50, VOXPhone, VOXIntercom, AudioBraiding,
                 AudioSourcePriority, HDVoice, HDIntercom, UnitLanguageCzech, VoicePrompt,
                 any::AdvancedFeatures}}});
    add(Rows::like_3341, {{0, 0, {any::Equalizer50, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice,
                                  HDIntercom, UnitLanguageCzech, VoicePrompt, any::AdvancedFeatures}}});
    add(Rows::like_3350, {{0, 0, {VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority,
                                  HDVoice, HDIntercom, HeadsetLanguage, VoicePrompt}}});
    add(Rows::like_3370, {{0, 0, {VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice, HDIntercom,
                                  HeadsetLanguage, VoicePrompt, FMStationGuide}}});
    add(Rows::like_3400, {{0, 0, {AudioEqualizer, VOXPhone, HDVoice, HDIntercom, HeadsetLanguage, VoicePrompt}}});
    add(Rows::like_3500, {{0, 0, {Channel}}});
    add(Rows::like_3560, {{0, 0, {Channel, Volume}}});
    add(Rows::like_4023, {{0, 0, {AudioEqualizer, VOXPhone, VOXIntercom, AudioBraiding,
                                  AudioSourcePriority, HDVoice, HDIntercom,
                                  HeadsetLanguage, VoicePrompt}}});
    add(Rows::like_4050, {{0, 0, {UnitLanguage}}});

    add(Rows::like_5410,
        {{0, 0, {AudioBoost, SmartVolumeControl, VOXPhone, AudioVeneer, VOXSensitivity, VoicePrompt,
                 Sidetone}},
         {1, 1, {AudioBoost, SmartVolumeControl, VOXPhone, AudioVeneer, HDVoice, VOXSensitivity,
                 VoicePrompt, Sidetone}},
         {2, 0, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, AudioVeneer, AudioSourcePriority,
                 HDVoice, HDIntercom, VOXSensitivity, VoicePrompt, Sidetone, AmbientHushControl}}});
    const std::vector<Row> wn_rows = {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, AudioVeneer,
                                      AudioSourcePriority, HDVoice, HDIntercom, VOXSensitivity, VoicePrompt,
                                      FMStationGuide, Sidetone, AmbientHushControl};
    add(Rows::like_5412, {{0, 0, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, AudioVeneer,
                                  AudioSourcePriority, HDIntercom, VOXSensitivity, VoicePrompt, FMStationGuide,
                                  Sidetone, AmbientHushControl}},
                          {1, 1, wn_rows}});
    add(Rows::like_5416,
        {{0, 0, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, AudioSourcePriority, HDIntercom,
                 VOXSensitivity, VoicePrompt, FMStationGuide, Sidetone, AmbientHushControl}},
         {1, 1, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, AudioVeneer, AudioSourcePriority,
                 HDIntercom, VOXSensitivity, VoicePrompt, FMStationGuide, Sidetone, AmbientHushControl}},
         {1, 2, wn_rows}});
    add(Rows::like_5418, {{0, 0, wn_rows}});
    add(Rows::like_5424,
        {{0, 0, {UnitLanguage, AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice,
                 HDIntercom, VOXSensitivity, SmartVolumeControl, VoicePrompt, FMStationGuide, Sidetone,
                 AmbientHushControl}}});
    add(Rows::like_5426,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice, HDIntercom,
                 VOXSensitivity, SmartVolumeControl, VoicePrompt, FMStationGuide, Sidetone,
                 AmbientHushControl}}});

    // ---- the camera headsets ----
    {
      const std::vector<Row> camera_rows = {PhotoMode, VideoMode, VideoResolution, TimelapseInterval,
                                            VideoTaggingInterval, LoopRecordingMode, VideoMicrophoneGain, DateCaption,
                                            SpeakerSoundRecording, Music, FMRadio, Intercom, Phone, AutoCameraSleep};
      const auto with_camera = [&camera_rows](std::vector<Row> rows) {
        rows.insert(rows.end(), camera_rows.begin(), camera_rows.end());
        return rows;
      };
      // the first cameras know neither the tagging and loop intervals nor the microphone gain
      add(Rows::like_5510,
          {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, VoicePrompt, HighQualityA2DP, Sidetone,
                   AmbientHushControl, PhotoMode, VideoMode, VideoResolution, TimelapseInterval, DateCaption,
                   SpeakerSoundRecording, Music, FMRadio, Intercom, Phone, AutoCameraSleep}},
           {1, 1, with_camera({AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, HighQualityA2DP,
                               Sidetone, AmbientHushControl})},
           {2, 2, with_camera({AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, FMStationGuide,
                               HighQualityA2DP, Sidetone, AmbientHushControl})},
           {3, 0, with_camera({AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority,
                               HDVoice, HDIntercom, VoicePrompt, FMStationGuide, Sidetone,
                               AmbientHushControl})}});
    }

    // the generation with audio braiding, source priority and HD voice
    const std::vector<Row> braiding_rows = {AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority,
                                            HDVoice, HDIntercom, VoicePrompt, FMStationGuide, Sidetone,
                                            AmbientHushControl};
    // the same with the accessory rows last and audio boost among them
    const std::vector<Row> braiding_accessory_rows = {VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority,
                                                      HDVoice, HDIntercom, VoicePrompt, FMStationGuide, Sidetone,
                                                      AmbientHushControl, AudioBoost, HDSpeakerAccessory,
                                                      AudioEqualizer};
    add(Rows::like_5520,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, VOXSensitivity, VoicePrompt, HighQualityA2DP, Sidetone,
                 AmbientHushControl}},
         {1, 1, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VOXSensitivity, VoicePrompt,
                 HighQualityA2DP, Sidetone, AmbientHushControl}},
         {1, 3, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VOXSensitivity, VoicePrompt,
                 FMStationGuide, HighQualityA2DP, Sidetone, AmbientHushControl}},
         {2, 0, {AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice, HDIntercom,
                 VOXSensitivity, VoicePrompt, FMStationGuide, Sidetone, AmbientHushControl}}});
    add(Rows::like_5522, {{0, 0, {AudioBoost, VoicePrompt, FMStationGuide, HighQualityA2DP, AmbientHushControl}}});
    add(Rows::like_5524, {{0, 0, {AudioBoost, VoicePrompt, HighQualityA2DP, AmbientHushControl}},
                          {1, 1, {AudioBoost, VoicePrompt, FMStationGuide, HighQualityA2DP, AmbientHushControl}},
                          {2, 0, {AudioBoost, AudioBraiding, AudioSourcePriority, HDVoice, VoicePrompt, FMStationGuide,
                                  AmbientHushControl}}});
    add(Rows::like_5526,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VOXSensitivity, VoicePrompt,
                 FMStationGuide, HighQualityA2DP, Sidetone, AmbientHushControl}},
         {2, 0, {AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice, HDIntercom,
                 VOXSensitivity, VoicePrompt, FMStationGuide, Sidetone, AmbientHushControl}}});
    add(Rows::like_5530, {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, HighQualityA2DP, Sidetone,
                                  AmbientHushControl}},
                          {1, 4, {AudioBoost, VOXPhone, VOXIntercom, HDVoice, HDIntercom, VoicePrompt, FMStationGuide,
                                  HighQualityA2DP, Sidetone, AmbientHushControl}},
                          {2, 0, braiding_rows}});
    add(Rows::like_5532, {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDVoice, HDIntercom, VoicePrompt, FMStationGuide,
                                  HighQualityA2DP, Sidetone, AmbientHushControl}}});
    add(Rows::like_5534,
        {{0, 0, {AudioEqualizer, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice,
                 HDIntercom, HeadsetLanguage, VoicePrompt, FMStationGuide, Sidetone, AmbientHushControl}}});
    add(Rows::like_5550,
        {{0, 0, {AudioBoost, HDIntercom, VoicePrompt, FMStationGuide, HighQualityA2DP, AmbientHushControl}},
         {1, 2, {AudioBoost, VoicePrompt, FMStationGuide, HighQualityA2DP, AmbientHushControl}},
         {2, 0, {AudioBoost, AudioBraiding, AudioSourcePriority, HDVoice, VoicePrompt, FMStationGuide,
                 AmbientHushControl}}});
    add(Rows::like_5552, {{0, 0, {AudioEqualizer, HDVoice, VoicePrompt, FMStationGuide, HeadsetLanguage}}});
    add(Rows::like_5560, {{0, 0, {FMStationGuide}}});
    add(Rows::like_5570, {{0, 0, braiding_rows}, {1, 4, braiding_accessory_rows}});
    add(Rows::like_5576,
        {{0, 0, {AutoStartRecording, AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority,
                 HDVoice, HDIntercom, VoicePrompt, FMStationGuide, Sidetone, AmbientHushControl}}});
    add(Rows::like_5580,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, FMStationGuide, HighQualityA2DP,
                 Sidetone, AmbientHushControl}},
         {2, 0, braiding_rows},
         {2, 6, braiding_accessory_rows}});
    add(Rows::like_5595, {{0, 0, {AudioEqualizer, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice,
                                  HDIntercom, VoicePrompt}}});
    add(Rows::like_5610,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, VoicePrompt, HighQualityA2DP, Sidetone, AmbientHushControl}},
         {1, 1, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, HighQualityA2DP, Sidetone,
                 AmbientHushControl}},
         {2, 0, braiding_rows}});
    add(Rows::like_5622,
        {{0, 0, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt,
                 HighQualityA2DP, AmbientHushControl}},
         {1, 1, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, HDIntercom, VOXSensitivity,
                 VoicePrompt, HighQualityA2DP, AmbientHushControl}},
         {2, 0, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority,
                 HDVoice, HDIntercom, VOXSensitivity, VoicePrompt, FMStationGuide, AmbientHushControl}}});
    add(Rows::like_5623,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, HighQualityA2DP, Sidetone,
                 AmbientHushControl}},
         {1, 1, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VOXSensitivity, VoicePrompt,
                 HighQualityA2DP, Sidetone, AmbientHushControl}},
         {2, 0, {AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice, HDIntercom,
                 VOXSensitivity, VoicePrompt, Sidetone, AmbientHushControl}}});
    add(Rows::like_5624, {{0, 0, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt,
                                  HighQualityA2DP, AmbientHushControl}},
                          {1, 1, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, HDIntercom, VOXSensitivity,
                                  VoicePrompt, HighQualityA2DP, AmbientHushControl}},
                          {2, 0, {AudioBoost, SmartVolumeControl, VOXPhone, VOXIntercom, AudioSourcePriority, HDVoice,
                                  HDIntercom, VOXSensitivity, VoicePrompt, AmbientHushControl}}});
    add(Rows::like_5710, {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, HighQualityA2DP, Sidetone,
                                  AmbientHushControl}},
                          {1, 2, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, FMStationGuide,
                                  HighQualityA2DP, Sidetone, AmbientHushControl}}});
    add(Rows::like_5720,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VOXSensitivity, VoicePrompt, FMStationGuide,
                 HighQualityA2DP, Sidetone, AmbientHushControl}}});
    add(Rows::like_5910, {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, HighQualityA2DP,
                                  Sidetone, AmbientHushControl}},
                          {1, 1, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, FMStationGuide,
                                  HighQualityA2DP, Sidetone, AmbientHushControl}}});

    // ---- the Y series ----
    const std::vector<Row> y_rows = {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VOXSensitivity, VoicePrompt,
                                     HighQualityA2DP, Sidetone, AmbientHushControl};
    const auto navi_first = [](std::vector<Row> rows) {
      rows.insert(rows.begin(), SmartNaviSystem);
      return rows;
    };
    const auto with_ess = [](std::vector<Row> rows) {
      rows.insert(rows.end(), {ESSConfiguration, ESSSensitivity});
      return rows;
    };
    add(Rows::like_6010, {{0, 0, with_ess(y_rows)}, {1, 2, with_ess(navi_first(y_rows))}});
    add(Rows::like_6014, {{0, 0, y_rows}, {1, 2, navi_first(y_rows)}});
    add(Rows::like_6018, {{0, 0, y_rows}, {1, 1, navi_first(y_rows)}});
    add(Rows::like_6020,
        {{0, 0, {SmartNaviSystem, VOXPhone, VOXSensitivity, VoicePrompt, Sidetone, AmbientHushControl}}});
    add(Rows::like_6026, {{0, 0, navi_first(y_rows)}});
    const std::vector<Row> y660_rows = {AudioBraidingPlain, SmartNaviSystem, AutoOnOff, AudioBoost, VOXPhone,
                                        VOXIntercom, HDIntercom, VOXSensitivity, VoicePrompt, Sidetone,
                                        AmbientHushControl};
    add(Rows::like_6028, {{0, 0, y660_rows}});
    add(Rows::like_6034, {{0, 0, with_ess(y660_rows)}});
    add(Rows::like_6038, {{0, 0, {AudioBoost, HDIntercom, Sidetone, AmbientHushControl, SmartNaviSystem,
                                  SmartNaviSystem, SmartNaviSystem, VOXPhone, VOXSensitivityFrom1, VoicePrompt,
                                  HeadsetLanguage}}});
    add(Rows::like_6112,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice, HDIntercom,
                 VOXSensitivity, VoicePrompt, FMStationGuide, Sidetone, AmbientHushControl}}});
    add(Rows::like_6210,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, HDIntercom, VoicePrompt, FMStationGuide,
                 HighQualityA2DP, AmbientHushControl}},
         {2, 0, {AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice, HDIntercom,
                 VoicePrompt, FMStationGuide, AmbientHushControl}}});
    add(Rows::like_6310, {{0, 0, {UnitLanguage, VoicePrompt}}});
    add(Rows::like_6320, {{0, 0, {UnitLanguage, VOXPhone, HDVoice, HDIntercom, VoicePrompt,
                                  AmbientHushControl}}});
    add(Rows::like_6400,
        {{0, 0, {AudioBoost, VOXPhone, VOXIntercom, AudioBraiding, AudioSourcePriority, HDVoice, HDIntercom,
                 VOXSensitivity, VoicePrompt, FMStationGuide, AmbientHushControl}}});

    }

    // ---- QCC and Airoha chips ----
    add(Rows::like_6500, {{0, 0, {qcc::AudioEqualizer, qcc::VOXPhone, qcc::HDVoice, qcc::VoicePrompt,
                                  qcc::FMStationGuide, qcc::VOXSensitivity, qcc::AudioVeneerVolumeManagement,
                                  qcc::IntercomAudioVeneerSensitivity}}});
    {
      using namespace airoha;
      add(Rows::like_6800,
          {{0, 0, {HeadsetLanguage, AudioEqualizer, VOXPhone, VoicePrompt, VOXSensitivity, AudioVeneerVolumeManagement,
                   IntercomAudioVeneerSensitivity}}});
      add(Rows::like_6801, {{0, 0, {HeadsetLanguage, VoicePrompt}}});
      add(Rows::like_6804, {{0, 0, {HeadsetLanguage, VOXPhone, VoicePrompt, VOXSensitivity,
                                    AudioVeneerVolumeManagement, IntercomAudioVeneerSensitivity}}});
    }
    return entries;
  }();
  // clang-format on
  return k_entries;
}

// ---- the row count by count set ----

// `rows` rows from firmware major.minor; the first band holds for every
// version below the second.
struct CountBand {
  int major = 0;
  int minor = 0;
  int rows = 0;
};

struct CountEntry {
  Count set;
  std::vector<CountBand> counts;
  // while the FM radio is hidden, when it changes the count
  std::vector<CountBand> counts_fm_hidden = {};
};

const std::vector<CountEntry>& count_entries() {
  // clang-format off
  static const std::vector<CountEntry> k_counts = {
      {Count::rows_1, {{0, 0, 1}}},
      {Count::rows_2, {{0, 0, 2}}},
      {Count::rows_3, {{0, 0, 3}}},
      {Count::rows_4, {{0, 0, 4}}},
      {Count::rows_5, {{0, 0, 5}}},
      {Count::rows_6, {{0, 0, 6}}},
      {Count::rows_7, {{0, 0, 7}}},
      {Count::rows_8, {{0, 0, 8}}},
      {Count::rows_9, {{0, 0, 9}}},
      {Count::rows_10, {{0, 0, 10}}},
      {Count::rows_11, {{0, 0, 11}}},
      {Count::rows_12, {{0, 0, 12}}},
      {Count::rows_13, {{0, 0, 13}}},
      {Count::rows_14, {{0, 0, 14}}},
      {Count::rows_15, {{0, 0, 15}}},
      {Count::rows_16, {{0, 0, 16}}},
      {Count::rows_17, {{0, 0, 17}}},
      {Count::rows_18, {{0, 0, 18}}},
      {Count::like_3570, {{0, 0, 0}, {1, 1, 1}}},
      {Count::like_3560, {{0, 0, 0}, {1, 1, 2}}},
      {Count::like_3500, {{0, 0, 0}, {2, 2, 1}}},
      {Count::like_5526, {{0, 0, 10}, {2, 0, 12}}},
      {Count::like_5416, {{0, 0, 11}, {1, 1, 12}, {1, 2, 13}}},
      {Count::like_6010, {{0, 0, 11}, {1, 2, 12}}},
      {Count::like_5570, {{0, 0, 11}, {1, 4, 13}}},
      {Count::like_5412, {{0, 0, 12}, {1, 1, 13}}},
      {Count::like_3110, {{0, 0, 15}, {1, 1, 16}, {2, 1, 17}, {3, 0, 16}, {3, 1, 18}}},
      {Count::like_3114, {{0, 0, 15}, {1, 1, 16}, {3, 0, 15}}},
      {Count::like_3112, {{0, 0, 15}, {1, 1, 16}, {3, 0, 15}, {3, 1, 17}}},
      {Count::like_3116, {{0, 0, 17}, {2, 0, 16}}},
      {Count::like_5510, {{0, 0, 18}, {2, 0, 22}, {2, 2, 23}, {3, 0, 25}}},
      {Count::like_3050, {{0, 0, 3}, {1, 4, 2}}, {{0, 0, 2}, {1, 4, 1}}},
      {Count::like_3032, {{0, 0, 3}}, {{0, 0, 2}}},
      {Count::like_5524, {{0, 0, 4}, {1, 1, 5}, {2, 0, 7}}},
      {Count::like_4210, {{0, 0, 4}, {1, 1, 6}, {1, 2, 11}, {1, 5, 13}}},
      {Count::like_3070, {{0, 0, 4}}, {{0, 0, 3}}},
      {Count::like_3124, {{0, 0, 5}}, {{0, 0, 4}}},
      {Count::like_5550, {{0, 0, 6}, {1, 2, 5}, {2, 0, 7}}},
      {Count::like_5610, {{0, 0, 7}, {1, 1, 8}, {2, 0, 11}}},
      {Count::like_5410, {{0, 0, 7}, {1, 1, 8}, {2, 0, 12}}},
      {Count::like_5910, {{0, 0, 8}, {1, 1, 9}}},
      {Count::like_5520, {{0, 0, 8}, {1, 1, 9}, {1, 3, 10}, {2, 0, 12}}},
      {Count::like_5624, {{0, 0, 8}, {1, 1, 9}, {2, 0, 10}}},
      {Count::like_5623, {{0, 0, 8}, {1, 1, 9}, {2, 0, 11}}},
      {Count::like_5622, {{0, 0, 8}, {1, 1, 9}, {2, 0, 12}}},
      {Count::like_5710, {{0, 0, 8}, {1, 2, 9}}},
      {Count::like_5530, {{0, 0, 8}, {1, 4, 10}, {2, 0, 11}}},
      {Count::like_6210, {{0, 0, 8}, {2, 0, 10}}},
      {Count::like_6018, {{0, 0, 9}, {1, 1, 10}}},
      {Count::like_6014, {{0, 0, 9}, {1, 2, 10}}},
      {Count::like_5580, {{0, 0, 9}, {2, 0, 11}, {2, 6, 13}}},
  };
  // clang-format on
  return k_counts;
}

// The band the backup's version falls in: the last whose version it reaches.
template <class Bands>
const auto& band_of(const Bands& bands, const R& backup) {
  const auto* chosen = &bands.front();
  for (std::size_t index = 1; index < bands.size(); ++index) {
    if (backup.compareVersionUpToMinorWithMajor_Minor(bands[index].major, bands[index].minor) >= 0) {
      chosen = &bands[index];
    }
  }
  return *chosen;
}

// The rows the product defines for the backup's version and the FM flag.
std::vector<Row> defined_rows(const RestoreTableContext& context) {
  const Rows set = device_data::product_facts(context.product).restore_table_rows;
  for (const Entry& entry : row_entries()) {
    if (entry.set != set) continue;
    const Band& band = band_of(entry.bands, *context.backup);
    std::vector<Row> rows = band.rows;
    if (band.fm_station_guide_only_while_fm_shown && context.fmRadioShowAndHide == k_fm_hidden) {
      std::erase_if(rows, [](const Row& row) { return row.label.name() == N::FMStationGuide; });
    }
    return rows;
  }
  return {};
}

std::string option_text(const Options& options, int64_t value) {
  if (value >= 0 && value < static_cast<int64_t>(options.texts.size())) {
    return options.texts[static_cast<std::size_t>(value)];
  }
  return options.otherwise ? std::string(options.otherwise) : std::to_string(value);
}

std::string value_text(const Row& row, int32_t raw, int language) {
  // in 64 bits: a damaged archive may hold any 32-bit value
  const int64_t value = raw;
  switch (row.rule) {
    case Rule::on_off:
      return value != 0 ? CommonTexts::vyla_string_enabled_in(language)
                        : CommonTexts::vyla_string_disabled_in(language);
    case Rule::off_is_1:
      return value == 1 ? CommonTexts::vyla_string_disabled_in(language)
                        : CommonTexts::vyla_string_enabled_in(language);
    case Rule::on_is_0:
      return value == 0 ? CommonTexts::vyla_string_enabled_in(language)
                        : CommonTexts::vyla_string_disabled_in(language);
    case Rule::number:
      return std::to_string(value);
    case Rule::number_plus_1:
      return std::to_string(value + 1);
    case Rule::number_minus_1:
      return std::to_string(value - 1);
    case Rule::number_minus_7:
      return std::to_string(value - 7);
    case Rule::eleven_minus:
      return std::to_string(11 - value);
    case Rule::level:
      if (value == 0) return CommonTexts::vyla_string_disable_in(language);
      return value == 1 || value == 2 ? k_levels[value - 1] : k_levels[2];
    case Rule::list:
      return option_text(*row.options, value);
  }
  return {};
}

}  // namespace

int restore_table_row_count(const RestoreTableContext& context) {
  if (!context.backup) return 0;
  const Count set = device_data::product_facts(context.product).restore_table_count;
  for (const CountEntry& entry : count_entries()) {
    if (entry.set != set) continue;
    const bool fm_hidden = context.fmRadioShowAndHide == k_fm_hidden && !entry.counts_fm_hidden.empty();
    return band_of(fm_hidden ? entry.counts_fm_hidden : entry.counts, *context.backup).rows;
  }
  return 0;
}

std::optional<RestoreTableCell> restore_table_cell(const RestoreTableContext& context, int row) {
  if (!context.backup || row < 0) return std::nullopt;
  const std::vector<Row> rows = defined_rows(context);
  if (row >= static_cast<int>(rows.size())) return std::nullopt;
  const Row& definition = rows[static_cast<std::size_t>(row)];
  return RestoreTableCell{strings::setting_name(definition.label.name(), context.language),
                          value_text(definition, definition.getter(*context.backup, context.product),
                                     context.language)};
}

}  // namespace update
