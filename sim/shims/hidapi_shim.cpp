// The hidapi functions the transport calls, answered by the simulated bus.
// Test executables and vexlink-setwise-sim link these in place of hidapi.
#include <hidapi/hidapi.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <string>

#include "sim/bus.h"

struct hid_device_ {
  int address = 0;
  int interface_number = 0;
  int handle_id = 0;
  std::wstring error = L"Success";
};

namespace {

std::mutex g_error_mutex;
std::wstring g_global_error = L"Success";

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

void set_error(hid_device* device, const std::string& text) {
  if (device != nullptr) {
    device->error = widen(text);
    return;
  }
  std::lock_guard lock(g_error_mutex);
  g_global_error = widen(text);
}

char* copy_text(const std::string& text) {
  char* copy = new char[text.size() + 1];
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

wchar_t* copy_wide(const std::string& text) {
  const std::wstring wide = widen(text);
  wchar_t* copy = new wchar_t[wide.size() + 1];
  std::wmemcpy(copy, wide.c_str(), wide.size() + 1);
  return copy;
}

// hidraw gives each interface one node; every collection on it shares the path.
std::string hid_path(int address, int interface_number) {
  return "/dev/sim-hid/" + std::to_string(address) + "/" + std::to_string(interface_number);
}

bool parse_hid_path(const char* path, int& address, int& interface_number) {
  char tail = 0;
  return path != nullptr && std::sscanf(path, "/dev/sim-hid/%d/%d%c", &address, &interface_number, &tail) == 2;
}

bool has_hid_interface(int address, int interface_number) {
  for (const sim::BusDevice& device : sim::devices()) {
    if (device.address != address) continue;
    for (const sim::HidCollection& collection : device.identity.hid) {
      if (collection.interface_number == interface_number) return true;
    }
  }
  return false;
}

int report_transfer(hid_device* device, std::uint8_t request, std::uint8_t report_type, unsigned char* data,
                    size_t length) {
  if (device == nullptr || data == nullptr || !sim::hid_report_fits(length)) {
    set_error(device, "Invalid argument");
    return -1;
  }
  const std::size_t unsent = sim::hid_unsent_id_bytes(data[0]);
  const sim::ControlSetup setup =
      sim::hid_report_request(request, report_type, data[0], device->interface_number, length - unsent);
  const sim::IoResult result = sim::control_transfer(device->address, setup, {data + unsent, setup.length});
  if (result.status != sim::IoStatus::ok) {
    set_error(device, sim::describe(result.status));
    return -1;
  }
  return result.bytes + static_cast<int>(unsent);
}

}  // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void) { return 0; }

int HID_API_EXPORT HID_API_CALL hid_exit(void) { return 0; }

struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
  hid_device_info* first = nullptr;
  hid_device_info** link = &first;
  for (const sim::BusDevice& device : sim::devices()) {
    const sim::DeviceDescriptor& descriptor = device.identity.descriptor;
    if (vendor_id != 0 && descriptor.vendor_id != vendor_id) continue;
    if (product_id != 0 && descriptor.product_id != product_id) continue;
    for (const sim::HidCollection& collection : device.identity.hid) {
      auto* entry = new hid_device_info{};
      entry->path = copy_text(hid_path(device.address, collection.interface_number));
      entry->vendor_id = descriptor.vendor_id;
      entry->product_id = descriptor.product_id;
      entry->serial_number = copy_wide(descriptor.serial_number);
      entry->release_number = descriptor.release_number;
      entry->manufacturer_string = copy_wide(descriptor.manufacturer);
      entry->product_string = copy_wide(descriptor.product);
      entry->usage_page = collection.usage_page;
      entry->usage = collection.usage;
      entry->interface_number = collection.interface_number;
      entry->bus_type = HID_API_BUS_USB;
      *link = entry;
      link = &entry->next;
    }
  }
  return first;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info* devs) {
  while (devs != nullptr) {
    hid_device_info* next = devs->next;
    delete[] devs->path;
    delete[] devs->serial_number;
    delete[] devs->manufacturer_string;
    delete[] devs->product_string;
    delete devs;
    devs = next;
  }
}

HID_API_EXPORT hid_device* HID_API_CALL hid_open_path(const char* path) {
  int address = 0;
  int interface_number = 0;
  if (!parse_hid_path(path, address, interface_number) || !has_hid_interface(address, interface_number)) {
    set_error(nullptr, sim::describe(sim::IoStatus::gone));
    return nullptr;
  }
  int handle_id = 0;
  const sim::IoStatus status = sim::open_interface(address, interface_number, handle_id);
  if (status != sim::IoStatus::ok) {
    set_error(nullptr, sim::describe(status));
    return nullptr;
  }
  auto* device = new hid_device;
  device->address = address;
  device->interface_number = interface_number;
  device->handle_id = handle_id;
  return device;
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device* dev, const unsigned char* data, size_t length) {
  if (dev == nullptr || data == nullptr || !sim::hid_report_fits(length)) {
    set_error(dev, "Invalid argument");
    return -1;
  }
  const std::size_t unsent = sim::hid_unsent_id_bytes(data[0]);
  const sim::IoResult result =
      sim::write_interrupt(dev->address, dev->interface_number, {data + unsent, length - unsent});
  if (result.status != sim::IoStatus::ok) {
    set_error(dev, sim::describe(result.status));
    return -1;
  }
  return result.bytes + static_cast<int>(unsent);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device* dev, unsigned char* data, size_t length,
                                                 int milliseconds) {
  if (dev == nullptr || data == nullptr) return -1;
  std::optional<std::chrono::milliseconds> timeout;
  if (milliseconds >= 0) timeout = std::chrono::milliseconds(milliseconds);
  const sim::IoResult result = sim::read_interrupt(dev->address, dev->interface_number, {data, length}, timeout);
  if (result.status == sim::IoStatus::ok) return result.bytes;
  // hidapi reports a time-out as 0 bytes; a blocking read that never ends is a test failure instead.
  if (result.status == sim::IoStatus::timed_out && timeout) return 0;
  set_error(dev, sim::describe(result.status));
  return -1;
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device* dev, unsigned char* data, size_t length) {
  return hid_read_timeout(dev, data, length, -1);
}

int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device* dev, unsigned char* data, size_t length) {
  return report_transfer(dev, sim::k_hid_get_report, sim::k_hid_input_report, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device* dev, const unsigned char* data, size_t length) {
  // A SET_REPORT data stage is only read, never written.
  return report_transfer(dev, sim::k_hid_set_report, sim::k_hid_feature_report, const_cast<unsigned char*>(data),
                         length);
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device* dev, unsigned char* data, size_t length) {
  return report_transfer(dev, sim::k_hid_get_report, sim::k_hid_feature_report, data, length);
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device* dev) {
  if (dev == nullptr) return;
  sim::close_interface(dev->handle_id);
  delete dev;
}

HID_API_EXPORT const wchar_t* HID_API_CALL hid_error(hid_device* dev) {
  if (dev != nullptr) return dev->error.c_str();
  std::lock_guard lock(g_error_mutex);
  return g_global_error.c_str();
}

}  // extern "C"
