#include "strings/setting_names.h"

#include <gtest/gtest.h>

#include <string>

#include "strings/language_table.h"
#include "strings/recognition_texts.h"
#include "strings/settings_texts.h"

namespace {

using enum strings::Language;
using strings::SettingName;

TEST(SettingNameTable, EveryNameHasItsEnglishTextAndEnglishStandsWhereNothingIsPrinted) {
  for (int index = 0; index < strings::k_setting_name_count; ++index) {
    const auto name = static_cast<SettingName>(index);
    SCOPED_TRACE(index);
    const std::string english = strings::setting_name(name, English);
    EXPECT_FALSE(english.empty());
    EXPECT_EQ(strings::setting_name(name, 13), english);
    EXPECT_EQ(strings::setting_name(name, -1), english);
  }
  // names of the restore table and the backup panel that no piece translates
  for (SettingName name : {SettingName::GuestMode, SettingName::VoicePrompt, SettingName::Date}) {
    for (int language = 0; language < strings::k_language_count; ++language) {
      EXPECT_EQ(strings::setting_name(name, language), strings::setting_name(name, English));
    }
  }
  EXPECT_EQ(strings::setting_name(SettingName::GuestMode, Korean), "Guest Mode");
  EXPECT_EQ(strings::setting_name(SettingName::IntercomAudioVeneerSensitivityCut, English),
            "Intercom-audio Veneer Sensi...");
  EXPECT_EQ(strings::setting_name(SettingName::AudioBraidingPlain, French), "Audio Braiding");
  EXPECT_EQ(strings::setting_name(SettingName::SpeakerSoundRecordingMusic, English), "▶ Music");
  EXPECT_EQ(strings::setting_name(SettingName::SpeedDial, German), "Kurzwahl");
}

TEST(SettingNameTable, PrintedTextsWinInEveryPageThatNamesASetting) {
  struct Case {
    int key;
    int language;
    const char* name;
  };
  const Case cases[] = {
      {664, German, "VOX-Sprechanlage"},
      {665, Korean, "음성으로 전화받기"},
      {684, French, "Gain de Transmission Radio"},
      {654, Spanish, "Config. Dispos."},
      {239, Japanese, "EDR"},
      {8833, Dutch, "Snelkeuze-instelling"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    ASSERT_TRUE(strings::setting_name_of_key(c.key));
    EXPECT_EQ(strings::setting_name(*strings::setting_name_of_key(c.key), c.language), c.name);
    // the recognition page's cannot-restore text and the save failure text name it alike
    EXPECT_NE(DeviceRecognitionTexts::vyla_string_cannot_restore_in(c.key, c.language).find(c.name),
              std::string::npos);
    EXPECT_NE(SettingsTexts::vyla_string_cannot_save_in(c.key, c.language).find(c.name), std::string::npos);
  }
  EXPECT_EQ(DeviceRecognitionTexts::vyla_string_cannot_restore_in(664, English), "Cannot restore VOX Intercom");
  // a key without a name: recognition leaves the label empty, a failed save names the device setting
  EXPECT_EQ(strings::setting_name_of_key(700), std::nullopt);
  EXPECT_EQ(DeviceRecognitionTexts::vyla_string_cannot_restore_in(700, English), "Cannot restore ");
  EXPECT_EQ(SettingsTexts::vyla_string_cannot_save_in(700, English), "Cannot save Device Setting");
}

}  // namespace
