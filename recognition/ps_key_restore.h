#pragma once
// After a firmware restore, the settings backed up before flashing go back
// into an older BlueCore headset as persistent-store keys, chosen by the
// selected product (deviceTarget), before recognition reads them back.
#include <cstdint>
#include <span>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace recognition {

// One key to write and its words (host order).
struct PsKeyWrite {
  std::uint16_t key = 0;
  std::vector<std::uint16_t> words;
  bool operator==(const PsKeyWrite&) const = default;
};

// The keys `device_target` gets from `backup`, in the order they are written;
// none for a product without a row.
std::vector<PsKeyWrite> backed_up_ps_key_writes(int device_target, const FEXOBluetoothDeviceData& backup);

// Writes them over the open BlueCore channel, stopping at the first write that
// fails: 0 when all were written (or none was due), else the failing key.
int write_backed_up_ps_keys(int device_target, const FEXOBluetoothDeviceData& backup);

}  // namespace recognition
