#pragma once
// The two HID slots belong to one device procedure at a time. The procedure
// holds an OpenDeviceGuard while it works with them; whichever way it leaves
// (success, failure, stop request, exception), the guard closes both slots and
// releases hidapi, so the next procedure starts with nothing open. The slots'
// failure reasons stay readable after the close (transport::hid_last_error).
#include "transport/hid_channel.h"

namespace transport {

class OpenDeviceGuard {
 public:
  OpenDeviceGuard() = default;
  ~OpenDeviceGuard() { hid_close_all(); }
  OpenDeviceGuard(const OpenDeviceGuard&) = delete;
  OpenDeviceGuard& operator=(const OpenDeviceGuard&) = delete;
};

}  // namespace transport
