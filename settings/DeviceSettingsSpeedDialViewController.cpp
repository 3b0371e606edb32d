#include "settings/DeviceSettingsSpeedDialViewController.h"

#include "shell/app_state.h"

DeviceSettingsSpeedDialViewController::DeviceSettingsSpeedDialViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(shell::k_mode_device_settings_speed_dial, parent) {}
