#include "recognition/address_ranges.h"

#include <gtest/gtest.h>

namespace {

TEST(AddressRanges, IronvaleRangesOfTheLm6IncludeTheirBounds) {
  struct Case {
    int target;
    const char* address;
    bool in_range;
  };
  const Case cases[] = {
      {0x4210, "333D55", true},  {0x4210, "333D54", false}, {0x4210, "334B7D", true},
      {0x4210, "334B7E", false}, {0x4210, "340000", false}, {0x4210, "2E9057", true},
      {0x4210, "2E9056", false}, {0x4210, "2E90BA", true},  {0x4210, "2E90BB", false},
      {0x4210, "2e90a0", true},  {0x4210, "2E9057FF", true}, {0x4210, "333D55 9", true},  // six characters read
      {0x4210, "", false},       {0x4210, "33", false},      {0x4210, "zz", false},      // nothing or little parses
      // any other target never is
      {0x4310, "2E9057", false}, {0x2030, "333D55", false}, {0, "334000", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.target) + " " + c.address);
    EXPECT_EQ(recognition::addPSKeyLM6ForIronvaleWith(c.target, c.address), c.in_range);
  }
}

}  // namespace
