// libusb-1.0 and libusb-0.1 library set-up on the simulated bus: nothing to set
// up, the calls are only counted.
#include "sim/libusb_lifecycle_shim.h"

#include <libusb-1.0/libusb.h>
#include <usb.h>

#include <atomic>

namespace {
std::atomic<int> g_libusb_init_calls{0};
std::atomic<int> g_libusb_exit_calls{0};
std::atomic<int> g_usb_init_calls{0};
}  // namespace

int LIBUSB_CALL libusb_init(libusb_context** context) {
  if (context) *context = nullptr;
  ++g_libusb_init_calls;
  return 0;
}

void LIBUSB_CALL libusb_exit(libusb_context*) { ++g_libusb_exit_calls; }

void usb_init(void) { ++g_usb_init_calls; }

namespace sim {

int libusb_init_calls() { return g_libusb_init_calls.load(); }
int libusb_exit_calls() { return g_libusb_exit_calls.load(); }
int usb_init_calls() { return g_usb_init_calls.load(); }

}  // namespace sim
