#include "sim/models/dfu_model.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>

#include "platform/clock.h"
#include "sim/bus_state.h"

namespace sim {

namespace {

using std::chrono::milliseconds;

// bmRequestType of DFU requests: class request to an interface, either way.
constexpr std::uint8_t k_request_out = 0x21;
constexpr std::uint8_t k_request_in = 0xA1;
constexpr std::uint8_t k_request_7 = 7;
constexpr std::size_t k_status_bytes = 6;
// bmAttributes of the functional descriptor
constexpr std::uint8_t k_can_download = 0x01;
constexpr std::uint8_t k_can_upload = 0x02;
constexpr std::uint8_t k_manifestation_tolerant = 0x04;

Identity dfu_identity(const DfuModelOptions& options) {
  Identity identity;
  identity.descriptor.vendor_id = options.vendor_id;
  identity.descriptor.product_id = options.product_id;
  identity.descriptor.manufacturer = "Vexlink";
  identity.descriptor.product = "DFU device";
  identity.dfu = options.dfu;
  return identity;
}

bool run_time(const Identity& identity) { return identity.dfu && identity.dfu->run_time; }

}  // namespace

DfuModel::DfuModel(DfuModelOptions options) : Model(dfu_identity(options), options.faults), m_options(std::move(options)) {
  m_state = run_time(identity()) ? k_app_idle : k_dfu_idle;
}

std::vector<DfuModel::Block> DfuModel::blocks() const {
  std::lock_guard lock(Bus::mutex());
  return m_blocks;
}

std::vector<std::uint8_t> DfuModel::image() const {
  std::lock_guard lock(Bus::mutex());
  std::vector<std::uint8_t> joined;
  for (const Block& block : m_blocks) joined.insert(joined.end(), block.payload.begin(), block.payload.end());
  return joined;
}

std::uint8_t DfuModel::state() const {
  std::lock_guard lock(Bus::mutex());
  return m_state;
}

std::uint8_t DfuModel::status() const {
  std::lock_guard lock(Bus::mutex());
  return m_status;
}

int DfuModel::request_7_count() const {
  std::lock_guard lock(Bus::mutex());
  return m_request_7;
}

void DfuModel::on_arrival() {
  m_state = run_time(identity()) ? k_app_idle : k_dfu_idle;
  m_status = k_dfu_status_ok;
  m_busy_left = 0;
  m_upload_offset = 0;
}

void DfuModel::on_detach(milliseconds) { m_state = k_app_detach; }

int DfuModel::protocol_fault() {
  m_state = k_dfu_error;
  m_status = k_dfu_status_err_stalled_packet;
  return -1;
}

int cut_status_reply(const std::optional<ShortStatusReplies>& fault, const ControlSetup& setup, std::size_t blocks,
                     std::vector<std::uint8_t>& data, int result) {
  const bool status_request = setup.request == k_dfu_getstatus || setup.request == k_dfu_getstate;
  if (!fault || !status_request || result < 0 || blocks < static_cast<std::size_t>(std::max(fault->from_block, 0))) {
    return result;
  }
  data.resize(std::min(data.size(), fault->bytes));
  return static_cast<int>(data.size());
}

ShortStatusReplies& short_status_fault(std::optional<ShortStatusReplies>& option) {
  return option ? *option : option.emplace();
}

int DfuModel::on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  return cut_status_reply(m_options.short_status, setup, m_blocks.size(), data, answer(setup, data));
}

int DfuModel::answer(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  const Identity shown = identity();
  // only class requests to the DFU interface are DFU requests
  if ((setup.request_type != k_request_out && setup.request_type != k_request_in) || !shown.dfu ||
      setup.index != shown.dfu->interface_number) {
    return -1;
  }
  ++m_requests;
  if (m_options.fail_request && *m_options.fail_request == m_requests) return -1;
  const bool in = setup.device_to_host();
  const bool in_request =
      setup.request == k_dfu_upload || setup.request == k_dfu_getstatus || setup.request == k_dfu_getstate;
  if (in != in_request) return run_time(shown) ? -1 : protocol_fault();
  if (run_time(shown)) return run_time_request(setup, data);

  // a device that cannot answer before its poll time-out has passed
  const bool busy = (m_state == k_dfu_dnbusy || m_state == k_dfu_manifest) && platform::now() < m_busy_until;
  if (busy || m_state == k_dfu_manifest_wait_reset) return protocol_fault();
  switch (setup.request) {
    case k_dfu_dnload:
      return download(setup, data);
    case k_dfu_upload:
      return upload(setup, data);
    case k_dfu_getstatus:
      return get_status(data);
    case k_dfu_getstate:
      data.assign(1, m_state);
      return 1;
    case k_dfu_clrstatus:
      if (m_state != k_dfu_error) return protocol_fault();
      m_state = k_dfu_idle;
      m_status = k_dfu_status_ok;
      return 0;
    case k_dfu_abort:
      if (m_state != k_dfu_idle && m_state != k_dfu_dnload_idle && m_state != k_dfu_upload_idle) {
        return protocol_fault();
      }
      m_state = k_dfu_idle;
      return 0;
    case k_request_7:
      ++m_request_7;
      return 0;
    default:
      return protocol_fault();
  }
}

int DfuModel::run_time_request(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  switch (setup.request) {
    case k_dfu_detach:
      on_detach(milliseconds(setup.value));
      return 0;
    case k_dfu_getstatus:
      data = {m_status, 0, 0, 0, m_state, 0};
      data.resize(std::min<std::size_t>(data.size(), setup.length));
      return static_cast<int>(data.size());
    case k_dfu_getstate:
      data.assign(1, m_state);
      return 1;
    default:
      // run-time mode stalls what it does not take, and stays as it is
      return -1;
  }
}

int DfuModel::download(const ControlSetup& setup, const std::vector<std::uint8_t>& data) {
  if (m_state != k_dfu_idle && m_state != k_dfu_dnload_idle) return protocol_fault();
  if (setup.length == 0) {
    // the empty block ends the download; a download that has not begun cannot end
    if (m_state == k_dfu_idle) return protocol_fault();
    m_state = k_dfu_manifest_sync;
    return 0;
  }
  if ((m_options.dfu.attributes & k_can_download) == 0 || setup.length > m_options.dfu.transfer_size) {
    return protocol_fault();
  }
  m_blocks.push_back({setup.value, data});
  m_state = k_dfu_dnload_sync;
  m_busy_left = m_options.faults.busy_replies;
  return static_cast<int>(data.size());
}

int DfuModel::upload(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  if ((m_options.dfu.attributes & k_can_upload) == 0 || (m_state != k_dfu_idle && m_state != k_dfu_upload_idle)) {
    return protocol_fault();
  }
  if (m_state == k_dfu_idle) m_upload_offset = 0;
  const std::vector<std::uint8_t>& image = m_options.upload_image;
  const std::size_t bytes = std::min<std::size_t>(setup.length, image.size() - m_upload_offset);
  data.assign(image.begin() + static_cast<std::ptrdiff_t>(m_upload_offset),
              image.begin() + static_cast<std::ptrdiff_t>(m_upload_offset + bytes));
  m_upload_offset += bytes;
  // a short block is the last one
  m_state = bytes < setup.length ? k_dfu_idle : k_dfu_upload_idle;
  return static_cast<int>(bytes);
}

int DfuModel::get_status(std::vector<std::uint8_t>& data) {
  std::uint32_t poll_ms = 0;
  const auto busy_for_a_poll = [&] {
    poll_ms = m_options.poll_timeout_ms;
    m_busy_until = platform::now() + milliseconds(poll_ms);
  };
  switch (m_state) {
    case k_dfu_dnload_sync:
      if (m_options.error_after_block && *m_options.error_after_block == static_cast<int>(m_blocks.size())) {
        m_state = k_dfu_error;
        m_status = m_options.error_status;
        break;
      }
      m_state = k_dfu_dnbusy;
      busy_for_a_poll();
      break;
    case k_dfu_dnbusy:
      if (m_options.faults.busy_forever || m_busy_left > 0) {
        --m_busy_left;
        busy_for_a_poll();
      } else {
        m_state = k_dfu_dnload_idle;
      }
      break;
    case k_dfu_manifest_sync:
      m_state = k_dfu_manifest;
      busy_for_a_poll();
      break;
    case k_dfu_manifest:
      m_state = (m_options.dfu.attributes & k_manifestation_tolerant) != 0 ? k_dfu_idle : k_dfu_manifest_wait_reset;
      break;
    default:
      break;
  }
  const std::uint8_t status = m_options.faults.fail_status.value_or(m_status);
  data = {status, static_cast<std::uint8_t>(poll_ms), static_cast<std::uint8_t>(poll_ms >> 8),
          static_cast<std::uint8_t>(poll_ms >> 16), m_state, 0};
  data.resize(k_status_bytes);
  return static_cast<int>(data.size());
}

std::shared_ptr<Model> make_dfu_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                      std::string& error) {
  DfuModelOptions model_options;
  model_options.product_id = product_id;
  Faults& faults = model_options.faults;
  for (const ModelOption& option : options) {
    const std::string& key = option.key;
    const std::string& value = option.value;
    unsigned long number = 0;
    const bool numeric = parse_option_number(value, 0xFFFFFF, number);
    bool taken = true;
    if (value.empty()) {
      if (key == "runtime") model_options.dfu.run_time = true;
      else if (key == "stall") faults.write_error = faults.read_error = true;
      else if (key == "refuse") faults.refuse_open = true;
      else if (key == "nodescriptor") faults.descriptor_error = true;
      else taken = false;
    } else if (key == "busy" && value == "forever") {
      faults.busy_forever = true;
    } else if (key == "claim" && (value == "ebusy" || value == "enoent")) {
      faults.claim_errno = value == "ebusy" ? EBUSY : ENOENT;
    } else if (!numeric) {
      taken = false;
    } else if (key == "protocol" && number <= 0xFF) {
      model_options.dfu.protocol = static_cast<std::uint8_t>(number);
    } else if (key == "interface" && number <= 0xFF) {
      model_options.dfu.interface_number = static_cast<int>(number);
    } else if (key == "poll") {
      model_options.poll_timeout_ms = static_cast<std::uint32_t>(number);
    } else if (key == "busy") {
      faults.busy_replies = static_cast<int>(number);
    } else if (key == "error_at") {
      model_options.error_after_block = static_cast<int>(number);
    } else if (key == "status" && number <= 0xFF) {
      faults.fail_status = static_cast<std::uint8_t>(number);
    } else if (key == "fail") {
      model_options.fail_request = static_cast<int>(number);
    } else if (key == "claimfailures") {
      faults.claim_failures = static_cast<int>(number);
    } else if (key == "shortstatus") {
      short_status_fault(model_options.short_status).bytes = number;
    } else if (key == "shortfrom") {
      short_status_fault(model_options.short_status).from_block = static_cast<int>(number);
    } else {
      taken = false;
    }
    if (!taken) {
      error = "bad dfu option \"" + key + (value.empty() ? "" : "=" + value) + "\"";
      return nullptr;
    }
  }
  return std::make_shared<DfuModel>(std::move(model_options));
}

}  // namespace sim
