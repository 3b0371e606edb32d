#pragma once
// What a simulated USB device shows the host: its device descriptor and its
// interfaces. One device may offer HID collections (read through hidapi), a
// BlueCore HCI interface (libusb-1.0) and a DFU interface (libusb-0.1); the
// identity changes as a real device's does when it reboots into another mode.
#include <cstddef>
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

// The reports a collection carries, as its report descriptor declares them.
// Sizes are without the report id byte.
enum class HidReports {
  command,        // report id 1: 1022-byte output (long command), 66-byte input (status)
  short_command,  // report id 1: 64-byte output and input
  language_pack,  // report id 1: 61-byte output; report id 2: 61-byte input, fetched with GET_REPORT
  keyboard,       // boot keyboard without report ids: 8-byte input, 1-byte LED output
};

// One top-level HID collection; collections on the same interface share a path.
struct HidCollection {
  std::uint16_t usage_page = 0xFF00;
  std::uint16_t usage = 1;
  int interface_number = 0;
  HidReports reports = HidReports::command;
};

inline constexpr HidCollection k_vendor_collection{0xFF00, 1, 0};
inline constexpr HidCollection k_keyboard_collection{0x0001, 0x0006, 0, HidReports::keyboard};

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

// One alternate setting of an interface as the configuration descriptor shows it.
struct InterfaceSetting {
  enum class Kind { hid, bluecore, dfu };
  Kind kind = Kind::hid;
  int interface_number = 0;
  std::uint8_t interface_class = 0;
  std::uint8_t subclass = 0;
  std::uint8_t protocol = 0;
};

// The settings the identity shows, in the order HID, BlueCore HCI, DFU; a
// setting on an interface number shown before is its next alternate setting,
// as a BlueCore chip in firmware-management mode shows its DFU interface.
// Collections on one interface share one setting; a boot keyboard says so in
// subclass and protocol.
inline std::vector<InterfaceSetting> interface_settings(const Identity& identity) {
  std::vector<InterfaceSetting> settings;
  for (const HidCollection& collection : identity.hid) {
    auto known = settings.begin();
    while (known != settings.end() && known->interface_number != collection.interface_number) ++known;
    if (known == settings.end()) {
      settings.push_back({InterfaceSetting::Kind::hid, collection.interface_number, 0x03, 0, 0});
      known = settings.end() - 1;
    }
    if (collection.reports == HidReports::keyboard) known->subclass = known->protocol = 1;
  }
  if (identity.bluecore) {
    settings.push_back({InterfaceSetting::Kind::bluecore, identity.bluecore->interface_number, 0xE0, 0x01, 0x01});
  }
  if (identity.dfu) {
    settings.push_back(
        {InterfaceSetting::Kind::dfu, identity.dfu->interface_number, 0xFE, 0x01, identity.dfu->protocol});
  }
  return settings;
}

// Endpoints of HID interface n: interrupt IN 0x81 + n and interrupt OUT 0x01 + n.
inline std::uint8_t hid_in_endpoint(int interface_number) { return static_cast<std::uint8_t>(0x81 + interface_number); }
inline std::uint8_t hid_out_endpoint(int interface_number) { return static_cast<std::uint8_t>(0x01 + interface_number); }

// The interface that owns `endpoint`; -1 for none.
inline int interface_of_endpoint(const Identity& identity, std::uint8_t endpoint) {
  if (const auto& bluecore = identity.bluecore) {
    if (endpoint == bluecore->event_endpoint || endpoint == bluecore->acl_in_endpoint ||
        endpoint == bluecore->acl_out_endpoint) {
      return bluecore->interface_number;
    }
  }
  for (const HidCollection& collection : identity.hid) {
    const int number = collection.interface_number;
    if (endpoint == hid_in_endpoint(number) || endpoint == hid_out_endpoint(number)) return number;
  }
  return -1;
}

// The driver the host's kernel binds to an interface (none: nullptr). The
// Bluetooth driver holds the HCI interface of a device in normal mode; a
// device in firmware-management mode (product id bit 15) is left unbound.
inline const char* kernel_driver(const Identity& identity, int interface_number) {
  const bool management_mode = (identity.descriptor.product_id & 0x8000) != 0;
  if (identity.bluecore && identity.bluecore->interface_number == interface_number && !management_mode) return "btusb";
  return nullptr;
}

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
inline constexpr std::uint8_t k_hid_output_report = 2;
inline constexpr std::uint8_t k_hid_feature_report = 3;

// Reports the host's hidraw driver takes or asks for, id included: at least
// the id and one byte, at most HID_MAX_BUFFER_SIZE.
inline constexpr std::size_t k_hid_min_report_bytes = 2;
inline constexpr std::size_t k_hid_max_report_bytes = 16384;
inline bool hid_report_fits(std::size_t bytes) {
  return bytes >= k_hid_min_report_bytes && bytes <= k_hid_max_report_bytes;
}

// Leading bytes of a report that the host's HID driver keeps off the wire: a
// device without numbered reports is handed the report without its id 0
// (interrupt OUT, SET_REPORT), and a report it sends back (GET_REPORT) lands
// after that byte. The driver counts the byte in what it returns.
inline std::size_t hid_unsent_id_bytes(std::uint8_t report_id) { return report_id == 0 ? 1 : 0; }

// The GET_REPORT (k_hid_get_report) or SET_REPORT request a host's HID driver
// sends to interface `interface_number` for `length` bytes of report
// `report_id` of `report_type`; the data stage starts with the report id.
inline ControlSetup hid_report_request(std::uint8_t request, std::uint8_t report_type, std::uint8_t report_id,
                                       int interface_number, std::size_t length) {
  ControlSetup setup;
  setup.request_type = request == k_hid_get_report ? 0xA1 : 0x21;  // class request to an interface
  setup.request = request;
  setup.value = static_cast<std::uint16_t>(report_type << 8 | report_id);
  setup.index = static_cast<std::uint16_t>(interface_number);
  setup.length = static_cast<std::uint16_t>(length < 0xFFFF ? length : 0xFFFF);
  return setup;
}

}  // namespace sim
