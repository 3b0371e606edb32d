// The libusb-0.1 functions the BlueCore channel calls for a device in
// firmware-management mode, answered by the simulated bus: bus scan, device
// list, open, claim and release (failures set errno), close and kernel-driver
// detach. Test executables and vexlink-setwise-sim link these in place of the
// legacy library.
#include <usb.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "sim/bus.h"
#include "sim/usb_shim_state.h"

struct usb_dev_handle {
  int address = 0;
  int handle_id = 0;
  std::set<int> claimed;
};

// The library's list of buses, as its header exports it.
struct usb_bus* usb_busses = nullptr;

namespace {

using sim::usb_shim::find_device;

// One bus holds every simulated device. The list stays as the last scan left
// it; a new scan replaces it, so its pointers live until the next scan.
struct Scan {
  std::unique_ptr<usb_bus> bus;
  std::vector<std::unique_ptr<struct usb_device>> devices;
  std::map<const struct usb_device*, int> addresses;
};

std::mutex g_mutex;
Scan g_scan;
bool g_bus_found = false;

void fill_descriptor(usb_device_descriptor& out, const sim::DeviceDescriptor& descriptor) {
  out = {};
  out.bLength = USB_DT_DEVICE_SIZE;
  out.bDescriptorType = USB_DT_DEVICE;
  out.bcdUSB = descriptor.usb_version;
  out.bDeviceClass = descriptor.device_class;
  out.bDeviceSubClass = descriptor.device_subclass;
  out.bDeviceProtocol = descriptor.device_protocol;
  out.bMaxPacketSize0 = descriptor.max_packet_size0;
  out.idVendor = descriptor.vendor_id;
  out.idProduct = descriptor.product_id;
  out.bcdDevice = descriptor.release_number;
  out.bNumConfigurations = 1;
}

int fail(int error) {
  errno = error;
  return -error;
}

}  // namespace

extern "C" {

int usb_find_busses(void) {
  std::lock_guard lock(g_mutex);
  const int changes = g_bus_found ? 0 : 1;
  g_bus_found = true;
  if (!g_scan.bus) {
    g_scan.bus = std::make_unique<usb_bus>();
    std::snprintf(g_scan.bus->dirname, sizeof g_scan.bus->dirname, "%s", "001");
    g_scan.bus->location = 1;
  }
  usb_busses = g_scan.bus.get();
  return changes;
}

int usb_find_devices(void) {
  const std::vector<sim::BusDevice> present = sim::devices();
  std::lock_guard lock(g_mutex);
  if (!g_scan.bus) return 0;
  const int changes = static_cast<int>(present.size() != g_scan.devices.size());
  g_scan.devices.clear();
  g_scan.addresses.clear();
  struct usb_device* previous = nullptr;
  for (const sim::BusDevice& entry : present) {
    auto device = std::make_unique<struct usb_device>();
    std::snprintf(device->filename, sizeof device->filename, "%03d", entry.address);
    device->bus = g_scan.bus.get();
    fill_descriptor(device->descriptor, entry.identity.descriptor);
    device->devnum = static_cast<std::uint8_t>(entry.address);
    device->prev = previous;
    if (previous != nullptr) previous->next = device.get();
    previous = device.get();
    g_scan.addresses[device.get()] = entry.address;
    g_scan.devices.push_back(std::move(device));
  }
  g_scan.bus->devices = g_scan.devices.empty() ? nullptr : g_scan.devices.front().get();
  return changes;
}

struct usb_bus* usb_get_busses(void) {
  std::lock_guard lock(g_mutex);
  return usb_busses;
}

usb_dev_handle* usb_open(struct usb_device* dev) {
  int address = 0;
  {
    std::lock_guard lock(g_mutex);
    const auto found = g_scan.addresses.find(dev);
    if (found == g_scan.addresses.end()) {
      errno = ENODEV;
      return nullptr;
    }
    address = found->second;
  }
  int handle_id = 0;
  const sim::IoStatus status = sim::open_interface(address, -1, handle_id);
  if (status != sim::IoStatus::ok) {
    errno = status == sim::IoStatus::refused ? EACCES : ENODEV;
    return nullptr;
  }
  return new usb_dev_handle{address, handle_id, {}};
}

int usb_close(usb_dev_handle* dev) {
  if (dev == nullptr) return fail(EINVAL);
  sim::close_interface(dev->handle_id);
  delete dev;
  return 0;
}

int usb_claim_interface(usb_dev_handle* dev, int interface) {
  sim::BusDevice device;
  if (!find_device(dev->address, device)) return fail(ENODEV);
  if (sim::usb_shim::kernel_driver_bound(device, interface)) return fail(EBUSY);
  if (const int error = sim::claim_interface(dev->address, interface); error != 0) return fail(error);
  dev->claimed.insert(interface);
  return 0;
}

int usb_release_interface(usb_dev_handle* dev, int interface) {
  if (dev->claimed.erase(interface) == 0) return fail(ENOENT);
  return 0;
}

int usb_detach_kernel_driver_np(usb_dev_handle* dev, int interface) {
  ++sim::usb_shim::detach_requests;
  sim::BusDevice device;
  if (!find_device(dev->address, device)) return fail(ENODEV);
  // no driver bound to the interface
  if (!sim::usb_shim::detach_kernel_driver(device, interface)) return fail(ENODATA);
  return 0;
}

}  // extern "C"
