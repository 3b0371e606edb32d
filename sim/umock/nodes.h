#pragma once
// What the adapter keeps of each emulated device node, and the handlers of
// the two kinds of node. Only sim/umock uses this header.
#include <umockdev.h>

#include <mutex>
#include <string>

#include "sim/bus.h"
#include "sim/umock/device_tree.h"

namespace sim::umock {

struct Node {
  NodeSpec spec;
  int address = 0;
  std::string name;  // HID_NAME
  std::string phys;  // HID_PHYS
  std::string uniq;  // serial number
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  UMockdevIoctlBase* handler = nullptr;
  // hidraw: the pty master behind the node. One byte waits in the node while
  // the device has input to read, so the program's poll() wakes as it would
  // on a real hidraw node; the read takes it out again.
  int bell_fd = -1;
  bool bell = false;
  bool gone = false;  // the device has left the bus
};

// One open() of a node. The device is opened on the bus with the first
// request that reaches it, so a program that opens a node only to read its
// descriptors (libusb-0.1's scan) leaves the device alone.
struct Opening {
  Node* node = nullptr;
  int handle_id = 0;
  IoStatus status = IoStatus::ok;  // of the bus open, once tried
  bool tried = false;
};

// Opens the device on the bus for `opening` if that has not been tried yet;
// 0, or the errno that refuses the request. Called with node_mutex() held.
int open_on_bus(Opening& opening);

// Guards every Node and Opening; handlers run on umockdev's thread, the
// adapter's own thread follows the bus.
std::mutex& node_mutex();

// Rings the node's bell when it has input (or has left) and the bell is silent.
// Called with node_mutex() held.
void update_bell(Node& node);

// Handlers of a hidraw node: ioctl (HIDIOC*), read (the next input report),
// write (an output report). Each takes node_mutex() itself.
gboolean hidraw_ioctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer node);
gboolean hidraw_read(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer node);
gboolean hidraw_write(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer node);

// Handler of a usbfs node's ioctls (USBDEVFS_*); reads fall through to the
// node's contents, the device's descriptors.
gboolean usbfs_ioctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer node);

// The opening a handler's client stands for.
Opening* opening_of(UMockdevIoctlClient* client);

}  // namespace sim::umock
