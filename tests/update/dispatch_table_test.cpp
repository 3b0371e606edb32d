#include "update/dispatch_table.h"

#include <gtest/gtest.h>

#include <set>

#include "update/families/airoha_update.h"
#include "update/families/download_mode.h"
#include "update/families/hid_section_download.h"
#include "update/families/qcc_update.h"

namespace {

TEST(DispatchTable, EachProductRunsTheFirstRowThatHoldsIt) {
  struct Case {
    int product;
    int row;
  };
  const Case cases[] = {
      {0x4210, 1}, {0x4D16, 2}, {0x6039, 2}, {0x6800, 3}, {0x5552, 4}, {0x5553, 4},  // never the mesh QCC row
      {0x6510, 5}, {0x3161, 5}, {0x3218, 6}, {0x3232, 7}, {0x3900, 7}, {0x3110, 8},  //
      {0x3570, 8}, {0x4610, 9}, {0x2030, 9}, {0x5510, 10}, {0x6400, 10},             //
      {0x6010, 11}, {0x5420, 11}, {0x6020, 12}, {0x6022, 12}, {0x6024, 12},         //
      {0x4D10, 13}, {0x3020, 13}, {0x5310, 13}, {0x1234, 13}, {0, 13}, {-1, 13},    //
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    EXPECT_EQ(update::dispatch_row_for(c.product).order, c.row);
  }
}

TEST(DispatchTable, RowsComeInOrderWithTheirProcedures) {
  const auto rows = update::dispatch_rows();
  ASSERT_EQ(rows.size(), 13u);
  std::set<int> ids;
  std::size_t held = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].order, static_cast<int>(i) + 1);
    EXPECT_NE(rows[i].procedure, nullptr);
    EXPECT_EQ(&update::dispatch_row(rows[i].order), &rows[i]);
    EXPECT_EQ(&update::dispatch_row(rows[i].family), &rows[i]) << "one row a family";
    held += rows[i].product_ids.size();
    ids.insert(rows[i].product_ids.begin(), rows[i].product_ids.end());
  }
  EXPECT_TRUE(rows.back().product_ids.empty()) << "the last row takes every other id";
  // the row sizes the table is made of: 1 + 29 + 9 + 2 + 4 + 9 + 12 + 18 + 8 + 55 + 17 + 3
  EXPECT_EQ(held, 167u);
  EXPECT_EQ(ids.size(), held) << "no id stands in two rows";
  EXPECT_EQ(update::dispatch_row(2).procedure, update::families::qcc_update);
  EXPECT_EQ(update::dispatch_row(3).procedure, update::families::airoha_update);
  EXPECT_EQ(update::dispatch_row(4).procedure, update::families::two_chip_update);
  EXPECT_EQ(update::dispatch_row(5).procedure, update::families::qcc_mesh_update);
  EXPECT_EQ(update::dispatch_row(6).procedure, update::families::airoha_mesh_update);
  EXPECT_EQ(update::dispatch_row(10).procedure, update::families::hid_section_download);
  EXPECT_EQ(update::dispatch_row(11).procedure, update::families::hid_section_download_after_download_mode);
  EXPECT_EQ(update::dispatch_row(12).procedure, update::families::enter_download_mode);
}

}  // namespace
