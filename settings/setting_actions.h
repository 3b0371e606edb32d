#pragma once
// The setting actions of the settings page: each writes the user's choice
// into the working copy through the accessor of the device's family. The
// classic panel and the all-settings sheet share them. Qt-free.
#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/setting_catalogue.h"

namespace settings {

// One action per setting of the catalogue.
using SettingAction = device_data::Setting;

// Writes `choice` for `action` into `record` by the rule of product
// `device`'s family. `choice` is the selected column of an on/off or
// three-cell radio (column 0 is the Enable cell) or the selected item of a
// pop-up; a pop-up index below 0 (nothing selected) and a choice the setting
// has no value for write nothing.
void apply_setting_action(SettingAction action, int choice, int device, FEXOBluetoothDeviceData& record);

// Whether `action` writes anything for product `device` (false: a choice
// leaves the working copy as it is).
bool setting_action_writes(SettingAction action, int device);

}  // namespace settings
