// The settings page's editing core, driven through a recording controller.
#include "settings/settings_editor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "strings/menu_texts.h"
#include "strings/settings_texts.h"
#include "support/fake_settings_host.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using settings::MessageBoxRequest;
using settings::SettingAction;
using settings::SettingsEditor;

using FakeHost = test_support::FakeSettingsHost;

bool same(const Record& a, const Record& b) { return a.archived_bytes() == b.archived_bytes(); }

class SettingsEditorTest : public ::testing::Test {
 protected:
  // The page opens on `product` at firmware major.minor; `prepare` sets the
  // device's values first.
  void open(int product, int major = 1, int minor = 0, const std::function<void(Record&)>& prepare = {}) {
    host.target = product;
    host.device = Record();
    host.device.setDeviceRecognized(product);
    host.device.setDeviceVersionMajor(major);
    host.device.setDeviceVersionMinor(minor);
    // recognition leaves the speed dials read, never nil
    for (int index = 0; index < Record::k_speed_dial_count; ++index) host.device.setSpeedDialAt_with(index, "");
    if (prepare) prepare(host.device);
    editor.initializeObject();
  }

  FakeHost host;
  SettingsEditor editor{host};
};

// ---- change detection ----

TEST_F(SettingsEditorTest, ChangeDetectionCountsOnlyWhatTheProductSaves) {
  using Edit = std::function<void(SettingsEditor&, Record & device)>;
  struct Case {
    const char* name;
    int product;
    int major;
    int minor;
    Edit edit;
    bool changed;
  };
  const Case cases[] = {
      {"nothing edited", 0x4210, 1, 0, [](SettingsEditor&, Record&) {}, false},
      {"0x4D10 3.9: intercom VOX", 0x4D10, 3, 9, [](SettingsEditor& e, Record&) { e.changeIVOX(0); }, true},
      {"0x4D10 3.9: phone VOX", 0x4D10, 3, 9, [](SettingsEditor& e, Record&) { e.changeHVOX(0); }, true},
      {"0x4D10 3.9: EDR", 0x4D10, 3, 9, [](SettingsEditor& e, Record&) { e.changeEDR(1); }, true},
      {"0x4D10 3.9: PLC does not count", 0x4D10, 3, 9, [](SettingsEditor& e, Record&) { e.changePLC(0); }, false},
      {"0x4D10 4.0: PLC in the packed word", 0x4D10, 4, 0, [](SettingsEditor& e, Record&) { e.changePLC(0); }, true},
      {"0x4D10 4.0: general words do not count", 0x4D10, 4, 0,
       [](SettingsEditor&, Record& d) { d.setBasicSetting20At_with(0, 5); }, false},
      {"0x5622 1.0: VOX sensitivity alone does not count", 0x5622, 1, 0,
       [](SettingsEditor& e, Record&) { e.changeVOXSensitivity(2); }, false},
      {"0x5622 1.1: VOX sensitivity counts", 0x5622, 1, 1,
       [](SettingsEditor& e, Record&) { e.changeVOXSensitivity(2); }, true},
      {"0x5622 1.0: smart volume counts", 0x5622, 1, 0,
       [](SettingsEditor& e, Record&) { e.changeSmartVolumeControl(1); }, true},
      {"0x0001 is saved by no row", 0x0001, 1, 0,
       [](SettingsEditor& e, Record& d) {
         e.changeIVOX(0);
         e.changeAudioBoost(1);
         d.setBasicSetting20At_with(2, 0x1234);
       },
       false},
      {"0x4210: FM block and speed dials belong to other pages", 0x4210, 1, 0,
       [](SettingsEditor&, Record& d) {
         d.setFmRadioRegion(2);
         d.setFmRadioPresetsAt_with(0, 8750);
         d.setSpeedDialAt_with(0, "112");
       },
       false},
      {"0x6000: FM block and speed dials belong to other pages", 0x6000, 1, 0,
       [](SettingsEditor&, Record& d) {
         d.setFmRadioRDS(1);
         d.setSpeedDialAt_with(2, "0800");
       },
       false},
      {"0x4210: a general word", 0x4210, 1, 0, [](SettingsEditor& e, Record&) { e.changeAudioBoost(0); }, true},
      {"0x3150: its general words are saved", 0x3150, 1, 0, [](SettingsEditor& e, Record&) { e.changeVoicePrompt(1); },
       true},
      {"0x3161: general words", 0x3161, 1, 0, [](SettingsEditor& e, Record&) { e.changeUnitLanguage(2); }, true},
      {"0x5210: radio transmit gain", 0x5210, 1, 0, [](SettingsEditor& e, Record&) { e.changeRTG(0); }, true},
      {"0x5210: audio channel timeout", 0x5210, 1, 0, [](SettingsEditor& e, Record&) { e.checkACT("30", 30); }, true},
      {"0x5510: camera words", 0x5510, 1, 0, [](SettingsEditor& e, Record&) { e.changeDateCaption(0); }, true},
      {"0x5576: second packed word", 0x5576, 1, 0, [](SettingsEditor& e, Record&) { e.changeAutoStartRecording(1); },
       true},
      {"0x5424: smart volume word", 0x5424, 1, 0, [](SettingsEditor& e, Record&) { e.changeSmartVolumeControl(2); },
       true},
      {"0x5610: VOX sensitivity words do not count", 0x5610, 1, 0,
       [](SettingsEditor& e, Record&) { e.changeVOXSensitivity(4); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(c.product, c.major, c.minor);
    c.edit(editor, host.device);
    EXPECT_EQ(editor.isSettingsChanged(), c.changed);
  }
}

TEST_F(SettingsEditorTest, TheHb6FamilyLogsItsPackedWordsAndDefaultWords) {
  const auto console_of = [](const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
  };
  // the change check writes the device's and the edited packed word before comparing them
  open(0x5595);
  editor.changeHVOX(0);
  ASSERT_NE(host.device.getSettings40(), editor.dataCurrent().getSettings40());
  EXPECT_EQ(console_of([&] { EXPECT_TRUE(editor.isSettingsChanged()); }),
            platform::format("ARABIC V %X %X\n", host.device.getSettings40(), editor.dataCurrent().getSettings40()));
  // a product that compares the same words logs nothing
  open(0x3070);
  editor.changeHVOX(0);
  EXPECT_EQ(console_of([&] { editor.isSettingsChanged(); }), "");

  // Default first writes the device's words 0 and 1, then copies word 1
  open(0x5595, 1, 0, [](Record& d) {
    d.setBasicSetting20At_with(0, 0x12);
    d.setBasicSetting20At_with(1, 0xAB);
  });
  EXPECT_THAT(console_of([&] { editor.changeToDefault(); }), testing::StartsWith("ARABIC 12 AB\n"));
}

// ---- factory defaults and the device's values ----

TEST_F(SettingsEditorTest, DefaultKeepsTheDeviceWordsTheProductKeeps) {
  constexpr int32_t k_device_word3 = 0x2C8F;  // mesh public channel 2 in bits 6-9
  open(0x3128, 1, 0, [](Record& d) { d.setBasicSetting20At_with(3, k_device_word3); });
  ASSERT_TRUE(editor.changeToDefault());
  EXPECT_EQ(editor.dataCurrent().basicSettingLM6(3), (k_device_word3 & ~0x3C0) | (1 << 6));
  EXPECT_EQ(editor.dataCurrent().GetBasicSettingDK3MorrimMeshPublicChannel(), 1);

  // 0x3112 below 3.0 copies and forces nothing: the factory defaults as they are
  open(0x3112, 2, 9, [](Record& d) { d.setBasicSetting20At_with(3, 0x7FFF); });
  const Record factory = Record::makeDefaultDataWithSource(host.device);
  ASSERT_TRUE(editor.changeToDefault());
  EXPECT_EQ(editor.dataCurrent().compareBasicSettingLM6With(factory), 0);

  // from 3.0 it keeps word 3 with the HD speaker and equalizer cleared
  open(0x3112, 3, 0, [](Record& d) { d.setBasicSetting20At_with(3, 0x7FFF); });
  ASSERT_TRUE(editor.changeToDefault());
  EXPECT_EQ(editor.dataCurrent().basicSettingLM6(3), 0x7FFF & ~(1 << 10) & ~(0x7 << 11));

  // 0x3110 keeps word 3; its equalizer is reset only from 3.1
  for (int minor : {0, 1}) {
    open(0x3110, 3, minor, [](Record& d) { d.SetBasicSetting30Equalizer(3); });
    ASSERT_TRUE(editor.changeToDefault());
    EXPECT_EQ(editor.dataCurrent().GetBasicSetting30Equalizer(), minor == 0 ? 3 : 0) << minor;
  }

  // 0x4D06 keeps words 0 and 1 and forces four switches
  open(0x4D06, 1, 0, [](Record& d) {
    d.setBasicSetting20At_with(0, 0x0104);  // EDR and sidetone on
    d.setBasicSetting20At_with(1, 0x00AB);
  });
  ASSERT_TRUE(editor.changeToDefault());
  EXPECT_EQ(editor.dataCurrent().basicSettingLM6(1), 0x00AB);
  EXPECT_EQ(editor.dataCurrent().GetBasicSettingND4VOXPhone(), 1);
  EXPECT_EQ(editor.dataCurrent().GetBasicSettingEDR(), 0);
  EXPECT_EQ(editor.dataCurrent().GetBasicSettingND4HighQulityA2DP(), 1);
  EXPECT_EQ(editor.dataCurrent().GetBasicSettingND4Sidetone(), 0);
}

TEST_F(SettingsEditorTest, DefaultTwiceIsDefaultOnceAndCancelRestoresTheDevice) {
  open(0x3211, 2, 1, [](Record& d) {
    d.setBasicSetting20At_with(3, 0x1234);
    d.setBasicSetting20At_with(4, 0x0F0F);
    d.setDeviceVersionMajor01(7);
    d.setDeviceSecondaryVersion02(9);
    d.setRadioTransmitGain(14);
  });
  ASSERT_TRUE(editor.changeToDefault());
  const Record once = editor.dataCurrent();
  editor.changeAudioBoost(0);
  ASSERT_TRUE(editor.changeToDefault());
  EXPECT_TRUE(same(editor.dataCurrent(), once));

  ASSERT_TRUE(editor.changeToOriginal());
  EXPECT_TRUE(same(editor.dataCurrent(), host.device));
  EXPECT_EQ(editor.dataCurrent().deviceVersionMajor01(), 7);
  EXPECT_EQ(editor.dataCurrent().deviceSecondaryVersion02(), 9);
  EXPECT_FALSE(editor.isSettingsChanged());
}

// ---- leaving the page ----

TEST_F(SettingsEditorTest, LeavingWithChangesAsksInTheInterfaceLanguage) {
  host.language = strings::German;
  open(0x4210);
  EXPECT_FALSE(editor.checkNeedToSave());
  EXPECT_TRUE(host.save_prompts.empty());

  editor.changeSidetone(0);
  ASSERT_TRUE(editor.checkNeedToSave());
  ASSERT_EQ(host.save_prompts.size(), 1u);
  const MessageBoxRequest& prompt = host.save_prompts[0];
  EXPECT_EQ(prompt.message, MenuTexts::stringPromptSave(strings::German));
  EXPECT_FALSE(prompt.warning);
  EXPECT_EQ(prompt.cancel_title, CommonTexts::vyla_string_no_in(strings::German));
  EXPECT_EQ(prompt.ok_title, CommonTexts::vyla_string_yes_in(strings::German));
  EXPECT_EQ(prompt.size, session::MessageBoxSize::w420_h115);
  EXPECT_EQ(prompt.purpose, session::MessageBoxPurpose::save_settings);
  EXPECT_TRUE(host.boxes.empty());

  // No on the way to the firmware update page: edits gone, page 5 opens
  editor.moveToModeToGo(5);
  EXPECT_TRUE(same(editor.dataCurrent(), host.device));
  EXPECT_EQ(host.modes, std::vector<int>{5});
  EXPECT_EQ(host.pages, std::vector<int>{5});

  // a save's way back (page plus 100) records the mode and opens the page
  editor.changeSidetone(0);
  editor.moveToModeToGo(105);
  EXPECT_EQ(host.modes.back(), 105);
  EXPECT_EQ(host.pages.back(), 5);
  EXPECT_FALSE(editor.isSettingsChanged());
}

// ---- setting actions ----

TEST_F(SettingsEditorTest, ActionsWriteByTheFamilyOfTheProduct) {
  using Prepare = std::function<void(Record&)>;
  using Check = std::function<void(const Record& edited, const Record& device)>;
  struct Case {
    const char* name;
    int product;
    SettingAction action;
    int choice;
    Prepare prepare;
    Check check;
  };
  const Prepare nothing = [](Record&) {};
  const Case cases[] = {
      {"LM6 braiding sensitivity, first item", 0x4310, SettingAction::AudioBraidingSensitivity, 0, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.basicSettingLM6(0), 10); }},
      {"LM6 braiding sensitivity, sixth item", 0x4310, SettingAction::AudioBraidingSensitivity, 5, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.basicSettingLM6(0), 5); }},
      {"LM6 braiding sensitivity, nothing selected", 0x4310, SettingAction::AudioBraidingSensitivity, -1,
       [](Record& d) { d.setBasicSetting20At_with(0, 7); },
       [](const Record& r, const Record&) { EXPECT_EQ(r.basicSettingLM6(0), 7); }},
      {"AirohaA braiding sensitivity, first item", 0x6800, SettingAction::AudioBraidingSensitivity, 0,
       [](Record& d) { d.SetBasicSettingAirohaIntercomAudioVeneerSensitivity(9); },
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingAirohaIntercomAudioVeneerSensitivity(), 0); }},
      {"0x4210 HD speaker on clears audio boost", 0x4210, SettingAction::HDSpeakerAccessory, 0,
       [](Record& d) { d.setBasicSettingLM6AudioBoost(1); },
       [](const Record& r, const Record&) {
         EXPECT_EQ(r.getBasicSettingLM6HDSpeakerAccessory(), 1);
         EXPECT_EQ(r.getBasicSettingLM6AudioBoost(), 0);
       }},
      {"0x4210 HD speaker off leaves audio boost", 0x4210, SettingAction::HDSpeakerAccessory, 1,
       [](Record& d) {
         d.setBasicSettingLM6AudioBoost(1);
         d.setBasicSettingLM6HDSpeakerAccessory(1);
       },
       [](const Record& r, const Record&) {
         EXPECT_EQ(r.getBasicSettingLM6HDSpeakerAccessory(), 0);
         EXPECT_EQ(r.getBasicSettingLM6AudioBoost(), 1);
       }},
      {"HD speaker on an unlisted product", 0x4310, SettingAction::HDSpeakerAccessory, 0,
       [](Record& d) { d.setBasicSettingLM6AudioBoost(1); },
       [](const Record& r, const Record& d) { EXPECT_TRUE(same(r, d)); }},
      {"0x3215 HD speaker writes the ND4 bit and sets audio boost", 0x3215, SettingAction::HDSpeakerAccessory, 0,
       nothing,
       [](const Record& r, const Record&) {
         EXPECT_EQ(r.GetBasicSettingND4HDSpeakerAccessory(), 1);
         EXPECT_EQ(r.GetBasicSettingND4AudioBoost(), 1);
       }},
      {"0x5570 HD speaker sets the record's audio boost", 0x5570, SettingAction::HDSpeakerAccessory, 0, nothing,
       [](const Record& r, const Record&) {
         EXPECT_EQ(r.getBasicSettingHIDOneModuleHDSpeakerAccessory(), 1);
         EXPECT_EQ(r.audioBoost(), 1);
       }},
      {"mic gain, fourth item writes nothing", 0x5410, SettingAction::MicGain, 3, nothing,
       [](const Record& r, const Record& d) { EXPECT_TRUE(same(r, d)); }},
      {"mic gain, second item", 0x5410, SettingAction::MicGain, 1, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.getMicGain(), 3); }},
      {"mic gain, third item", 0x5410, SettingAction::MicGain, 2, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.getMicGain(), 5); }},
      {"0x6038 VOX sensitivity in slot 0", 0x6038, SettingAction::VOXSensitivity, 2, nothing,
       [](const Record& r, const Record&) {
         EXPECT_EQ(r.basicSettingKR5VOXSensitivityAt(0), 3);
         EXPECT_EQ(r.basicSettingLM6(1), 0);
       }},
      {"ND4 VOX sensitivity", 0x3110, SettingAction::VOXSensitivity, 2, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingND4VoxSensitivity(), 3); }},
      {"0x3128 mesh channel, first item", 0x3128, SettingAction::MeshPublicChannel, 0, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingDK3MorrimMeshPublicChannel(), 1); }},
      {"0x3161 mesh channel, first item", 0x3161, SettingAction::MeshPublicChannel, 0,
       [](Record& d) { d.SetBasicSettingVelandraMeshPublicChannel(5); },
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingVelandraMeshPublicChannel(), 0); }},
      {"ND4 mesh channel, first item", 0x3110, SettingAction::MeshPublicChannel, 0,
       [](Record& d) { d.SetBasicSettingND4MeshPublicChannel(4); },
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingND4MeshPublicChannel(), 0); }},
      {"gain Low", 0x5210, SettingAction::RTG, 0, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.radioTransmitGain(), 12); }},
      {"gain Medium", 0x5210, SettingAction::RTG, 1, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.radioTransmitGain(), 15); }},
      {"gain High", 0x5210, SettingAction::RTG, 2, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.radioTransmitGain(), 17); }},
      {"gain: no fourth cell", 0x5210, SettingAction::RTG, 3, [](Record& d) { d.setRadioTransmitGain(14); },
       [](const Record& r, const Record&) { EXPECT_EQ(r.radioTransmitGain(), 14); }},
      {"0x5424 smart volume in the TJ4 word", 0x5424, SettingAction::SmartVolumeControl, 2, nothing,
       [](const Record& r, const Record&) {
         EXPECT_EQ(r.basicSettingTJ4SmartVolumeControlAt(0), 2);
         EXPECT_EQ(r.basicSettingLM6(2), 0);
       }},
      {"LM6 smart volume in word 2", 0x4210, SettingAction::SmartVolumeControl, 2, nothing,
       [](const Record& r, const Record&) {
         EXPECT_EQ(r.getBasicSettingLM6SmartVolumeControl(), 2);
         EXPECT_EQ(r.basicSettingTJ4SmartVolumeControlAt(0), 0);
       }},
      {"0x3142 veneer volume management: Enable writes 1 (bit cleared)", 0x3142,
       SettingAction::AudioVeneerVolumeManagement, 0,
       [](Record& d) { d.SetBasicSettingND4AudioVeneerVolumeManagement(0); },
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingND4AudioVeneerVolumeManagement(), 0); }},
      {"ND4 veneer volume management: Enable writes 0 (bit set)", 0x3110, SettingAction::AudioVeneerVolumeManagement, 0,
       nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingND4AudioVeneerVolumeManagement(), 1); }},
      {"0x4D76 VOX intercom in the ND4 word", 0x4D76, SettingAction::IVOX, 0, nothing,
       [](const Record& r, const Record&) {
         EXPECT_EQ(r.GetBasicSettingND4VOXIntercom(), 1);
         EXPECT_EQ(r.intercomVOX(), 0);
       }},
      {"4D EDR: Enable writes 0", 0x4D06, SettingAction::EDR, 0, [](Record& d) { d.SetBasicSettingEDR(1); },
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingEDR(), 0); }},
      {"Qorlan unit language", 0x3310, SettingAction::UnitLanguage, 3, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSettingQorlanUnitLanguage(0x3310), 3); }},
      {"unit language of a product without one", 0x5610, SettingAction::UnitLanguage, 3, nothing,
       [](const Record& r, const Record& d) { EXPECT_TRUE(same(r, d)); }},
      {"0x3110 equalizer", 0x3110, SettingAction::AudioEqualizer, 2, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.GetBasicSetting30Equalizer(), 2); }},
      {"LED control only on 0x4610", 0x4310, SettingAction::LEDControl, 0, nothing,
       [](const Record& r, const Record& d) { EXPECT_TRUE(same(r, d)); }},
      {"mesh dock volume", 0x6900, SettingAction::Volume, 3, nothing,
       [](const Record& r, const Record&) { EXPECT_EQ(r.basicSettingNetdockVolumeAt(1), 11); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(c.product, 1, 0, c.prepare);
    ASSERT_TRUE(editor.change(c.action, c.choice));
    c.check(editor.dataCurrent(), host.device);
  }
}

TEST_F(SettingsEditorTest, EveryActionWaitsForARunningOperationAndClosesTheTabList) {
  for (int action = 0; action <= static_cast<int>(SettingAction::RTG); ++action) {
    SCOPED_TRACE(action);
    open(0x4210);
    host.tabs_opened = true;
    host.tab_list_shown.clear();
    host.processing = true;
    EXPECT_FALSE(editor.change(static_cast<SettingAction>(action), 0));
    EXPECT_TRUE(same(editor.dataCurrent(), host.device));
    EXPECT_TRUE(host.tabs_opened);
    EXPECT_TRUE(host.tab_list_shown.empty());

    host.processing = false;
    EXPECT_TRUE(editor.change(static_cast<SettingAction>(action), 0));
    EXPECT_FALSE(host.tabs_opened);
    EXPECT_EQ(host.tab_list_shown, std::vector<bool>{false});
  }
  // the buttons share the guard
  host.processing = true;
  host.device.setBasicSetting20At_with(2, 0x0080);
  EXPECT_FALSE(editor.changeToDefault());
  EXPECT_FALSE(editor.changeToOriginal());
  EXPECT_FALSE(editor.changeACT_field("30", 5).has_value());
  EXPECT_FALSE(editor.changeACT_stepper(30).has_value());
  EXPECT_TRUE(editor.isSettingsChanged()) << "the working copy was left alone";
}

// ---- audio channel timeout ----

TEST_F(SettingsEditorTest, TimeoutFieldTakesThreeToSixtySeconds) {
  struct Case {
    const char* text;
    double stepper;
    bool accepted;
    int value;
  };
  const Case cases[] = {
      {"3", 9, true, 3},    {"60", 9, true, 60}, {"12abc", 9, true, 12},
      {"2", 9.7, false, 9}, {"61", 5, false, 5}, {"abc", 5, false, 5},
      {"", 7, false, 7},    {"-4", 7, false, 7}, {"99999999999", 7, false, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    open(0x5210, 1, 0, [](Record& d) { d.setAudioChannelTimeout(8); });
    host.boxes.clear();
    const settings::ACTCheck check = editor.checkACT(c.text, c.stepper);
    EXPECT_EQ(check.accepted, c.accepted);
    EXPECT_EQ(check.value, c.value);
    EXPECT_EQ(editor.dataCurrent().audioChannelTimeout(), c.accepted ? c.value : 8);
    if (c.accepted) {
      EXPECT_TRUE(host.boxes.empty());
      continue;
    }
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].message, SettingsTexts::stringMessageACT(0));
    EXPECT_TRUE(host.boxes[0].warning);
    EXPECT_FALSE(host.boxes[0].cancel_title.has_value());
    EXPECT_EQ(host.boxes[0].ok_title, CommonTexts::vyla_string_ok_in(0));
    EXPECT_EQ(host.boxes[0].size, session::MessageBoxSize::w420_h115);
    EXPECT_EQ(host.boxes[0].purpose, session::MessageBoxPurpose::notice);
  }

  // the stepper writes its own value without the check; the field's action checks
  open(0x5210);
  host.boxes.clear();
  EXPECT_EQ(editor.changeACT_stepper(75.9), 75);
  EXPECT_EQ(editor.dataCurrent().audioChannelTimeout(), 75);
  EXPECT_TRUE(host.boxes.empty());
  const std::optional<settings::ACTCheck> typed = editor.changeACT_field("61", 75);
  ASSERT_TRUE(typed.has_value());
  EXPECT_FALSE(typed->accepted);
  EXPECT_EQ(host.boxes.size(), 1u);
}

TEST_F(SettingsEditorTest, VideoModeHelpFollowsTheDeviceFirmware) {
  open(0x5510, 1, 9);
  EXPECT_EQ(editor.stringInformationVideoMode(), SettingsTexts::stringInformationVideoMode(true, 0));
  open(0x5510, 2, 0);
  EXPECT_EQ(editor.stringInformationVideoMode(), SettingsTexts::stringInformationVideoMode(false, 0));
  host.language = strings::German;
  EXPECT_EQ(editor.stringACTUnit(), "Sekunden (3 ~ 60)");
}

}  // namespace
