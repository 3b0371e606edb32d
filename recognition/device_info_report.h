#pragma once
// The device-information report of the recognition page: a form with the
// recognized device's identity (Bluetooth address, firmware version, model id,
// interface language and one persistent-store key with its value), posted to
// the registration endpoint on the update server's host; the reply is only
// logged. Nothing in the manager starts a report.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/worker.h"
#include "session/app_state.h"

namespace recognition {

// Path of the registration endpoint on the update server's host.
inline constexpr char k_registration_path[] = "/moa/moa_register.php?";
// How long the request may take: the platform's default for a URL request.
inline constexpr std::chrono::seconds k_registration_timeout{60};
// The longest reply read; the endpoint answers a line or two.
inline constexpr std::size_t k_max_registration_reply_bytes = 64 * 1024;

// What a report carries, copied from the controller when the report starts, so
// its thread never reads the record while a recognition writes it.
struct DeviceInfoSnapshot {
  std::optional<std::string> bd_address;
  int version_major = 0;
  int version_minor = 0;
  int secondary_type = 0;
  int secondary = 0;
  int device_target = 0;
  int language = 0;
  std::optional<std::string> ps_key;
  std::optional<std::string> ps_key_value;
};
DeviceInfoSnapshot device_info_snapshot(const session::AppState& controller);

// The endpoint's address: the scheme and host (and port) of the default update
// server, or of $VEXLINK_SERVER_BASE when set, followed by k_registration_path.
std::string registration_url();

// The form of a report: "&key=value" for the pairs bd, version, device_id, os,
// language, pskey and value, in this order up to the first missing value; keys
// and values percent-encoded as UTF-8 bytes, so an "&" or "=" in a value stays
// inside its pair.
std::string device_info_form(const DeviceInfoSnapshot& snapshot);

// One report thread, owned: a report still on its way when the owner goes is
// stopped within a tenth of a second and joined.
class DeviceInfoReport {
 public:
  DeviceInfoReport() = default;
  ~DeviceInfoReport() { stop_and_join(); }
  DeviceInfoReport(const DeviceInfoReport&) = delete;
  DeviceInfoReport& operator=(const DeviceInfoReport&) = delete;

  // Starts a thread that sends the report of `snapshot`. False, with nothing
  // started, while an earlier report is still on its way.
  bool deviceInfoCollector(const DeviceInfoSnapshot& snapshot);
  // True once the last report started has ended (and when none was started).
  bool finished() const { return !m_started || m_worker.finished(); }
  void join() { m_worker.join(); }
  void stop_and_join() { m_worker.stop_and_join(); }

  // The report itself, on the calling thread: the endpoint, the form and the
  // POST, each logged. Answers the reply, or none when the snapshot's product
  // has no model id (nothing is sent) or the request failed.
  static std::optional<std::string> threadMethodDeviceInfoCollection(const DeviceInfoSnapshot& snapshot,
                                                                     const std::atomic<bool>* stop_requested = nullptr);
  // Model id of `device_target`: its catalogue name with blanks as underscores,
  // for the products that report one (reports_model_id); none for every other id.
  static std::optional<std::string> deviceInfoGetXMLID(int device_target);
  // Two-letter code of an interface language index ("en" for every index
  // without its own code).
  static std::string deviceInfoGetLanguage(int language);
  // `key` as decimal text, 100 higher for the products that number their keys
  // apart (reports_keys_shifted).
  static std::string deviceInfoGetPSKey(int key, int device_target);
  // The first `count` words as "%04X" each, never more than `words` holds;
  // none when `count` is below 1.
  static std::optional<std::string> deviceInfoGetPSKeyValueLength_with(int count,
                                                                       std::span<const std::uint16_t> words);

 private:
  bool m_started = false;
  platform::Worker m_worker;
};

}  // namespace recognition
