#include "settings/DeviceSettingsSpeedDialViewController.h"

#include "session/app_state.h"

DeviceSettingsSpeedDialViewController::DeviceSettingsSpeedDialViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(session::k_mode_device_settings_speed_dial, parent) {}
