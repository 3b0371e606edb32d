#include "recognition/device_info_report.h"

#include <algorithm>
#include <array>
#include <utility>

#include "device_data/product_facts.h"
#include "platform/deployment.h"
#include "platform/format.h"
#include "platform/http.h"
#include "platform/log.h"
#include "platform/utf8.h"
#include "strings/product_catalogue.h"
#include "transport/base64.h"

namespace recognition {

namespace {

// Persistent-store keys of the products that number them apart are reported this much higher.
constexpr int k_key_shift = 100;

// Interface language index 1..10 -> code; every other index is English.
constexpr std::array<const char*, 11> k_language_codes = {"en", "fr", "de", "it", "ja", "ko",
                                                          "es", "nl", "ru", "zh", "fi"};

// "https://host:port" of an address: up to the first "/" after the scheme.
std::string scheme_and_host(const std::string& address) {
  const std::size_t scheme_end = address.find("://");
  const std::size_t host_start = scheme_end == std::string::npos ? 0 : scheme_end + 3;
  return address.substr(0, address.find('/', host_start));
}

}  // namespace

DeviceInfoSnapshot device_info_snapshot(const session::AppState& controller) {
  const FEXOBluetoothDeviceData& record = controller.data();
  DeviceInfoSnapshot snapshot;
  snapshot.bd_address = record.deviceBdAddress();
  snapshot.version_major = record.deviceVersionMajor();
  snapshot.version_minor = record.deviceVersionMinor();
  snapshot.secondary_type = record.deviceSecondaryVersionType();
  snapshot.secondary = record.deviceSecondaryVersion();
  snapshot.device_target = controller.deviceTarget();
  snapshot.language = controller.languageManager();
  snapshot.ps_key = record.devicePSKey();
  snapshot.ps_key_value = record.devicePSKeyValue();
  return snapshot;
}

std::string registration_url() { return scheme_and_host(platform::update_server_base(false)) + k_registration_path; }

std::string device_info_form(const DeviceInfoSnapshot& snapshot) {
  const std::pair<const char*, std::optional<std::string>> pairs[] = {
      {"bd", snapshot.bd_address},
      {"version", platform::format("%d.%d.%d.%d.0", snapshot.version_major, snapshot.version_minor,
                                   snapshot.secondary_type, snapshot.secondary)},
      {"device_id", DeviceInfoReport::deviceInfoGetXMLID(snapshot.device_target)},
      {"os", "3"},
      {"language", DeviceInfoReport::deviceInfoGetLanguage(snapshot.language)},
      {"pskey", snapshot.ps_key},
      {"value", snapshot.ps_key_value},
  };
  std::string form;
  for (const auto& [key, value] : pairs) {
    if (!value) break;
    form += "&" + url_percent_encoded(key) + "=" + url_percent_encoded(*value);
  }
  return form;
}

bool DeviceInfoReport::deviceInfoCollector(const DeviceInfoSnapshot& snapshot) {
  if (!finished()) return false;
  m_started = true;
  m_worker.start([this, snapshot] { threadMethodDeviceInfoCollection(snapshot, &m_worker.stop_flag()); });
  return true;
}

std::optional<std::string> DeviceInfoReport::threadMethodDeviceInfoCollection(const DeviceInfoSnapshot& snapshot,
                                                                              const std::atomic<bool>* stop_requested) {
  const std::string url = registration_url();
  platform::system_log(platform::format("Registration url = [%@]", url));
  if (!deviceInfoGetXMLID(snapshot.device_target)) return std::nullopt;
  const std::string form = device_info_form(snapshot);
  platform::system_log(platform::format("serviceRequest = [POST %@]", url));
  std::optional<std::string> reply =
      platform::http_post_form(url, form, k_registration_timeout, k_max_registration_reply_bytes, stop_requested);
  const std::optional<std::string> text = platform::valid_utf8_or_nil(reply);
  platform::system_log(platform::format("Device Info Response Data= \n%@\n", text.value_or("(null)")));
  return reply;
}

std::optional<std::string> DeviceInfoReport::deviceInfoGetXMLID(int device_target) {
  if (!device_data::product_facts(device_target).reports_model_id) return std::nullopt;
  std::optional<std::string> name = ProductCatalogue::vyla_product_name(device_target);
  if (name) std::replace(name->begin(), name->end(), ' ', '_');
  return name;
}

std::string DeviceInfoReport::deviceInfoGetLanguage(int language) {
  const bool coded = language >= 1 && language < static_cast<int>(k_language_codes.size());
  return k_language_codes[coded ? static_cast<std::size_t>(language) : 0];
}

std::string DeviceInfoReport::deviceInfoGetPSKey(int key, int device_target) {
  const long long reported = device_data::product_facts(device_target).reports_keys_shifted ? key + 0LL + k_key_shift : key;
  std::string text = std::to_string(reported);
  platform::system_log(platform::format("PSKey = [%@]", text));
  return text;
}

std::optional<std::string> DeviceInfoReport::deviceInfoGetPSKeyValueLength_with(int count,
                                                                              std::span<const std::uint16_t> words) {
  if (count < 1 || words.empty()) return std::nullopt;
  std::string text;
  for (const std::uint16_t word : words.first(std::min(words.size(), static_cast<std::size_t>(count)))) {
    text += platform::format("%04X", word);
  }
  platform::system_log(platform::format("PSKeyValue = [%@]", text));
  return text;
}

}  // namespace recognition
