#include "transport/device_access.h"

#include <libusb-1.0/libusb.h>
#include <unistd.h>
#include <usb.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

#include "platform/format.h"
#include "platform/log.h"
#include "transport/hid_channel.h"

namespace transport {

namespace {

std::mutex g_reported_mutex;
std::vector<std::string> g_reported_lines;

// usbfs names a device's node by its bus and device numbers, three digits each.
std::string usbfs_node(const std::string& bus, const std::string& device) {
  return "/dev/bus/usb/" + bus + "/" + device;
}

// True when the user may not read and write `node`.
bool node_refused(const std::string& node) { return access(node.c_str(), R_OK | W_OK) != 0 && errno == EACCES; }

std::string legacy_usb_node(const struct usb_device& device) {
  return usbfs_node(device.bus != nullptr ? device.bus->dirname : "", device.filename);
}

}  // namespace

std::string access_denied_line(const std::string& node, std::uint16_t vendor_id, std::uint16_t product_id) {
  return platform::format("No permission to open %@ (USB device %04X:%04X): the udev rule %@ is not installed",
                          node, vendor_id, product_id, k_udev_rule_name);
}

void report_access_denied(const std::string& node, std::uint16_t vendor_id, std::uint16_t product_id) {
  if (vendor_id != k_hid_vendor_id) return;
  const std::string line = access_denied_line(node, vendor_id, product_id);
  platform::system_log(line);
  std::lock_guard lock(g_reported_mutex);
  if (std::find(g_reported_lines.begin(), g_reported_lines.end(), line) == g_reported_lines.end()) {
    g_reported_lines.push_back(line);
  }
}

void report_if_hid_access_denied(const char* path, std::uint16_t vendor_id, std::uint16_t product_id) {
  if (path != nullptr && node_refused(path)) report_access_denied(path, vendor_id, product_id);
}

void report_if_libusb_access_denied(int result, libusb_device* device) {
  if (result != LIBUSB_ERROR_ACCESS || device == nullptr) return;
  libusb_device_descriptor descriptor{};
  if (libusb_get_device_descriptor(device, &descriptor) != LIBUSB_SUCCESS) return;
  report_access_denied(usbfs_node(platform::format("%03d", static_cast<int>(libusb_get_bus_number(device))),
                                  platform::format("%03d", static_cast<int>(libusb_get_device_address(device)))),
                       descriptor.idVendor, descriptor.idProduct);
}

usb_dev_handle* open_legacy_usb(struct usb_device* device) {
  usb_dev_handle* handle = usb_open(device);
  if (handle != nullptr || device == nullptr) return handle;
  const int error = errno;
  const std::string node = legacy_usb_node(*device);
  if (error == EACCES || node_refused(node)) {
    report_access_denied(node, device->descriptor.idVendor, device->descriptor.idProduct);
  }
  errno = error;
  return nullptr;
}

bool report_if_legacy_usb_access_denied(struct usb_device* device) {
  if (device == nullptr) return false;
  const std::string node = legacy_usb_node(*device);
  if (!node_refused(node)) return false;
  report_access_denied(node, device->descriptor.idVendor, device->descriptor.idProduct);
  return true;
}

std::vector<std::string> access_denied_lines() {
  std::lock_guard lock(g_reported_mutex);
  return g_reported_lines;
}

}  // namespace transport
