#pragma once
// The save walk of the BlueCore products, shared by the settings, FM radio and
// speed-dial pages: their settings live in the chip's persistent store and are
// written key by key over the BlueCore channel (transport/bluecore_channel.h).
//
//   1. Open the BlueCore devices (mode 0, up to 5 tries). A failed open, or an
//      open that reports no device, gives the page's cannot-open code; nothing
//      is written.
//   2. A first device in firmware-management mode (bit 15 of its product id)
//      gives the page's firmware-management code; nothing is written.
//   3. For each open device in turn: select it; its product id from the open
//      must be the attached device recognition saw (`usbStatus`), the product
//      id it reports (below 1 counts as 0x4D10) the recognized one
//      (`deviceRecognized` of `data`), and its firmware the version set of
//      `data`; else the page's not-recognized code. Then the page's keys, in
//      order; the first refused key ends the walk with that key's code, and
//      the keys written before it stay written.
//   4. The devices are closed whichever way the walk ends (nothing is open
//      after a failed open).
//
// Each page chooses its keys (only those that changed, on the settings page)
// and its codes. The walk does not close the HID slots: a page whose save
// starts by doing so does it before. Qt-free; runs on a save worker's thread,
// the only user of the BlueCore channel while the save runs.
#include <cstdint>
#include <vector>

#include "settings/save_engine.h"

namespace settings {

// Try budget of the BlueCore open of a save.
inline constexpr int k_bluecore_save_open_budget = 5;

// One persistent-store key a save writes: its words (host order) and the
// code a refusal of it gives.
struct PsKeyWrite {
  std::uint16_t key = 0;
  std::vector<std::uint16_t> words;
  int refused_code = 0;
};

// The page's codes for the walk's own outcomes.
struct BlueCoreWalkCodes {
  int cannot_open = 0;          // no device could be opened
  int firmware_management = 0;  // the device is in firmware-management mode
  int not_recognized = 0;       // another device, product or firmware than recognition saw
};

// Runs the walk with `writes` for every open device; k_save_success when
// every device took every key (or `writes` is empty and the devices are the
// recognized ones), else the code of the first failure.
int save_over_bluecore(const SaveCopies& copies, const BlueCoreWalkCodes& codes,
                       const std::vector<PsKeyWrite>& writes);

}  // namespace settings
