#pragma once
// What the all-settings sheet decides without a window: the step that follows
// a row's setting action (settings that exclude each other, the camera's
// recording sources) and the information box of a row. The sheet's widget
// only applies these. Qt-free; main thread (they read the working copy).
#include <optional>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/message_box.h"
#include "settings/all_settings_rows.h"
#include "settings/setting_actions.h"

namespace settings {

// The step after `action` has written the working copy `current` of product
// `product` (`data`: the device as read, for its firmware version). It may
// write further settings of `current`; answers true when the whole table is to
// be rebuilt, so that dependent rows show their new values and enabling.
bool all_settings_extra_step(SettingAction action, int product, const FEXOBluetoothDeviceData& data,
                             FEXOBluetoothDeviceData& current);

// The information box of the row that sends `action` in `context`: the text
// in the interface language with its labels filled in, the OK button, the
// row's size code and MessageBoxPurpose::setting_information. None for a row
// without a text of its own (its information button is hidden).
std::optional<session::MessageBoxRequest> all_settings_information(const AllSettingsContext& context,
                                                                   SettingAction action);

}  // namespace settings
