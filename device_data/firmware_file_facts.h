#pragma once
// Per-product facts of the firmware file check and of the update page's
// operation around a flashing procedure.
#include <cstdint>

namespace device_data {

// Which digest table of a firmware package is checked before the update.
enum class PackageDigests : std::uint8_t {
  section_table,  // table A: one 32-byte entry per section
  block_table,    // table B: one 312-byte entry per section, after table A
};

// The message box the update page opens at the end of an update or restore.
enum class UpdateEndNotice : std::uint8_t {
  none,
  reconfigure,  // after a success: pair the phone again and set the settings again
  power_cycle,  // switch the device off and on: to take the new firmware after a
                // success, to try again after a failure
};

}  // namespace device_data
