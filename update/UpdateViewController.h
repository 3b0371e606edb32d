#pragma once
// Firmware update page (page mode 5) and firmware restore page (page mode 6):
// two instances of one class.
#include <memory>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/settings_tabs.h"
#include "shell/DetailViewController.h"

class UpdateViewController : public DetailViewController {
  Q_OBJECT

 public:
  // `mode` 5 builds the update page, 6 the restore page.
  explicit UpdateViewController(int mode, QWidget* parent = nullptr);
  int pageMode() const { return m_mode; }

  // Entry of the page; with `status` the page's default status texts are set.
  void initializeObjectWithDefaultStatus(bool status);
  void setControls() override;
  void setShortcuts() override;

  // Restore page: whether a restorable firmware is known.
  bool restorePossible() const { return m_restorePossible; }
  void setRestorePossible(bool possible) { m_restorePossible = possible; }
  // The restore page's own settings tabs (main thread only).
  const session::TabData& tabData() const { return m_tabs; }
  void setTabData(const session::TabData& tabs) { m_tabs = tabs; }
  int tabCount() const { return m_tabs.count; }
  void setTabCount(int count) { m_tabs.count = count; }
  // Tab kind at `index`; outside 0..2 reads 0 and a write is ignored.
  int tabAt(int index) const { return m_tabs.kind_at(index); }
  void setTab_At(int kind, int index) {
    if (index >= 0 && index < 3) m_tabs.kinds[static_cast<size_t>(index)] = kind;
  }
  int tabIndexSelected() const { return m_tabs.selected; }
  void setTabIndexSelected(int index) { m_tabs.selected = index; }

  // Reads the server's list again; with nothing to read it only refreshes the page.
  void readLatest();
  // Refreshes the restore page's controls (after a language change).
  void setControlsFirmwareRestore();
  // Reads the backup archive of the selected product into dataToUnarchive.
  void setBackupInfo();
  // The record read from the backup archive on the restore page (nullptr: none).
  const FEXOBluetoothDeviceData* dataToUnarchive() const { return m_dataToUnarchive.get(); }

  // Next: the settings page of the selected product while the device is in
  // normal mode, else the selection page.
  void moveToNext(QObject* sender = nullptr);
  // Back: a fresh recognition that waits for Next.
  void moveToBack(QObject* sender = nullptr);
  QPushButton* btnNext() const { return m_rightButton; }
  QPushButton* btnBack() const { return m_leftButton; }

  // Marks a camera firmware copy as complete so that the next poll ends the job.
  void endOptraUpdate();
  bool optraUpdateEnded() const { return m_optraUpdateEnded; }
  // Whether a message box of the engine is open.
  void setOpenedMessageBox(bool opened) { m_openedMessageBox = opened; }
  bool openedMessageBox() const { return m_openedMessageBox; }

  // The engine's two questions that this page answers. `request` gives the
  // texts, buttons and size; the page sets the purpose.
  // End of a camera firmware copy: OK ends the copy (endOptraUpdate).
  void openCameraCopyDoneBox(session::MessageBoxRequest request);
  // No backup file before an update: OK goes on without one
  // (skipRestoreBackupFile); either answer releases the waiting engine
  // (openedMessageBox cleared) and closes the box once more.
  void openBackupFailedBox(session::MessageBoxRequest request);
  // End of an update or restore job: hands over to a fresh recognition that
  // returns to this page.
  void timerMethodUpdate();

 private:
  int m_mode;
  bool m_restorePossible = false;
  session::TabData m_tabs;
  bool m_optraUpdateEnded = false;
  bool m_openedMessageBox = false;
  std::unique_ptr<FEXOBluetoothDeviceData> m_dataToUnarchive;
};
