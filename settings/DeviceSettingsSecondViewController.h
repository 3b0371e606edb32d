#pragma once
// Second settings page with the FM radio (page mode 8).
#include "settings/DeviceSettingsBaseViewController.h"

class DeviceSettingsSecondViewController : public DeviceSettingsBaseViewController {
  Q_OBJECT

 public:
  explicit DeviceSettingsSecondViewController(QWidget* parent = nullptr);
};
