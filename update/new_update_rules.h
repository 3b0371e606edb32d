#pragma once
// Whether the server's firmware is offered as newer than the device's, the two
// tests on the device's Bluetooth address, and the version texts of the
// new-update sheet. Pure rules, Qt-free; `device` is the controller's record
// of the recognized device.
#include <optional>
#include <string>

#include "update/server_lists.h"

class FEXOBluetoothDeviceData;

namespace update {

// haveNewUpdate: true when `latest` is to be offered as newer than the
// device's firmware, by the rule of the selected `product`.
bool haveNewUpdate(int product, const FEXOBluetoothDeviceData& device, const LatestVersion& latest);

// changePSKeyKWXP9With: for 0x5060 only, true when the first six hexadecimal
// digits of `address` (the last six of the device's Bluetooth address) lie in
// the range of the units that take another firmware. An address shorter than
// six characters, absent or not hexadecimal gives false.
bool changePSKeyKWXP9With(int product, const std::optional<std::string>& address);

// checkPSKeyMORVENT_RWith: true when the address lies in one of the twelve
// ranges of the units of another make, for any product; the same reading.
bool checkPSKeyMORVENT_RWith(const std::optional<std::string>& address);

// The new-update sheet's tfNewVersion and tfCurrentVersion for `product`.
struct NewUpdateSheetVersions {
  std::string tfNewVersion;
  std::string tfCurrentVersion;
};
NewUpdateSheetVersions new_update_sheet_versions(int product, const LatestVersion& latest,
                                                 const FEXOBluetoothDeviceData& device);

}  // namespace update
