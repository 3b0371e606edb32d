#include "device_data/setting_catalogue.h"

#include <cstddef>
#include <iterator>

namespace device_data {
namespace {

using enum Setting;
using N = strings::SettingName;
using S = strings::ItemSet;
using R = ValueRule;

constexpr SettingEntry on_off(Setting id, std::string_view field, N label, ValueRule rule = R::column0_on) {
  return {id, field, label, SettingKind::on_off, std::nullopt, 0, 1, rule};
}
constexpr SettingEntry pop_up(Setting id, std::string_view field, N label, std::optional<S> items,
                              ValueRule rule = R::index) {
  return {id, field, label, SettingKind::pop_up, items, 0, 0, rule};
}

// In the order of the ids.
constexpr SettingEntry k_entries[] = {
    on_off(IVOX, "IntercomVOX", N::VOXIntercom),
    on_off(HVOX, "HandsfreeVOX", N::VOXPhone),
    on_off(EDR, "Edr", N::EDREnhancedDataRate, R::column0_off),
    on_off(PLC, "Plc", N::PLCPacketLossConcealment),
    on_off(BitpoolRate, "BitpoolRate", N::HighQualityA2DP),
    on_off(MicrophoneBoost, "MicrophoneBoost", N::MicrophoneBoosting),
    on_off(Sidetone, "Sidetone", N::Sidetone),
    on_off(AmbientHushControl, "AmbientHushControl", N::AmbientHushControl, R::column0_off),
    on_off(AutoGainControl, "AutoGainControl", N::AutoGainControl, R::column0_off),
    on_off(AudioBoost, "AudioBoost", N::AudioBoost, R::column0_off),
    on_off(HDSpeakerAccessory, "HDSpeakerAccessory", N::HDSpeakerAccessory),
    on_off(QorlanHDSPeakerAccessory, "QorlanHDSpeakerAccessory", N::HDSpeakerAccessory),
    // the device stores levels 1..3
    pop_up(MotionSensorSensitivity, "LM6MotionSensorSensitivity", N::MotionSensorSensitivity, S::T10, R::index_plus_1),
    on_off(AudioBraiding, "LM6AudioBraiding", N::AudioBraiding),
    pop_up(AudioBraidingSensitivity, "LM6AudioBraidingSensitivity", N::IntercomAudioVeneerSensitivity, S::T9,
           R::ten_minus_index),
    on_off(AudioVeneer, "AudioVeneer", N::BluetoothIntercomAudioBraiding),
    on_off(AudioVeneerVolumeManagement, "ND4AudioVeneerVolumeManagement", N::AudioVeneerVolumeManagement,
           R::column0_off),
    on_off(NavigationAppOverlay, "LM6NavigationAppOverlay", N::NavigationAppSupport),
    on_off(VoicePrompt, "VoicePrompt", N::VoicePrompt, R::column0_off),
    on_off(HDIntercom, "HdIntercom", N::HDIntercom),
    on_off(EightWayIntercom, "LM6EightWayIntercom", N::EightWayIntercom),
    on_off(FMStationGuide, "FmStationGuide", N::FMStationGuide),
    on_off(HDVoice, "HdVoice", N::HDVoice),
    on_off(VoiceAssistant, "VoiceAssistant", N::VoiceAssistant),
    on_off(VoiceCommand, "ND4VoiceCommand", N::VoiceCommand),
    on_off(UILayer, "UILayer", N::AdvancedFeatures),
    on_off(LEDControl, "LM6LEDControl", N::WhiteLEDAlwaysOn),
    on_off(RemoteUIPTT, "VelandraRemoteUIPTT", N::RemoteUIRTT),
    on_off(MicSelect, "50MicAccessorySelect", N::VelmontAcousticsMic),
    pop_up(SpeakerSelect, "50SpeakerAccessorySelect", N::Speakers, S::T8),
    pop_up(AudioEqualizer, "Equalizer", N::AudioEqualizer, S::T3),
    pop_up(UnitLanguage, "UnitLanguage", N::UnitLanguage, S::T2),
    pop_up(MeshPublicChannel, "ND4MeshPublicChannel", N::ChannelSetting, S::T25),
    pop_up(MeshMode, "ND4MeshMode", N::DeviceSetting, std::nullopt),
    on_off(MeshGuestMode, "ND4MeshGuestMode", N::GuestMode),
    pop_up(AGCSensitivity, "ND4AGCSensitivity", N::SmartVolumeControl, S::T7),
    pop_up(VOXSensitivity, "KR5VOXSensitivity", N::VOXSensitivity, S::T5, R::index_plus_1),
    pop_up(SmartVolumeControl, "LM6SmartVolumeControl", N::SmartVolumeControl, S::T7),
    pop_up(Channel, "NetdockChannel", N::Channel, S::T4, R::index_plus_1),
    // the dock's volume steps are 8..12
    pop_up(Volume, "NetdockVolume", N::Volume, S::T5, R::index_plus_8),
    pop_up(AudioSourcePriority, "AudioSourcePriority", N::AudioSourcePriority, S::T1),
    on_off(AutoStartRecording, "AutoStartRecording", N::AutoStartRecording, R::column0_off),
    on_off(AutoOnOff, "AutoOnOff", N::AutoOnOff),
    on_off(AutoOff, "AutoOff", N::AutoOff),
    on_off(SimpleUI, "SimpleUI", N::SimpleMode),
    on_off(SmartNaviSystem, "SmartNaviSystem", N::SmartNaviSystem),
    on_off(SmartNaviSystem2, "SmartNaviSystem2", N::SmartNaviSystem),
    pop_up(PhotoMode, "VT4CameraPhotoMode", N::PhotoMode, S::T17),
    pop_up(VideoMode, "VT4CameraVideoMode", N::VideoMode, S::T18),
    pop_up(VideoResolution, "VT4CameraVideoResolution", N::VideoResolution, S::T19),
    pop_up(TimelapseInterval, "VT4CameraTimelapseInterval", N::TimelapseInterval, S::T20),
    pop_up(VideoTaggingInterval, "VT4CameraVideoTaggingInterval", N::VideoTaggingInterval, S::T21),
    pop_up(LoopRecordingInterval, "VT4CameraLoopRecordingInterval", N::LoopRecordingInterval, S::T21),
    pop_up(VideoMicrophoneGain, "VT4CameraVideoMicrophoneGain", N::VideoMicrophoneGain, S::T22),
    on_off(DateCaption, "VT4CameraDateCaption", N::DateCaption),
    on_off(SpeakerSoundRecording, "VT4CameraSpeakerSoundRecording", N::SpeakerSoundRecording),
    on_off(SpeakerSoundRecordingMusic, "VT4CameraSpeakerSoundRecordingMusic", N::SpeakerSoundRecordingMusic),
    on_off(SpeakerSoundRecordingFMRadio, "VT4CameraSpeakerSoundRecordingFMRadio", N::SpeakerSoundRecordingFMRadio),
    on_off(SpeakerSoundRecordingIntercom, "VT4CameraSpeakerSoundRecordingIntercom", N::SpeakerSoundRecordingIntercom),
    on_off(SpeakerSoundRecordingPhone, "VT4CameraSpeakerSoundRecordingPhone", N::SpeakerSoundRecordingPhone),
    on_off(AutoCameraSleep, "VT4CameraAutoCameraSleep", N::AutoCameraSleep),
    pop_up(ESSStatus, "EssStatus", N::ESSConfiguration, S::T26),
    pop_up(ESSSensitivity, "EssSensitivity", N::ESSSensitivity, S::T22, R::index_plus_1),
    pop_up(MicGain, "MicGain", N::DeviceSetting, S::T22, R::mic_gain),
    pop_up(RTG, "RadioTransmitGain", N::RadioTransmitGain, S::T22, R::rtg),
    // the device accepts 3 to 60 seconds
    SettingEntry{ACT, "AudioChannelTimeout", N::AudioChannelTimeout, SettingKind::number, std::nullopt, 3, 60,
                 R::number},
};

constexpr bool entries_in_id_order() {
  if (std::size(k_entries) != static_cast<std::size_t>(k_setting_count)) return false;
  for (std::size_t i = 0; i < std::size(k_entries); ++i) {
    if (static_cast<std::size_t>(k_entries[i].id) != i) return false;
  }
  return true;
}
static_assert(entries_in_id_order(), "one entry per setting, in the order of the ids");

}  // namespace

std::span<const SettingEntry> setting_entries() { return k_entries; }

const SettingEntry& setting_entry(Setting id) { return k_entries[static_cast<std::size_t>(id)]; }

std::optional<int> stored_value(ValueRule rule, int choice) {
  switch (rule) {
    case ValueRule::column0_on:
      return choice == 0 ? 1 : 0;
    case ValueRule::column0_off:
      return choice == 0 ? 0 : 1;
    default:
      break;
  }
  // a pop-up with nothing selected
  if (choice < 0) return std::nullopt;
  switch (rule) {
    case ValueRule::index:
    case ValueRule::number:
      return choice;
    case ValueRule::index_plus_1:
      return choice + 1;
    case ValueRule::ten_minus_index:
      return 10 - choice;
    case ValueRule::index_plus_8:
      return choice + 8;
    case ValueRule::rtg: {
      static constexpr int k_gains[] = {12, 15, 17};
      if (choice >= static_cast<int>(std::size(k_gains))) return std::nullopt;
      return k_gains[choice];
    }
    case ValueRule::mic_gain:
      if (choice > 2) return std::nullopt;
      return 2 * choice + 1;
    default:
      return std::nullopt;
  }
}

}  // namespace device_data
