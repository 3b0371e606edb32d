#pragma once
// Opening a device through libusb-0.1 and claiming an interface of it, shared
// by the BlueCore channel's DFU pass and the DFU requests. The claim starts at
// interface 0; a refused claim closes the device, and the walk scans again and
// tries interface 0 when the interface does not exist (errno ENOENT), else the
// next one, up to interface 11, and gives up when interface 0 is refused again.
// A claim refused with EPERM or EBADF on a node the user may not read and
// write ends the walk as a refused open (EACCES).
#include <functional>

struct usb_device;
struct usb_dev_handle;

namespace transport {

enum class LegacyOpenEnd { claimed, no_device, open_failed, claim_failed };

struct LegacyOpen {
  LegacyOpenEnd end = LegacyOpenEnd::no_device;
  usb_dev_handle* handle = nullptr;     // open and claimed (claimed only)
  struct usb_device* device = nullptr;  // the record opened (claimed only), valid until the next scan
  int interface_number = 0;             // the interface claimed
  int error = 0;                        // errno of the failed open or of the last refused claim
};

// `scan` scans the buses and names the device to open (nullptr for none); it is
// called before each attempt. With `detach_kernel_driver` a driver the kernel
// bound to the interface is detached before the claim.
LegacyOpen open_and_claim_legacy_usb(const std::function<struct usb_device*()>& scan, bool detach_kernel_driver);

}  // namespace transport
