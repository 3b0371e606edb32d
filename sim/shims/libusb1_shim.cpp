// The libusb-1.0 functions the BlueCore channel calls, answered by the
// simulated bus: device list and descriptors, open and close, claim and
// release, control transfers and asynchronous interrupt transfers. Time is the
// platform clock. Test executables and vexlink-setwise-sim link these in place
// of libusb-1.0.
#include <libusb-1.0/libusb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <set>
#include <vector>

#include "platform/clock.h"
#include "sim/bus.h"
#include "sim/shims/usb_shim_state.h"
#include "sim/usb_shims.h"

struct libusb_device {
  int address = 0;
  sim::DeviceDescriptor descriptor;
};

struct libusb_device_handle {
  int address = 0;
  int handle_id = 0;
  bool auto_detach = false;
  std::set<int> claimed;
};

namespace {

using std::chrono::milliseconds;
using sim::usb_shim::find_device;

struct PendingTransfer {
  libusb_transfer* transfer = nullptr;
  std::optional<platform::Clock::time_point> deadline;
  bool cancelled = false;
};

std::mutex g_mutex;
std::vector<PendingTransfer> g_pending;

int error_of(sim::IoStatus status) {
  switch (status) {
    case sim::IoStatus::ok: return LIBUSB_SUCCESS;
    case sim::IoStatus::timed_out: return LIBUSB_ERROR_TIMEOUT;
    case sim::IoStatus::gone: return LIBUSB_ERROR_NO_DEVICE;
    case sim::IoStatus::refused: return LIBUSB_ERROR_ACCESS;
    case sim::IoStatus::io_error: return LIBUSB_ERROR_IO;
    case sim::IoStatus::stalled: return LIBUSB_ERROR_PIPE;
  }
  return LIBUSB_ERROR_OTHER;
}

// What libusb reports for the errno of the kernel's claim. With auto-detach on
// it asks the kernel to let go of the driver and claim in one request, which
// answers a missing interface with EINVAL; otherwise it claims on its own.
int claim_error(int error, bool auto_detach) {
  switch (error) {
    case 0: return LIBUSB_SUCCESS;
    case ENOENT: return auto_detach ? LIBUSB_ERROR_INVALID_PARAM : LIBUSB_ERROR_NOT_FOUND;
    case EBUSY: return LIBUSB_ERROR_BUSY;
    case ENODEV: return LIBUSB_ERROR_NO_DEVICE;
    default: return LIBUSB_ERROR_OTHER;
  }
}

milliseconds to_milliseconds(const timeval* limit) {
  if (limit == nullptr) return milliseconds(0);
  return milliseconds(static_cast<long long>(limit->tv_sec) * 1000 + limit->tv_usec / 1000);
}

void finish(libusb_transfer* transfer, libusb_transfer_status status, int actual_length) {
  transfer->status = status;
  transfer->actual_length = actual_length;
  if (transfer->callback != nullptr) transfer->callback(transfer);
}

// Takes the transfers cancelled so far out of the pending list.
std::vector<libusb_transfer*> take_cancelled() {
  std::lock_guard lock(g_mutex);
  std::vector<libusb_transfer*> cancelled;
  for (const PendingTransfer& pending : g_pending) {
    if (pending.cancelled) cancelled.push_back(pending.transfer);
  }
  std::erase_if(g_pending, [](const PendingTransfer& pending) { return pending.cancelled; });
  return cancelled;
}

bool remove_pending(libusb_transfer* transfer) {
  std::lock_guard lock(g_mutex);
  const auto before = g_pending.size();
  std::erase_if(g_pending, [transfer](const PendingTransfer& pending) { return pending.transfer == transfer; });
  return g_pending.size() != before;
}

}  // namespace

namespace sim::usb_shim {

void forget_transfers() {
  std::lock_guard lock(g_mutex);
  g_pending.clear();
}

}  // namespace sim::usb_shim

namespace sim {

int libusb_transfers_in_flight() {
  std::lock_guard lock(g_mutex);
  return static_cast<int>(g_pending.size());
}

}  // namespace sim

extern "C" {

const char* LIBUSB_CALL libusb_strerror(int errcode) {
  switch (errcode) {
    case LIBUSB_SUCCESS: return "Success";
    case LIBUSB_ERROR_IO: return "Input/Output Error";
    case LIBUSB_ERROR_INVALID_PARAM: return "Invalid parameter";
    case LIBUSB_ERROR_ACCESS: return "Access denied (insufficient permissions)";
    case LIBUSB_ERROR_NO_DEVICE: return "No such device (it may have been disconnected)";
    case LIBUSB_ERROR_NOT_FOUND: return "Entity not found";
    case LIBUSB_ERROR_BUSY: return "Resource busy";
    case LIBUSB_ERROR_TIMEOUT: return "Operation timed out";
    case LIBUSB_ERROR_OVERFLOW: return "Overflow";
    case LIBUSB_ERROR_PIPE: return "Pipe error";
    case LIBUSB_ERROR_INTERRUPTED: return "System call interrupted (perhaps due to signal)";
    case LIBUSB_ERROR_NO_MEM: return "Insufficient memory";
    case LIBUSB_ERROR_NOT_SUPPORTED: return "Operation not supported or unimplemented on this platform";
    default: return "Other error";
  }
}

ssize_t LIBUSB_CALL libusb_get_device_list(libusb_context*, libusb_device*** list) {
  // the library reads a device's descriptors when it enumerates it and leaves
  // out one whose descriptors cannot be read
  std::vector<sim::BusDevice> present = sim::devices();
  std::erase_if(present, [](const sim::BusDevice& device) { return device.model->faults().descriptor_error; });
  auto** devices = new libusb_device*[present.size() + 1];
  for (std::size_t i = 0; i < present.size(); ++i) {
    devices[i] = new libusb_device{present[i].address, present[i].identity.descriptor};
  }
  devices[present.size()] = nullptr;
  *list = devices;
  return static_cast<ssize_t>(present.size());
}

void LIBUSB_CALL libusb_free_device_list(libusb_device** list, int unref_devices) {
  if (list == nullptr) return;
  if (unref_devices) {
    for (libusb_device** device = list; *device != nullptr; ++device) delete *device;
  }
  delete[] list;
}

// The library keeps the descriptor it read when it listed the device: this never fails.
int LIBUSB_CALL libusb_get_device_descriptor(libusb_device* dev, libusb_device_descriptor* desc) {
  const sim::DeviceDescriptor& descriptor = dev->descriptor;
  *desc = {};
  desc->bLength = LIBUSB_DT_DEVICE_SIZE;
  desc->bDescriptorType = LIBUSB_DT_DEVICE;
  desc->bcdUSB = descriptor.usb_version;
  desc->bDeviceClass = descriptor.device_class;
  desc->bDeviceSubClass = descriptor.device_subclass;
  desc->bDeviceProtocol = descriptor.device_protocol;
  desc->bMaxPacketSize0 = descriptor.max_packet_size0;
  desc->idVendor = descriptor.vendor_id;
  desc->idProduct = descriptor.product_id;
  desc->bcdDevice = descriptor.release_number;
  desc->bNumConfigurations = 1;
  return LIBUSB_SUCCESS;
}

// The simulated devices all sit on bus 1, numbered by their bus address.
uint8_t LIBUSB_CALL libusb_get_bus_number(libusb_device*) { return 1; }
uint8_t LIBUSB_CALL libusb_get_device_address(libusb_device* dev) { return static_cast<uint8_t>(dev->address); }

int LIBUSB_CALL libusb_open(libusb_device* dev, libusb_device_handle** dev_handle) {
  int handle_id = 0;
  // the whole device is opened, no interface in particular
  const sim::IoStatus status = sim::open_interface(dev->address, -1, handle_id);
  if (status != sim::IoStatus::ok) return error_of(status);
  *dev_handle = new libusb_device_handle{dev->address, handle_id, false, {}};
  return LIBUSB_SUCCESS;
}

void LIBUSB_CALL libusb_close(libusb_device_handle* dev_handle) {
  if (dev_handle == nullptr) return;
  sim::BusDevice device;
  if (find_device(dev_handle->address, device)) {
    for (int interface_number : dev_handle->claimed) {
      if (dev_handle->auto_detach) sim::usb_shim::reattach_kernel_driver(device, interface_number);
    }
  }
  sim::close_interface(dev_handle->handle_id);
  delete dev_handle;
}

int LIBUSB_CALL libusb_set_auto_detach_kernel_driver(libusb_device_handle* dev_handle, int enable) {
  dev_handle->auto_detach = enable != 0;
  if (enable) ++sim::usb_shim::auto_detach_requests;
  return LIBUSB_SUCCESS;
}

int LIBUSB_CALL libusb_claim_interface(libusb_device_handle* dev_handle, int interface_number) {
  // the library remembers its claims and does not ask the kernel again
  if (dev_handle->claimed.contains(interface_number)) return LIBUSB_SUCCESS;
  sim::BusDevice device;
  if (!find_device(dev_handle->address, device)) return LIBUSB_ERROR_NO_DEVICE;
  if (sim::usb_shim::kernel_driver_bound(device, interface_number)) {
    if (!dev_handle->auto_detach) return LIBUSB_ERROR_BUSY;
    sim::usb_shim::detach_kernel_driver(device, interface_number);
  }
  const int error = sim::claim_interface(dev_handle->address, interface_number);
  if (error != 0) return claim_error(error, dev_handle->auto_detach);
  dev_handle->claimed.insert(interface_number);
  return LIBUSB_SUCCESS;
}

int LIBUSB_CALL libusb_release_interface(libusb_device_handle* dev_handle, int interface_number) {
  if (dev_handle->claimed.erase(interface_number) == 0) return LIBUSB_ERROR_NOT_FOUND;
  sim::BusDevice device;
  if (!find_device(dev_handle->address, device)) return LIBUSB_ERROR_NO_DEVICE;
  if (dev_handle->auto_detach) sim::usb_shim::reattach_kernel_driver(device, interface_number);
  return LIBUSB_SUCCESS;
}

int LIBUSB_CALL libusb_control_transfer(libusb_device_handle* dev_handle, uint8_t request_type, uint8_t bRequest,
                                        uint16_t wValue, uint16_t wIndex, unsigned char* data, uint16_t wLength,
                                        unsigned int timeout) {
  sim::ControlSetup setup;
  setup.request_type = request_type;
  setup.request = bRequest;
  setup.value = wValue;
  setup.index = wIndex;
  setup.length = wLength;
  // 0: no limit
  const std::optional<milliseconds> limit = timeout > 0 ? std::optional(milliseconds(timeout)) : std::nullopt;
  const sim::IoResult result = sim::control_transfer(dev_handle->address, setup, {data, wLength}, limit);
  if (result.status != sim::IoStatus::ok) return error_of(result.status);
  return result.bytes;
}

struct libusb_transfer* LIBUSB_CALL libusb_alloc_transfer(int iso_packets) {
  if (iso_packets < 0) return nullptr;
  const std::size_t bytes =
      sizeof(libusb_transfer) + static_cast<std::size_t>(iso_packets) * sizeof(libusb_iso_packet_descriptor);
  return static_cast<libusb_transfer*>(std::calloc(1, bytes));
}

int LIBUSB_CALL libusb_submit_transfer(struct libusb_transfer* transfer) {
  if (transfer == nullptr || transfer->dev_handle == nullptr || transfer->length < 0) return LIBUSB_ERROR_INVALID_PARAM;
  if (transfer->type != LIBUSB_TRANSFER_TYPE_INTERRUPT) return LIBUSB_ERROR_NOT_SUPPORTED;
  sim::BusDevice device;
  if (!find_device(transfer->dev_handle->address, device)) return LIBUSB_ERROR_NO_DEVICE;
  std::lock_guard lock(g_mutex);
  for (const PendingTransfer& pending : g_pending) {
    if (pending.transfer == transfer) return LIBUSB_ERROR_BUSY;
  }
  PendingTransfer pending{transfer, std::nullopt, false};
  if (transfer->timeout > 0) pending.deadline = platform::now() + milliseconds(transfer->timeout);
  transfer->actual_length = 0;
  g_pending.push_back(pending);
  return LIBUSB_SUCCESS;
}

int LIBUSB_CALL libusb_cancel_transfer(struct libusb_transfer* transfer) {
  std::lock_guard lock(g_mutex);
  for (PendingTransfer& pending : g_pending) {
    if (pending.transfer != transfer || pending.cancelled) continue;
    pending.cancelled = true;
    return LIBUSB_SUCCESS;
  }
  return LIBUSB_ERROR_NOT_FOUND;
}

void LIBUSB_CALL libusb_free_transfer(struct libusb_transfer* transfer) {
  if (transfer == nullptr) return;
  // the library would complete it into freed memory later
  if (remove_pending(transfer)) ++sim::usb_shim::transfers_freed_in_flight;
  std::free(transfer);
}

// One pass: a cancelled transfer is called back at once; otherwise the first
// pending transfer waits up to `tv` (and its own time-out) for the device.
int LIBUSB_CALL libusb_handle_events_timeout(libusb_context*, struct timeval* tv) {
  const std::vector<libusb_transfer*> cancelled = take_cancelled();
  if (!cancelled.empty()) {
    for (libusb_transfer* transfer : cancelled) finish(transfer, LIBUSB_TRANSFER_CANCELLED, 0);
    return LIBUSB_SUCCESS;
  }
  PendingTransfer pending;
  {
    std::lock_guard lock(g_mutex);
    if (!g_pending.empty()) pending = g_pending.front();
  }
  milliseconds wait = to_milliseconds(tv);
  if (pending.transfer == nullptr) {
    platform::sleep_for(wait);
    return LIBUSB_SUCCESS;
  }
  if (pending.deadline) {
    wait = std::clamp(std::chrono::ceil<milliseconds>(*pending.deadline - platform::now()), milliseconds(0), wait);
  }
  libusb_transfer* transfer = pending.transfer;
  sim::BusDevice device;
  if (!find_device(transfer->dev_handle->address, device)) {
    if (remove_pending(transfer)) finish(transfer, LIBUSB_TRANSFER_NO_DEVICE, 0);
    return LIBUSB_SUCCESS;
  }
  const sim::IoResult result =
      sim::read_interrupt(device.address, sim::interface_of_endpoint(device.identity, transfer->endpoint),
                          {transfer->buffer, static_cast<std::size_t>(transfer->length)}, wait);
  switch (result.status) {
    case sim::IoStatus::ok:
      if (remove_pending(transfer)) finish(transfer, LIBUSB_TRANSFER_COMPLETED, result.bytes);
      break;
    case sim::IoStatus::timed_out:
      if (pending.deadline && platform::now() >= *pending.deadline && !sim::usb_shim::transfer_timeouts_ignored &&
          remove_pending(transfer)) {
        finish(transfer, LIBUSB_TRANSFER_TIMED_OUT, 0);
      }
      break;
    case sim::IoStatus::gone:
      if (remove_pending(transfer)) finish(transfer, LIBUSB_TRANSFER_NO_DEVICE, 0);
      break;
    default:
      if (remove_pending(transfer)) finish(transfer, LIBUSB_TRANSFER_ERROR, 0);
      break;
  }
  return LIBUSB_SUCCESS;
}

}  // extern "C"
