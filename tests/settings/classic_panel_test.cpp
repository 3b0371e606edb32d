// The classic settings panel's tables: where each product and firmware step
// places its rows, what the controls show of the working copy, which rows a
// product offers, titles, key hints and information boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/deployment.h"
#include "settings/classic_panel_layout.h"
#include "settings/classic_panel_states.h"
#include "strings/app_texts.h"
#include "strings/language_table.h"
#include "strings/settings_texts.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using settings::Frame;
using settings::PanelRow;
using enum PanelRow;

Record device_at(int major, int minor) {
  Record device;
  device.setDeviceVersionMajor(major);
  device.setDeviceVersionMinor(minor);
  return device;
}

// The rows placed, each with the height of its label.
std::vector<std::pair<PanelRow, int>> placed(const settings::PanelLayout& layout) {
  std::vector<std::pair<PanelRow, int>> rows;
  for (const settings::PlacedRow& row : layout.rows) rows.emplace_back(row.row, row.frames.label.y);
  return rows;
}

TEST(ClassicPanelLayout, RowsByProductAndFirmwareStep) {
  struct Case {
    const char* name;
    int product;
    int major;
    int minor;
    std::vector<std::pair<PanelRow, int>> rows;
    std::optional<Frame> edr_note;
    bool apply_note;
    std::optional<Frame> all_settings;
  };
  const Frame note3{50, 140, 424, 34};
  const Frame note2{50, 165, 424, 34};
  const Case cases[] = {
      {"0x4D10 below 4.0: three rows over the EDR note", 0x4D10, 3, 9,
       {{HandsfreeVOX, 226}, {IntercomVOX, 201}, {EDR, 176}}, note3, true, {}},
      {"0x4D10 at exactly 4.0 adds PLC under the note", 0x4D10, 4, 0,
       {{HandsfreeVOX, 226}, {IntercomVOX, 201}, {EDR, 176}, {PLC, 115}}, note3, true, {}},
      {"0x4D10 at 4.1 adds High Quality A2DP and Microphone Boosting", 0x4D10, 4, 1,
       {{HandsfreeVOX, 226}, {IntercomVOX, 201}, {EDR, 176}, {PLC, 115}, {BitpoolRate, 90}, {MicrophoneBoost, 65}},
       note3, true, {}},
      {"0x4D10 at 4.2: five rows from the top, no note, no PLC", 0x4D10, 4, 2,
       {{HandsfreeVOX, 226}, {IntercomVOX, 201}, {EDR, 176}, {BitpoolRate, 151}, {MicrophoneBoost, 126}}, {}, true, {}},
      {"0x4D10 at 5.0 puts Sidetone before Microphone Boosting", 0x4D10, 5, 0,
       {{HandsfreeVOX, 226}, {IntercomVOX, 201}, {EDR, 176}, {BitpoolRate, 151}, {Sidetone, 126},
        {MicrophoneBoost, 101}},
       {}, true, {}},
      {"0x5070 stays at four rows from 5.0", 0x5070, 5, 3,
       {{HandsfreeVOX, 226}, {IntercomVOX, 201}, {EDR, 176}, {BitpoolRate, 151}}, {}, true, {}},
      {"0x4D05 below 1.2 on the two-row note grid", 0x4D05, 1, 1, {{HandsfreeVOX, 226}, {EDR, 201}, {PLC, 140}}, note2,
       true, {}},
      {"0x4D16 at every version", 0x4D16, 1, 0,
       {{HandsfreeVOX, 226}, {EDR, 201}, {BitpoolRate, 176}, {Sidetone, 151}}, {}, true, {}},
      {"0x2120 leaves the top row empty", 0x2120, 1, 0, {{HandsfreeVOX, 201}}, {}, true, {}},
      {"0x4D21 leaves the top row empty", 0x4D21, 1, 0, {{Sidetone, 201}}, {}, true, {}},
      {"0x6430 has no apply note", 0x6430, 1, 0, {{HandsfreeVOX, 226}}, {}, false, {}},
      {"0x5210 places no row", 0x5210, 1, 0, {}, {}, true, {}},
      {"0x4023 with MORE SETTINGS on the fourth row", 0x4023, 1, 0,
       {{AudioBoost, 226}, {HandsfreeVOX, 201}, {BitpoolRate, 176}}, {}, false, Frame{50, 151, 207, 17}},
      {"0x3030 with MORE SETTINGS on the third row", 0x3030, 1, 0, {{BitpoolRate, 226}, {AmbientHushControl, 201}},
       {}, false, Frame{50, 176, 207, 17}},
      {"0x6020 with the wide MORE SETTINGS under six rows", 0x6020, 1, 2,
       {{AudioBoost, 226}, {HandsfreeVOX, 201}, {IntercomVOX, 176}, {BitpoolRate, 151}, {Sidetone, 126},
        {AmbientHushControl, 101}},
       {}, false, Frame{137, 76, 250, 19}},
      {"0x4210 below 1.2 without MORE SETTINGS", 0x4210, 1, 1,
       {{HandsfreeVOX, 226}, {Sidetone, 201}, {MotionSensorSensitivity, 176}, {AudioBraiding, 151},
        {AudioBraidingSensitivity, 126}, {NavigationAppOverlay, 101}},
       {}, false, {}},
      {"0x6800: page buttons only", 0x6800, 1, 0, {}, {}, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto layout = settings::classic_panel_layout(c.product, device_at(c.major, c.minor));
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(placed(*layout), c.rows);
    EXPECT_EQ(layout->edr_note, c.edr_note);
    EXPECT_EQ(layout->apply_note, c.apply_note);
    EXPECT_EQ(layout->all_settings, c.all_settings);
  }

  EXPECT_FALSE(settings::classic_panel_layout(0x0001, device_at(1, 0)).has_value());
}

TEST(ClassicPanelLayout, TemplatesGiveEachRowItsThreeFrames) {
  struct Case {
    const char* name;
    settings::PanelTemplate panel_template;
    int slot;
    Frame label;
    Frame information;
    Frame control;
  };
  const Case cases[] = {
      {"Grid18 fourth row", settings::PanelTemplate::Grid18, 3, {50, 151, 207, 17}, {257, 149, 19, 17},
       {289, 148, 182, 18}},
      {"Grid23 first row", settings::PanelTemplate::Grid23, 0, {50, 226, 207, 17}, {257, 224, 19, 17},
       {289, 221, 182, 23}},
      {"NoteGrid3 row under the note", settings::PanelTemplate::NoteGrid3, 3, {50, 115, 207, 17},
       {257, 113, 19, 17}, {289, 113, 182, 18}},
      {"NoteGrid3 lowest row a point higher", settings::PanelTemplate::NoteGrid3, 5, {50, 65, 207, 17},
       {257, 64, 19, 17}, {289, 64, 182, 18}},
      {"NoteGrid2 row under the note", settings::PanelTemplate::NoteGrid2, 2, {50, 140, 207, 17},
       {257, 138, 19, 17}, {289, 138, 182, 18}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const settings::RowFrames frames = settings::row_frames(c.panel_template, c.slot);
    EXPECT_EQ(frames.label, c.label);
    EXPECT_EQ(frames.information, c.information);
    EXPECT_EQ(frames.control, c.control);
  }
}

TEST(ClassicPanelLayout, FramesTurnIntoTopLeftRectanglesOfThePanel) {
  EXPECT_EQ(settings::top_left_of(Frame{7, 7, 140, 19}, 316), (settings::TopLeftRect{7, 290, 140, 19}));
  EXPECT_EQ(settings::top_left_of(Frame{282, 243, 109, 19}, 316), (settings::TopLeftRect{282, 54, 109, 19}));
  EXPECT_EQ(settings::top_left_of(Frame{0, 0, 10, 316}, 316), (settings::TopLeftRect{0, 0, 10, 316}));
}

TEST(ClassicPanelLayout, RowsStartOnTheFirstGridTheTimeoutAndGainRowsOnTop) {
  EXPECT_EQ(settings::initial_row_frames(RTG).label.y, 226);
  EXPECT_EQ(settings::initial_row_frames(ACT).label.y, 201);
  EXPECT_EQ(settings::initial_row_frames(IntercomVOX).label.y, 226);
  EXPECT_EQ(settings::initial_row_frames(HandsfreeVOX).label.y, 201);
  EXPECT_EQ(settings::initial_row_frames(MicrophoneBoost).label.y, 101);
  EXPECT_EQ(settings::initial_row_frames(Sidetone).label.y, 226);
  // the timeout's field, stepper and unit label share its control frame
  const settings::TimeoutFrames parts = settings::timeout_frames(Frame{289, 198, 182, 18});
  EXPECT_EQ(parts.field.x, 289);
  EXPECT_GT(parts.stepper.x, parts.field.x + parts.field.width - 1);
  EXPECT_GT(parts.unit.x, parts.stepper.x + parts.stepper.width - 1);
  EXPECT_EQ(parts.unit.x + parts.unit.width, 289 + 182);
}

TEST(ClassicPanelLayout, ValuesOfTheWorkingCopy) {
  struct Case {
    const char* name;
    PanelRow row;
    int product;
    std::function<void(Record&)> set;
    int shown;
  };
  const Case cases[] = {
      {"EDR 1 shows column 1", EDR, 0x4D10, [](Record& r) { r.setEdr(1); }, 1},
      {"EDR 0 shows column 0", EDR, 0x4D10, [](Record& r) { r.setEdr(0); }, 0},
      {"VOX 1 shows column 0", HandsfreeVOX, 0x4D10, [](Record& r) { r.setHandsfreeVOX(1); }, 0},
      {"VOX 2 shows as 1", IntercomVOX, 0x4D10, [](Record& r) { r.setIntercomVOX(2); }, 0},
      {"VOX 0 shows column 1", HandsfreeVOX, 0x4D10, [](Record& r) { r.setHandsfreeVOX(0); }, 1},
      {"ambient hush 1 shows column 1", AmbientHushControl, 0x4120, [](Record& r) { r.setAmbientHushControl(1); },
       1},
      {"PLC 1 shows column 0", PLC, 0x4D10, [](Record& r) { r.setPlc(1); }, 0},
      {"RTG 11 medium", RTG, 0x5210, [](Record& r) { r.setRadioTransmitGain(11); }, 1},
      {"RTG 12 low", RTG, 0x5210, [](Record& r) { r.setRadioTransmitGain(12); }, 0},
      {"RTG 13 medium", RTG, 0x5210, [](Record& r) { r.setRadioTransmitGain(13); }, 1},
      {"RTG 16 medium", RTG, 0x5210, [](Record& r) { r.setRadioTransmitGain(16); }, 1},
      {"RTG 17 high", RTG, 0x5210, [](Record& r) { r.setRadioTransmitGain(17); }, 2},
      {"RTG 18 medium", RTG, 0x5210, [](Record& r) { r.setRadioTransmitGain(18); }, 1},
      {"timeout in seconds", ACT, 0x5210, [](Record& r) { r.setAudioChannelTimeout(30); }, 30},
      {"braiding sensitivity 10 is the first item", AudioBraidingSensitivity, 0x4210,
       [](Record& r) { r.setBasicSettingLM6AudioBraidingSensitivity(10); }, 0},
      {"braiding sensitivity 1 is the tenth item", AudioBraidingSensitivity, 0x4210,
       [](Record& r) { r.setBasicSettingLM6AudioBraidingSensitivity(1); }, 9},
      {"motion sensitivity 1 is the first item", MotionSensorSensitivity, 0x4210,
       [](Record& r) { r.setBasicSettingLM6MotionSensorSensitivity(1); }, 0},
      {"motion sensitivity 0 selects nothing", MotionSensorSensitivity, 0x4210,
       [](Record& r) { r.setBasicSettingLM6MotionSensorSensitivity(0); }, -1},
      {"motion sensitivity past the items selects nothing", MotionSensorSensitivity, 0x4210,
       [](Record& r) { r.setBasicSettingLM6MotionSensorSensitivity(5); }, -1},
      // the mesh models keep these settings in their settings words
      {"0x4D16 phone VOX from the settings word", HandsfreeVOX, 0x4D16, [](Record& r) {
         r.setHandsfreeVOX(0);
         r.SetBasicSettingND4VOXPhone(1);
       }, 0},
      {"0x4D16 EDR from the settings word", EDR, 0x4D16, [](Record& r) {
         r.setEdr(0);
         r.SetBasicSettingEDR(1);
       }, 1},
      {"0x4D76 intercom VOX from the settings word", IntercomVOX, 0x4D76, [](Record& r) {
         r.setIntercomVOX(0);
         r.SetBasicSettingND4VOXIntercom(1);
       }, 0},
      {"0x4D10 ignores the settings word", HandsfreeVOX, 0x4D10, [](Record& r) {
         r.setHandsfreeVOX(0);
         r.SetBasicSettingND4VOXPhone(1);
       }, 1},
      {"LM6 sidetone from its settings word", Sidetone, 0x4310, [](Record& r) {
         r.setSidetone(0);
         r.setBasicSettingLM6Sidetone(1);
       }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record edited;
    c.set(edited);
    EXPECT_EQ(settings::panel_value(c.row, c.product, edited), c.shown);
  }
}

TEST(ClassicPanelLayout, ValuesAlsoForRowsThatAreNotPlaced) {
  const auto layout = settings::classic_panel_layout(0x5210, device_at(1, 0));
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->values, (std::vector<PanelRow>{RTG, ACT}));
  const auto with_intercom = settings::classic_panel_layout(0x2010, device_at(1, 0));
  ASSERT_TRUE(with_intercom.has_value());
  EXPECT_EQ(with_intercom->values, (std::vector<PanelRow>{HandsfreeVOX, EDR, BitpoolRate, IntercomVOX}));
}

std::vector<PanelRow> shown(const settings::PanelStates& states) {
  std::vector<PanelRow> rows;
  for (PanelRow row : settings::k_panel_rows) {
    if (states.shows(row)) rows.push_back(row);
  }
  return rows;
}

TEST(ClassicPanelStates, RowsEachProductShows) {
  struct Case {
    const char* name;
    int product;
    int major;
    int minor;
    int os_secondary;  // of 10.x
    std::vector<PanelRow> rows;
    bool edr_note;
    bool all_settings;
  };
  const std::vector<PanelRow> every = {settings::k_panel_rows.begin(), settings::k_panel_rows.end()};
  const Case cases[] = {
      {"0x4D10 below 4.0", 0x4D10, 3, 9, 9, {IntercomVOX, HandsfreeVOX, EDR}, true, false},
      {"0x4D10 at 4.0", 0x4D10, 4, 0, 9, {IntercomVOX, HandsfreeVOX, EDR, PLC}, true, false},
      {"0x4D10 at 4.1", 0x4D10, 4, 1, 9, {IntercomVOX, HandsfreeVOX, EDR, PLC, BitpoolRate, MicrophoneBoost}, true,
       false},
      {"0x4D10 at 4.2", 0x4D10, 4, 2, 9, {IntercomVOX, HandsfreeVOX, EDR, BitpoolRate, MicrophoneBoost}, false, false},
      {"0x4D10 at 5.0", 0x4D10, 5, 0, 9, {IntercomVOX, HandsfreeVOX, EDR, BitpoolRate, MicrophoneBoost, Sidetone},
       false, false},
      {"0x5020 at 5.0 without Sidetone", 0x5020, 5, 0, 9, {IntercomVOX, HandsfreeVOX, EDR, BitpoolRate}, false, false},
      {"0x4D05 below 1.2 with PLC and the note", 0x4D05, 1, 1, 9, {HandsfreeVOX, EDR, PLC}, true, false},
      {"0x4D16 below 1.2 shows its 2.0 rows without Sidetone", 0x4D16, 1, 1, 9, {HandsfreeVOX, EDR, BitpoolRate},
       false, false},
      {"0x4D86 at 1.5", 0x4D86, 1, 5, 9, {HandsfreeVOX, EDR, BitpoolRate}, false, false},
      {"0x4D06 at 2.0 adds Sidetone", 0x4D06, 2, 0, 9, {HandsfreeVOX, EDR, BitpoolRate, Sidetone}, false, false},
      {"0x2020 from 1.1", 0x2020, 1, 1, 9,
       {IntercomVOX, HandsfreeVOX, EDR, BitpoolRate, Sidetone, AmbientHushControl}, false, false},
      {"0x4120", 0x4120, 1, 0, 9, {EDR, BitpoolRate, Sidetone, AmbientHushControl, AutoGainControl}, false, false},
      {"0x2120", 0x2120, 1, 0, 9, {HandsfreeVOX}, false, false},
      {"0x5210", 0x5210, 1, 0, 9, {RTG, ACT}, false, false},
      {"an id no rule names shows every row", 0x0001, 1, 0, 9, every, true, false},
      {"0x6020: MORE SETTINGS only", 0x6020, 1, 2, 9, {}, false, true},
      {"0x4023: its classic rows beside MORE SETTINGS", 0x4023, 1, 0, 9, {HandsfreeVOX, BitpoolRate, AudioBoost},
       false, true},
      {"0x5560 shows no row", 0x5560, 1, 0, 9, {}, false, true},
      // before 10.7 the all-settings products fall back to classic rows
      {"0x6020 before 10.7", 0x6020, 1, 2, 6,
       {IntercomVOX, HandsfreeVOX, BitpoolRate, Sidetone, AmbientHushControl, AudioBoost}, false, false},
      {"0x2030 before 10.7", 0x2030, 1, 0, 6,
       {HandsfreeVOX, Sidetone, MotionSensorSensitivity, AudioBraiding, AudioBraidingSensitivity,
        NavigationAppOverlay},
       false, false},
      {"0x4210 below 1.1 before 10.7", 0x4210, 1, 0, 6, {HandsfreeVOX, Sidetone, AudioBraiding,
                                                         AudioBraidingSensitivity},
       false, false},
      {"0x3030 before 10.7", 0x3030, 1, 0, 6, {BitpoolRate, AmbientHushControl, AudioBoost}, false, false},
      {"0x5562 before 10.7", 0x5562, 1, 0, 6, {}, false, false},
      {"0x4023 before 10.7", 0x4023, 1, 0, 6, {HandsfreeVOX, BitpoolRate, AudioBoost}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const settings::PanelStates states =
        settings::classic_panel_states(c.product, 0, 10, c.os_secondary, device_at(c.major, c.minor));
    EXPECT_EQ(shown(states), c.rows);
    EXPECT_EQ(states.edr_note, c.edr_note);
    EXPECT_EQ(states.all_settings, c.all_settings);
  }
}

TEST(ClassicPanelStates, ApplyNoteButtonByLanguageAndProduct) {
  struct Case {
    const char* name;
    int product;
    int language;
    bool note;
    bool button;
  };
  const Case cases[] = {
      {"older model in English", 0x4D10, strings::English, true, false},
      {"older model in French", 0x4D10, strings::French, true, true},
      {"older model in Dutch", 0x4D10, strings::Dutch, true, true},
      {"older model in Russian", 0x4D10, strings::Russian, true, true},
      {"older model in German", 0x4D10, strings::German, true, false},
      {"0x6430 in French", 0x6430, strings::French, true, false},
      {"0x6480 in Russian", 0x6480, strings::Russian, true, false},
      {"all-settings product in French", 0x6020, strings::French, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const settings::PanelStates states = settings::classic_panel_states(c.product, c.language, 10, 9, device_at(1, 0));
    EXPECT_EQ(states.note_apply, c.note);
    EXPECT_EQ(states.note_apply_button, c.button);
  }
}

TEST(ClassicPanelStates, AllSettingsTableNeedsTheSystem10_7) {
  const std::pair<std::pair<int, int>, bool> systems[] = {
      {{10, 6}, false}, {{10, 7}, true}, {{10, 9}, true}, {{11, 0}, true}, {{9, 9}, false}};
  for (const auto& [system, offered] : systems) {
    EXPECT_EQ(settings::system_offers_all_settings(system.first, system.second), offered)
        << system.first << "." << system.second;
  }
}

std::string title_of(const std::vector<settings::OutletText>& titles, const std::string& outlet) {
  const auto found = std::find_if(titles.begin(), titles.end(),
                                  [&outlet](const settings::OutletText& title) { return title.outlet == outlet; });
  return found == titles.end() ? "(untitled)" : found->text;
}

TEST(ClassicPanelTitles, LocalizedTitlesOrKeyHints) {
  const int french = strings::French;
  const auto titles = settings::panel_titles(french, false, true);
  const std::pair<const char*, std::string> localized[] = {
      {"btnBack", AppTexts::vyla_string_back_in(french)},
      {"btnNewDevice", AppTexts::vyla_string_new_device_in(french)},
      {"btnAllSettings", SettingsTexts::vyla_string_more_settings_in(french)},
      {"btnSave", SettingsTexts::vyla_string_save_in(french)},
      {"btnDeviceAllSettingsBasicSave", SettingsTexts::vyla_string_save_in(french)},
      {"btnDefault", SettingsTexts::vyla_string_default_in(french)},
      {"btnDeviceAllSettingsBasicDefault", SettingsTexts::vyla_string_default_in(french)},
      {"btnCancel", AppTexts::vyla_string_cancel_in(french)},
      {"btnDeviceAllSettingsBasicCancel", AppTexts::vyla_string_cancel_in(french)},
      {"btnDeviceAllSettingsBasicClose", "CLOSE"},
      {"enableEDR", AppTexts::vyla_string_enable_in(french)},
      {"disableNavigationAppOverlay", AppTexts::vyla_string_disable_in(french)},
      {"lowRTG", "Faible"},
      {"mediumRTG", "Moyen"},
      {"highRTG", "Élevé"},
      {"lblEDR", "EDR (Enhanced Data Rate)"},
      {"lblAudioBraidingSensitivity", "Intercom-audio Veneer Sensitivity"},
      {"lblRTG", "Gain de Transmission Radio"},
      {"lblACT", "Expiration du Canal Audio"},
      {"lblIntercomVOX", "(untitled)"},
  };
  for (const auto& [outlet, text] : localized) EXPECT_EQ(title_of(titles, outlet), text) << outlet;

  const auto hints = settings::panel_titles(french, true, true);
  const std::pair<const char*, std::string> hinted[] = {
      {"btnBack", "[C]-◀"},
      {"btnNewDevice", "[C]-▶"},
      {"btnSave", "[O][C]-S"},
      {"btnAllSettings", "[S][C]-M"},
      {"lblEDR", "[O][C]-E"},
      {"lblMotionSensorSensitivity", "[O][C]-M"},
      {"enableIntercomVOX", "[O]-I"},
      {"disableHandsfreeVOX", "[S][O]-H"},
      {"lowRTG", "[O]-R"},
      {"mediumRTG", "[S]-R"},
      {"highRTG", "[S][O]-R"},
      // the sheet's buttons keep their titles
      {"btnDeviceAllSettingsBasicSave", SettingsTexts::vyla_string_save_in(french)},
      {"btnDeviceAllSettingsBasicClose", "CLOSE"},
  };
  for (const auto& [outlet, text] : hinted) EXPECT_EQ(title_of(hints, outlet), text) << outlet;

  // while the EDR information button is hidden its label keeps its name
  EXPECT_EQ(title_of(settings::panel_titles(french, true, false), "lblEDR"), "EDR (Enhanced Data Rate)");
}

TEST(ClassicPanelTitles, KeysAsTheHintsRead) {
  const std::pair<const char*, const char*> hints[] = {
      {"[O][C]-S", "Ctrl+Alt+S"}, {"[C]-D", "Ctrl+D"},         {"[S][C]-M", "Ctrl+Shift+M"},
      {"[S][O]-R", "Alt+Shift+R"}, {"[S]-R", "Shift+R"},       {"[C]-◀", "Ctrl+Left"},
  };
  for (const auto& [hint, sequence] : hints) EXPECT_EQ(settings::key_sequence_of_hint(hint), sequence) << hint;

  const std::vector<settings::KeyBinding> bindings = settings::panel_key_bindings();
  const auto targets_of = [&bindings](const std::string& sequence) {
    for (const settings::KeyBinding& binding : bindings) {
      if (binding.sequence == sequence) return binding.targets;
    }
    return std::vector<std::string>{};
  };
  // a label's key is its information button's; two rows never shown together share one
  EXPECT_EQ(targets_of("Ctrl+Alt+E"), std::vector<std::string>{"btnEDR"});
  EXPECT_EQ(targets_of("Ctrl+Alt+M"), (std::vector<std::string>{"btnMicrophoneBoost", "btnMotionSensorSensitivity"}));
  EXPECT_EQ(targets_of("Ctrl+Alt+A"), (std::vector<std::string>{"btnACT", "btnAudioBraiding"}));
  EXPECT_EQ(targets_of("Alt+Shift+E"), std::vector<std::string>{"disableEDR"});
  // Back and New Device are the main window's keys
  EXPECT_TRUE(targets_of("Ctrl+Left").empty());
  EXPECT_TRUE(targets_of("Ctrl+Right").empty());
}

TEST(ClassicPanelInformation, BoxesBySetting) {
  struct Case {
    const char* name;
    PanelRow row;
    int language;
    session::MessageBoxSize size;
    session::MessageBoxPurpose purpose;
  };
  using Size = session::MessageBoxSize;
  using Purpose = session::MessageBoxPurpose;
  const Case cases[] = {
      {"PLC", PLC, 0, Size::w520_h235, Purpose::notice},
      {"High Quality A2DP", BitpoolRate, 0, Size::w520_h175, Purpose::notice},
      {"Microphone Boosting", MicrophoneBoost, 0, Size::w520_h205, Purpose::notice},
      {"Microphone Boosting in Japanese", MicrophoneBoost, strings::Japanese, Size::w520_h235, Purpose::notice},
      {"Sidetone", Sidetone, 0, Size::w520_h175, Purpose::notice},
      {"Ambient Hush Control", AmbientHushControl, 0, Size::w520_h175, Purpose::notice},
      {"Auto Gain Control", AutoGainControl, 0, Size::w520_h235, Purpose::notice},
      {"Audio Boost", AudioBoost, 0, Size::w520_h175, Purpose::notice},
      {"Motion Sensor Sensitivity", MotionSensorSensitivity, 0, Size::w520_h175, Purpose::notice},
      {"Audio Braiding", AudioBraiding, 0, Size::w520_h265, Purpose::notice},
      {"braiding sensitivity", AudioBraidingSensitivity, 0, Size::w520_h235, Purpose::notice},
      {"navigation app", NavigationAppOverlay, 0, Size::w520_h175, Purpose::notice},
      {"radio transmit gain", RTG, 0, Size::w520_h205, Purpose::notice},
      {"EDR", EDR, 0, Size::w520_h205, Purpose::mail_support},
      {"audio channel timeout", ACT, 0, Size::w520_h205, Purpose::notice},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const session::MessageBoxRequest box = settings::information_box(c.row, 0x5210, c.language);
    EXPECT_EQ(box.size, c.size);
    EXPECT_EQ(box.purpose, c.purpose);
    EXPECT_FALSE(box.warning);
    EXPECT_EQ(box.ok_title, AppTexts::vyla_string_ok_in(c.language));
    EXPECT_EQ(box.message.find("%@"), std::string::npos);
    EXPECT_FALSE(box.message.empty());
  }

  // the EDR box offers a mail to support, whose address it names
  const session::MessageBoxRequest edr = settings::information_box(EDR, 0x4D10, strings::German);
  EXPECT_EQ(edr.cancel_title, AppTexts::vyla_string_sendemail_in(strings::German));
  EXPECT_NE(edr.message.find(platform::k_support_email), std::string::npos);
  EXPECT_FALSE(settings::information_box(PLC, 0x4D10, 0).cancel_title.has_value());
  // the gain and timeout texts name the product
  const std::string product = AppTexts::vyla_product_name(0x5210).value();
  EXPECT_NE(settings::information_box(RTG, 0x5210, 0).message.find(product), std::string::npos);
  EXPECT_NE(settings::information_box(ACT, 0x5210, 0).message.find(product), std::string::npos);
}

}  // namespace
