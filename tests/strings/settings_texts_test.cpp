#include "strings/settings_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "strings/language.h"
#include "strings/language_table.h"
#include "strings/setting_names.h"

namespace {

using enum strings::Language;
using strings::SettingName;

const std::string k_auto_off =
    "[AUTO OFF]\nIf enabled, this feature will shut the system down automatically after 5 minutes with no active "
    "Bluetooth connection.  To turn the system on again, simply press the appropriate button.";
const std::string k_auto_off_deep_sleep =
    "[AUTO OFF]\nIf the helmet does no move for more than 60 seconds, the Y660 system goes into “deep sleep” mode.";

TEST(SettingsTexts, ButtonTitlesFollowTheirTableAndFallBackToEnglish) {
  struct Case {
    std::string (*operation)(int);
    int language;
    const char* expected;
  };
  const Case cases[] = {
      {SettingsTexts::vyla_string_save_in, Japanese, "保存"},
      {SettingsTexts::vyla_string_save_in, Chinese, "保存"},
      {SettingsTexts::vyla_string_save_in, Spanish, "GUARD."},
      {SettingsTexts::vyla_string_default_in, Italian, "DEFAULT"},
      {SettingsTexts::vyla_string_default_in, Russian, "ПО УМОЛЧ."},
      {SettingsTexts::vyla_string_more_settings_in, Czech, "MORE SETTINGS"},
      {SettingsTexts::vyla_string_more_settings_in, Polish, "MORE SETTINGS"},
      {SettingsTexts::vyla_string_more_settings_in, Finnish, "ENEMMÄN ASETUKSIA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.operation(c.language), c.expected);
  }
  for (int language : {0, 13, -1}) {
    SCOPED_TRACE(language);
    EXPECT_EQ(SettingsTexts::vyla_string_save_in(language), "SAVE");
    EXPECT_EQ(SettingsTexts::vyla_string_default_in(language), "DEFAULT");
    EXPECT_EQ(SettingsTexts::vyla_string_more_settings_in(language), "MORE SETTINGS");
    EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(682, language), "Cannot save Audio Channel Timeout");
  }
}

TEST(SettingsTexts, CannotSaveNamesTheSettingOfItsKeyInEveryLanguage) {
  EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(8832, English), "Cannot save Speed Dial Setting");
  EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(239, Japanese), "EDRを保存できません");
  EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(654, French), "Enreg. param. périph. impossible");
  EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(684, German), "Speichern der Radio-Übertragungsr. nicht möglich");
  EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(664, Korean), "음성으로 인터콤 연결을(를) 저장할 수 없음");
  EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(671, Dutch), "Kan Instelling van FM-radio niet opslaan.");
  for (int language = 0; language < strings::k_language_count; ++language) {
    SCOPED_TRACE(language);
    const std::string speed_dial = SettingsTexts::vyla_string_cannot_save_in(8832, language);
    EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(8833, language), speed_dial);
    EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(8834, language), speed_dial);
    EXPECT_NE(SettingsTexts::vyla_string_cannot_save_in(239, language).find("EDR"), std::string::npos);
    // a key with no table of its own still names something: the device setting
    EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(1, language),
              SettingsTexts::vyla_string_cannot_save_in(654, language));
    EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(-5, language),
              SettingsTexts::vyla_string_cannot_save_in(654, language));
  }
}

TEST(SettingsTexts, TimeoutUnitAndVideoModeFollowLanguageAndFirmware) {
  EXPECT_EQ(SettingsTexts::stringACTUnit(German), "Sekunden (3 ~ 60)");
  EXPECT_EQ(SettingsTexts::stringACTUnit(English), "seconds (3 ~ 60)");
  EXPECT_EQ(SettingsTexts::stringACTUnit(40), "seconds (3 ~ 60)");
  const std::string two_modes = SettingsTexts::stringInformationVideoMode(true, English);
  const std::string three_modes = SettingsTexts::stringInformationVideoMode(false, English);
  EXPECT_NE(two_modes.find("either video mode or timelapse mode"), std::string::npos);
  EXPECT_NE(three_modes.find("loop recording mode"), std::string::npos);
}

TEST(SettingsTexts, HelpTextsShareTheFormsTheirLanguagesRead) {
  const std::string auto_on_off = SettingsTexts::stringInformationAutoOnOff(English);
  const std::string auto_on_off_deep_sleep =
      "[Auto On-Off]\nIf the helmet does no move for more than 60 seconds, the Y660 system goes into “deep sleep” "
      "mode.";
  const std::string simple_ui = SettingsTexts::stringInformationSimpleUI(English);
  const std::string ess_status = SettingsTexts::stringInformationESSStatus(English);
  const std::string ess_sensitivity = SettingsTexts::stringInformationESSSensitivity(English);
  // languages 4, 5 and 8 to 10 read second forms; 11 and 12 read English except for auto on-off
  const std::vector<int> second_form = {Japanese, Korean, Russian, Chinese, Finnish};
  for (int language = 0; language < strings::k_language_count; ++language) {
    SCOPED_TRACE(language);
    const bool second = std::find(second_form.begin(), second_form.end(), language) != second_form.end();
    EXPECT_EQ(SettingsTexts::stringInformationAutoOff(language), second ? k_auto_off_deep_sleep : k_auto_off);
    EXPECT_EQ(SettingsTexts::stringInformationSimpleUI(language),
              second ? "[Simple User Interface]\nSimple User Interface" : simple_ui);
    EXPECT_EQ(SettingsTexts::stringInformationESSStatus(language) == ess_status, !second);
    EXPECT_EQ(SettingsTexts::stringInformationESSSensitivity(language) == ess_sensitivity, !second);
    const bool deep_sleep = second || language == Czech || language == Polish;
    EXPECT_EQ(SettingsTexts::stringInformationAutoOnOff(language), deep_sleep ? auto_on_off_deep_sleep : auto_on_off);
  }
  EXPECT_EQ(SettingsTexts::stringInformationAutoOff(Czech), k_auto_off);
  EXPECT_EQ(SettingsTexts::stringInformationAutoOff(Korean), k_auto_off_deep_sleep);
}

TEST(SettingsTexts, EveryHelpTextOpensWithItsBracketedTitle) {
  using Text = std::string (*)(int);
  const Text help_texts[] = {
      SettingsTexts::stringInformationPLC,
      SettingsTexts::stringInformationBitpoolRate,
      SettingsTexts::stringInformationMicrophoneBoost,
      SettingsTexts::stringInformationSidetone,
      SettingsTexts::stringInformationAmbientHushControl,
      SettingsTexts::stringInformationAutoGainControl,
      SettingsTexts::stringInformationAudioBoost,
      SettingsTexts::stringInformationMotionSensorSensitivity,
      SettingsTexts::stringInformationNavigationAppOverlay,
      SettingsTexts::stringInformationAudioBraiding,
      SettingsTexts::stringInformationIntercomAudioVeneerSesitivity,
      SettingsTexts::stringInformationRTG,
      SettingsTexts::stringInformationEDR43,
      SettingsTexts::stringInformationACT,
      SettingsTexts::stringInformationAutoOnOff,
      SettingsTexts::stringInformationVoiceAssistant,
      SettingsTexts::stringInformationAutoStartRecording,
      SettingsTexts::stringInformationIntercomAudioVeneerSesitivityND4,
      SettingsTexts::stringInformationVOXPhone,
      SettingsTexts::stringInformationVOXIntercom,
      SettingsTexts::stringInformationHDIntercom,
      SettingsTexts::stringInformationEightwayIntercom,
      SettingsTexts::stringInformationVoicePrompt,
      SettingsTexts::stringInformationFMStationGuide,
      SettingsTexts::stringInformationHDVoice,
      SettingsTexts::stringInformationUILayer,
      SettingsTexts::stringInformationAudioSourcePriority,
      SettingsTexts::stringInformationBluetoothIntercomAudioBraiding,
      SettingsTexts::stringInformationAudioBraidingOneModuleForVerrano,
      SettingsTexts::stringInformationAudioBraidingOneModule,
      SettingsTexts::stringInformationAudioVeneer,
      SettingsTexts::stringInformationAudioVeneerWN3,
      SettingsTexts::stringInformationAutoOff,
      SettingsTexts::stringInformationSimpleUI,
      SettingsTexts::stringInformationSmartNaviSystem,
      SettingsTexts::stringInformationSmartVolumeControl,
      SettingsTexts::stringInformationHDSpeakerAccessory,
      SettingsTexts::stringInformationHDSpeakerAccessorySelect,
      SettingsTexts::stringInformationMicAccessorySelect,
      SettingsTexts::stringInformationVOXSensitivity,
      SettingsTexts::stringInformationVOXSensitivityGZ3,
      SettingsTexts::stringInformationVOXSensitivityForVerrano,
      SettingsTexts::stringInformationVOXSensitivityForKestner,
      SettingsTexts::stringInformationPhotoMode,
      SettingsTexts::stringInformationVideoResolution,
      SettingsTexts::stringInformationTimelapseInterval,
      SettingsTexts::stringInformationVideoTaggingInterval,
      SettingsTexts::stringInformationLoopRecordingInterval,
      SettingsTexts::stringInformationVideoMicrophoneGain,
      SettingsTexts::stringInformationDateCaption,
      SettingsTexts::stringInformationSpeakerSoundRecording,
      SettingsTexts::stringInformationAutoCameraSleep,
      SettingsTexts::stringInformationMeshGuestMode,
      SettingsTexts::stringInformationAudioVeneerVolumeManagement,
      SettingsTexts::stringInformationLEDControl,
      SettingsTexts::stringInformationVoiceCommand,
      SettingsTexts::stringInformationChannelSetting,
      SettingsTexts::stringInformationHeadsetLanguage,
      SettingsTexts::stringInformationHeadsetUnitLanguage,
      SettingsTexts::stringInformationUnitLanguage,
      SettingsTexts::stringInformationUnitLanguageVexlink,
      SettingsTexts::stringInformationAudioEqualizer,
      SettingsTexts::stringInformationAudioEqualizerVQ,
      SettingsTexts::stringInformationAudioEqualizerRF,
      SettingsTexts::stringInformationESSStatus,
      SettingsTexts::stringInformationESSSensitivity,
  };
  for (const Text text : help_texts) {
    for (int language : {-1, 0, 5, 12, 13}) {
      const std::string help = text(language);
      SCOPED_TRACE(help);
      ASSERT_FALSE(help.empty());
      EXPECT_EQ(help.front(), '[');
      EXPECT_NE(help.find("]\n"), std::string::npos);
    }
  }
}

TEST(SettingNames, PrintedTranslationsAndEnglishElsewhere) {
  struct Case {
    SettingName name;
    int language;
    const char* expected;
  };
  const Case cases[] = {
      {SettingName::RadioTransmitGain, German, "Radio-Übertragungsr."},
      {SettingName::AudioChannelTimeout, Polish, "Limit czasu kanału audio"},
      {SettingName::VOXPhone, Russian, "Голосовая активация телефона"},
      {SettingName::EDR, Chinese, "EDR"},
      {SettingName::FMRadio, German, "UKW-Radio"},
      {SettingName::FMRadio, Finnish, "Radio"},
      {SettingName::FMRadio, Polish, "Radio FM"},
      // row labels without a translation of their own
      {SettingName::AmbientHushControl, Japanese, "Ambient Hush Control™"},
      {SettingName::IntercomAudioVeneerSensitivity, French, "Intercom-audio Veneer Sensitivity"},
      {SettingName::EDREnhancedDataRate, Czech, "EDR (Enhanced Data Rate)"},
      {SettingName::NavigationAppSupport, 20, "Navigation App Support"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(strings::setting_name(c.name, c.language), c.expected);
  }
}

}  // namespace
