// Each setting-writer bit holds exactly the products of the setting actions'
// rules it replaced: the rules' product lists are written out here.
#include <gtest/gtest.h>

#include <vector>

#include "device_data/product_facts.h"
#include "support/catalogue_ids.h"

namespace {

using device_data::ProductFacts;

using test_support::ids_where;
using test_support::sorted;

std::vector<int> writing(unsigned bit) {
  return ids_where([bit](const ProductFacts& row) { return (row.setting_writers & bit) != 0; });
}

TEST(SettingWriterColumn, EachBitHoldsTheProductsOfItsRules) {
  using namespace device_data;
  struct Case {
    const char* rules;
    SettingWriter bit;
    std::vector<int> products;
  };
  const Case cases[] = {
      {"veneer, its sensitivity, sidetone and FM guide beside the ND4 layout", k_writes_nd4_audio, {0x3142}},
      {"voice prompt and FM guide beside the ND4 and QCC layouts", k_writes_nd4_prompt, {0x3150, 0x3161}},
      {"the 30-family equalizer", k_writes_30_equalizer, {0x3110, 0x3112, 0x3146}},
      {"the DK5X unit language", k_writes_dk5x_language, {0x3150, 0x3161}},
      {"the Qorlan unit language", k_writes_qorlan_language, {0x3310, 0x3320, 0x3330}},
      {"the TORNIK unit language", k_writes_tornik_language, {0x5552, 0x5553}},
      {"the Y370R unit language", k_writes_y370r_language, {0x6038, 0x6039}},
      {"the ND4 HD speaker accessory", k_writes_nd4_hd_speaker, {0x3110, 0x3112, 0x3146, 0x3215}},
      {"the one-module HD speaker accessory", k_writes_one_module_hd_speaker, {0x5570, 0x5580}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rules);
    EXPECT_EQ(writing(c.bit), sorted(c.products));
  }
}

}  // namespace
