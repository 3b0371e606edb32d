#pragma once
// Names of the device settings in the 13 interface languages: one table per
// name, and the only one. The settings pages, the save and restore failure
// texts, the backup information panel, the restore table and the update page
// read it; a page that needs a name adds it here. A name without a translation
// of its own reads English in every language. Stateless: callable from any thread.
#include <optional>
#include <string>

namespace strings {

enum class SettingName : int {
  // what a failed save or restore names, by the persistent-store key it failed on
  EDR,                  // key 239: the same word in every language
  DeviceSetting,        // key 654, and for a save any key without a name of its own
  VOXIntercom,          // key 664
  VOXPhone,             // key 665
  FMRadioSetting,       // key 671
  AudioChannelTimeout,  // key 682
  RadioTransmitGain,    // key 684
  SpeedDialSetting,     // keys 8832 to 8834
  // the FM radio as a help text names it among the audio sources
  FMRadio,
  // row labels of the classic settings panel and the backup information panel
  EDREnhancedDataRate,
  PLCPacketLossConcealment,
  HighQualityA2DP,
  MicrophoneBoosting,
  Sidetone,
  AmbientHushControl,
  AutoGainControl,
  AudioBoost,
  MotionSensorSensitivity,
  AudioBraiding,                   // "Audio Braiding™"
  IntercomAudioVeneerSensitivity,  // the whole name
  NavigationAppSupport,
  Date,
  PLC,
  RadioRegion,
  RDSAF,
  RDSAFAlternativeFrequencies,
  SpeedDial,
  Empty,
  // names of the restore table's rows
  VoicePrompt,
  WhiteLEDAlwaysOn,
  HDSpeakerAccessory,
  AutoOnOff,
  AutoStartRecording,
  AudioBraidingPlain,                  // "Audio Braiding", without the sign
  IntercomAudioVeneerSensitivityCut,   // "Intercom-audio Veneer Sensi...", cut off as the table stores it
  Channel,
  Volume,
  AudioVeneerVolumeManagement,
  HDIntercom,
  EightWayIntercom,
  FMStationGuide,
  HDVoice,
  AudioSourcePriority,
  AudioVeneer,
  BluetoothIntercomAudioBraiding,
  SmartNaviSystem,
  SmartVolumeControl,
  VOXSensitivity,
  GuestMode,
  VoiceCommand,
  VoiceAssistant,
  PhotoMode,
  VideoMode,
  VideoResolution,
  TimelapseInterval,
  LoopRecordingMode,
  VideoTaggingInterval,
  VideoMicrophoneGain,
  DateCaption,
  SpeakerSoundRecording,
  SpeakerSoundRecordingMusic,     // "▶ Music"
  SpeakerSoundRecordingFMRadio,   // "▶ FM Radio"
  SpeakerSoundRecordingIntercom,  // "▶ Intercom"
  SpeakerSoundRecordingPhone,     // "▶ Phone"
  AutoCameraSleep,
  ESSConfiguration,
  ESSSensitivity,
  ChannelSetting,
  AudioEqualizer,
  HeadsetLanguage,
  UnitLanguage,
  // labels of the all-settings table that no other page shows
  AutoOff,                // "AUTO OFF"
  ChannelSelect,
  Language,
  LoopRecordingInterval,
  RemoteUIRTT,
  SimpleMode,
  Speakers,
  VelmontAcousticsMic,
  AdvancedFeatures,
};

// Number of names: every value below it has a table.
inline constexpr int k_setting_name_count = static_cast<int>(SettingName::AdvancedFeatures) + 1;

// The name in `language`; English for an index outside 1..12.
std::string setting_name(SettingName name, int language);

// The setting a persistent-store key stands for (239, 654, 664, 665, 671, 682,
// 684, 8832 to 8834); none for any other key.
std::optional<SettingName> setting_name_of_key(int key);

}  // namespace strings
