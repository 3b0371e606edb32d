#pragma once
// What the libusb-1.0 and libusb-0.1 stand-ins saw of the host's use of them,
// for tests that check the host follows the libraries' rules.
namespace sim {

// libusb-1.0 transfers submitted and not yet called back.
int libusb_transfers_in_flight();
// libusb-1.0 transfers the host freed while still in flight (the library would
// have completed them into freed memory). Counts from the last reset_usb_shims().
int libusb_transfers_freed_in_flight();
// Calls of libusb_set_auto_detach_kernel_driver with a nonzero flag.
int libusb_auto_detach_requests();
// Calls of usb_detach_kernel_driver_np.
int usb_detach_requests();
// When set, an interrupt transfer never times out by itself: only a cancel
// ends one the device does not answer, as when the library's event handling
// returns before it has processed an expired time-out.
void set_libusb_transfer_timeouts_ignored(bool ignored);
// Forgets the counts, the transfers still in flight and the setting above (between tests).
void reset_usb_shims();

}  // namespace sim
