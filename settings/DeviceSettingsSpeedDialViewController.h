#pragma once
// Speed-dial page (page mode 9).
#include "settings/DeviceSettingsBaseViewController.h"

class DeviceSettingsSpeedDialViewController : public DeviceSettingsBaseViewController {
  Q_OBJECT

 public:
  explicit DeviceSettingsSpeedDialViewController(QWidget* parent = nullptr);
};
