#include "sim/models/bluecore_model.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <utility>

#include "sim/bus_state.h"

namespace sim {

namespace {

constexpr std::uint16_t k_vendor_id = 0xF3A7;
constexpr std::uint16_t k_firmware_management_bit = 0x8000;
// HCI command to the device on the default control pipe, vendor opcode 0xFC00.
constexpr std::uint8_t k_hci_command_request_type = 0x20;
constexpr std::uint16_t k_hci_vendor_opcode = 0xFC00;
constexpr std::uint8_t k_hci_vendor_event = 0xFF;
constexpr std::uint8_t k_bccmd_channel = 0xC2;
constexpr std::uint16_t k_getreq = 0;
constexpr std::uint16_t k_getresp = 1;
constexpr std::uint16_t k_setreq = 2;
constexpr std::uint16_t k_varid_ps_size = 0x3006;
constexpr std::uint16_t k_varid_ps = 0x7003;
constexpr std::size_t k_packet_header_bytes = 14;
constexpr std::size_t k_message_header_words = 5;
constexpr std::size_t k_ps_header_bytes = 6;
constexpr std::uint8_t k_noise_byte = 0xEE;

std::uint16_t le16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (offset + 1 >= bytes.size()) return 0;
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

void put_le16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
  if (offset + 1 >= bytes.size()) return;
  bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void append_le16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

bool reset_or_halt(std::uint16_t varid) { return varid >= 0x4001 && varid <= 0x4004; }

// What the device shows: the HCI interface; in firmware-management mode (and
// for the products that keep a run-time DFU interface) a DFU interface too.
Identity bluecore_identity(std::uint16_t product_id) {
  Identity identity;
  DeviceDescriptor& descriptor = identity.descriptor;
  const bool management_mode = (product_id & k_firmware_management_bit) != 0;
  descriptor.vendor_id = k_vendor_id;
  descriptor.product_id = product_id;
  // wireless controller, RF, Bluetooth; a DFU-mode device names its class per interface
  descriptor.device_class = management_mode ? 0x00 : 0xE0;
  descriptor.device_subclass = management_mode ? 0x00 : 0x01;
  descriptor.device_protocol = management_mode ? 0x00 : 0x01;
  descriptor.manufacturer = "Vexlink";
  descriptor.product = "BlueCore device";
  identity.bluecore = BlueCoreInterface{};
  if (management_mode) {
    identity.dfu = DfuInterface{};
  } else if (product_id == 0x6021 || product_id == 0x6023 || product_id == 0x6025) {
    identity.dfu = DfuInterface{.interface_number = 1, .run_time = true};
  }
  return identity;
}

}  // namespace

std::uint16_t BccmdRequest::key() const { return le16(payload, 0); }

std::optional<BccmdRequest> parse_bccmd_request(std::span<const std::uint8_t> packet) {
  if (packet.size() < k_packet_header_bytes || le16(packet, 0) != k_hci_vendor_opcode ||
      packet[3] != k_bccmd_channel) {
    return std::nullopt;
  }
  BccmdRequest request;
  request.type = le16(packet, 4);
  request.words = le16(packet, 6);
  request.sequence = le16(packet, 8);
  request.varid = le16(packet, 10);
  const std::size_t declared = request.words > k_message_header_words ? 2u * (request.words - k_message_header_words) : 0;
  const std::size_t carried = std::min(declared, packet.size() - k_packet_header_bytes);
  request.payload.assign(packet.begin() + k_packet_header_bytes,
                         packet.begin() + static_cast<std::ptrdiff_t>(k_packet_header_bytes + carried));
  return request;
}

BlueCoreModel::BlueCoreModel(BlueCoreModelOptions options)
    : Model(bluecore_identity(options.product_id), options.faults), m_options(std::move(options)) {}

std::optional<std::vector<std::uint16_t>> BlueCoreModel::ps_key(std::uint16_t key) const {
  std::lock_guard lock(Bus::mutex());
  const auto found = m_options.ps_keys.find(key);
  if (found == m_options.ps_keys.end()) return std::nullopt;
  return found->second;
}

void BlueCoreModel::set_ps_key(std::uint16_t key, std::vector<std::uint16_t> words) {
  std::lock_guard lock(Bus::mutex());
  m_options.ps_keys[key] = std::move(words);
}

void BlueCoreModel::set_failing_keys(std::set<std::uint16_t> keys) {
  std::lock_guard lock(Bus::mutex());
  m_options.failing_keys = std::move(keys);
}

void BlueCoreModel::set_refused_writes(std::set<std::uint16_t> keys) {
  std::lock_guard lock(Bus::mutex());
  m_options.refused_writes = std::move(keys);
}

std::vector<PsWrite> BlueCoreModel::ps_writes() const {
  std::lock_guard lock(Bus::mutex());
  return m_ps_writes;
}

std::vector<BccmdRequest> BlueCoreModel::take_requests() {
  std::vector<BccmdRequest> requests;
  for (const ReceivedReport& report : take_received()) {
    if (report.kind != TrafficKind::control) continue;
    if (std::optional<BccmdRequest> request = parse_bccmd_request(report.bytes)) requests.push_back(*request);
  }
  return requests;
}

int BlueCoreModel::on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  if (setup.request_type != k_hci_command_request_type || setup.request != 0) return -1;
  const std::optional<BccmdRequest> request = parse_bccmd_request(data);
  if (!request) return -1;
  if (m_options.faults.silent || reset_or_halt(request->varid)) return static_cast<int>(data.size());
  std::vector<std::uint8_t> payload = request->payload;
  const std::uint16_t status = answer(*request, payload);
  send_event(*request, status, payload);
  return static_cast<int>(data.size());
}

// Fills the answer's payload (the request's, updated) and returns its status.
std::uint16_t BlueCoreModel::answer(const BccmdRequest& request, std::vector<std::uint8_t>& payload) {
  const bool persistent_store = request.varid == k_varid_ps_size || request.varid == k_varid_ps;
  if (!persistent_store || (request.type != k_getreq && request.type != k_setreq)) return k_bccmd_no_such_varid;
  if (request.type == k_setreq && request.varid == k_varid_ps_size) return k_bccmd_no_such_varid;
  const std::uint16_t key = request.key();
  if (m_options.failing_keys.contains(key)) return k_bccmd_error;

  if (request.type == k_setreq) {
    if (m_options.refused_writes.contains(key)) return k_bccmd_error;
    const std::size_t fitting = payload.size() > k_ps_header_bytes ? (payload.size() - k_ps_header_bytes) / 2 : 0;
    const std::size_t count = std::min<std::size_t>(le16(payload, 2), fitting);
    std::vector<std::uint16_t> words;
    for (std::size_t i = 0; i < count; ++i) words.push_back(le16(payload, k_ps_header_bytes + 2 * i));
    m_options.ps_keys[key] = words;
    m_ps_writes.push_back({key, std::move(words)});
    return k_bccmd_ok;
  }

  const auto found = m_options.ps_keys.find(key);
  if (found == m_options.ps_keys.end()) return k_bccmd_no_value;
  const std::vector<std::uint16_t>& words = found->second;
  if (request.varid == k_varid_ps_size) {
    put_le16(payload, 2, static_cast<std::uint16_t>(words.size()));
    return k_bccmd_ok;
  }
  // as many words as asked for and the payload holds; a shorter key reads 0 beyond its end
  const std::size_t asked = le16(payload, 2);
  for (std::size_t i = 0; i < asked; ++i) {
    put_le16(payload, k_ps_header_bytes + 2 * i, i < words.size() ? words[i] : 0);
  }
  return k_bccmd_ok;
}

void BlueCoreModel::send_event(const BccmdRequest& request, std::uint16_t status,
                               const std::vector<std::uint8_t>& payload) {
  const std::size_t words = k_message_header_words + (payload.size() + 1) / 2;
  std::vector<std::uint8_t> event{k_hci_vendor_event, static_cast<std::uint8_t>(2 * words + 1), k_bccmd_channel};
  append_le16(event, k_getresp);
  append_le16(event, static_cast<std::uint16_t>(words));
  append_le16(event, request.sequence);
  append_le16(event, request.varid);
  append_le16(event, status);
  for (std::uint8_t byte : payload) event.push_back(byte);
  event.resize(3 + 2 * words, 0);
  event.resize(event.size() + static_cast<std::size_t>(std::max(0, m_options.oversized_bytes)), k_noise_byte);

  const int interface_number = identity().bluecore->interface_number;
  const std::size_t piece =
      m_options.event_piece_bytes > 0 ? static_cast<std::size_t>(m_options.event_piece_bytes) : event.size();
  for (std::size_t at = 0; at < event.size(); at += piece) {
    const std::size_t end = std::min(event.size(), at + piece);
    queue_input_report(interface_number, {event.begin() + static_cast<std::ptrdiff_t>(at),
                                          event.begin() + static_cast<std::ptrdiff_t>(end)});
  }
  for (int i = 0; i < m_options.extra_events; ++i) queue_stray_event();
}

void BlueCoreModel::queue_stray_event() {
  // a vendor event of the debug channel, which no answer is
  queue_input_report(identity().bluecore->interface_number, {k_hci_vendor_event, 3, 0x14, 'd', 'b'});
}

std::vector<std::uint16_t> bdaddr_key(std::uint32_t lap, std::uint8_t uap, std::uint16_t nap) {
  return {static_cast<std::uint16_t>((lap >> 16) & 0xFF), static_cast<std::uint16_t>(lap & 0xFFFF), uap, nap};
}

std::vector<std::uint16_t> text_key(std::string_view text) {
  std::vector<std::uint16_t> words;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const auto low = static_cast<std::uint8_t>(text[i]);
    const auto high = i + 1 < text.size() ? static_cast<std::uint8_t>(text[i + 1]) : 0;
    words.push_back(static_cast<std::uint16_t>(low | high << 8));
  }
  return words;
}

std::vector<std::uint16_t> version_record_key(std::uint16_t version, std::uint8_t secondary_type,
                                              std::uint8_t secondary) {
  return {version, static_cast<std::uint16_t>(secondary_type << 8 | secondary)};
}

std::vector<std::uint16_t> speed_dial_key(std::string_view number) {
  std::vector<std::uint16_t> words(20, 0);
  for (std::size_t i = 0; i < number.size() && i < words.size(); ++i) words[i] = static_cast<std::uint8_t>(number[i]);
  return words;
}

namespace {

BlueCoreModelOptions reporting(std::uint16_t product_id, std::uint16_t reported_id, std::string_view name,
                               std::uint32_t lap) {
  BlueCoreModelOptions options;
  options.product_id = product_id;
  options.ps_keys[k_ps_product_id] = {reported_id};
  options.ps_keys[k_ps_device_name] = text_key(name);
  options.ps_keys[k_ps_bdaddr] = bdaddr_key(lap);
  return options;
}

}  // namespace

BlueCoreModelOptions bluecore_fixture_4d10() {
  BlueCoreModelOptions options = reporting(0x4D10, 0x4D10, "XA9", 0x2C9BD0);
  options.ps_keys[k_ps_version_record] = version_record_key(43);
  options.ps_keys[k_ps_version] = {43, 0};
  // handsfree and intercom VOX, EDR, PLC, microphone boost; bit 8 (sidetone) counts only from 5.0
  options.ps_keys[654] = {0x0157, 0};
  options.ps_keys[8832] = speed_dial_key("0123456789");
  options.ps_keys[8833] = speed_dial_key("+4930123");
  options.ps_keys[8834] = speed_dial_key("");
  return options;
}

BlueCoreModelOptions bluecore_fixture_5040() {
  BlueCoreModelOptions options = reporting(0x5040, 0x5040, "XP9-FM", 0x2DE43E);
  options.ps_keys[k_ps_version_record] = version_record_key(42);
  options.ps_keys[654] = {0x003C, 0};
  // magic, current 94.5 MHz, preset 2, ten presets, RDS on, region 2
  options.ps_keys[671] = {0x56E9, 9450, 2, 8750, 8810, 9450, 9910, 10170, 10790, 0, 0, 0, 0, 1, 2};
  return options;
}

BlueCoreModelOptions bluecore_fixture_5210() {
  BlueCoreModelOptions options = reporting(0x5210, 0x5210, "SR5", 0x300001);
  options.ps_keys[684] = {15};
  options.ps_keys[682] = {30000};
  return options;
}

BlueCoreModelOptions bluecore_fixture_4d35() {
  BlueCoreModelOptions options = reporting(0x4D35, 0x4D35, "XA5", 0x2DD49F);
  options.ps_keys[654] = {0x0013, 0};
  return options;
}

BlueCoreModelOptions bluecore_fixture_3020() {
  BlueCoreModelOptions options = reporting(0x3020, 0x3020, "OPTRA", 0x410203);
  // secondary number, secondary type, minor, major: one byte each
  options.ps_keys[k_ps_version_record] = {0x0203, 0x0105};
  return options;
}

std::array<BlueCoreModelOptions, 2> bluecore_fixture_5310_pair() {
  return {reporting(0x5310, 0x5310, "SR10", 0x111111), reporting(0x5310, 0x5310, "SR10", 0x222222)};
}

BlueCoreModelOptions bluecore_fixture_cd10() {
  BlueCoreModelOptions options;
  options.product_id = 0xCD10;
  return options;
}

BlueCoreModelOptions bluecore_fixture_e020() {
  BlueCoreModelOptions options;
  options.product_id = 0xE020;
  return options;
}

BlueCoreModelOptions bluecore_fixture_6021() { return reporting(0x6021, 0x6020, "Y350R", 0x500001); }

BlueCoreModelOptions bluecore_fixture_of(std::uint16_t product_id) {
  switch (product_id) {
    case 0x4D10: return bluecore_fixture_4d10();
    case 0x5040: return bluecore_fixture_5040();
    case 0x5210: return bluecore_fixture_5210();
    case 0x4D35: return bluecore_fixture_4d35();
    case 0x3020: return bluecore_fixture_3020();
    case 0x5310: return bluecore_fixture_5310_pair()[0];
    case 0x6021: return bluecore_fixture_6021();
    default: break;
  }
  BlueCoreModelOptions options;
  options.product_id = product_id;
  if ((product_id & k_firmware_management_bit) == 0) options.ps_keys[k_ps_product_id] = {product_id};
  return options;
}

namespace {

bool parse_number(const std::string& text, unsigned long maximum, unsigned long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtoul(text.c_str(), &end, 0);
  return *end == '\0' && text[0] != '-' && value <= maximum;
}

bool parse_words(const std::string& text, std::vector<std::uint16_t>& words) {
  words.clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = text.find(':', start);
    unsigned long word = 0;
    if (!parse_number(text.substr(start, colon - start), 0xFFFF, word)) return false;
    words.push_back(static_cast<std::uint16_t>(word));
    if (colon == std::string::npos) return true;
    start = colon + 1;
  }
}

bool apply_option(const ModelOption& option, BlueCoreModelOptions& options) {
  Faults& faults = options.faults;
  const std::string& value = option.value;
  unsigned long number = 0;
  if (value.empty()) {
    if (option.key == "silent") faults.silent = true;
    else if (option.key == "stall") faults.write_error = true;
    else if (option.key == "refuse") faults.refuse_open = true;
    else if (option.key == "nodescriptor") faults.descriptor_error = true;
    else return false;
    return true;
  }
  if (option.key == "pid" && value == "none") {
    options.ps_keys.erase(k_ps_product_id);
    return true;
  }
  if (option.key == "name") {
    options.ps_keys[k_ps_device_name] = text_key(value);
    return true;
  }
  if (option.key == "fw") {
    const std::size_t dot = value.find('.');
    unsigned long major = 0, minor = 0;
    if (dot == std::string::npos || !parse_number(value.substr(0, dot), 6553, major) ||
        !parse_number(value.substr(dot + 1), 9, minor)) {
      return false;
    }
    options.ps_keys[k_ps_version_record] = version_record_key(static_cast<std::uint16_t>(major * 10 + minor));
    return true;
  }
  if (option.key == "claim") {
    if (value == "ebusy") faults.claim_errno = EBUSY;
    else if (value == "enoent") faults.claim_errno = ENOENT;
    else return false;
    return true;
  }
  if (option.key.starts_with("ps")) {
    unsigned long key = 0;
    std::vector<std::uint16_t> words;
    if (!parse_number(option.key.substr(2), 0xFFFF, key) || !parse_words(value, words)) return false;
    options.ps_keys[static_cast<std::uint16_t>(key)] = std::move(words);
    return true;
  }
  if (!parse_number(value, 0xFFFFFF, number)) return false;
  if (option.key == "pid" && number <= 0xFFFF) options.ps_keys[k_ps_product_id] = {static_cast<std::uint16_t>(number)};
  else if (option.key == "address") options.ps_keys[k_ps_bdaddr] = bdaddr_key(static_cast<std::uint32_t>(number));
  else if (option.key == "failkey" && number <= 0xFFFF) options.failing_keys.insert(static_cast<std::uint16_t>(number));
  else if (option.key == "refusekey" && number <= 0xFFFF) {
    options.refused_writes.insert(static_cast<std::uint16_t>(number));
  }
  else if (option.key == "short") faults.short_reply_bytes = static_cast<int>(number);
  else if (option.key == "pieces") options.event_piece_bytes = static_cast<int>(number);
  else if (option.key == "extra") options.extra_events = static_cast<int>(number);
  else if (option.key == "oversize") options.oversized_bytes = static_cast<int>(number);
  else if (option.key == "claimfailures") faults.claim_failures = static_cast<int>(number);
  else return false;
  return true;
}

}  // namespace

std::shared_ptr<Model> make_bluecore_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                           std::string& error) {
  BlueCoreModelOptions model_options = bluecore_fixture_of(product_id);
  for (const ModelOption& option : options) {
    if (!apply_option(option, model_options)) {
      error = "bad bluecore option \"" + option.key + (option.value.empty() ? "" : "=" + option.value) + "\"";
      return nullptr;
    }
  }
  return std::make_shared<BlueCoreModel>(std::move(model_options));
}

}  // namespace sim
