#include "transport/bluecore_channel.h"

#include <libusb-1.0/libusb.h>
#include <usb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/time.h>

#include "platform/clock.h"
#include "platform/format.h"
#include "platform/log.h"
#include "transport/bccmd.h"
#include "transport/bluecore_usb_ids.h"
#include "transport/device_access.h"
#include "transport/hid_channel.h"
#include "transport/legacy_usb_open.h"
#include "transport/stop_request.h"

using namespace transport;

namespace {

using std::chrono::milliseconds;

constexpr int k_hci_interface = 0;
constexpr unsigned char k_event_endpoint = 0x81;
// HCI command: a class request to the device on the default control pipe.
constexpr std::uint8_t k_hci_command_request_type = 0x20;
constexpr unsigned k_control_timeout_ms = 1000;
// A read that flushes events left over from an earlier exchange.
constexpr unsigned k_flush_timeout_ms = 2;
constexpr unsigned k_event_timeout_ms = 10;
// One pass of libusb's event handling.
constexpr long k_event_pass_us = 10000;
// A cancelled transfer completes on the next pass of the event handling; one
// that has not after this never will, and is left to the library rather than
// freed under it.
constexpr milliseconds k_cancel_wait{1000};
constexpr int k_usb_class_hub = 9;
constexpr std::uint16_t k_key_bdaddr = 0x0001;
constexpr std::uint16_t k_key_device_name = 0x0108;
constexpr std::uint16_t k_key_product_id = 0x02A3;
constexpr std::uint16_t k_key_version_record = 0x02A4;
constexpr std::uint16_t k_key_version = 0x0293;
constexpr std::uint16_t k_ps_store_read = 0;
constexpr std::uint16_t k_ps_store_write = 1;
// PS payload: key, length in words and store, then the words.
constexpr std::size_t k_ps_header_bytes = 6;
constexpr std::size_t k_ps_size_request_bytes = 8;
constexpr std::size_t k_name_buffer_bytes = 256;
// Room for the longest key, so a key of an unexpected length is read whole and
// judged by its length.
using PsBuffer = std::array<std::uint8_t, 2 * k_bc_ps_max_words>;

constexpr const char* k_text_recognized = "Device recognized successfully";
constexpr const char* k_text_firmware_management = "Firmware management mode";
constexpr const char* k_text_not_available = "Device not available";

struct BcUsbState {
  libusb_device_handle* handles[2] = {nullptr, nullptr};
  int count = 0;
  int selected = 0;
  usb_dev_handle* dfu_handle = nullptr;
  std::uint16_t sequence = 0;
};

BcUsbState bc_usb_state;

// Completion of one event read: `ran` once the library called back (in any
// state), `done` only when the transfer completed.
struct EventRead {
  bool ran = false;
  bool done = false;
};

void LIBUSB_CALL bc_event_done(libusb_transfer* transfer) {
  auto* read = static_cast<EventRead*>(transfer->user_data);
  read->ran = true;
  if (transfer->status == LIBUSB_TRANSFER_COMPLETED) read->done = true;
}

void handle_events_once() {
  timeval limit{0, k_event_pass_us};
  while (libusb_handle_events_timeout(nullptr, &limit) > 0) {
  }
}

// Reads one piece of an HCI event from endpoint 0x81 of the selected device;
// returns the bytes read, 0 when none came within `timeout_ms`.
int bc_read_hci_event(std::uint8_t* buffer, int length, unsigned timeout_ms) {
  libusb_device_handle* handle = bc_usb_state.handles[bc_usb_state.selected];
  if (handle == nullptr || length <= 0) return 0;
  libusb_transfer* transfer = libusb_alloc_transfer(0);
  if (transfer == nullptr) return 0;
  EventRead read;
  libusb_fill_interrupt_transfer(transfer, handle, k_event_endpoint, buffer, length, bc_event_done, &read,
                                 timeout_ms);
  if (libusb_submit_transfer(transfer) != 0) {
    libusb_free_transfer(transfer);
    return 0;
  }
  handle_events_once();
  if (!read.ran) {
    // the transfer still owns the buffer: wait for its cancellation to come back
    libusb_cancel_transfer(transfer);
    const auto deadline = platform::now() + k_cancel_wait;
    while (!read.ran && platform::now() < deadline) handle_events_once();
  }
  const int received = read.done ? transfer->actual_length : 0;
  if (read.ran) {
    libusb_free_transfer(transfer);
  } else {
    platform::system_log("BlueCore event read: cancelled transfer never came back; left allocated");
  }
  return received;
}

std::uint32_t id_at(const std::array<std::uint32_t, 2>& ids, int index) { return ids[static_cast<std::size_t>(index)]; }

void close_hci_handles() {
  for (libusb_device_handle*& handle : bc_usb_state.handles) {
    if (handle != nullptr) libusb_close(handle);
    handle = nullptr;
  }
  bc_usb_state.count = 0;
  bc_usb_state.selected = 0;
}

// The kernel's Bluetooth driver binds these devices; libusb lets go of it for
// as long as the interface is claimed.
int claim_hci_interface(libusb_device_handle* handle) {
  libusb_set_auto_detach_kernel_driver(handle, 1);
  return libusb_claim_interface(handle, k_hci_interface);
}

std::string claim_failure_text(std::string_view format, int result) {
  return platform::format(format, libusb_strerror(result), result);
}

int open_hci_devices(std::array<std::uint32_t, 2>& ids, transport_message& message) {
  // handles an earlier open left behind are let go of first
  if (bc_usb_state.count > 0) bc_close_devices();
  bc_usb_state.count = 0;
  bc_usb_state.selected = 0;

  libusb_device** list = nullptr;
  const ssize_t listed = libusb_get_device_list(nullptr, &list);
  for (ssize_t i = 0; i < listed; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(list[i], &descriptor) != 0) break;
    if (!bc_usb_id_known(descriptor.idVendor, descriptor.idProduct)) continue;
    libusb_device_handle*& handle = bc_usb_state.handles[bc_usb_state.count];
    if (const int result = libusb_open(list[i], &handle); result != 0) {
      report_if_libusb_access_denied(result, list[i]);
      handle = nullptr;
      break;
    }
    ids[static_cast<std::size_t>(bc_usb_state.count)] = descriptor.idProduct;
    ++bc_usb_state.count;
    // one device, unless it is the first of the two USB devices of a pair unit
    if (bc_usb_state.count == 2 || !bc_is_pair_product(id_at(ids, 0))) break;
  }
  // the list is allocated even when it holds no device
  if (listed >= 0) libusb_free_device_list(list, 1);

  if (bc_usb_state.count == 0) {
    set_message(message, k_text_not_available);
    close_hci_handles();
    return -1;
  }
  if (bc_usb_state.count == 1 && bc_is_pair_product(id_at(ids, 0))) {
    set_message(message, "Device 2 not available");
    close_hci_handles();
    return -2;
  }
  if (const int result = claim_hci_interface(bc_usb_state.handles[0]); result != 0) {
    set_message(message, claim_failure_text("Cannot claim interface: %s (%d)", result));
    close_hci_handles();
    return -3;
  }
  if (bc_usb_state.count == 2) {
    if (!bc_is_pair_product(id_at(ids, 1))) {
      set_message(message, "USB interface 2 Not Match USB interface 1");
      bc_close_devices();
      return -5;
    }
    if (const int result = claim_hci_interface(bc_usb_state.handles[1]); result != 0) {
      set_message(message, claim_failure_text("Cannot claim interface 2: %s (%d)", result));
      bc_close_devices();
      return -4;
    }
  }
  const bool management_mode = std::any_of(ids.begin(), ids.begin() + bc_usb_state.count,
                                           [](std::uint32_t id) { return (id & k_firmware_management_bit) != 0; });
  set_message(message, management_mode ? k_text_firmware_management : k_text_recognized);
  return 0;
}

struct usb_device* find_dfu_device() {
  for (usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next) {
    for (struct usb_device* device = bus->devices; device != nullptr; device = device->next) {
      if (device->descriptor.bDeviceClass == k_usb_class_hub) continue;
      if (device->descriptor.idVendor != k_hid_vendor_id) continue;
      if (bc_is_dfu_product(device->descriptor.idProduct)) return device;
    }
  }
  return nullptr;
}

void rescan_usb() {
  usb_find_busses();
  usb_find_devices();
}

int open_dfu_device(std::array<std::uint32_t, 2>& ids, transport_message& message) {
  if (bc_usb_state.dfu_handle != nullptr) dfu_close_device();
  usb_init();
  const LegacyOpen opened = open_and_claim_legacy_usb(
      [] {
        rescan_usb();
        return find_dfu_device();
      },
      true);
  switch (opened.end) {
    case LegacyOpenEnd::claimed:
      ids[0] = opened.device->descriptor.idProduct;
      bc_usb_state.dfu_handle = opened.handle;
      set_message(message, k_text_firmware_management);
      return 0;
    case LegacyOpenEnd::no_device:
      set_message(message, k_text_not_available);
      return 1;
    case LegacyOpenEnd::open_failed:
      set_message(message, platform::format("Cannot open device: %s (%d)", std::strerror(opened.error), opened.error));
      return 2;
    case LegacyOpenEnd::claim_failed:
      break;
  }
  set_message(message, platform::format("Cannot claim interface: %s (%d)", std::strerror(opened.error), opened.error));
  return 3;
}

std::uint16_t next_sequence() { return bc_usb_state.sequence++; }

std::uint16_t first_word(std::span<const std::uint8_t> bytes) { return le16_at(bytes, 0); }

void set_version(std::uint32_t value, std::uint32_t& major, std::uint32_t& minor) {
  const std::uint16_t version = static_cast<std::uint16_t>(value);
  major = version / 10;
  minor = version % 10;
}

// Older firmware of the products with an older version key keeps its version
// in key 0x0293 and a stale record in 0x02A4, which is cleared so the next
// firmware writes its own.
bool clear_version_record() {
  const std::uint16_t zero[2] = {0, 0};
  return bc_ps_write(k_key_version_record, zero) == 0;
}

int zero_record_version(std::uint32_t product_id, std::uint32_t& major, std::uint32_t& minor) {
  if (const std::optional<BcVersion> other_size = bc_older_key_version(product_id)) {
    PsBuffer bytes{};
    std::uint16_t size = 0;
    if (bc_ps_read(k_key_version, bytes, size) != 0) {
      set_version(30, major, minor);
      return 0;
    }
    if (size != 4) {
      major = other_size->major;
      minor = other_size->minor;
      return 0;
    }
    const std::uint16_t version = first_word(bytes);
    if (version == 0) return 1;
    if (version >= 4 && version <= 31) clear_version_record();
    set_version(version, major, minor);
    return 0;
  }
  const std::optional<BcVersion> version = bc_zero_record_version(product_id);
  if (!version) return 1;
  major = version->major;
  minor = version->minor;
  return 0;
}

}  // namespace

int bc_open_devices(std::array<std::uint32_t, 2>& product_ids, transport_message& message, int mode) {
  return mode == 1 ? open_dfu_device(product_ids, message) : open_hci_devices(product_ids, message);
}

int bc_open_devices_retry(std::array<std::uint32_t, 2>& product_ids, transport_message& message, int budget,
                          int mode) {
  if (budget < 1) return 0;
  int spent = 0;
  for (;;) {
    const int result = bc_open_devices(product_ids, message, mode);
    if (result < 1) return result;
    // a device that is there but cannot be opened costs two tries
    spent += result == 1 ? 1 : 2;
    platform::sleep_for(std::chrono::seconds(1));
    if (spent >= budget || transport::stop_requested()) return result;
  }
}

void bc_close_devices() {
  for (libusb_device_handle* handle : bc_usb_state.handles) {
    if (handle != nullptr) libusb_release_interface(handle, k_hci_interface);
  }
  close_hci_handles();
}

int bc_device_count() { return bc_usb_state.count; }

int bc_select_device(int index) {
  if (index < 0 || index >= bc_usb_state.count) return 0;
  bc_usb_state.selected = index;
  return 1;
}

void dfu_close_device() {
  if (bc_usb_state.dfu_handle == nullptr) return;
  usb_release_interface(bc_usb_state.dfu_handle, 0);
  usb_close(bc_usb_state.dfu_handle);
  bc_usb_state.dfu_handle = nullptr;
}

int bc_bccmd_transfer(std::uint16_t type, std::uint16_t sequence, std::uint16_t varid,
                      std::span<std::uint8_t> payload) {
  if (payload.size() > k_bccmd_payload_max_bytes) {
    errno = EMSGSIZE;
    return -1;
  }
  libusb_device_handle* handle = bc_usb_state.handles[bc_usb_state.selected];
  if (bc_usb_state.count == 0 || handle == nullptr) {
    errno = ENODEV;
    return -1;
  }
  bccmd_packet packet;
  const std::size_t length = bccmd_build_packet(packet, type, sequence, varid, payload);

  bccmd_event stale;
  bc_read_hci_event(stale.data(), static_cast<int>(stale.size()), k_flush_timeout_ms);

  const int sent = libusb_control_transfer(handle, k_hci_command_request_type, 0, 0, 0, packet.data(),
                                           static_cast<std::uint16_t>(length), k_control_timeout_ms);
  if (sent < 0) return -1;
  if (bccmd_varid_unanswered(varid)) return 0;

  // the event comes in pieces; a read that brings nothing ends it
  BccmdEventGather gather;
  while (!gather.full()) {
    const std::span<std::uint8_t> space = gather.space_left();
    const int received = bc_read_hci_event(space.data(), static_cast<int>(space.size()), k_event_timeout_ms);
    if (received <= 0) break;
    gather.add(static_cast<std::size_t>(received));
  }
  if (const int error = bccmd_parse_event(gather.bytes(), payload); error != 0) {
    errno = error;
    return -1;
  }
  return 0;
}

int bc_bccmd_get(std::uint16_t varid, std::span<std::uint8_t> payload) {
  return bc_bccmd_transfer(k_bccmd_getreq, next_sequence(), varid, payload);
}

int bc_bccmd_set(std::uint16_t varid, std::span<std::uint8_t> payload) {
  return bc_bccmd_transfer(k_bccmd_setreq, next_sequence(), varid, payload);
}

int bc_ps_read(std::uint16_t key, std::span<std::uint8_t> out, std::uint16_t& size) {
  size = 0;
  std::array<std::uint8_t, k_ps_size_request_bytes> size_request{};
  put_le16(size_request, 0, key);
  if (const int result = bc_bccmd_get(k_varid_ps_size, size_request); result != 0) return result;
  const std::uint16_t words = le16_at(size_request, 2);
  // a longer key would not fit the message, nor the caller's buffer
  if (words > k_bc_ps_max_words || 2u * words > out.size()) return k_bc_ps_too_long;

  std::array<std::uint8_t, k_bccmd_payload_max_bytes> payload{};
  put_le16(payload, 0, key);
  put_le16(payload, 2, words);
  put_le16(payload, 4, k_ps_store_read);
  const std::size_t bytes = 2u * words;
  if (const int result = bc_bccmd_get(k_varid_ps, std::span(payload).first(bytes + k_ps_header_bytes));
      result != 0) {
    return result;
  }
  std::copy_n(payload.begin() + k_ps_header_bytes, bytes, out.begin());
  size = static_cast<std::uint16_t>(bytes);
  return 0;
}

int bc_ps_write(std::uint16_t key, std::span<const std::uint16_t> words) {
  if (words.size() > static_cast<std::size_t>(k_bc_ps_max_words)) return k_bc_ps_too_long;
  std::array<std::uint8_t, k_bccmd_payload_max_bytes> payload{};
  put_le16(payload, 0, key);
  put_le16(payload, 2, static_cast<std::uint16_t>(words.size()));
  put_le16(payload, 4, k_ps_store_write);
  for (std::size_t i = 0; i < words.size(); ++i) put_le16(payload, k_ps_header_bytes + 2 * i, words[i]);
  return bc_bccmd_set(k_varid_ps, std::span(payload).first(2 * words.size() + k_ps_header_bytes));
}

std::uint16_t bc_ps_read_j46(std::uint16_t key, std::span<std::uint8_t> out) {
  std::uint16_t size = 0;
  return bc_ps_read(key, out, size) == 0 ? size : 0;
}

std::uint32_t bc_ps_read_u32(std::uint16_t key, std::span<std::uint8_t> out) {
  std::uint16_t size = 0;
  return bc_ps_read(key, out, size) == 0 ? size : 0;
}

int bc_read_device_name(std::span<std::uint8_t> out) { return bc_ps_read_j46(k_key_device_name, out); }

int bc_read_bdaddr(std::span<std::uint8_t> out) { return bc_ps_read_j46(k_key_bdaddr, out); }

int bc_query_product_id() {
  PsBuffer id_bytes{};
  std::uint16_t size = 0;
  int fallback = 0;
  if (bc_ps_read(k_key_product_id, id_bytes, size) == 0) {
    if (size != 2) {
      fallback = -1;
    } else {
      const std::uint16_t id = first_word(id_bytes);
      if (bc_is_reported_product(id)) return id;
      fallback = -2;
    }
  }
  // the oldest units name their model instead
  std::array<std::uint8_t, k_name_buffer_bytes> name{};
  if (bc_read_device_name(name) <= 0 || name[0] == 0) return fallback;
  const std::string_view text(reinterpret_cast<const char*>(name.data()),
                              strnlen(reinterpret_cast<const char*>(name.data()), name.size()));
  if (text.find("XA9") != std::string_view::npos) return 0x4D10;
  if (text.find("XP9") != std::string_view::npos) return 0x5010;
  return fallback;
}

int bc_query_versions(std::uint32_t product_id, std::uint32_t& major, std::uint32_t& minor,
                      std::uint32_t& secondary_type, std::uint32_t& secondary) {
  major = minor = secondary_type = secondary = 0;
  PsBuffer record{};
  std::uint16_t size = 0;
  const bool have_record = bc_ps_read(k_key_version_record, record, size) == 0 && size == 4;
  if (!have_record) {
    if (product_id == 0x3020) {
      major = 1, minor = 0, secondary_type = 1, secondary = 0;
      return 1;
    }
    return zero_record_version(product_id, major, minor);
  }
  // the camera keeps all four parts a byte each
  if (product_id == 0x3020) {
    major = record[3], minor = record[2], secondary_type = record[1], secondary = record[0];
    return 0;
  }
  const std::uint16_t version = first_word(record);
  secondary_type = record[3];
  secondary = record[2];
  if (bc_older_key_version(product_id)) {
    PsBuffer older{};
    if (bc_ps_read(k_key_version, older, size) == 0 && size == 4) {
      const std::uint16_t older_version = first_word(older);
      secondary_type = secondary = 0;
      if (version != 32 && older_version >= 4 && older_version <= 31 && clear_version_record()) {
        set_version(older_version, major, minor);
        return 0;
      }
    }
  }
  if (version != 0) {
    set_version(version, major, minor);
    return 0;
  }
  return zero_record_version(product_id, major, minor);
}
