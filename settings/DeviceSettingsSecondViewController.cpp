#include "settings/DeviceSettingsSecondViewController.h"

#include "session/app_state.h"

DeviceSettingsSecondViewController::DeviceSettingsSecondViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(session::k_mode_device_settings_second, parent) {}
