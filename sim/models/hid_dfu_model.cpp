#include "sim/models/hid_dfu_model.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "sim/bus_state.h"

namespace sim {

namespace {

constexpr std::uint16_t k_vendor_id = 0xF3A7;
constexpr std::uint8_t k_report_download = 1;
constexpr std::uint8_t k_report_status = 2;
constexpr std::uint8_t k_report_control = 3;
constexpr std::uint8_t k_request_download = 1;
constexpr std::uint8_t k_request_clear_status = 4;
constexpr std::uint8_t k_request_abort = 0xFF;
constexpr std::size_t k_download_header_bytes = 6;
constexpr std::size_t k_status_bytes = 7;
constexpr std::uint8_t k_state_idle = 2;
constexpr std::uint8_t k_state_download_busy = 4;
constexpr std::uint8_t k_state_download_idle = 5;
constexpr std::uint8_t k_state_error = 10;
constexpr std::uint8_t k_status_ok = 0;
constexpr std::uint8_t k_status_unknown_error = 0x0E;  // errUNKNOWN
constexpr std::uint8_t k_status_stalled = 0x0F;        // errSTALLEDPKT

Identity dfu_identity(const HidDfuModelOptions& options) {
  Identity identity;
  identity.descriptor.vendor_id = k_vendor_id;
  identity.descriptor.product_id = options.product_id;
  identity.descriptor.manufacturer = "Vexlink";
  identity.descriptor.product = "HID DFU";
  identity.hid = options.collections;
  return identity;
}

bool parse_number(const std::string& text, long& number) {
  if (text.empty()) return false;
  char* end = nullptr;
  number = std::strtol(text.c_str(), &end, 0);
  return *end == '\0' && number >= 0;
}

}  // namespace

HidDfuModel::HidDfuModel(HidDfuModelOptions options)
    : Model(dfu_identity(options), options.faults), m_options(std::move(options)) {}

std::vector<HidDfuModel::Block> HidDfuModel::blocks() const {
  std::lock_guard lock(Bus::mutex());
  return m_blocks;
}

std::vector<std::uint8_t> HidDfuModel::image() const {
  std::lock_guard lock(Bus::mutex());
  std::vector<std::uint8_t> joined;
  for (const Block& block : m_blocks) joined.insert(joined.end(), block.payload.begin(), block.payload.end());
  return joined;
}

int HidDfuModel::status_polls() const {
  std::lock_guard lock(Bus::mutex());
  return m_polls;
}

int HidDfuModel::clear_status_requests() const {
  std::lock_guard lock(Bus::mutex());
  return m_clear_status;
}

int HidDfuModel::abort_requests() const {
  std::lock_guard lock(Bus::mutex());
  return m_aborts;
}

std::uint8_t HidDfuModel::state() const {
  std::lock_guard lock(Bus::mutex());
  return m_state;
}

int HidDfuModel::on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  if ((setup.value >> 8) != k_hid_feature_report) return -1;
  ++m_reports;
  if (m_options.fail_report && *m_options.fail_report == m_reports) return -1;
  const auto report_id = static_cast<std::uint8_t>(setup.value & 0xFF);
  if (setup.device_to_host()) return report_id == k_report_status ? get_status(data) : -1;
  return setup.request == k_hid_set_report ? set_report(data) : -1;
}

int HidDfuModel::set_report(const std::vector<std::uint8_t>& report) {
  if (report.size() < 2) return -1;
  if (report[0] == k_report_control) {
    if (report[1] == k_request_clear_status) {
      ++m_clear_status;
      if (!m_options.clear_status_fails) {
        m_state = k_state_idle;
        m_status = k_status_ok;
      }
      return static_cast<int>(report.size());
    }
    if (report[1] == k_request_abort) {
      ++m_aborts;
      if (m_state != k_state_error) m_state = k_state_idle;
      return static_cast<int>(report.size());
    }
    return -1;
  }
  if (report[0] != k_report_download || report[1] != k_request_download || report.size() < k_download_header_bytes) {
    return -1;
  }
  // a block sent while the device is busy or in error is a protocol fault
  if (m_state != k_state_idle && m_state != k_state_download_idle) {
    m_state = k_state_error;
    m_status = k_status_stalled;
    return static_cast<int>(report.size());
  }
  Block block;
  block.number = static_cast<std::uint16_t>(report[2] | report[3] << 8);
  const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(report[4] | report[5] << 8),
                                                   report.size() - k_download_header_bytes);
  block.payload.assign(report.begin() + k_download_header_bytes,
                       report.begin() + static_cast<std::ptrdiff_t>(k_download_header_bytes + length));
  m_blocks.push_back(std::move(block));
  if (length == 0) {
    // the empty block ends the download: the device takes the image and is idle again
    m_state = k_state_idle;
    return static_cast<int>(report.size());
  }
  m_busy_left = m_options.busy_polls;
  m_state = m_busy_left > 0 ? k_state_download_busy : m_options.state_after_block.value_or(k_state_download_idle);
  return static_cast<int>(report.size());
}

int HidDfuModel::get_status(std::vector<std::uint8_t>& data) {
  ++m_polls;
  if (m_options.error_at_poll && *m_options.error_at_poll == m_polls) {
    m_state = k_state_error;
    m_status = k_status_unknown_error;
  }
  const std::uint32_t timeout = m_options.poll_timeout_ms;
  data = {k_report_status, m_status, static_cast<std::uint8_t>(timeout), static_cast<std::uint8_t>(timeout >> 8),
          static_cast<std::uint8_t>(timeout >> 16), m_state, 0};
  if (m_state == k_state_download_busy && --m_busy_left <= 0) {
    m_state = m_options.state_after_block.value_or(k_state_download_idle);
  }
  data.resize(std::min<std::size_t>(data.size(), k_status_bytes));
  return static_cast<int>(data.size());
}

std::shared_ptr<Model> make_hid_dfu_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                          std::string& error) {
  HidDfuModelOptions model_options;
  model_options.product_id = product_id;
  for (const ModelOption& option : options) {
    long number = 0;
    const bool valid = parse_number(option.value, number);
    if (valid && option.key == "busy") model_options.busy_polls = static_cast<int>(number);
    else if (valid && option.key == "error_at") model_options.error_at_poll = static_cast<int>(number);
    else if (valid && option.key == "poll") model_options.poll_timeout_ms = static_cast<std::uint32_t>(number);
    else if (valid && option.key == "fail_report") model_options.fail_report = static_cast<int>(number);
    else {
      error = "bad hiddfu option \"" + option.key + (option.value.empty() ? "" : "=" + option.value) + "\"";
      return nullptr;
    }
  }
  return std::make_shared<HidDfuModel>(std::move(model_options));
}

}  // namespace sim
