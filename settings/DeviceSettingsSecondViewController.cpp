#include "settings/DeviceSettingsSecondViewController.h"

#include "shell/app_state.h"

DeviceSettingsSecondViewController::DeviceSettingsSecondViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(shell::k_mode_device_settings_second, parent) {}
