#include "transport/usb_library.h"

#include <libusb-1.0/libusb.h>
#include <usb.h>

namespace transport {

bool open_usb_libraries() {
  const int result = libusb_init(nullptr);
  usb_init();
  return result == 0;
}

void close_usb_libraries() { libusb_exit(nullptr); }

}  // namespace transport
