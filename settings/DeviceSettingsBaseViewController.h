#pragma once
// What the three settings pages (settings 7, second settings 8, speed dial 9)
// share: the working copy of the device record, the page to go to after the
// save prompt and the buttons New Device and Back.
#include "device_data/FEXOBluetoothDeviceData.h"
#include "shell/DetailViewController.h"

class DeviceSettingsBaseViewController : public DetailViewController {
  Q_OBJECT

 public:
  // `mode` is the page's own page mode (7, 8 or 9).
  explicit DeviceSettingsBaseViewController(int mode, QWidget* parent = nullptr);
  int pageMode() const { return m_mode; }

  // Entry of the page: fresh working and default copies of the controller's
  // record, the selected tab, controls refreshed.
  virtual void initializeObject();
  void setControls() override;
  void setShortcuts() override;

  // Whether the working copy differs from the controller's record.
  virtual bool isSettingsChanged() const;
  // Page to open after the save prompt (a mode, possibly plus 100); 0 for none.
  void setModeToGo(int mode) { m_modeToGo = mode; }
  int modeToGo() const { return m_modeToGo; }
  // Opens the save prompt and answers true when there are changes to save;
  // otherwise answers false and does nothing.
  virtual bool checkNeedToSave();
  // The save prompt of this page: Yes saves, No drops the edits; either way
  // the page to go to opens afterwards. Without a request the prompt has the
  // standard texts; the purpose is always this page's.
  void openSavePrompt();
  void openSavePrompt(session::MessageBoxRequest request);
  // Drops the edits and opens the page to go to.
  virtual void moveToModeToGo();
  // Saves the working copy and asks for a fresh recognition.
  virtual void save(QObject* sender = nullptr);
  // After a successful save: a fresh recognition that opens the page to go to,
  // or returns to this page.
  void timerMethodSave();
  void moveToDeviceSelection(QObject* sender = nullptr);
  void moveToFirmwareUpdate(QObject* sender = nullptr);

  QPushButton* btnNewDevice() const { return m_rightButton; }
  QPushButton* btnBack() const { return m_leftButton; }
  virtual const FEXOBluetoothDeviceData& dataCurrent() const { return m_dataCurrent; }
  virtual const FEXOBluetoothDeviceData& dataDefault() const { return m_dataDefault; }

 protected:
  // A page that places Back and New Device itself, with no page title and no
  // layout manager.
  struct PlacedButtons {};
  DeviceSettingsBaseViewController(int mode, PlacedButtons, QWidget* parent);

  // The working and default copies the page opens with.
  virtual void make_working_copies();
  // The working copy := a copy of the controller's record with its versions.
  void discard_edits();

 private:
  void connect_buttons();

  int m_mode;
  int m_modeToGo = 0;
  FEXOBluetoothDeviceData m_dataCurrent;
  FEXOBluetoothDeviceData m_dataDefault;
};
