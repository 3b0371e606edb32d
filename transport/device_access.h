#pragma once
// A maker's device the manager sees but may not open: its node belongs to root
// until the udev rule that hands the maker's devices to the user at the screen
// is installed. The opens of the HID channel and of both USB libraries call in
// here when the kernel refuses a node for lack of permission, so the console,
// the system log and the diagnostic log say which node and why.
#include <cstdint>
#include <string>
#include <vector>

struct usb_device;
struct usb_dev_handle;
struct libusb_device;

namespace transport {

// File name of the udev rule `make install` puts in place.
inline constexpr char k_udev_rule_name[] = "70-vexlink-setwise.rules";

// The line for a refused `node` of device vendor:product.
std::string access_denied_line(const std::string& node, std::uint16_t vendor_id, std::uint16_t product_id);

// Says on the console and in the system log that `node` was refused, and keeps
// the line (once) for the diagnostic log; other vendors' devices are not ours
// to report.
void report_access_denied(const std::string& node, std::uint16_t vendor_id, std::uint16_t product_id);

// After a failed hid_open_path: reports `path` when the user may not read and
// write it. hidapi does not keep the open's errno, so the node is asked again.
void report_if_hid_access_denied(const char* path, std::uint16_t vendor_id, std::uint16_t product_id);

// After libusb_open answered `result`: reports the device's usbfs node when
// the answer is LIBUSB_ERROR_ACCESS.
void report_if_libusb_access_denied(int result, libusb_device* device);

// usb_open of libusb-0.1, reporting the device's usbfs node when the open
// fails with EACCES (errno is kept for the caller).
usb_dev_handle* open_legacy_usb(struct usb_device* device);

// After a refused libusb-0.1 claim: libusb-0.1 falls back to a read-only open
// of a node it may not write, and the kernel refuses every request on such a
// handle. Reports the node and answers true when the user may not read and
// write it.
bool report_if_legacy_usb_access_denied(struct usb_device* device);

// The lines reported so far in this run, each once, oldest first.
std::vector<std::string> access_denied_lines();

}  // namespace transport
