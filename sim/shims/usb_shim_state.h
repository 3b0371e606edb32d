#pragma once
// State the libusb-1.0 and libusb-0.1 stand-ins share: which interfaces the
// kernel's Bluetooth driver holds, and the counts of sim/usb_shims.h. Only
// the stand-ins use this header.
#include <atomic>

#include "sim/bus.h"

namespace sim::usb_shim {

// The kernel binds its Bluetooth driver to the HCI interface of a device in
// normal mode; a claim of that interface fails with EBUSY until it is detached.
bool kernel_driver_bound(const BusDevice& device, int interface_number);
// Detaches the driver: false when none was bound.
bool detach_kernel_driver(const BusDevice& device, int interface_number);
// Gives the interface back to the kernel's driver (libusb-1.0 auto-detach on release).
void reattach_kernel_driver(const BusDevice& device, int interface_number);
// The present device at `address`; false once it has left the bus.
bool find_device(int address, BusDevice& device);

extern std::atomic<int> transfers_freed_in_flight;
extern std::atomic<int> auto_detach_requests;
extern std::atomic<int> detach_requests;
extern std::atomic<bool> transfer_timeouts_ignored;
// Forgets the transfers in flight (defined by the libusb-1.0 stand-in).
void forget_transfers();

}  // namespace sim::usb_shim
