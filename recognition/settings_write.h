#pragma once
// After a firmware restore the recognition worker writes the restored backup
// record's settings back into the device, before it reads them into the
// controller's record. Which blocks a product writes, in which order and with
// which words, follows the product's settings-block layout; the frames are
// those of settings_blocks.h. No write result is examined: a device that refuses the
// writes shows its own settings afterwards.
#include <cstdint>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "recognition/settings_blocks.h"

namespace recognition {

// Writes the settings blocks, the FM block and the speed dials of `backup` for
// product `product_id`, the restored blocks of its settings-block layout in
// order. A layout without such blocks (the pair of units among them) is sent nothing.
void write_backed_up_settings(SettingsBlocks& blocks, std::uint32_t product_id, const FEXOBluetoothDeviceData& backup);

}  // namespace recognition
