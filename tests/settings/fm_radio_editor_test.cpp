// The FM radio page's editing core, driven through a recording controller.
#include "settings/fm_radio_editor.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "strings/common_texts.h"
#include "strings/fm_radio_texts.h"
#include "strings/menu_texts.h"
#include "support/fake_settings_host.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using settings::FMRadioEditor;

constexpr int k_worldwide = 0;
constexpr int k_americas = 1;
constexpr int k_europe = 4;
constexpr int k_japan = 5;

class FMRadioEditorTest : public ::testing::Test {
 protected:
  // The page opens on `product` whose device holds `presets` (slot 1 first)
  // in `region`.
  void open(int product, int region, const std::vector<int>& presets = {}) {
    host.target = product;
    host.device = Record();
    host.device.setDeviceRecognized(product);
    host.device.setDeviceVersionMajor(1);
    host.device.setFmRadioRegion(region);
    host.device.setFmRadioMagicCode(0x66E9);
    for (std::size_t slot = 0; slot < presets.size(); ++slot) {
      host.device.setFmRadioPresetsAt_with(static_cast<int>(slot), presets[slot]);
    }
    editor.initializeObject();
  }

  std::vector<int> presets() const {
    std::vector<int> values;
    for (int slot = 0; slot < Record::k_fm_preset_count; ++slot) values.push_back(editor.dataCurrent().fmRadioPresetsAt(slot));
    return values;
  }

  test_support::FakeSettingsHost host;
  FMRadioEditor editor{host};
};

// ---- the typed frequency ----

TEST(TypedFMPreset, RoundsToTheTenthAndChecksTheRegion) {
  struct Case {
    const char* text;
    int region;
    std::optional<int> preset;
  };
  const Case cases[] = {
      {"87.54", k_europe, 8750},
      {"87.55", k_europe, 8760},
      {"87.5", k_europe, 8750},
      {" 99.5 MHz", k_europe, 9950},
      {"108", k_europe, 10800},
      {"108.04", k_europe, 10800},
      {"108.05", k_europe, std::nullopt},  // 108.1 lies above the band
      {"87.44", k_europe, std::nullopt},
      {"76", k_worldwide, 7600},
      {"76", k_europe, std::nullopt},
      // the Americas grid runs in 0.2 MHz steps from 87.5
      {"88.0", k_americas, std::nullopt},
      {"87.9", k_americas, 8790},
      {"107.9", k_americas, 10790},
      {"95.1", k_japan, std::nullopt},
      // text that is no frequency
      {"Empty", k_europe, std::nullopt},
      {"abc", k_worldwide, std::nullopt},
      {"", k_worldwide, std::nullopt},
      {"1e40", k_worldwide, std::nullopt},
      {"-1e40", k_worldwide, std::nullopt},
      {"nan", k_worldwide, std::nullopt},
      {"100000.1", k_worldwide, std::nullopt},
      {"-87.5", k_europe, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(settings::typed_fm_preset(c.text, c.region), c.preset);
  }
}

// ---- the slots ----

TEST_F(FMRadioEditorTest, ASlotTurnedOnTakesTheNearestUsedPreset) {
  struct Case {
    const char* name;
    int region;
    std::vector<int> presets;
    int slot;
    int taken;
  };
  const Case cases[] = {
      {"the nearest earlier slot wins over a later one", k_worldwide, {8810, 0, 0, 0, 9950}, 3, 8810},
      {"a later slot when no earlier one is used", k_worldwide, {0, 0, 0, 0, 9950}, 3, 9950},
      {"the first slot looks up only", k_europe, {0, 0, 9000}, 0, 9000},
      {"the region's lowest when all are empty (Worldwide)", k_worldwide, {}, 3, 7600},
      {"the region's lowest when all are empty (Europe)", k_europe, {}, 3, 8750},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(0x5416, c.region, c.presets);
    ASSERT_TRUE(editor.checkFMRadioPreset(c.slot, true));
    EXPECT_EQ(editor.dataCurrent().fmRadioPresetsAt(c.slot), c.taken);
    ASSERT_TRUE(editor.checkFMRadioPreset(c.slot, false));
    EXPECT_EQ(editor.dataCurrent().fmRadioPresetsAt(c.slot), 0);
  }
}

TEST_F(FMRadioEditorTest, TheControlsShowUsedSlotsAndEmptyOnes) {
  host.language = 1;
  open(0x5416, k_europe, {8750, 0, 8000, 10800});
  host.device.setFmRadioRDS(1);
  editor.initializeObject();
  const std::optional<settings::FMRadioView> view = editor.controlsWithData();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->region, k_europe);
  EXPECT_EQ(view->band.lowest, 8750);
  EXPECT_EQ(view->band.highest, 10800);
  EXPECT_EQ(view->band.step, 10);
  EXPECT_EQ(view->rds_column, 0);
  ASSERT_EQ(view->presets.size(), 10u);
  const std::string empty = FMRadioTexts::stringEmpty(1);
  EXPECT_EQ(empty, "Vide");
  const settings::FMSlotView expected[] = {
      {true, 8750, "87.5"}, {false, 0, empty}, {false, 0, empty}, {true, 10800, "108.0"}, {false, 0, empty}};
  for (std::size_t slot = 0; slot < std::size(expected); ++slot) {
    SCOPED_TRACE(slot);
    EXPECT_EQ(view->presets[slot].used, expected[slot].used);
    EXPECT_EQ(view->presets[slot].stepper_value, expected[slot].stepper_value);
    EXPECT_EQ(view->presets[slot].title, expected[slot].title);
  }
}

TEST_F(FMRadioEditorTest, ARegionChangeEmptiesThePresetsItDoesNotHold) {
  struct Case {
    const char* name;
    int from;
    int to;
    std::vector<int> presets;
    std::vector<int> kept;
  };
  const Case cases[] = {
      {"Worldwide to Europe empties 80.0", k_worldwide, k_europe, {8000, 8750, 10800}, {0, 8750, 10800}},
      {"Worldwide to Japan empties everything above 95.0", k_worldwide, k_japan, {7600, 9500, 9510, 10800},
       {7600, 9500, 0, 0}},
      {"Europe to Americas empties what is off the 0.2 MHz grid", k_europe, k_americas, {8750, 8760, 10790},
       {8750, 0, 10790}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(0x5416, c.from, c.presets);
    ASSERT_TRUE(editor.changeFMRadioRegion(c.to));
    EXPECT_EQ(editor.dataCurrent().fmRadioRegion(), c.to);
    std::vector<int> expected = c.kept;
    expected.resize(Record::k_fm_preset_count, 0);
    EXPECT_EQ(presets(), expected);
    EXPECT_TRUE(editor.isSettingsChanged());
  }
}

TEST_F(FMRadioEditorTest, SixPresetProductsNeverTouchPresetsSevenToTen) {
  // the device's presets 7 to 10 are not the working copy's, which never has them
  open(0x6030, k_worldwide, {8000, 0, 0, 0, 0, 9000, 9100, 9200, 9300, 9400});
  EXPECT_EQ(editor.controlsWithData()->presets.size(), 6u);
  EXPECT_FALSE(editor.isSettingsChanged());

  // the check box of slot 7 does not exist; a region change leaves 7 to 10 alone
  ASSERT_TRUE(editor.checkFMRadioPreset(6, true));
  EXPECT_EQ(editor.dataCurrent().fmRadioPresetsAt(6), 0);
  ASSERT_TRUE(editor.changeFMRadioRegion(k_europe));
  EXPECT_EQ(presets(), (std::vector<int>{0, 0, 0, 0, 0, 9000, 0, 0, 0, 0}));
  ASSERT_TRUE(editor.changeToOriginal());
  EXPECT_FALSE(editor.isSettingsChanged());

  // Default copies six presets
  ASSERT_TRUE(editor.changeToDefault());
  for (int slot = 6; slot < Record::k_fm_preset_count; ++slot) EXPECT_EQ(editor.dataCurrent().fmRadioPresetsAt(slot), 0);
}

TEST_F(FMRadioEditorTest, TheStepperAndRDSWriteTheWorkingCopy) {
  open(0x5416, k_europe, {8750});
  ASSERT_TRUE(editor.changeFMRadioPreset(0, 8760));
  EXPECT_EQ(editor.dataCurrent().fmRadioPresetsAt(0), 8760);
  ASSERT_TRUE(editor.changeFMRadioRDS(0));
  EXPECT_EQ(editor.dataCurrent().fmRadioRDS(), 1);
  EXPECT_EQ(editor.controlsWithData()->rds_column, 0);
  ASSERT_TRUE(editor.changeFMRadioRDS(1));
  EXPECT_EQ(editor.dataCurrent().fmRadioRDS(), 0);
}

TEST_F(FMRadioEditorTest, TheEditSheetStoresOnlyAValidPreset) {
  host.language = 0;
  open(0x5416, k_americas, {8750});
  const settings::FMPresetEditView view = editor.openFMRadioPresetEdit(1, "Empty");
  EXPECT_EQ(view.number, "2");
  EXPECT_EQ(view.field, "Empty");
  EXPECT_EQ(view.range, "(87.5 MHz ~ 107.9 MHz)");
  EXPECT_EQ(view.warning, " FM Radio preset should be between 87.5\n MHz and 107.9 MHz. Enter valid value\n again.");

  EXPECT_FALSE(editor.isFMRadioPresetValid(1, "Empty"));
  EXPECT_FALSE(editor.isFMRadioPresetValid(1, "88.0"));
  EXPECT_EQ(editor.dataCurrent().fmRadioPresetsAt(1), 0);
  EXPECT_TRUE(editor.isFMRadioPresetValid(1, "87.9"));
  EXPECT_EQ(editor.dataCurrent().fmRadioPresetsAt(1), 8790);
}

// ---- change detection, Default and leaving ----

TEST_F(FMRadioEditorTest, ChangeDetectionComparesTheFMBlockInItsOrder) {
  using Edit = std::function<void(Record& device)>;
  struct Case {
    const char* name;
    Edit edit;  // applied to the device after the page opened
    bool changed;
  };
  const Case cases[] = {
      {"nothing", [](Record&) {}, false},
      {"region", [](Record& device) { device.setFmRadioRegion(k_japan); }, true},
      {"magic word", [](Record& device) { device.setFmRadioMagicCode(0x56E9); }, true},
      {"current frequency", [](Record& device) { device.setFmRadioCurrentFrequency(9000); }, true},
      {"current preset", [](Record& device) { device.setFmRadioCurrentPreset(3); }, true},
      {"preset 10", [](Record& device) { device.setFmRadioPresetsAt_with(9, 9000); }, true},
      {"RDS", [](Record& device) { device.setFmRadioRDS(1); }, true},
      {"a setting outside the FM block", [](Record& device) { device.setEdr(1); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(0x5416, k_europe, {8750});
    c.edit(host.device);
    EXPECT_EQ(editor.isSettingsChanged(), c.changed);
  }
}

TEST_F(FMRadioEditorTest, DefaultKeepsTheVoicePromptAndCountsTheMagicWord) {
  open(0x5416, k_europe, {8750});
  host.device.setVoicePrompt(1);
  editor.initializeObject();
  EXPECT_EQ(editor.dataDefault().voicePrompt(), 1);

  // a device whose FM block is the default one but for its magic word
  Record defaults = editor.dataDefault();
  host.device.copyWithSource_version(defaults, false);
  host.device.setFmRadioMagicCode(defaults.fmRadioMagicCode() ^ 0x3000);
  editor.initializeObject();
  ASSERT_FALSE(editor.isSettingsChanged());
  ASSERT_TRUE(editor.changeToDefault());
  EXPECT_EQ(editor.dataCurrent().voicePrompt(), 1);
  EXPECT_TRUE(editor.isSettingsChanged());
  ASSERT_TRUE(editor.changeToOriginal());
  EXPECT_FALSE(editor.isSettingsChanged());
}

TEST_F(FMRadioEditorTest, AProductWithoutAnFMRadioKeepsItsControlsAndNeverChanges) {
  for (int product : {0x4050, 0x5564}) {
    SCOPED_TRACE(product);
    open(product, k_europe, {8750});
    EXPECT_FALSE(editor.controlsWithData());
    ASSERT_TRUE(editor.changeFMRadioRDS(0));
    ASSERT_TRUE(editor.changeFMRadioRegion(k_japan));
    EXPECT_FALSE(editor.isSettingsChanged());
    EXPECT_FALSE(editor.checkNeedToSave());
    EXPECT_TRUE(host.save_prompts.empty());
  }
}

TEST_F(FMRadioEditorTest, TheSavePromptAndLeavingWithoutSaving) {
  host.language = 2;
  open(0x5416, k_europe, {8750});
  EXPECT_FALSE(editor.checkNeedToSave());
  ASSERT_TRUE(editor.checkFMRadioPreset(0, false));
  ASSERT_TRUE(editor.checkNeedToSave());
  ASSERT_EQ(host.save_prompts.size(), 1u);
  const settings::MessageBoxRequest& prompt = host.save_prompts[0];
  EXPECT_EQ(prompt.message, MenuTexts::stringPromptSave(2));
  EXPECT_EQ(prompt.cancel_title, CommonTexts::vyla_string_no_in(2));
  EXPECT_EQ(prompt.ok_title, CommonTexts::vyla_string_yes_in(2));
  EXPECT_EQ(prompt.purpose, session::MessageBoxPurpose::save_settings_second);

  // No: the edits go and the page asked for opens
  editor.moveToModeToGo(103);
  EXPECT_EQ(host.modes, std::vector<int>{103});
  EXPECT_EQ(host.pages, std::vector<int>{3});
  EXPECT_FALSE(editor.isSettingsChanged());
}

TEST_F(FMRadioEditorTest, WhileAnOperationRunsNoActionEdits) {
  open(0x5416, k_europe, {8750});
  host.processing = true;
  host.tabs_opened = true;
  EXPECT_FALSE(editor.checkFMRadioPreset(0, false));
  EXPECT_FALSE(editor.changeFMRadioRegion(k_japan));
  EXPECT_FALSE(editor.changeFMRadioPreset(0, 8760));
  EXPECT_FALSE(editor.changeFMRadioRDS(0));
  EXPECT_FALSE(editor.changeToDefault());
  EXPECT_FALSE(editor.displayInformationRDS());
  EXPECT_FALSE(editor.isSettingsChanged());
  EXPECT_TRUE(host.tabs_opened);

  // once it ended, an action first closes the tab list
  host.processing = false;
  ASSERT_TRUE(editor.changeFMRadioRDS(0));
  EXPECT_FALSE(host.tabs_opened);
  EXPECT_EQ(host.tab_list_shown, std::vector<bool>{false});
}

TEST_F(FMRadioEditorTest, TheRDSInformationAndTheTitles) {
  host.language = 12;
  open(0x5416, k_europe);
  ASSERT_TRUE(editor.displayInformationRDS());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].message, FMRadioTexts::stringInformationRDS(12));
  EXPECT_FALSE(host.boxes[0].warning);
  EXPECT_FALSE(host.boxes[0].cancel_title);
  EXPECT_EQ(host.boxes[0].ok_title, CommonTexts::vyla_string_ok_in(12));
  EXPECT_EQ(host.boxes[0].size, session::MessageBoxSize::w520_h235);
  EXPECT_EQ(host.boxes[0].purpose, session::MessageBoxPurpose::notice);

  const auto title = [&](bool hints, const std::string& outlet) {
    for (const settings::OutletText& text : editor.titles(hints)) {
      if (text.outlet == outlet) return text.text;
    }
    return std::string("(none)");
  };
  EXPECT_EQ(title(false, "lblFMRadioPresets"), "Ustawienia wstępne radia FM");
  EXPECT_EQ(title(true, "lblFMRadioPresets"), "Zaznacz pole: Nr [O].     Ustawienia radia FM: Nr [S][C]");
  EXPECT_EQ(title(true, "btnSave"), "[O][C]-S");
  EXPECT_EQ(title(true, "disableFMRadioRDS"), "[S][O]-A");
  EXPECT_EQ(title(false, "lblFMRadioRDS"), "RDS AF (Alternatywne częstotliwości)");
  EXPECT_EQ(editor.regionNames(), (std::vector<std::string>{"Cały świat", "Ameryki", "Azja", "Australia", "Europa",
                                                            "Japonia"}));
}

TEST(FMRadioTexts, EveryLanguageHasItsOwnTexts) {
  EXPECT_EQ(FMRadioTexts::stringShortCutFMRadioPreset(0), "Check Box: [O]-No.     FM Radio Setting: [S][C]-No.");
  EXPECT_EQ(FMRadioTexts::stringRDS(8), "RDS AF (альтернативные УКВ-ч...");
  EXPECT_EQ(FMRadioTexts::stringMessageFMRadioPreset(9, 76.0, 108.0),
            "FM 广播预设值应在 76.0 MHz 和 108.0 MHz 之间。\n再次输入有效值。");
  EXPECT_EQ(FMRadioTexts::stringRegionName(7, 0), "");
  EXPECT_EQ(FMRadioTexts::stringRegion(99), "Region");
  EXPECT_EQ(FMRadioTexts::stringInformationRDS(13), FMRadioTexts::stringInformationRDS(0));
  for (int language = 1; language <= 12; ++language) {
    SCOPED_TRACE(language);
    EXPECT_NE(FMRadioTexts::stringInformationRDS(language), FMRadioTexts::stringInformationRDS(0));
    EXPECT_NE(FMRadioTexts::stringEmpty(language), FMRadioTexts::stringEmpty(0));
  }
}

}  // namespace
