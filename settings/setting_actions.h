#pragma once
// The setting actions of the settings page: each writes the user's choice
// into the working copy through the accessor of the device's family. The
// classic panel and the all-settings sheet share them. Qt-free.
#include "device_data/FEXOBluetoothDeviceData.h"

namespace settings {

// One action per setting, named after its `change<Setting>` operation.
enum class SettingAction : int {
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
};

// Writes `choice` for `action` into `record` by the rule of product
// `device`'s family. `choice` is the selected column of an on/off or
// three-cell radio (column 0 is the Enable cell) or the selected item of a
// pop-up; a pop-up index below 0 (nothing selected) and a choice the setting
// has no value for write nothing.
void apply_setting_action(SettingAction action, int choice, int device, FEXOBluetoothDeviceData& record);

}  // namespace settings
