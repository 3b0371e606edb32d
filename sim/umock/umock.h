#pragma once
// vx_umock: the devices of the simulated bus served at the kernel's
// interfaces through umockdev, so a program linked with the real hidapi
// (hidraw backend), libusb-1.0 and libusb-0.1 finds and talks to them. Each
// device on the bus becomes a sysfs tree in a umockdev testbed with a hidraw
// node per HID interface and a usbfs node; what the program writes, reads and
// asks with ioctls reaches the device's model through the bus functions of
// sim/bus.h, and a device that leaves or comes back with another identity is
// removed from and added to the testbed with uevents. Time is the real clock.
//
// The program must run with libumockdev-preload.so.0 preloaded (see
// umockdev_in_mock_environment); tests use sim::reset() between cases as on
// the vx_sim adapter.
#include <chrono>
#include <string>
#include <vector>

namespace sim::umock {

// Creates the testbed and starts following the bus (once per process).
void start();
// Waits until the testbed shows every device of the bus as it is now; false
// when that took longer than `limit`.
bool wait_until_current(std::chrono::milliseconds limit = std::chrono::seconds(5));
// Opens of the emulated nodes not closed yet.
int open_nodes();
// The device nodes of the present devices ("/dev/hidraw0", "/dev/bus/usb/001/002").
std::vector<std::string> device_nodes();

}  // namespace sim::umock
