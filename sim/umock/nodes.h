#pragma once
// What the adapter keeps of each emulated device node, and the handlers of
// the two kinds of node. Only sim/umock uses this header.
#include <umockdev.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sim/bus.h"
#include "sim/umock/device_tree.h"

namespace sim::umock {

struct Opening;

struct Node {
  NodeSpec spec;
  int address = 0;            // on the bus; 0 for the root hub, which no model stands behind
  int device_number = 0;      // usbfs
  Identity identity;                      // what the device showed when the node was made
  std::vector<std::uint8_t> descriptors;  // usbfs: device and configuration descriptors
  bool descriptors_unreadable = false;     // usbfs: the configuration descriptor cannot be read
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
  // usbfs: the opens of the node, and the interfaces whose kernel driver the
  // program detached.
  std::vector<Opening*> openings;
  std::set<int> detached;
};

// A URB the program submitted on a usbfs node, kept until it is reaped: the
// program's urb and buffer as umockdev copied them (written back on reaping),
// and where the urb lives in the program (DISCARDURB names it so).
struct Urb {
  UMockdevIoctlData* urb = nullptr;
  UMockdevIoctlData* buffer = nullptr;
  unsigned long address = 0;
  std::uint8_t type = 0;
  std::uint8_t endpoint = 0;
  int status = 0;
  int actual_length = 0;
};

// A request held until the device answers: a blocking REAPURB, or a bulk or
// interrupt read of USBDEVFS_BULK that waits for input until its deadline.
struct HeldRequest {
  UMockdevIoctlClient* client = nullptr;  // referenced while held
  UMockdevIoctlData* transfer = nullptr;  // USBDEVFS_BULK: the program's struct, its data resolved
  UMockdevIoctlData* data = nullptr;
  std::chrono::steady_clock::time_point deadline{};
};

// What one open of a usbfs node holds.
struct UsbfsOpening {
  UsbfsOpening() = default;
  UsbfsOpening(const UsbfsOpening&) = delete;
  UsbfsOpening& operator=(const UsbfsOpening&) = delete;
  ~UsbfsOpening();
  std::set<int> claimed;
  std::deque<Urb> pending;    // IN URBs waiting for the device
  std::deque<Urb> completed;  // waiting to be reaped, in completion order
  std::vector<HeldRequest> reaps;
  std::vector<HeldRequest> reads;
};

// One open() of a node. The device is opened on the bus with the first
// request that reaches it, so a program that opens a node only to read its
// descriptors (libusb-0.1's scan) leaves the device alone.
struct Opening {
  Node* node = nullptr;
  int handle_id = 0;
  IoStatus status = IoStatus::ok;  // of the bus open, once tried
  bool tried = false;
  UsbfsOpening usbfs;
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

// The errno the kernel answers a failed transfer with.
int errno_of(IoStatus status);
// Why a request on the node fails before it reaches the device: the device
// has left (`gone_errno`), the node is not open, or the device refused the
// open. 0 when the request may go on. Called with node_mutex() held.
int refusal(Node& node, Opening* opening, int gone_errno);

// Runs `answer` for a handler under node_mutex() and completes the request
// with its result (negative: -errno), unless the answer holds the request
// (k_held) to complete it later.
inline constexpr long k_held = -100000;
template <long (*answer)(Node&, Opening*, UMockdevIoctlClient*)>
gboolean handle(UMockdevIoctlClient* client, gpointer node);

// Handlers of a hidraw node: ioctl (HIDIOC*), read (the next input report),
// write (an output report). Each takes node_mutex() itself.
gboolean hidraw_ioctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer node);
gboolean hidraw_read(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer node);
gboolean hidraw_write(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer node);

// Handler of a usbfs node's ioctls (USBDEVFS_*); reads fall through to the
// node's contents, the device's descriptors.
gboolean usbfs_ioctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer node);
// Completes what a usbfs node's opens wait for: IN URBs whose input is ready,
// held reaps and reads, and everything once the device has left. Called by
// the adapter's thread with node_mutex() held.
void usbfs_pass(Node& node);

// The opening a handler's client stands for.
Opening* opening_of(UMockdevIoctlClient* client);

// Completes a request: `result` >= 0, or -errno.
void complete(UMockdevIoctlClient* client, long result);

template <long (*answer)(Node&, Opening*, UMockdevIoctlClient*)>
gboolean handle(UMockdevIoctlClient* client, gpointer node) {
  std::lock_guard lock(node_mutex());
  const long result = answer(*static_cast<Node*>(node), opening_of(client), client);
  if (result != k_held) complete(client, result);
  return TRUE;
}

}  // namespace sim::umock
