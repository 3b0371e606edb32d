// What the devices on a libusb-0.1 bus tell the DFU requests: their
// configurations as the library parsed them (any number of configurations,
// interfaces and alternate settings, with any class codes), their answers to
// open and claim, and a GETSTATUS reply of any length. The listing must take
// exactly the DFU-capable devices of the mode, in walk order, within its
// bounds; the opening must end, open at most two devices and leave none open
// once they are closed; a status must hold exactly the 6 bytes the device
// sent, and a shorter reply must fail and leave it cleared.
//
// Input: [0] mode, [1] list capacity, [2] device count, then per device its
// product id (2 bytes), device class, configuration count (0: none read) and
// per configuration its interfaces, each an alternate-setting count and per
// setting its number and a kind byte (class 0xFE when its low two bits are 0,
// subclass bit 2, protocol bits 3-4). The rest answers opens and claims one
// byte each (0xFF refuses an open; for a claim 0 grants it, an odd byte is
// ENOENT, any other EBUSY) and, last, the status reply: a length byte and the
// bytes.
#include <libusb-1.0/libusb.h>
#include <usb.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "transport/dfu_requests.h"

struct usb_dev_handle {
  int id = 0;
};

namespace {

// Reads the input front to back; reads past its end give 0.
struct Input {
  std::span<const std::uint8_t> bytes;
  std::uint8_t next() {
    if (bytes.empty()) return 0;
    const std::uint8_t byte = bytes.front();
    bytes = bytes.subspan(1);
    return byte;
  }
};

struct Setting {
  std::uint8_t number, interface_class, subclass, protocol;
};

// The bus the input describes, laid out as libusb-0.1 keeps it: every count is
// the length of the array it counts.
struct FakeDevice {
  struct usb_device record{};
  std::vector<usb_config_descriptor> configs;
  std::vector<std::vector<usb_interface>> interfaces;
  std::vector<std::vector<std::vector<usb_interface_descriptor>>> settings;
  int first_dfu_interface = -1;  // what the walk must find
};

struct Bus {
  usb_bus bus{};
  std::vector<std::unique_ptr<FakeDevice>> devices;
  Input answers;
  int open_handles = 0;
  int next_handle = 1;
  std::vector<std::uint8_t> status_reply;
};

Bus* g_bus = nullptr;

void build_device(FakeDevice& device, Input& input) {
  device.record.descriptor.idProduct = static_cast<std::uint16_t>(input.next() | input.next() << 8);
  device.record.descriptor.bDeviceClass = input.next();
  const int configurations = input.next() % 4;
  device.record.descriptor.bNumConfigurations = static_cast<std::uint8_t>(configurations);
  device.settings.resize(static_cast<std::size_t>(configurations));
  for (auto& per_interface : device.settings) {
    per_interface.resize(input.next() % 5);
    for (auto& alternates : per_interface) {
      alternates.resize(input.next() % 4);
      for (usb_interface_descriptor& setting : alternates) {
        setting.bInterfaceNumber = input.next();
        const std::uint8_t kind = input.next();
        setting.bInterfaceClass = (kind & 0x03) == 0 ? 0xFE : kind;
        setting.bInterfaceSubClass = (kind >> 2) & 0x01;
        setting.bInterfaceProtocol = (kind >> 3) & 0x03;
        const bool dfu =
            setting.bInterfaceClass == 0xFE && setting.bInterfaceSubClass == 1 && setting.bInterfaceProtocol == 0;
        if (dfu && device.first_dfu_interface < 0) device.first_dfu_interface = setting.bInterfaceNumber;
      }
    }
  }
  // pointers once no vector grows any more
  device.interfaces.resize(device.settings.size());
  device.configs.resize(device.settings.size());
  for (std::size_t c = 0; c < device.settings.size(); ++c) {
    for (auto& alternates : device.settings[c]) {
      device.interfaces[c].push_back({alternates.empty() ? nullptr : alternates.data(),
                                      static_cast<int>(alternates.size())});
    }
    device.configs[c].bNumInterfaces = static_cast<std::uint8_t>(device.interfaces[c].size());
    device.configs[c].interface = device.interfaces[c].empty() ? nullptr : device.interfaces[c].data();
  }
  device.record.config = device.configs.empty() ? nullptr : device.configs.data();
}

bool fits_mode(int mode, std::uint16_t id) {
  if (mode == 1) return (id & 0x8000) == 0;
  if (mode == 2) return (id & 0x8000) != 0 || id == 0;
  return true;
}

}  // namespace

extern "C" {

// The access report of a libusb-1.0 device lives beside the legacy open the
// requests use; no libusb-1.0 device reaches it here.
int libusb_get_device_descriptor(libusb_device*, struct libusb_device_descriptor*) { return LIBUSB_ERROR_NOT_SUPPORTED; }
uint8_t libusb_get_bus_number(libusb_device*) { return 0; }
uint8_t libusb_get_device_address(libusb_device*) { return 0; }

void usb_init(void) {}
int usb_find_busses(void) { return 0; }
int usb_find_devices(void) { return 0; }
struct usb_bus* usb_get_busses(void) { return &g_bus->bus; }

usb_dev_handle* usb_open(struct usb_device*) {
  if (g_bus->answers.next() == 0xFF) {
    errno = EACCES;
    return nullptr;
  }
  ++g_bus->open_handles;
  return new usb_dev_handle{g_bus->next_handle++};
}

int usb_close(usb_dev_handle* handle) {
  FUZZ_CHECK(handle != nullptr);
  --g_bus->open_handles;
  delete handle;
  return 0;
}

int usb_claim_interface(usb_dev_handle* handle, int) {
  FUZZ_CHECK(handle != nullptr);
  const std::uint8_t answer = g_bus->answers.next();
  if (answer == 0) return 0;
  errno = (answer & 1) != 0 ? ENOENT : EBUSY;
  return -errno;
}

int usb_detach_kernel_driver_np(usb_dev_handle*, int) { return -ENODATA; }

int usb_control_msg(usb_dev_handle* handle, int requesttype, int request, int value, int index, char* bytes, int size,
                    int timeout) {
  FUZZ_CHECK(handle != nullptr);
  FUZZ_CHECK(requesttype == 0xA1 && request == 3 && value == 0 && index == 1 && size == 6 && timeout == 10000);
  const std::vector<std::uint8_t>& reply = g_bus->status_reply;
  const std::size_t copied = std::min(reply.size(), static_cast<std::size_t>(size));
  std::copy_n(reply.begin(), copied, bytes);
  return static_cast<int>(copied);
}

}  // extern "C"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input{{data, size}};
  Bus bus;
  g_bus = &bus;
  const int mode = input.next() % 4;
  const std::size_t capacity = input.next() % 40;
  const int count = input.next() % 36;
  for (int i = 0; i < count; ++i) {
    auto device = std::make_unique<FakeDevice>();
    build_device(*device, input);
    if (!bus.devices.empty()) {
      bus.devices.back()->record.next = &device->record;
      device->record.prev = &bus.devices.back()->record;
    }
    bus.devices.push_back(std::move(device));
  }
  bus.bus.devices = bus.devices.empty() ? nullptr : &bus.devices.front()->record;

  // the walk of each device
  std::vector<const FakeDevice*> expected;
  for (const auto& device : bus.devices) {
    FUZZ_CHECK(dfu_find_interface(&device->record) == device->first_dfu_interface);
    const bool taken = device->record.descriptor.bDeviceClass != USB_CLASS_HUB && device->first_dfu_interface >= 0 &&
                       fits_mode(mode, device->record.descriptor.idProduct);
    if (taken && expected.size() < static_cast<std::size_t>(k_dfu_max_listed)) expected.push_back(device.get());
  }

  // the listing: the first ones in walk order, within the capacity
  std::vector<struct usb_device*> list(capacity + 1, nullptr);
  const int listed = dfu_list_devices(mode, std::span(list).first(capacity));
  FUZZ_CHECK(listed == static_cast<int>(std::min(expected.size(), capacity)));
  for (int i = 0; i < listed; ++i) FUZZ_CHECK(list[static_cast<std::size_t>(i)] == &expected[static_cast<std::size_t>(i)]->record);
  FUZZ_CHECK(list[capacity] == nullptr);

  // the opening, with the capacity the input gives
  std::array<usb_dev_handle*, 4> handles{};
  bus.answers = input;
  const int opened = dfu_open_device(mode, handles.data(), static_cast<int>(capacity % 5));
  FUZZ_CHECK(opened >= 0 && opened <= k_dfu_max_opened && opened <= static_cast<int>(capacity % 5));
  FUZZ_CHECK(bus.open_handles == opened);
  FUZZ_CHECK(std::all_of(handles.begin() + opened, handles.end(), [](usb_dev_handle* h) { return h == nullptr; }));
  dfu_close_handles(handles.data(), opened);
  FUZZ_CHECK(bus.open_handles == 0);
  input = bus.answers;

  // a status reply of any length
  const std::size_t reply_bytes = input.next() % 8;
  for (std::size_t i = 0; i < reply_bytes; ++i) bus.status_reply.push_back(input.next());
  usb_dev_handle handle{0};
  dfu_status status;
  std::memset(&status, 0xA5, sizeof status);
  const int result = dfu_get_status(&handle, 1, &status);
  const std::size_t received = std::min<std::size_t>(reply_bytes, 6);
  const auto* raw = reinterpret_cast<const std::uint8_t*>(&status);
  if (received < 6) {
    // a short reply is a failed request that leaves the status cleared
    FUZZ_CHECK(result == k_dfu_short_reply);
    FUZZ_CHECK(std::all_of(raw, raw + sizeof status, [](std::uint8_t byte) { return byte == 0; }));
  } else {
    FUZZ_CHECK(result == 6);
    FUZZ_CHECK(std::equal(raw, raw + received, bus.status_reply.begin()));
    FUZZ_CHECK(dfu_poll_timeout_ms(status) ==
               (bus.status_reply[1] | bus.status_reply[2] << 8 | static_cast<std::uint32_t>(bus.status_reply[3]) << 16));
  }
  g_bus = nullptr;
  return 0;
}
