#pragma once
// One firmware block to an Airoha chip (update/families/airoha_block_exchange.h)
// as a flashing procedure runs it: the block goes over the language-pack
// channel of the device open in slot 0, the chip restarts, the host closes
// every slot, lets the chip write for a few seconds, looks for it once a
// second until it is back (at most 300 s), opens it again and asks for the
// block's result.
#include <chrono>
#include <optional>

#include "transport/firmware_package.h"
#include "update/families/airoha_block_exchange.h"
#include "update/families/hid_update_steps.h"
#include "update/update_engine.h"

namespace update::families {

struct AirohaBlockTransfer {
  // How the chip is found after its restart: hid_open_device, or
  // hid_open_mesh_airoha for a mesh part.
  HidOpen open = hid_open_device;
  // The chip writes its block before it restarts.
  std::chrono::milliseconds restart_settle{0};
  AirohaBlockPlan plan{};
};

// Sends `entry` to the chip open in slot 0. Nothing when the block is done
// (the chip open in slot 0 again) or skipped (the device as it was); the exit
// to leave by otherwise, with "Cannot get status[k][ai][block]" and its suffix
// shown (update_error_code stays 1). A stop request leaves by close-and-finish
// with the status as it stood.
std::optional<Exit> airoha_block_transfer(UpdateRun& run, const transport::PackageEntry& entry,
                                          const AirohaBlockTransfer& how);

// Sends the language-pack request on slot 0.
int airoha_exchange_on_slot_0(lang_pack_report& request, lang_pack_reply& reply);

}  // namespace update::families
