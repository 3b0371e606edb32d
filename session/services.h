#pragma once
// What pages, workers and engines ask of the application controller: its
// state, the message box, page switching, the status line, the refresh of the
// window around the page, and the end of the program. The controller
// implements it; tests use a recording fake (tests/support/fake_services.h).
//
// The state may be used from any thread. The message box may be opened and
// closed from any thread; everything else runs on the main thread.
#include <functional>
#include <optional>
#include <string>

#include "session/app_state.h"
#include "session/message_box.h"

class FEXOBluetoothDeviceData;

namespace session {

// Receives the answer to a message box on the main thread: true for OK,
// false for Cancel (and for Escape, which answers as Cancel does).
using MessageBoxAnswer = std::function<void(bool ok)>;

// What a page asks of a file panel.
struct FilePanelRequest {
  enum class Kind { open, save };
  Kind kind = Kind::open;
  // Save panel: the file name it proposes (none: an empty name field).
  std::optional<std::string> proposed_name;
};
// Receives the chosen path on the main thread, or none when the user cancelled.
using FilePanelAnswer = std::function<void(const std::optional<std::string>& path)>;

class Services {
 public:
  virtual ~Services() = default;

  virtual AppState& state() = 0;
  virtual const AppState& state() const = 0;

  // ---- message box ----
  // Shows the box and returns at once; `on_answer` gets the answer after the
  // box has closed. Without a handler the box gets the answer every box of its
  // purpose gets from the controller: a new start at the device selection
  // (MessageBoxPurpose::start_over, start_over_other), a restart to recover
  // (restart_to_recover, restart_to_recover_other), a mail to support
  // (mail_support), the help page (recognition_failure); nothing for notices
  // and for the purposes a page answers itself.
  virtual void openMessageBox(const MessageBoxRequest& request, MessageBoxAnswer on_answer = {}) = 0;
  // Closes the box without an answer; returns the purpose it had
  // (update_notice, whose code is 0, also when no box was open).
  virtual MessageBoxPurpose closeMessageBox() = 0;

  // ---- file panels ----
  // Shows an open panel (an existing file, any type) or a save panel as a
  // sheet on the main window and returns at once; `on_answer` gets the path.
  // Main thread.
  virtual void openFilePanel(const FilePanelRequest& request, FilePanelAnswer on_answer) = 0;

  // ---- pages ----
  virtual void setDetailViewController(int mode) = 0;
  virtual void setManagerUpdate() = 0;
  virtual void setDeviceSelection() = 0;
  // Opens the recognition page for caller `from` (0, 5..9 or a mode plus 100);
  // `info` is the record a restore writes back into the device (nullptr for none).
  virtual void setDeviceRecognitionWithStatus_info_from(bool status, const FEXOBluetoothDeviceData* info,
                                                        int from) = 0;
  virtual void setFirmwareUpdateWithStatus(bool status) = 0;
  virtual void setFirmwareRestoreWithStatus(bool status) = 0;
  virtual void setDeviceSettingsWithStatus(bool status) = 0;
  virtual void setDeviceSettingsSecondWithStatus(bool status) = 0;
  virtual void setDeviceSettingsSpeedDialWithStatus(bool status) = 0;

  // ---- status line ----
  virtual void setStatus_withWarning(const std::string& text, bool warning) = 0;
  // Fill the 13 status texts with the page's processing or ready text and
  // answer the one of the interface language.
  virtual std::string getStatusProcessing() = 0;
  virtual std::string getStatusDefault() = 0;
  virtual void setStatusWithDefault() = 0;

  // ---- the window around the page ----
  virtual void setControls() = 0;
  virtual void reflectShortcuts() = 0;
  virtual void setTitle() = 0;
  // Shows or hides the drop-down list of setting tabs.
  virtual void enableListTabsTo(bool enable) = 0;

  // ---- the program ----
  // Writes the configuration archive now; false when it could not be written.
  virtual bool write_configuration_archive() const = 0;
  // Ends the program through its one termination path (archive, USB, relaunch).
  virtual void stopManager() = 0;
};

}  // namespace session
