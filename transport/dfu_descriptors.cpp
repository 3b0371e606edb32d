// The parts of the DFU requests that read what a device sent: its
// configuration as the library parsed it, and the GETSTATUS reply. No library
// call here, so the fuzz target can run them on any records.
#include <usb.h>

#include "transport/dfu_requests.h"

namespace {

constexpr std::uint8_t k_class_application_specific = 0xFE;
constexpr std::uint8_t k_subclass_dfu = 0x01;
constexpr std::uint8_t k_protocol_bluecore_dfu = 0x00;

bool is_dfu_setting(const usb_interface_descriptor& setting) {
  return setting.bInterfaceClass == k_class_application_specific && setting.bInterfaceSubClass == k_subclass_dfu &&
         setting.bInterfaceProtocol == k_protocol_bluecore_dfu;
}

}  // namespace

std::uint32_t dfu_poll_timeout_ms(const dfu_status& status) {
  return static_cast<std::uint32_t>(status.bwPollTimeout[0]) | static_cast<std::uint32_t>(status.bwPollTimeout[1]) << 8 |
         static_cast<std::uint32_t>(status.bwPollTimeout[2]) << 16;
}

int dfu_find_interface(const struct usb_device* device) {
  // the library leaves no configuration when it could not read them
  if (device == nullptr || device->config == nullptr) return -1;
  // each count is the length of the array the library allocated for it
  for (int c = 0; c < device->descriptor.bNumConfigurations; ++c) {
    const usb_config_descriptor& config = device->config[c];
    if (config.interface == nullptr) continue;
    for (int i = 0; i < config.bNumInterfaces; ++i) {
      const usb_interface& interface = config.interface[i];
      if (interface.altsetting == nullptr) continue;
      for (int a = 0; a < interface.num_altsetting; ++a) {
        if (is_dfu_setting(interface.altsetting[a])) return interface.altsetting[a].bInterfaceNumber;
      }
    }
  }
  return -1;
}
