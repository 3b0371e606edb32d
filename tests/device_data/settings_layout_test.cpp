// The settings-block layout column holds exactly the product lists the
// settings read, the restore's write and the settings page's save branched
// over: the lists are written out here as those three kept them.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "device_data/product_facts.h"

namespace {

using device_data::product_facts;
using device_data::SettingsLayout;
using L = SettingsLayout;

// Every id whose row has one of `layouts`, ascending.
std::vector<int> ids_with(std::initializer_list<SettingsLayout> layouts) {
  std::vector<int> ids;
  for (int id = 0; id <= 0xFFFF; ++id) {
    if (std::ranges::find(layouts, product_facts(id).settings_layout) != layouts.end()) ids.push_back(id);
  }
  return ids;
}

std::vector<int> sorted(std::vector<int> ids) {
  std::ranges::sort(ids);
  return ids;
}

struct Case {
  const char* list;
  std::initializer_list<SettingsLayout> layouts;
  std::vector<int> ids;
};

void expect_lists(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(ids_with(c.layouts), sorted(c.ids));
  }
}

constexpr std::initializer_list<SettingsLayout> k_packed_pairs = {
    L::packed_pair,          L::packed_pair_unread,        L::packed_pair_to_bit_12,
    L::packed_pair_to_bit_12_keyed, L::packed_pair_to_bit_13, L::packed_pair_no_boost_failure,
    L::packed_pair_no_vox,   L::packed_pair_no_sidetone,   L::packed_pair_boost_hush,
    L::packed_pair_station_guide, L::packed_pair_recording, L::packed_pair_vox,
    L::packed_pair_vox_reset, L::packed_pair_vox_to_bit_12, L::packed_pair_smart_volume,
    L::packed_pair_vox_from_1_1, L::packed_pair_camera};

TEST(SettingsLayoutColumn, TwoModuleLayoutsAreTheTwoModuleProducts) {
  std::vector<int> two_modules;
  for (const device_data::ProductFacts& row : device_data::product_rows()) {
    if (row.two_modules) two_modules.push_back(row.id);
  }
  EXPECT_EQ(ids_with({L::two_module, L::lm6}), two_modules);
  EXPECT_EQ(ids_with({L::lm6}), (std::vector<int>{0x4210}));
}

TEST(SettingsLayoutColumn, HoldsTheBlockMapFamilies) {
  expect_lists({
      {"paired units", {L::paired_units}, {0x5345}},
      {"QCC: settings in 0x36, FM in 0x44",
       {L::qcc_words, L::qcc_words_mode_query, L::qcc_words_wq8, L::qcc_packed, L::qcc_packed_quiet,
        L::qcc_packed_read_04, L::qcc_packed_three, L::qcc_packed_vox},
       {0x3150, 0x3161, 0x4D16, 0x4D86, 0x6500, 0x6510, 0x3052, 0x3072, 0x3082, 0x3085, 0x3340, 0x3341,
        0x3350, 0x3360, 0x3370, 0x3400, 0x4023, 0x5552, 0x5553, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594,
        0x5595, 0x6038, 0x6039, 0x6900}},
      {"FM read only, speed dials 0x37-0x39 written",
       {L::qcc_words_wq8_first_dials, L::speed_dials_only},
       {0x4D06, 0x4D76, 0x6461, 0x6481, 0x6491, 0x6600, 0x6700}},
      {"Airoha with speed dials", {L::language_pack_speed_dials}, {0x6800, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}},
      {"Airoha", {L::language_pack}, {0x6801, 0x6802, 0x6803}},
      {"settings behind the language pack",
       {L::language_pack, L::language_pack_speed_dials},
       {0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}},
      {"mesh: FM and speed dials written",
       {L::mesh_nd4_firmware, L::mesh_nd4, L::mesh_kwnd4, L::mesh_solvane, L::mesh_solvane_word_2_0,
        L::mesh_solvane_word_2_ffff, L::mesh_solvane_zod, L::mesh_plv, L::mesh_tj6, L::mesh_kwwq8, L::mesh_wq8,
        L::mesh_wq8_from_1_1, L::qorlan, L::qorlan_module_1},
       {0x3132, 0x3134, 0x3210, 0x3211, 0x3212, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3260,
        0x3264, 0x3900, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3140, 0x3144,
        0x3146, 0x3148, 0x3152, 0x3154, 0x3156, 0x3170, 0x3213, 0x3240, 0x3310, 0x3320, 0x3330}},
      {"mesh: FM written", {L::mesh_solvane_fm}, {0x3142}},
      {"mesh channel", {L::mesh_channel, L::mesh_channel_volume}, {0x3500, 0x3540, 0x3560, 0x3570}},
      {"commit 0x5410", {L::commit_vox_smart_volume}, {0x5410}},
      {"commit 0x5412", {L::commit_vox_smart_volume_fm}, {0x5412, 0x5414, 0x5416, 0x5418, 0x5420}},
      {"commit 0x6010",
       {L::navigation, L::navigation_logged, L::navigation_automatic},
       {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036}},
      {"commit 0x6020", {L::navigation_short}, {0x6020, 0x6022, 0x6024}},
      {"packed word: FM and speed dials written",
       {L::packed_word_1_zero_failure, L::packed_word_1_written, L::packed_vox_smart_volume},
       {0x5570, 0x5580, 0x5534, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434}},
      {"packed word: FM written", {L::packed_word_1_fm}, {0x3070, 0x3080}},
      {"packed word: speed dials written", {L::packed_word_1_dials}, {0x3300}},
      {"packed word, large: FM written, empty numbers as one word", k_packed_pairs,
       {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3550, 0x5320, 0x5330, 0x5510, 0x5520, 0x5522, 0x5524,
        0x5526, 0x5530, 0x5532, 0x5536, 0x5550, 0x5560, 0x5562, 0x5576, 0x5610, 0x5611, 0x5612, 0x5620,
        0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6112, 0x6114, 0x6210, 0x6400}},
  });
}

TEST(SettingsLayoutColumn, HoldsTheReadFamilies) {
  expect_lists({
      {"no settings word", {L::paired_units, L::packed_pair_unread}, {0x5345, 0x3550, 0x5320, 0x5330}},
      {"ND4", {L::mesh_nd4_firmware, L::mesh_nd4}, {0x3110, 0x3146}},
      {"PLV", {L::mesh_plv}, {0x3140}},
      {"Solvane and its ZOD",
       {L::mesh_solvane, L::mesh_solvane_word_2_0, L::mesh_solvane_word_2_ffff, L::mesh_solvane_zod,
        L::mesh_solvane_fm},
       {0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3142, 0x3144, 0x3152}},
      {"KWND4", {L::mesh_kwnd4}, {0x3112, 0x3114}},
      {"TJ6", {L::mesh_tj6}, {0x3148, 0x3154, 0x3170}},
      {"KWWQ8", {L::mesh_kwwq8}, {0x3156, 0x3213, 0x3240}},
      {"Qorlan", {L::qorlan, L::qorlan_module_1}, {0x3310, 0x3320, 0x3330}},
      {"WQ8 with speaker type", {L::mesh_wq8, L::mesh_wq8_from_1_1},
       {0x3132, 0x3134, 0x3210, 0x3211, 0x3212, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3260, 0x3264,
        0x3900}},
      {"KR9R", {L::qcc_words, L::qcc_words_mode_query}, {0x3150, 0x3161, 0x6500, 0x6510}},
      {"QCC WQ8", {L::qcc_words_wq8, L::qcc_words_wq8_first_dials}, {0x4D06, 0x4D16, 0x4D76, 0x4D86}},
      {"0x36 with word 1", {L::qcc_packed, L::qcc_packed_quiet, L::qcc_packed_three},
       {0x3052, 0x3072, 0x3082, 0x3085, 0x3400, 0x4023, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x3340,
        0x3341, 0x5552, 0x5553}},
      {"0x36: third word", {L::qcc_packed_three}, {0x5552, 0x5553}},
      {"0x36: no SAVEF3 line", {L::qcc_packed_quiet}, {0x3340, 0x3341}},
      {"0x36 and VOX 0x17", {L::qcc_packed_vox}, {0x6038, 0x6039}},
      {"VOX and smart volume, committed", {L::commit_vox_smart_volume, L::commit_vox_smart_volume_fm},
       {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420}},
      {"navigation", {L::navigation, L::navigation_logged, L::navigation_automatic},
       {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036}},
      {"navigation: automatic on/off", {L::navigation_automatic}, {0x6028, 0x6030, 0x6032, 0x6034, 0x6036}},
      {"navigation: words 2 and 3 logged", {L::navigation_logged}, {0x6010, 0x6012}},
      {"navigation: first VOX word", {L::navigation_short}, {0x6020, 0x6022, 0x6024}},
      {"word 1, VOX and smart volume", {L::packed_vox_smart_volume}, {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434}},
      {"camera", {L::packed_pair_camera}, {0x5510}},
      {"VOX", {L::packed_pair_vox}, {0x5520, 0x6112, 0x6114, 0x6400}},
      {"smart volume and VOX by backup", {L::packed_pair_smart_volume, L::packed_pair_vox_from_1_1},
       {0x5622, 0x5623, 0x5624}},
      {"VOX reset with the settings word", {L::packed_pair_vox_reset, L::packed_pair_vox_to_bit_12}, {0x5526, 0x5720}},
      {"word 1, failure word 1 0", {L::packed_word_1_zero_failure}, {0x5570, 0x5580}},
      {"automatic start of recording", {L::packed_pair_recording}, {0x5576}},
      {"word 1, failure word 1 0x0020",
       {L::packed_word_1, L::packed_word_1_fm, L::packed_word_1_dials, L::packed_word_1_written},
       {0x3300, 0x3070, 0x3080, 0x4050, 0x5534, 0x5564, 0x6310, 0x6320, 0x6330, 0x6335}},
      {"failure without audio boost", {L::packed_pair_no_boost_failure}, {0x5524}},
      {"bits 0-12, failure without audio boost", {L::packed_pair_to_bit_12_keyed},
       {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5522}},
      {"bits 0-12", {L::packed_pair_to_bit_12}, {0x5710, 0x5910, 0x5920}},
      {"bits 0-13", {L::packed_pair_to_bit_13}, {0x5532}},
      {"no VOX or sidetone bits", {L::packed_pair_no_vox}, {0x5550}},
      {"no sidetone bit", {L::packed_pair_no_sidetone}, {0x6210}},
      {"voice prompt, bitpool, hush, boost, guide", {L::packed_pair_boost_hush}, {0x5536}},
      {"station guide only", {L::packed_pair_station_guide}, {0x5560, 0x5562}},
      {"mesh channel first", {L::mesh_channel, L::mesh_channel_volume}, {0x3500, 0x3540, 0x3560, 0x3570}},
      {"mesh volume", {L::mesh_channel_volume}, {0x3560}},
  });
}

TEST(SettingsLayoutColumn, HoldsTheRestoreWriteFamilies) {
  expect_lists({
      {"speed dials only", {L::speed_dials_only}, {0x6461, 0x6481, 0x6491, 0x6600, 0x6700}},
      {"0x36 words 0 and 1",
       {L::qcc_words, L::qcc_words_mode_query, L::qcc_words_wq8, L::qcc_words_wq8_first_dials},
       {0x4D16, 0x4D86, 0x4D06, 0x4D76, 0x3150, 0x3161, 0x6500, 0x6510}},
      {"FM and speed dials only", {L::mesh_wq8, L::mesh_wq8_from_1_1},
       {0x3132, 0x3134, 0x3210, 0x3211, 0x3212, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3260, 0x3264,
        0x3900}},
      {"four words",
       {L::mesh_tj6, L::mesh_kwwq8, L::mesh_solvane, L::mesh_solvane_word_2_0, L::mesh_solvane_word_2_ffff,
        L::mesh_solvane_zod, L::mesh_solvane_fm, L::mesh_plv, L::mesh_nd4},
       {0x3148, 0x3154, 0x3170, 0x3156, 0x3213, 0x3240, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3144, 0x3152,
        0x3140, 0x3146, 0x3142}},
      {"four words logged", {L::qorlan, L::qorlan_module_1}, {0x3310, 0x3320, 0x3330}},
      {"mesh channel and volume", {L::mesh_channel_volume}, {0x3560}},
      {"mesh channel", {L::mesh_channel}, {0x3500, 0x3540, 0x3570}},
      {"two words, four from 2.1", {L::mesh_nd4_firmware}, {0x3110}},
      {"three words, four from 3.0", {L::mesh_kwnd4}, {0x3112, 0x3114}},
      {"0x36 packed and word 1",
       {L::qcc_packed, L::qcc_packed_quiet, L::qcc_packed_read_04, L::qcc_packed_vox},
       {0x3052, 0x3072, 0x3082, 0x3085, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400, 0x4023, 0x5590, 0x5591,
        0x5592, 0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6900}},
      {"0x36 three words", {L::qcc_packed_three}, {0x5552, 0x5553}},
      {"packed and word 1",
       {L::packed_word_1, L::packed_word_1_fm, L::packed_word_1_dials, L::packed_word_1_written,
        L::packed_word_1_zero_failure},
       {0x5570, 0x5580, 0x3070, 0x3080, 0x4050, 0x5564, 0x6310, 0x6320, 0x6330, 0x6335, 0x3300, 0x5534}},
      {"packed and word 1, VOX, smart volume", {L::packed_vox_smart_volume},
       {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434}},
      {"packed pair", k_packed_pairs,
       {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3550, 0x5320, 0x5330, 0x5510, 0x5520, 0x5522, 0x5524,
        0x5526, 0x5530, 0x5532, 0x5536, 0x5550, 0x5560, 0x5562, 0x5576, 0x5610, 0x5611, 0x5612, 0x5620,
        0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6112, 0x6114, 0x6210, 0x6400}},
      {"packed pair and VOX", {L::packed_pair_vox, L::packed_pair_vox_reset, L::packed_pair_vox_to_bit_12},
       {0x5520, 0x5526, 0x5720, 0x6112, 0x6114, 0x6400}},
      {"packed pair and smart volume", {L::packed_pair_smart_volume}, {0x5622, 0x5624}},
      {"packed pair and VOX from 1.1", {L::packed_pair_vox_from_1_1}, {0x5623}},
      {"packed pair and camera", {L::packed_pair_camera}, {0x5510}},
  });
}

TEST(SettingsLayoutColumn, HoldsTheSaveGroups) {
  expect_lists({
      {"B", {L::mesh_channel, L::mesh_channel_volume}, {0x3500, 0x3540, 0x3560, 0x3570}},
      {"C", {L::language_pack, L::language_pack_speed_dials},
       {0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}},
      {"D", {L::qcc_words, L::qcc_words_mode_query, L::qcc_words_wq8, L::qcc_words_wq8_first_dials},
       {0x6510, 0x6500, 0x4D16, 0x4D06, 0x4D76, 0x4D86, 0x3161, 0x3150}},
      {"D with the mode query", {L::qcc_words_mode_query}, {0x6510, 0x6500}},
      {"E", {L::qcc_packed_three}, {0x5552, 0x5553}},
      {"F", {L::qcc_packed_vox}, {0x6038, 0x6039}},
      {"G", {L::qcc_packed, L::qcc_packed_quiet, L::qcc_packed_read_04},
       {0x5590, 0x3085, 0x3052, 0x3072, 0x3082, 0x3350, 0x3360, 0x3370, 0x6900, 0x3400, 0x3340, 0x3341, 0x5595,
        0x5591, 0x5592, 0x5593, 0x5594, 0x4023}},
      {"H", {L::qorlan}, {0x3310, 0x3330}},
      {"J1", {L::navigation, L::navigation_logged, L::navigation_automatic},
       {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036}},
      {"J2",
       {L::packed_word_1, L::packed_word_1_fm, L::packed_word_1_dials, L::packed_word_1_written,
        L::packed_word_1_zero_failure},
       {0x3070, 0x3080, 0x3300, 0x4050, 0x5534, 0x5564, 0x5570, 0x5580, 0x6310, 0x6320, 0x6330, 0x6335}},
      {"J3", {L::packed_vox_smart_volume}, {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434}},
      {"J4", {L::navigation_short}, {0x6020, 0x6022, 0x6024}},
      {"J5", {L::commit_vox_smart_volume, L::commit_vox_smart_volume_fm},
       {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420}},
      {"J6: every packed pair but the unread one",
       {L::packed_pair, L::packed_pair_to_bit_12, L::packed_pair_to_bit_12_keyed, L::packed_pair_to_bit_13,
        L::packed_pair_no_boost_failure, L::packed_pair_no_vox, L::packed_pair_no_sidetone,
        L::packed_pair_boost_hush, L::packed_pair_station_guide, L::packed_pair_recording, L::packed_pair_vox,
        L::packed_pair_vox_reset, L::packed_pair_vox_to_bit_12, L::packed_pair_smart_volume,
        L::packed_pair_vox_from_1_1, L::packed_pair_camera},
       {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5536,
        0x5550, 0x5560, 0x5562, 0x5576, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710,
        0x5720, 0x5910, 0x5920, 0x6112, 0x6114, 0x6210, 0x6400}},
      {"J6 VOX", {L::packed_pair_vox, L::packed_pair_vox_reset, L::packed_pair_vox_to_bit_12},
       {0x5520, 0x5526, 0x5720, 0x6112, 0x6114, 0x6400}},
      {"J6 smart volume", {L::packed_pair_smart_volume}, {0x5622, 0x5624}},
      {"I 0x3110", {L::mesh_nd4_firmware}, {0x3110}},
      {"I five words", {L::mesh_wq8}, {0x3211, 0x3215, 0x3232, 0x3260, 0x3264}},
      {"I five words from 1.1", {L::mesh_wq8_from_1_1},
       {0x3132, 0x3134, 0x3210, 0x3212, 0x3214, 0x3216, 0x3217, 0x3218, 0x3900}},
      {"I four words",
       {L::mesh_solvane, L::mesh_solvane_word_2_0, L::mesh_solvane_word_2_ffff, L::mesh_solvane_zod,
        L::mesh_solvane_fm, L::mesh_plv, L::mesh_nd4, L::mesh_tj6, L::mesh_kwwq8, L::qorlan_module_1},
       {0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156,
        0x3170, 0x3213, 0x3240, 0x3320}},
      {"I 0x3112", {L::mesh_kwnd4}, {0x3112, 0x3114}},
  });
}

}  // namespace
