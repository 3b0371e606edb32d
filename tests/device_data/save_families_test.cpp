// Each column of the save families and the other product lists holds exactly
// the products of the list it replaced: the lists are written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"

namespace {

using device_data::ProductFacts;
using device_data::product_facts;

// Every id whose row satisfies `selected`, ascending.
std::vector<int> ids_where(const std::function<bool(const ProductFacts&)>& selected) {
  std::vector<int> ids;
  for (int id = 0; id <= 0xFFFF; ++id) {
    if (selected(product_facts(id))) ids.push_back(id);
  }
  return ids;
}

std::vector<int> sorted(std::vector<int> ids) {
  std::ranges::sort(ids);
  return ids;
}

bool module_1_version(const ProductFacts& row) {
  return row.header_version == device_data::HeaderVersionSource::module1;
}

TEST(SaveFamilyColumns, FmSaveHoldsTheFmSaveLists) {
  using device_data::FmSave;
  const auto save = [](FmSave wanted) {
    return ids_where([wanted](const ProductFacts& row) { return row.id != 0 && row.fm_save == wanted; });
  };
  EXPECT_EQ(save(FmSave::none), sorted({0x6800, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}));
  EXPECT_EQ(save(FmSave::two_module),
            sorted({0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}));
  EXPECT_EQ(save(FmSave::qcc), sorted({0x3052, 0x3072, 0x3082, 0x3085, 0x3150, 0x3161, 0x3340, 0x3341,
                                       0x3400, 0x4023, 0x4D16, 0x4D86, 0x5552, 0x5553, 0x5590, 0x5591,
                                       0x5592, 0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6500, 0x6510}));
  const std::vector<int> hid_block = {
      0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3070, 0x3080, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124,
      0x3126, 0x3128, 0x3132, 0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156, 0x3170,
      0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264,
      0x3310, 0x3320, 0x3330, 0x3900, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428, 0x5430,
      0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5550, 0x5560,
      0x5562, 0x5570, 0x5576, 0x5580, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710,
      0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034,
      0x6036, 0x6112, 0x6114, 0x6210, 0x6400};
  EXPECT_EQ(save(FmSave::hid_block), sorted(hid_block));
  // every other id, with or without a row, takes the persistent-store walk
  EXPECT_EQ(product_facts(0x1234).fm_save, FmSave::persistent_store);

  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.fm_block_six_preset_magic; }),
            sorted({0x5412, 0x5414, 0x5416, 0x5418, 0x5420}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.fm_block_in_persistent_store; }),
            sorted({0x4D15, 0x4D45, 0x4D65, 0x4D85, 0x5040, 0x5050}));
  // block 0x15 is checked against version set 01 on these, the main set on the rest
  const auto hid_block_module_1 = [](const ProductFacts& row) {
    return row.fm_save == FmSave::hid_block && module_1_version(row);
  };
  EXPECT_EQ(ids_where(hid_block_module_1),
            sorted({0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132,
                    0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156,
                    0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217,
                    0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3320, 0x3900}));
}

TEST(SaveFamilyColumns, SpeedDialSaveHoldsTheSpeedDialFamilies) {
  using device_data::SpeedDialSave;
  const auto save = [](SpeedDialSave wanted) {
    return ids_where([wanted](const ProductFacts& row) { return row.id != 0 && row.speed_dial_save == wanted; });
  };
  // family A is the two-module products
  EXPECT_EQ(save(SpeedDialSave::two_module), ids_where([](const ProductFacts& row) { return row.two_modules; }));
  EXPECT_EQ(save(SpeedDialSave::language_pack), sorted({0x6800, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}));
  EXPECT_EQ(save(SpeedDialSave::low_blocks),
            sorted({0x3052, 0x3072, 0x3082, 0x3085, 0x3150, 0x3161, 0x3340, 0x3341, 0x3400, 0x4D06,
                    0x4D16, 0x4D76, 0x4D86, 0x5552, 0x5553, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594,
                    0x5595, 0x6038, 0x6039, 0x6461, 0x6481, 0x6491, 0x6500, 0x6510, 0x6600, 0x6700}));
  const std::vector<int> high_blocks = {
      0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3128, 0x3132, 0x3134, 0x3140,
      0x3146, 0x3148, 0x3154, 0x3156, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218,
      0x3232, 0x3240, 0x3260, 0x3264, 0x3300, 0x3310, 0x3320, 0x3330, 0x3900, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418,
      0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532,
      0x5534, 0x5536, 0x5550, 0x5570, 0x5576, 0x5580, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624,
      0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028,
      0x6030, 0x6032, 0x6034, 0x6036, 0x6112, 0x6114, 0x6210, 0x6400};
  EXPECT_EQ(save(SpeedDialSave::high_blocks), sorted(high_blocks));
  EXPECT_EQ(product_facts(0x1234).speed_dial_save, SpeedDialSave::persistent_store);
  const auto high_blocks_module_1 = [](const ProductFacts& row) {
    return row.speed_dial_save == SpeedDialSave::high_blocks && module_1_version(row);
  };
  EXPECT_EQ(ids_where(high_blocks_module_1),
      sorted({0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3128, 0x3132, 0x3134, 0x3140, 0x3146,
              0x3148, 0x3154, 0x3156, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215,
              0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3320, 0x3900}));
  // the FM and speed-dial saves ask the mode of the same two products
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.save_asks_mode; }), sorted({0x6500, 0x6510}));
}

TEST(SaveFamilyColumns, FmProductsAreThoseWithAnFmSave) {
  // the FM page's products: the six-preset ones and these ten-preset ones
  const std::vector<int> ten_presets = {
      0x2030, 0x3030, 0x3032, 0x3040, 0x3050, 0x3052, 0x3060, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110,
      0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3140, 0x3142, 0x3144, 0x3146,
      0x3148, 0x3150, 0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215,
      0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3310, 0x3320, 0x3330, 0x3340, 0x3341, 0x3400,
      0x3900, 0x4023, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610, 0x4D15, 0x4D16, 0x4D45,
      0x4D65, 0x4D85, 0x4D86, 0x5040, 0x5050, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428,
      0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5550,
      0x5552, 0x5553, 0x5560, 0x5562, 0x5570, 0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595,
      0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6038,
      0x6039, 0x6112, 0x6114, 0x6210, 0x6400, 0x6500, 0x6510, 0x6800, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812,
  };
  const auto with_fm_save = [](const ProductFacts& row) {
    return row.fm_save != device_data::FmSave::persistent_store || row.fm_block_in_persistent_store;
  };
  const auto six_presets = [](int id) {
    return FEXOBluetoothDeviceData::fmPresetCountForDevice(id) == FEXOBluetoothDeviceData::k_fm_preset_group_count;
  };
  std::vector<int> fm_products = ten_presets;
  for (int id = 0; id <= 0xFFFF; ++id) {
    if (six_presets(id)) fm_products.push_back(id);
  }
  EXPECT_EQ(ids_where(with_fm_save), sorted(fm_products));
}

TEST(ProductListColumns, SectionDownloadColumnsHoldTheSectionDownloadSets) {
  using device_data::SectionDownloadEnd;
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.camera_part_to_disk; }),
            sorted({0x5510, 0x5580, 0x5570, 0x5576, 0x3060}));
  const std::vector<int> quiet = {0x5320, 0x5330, 0x5720, 0x3050, 0x6400, 0x6112, 0x6114, 0x5424, 0x5434,
                                  0x5430, 0x5432, 0x5428, 0x5426, 0x5534, 0x3070, 0x3080, 0x3310, 0x3330,
                                  0x6310, 0x6320, 0x6335, 0x6330, 0x5564, 0x4050, 0x3060, 0x5570, 0x5576};
  const std::vector<int> quiet_that_wait = {0x5320, 0x5330};
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.section_download_end != SectionDownloadEnd::button_notice; }),
            sorted(quiet));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.section_download_end == SectionDownloadEnd::quiet; }),
            sorted(quiet_that_wait));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.section_download_language; }),
            sorted({0x3310, 0x3330}));
}

TEST(ProductListColumns, UsbDfuColumnsHoldTheUsbDfuLists) {
  using device_data::UsbDfuBusId;
  // sent into their download mode over HID first
  EXPECT_EQ(ids_where([](const ProductFacts& row) {
              return row.id != 0 && row.update_family == device_data::UpdateFamily::download_mode;
            }),
            sorted({0x6020, 0x6022, 0x6024}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.dfu_clears_ps_keys; }),
            sorted({0x4D10, 0x4D30, 0x4D40, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.dfu_detach_without_box; }),
            sorted({0x3020, 0x6000, 0x6020, 0x6022, 0x6024, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480,
                    0x6490}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.dfu_restart_without_box; }),
            sorted({0x5310, 0x6020, 0x6022, 0x6024, 0x3020, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480,
                    0x6490, 0x6000, 0x4120}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.dfu_tag_of_selected_product; }),
            sorted({0x4D45, 0x4D65, 0x5050}));
  const std::vector<std::pair<int, int>> substitute_tags = {
      {0x4D05, 0x4D35}, {0x4D55, 0x4D35}, {0x4D10, 0x4D30}, {0x4D40, 0x4D30}, {0x4D45, 0x4D15}, {0x4D65, 0x4D15},
      {0x4D50, 0x4D20}, {0x5010, 0x5061}, {0x5060, 0x5061}, {0x5020, 0x5070}, {0x5030, 0x5080}, {0x5050, 0x5040}};
  std::vector<std::pair<int, int>> column_tags;
  for (int id = 0; id <= 0xFFFF; ++id) {
    if (product_facts(id).dfu_substitute_tag != 0) column_tags.emplace_back(id, product_facts(id).dfu_substitute_tag);
  }
  std::vector<std::pair<int, int>> listed_tags = substitute_tags;
  std::ranges::sort(listed_tags);
  EXPECT_EQ(column_tags, listed_tags);

  // the family's normal-mode ids on the bus; the download-mode products show
  // their id plus one, which has no row
  const std::vector<int> normal_mode_ids = {
      0x2010, 0x2011, 0x2020, 0x2110, 0x2120, 0x2210, 0x2310, 0x3010, 0x3020, 0x4010, 0x4020, 0x4021, 0x4030,
      0x4040, 0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D10, 0x4D15, 0x4D20, 0x4D21, 0x4D30, 0x4D35,
      0x4D40, 0x4D45, 0x4D50, 0x4D55, 0x4D65, 0x4D75, 0x4D85, 0x5010, 0x5011, 0x5020, 0x5030, 0x5040, 0x5050,
      0x5060, 0x5061, 0x5070, 0x5080, 0x5210, 0x5310, 0x6000, 0x6021, 0x6023, 0x6025, 0x6110, 0x6111, 0x6120,
      0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};
  const std::vector<int> kept_while_detached = {0x3010, 0x4120, 0x5310, 0x6000, 0x6021, 0x6023, 0x6025, 0x6420,
                                                0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};
  const std::vector<int> download_mode_ids = {0x6021, 0x6023, 0x6025};
  const auto without_download_mode_ids = [&](const std::vector<int>& ids) {
    std::vector<int> rest;
    std::ranges::copy_if(ids, std::back_inserter(rest),
                         [&](int id) { return std::ranges::find(download_mode_ids, id) == download_mode_ids.end(); });
    return sorted(rest);
  };
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.usb_dfu_bus_id != UsbDfuBusId::other; }),
            without_download_mode_ids(normal_mode_ids));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.usb_dfu_bus_id == UsbDfuBusId::kept_while_detached; }),
            without_download_mode_ids(kept_while_detached));
  for (int id : download_mode_ids) {
    EXPECT_EQ(product_facts(id).id, 0);
    EXPECT_EQ(product_facts(id - 1).update_family, device_data::UpdateFamily::download_mode);
  }
}

TEST(ProductListColumns, SecondaryNumberColumnHoldsTheNewUpdateList) {
  const std::vector<int> secondary_number_products = {
      0x3052, 0x3072, 0x3082, 0x3085, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132,
      0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3150, 0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210,
      0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3320,
      0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400, 0x3900, 0x4023, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x5552,
      0x5553, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6461, 0x6481, 0x6491, 0x6500,
      0x6510, 0x6600, 0x6700, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812, 0x6900};
  EXPECT_EQ(secondary_number_products.size(), 78u);
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.secondary_number_makes_newer; }),
            sorted(secondary_number_products));
}

TEST(ProductListColumns, FactoryWordsRowIsTheTwoModuleProductsButTheLm6) {
  // the LM6 has factory words of its own by firmware version
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.two_modules && row.id != device_data::k_lm6_product; }),
            std::vector<int>({0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}));
}

TEST(ProductListColumns, UpdateButtonsHoldTheMessageBoxButtonGroups) {
  using device_data::UpdateButtons;
  struct Case {
    UpdateButtons buttons;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {UpdateButtons::minus_minus_then_plus_minus,
       {0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x2310, 0x3030, 0x3032, 0x3040, 0x4010, 0x4020, 0x4021, 0x4030,
        0x5522, 0x5524, 0x5526, 0x5536, 0x5560, 0x5562, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623,
        0x5624, 0x5720, 0x5910, 0x5920, 0x6210}},
      {UpdateButtons::center_center_then_center_plus,
       {0x2020, 0x4110, 0x4111, 0x4112, 0x4113, 0x4D20, 0x4D21, 0x4D50, 0x6000, 0x6110, 0x6111, 0x6120, 0x6121}},
      {UpdateButtons::minus_center_then_center_plus, {0x5520, 0x6112, 0x6114}},
      {UpdateButtons::phone_phone_then_jog_dial_phone,
       {0x4D05, 0x4D10, 0x4D15, 0x4D30, 0x4D35, 0x4D40, 0x4D45, 0x4D55, 0x4D65, 0x4D75, 0x4D85, 0x5010, 0x5011,
        0x5020, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5070, 0x5080, 0x5510, 0x5530, 0x5532, 0x5550, 0x5570,
        0x5580, 0x5710}},
      {UpdateButtons::phone_none_then_jog_dial_phone, {0x4D06, 0x4D16, 0x4D76, 0x4D86}},
      {UpdateButtons::left_left_then_left_right, {0x4040}},
      {UpdateButtons::pairing_pairing_then_ptt_pairing, {0x5210}},
      {UpdateButtons::minus_none_then_none, {0x3300}},
      // re-plugged without holding a button
      {UpdateButtons::replug, {0x3010, 0x3020, 0x4120, 0x5310}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.buttons));
    EXPECT_EQ(ids_where([&](const ProductFacts& row) { return row.update_buttons == c.buttons; }), sorted(c.ids));
  }
}

TEST(ProductListColumns, SessionColumnsHoldTheTargetPairsAndTheProductsWithoutSettings) {
  const std::vector<std::pair<int, int>> recognized_and_target = {
      {0x4D35, 0x4D05}, {0x4D55, 0x4D05}, {0x4D45, 0x4D15}, {0x4D65, 0x4D15}, {0x4D30, 0x4D10}, {0x4D40, 0x4D10},
      {0x5050, 0x5040}, {0x5060, 0x5010}, {0x5061, 0x5010}, {0x5070, 0x5020}, {0x5080, 0x5030}};
  std::vector<std::pair<int, int>> column_pairs;
  for (int id = 0; id <= 0xFFFF; ++id) {
    if (product_facts(id).same_device_as != 0) column_pairs.emplace_back(id, product_facts(id).same_device_as);
  }
  // a lookup: the order of the list does not matter
  std::vector<std::pair<int, int>> listed_pairs = recognized_and_target;
  std::ranges::sort(listed_pairs);
  EXPECT_EQ(column_pairs, listed_pairs);

  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.without_settings; }),
            sorted({0x3010, 0x3020, 0x3550, 0x5310, 0x5320, 0x5330, 0x5345}));
  struct Floor {
    int id;
    int major;
    int minor;
  };
  const std::vector<Floor> floors = {{0x3500, 2, 2}, {0x3560, 1, 1}, {0x3570, 1, 1}};
  std::vector<int> floor_ids;
  for (const Floor& floor : floors) {
    SCOPED_TRACE(floor.id);
    EXPECT_EQ(product_facts(floor.id).settings_from_firmware.major, floor.major);
    EXPECT_EQ(product_facts(floor.id).settings_from_firmware.minor, floor.minor);
    floor_ids.push_back(floor.id);
  }
  EXPECT_EQ(ids_where([](const ProductFacts& row) {
              return row.settings_from_firmware.major != 0 || row.settings_from_firmware.minor != 0;
            }),
            floor_ids);
}

}  // namespace
