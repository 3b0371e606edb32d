// Each column added for the settings saves and the mesh and QCC updates holds
// exactly the products of the list it replaced: the lists are written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "device_data/product_facts.h"
#include "support/catalogue_ids.h"

namespace {

using device_data::ProductFacts;
using device_data::product_facts;

using test_support::ids_where;
using test_support::sorted;

TEST(LeftoverColumns, BlueCoreSettingsKeysHoldTheSaveLists) {
  using device_data::BlueCoreSettingsKeys;
  const auto keys = [](BlueCoreSettingsKeys wanted) {
    return ids_where([wanted](const ProductFacts& row) { return row.bluecore_settings_keys == wanted; });
  };
  EXPECT_EQ(keys(BlueCoreSettingsKeys::vox_keys_before_4_0),
            sorted({0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5040, 0x5050, 0x5060,
                    0x5061, 0x5070, 0x5080}));
  EXPECT_EQ(keys(BlueCoreSettingsKeys::settings_word),
            sorted({0x2010, 0x2011, 0x2020, 0x2110, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4021,
                    0x4030, 0x4040, 0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D15, 0x4D21,
                    0x4D35, 0x4D45, 0x4D55, 0x4D65, 0x4D75, 0x4D85, 0x5011, 0x6000, 0x6110, 0x6111,
                    0x6120, 0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}));
  EXPECT_EQ(keys(BlueCoreSettingsKeys::transmit_gain_timeout), std::vector<int>{0x5210});
  // every other id, with or without a row, writes EDR alone
  EXPECT_EQ(product_facts(0x1234).bluecore_settings_keys, BlueCoreSettingsKeys::edr_only);
}

TEST(LeftoverColumns, QccUpdateColumnsHoldTheButtonAndModeProbeLists) {
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.qcc_update_holds_buttons; }),
            sorted({0x4D06, 0x4D16, 0x4D76, 0x4D86}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.qcc_mesh_update_probes_mode; }),
            sorted({0x6500, 0x6510}));
}

TEST(LeftoverColumns, MeshUpdateColumnsHoldTheMeshLists) {
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.mesh_image_in_entry_1; }),
            sorted({0x3500, 0x3540, 0x3550, 0x3560, 0x3570}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.mesh_update_camera_part; }),
            sorted({0x3232, 0x3240}));
  using device_data::MeshUnitLanguage;
  const auto language = [](MeshUnitLanguage wanted) {
    return ids_where([wanted](const ProductFacts& row) { return row.mesh_unit_language == wanted; });
  };
  EXPECT_EQ(language(MeshUnitLanguage::sent), sorted({0x3116, 0x3118, 0x3124, 0x3126, 0x3140, 0x3144, 0x3152}));
  EXPECT_EQ(language(MeshUnitLanguage::sent_from_2_1), std::vector<int>{0x3110});
  EXPECT_EQ(language(MeshUnitLanguage::qorlan), std::vector<int>{0x3320});
  EXPECT_EQ(language(MeshUnitLanguage::not_sent), sorted({0x3170, 0x3260}));
}

}  // namespace
