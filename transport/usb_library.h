#pragma once
// Process-wide set-up of the two USB libraries the transport uses: libusb-1.0
// (default context) and the legacy libusb-0.1 interface.

namespace transport {

// Initializes both libraries; call once at start-up before any device access.
// False when libusb-1.0 refused (the legacy library has no error report).
bool open_usb_libraries();

// Releases libusb-1.0's default context; call once at shut-down.
void close_usb_libraries();

}  // namespace transport
