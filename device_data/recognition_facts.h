#pragma once
// The per-product facts of recognition over the persistent store: which keys
// it reads and how the settings word under them is laid out.
#include <cstdint>

#include "transport/device_info_queries.h"

namespace device_data {

// Which persistent-store keys legacy USB recognition reads, by firmware.
enum class LegacyKeySet : std::uint8_t {
  none,                    // no key
  word_from_4_0,           // VOX and EDR keys before 4.0, else the settings word; speed dials above 4.2
  word_from_4_0_with_fm,   // as word_from_4_0, and the FM block
  word_dials_above_1_2,    // the settings word; speed dials above 1.2
  word_fm_dials_above_1_2, // the settings word and the FM block; speed dials above 1.2
  word_fm_dials,           // the settings word, the FM block and the speed dials
  word_and_dials,          // the settings word and the speed dials
  word_only,               // the settings word
  gain_and_timeout,        // the transmit gain and the channel timeout
};

// Which settings the legacy settings word holds, and which are set when it
// cannot be read (VOX, PLC, bitpool, boost: "failed with boost").
enum class SettingsWordLayout : std::uint8_t {
  none,                          // no settings word
  bits_0_to_6_sidetone_from_5_0, // bits 0-6, sidetone from 5.0; failed with boost
  bits_0_to_6_sidetone,          // bits 0-6 and sidetone; failed with boost
  bits_0_to_6,                   // bits 0-6; failed with boost
  no_intercom_vox,               // bits 0 and 2-6 and sidetone; failed with boost
  sidetone_hush_from_1_1,        // bits 0-6 and sidetone, hush from 1.1; failed with boost
  sidetone_hush,                 // bits 0-6, sidetone and hush; failed with boost
  sidetone_hush_auto_gain,       // bits 0-6, sidetone, hush and automatic gain; failed with boost
  no_vox_hush,                   // bits 2-6, sidetone and hush; PLC, bitpool and boost on failure
  sidetone_only,                 // sidetone, on failure too
  bits_0_to_5_sidetone_from_2_0, // bits 0-5, sidetone from 2.0; failed without boost
  bits_0_to_5_sidetone,          // bits 0-5 and sidetone; failed without boost
  bits_0_to_5,                   // bits 0-5; failed without boost
  vox_edr_prompt,                // handsfree VOX, EDR and voice prompt; VOX on failure
  vox_only,                      // handsfree VOX, on failure too
};

// How recognition reads the version of a second module over HID, besides the
// two-module products (the unit in slot 1) and the Airoha mesh update family.
enum class SecondModuleRead : std::uint8_t {
  none,            // no second module
  qcc_mesh,        // switch 0x0F to the QCC mesh unit, short version exchange, back with 0x10
  module_1_only,   // module 1 only: the main version is logged
  mesh_processor,  // switch 0x50 to the mesh processor, version command
  paired_units,    // version command to the unit in slot 1, secondary type 2
};

// The radio power set recognition writes over a unit whose address lies
// above the product's power_address_threshold (keys 23, 33, 45, table 49,
// and for all but A keys 502, 521, 578).
enum class PowerSet : std::uint8_t { none, a, b, c, d, e };

// Which hardware blocks recognition reads for the device information status
// that the settings pages show the HD speaker rows by: the transport's query.
using SpeakerQuery = transport::SpeakerBlocks;

}  // namespace device_data
