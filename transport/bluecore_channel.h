#pragma once
// BlueCore persistent-store channel over USB. The older devices are built on a
// BlueCore chip and attach as a Bluetooth HCI device; their identity, versions
// and settings live in the chip's persistent store (PS keys), read and written
// with BCCMD messages (transport/bccmd.h). Mode 0 opens the HCI devices through
// libusb-1.0: one device, or the two USB devices of the product 0x5310. Mode 1
// opens a device in firmware-management mode as a DFU device through
// libusb-0.1. Results are integers; texts go into the caller's message buffer.
//
// The state is module-wide and unlocked: one thread uses the channel at a time.
// The BCCMD sequence number runs on across opens for the life of the program.
#include <array>
#include <cstdint>
#include <span>

#include "transport/transport_message.h"

// The most words a PS key can carry in one message: 117 words and the 6 bytes
// of key, length and store fill the 240-byte payload.
inline constexpr int k_bc_ps_max_words = 117;
// Result of a PS read or write whose key is longer than k_bc_ps_max_words
// words (or than the caller's buffer).
inline constexpr int k_bc_ps_too_long = -5;

// Opens the devices and stores their USB product ids in `product_ids`.
// Mode 0: 0 success ("Device recognized successfully", or "Firmware management
// mode" when an id has bit 15 set); -1 no device ("Device not available"); -2
// only one of the two devices of 0x5310/0xD310; -3 interface 0 cannot be
// claimed; -4 interface 0 of the second device cannot be claimed; -5 the second
// device is not one of 0x5310/0xD310. Every failure leaves the channel closed.
// Mode 1: 0 the DFU device is open and claimed (its id in slot 0); 1 no device;
// 2 it cannot be opened; 3 no interface can be claimed.
int bc_open_devices(std::array<std::uint32_t, 2>& product_ids, transport_message& message, int mode);
// Calls bc_open_devices until it returns 0 or less, 1 s apart, charging 1 try
// for result 1 and 2 for results 2 and 3, while the tries spent are below
// `budget` and the calling worker has not been asked to stop. Returns the last
// result; 0 without a call when the budget is below 1.
int bc_open_devices_retry(std::array<std::uint32_t, 2>& product_ids, transport_message& message, int budget,
                          int mode);
// Releases interface 0 and closes each open HCI device; count and selection 0.
void bc_close_devices();
// Open HCI devices, 0 to 2.
int bc_device_count();
// Selects the device BCCMD messages go to: 1, or 0 (nothing changed) for an
// index that is not below the count.
int bc_select_device(int index);
// Releases interface 0 of the mode-1 DFU device and closes it.
void dfu_close_device();

// One BCCMD exchange with the selected device. On 0 the answer's payload
// replaces the bytes of `payload`. -1 with errno set: 5 malformed answer, 6
// status not OK, 90 (EMSGSIZE) a payload above 240 bytes (nothing sent), 19
// (ENODEV) no device open, or what the library left after a failed transfer.
int bc_bccmd_transfer(std::uint16_t type, std::uint16_t sequence, std::uint16_t varid,
                      std::span<std::uint8_t> payload);
// bc_bccmd_transfer as GETREQ / SETREQ with the next sequence number.
int bc_bccmd_get(std::uint16_t varid, std::span<std::uint8_t> payload);
int bc_bccmd_set(std::uint16_t varid, std::span<std::uint8_t> payload);

// Reads PS key `key` into `out` and its length in bytes into `size`: 0, a
// failed exchange's result, or k_bc_ps_too_long (nothing read). `size` is 0
// unless 0 is returned.
int bc_ps_read(std::uint16_t key, std::span<std::uint8_t> out, std::uint16_t& size);
// Writes `words` (host order) as PS key `key`: 0, -1, or k_bc_ps_too_long
// without sending for more than k_bc_ps_max_words words.
int bc_ps_write(std::uint16_t key, std::span<const std::uint16_t> words);
// bc_ps_read returning the bytes read, 0 on failure.
std::uint16_t bc_ps_read_j46(std::uint16_t key, std::span<std::uint8_t> out);
std::uint32_t bc_ps_read_u32(std::uint16_t key, std::span<std::uint8_t> out);
// The device name (key 0x0108) and the Bluetooth device address (key 0x0001):
// bytes read, 0 on failure.
int bc_read_device_name(std::span<std::uint8_t> out);
int bc_read_bdaddr(std::span<std::uint8_t> out);

// The product id the device reports (key 0x02A3, else a model text in its
// name: "XA9" 0x4D10, "XP9" 0x5010); otherwise 0 when the key cannot be read,
// -1 when it has another length, -2 when it holds an unknown id.
int bc_query_product_id();
// Firmware version of the device as product `product_id`: 0 when a version was
// set, 1 when none (the outputs are then 0, or the camera's 1.0 with type 1).
int bc_query_versions(std::uint32_t product_id, std::uint32_t& major, std::uint32_t& minor,
                      std::uint32_t& secondary_type, std::uint32_t& secondary);

namespace transport {

// The BlueCore devices belong to one procedure at a time. The procedure holds a
// guard while it works with them; whichever way it leaves, the guard closes
// the HCI devices and the DFU device.
class BlueCoreDevicesGuard {
 public:
  BlueCoreDevicesGuard() = default;
  ~BlueCoreDevicesGuard() {
    bc_close_devices();
    dfu_close_device();
  }
  BlueCoreDevicesGuard(const BlueCoreDevicesGuard&) = delete;
  BlueCoreDevicesGuard& operator=(const BlueCoreDevicesGuard&) = delete;
};

}  // namespace transport
