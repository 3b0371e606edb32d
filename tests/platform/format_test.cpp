#include "platform/format.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using platform::format;

TEST(Format, FillsEachSequenceFromItsArgument) {
  struct Case {
    const char* name;
    std::string result;
    std::string expected;
  };
  const Case cases[] = {
      {"%@ in order", format("%@ of %@", "Ridge 30", "Vexlink"), "Ridge 30 of Vexlink"},
      {"%@ of a number", format("v%@.%@", 1, 4), "v1.4"},
      {"%d", format("[%d]", -42), "[-42]"},
      {"%i", format("%i", 7), "7"},
      {"%x", format("%x", 0xbeef), "beef"},
      {"%x of a negative int", format("%x", -1), "ffffffff"},
      {"%X", format("%X", 0xbeef), "BEEF"},
      {"%02X", format("%02X%02X", 0x0A, 0xFF), "0AFF"},
      {"%04X", format("0x%04X", 0x1F), "0x001F"},
      {"%c", format("%c%c", 'O', 'K'), "OK"},
      {"%s", format("<%s>", std::string("text")), "<text>"},
      {"%0.1f", format("%0.1f", 1.26), "1.3"},
      {"%0.1f of an int", format("%0.1f", 3), "3.0"},
      {"%02d", format("%@%02d", "keySpeedDial", 3), "keySpeedDial03"},
      {"%%", format("100%%"), "100%"},
      {"%% next to a sequence", format("%d%%", 50), "50%"},
      {"missing %@", format("a%@b%@c", "X"), "aXbc"},
      {"missing %d", format("[%d]"), "[]"},
      {"extra argument", format("%@", "one", "two", 3), "one"},
      {"unknown sequence", format("%y and %@", "x"), "%y and x"},
      {"unknown sequence takes no argument", format("%k%d", 5), "%k5"},
      {"trailing lone %", format("50%"), "50%"},
      {"trailing % with flags", format("50%-0"), "50%-0"},
      {"no sequences", format("plain"), "plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result, c.expected);
  }
}

TEST(Format, RealsGivenToIntegerFormsSaturate) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    std::string result;
    std::string expected;
  };
  const Case cases[] = {
      {"%d of NaN", format("%d", nan), "0"},
      {"%i of -NaN", format("%i", -nan), "0"},
      {"%d of infinity", format("%d", inf), "9223372036854775807"},
      {"%d of -infinity", format("%d", -inf), "-9223372036854775808"},
      {"%d of 1e300", format("%d", 1e300), "9223372036854775807"},
      {"%d of -1e300", format("%d", -1e300), "-9223372036854775808"},
      {"%d of 2^63", format("%d", 9223372036854775808.0), "9223372036854775807"},
      {"%d of -2^63", format("%d", -9223372036854775808.0), "-9223372036854775808"},
      {"%d of -2.9", format("%d", -2.9), "-2"},
      {"%u of NaN", format("%u", nan), "0"},
      {"%x of infinity", format("%x", inf), "7fffffffffffffff"},
      {"%X of -infinity", format("%X", -inf), "8000000000000000"},
      {"%o of 1e300", format("%o", 1e300), "777777777777777777777"},
      {"%c of NaN", format("[%c]", nan), std::string("[\0]", 3)},
      {"%c of infinity", format("[%c]", inf), "[]"},
      {"%c of 65.7", format("%c", 65.7), "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result, c.expected);
  }
}

TEST(Format, DoubledPercentAtSurvivesOnePass) {
  std::string first = format("Update %@ to %%@?", "Ridge 30");
  EXPECT_EQ(first, "Update Ridge 30 to %@?");
  EXPECT_EQ(format(first, "v2.1"), "Update Ridge 30 to v2.1?");
}

}  // namespace
