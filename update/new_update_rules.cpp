#include "update/new_update_rules.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/int_value.h"
#include "platform/log.h"

namespace update {

namespace {

// The camera product: its secondary pair ranks above its major.minor.
constexpr int k_camera_split_product = 0x3020;
// The headset whose units of one address range take another firmware.
constexpr int k_address_range_product = 0x5060;
// The pair unit, whose versions always show their secondary number.
constexpr int k_pair_unit = 0x5345;

// Secondary version type 1: a release candidate, replaced by the release of the same number.
constexpr int32_t k_type_release_candidate = 1;
constexpr int32_t k_type_numbered = 2;

struct AddressRange {
  const char* first;
  const char* last;
};
constexpr AddressRange k_kwxp9_range = {"3323F1", "333584"};
// Three unbroken spans, as the units were made.
constexpr AddressRange k_morvent_r_ranges[] = {
    {"73B084", "73B2DF"}, {"758BDC", "759049"}, {"75A76E", "75AC41"}, {"73B2E0", "73B625"},
    {"758A8C", "758BDB"}, {"75AC42", "75ADAA"}, {"73B626", "73B7F1"}, {"75872C", "758A8B"},
    {"75ADAB", "75B16E"}, {"73B7F2", "73B91B"}, {"7586BA", "75872B"}, {"75B16F", "75B1F9"}};

constexpr std::size_t k_address_digits = 6;

// The first six characters of the address read as a hexadecimal number; none
// when there are fewer than six.
std::optional<uint32_t> address_value(const std::optional<std::string>& address) {
  if (!address || address->size() < k_address_digits) return std::nullopt;
  return platform::hex_value(std::string_view(*address).substr(0, k_address_digits));
}

bool in_range(uint32_t value, const AddressRange& range) {
  return value >= platform::hex_value(range.first) && value <= platform::hex_value(range.last);
}

// The rule of every product without one of its own.
bool general_rule(int32_t c, int32_t type, int32_t s, int32_t latest_secondary) {
  if (type == k_type_release_candidate) return c <= 0;
  if (c != 0) return c < 0;
  return s < latest_secondary;
}

}  // namespace

bool haveNewUpdate(int product, const FEXOBluetoothDeviceData& device, const LatestVersion& latest) {
  if (product == k_camera_split_product) {
    return device.compareVersionWithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
               latest.major, latest.minor, latest.secondary_type, latest.secondary) < 0;
  }
  const int32_t c = device.compareVersionUpToMinorWithMajor_Minor(latest.major, latest.minor);
  const int32_t type = device.deviceSecondaryVersionType();
  const int32_t s = device.deviceSecondaryVersion();
  if (product == k_address_range_product) {
    platform::system_log(platform::format("Have New Update BD=[%@]", device.lastSixBDAddress().value_or("")));
    if (changePSKeyKWXP9With(product, device.lastSixBDAddress())) return true;
    return general_rule(c, type, s, latest.secondary);
  }
  if (device_data::product_facts(product).secondary_number_makes_newer) {
    if (type == k_type_release_candidate) return c <= 0;
    if (c != 0) return c < 0;
    if (type == k_type_numbered) return s < latest.secondary;
    return latest.secondary > 0;
  }
  return general_rule(c, type, s, latest.secondary);
}

bool changePSKeyKWXP9With(int product, const std::optional<std::string>& address) {
  if (product != k_address_range_product) return false;
  const std::optional<uint32_t> value = address_value(address);
  return value && in_range(*value, k_kwxp9_range);
}

bool checkPSKeyMORVENT_RWith(const std::optional<std::string>& address) {
  const std::optional<uint32_t> value = address_value(address);
  if (!value) return false;
  return std::ranges::any_of(k_morvent_r_ranges, [&](const AddressRange& range) { return in_range(*value, range); });
}

NewUpdateSheetVersions new_update_sheet_versions(int product, const LatestVersion& latest,
                                                 const FEXOBluetoothDeviceData& device) {
  const int32_t type = device.deviceSecondaryVersionType();
  const int32_t secondary = device.deviceSecondaryVersion();
  const int32_t major = device.deviceVersionMajor();
  const int32_t minor = device.deviceVersionMinor();
  if (product == k_camera_split_product) {
    return {platform::format("v%d.%d.%d.%d", latest.secondary_type, latest.secondary, latest.major, latest.minor),
            platform::format("v%d.%d.%d.%d", type, secondary, major, minor)};
  }
  if (product == k_pair_unit) {
    return {platform::format("v%d.%d%@", latest.major, latest.minor, platform::format(".%d", latest.secondary)),
            platform::format("v%d.%d%@", major, minor, platform::format(".%d", secondary))};
  }
  NewUpdateSheetVersions texts;
  texts.tfNewVersion = platform::format("v%d.%d%@", latest.major, latest.minor,
                                        latest.secondary != 0 ? platform::format(".%d", latest.secondary) : "");
  if (type == k_type_release_candidate) {
    texts.tfCurrentVersion =
        platform::format("v%d.%drc%@", major, minor, secondary != 0 ? platform::format("%d", secondary) : "");
  } else if (type == k_type_numbered && secondary != 0) {
    texts.tfCurrentVersion = platform::format("v%d.%d%@", major, minor, platform::format(".%d", secondary));
  } else {
    texts.tfCurrentVersion = platform::format("v%d.%d%@", major, minor, "");
  }
  return texts;
}

}  // namespace update
