// The settings page's change sets and Default resets hold exactly the products
// of the lists the page kept before: the lists are written out here. No
// product was in two lists, so their order decided nothing.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "device_data/product_facts.h"
#include "support/catalogue_ids.h"

namespace {

using device_data::ChangeSet;
using device_data::ProductFacts;

using test_support::ids_where;
using test_support::sorted;

using Ids = std::vector<int>;

// The ids of several old lists that compared the same parts of the record.
Ids joined(std::initializer_list<Ids> lists) {
  Ids ids;
  for (const Ids& list : lists) ids.insert(ids.end(), list.begin(), list.end());
  return sorted(ids);
}

std::vector<int> change_set_ids(ChangeSet wanted) {
  return ids_where([wanted](const ProductFacts& row) { return device_data::settings_change_set(row) == wanted; });
}

TEST(SettingsChangeSets, ChangeSetsHoldTheChangeLists) {
  const Ids vox_fields_before_4_0 = {0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020,
                                     0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5070, 0x5080};
  const Ids persistent_store_packed = {0x6000};
  const Ids persistent_store_packed_older = {
      0x2010, 0x2011, 0x2020, 0x2110, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4021, 0x4030, 0x4040, 0x4110,
      0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D15, 0x4D21, 0x4D35, 0x4D45, 0x4D55, 0x4D65, 0x4D75, 0x4D85,
      0x5011, 0x6110, 0x6111, 0x6120, 0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};
  const Ids transmit_gain_timeout = {0x5210};
  const Ids words_lm6 = {0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
  const Ids packed_5610 = {0x5610, 0x5611, 0x5612, 0x5620, 0x5621};
  const Ids packed_vox_5520 = {0x5520};
  const Ids packed_words_vox_volume = {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434};
  const Ids packed_vox_6112 = {0x6112, 0x6114};
  const Ids packed_pair_words_vox = {0x6038, 0x6039};
  const Ids packed_words_logged = {0x3052, 0x3072, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3350,
                                   0x3360, 0x3370, 0x3400, 0x4023, 0x5534, 0x5552, 0x5553, 0x5590,
                                   0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x6900};
  const Ids packed_words_3070 = {0x3070, 0x3080, 0x4050, 0x5564, 0x6310, 0x6320, 0x6330, 0x6335};
  const Ids packed_5530 = {0x5530, 0x5532, 0x5550};
  const Ids words_nd4 = {0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3134, 0x3140,
                         0x3142, 0x3144, 0x3146, 0x3152, 0x3156, 0x3170, 0x3211, 0x3213, 0x3214, 0x3215,
                         0x3217, 0x3240, 0x3260, 0x3310, 0x3320, 0x3330, 0x3500, 0x3540, 0x3560, 0x3570,
                         0x3900, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x6500, 0x6510, 0x6800, 0x6801, 0x6802,
                         0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812};
  const Ids words_wq8 = {0x3132, 0x3148, 0x3154, 0x3210, 0x3212, 0x3216, 0x3218, 0x3232, 0x3264};
  const Ids packed_5710 = {0x5710};
  const Ids packed_vox_from_1_1 = {0x5623};
  const Ids packed_volume_vox_from_1_1 = {0x5622, 0x5624};
  const Ids packed_3030 = {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5522, 0x5524, 0x5536, 0x5560, 0x5562, 0x6210};
  const Ids packed_vox_5526 = {0x5526, 0x5720, 0x6400};
  const Ids packed_5910 = {0x5910, 0x5920};
  const Ids packed_camera = {0x5510};
  const Ids packed_words_5570 = {0x5570, 0x5580};
  const Ids packed_pair = {0x5576};
  const Ids packed_words_vox = {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026,
                                0x6028, 0x6030, 0x6032, 0x6034, 0x6036};
  const Ids packed_vox_6020 = {0x6020, 0x6022, 0x6024};
  const Ids words_3161 = {0x3150, 0x3161};
  const Ids packed_vox_volume = {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420};

  EXPECT_EQ(change_set_ids(ChangeSet::vox_fields_before_4_0), sorted(vox_fields_before_4_0));
  EXPECT_EQ(change_set_ids(ChangeSet::packed),
            joined({persistent_store_packed, persistent_store_packed_older, packed_5610, packed_5530, packed_5710,
                    packed_3030, packed_5910}));
  EXPECT_EQ(change_set_ids(ChangeSet::packed_pair), packed_pair);
  EXPECT_EQ(change_set_ids(ChangeSet::packed_camera), packed_camera);
  EXPECT_EQ(change_set_ids(ChangeSet::packed_vox),
            joined({packed_vox_5520, packed_vox_6112, packed_vox_5526, packed_vox_6020}));
  EXPECT_EQ(change_set_ids(ChangeSet::packed_vox_from_1_1), packed_vox_from_1_1);
  EXPECT_EQ(change_set_ids(ChangeSet::packed_vox_volume), packed_vox_volume);
  EXPECT_EQ(change_set_ids(ChangeSet::packed_volume_vox_from_1_1), packed_volume_vox_from_1_1);
  EXPECT_EQ(change_set_ids(ChangeSet::packed_words), joined({packed_words_3070, packed_words_5570}));
  EXPECT_EQ(change_set_ids(ChangeSet::packed_words_logged), sorted(packed_words_logged));
  EXPECT_EQ(change_set_ids(ChangeSet::packed_words_vox), packed_words_vox);
  EXPECT_EQ(change_set_ids(ChangeSet::packed_words_vox_volume), packed_words_vox_volume);
  EXPECT_EQ(change_set_ids(ChangeSet::packed_pair_words_vox), packed_pair_words_vox);
  EXPECT_EQ(change_set_ids(ChangeSet::words), joined({words_lm6, words_nd4, words_wq8, words_3161}));
  EXPECT_EQ(change_set_ids(ChangeSet::transmit_gain_timeout), transmit_gain_timeout);
  // an id without a row saves nothing
  EXPECT_EQ(device_data::settings_change_set(device_data::product_facts(0x1234)), ChangeSet::none);
}

TEST(SettingsChangeSets, DefaultResetsHoldTheDefaultLists) {
  using device_data::DefaultReset;
  const auto reset = [](DefaultReset wanted) {
    return ids_where([wanted](const ProductFacts& row) { return row.default_reset == wanted; });
  };
  EXPECT_EQ(reset(DefaultReset::word_3_public_channel), Ids{0x3128});
  EXPECT_EQ(reset(DefaultReset::words_3_4_hd_voice), sorted({0x3211, 0x3214, 0x3215, 0x3217, 0x3260, 0x3900}));
  EXPECT_EQ(reset(DefaultReset::words_3_4_hd_voice_assistant),
            sorted({0x3132, 0x3134, 0x3148, 0x3154, 0x3210, 0x3212, 0x3216, 0x3218, 0x3232, 0x3264}));
  EXPECT_EQ(reset(DefaultReset::word_3_hd_voice), sorted({0x3156, 0x3170, 0x3213, 0x3240, 0x3310, 0x3320, 0x3330}));
  EXPECT_EQ(reset(DefaultReset::word_3_equalizer_from_3_1), Ids{0x3110});
  EXPECT_EQ(reset(DefaultReset::word_3_speaker_equalizer), Ids{0x3146});
  EXPECT_EQ(reset(DefaultReset::word_3), sorted({0x3116, 0x3118, 0x3124, 0x3126, 0x3140, 0x3142, 0x3144, 0x3152}));
  EXPECT_EQ(reset(DefaultReset::words_0_1_mesh_switches), sorted({0x4D06, 0x4D16, 0x4D76, 0x4D86}));
  EXPECT_EQ(reset(DefaultReset::word_3_speaker_equalizer_from_3_0), sorted({0x3112, 0x3114}));
  EXPECT_EQ(reset(DefaultReset::word_1_hb6_equalizer_hd_voice_off), sorted({0x5552, 0x5553}));
  EXPECT_EQ(reset(DefaultReset::word_1_hb6_equalizer),
            sorted({0x3052, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360,
                    0x3370, 0x3400, 0x4023, 0x5424, 0x5428, 0x5430, 0x5432, 0x5434, 0x5534, 0x5570, 0x5580,
                    0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6310, 0x6900}));
  EXPECT_EQ(reset(DefaultReset::word_1), sorted({0x3150, 0x3161, 0x6320, 0x6330, 0x6335}));
  EXPECT_EQ(reset(DefaultReset::word_2),
            sorted({0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}));
  EXPECT_EQ(reset(DefaultReset::word_4), Ids{0x4210});
  EXPECT_EQ(device_data::product_facts(0x1234).default_reset, DefaultReset::factory);
}

}  // namespace
