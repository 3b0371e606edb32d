#pragma once
// One firmware page's operation, free of Qt: the operation state, the Update
// and Restore actions that start the worker beside the page's one-second
// timer, and what that timer does each tick while an update or restore runs:
// the progress rule of the product's group, the worker's status copied into
// the status line, and at the end the report of a failure or the hand-over of
// a success to a fresh recognition. The page (update/UpdateViewController.h)
// owns one, implements UpdatePage for it and calls timerMethodUpdate from its
// QTimer. Main thread only, except where said.
#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "session/services.h"
#include "update/progress_rules.h"
#include "update/update_engine.h"
#include "update/update_report.h"

class FEXOBluetoothDeviceData;

namespace update {

// The operation state of a page (`state`).
enum OperationState : int {
  k_state_idle = 0,                 // also: the update list has been read
  k_state_reading_update_list = 1,
  k_state_downloading_update = 2,
  k_state_updating = 3,             // the worker runs
  k_state_reading_restore_list = 4,
  k_state_downloading_restore = 5,
  k_state_restoring = 6,            // the same worker runs
};

// What the operation asks of its page on the main thread, besides what the
// worker asks (UpdateWorkerPage).
class UpdatePage : public UpdateWorkerPage {
 public:
  // The firmware file field (tfFirmwareFile).
  virtual std::string firmware_file() const = 0;
  virtual void set_firmware_file(const std::string& path) = 0;
  // The voice-prompt language pop-up (popUpLanguageFirmware): item count,
  // selected index (-1 none), and selecting an index below the count.
  virtual int language_item_count() const = 0;
  virtual int selected_language_item() const = 0;
  virtual void select_language_item(int index) = 0;
  // The page's one-second timer.
  virtual void start_timer() = 0;
  virtual void stop_timer() = 0;
  // The page's own setControls.
  virtual void set_page_controls() = 0;
  // The record read from the backup archive (restore page; nullptr: none).
  virtual const FEXOBluetoothDeviceData* data_to_unarchive() const = 0;
};

class UpdateOperation {
 public:
  // `mode` 5 is the update page, 6 the restore page.
  UpdateOperation(int mode, session::Services& services, UpdatePage& page);
  ~UpdateOperation();
  UpdateOperation(const UpdateOperation&) = delete;
  UpdateOperation& operator=(const UpdateOperation&) = delete;

  int mode() const { return m_mode; }
  int state() const { return m_state.load(std::memory_order_acquire); }
  void setState(int value) { m_state.store(value, std::memory_order_release); }
  UpdateReport& report() { return m_report; }
  const UpdateReport& report() const { return m_report; }
  const StepFlags& step_flags() const { return m_flags; }

  // updateFirmware: on the restore page only opens the update page; else
  // state 3 and the worker starts with the pop-up's language (or the restart
  // record's file and language).
  void updateFirmware();
  // restoreFirmware: on the update page only opens the restore page; else
  // downloads the restore image (state 5), or with a restart record restores
  // at once (state 6).
  void restoreFirmware();
  // Starts the download of fileNameLatestVersion into localPathLatestVersion.
  // This build reaches no server from here: the download fails as a
  // connection that cannot be made.
  void downloadFirmwareFromServer();

  // The page's one-second timer: in states 3 and 6 one tick of the running
  // operation; every other state is left to the list reading and the download.
  void timerMethodUpdate();

  // Set by the controller's answers to purpose 14; any thread.
  void setOpenedMessageBox(bool opened) { m_report.setOpenedMessageBox(opened); }
  bool openedMessageBox() const { return m_report.openedMessageBox(); }
  // Stops a running worker at its next wait and waits for it (shut-down).
  void stop_and_join() { m_engine.stop_and_join(); }

  // ---- fields of the server list and the download ----
  // Written by the list reader's thread as well.
  bool newUpdateFound() const { return m_newUpdateFound.load(std::memory_order_acquire); }
  void setNewUpdateFound(bool found) { m_newUpdateFound.store(found, std::memory_order_release); }
  bool restorePossible() const { return m_restorePossible; }
  void setRestorePossible(bool possible) { m_restorePossible = possible; }
  // Language name and server file name of each pop-up item.
  std::vector<std::string>& arrLanguageFirmware() { return m_arrLanguageFirmware; }
  std::vector<std::string>& arrFileNamesLatestVersion() { return m_arrFileNamesLatestVersion; }
  const std::optional<std::string>& fileNameLatestVersion() const { return m_fileNameLatestVersion; }
  void setFileNameLatestVersion(const std::optional<std::string>& name) { m_fileNameLatestVersion = name; }
  const std::optional<std::filesystem::path>& localPathLatestVersion() const { return m_localPathLatestVersion; }

 private:
  void start_worker_and_timer();
  void take_restart_record();
  void refresh_controls();
  void show_status(const UpdateStatus& texts, bool warning);
  void tick_operation();
  void end_operation(int product);
  void report_failure(int product, int language);
  void report_success(int product, int language);

  const int m_mode;
  session::Services& m_services;
  UpdatePage& m_page;
  std::atomic<int> m_state{k_state_idle};
  UpdateReport m_report;
  StepFlags m_flags;
  std::atomic<bool> m_newUpdateFound{false};
  bool m_restorePossible = false;
  std::vector<std::string> m_arrLanguageFirmware;
  std::vector<std::string> m_arrFileNamesLatestVersion;
  std::optional<std::string> m_fileNameLatestVersion;
  std::optional<std::filesystem::path> m_localPathLatestVersion;
  // last: its worker ends before the members it uses go away
  UpdateEngine m_engine;
};

}  // namespace update
