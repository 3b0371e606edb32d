// The libusb-0.1 functions the transport calls for devices in
// firmware-management and DFU mode, answered by the simulated bus: bus scan,
// device list with each device's configuration (interfaces and alternate
// settings), open, claim and release (failures set errno), control transfers,
// port reset, close and kernel-driver detach. Test executables and vexlink-setwise-sim
// link these in place of the legacy library.
#include <usb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "sim/bus.h"
#include "sim/shims/usb_shim_state.h"

struct usb_dev_handle {
  int address = 0;
  int handle_id = 0;
  std::set<int> claimed;
};

// The library's list of buses, as its header exports it.
struct usb_bus* usb_busses = nullptr;

namespace {

using sim::usb_shim::find_device;

// The configuration of one device as the library parses it: one
// configuration whose interfaces each hold their alternate settings, and the
// class descriptors that follow an interface (DFU functional descriptor) in
// its `extra` bytes.
struct ConfigurationRecords {
  usb_config_descriptor config{};
  std::vector<usb_interface> interfaces;
  std::vector<std::vector<usb_interface_descriptor>> settings;
  std::vector<std::vector<unsigned char>> extras;
};

// One bus holds every simulated device. The list stays as the last scan left
// it; a new scan replaces it, so its pointers live until the next scan.
struct Scan {
  std::unique_ptr<usb_bus> bus;
  std::vector<std::unique_ptr<struct usb_device>> devices;
  std::vector<std::unique_ptr<ConfigurationRecords>> configurations;
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

// DFU functional descriptor (type 0x21, 9 bytes).
std::vector<unsigned char> dfu_functional_descriptor(const sim::DfuInterface& dfu) {
  const auto low = [](std::uint16_t value) { return static_cast<unsigned char>(value & 0xFF); };
  const auto high = [](std::uint16_t value) { return static_cast<unsigned char>(value >> 8); };
  return {9, 0x21, dfu.attributes, low(dfu.detach_timeout_ms), high(dfu.detach_timeout_ms),
          low(dfu.transfer_size), high(dfu.transfer_size), low(dfu.dfu_version), high(dfu.dfu_version)};
}

std::unique_ptr<ConfigurationRecords> configuration_of(const sim::Identity& identity) {
  auto records = std::make_unique<ConfigurationRecords>();
  std::vector<int> numbers;
  for (const sim::InterfaceSetting& setting : sim::interface_settings(identity)) {
    auto at = std::find(numbers.begin(), numbers.end(), setting.interface_number);
    if (at == numbers.end()) {
      numbers.push_back(setting.interface_number);
      records->settings.emplace_back();
      at = numbers.end() - 1;
    }
    std::vector<usb_interface_descriptor>& alternates = records->settings[static_cast<std::size_t>(at - numbers.begin())];
    usb_interface_descriptor descriptor{};
    descriptor.bLength = USB_DT_INTERFACE_SIZE;
    descriptor.bDescriptorType = USB_DT_INTERFACE;
    descriptor.bInterfaceNumber = static_cast<std::uint8_t>(setting.interface_number);
    descriptor.bAlternateSetting = static_cast<std::uint8_t>(alternates.size());
    descriptor.bInterfaceClass = setting.interface_class;
    descriptor.bInterfaceSubClass = setting.subclass;
    descriptor.bInterfaceProtocol = setting.protocol;
    alternates.push_back(descriptor);
    records->extras.push_back(setting.kind == sim::InterfaceSetting::Kind::dfu ? dfu_functional_descriptor(*identity.dfu)
                                                                                : std::vector<unsigned char>{});
  }
  // pointers last, once no vector grows any more
  std::size_t extra_index = 0;
  std::uint16_t total_bytes = USB_DT_CONFIG_SIZE;
  for (std::vector<usb_interface_descriptor>& alternates : records->settings) {
    for (usb_interface_descriptor& descriptor : alternates) {
      std::vector<unsigned char>& extra = records->extras[extra_index++];
      descriptor.extra = extra.empty() ? nullptr : extra.data();
      descriptor.extralen = static_cast<int>(extra.size());
      total_bytes = static_cast<std::uint16_t>(total_bytes + USB_DT_INTERFACE_SIZE + extra.size());
    }
    records->interfaces.push_back({alternates.data(), static_cast<int>(alternates.size())});
  }
  usb_config_descriptor& config = records->config;
  config.bLength = USB_DT_CONFIG_SIZE;
  config.bDescriptorType = USB_DT_CONFIG;
  config.wTotalLength = total_bytes;
  config.bNumInterfaces = static_cast<std::uint8_t>(records->interfaces.size());
  config.bConfigurationValue = 1;
  config.bmAttributes = 0x80;  // bus-powered
  config.MaxPower = 50;        // 2 mA units: 100 mA
  config.interface = records->interfaces.empty() ? nullptr : records->interfaces.data();
  return records;
}

int error_of(sim::IoStatus status) {
  switch (status) {
    case sim::IoStatus::ok:
      return 0;
    case sim::IoStatus::timed_out:
      return ETIMEDOUT;
    case sim::IoStatus::gone:
      return ENODEV;
    case sim::IoStatus::refused:
      return EACCES;
    case sim::IoStatus::stalled:
      return EPIPE;
    case sim::IoStatus::io_error:
      break;
  }
  return EIO;
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
  g_scan.configurations.clear();
  g_scan.addresses.clear();
  struct usb_device* previous = nullptr;
  for (const sim::BusDevice& entry : present) {
    auto device = std::make_unique<struct usb_device>();
    std::snprintf(device->filename, sizeof device->filename, "%03d", entry.address);
    device->bus = g_scan.bus.get();
    fill_descriptor(device->descriptor, entry.identity.descriptor);
    // a device whose configuration cannot be read whole is listed with it
    // empty: the library makes room for it and fills nothing in
    g_scan.configurations.push_back(entry.model->faults().descriptor_error ? std::make_unique<ConfigurationRecords>()
                                                                          : configuration_of(entry.identity));
    device->config = &g_scan.configurations.back()->config;
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

int usb_control_msg(usb_dev_handle* dev, int requesttype, int request, int value, int index, char* bytes, int size,
                    int timeout) {
  // the setup packet carries 16 bits of length
  if (dev == nullptr || size < 0 || size > 0xFFFF || (bytes == nullptr && size > 0)) return fail(EINVAL);
  sim::ControlSetup setup;
  setup.request_type = static_cast<std::uint8_t>(requesttype);
  setup.request = static_cast<std::uint8_t>(request);
  setup.value = static_cast<std::uint16_t>(value);
  setup.index = static_cast<std::uint16_t>(index);
  setup.length = static_cast<std::uint16_t>(size);
  // 0: no limit
  const std::optional<std::chrono::milliseconds> limit =
      timeout > 0 ? std::optional(std::chrono::milliseconds(timeout)) : std::nullopt;
  const sim::IoResult result = sim::control_transfer(
      dev->address, setup, {reinterpret_cast<std::uint8_t*>(bytes), static_cast<std::size_t>(size)}, limit);
  if (result.status != sim::IoStatus::ok) return fail(error_of(result.status));
  return result.bytes;
}

int usb_reset(usb_dev_handle* dev) {
  if (dev == nullptr) return fail(EINVAL);
  if (sim::reset_device(dev->address) != sim::IoStatus::ok) return fail(ENODEV);
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
