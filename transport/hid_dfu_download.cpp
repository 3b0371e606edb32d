#include "transport/hid_dfu_download.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/format.h"
#include "platform/log.h"
#include "transport/byte_order.h"
#include "transport/crc.h"

namespace {

using std::chrono::milliseconds;

constexpr unsigned char k_report_download = 1;
constexpr unsigned char k_report_status = 2;
constexpr unsigned char k_report_control = 3;
constexpr unsigned char k_request_download = 1;
constexpr unsigned char k_request_clear_status = 4;
constexpr std::size_t k_status_report_bytes = 7;
constexpr std::size_t k_suffix_bytes = 16;
constexpr std::size_t k_crc_bytes = 4;
constexpr std::size_t k_payload_count_at = 10;  // file bytes 10-13
constexpr std::size_t k_payload_at = 6;
constexpr std::uint16_t k_dfu_version = 0x0100;
// A failed status poll is tried again after this, within the poll time-out.
constexpr milliseconds k_status_retry_interval{1};

// bwPollTimeout of the last status the device gave, in ms.
std::atomic<std::uint32_t> g_poll_timeout_ms{0};
thread_local std::uint32_t t_crc32_accumulator = 0xFFFFFFFFu;

// Console lines keep the device tool's wording; platform::console ends the line.
template <class... Args>
void console_text(std::string_view format, const Args&... args) {
  std::string text = platform::format(format, args...);
  if (!text.empty() && text.back() == '\n') text.pop_back();
  platform::console(text);
}

milliseconds poll_timeout() { return milliseconds(g_poll_timeout_ms.load()); }

// Polls GETSTATUS, trying a failed poll again until the poll time-out has passed.
int poll_status(hid_device* handle, std::uint8_t& status, std::uint8_t& state) {
  const auto start = platform::now();
  for (;;) {
    if (hid_dfu_get_status(handle, status, state) == 0) return 0;
    if (platform::now() - start >= poll_timeout()) return -12;
    platform::sleep_for(k_status_retry_interval);
  }
}

int send_clear_status(hid_device* handle) {
  const unsigned char report[2] = {k_report_control, k_request_clear_status};
  return hid_send_feature_report(handle, report, sizeof report) < 0 ? -15 : 0;
}

// Reads up to `length` payload bytes from the file into the report.
bool read_payload(std::FILE* file, hid_dfu_report& report, std::size_t length) {
  return std::fread(report.data() + k_payload_at, 1, length, file) == length;
}

// Checks the suffix and CRC, then sends the payload block by block.
int send_file(hid_device* handle, std::FILE* file, std::size_t file_bytes) {
  unsigned char suffix[k_suffix_bytes];
  if (std::fseek(file, static_cast<long>(file_bytes - k_suffix_bytes), SEEK_SET) != 0 ||
      std::fread(suffix, 1, sizeof suffix, file) != sizeof suffix) {
    platform::console("failed to read");
    return -1;
  }
  const std::size_t suffix_length = suffix[11];
  const auto dfu_version = static_cast<std::uint16_t>(suffix[6] | suffix[7] << 8);
  if (suffix_length < k_suffix_bytes || suffix_length > file_bytes || std::memcmp(suffix + 8, "UFD", 3) != 0 ||
      dfu_version != k_dfu_version) {
    platform::console("file suffix is invalid");
    return -1;
  }

  // CRC of everything before the CRC field
  std::rewind(file);
  std::uint32_t crc = 0xFFFFFFFFu;
  std::uint8_t chunk[4096];
  for (std::size_t left = file_bytes - k_crc_bytes; left > 0;) {
    const std::size_t length = std::min(left, sizeof chunk);
    if (std::fread(chunk, 1, length, file) != length) {
      platform::console("read failed");
      return -7;
    }
    crc = transport::crc32_jamcrc({chunk, length}, crc);
    left -= length;
  }
  const std::uint32_t stored = transport::load_le32(suffix + 12);
  console_text("CRC %X %X \n", crc, stored);
  if (crc != stored) return -6;

  platform::console("Clear CRC");
  std::rewind(file);
  hid_dfu_report report{};
  const std::size_t first_read = std::min(transport::k_hid_dfu_block_payload, file_bytes);
  if (!read_payload(file, report, first_read)) {
    platform::console("read_failed");
    return -7;
  }
  std::uint32_t remaining = transport::load_le32(report.data() + k_payload_at + k_payload_count_at);
  // the payload must lie within the file, so nothing is sent of a file that cannot be sent whole
  if (remaining > file_bytes) {
    platform::console("read_failed");
    return -7;
  }
  std::uint16_t block_number = 0;

  int result = hid_dfu_wait_status(handle, false);
  if (result == -16) {
    platform::console("CLRSTATUS");
    if (send_clear_status(handle) != 0) return -15;
    result = hid_dfu_wait_status(handle, false);
  }
  if (result != 0) return result;

  result = hid_dfu_send_block(handle, transport::k_hid_dfu_block_payload, report, remaining, block_number);
  while (result == 0 && remaining > 0) {
    result = hid_dfu_wait_status(handle, false);
    if (result != 0) break;
    report.fill(0);
    if (!read_payload(file, report, std::min<std::size_t>(transport::k_hid_dfu_block_payload, remaining))) {
      platform::console("read failed");
      return -7;
    }
    result = hid_dfu_send_block(handle, transport::k_hid_dfu_block_payload, report, remaining, block_number);
  }
  if (result != 0) return result;

  platform::console("\nComplete");
  result = hid_dfu_wait_status(handle, false);
  if (result != 0) return result;
  // an empty block ends the download
  report.fill(0);
  std::uint32_t nothing = 0;
  if (hid_dfu_send_block(handle, 0, report, nothing, block_number) != 0) {
    platform::console("write device failed");
    return -12;
  }
  return hid_dfu_wait_status(handle, true);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

int hid_dfu_download_file(hid_device* handle, const char* path) {
  std::unique_ptr<std::FILE, FileCloser> file(path == nullptr ? nullptr : std::fopen(path, "rb"));
  if (!file) {
    platform::console("no file");
    return -1;
  }
  long file_bytes = -1;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) file_bytes = std::ftell(file.get());
  if (file_bytes < static_cast<long>(k_suffix_bytes)) {
    platform::console("file too short");
    return -1;
  }
  const int result = send_file(handle, file.get(), static_cast<std::size_t>(file_bytes));
  console_text("Finished (%s %d)\n", result == 0 ? "noerr" : "err", result);
  return result;
}

int hid_dfu_get_status(hid_device* handle, std::uint8_t& status, std::uint8_t& state) {
  unsigned char report[k_status_report_bytes] = {k_report_status};
  // a short report would leave stale bytes in the fields
  if (handle == nullptr ||
      hid_get_feature_report(handle, report, sizeof report) < static_cast<int>(k_status_report_bytes)) {
    platform::console("failed to get status");
    return -12;
  }
  status = report[1];
  g_poll_timeout_ms = static_cast<std::uint32_t>(report[2]) | static_cast<std::uint32_t>(report[3]) << 8 |
                      static_cast<std::uint32_t>(report[4]) << 16;
  state = report[5];
  return 0;
}

int hid_dfu_wait_status(hid_device* handle, bool final_wait) {
  if (final_wait) platform::sleep_for(poll_timeout());
  const int rounds = final_wait ? 1 : 2;
  for (int round = 1;; ++round) {
    const auto start = platform::now();
    std::uint8_t status = 0;
    std::uint8_t state = 0;
    if (poll_status(handle, status, state) != 0) return -12;
    if (status == 0 && state == transport::k_dfu_state_download_busy) {
      if (round >= rounds) return -14;
      const auto spent = std::chrono::duration_cast<milliseconds>(platform::now() - start);
      platform::sleep_for(std::max(milliseconds(0), poll_timeout() - spent));
      continue;
    }
    if (state == transport::k_dfu_state_error) return -16;
    if (status == 0 && (state == transport::k_dfu_state_app_idle || state == transport::k_dfu_state_idle ||
                        state == transport::k_dfu_state_download_idle)) {
      return 0;
    }
    console_text("\nstatus %d / state = %d\n", status, state);
    return -8;
  }
}

int hid_dfu_send_block(hid_device* handle, std::size_t block_payload, hid_dfu_report& report,
                       std::uint32_t& remaining, std::uint16_t& block_number) {
  // never more than the report carries
  const std::size_t length =
      std::min({block_payload, static_cast<std::size_t>(remaining), transport::k_hid_dfu_block_payload});
  report[0] = k_report_download;
  report[1] = k_request_download;
  report[2] = static_cast<unsigned char>(block_number & 0xFF);
  report[3] = static_cast<unsigned char>(block_number >> 8);
  report[4] = static_cast<unsigned char>(length & 0xFF);
  report[5] = static_cast<unsigned char>(length >> 8);
  if (handle == nullptr || hid_send_feature_report(handle, report.data(), report.size()) < 0) {
    platform::console("SetFeature error");
    return -12;
  }
  remaining -= static_cast<std::uint32_t>(length);
  ++block_number;
  return 0;
}

int hid_dfu_send_ff(hid_device* handle) {
  const unsigned char report[2] = {k_report_control, 0xFF};
  if (handle == nullptr || hid_send_feature_report(handle, report, sizeof report) < 0) return -9;
  return 0;
}

void hid_dfu_crc32_set(std::uint32_t value) { t_crc32_accumulator = value; }

std::uint32_t hid_dfu_crc32_update(const std::uint8_t* data, std::size_t length) {
  if (data == nullptr) return t_crc32_accumulator;
  t_crc32_accumulator = transport::crc32_jamcrc({data, length}, t_crc32_accumulator);
  return t_crc32_accumulator;
}

std::uint16_t hid_dfu_crc16(const std::uint8_t* data, int length) {
  if (data == nullptr || length <= 0) return 0;
  return transport::crc16_ccitt({data, static_cast<std::size_t>(length)}, 0);
}

std::uint16_t hid_dfu_crc16_from(std::uint16_t initial, const std::uint8_t* data, int length) {
  if (length < 0) return 0;
  if (data == nullptr || length == 0) return initial;
  return transport::crc16_ccitt({data, static_cast<std::size_t>(length)}, initial);
}
