#include "sim/umock/device_tree.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "sim/umock/report_descriptor.h"

namespace sim::umock {

namespace {

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

// The HID collections on an interface.
std::vector<HidCollection> collections_on(const Identity& identity, int interface_number) {
  std::vector<HidCollection> collections;
  for (const HidCollection& collection : identity.hid) {
    if (collection.interface_number == interface_number) collections.push_back(collection);
  }
  return collections;
}

// One alternate setting: its interface descriptor and what follows it.
std::vector<std::uint8_t> setting_descriptors(const Identity& identity, const InterfaceSetting& setting,
                                              std::uint8_t alternate) {
  std::vector<std::uint8_t> bytes;
  const auto interface_header = [&](std::uint8_t endpoints) {
    bytes.insert(bytes.end(), {9, 0x04, static_cast<std::uint8_t>(setting.interface_number), alternate, endpoints,
                               setting.interface_class, setting.subclass, setting.protocol, 0});
  };
  switch (setting.kind) {
    case InterfaceSetting::Kind::hid: {
      interface_header(2);
      const std::vector<std::uint8_t> report = report_descriptor(collections_on(identity, setting.interface_number));
      bytes.insert(bytes.end(), {9, 0x21, 0x11, 0x01, 0, 1, 0x22});
      append16(bytes, static_cast<std::uint16_t>(report.size()));
      append_endpoint(bytes, hid_in_endpoint(setting.interface_number), k_endpoint_interrupt, 64, 1);
      append_endpoint(bytes, hid_out_endpoint(setting.interface_number), k_endpoint_interrupt, 64, 1);
      break;
    }
    case InterfaceSetting::Kind::bluecore: {
      const BlueCoreInterface& bluecore = *identity.bluecore;
      interface_header(3);
      append_endpoint(bytes, bluecore.event_endpoint, k_endpoint_interrupt, 16, 1);
      append_endpoint(bytes, bluecore.acl_in_endpoint, k_endpoint_bulk, 64, 0);
      append_endpoint(bytes, bluecore.acl_out_endpoint, k_endpoint_bulk, 64, 0);
      break;
    }
    case InterfaceSetting::Kind::dfu: {
      const DfuInterface& dfu = *identity.dfu;
      interface_header(0);
      bytes.insert(bytes.end(), {9, 0x21, dfu.attributes});
      append16(bytes, dfu.detach_timeout_ms);
      append16(bytes, dfu.transfer_size);
      append16(bytes, dfu.dfu_version);
      break;
    }
  }
  return bytes;
}

// The first setting of each interface, in the order the identity shows them.
std::vector<InterfaceSetting> first_settings(const Identity& identity) {
  std::vector<InterfaceSetting> first;
  for (const InterfaceSetting& setting : interface_settings(identity)) {
    const bool seen = std::any_of(first.begin(), first.end(), [&](const InterfaceSetting& other) {
      return other.interface_number == setting.interface_number;
    });
    if (!seen) first.push_back(setting);
  }
  return first;
}

std::string hid_name(const DeviceDescriptor& descriptor) {
  if (descriptor.manufacturer.empty()) return descriptor.product;
  return descriptor.manufacturer + " " + descriptor.product;
}

}  // namespace

int usb_device_number(int address) { return (address - 1) % 126 + 2; }

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

  std::map<int, std::uint8_t> alternates;  // next alternate setting by interface number
  std::vector<std::uint8_t> body;
  for (const InterfaceSetting& setting : interface_settings(identity)) {
    const std::vector<std::uint8_t> one = setting_descriptors(identity, setting, alternates[setting.interface_number]++);
    body.insert(body.end(), one.begin(), one.end());
  }
  bytes.insert(bytes.end(), {9, 0x02});
  append16(bytes, static_cast<std::uint16_t>(9 + body.size()));
  bytes.insert(bytes.end(), {static_cast<std::uint8_t>(alternates.size()), 1, 0, 0x80, 50});  // bus powered, 100 mA
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

DeviceTree root_hub_tree() {
  // a USB 2.0 root hub: hub class, one configuration with the hub interface
  // and its status-change endpoint
  const std::vector<std::uint8_t> descriptors = {
      18, 0x01, 0x00, 0x02, 0x09, 0x00, 0x01, 64, 0x6B, 0x1D, 0x02, 0x00, 0x01, 0x06, 3, 2, 1, 1,
      9, 0x02, 25, 0, 1, 1, 0, 0xE0, 0,
      9, 0x04, 0, 0, 1, 0x09, 0, 0, 0,
      7, 0x05, 0x81, 0x03, 4, 0, 12};
  const std::string usbfs = format("bus/usb/%03d/%03d", k_usb_bus_number, k_root_hub_number);
  DeviceTree tree;
  tree.text = "P: /devices/pci0000:00/0000:00:14.0/usb1\n";
  tree.text += "N: " + usbfs + "=" + hex(descriptors) + "\n";
  tree.text += "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=/dev/" + usbfs + "\n";
  tree.text += format("E: BUSNUM=%03d\nE: DEVNUM=%03d\n", k_usb_bus_number, k_root_hub_number);
  tree.text += "A: idVendor=1d6b\nA: idProduct=0002\nA: bcdDevice=0601\nA: bDeviceClass=09\n";
  tree.text += format("A: busnum=%d\nA: devnum=%d\nA: speed=480\nA: bConfigurationValue=1\n", k_usb_bus_number,
                      k_root_hub_number);
  tree.text += "A: manufacturer=Linux xhci-hcd\nA: product=xHCI Host Controller\nA: serial=0000:00:14.0\n";
  tree.text += "H: descriptors=" + hex(descriptors) + "\n\n";
  tree.device_paths.push_back("/devices/pci0000:00/0000:00:14.0/usb1");
  tree.nodes.push_back({NodeSpec::Kind::usbfs, "/dev/" + usbfs, -1, {}});
  return tree;
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
  // reading the node gives the descriptors, as usbfs does; when the
  // configuration cannot be read, its first descriptor ends the node
  constexpr std::size_t k_up_to_configuration_header = 18 + 9;
  const std::vector<std::uint8_t> node_bytes =
      tree.descriptors_unreadable
          ? std::vector<std::uint8_t>(descriptors.begin(), descriptors.begin() + k_up_to_configuration_header)
          : descriptors;
  text += "N: " + usbfs + "=" + hex(node_bytes) + "\n";
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
  for (const InterfaceSetting& setting : first_settings(device.identity)) {
    const int number = setting.interface_number;
    const std::string interface_path = usb_path + format("/%s:1.%d", name.c_str(), number);
    text += "P: " + interface_path + "\n";
    text += "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\n";
    text += format("E: INTERFACE=%d/%d/%d\n", setting.interface_class, setting.subclass, setting.protocol);
    text += format("A: bInterfaceNumber=%02x\nA: bAlternateSetting=00\nA: bInterfaceClass=%02x\n", number,
                   setting.interface_class);
    text += format("A: bInterfaceSubClass=%02x\nA: bInterfaceProtocol=%02x\n\n", setting.subclass, setting.protocol);
    tree.device_paths.push_back(interface_path);
    const std::vector<HidCollection> collections = collections_on(device.identity, number);
    if (collections.empty()) continue;

    const std::vector<std::uint8_t> report = report_descriptor(collections);
    const std::string hid_path =
        interface_path + format("/%04X:%04X:%04X.%04X", 3, descriptor.vendor_id, descriptor.product_id, hidraw);
    text += "P: " + hid_path + "\n";
    text += "E: SUBSYSTEM=hid\n";
    text += format("E: HID_ID=%04X:%08X:%08X\n", 3, descriptor.vendor_id, descriptor.product_id);
    text += "E: HID_NAME=" + hid_name(descriptor) + "\n";
    text += format("E: HID_PHYS=usb-0000:00:14.0-%d/input%d\n", device.address, number);
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
    tree.nodes.push_back({NodeSpec::Kind::hidraw, "/dev/" + hidraw_name, number, report});
    ++hidraw;
  }
  return tree;
}

}  // namespace sim::umock
