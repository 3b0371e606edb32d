#pragma once
// USB DFU 1.1 class requests over the libusb-0.1 interface, and the listing
// and opening of the attached devices that offer a DFU interface. A BlueCore
// device in DFU mode takes its firmware this way; the update engine drives the
// download sequence. Each request blocks the calling thread for at most
// k_dfu_request_timeout_ms. The libusb-0.1 bus list is module-wide in the
// library: scan from one thread only.
#include <cerrno>
#include <cstdint>
#include <span>

struct usb_device;
struct usb_dev_handle;

// The GETSTATUS reply, 6 bytes as the device sends them.
struct dfu_status {
  std::uint8_t bStatus = 0;            // 0 OK, else the device's error code
  std::uint8_t bwPollTimeout[3] = {};  // ms before the next poll, little-endian
  std::uint8_t bState = 0;             // the DFU 1.1 state the device is going into
  std::uint8_t iString = 0;
};
static_assert(sizeof(dfu_status) == 6);

// Time-out of every request, in ms.
inline constexpr int k_dfu_request_timeout_ms = 10000;
// Detach time-out DFU_DETACH asks for, in ms.
inline constexpr int k_dfu_detach_timeout_ms = 5000;
// Result of a request given a null handle, buffer or pointer, an interface
// number outside 0..255 or a length outside 0..65535: nothing is sent.
inline constexpr int k_dfu_invalid_argument = -5;
// Result of GETSTATUS or GETSTATE when the device answered with fewer bytes
// than the reply holds: the request failed, and nothing of the reply is used.
inline constexpr int k_dfu_short_reply = -EPROTO;
// Devices one scan considers, and the devices dfu_open_device opens.
inline constexpr int k_dfu_max_listed = 30;
inline constexpr int k_dfu_max_opened = 2;

// The class requests, each to the DFU interface `interface_number` (wIndex).
// Each returns the bytes transferred, the library's negative error, or
// k_dfu_invalid_argument without a transfer.
// DETACH with a detach time-out of k_dfu_detach_timeout_ms.
int dfu_detach(usb_dev_handle* handle, int interface_number);
// DNLOAD of block `block_number`: `length` bytes of `data` (none ends the download).
int dfu_download(usb_dev_handle* handle, int interface_number, std::uint16_t block_number, const std::uint8_t* data,
                 int length);
// UPLOAD of block `block_number`: up to `length` bytes into `buffer`.
int dfu_upload(usb_dev_handle* handle, int interface_number, std::uint16_t block_number, std::uint8_t* buffer,
               int length);
// GETSTATUS into `status`: 6, or the library's negative error, or
// k_dfu_short_reply when fewer than 6 bytes came. The status is cleared first
// and stays cleared unless the whole reply came.
int dfu_get_status(usb_dev_handle* handle, int interface_number, dfu_status* status);
int dfu_clear_status(usb_dev_handle* handle, int interface_number);
// GETSTATE: 1 byte into `state`; k_dfu_short_reply when none came (`state`
// is then left as it was).
int dfu_get_state(usb_dev_handle* handle, int interface_number, std::uint8_t* state);
int dfu_abort(usb_dev_handle* handle, int interface_number);
// Request 7 of the BlueCore boot loader (no data).
int dfu_request_7(usb_dev_handle* handle, int interface_number);

// bwPollTimeout of a status, in ms.
std::uint32_t dfu_poll_timeout_ms(const dfu_status& status);

// The interface number of the first DFU interface (class 0xFE, subclass 1,
// protocol 0, as the BlueCore boot loaders show it) of `device`, searching its
// configurations, interfaces and alternate settings in order; -1 when it has
// none or no configuration could be read.
int dfu_find_interface(const struct usb_device* device);

// Scans the buses and lists the devices with a DFU interface, hubs excepted,
// at most k_dfu_max_listed, in walk order: mode 1 product ids 0x0000-0x7FFF,
// mode 2 ids with bit 15 and the id 0x0000, other modes all; the vendor id is
// not looked at. Copies the first ones into `list` and returns how many (0 for
// none or an empty list). The records live until the next bus scan.
int dfu_list_devices(int mode, std::span<struct usb_device*> list);

// Lists with `mode` and opens and claims up to min(capacity, k_dfu_max_opened)
// devices into `handles`: the first listed device on interface 0 (walking on
// by errno as a refused claim tells), each further one on its DFU interface.
// Returns the number opened, 0 to 2; close them with dfu_close_handles.
int dfu_open_device(int mode, usb_dev_handle** handles, int capacity);
// Closes the first `count` handles (their claims end with them) and clears them.
void dfu_close_handles(usb_dev_handle** handles, int count);
