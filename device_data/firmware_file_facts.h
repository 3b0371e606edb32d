#pragma once
// Per-product facts of the firmware file check and of the update page's
// operation around a flashing procedure.
#include <cstdint>

#include "transport/firmware_package.h"

namespace device_data {

// Which digest table of a firmware package is checked before the update:
// the transport's table A (sections) or table B (blocks).
using PackageDigests = transport::PackageTable;

// The message box the update page opens at the end of an update or restore.
enum class UpdateEndNotice : std::uint8_t {
  none,
  reconfigure,  // after a success: pair the phone again and set the settings again
  power_cycle,  // switch the device off and on: to take the new firmware after a
                // success, to try again after a failure
};

}  // namespace device_data
