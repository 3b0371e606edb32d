// The restore table's two columns hold exactly the products of the lists
// they replaced, written out here in the order the tables listed them.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "device_data/product_facts.h"
#include "support/catalogue_ids.h"

namespace {

using device_data::ProductFacts;
using device_data::RestoreTableCount;
using device_data::RestoreTableRows;

using test_support::ids_where;
using test_support::sorted;

template <class Set>
struct Case {
  Set set;
  std::vector<int> products;
};

// Each case's set holds exactly its products, and no other product has a set.
template <class Set, std::size_t count>
void expect_sets(const Case<Set> (&cases)[count], Set ProductFacts::*column) {
  std::vector<int> listed;
  for (const Case<Set>& entry : cases) {
    SCOPED_TRACE(static_cast<int>(entry.set));
    EXPECT_EQ(ids_where([&](const ProductFacts& row) { return row.*column == entry.set; }), sorted(entry.products));
    listed.insert(listed.end(), entry.products.begin(), entry.products.end());
  }
  EXPECT_EQ(ids_where([column](const ProductFacts& row) { return row.*column != Set::none; }), sorted(listed));
}

TEST(RestoreTableSets, RowSetsHoldTheRowTableLists) {
  const Case<RestoreTableRows> cases[] = {
      {RestoreTableRows::like_2030, {0x2030, 0x4310, 0x4330, 0x4510, 0x4530}},
      {RestoreTableRows::like_4210, {0x4210}},
      {RestoreTableRows::like_4410, {0x4410, 0x4430}},
      {RestoreTableRows::like_4610, {0x4610}},
      {RestoreTableRows::like_3110, {0x3110}},
      {RestoreTableRows::like_3112, {0x3112}},
      {RestoreTableRows::like_3114, {0x3114}},
      {RestoreTableRows::like_3116, {0x3116}},
      {RestoreTableRows::like_3118, {0x3118}},
      {RestoreTableRows::like_3124, {0x3124, 0x3126, 0x3144}},
      {RestoreTableRows::like_3128, {0x3128}},
      {RestoreTableRows::like_3132,
       {0x3132, 0x3134, 0x3148, 0x3154, 0x3210, 0x3212, 0x3213, 0x3214, 0x3216, 0x3217, 0x3218, 0x3232, 0x3264,
        0x3900}},
      {RestoreTableRows::like_3140, {0x3140}},
      {RestoreTableRows::like_3142, {0x3142}},
      {RestoreTableRows::like_3146, {0x3146}},
      {RestoreTableRows::like_3150, {0x3150}},
      {RestoreTableRows::like_3152, {0x3152}},
      {RestoreTableRows::like_3156, {0x3156, 0x3240}},
      {RestoreTableRows::like_3170, {0x3170}},
      {RestoreTableRows::like_3211, {0x3211, 0x3215}},
      {RestoreTableRows::like_3260, {0x3260}},
      {RestoreTableRows::like_3320, {0x3320}},
      {RestoreTableRows::like_3310, {0x3310, 0x3330}},
      {RestoreTableRows::like_3030, {0x3030, 0x3040, 0x3060}},
      {RestoreTableRows::like_3032, {0x3032, 0x3050}},
      {RestoreTableRows::like_3070, {0x3070}},
      {RestoreTableRows::like_3080, {0x3080}},
      {RestoreTableRows::like_3085, {0x3085}},
      {RestoreTableRows::like_3161, {0x3161}},
      {RestoreTableRows::like_3300, {0x3300}},
      {RestoreTableRows::like_3340, {0x3340}},
      {RestoreTableRows::like_3341, {0x3341}},
      {RestoreTableRows::like_3350, {0x3350, 0x3360, 0x5592, 0x5594}},
      {RestoreTableRows::like_3370, {0x3370}},
      {RestoreTableRows::like_3400, {0x3400}},
      {RestoreTableRows::like_3500, {0x3500, 0x3540, 0x3570}},
      {RestoreTableRows::like_3560, {0x3560}},
      {RestoreTableRows::like_4023, {0x4023, 0x5590, 0x5591, 0x5593, 0x6900}},
      {RestoreTableRows::like_4050, {0x4050, 0x5564}},
      {RestoreTableRows::like_5410, {0x5410}},
      {RestoreTableRows::like_5412, {0x5412, 0x5414}},
      {RestoreTableRows::like_5416, {0x5416}},
      {RestoreTableRows::like_5418, {0x5418, 0x5420}},
      {RestoreTableRows::like_5424, {0x5424, 0x5428, 0x5430, 0x5432, 0x5434}},
      {RestoreTableRows::like_5426, {0x5426}},
      {RestoreTableRows::like_5510, {0x5510}},
      {RestoreTableRows::like_5520, {0x5520}},
      {RestoreTableRows::like_5522, {0x5522, 0x5536}},
      {RestoreTableRows::like_5524, {0x5524}},
      {RestoreTableRows::like_5526, {0x5526}},
      {RestoreTableRows::like_5530, {0x5530}},
      {RestoreTableRows::like_5532, {0x5532}},
      {RestoreTableRows::like_5534, {0x5534}},
      {RestoreTableRows::like_5550, {0x5550}},
      {RestoreTableRows::like_5552, {0x5552, 0x5553}},
      {RestoreTableRows::like_5560, {0x5560, 0x5562}},
      {RestoreTableRows::like_5570, {0x5570}},
      {RestoreTableRows::like_5576, {0x5576}},
      {RestoreTableRows::like_5580, {0x5580}},
      {RestoreTableRows::like_5595, {0x5595}},
      {RestoreTableRows::like_5610, {0x5610, 0x5611, 0x5612, 0x5620, 0x5621}},
      {RestoreTableRows::like_5622, {0x5622}},
      {RestoreTableRows::like_5623, {0x5623}},
      {RestoreTableRows::like_5624, {0x5624}},
      {RestoreTableRows::like_5710, {0x5710}},
      {RestoreTableRows::like_5720, {0x5720}},
      {RestoreTableRows::like_5910, {0x5910, 0x5920}},
      {RestoreTableRows::like_6010, {0x6010, 0x6012}},
      {RestoreTableRows::like_6014, {0x6014, 0x6016}},
      {RestoreTableRows::like_6018, {0x6018}},
      {RestoreTableRows::like_6020, {0x6020, 0x6022, 0x6024}},
      {RestoreTableRows::like_6026, {0x6026}},
      {RestoreTableRows::like_6028, {0x6028, 0x6030, 0x6032, 0x6036}},
      {RestoreTableRows::like_6034, {0x6034}},
      {RestoreTableRows::like_6038, {0x6038, 0x6039}},
      {RestoreTableRows::like_6112, {0x6112}},
      {RestoreTableRows::like_6210, {0x6210}},
      {RestoreTableRows::like_6310, {0x6310}},
      {RestoreTableRows::like_6320, {0x6320, 0x6330, 0x6335}},
      {RestoreTableRows::like_6400, {0x6400}},
      {RestoreTableRows::like_6500, {0x6500, 0x6510}},
      {RestoreTableRows::like_6800, {0x6800, 0x6805, 0x6810, 0x6811}},
      {RestoreTableRows::like_6801, {0x6801, 0x6802, 0x6803}},
      {RestoreTableRows::like_6804, {0x6804, 0x6812}},
  };
  expect_sets(cases, &ProductFacts::restore_table_rows);
}

TEST(RestoreTableSets, CountSetsHoldTheCountTableLists) {
  const Case<RestoreTableCount> cases[] = {
      {RestoreTableCount::rows_1, {0x3540, 0x4050, 0x5560, 0x5562, 0x5564}},
      {RestoreTableCount::rows_2, {0x3085, 0x6310, 0x6801, 0x6802, 0x6803}},
      {RestoreTableCount::rows_3, {0x3030, 0x3040, 0x3060, 0x3080, 0x3150, 0x3161}},
      {RestoreTableCount::rows_4, {0x3152, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x6461, 0x6481, 0x6491, 0x6600, 0x6700}},
      {RestoreTableCount::rows_5, {0x3142, 0x5522, 0x5536, 0x5552, 0x5553}},
      {RestoreTableCount::rows_6, {0x3400, 0x6020, 0x6022, 0x6024, 0x6320, 0x6330, 0x6335, 0x6804, 0x6812}},
      {RestoreTableCount::rows_7, {0x6500, 0x6510, 0x6800, 0x6805, 0x6810, 0x6811}},
      {RestoreTableCount::rows_8, {0x3350, 0x5592, 0x5594, 0x5595, 0x6114}},
      {RestoreTableCount::rows_9, {0x3370, 0x4023, 0x5590, 0x5591, 0x5593, 0x6900}},
      {RestoreTableCount::rows_10, {0x3118, 0x3341, 0x5532, 0x5720, 0x6026}},
      {RestoreTableCount::rows_11, {0x3300, 0x3340, 0x6028, 0x6030, 0x6032, 0x6036, 0x6038, 0x6039, 0x6400}},
      {RestoreTableCount::rows_12, {0x4410, 0x4430, 0x5534, 0x5576, 0x6112}},
      {RestoreTableCount::rows_13, {0x2030, 0x4310, 0x4330, 0x4510, 0x4530, 0x5418, 0x5420, 0x5426, 0x6034}},
      {RestoreTableCount::rows_14, {0x3211, 0x4610, 0x5424, 0x5428, 0x5430, 0x5432, 0x5434}},
      {RestoreTableCount::rows_15, {0x3156, 0x3213, 0x3240}},
      {RestoreTableCount::rows_16, {0x3140, 0x3215, 0x3320}},
      {RestoreTableCount::rows_17,
       {0x3132, 0x3134, 0x3148, 0x3154, 0x3170, 0x3210, 0x3212, 0x3214, 0x3216, 0x3217, 0x3218, 0x3232, 0x3260, 0x3264,
        0x3310, 0x3330, 0x3900}},
      {RestoreTableCount::rows_18, {0x3146}},
      {RestoreTableCount::like_3570, {0x3570}},
      {RestoreTableCount::like_3560, {0x3560}},
      {RestoreTableCount::like_3500, {0x3500}},
      {RestoreTableCount::like_5526, {0x5526}},
      {RestoreTableCount::like_5416, {0x5416}},
      {RestoreTableCount::like_6010, {0x6010, 0x6012}},
      {RestoreTableCount::like_5570, {0x5570}},
      {RestoreTableCount::like_5412, {0x5412, 0x5414}},
      {RestoreTableCount::like_3110, {0x3110}},
      {RestoreTableCount::like_3114, {0x3114}},
      {RestoreTableCount::like_3112, {0x3112}},
      {RestoreTableCount::like_3116, {0x3116}},
      {RestoreTableCount::like_5510, {0x5510}},
      {RestoreTableCount::like_3050, {0x3050}},
      {RestoreTableCount::like_3032, {0x3032}},
      {RestoreTableCount::like_5524, {0x5524}},
      {RestoreTableCount::like_4210, {0x4210}},
      {RestoreTableCount::like_3070, {0x3070}},
      {RestoreTableCount::like_3124, {0x3124, 0x3126, 0x3128, 0x3144}},
      {RestoreTableCount::like_5550, {0x5550}},
      {RestoreTableCount::like_5610, {0x5610, 0x5611, 0x5612, 0x5620, 0x5621}},
      {RestoreTableCount::like_5410, {0x5410}},
      {RestoreTableCount::like_5910, {0x5910, 0x5920}},
      {RestoreTableCount::like_5520, {0x5520}},
      {RestoreTableCount::like_5624, {0x5624}},
      {RestoreTableCount::like_5623, {0x5623}},
      {RestoreTableCount::like_5622, {0x5622}},
      {RestoreTableCount::like_5710, {0x5710}},
      {RestoreTableCount::like_5530, {0x5530}},
      {RestoreTableCount::like_6210, {0x6210}},
      {RestoreTableCount::like_6018, {0x6018}},
      {RestoreTableCount::like_6014, {0x6014, 0x6016}},
      {RestoreTableCount::like_5580, {0x5580}},
  };
  expect_sets(cases, &ProductFacts::restore_table_count);
}

// The two columns do not agree, as the two tables did not: these products
// count rows they do not define (the table shows them without cells), and
// this one defines rows it never counts.
TEST(RestoreTableSets, TheTwoColumnsDisagreeWhereTheTablesDid) {
  EXPECT_EQ(ids_where([](const ProductFacts& row) {
              return row.restore_table_count != RestoreTableCount::none &&
                     row.restore_table_rows == RestoreTableRows::none;
            }),
            sorted({0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x6114, 0x6461, 0x6481, 0x6491, 0x6600, 0x6700}));
  EXPECT_EQ(ids_where([](const ProductFacts& row) {
              return row.restore_table_rows != RestoreTableRows::none &&
                     row.restore_table_count == RestoreTableCount::none;
            }),
            std::vector<int>{0x3360});
}

}  // namespace
