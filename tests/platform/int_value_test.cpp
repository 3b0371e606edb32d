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

namespace {

TEST(FloatValue, ReadsTheLeadingDecimalRealAsTextFieldsDo) {
  constexpr float k_infinity = std::numeric_limits<float>::infinity();
  struct Case {
    const char* text;
    float expected;
  };
  const Case cases[] = {
      {"87.5", 87.5f},
      {"  87.54 MHz", 87.54f},
      {"-1.5", -1.5f},
      {"+.5", 0.5f},
      {"7.", 7.0f},
      {"1e2x", 100.0f},
      {"1e", 1.0f},
      {"2E+1", 20.0f},
      {"abc", 0.0f},
      {"", 0.0f},
      {".", 0.0f},
      {"-", 0.0f},
      {"nan", 0.0f},
      {"inf", 0.0f},
      {"0x1p3", 0.0f},
      {"1e40", k_infinity},
      {"-1e400", -k_infinity},
      {"1e-400", 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(platform::float_value(c.text), c.expected);
  }
}

}  // namespace
