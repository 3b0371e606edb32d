// A usbfs node (/dev/bus/usb/BBB/DDD) as the kernel's usbfs driver presents it.
#include <cerrno>

#include "sim/umock/nodes.h"

namespace sim::umock {

gboolean usbfs_ioctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer) {
  umockdev_ioctl_client_complete(client, -1, ENOTTY);
  return TRUE;
}

}  // namespace sim::umock
