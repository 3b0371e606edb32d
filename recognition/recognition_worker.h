#pragma once
// The recognition worker: finds which device is attached, fills the
// controller's device record and per-device state, and hands a result code and
// 13 status texts to the recognition page. One run per start, on a thread of
// its own; only the worker uses the transport's device slots while it runs.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/worker.h"
#include "session/app_state.h"
#include "strings/language.h"
#include "transport/hid_channel.h"

namespace recognition {

// Result codes of a run (`resultThreadRecognize`).
enum RecognizeResult : int {
  k_recognize_running = 0,
  k_recognize_other_device = 1,
  k_recognize_success = 2,
  k_recognize_failure = 3,
};

using StatusTexts13 = std::array<std::optional<std::string>, strings::k_language_count>;

// Fields the worker writes and the page's one-second poll reads. The worker
// writes its texts and flags first and the result last (release); the poll
// reads the result (acquire) and, once it is positive, the rest.
class RecognitionHandOff {
 public:
  int callerMode() const { return m_callerMode.load(std::memory_order_acquire); }
  void setCallerMode(int value) { m_callerMode.store(value, std::memory_order_release); }
  bool isFirst() const { return m_isFirst.load(std::memory_order_acquire); }
  void setIsFirst(bool value) { m_isFirst.store(value, std::memory_order_release); }

  int resultThreadRecognize() const { return m_result.load(std::memory_order_acquire); }
  void setResultThreadRecognize(int value) { m_result.store(value, std::memory_order_release); }
  bool doWarnThreadRecognize() const { return m_doWarn.load(std::memory_order_acquire); }
  void setDoWarnThreadRecognize(bool value) { m_doWarn.store(value, std::memory_order_release); }
  bool goFirmwareUpgradeThreadRecognize() const { return m_goFirmwareUpgrade.load(std::memory_order_acquire); }
  void setGoFirmwareUpgradeThreadRecognize(bool value) { m_goFirmwareUpgrade.store(value, std::memory_order_release); }

  // The worker's text for `language` (none when not written or out of range).
  std::optional<std::string> strStatusThreadRecognizeAt(int language) const;
  StatusTexts13 strStatusThreadRecognize() const;
  void setStrStatusThreadRecognize(const StatusTexts13& texts);

  // Start of a run: result 0, no texts, both flags clear.
  void reset_for_run();

 private:
  std::atomic<int> m_callerMode{0};
  std::atomic<bool> m_isFirst{true};
  std::atomic<int> m_result{0};
  std::atomic<bool> m_doWarn{false};
  std::atomic<bool> m_goFirmwareUpgrade{false};
  mutable std::mutex m_text_mutex;
  StatusTexts13 m_texts;
};

// One run of the worker with its working buffers. The per-family steps take the
// product id to act for and work on whatever the transport has open, so each
// can be exercised on its own.
class RecognitionRun {
 public:
  RecognitionRun(session::AppState& controller, RecognitionHandOff& hand_off,
                 const std::optional<FEXOBluetoothDeviceData>& info, const std::atomic<bool>& stop_requested);

  // The whole run, from resetting the restart record to one of the exits.
  // A run that ends without a result (asked to stop) ends in the open failure
  // with code -1, so the page's poll always ends.
  void run();

  // Opens the device over HID, up to 3 tries 1 s apart; false after the third failure.
  bool open_over_hid();
  // Mode probe (command 0x12): false sends the run to the legacy USB path.
  bool probe_mode(std::uint32_t product_id);
  // FM radio and motion-sensor rows and the device information status.
  void query_presence(std::uint32_t product_id);
  // Reads the device name (or the default one) into the record.
  void read_device_name(std::uint32_t product_id);
  // Product 0x5345 only: asks both units to hold their pairing (command 0x30).
  void hold_pair(std::uint32_t product_id);
  // Reads the main version and the language pack into the record.
  void read_versions(std::uint32_t product_id);
  // Versions of module 1 and of the second (mesh) module.
  void read_second_module_versions(std::uint32_t product_id);
  // Writes the backed-up record `info` into the device after a firmware
  // restore (write results are not examined); false when the run was asked to stop.
  bool write_backed_up_settings(std::uint32_t product_id);
  // Reads the BD address and the settings blocks into the record and marks it recognized.
  void read_settings_into_record(std::uint32_t product_id);

  // Exits of a run: success over HID, the legacy path, the open failure. The
  // first two come after the HID steps, with both slots closed.
  void finish_over_hid();
  // Legacy entry after three failed HID opens or a failed mode probe.
  void enter_legacy_usb(bool from_mode_probe);
  void finish_with_open_failure(int code);

  // The 13 success texts for the controller's mode and USB status, filled with
  // the localized transport message and the next page's ready text.
  StatusTexts13 success_texts() const;
  // The settings tabs of the recognized record's product, version and FM row.
  void store_tabs_of_record() const;

  std::uint32_t opened_product_id() const { return m_opened_product_id; }
  const transport_message& message() const { return m_message; }

  // Default name of `product_id` (none for an id without one).
  static std::optional<std::string> default_device_name(std::uint32_t product_id);

 private:
  // How the HID steps ended.
  enum class HidEnd {
    recognized,     // every step ran: the record is filled
    not_opened,     // three opens failed
    mode_declined,  // the mode probe sends the device to the legacy path
    ended,          // stopped, or a step ended the run with its own result
  };
  // The HID part of a run: open, mode probe, presence, name, versions,
  // settings. The caller holds the slots' guard.
  HidEnd recognize_over_hid();
  // Recognition over legacy USB (BlueCore, recognition/legacy_usb_recognition.h):
  // the code the run ends in the open failure with, or 0 when the device loop
  // ran and handed over its result.
  int recognize_over_legacy_usb();
  bool stopping() const { return m_stop_requested.load(std::memory_order_acquire); }
  // Sends a cleared request with command `command` on `slot`; 1 on success.
  int send_plain_command(int slot, unsigned char command);
  // Presence query: `show` when reply byte [3] is not 0 or the command failed,
  // else `hide`; logs "<what> show", "<what> hide" or "<what> command fail".
  int ask_presence(int slot, unsigned char command, int show, int hide, const char* what);
  std::optional<std::string> read_word_name(int slot, unsigned char block);
  std::optional<std::string> read_text_name(std::uint32_t product_id);

  session::AppState& m_controller;
  RecognitionHandOff& m_hand_off;
  const std::optional<FEXOBluetoothDeviceData>& m_info;
  const std::atomic<bool>& m_stop_requested;

  transport_message m_message{};
  std::uint32_t m_opened_product_id = 0;
  hid_cmd_report m_request{};
  hid_status_report m_reply{};
  lang_pack_report m_lang_request{};
  lang_pack_reply m_lang_reply{};
};

// Thread entry: one whole run for `info` (a backed-up record to write into the
// device after a firmware restore, or none). `stop_requested` also ends the
// device exchange in progress as a failure.
void threadMethodRecognize(session::AppState& controller, RecognitionHandOff& hand_off,
                           const std::optional<FEXOBluetoothDeviceData>& info, const std::atomic<bool>& stop_requested);

// Owns the worker thread of one recognition page. The thread is always
// joined: after its result was taken, or when the owner goes away.
class RecognitionWorker {
 public:
  RecognitionWorker(session::AppState& controller, RecognitionHandOff& hand_off);
  ~RecognitionWorker();
  RecognitionWorker(const RecognitionWorker&) = delete;
  RecognitionWorker& operator=(const RecognitionWorker&) = delete;

  // Closes both HID slots, clears the hand-off and starts a run on a new
  // thread. Returns false and does nothing while a run is active.
  bool start(std::optional<FEXOBluetoothDeviceData> info);
  // True from start() until take_result() has taken a positive result.
  bool active() const { return m_active; }
  // The poll: 0 while the run goes on; once positive, joins the thread, ends
  // the active state and returns the result.
  int take_result();
  // Asks a running worker to stop at its next step and waits for it; a device
  // exchange in progress ends within a quarter of a second.
  void stop_and_join();

 private:
  session::AppState& m_controller;
  RecognitionHandOff& m_hand_off;
  std::optional<FEXOBluetoothDeviceData> m_info;
  bool m_active = false;
  // last: its thread ends before the members it uses go away
  platform::Worker m_worker;
};

}  // namespace recognition
