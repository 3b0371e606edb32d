#pragma once
// The settings page's editing core: the working copy and the factory
// defaults of the recognized device, change detection against the device as
// read, the save prompt, leaving without saving, the resets to the defaults
// or to the device's values, the setting actions and the audio channel
// timeout check. The page shows and forwards; this decides. Qt-free; every
// operation runs on the main thread.
#include <optional>
#include <string>
#include <string_view>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "settings/setting_actions.h"
#include "settings/settings_host.h"

namespace settings {

// The question the settings pages ask before leaving with changes: "save?"
// with No and Yes, for the answer handler `purpose` names.
MessageBoxRequest save_prompt(int language, session::MessageBoxPurpose purpose);

// The audio channel timeout field's check.
struct ACTCheck {
  // True when the typed timeout lies within 3..60 seconds and was taken.
  bool accepted = false;
  // Accepted: the stepper takes this value. Refused: the field shows it again
  // (the stepper's value, truncated) and its text is selected.
  int value = 0;
};

class SettingsEditor {
 public:
  explicit SettingsEditor(SettingsHost& host);

  // ---- working copies ----
  // Opening the page: the working copy := the controller's record with its
  // versions; the defaults := the factory settings of its product and version.
  void initializeObject();
  // The record the controls edit and the save writes.
  const FEXOBluetoothDeviceData& dataCurrent() const { return m_dataCurrent; }
  // The factory defaults, as the last Default press patched them.
  const FEXOBluetoothDeviceData& dataDefault() const { return m_dataDefault; }

  // ---- change detection and leaving ----
  // Whether the working copy differs from the device in a setting this page
  // saves for the selected product; a product the page does not save never
  // differs.
  bool isSettingsChanged() const;
  // With changes: opens the save prompt and answers true (the page stays
  // until the user answers). Without: answers false.
  bool checkNeedToSave();
  // No in the save prompt: drops the edits and opens `mode_to_go` (a page
  // mode, or a mode plus 100 whose page is the mode).
  void moveToModeToGo(int mode_to_go);
  // No in the all-settings sheet's close prompt: drops the edits.
  void moveToSettingToSetting();

  // ---- buttons ----
  // The guard every button and action starts with: false while an operation
  // runs (do nothing); otherwise closes an open tab list and answers true.
  bool begin_action();
  // Cancel: the working copy := the device's values. False when guarded.
  bool changeToOriginal();
  // Default: the working copy := the factory defaults, with the device words
  // the product keeps across a reset copied from the device. False when guarded.
  bool changeToDefault();

  // The all-settings sheet's Default: the working copy := the factory defaults
  // as they stand, without the classic Default's per-product adjustments.
  // False when guarded.
  bool changeToDefaultAllSettins();

  // ---- setting actions ----
  // Writes the user's choice (radio column or pop-up index) for `action`.
  // False while an operation runs (nothing written); true when the page is
  // to refresh.
  bool change(SettingAction action, int choice);
  // A row of the all-settings sheet: the setting action with the user's
  // choice, then the step that follows it on the selected product (settings
  // that exclude each other). True when the whole table is to be rebuilt.
  // While an operation runs nothing is written and the answer is false.
  bool changeAllSettingsRow(SettingAction action, int choice);
  bool changeIVOX(int column) { return change(SettingAction::IVOX, column); }
  bool changeHVOX(int column) { return change(SettingAction::HVOX, column); }
  bool changeEDR(int column) { return change(SettingAction::EDR, column); }
  bool changePLC(int column) { return change(SettingAction::PLC, column); }
  bool changeBitpoolRate(int column) { return change(SettingAction::BitpoolRate, column); }
  bool changeMicrophoneBoost(int column) { return change(SettingAction::MicrophoneBoost, column); }
  bool changeSidetone(int column) { return change(SettingAction::Sidetone, column); }
  bool changeAmbientHushControl(int column) { return change(SettingAction::AmbientHushControl, column); }
  bool changeAutoGainControl(int column) { return change(SettingAction::AutoGainControl, column); }
  bool changeAudioBoost(int column) { return change(SettingAction::AudioBoost, column); }
  bool changeHDSpeakerAccessory(int column) { return change(SettingAction::HDSpeakerAccessory, column); }
  bool changeQorlanHDSPeakerAccessory(int column) { return change(SettingAction::QorlanHDSPeakerAccessory, column); }
  bool changeMotionSensorSensitivity(int index) { return change(SettingAction::MotionSensorSensitivity, index); }
  bool changeAudioBraiding(int column) { return change(SettingAction::AudioBraiding, column); }
  bool changeAudioBraidingSensitivity(int index) { return change(SettingAction::AudioBraidingSensitivity, index); }
  bool changeAudioVeneer(int column) { return change(SettingAction::AudioVeneer, column); }
  bool changeAudioVeneerVolumeManagement(int column) {
    return change(SettingAction::AudioVeneerVolumeManagement, column);
  }
  bool changeNavigationAppOverlay(int column) { return change(SettingAction::NavigationAppOverlay, column); }
  bool changeVoicePrompt(int column) { return change(SettingAction::VoicePrompt, column); }
  bool changeHDIntercom(int column) { return change(SettingAction::HDIntercom, column); }
  bool changeEightWayIntercom(int column) { return change(SettingAction::EightWayIntercom, column); }
  bool changeFMStationGuide(int column) { return change(SettingAction::FMStationGuide, column); }
  bool changeHDVoice(int column) { return change(SettingAction::HDVoice, column); }
  bool changeVoiceAssistant(int column) { return change(SettingAction::VoiceAssistant, column); }
  bool changeVoiceCommand(int column) { return change(SettingAction::VoiceCommand, column); }
  bool changeUILayer(int column) { return change(SettingAction::UILayer, column); }
  bool changeLEDControl(int column) { return change(SettingAction::LEDControl, column); }
  bool changeRemoteUIPTT(int column) { return change(SettingAction::RemoteUIPTT, column); }
  bool changeMicSelect(int column) { return change(SettingAction::MicSelect, column); }
  bool changeSpeakerSelect(int index) { return change(SettingAction::SpeakerSelect, index); }
  bool changeAudioEqualizer(int index) { return change(SettingAction::AudioEqualizer, index); }
  bool changeUnitLanguage(int index) { return change(SettingAction::UnitLanguage, index); }
  bool changeMeshPublicChannel(int index) { return change(SettingAction::MeshPublicChannel, index); }
  bool changeMeshMode(int index) { return change(SettingAction::MeshMode, index); }
  bool changeMeshGuestMode(int column) { return change(SettingAction::MeshGuestMode, column); }
  bool changeAGCSensitivity(int index) { return change(SettingAction::AGCSensitivity, index); }
  bool changeVOXSensitivity(int index) { return change(SettingAction::VOXSensitivity, index); }
  bool changeSmartVolumeControl(int index) { return change(SettingAction::SmartVolumeControl, index); }
  bool changeChannel(int index) { return change(SettingAction::Channel, index); }
  bool changeVolume(int index) { return change(SettingAction::Volume, index); }
  bool changeAudioSourcePriority(int index) { return change(SettingAction::AudioSourcePriority, index); }
  bool changeAutoStartRecording(int column) { return change(SettingAction::AutoStartRecording, column); }
  bool changeAutoOnOff(int column) { return change(SettingAction::AutoOnOff, column); }
  bool changeAutoOff(int column) { return change(SettingAction::AutoOff, column); }
  bool changeSimpleUI(int column) { return change(SettingAction::SimpleUI, column); }
  bool changeSmartNaviSystem(int column) { return change(SettingAction::SmartNaviSystem, column); }
  bool changeSmartNaviSystem2(int column) { return change(SettingAction::SmartNaviSystem2, column); }
  bool changePhotoMode(int index) { return change(SettingAction::PhotoMode, index); }
  bool changeVideoMode(int index) { return change(SettingAction::VideoMode, index); }
  bool changeVideoResolution(int index) { return change(SettingAction::VideoResolution, index); }
  bool changeTimelapseInterval(int index) { return change(SettingAction::TimelapseInterval, index); }
  bool changeVideoTaggingInterval(int index) { return change(SettingAction::VideoTaggingInterval, index); }
  bool changeLoopRecordingInterval(int index) { return change(SettingAction::LoopRecordingInterval, index); }
  bool changeVideoMicrophoneGain(int index) { return change(SettingAction::VideoMicrophoneGain, index); }
  bool changeDateCaption(int column) { return change(SettingAction::DateCaption, column); }
  bool changeSpeakerSoundRecording(int column) { return change(SettingAction::SpeakerSoundRecording, column); }
  bool changeSpeakerSoundRecordingMusic(int column) {
    return change(SettingAction::SpeakerSoundRecordingMusic, column);
  }
  bool changeSpeakerSoundRecordingFMRadio(int column) {
    return change(SettingAction::SpeakerSoundRecordingFMRadio, column);
  }
  bool changeSpeakerSoundRecordingIntercom(int column) {
    return change(SettingAction::SpeakerSoundRecordingIntercom, column);
  }
  bool changeSpeakerSoundRecordingPhone(int column) {
    return change(SettingAction::SpeakerSoundRecordingPhone, column);
  }
  bool changeAutoCameraSleep(int column) { return change(SettingAction::AutoCameraSleep, column); }
  bool changeESSStatus(int index) { return change(SettingAction::ESSStatus, index); }
  bool changeESSSensitivity(int index) { return change(SettingAction::ESSSensitivity, index); }
  bool changeMicGain(int index) { return change(SettingAction::MicGain, index); }
  // Radio transmit gain: columns 0, 1, 2 write Low 12, Medium 15, High 17.
  bool changeRTG(int column) { return change(SettingAction::RTG, column); }

  // ---- audio channel timeout (seconds) ----
  // The field's own action: checkACT; nullopt while an operation runs.
  std::optional<ACTCheck> changeACT_field(std::string_view field_text, double stepper_value);
  // The stepper's action: writes its value, truncated, without the 3..60
  // check and answers it for the field; nullopt while an operation runs.
  std::optional<int> changeACT_stepper(double stepper_value);
  // Takes a typed timeout within 3..60 into the working copy; refuses any
  // other with a warning box. No guard: the save and the page switches ask it
  // before they start.
  ACTCheck checkACT(std::string_view field_text, double stepper_value);

  // ---- texts in the interface language ----
  std::string stringACTUnit() const;
  std::string stringMessageACT() const;
  // The video mode help by the firmware of the device as read (loop
  // recording from 2.0).
  std::string stringInformationVideoMode() const;

 private:
  // The working copy := the device's values; versions stay as they are.
  void discard_edits();

  SettingsHost& m_host;
  FEXOBluetoothDeviceData m_dataCurrent;
  FEXOBluetoothDeviceData m_dataDefault;
};

}  // namespace settings
