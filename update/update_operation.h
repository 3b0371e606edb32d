#pragma once
// One firmware page's operation, free of Qt: the operation state; the page's
// entry, which reads the server's list on a thread of its own; the firmware
// file (a picked one, a download into a file the user names, the restore
// image); the Update and Restore actions that start the worker beside the
// page's one-second timer; and what that timer does each tick: the end of a
// list reading (the new-update sheet, the restore page's status), and while an
// update or restore runs the progress rule of the product's group, the
// worker's status copied into the status line, and at the end the report of a
// failure or the hand-over of a success to a fresh recognition. The page
// (update/UpdateViewController.h) owns one, implements UpdatePage for it and
// calls timerMethodUpdate from its QTimer. Main thread only, except where
// said; the list reader and the download hand their results to the main
// thread (platform/main_queue.h).
#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/download.h"
#include "platform/worker.h"
#include "session/services.h"
#include "update/download_file.h"
#include "update/new_update_rules.h"
#include "update/progress_rules.h"
#include "update/server_lists.h"
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

// The largest firmware file downloaded, in bytes. The firmware packages the
// devices take are a few MiB, the camera packages with their camera part some
// tens of MiB; the download streams to disk, so the limit only stops a server
// that never ends its answer, long before it fills the disk.
inline constexpr std::size_t k_max_firmware_download_bytes = std::size_t{512} * 1024 * 1024;

// How long the server may stay silent while a list is read or a file
// downloaded (also the limit of setting up the connection); there is no limit
// on the whole transfer.
inline constexpr std::chrono::milliseconds k_server_idle_limit{30000};

// True when `index` selects one of `count` entries.
inline bool index_in_range(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

// What the new-update sheet shows; the sheet's language pop-up mirrors the page's.
struct NewUpdateSheet {
  NewUpdateSheetVersions versions;
  // Two or more languages: the pop-up and its label are shown.
  bool show_languages = false;
  // "Voice Prompt" in the interface language.
  std::string language_label;
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
  virtual void remove_all_language_items() = 0;
  // Adds an item titled `title` (the language name in the interface language).
  virtual void add_language_item(const std::string& title) = 0;
  // The page's one-second timer.
  virtual void start_timer() = 0;
  virtual void stop_timer() = 0;
  // The page's own setControls.
  virtual void set_page_controls() = 0;
  // The record read from the backup archive that may be restored (restore
  // page; nullptr: none, or one that was refused).
  virtual const FEXOBluetoothDeviceData* data_to_unarchive() const = 0;
  // Restore page: reads the backup archive into data_to_unarchive
  // (setBackupInfo); false when there is no backup to restore from.
  virtual bool load_backup() = 0;
  // Restore page: the page's settings tabs back to none, the tab list closed.
  virtual void init_tab_data() = 0;
  // Fills the new-update sheet (setControlsNewUpdateFound), mirrors the
  // language pop-up into it and shows it as a sheet on the main window.
  virtual void show_new_update_sheet(const NewUpdateSheet& sheet) = 0;
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
  // Starts the download of fileNameLatestVersion from the server into
  // localPathLatestVersion; returns at once. Its end sets the firmware file
  // and starts the update (newUpdateFound) or the restore; every failure is
  // reported in the status line and ends in state 0.
  void downloadFirmwareFromServer();

  // ---- entry, server list ----
  // initializeObjectWithDefaultStatus: the page is entered. The update page
  // reads "Firmware" (state 1); the restore page reads its backup and, when
  // there is one, "Revisions" (state 4), else resumes an interrupted restore.
  // `status`: the page's default status texts are due at the end.
  void initializeObjectWithDefaultStatus(bool status);
  // readLatest: reads the list again (after a language change) when the
  // language pop-up has items; otherwise only refreshes the page.
  void readLatest();

  // ---- the firmware file and the new-update sheet ----
  // browseFirmware: an open panel; the chosen file becomes the firmware file.
  void browseFirmware();
  // downloadFirmware: update page only. A save panel proposes the file name of
  // the selected language; its OK starts the download (state 2).
  void downloadFirmware();
  // yesButtonSelectedAt: the sheet's language (`sheet_index`, the sheet
  // pop-up's selection) becomes the page's, then downloadFirmware.
  void yesButtonSelectedAt(int sheet_index);
  // noButtonSelectedAt: the sheet was declined; nothing is offered any more.
  void noButtonSelectedAt();

  // ---- navigation ----
  // moveToNext: the settings page of the selected product, its speed-dial
  // page, or the device selection (firmware-management mode, products without
  // settings, and some below a firmware version).
  void moveToNext();
  // Whether Next leads to the device selection ("new device"): in
  // firmware-management mode, for products without settings, and for some
  // below a firmware version of the recognized device.
  bool nextLeadsToDeviceSelection() const;
  // moveToBack: the recognition page, without starting a recognition.
  void moveToBack();
  // menuWillOpen: a pop-up menu opens; the settings-tab list closes.
  void menuWillOpen();

  // The page's one-second timer: state 0 ends the update list reading, state
  // 4 the restore list reading; states 3 and 6 are a tick of the running
  // operation; the others are left to the list reading and the download.
  void timerMethodUpdate();

  // endOptraUpdate: the user confirmed the end of the camera hand-over (OK of
  // MessageBoxPurpose::camera_copy_done): success (k_update_succeeded),
  // checkOptraUpdateComplete, and updateFinished, so the next tick ends the update.
  void endOptraUpdate();
  bool checkOptraUpdateComplete() const { return m_checkOptraUpdateComplete; }
  // Set by the controller's answers to MessageBoxPurpose::backup_failed; any thread.
  void setOpenedMessageBox(bool opened) { m_report.setOpenedMessageBox(opened); }
  bool openedMessageBox() const { return m_report.openedMessageBox(); }
  // Stops a running worker at its next wait, a list reading and a download,
  // and waits for them (shut-down).
  void stop_and_join();
  // Tests: shorter silence limits (libcurl counts them in whole seconds, real time).
  void setServerIdleLimit(std::chrono::milliseconds limit) { m_server_idle_limit = limit; }
  // Tests: a file that fails at a chosen step.
  void setDownloadFile(std::unique_ptr<DownloadFile> file) { m_downloadFile = std::move(file); }

  // ---- fields of the server list and the download (main thread) ----
  bool newUpdateFound() const { return m_newUpdateFound.load(std::memory_order_acquire); }
  void setNewUpdateFound(bool found) { m_newUpdateFound.store(found, std::memory_order_release); }
  // Whether this reading of the update list compares versions (NO: only re-read).
  bool checkNewUpdate() const { return m_checkNewUpdate; }
  bool writeDefaultStatus() const { return m_writeDefaultStatus; }
  const LatestVersion& latestVersion() const { return m_latest; }
  void setLatestVersion(const LatestVersion& latest) { m_latest = latest; }
  bool restorePossible() const { return m_restorePossible; }
  void setRestorePossible(bool possible) { m_restorePossible = possible; }
  // Language name and server file name of each pop-up item.
  std::vector<std::string>& arrLanguageFirmware() { return m_arrLanguageFirmware; }
  std::vector<std::string>& arrFileNamesLatestVersion() { return m_arrFileNamesLatestVersion; }
  const std::optional<std::string>& fileNameLatestVersion() const { return m_fileNameLatestVersion; }
  void setFileNameLatestVersion(const std::optional<std::string>& name) { m_fileNameLatestVersion = name; }
  const std::optional<std::filesystem::path>& localPathLatestVersion() const { return m_localPathLatestVersion; }

 private:
  enum class DownloadFailure { cannot_create_file, cannot_open_file, cannot_connect, cannot_download };
  struct ListRequest;
  void enter_restore_page(bool resume);
  void start_list_reading();
  static ListReading threadMethodReadLatest(const ListRequest& request, const std::atomic<bool>& stop_requested);
  void take_list_reading(const ListReading& reading);
  void end_update_list();
  void end_restore_list();
  void download_received(std::string_view block);
  void download_finished();
  void download_failed(DownloadFailure failure);
  void start_worker_and_timer();
  void take_restart_record();
  void refresh_controls();
  void show_status(const UpdateStatus& texts, bool warning);
  // A text in all 13 languages, and `format` filled with two texts of each language.
  static UpdateStatus texts_in(const TextIn& text);
  static UpdateStatus texts_in(const char* format, const TextIn& first, const TextIn& second);
  // This page's status prefix while it works, and of a failure.
  TextIn processing_prefix() const;
  TextIn failure_prefix() const;
  void tick_operation();
  void show_success();
  void end_operation(int product);
  void report_failure(int product, int language);
  void report_success(int product, int language);
  // A fresh recognition of the updated or restored device (the restore page's
  // backed-up record with it); it starts at once.
  void hand_over_to_recognition();

  const int m_mode;
  session::Services& m_services;
  UpdatePage& m_page;
  std::atomic<int> m_state{k_state_idle};
  UpdateReport m_report;
  StepFlags m_flags;
  bool m_checkOptraUpdateComplete = false;
  // The tick that found the worker's success has shown it; the next one hands over.
  bool m_success_shown = false;
  std::atomic<bool> m_newUpdateFound{false};
  bool m_restorePossible = false;
  bool m_checkNewUpdate = false;
  bool m_writeDefaultStatus = false;
  LatestVersion m_latest;
  std::vector<std::string> m_arrLanguageFirmware;
  std::vector<std::string> m_arrFileNamesLatestVersion;
  std::optional<std::string> m_fileNameLatestVersion;
  std::optional<std::filesystem::path> m_localPathLatestVersion;
  std::unique_ptr<DownloadFile> m_downloadFile = std::make_unique<DownloadFile>();
  std::chrono::milliseconds m_server_idle_limit = k_server_idle_limit;
  // Each list reading's number: a result of an earlier one is dropped.
  int m_list_generation = 0;
  // What the main-thread tasks of the list reader and the panels hold: they
  // run only while this operation exists.
  std::shared_ptr<UpdateOperation*> m_self = std::make_shared<UpdateOperation*>(this);
  // last: their threads end before the members they use go away
  platform::Download m_download;
  platform::Worker m_list_reader;
  UpdateEngine m_engine;
};

}  // namespace update
