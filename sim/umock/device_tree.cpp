#include "sim/umock/device_tree.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "sim/umock/report_descriptor.h"

namespace sim::umock {

namespace {

constexpr std::uint8_t k_hid_class = 0x03;
constexpr std::uint8_t k_wireless_class = 0xE0;
constexpr std::uint8_t k_application_class = 0xFE;
constexpr std::uint8_t k_endpoint_interrupt = 0x03;
constexpr std::uint8_t k_endpoint_bulk = 0x02;
constexpr int k_hidraw_major = 240;
constexpr int k_usb_device_major = 189;

std::string format(const char* pattern, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (std::uint8_t byte : bytes) text += format("%02X", byte);
  return text;
}

void append16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void append_endpoint(std::vector<std::uint8_t>& bytes, std::uint8_t address, std::uint8_t attributes,
                     std::uint16_t max_packet, std::uint8_t interval) {
  bytes.insert(bytes.end(), {7, 0x05, address, attributes});
  append16(bytes, max_packet);
  bytes.push_back(interval);
}

// One interface of the configuration, in interface-number order.
struct InterfaceInfo {
  int number = 0;
  std::uint8_t interface_class = 0;
  std::uint8_t subclass = 0;
  std::uint8_t protocol = 0;
  std::vector<HidCollection> collections;  // HID interfaces
};

std::vector<InterfaceInfo> interfaces_of(const Identity& identity) {
  std::map<int, InterfaceInfo> by_number;
  for (const HidCollection& collection : identity.hid) {
    InterfaceInfo& info = by_number[collection.interface_number];
    info.number = collection.interface_number;
    info.interface_class = k_hid_class;
    // a boot keyboard says so in its subclass and protocol
    if (collection.reports == HidReports::keyboard) {
      info.subclass = 1;
      info.protocol = 1;
    }
    info.collections.push_back(collection);
  }
  if (identity.bluecore) {
    by_number[identity.bluecore->interface_number] = {identity.bluecore->interface_number, k_wireless_class, 1, 1, {}};
  }
  if (identity.dfu) {
    by_number[identity.dfu->interface_number] = {identity.dfu->interface_number, k_application_class, 1,
                                                 identity.dfu->protocol, {}};
  }
  std::vector<InterfaceInfo> interfaces;
  for (auto& [number, info] : by_number) interfaces.push_back(std::move(info));
  return interfaces;
}

std::vector<std::uint8_t> interface_descriptors(const Identity& identity, const InterfaceInfo& info) {
  std::vector<std::uint8_t> bytes;
  const auto interface_header = [&](std::uint8_t endpoints) {
    bytes.insert(bytes.end(), {9, 0x04, static_cast<std::uint8_t>(info.number), 0, endpoints, info.interface_class,
                               info.subclass, info.protocol, 0});
  };
  if (info.interface_class == k_hid_class) {
    interface_header(2);
    const std::vector<std::uint8_t> report = report_descriptor(info.collections);
    bytes.insert(bytes.end(), {9, 0x21, 0x11, 0x01, 0, 1, 0x22});
    append16(bytes, static_cast<std::uint16_t>(report.size()));
    append_endpoint(bytes, hid_in_endpoint(info.number), k_endpoint_interrupt, 64, 1);
    append_endpoint(bytes, hid_out_endpoint(info.number), k_endpoint_interrupt, 64, 1);
  } else if (info.interface_class == k_wireless_class) {
    const BlueCoreInterface& bluecore = *identity.bluecore;
    interface_header(3);
    append_endpoint(bytes, bluecore.event_endpoint, k_endpoint_interrupt, 16, 1);
    append_endpoint(bytes, bluecore.acl_in_endpoint, k_endpoint_bulk, 64, 0);
    append_endpoint(bytes, bluecore.acl_out_endpoint, k_endpoint_bulk, 64, 0);
  } else {
    const DfuInterface& dfu = *identity.dfu;
    interface_header(0);
    bytes.insert(bytes.end(), {9, 0x21, dfu.attributes});
    append16(bytes, dfu.detach_timeout_ms);
    append16(bytes, dfu.transfer_size);
    append16(bytes, dfu.dfu_version);
  }
  return bytes;
}

std::string hid_name(const DeviceDescriptor& descriptor) {
  if (descriptor.manufacturer.empty()) return descriptor.product;
  return descriptor.manufacturer + " " + descriptor.product;
}

}  // namespace

int usb_device_number(int address) { return (address - 1) % 127 + 1; }

std::vector<std::uint8_t> usb_descriptors(const Identity& identity) {
  const DeviceDescriptor& device = identity.descriptor;
  std::vector<std::uint8_t> bytes{18, 0x01};
  append16(bytes, device.usb_version);
  bytes.insert(bytes.end(), {device.device_class, device.device_subclass, device.device_protocol,
                             device.max_packet_size0});
  append16(bytes, device.vendor_id);
  append16(bytes, device.product_id);
  append16(bytes, device.release_number);
  bytes.insert(bytes.end(), {1, 2, 3, 1});  // string indexes, one configuration

  const std::vector<InterfaceInfo> interfaces = interfaces_of(identity);
  std::vector<std::uint8_t> body;
  for (const InterfaceInfo& info : interfaces) {
    const std::vector<std::uint8_t> one = interface_descriptors(identity, info);
    body.insert(body.end(), one.begin(), one.end());
  }
  bytes.insert(bytes.end(), {9, 0x02});
  append16(bytes, static_cast<std::uint16_t>(9 + body.size()));
  bytes.insert(bytes.end(), {static_cast<std::uint8_t>(interfaces.size()), 1, 0, 0x80, 50});  // bus powered, 100 mA
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

DeviceTree device_tree(const BusDevice& device, int first_hidraw) {
  const DeviceDescriptor& descriptor = device.identity.descriptor;
  const int number = usb_device_number(device.address);
  const std::string name = format("%d-%d", k_usb_bus_number, device.address);
  const std::string usb_path = "/devices/pci0000:00/0000:00:14.0/usb1/" + name;
  const std::string usbfs = format("bus/usb/%03d/%03d", k_usb_bus_number, number);
  const std::vector<std::uint8_t> descriptors = usb_descriptors(device.identity);

  DeviceTree tree;
  tree.descriptors_unreadable = device.model && device.model->faults().descriptor_error;
  std::string& text = tree.text;
  text += "P: " + usb_path + "\n";
  text += "N: " + usbfs + "=" + hex(descriptors) + "\n";
  text += "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n";
  text += "E: DEVNAME=/dev/" + usbfs + "\n";
  text += format("E: BUSNUM=%03d\nE: DEVNUM=%03d\n", k_usb_bus_number, number);
  const int minor = (k_usb_bus_number - 1) * 128 + number - 1;
  text += format("E: MAJOR=%d\nE: MINOR=%d\nA: dev=%d:%d\n", k_usb_device_major, minor, k_usb_device_major, minor);
  text += format("E: PRODUCT=%x/%x/%x\n", descriptor.vendor_id, descriptor.product_id, descriptor.release_number);
  text += format("A: idVendor=%04x\nA: idProduct=%04x\nA: bcdDevice=%04x\n", descriptor.vendor_id,
                 descriptor.product_id, descriptor.release_number);
  text += format("A: bDeviceClass=%02x\nA: bDeviceSubClass=%02x\nA: bDeviceProtocol=%02x\n", descriptor.device_class,
                 descriptor.device_subclass, descriptor.device_protocol);
  text += format("A: busnum=%d\nA: devnum=%d\nA: speed=12\nA: bConfigurationValue=1\nA: bNumConfigurations=1\n",
                 k_usb_bus_number, number);
  text += "A: manufacturer=" + descriptor.manufacturer + "\n";
  text += "A: product=" + descriptor.product + "\n";
  text += "A: serial=" + descriptor.serial_number + "\n";
  if (!tree.descriptors_unreadable) text += "H: descriptors=" + hex(descriptors) + "\n";
  text += "\n";
  tree.device_paths.push_back(usb_path);
  tree.nodes.push_back({NodeSpec::Kind::usbfs, "/dev/" + usbfs, -1, {}});

  int hidraw = first_hidraw;
  for (const InterfaceInfo& info : interfaces_of(device.identity)) {
    const std::string interface_path = usb_path + format("/%s:1.%d", name.c_str(), info.number);
    text += "P: " + interface_path + "\n";
    text += "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\n";
    text += format("E: INTERFACE=%d/%d/%d\n", info.interface_class, info.subclass, info.protocol);
    text += format("A: bInterfaceNumber=%02x\nA: bAlternateSetting=00\nA: bInterfaceClass=%02x\n", info.number,
                   info.interface_class);
    text += format("A: bInterfaceSubClass=%02x\nA: bInterfaceProtocol=%02x\n\n", info.subclass, info.protocol);
    tree.device_paths.push_back(interface_path);
    if (info.collections.empty()) continue;

    const std::vector<std::uint8_t> report = report_descriptor(info.collections);
    const std::string hid_path =
        interface_path + format("/%04X:%04X:%04X.%04X", 3, descriptor.vendor_id, descriptor.product_id, hidraw);
    text += "P: " + hid_path + "\n";
    text += "E: SUBSYSTEM=hid\n";
    text += format("E: HID_ID=%04X:%08X:%08X\n", 3, descriptor.vendor_id, descriptor.product_id);
    text += "E: HID_NAME=" + hid_name(descriptor) + "\n";
    text += format("E: HID_PHYS=usb-0000:00:14.0-%d/input%d\n", device.address, info.number);
    text += "E: HID_UNIQ=" + descriptor.serial_number + "\n";
    text += format("E: MODALIAS=hid:b0003g0001v%08Xp%08X\n", descriptor.vendor_id, descriptor.product_id);
    text += "H: report_descriptor=" + hex(report) + "\n\n";
    tree.device_paths.push_back(hid_path);

    const std::string hidraw_name = format("hidraw%d", hidraw);
    const std::string hidraw_path = hid_path + "/hidraw/" + hidraw_name;
    text += "P: " + hidraw_path + "\n";
    text += "N: " + hidraw_name + "\n";
    text += "E: SUBSYSTEM=hidraw\nE: DEVNAME=/dev/" + hidraw_name + "\n";
    text += format("E: MAJOR=%d\nE: MINOR=%d\nA: dev=%d:%d\n", k_hidraw_major, hidraw, k_hidraw_major, hidraw);
    // hidapi finds the report descriptor through the hidraw device's "device" link
    text += "L: device=../../\n\n";
    tree.device_paths.push_back(hidraw_path);
    tree.nodes.push_back({NodeSpec::Kind::hidraw, "/dev/" + hidraw_name, info.number, report});
    ++hidraw;
  }
  return tree;
}

}  // namespace sim::umock
