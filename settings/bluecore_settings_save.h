#pragma once
// The settings page's save to the BlueCore products (every product without a
// HID group): the changed settings go into the chip's persistent store, key by
// key, over the BlueCore save walk (settings/bluecore_settings_walk.h). Only
// values that differ between the working copy and the device as recognition
// read it are written:
//
//   239  EDR, every product: 4 words, the pattern of on or of off
//   664  intercom VOX, 665 phone VOX: the products whose catalogue row
//        (device_data/product_facts.h, bluecore_settings_keys) says
//        vox_keys_before_4_0, below 4.0
//   654  the packed settings word and 0: those products from 4.0, and the
//        products of settings_word
//   684  radio transmit gain, then 682 audio channel timeout in ms: the
//        product of transmit_gain_timeout
//
// Codes: 1 no device opened, 2 firmware-management mode, 9 another device or
// firmware; a refused key 3 (664), 4 (665), 5 (239), 6 (684), 7 (682) or 8
// (654). Qt-free; runs on the save worker's thread.
#include <vector>

#include "settings/bluecore_settings_walk.h"
#include "settings/save_engine.h"

namespace settings {

// The keys a save of `copies` writes, in order: those whose values changed.
std::vector<PsKeyWrite> bluecore_settings_writes(const SaveCopies& copies);

// The whole BlueCore save of the settings page: the walk with those keys.
int save_settings_over_bluecore(const SaveCopies& copies);

}  // namespace settings
