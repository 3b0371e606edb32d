#include "strings/settings_texts.h"

#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/language.h"
#include "strings/language_table.h"
#include "strings/setting_names.h"

using strings::LocalizedTexts;
using strings::pick;
using strings::texts_of;
using enum strings::Language;

namespace {

// A text that languages 4, 5 and 8 to 10 read in a second English form and
// every other language in the first.
const std::string& pick_with_second_form(const LocalizedTexts& table, const std::string& second, int language) {
  switch (strings::effective_language(language)) {
    case Japanese:
    case Korean:
    case Russian:
    case Chinese:
    case Finnish:
      return second;
    default:
      return pick(table, language);
  }
}

// A text that no language has a translation of: every language reads it in English.
std::string untranslated(int /*language*/, const char* english) { return english; }

}  // namespace

std::string SettingsTexts::vyla_string_save_in(int language) {
  static const LocalizedTexts k_texts = {"SAVE",    "ENREGISTRER", "SPEICHERN", "SALVA",    "保存",   "저장",  "GUARD.",
                                       "OPSLAAN", "СОХРАНИТЬ",   "保存",      "TALLENNA", "ULOŽIT", "ZAPISZ"};
  return pick(k_texts, language);
}

std::string SettingsTexts::vyla_string_default_in(int language) {
  static const LocalizedTexts k_texts = {"DEFAULT", "DÉFAUT",  "STANDARD",  "DEFAULT",   "初期設定",
                                       "기본값",  "PREDEF.", "STANDAARD", "ПО УМОЛЧ.", "默认",
                                       "OLETUS",  "VÝCHOZÍ", "DOMYŚLNIE"};
  return pick(k_texts, language);
}

std::string SettingsTexts::stringSpeedDialEmpty(int language) {
  static const LocalizedTexts k_texts = {"Empty", "Vide",   "Leer",     "Vuoto",  "未入力",  "미설정", "Vacío",
                                       "Leeg",  "Пусто", "空",       "Tyhjä", "Prázdné", "Opróżnij"};
  return pick(k_texts, language);
}

std::string SettingsTexts::vyla_string_more_settings_in(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "MORE SETTINGS"},
                                                {French, "PLUS DE PARAMÈTRES"},
                                                {German, "WEITERE EINSTELLUNGEN"},
                                                {Italian, "ALTRE IMPOSTAZIONI"},
                                                {Japanese, "その他の設定"},
                                                {Korean, "설정 더보기"},
                                                {Spanish, "MÁS AJUSTES"},
                                                {Dutch, "MEER INSTELLINGEN"},
                                                {Russian, "ДОПОЛНИТЕЛЬНЫЕ НАСТРОЙКИ"},
                                                {Chinese, "更多设置"},
                                                {Finnish, "ENEMMÄN ASETUKSIA"}});
  return pick(k_texts, language);
}

std::string SettingsTexts::vyla_string_cannot_save_in(int key, int language) {
  static const LocalizedTexts k_formats = {"Cannot save %@",
                                         "Enreg. %@ impossible",
                                         "Speichern der %@ nicht möglich",
                                         "Impossibile salvare %@",
                                         "%@を保存できません",
                                         "%@을(를) 저장할 수 없음",
                                         "Impos. gu. %@",
                                         "Kan %@ niet opslaan.",
                                         "Не удалось сохранить %@",
                                         "无法保存 %@",
                                         "Ei voi tallentaa kohdetta %@",
                                         "Nelze uložit %@",
                                         "Nie można zapisać %@"};
  // a key without a name of its own names the device setting as a whole
  const strings::SettingName name = strings::setting_name_of_key(key).value_or(strings::SettingName::DeviceSetting);
  return platform::format(pick(k_formats, language), strings::setting_name(name, language));
}

std::string SettingsTexts::vyla_string_save_not_supported_in(int language) {
  static const LocalizedTexts k_texts = {"Not supported for this device",
                                       "Non pris en charge pour cet appareil",
                                       "Für dieses Gerät nicht unterstützt",
                                       "Non supportato per questo dispositivo",
                                       "このデバイスではサポートされていません",
                                       "이 장치에서는 지원되지 않음",
                                       "No compatible con este dispositivo",
                                       "Niet ondersteund voor dit apparaat",
                                       "Не поддерживается для этого устройства",
                                       "此设备不支持",
                                       "Ei tuettu tälle laitteelle",
                                       "Pro toto zařízení není podporováno",
                                       "Nieobsługiwane dla tego urządzenia"};
  return pick(k_texts, language);
}

std::string SettingsTexts::stringACTUnit(int language) {
  // the same format in every language, around the language's word for seconds
  return platform::format("%@ (3 ~ 60)", CommonTexts::vyla_string_seconds_in(language));
}

std::string SettingsTexts::stringInformationAutoOnOff(int language) {
  static const LocalizedTexts k_texts = texts_of(
      {{English,
        "[Auto On-Off]\nIf the helmet is not in use for more than 60 seconds (or 120 seconds, according to the "
        "model), the system enters deep sleep mode."}});
  static const std::string k_deep_sleep =
      "[Auto On-Off]\nIf the helmet does no move for more than 60 seconds, the Y660 system goes into “deep sleep” "
      "mode.";
  // Czech and Polish too read the deep-sleep text here
  switch (strings::effective_language(language)) {
    case Czech:
    case Polish:
      return k_deep_sleep;
    default:
      return pick_with_second_form(k_texts, k_deep_sleep, language);
  }
}

std::string SettingsTexts::stringInformationAutoOff(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English,
                 "[AUTO OFF]\nIf enabled, this feature will shut the system down automatically after 5 minutes with no "
                 "active Bluetooth connection.  To turn the system on again, simply press the appropriate button."}});
  static const std::string k_deep_sleep =
      "[AUTO OFF]\nIf the helmet does no move for more than 60 seconds, the Y660 system goes into “deep sleep” "
      "mode.";
  return pick_with_second_form(k_texts, k_deep_sleep, language);
}

std::string SettingsTexts::stringInformationSimpleUI(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English,
                 "[Simple Mode]\nIf enabled, this function allows you to use the system in simple mode (please see the "
                 "instruction manual)."}});
  static const std::string k_simple_user_interface = "[Simple User Interface]\nSimple User Interface";
  return pick_with_second_form(k_texts, k_simple_user_interface, language);
}

std::string SettingsTexts::stringInformationESSStatus(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "[ESS Configuration]\nFrom the drop down menu select the desired operating mode."}});
  static const std::string k_led_system =
      "[ESS Status]\nThe system is equipped with a LED system to assist emergency braking. In case of sudden "
      "braking, the LEDs on the Y640L flash for a few seconds.";
  return pick_with_second_form(k_texts, k_led_system, language);
}

std::string SettingsTexts::stringInformationESSSensitivity(int language) {
  static const LocalizedTexts k_texts = texts_of(
      {{English,
        "[ESS Sensitivity]\nLow level: the brake light is activated only if you brake hard.\nHigh level: the brake "
        "light  is activated even if you brake softly."}});
  static const std::string k_stop_signal =
      "[ESS Sensitivity]\nLow: the stop signal turns on during sudden braking only.\nHigh: the stop signal turns on "
      "during slight braking as well.";
  return pick_with_second_form(k_texts, k_stop_signal, language);
}

std::string SettingsTexts::stringInformationVideoMode(bool before_version_2_0, int language) {
  static const LocalizedTexts k_two_modes = texts_of(
      {{English,
        "[Video Mode]\nYou can select the video mode to be either video mode or timelapse mode. Video mode records a "
        "standard video while timelapse mode records series of photos at timed intervals and makes it into a "
        "video."}});
  static const LocalizedTexts k_three_modes = texts_of(
      {{English,
        "[Video Mode]\nYou can select the video mode to be video mode, timelapse mode, or loop recording mode. Video "
        "mode records a normal video. Timelaspe mode records series of photos at timed intervals and makes it into "
        "a video. Loop recording mode constantly records videos at timed intervals, replacing old video files when "
        "memory is full."}});
  return pick(before_version_2_0 ? k_two_modes : k_three_modes, language);
}

std::string SettingsTexts::stringNoteEDR(int language) {
  return untranslated(language,
                      "If you use Vasko Bluetooth onboard audio system (e.g. Vasko T950GT/GTL), please disable this "
                      "option.");
}

std::string SettingsTexts::stringNoteApply(int language) {
  return untranslated(language, "NOTE: Changes will be applied after device restarts.");
}

std::string SettingsTexts::stringMessageACT(int language) {
  return untranslated(language, "Audio Channel Timeout should be between 3 and 60. Enter valid value again.");
}

std::string SettingsTexts::stringInformationPLC(int language) {
  return untranslated(language,
                      "[Packet Loss Concealment]\nPLC (Packet Loss Concealment) algorithm is enabled from the "
                      "factory. It improves the audio quality of the intercom and mobile phone handsfree in the "
                      "presence of data packet errors within the Bluetooth link. It is recommended that this setting "
                      "is always enabled. However, if you feel that the audio from the intercom or mobile phone is "
                      "distorted in certain circumstances, you may be able to disable this setting and check it.");
}

std::string SettingsTexts::stringInformationBitpoolRate(int language) {
  return untranslated(language,
                      "[High Quality A2DP]\nThis option is enabled by default. Please disable it in case there are "
                      "frequent audio disconnections while listening to music.");
}

std::string SettingsTexts::stringInformationMicrophoneBoost(int language) {
  return untranslated(language,
                      "[Microphone Boosting]\nThis option is related with microphone gain setup in handsfree call and "
                      "enabled by default. If the microphone boosting is disabled, you may need to speak more loudly; "
                      "however, the environmental noise may become less along with the lowered microphone gain.");
}

std::string SettingsTexts::stringInformationSidetone(int language) {
  return untranslated(language,
                      "[Sidetone]\nIf enabled, this function allows the listening of your own voice during an "
                      "intercom or phone conversation.");
}

std::string SettingsTexts::stringInformationAmbientHushControl(int language) {
  return untranslated(language,
                      "[Ambient Hush Control™]\nIf enabled, this function reduces the background noise during an "
                      "intercom conversation.");
}

std::string SettingsTexts::stringInformationAutoGainControl(int language) {
  return untranslated(language,
                      "[Auto Gain Control]\nYou can use the auto gain control to keep the volume of recording sounds "
                      "constant regardless of the loudness. Auto gain control activates when the Bluetooth Mic "
                      "connects to the Fexo Audio Link Kit or the Fexo OPTRA. It is useful when you move a lot "
                      "wearing the Bluetooth Mic from the recording device.");
}

std::string SettingsTexts::stringInformationAudioBoost(int language) {
  return untranslated(language,
                      "[Audio Boost]\nIf enabled, this function allows the audio exploitation to the maximum levels.");
}

std::string SettingsTexts::stringInformationMotionSensorSensitivity(int language) {
  return untranslated(language,
                      "[Motion Sensor Sensitivity]\nThis setting determines the sensitivity when you double tap on "
                      "the surface of the LM6 to enter the voice command mode.");
}

std::string SettingsTexts::stringInformationNavigationAppOverlay(int language) {
  return untranslated(language,
                      "[Navigation App Support]\nWhen %@ is enabled, this feature allows you to hear audible "
                      "instructions from the smartphone's GPS app without lowering the volume. %@ must be enabled to "
                      "use this feature.");
}

std::string SettingsTexts::stringInformationAudioBraiding(int language) {
  return untranslated(language,
                      "[Audio Braiding™]\n%@ enables you to have an intercom conversation while listening to music, "
                      "%@, or GPS instructions. Other audio sources are played in the background at a lower volume "
                      "whenever an intercom conversation starts. When the conversation ends, the other audio resumes "
                      "at normal volume. If this feature is disabled, any incoming or outgoing intercom transmissions "
                      "will interrupt audio playback.");
}

std::string SettingsTexts::stringInformationIntercomAudioVeneerSesitivity(int language) {
  return untranslated(language,
                      "[Intercom-audio Veneer Sensitivity]\nWhen the %@ setting is enabled, if you talk over the "
                      "intercom while music is playing, then the music volume will be lowered to play in the "
                      "background. You can adjust the intercom sensitivity to activate this background music mode. "
                      "Level 1 has the lowest sensitivity and level 10 has the highest.");
}

std::string SettingsTexts::stringInformationRTG(int language) {
  return untranslated(language,
                      "[Radio Transmit Gain]\nRadio Transmit Gain is to adjust the microphone gain (Low, Medium, "
                      "High) for radio output amplification which is audio out from %@ to connected two-way radio. "
                      "Changing the Radio Transmit Gain does not affect the volume level of wired or wireless mobile "
                      "phone connected to %@.");
}

std::string SettingsTexts::stringInformationEDR43(int language) {
  return untranslated(language,
                      "[Enhanced Data Rate]\nIt is highly recommended to enable this option unless there are any "
                      "Bluetooth compatibility problems. If there are such problems, please contact technical support "
                      "(%@) to disable the EDR setting.");
}

std::string SettingsTexts::stringInformationACT(int language) {
  return untranslated(language,
                      "[Audio Channel Timeout]\nAudio Channel Timeout is audio idle time condition to close Bluetooth "
                      "Audio Channel between %@ and Bluetooth headset. Audio channel will automatically close if "
                      "there is no audio signal coming back from %@ for [Audio Channel Timeout] seconds. The default "
                      "value is 5 seconds.");
}

std::string SettingsTexts::stringInformationVoiceAssistant(int language) {
  return untranslated(language,
                      "[Voice Assistant]\nIf Voice Assistant is enabled, you can wake up Siri or Google Assistant "
                      "using a voice command, such as “Hey Siri” or “Hey Google”. If you do not want to wake up Siri "
                      "or Google Assistant with your voice, disable this feature.");
}

std::string SettingsTexts::stringInformationAutoStartRecording(int language) {
  return untranslated(language,
                      "[Auto Start Recording]\nWhen the Auto Start Recording setting is enabled, the camera will "
                      "automatically start recording video when the PLV-DT8C is powered on.");
}

std::string SettingsTexts::stringInformationIntercomAudioVeneerSesitivityND4(int language) {
  return untranslated(language,
                      "[Intercom-audio Veneer Sensitivity]\nThe music, FM radio and GPS volume will be lowered to "
                      "play in the background if you talk over the intercom while the overlaid audio is playing. You "
                      "can adjust the intercom sensitivity to activate this background audio mode. Level 1 has the "
                      "lowest sensitivity and level 5 has the highest sensitivity.");
}

std::string SettingsTexts::stringInformationVOXPhone(int language) {
  return untranslated(language,
                      "[VOX Phone]\nIf enabled, this function allows to answer incoming calls by uttering any word "
                      "sufficiently loudly.");
}

std::string SettingsTexts::stringInformationVOXIntercom(int language) {
  return untranslated(language,
                      "[VOX Intercom]\nIf enabled, and with systems already paired up, this function allows the "
                      "intercom connection by uttering any word sufficiently loudly.");
}

std::string SettingsTexts::stringInformationHDIntercom(int language) {
  return untranslated(language,
                      "[HD Intercom]\nIf enabled, this function turns the audio quality of the coupled  intercom from "
                      "standard to HD (High Definition).");
}

std::string SettingsTexts::stringInformationEightwayIntercom(int language) {
  return untranslated(language,
                      "[Eight-way Intercom]\nIf %@ is disabled, the default settings are optimized for four-way "
                      "intercom transmission. When %@ is enabled, the intercom settings are enhanced.");
}

std::string SettingsTexts::stringInformationVoicePrompt(int language) {
  return untranslated(language,
                      "[Voice Prompt]\nIf disabled, the audio messages of the system are reduced to essential and "
                      "necessary messages.");
}

std::string SettingsTexts::stringInformationFMStationGuide(int language) {
  return untranslated(language,
                      "[FM Station Guide]\nWhen FM Station Guide is enabled, FM station frequencies are given by "
                      "voice prompts. When disabled, FM station frequencies are not given except during scanning.");
}

std::string SettingsTexts::stringInformationHDVoice(int language) {
  return untranslated(language, "[HD Voice]\nHD Voice converts Hands-Free audio quality from normal to HD.");
}

std::string SettingsTexts::stringInformationUILayer(int language) {
  return untranslated(language,
                      "[Advanced features]\nAdvanced features activates the advanced features of headset buttons such "
                      "as conference call, fm scan.");
}

std::string SettingsTexts::stringInformationAudioSourcePriority(int language) {
  return untranslated(language,
                      "[Audio Source Priority]\nAudio Source Priority enables you to select either intercom or music "
                      "as a priority. If intercom is selected as the audio source priority, music will be muted "
                      "during an intercom conversation. If music is selected as the audio source priority, you cannot "
                      "have an intercom conversation while playing music.");
}

std::string SettingsTexts::stringInformationBluetoothIntercomAudioBraiding(int language) {
  return untranslated(language,
                      "[Bluetooth Intercom Audio Braiding™]\nAudio Braiding™ allows you to have an intercom "
                      "conversation while simultaneously listening to music, FM radio, or GPS smartphone app "
                      "instructions. The overlaid audio is played in the background with reduced volume whenever "
                      "there is an intercom conversation and will return to normal volume once the conversation is "
                      "finished. ");
}

std::string SettingsTexts::stringInformationAudioBraidingOneModuleForVerrano(int language) {
  return untranslated(language,
                      "[Audio Braiding]\nThe Audio Braiding function allows you to simultaneously listen to audio "
                      "coming from different sources.");
}

std::string SettingsTexts::stringInformationAudioBraidingOneModule(int language) {
  return untranslated(language,
                      "[Audio Braiding™]\nAudio Braiding™ enables you to have an intercom conversation and listen to "
                      "music, the FM radio and GPS directions without interruption. It also allows you to hear GPS "
                      "directions while listening to music or the FM radio without interruption. If it is disabled, "
                      "GPS directions will interrupt the intercom, music and the FM radio and talking over the "
                      "intercom will interrupt music and the FM radio.");
}

std::string SettingsTexts::stringInformationAudioVeneer(int language) {
  return untranslated(language,
                      "[Audio Veneer™]\nAudio Veneer™ enables you to have an intercom conversation and listen to "
                      "music, the FM radio and GPS directions without interruption. It also allows you to hear GPS "
                      "directions while listening to music or the FM radio without interruption. If it is disabled, "
                      "GPS directions will interrupt the intercom, music and the FM radio and talking over the "
                      "intercom will interrupt music and the FM radio.");
}

std::string SettingsTexts::stringInformationAudioVeneerWN3(int language) {
  return untranslated(language,
                      "[Audio Veneer™]\nAudio Veneer™ enables you to listen to music and GPS directions without "
                      "interruption. It also allows you to hear GPS directions while listening to music without "
                      "interruption. If it is disabled, GPS directions will interrupt the music.");
}

std::string SettingsTexts::stringInformationSmartNaviSystem(int language) {
  return untranslated(language,
                      "[Smart Navi System]\nIf Smart Navi System is enabled, the audio Intercom or FM Radio is "
                      "interrupted to allow the transmission of the smartphone's navigator directions and "
                      "automatically starts again when the directions are finished.");
}

std::string SettingsTexts::stringInformationSmartVolumeControl(int language) {
  return untranslated(language,
                      "[Smart Volume Control]\nWhen Smart Volume Control is enabled, music and FM radio volumes are "
                      "controlled automatically based on the level of the environmental noise.");
}

std::string SettingsTexts::stringInformationHDSpeakerAccessory(int language) {
  return untranslated(language,
                      "[HD Speaker Accessory]\nIf the “HD Speaker Accessory” setting is activated, you can hear "
                      "optimal sound from the connected HD speakers.");
}

std::string SettingsTexts::stringInformationHDSpeakerAccessorySelect(int language) {
  return untranslated(language, "[Speakers]\nSelect your speakers correctly to enjoy optimized audio quality.");
}

std::string SettingsTexts::stringInformationMicAccessorySelect(int language) {
  return untranslated(language,
                      "[Velmont Acoustics Mic]\nSelect your microphone correctly to enjoy optimized audio quality.");
}

std::string SettingsTexts::stringInformationVOXSensitivity(int language) {
  return untranslated(language,
                      "[VOX Sensitivity]\nThis feature determines the sensitivity level for VOX Phone and VOX "
                      "Intercom. Level 5 is the highest sensitivity setting and 1 is the lowest.\nDefault: 3");
}

std::string SettingsTexts::stringInformationVOXSensitivityGZ3(int language) {
  return untranslated(language,
                      "[VOX Sensitivity]\nThis feature determines the sensitivity level for VOX Phone. Level 1 has "
                      "the lowest sensitivity level and Level 5 has the highest sensitivity level.\nDefault: 3.");
}

std::string SettingsTexts::stringInformationVOXSensitivityForVerrano(int language) {
  return untranslated(language,
                      "[VOX Sensitivity]\nSetting of the sensitivity level for phone VOX and intercom VOX, from 5 "
                      "(highest level of sensitivity) to 1 (lowest level).");
}

std::string SettingsTexts::stringInformationVOXSensitivityForKestner(int language) {
  return untranslated(language,
                      "[VOX Sensitivity]\nThis feature determines the sensitivity level for VOX Phone and VOX "
                      "Intercom. The sensitivity level can be set to High, Medium or Low.\nDefault setting: Medium");
}

std::string SettingsTexts::stringInformationPhotoMode(int language) {
  return untranslated(language,
                      "[Photo Mode]\nYou can select the photo mode to be either single shot or burst shot. Single "
                      "shot takes a single photo while burst shot takes 10 photos in one second.");
}

std::string SettingsTexts::stringInformationVideoResolution(int language) {
  return untranslated(language,
                      "[Video Resolution]\nYou can select the video resolution to be 1080p/30fps, 720p/60fps, or "
                      "720p/30fps.");
}

std::string SettingsTexts::stringInformationTimelapseInterval(int language) {
  return untranslated(language,
                      "[Timelapse Interval]\nYou can select the timelapse interval to be either 1 second or 10 "
                      "seconds.");
}

std::string SettingsTexts::stringInformationVideoTaggingInterval(int language) {
  return untranslated(language,
                      "[Video Tagging Interval]\nYou can select the video tagging interval to be 1 min, 3 mins, or 5 "
                      "mins.");
}

std::string SettingsTexts::stringInformationLoopRecordingInterval(int language) {
  return untranslated(language,
                      "[Loop Recording Interval]\nYou can select the loop recording interval to be 1 min, 3 mins, or "
                      "5 mins.");
}

std::string SettingsTexts::stringInformationVideoMicrophoneGain(int language) {
  return untranslated(language,
                      "[Video Microphone Gain]\nYou can select the microphone gain on your video to be low, medium, "
                      "or high.");
}

std::string SettingsTexts::stringInformationDateCaption(int language) {
  return untranslated(language,
                      "[Date Caption]\nYou can record or hide date caption during video recording. Turn on the VT4 "
                      "Camera and the date will be synced with your phone automatically.");
}

std::string SettingsTexts::stringInformationSpeakerSoundRecording(int language) {
  return untranslated(language,
                      "[Speaker Sound Recording]\nYou can choose to turn on %@ and record everything you hear through "
                      "your speakers as well as your voice during video recording. Turn off %@ if you want to record "
                      "your voice only.");
}

std::string SettingsTexts::stringInformationAutoCameraSleep(int language) {
  return untranslated(language,
                      "[Auto Camera Sleep]\nYou can choose to turn on %@ and set the camera to automatically power "
                      "off after five minutes of inactivity. Turn off %@ if you do not want your camera to turn off "
                      "automatically.");
}

std::string SettingsTexts::stringInformationMeshGuestMode(int language) {
  return untranslated(language,
                      "[Guest Mode]\nGuest Mode allows a guest to listen to a closed Mesh conversation. The creator "
                      "of the Mesh needs to enable Guest Mode before creating the Mesh to allow guests. Guest Mode "
                      "can be enabled when the guest is in Public Mode and the Mesh Network connection information "
                      "has been removed. The guest needs to be within range of the Mesh to listen to the closed Mesh "
                      "conversation.");
}

std::string SettingsTexts::stringInformationAudioVeneerVolumeManagement(int language) {
  return untranslated(language,
                      "[Audio Veneer Volume Management]\nThe music, FM radio and GPS overlaid audio reduce in volume "
                      "whenever there is an ongoing intercom conversation. If Audio Veneer Volume Management is "
                      "enabled, the volume level of the overlaid audio will not be reduced during an intercom "
                      "conversation.");
}

std::string SettingsTexts::stringInformationLEDControl(int language) {
  return untranslated(language,
                      "[White LED Always On]\nWhen White LED Always On is enabled, the status LED will remain solid "
                      "white. Enabling White LED Always On on the headset will reduces battery usage time.");
}

std::string SettingsTexts::stringInformationVoiceCommand(int language) {
  return untranslated(language,
                      "[Voice Command]\nThe voice command of the headset allows you to operate certain operations by "
                      "simply using your voice. You can control the headset completely handsfree using the voice "
                      "recognition.");
}

std::string SettingsTexts::stringInformationChannelSetting(int language) {
  return untranslated(language,
                      "[Channel Setting]\nIf the Mesh intercom communication experiences interference because other "
                      "groups are also using Mesh, change the channel.");
}

std::string SettingsTexts::stringInformationHeadsetLanguage(int language) {
  return untranslated(language, "[Headset Language]\nSelect your voice prompt and voice command language.");
}

std::string SettingsTexts::stringInformationHeadsetUnitLanguage(int language) {
  return untranslated(language, "[Headset Language]\nSelect your voice prompt language.");
}

std::string SettingsTexts::stringInformationUnitLanguage(int language) {
  return untranslated(language, "[Unit Language]\nSelect your voice prompt language.");
}

std::string SettingsTexts::stringInformationUnitLanguageVexlink(int language) {
  return untranslated(language, "[Language]\nSelect your voice prompt language.");
}

std::string SettingsTexts::stringInformationAudioEqualizer(int language) {
  return untranslated(language,
                      "[Audio Equalizer]\nIncrease / decrease the decibel level of different frequency ranges of "
                      "audio. Off will not make any changes to the audio. Balance will adjust all of the frequency "
                      "ranges to be the same volume level (0 dB). Bass Boost will increase the bass range of audio "
                      "(20 Hz - 250 Hz). Mid Boost will increase the mid range of audio (250 Hz - 4 kHz). Treble "
                      "Boost will increase the high range of audio (4 kHz - 20 kHz).");
}

std::string SettingsTexts::stringInformationAudioEqualizerVQ(int language) {
  return untranslated(
      language,
      "[Audio Equalizer]\nIncrease / decrease the decibel level of different frequency ranges of "
      "audio. Music Balance will adjust the frequency response to give the most natural balance "
      "between lows, mids, and highs. Music Enhanced will lower the midrange frequencies slightly. "
      "Voice will increase the midrange frequencies of the human voice and reduce environmental noise "
      "to improve the clarity with voice communication. Bass Boost will increase the bass range of "
      "audio (130 Hz and below). Treble Boost will increase the high range of audio (6 kHz and above).");
}

std::string SettingsTexts::stringInformationAudioEqualizerRF(int language) {
  return untranslated(language,
                      "[Audio Equalizer]\nIncrease / decrease the decibel level of different frequency ranges of "
                      "audio. Music Balance will adjust the frequency response to give the most natural balance "
                      "between lows, mids, and highs. Music Enhanced will lower the midrange frequencies slightly. "
                      "Voice will increase the midrange frequencies of the human voice and reduce environmental noise "
                      "to improve the clarity with voice communication. Bass Boost will increase the bass range of "
                      "audio. Treble Boost will increase the high range of audio.");
}
