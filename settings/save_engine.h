#pragma once
// The save that the three settings pages share (settings 7, FM radio 8, speed
// dial 9): Save, or Yes in the save prompt, starts a worker thread that writes
// the page's working copy into the attached device and stores one result code;
// the page's one-second timer waits for the code, shows the outcome in the 13
// interface languages and then hands the working copy to the controller and
// asks for a fresh recognition, or discards the edits and sends the user to the
// device selection, or leaves the edits for another try.
//
// A page plugs in with SaveRules (its write procedure, its reason texts, the
// codes that discard the edits) and a SavePage (its working copy, how it
// discards, what it re-enables, its timer). Qt-free; everything but the
// procedure runs on the main thread.
//
// A page derived from DeviceSettingsBaseViewController calls setSaveRules in
// its constructor and overrides readyToSave, discardEditsAfterSave and
// reenableAfterSave where it needs to; its Save and the Yes of its save
// prompt then run this save, with the base page's timer. A HID procedure
// builds on settings/hid_save_frames.h (open of the recognized device,
// version and mode queries, block writes and commits); the settings page's
// own rules are in settings/settings_save.h.
//
// Threads: the worker works only on copies of `dataCurrent`, the controller's
// `data`, `deviceTarget` and `usbStatus` made on the main thread when the save
// starts; it touches no widget and no shared state, and its one result is
// rcThreadSave, stored with release as its last act and read with acquire.
// The thread is always joined, so a quit during a save waits for it.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/worker.h"
#include "session/services.h"

namespace settings {

// rcThreadSave while the worker runs.
inline constexpr int k_save_running = -1;
// rcThreadSave of a save that wrote everything it needed (or found nothing to write).
inline constexpr int k_save_success = 0;

// What the worker works on, copied on the main thread when the save starts.
struct SaveCopies {
  int deviceTarget = 0;  // the selected product id: chooses the procedure
  int usbStatus = 0;     // product id of the attached device as recognition saw it
  FEXOBluetoothDeviceData data;         // the device as recognition read it (versions, reference values)
  FEXOBluetoothDeviceData dataCurrent;  // the page's working copy: what is written
};

// A page's write procedure, run on the worker thread: opens the device, checks
// it, writes, closes whatever it opened and returns the page's result code
// (k_save_success, or one of the page's failure codes; never negative).
using SaveProcedure = std::function<int(const SaveCopies& copies)>;

// How one page saves.
struct SaveRules {
  SaveProcedure procedure;
  // The reason a failure code gives in `language` (0..12): the second half of
  // the status "<failure prefix>. <reason>". Not asked for k_save_success.
  std::function<std::string(int code, int language)> reason;
  // Codes meaning that the device is gone, in firmware-management mode or not
  // the recognized one: the edits are discarded and the user is sent to the
  // device selection (1, 2, 9 on the settings page; 1, 2, 4 on pages 8 and 9).
  std::vector<int> discard_codes;
};

// What the save asks of its page; called on the main thread.
class SavePage {
 public:
  virtual ~SavePage() = default;
  // The working copy the worker writes and the controller's `data` takes on success.
  virtual const FEXOBluetoothDeviceData& saveWorkingCopy() const = 0;
  // The page the user was leaving for when the save prompt started the save
  // (a page mode, possibly plus 100); 0 for a save from the Save button.
  virtual int saveModeToGo() const = 0;
  // A discarding code: the working copy := the controller's `data` (versions
  // kept), and the page's tables and controls refreshed, as Cancel does.
  virtual void discardEditsAfterSave() = 0;
  // Success, after the controller took the working copy: what the page re-enables.
  virtual void reenableAfterSave() = 0;
  // Refreshes the page's controls (all disabled while onProcessing is set).
  virtual void setControls() = 0;
  // The repeating one-second timer whose ticks call SaveEngine::timerMethodSave.
  virtual void startSaveTimer() = 0;
  virtual void stopSaveTimer() = 0;
};

class SaveEngine {
 public:
  SaveEngine(SavePage& page, SaveRules rules);
  // Waits for a running worker.
  ~SaveEngine();
  SaveEngine(const SaveEngine&) = delete;
  SaveEngine& operator=(const SaveEngine&) = delete;

  // save: returns false at once while an operation runs (onProcessing); closes
  // an open tab list; returns false when `page_check` (may be empty) answers
  // false; otherwise shows the processing status, sets onProcessing, disables
  // the window and the page, sets rcThreadSave to -1, starts the worker on the
  // copies and the page's timer, and returns true.
  bool save(session::Services& services, const std::function<bool()>& page_check = {});

  // timerMethodSave: one tick of the page's timer. Does nothing while the
  // worker runs, or when this save was reported already. Otherwise it joins
  // the worker, stops the timer and reports the code once: the 13 status
  // texts (red for a failure), onProcessing cleared and the controls
  // refreshed; then, for success, the controller's `data` takes the working
  // copy, the page re-enables and a fresh recognition is asked for (from the
  // page to go to plus 100, or from the current page mode); for a discarding
  // code, the edits are discarded and the start_over box sends the user to the
  // device selection; for any other code the edits stay for another try.
  void timerMethodSave(session::Services& services);

  // The worker's result: -1 while it runs, then its code (0 before any save).
  int rcThreadSave() const { return m_rcThreadSave.load(std::memory_order_acquire); }
  // True from save() until the tick that reports the code.
  bool saving() const { return m_awaiting_report; }
  // Waits for the worker thread (a quit during a save; tests).
  void join() { m_worker.join(); }

  // Status text of `code` in `language` for page `mode` and USB status `usb`:
  // the page's success text for 0, else "<failure text>. <reason>".
  std::string status_text(int code, int mode, int usb, int language) const;

 private:
  bool discards(int code) const;

  SavePage& m_page;
  SaveRules m_rules;
  std::atomic<int> m_rcThreadSave{k_save_success};
  bool m_awaiting_report = false;
  // last: its thread ends before the members it uses go away
  platform::Worker m_worker;
};

}  // namespace settings
