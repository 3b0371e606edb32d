#include "platform/int_value.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(IntValue, ReadsTheLeadingIntegerAndSaturates) {
  struct Case {
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"  \t60", 60},
      {"-7 seconds", -7},
      {"+3", 3},
      {"- 3", 0},
      {"99999999999", std::numeric_limits<int32_t>::max()},
      {"-99999999999", std::numeric_limits<int32_t>::min()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(platform::int_value(c.text), c.expected);
  }
}

TEST(HexValue, ReadsTheLeadingHexNumberAndSaturates) {
  struct Case {
    const char* text;
    uint32_t expected;
  };
  const Case cases[] = {
      {"2DD49E", 0x2DD49E},
      {"2dd49e", 0x2DD49E},
      {"2DG49E", 0x2D},
      {"", 0},
      {"g1", 0},
      {" 0x1F", 0x1F},
      {"0X", 0},
      {"-1", 0},
      {"123456789", 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(platform::hex_value(c.text), c.expected);
  }
}

}  // namespace
