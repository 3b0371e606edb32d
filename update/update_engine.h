#pragma once
// The frame every firmware flashing procedure runs in. One worker per update
// or restore: it writes its first status and report fields, runs the
// procedure of the selected product's dispatch row (see
// update/dispatch_table.h) and leaves through one of three exits. What it
// reads of the controller's state is copied on the main thread before it
// starts (UpdateSnapshot); what it changes there goes back through its
// UpdateReport and is applied on the main thread. It reaches the controller
// only for message boxes, and its page through UpdatePage; it reads no widget
// (the firmware file's path is copied when it starts). Every wait runs on
// platform::Clock and ends early when the worker is asked to stop.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/worker.h"
#include "session/services.h"
#include "transport/firmware_file.h"
#include "transport/transport_message.h"
#include "update/update_report.h"

namespace update {

// What the update worker asks of its page. The worker calls these on its own
// thread; the page hands anything visible to the main thread and returns at once.
class UpdateWorkerPage {
 public:
  virtual ~UpdateWorkerPage() = default;
  // Message box of purpose MessageBoxPurpose::backup_failed (no backup file
  // could be made); either answer goes to UpdateReport::answer_backup_failed,
  // OK also sets skipRestoreBackupFile.
  virtual void open_backup_failed_box(const session::MessageBoxRequest& request) = 0;
  // Message box of purpose MessageBoxPurpose::camera_copy_done (camera
  // firmware copied); OK ends the operation.
  virtual void open_camera_copy_done_box(const session::MessageBoxRequest& request) = 0;
  virtual void start_circular_progress() = 0;
  virtual void stop_circular_progress() = 0;
};

// The three ways out of a procedure; each goes on with the ones after it.
enum class Exit {
  close_and_finish,  // closes every HID device, then finish
  finish,            // release, then updateFinished
  release,           // frees the package and closes a box still open; updateFinished stays unset
};

// What the worker takes from its page when it starts.
struct UpdateStart {
  int mode = 0;               // 5 update page, 6 restore page
  std::string firmware_file;  // the text of tfFirmwareFile
};

// What a run reads of the controller's state, copied on the main thread
// before it starts; the run never reads the live state.
struct UpdateSnapshot {
  int deviceTarget = 0;                            // the selected product id: picks the dispatch row
  int usbStatus = 0;                               // id of the attached device as recognition saw it
  int languageManager = 0;                         // the interface language, of the boxes the run opens
  std::optional<std::string> strLanguageFirmware;  // the voice-prompt language chosen on the page
  FEXOBluetoothDeviceData data;                    // the device as recognition read it

  static UpdateSnapshot of(const session::AppState& state);
};

// Applies the state changes `report` holds to `state`, oldest first. Main thread.
void apply_state_changes(UpdateReport& report, session::AppState& state);

class UpdateRun;
// A family's flashing procedure: returns the exit it leaves by.
using FamilyProcedure = Exit (*)(UpdateRun& run);
// A text in the given language.
using TextIn = std::function<std::string(int language)>;

// A failure reason with the tag of the step that failed ("[B][00]", " 5 [0]"),
// in the three orders the procedures show them:
// "<reason><tag>"
TextIn reason_with_tag(TextIn reason, std::string tag);
// "<reason> <tag>. Try again."
TextIn reason_tag_try_again(TextIn reason, std::string tag);
// "<reason>. Try again.<tag>"
TextIn reason_try_again_tag(TextIn reason, std::string tag);

class UpdateRun {
 public:
  // Tells the owner that the report holds state changes for the main thread;
  // called on the run's thread.
  using HandBack = std::function<void()>;

  // A run on `snapshot`.
  UpdateRun(UpdateSnapshot snapshot, session::Services& services, UpdateReport& report, UpdateWorkerPage& page,
            UpdateStart start, const std::atomic<bool>& stop_requested, HandBack hand_back);
  // A run that the main thread itself runs: the snapshot is taken here, and
  // each state change is applied as soon as it is made.
  UpdateRun(session::Services& services, UpdateReport& report, UpdateWorkerPage& page, UpdateStart start,
            const std::atomic<bool>& stop_requested);

  // threadMethodUpdate: the worker start, then the procedure of the selected
  // product's dispatch row, then its exit.
  void run();
  // The same with `procedure` in place of the dispatch.
  void run_procedure(FamilyProcedure procedure);

  // ---- what the frame gives a procedure ----
  int mode() const { return m_start.mode; }
  // The selected product id.
  int product() const { return m_snapshot.deviceTarget; }
  // The attached device's id: recognition's, then the run's own changes.
  int usb_status() const { return m_snapshot.usbStatus; }
  // The device record as recognition read it.
  const FEXOBluetoothDeviceData& record() const { return m_snapshot.data; }
  int language() const { return m_snapshot.languageManager; }
  const std::optional<std::string>& firmware_language() const { return m_snapshot.strLanguageFirmware; }
  const std::string& firmware_file() const { return m_start.firmware_file; }
  UpdateReport& report() { return m_report; }
  UpdateWorkerPage& page() { return m_page; }
  // Mount point of the selected camera's disk, looked for now (its marker
  // file on a usable volume); none when it is not there.
  std::optional<std::string> camera_disk_path() const;

  // ---- changes to the controller's state, handed back in this order ----
  // The device now answers under `usb_status`.
  void set_usb_status(int usb_status);
  // The interrupted operation the next start would resume is done with.
  void clear_restart_record();
  // True when the backup-failed box was answered OK; the answer holds for
  // this attempt only.
  bool take_backup_skipped();

  // Status "<processing prefix> <message>" in all 13 languages.
  void show_working(const TextIn& message);
  // Status: the processing prefix alone, in all 13 languages.
  void show_processing();
  // Status "<failure prefix>. <reason>" in all 13 languages.
  void show_failure(const TextIn& reason);
  // A failure with its update_error_code (k_update_error_device,
  // k_update_error_firmware or k_update_error_restart) and its reason.
  void fail(UpdateErrorCode code, const TextIn& reason);
  // The reason to show for the firmware checker's English text in message():
  // its translation, else the checker's text itself.
  std::string checker_reason(int language) const;
  // k_update_error_firmware with the checker's reason, a refusal naming `product`.
  void fail_firmware_check(int product);

  // Waits on the platform clock; false when the worker was asked to stop
  // (then at once, or within a quarter of a second).
  bool wait(std::chrono::milliseconds duration);
  bool stopping() const { return m_stop_requested.load(std::memory_order_acquire); }

  // Opens the page's MessageBoxPurpose::backup_failed box and waits, polling once a second, until
  // an answer clears openedMessageBox; false when asked to stop first.
  bool ask_backup_failed(const session::MessageBoxRequest& request);
  // A notice without buttons (MessageBoxPurpose::update_notice or
  // update_notice_other) while the device restarts;
  // the procedure closes it with close_notice, or the release exit does.
  void show_notice(const session::MessageBoxRequest& request);
  void close_notice();
  // Closes whatever box is open, leaving openedMessageBox alone.
  void close_message_box();

  // The transport's English status text, cleared when the worker starts.
  transport_message& message() { return m_message; }
  // The product id the HID open wrote.
  std::uint32_t& opened_product_id() { return m_opened_product_id; }
  // The firmware file the procedure loaded (the transport's loaders write
  // into it); every exit frees it.
  firmware_buffer& package() { return m_package; }
  std::size_t package_bytes() const { return m_package ? m_package_bytes : 0; }
  // Check the package: loads tfFirmwareFile's file as a firmware package for
  // `expected_product_id` and checks it on the digest table its catalogue row
  // names. Returns its size, or 0 with the checker's reason in message()
  // (shown through checker_reason).
  std::size_t load_verified_package(std::uint32_t expected_product_id);
  // The product id the USB DFU procedure looks for: the selected id unless a
  // pre-step sent the device into a download mode with an id of its own.
  int dfu_product_id() const { return m_dfu_product_id.value_or(product()); }
  void set_dfu_product_id(int product_id) { m_dfu_product_id = product_id; }

 private:
  void start();
  void leave(Exit exit);
  using Prefix = std::optional<std::string> (*)(int mode, int usb, int language);
  UpdateStatus prefixed(Prefix prefix, const char* format, const TextIn& text) const;
  void hand_back(const StateChange& change);

  UpdateSnapshot m_snapshot;
  // for message boxes only
  session::Services& m_services;
  UpdateReport& m_report;
  UpdateWorkerPage& m_page;
  const UpdateStart m_start;
  const std::atomic<bool>& m_stop_requested;
  transport_message m_message{};
  std::uint32_t m_opened_product_id = 0;
  firmware_buffer m_package;
  std::size_t m_package_bytes = 0;
  std::optional<int> m_dfu_product_id;
  HandBack m_hand_back;
};

// Owns the update worker of one page; the thread is always joined.
class UpdateEngine {
 public:
  UpdateEngine(session::Services& services, UpdateReport& report, UpdateWorkerPage& page);
  ~UpdateEngine();
  UpdateEngine(const UpdateEngine&) = delete;
  UpdateEngine& operator=(const UpdateEngine&) = delete;

  // Waits for the thread of an earlier run, takes the snapshot of the
  // controller's state, then runs threadMethodUpdate on a new thread.
  void start(UpdateStart start);
  // Asks a running worker to stop at its next wait or device exchange, waits
  // for it, and applies what it left in the report.
  void stop_and_join();
  // Applies the state changes the worker has made so far. Main thread; the
  // engine also posts it there as each change is made.
  void hand_back_state_changes();

 private:
  session::Services& m_services;
  UpdateReport& m_report;
  UpdateWorkerPage& m_page;
  // What the tasks posted to the main thread hold: they apply only while the engine exists.
  std::shared_ptr<UpdateEngine*> m_self = std::make_shared<UpdateEngine*>(this);
  // last: its thread ends before the members it uses go away
  platform::Worker m_worker;
};

}  // namespace update
