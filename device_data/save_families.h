#pragma once
// The columns of the product catalogue that choose a settings page's save
// procedure and the product lists of update, recognition and session rules.
#include <cstdint>

namespace device_data {

// How the FM radio page writes the FM block into the device.
enum class FmSave : std::uint8_t {
  persistent_store,  // the persistent-store walk; key 671 where fm_block_in_persistent_store
  two_module,        // versions of both modules, block 0x15 to module 2 (slot 1)
  qcc,               // block 0x44, no version check
  hid_block,         // block 0x15 after a version check
  none,              // the device takes no FM block over USB: the save is refused
};

// How the speed-dial page writes its three numbers.
enum class SpeedDialSave : std::uint8_t {
  persistent_store,  // keys 8832-8834 on every open BlueCore device
  two_module,        // versions of both modules, blocks 0x5A-0x5C
  language_pack,     // one language-pack frame per number
  low_blocks,        // blocks 0x37-0x39
  high_blocks,       // a version check, then blocks 0x5A-0x5C
};

// How the HID section download of a directly flashed product ends: whether it
// shows the notice asking to hold the device's button, and whether it waits
// for the device to report ready before the loader runs.
enum class SectionDownloadEnd : std::uint8_t {
  button_notice,  // the notice, and the readiness wait
  quiet,          // no notice; the readiness wait
  quiet_no_wait,  // no notice, no readiness wait: a pause of 1 s instead
};

// What a normal-mode id of the USB DFU family means on the bus while the
// update waits for the device to re-enumerate in its download mode.
enum class UsbDfuBusId : std::uint8_t {
  other,                // not one of the family's normal-mode ids
  normal_mode,          // the device has not detached yet
  kept_while_detached,  // the device keeps this id while detached: it is passed over
};

// The buttons the update's message boxes tell the user to hold to put the
// device into firmware-management mode: the first instruction's button, the
// one while re-plugging after a failure, then the pair held while it is
// switched off and on ("none": that box shows no button).
enum class UpdateButtons : std::uint8_t {
  none,                                  // no box names a button
  replug,                                // re-plugged without holding a button
  minus_minus_then_plus_minus,
  center_center_then_center_plus,
  minus_center_then_center_plus,
  phone_phone_then_jog_dial_phone,
  phone_none_then_jog_dial_phone,
  left_left_then_left_right,
  pairing_pairing_then_ptt_pairing,
  minus_none_then_none,
};

}  // namespace device_data
