#pragma once
// What the three settings pages (settings 7, second settings 8, speed dial 9)
// share: the working copy of the device record, the page to go to after the
// save prompt, the save (settings::SaveEngine with the page's rules, its
// worker and its one-second timer) and the buttons New Device and Back.
#include <memory>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "settings/save_engine.h"
#include "widgets/DetailViewController.h"

class QTimer;

class DeviceSettingsBaseViewController : public DetailViewController {
  Q_OBJECT

 public:
  // `mode` is the page's own page mode (7, 8 or 9).
  explicit DeviceSettingsBaseViewController(int mode, QWidget* parent = nullptr);
  // Waits for a running save worker.
  ~DeviceSettingsBaseViewController() override;
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
  // Save, and Yes in the save prompt: with the page's save rules, starts the
  // save (settings::SaveEngine::save, with readyToSave as the page's check);
  // a page without rules hands over to a fresh recognition without writing.
  virtual void save(QObject* sender = nullptr);
  // The same save without the page's own check (readyToSave).
  void saveWithoutCheck();
  // The one-second tick of a running save (settings::SaveEngine::timerMethodSave).
  void timerMethodSave();
  // Waits for a running save worker: a quit during a save lets it finish
  // writing the device. Its result is still reported by the next tick.
  void waitForSave();
  // The running or last save; nullptr for a page without save rules.
  const settings::SaveEngine* saveEngine() const { return m_saveEngine.get(); }
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
  // The records the page edits: its working copy and its default record.
  FEXOBluetoothDeviceData& workingCopy() { return m_dataCurrent; }
  FEXOBluetoothDeviceData& defaultCopy() { return m_dataDefault; }

  // ---- the page's save (settings/save_engine.h) ----
  // Installs the page's write procedure, reason texts and discarding codes.
  void setSaveRules(settings::SaveRules rules);
  // The page's own check before a save starts; false keeps the page as it is.
  virtual bool readyToSave() { return true; }
  // A discarding result: the edits go and the page shows the device's values.
  virtual void discardEditsAfterSave();
  // Success: what the page re-enables once the controller took the working copy.
  virtual void reenableAfterSave() {}
  // The save without a write: the edits go and a fresh recognition reads the
  // device again, then opens the page to go to or returns to this page.
  void handOffWithoutWriting();

 private:
  class SaveHooks;

  void connect_buttons();
  void build_save_timer();

  int m_mode;
  int m_modeToGo = 0;
  FEXOBluetoothDeviceData m_dataCurrent;
  FEXOBluetoothDeviceData m_dataDefault;
  QTimer* m_saveTimer = nullptr;
  std::unique_ptr<SaveHooks> m_saveHooks;
  // last: it joins its worker before the hooks go
  std::unique_ptr<settings::SaveEngine> m_saveEngine;
};
