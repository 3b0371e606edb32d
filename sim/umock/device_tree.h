#pragma once
// The kernel's view of a device on the bus, written as the device-description
// text umockdev reads (the umockdev-record format): the USB device with its
// `descriptors` attribute and usbfs node /dev/bus/usb/001/DDD, one USB
// interface per interface of the identity, and for each HID interface the hid
// device (HID_ID, HID_NAME, report_descriptor) with its hidraw node.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/bus.h"

namespace sim::umock {

// One device node of the tree.
struct NodeSpec {
  enum class Kind { hidraw, usbfs };
  Kind kind = Kind::hidraw;
  std::string devnode;       // "/dev/hidraw3", "/dev/bus/usb/001/007"
  int interface_number = -1;  // the HID interface a hidraw node carries; -1 for usbfs
  std::vector<std::uint8_t> report_descriptor{};  // hidraw only
};

struct DeviceTree {
  std::string text;
  // The device's descriptors cannot be read (Faults::descriptor_error): the
  // tree has no `descriptors` attribute, the usbfs node ends after the head
  // of the configuration and a request for the configuration stalls.
  bool descriptors_unreadable = false;
  // Sysfs paths (from /devices/) of the device and its children, children last.
  std::vector<std::string> device_paths;
  std::vector<NodeSpec> nodes;
};

// The bus number and the device number of a bus address, as usbfs names them;
// number 1 is the bus's root hub.
inline constexpr int k_usb_bus_number = 1;
inline constexpr int k_root_hub_number = 1;
int usb_device_number(int address);

// The root hub every bus has, so the testbed's /dev/bus/usb is never empty
// (libusb-0.1 looks for a non-empty usbfs directory when it starts).
DeviceTree root_hub_tree();

// The tree of `device`; its hidraw nodes are numbered from `first_hidraw`.
DeviceTree device_tree(const BusDevice& device, int first_hidraw);

// The device descriptor and the configuration descriptor with its interface,
// HID, DFU functional and endpoint descriptors, as the sysfs `descriptors`
// attribute and a usbfs node read them.
std::vector<std::uint8_t> usb_descriptors(const Identity& identity);

}  // namespace sim::umock
