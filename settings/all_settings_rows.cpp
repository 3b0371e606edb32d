#include "settings/all_settings_rows.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"
#include "session/app_state.h"
#include "strings/common_texts.h"
#include "strings/setting_items.h"

namespace settings {

namespace {

using R = FEXOBluetoothDeviceData;
using N = strings::SettingName;
using A = SettingAction;
using S = strings::ItemSet;
using Kind = RowKind;

// ---- how a row reads the working copy ----

// Every accessor as one shape: record and product id to the value.
using Reader = int (*)(const R&, int product);

template <int32_t (R::*F)() const>
int get(const R& record, int) {
  return (record.*F)();
}
// the language accessors that apply the language-pack rule of the product
template <int32_t (R::*F)(int32_t) const>
int get_for_device(const R& record, int product) {
  return (record.*F)(product);
}
template <int32_t (R::*F)(int) const, int Index>
int get_at(const R& record, int) {
  return (record.*F)(Index);
}

// Which value an on/off row shows as Enable, or how a pop-up row turns its
// value into the index of the item it selects.
enum class Shown {
  nonzero_on,       // 0 Disable, any other value Enable
  zero_on,          // 0 Enable, any other value Disable
  eight_off,        // the 50 family's code 8 (no accessory) Disable, any other Enable
  value,            // index = value
  minus_1,          // index = value - 1
  minus_8,          // index = value - 8: the 50 family's speaker code 8 is the first item
  ten_minus,        // index = 10 - value: level 10 is listed first
  ess_status,       // index = value 0..3, any other value 0
  ess_sensitivity,  // 1 Low, 2 Medium, 3 High, any other value Medium
};

// Item sets that change with another setting.
enum class ItemRule {
  fixed,
  // T6 while the 50 family's speaker accessory code names the accessory the
  // list is for, else T3
  t6_by_speaker_code,
  // T6 while the Ironvale speaker selection is 1, else T3
  t6_by_ironvale_speakers,
};

struct Items {
  constexpr Items() = default;
  constexpr Items(S set, ItemRule rule = ItemRule::fixed) : set(set), rule(rule) {}
  S set{};  // none for on/off rows
  ItemRule rule = ItemRule::fixed;
};

// A row's control is enabled while `reader` reads `value` (equal) or while it
// reads anything else (not equal); a row without a reader is always enabled.
struct Condition {
  Reader reader = nullptr;
  int value = 0;
  bool equal = true;
};
constexpr Condition while_is(Reader reader, int value) { return {reader, value, true}; }
constexpr Condition unless_is(Reader reader, int value) { return {reader, value, false}; }

enum class Info {
  shown,
  hidden,       // the recording sources and the remote's RTT row, which have no information text
  hidden_both,  // the mesh dock's rows: both information buttons of the cell
};

// A row of the table: the setting of the catalogue it shows and changes,
// read through one family's accessor. Its kind, label and items are the
// setting's entry, but where the row names them otherwise.
struct RowType {
  std::string_view name;
  A setting;
  Reader reads;
  Shown shown;
  Condition enabled;
  Info info;
  std::optional<N> label;
  std::optional<Items> items;

  constexpr RowType labelled(N other) const {
    RowType copy = *this;
    copy.label = other;
    return copy;
  }
  constexpr RowType listing(Items other) const {
    RowType copy = *this;
    copy.items = other;
    return copy;
  }
};

constexpr RowType row(std::string_view name, A setting, Reader reads, Shown shown, Condition enabled = {},
                      Info info = Info::shown) {
  return RowType{name, setting, reads, shown, enabled, info, std::nullopt, std::nullopt};
}

Kind kind_of(const RowType& type) {
  return device_data::setting_entry(type.setting).kind == device_data::SettingKind::on_off ? Kind::on_off
                                                                                          : Kind::pop_up;
}
N label_of(const RowType& type) { return type.label.value_or(device_data::setting_entry(type.setting).label); }
Items items_of(const RowType& type) {
  if (type.items) return *type.items;
  return Items{device_data::setting_entry(type.setting).items.value_or(S{})};
}

// ---- the row types ----
// The name is the label, with the accessor family in brackets where one label
// has several types, and /Tn where one family offers two item sets.
constexpr RowType k_row_types[] = {
    row("Ambient Hush Control™ [LM6]", A::AmbientHushControl, &get<&R::getBasicSettingLM6AmbientHushControl>,
        Shown::nonzero_on),
    row("Audio Boost [LM6]", A::AudioBoost, &get<&R::getBasicSettingLM6AudioBoost>, Shown::nonzero_on,
        while_is(&get<&R::getBasicSettingLM6HDSpeakerAccessory>, 0)),
    row("Audio Braiding™ [LM6]", A::AudioBraiding, &get<&R::getBasicSettingLM6AudioBraiding>, Shown::nonzero_on),
    row("Audio Equalizer [LM6/T3]", A::AudioEqualizer, &get<&R::getBasicSettingLM6AudioEqualizer>, Shown::value,
        while_is(&get<&R::getBasicSettingLM6HDSpeakerAccessory>, 1)),
    row("Audio Equalizer [LM6/T6]", A::AudioEqualizer, &get<&R::getBasicSettingLM6AudioEqualizer>, Shown::value,
        while_is(&get<&R::GetBasicSettingLM6IronvaleSpeakerAccessorySelect>, 1))
        .listing(S::T6),
    row("Audio Veneer Volume Management [LM6]", A::NavigationAppOverlay,
        &get<&R::getBasicSettingLM6NavigationAppOverlay>, Shown::nonzero_on,
        while_is(&get<&R::getBasicSettingLM6AudioBraiding>, 1))
        .labelled(N::AudioVeneerVolumeManagement),
    row("Eight-way Intercom", A::EightWayIntercom, &get<&R::getBasicSettingLM6EightWayIntercom>, Shown::nonzero_on),
    row("FM Station Guide [LM6]", A::FMStationGuide, &get<&R::getBasicSettingLM6FMStationGuide>, Shown::nonzero_on),
    row("HD Intercom [LM6]", A::HDIntercom, &get<&R::getBasicSettingLM6HDIntercom>, Shown::nonzero_on),
    row("HD Speaker Accessory [LM6]", A::HDSpeakerAccessory, &get<&R::getBasicSettingLM6HDSpeakerAccessory>,
        Shown::nonzero_on),
    row("Intercom-audio Veneer Sensi... [LM6]", A::AudioBraidingSensitivity,
        &get<&R::getBasicSettingLM6AudioBraidingSensitivity>, Shown::ten_minus,
        while_is(&get<&R::getBasicSettingLM6AudioBraiding>, 1))
        .labelled(N::IntercomAudioVeneerSensitivityCut),
    row("Motion Sensor Sensitivity", A::MotionSensorSensitivity, &get<&R::getBasicSettingLM6MotionSensorSensitivity>,
        Shown::minus_1),
    row("Navigation App Support", A::NavigationAppOverlay, &get<&R::getBasicSettingLM6NavigationAppOverlay>,
        Shown::nonzero_on, while_is(&get<&R::getBasicSettingLM6AudioBraiding>, 1)),
    row("Sidetone [LM6]", A::Sidetone, &get<&R::getBasicSettingLM6Sidetone>, Shown::nonzero_on),
    row("Smart Volume Control [LM6]", A::SmartVolumeControl, &get<&R::getBasicSettingLM6SmartVolumeControl>,
        Shown::value),
    row("Speakers [LM6]", A::SpeakerSelect, &get<&R::GetBasicSettingLM6IronvaleSpeakerAccessorySelect>, Shown::value)
        .listing(S::T11),
    row("VOX Phone [LM6]", A::HVOX, &get<&R::getBasicSettingLM6VOXPhone>, Shown::nonzero_on),
    row("Voice Command [LM6]", A::VoiceCommand, &get<&R::GetBasicSettingLM6VoiceCommand>, Shown::nonzero_on),
    row("Voice Prompt [LM6]", A::VoicePrompt, &get<&R::getBasicSettingLM6VoicePrompt>, Shown::nonzero_on),
    row("White LED Always On", A::LEDControl, &get<&R::getBasicSettingLM6LEDControl>, Shown::nonzero_on),
    row("Ambient Hush Control™ [ND4]", A::AmbientHushControl, &get<&R::GetBasicSettingND4AmbientHushControl>,
        Shown::zero_on),
    row("Audio Boost [ND4]", A::AudioBoost, &get<&R::GetBasicSettingND4AudioBoost>, Shown::zero_on),
    row("Audio Equalizer [ND4]", A::AudioEqualizer, &get<&R::GetBasicSetting30Equalizer>, Shown::value,
        while_is(&get<&R::GetBasicSettingND4HDSpeakerAccessory>, 1)),
    row("Audio Veneer Volume Management [ND4]", A::AudioVeneerVolumeManagement,
        &get<&R::GetBasicSettingND4AudioVeneerVolumeManagement>, Shown::nonzero_on),
    row("Bluetooth Intercom Audio Braiding™", A::AudioVeneer, &get<&R::GetBasicSettingND4AudioVeneer>,
        Shown::nonzero_on),
    row("FM Station Guide [ND4]", A::FMStationGuide, &get<&R::GetBasicSettingND4FMStationGuide>, Shown::nonzero_on),
    row("Guest Mode", A::MeshGuestMode, &get<&R::GetBasicSettingND4MeshGuestMode>, Shown::nonzero_on),
    row("HD Intercom [ND4]", A::HDIntercom, &get<&R::GetBasicSettingND4HDIntercom>, Shown::nonzero_on),
    row("HD Speaker Accessory [ND4]", A::HDSpeakerAccessory, &get<&R::GetBasicSettingND4HDSpeakerAccessory>,
        Shown::nonzero_on),
    row("Headset Language [ND4]", A::UnitLanguage, &get<&R::GetBasicSettingND4UnitLanguage>, Shown::value)
        .labelled(N::HeadsetLanguage),
    row("High Quality A2DP [ND4]", A::BitpoolRate, &get<&R::GetBasicSettingND4HighQulityA2DP>, Shown::nonzero_on),
    row("Intercom-audio Veneer Sensi... [ND4]", A::AudioBraidingSensitivity,
        &get<&R::GetBasicSettingND4AudioVeneerSensitivity>, Shown::minus_1)
        .labelled(N::IntercomAudioVeneerSensitivityCut)
        .listing(S::T5),
    row("Sidetone [ND4]", A::Sidetone, &get<&R::GetBasicSettingND4Sidetone>, Shown::nonzero_on),
    row("Smart Volume Control [ND4]", A::AGCSensitivity, &get<&R::GetBasicSettingND4AGCSensitivity>, Shown::value),
    row("Unit Language [ND4]", A::UnitLanguage, &get<&R::GetBasicSettingND4UnitLanguage>, Shown::value),
    row("VOX Intercom [ND4]", A::IVOX, &get<&R::GetBasicSettingND4VOXIntercom>, Shown::nonzero_on),
    row("VOX Phone [ND4]", A::HVOX, &get<&R::GetBasicSettingND4VOXPhone>, Shown::nonzero_on),
    row("VOX Sensitivity [ND4]", A::VOXSensitivity, &get<&R::GetBasicSettingND4VoxSensitivity>, Shown::minus_1),
    row("Voice Command [ND4]", A::VoiceCommand, &get<&R::GetBasicSettingND4VoiceCommand>, Shown::nonzero_on),
    row("Voice Prompt [ND4]", A::VoicePrompt, &get<&R::GetBasicSettingND4VoicePrompt>, Shown::zero_on),
    row("Audio Equalizer [WQ8]", A::AudioEqualizer, &get<&R::GetBasicSetting50Equalizer>, Shown::value)
        .listing(Items{S::T3, ItemRule::t6_by_speaker_code}),
    row("Audio Equalizer [WQ8/T3]", A::AudioEqualizer, &get<&R::GetBasicSetting50Equalizer>, Shown::value),
    row("Audio Equalizer [WQ8/T6]", A::AudioEqualizer, &get<&R::GetBasicSetting50Equalizer>, Shown::value)
        .listing(S::T6),
    row("HD Voice [WQ8]", A::HDVoice, &get<&R::GetBasicSettingWQ8HDVoice>, Shown::nonzero_on),
    row("Speakers [WQ8]", A::SpeakerSelect, &get<&R::GetBasicSetting50SpeakerAccessorySelect>, Shown::minus_8),
    row("Velmont Acoustics Mic", A::MicSelect, &get<&R::GetBasicSetting50MicAccessorySelect>, Shown::eight_off),
    row("Audio Equalizer [Ironvale]", A::AudioEqualizer, &get<&R::GetBasicSetting30Equalizer>, Shown::value,
        unless_is(&get<&R::GetBasicSettingIronvaleSpeakerAccessorySelect>, 0))
        .listing(Items{S::T3, ItemRule::t6_by_ironvale_speakers}),
    row("Speakers [Ironvale]", A::SpeakerSelect, &get<&R::GetBasicSettingIronvaleSpeakerAccessorySelect>, Shown::value)
        .listing(S::T24),
    row("Audio Equalizer [QCC]", A::AudioEqualizer, &get<&R::GetBasicSettingQCCAudioEqualizer>, Shown::value),
    row("Audio Veneer Volume Management [QCC]", A::AudioVeneerVolumeManagement,
        &get<&R::GetBasicSettingQCCAudioVeneerVolumeManagement>, Shown::nonzero_on),
    row("HD Voice [QCC]", A::HDVoice, &get<&R::GetBasicSettingQCCHDVoice>, Shown::nonzero_on),
    row("Intercom-audio Veneer Sensi... [QCC]", A::AudioBraidingSensitivity,
        &get<&R::GetBasicSettingQCCAudioVeneerSensitivity>, Shown::minus_1)
        .labelled(N::IntercomAudioVeneerSensitivityCut)
        .listing(S::T5),
    row("VOX Sensitivity [QCC]", A::VOXSensitivity, &get<&R::GetBasicSettingQCCVOXSensitivity>, Shown::minus_1),
    row("Audio Equalizer [Airoha]", A::AudioEqualizer, &get<&R::GetBasicSettingAirohaAudioEqualizer>, Shown::value),
    row("Audio Veneer Volume Management [Airoha]", A::AudioVeneerVolumeManagement,
        &get<&R::GetBasicSettingAirohaAudioVeneerVolumeManagement>, Shown::nonzero_on),
    row("Headset Language [Airoha/T14]", A::UnitLanguage, &get<&R::GetBasicSettingAirohaUnitLanguage>, Shown::value)
        .labelled(N::HeadsetLanguage)
        .listing(S::T14),
    row("Headset Language [Airoha/T16]", A::UnitLanguage, &get<&R::GetBasicSettingAirohaUnitLanguage>, Shown::value)
        .labelled(N::HeadsetLanguage)
        .listing(S::T16),
    row("Headset Language [Airoha/T2]", A::UnitLanguage, &get<&R::GetBasicSettingAirohaUnitLanguage>, Shown::value)
        .labelled(N::HeadsetLanguage),
    row("Intercom-audio Veneer Sensi... [Airoha]", A::AudioBraidingSensitivity,
        &get<&R::GetBasicSettingAirohaIntercomAudioVeneerSensitivity>, Shown::value)
        .labelled(N::IntercomAudioVeneerSensitivityCut)
        .listing(S::T5),
    row("VOX Phone [Airoha]", A::HVOX, &get<&R::GetBasicSettingAirohaVOXPhone>, Shown::nonzero_on),
    row("VOX Sensitivity [Airoha]", A::VOXSensitivity, &get<&R::GetBasicSettingAirohaVoxSensitivity>, Shown::value),
    row("Voice Prompt [Airoha]", A::VoicePrompt, &get<&R::GetBasicSettingAirohaVoicePrompt>, Shown::nonzero_on),
    row("HD Speaker Accessory [HID]", A::HDSpeakerAccessory, &get<&R::getBasicSettingHIDOneModuleHDSpeakerAccessory>,
        Shown::nonzero_on),
    row("HD Speaker Accessory [Qorlan]", A::QorlanHDSPeakerAccessory, &get<&R::GetBasicSettingQorlanHDSpeakerAccessory>,
        Shown::nonzero_on),
    row("Unit Language [Qorlan/T14]", A::UnitLanguage, &get_for_device<&R::GetBasicSettingQorlanUnitLanguage>,
        Shown::value)
        .listing(S::T14),
    row("Unit Language [Qorlan/T15]", A::UnitLanguage, &get_for_device<&R::GetBasicSettingQorlanUnitLanguage>,
        Shown::value)
        .listing(S::T15),
    row("Unit Language [Qorlan/T16]", A::UnitLanguage, &get_for_device<&R::GetBasicSettingQorlanUnitLanguage>,
        Shown::value)
        .listing(S::T16),
    row("Audio Equalizer [HB6]", A::AudioEqualizer, &get<&R::GetBasicSettingHB6Equalizer>, Shown::value),
    row("Headset Language [HB6]", A::UnitLanguage, &get_for_device<&R::GetBasicSettinghb6UnitLanguage>, Shown::value)
        .labelled(N::HeadsetLanguage),
    row("Unit Language [HB6/T14]", A::UnitLanguage, &get_for_device<&R::GetBasicSettinghb6UnitLanguage>, Shown::value)
        .listing(S::T14),
    row("Unit Language [HB6/T16]", A::UnitLanguage, &get_for_device<&R::GetBasicSettinghb6UnitLanguage>, Shown::value)
        .listing(S::T16),
    row("Unit Language [HB6/T2]", A::UnitLanguage, &get_for_device<&R::GetBasicSettinghb6UnitLanguage>, Shown::value),
    row("Headset Language [TORNIK]", A::UnitLanguage, &get_for_device<&R::GetBasicSettingTORNIKUnitLanguage>,
        Shown::value)
        .labelled(N::HeadsetLanguage),
    row("Unit Language [DK5X]", A::UnitLanguage, &get<&R::GetBasicSettingDK5XUnitLanguage>, Shown::value),
    row("Unit Language [TJ6]", A::UnitLanguage, &get<&R::GetBasicSettingTJ6UnitLanguage>, Shown::value).listing(S::T13),
    row("Channel Setting", A::MeshPublicChannel, &get<&R::GetBasicSettingDK3MorrimMeshPublicChannel>, Shown::minus_1),
    row("Channel Select", A::MeshPublicChannel, &get<&R::GetBasicSettingVelandraMeshPublicChannel>, Shown::value)
        .labelled(N::ChannelSelect)
        .listing(S::T12),
    // no information text exists for the remote's RTT setting
    row("Remote UI RTT", A::RemoteUIPTT, &get<&R::GetBasicSettingVelandraRemoteUIPTT>, Shown::zero_on, {},
        Info::hidden),
    row("Channel", A::Channel, &get_at<&R::basicSettingNetdockChannelAt, 0>, Shown::minus_1, {}, Info::hidden_both),
    row("Volume", A::Volume, &get_at<&R::basicSettingNetdockVolumeAt, 1>, Shown::minus_8, {}, Info::hidden_both),
    row("VOX Sensitivity [KR5/T22]", A::VOXSensitivity, &get_at<&R::basicSettingKR5VOXSensitivityAt, 0>, Shown::minus_1)
        .listing(S::T22),
    row("VOX Sensitivity [KR5/T5]", A::VOXSensitivity, &get_at<&R::basicSettingKR5VOXSensitivityAt, 0>, Shown::minus_1),
    row("Smart Volume Control [TJ4]", A::SmartVolumeControl, &get_at<&R::basicSettingTJ4SmartVolumeControlAt, 0>,
        Shown::value),
    row("Auto Camera Sleep", A::AutoCameraSleep, &get<&R::getBasicSettingVT4CameraAutoCameraSleep>, Shown::nonzero_on),
    row("Date Caption", A::DateCaption, &get<&R::getBasicSettingVT4CameraDateCaption>, Shown::nonzero_on),
    row("Loop Recording Interval", A::LoopRecordingInterval, &get<&R::getBasicSettingVT4CameraLoopRecordingInterval>,
        Shown::value),
    row("Photo Mode", A::PhotoMode, &get<&R::getBasicSettingVT4CameraPhotoMode>, Shown::value),
    row("Speaker Sound Recording", A::SpeakerSoundRecording, &get<&R::getBasicSettingVT4CameraSpeakerSoundRecording>,
        Shown::nonzero_on),
    row("Timelapse Interval", A::TimelapseInterval, &get<&R::getBasicSettingVT4CameraTimelapseInterval>, Shown::value),
    row("Video Microphone Gain", A::VideoMicrophoneGain, &get<&R::getBasicSettingVT4CameraVideoMicrophoneGain>,
        Shown::value),
    row("Video Mode [VT4/T18]", A::VideoMode, &get<&R::getBasicSettingVT4CameraVideoMode>, Shown::value),
    row("Video Mode [VT4/T23]", A::VideoMode, &get<&R::getBasicSettingVT4CameraVideoMode>, Shown::value)
        .listing(S::T23),
    row("Video Resolution", A::VideoResolution, &get<&R::getBasicSettingVT4CameraVideoResolution>, Shown::value),
    row("Video Tagging Interval", A::VideoTaggingInterval, &get<&R::getBasicSettingVT4CameraVideoTaggingInterval>,
        Shown::value),
    row("▶ FM Radio", A::SpeakerSoundRecordingFMRadio, &get<&R::getBasicSettingVT4CameraSpeakerSoundRecordingFMRadio>,
        Shown::nonzero_on, while_is(&get<&R::getBasicSettingVT4CameraSpeakerSoundRecording>, 1), Info::hidden),
    row("▶ Intercom", A::SpeakerSoundRecordingIntercom, &get<&R::getBasicSettingVT4CameraSpeakerSoundRecordingIntercom>,
        Shown::nonzero_on, while_is(&get<&R::getBasicSettingVT4CameraSpeakerSoundRecording>, 1), Info::hidden),
    row("▶ Music", A::SpeakerSoundRecordingMusic, &get<&R::getBasicSettingVT4CameraSpeakerSoundRecordingMusic>,
        Shown::nonzero_on, while_is(&get<&R::getBasicSettingVT4CameraSpeakerSoundRecording>, 1), Info::hidden),
    row("▶ Phone", A::SpeakerSoundRecordingPhone, &get<&R::getBasicSettingVT4CameraSpeakerSoundRecordingPhone>,
        Shown::nonzero_on, while_is(&get<&R::getBasicSettingVT4CameraSpeakerSoundRecording>, 1), Info::hidden),
    row("ESS Configuration", A::ESSStatus, &get<&R::getEssStatus>, Shown::ess_status),
    row("ESS Sensitivity", A::ESSSensitivity, &get<&R::getEssSensitivity>, Shown::ess_sensitivity),
    row("Advanced features", A::UILayer, &get<&R::GetBasicSettingUILayer>, Shown::nonzero_on),
    row("Voice Assistant", A::VoiceAssistant, &get<&R::GetBasicSettingVoiceAssistant>, Shown::zero_on),
    row("AUTO OFF", A::AutoOff, &get<&R::autoOff>, Shown::nonzero_on),
    row("Ambient Hush Control™ [record]", A::AmbientHushControl, &get<&R::ambientHushControl>, Shown::zero_on),
    row("Audio Boost [record]", A::AudioBoost, &get<&R::audioBoost>, Shown::zero_on),
    row("Audio Braiding", A::AudioVeneer, &get<&R::audioVeneer>, Shown::nonzero_on).labelled(N::AudioBraidingPlain),
    row("Audio Braiding™ [record]", A::AudioVeneer, &get<&R::audioVeneer>, Shown::nonzero_on)
        .labelled(N::AudioBraiding),
    row("Audio Source Priority", A::AudioSourcePriority, &get<&R::audioSourcePriority>, Shown::value,
        unless_is(&get<&R::audioVeneer>, 1)),
    row("Audio Veneer™", A::AudioVeneer, &get<&R::audioVeneer>, Shown::nonzero_on).labelled(N::AudioVeneer),
    row("Auto On-Off", A::AutoOnOff, &get<&R::autoOnOff>, Shown::nonzero_on),
    row("Auto Start Recording", A::AutoStartRecording, &get<&R::autoStartRecording>, Shown::zero_on),
    row("FM Station Guide [record]", A::FMStationGuide, &get<&R::fmStationGuide>, Shown::nonzero_on),
    row("HD Intercom [record]", A::HDIntercom, &get<&R::hdIntercom>, Shown::nonzero_on,
        unless_is(&get<&R::audioVeneer>, 1)),
    row("HD Voice [record]", A::HDVoice, &get<&R::hdVoice>, Shown::nonzero_on, unless_is(&get<&R::audioVeneer>, 1)),
    row("High Quality A2DP [record]", A::BitpoolRate, &get<&R::bitpoolRate>, Shown::nonzero_on),
    row("Language", A::UnitLanguage, &get<&R::Y370Language>, Shown::value).labelled(N::Language).listing(S::T27),
    row("Sidetone [record]", A::Sidetone, &get<&R::sidetone>, Shown::nonzero_on),
    row("Simple Mode", A::SimpleUI, &get<&R::simpleUI>, Shown::nonzero_on),
    row("Smart Navi System", A::SmartNaviSystem, &get<&R::smartNaviSystem>, Shown::nonzero_on),
    row("Smart Navi System [2]", A::SmartNaviSystem2, &get<&R::smartNaviSystem2>, Shown::nonzero_on),
    row("VOX Intercom [record]", A::IVOX, &get<&R::intercomVOX>, Shown::nonzero_on),
    row("VOX Phone [record]", A::HVOX, &get<&R::handsfreeVOX>, Shown::nonzero_on),
    row("Voice Prompt [record]", A::VoicePrompt, &get<&R::voicePrompt>, Shown::zero_on),
};

constexpr int k_row_type_count = static_cast<int>(std::size(k_row_types));

// ---- the lists ----
// Each list in display order. A name without brackets is the type of the
// list's family when there is one ("Audio Boost" in an LM6 list is "Audio
// Boost [LM6]"), else the type of that name; "/Tn" is the family's item-set
// variant; "Ln without X" is list n with row X left out.
struct ListText {
  int number;
  std::string_view family;
  int rows;
  std::string_view text;
};

constexpr ListText k_list_texts[] = {
    {1, "LM6", 13,
     "Audio Braiding™; Intercom-audio Veneer Sensi...; Audio Veneer Volume Management; Audio Boost; "
     "Smart Volume Control; VOX Phone; HD Intercom; Eight-way Intercom; Voice Prompt; FM Station Guide; Sidetone; "
     "Ambient Hush Control™; Voice Command"},
    {2, "record", 3, "Voice Prompt; FM Station Guide; Ambient Hush Control™"},
    {3, "record", 2, "L2 without FM Station Guide"},
    {4, "record", 2, "L2 without Ambient Hush Control™"},
    {5, "record", 1, "L3 without Ambient Hush Control™"},
    {6, "record", 4, "Unit Language [HB6/T2]; Voice Prompt; FM Station Guide; Sidetone"},
    {7, "record", 3, "L6 without FM Station Guide"},
    {8, "HB6", 2, "Headset Language; Voice Prompt [record]"},
    {9, "ND4", 18,
     "Unit Language; VOX Phone; VOX Intercom; Bluetooth Intercom Audio Braiding™; HD Intercom; Voice Prompt; "
     "High Quality A2DP; Sidetone; Ambient Hush Control™; FM Station Guide; VOX Sensitivity; "
     "Smart Volume Control; Audio Veneer Volume Management; Intercom-audio Veneer Sensi...; Voice Command; "
     "Audio Boost; HD Speaker Accessory; Audio Equalizer"},
    {10, "ND4", 15,
     "Audio Boost; VOX Phone; VOX Intercom; HD Intercom; Voice Prompt; High Quality A2DP; Sidetone; "
     "Ambient Hush Control™; FM Station Guide; Guest Mode; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi...; Voice Command"},
    {11, "ND4", 17,
     "Unit Language; Audio Boost; VOX Phone; VOX Intercom; Bluetooth Intercom Audio Braiding™; HD Intercom; "
     "Voice Prompt; High Quality A2DP; Sidetone; Ambient Hush Control™; FM Station Guide; Guest Mode; "
     "VOX Sensitivity; Smart Volume Control; Audio Veneer Volume Management; Intercom-audio Veneer Sensi...; "
     "Voice Command"},
    {12, "ND4", 16, "L11 without Guest Mode"},
    {13, "ND4", 17, "L9 without FM Station Guide"},
    {14, "ND4", 16, "L11 without Unit Language"},
    {15, "ND4", 17,
     "VOX Phone; VOX Intercom; Bluetooth Intercom Audio Braiding™; HD Intercom; Voice Prompt; High Quality A2DP; "
     "Sidetone; Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi...; Voice Command; Audio Boost; "
     "Speakers [Ironvale]; Audio Equalizer [Ironvale]"},
    {16, "ND4", 17, "L9 without Unit Language"},
    {17, "ND4", 15, "L12 without Unit Language"},
    {18, "ND4", 10,
     "Unit Language; Audio Boost; VOX Phone; HD Intercom; Voice Prompt; Ambient Hush Control™; FM Station Guide; "
     "VOX Sensitivity; Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {19, "ND4", 5, "Unit Language; Voice Prompt; Sidetone; FM Station Guide; Voice Command"},
    {20, "ND4", 4, "L19 without FM Station Guide"},
    {21, "ND4", 5, "Channel Setting; Voice Prompt; Sidetone; Ambient Hush Control™; FM Station Guide"},
    {22, "ND4", 4, "L21 without FM Station Guide"},
    {23, "ND4", 17,
     "Unit Language; Audio Equalizer [WQ8]; Audio Boost; VOX Phone; VOX Intercom; "
     "Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Assistant; Voice Prompt; Sidetone; "
     "Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {24, "ND4", 19,
     "Unit Language; Velmont Acoustics Mic; Speakers [WQ8]; Audio Equalizer [WQ8]; Audio Boost; VOX Phone; "
     "VOX Intercom; Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Assistant; "
     "Voice Prompt; Sidetone; Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {25, "ND4", 15,
     "Unit Language; Audio Equalizer [WQ8/T3]; VOX Phone; VOX Intercom; Bluetooth Intercom Audio Braiding™; "
     "HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; Ambient Hush Control™; FM Station Guide; "
     "VOX Sensitivity; Smart Volume Control; Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {26, "ND4", 5,
     "Unit Language; Sidetone; FM Station Guide; Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {27, "ND4", 17,
     "Unit Language; Audio Equalizer [WQ8/T6]; Audio Boost; VOX Phone; VOX Intercom; "
     "Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Assistant; Voice Prompt; Sidetone; "
     "Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {28, "ND4", 3, "Unit Language [DK5X]; Voice Prompt; FM Station Guide"},
    {29, "DK5X", 2, "Unit Language; Voice Prompt [ND4]"},
    {30, "ND4", 15,
     "Unit Language; Audio Equalizer [WQ8/T6]; VOX Phone; VOX Intercom; Bluetooth Intercom Audio Braiding™; "
     "HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; Ambient Hush Control™; FM Station Guide; "
     "VOX Sensitivity; Smart Volume Control; Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {31, "Velandra", 3, "Channel Select; Unit Language [DK5X]; Remote UI RTT"},
    {32, "ND4", 17,
     "Unit Language [TJ6]; Audio Equalizer [WQ8/T3]; Audio Boost; VOX Phone; VOX Intercom; "
     "Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Assistant; Voice Prompt; Sidetone; "
     "Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {33, "ND4", 16,
     "Headset Language; Velmont Acoustics Mic; Speakers [WQ8]; Audio Equalizer [WQ8]; VOX Phone; VOX Intercom; "
     "Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; "
     "Ambient Hush Control™; VOX Sensitivity; Smart Volume Control; Audio Veneer Volume Management; "
     "Intercom-audio Veneer Sensi..."},
    {34, "ND4", 14,
     "Headset Language; Audio Equalizer [WQ8]; VOX Phone; VOX Intercom; Bluetooth Intercom Audio Braiding™; "
     "HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; Ambient Hush Control™; VOX Sensitivity; "
     "Smart Volume Control; Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {35, "ND4", 15,
     "Headset Language; Audio Equalizer [WQ8]; VOX Phone; VOX Intercom; Bluetooth Intercom Audio Braiding™; "
     "HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; Ambient Hush Control™; FM Station Guide; "
     "VOX Sensitivity; Smart Volume Control; Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {36, "ND4", 17,
     "Headset Language; Velmont Acoustics Mic; Speakers [WQ8]; Audio Equalizer [WQ8]; VOX Phone; VOX Intercom; "
     "Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; "
     "Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {37, "ND4", 16,
     "Headset Language; Audio Boost; HD Speaker Accessory; Audio Equalizer [WQ8]; VOX Phone; VOX Intercom; "
     "Bluetooth Intercom Audio Braiding™; HD Intercom; Voice Prompt; Sidetone; Ambient Hush Control™; "
     "FM Station Guide; VOX Sensitivity; Smart Volume Control; Audio Veneer Volume Management; "
     "Intercom-audio Veneer Sensi..."},
    {38, "ND4", 14,
     "Headset Language; Audio Equalizer [WQ8/T3]; VOX Phone; VOX Intercom; HD Intercom; HD Voice [WQ8]; "
     "Voice Prompt; Sidetone; Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {39, "record", 11,
     "Unit Language [HB6/T2]; Audio Equalizer [HB6]; VOX Phone; VOX Intercom; Audio Braiding™; "
     "Audio Source Priority; HD Voice; HD Intercom; Voice Prompt; Sidetone; Ambient Hush Control™"},
    {40, "ND4", 17,
     "Unit Language [Qorlan/T14]; HD Speaker Accessory [Qorlan]; Audio Equalizer [WQ8/T3]; VOX Phone; "
     "VOX Intercom; Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; "
     "Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi...; Advanced features"},
    {41, "ND4", 17,
     "Unit Language [Qorlan/T15]; HD Speaker Accessory [Qorlan]; Audio Equalizer [WQ8/T3]; VOX Phone; "
     "VOX Intercom; Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; "
     "Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi...; Advanced features"},
    {42, "ND4", 16, "L40 without HD Speaker Accessory [Qorlan]"},
    {43, "ND4", 16,
     "Unit Language [Qorlan/T16]; Audio Equalizer [WQ8/T3]; VOX Phone; VOX Intercom; "
     "Bluetooth Intercom Audio Braiding™; HD Intercom; HD Voice [WQ8]; Voice Prompt; Sidetone; "
     "Ambient Hush Control™; FM Station Guide; VOX Sensitivity; Smart Volume Control; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi...; Advanced features"},
    {44, "record", 11,
     "HD Speaker Accessory [Qorlan]; Audio Equalizer [HB6]; VOX Phone; VOX Intercom; Audio Braiding™; "
     "Audio Source Priority; HD Voice; HD Intercom; Unit Language [HB6/T14]; Voice Prompt; Advanced features"},
    {45, "record", 11,
     "HD Speaker Accessory [Qorlan]; Audio Equalizer [HB6]; VOX Phone; VOX Intercom; Audio Braiding™; "
     "Audio Source Priority; HD Voice; HD Intercom; Unit Language [HB6/T16]; Voice Prompt; Advanced features"},
    {46, "record", 10, "L44 without HD Speaker Accessory [Qorlan]"},
    {47, "record", 10, "L45 without HD Speaker Accessory [Qorlan]"},
    {48, "record", 8,
     "VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; HD Voice; HD Intercom; "
     "Headset Language [HB6]; Voice Prompt"},
    {49, "record", 9,
     "VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; HD Voice; HD Intercom; "
     "Headset Language [HB6]; Voice Prompt; FM Station Guide"},
    {50, "record", 6, "Audio Equalizer [HB6]; VOX Phone; HD Voice; HD Intercom; Headset Language [HB6]; Voice Prompt"},
    {51, "Netdock", 1, "Channel"},
    {52, "Netdock", 2, "Channel; Volume"},
    {53, "HB6", 1, "Unit Language /T2"},
    {54, "LM6", 15,
     "Audio Braiding™; Intercom-audio Veneer Sensi...; Navigation App Support; Smart Volume Control; "
     "Motion Sensor Sensitivity; VOX Phone; HD Intercom; Eight-way Intercom; Voice Prompt; FM Station Guide; "
     "Sidetone; Ambient Hush Control™; Audio Boost; HD Speaker Accessory; Audio Equalizer /T3"},
    {55, "LM6", 4, "VOX Phone; Sidetone; Audio Braiding™; Intercom-audio Veneer Sensi..."},
    {56, "LM6", 14, "L54 without Motion Sensor Sensitivity"},
    {57, "LM6", 13, "L56 without FM Station Guide"},
    {58, "LM6", 13,
     "Audio Braiding™; Intercom-audio Veneer Sensi...; Navigation App Support; Audio Boost; Smart Volume Control; "
     "Motion Sensor Sensitivity; VOX Phone; HD Intercom; Eight-way Intercom; Voice Prompt; FM Station Guide; "
     "Sidetone; Ambient Hush Control™"},
    {59, "LM6", 14, "L54 without FM Station Guide"},
    {60, "LM6", 15,
     "Audio Braiding™; Intercom-audio Veneer Sensi...; Navigation App Support; Smart Volume Control; "
     "Motion Sensor Sensitivity; VOX Phone; HD Intercom; Eight-way Intercom; Voice Prompt; FM Station Guide; "
     "Sidetone; Ambient Hush Control™; Audio Boost; Speakers; Audio Equalizer /T6"},
    {61, "LM6", 11,
     "Audio Braiding™; Intercom-audio Veneer Sensi...; Navigation App Support; Audio Boost; "
     "Motion Sensor Sensitivity; VOX Phone; HD Intercom; Eight-way Intercom; Voice Prompt; Sidetone; "
     "Ambient Hush Control™"},
    {62, "LM6", 6,
     "VOX Phone; Sidetone; Motion Sensor Sensitivity; Audio Braiding™; Intercom-audio Veneer Sensi...; "
     "Navigation App Support"},
    {63, "LM6", 12, "L1 without VOX Phone"},
    {64, "LM6", 14,
     "Audio Braiding™; Intercom-audio Veneer Sensi...; Audio Veneer Volume Management; Audio Boost; "
     "Smart Volume Control; VOX Phone; HD Intercom; Eight-way Intercom; Voice Prompt; FM Station Guide; Sidetone; "
     "Ambient Hush Control™; Voice Command; White LED Always On"},
    {65, "record", 12,
     "Audio Boost; Smart Volume Control [TJ4]; VOX Phone; VOX Intercom; Audio Veneer™; Audio Source Priority; "
     "HD Voice; HD Intercom; VOX Sensitivity [KR5/T5]; Voice Prompt; Sidetone; Ambient Hush Control™"},
    {66, "record", 8,
     "Audio Boost; Smart Volume Control [TJ4]; VOX Phone; Audio Veneer™; HD Voice; VOX Sensitivity [KR5/T5]; "
     "Voice Prompt; Sidetone"},
    {67, "record", 7, "L66 without HD Voice"},
    {68, "record", 13,
     "Audio Boost; Smart Volume Control [TJ4]; VOX Phone; VOX Intercom; Audio Veneer™; Audio Source Priority; "
     "HD Voice; HD Intercom; VOX Sensitivity [KR5/T5]; Voice Prompt; FM Station Guide; Sidetone; "
     "Ambient Hush Control™"},
    {69, "record", 12, "L68 without HD Voice"},
    {70, "record", 11, "L69 without Audio Veneer™"},
    {71, "record", 14,
     "Unit Language [HB6/T2]; Audio Boost; VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; "
     "HD Voice; HD Intercom; VOX Sensitivity [KR5/T5]; Smart Volume Control [TJ4]; Voice Prompt; "
     "FM Station Guide; Sidetone; Ambient Hush Control™"},
    {72, "record", 13, "L71 without FM Station Guide"},
    {73, "record", 13, "L71 without Unit Language [HB6/T2]"},
    {74, "record", 12, "L72 without Unit Language [HB6/T2]"},
    {75, "VT4", 25,
     "Audio Boost [record]; VOX Phone [record]; VOX Intercom [record]; Audio Braiding™ [record]; "
     "Audio Source Priority; HD Voice [record]; HD Intercom [record]; Voice Prompt [record]; "
     "FM Station Guide [record]; Sidetone [record]; Ambient Hush Control™ [record]; Photo Mode; Video Mode /T18; "
     "Video Resolution; Timelapse Interval; Video Tagging Interval; Loop Recording Interval; "
     "Video Microphone Gain; Date Caption; Speaker Sound Recording; ▶ Music; ▶ FM Radio; ▶ Intercom; ▶ Phone; "
     "Auto Camera Sleep"},
    {76, "VT4", 18,
     "Audio Boost [record]; VOX Phone [record]; VOX Intercom [record]; Voice Prompt [record]; "
     "High Quality A2DP [record]; Sidetone [record]; Ambient Hush Control™ [record]; Photo Mode; Video Mode /T23; "
     "Video Resolution; Timelapse Interval; Date Caption; Speaker Sound Recording; ▶ Music; ▶ FM Radio; "
     "▶ Intercom; ▶ Phone; Auto Camera Sleep"},
    {77, "VT4", 23,
     "Audio Boost [record]; VOX Phone [record]; VOX Intercom [record]; HD Intercom [record]; "
     "Voice Prompt [record]; FM Station Guide [record]; High Quality A2DP [record]; Sidetone [record]; "
     "Ambient Hush Control™ [record]; Photo Mode; Video Mode /T18; Video Resolution; Timelapse Interval; "
     "Video Tagging Interval; Loop Recording Interval; Video Microphone Gain; Date Caption; "
     "Speaker Sound Recording; ▶ Music; ▶ FM Radio; ▶ Intercom; ▶ Phone; Auto Camera Sleep"},
    {78, "VT4", 22, "L77 without FM Station Guide [record]"},
    {79, "record", 12, "L73 without Smart Volume Control [TJ4]"},
    {80, "record", 10,
     "Audio Boost; VOX Phone; VOX Intercom; HD Intercom; VOX Sensitivity [KR5/T5]; Voice Prompt; "
     "FM Station Guide; High Quality A2DP; Sidetone; Ambient Hush Control™"},
    {81, "record", 8,
     "Audio Boost; VOX Phone; VOX Intercom; VOX Sensitivity [KR5/T5]; Voice Prompt; High Quality A2DP; Sidetone; "
     "Ambient Hush Control™"},
    {82, "record", 11, "L74 without Smart Volume Control [TJ4]"},
    {83, "record", 9, "L80 without FM Station Guide"},
    {84, "record", 5, "Audio Boost; Voice Prompt; FM Station Guide; High Quality A2DP; Ambient Hush Control™"},
    {85, "record", 7,
     "Audio Boost; Audio Braiding™; Audio Source Priority; HD Voice; Voice Prompt; FM Station Guide; "
     "Ambient Hush Control™"},
    {86, "record", 4, "L84 without FM Station Guide"},
    {87, "record", 11, "L79 without VOX Sensitivity [KR5/T5]"},
    {88, "record", 10,
     "Audio Boost; VOX Phone; VOX Intercom; HD Voice; HD Intercom; Voice Prompt; FM Station Guide; "
     "High Quality A2DP; Sidetone; Ambient Hush Control™"},
    {89, "record", 8, "L83 without VOX Sensitivity [KR5/T5]"},
    {90, "record", 10, "L82 without VOX Sensitivity [KR5/T5]"},
    {91, "record", 12,
     "Audio Equalizer [HB6]; VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; HD Voice; "
     "HD Intercom; Headset Language [HB6]; Voice Prompt; FM Station Guide; Sidetone; Ambient Hush Control™"},
    {92, "record", 11, "L91 without FM Station Guide"},
    {93, "record", 6,
     "Audio Boost; HD Intercom; Voice Prompt; FM Station Guide; High Quality A2DP; Ambient Hush Control™"},
    {94, "record", 5, "Audio Equalizer [HB6]; HD Voice; Voice Prompt; FM Station Guide; Headset Language [TORNIK]"},
    {95, "record", 1, "L4 without Voice Prompt"},
    {96, "record", 13,
     "VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; HD Voice; HD Intercom; Voice Prompt; "
     "FM Station Guide; Sidetone; Ambient Hush Control™; Audio Boost; HD Speaker Accessory [HID]; "
     "Audio Equalizer [HB6]"},
    {97, "record", 12, "L96 without FM Station Guide"},
    {98, "record", 12,
     "Auto Start Recording; Audio Boost; VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; "
     "HD Voice; HD Intercom; Voice Prompt; FM Station Guide; Sidetone; Ambient Hush Control™"},
    {99, "record", 9, "L80 without VOX Sensitivity [KR5/T5]"},
    {100, "record", 10,
     "Audio Equalizer [HB6]; VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; HD Voice; "
     "HD Intercom; Headset Language [HB6]; Voice Prompt; FM Station Guide"},
    {101, "record", 9, "L100 without FM Station Guide"},
    {102, "record", 8, "L101 without Headset Language [HB6]"},
    {103, "record", 7, "L81 without VOX Sensitivity [KR5/T5]"},
    {104, "record", 12,
     "Audio Boost; Smart Volume Control [TJ4]; VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; "
     "HD Voice; HD Intercom; VOX Sensitivity [KR5/T22]; Voice Prompt; FM Station Guide; Ambient Hush Control™"},
    {105, "record", 9,
     "Audio Boost; Smart Volume Control [TJ4]; VOX Phone; VOX Intercom; HD Intercom; VOX Sensitivity [KR5/T22]; "
     "Voice Prompt; High Quality A2DP; Ambient Hush Control™"},
    {106, "record", 8, "L105 without VOX Sensitivity [KR5/T22]"},
    {107, "record", 11,
     "Audio Boost; VOX Phone; VOX Intercom; Audio Braiding™; Audio Source Priority; HD Voice; HD Intercom; "
     "VOX Sensitivity [KR5/T22]; Voice Prompt; Sidetone; Ambient Hush Control™"},
    {108, "record", 9,
     "Audio Boost; VOX Phone; VOX Intercom; HD Intercom; VOX Sensitivity [KR5/T22]; Voice Prompt; "
     "High Quality A2DP; Sidetone; Ambient Hush Control™"},
    {109, "record", 10,
     "Audio Boost; Smart Volume Control [TJ4]; VOX Phone; VOX Intercom; Audio Source Priority; HD Voice; "
     "HD Intercom; VOX Sensitivity [KR5/T22]; Voice Prompt; Ambient Hush Control™"},
    {110, "record", 12,
     "Smart Navi System; Audio Boost; VOX Phone; VOX Intercom; HD Intercom; VOX Sensitivity [KR5/T5]; "
     "Voice Prompt; High Quality A2DP; Sidetone; Ambient Hush Control™; ESS Configuration; ESS Sensitivity"},
    {111, "record", 11, "L110 without Smart Navi System"},
    {112, "record", 10,
     "Smart Navi System; Audio Boost; VOX Phone; VOX Intercom; HD Intercom; VOX Sensitivity [KR5/T5]; "
     "Voice Prompt; High Quality A2DP; Sidetone; Ambient Hush Control™"},
    {113, "record", 6,
     "Smart Navi System; VOX Phone; VOX Sensitivity [KR5/T5]; Voice Prompt; Sidetone; Ambient Hush Control™"},
    {114, "record", 11,
     "Audio Braiding; Smart Navi System; Auto On-Off; Audio Boost; VOX Phone; VOX Intercom; HD Intercom; "
     "VOX Sensitivity [KR5/T5]; Voice Prompt; Sidetone; Ambient Hush Control™"},
    {115, "record", 13,
     "Audio Braiding; Smart Navi System; Auto On-Off; Audio Boost; VOX Phone; VOX Intercom; HD Intercom; "
     "VOX Sensitivity [KR5/T5]; Voice Prompt; Sidetone; Ambient Hush Control™; ESS Configuration; ESS Sensitivity"},
    {116, "record", 11,
     "Audio Boost; HD Intercom; Sidetone; Ambient Hush Control™; Smart Navi System [2]; AUTO OFF; Simple Mode; "
     "VOX Phone; VOX Sensitivity [KR5/T5]; Voice Prompt; Language"},
    {117, "record", 8,
     "Audio Boost; VOX Phone; VOX Intercom; VOX Sensitivity [KR5/T5]; Voice Prompt; FM Station Guide; Sidetone; "
     "Ambient Hush Control™"},
    {118, "record", 10, "L87 without Sidetone"},
    {119, "record", 8, "L99 without Sidetone"},
    {120, "HB6", 2, "Unit Language /T2; Voice Prompt [record]"},
    {121, "record", 6, "Unit Language [HB6/T2]; VOX Phone; HD Voice; HD Intercom; Voice Prompt; Ambient Hush Control™"},
    {122, "record", 11, "L104 without Smart Volume Control [TJ4]"},
    {123, "QCC", 7,
     "Audio Equalizer; VOX Phone [ND4]; HD Voice; Voice Prompt [ND4]; VOX Sensitivity; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {124, "Airoha", 7,
     "Headset Language /T2; Audio Equalizer; VOX Phone; Voice Prompt; VOX Sensitivity; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {125, "Airoha", 2, "Headset Language /T2; Voice Prompt"},
    {126, "Airoha", 6, "L124 without Audio Equalizer"},
    {127, "Airoha", 7,
     "Headset Language /T14; Audio Equalizer; VOX Phone; Voice Prompt; VOX Sensitivity; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
    {128, "Airoha", 7,
     "Headset Language /T16; Audio Equalizer; VOX Phone; Voice Prompt; VOX Sensitivity; "
     "Audio Veneer Volume Management; Intercom-audio Veneer Sensi..."},
};

constexpr int k_list_count = static_cast<int>(std::size(k_list_texts));

// ---- the device table ----

struct Version {
  int major = 0;
  int minor = 0;
};

enum class Fm { any, shown, hidden };
enum class Speaker { any, known, other };
enum class Pack { any, type_0, type_2 };

// One choice of a product: list `list` from its firmware tier on (no tier:
// from the lowest version), under its flags. Within the tier the first pick
// whose flags hold decides; a flag not named holds for any value.
struct Pick {
  int list = 0;
  std::optional<Version> tier;
  Fm fm = Fm::any;
  Speaker speaker = Speaker::any;
  Pack pack = Pack::any;
  // the list's language row offers T15 in place of its own items
  bool t15 = false;

  // from firmware major.minor on
  Pick from(int major, int minor) const {
    return with([&](Pick& p) { p.tier = Version{major, minor}; });
  }
  Pick fm_shown() const {
    return with([](Pick& p) { p.fm = Fm::shown; });
  }
  Pick fm_hidden() const {
    return with([](Pick& p) { p.fm = Fm::hidden; });
  }
  // speaker type 0..7
  Pick speaker_known() const {
    return with([](Pick& p) { p.speaker = Speaker::known; });
  }
  Pick speaker_other() const {
    return with([](Pick& p) { p.speaker = Speaker::other; });
  }
  Pick pack_0() const {
    return with([](Pick& p) { p.pack = Pack::type_0; });
  }
  Pick pack_2() const {
    return with([](Pick& p) { p.pack = Pack::type_2; });
  }
  Pick language_items_t15() const {
    return with([](Pick& p) { p.t15 = true; });
  }

 private:
  template <class Change>
  Pick with(Change change) const {
    Pick copy = *this;
    change(copy);
    return copy;
  }
};
Pick L(int list) {
  Pick pick;
  pick.list = list;
  return pick;
}

using Set = device_data::AllSettingsSet;

// The choices of each all-settings set of the product catalogue.
struct SetRows {
  Set set;
  std::vector<Pick> picks;
};

const std::vector<SetRows>& set_table() {
  static const std::vector<SetRows> k_sets = {
      {Set::like_2030, {L(1)}},
      {Set::like_3030, {L(2)}},
      {Set::like_3032, {L(2).fm_shown(), L(3).fm_hidden()}},
      {Set::like_3050, {L(2).fm_shown(), L(3).fm_hidden(), L(4).from(1, 4).fm_shown(), L(5).from(1, 4).fm_hidden()}},
      {Set::like_3070, {L(6).fm_shown(), L(7).fm_hidden()}},
      {Set::like_3080, {L(7)}},
      {Set::like_3085, {L(8)}},
      {Set::like_3110,
       {L(10), L(14).from(1, 1), L(11).from(2, 1), L(12).from(3, 0), L(9).from(3, 1).fm_shown(),
        L(13).from(3, 1).fm_hidden()}},
      {Set::like_3112, {L(10), L(14).from(1, 1), L(17).from(3, 0), L(16).from(3, 1), L(15).from(3, 3)}},
      {Set::like_3114, {L(10), L(14).from(1, 1), L(17).from(3, 0)}},
      {Set::like_3116, {L(11), L(12).from(2, 0)}},
      {Set::like_3118, {L(18)}},
      {Set::like_3124, {L(19).fm_shown(), L(20).fm_hidden()}},
      {Set::like_3128, {L(21).fm_shown(), L(22).fm_hidden()}},
      {Set::like_3132, {L(25), L(23).from(1, 1).speaker_known(), L(24).from(1, 1).speaker_other()}},
      {Set::like_3140, {L(12)}},
      {Set::like_3142, {L(26)}},
      {Set::like_3146, {L(9)}},
      {Set::like_3148, {L(27)}},
      {Set::like_3150, {L(28).fm_shown(), L(29).fm_hidden()}},
      {Set::like_3152, {L(20)}},
      {Set::like_3156, {L(30)}},
      {Set::like_3161, {L(31)}},
      {Set::like_3170, {L(32)}},
      {Set::like_3211,
       {L(35).fm_shown().speaker_known(), L(36).fm_shown().speaker_other(), L(34).fm_hidden().speaker_known(),
        L(33).fm_hidden().speaker_other()}},
      {Set::like_3212, {L(23).speaker_known(), L(24).speaker_other()}},
      {Set::like_3214, {L(35).speaker_known(), L(36).speaker_other()}},
      {Set::like_3215, {L(37)}},
      {Set::like_3260, {L(38)}},
      {Set::like_3300, {L(39)}},
      {Set::like_3310, {L(40).pack_0(), L(41)}},
      {Set::like_3320, {L(42).pack_0(), L(43).pack_2(), L(43).language_items_t15()}},
      {Set::like_3340, {L(44).pack_0(), L(45).pack_2(), L(45).language_items_t15()}},
      {Set::like_3341, {L(46).pack_0(), L(47).pack_2(), L(47).language_items_t15()}},
      {Set::like_3350, {L(48)}},
      {Set::like_3370, {L(49)}},
      {Set::like_3400, {L(50)}},
      {Set::like_3500, {L(51)}},
      {Set::like_3560, {L(52)}},
      {Set::like_4050, {L(53)}},
      // the LM6 chooses by its own rule (choose_4210)
      {Set::lm6_4210, {}},
      {Set::like_4410, {L(63)}},
      {Set::like_4610, {L(64)}},
      {Set::like_5410, {L(67), L(66).from(1, 1), L(65).from(2, 0)}},
      {Set::like_5412, {L(69), L(68).from(1, 1).fm_shown(), L(65).from(1, 1).fm_hidden()}},
      {Set::like_5414, {L(69), L(68).from(1, 1)}},
      {Set::like_5416, {L(70), L(69).from(1, 1), L(68).from(1, 2)}},
      {Set::like_5418, {L(68).fm_shown(), L(65).fm_hidden()}},
      {Set::like_5420, {L(68)}},
      {Set::like_5424, {L(71).fm_shown(), L(72).fm_hidden()}},
      {Set::like_5426, {L(73).fm_shown(), L(74).fm_hidden()}},
      {Set::like_5510, {L(76), L(78).from(2, 0), L(77).from(2, 2), L(75).from(3, 0)}},
      {Set::like_5520,
       {L(81), L(83).from(1, 1), L(80).from(1, 3), L(79).from(2, 0).fm_shown(), L(82).from(2, 0).fm_hidden()}},
      {Set::like_5522, {L(84)}},
      {Set::like_5524, {L(86), L(84).from(1, 1), L(85).from(2, 0)}},
      {Set::like_5526, {L(80), L(79).from(2, 0)}},
      {Set::like_5530, {L(89), L(88).from(1, 4), L(87).from(2, 0).fm_shown(), L(90).from(2, 0).fm_hidden()}},
      {Set::like_5532, {L(88)}},
      {Set::like_5534, {L(91).fm_shown(), L(92).fm_hidden()}},
      {Set::like_5550, {L(93), L(84).from(1, 2), L(85).from(2, 0)}},
      {Set::like_5552, {L(94)}},
      {Set::like_5560, {L(95)}},
      {Set::like_5570, {L(87), L(96).from(1, 4).fm_shown(), L(97).from(1, 4).fm_hidden()}},
      {Set::like_5576, {L(98)}},
      {Set::like_5580, {L(99), L(87).from(2, 0), L(96).from(2, 6)}},
      {Set::like_5590, {L(100).fm_shown(), L(101).fm_hidden()}},
      {Set::like_5592, {L(49).fm_shown(), L(48).fm_hidden()}},
      {Set::like_5595, {L(102)}},
      {Set::like_5610, {L(103), L(89).from(1, 1), L(87).from(2, 0)}},
      {Set::like_5622, {L(106), L(105).from(1, 1), L(104).from(2, 0)}},
      {Set::like_5623, {L(89), L(108).from(1, 1), L(107).from(2, 0)}},
      {Set::like_5624, {L(106), L(105).from(1, 1), L(109).from(2, 0)}},
      {Set::like_5710, {L(89), L(99).from(1, 2)}},
      {Set::like_5720, {L(80)}},
      {Set::like_5910, {L(89), L(99).from(1, 1)}},
      {Set::like_6010, {L(111), L(110).from(1, 2)}},
      {Set::like_6014, {L(83), L(112).from(1, 2)}},
      {Set::like_6018, {L(83), L(112).from(1, 1)}},
      {Set::like_6020, {L(113)}},
      {Set::like_6026, {L(112)}},
      {Set::like_6028, {L(114)}},
      {Set::like_6034, {L(115)}},
      {Set::like_6038, {L(116)}},
      {Set::like_6112, {L(79)}},
      {Set::like_6114, {L(117)}},
      {Set::like_6210, {L(119), L(118).from(2, 0)}},
      {Set::like_6310, {L(120)}},
      {Set::like_6320, {L(121)}},
      {Set::like_6400, {L(122)}},
      {Set::like_6500, {L(123)}},
      {Set::like_6800, {L(124)}},
      {Set::like_6801, {L(125)}},
      {Set::like_6804, {L(126)}},
      {Set::like_6811, {L(127).pack_0(), L(128).pack_2(), L(128).language_items_t15()}},
  };
  return k_sets;
}

// The Audio Equalizer [WQ8] row of the lists with the accessory rows offers
// T6 for the Velmont speakers' code 9; in the other lists for code 1.
constexpr int k_lists_for_velmont_speakers[] = {24, 33, 36};
constexpr int k_basic_speaker_code = 1;
constexpr int k_velmont_speaker_code = 9;

template <class T, std::size_t Size>
bool contains(const T (&values)[Size], const T& value) {
  return std::find(std::begin(values), std::end(values), value) != std::end(values);
}

// ---- building the lists from their text ----

int row_type_named(std::string_view name) {
  for (int index = 0; index < k_row_type_count; ++index) {
    if (k_row_types[index].name == name) return index;
  }
  return -1;
}

int resolve(std::string_view name, std::string_view family) {
  if (name.find('[') != std::string_view::npos) return row_type_named(name);
  if (const std::size_t variant = name.find(" /T"); variant != std::string_view::npos) {
    return row_type_named(std::string(name.substr(0, variant)) + " [" + std::string(family) + "/" +
                          std::string(name.substr(variant + 2)) + "]");
  }
  if (const int own = row_type_named(std::string(name) + " [" + std::string(family) + "]"); own >= 0) return own;
  return row_type_named(name);
}

std::vector<std::string_view> split_rows(std::string_view text) {
  std::vector<std::string_view> names;
  while (!text.empty()) {
    const std::size_t end = text.find("; ");
    names.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 2);
  }
  return names;
}

struct BuiltLists {
  // Row type indices of list n at [n - 1].
  std::vector<std::vector<int>> rows;
  std::vector<AllSettingsListCheck> checks;
};

BuiltLists build_lists() {
  BuiltLists built;
  built.rows.resize(k_list_count);
  for (const ListText& list : k_list_texts) {
    AllSettingsListCheck check{list.number, list.rows, 0, {}};
    std::vector<int>& rows = built.rows[static_cast<std::size_t>(list.number - 1)];
    int base = 0;
    std::string_view without;
    // "Ln without X"
    if (list.text.starts_with('L') && list.text.find(" without ") != std::string_view::npos) {
      const std::size_t split = list.text.find(" without ");
      for (char digit : list.text.substr(1, split - 1)) base = base * 10 + (digit - '0');
      without = list.text.substr(split + 9);
    }
    if (base > 0) {
      if (base < list.number) {
        rows = built.rows[static_cast<std::size_t>(base - 1)];
      } else {
        check.unknown.push_back("L" + std::to_string(base) + " after L" + std::to_string(list.number));
      }
      const int left_out = resolve(without, list.family);
      const auto found = std::find(rows.begin(), rows.end(), left_out);
      if (left_out < 0 || found == rows.end()) {
        check.unknown.push_back(std::string(without));
      } else {
        rows.erase(found);
      }
    } else {
      for (std::string_view name : split_rows(list.text)) {
        const int type = resolve(name, list.family);
        if (type < 0) {
          check.unknown.emplace_back(name);
        } else {
          rows.push_back(type);
        }
      }
    }
    check.rows_built = static_cast<int>(rows.size());
    built.checks.push_back(std::move(check));
  }
  return built;
}

const BuiltLists& lists() {
  static const BuiltLists k_lists = build_lists();
  return k_lists;
}

// ---- choosing the list ----

struct Choice {
  int list = 0;
  bool language_items_t15 = false;
};

bool below(const R& data, int major, int minor) {
  return data.compareVersionUpToMinorWithMajor_Minor(major, minor) < 0;
}

bool fm_shown(const AllSettingsContext& context) { return context.fmRadioShowAndHide != 4; }
bool motion_shown(const AllSettingsContext& context) { return context.motionSensorShowAndHide != 6; }
bool speaker_known(const AllSettingsContext& context) {
  return context.device50SpeakerType >= 0 && context.device50SpeakerType <= 7;
}

bool holds(const Pick& pick, const AllSettingsContext& context) {
  if (pick.fm == Fm::shown && !fm_shown(context)) return false;
  if (pick.fm == Fm::hidden && fm_shown(context)) return false;
  if (pick.speaker == Speaker::known && !speaker_known(context)) return false;
  if (pick.speaker == Speaker::other && speaker_known(context)) return false;
  if (pick.pack == Pack::type_0 && context.devicelanguagePackType != 0) return false;
  if (pick.pack == Pack::type_2 && context.devicelanguagePackType != 2) return false;
  return true;
}

int choose_4210(const AllSettingsContext& context) {
  const R& data = context.data;
  if (below(data, 1, 1)) return 55;
  if (below(data, 1, 2)) return 62;
  if (below(data, 1, 5)) return 61;
  if (context.deviceInfoStatus == 1) return below(data, 2, 5) ? 58 : 60;
  // builds of 2.0 before its third secondary release keep the older rows
  if (R::compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_ForOptra(
          data.deviceVersionMajor(), data.deviceVersionMinor(), data.deviceSecondaryVersionType(),
          data.deviceSecondaryVersion(), 2, 0, 2, 3, false) < 0) {
    return 58;
  }
  if (below(data, 2, 2)) return 54;
  if (fm_shown(context)) return motion_shown(context) ? 54 : 56;
  return motion_shown(context) ? 59 : 57;
}

const SetRows* set_rows(int product) {
  const Set set = device_data::product_facts(product).all_settings_set;
  if (set == Set::none) return nullptr;
  for (const SetRows& rows : set_table()) {
    if (rows.set == set) return &rows;
  }
  return nullptr;
}

std::optional<Choice> choose(const AllSettingsContext& context) {
  const SetRows* device = set_rows(context.product);
  if (!device) return std::nullopt;
  if (device->set == Set::lm6_4210) return Choice{choose_4210(context), false};
  // the tier: the highest starting version the firmware has reached
  std::optional<Version> tier;
  for (const Pick& pick : device->picks) {
    if (pick.tier && !below(context.data, pick.tier->major, pick.tier->minor)) tier = pick.tier;
  }
  const auto same_tier = [&tier](const Pick& pick) {
    return pick.tier.has_value() == tier.has_value() &&
           (!tier || (pick.tier->major == tier->major && pick.tier->minor == tier->minor));
  };
  for (const Pick& pick : device->picks) {
    if (same_tier(pick) && holds(pick, context)) return Choice{pick.list, pick.t15};
  }
  return std::nullopt;
}

std::span<const int> rows_of(const std::optional<Choice>& choice) {
  if (!choice || choice->list < 1 || choice->list > k_list_count) return {};
  return lists().rows[static_cast<std::size_t>(choice->list - 1)];
}

// ---- building a row ----

// The item index or radio column a value selects; 64-bit, since a record
// read from a backup may hold any 32-bit value.
long long shown_index(Shown shown, long long value) {
  switch (shown) {
    case Shown::nonzero_on:
      return value != 0 ? 0 : 1;
    case Shown::zero_on:
      return value == 0 ? 0 : 1;
    case Shown::eight_off:
      return value == 8 ? 1 : 0;
    case Shown::value:
      return value;
    case Shown::minus_1:
      return value - 1;
    case Shown::minus_8:
      return value - 8;
    case Shown::ten_minus:
      return 10 - value;
    case Shown::ess_status:
      return value >= 0 && value <= 3 ? value : 0;
    case Shown::ess_sensitivity:
      return value >= 1 && value <= 3 ? value - 1 : 1;
  }
  return -1;
}

S item_set(const RowType& type, const AllSettingsContext& context, const Choice& choice, int value) {
  const Items items = items_of(type);
  switch (items.rule) {
    case ItemRule::fixed:
      break;
    case ItemRule::t6_by_speaker_code: {
      const int code = context.current.GetBasicSetting50SpeakerAccessorySelect();
      if (contains(k_lists_for_velmont_speakers, choice.list)) {
        platform::console(platform::format("speaker value =[%d], curr[%d]", value, code));
        return code == k_velmont_speaker_code ? S::T6 : S::T3;
      }
      return code == k_basic_speaker_code ? S::T6 : S::T3;
    }
    case ItemRule::t6_by_ironvale_speakers:
      return context.current.GetBasicSettingIronvaleSpeakerAccessorySelect() == 1 ? S::T6 : S::T3;
  }
  if (choice.language_items_t15 && type.setting == A::UnitLanguage) return S::T15;
  return items.set;
}

AllSettingsRow build_row(const RowType& type, const AllSettingsContext& context, const Choice& choice) {
  const R& current = context.current;
  AllSettingsRow row;
  row.kind = kind_of(type);
  row.type = type.name;
  row.name = label_of(type);
  row.label = strings::setting_name(row.name, context.language);
  row.action = type.setting;
  row.information_shown = type.info == Info::shown;
  row.hides_pop_up_information = type.info == Info::hidden_both;

  const int value = type.reads(current, context.product);
  const long long index = shown_index(type.shown, value);
  if (row.kind == Kind::on_off) {
    row.enable_title = CommonTexts::vyla_string_enable_in(context.language);
    row.disable_title = CommonTexts::vyla_string_disable_in(context.language);
    row.selected = static_cast<int>(index);
  } else {
    row.items = strings::setting_items(item_set(type, context, choice, value), context.language);
    if (type.name == "Language") platform::console(platform::format("PQPQ # %d", value));
    // a value without an item selects nothing; the row is built all the same
    row.selected = index >= 0 && index < static_cast<long long>(row.items.size()) ? static_cast<int>(index) : -1;
  }

  if (type.enabled.reader) {
    const int controlling = type.enabled.reader(current, context.product);
    if (type.name == "Audio Equalizer [LM6/T6]") platform::console(platform::format("speaker [%d]", controlling));
    row.enabled = (controlling == type.enabled.value) == type.enabled.equal;
  }
  // a language the action cannot write for the product is shown, not offered
  if (type.setting == A::UnitLanguage && !setting_action_writes(A::UnitLanguage, context.product)) row.enabled = false;
  return row;
}

}  // namespace

AllSettingsContext all_settings_context(const session::AppState& state, const FEXOBluetoothDeviceData& current) {
  return AllSettingsContext{.product = state.deviceTarget(),
                            .data = state.data(),
                            .current = current,
                            .fmRadioShowAndHide = state.fmRadioShowAndHide(),
                            .motionSensorShowAndHide = state.motionSensorShowAndHide(),
                            .device50SpeakerType = state.device50SpeakerType(),
                            .deviceInfoStatus = state.deviceInfoStatus(),
                            .devicelanguagePackType = state.data().devicelanguagePackType(),
                            .language = state.languageManager()};
}

int numberOfRowsInTableView(const AllSettingsContext& context) {
  return static_cast<int>(rows_of(choose(context)).size());
}

std::optional<AllSettingsRow> all_settings_row(const AllSettingsContext& context, int index) {
  const std::optional<Choice> choice = choose(context);
  const std::span<const int> rows = rows_of(choice);
  if (index < 0 || index >= static_cast<int>(rows.size())) return std::nullopt;
  return build_row(k_row_types[rows[static_cast<std::size_t>(index)]], context, *choice);
}

std::vector<AllSettingsRow> all_settings_rows(const AllSettingsContext& context) {
  const std::optional<Choice> choice = choose(context);
  std::vector<AllSettingsRow> built;
  for (int type : rows_of(choice)) built.push_back(build_row(k_row_types[type], context, *choice));
  return built;
}

std::vector<int> all_settings_products() {
  std::vector<int> products;
  for (const device_data::ProductFacts& row : device_data::product_rows()) {
    if (row.all_settings_set != Set::none) products.push_back(row.id);
  }
  return products;
}

std::vector<std::string_view> all_settings_row_types() {
  std::vector<std::string_view> names;
  for (const RowType& type : k_row_types) names.push_back(type.name);
  return names;
}

std::vector<AllSettingsListCheck> all_settings_list_checks() { return lists().checks; }

}  // namespace settings
