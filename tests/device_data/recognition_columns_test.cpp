// Each recognition column holds exactly the products of the list it
// replaced: the lists are written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "device_data/product_facts.h"
#include "support/catalogue_ids.h"

namespace {

using device_data::ProductFacts;
using device_data::product_facts;

using test_support::ids_where;
using test_support::sorted;

TEST(RecognitionColumns, LegacyKeysHoldTheKeyReadingLists) {
  using device_data::LegacyKeySet;
  struct Case {
    LegacyKeySet keys;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {LegacyKeySet::word_from_4_0,
       {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070, 0x5030, 0x5080}},
      {LegacyKeySet::word_from_4_0_with_fm, {0x5040, 0x5050}},
      {LegacyKeySet::word_dials_above_1_2, {0x4D05, 0x4D35, 0x4D55}},
      {LegacyKeySet::word_fm_dials_above_1_2, {0x4D15, 0x4D45, 0x4D65}},
      {LegacyKeySet::word_fm_dials, {0x4D85}},
      {LegacyKeySet::word_and_dials, {0x6000, 0x4D21, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x6420,
                                      0x6470, 0x6460, 0x6480, 0x6490, 0x6440, 0x6450, 0x6430, 0x5011,
                                      0x4D75, 0x4110, 0x4113, 0x4111, 0x4112, 0x4120}},
      {LegacyKeySet::word_only,
       {0x4040, 0x4020, 0x4021, 0x2310, 0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x4030, 0x4010}},
      {LegacyKeySet::gain_and_timeout, {0x5210}},
  };
  std::size_t listed = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.keys));
    EXPECT_EQ(ids_where([&c](const ProductFacts& row) { return row.legacy_keys == c.keys; }), sorted(c.ids));
    listed += c.ids.size();
  }
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.legacy_keys != LegacyKeySet::none; }).size(), listed);
}

TEST(RecognitionColumns, SettingsWordHoldsTheWordLayoutLists) {
  using device_data::SettingsWordLayout;
  struct Case {
    SettingsWordLayout layout;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {SettingsWordLayout::bits_0_to_6_sidetone_from_5_0,
       {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070, 0x5030, 0x5080, 0x5040,
        0x5050}},
      {SettingsWordLayout::bits_0_to_6_sidetone, {0x5011, 0x4D75}},
      {SettingsWordLayout::bits_0_to_6, {0x4110, 0x4113, 0x4111, 0x4112}},
      {SettingsWordLayout::no_intercom_vox, {0x6000}},
      {SettingsWordLayout::sidetone_hush_from_1_1, {0x2020}},
      {SettingsWordLayout::sidetone_hush, {0x4040}},
      {SettingsWordLayout::sidetone_hush_auto_gain, {0x4120}},
      {SettingsWordLayout::no_vox_hush, {0x6110, 0x6111, 0x6120, 0x6121}},
      {SettingsWordLayout::sidetone_only, {0x4D21}},
      {SettingsWordLayout::bits_0_to_5_sidetone_from_2_0, {0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D45, 0x4D65}},
      {SettingsWordLayout::bits_0_to_5_sidetone, {0x4D85}},
      {SettingsWordLayout::bits_0_to_5, {0x4020, 0x2310, 0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x4030, 0x4010}},
      {SettingsWordLayout::vox_edr_prompt, {0x6420, 0x6470, 0x6460, 0x6480, 0x6490, 0x6440, 0x6450}},
      {SettingsWordLayout::vox_only, {0x6430, 0x4021}},
  };
  std::size_t listed = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.layout));
    EXPECT_EQ(ids_where([&c](const ProductFacts& row) { return row.settings_word == c.layout; }), sorted(c.ids));
    listed += c.ids.size();
  }
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.settings_word != SettingsWordLayout::none; }).size(),
            listed);
}

// The restore writes back the settings word of the products whose keys
// recognition reads; these were its own lists.
TEST(RecognitionColumns, LegacyKeysHoldTheRestoreLists) {
  using device_data::LegacyKeySet;
  const auto keys_in = [](std::vector<LegacyKeySet> sets) {
    return ids_where([sets](const ProductFacts& row) { return std::ranges::find(sets, row.legacy_keys) != sets.end(); });
  };
  EXPECT_EQ(keys_in({LegacyKeySet::word_fm_dials_above_1_2, LegacyKeySet::word_fm_dials}),
            sorted({0x4D15, 0x4D45, 0x4D65, 0x4D85}));
  EXPECT_EQ(keys_in({LegacyKeySet::word_dials_above_1_2, LegacyKeySet::word_and_dials, LegacyKeySet::word_only}),
            sorted({0x6000, 0x4D21, 0x4040, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x4D05, 0x4D35, 0x4D55, 0x6420,
                    0x6470, 0x6460, 0x6480, 0x6490, 0x6440, 0x6450, 0x6430, 0x4020, 0x4021, 0x2310, 0x2010, 0x2011,
                    0x2110, 0x2120, 0x2210, 0x4030, 0x4010, 0x5011, 0x4D75, 0x4110, 0x4113, 0x4111, 0x4112, 0x4120}));
}

TEST(RecognitionColumns, SecondModuleHoldsTheModuleGroupLists) {
  using device_data::SecondModuleRead;
  struct Case {
    SecondModuleRead read;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {SecondModuleRead::qcc_mesh, {0x3150, 0x3161, 0x5552, 0x5553, 0x6500, 0x6510}},
      {SecondModuleRead::module_1_only, {0x3500, 0x3540, 0x3550, 0x3560, 0x3570}},
      {SecondModuleRead::mesh_processor, {0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132,
                                          0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156,
                                          0x3170, 0x3232, 0x3240, 0x3260, 0x3264, 0x3320, 0x3900}},
      {SecondModuleRead::paired_units, {0x5345}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.read));
    EXPECT_EQ(ids_where([&c](const ProductFacts& row) { return row.second_module == c.read; }), sorted(c.ids));
  }
  // the Airoha mesh module group is the Airoha mesh update family
  EXPECT_EQ(ids_where([](const ProductFacts& row) {
              return row.update_family == device_data::UpdateFamily::airoha_mesh;
            }),
            sorted({0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218}));
}

TEST(RecognitionColumns, DeviceInfoReportColumnsHoldTheReportLists) {
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.reports_model_id; }),
            sorted({0x4210, 0x4310, 0x4330, 0x4510, 0x4530, 0x4610, 0x2030, 0x4410, 0x4430, 0x5510, 0x5580,
                    0x5570, 0x5611, 0x5610, 0x5612, 0x5620, 0x5621, 0x5520, 0x5526, 0x5720, 0x5530, 0x5532,
                    0x5550, 0x5710, 0x5524, 0x5536, 0x5522, 0x3030, 0x3050, 0x3060, 0x3040, 0x5910, 0x5920,
                    0x5623, 0x5622, 0x5624, 0x6210, 0x6400, 0x3110, 0x3116, 0x3118, 0x3112, 0x3114, 0x5410,
                    0x5412, 0x5414, 0x5420, 0x5418, 0x5416}));
  // the two-module products but 0x4610
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.reports_keys_shifted; }),
            sorted({0x4210, 0x4310, 0x4330, 0x4510, 0x4530, 0x2030, 0x4410, 0x4430}));
}

TEST(RecognitionColumns, PowerColumnsHoldThePowerTableLists) {
  using device_data::PowerSet;
  const std::pair<const char*, std::vector<int>> thresholds[] = {
      {"2DD49E", {0x4D05, 0x4D35, 0x4D55}}, {"2DE43E", {0x4D15, 0x4D65, 0x4D45, 0x5040, 0x5050}},
      {"2E037E", {0x4D85}},                 {"2C9BD1", {0x4D10, 0x4D30, 0x4D40}},
      {"2CAF59", {0x4D20, 0x4D50}},         {"34FD7D", {0x6110}},
      {"358E08", {0x6120}},
  };
  std::vector<int> with_threshold;
  for (const auto& [address, ids] : thresholds) {
    SCOPED_TRACE(address);
    EXPECT_EQ(ids_where([address](const ProductFacts& row) {
                return row.power_address_threshold != nullptr && std::string(row.power_address_threshold) == address;
              }),
              sorted(ids));
    with_threshold.insert(with_threshold.end(), ids.begin(), ids.end());
  }
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.power_address_threshold != nullptr; }),
            sorted(with_threshold));
  const std::pair<PowerSet, std::vector<int>> sets[] = {
      {PowerSet::a, {0x4D15, 0x4D65, 0x4D45, 0x5040, 0x5050}},
      {PowerSet::b, {0x4D05, 0x4D35, 0x4D55, 0x4D85}},
      {PowerSet::c, {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50}},
      {PowerSet::d, {0x6110}},
      {PowerSet::e, {0x6120}},
  };
  for (const auto& [set, ids] : sets) {
    SCOPED_TRACE(static_cast<int>(set));
    EXPECT_EQ(ids_where([set](const ProductFacts& row) { return row.power_set == set; }), sorted(ids));
  }
}

TEST(RecognitionColumns, HardwareQueriesHoldTheirProducts) {
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.fm_by_hardware_version; }),
            (std::vector<int>{0x3032, 0x3050, 0x3070, 0x3124, 0x3126, 0x3128, 0x3144}));
  using device_data::SpeakerQuery;
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.speaker_query == SpeakerQuery::user_and_speaker; }),
            std::vector<int>{0x4210});
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.speaker_query == SpeakerQuery::hardware_block; }),
            (std::vector<int>{0x3110, 0x5570}));
}

}  // namespace
