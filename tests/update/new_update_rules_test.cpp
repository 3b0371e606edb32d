// Whether the server's firmware is newer than the device's, the address tests
// and the versions the new-update sheet shows.
#include "update/new_update_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace {

using update::LatestVersion;

FEXOBluetoothDeviceData device_at(int major, int minor, int type, int secondary,
                                  std::optional<std::string> address = std::nullopt) {
  FEXOBluetoothDeviceData device;
  device.setDeviceVersionMajor_Minor(major, minor);
  device.setDeviceSecondaryVersionType(type);
  device.setDeviceSecondaryVersion(secondary);
  device.setLastSixBDAddress(address);
  return device;
}

std::string hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", value);
  return text;
}

TEST(HaveNewUpdate, DecidesByTheProductsRule) {
  // 0x6010 has the general rule, 0x3110 is among the products whose secondary
  // number alone counts, 0x5060 has its address rule, 0x3020 the camera order
  struct Case {
    const char* name;
    int product;
    FEXOBluetoothDeviceData device;
    LatestVersion latest;
    bool newer;
  };
  const Case cases[] = {
      {"older major.minor", 0x6010, device_at(2, 1, 0, 9), {2, 2, 0, 0}, true},
      {"newer major.minor", 0x6010, device_at(2, 3, 0, 0), {2, 2, 0, 9}, false},
      {"release candidate of the same version", 0x6010, device_at(2, 1, 1, 0), {2, 1, 0, 0}, true},
      {"release candidate, listed product", 0x3110, device_at(2, 1, 1, 0), {2, 1, 0, 0}, true},
      {"release candidate, 0x5060 outside the range", 0x5060, device_at(2, 1, 1, 0, "123456"), {2, 1, 0, 0}, true},
      {"release candidate of a newer version", 0x6010, device_at(2, 2, 1, 0), {2, 1, 0, 0}, false},
      {"the camera's equal four numbers", 0x3020, device_at(2, 1, 1, 0), {2, 1, 1, 0}, false},
      {"the camera's secondary pair first", 0x3020, device_at(2, 1, 1, 0), {1, 0, 1, 1}, true},
      {"listed, any type: the list's secondary alone", 0x3110, device_at(2, 1, 0, 5), {2, 1, 0, 1}, true},
      {"listed, any type: secondary 0", 0x3110, device_at(2, 1, 0, 5), {2, 1, 0, 0}, false},
      {"unlisted: the device's secondary is higher", 0x6010, device_at(2, 1, 0, 5), {2, 1, 0, 1}, false},
      {"unlisted: the same with secondary 0", 0x6010, device_at(2, 1, 0, 5), {2, 1, 0, 0}, false},
      {"unlisted: a higher secondary", 0x6010, device_at(2, 1, 0, 5), {2, 1, 0, 6}, true},
      {"listed, numbered type: compares secondaries", 0x3110, device_at(2, 1, 2, 5), {2, 1, 0, 6}, true},
      {"listed, numbered type: equal secondaries", 0x3110, device_at(2, 1, 2, 5), {2, 1, 0, 5}, false},
      {"no list read: 0.0 is older", 0x6010, device_at(1, 0, 0, 0), {0, 0, 0, 0}, false},
      {"no list read: a release candidate of 0.0", 0x6010, device_at(0, 0, 1, 0), {0, 0, 0, 0}, true},
      {"0x5060 inside the range, whatever the versions", 0x5060, device_at(9, 9, 0, 0, "3323F1"), {1, 0, 0, 0},
       true},
      {"0x5060 one above the range: the general rule", 0x5060, device_at(9, 9, 0, 0, "333585"), {1, 0, 0, 0},
       false},
      {"0x5060 above the range, older", 0x5060, device_at(1, 0, 0, 0, "333585"), {1, 1, 0, 0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FEXOBluetoothDeviceData device = c.device;
    device.setDeviceRecognized(c.product);
    EXPECT_EQ(update::haveNewUpdate(c.product, device, c.latest), c.newer);
  }
}

TEST(AddressTests, ReadTheFirstSixHexDigitsAgainstTheirRanges) {
  struct Case {
    std::optional<std::string> address;
    bool in_range;
  };
  const Case kwxp9[] = {
      {"3323F1", true},  {"333584", true},   {"3323f1", true}, {"33300012", true}, {"3323F0", false},
      {"333585", false}, {"3323F", false},   {"", false},      {std::nullopt, false}, {"ZZZZZZ", false},
      {"0x3323F1", false},
  };
  for (const Case& c : kwxp9) {
    SCOPED_TRACE(c.address.value_or("(none)"));
    EXPECT_EQ(update::changePSKeyKWXP9With(0x5060, c.address), c.in_range);
    EXPECT_FALSE(update::changePSKeyKWXP9With(0x5061, c.address));
  }

  // twelve ranges in three unbroken spans: inside every bound, outside every span
  const std::pair<unsigned, unsigned> ranges[] = {
      {0x73B084, 0x73B2DF}, {0x758BDC, 0x759049}, {0x75A76E, 0x75AC41}, {0x73B2E0, 0x73B625},
      {0x758A8C, 0x758BDB}, {0x75AC42, 0x75ADAA}, {0x73B626, 0x73B7F1}, {0x75872C, 0x758A8B},
      {0x75ADAB, 0x75B16E}, {0x73B7F2, 0x73B91B}, {0x7586BA, 0x75872B}, {0x75B16F, 0x75B1F9}};
  for (const auto& [first, last] : ranges) {
    SCOPED_TRACE(hex(first));
    EXPECT_TRUE(update::checkPSKeyMORVENT_RWith(hex(first)));
    EXPECT_TRUE(update::checkPSKeyMORVENT_RWith(hex(last)));
  }
  for (const auto& [first, last] :
       {std::pair<unsigned, unsigned>{0x73B084, 0x73B91B}, {0x7586BA, 0x759049}, {0x75A76E, 0x75B1F9}}) {
    SCOPED_TRACE(hex(first));
    EXPECT_FALSE(update::checkPSKeyMORVENT_RWith(hex(first - 1)));
    EXPECT_FALSE(update::checkPSKeyMORVENT_RWith(hex(last + 1)));
  }
  for (const std::optional<std::string>& address : {std::optional<std::string>("73B08"), std::optional<std::string>(),
                                                     std::optional<std::string>("73B0G4")}) {
    EXPECT_FALSE(update::checkPSKeyMORVENT_RWith(address));
  }
}

TEST(NewUpdateSheet, ShowsEachProductsVersionForm) {
  struct Case {
    const char* name;
    int product;
    LatestVersion latest;
    FEXOBluetoothDeviceData device;
    const char* new_version;
    const char* current_version;
  };
  const Case cases[] = {
      {"camera: four numbers", 0x3020, {2, 5, 1, 3}, device_at(2, 4, 1, 0), "v1.3.2.5", "v1.0.2.4"},
      {"pair unit: always the secondary", 0x5345, {1, 2, 0, 0}, device_at(1, 1, 0, 0), "v1.2.0", "v1.1.0"},
      {"release candidate", 0x6010, {2, 1, 0, 0}, device_at(2, 1, 1, 3), "v2.1", "v2.1rc3"},
      {"release candidate without number", 0x6010, {2, 1, 0, 2}, device_at(2, 0, 1, 0), "v2.1.2", "v2.0rc"},
      {"numbered", 0x6010, {2, 1, 0, 0}, device_at(2, 0, 2, 4), "v2.1", "v2.0.4"},
      {"numbered 0", 0x6010, {2, 1, 0, 0}, device_at(2, 0, 2, 0), "v2.1", "v2.0"},
      {"another type keeps no secondary", 0x6010, {2, 1, 0, 0}, device_at(2, 0, 3, 4), "v2.1", "v2.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const update::NewUpdateSheetVersions texts = update::new_update_sheet_versions(c.product, c.latest, c.device);
    EXPECT_EQ(texts.tfNewVersion, c.new_version);
    EXPECT_EQ(texts.tfCurrentVersion, c.current_version);
  }
}

}  // namespace
