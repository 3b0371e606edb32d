#pragma once
// What a simulated USB device shows the host: its device descriptor and its
// interfaces. One device may offer HID collections (read through hidapi), a
// BlueCore HCI interface (libusb-1.0) and a DFU interface (libusb-0.1); the
// identity changes as a real device's does when it reboots into another mode.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct DeviceDescriptor {
  std::uint16_t usb_version = 0x0200;  // bcdUSB
  std::uint8_t device_class = 0;
  std::uint8_t device_subclass = 0;
  std::uint8_t device_protocol = 0;
  std::uint8_t max_packet_size0 = 64;  // bytes, default control pipe
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t release_number = 0x0100;  // bcdDevice
  std::string manufacturer;
  std::string product;
  std::string serial_number;
};

// One top-level HID collection; collections on the same interface share a path.
struct HidCollection {
  std::uint16_t usage_page = 0xFF00;
  std::uint16_t usage = 1;
  int interface_number = 0;
};

inline constexpr HidCollection k_vendor_collection{0xFF00, 1, 0};
inline constexpr HidCollection k_keyboard_collection{0x0001, 0x0006, 0};

// Bluetooth HCI interface of a BlueCore chip (wireless controller class 0xE0/1/1):
// commands go over the default control pipe, events come on the interrupt endpoint.
struct BlueCoreInterface {
  int interface_number = 0;
  std::uint8_t event_endpoint = 0x81;
  std::uint8_t acl_in_endpoint = 0x82;
  std::uint8_t acl_out_endpoint = 0x02;
};

// USB DFU interface (application-specific class 0xFE, subclass 1) and its
// functional descriptor. BlueCore boot loaders show protocol 0 in both modes;
// DFU 1.1 devices show 1 in run-time mode and 2 in DFU mode.
struct DfuInterface {
  int interface_number = 0;
  std::uint8_t protocol = 0;
  bool run_time = false;               // the application's interface (appIDLE), not the boot loader's
  std::uint8_t attributes = 0x07;      // can download, can upload, manifestation tolerant
  std::uint16_t detach_timeout_ms = 1000;
  std::uint16_t transfer_size = 1024;  // bytes per DFU_DNLOAD/DFU_UPLOAD
  std::uint16_t dfu_version = 0x0110;
};

struct Identity {
  DeviceDescriptor descriptor{};
  std::vector<HidCollection> hid{};
  std::optional<BlueCoreInterface> bluecore{};
  std::optional<DfuInterface> dfu{};
};

// Setup packet of a transfer on the default control pipe.
struct ControlSetup {
  std::uint8_t request_type = 0;  // bmRequestType; bit 7 set: device to host
  std::uint8_t request = 0;
  std::uint16_t value = 0;
  std::uint16_t index = 0;
  std::uint16_t length = 0;
  bool device_to_host() const { return (request_type & 0x80) != 0; }
};

// HID class requests (GET_REPORT/SET_REPORT) and their report types (wValue high byte).
inline constexpr std::uint8_t k_hid_get_report = 0x01;
inline constexpr std::uint8_t k_hid_set_report = 0x09;
inline constexpr std::uint8_t k_hid_input_report = 1;
inline constexpr std::uint8_t k_hid_feature_report = 3;

}  // namespace sim
