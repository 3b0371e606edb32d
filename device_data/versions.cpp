#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/int_value.h"

namespace {

// a - b, held inside the 32-bit range so extreme versions cannot overflow.
int32_t saturated_difference(int32_t a, int32_t b) {
  const int64_t difference = static_cast<int64_t>(a) - static_cast<int64_t>(b);
  if (difference > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (difference < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(difference);
}

int32_t sign_of(int32_t a, int32_t b) { return a > b ? 1 : (a < b ? -1 : 0); }

// The text cut at every "."; empty parts count.
std::vector<std::string_view> split_on_dots(std::string_view text) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t dot = text.find('.', start);
    if (dot == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, dot - start));
    start = dot + 1;
  }
}

}  // namespace

int32_t FEXOBluetoothDeviceData::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(int32_t majorA, int32_t minorA,
                                                                                    int32_t majorB, int32_t minorB) {
  if (majorA != majorB) return saturated_difference(majorA, majorB);
  return saturated_difference(minorA, minorB);
}

int32_t FEXOBluetoothDeviceData::
    compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_ForOptra(
        int32_t majorA, int32_t minorA, int32_t typeA, int32_t secondaryA, int32_t majorB, int32_t minorB,
        int32_t typeB, int32_t secondaryB, bool forOptra) {
  if (forOptra) {
    // the camera numbers its builds by the secondary pair first
    const int32_t secondary = compareVersionUpToMinorMajor_Minor_WithMajor_Minor(typeA, secondaryA, typeB, secondaryB);
    if (secondary != 0) return secondary;
    return compareVersionUpToMinorMajor_Minor_WithMajor_Minor(majorA, minorA, majorB, minorB);
  }

  const int32_t main = compareVersionUpToMinorMajor_Minor_WithMajor_Minor(majorA, minorA, majorB, minorB);
  if (main != 0) return main;
  if (typeA != typeB) {
    // type 1 ranks below every other type, type 0 included
    const int32_t rankA = typeA == 1 ? -1 : typeA;
    const int32_t rankB = typeB == 1 ? -1 : typeB;
    if (rankA != rankB) return sign_of(rankA, rankB);
  }
  return sign_of(secondaryA, secondaryB);
}

int32_t FEXOBluetoothDeviceData::
    compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
        int32_t majorA, int32_t minorA, int32_t typeA, int32_t secondaryA, int32_t majorB, int32_t minorB,
        int32_t typeB, int32_t secondaryB) {
  return compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_ForOptra(
      majorA, minorA, typeA, secondaryA, majorB, minorB, typeB, secondaryB, false);
}

int32_t FEXOBluetoothDeviceData::
    downGradeLM6EVOCompareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
        int32_t majorA, int32_t minorA, int32_t typeA, int32_t secondaryA, int32_t majorB, int32_t minorB,
        int32_t typeB, int32_t secondaryB) {
  (void)typeA;
  (void)typeB;
  const int32_t main = compareVersionUpToMinorMajor_Minor_WithMajor_Minor(majorA, minorA, majorB, minorB);
  if (main != 0) return main;
  return saturated_difference(secondaryA, secondaryB);
}

int32_t FEXOBluetoothDeviceData::compareVersionWithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
    int32_t major, int32_t minor, int32_t type, int32_t secondary) const {
  const bool camera_order = deviceRecognized() == 0x3020;
  return compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_ForOptra(
      deviceVersionMajor(), deviceVersionMinor(), deviceSecondaryVersionType(), deviceSecondaryVersion(), major,
      minor, type, secondary, camera_order);
}

int32_t FEXOBluetoothDeviceData::compareVersionUpToMinorWithMajor_Minor(int32_t major, int32_t minor) const {
  return compareVersionUpToMinorMajor_Minor_WithMajor_Minor(deviceVersionMajor(), deviceVersionMinor(), major, minor);
}

bool FEXOBluetoothDeviceData::getVersionFromString_ToMajor_Minor(const std::string& text, int32_t& major,
                                                                 int32_t& minor) {
  const std::vector<std::string_view> parts = split_on_dots(text);
  if (parts.size() != 2) return false;
  major = platform::int_value(parts[0]);
  minor = platform::int_value(parts[1]);
  return true;
}

bool FEXOBluetoothDeviceData::getVersionFromString_ToSecondaryType_Secondary_Major_Minor(const std::string& text,
                                                                                        int32_t& type,
                                                                                        int32_t& secondary,
                                                                                        int32_t& major,
                                                                                        int32_t& minor) {
  const std::vector<std::string_view> parts = split_on_dots(text);
  if (parts.size() != 4) return false;
  type = platform::int_value(parts[0]);
  secondary = platform::int_value(parts[1]);
  major = platform::int_value(parts[2]);
  minor = platform::int_value(parts[3]);
  return true;
}
