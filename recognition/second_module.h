#pragma once
// Versions of the two modules of a recognized HID device. Module 1 is the main
// unit's; module 2 is the second HID unit's (two-unit products) or the mesh
// unit's, which the device shows only after a switch command that makes it
// enumerate under another product id. The step never fails a recognition: what
// cannot be read keeps its default, and the main unit is reopened in slot 0
// afterwards for the settings read.
#include <cstdint>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "recognition/settings_blocks.h"
#include "transport/transport_message.h"

namespace recognition {

// How a product's second module tells its version.
enum class ModuleGroup {
  none,            // no second module: module sets untouched
  qcc_mesh,        // Q: switch 0x0F, QCC mesh unit, short version exchange, back with 0x10
  two_units,       // D: version command to the unit in slot 1
  plus_weave,      // W: module 1 only
  mesh_processor,  // P: switch 0x50, mesh processor 0x3120, version command
  airoha_mesh,     // A: switch 0x50, Airoha mesh unit, language-pack version
  paired_units,    // T: version command to the unit in slot 1, secondary type 2
};

ModuleGroup module_group(std::uint32_t product_id);

// The worker's opened product id and transport message, which the mesh opens
// and the reopen of the main unit write.
struct OpenedDevice {
  std::uint32_t& product_id;
  transport_message& message;
};

// Copies the main version into module 1 and reads module 2 for `product_id`'s
// group. For groups D and T the main version becomes module 2's when module 2
// is the older. A stop request of the worker ends the mesh reopen waits early.
void read_second_module_versions(std::uint32_t product_id, FEXOBluetoothDeviceData& record, HidBuffers buffers,
                                 OpenedDevice opened);

}  // namespace recognition
