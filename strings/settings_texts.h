#pragma once
// Texts of the device settings pages in the 13 interface languages: the Save,
// Default and More Settings button titles, the text of a failed save, the
// notes and unit label of the classic panel, the audio channel timeout
// warning, and the help text of every setting (shown by the information
// buttons). Every operation takes the interface language last; outside 1..12,
// and where a language has no text of its own, the text is English. Help texts
// begin with the setting's title in square brackets and a line feed; where a
// text has "%@" the caller fills it as its operation says. Stateless: callable
// from any thread.
#include <string>

class SettingsTexts {
 public:
  // ---- button titles (settings, FM radio and speed-dial pages) ----
  static std::string vyla_string_save_in(int language);
  static std::string vyla_string_default_in(int language);
  // Title of the button that opens the all-settings sheet.
  static std::string vyla_string_more_settings_in(int language);
  // Title of a speed-dial number button whose number is not set.
  static std::string stringSpeedDialEmpty(int language);
  // "Cannot save <setting>" for the persistent-store key a save failed on
  // (239 EDR, 654 device setting, 664 VOX intercom, 665 VOX phone, 671 FM
  // radio, 682 audio channel timeout, 684 radio transmit gain, 8832..8834
  // speed dial); any other key names the device setting as a whole.
  static std::string vyla_string_cannot_save_in(int key, int language);
  // The reason of a save the product cannot take at all, refused before
  // anything is sent: "Not supported for this device".
  static std::string vyla_string_save_not_supported_in(int language);

  // ---- notes, unit label and warning of the classic panel ----
  static std::string stringNoteEDR(int language);
  static std::string stringNoteApply(int language);
  // "<seconds> (3 ~ 60)".
  static std::string stringACTUnit(int language);
  static std::string stringMessageACT(int language);

  // ---- help texts of the classic panel ----
  static std::string stringInformationPLC(int language);
  static std::string stringInformationBitpoolRate(int language);
  static std::string stringInformationMicrophoneBoost(int language);
  static std::string stringInformationSidetone(int language);
  // Filled with the Ambient Hush Control name where a language has "%@".
  static std::string stringInformationAmbientHushControl(int language);
  static std::string stringInformationAutoGainControl(int language);
  static std::string stringInformationAudioBoost(int language);
  static std::string stringInformationMotionSensorSensitivity(int language);
  // Both "%@": the Audio Braiding name.
  static std::string stringInformationNavigationAppOverlay(int language);
  // "%@": the Audio Braiding name, then the FM radio's name in the language.
  static std::string stringInformationAudioBraiding(int language);
  // Levels 1 to 10; "%@": the Audio Braiding name.
  static std::string stringInformationIntercomAudioVeneerSesitivity(int language);
  // Both "%@": the product's display name.
  static std::string stringInformationRTG(int language);
  // "%@": the technical-support e-mail address.
  static std::string stringInformationEDR43(int language);
  // Both "%@": the product's display name.
  static std::string stringInformationACT(int language);

  // ---- help texts of the all-settings sheet ----
  static std::string stringInformationAutoOnOff(int language);
  static std::string stringInformationVoiceAssistant(int language);
  static std::string stringInformationAutoStartRecording(int language);
  // Levels 1 to 5.
  static std::string stringInformationIntercomAudioVeneerSesitivityND4(int language);
  static std::string stringInformationVOXPhone(int language);
  // Filled twice with the VOX Intercom name where a language has "%@".
  static std::string stringInformationVOXIntercom(int language);
  // Filled with the HD Intercom name where a language has "%@".
  static std::string stringInformationHDIntercom(int language);
  // Both "%@": the Eight-way Intercom name.
  static std::string stringInformationEightwayIntercom(int language);
  static std::string stringInformationVoicePrompt(int language);
  static std::string stringInformationFMStationGuide(int language);
  static std::string stringInformationHDVoice(int language);
  static std::string stringInformationUILayer(int language);
  static std::string stringInformationAudioSourcePriority(int language);
  // Variants of the Audio Veneer row, picked by product.
  static std::string stringInformationBluetoothIntercomAudioBraiding(int language);
  static std::string stringInformationAudioBraidingOneModuleForVerrano(int language);
  static std::string stringInformationAudioBraidingOneModule(int language);
  static std::string stringInformationAudioVeneer(int language);
  static std::string stringInformationAudioVeneerWN3(int language);
  static std::string stringInformationAutoOff(int language);
  static std::string stringInformationSimpleUI(int language);
  static std::string stringInformationSmartNaviSystem(int language);
  static std::string stringInformationSmartVolumeControl(int language);
  static std::string stringInformationHDSpeakerAccessory(int language);
  static std::string stringInformationHDSpeakerAccessorySelect(int language);
  static std::string stringInformationMicAccessorySelect(int language);
  // Variants of the VOX sensitivity row, picked by product.
  static std::string stringInformationVOXSensitivity(int language);
  static std::string stringInformationVOXSensitivityGZ3(int language);
  static std::string stringInformationVOXSensitivityForVerrano(int language);
  static std::string stringInformationVOXSensitivityForKestner(int language);
  // Camera settings.
  static std::string stringInformationPhotoMode(int language);
  // The two-mode text for a camera below firmware 2.0, else the text that
  // adds loop recording.
  static std::string stringInformationVideoMode(bool before_version_2_0, int language);
  static std::string stringInformationVideoResolution(int language);
  static std::string stringInformationTimelapseInterval(int language);
  static std::string stringInformationVideoTaggingInterval(int language);
  static std::string stringInformationLoopRecordingInterval(int language);
  static std::string stringInformationVideoMicrophoneGain(int language);
  static std::string stringInformationDateCaption(int language);
  // Both "%@": the setting's name.
  static std::string stringInformationSpeakerSoundRecording(int language);
  // Both "%@": the setting's name.
  static std::string stringInformationAutoCameraSleep(int language);
  static std::string stringInformationMeshGuestMode(int language);
  static std::string stringInformationAudioVeneerVolumeManagement(int language);
  static std::string stringInformationLEDControl(int language);
  static std::string stringInformationVoiceCommand(int language);
  static std::string stringInformationChannelSetting(int language);
  // Variants of the voice-prompt language row, picked by product.
  static std::string stringInformationHeadsetLanguage(int language);
  static std::string stringInformationHeadsetUnitLanguage(int language);
  static std::string stringInformationUnitLanguage(int language);
  static std::string stringInformationUnitLanguageVexlink(int language);
  // Variants of the audio equalizer row, picked by product and speaker.
  static std::string stringInformationAudioEqualizer(int language);
  static std::string stringInformationAudioEqualizerVQ(int language);
  static std::string stringInformationAudioEqualizerRF(int language);
  static std::string stringInformationESSStatus(int language);
  static std::string stringInformationESSSensitivity(int language);
};
