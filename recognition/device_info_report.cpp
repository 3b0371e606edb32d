#include "recognition/device_info_report.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/deployment.h"
#include "platform/format.h"
#include "platform/http.h"
#include "platform/log.h"
#include "platform/utf8.h"
#include "strings/product_catalogue.h"
#include "transport/base64.h"

namespace recognition {

namespace {

// The products with a model id, in the order they are looked up.
constexpr std::array<int, 49> k_products_with_model_id = {
    0x4210, 0x4310, 0x4330, 0x4510, 0x4530, 0x4610, 0x2030, 0x4410, 0x4430, 0x5510, 0x5580, 0x5570, 0x5611,
    0x5610, 0x5612, 0x5620, 0x5621, 0x5520, 0x5526, 0x5720, 0x5530, 0x5532, 0x5550, 0x5710, 0x5524, 0x5536,
    0x5522, 0x3030, 0x3050, 0x3060, 0x3040, 0x5910, 0x5920, 0x5623, 0x5622, 0x5624, 0x6210, 0x6400, 0x3110,
    0x3116, 0x3118, 0x3112, 0x3114, 0x5410, 0x5412, 0x5414, 0x5420, 0x5418, 0x5416};

// Products whose persistent-store keys are reported 100 higher.
constexpr std::array<int, 8> k_products_with_shifted_keys = {0x4210, 0x4310, 0x4330, 0x4510,
                                                             0x4530, 0x2030, 0x4410, 0x4430};
constexpr int k_key_shift = 100;

// Interface language index 1..10 -> code; every other index is English.
constexpr std::array<const char*, 11> k_language_codes = {"en", "fr", "de", "it", "ja", "ko",
                                                          "es", "nl", "ru", "zh", "fi"};

bool contains(std::span<const int> ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

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
  if (!contains(k_products_with_model_id, device_target)) return std::nullopt;
  std::optional<std::string> name = ProductCatalogue::vyla_product_name(device_target);
  if (name) std::replace(name->begin(), name->end(), ' ', '_');
  return name;
}

std::string DeviceInfoReport::deviceInfoGetLanguage(int language) {
  const bool coded = language >= 1 && language < static_cast<int>(k_language_codes.size());
  return k_language_codes[coded ? static_cast<std::size_t>(language) : 0];
}

std::string DeviceInfoReport::deviceInfoGetPSKey(int key, int device_target) {
  const long long reported = contains(k_products_with_shifted_keys, device_target) ? key + 0LL + k_key_shift : key;
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
