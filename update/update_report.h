#pragma once
// What the update worker reports to its page's one-second timer: the result
// code, the progress fields the timer turns into the bar, the finished and
// message-box flags and the 13 status texts.
//
// Hand-off: the worker writes its progress, code and texts first and
// updateFinished last (release); the timer reads updateFinished (acquire) and,
// once it is set, sees everything the worker wrote before it. The progress
// fields sit behind one lock, so a timer rule reads and writes them as one
// and never loses a value the worker wrote meanwhile; the texts are replaced
// whole, so a tick never reads half a text.
//
// The worker never writes the controller's state: what it changes there
// waits here, in the order it happened, until the main thread applies it.
#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "strings/language.h"

namespace update {

// update_error_code: why an operation failed.
enum UpdateErrorCode : int {
  k_update_error_none = 0,      // the worker writes it first
  k_update_error_generic = 1,   // set before the dispatch: every failure that sets nothing else
  k_update_error_device = 2,    // device lost, or not the selected one
  k_update_error_firmware = 3,  // the firmware file does not suit the device
  k_update_error_restart = 4,   // restart the manager, then recover the device
};

// updateProcessed of a procedure that succeeded.
inline constexpr int k_update_succeeded = 100;

using UpdateStatus = std::array<std::string, strings::k_language_count>;

// A change a run makes to the controller's state.
struct StateChange {
  enum class Kind {
    usb_status,              // the device now answers under `usb_status` (usbStatus)
    restart_record_cleared,  // the restart record is cleared (clearRestartDFURecord)
    backup_answer_used,      // the OK to flash without a backup is used up (skipRestoreBackupFile)
  };
  Kind kind = Kind::usb_status;
  int usb_status = 0;
};

// The progress fields as one value: the bar, the procedure's phase or target,
// and the timed step.
struct Progress {
  int processed = -1;          // updateProcessed: percentage shown; -1 nothing reported yet
  int phase = 0;               // addUpdateProcessed: phase code or target, by progress group
  int timer_processed = 0;     // updateTimerProcessed: base of the timed step, or ticks of a timed phase
  int percent_to_process = 0;  // updateTimerPercentToProcess: span of the timed step, percent
  int process_time = 0;        // updateTimerProcessTime: ticks into the timed step, at most 62
};

class UpdateReport {
 public:
  // ---- written by the worker ----
  int updateRestoreError() const { return m_error.load(std::memory_order_acquire); }
  void setUpdateRestoreError(int code) { m_error.store(code, std::memory_order_release); }

  Progress progress() const;
  int updateProcessed() const { return progress().processed; }
  // The worker's percentage; 100 (k_update_succeeded) marks success.
  void setUpdateProcessed(int value);
  void setAddUpdateProcessed(int value);
  void setUpdateTimerProcessed(int value);
  void setUpdateTimerPercentToProcess(int value);
  void setUpdateTimerProcessTime(int value);
  // Starts a timed step: the bar goes from `base` to `base + span` in 62 ticks.
  void start_timed_step(int base, int span);

  // True when the worker's own last updateProcessed was 100. The timer's rules
  // neither produce nor overwrite it: success is a value only the worker writes.
  bool succeeded() const;

  bool updateFinished() const { return m_finished.load(std::memory_order_acquire); }
  // Set last, after every other field of the operation.
  void setUpdateFinished(bool value) { m_finished.store(value, std::memory_order_release); }
  bool openedMessageBox() const { return m_box_open.load(std::memory_order_acquire); }
  void setOpenedMessageBox(bool value) { m_box_open.store(value, std::memory_order_release); }

  // The status is a warning even while the operation runs and when it
  // succeeds (a part of the update that did not take).
  bool statusWarning() const { return m_status_warning.load(std::memory_order_acquire); }
  void setStatusWarning(bool value) { m_status_warning.store(value, std::memory_order_release); }

  UpdateStatus updateStatus() const;
  std::string updateStatusAt(int language) const;
  void setUpdateStatus(const UpdateStatus& texts);

  // Queues a change to the controller's state for the main thread.
  void record_state_change(const StateChange& change);
  // True once when the backup-failed box was answered OK since the last call.
  bool take_backup_skipped() { return m_backup_skipped.exchange(false, std::memory_order_acq_rel); }

  // ---- the main thread ----
  // The changes queued since the last call, oldest first.
  std::vector<StateChange> take_state_changes();
  // The answer to the backup-failed box: OK lets the worker flash without a
  // backup; either answer then clears openedMessageBox, which releases it.
  void answer_backup_failed(bool ok) {
    if (ok) m_backup_skipped.store(true, std::memory_order_release);
    setOpenedMessageBox(false);
  }

  // ---- the timer ----
  // Applies `change` to the progress under the lock, unless the worker has
  // reported success; returns false when it was left alone.
  template <class Change>
  bool change_progress(Change&& change) {
    std::lock_guard<std::mutex> lock(m_progress_mutex);
    if (m_succeeded) return false;
    change(m_progress);
    return true;
  }
  // End of an operation: the timed step and the phase back to 0; the bar keeps its value.
  void clear_timed_fields();

  // Before a worker starts: no result, not finished, no box, success cleared,
  // every progress field back to its start (the bar hidden at -1).
  void reset_for_operation();

 private:
  std::atomic<int> m_error{0};
  std::atomic<bool> m_finished{false};
  std::atomic<bool> m_box_open{false};
  std::atomic<bool> m_status_warning{false};
  std::atomic<bool> m_backup_skipped{false};
  std::mutex m_changes_mutex;
  std::vector<StateChange> m_state_changes;
  mutable std::mutex m_progress_mutex;
  Progress m_progress;
  bool m_succeeded = false;
  mutable std::mutex m_status_mutex;
  UpdateStatus m_status;
};

}  // namespace update
