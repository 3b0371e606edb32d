// The setting catalogue names each setting once, and the product catalogue's
// setting columns hold exactly the product lists the settings pages kept:
// those lists are written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include "device_data/product_facts.h"
#include "support/catalogue_ids.h"
#include "device_data/setting_catalogue.h"
#include "device_data/setting_fields.h"

namespace {

using device_data::ProductFacts;
using device_data::product_facts;
using device_data::Setting;
using device_data::SettingKind;
using device_data::ValueRule;

using test_support::ids_where;
using test_support::sorted;

TEST(SettingCatalogue, SettingLayoutsHoldTheSettingActionsProductGroups) {
  struct Case {
    unsigned layout;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {device_data::k_layout_nd4,
       {0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3140, 0x3144, 0x3146,
        0x3148, 0x3152, 0x3154, 0x3156, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217,
        0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3310, 0x3320, 0x3330, 0x3900}},
      {device_data::k_layout_wq8,
       {0x3132, 0x3134, 0x3148, 0x3154, 0x3156, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216,
        0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3310, 0x3320, 0x3330, 0x3900}},
      {device_data::k_layout_4d,
       {0x4D06, 0x4D16, 0x4D76, 0x4D86}},
      {device_data::k_layout_qcc,
       {0x6500, 0x6510}},
      {device_data::k_layout_airoha_a,
       {0x6800, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}},
      {device_data::k_layout_airoha_b,
       {0x6801, 0x6802, 0x6803}},
      {device_data::k_layout_tj4_volume,
       {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5622, 0x5624, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432,
        0x5434}},
      {device_data::k_layout_hb6_language,
       {0x3052, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400,
        0x4023, 0x4050, 0x5424, 0x5428, 0x5430, 0x5432, 0x5434, 0x5534, 0x5564, 0x5590, 0x5591, 0x5592, 0x5593,
        0x5594, 0x6310, 0x6320, 0x6330, 0x6335, 0x6900}},
      {device_data::k_layout_nd4_language,
       {0x3110, 0x3132, 0x3134, 0x3142, 0x3146, 0x3148, 0x3154, 0x3156, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214,
        0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3900}},
      {device_data::k_layout_hb6_equalizer,
       {0x3052, 0x3072, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400, 0x5534, 0x5552,
        0x5553, 0x5570, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6900}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    EXPECT_EQ(ids_where([&](const ProductFacts& row) { return (row.setting_layouts & c.layout) != 0; }),
              sorted(c.ids));
  }
}

// The classic panel's layout lines, each with the panels that now name its
// products.
TEST(SettingCatalogue, ClassicPanelHoldsTheLayoutLines) {
  using P = device_data::ClassicPanel;
  struct Case {
    std::vector<P> panels;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {{P::like_4d10},
       {0x4D10, 0x4D30, 0x4D40}},
      {{P::like_4d20},
       {0x4D20, 0x4D50, 0x5010, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5080}},
      {{P::like_5020},
       {0x5020, 0x5070}},
      {{P::like_4d05},
       {0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65}},
      {{P::like_4d06},
       {0x4D06, 0x4D16, 0x4D86}},
      {{P::like_4d76},
       {0x4D76, 0x4D75, 0x5011}},
      {{P::like_2020},
       {0x2020}},
      {{P::like_4d85},
       {0x4D85}},
      {{P::like_6000},
       {0x6000}},
      {{P::like_2010},
       {0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030}},
      {{P::like_2120},
       {0x2120, 0x4021}},
      {{P::like_4d21},
       {0x4D21}},
      {{P::like_4040},
       {0x4040}},
      {{P::like_4110},
       {0x4110, 0x4111, 0x4112, 0x4113}},
      {{P::like_4120},
       {0x4120}},
      {{P::like_6110},
       {0x6110, 0x6111, 0x6120, 0x6121}},
      {{P::like_6420},
       {0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}},
      {{P::like_6430},
       {0x6430}},
      {{P::lm6},
       {0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}},
      {{P::lm6_4210},
       {0x4210}},
      {{P::like_4023},
       {0x4023}},
      {{P::like_5522},
       {0x5522, 0x5524, 0x5536}},
      {{P::like_5526},
       {0x5526, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6210, 0x6400}},
      {{P::like_3030},
       {0x3030, 0x3032, 0x3040, 0x3050, 0x3060}},
      {{P::like_5210},
       {0x5210}},
      {{P::buttons_only, P::buttons_only_5560},
       {0x3150, 0x3161, 0x5560, 0x5562, 0x6500, 0x6510, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810,
        0x6811, 0x6812}},
      {{P::six_rows},
       {0x3052, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126,
        0x3128, 0x3132, 0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156, 0x3170, 0x3210,
        0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3300,
        0x3310, 0x3320, 0x3330, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400, 0x3900, 0x4050, 0x5410, 0x5412,
        0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5530,
        0x5532, 0x5534, 0x5550, 0x5552, 0x5553, 0x5564, 0x5570, 0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593,
        0x5594, 0x5595, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020,
        0x6022, 0x6024, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038, 0x6039, 0x6112, 0x6114, 0x6310,
        0x6320, 0x6330, 0x6335, 0x6900}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ids.front());
    EXPECT_EQ(ids_where([&](const ProductFacts& row) {
                return std::ranges::find(c.panels, row.classic_panel) != c.panels.end();
              }),
              sorted(c.ids));
  }
}

// The rows the classic panel shows: the lines of the products outside the
// all-settings list, then those of the list on a system without the table.
TEST(SettingCatalogue, ClassicPanelHoldsTheShownRowsLines) {
  using P = device_data::ClassicPanel;
  struct Case {
    std::vector<P> panels;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {{P::like_4d10},
       {0x4D10, 0x4D30, 0x4D40}},
      {{P::like_4d20},
       {0x4D20, 0x4D50, 0x5010, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5080}},
      {{P::like_5020},
       {0x5020, 0x5070}},
      {{P::like_4d06},
       {0x4D06, 0x4D16, 0x4D86}},
      {{P::like_4d05},
       {0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65}},
      {{P::like_2020},
       {0x2020}},
      {{P::like_4d76},
       {0x4D75, 0x4D76, 0x5011}},
      {{P::like_4d85, P::like_6000},
       {0x4D85, 0x6000}},
      {{P::like_2010},
       {0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030}},
      {{P::like_6110},
       {0x6110, 0x6111, 0x6120, 0x6121}},
      {{P::like_4120},
       {0x4120}},
      {{P::like_4110},
       {0x4110, 0x4111, 0x4112, 0x4113}},
      {{P::like_6420},
       {0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}},
      {{P::like_6430},
       {0x6430}},
      {{P::like_2120},
       {0x2120, 0x4021}},
      {{P::like_4040, P::like_4d21},
       {0x4040, 0x4D21}},
      {{P::like_5210},
       {0x5210}},
      {{P::lm6},
       {0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}},
      {{P::lm6_4210},
       {0x4210}},
      {{P::like_3030, P::like_5522},
       {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5522, 0x5524, 0x5536}},
      {{P::buttons_only_5560},
       {0x5560, 0x5562}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ids.front());
    EXPECT_EQ(ids_where([&](const ProductFacts& row) {
                return std::ranges::find(c.panels, row.classic_panel) != c.panels.end();
              }),
              sorted(c.ids));
  }
}

TEST(SettingCatalogue, AllSettingsAndApplyNoteColumnsHoldTheirLists) {
  const std::vector<int> all_settings = {
      0x2030, 0x3030, 0x3032, 0x3040, 0x3050, 0x3052, 0x3060, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110,
      0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3140, 0x3142, 0x3144, 0x3146,
      0x3148, 0x3150, 0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215,
      0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3300, 0x3310, 0x3320, 0x3330, 0x3340, 0x3341,
      0x3350, 0x3360, 0x3370, 0x3400, 0x3500, 0x3540, 0x3560, 0x3570, 0x3900, 0x4023, 0x4050, 0x4210, 0x4310,
      0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424,
      0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534,
      0x5536, 0x5550, 0x5552, 0x5553, 0x5560, 0x5562, 0x5564, 0x5570, 0x5576, 0x5580, 0x5590, 0x5591, 0x5592,
      0x5593, 0x5594, 0x5595, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720,
      0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028, 0x6030,
      0x6032, 0x6034, 0x6036, 0x6038, 0x6039, 0x6112, 0x6114, 0x6210, 0x6310, 0x6320, 0x6330, 0x6335, 0x6400,
      0x6500, 0x6510, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812, 0x6900};
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.all_settings; }), all_settings);
  const std::vector<int> without_note_button = {0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.apply_note_without_button; }), without_note_button);
}

// The product lists of the all-settings sheet: the headsets whose HD
// intercom, HD voice and audio veneer exclude each other, and the products
// of each information text.
TEST(SettingCatalogue, AllSettingsSheetColumnsHoldTheSheetsLists) {
  struct Case {
    const char* list;
    bool (*selected)(const ProductFacts&);
    std::vector<int> ids;
  };
  const Case cases[] = {
      {"exclusive_audio", [](const ProductFacts& row) { return (row.setting_layouts & device_data::k_layout_wq8) != 0; },
       {0x3132, 0x3134, 0x3148, 0x3154, 0x3156, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216,
        0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3310, 0x3320, 0x3330, 0x3900}},
      {"veneer_braiding", [](const ProductFacts& row) { return row.veneer_text == device_data::VeneerText::braiding; },
       {0x3110, 0x3112, 0x3114, 0x3116, 0x3132, 0x3134, 0x3140, 0x3146, 0x3148, 0x3154, 0x3156, 0x3170, 0x3210,
        0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3264, 0x3310, 0x3320,
        0x3330, 0x3900}},
      {"veneer_plain", [](const ProductFacts& row) { return row.veneer_text == device_data::VeneerText::plain; },
       {0x5412, 0x5414, 0x5416, 0x5418, 0x5420}},
      {"veneer_verrano", [](const ProductFacts& row) { return row.veneer_text == device_data::VeneerText::verrano; },
       {0x6028, 0x6030, 0x6032, 0x6034, 0x6036}},
      {"vox_verrano", [](const ProductFacts& row) { return row.vox_sensitivity_text == device_data::VoxSensitivityText::verrano; },
       {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034,
        0x6036, 0x6038, 0x6039}},
      {"vox_kestner", [](const ProductFacts& row) { return row.vox_sensitivity_text == device_data::VoxSensitivityText::kestner; },
       {0x5622, 0x5623, 0x5624, 0x6400}},
      {"vox_gz3", [](const ProductFacts& row) { return row.vox_sensitivity_text == device_data::VoxSensitivityText::gz3; },
       {0x6500, 0x6510, 0x6800, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}},
      {"headset_unit_language", [](const ProductFacts& row) { return row.unit_language_text == device_data::UnitLanguageText::headset_unit_language; },
       {0x3148, 0x3154, 0x3161, 0x3170, 0x3211, 0x3215, 0x3260, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805,
        0x6810, 0x6811, 0x6812}},
      {"headset_unit_language_before_1_1", [](const ProductFacts& row) { return row.unit_language_text == device_data::UnitLanguageText::headset_unit_language_before_1_1; },
       {0x3132, 0x3134, 0x3210, 0x3218, 0x3900}},
      {"headset_unit_language_by_speaker", [](const ProductFacts& row) { return row.unit_language_text == device_data::UnitLanguageText::headset_unit_language_known_speaker; },
       {0x3214, 0x3217}},
      {"headset_language", [](const ProductFacts& row) { return row.unit_language_text == device_data::UnitLanguageText::headset_language; },
       {0x3085, 0x3350, 0x3360, 0x3370, 0x3400, 0x5534, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x6900}},
      {"unit_language_vexlink", [](const ProductFacts& row) { return row.unit_language_text == device_data::UnitLanguageText::vexlink; },
       {0x6038, 0x6039}},
      {"equalizer_rf", [](const ProductFacts& row) { return row.equalizer_text == device_data::EqualizerText::rf; },
       {0x3156, 0x3213, 0x3240}},
      {"equalizer_vq", [](const ProductFacts& row) { return row.equalizer_text == device_data::EqualizerText::vq; },
       {0x3232, 0x3264}},
      {"equalizer_by_speaker", [](const ProductFacts& row) { return row.equalizer_text == device_data::EqualizerText::by_speaker; },
       {0x3215, 0x3211, 0x3212, 0x3214, 0x3216, 0x3217}},
      {"equalizer_by_speaker_from_1_1", [](const ProductFacts& row) { return row.equalizer_text == device_data::EqualizerText::by_speaker_from_1_1; },
       {0x3132, 0x3134, 0x3210, 0x3218, 0x3900}},
      {"few_texts", [](const ProductFacts& row) { return row.few_information_texts; },
       {0x5552, 0x5553}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(ids_where(c.selected), sorted(c.ids));
  }
}

TEST(SettingCatalogue, EveryEntryIsItsOwnIdWithAControlThatFitsItsKind) {
  std::set<Setting> seen;
  for (const device_data::SettingEntry& entry : device_data::setting_entries()) {
    SCOPED_TRACE(entry.field);
    EXPECT_TRUE(seen.insert(entry.id).second);
    EXPECT_EQ(&device_data::setting_entry(entry.id), &entry);
    EXPECT_FALSE(entry.field.empty());
    switch (entry.kind) {
      case SettingKind::on_off:
        EXPECT_TRUE(entry.rule == ValueRule::column0_on || entry.rule == ValueRule::column0_off);
        EXPECT_FALSE(entry.items.has_value());
        break;
      case SettingKind::pop_up:
        EXPECT_NE(entry.rule, ValueRule::column0_on);
        EXPECT_NE(entry.rule, ValueRule::column0_off);
        break;
      case SettingKind::number:
        EXPECT_EQ(entry.rule, ValueRule::number);
        EXPECT_LT(entry.low, entry.high);
        break;
    }
  }
  EXPECT_EQ(static_cast<int>(seen.size()), device_data::k_setting_count);
}

TEST(SettingCatalogue, FieldsOfThePackedWordsNameADescriptor) {
  // a field in the settings words is named as its descriptor is
  for (Setting id : {Setting::MotionSensorSensitivity, Setting::AudioBraiding, Setting::AudioBraidingSensitivity,
                     Setting::NavigationAppOverlay, Setting::EightWayIntercom, Setting::LEDControl,
                     Setting::SmartVolumeControl}) {
    SCOPED_TRACE(static_cast<int>(id));
    EXPECT_NE(device_data::find_setting_field(device_data::setting_entry(id).field), nullptr);
  }
  EXPECT_EQ(device_data::setting_entry(Setting::ACT).low, 3);
  EXPECT_EQ(device_data::setting_entry(Setting::ACT).high, 60);
}

TEST(SettingCatalogue, StoredValueFollowsTheRule) {
  struct Case {
    ValueRule rule;
    int choice;
    std::optional<int> value;
  };
  const Case cases[] = {
      {ValueRule::column0_on, 0, 1},       {ValueRule::column0_on, 1, 0},      {ValueRule::column0_on, -1, 0},
      {ValueRule::column0_off, 0, 0},      {ValueRule::column0_off, 2, 1},     {ValueRule::index, 3, 3},
      {ValueRule::index, -1, std::nullopt}, {ValueRule::index_plus_1, 0, 1},   {ValueRule::ten_minus_index, 0, 10},
      {ValueRule::ten_minus_index, 9, 1},  {ValueRule::index_plus_8, 4, 12},   {ValueRule::rtg, 0, 12},
      {ValueRule::rtg, 2, 17},             {ValueRule::rtg, 3, std::nullopt},  {ValueRule::mic_gain, 1, 3},
      {ValueRule::mic_gain, 3, std::nullopt}, {ValueRule::number, 45, 45},     {ValueRule::number, -2, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    EXPECT_EQ(device_data::stored_value(c.rule, c.choice), c.value);
  }
}

}  // namespace
