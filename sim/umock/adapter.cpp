// The adapter itself: one umockdev testbed for the process and a thread that
// keeps it in step with the bus. Each pass takes the bus's present devices
// (which applies the departures and arrivals whose time has come), removes
// the trees of devices that left (after waking their readers), adds the trees
// of devices that arrived (handlers attached first, so no open finds a node
// without one), and rings the bell of every hidraw node whose device has
// input that became ready since.
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <map>
#include <memory>
#include <thread>

#include "platform/log.h"
#include "sim/bus.h"
#include "sim/umock/nodes.h"
#include "sim/umock/umock.h"

namespace sim::umock {

namespace {

using std::chrono::milliseconds;

// How often the adapter looks at the bus: often enough that a reply queued
// with a delay rings within a few milliseconds of being ready.
constexpr milliseconds k_pass_interval{2};
constexpr const char* k_opening_key = "vx-opening";

void fail(const std::string& what, GError* error) {
  platform::console("umock: " + what + (error != nullptr ? std::string(": ") + error->message : std::string()));
  if (error != nullptr) g_error_free(error);
}

struct Present {
  DeviceTree tree;
  std::vector<Node*> nodes;
};

class Adapter {
 public:
  Adapter() : m_testbed(umockdev_testbed_new()) {
    add_root_hub();
    m_pump = std::thread([this] { run(); });
  }

  ~Adapter() {
    {
      std::lock_guard lock(m_pass_mutex);
      m_stop = true;
    }
    m_pass_done.notify_all();
    m_pump.join();
    clear();
    for (const auto& node : m_nodes) g_object_unref(node->handler);
    g_object_unref(m_testbed);
  }

  bool wait_until_current(milliseconds limit) {
    std::unique_lock lock(m_pass_mutex);
    // a pass that started before the call may have missed the latest change
    const unsigned wanted = m_passes + 2;
    return m_pass_done.wait_for(lock, limit, [&] { return m_passes >= wanted; });
  }

  std::vector<std::string> device_nodes() {
    std::lock_guard lock(node_mutex());
    std::vector<std::string> nodes;
    for (const auto& [address, present] : m_present) {
      for (const Node* node : present.nodes) nodes.push_back(node->spec.devnode);
    }
    return nodes;
  }

  // Removes every device's tree (between tests, with the bus emptied).
  void clear() {
    std::lock_guard testbed_lock(m_testbed_mutex);
    std::vector<int> addresses;
    {
      std::lock_guard lock(node_mutex());
      for (const auto& [address, present] : m_present) addresses.push_back(address);
    }
    for (int address : addresses) depart(address);
  }

 private:
  void run() {
    std::unique_lock lock(m_pass_mutex);
    while (!m_stop) {
      lock.unlock();
      pass();
      lock.lock();
      ++m_passes;
      m_pass_done.notify_all();
      m_pass_done.wait_for(lock, k_pass_interval, [this] { return m_stop; });
    }
  }

  void pass() {
    std::lock_guard testbed_lock(m_testbed_mutex);
    const std::vector<BusDevice> devices = sim::devices();
    std::vector<int> departed;
    std::vector<const BusDevice*> arrived;
    {
      std::lock_guard lock(node_mutex());
      for (const auto& entry : m_present) {
        const int address = entry.first;
        const bool still = std::any_of(devices.begin(), devices.end(),
                                       [address](const BusDevice& device) { return device.address == address; });
        if (!still) departed.push_back(address);
      }
      for (const BusDevice& device : devices) {
        if (!m_present.contains(device.address)) arrived.push_back(&device);
      }
    }
    for (int address : departed) depart(address);
    for (const BusDevice* device : arrived) arrive(*device);
    std::lock_guard lock(node_mutex());
    for (auto& [address, present] : m_present) {
      for (Node* node : present.nodes) update_bell(*node);
    }
    // a device that left still owes its opens the end of what they wait for
    for (const auto& node : m_nodes) {
      if (node->spec.kind == NodeSpec::Kind::usbfs && !node->openings.empty()) usbfs_pass(*node);
    }
  }

  // The bus's root hub: its usbfs node answers what the kernel knows of it;
  // every request that would reach a device finds none.
  void add_root_hub() {
    DeviceTree tree = root_hub_tree();
    auto node = std::make_unique<Node>();
    node->spec = tree.nodes.front();
    node->device_number = k_root_hub_number;
    node->handler = umockdev_ioctl_base_new();
    g_signal_connect(node->handler, "client-connected", G_CALLBACK(&Adapter::connected), node.get());
    g_signal_connect(node->handler, "handle-ioctl", G_CALLBACK(usbfs_ioctl), node.get());
    GError* error = nullptr;
    if (!umockdev_testbed_attach_ioctl(m_testbed, node->spec.devnode.c_str(), node->handler, &error)) {
      fail("cannot attach to " + node->spec.devnode, error);
    }
    if (!umockdev_testbed_add_from_string(m_testbed, tree.text.c_str(), &error)) fail("cannot add the root hub", error);
    m_nodes.push_back(std::move(node));
  }

  void arrive(const BusDevice& device) {
    int hidraw_nodes = 0;
    DeviceTree tree = device_tree(device, m_next_hidraw);
    Present present;
    for (const NodeSpec& spec : tree.nodes) {
      auto node = std::make_unique<Node>();
      node->spec = spec;
      node->address = device.address;
      const DeviceDescriptor& descriptor = device.identity.descriptor;
      node->name = descriptor.manufacturer.empty() ? descriptor.product : descriptor.manufacturer + " " + descriptor.product;
      node->phys = "usb-0000:00:14.0-" + std::to_string(device.address) + "/input" + std::to_string(spec.interface_number);
      node->uniq = descriptor.serial_number;
      node->vendor_id = descriptor.vendor_id;
      node->product_id = descriptor.product_id;
      node->identity = device.identity;
      node->device_number = usb_device_number(device.address);
      if (spec.kind == NodeSpec::Kind::usbfs) node->descriptors = usb_descriptors(device.identity);
      node->handler = umockdev_ioctl_base_new();
      g_signal_connect(node->handler, "client-connected", G_CALLBACK(&Adapter::connected), node.get());
      if (spec.kind == NodeSpec::Kind::hidraw) {
        ++hidraw_nodes;
        g_signal_connect(node->handler, "handle-ioctl", G_CALLBACK(hidraw_ioctl), node.get());
        g_signal_connect(node->handler, "handle-read", G_CALLBACK(hidraw_read), node.get());
        g_signal_connect(node->handler, "handle-write", G_CALLBACK(hidraw_write), node.get());
      } else {
        g_signal_connect(node->handler, "handle-ioctl", G_CALLBACK(usbfs_ioctl), node.get());
        node->descriptors_unreadable = tree.descriptors_unreadable;
      }
      GError* error = nullptr;
      if (!umockdev_testbed_attach_ioctl(m_testbed, spec.devnode.c_str(), node->handler, &error)) {
        fail("cannot attach to " + spec.devnode, error);
      }
      present.nodes.push_back(node.get());
      std::lock_guard lock(node_mutex());
      m_nodes.push_back(std::move(node));
    }
    m_next_hidraw += hidraw_nodes;
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(m_testbed, tree.text.c_str(), &error)) fail("cannot add a device", error);
    std::lock_guard lock(node_mutex());
    for (Node* node : present.nodes) {
      if (node->spec.kind != NodeSpec::Kind::hidraw) continue;
      node->bell_fd = umockdev_testbed_get_dev_fd(m_testbed, node->spec.devnode.c_str());
      // bytes pass as they are: no line editing, no echo
      termios settings{};
      if (node->bell_fd >= 0 && tcgetattr(node->bell_fd, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(node->bell_fd, TCSANOW, &settings);
      }
    }
    present.tree = std::move(tree);
    m_present[device.address] = std::move(present);
  }

  void depart(int address) {
    Present present;
    {
      std::lock_guard lock(node_mutex());
      const auto found = m_present.find(address);
      if (found == m_present.end()) return;
      present = std::move(found->second);
      m_present.erase(found);
      // readers waiting on the node wake and find it gone; the pty goes with the node
      for (Node* node : present.nodes) {
        node->gone = true;
        update_bell(*node);
        node->bell_fd = -1;
      }
    }
    const std::vector<std::string>& paths = present.tree.device_paths;
    for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
      umockdev_testbed_uevent(m_testbed, ("/sys" + *path).c_str(), "remove");
    }
    umockdev_testbed_remove_device(m_testbed, ("/sys" + paths.front()).c_str());
    for (Node* node : present.nodes) {
      umockdev_testbed_detach_ioctl(m_testbed, node->spec.devnode.c_str(), nullptr);
    }
  }

  // The client stands for one open() of the node; umockdev lets go of it when
  // the program closes the node, which closes the device on the bus.
  static void connected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer user_data) {
    auto* opening = new Opening;
    opening->node = static_cast<Node*>(user_data);
    g_object_set_data_full(G_OBJECT(client), k_opening_key, opening, &Adapter::closed);
    std::lock_guard lock(node_mutex());
    opening->node->openings.push_back(opening);
  }

  static void closed(gpointer data) {
    std::unique_ptr<Opening> opening(static_cast<Opening*>(data));
    std::lock_guard lock(node_mutex());
    std::erase(opening->node->openings, opening.get());
    if (opening->handle_id == 0) return;
    close_interface(opening->handle_id);
    --s_open_nodes;
  }

 public:
  static std::atomic<int> s_open_nodes;

 private:
  UMockdevTestbed* m_testbed;
  std::mutex m_testbed_mutex;  // one change of the testbed at a time
  std::map<int, Present> m_present;               // by bus address; under node_mutex()
  std::vector<std::unique_ptr<Node>> m_nodes;     // every node ever made: a client may outlive its device
  int m_next_hidraw = 0;
  std::mutex m_pass_mutex;
  std::condition_variable m_pass_done;
  unsigned m_passes = 0;
  bool m_stop = false;
  std::thread m_pump;
};

std::atomic<int> Adapter::s_open_nodes{0};

std::unique_ptr<Adapter>& adapter() {
  static std::unique_ptr<Adapter> instance;
  return instance;
}

std::mutex g_start_mutex;

}  // namespace

std::mutex& node_mutex() {
  static std::mutex mutex;
  return mutex;
}

Opening* opening_of(UMockdevIoctlClient* client) {
  return static_cast<Opening*>(g_object_get_data(G_OBJECT(client), k_opening_key));
}

int open_on_bus(Opening& opening) {
  if (!opening.tried) {
    opening.tried = true;
    const Node& node = *opening.node;
    opening.status =
        node.gone ? IoStatus::gone : open_interface(node.address, node.spec.interface_number, opening.handle_id);
    if (opening.status == IoStatus::ok) ++Adapter::s_open_nodes;
  }
  switch (opening.status) {
    case IoStatus::ok: return 0;
    case IoStatus::refused: return EACCES;
    default: return ENODEV;
  }
}

int errno_of(IoStatus status) {
  switch (status) {
    case IoStatus::ok: return 0;
    case IoStatus::timed_out: return ETIMEDOUT;
    case IoStatus::gone: return ENODEV;
    case IoStatus::refused: return EACCES;
    case IoStatus::io_error: return EIO;
    case IoStatus::stalled: return EPIPE;
  }
  return EIO;
}

int refusal(Node& node, Opening* opening, int gone_errno) {
  if (node.gone) return gone_errno;
  if (opening == nullptr) return EBADF;
  return open_on_bus(*opening);
}

void complete(UMockdevIoctlClient* client, long result) {
  if (result < 0) {
    umockdev_ioctl_client_complete(client, -1, static_cast<int>(-result));
  } else {
    umockdev_ioctl_client_complete(client, result, 0);
  }
}

void update_bell(Node& node) {
  if (node.bell || node.bell_fd < 0) return;
  if (!node.gone && !input_ready(node.address, node.spec.interface_number)) return;
  const unsigned char ring = 1;
  node.bell = write(node.bell_fd, &ring, 1) == 1;
}

void start() {
  // The bus and the node lock come first, so they outlive the adapter (which
  // stops its thread when the program ends).
  present(0);
  node_mutex();
  std::lock_guard lock(g_start_mutex);
  if (!adapter()) adapter() = std::make_unique<Adapter>();
}

bool wait_until_current(milliseconds limit) {
  std::lock_guard lock(g_start_mutex);
  return adapter() && adapter()->wait_until_current(limit);
}

int open_nodes() { return Adapter::s_open_nodes.load(); }

std::vector<std::string> device_nodes() {
  std::lock_guard lock(g_start_mutex);
  return adapter() ? adapter()->device_nodes() : std::vector<std::string>{};
}

}  // namespace sim::umock

namespace sim {

// The bus as this adapter carries it: the testbed loses every device's tree at once.
void reset() {
  reset_bus();
  std::lock_guard lock(umock::g_start_mutex);
  if (umock::adapter()) umock::adapter()->clear();
}

}  // namespace sim
