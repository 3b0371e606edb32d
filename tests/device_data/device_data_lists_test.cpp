// Each column that decides which settings an older product packs into its
// settings words, and which factory settings it gets, holds exactly the
// products of the list it replaced: the lists are written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "device_data/product_facts.h"
#include "support/catalogue_ids.h"

namespace {

using device_data::ProductFacts;

using test_support::ids_where;
using test_support::sorted;

std::vector<int> packing(std::uint16_t bit) {
  return ids_where([bit](const ProductFacts& row) { return (row.packed_word_bits & bit) != 0; });
}

TEST(DeviceDataLists, PackedWordBitsHoldThePackedSettingLists) {
  using namespace device_data;
  const std::vector<std::pair<PackedWordBit, std::vector<int>>> lists = {
      {k_packs_audio_boost,
       {0x3052, 0x3072, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3400, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420,
        0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534,
        0x5536, 0x5550, 0x5552, 0x5553, 0x5570, 0x5576, 0x5580, 0x5590, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622,
        0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030,
        0x6032, 0x6034, 0x6036, 0x6038, 0x6039, 0x6112, 0x6114, 0x6210, 0x6400}},
      {k_packs_hd_intercom,
       {0x3052, 0x3072, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3400, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420,
        0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5526, 0x5530, 0x5532, 0x5534, 0x5550, 0x5552, 0x5553, 0x5570,
        0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910,
        0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038, 0x6039,
        0x6112, 0x6114, 0x6210, 0x6320, 0x6330, 0x6335, 0x6400}},
      {k_packs_hd_intercom_from_1_1, {0x5510, 0x5520, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621}},
      {k_packs_fm_station_guide,
       {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3070, 0x3080, 0x3300, 0x3400, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418,
        0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532,
        0x5534, 0x5536, 0x5550, 0x5552, 0x5553, 0x5560, 0x5562, 0x5570, 0x5576, 0x5580, 0x5590, 0x5610, 0x5611, 0x5612,
        0x5620, 0x5621, 0x5622, 0x5710, 0x5720, 0x5910, 0x5920, 0x6112, 0x6114, 0x6210, 0x6400}},
      {k_packs_hd_voice,
       {0x3300, 0x3340, 0x3341, 0x3400, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428, 0x5430,
        0x5432, 0x5434, 0x5510, 0x5520, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5550, 0x5552, 0x5553, 0x5570, 0x5576,
        0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623,
        0x5624, 0x6112, 0x6210, 0x6320, 0x6330, 0x6335, 0x6400}},
      {k_packs_auto_on_off, {0x6028, 0x6030, 0x6032, 0x6034, 0x6036}},
      {k_packs_y370_settings, {0x6038, 0x6039}},
      {k_packs_auto_start_recording, {0x5576}},
  };
  for (const auto& [bit, products] : lists) EXPECT_EQ(packing(bit), products) << bit;
}

// The audio source priority belongs to the HD voice products but four.
TEST(DeviceDataLists, SourcePriorityIsHdVoiceWithoutFour) {
  using namespace device_data;
  const std::vector<int> without_source_priority = {0x5532, 0x6320, 0x6330, 0x6335};
  std::vector<int> expected;
  for (int id : packing(k_packs_hd_voice)) {
    if (std::ranges::find(without_source_priority, id) == without_source_priority.end()) expected.push_back(id);
  }
  EXPECT_EQ(packing(k_packs_source_priority), expected);
}

// The factory table's product lists, in table order; each set's products.
TEST(DeviceDataLists, FactoryDefaultsHoldTheFactoryTableLists) {
  using device_data::FactoryDefaults;
  const std::vector<std::pair<FactoryDefaults, std::vector<int>>> lists = {
      {FactoryDefaults::like_4d10, {0x4D10, 0x4D30, 0x4D40}},
      {FactoryDefaults::like_4d20, {0x4D20, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080}},
      {FactoryDefaults::like_5040, {0x5040, 0x5050}},
      {FactoryDefaults::like_4d05, {0x4D05, 0x4D35, 0x4D55}},
      {FactoryDefaults::like_4d15, {0x4D15, 0x4D45, 0x4D65}},
      {FactoryDefaults::like_4d75, {0x4D75, 0x5011}},
      {FactoryDefaults::like_4d85, {0x4D85}},
      {FactoryDefaults::fm_block_only, {0x4D06, 0x4D16, 0x4D76, 0x4D86}},
      {FactoryDefaults::like_4d21, {0x4D21}},
      {FactoryDefaults::like_2010, {0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030}},
      {FactoryDefaults::like_2020, {0x2020}},
      {FactoryDefaults::like_6000, {0x6000}},
      {FactoryDefaults::like_4021, {0x4021, 0x6430}},
      {FactoryDefaults::like_6420, {0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}},
      {FactoryDefaults::like_4040, {0x4040}},
      {FactoryDefaults::like_4110, {0x4110, 0x4111, 0x4112, 0x4113}},
      {FactoryDefaults::like_4120, {0x4120}},
      {FactoryDefaults::like_6110, {0x6110, 0x6111, 0x6120, 0x6121}},
      {FactoryDefaults::like_5210, {0x5210}},
      {FactoryDefaults::like_3030, {0x3030, 0x3032, 0x3040, 0x3050, 0x3060}},
      {FactoryDefaults::like_3070, {0x3070}},
      {FactoryDefaults::like_3080, {0x3080}},
      {FactoryDefaults::like_3085, {0x3085, 0x6310}},
      {FactoryDefaults::like_5560, {0x5560, 0x5562}},
      {FactoryDefaults::like_5410, {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5526}},
      {FactoryDefaults::like_5720, {0x5720}},
      {FactoryDefaults::like_5424, {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434}},
      {FactoryDefaults::like_5534, {0x5534, 0x5552, 0x5553, 0x5590}},
      {FactoryDefaults::like_3300, {0x3300, 0x3340, 0x3341, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595}},
      {FactoryDefaults::like_3400, {0x3400}},
      {FactoryDefaults::like_6320, {0x6320, 0x6330, 0x6335}},
      {FactoryDefaults::like_5510, {0x5510}},
      {FactoryDefaults::like_5520, {0x5520}},
      {FactoryDefaults::like_5522, {0x5522, 0x5536}},
      {FactoryDefaults::like_5524, {0x5524}},
      {FactoryDefaults::like_5530, {0x5530}},
      {FactoryDefaults::like_5532, {0x5532}},
      {FactoryDefaults::like_5550, {0x5550}},
      {FactoryDefaults::like_5570, {0x5570}},
      {FactoryDefaults::like_5576, {0x5576}},
      {FactoryDefaults::like_5580, {0x5580}},
      {FactoryDefaults::like_6210, {0x6210}},
      {FactoryDefaults::like_5610, {0x5610, 0x5611, 0x5612, 0x5620, 0x5621}},
      {FactoryDefaults::like_5622, {0x5622, 0x5624}},
      {FactoryDefaults::like_5623, {0x5623}},
      {FactoryDefaults::like_5710, {0x5710}},
      {FactoryDefaults::like_5910, {0x5910, 0x5920}},
      {FactoryDefaults::like_6112, {0x6112}},
      {FactoryDefaults::like_6114, {0x6114}},
      {FactoryDefaults::like_6400, {0x6400}},
      {FactoryDefaults::navigation_0068, {0x6010, 0x6012}},
      {FactoryDefaults::navigation_006b, {0x6014, 0x6016, 0x6018, 0x6026}},
      {FactoryDefaults::navigation_006b_auto_on, {0x6028, 0x6030, 0x6032}},
      {FactoryDefaults::navigation_0068_auto_on, {0x6034}},
      {FactoryDefaults::navigation_0063_auto_on, {0x6036}},
      {FactoryDefaults::like_6020, {0x6020, 0x6022, 0x6024}},
      {FactoryDefaults::like_6038, {0x6038, 0x6039}},
      {FactoryDefaults::words_ed21, {0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}},
      {FactoryDefaults::lm6, {0x4210}},
      {FactoryDefaults::like_3110,
       {0x3110, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156,
        0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264,
        0x3310, 0x3320, 0x3330, 0x3900}},
      {FactoryDefaults::like_3112, {0x3112, 0x3114}},
      {FactoryDefaults::like_3140, {0x3140}},
      {FactoryDefaults::like_3142, {0x3142}},
      {FactoryDefaults::like_3150, {0x3150, 0x3161}},
      {FactoryDefaults::like_6500, {0x6500, 0x6510}},
      {FactoryDefaults::like_3500, {0x3500, 0x3540, 0x3570}},
      {FactoryDefaults::like_3560, {0x3560}},
      {FactoryDefaults::like_6800, {0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}},
  };
  for (const auto& [set, products] : lists) {
    EXPECT_EQ(ids_where([set](const ProductFacts& row) { return row.factory_defaults == set; }), sorted(products))
        << static_cast<int>(set);
  }
  EXPECT_EQ(lists.size(), static_cast<size_t>(FactoryDefaults::like_6800));
  // the general words ED21 belong to the two-module products but the LM6
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.factory_defaults == FactoryDefaults::words_ed21; }),
            ids_where([](const ProductFacts& row) { return row.two_modules && row.id != device_data::k_lm6_product; }));
}

TEST(DeviceDataLists, FmPresetsAndLanguageCodeGapHoldTheirLists) {
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.six_fm_presets; }),
            (std::vector<int>{0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.hb6_language_skips_code_6; }),
            (std::vector<int>{0x3340, 0x3341}));
  // the Qorlan units whose word has the gap are the products that write it by their language pack
  EXPECT_EQ(ids_where([](const ProductFacts& row) {
              return (row.setting_writers & device_data::k_writes_qorlan_language) != 0;
            }),
            (std::vector<int>{0x3310, 0x3320, 0x3330}));
}

}  // namespace
