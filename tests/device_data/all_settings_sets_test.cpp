// The all-settings set column holds exactly the products of the all-settings
// sheet's product table it replaced: the table's products are written out
// here, one entry per set, with the models that shared their twin's entry.
#include <gtest/gtest.h>

#include <vector>

#include "device_data/product_facts.h"
#include "support/catalogue_ids.h"

namespace {

using device_data::ProductFacts;
using Set = device_data::AllSettingsSet;

using test_support::ids_where;
using test_support::sorted;

TEST(AllSettingsSetColumn, HoldsTheProductsOfEachEntryOfTheSheetsTable) {
  struct Case {
    Set set;
    std::vector<int> products;
    // models that read their twin's entry
    std::vector<int> twins = {};
  };
  const Case cases[] = {
      {Set::like_2030, {0x2030, 0x4310, 0x4330, 0x4510, 0x4530}},
      {Set::like_3030, {0x3030, 0x3040, 0x3060}},
      {Set::like_3032, {0x3032}},
      {Set::like_3050, {0x3050}, {0x3052}},
      {Set::like_3070, {0x3070}, {0x3072}},
      {Set::like_3080, {0x3080}, {0x3082}},
      {Set::like_3085, {0x3085}},
      {Set::like_3110, {0x3110}},
      {Set::like_3112, {0x3112}},
      {Set::like_3114, {0x3114}},
      {Set::like_3116, {0x3116}},
      {Set::like_3118, {0x3118}},
      {Set::like_3124, {0x3124, 0x3126, 0x3144}},
      {Set::like_3128, {0x3128}},
      {Set::like_3132, {0x3132, 0x3134, 0x3210, 0x3218, 0x3900}},
      {Set::like_3140, {0x3140}},
      {Set::like_3142, {0x3142}},
      {Set::like_3146, {0x3146}},
      {Set::like_3148, {0x3148, 0x3154, 0x3232, 0x3264}},
      {Set::like_3150, {0x3150}},
      {Set::like_3152, {0x3152}},
      {Set::like_3156, {0x3156, 0x3213, 0x3240}},
      {Set::like_3161, {0x3161}},
      {Set::like_3170, {0x3170}},
      {Set::like_3211, {0x3211}},
      {Set::like_3212, {0x3212, 0x3216}},
      {Set::like_3214, {0x3214, 0x3217}},
      {Set::like_3215, {0x3215}},
      {Set::like_3260, {0x3260}},
      {Set::like_3300, {0x3300}},
      {Set::like_3310, {0x3310, 0x3330}},
      {Set::like_3320, {0x3320}},
      {Set::like_3340, {0x3340}},
      {Set::like_3341, {0x3341}},
      {Set::like_3350, {0x3350, 0x3360}},
      {Set::like_3370, {0x3370}},
      {Set::like_3400, {0x3400}},
      {Set::like_3500, {0x3500, 0x3540, 0x3570}},
      {Set::like_3560, {0x3560}},
      {Set::like_4050, {0x4050, 0x5564}},
      {Set::lm6_4210, {0x4210}},
      {Set::like_4410, {0x4410, 0x4430}},
      {Set::like_4610, {0x4610}},
      {Set::like_5410, {0x5410}},
      {Set::like_5412, {0x5412}},
      {Set::like_5414, {0x5414}},
      {Set::like_5416, {0x5416}},
      {Set::like_5418, {0x5418}},
      {Set::like_5420, {0x5420}},
      {Set::like_5424, {0x5424, 0x5428, 0x5430, 0x5432, 0x5434}},
      {Set::like_5426, {0x5426}},
      {Set::like_5510, {0x5510}},
      {Set::like_5520, {0x5520}},
      {Set::like_5522, {0x5522, 0x5536}},
      {Set::like_5524, {0x5524}},
      {Set::like_5526, {0x5526}},
      {Set::like_5530, {0x5530}},
      {Set::like_5532, {0x5532}},
      {Set::like_5534, {0x5534}},
      {Set::like_5550, {0x5550}},
      {Set::like_5552, {0x5552, 0x5553}},
      {Set::like_5560, {0x5560, 0x5562}},
      {Set::like_5570, {0x5570}},
      {Set::like_5576, {0x5576}},
      {Set::like_5580, {0x5580}},
      {Set::like_5590, {0x5590, 0x5591, 0x5593, 0x6900}},
      {Set::like_5592, {0x5592, 0x5594}},
      {Set::like_5595, {0x5595}},
      {Set::like_5610, {0x5610, 0x5611, 0x5612, 0x5620, 0x5621}},
      {Set::like_5622, {0x5622}},
      {Set::like_5623, {0x5623}},
      {Set::like_5624, {0x5624}},
      {Set::like_5710, {0x5710}},
      {Set::like_5720, {0x5720}},
      {Set::like_5910, {0x5910, 0x5920}},
      {Set::like_6010, {0x6010, 0x6012}},
      {Set::like_6014, {0x6014, 0x6016}},
      {Set::like_6018, {0x6018}},
      {Set::like_6020, {0x6020, 0x6022, 0x6024}},
      {Set::like_6026, {0x6026}},
      {Set::like_6028, {0x6028, 0x6030, 0x6032, 0x6036}},
      {Set::like_6034, {0x6034}},
      {Set::like_6038, {0x6038, 0x6039}},
      {Set::like_6112, {0x6112}},
      {Set::like_6114, {0x6114}},
      {Set::like_6210, {0x6210}},
      {Set::like_6310, {0x6310}},
      {Set::like_6320, {0x6320, 0x6330, 0x6335}},
      {Set::like_6400, {0x6400}},
      {Set::like_6500, {0x6500, 0x6510}},
      {Set::like_6800, {0x6800, 0x6805, 0x6810}},
      {Set::like_6801, {0x6801, 0x6802, 0x6803}},
      {Set::like_6804, {0x6804, 0x6812}},
      {Set::like_6811, {0x6811}},
  };
  std::vector<int> every_product;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.set));
    std::vector<int> products = c.products;
    products.insert(products.end(), c.twins.begin(), c.twins.end());
    EXPECT_EQ(ids_where([&c](const ProductFacts& row) { return row.all_settings_set == c.set; }), sorted(products));
    every_product.insert(every_product.end(), products.begin(), products.end());
  }
  // and no other product has a sheet
  EXPECT_EQ(ids_where([](const ProductFacts& row) { return row.all_settings_set != Set::none; }),
            sorted(every_product));
}

}  // namespace
