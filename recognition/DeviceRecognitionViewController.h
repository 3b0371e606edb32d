#pragma once
// Device recognition page (page mode 4): reads the attached device into the
// controller's record, then leads to the page that asked for it.
#include "shell/DetailViewController.h"

class FEXOBluetoothDeviceData;

class DeviceRecognitionViewController : public DetailViewController {
  Q_OBJECT

 public:
  explicit DeviceRecognitionViewController(QWidget* parent = nullptr);

  // Page that asked for the recognition (5..9, a mode plus 100), or 0 from the selection.
  void setCallerMode(int mode) { m_callerMode = mode; }
  int callerMode() const { return m_callerMode; }

  // Entry of the page.
  void initializeObject();
  // Starts a recognition as the page's button does.
  void recognize(QObject* sender = nullptr);
  // Starts a recognition on behalf of the calling page; `info` is the record a
  // restore writes back into the device (nullptr for none).
  void doRecognize(const FEXOBluetoothDeviceData* info);
  // The page's "back": the device selection.
  void targetDevice(QObject* sender = nullptr);
  void setControls() override;
  void setShortcuts() override;

  QPushButton* btnNext() const { return m_rightButton; }
  QPushButton* btnBack() const { return m_leftButton; }

 private:
  int m_callerMode = 0;
};
