#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace {

using Record = FEXOBluetoothDeviceData;

struct Version {
  int32_t major, minor, type, secondary;
};

int32_t compare_full(const Version& a, const Version& b, bool camera_order) {
  return Record::
      compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_ForOptra(
          a.major, a.minor, a.type, a.secondary, b.major, b.minor, b.type, b.secondary, camera_order);
}

TEST(VersionRules, MajorMinorDifference) {
  struct Case { int32_t major_a, minor_a, major_b, minor_b, result; };
  const Case cases[] = {
      {1, 10, 1, 9, 1}, {2, 0, 1, 9, 1}, {1, 1, 1, 1, 0}, {3, 0, 1, 0, 2},
      {1, 0, 1, 5, -5}, {0, 9, 4, 0, -4}, {INT32_MAX, 0, -1, 0, INT32_MAX}, {INT32_MIN, 0, 1, 0, INT32_MIN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.major_a) + "." + std::to_string(c.minor_a) + " vs " + std::to_string(c.major_b) +
                 "." + std::to_string(c.minor_b));
    EXPECT_EQ(Record::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(c.major_a, c.minor_a, c.major_b, c.minor_b),
              c.result);
  }
}

TEST(VersionRules, FullComparison) {
  struct Case { const char* name; Version a, b; bool camera_order; int32_t result; };
  const Case cases[] = {
      {"major/minor difference decides", {3, 0, 1, 0}, {1, 0, 2, 9}, false, 2},
      {"type 1 ranks below type 0", {1, 1, 1, 5}, {1, 1, 0, 1}, false, -1},
      {"type 0 above type 1", {1, 1, 0, 0}, {1, 1, 1, 9}, false, 1},
      {"higher type wins", {1, 1, 2, 0}, {1, 1, 0, 0}, false, 1},
      {"type 1 and -1 fall through to the numbers", {1, 1, 1, 4}, {1, 1, -1, 3}, false, 1},
      {"numbers give a sign only", {1, 1, 2, 9}, {1, 1, 2, 3}, false, 1},
      {"numbers lower", {1, 1, 2, 3}, {1, 1, 2, 9}, false, -1},
      {"equal", {1, 1, 2, 3}, {1, 1, 2, 3}, false, 0},
      {"camera: secondary pair decides first", {9, 0, 1, 2}, {1, 0, 1, 3}, true, -1},
      {"camera: type difference", {1, 0, 3, 0}, {5, 0, 1, 7}, true, 2},
      {"camera: then major/minor difference", {2, 5, 1, 2}, {2, 2, 1, 2}, true, 3},
      {"camera: equal", {2, 5, 1, 2}, {2, 5, 1, 2}, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(compare_full(c.a, c.b, c.camera_order), c.result);
    if (!c.camera_order) {
      EXPECT_EQ(Record::
                    compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
                        c.a.major, c.a.minor, c.a.type, c.a.secondary, c.b.major, c.b.minor, c.b.type, c.b.secondary),
                c.result);
    }
  }
}

TEST(VersionRules, DowngradeComparisonIgnoresTypes) {
  struct Case { Version a, b; int32_t result; };
  const Case cases[] = {
      {{1, 2, 1, 7}, {1, 2, 2, 3}, 4},
      {{1, 2, 2, 3}, {1, 2, 1, 7}, -4},
      {{1, 3, 0, 0}, {1, 2, 9, 9}, 1},
      {{1, 2, 5, 3}, {1, 2, 0, 3}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    EXPECT_EQ(Record::
                  downGradeLM6EVOCompareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
                      c.a.major, c.a.minor, c.a.type, c.a.secondary, c.b.major, c.b.minor, c.b.type, c.b.secondary),
              c.result);
  }
}

TEST(VersionRules, RecordComparisonsUseTheMainSetAndTheCameraOrderFor3020) {
  struct Case { int32_t product; int32_t result; };
  // the record is 9.0 type 1 number 2, compared with 1.0 type 1 number 3
  const Case cases[] = {{0x3020, -1}, {0x5510, 8}, {0, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    Record record;
    record.setDeviceRecognized(c.product);
    record.setDeviceVersionMajor_Minor(9, 0);
    record.setDeviceSecondaryVersionType(1);
    record.setDeviceSecondaryVersion(2);
    record.setDeviceVersion01Major_Minor(0, 0);
    EXPECT_EQ(record.compareVersionWithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(1, 0, 1, 3), c.result);
    EXPECT_EQ(record.compareVersionUpToMinorWithMajor_Minor(8, 5), 1);
    EXPECT_EQ(record.compareVersionUpToMinorWithMajor_Minor(9, 2), -2);
  }
}

TEST(VersionRules, TwoPartParser) {
  struct Case { const char* text; bool ok; int32_t major, minor; };
  const Case cases[] = {
      {"4.2", true, 4, 2},
      {"1.4", true, 1, 4},
      {"10.05", true, 10, 5},
      {"-1.+3", true, -1, 3},
      {"3a.7b", true, 3, 7},
      {"x.", true, 0, 0},
      {" 2. 9", true, 2, 9},
      {"99999999999.1", true, INT32_MAX, 1},
      {"1.2.3", false, -7, -7},
      {"12", false, -7, -7},
      {"", false, -7, -7},
      {"1..2", false, -7, -7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t major = -7, minor = -7;
    EXPECT_EQ(Record::getVersionFromString_ToMajor_Minor(c.text, major, minor), c.ok);
    EXPECT_EQ(major, c.major);
    EXPECT_EQ(minor, c.minor);
  }
}

TEST(VersionRules, FourPartParser) {
  struct Case { const char* text; bool ok; int32_t type, secondary, major, minor; };
  const Case cases[] = {
      {"1.7.3.0", true, 1, 7, 3, 0},
      {"2.3.1.0", true, 2, 3, 1, 0},
      {"1..2.", true, 1, 0, 2, 0},
      {"1.7.3", false, -7, -7, -7, -7},
      {"1.7.3.0.1", false, -7, -7, -7, -7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t type = -7, secondary = -7, major = -7, minor = -7;
    EXPECT_EQ(Record::getVersionFromString_ToSecondaryType_Secondary_Major_Minor(c.text, type, secondary, major, minor),
              c.ok);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(secondary, c.secondary);
    EXPECT_EQ(major, c.major);
    EXPECT_EQ(minor, c.minor);
  }
}

}  // namespace
