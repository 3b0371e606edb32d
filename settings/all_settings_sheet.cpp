#include "settings/all_settings_sheet.h"

#include <algorithm>
#include <span>
#include <string>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/setting_names.h"
#include "strings/settings_texts.h"

namespace settings {

namespace {

using R = FEXOBluetoothDeviceData;
using A = SettingAction;
using N = strings::SettingName;
using T = SettingsTexts;


bool below(const R& data, int major, int minor) { return data.compareVersionUpToMinorWithMajor_Minor(major, minor) < 0; }

// ---- the step after an action ----

// HD Intercom, HD Voice and Audio Veneer exclude each other on the headsets
// with the WQ8 words.
bool exclusive_audio(int product) {
  return (device_data::product_facts(product).setting_layouts & device_data::k_layout_wq8) != 0;
}
// The camera that records its speaker sound from four sources.
constexpr int k_recording_camera = 0x5510;

// ---- information texts by product ----

using device_data::EqualizerText;
using device_data::UnitLanguageText;
using device_data::VeneerText;
using device_data::VoxSensitivityText;

const device_data::ProductFacts& facts(int product) { return device_data::product_facts(product); }

bool speaker_type_known(const AllSettingsContext& context) {
  return context.device50SpeakerType >= 0 && context.device50SpeakerType <= 7;
}

struct Text {
  std::string message;
  int size;
};

Text equalizer_text(const AllSettingsContext& context) {
  const int product = context.product;
  const int language = context.language;
  const R& data = context.data;
  if (facts(product).equalizer_text == EqualizerText::rf) return {T::stringInformationAudioEqualizerRF(language), 6};
  if (facts(product).equalizer_text == EqualizerText::vq ||
      (product == 0x4210 && context.deviceInfoStatus == 1 && !below(data, 2, 5))) {
    return {T::stringInformationAudioEqualizerVQ(language), 6};
  }
  if (product == 0x3112 && !below(data, 3, 3)) {
    return {context.current.GetBasicSettingIronvaleSpeakerAccessorySelect() == 1
                ? T::stringInformationAudioEqualizerVQ(language)
                : T::stringInformationAudioEqualizer(language),
            6};
  }
  if (product == 0x3112 && !below(data, 3, 1)) return {T::stringInformationAudioEqualizer(language), 6};
  if (facts(product).equalizer_text == EqualizerText::by_speaker ||
      (facts(product).equalizer_text == EqualizerText::by_speaker_from_1_1 && !below(data, 1, 1))) {
    // the speaker code that names the VQ speakers depends on whether recognition knew the accessory
    const bool known = product == 0x3215 || speaker_type_known(context);
    const int code = context.current.GetBasicSetting50SpeakerAccessorySelect();
    const bool vq = known ? code == 1 : code == 9;
    return {vq ? T::stringInformationAudioEqualizerVQ(language) : T::stringInformationAudioEqualizer(language), 6};
  }
  return {T::stringInformationAudioEqualizer(language), 4};
}

std::string unit_language_text(const AllSettingsContext& context) {
  const int product = context.product;
  const int language = context.language;
  if (facts(product).unit_language_text == UnitLanguageText::headset_unit_language ||
      (facts(product).unit_language_text == UnitLanguageText::headset_unit_language_before_1_1 && below(context.data, 1, 1)) ||
      (facts(product).unit_language_text == UnitLanguageText::headset_unit_language_known_speaker && speaker_type_known(context))) {
    return T::stringInformationHeadsetUnitLanguage(language);
  }
  if (facts(product).unit_language_text == UnitLanguageText::headset_language) return T::stringInformationHeadsetLanguage(language);
  if (facts(product).unit_language_text == UnitLanguageText::vexlink) return T::stringInformationUnitLanguageVexlink(language);
  return T::stringInformationUnitLanguage(language);
}

Text audio_veneer_text(int product, int language) {
  if (facts(product).veneer_text == VeneerText::braiding) return {T::stringInformationBluetoothIntercomAudioBraiding(language), 6};
  if (facts(product).veneer_text == VeneerText::plain) return {T::stringInformationAudioVeneer(language), 6};
  if (product == 0x5410) return {T::stringInformationAudioVeneerWN3(language), 2};
  if (facts(product).veneer_text == VeneerText::verrano) return {T::stringInformationAudioBraidingOneModuleForVerrano(language), 2};
  return {T::stringInformationAudioBraidingOneModule(language), 6};
}

std::string vox_sensitivity_text(int product, int language) {
  if (facts(product).vox_sensitivity_text == VoxSensitivityText::verrano) return T::stringInformationVOXSensitivityForVerrano(language);
  if (facts(product).vox_sensitivity_text == VoxSensitivityText::kestner) return T::stringInformationVOXSensitivityForKestner(language);
  if (facts(product).vox_sensitivity_text == VoxSensitivityText::gz3) return T::stringInformationVOXSensitivityGZ3(language);
  return T::stringInformationVOXSensitivity(language);
}

std::optional<Text> information_text(const AllSettingsContext& context, SettingAction action) {
  const int product = context.product;
  const int language = context.language;
  const auto label = [language](N name) { return strings::setting_name(name, language); };
  switch (action) {
    case A::VoicePrompt: return Text{T::stringInformationVoicePrompt(language), 2};
    case A::HVOX: return Text{T::stringInformationVOXPhone(language), 2};
    case A::IVOX:
      return Text{platform::format(T::stringInformationVOXIntercom(language), label(N::VOXIntercom),
                                   label(N::VOXIntercom)),
                  4};
    case A::AmbientHushControl:
      return Text{platform::format(T::stringInformationAmbientHushControl(language), label(N::AmbientHushControl)), 2};
    case A::Sidetone: return Text{T::stringInformationSidetone(language), 2};
    case A::AudioBoost: return Text{T::stringInformationAudioBoost(language), 2};
    case A::FMStationGuide: return Text{T::stringInformationFMStationGuide(language), 2};
    case A::HDIntercom:
      return Text{platform::format(T::stringInformationHDIntercom(language), label(N::HDIntercom)), 2};
    case A::HDVoice: return Text{T::stringInformationHDVoice(language), 2};
    case A::BitpoolRate: return Text{T::stringInformationBitpoolRate(language), 2};
    case A::VoiceAssistant: return Text{T::stringInformationVoiceAssistant(language), 2};
    case A::VoiceCommand: return Text{T::stringInformationVoiceCommand(language), 2};
    case A::EightWayIntercom:
      return Text{platform::format(T::stringInformationEightwayIntercom(language), label(N::EightWayIntercom),
                                   label(N::EightWayIntercom)),
                  2};
    case A::AudioBraiding:
      return Text{platform::format(T::stringInformationAudioBraiding(language), label(N::AudioBraiding),
                                   label(N::FMRadio)),
                  6};
    case A::AudioBraidingSensitivity:
      if (device_data::product_facts(product).two_modules) {
        return Text{platform::format(T::stringInformationIntercomAudioVeneerSesitivity(language),
                                     label(N::AudioBraiding)),
                    4};
      }
      return Text{T::stringInformationIntercomAudioVeneerSesitivityND4(language), 4};
    case A::NavigationAppOverlay:
      if (product == 0x4210) {
        return Text{platform::format(T::stringInformationNavigationAppOverlay(language), label(N::AudioBraiding),
                                     label(N::AudioBraiding)),
                    2};
      }
      // the other LM6 headsets name the row Audio Veneer Volume Management
      return Text{T::stringInformationAudioVeneerVolumeManagement(language), 4};
    case A::AudioVeneerVolumeManagement: return Text{T::stringInformationAudioVeneerVolumeManagement(language), 3};
    case A::AudioVeneer: return audio_veneer_text(product, language);
    case A::AudioSourcePriority: return Text{T::stringInformationAudioSourcePriority(language), 4};
    case A::SmartVolumeControl:
    case A::AGCSensitivity: return Text{T::stringInformationSmartVolumeControl(language), 2};
    case A::VOXSensitivity: return Text{vox_sensitivity_text(product, language), 2};
    case A::UnitLanguage: return Text{unit_language_text(context), 2};
    case A::AudioEqualizer: return equalizer_text(context);
    case A::HDSpeakerAccessory: return Text{T::stringInformationHDSpeakerAccessory(language), 2};
    case A::QorlanHDSPeakerAccessory:
      return Text{product == 0x3340 ? T::stringInformationHDSpeakerAccessorySelect(language)
                                    : T::stringInformationHDSpeakerAccessory(language),
                  2};
    case A::SpeakerSelect: return Text{T::stringInformationHDSpeakerAccessorySelect(language), 2};
    case A::MicSelect: return Text{T::stringInformationMicAccessorySelect(language), 2};
    case A::MeshGuestMode: return Text{T::stringInformationMeshGuestMode(language), 6};
    case A::MeshPublicChannel: return Text{T::stringInformationChannelSetting(language), 2};
    case A::MotionSensorSensitivity: return Text{T::stringInformationMotionSensorSensitivity(language), 2};
    case A::LEDControl: return Text{T::stringInformationLEDControl(language), 2};
    case A::UILayer: return Text{T::stringInformationUILayer(language), 2};
    case A::SmartNaviSystem:
    case A::SmartNaviSystem2: return Text{T::stringInformationSmartNaviSystem(language), 2};
    case A::AutoOnOff: return Text{T::stringInformationAutoOnOff(language), 2};
    case A::AutoOff: return Text{T::stringInformationAutoOff(language), 2};
    case A::SimpleUI: return Text{T::stringInformationSimpleUI(language), 2};
    case A::ESSStatus: return Text{T::stringInformationESSStatus(language), 2};
    case A::ESSSensitivity: return Text{T::stringInformationESSSensitivity(language), 2};
    case A::AutoStartRecording: return Text{T::stringInformationAutoStartRecording(language), 2};
    case A::PhotoMode: return Text{T::stringInformationPhotoMode(language), 2};
    case A::VideoMode: {
      const bool before_2_0 = below(context.data, 2, 0);
      return Text{T::stringInformationVideoMode(before_2_0, language), before_2_0 ? 2 : 4};
    }
    case A::VideoResolution: return Text{T::stringInformationVideoResolution(language), 2};
    case A::TimelapseInterval: return Text{T::stringInformationTimelapseInterval(language), 2};
    case A::VideoTaggingInterval: return Text{T::stringInformationVideoTaggingInterval(language), 2};
    case A::LoopRecordingInterval: return Text{T::stringInformationLoopRecordingInterval(language), 2};
    case A::VideoMicrophoneGain: return Text{T::stringInformationVideoMicrophoneGain(language), 2};
    case A::DateCaption: return Text{T::stringInformationDateCaption(language), 2};
    case A::SpeakerSoundRecording:
      return Text{platform::format(T::stringInformationSpeakerSoundRecording(language),
                                   label(N::SpeakerSoundRecording), label(N::SpeakerSoundRecording)),
                  4};
    case A::AutoCameraSleep:
      return Text{platform::format(T::stringInformationAutoCameraSleep(language), label(N::AutoCameraSleep),
                                   label(N::AutoCameraSleep)),
                  4};
    // no text of their own: the mesh dock's channel and volume, the camera's
    // recording sources and the remote's RTT row hide their buttons
    case A::RemoteUIPTT:
    case A::Channel:
    case A::Volume:
    case A::SpeakerSoundRecordingMusic:
    case A::SpeakerSoundRecordingFMRadio:
    case A::SpeakerSoundRecordingIntercom:
    case A::SpeakerSoundRecordingPhone:
    // the classic panel's own settings, never a row of the table
    case A::EDR:
    case A::PLC:
    case A::MicrophoneBoost:
    case A::AutoGainControl:
    case A::MeshMode:
    case A::MicGain:
    case A::RTG:
    case A::ACT: break;
  }
  return std::nullopt;
}

}  // namespace

bool all_settings_extra_step(SettingAction action, int product, const R& data, R& current) {
  switch (action) {
    case A::HDIntercom:
      if (!exclusive_audio(product)) return false;
      if (current.GetBasicSettingND4HDIntercom() == 1) current.SetBasicSettingND4AudioVeneer(0);
      return true;
    case A::HDVoice:
      if (!exclusive_audio(product)) return false;
      if (current.GetBasicSettingWQ8HDVoice() == 1) current.SetBasicSettingND4AudioVeneer(0);
      return true;
    case A::AudioVeneer:
      if (exclusive_audio(product)) {
        if (current.GetBasicSettingND4AudioVeneer() == 1) {
          current.SetBasicSettingND4HDIntercom(0);
          current.SetBasicSettingWQ8HDVoice(0);
        }
        return true;
      }
      // the older firmware's rows hang on nothing
      return !(product == 0x5410 && below(data, 1, 1));
    case A::AudioBraiding:
    case A::HDSpeakerAccessory:
    case A::QorlanHDSPeakerAccessory:
    case A::SpeakerSelect: return true;
    case A::SpeakerSoundRecording:
      if (product != k_recording_camera) return false;
      // recording the speaker with no source would record nothing: the usual three start on
      if (current.emptyCheckSpeakerSoundRecording()) {
        current.setBasicSettingVT4CameraSpeakerSoundRecordingMusic(1);
        current.setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio(1);
        current.setBasicSettingVT4CameraSpeakerSoundRecordingIntercom(1);
      }
      return true;
    case A::SpeakerSoundRecordingMusic:
    case A::SpeakerSoundRecordingFMRadio:
    case A::SpeakerSoundRecordingIntercom:
    case A::SpeakerSoundRecordingPhone:
      if (product != k_recording_camera || !current.emptyCheckSpeakerSoundRecording()) return false;
      // the last source off turns the recording of the speaker off
      current.setBasicSettingVT4CameraSpeakerSoundRecording(0);
      return true;
    default: return false;
  }
}

std::optional<session::MessageBoxRequest> all_settings_information(const AllSettingsContext& context,
                                                                   SettingAction action) {
  std::optional<Text> text;
  if (facts(context.product).few_information_texts && action != A::AudioEqualizer && action != A::HDVoice) {
    text = Text{std::string(), 2};
  } else {
    text = information_text(context, action);
  }
  if (!text) return std::nullopt;
  session::MessageBoxRequest box;
  box.message = std::move(text->message);
  box.warning = false;
  box.cancel_title = std::nullopt;
  box.ok_title = CommonTexts::vyla_string_ok_in(context.language);
  box.size = static_cast<session::MessageBoxSize>(text->size);
  box.purpose = session::MessageBoxPurpose::setting_information;
  return box;
}

}  // namespace settings
