#pragma once
// Counts of the USB library set-up calls the simulated bus received, so tests
// can check that start-up and shut-down reach the libraries.

namespace sim {

int libusb_init_calls();
int libusb_exit_calls();
int usb_init_calls();

}  // namespace sim
