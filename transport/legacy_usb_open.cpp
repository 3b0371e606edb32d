#include "transport/legacy_usb_open.h"

#include <usb.h>

#include <cerrno>

#include "transport/device_access.h"

namespace transport {

namespace {

// The walk of a refused claim goes no further than interface 11.
constexpr int k_last_retried_interface = 10;

}  // namespace

LegacyOpen open_and_claim_legacy_usb(const std::function<struct usb_device*()>& scan, bool detach_kernel_driver) {
  int interface_number = 0;
  for (bool first_attempt = true;; first_attempt = false) {
    struct usb_device* device = scan();
    if (device == nullptr) return {LegacyOpenEnd::no_device};
    usb_dev_handle* handle = open_legacy_usb(device);
    if (handle == nullptr) return {LegacyOpenEnd::open_failed, nullptr, nullptr, interface_number, errno};
    // a driver the kernel bound would hold the interface; none bound is fine
    if (detach_kernel_driver) usb_detach_kernel_driver_np(handle, interface_number);
    if (usb_claim_interface(handle, interface_number) == 0) {
      return {LegacyOpenEnd::claimed, handle, device, interface_number, 0};
    }
    const int error = errno;
    usb_close(handle);
    // a node the user may not write was opened read-only (the kernel refuses
    // every request on it with EPERM, or the handle holds no file at all,
    // EBADF): no interface of it can be claimed, the open is what failed
    if ((error == EPERM || error == EBADF) && report_if_legacy_usb_access_denied(device)) {
      return {LegacyOpenEnd::open_failed, nullptr, nullptr, interface_number, EACCES};
    }
    if (interface_number > k_last_retried_interface || (!first_attempt && interface_number == 0)) {
      return {LegacyOpenEnd::claim_failed, nullptr, nullptr, interface_number, error};
    }
    // no such interface: start over at interface 0; otherwise try the next one
    interface_number = error == ENOENT ? 0 : interface_number + 1;
  }
}

}  // namespace transport
