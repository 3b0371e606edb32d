#pragma once
// The frame every firmware flashing procedure runs in. One worker per update
// or restore: it reads the selected product, writes its first status and
// report fields, runs the procedure of the product's dispatch row (see
// update/dispatch_table.h) and leaves through one of three exits. The worker
// reaches the controller through session::Services and its page through
// UpdatePage; it reads no widget (the firmware file's path is copied when it
// starts). Every wait runs on platform::Clock and ends early when the worker
// is asked to stop.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

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
  // could be made); either answer
  // clears openedMessageBox, OK also sets skipRestoreBackupFile.
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
  UpdateRun(session::Services& services, UpdateReport& report, UpdateWorkerPage& page, UpdateStart start,
            const std::atomic<bool>& stop_requested);

  // threadMethodUpdate: the worker start, then the procedure of the selected
  // product's dispatch row, then its exit.
  void run();
  // The same with `procedure` in place of the dispatch.
  void run_procedure(FamilyProcedure procedure);

  // ---- what the frame gives a procedure ----
  int mode() const { return m_start.mode; }
  // The selected product id, read anew at every call.
  int product() const { return m_services.state().deviceTarget(); }
  int usb_status() const { return m_services.state().usbStatus(); }
  const std::string& firmware_file() const { return m_start.firmware_file; }
  session::Services& services() { return m_services; }
  session::AppState& controller() { return m_services.state(); }
  UpdateReport& report() { return m_report; }
  UpdateWorkerPage& page() { return m_page; }

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

  // The transport's English status text, cleared when the worker starts.
  transport_message& message() { return m_message; }
  // The product id the HID open wrote.
  std::uint32_t& opened_product_id() { return m_opened_product_id; }
  // The firmware file the procedure loaded (the transport's loaders write
  // into it); every exit frees it.
  firmware_buffer& package() { return m_package; }
  std::size_t package_bytes() const { return m_package ? m_package_bytes : 0; }
  // Check the package: loads tfFirmwareFile's file as a firmware package for
  // `expected_product_id` and checks it. Returns its size, or 0 with the
  // checker's reason in message() (shown through checker_reason).
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
};

// Owns the update worker of one page; the thread is always joined.
class UpdateEngine {
 public:
  UpdateEngine(session::Services& services, UpdateReport& report, UpdateWorkerPage& page);
  ~UpdateEngine();
  UpdateEngine(const UpdateEngine&) = delete;
  UpdateEngine& operator=(const UpdateEngine&) = delete;

  // Waits for the thread of an earlier run, then runs threadMethodUpdate on a new one.
  void start(UpdateStart start);
  // Asks a running worker to stop at its next wait or device exchange, and waits for it.
  void stop_and_join();

 private:
  session::Services& m_services;
  UpdateReport& m_report;
  UpdateWorkerPage& m_page;
  // last: its thread ends before the members it uses go away
  platform::Worker m_worker;
};

}  // namespace update
