#include "transport/dfu_requests.h"

#include <usb.h>

#include <algorithm>
#include <array>

#include "transport/device_access.h"
#include "transport/legacy_usb_open.h"

using namespace transport;

namespace {

// bmRequestType: class request to an interface, host to device or device to host.
constexpr int k_request_out = 0x21;
constexpr int k_request_in = 0xA1;
constexpr int k_detach = 0;
constexpr int k_dnload = 1;
constexpr int k_upload = 2;
constexpr int k_getstatus = 3;
constexpr int k_clrstatus = 4;
constexpr int k_getstate = 5;
constexpr int k_abort = 6;
constexpr int k_request_7 = 7;
// wIndex names the interface in its low byte; wLength is 16 bits.
constexpr int k_max_interface_number = 0xFF;
constexpr int k_max_length = 0xFFFF;
constexpr std::uint16_t k_firmware_management_bit = 0x8000;

bool valid_target(const usb_dev_handle* handle, int interface_number) {
  return handle != nullptr && interface_number >= 0 && interface_number <= k_max_interface_number;
}

bool valid_data(const void* data, int length) {
  return length >= 0 && length <= k_max_length && (data != nullptr || length == 0);
}

int control(usb_dev_handle* handle, int request_type, int request, int value, int interface_number, void* data,
            int length) {
  return usb_control_msg(handle, request_type, request, value, interface_number, static_cast<char*>(data), length,
                         k_dfu_request_timeout_ms);
}

// A request without data stage from the host.
int command(usb_dev_handle* handle, int interface_number, int request, int value = 0) {
  if (!valid_target(handle, interface_number)) return k_dfu_invalid_argument;
  return control(handle, k_request_out, request, value, interface_number, nullptr, 0);
}

bool fits_mode(int mode, std::uint16_t product_id) {
  const bool management_id = (product_id & k_firmware_management_bit) != 0;
  switch (mode) {
    case 1:
      return !management_id;
    case 2:
      return management_id || product_id == 0x0000;
    default:
      return true;
  }
}

}  // namespace

int dfu_detach(usb_dev_handle* handle, int interface_number) {
  return command(handle, interface_number, k_detach, k_dfu_detach_timeout_ms);
}

int dfu_download(usb_dev_handle* handle, int interface_number, std::uint16_t block_number, const std::uint8_t* data,
                 int length) {
  if (!valid_target(handle, interface_number) || !valid_data(data, length)) return k_dfu_invalid_argument;
  // the library only reads the data of a transfer to the device
  return control(handle, k_request_out, k_dnload, block_number, interface_number, const_cast<std::uint8_t*>(data),
                 length);
}

int dfu_upload(usb_dev_handle* handle, int interface_number, std::uint16_t block_number, std::uint8_t* buffer,
               int length) {
  if (!valid_target(handle, interface_number) || !valid_data(buffer, length)) return k_dfu_invalid_argument;
  return control(handle, k_request_in, k_upload, block_number, interface_number, buffer, length);
}

int dfu_get_status(usb_dev_handle* handle, int interface_number, dfu_status* status) {
  if (!valid_target(handle, interface_number) || status == nullptr) return k_dfu_invalid_argument;
  *status = dfu_status{};
  // read aside, so a short reply never reaches the caller's status: a cleared
  // one would read as "OK, appIDLE" and let the next block go out
  dfu_status reply{};
  const int received = control(handle, k_request_in, k_getstatus, 0, interface_number, &reply, sizeof reply);
  if (received < 0) return received;
  if (received < static_cast<int>(sizeof reply)) return k_dfu_short_reply;
  *status = reply;
  return received;
}

int dfu_clear_status(usb_dev_handle* handle, int interface_number) {
  return command(handle, interface_number, k_clrstatus);
}

int dfu_get_state(usb_dev_handle* handle, int interface_number, std::uint8_t* state) {
  if (!valid_target(handle, interface_number) || state == nullptr) return k_dfu_invalid_argument;
  std::uint8_t reply = 0;
  const int received = control(handle, k_request_in, k_getstate, 0, interface_number, &reply, 1);
  if (received < 0) return received;
  if (received < 1) return k_dfu_short_reply;
  *state = reply;
  return received;
}

int dfu_abort(usb_dev_handle* handle, int interface_number) { return command(handle, interface_number, k_abort); }

int dfu_request_7(usb_dev_handle* handle, int interface_number) {
  return command(handle, interface_number, k_request_7);
}

int dfu_list_devices(int mode, std::span<struct usb_device*> list) {
  if (list.empty()) return 0;
  usb_init();
  usb_find_busses();
  usb_find_devices();
  std::array<struct usb_device*, k_dfu_max_listed> found{};
  std::size_t count = 0;
  for (usb_bus* bus = usb_get_busses(); bus != nullptr && count < found.size(); bus = bus->next) {
    for (struct usb_device* device = bus->devices; device != nullptr && count < found.size(); device = device->next) {
      if (device->descriptor.bDeviceClass == USB_CLASS_HUB) continue;
      if (dfu_find_interface(device) < 0 || !fits_mode(mode, device->descriptor.idProduct)) continue;
      found[count++] = device;
    }
  }
  const std::size_t copied = std::min(count, list.size());
  std::copy_n(found.begin(), copied, list.begin());
  return static_cast<int>(copied);
}

int dfu_open_device(int mode, usb_dev_handle** handles, int capacity) {
  if (handles == nullptr || capacity < 1) return 0;
  // the devices are listed into room for two
  std::array<struct usb_device*, k_dfu_max_opened> list{};
  const auto wanted = static_cast<std::size_t>(std::min(capacity, k_dfu_max_opened));
  int listed = 0;
  const LegacyOpen first = open_and_claim_legacy_usb(
      [&]() -> struct usb_device* {
        listed = dfu_list_devices(mode, std::span(list).first(wanted));
        return listed > 0 ? list[0] : nullptr;
      },
      false);
  if (first.end != LegacyOpenEnd::claimed) return 0;
  handles[0] = first.handle;
  int opened = 1;
  for (int i = 1; i < listed; ++i) {
    struct usb_device* device = list[static_cast<std::size_t>(i)];
    const int interface_number = dfu_find_interface(device);
    usb_dev_handle* handle = open_legacy_usb(device);
    if (handle == nullptr) return opened;
    if (usb_claim_interface(handle, interface_number) != 0) {
      usb_close(handle);
      return opened;
    }
    handles[opened++] = handle;
  }
  return opened;
}

void dfu_close_handles(usb_dev_handle** handles, int count) {
  if (handles == nullptr) return;
  for (int i = 0; i < count; ++i) {
    if (handles[i] != nullptr) usb_close(handles[i]);
    handles[i] = nullptr;
  }
}
