#include "sim/shims/usb_shim_state.h"

#include <mutex>
#include <set>
#include <utility>

#include "sim/usb_shims.h"

namespace sim::usb_shim {
namespace {

std::mutex g_mutex;
// (address, interface) pairs the host took from the kernel's driver.
std::set<std::pair<int, int>> g_detached;

bool driver_interface(const BusDevice& device, int interface_number) {
  return kernel_driver(device.identity, interface_number) != nullptr;
}

}  // namespace

std::atomic<int> transfers_freed_in_flight{0};
std::atomic<int> auto_detach_requests{0};
std::atomic<int> detach_requests{0};
std::atomic<bool> transfer_timeouts_ignored{false};

bool kernel_driver_bound(const BusDevice& device, int interface_number) {
  std::lock_guard lock(g_mutex);
  return driver_interface(device, interface_number) && !g_detached.contains({device.address, interface_number});
}

bool detach_kernel_driver(const BusDevice& device, int interface_number) {
  std::lock_guard lock(g_mutex);
  if (!driver_interface(device, interface_number)) return false;
  return g_detached.insert({device.address, interface_number}).second;
}

void reattach_kernel_driver(const BusDevice& device, int interface_number) {
  std::lock_guard lock(g_mutex);
  g_detached.erase({device.address, interface_number});
}

bool find_device(int address, BusDevice& device) {
  for (BusDevice& present : devices()) {
    if (present.address == address) {
      device = std::move(present);
      return true;
    }
  }
  return false;
}

}  // namespace sim::usb_shim

namespace sim {

int libusb_transfers_freed_in_flight() { return usb_shim::transfers_freed_in_flight.load(); }
int libusb_auto_detach_requests() { return usb_shim::auto_detach_requests.load(); }
int usb_detach_requests() { return usb_shim::detach_requests.load(); }
void set_libusb_transfer_timeouts_ignored(bool ignored) { usb_shim::transfer_timeouts_ignored = ignored; }

void reset_usb_shims() {
  usb_shim::forget_transfers();
  {
    std::lock_guard lock(usb_shim::g_mutex);
    usb_shim::g_detached.clear();
  }
  usb_shim::transfers_freed_in_flight = 0;
  usb_shim::auto_detach_requests = 0;
  usb_shim::detach_requests = 0;
  usb_shim::transfer_timeouts_ignored = false;
}

}  // namespace sim

namespace sim {

// The bus as this adapter carries it: the stand-ins keep transfers in flight
// and the kernel drivers they detached.
void reset() {
  reset_bus();
  reset_usb_shims();
}

}  // namespace sim
