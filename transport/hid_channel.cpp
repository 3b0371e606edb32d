#include "transport/hid_channel.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/format.h"
#include "platform/log.h"
#include "transport/device_access.h"
#include "transport/hid_commands.h"
#include "transport/stop_request.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

using transport::HidError;
using transport::HidFailure;

// Slot 0 holds the main unit, slot 1 the second unit of two-module products.
hid_device* hid_slots[2] = {nullptr, nullptr};
// The reason of each slot's last failed exchange; read from other threads than
// the one using the slot, so it is kept under a lock.
std::mutex last_error_mutex;
HidError last_errors[2];

// A device answers within milliseconds; a report that has not come in 30 s never will.
constexpr milliseconds k_report_timeout{30000};
// Reads wait in slices this long, so a worker's stop request is seen within one.
constexpr milliseconds k_read_slice{250};
// A device that has answered busy without a break for this long has hung.
constexpr seconds k_busy_limit{60};
// Status reports carry the status in byte 2; a reply that ends before it says nothing.
constexpr std::size_t k_status_byte = 2;
constexpr unsigned char k_status_busy = 1;
constexpr unsigned char k_status_preset = 0xFF;
using transport::k_lang_pack_marker;
constexpr unsigned char k_lang_pack_input_report = 2;
// Data bytes one language-pack input report can carry (62 less id and length).
constexpr std::size_t k_lang_pack_chunk_max = 60;
constexpr int k_lang_pack_polls = 10000;
constexpr milliseconds k_lang_pack_poll_interval{1};
constexpr const char* k_recognized = "Device recognized successfully";

// Products opened whatever collection the entry describes.
constexpr std::uint16_t k_single_collection_ids[] = {
    0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022,
    0x6024, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036};
// Products with several HID collections: only the vendor-defined one is opened.
constexpr std::uint16_t k_vendor_collection_ids[] = {
    0x3052, 0x3072, 0x3082, 0x3085, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400,
    0x4023, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x5552, 0x5553, 0x5590, 0x5591, 0x5592,
    0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6461, 0x6481, 0x6491, 0x6600, 0x6700,
    0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812, 0x6900};
constexpr std::uint16_t k_qcc_mesh_ids[] = {0x3160, 0x3220, 0x6501, 0x6511};
constexpr std::uint16_t k_pair_ids[] = {0x5345, 0x5346};

struct LangPackRow {
  std::uint32_t command;
  std::uint32_t reply_bytes;
};
// Searched in order: command 0x01 first expects 5 reply bytes, then 8.
constexpr LangPackRow k_lang_pack_reply_table[] = {
    {0x00, 0},  {0x01, 5},  {0x01, 8},  {0x02, 6}, {0x03, 58}, {0x04, 0}, {0x05, 0},
    {0x06, 2},  {0x07, 0},  {0x08, 0},  {0x09, 0}, {0x0A, 1},  {0x0B, 0}, {0x0C, 0},
    {0x0D, 0},  {0x50, 0},  {0x51, 0},  {0x52, 0}, {0x53, 0},  {0x54, 0}, {0x55, 0},
    {0x56, 0},  {0x57, 0},  {0x58, 0},  {0x59, 0}, {0x5A, 0},  {0x5B, 0}};

template <std::size_t N>
bool contains(const std::uint16_t (&ids)[N], std::uint16_t id) {
  return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

bool is_vendor_collection(const hid_device_info& entry) { return entry.usage_page == 0xFF00 && entry.usage == 1; }

// Console lines keep the device's own wording; platform::console ends the line.
template <class... Args>
void console_line(std::string_view format, const Args&... args) {
  std::string line = platform::format(format, args...);
  if (!line.empty() && line.back() == '\n') line.pop_back();
  platform::console(line);
}

hid_device* slot_handle(int slot) {
  if (slot < 0 || slot > 1) return nullptr;
  return hid_slots[slot];
}

void set_last_error(int slot, const HidError& error) {
  if (slot < 0 || slot > 1) return;
  std::lock_guard<std::mutex> lock(last_error_mutex);
  last_errors[slot] = error;
}

// A successful exchange clears the slot's reason: 1.
int succeed(int slot) {
  set_last_error(slot, {});
  return 1;
}

// Keeps the reason of a failed exchange on `slot` and writes it to the console
// with the exchange it ended: 0.
int fail(int slot, std::string_view exchange, HidError error) {
  set_last_error(slot, error);
  if (slot < 0) {
    console_line("hid handle %s: %s\n", std::string(exchange), transport::describe(error));
  } else {
    console_line("hid slot %d %s: %s\n", slot, std::string(exchange), transport::describe(error));
  }
  return 0;
}

int fail(int slot, std::string_view exchange, HidFailure failure) { return fail(slot, exchange, HidError{failure}); }

// "com[1]": the command an exchange carried, as the channel's other console lines name it.
std::string command_label(unsigned char command) { return platform::format("com[%d]", command); }

// A handle still in the slot is closed first, so a reopen never leaks one. The
// new device starts without a failure.
void store_in_slot(int slot, hid_device* handle) {
  if (hid_slots[slot] != nullptr) hid_close(hid_slots[slot]);
  hid_slots[slot] = handle;
  set_last_error(slot, {});
}

// Walks `devices` and opens the first entry `accepts` lets through (an entry
// whose open fails is passed over) into slot 0.
template <class Accepts, class Looked>
int open_first(hid_device_info* devices, std::uint32_t& product_id, transport_message& message, Accepts accepts,
               Looked looked_at) {
  for (hid_device_info* entry = devices; entry != nullptr; entry = entry->next) {
    if (entry->vendor_id != transport::k_hid_vendor_id) continue;
    looked_at(*entry);
    if (!accepts(*entry)) continue;
    hid_device* handle = hid_open_path(entry->path);
    if (handle == nullptr) {
      transport::report_if_hid_access_denied(entry->path, entry->vendor_id, entry->product_id);
      continue;
    }
    store_in_slot(0, handle);
    product_id = entry->product_id;
    transport::set_message(message, k_recognized);
    return 0;
  }
  return -2;
}

int open_mesh(std::uint32_t& product_id, transport_message& message, std::string_view console_format,
              bool (*accepts)(const hid_device_info&)) {
  hid_device_info* devices = hid_enumerate(0, 0);
  const int result = open_first(devices, product_id, message, accepts, [console_format](const hid_device_info& entry) {
    console_line(console_format, entry.product_id);
  });
  hid_free_enumeration(devices);
  return result;
}

// Reads one report, waiting up to k_report_timeout in slices. The bytes the
// device did not send are cleared, so nothing of an earlier reply is taken for
// data. A time-out, an error, a stop request or a reply too short to hold its
// status byte is a failed read: it leaves the status byte preset and returns
// its reason (none for a report read).
template <std::size_t N>
HidFailure read_report(hid_device* device, std::array<unsigned char, N>& report) {
  const auto deadline = platform::now() + k_report_timeout;
  HidFailure failure = HidFailure::read_timed_out;
  for (;;) {
    if (transport::stop_requested()) {
      failure = HidFailure::stopped;
      break;
    }
    const milliseconds left = std::chrono::ceil<milliseconds>(deadline - platform::now());
    if (left <= milliseconds(0)) break;
    const int received =
        hid_read_timeout(device, report.data(), report.size(), static_cast<int>(std::min(left, k_read_slice).count()));
    if (received < 0) {
      failure = HidFailure::read_failed;
      break;
    }
    if (received == 0) continue;
    const std::size_t delivered = std::min(static_cast<std::size_t>(received), N);
    std::fill(report.begin() + static_cast<std::ptrdiff_t>(delivered), report.end(), 0);
    if (delivered > k_status_byte) return HidFailure::none;
    failure = HidFailure::short_reply;
    break;
  }
  report[k_status_byte] = k_status_preset;
  return failure;
}

template <std::size_t N>
bool write_report(hid_device* device, const std::array<unsigned char, N>& report) {
  return hid_write(device, report.data(), report.size()) >= 0;
}

struct StatusRead {
  bool answered = false;                  // the first report came in
  HidFailure failure = HidFailure::none;  // why the wait for the final status failed
};

// Reads status reports while the device answers busy; the status is preset
// before every read so a failed re-read ends the wait as a failure. A device
// busy for k_busy_limit without a break fails the same way.
template <std::size_t N>
StatusRead read_status(hid_device* device, std::array<unsigned char, N>& reply) {
  reply[k_status_byte] = k_status_preset;
  const HidFailure first = read_report(device, reply);
  if (first != HidFailure::none) return {false, first};
  const auto busy_since = platform::now();
  while (reply[k_status_byte] == k_status_busy) {
    reply[k_status_byte] = k_status_preset;
    if (platform::now() - busy_since >= k_busy_limit) {
      console_line("com[%d] busy for %d s: read failed\n", reply[1], static_cast<int>(k_busy_limit.count()));
      return {true, HidFailure::busy_bound_reached};
    }
    const HidFailure again = read_report(device, reply);
    if (again != HidFailure::none) return {true, again};
  }
  return {true, HidFailure::none};
}

// The end of an exchange whose status was read: 1 for status 0, else 0 with its reason.
template <std::size_t N>
int finish_exchange(int slot, std::string_view exchange, const StatusRead& read, const std::array<unsigned char, N>& reply) {
  if (read.failure != HidFailure::none) return fail(slot, exchange, read.failure);
  if (reply[k_status_byte] != 0) return fail(slot, exchange, HidError{HidFailure::failure_status, reply[k_status_byte]});
  return succeed(slot);
}

// The exchange on `device`, its failure kept for `slot` (-1: a handle outside the slots).
template <std::size_t N>
int command_on(hid_device* device, int slot, const std::array<unsigned char, N>& request,
               std::array<unsigned char, N == 1023 ? 67 : N>& reply, bool log_status) {
  const std::string exchange = command_label(request[1]);
  if (device == nullptr) return fail(slot, exchange, HidFailure::not_open);
  reply[k_status_byte] = k_status_preset;
  // a worker that is stopping sends the device nothing new
  if (transport::stop_requested()) return fail(slot, exchange, HidFailure::stopped);
  if (!write_report(device, request)) return fail(slot, exchange, HidFailure::write_failed);
  const StatusRead read = read_status(device, reply);
  if (!read.answered) return fail(slot, exchange, read.failure);
  if (log_status) console_line("com[%d] lsatcom[%d] status[%d]\n", request[1], reply[1], reply[k_status_byte]);
  return finish_exchange(slot, exchange, read, reply);
}

template <std::size_t N>
int command(int slot, const std::array<unsigned char, N>& request, std::array<unsigned char, N == 1023 ? 67 : N>& reply,
            bool log_status) {
  return command_on(slot_handle(slot), slot, request, reply, log_status);
}

template <std::size_t N>
int send_report(int slot, const std::array<unsigned char, N>& request) {
  const std::string exchange = command_label(request[1]);
  hid_device* device = slot_handle(slot);
  if (device == nullptr) return fail(slot, exchange, HidFailure::not_open);
  if (!write_report(device, request)) return fail(slot, exchange, HidFailure::write_failed);
  return succeed(slot);
}

template <std::size_t N>
int wait_status(int slot) {
  constexpr std::string_view exchange = "status wait";
  hid_device* device = slot_handle(slot);
  if (device == nullptr) return fail(slot, exchange, HidFailure::not_open);
  std::array<unsigned char, N> reply{};
  return finish_exchange(slot, exchange, read_status(device, reply), reply);
}

// Polls input report 2 until `target` bytes are gathered into `reply`. Returns
// none when exactly `target` bytes came, long_reply when more came, else the
// reason the reply stayed incomplete.
HidFailure gather_lang_pack_reply(hid_device* device, std::uint32_t command, std::uint32_t target,
                                  lang_pack_reply& reply) {
  std::uint32_t gathered = 0;
  std::uint32_t last_chunk = 0;
  bool first_chunk = true;
  bool read_error = false;
  for (int poll = 0; poll < k_lang_pack_polls && !transport::stop_requested(); ++poll) {
    // cleared before every fetch, so a short input report brings nothing of an earlier one
    std::array<unsigned char, 62> input{};
    input[0] = k_lang_pack_input_report;
    const int received = hid_get_input_report(device, input.data(), input.size());
    read_error = received < 0;
    // The length byte is trusted only as far as the report actually carries data.
    const std::size_t present = received > 2 ? static_cast<std::size_t>(received) - 2 : 0;
    const std::size_t chunk = std::min({static_cast<std::size_t>(input[1]), present, k_lang_pack_chunk_max});
    if (chunk != 0) {
      if (first_chunk) reply[0] = input[0];
      first_chunk = false;
      // The reply buffer ends after 60 gathered bytes; a longer reply is cut there.
      const std::size_t offset = 2 + gathered;
      if (offset < reply.size()) {
        const std::size_t copied = std::min(chunk, reply.size() - offset);
        std::copy_n(input.begin() + 2, copied, reply.begin() + static_cast<std::ptrdiff_t>(offset));
      }
      gathered += static_cast<std::uint32_t>(chunk);
      last_chunk = static_cast<std::uint32_t>(chunk);
      reply[1] = static_cast<unsigned char>(gathered & 0xFF);
      if (gathered >= target) break;
    }
    platform::sleep_for(k_lang_pack_poll_interval);
  }
  if (gathered == target) {
    console_line("languagePack EXCUTE %d %d\n", command, target);
    return HidFailure::none;
  }
  if (gathered > target) {
    console_line("read input report: rest of data length abnormal(cmd[0x%02x] data_length[%d:%d:%d:%d])\n", command,
                 target, last_chunk, static_cast<int>(target) - static_cast<int>(gathered), gathered);
    return HidFailure::long_reply;
  }
  if (transport::stop_requested()) return HidFailure::stopped;
  if (gathered != 0) return HidFailure::short_reply;
  return read_error ? HidFailure::read_failed : HidFailure::read_timed_out;
}

}  // namespace

int hid_open_device(std::uint32_t& product_id, transport_message& message) {
  hid_device_info* devices = hid_enumerate(0, 0);
  if (devices == nullptr) return -2;
  console_line("devs =[%04X]\n", devices->product_id);
  const int result = open_first(
      devices, product_id, message,
      [](const hid_device_info& entry) {
        if (contains(k_single_collection_ids, entry.product_id)) return true;
        return contains(k_vendor_collection_ids, entry.product_id) && is_vendor_collection(entry);
      },
      [](const hid_device_info&) {});
  hid_free_enumeration(devices);
  return result;
}

int hid_open_mesh_3120(std::uint32_t& product_id, transport_message& message) {
  return open_mesh(product_id, message, "nd4mesh pid[%04X]\n",
                   [](const hid_device_info& entry) { return entry.product_id == 0x3120; });
}

int hid_open_mesh_qcc(std::uint32_t& product_id, transport_message& message) {
  return open_mesh(product_id, message, "qcc mesh pid[%04X]\n",
                   [](const hid_device_info& entry) { return contains(k_qcc_mesh_ids, entry.product_id); });
}

int hid_open_mesh_airoha(std::uint32_t& product_id, transport_message& message) {
  return open_mesh(product_id, message, "airoha mesh pid[%04X]\n", [](const hid_device_info& entry) {
    return entry.product_id == 0x3220 && is_vendor_collection(entry);
  });
}

int hid_open_device_pair(std::array<std::uint32_t, 2>& product_ids, transport_message& message, int page_mode) {
  if (page_mode != 2 && page_mode != 3) return -2;
  hid_device_info* devices = hid_enumerate(0, 0);
  int opened = 0;
  for (hid_device_info* entry = devices; entry != nullptr && opened < 2; entry = entry->next) {
    if (entry->vendor_id != transport::k_hid_vendor_id || !contains(k_pair_ids, entry->product_id)) continue;
    hid_device* handle = hid_open_path(entry->path);
    if (handle == nullptr) {
      transport::report_if_hid_access_denied(entry->path, entry->vendor_id, entry->product_id);
      continue;
    }
    store_in_slot(opened, handle);
    ++opened;
  }
  hid_free_enumeration(devices);
  if (opened == 2) {
    product_ids = {0x5345, 0x5346};
    transport::set_message(message, k_recognized);
  }
  return opened - 2;
}

int hid_close_all() {
  for (hid_device*& handle : hid_slots) {
    if (handle != nullptr) hid_close(handle);
    handle = nullptr;
  }
  return hid_exit();
}

namespace transport {

bool hid_slot_open(int slot) { return slot_handle(slot) != nullptr; }

int hid_open_into_slot_for_test(int slot, std::uint16_t product_id) {
  if (slot < 0 || slot > 1) return -2;
  hid_device_info* devices = hid_enumerate(k_hid_vendor_id, product_id);
  hid_device* handle = devices != nullptr ? hid_open_path(devices->path) : nullptr;
  hid_free_enumeration(devices);
  if (handle == nullptr) return -2;
  store_in_slot(slot, handle);
  return 0;
}

}  // namespace transport

int hid_long_command(int slot, const hid_cmd_report& request, hid_status_report& reply) {
  return command(slot, request, reply, true);
}

int hid_long_command_on(hid_device* device, const hid_cmd_report& request, hid_status_report& reply) {
  return command_on(device, -1, request, reply, true);
}

int hid_send_long_report(int slot, const hid_cmd_report& request) { return send_report(slot, request); }

int hid_wait_long_status(int slot) { return wait_status<std::tuple_size_v<hid_status_report>>(slot); }

int hid_short_command(int slot, const hid_short_report& request, hid_short_report& reply) {
  return command(slot, request, reply, false);
}

int hid_send_short_report(int slot, const hid_short_report& request) { return send_report(slot, request); }

int hid_wait_short_status(int slot) { return wait_status<std::tuple_size_v<hid_short_report>>(slot); }

int hid_lang_pack_command(int slot, lang_pack_report& request, lang_pack_reply& reply) {
  const std::string exchange = platform::format("languagePack cmd[0x%02x]", request[2]);
  hid_device* device = slot_handle(slot);
  if (device == nullptr) return fail(slot, exchange, HidFailure::not_open);
  HidFailure failure = HidFailure::unknown_command;
  for (const LangPackRow& row : k_lang_pack_reply_table) {
    request[1] = k_lang_pack_marker;
    if (row.command != request[2]) continue;
    if (transport::stop_requested()) return fail(slot, exchange, HidFailure::stopped);
    reply.fill(0);
    reply[3] = 0xFF;
    if (!write_report(device, request)) return fail(slot, exchange, HidFailure::write_failed);
    const std::uint32_t target = row.reply_bytes + 2;
    platform::sleep_for(k_lang_pack_poll_interval);
    failure = gather_lang_pack_reply(device, row.command, target, reply);
    if (failure == HidFailure::none) return succeed(slot);
    // a command with a second row is asked again and read against the longer reply
    if (failure != HidFailure::long_reply) break;
  }
  return fail(slot, exchange, failure);
}

std::uint32_t lang_pack_reply_length(std::uint32_t command) {
  for (const LangPackRow& row : k_lang_pack_reply_table) {
    if (row.command == command) return row.reply_bytes + 2;
  }
  return 0;
}

void swap_packet_words(std::span<unsigned char> packet) {
  if (packet.size() < 4) return;
  const std::size_t count = std::min<std::size_t>(packet[3], (packet.size() - 4) / 2);
  for (std::size_t i = 0; i < count; ++i) std::swap(packet[4 + 2 * i], packet[5 + 2 * i]);
}

void swap_reply_words(std::span<unsigned char> reply) {
  if (reply.size() < 5) return;
  const std::size_t count = std::min<std::size_t>(reply[4], (reply.size() - 5) / 2);
  for (std::size_t i = 0; i < count; ++i) std::swap(reply[5 + 2 * i], reply[6 + 2 * i]);
}

void swap_words(std::span<std::uint16_t> words, int count) {
  if (count <= 0) return;
  const std::size_t swapped = std::min(words.size(), static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < swapped; ++i) {
    words[i] = static_cast<std::uint16_t>((words[i] >> 8) | (words[i] << 8));
  }
}

std::uint32_t swap_u32(std::uint32_t value) {
  return ((value & 0xFFu) << 24) | ((value & 0xFF00u) << 8) | ((value >> 8) & 0xFF00u) | (value >> 24);
}

namespace transport {

HidError hid_last_error(int slot) {
  if (slot < 0 || slot > 1) return {};
  std::lock_guard<std::mutex> lock(last_error_mutex);
  return last_errors[slot];
}

std::string describe(const HidError& error) {
  switch (error.failure) {
    case HidFailure::none: return "no failure";
    case HidFailure::not_open: return "not open";
    case HidFailure::write_failed: return "write failed";
    case HidFailure::read_failed: return "read failed";
    case HidFailure::read_timed_out: return "read timed out";
    case HidFailure::failure_status: return platform::format("status %d", error.status);
    case HidFailure::busy_bound_reached: return "busy bound reached";
    case HidFailure::short_reply: return "short reply";
    case HidFailure::long_reply: return "long reply";
    case HidFailure::unknown_command: return "unknown command";
    case HidFailure::stopped: return "stopped";
  }
  return "unknown failure";
}

}  // namespace transport
