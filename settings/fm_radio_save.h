#pragma once
// The FM radio page's save: the working copy's FM block goes into the device
// by the procedure of the selected product, after the device was found to be
// the recognized one.
//
//   two_module        versions of both modules; block 0x15 to module 2 (slot 1)
//   qcc               the QCC products: mode first where the catalogue says
//                     so; block 0x44, no version check
//   hid_block         block 0x15 after a version check (module 1's version
//                     where the header shows it, else the main set); the
//                     six-preset block and the fm_block_six_preset_magic
//                     products' block committed
//   persistent_store  every other product: the persistent-store walk; key 671
//                     for the fm_block_in_persistent_store products, nothing
//                     for the others
//   none              the Airoha FM products take no FM block over USB: their
//                     save is refused before the device is opened, and the
//                     edits stay
//
// The procedure is the catalogue's fm_save column. The FM block is 15 words:
// magic word, current frequency, current preset, presets 1 to 10, RDS, region
// (11 words with presets 1 to 6 on the six-preset products). The magic word
// is fixed by product: 0x56E9 for the six-preset products and the
// fm_block_six_preset_magic ones, 0x66E9 for every other; the record's own
// magic word is never written. Commit results are not looked at.
// Qt-free; runs on the save worker's thread.
#include <cstdint>
#include <string>
#include <vector>

#include "device_data/save_families.h"
#include "settings/save_engine.h"

class FEXOBluetoothDeviceData;

namespace settings::fm_radio {

// Result codes of the FM radio save (rcThreadSave).
enum SaveCode : int {
  k_save_written = k_save_success,  // written, or nothing to write for the product
  k_save_cannot_open_usb = 1,       // no persistent-store device opened
  k_save_firmware_management = 2,   // the persistent-store device is in firmware-management mode
  // the write or the mode query failed, the device is not in its normal mode,
  // or key 671 was refused
  k_save_refused = 3,
  // the device is gone or another: open failed, other product id or firmware
  k_save_not_recognized_device = 4,
  // the product takes no FM block: nothing was sent
  k_save_not_supported = 5,
};

// The procedure that saves the FM block of `product`.
device_data::FmSave procedure_of(int product);

// The magic word the block of `product` carries.
std::uint16_t magic_word(int product);

// The FM block of `edited` as `product` takes it: 11 words on the six-preset
// products, else 15; each value cut to its low 16 bits.
std::vector<std::uint16_t> block_words(int product, const FEXOBluetoothDeviceData& edited);

// The persistent-store key of the FM block.
inline constexpr std::uint16_t k_fm_block_key = 671;

// The reason `code` gives in `language`: "Cannot open USB", "Firmware
// management mode", "Cannot save FM Radio Setting", "Not the recognized
// device" or "Not supported for this device".
std::string reason(int code, int language);

// The page's rules: its procedure, reasons, and the discarding codes 1, 2 and 4.
SaveRules save_rules();

// The worker body: the procedure of the selected product;
// k_save_not_supported, with nothing opened, for a product without one.
int threadMethodSave(const SaveCopies& copies);

// The HID procedures alone (two_module, qcc, hid_block), from the open to the
// closing of both slots; k_save_not_recognized_device for a persistent_store product,
// k_save_not_supported (nothing opened) for one without a procedure.
int save_over_hid(const SaveCopies& copies);

// The persistent_store procedure: the persistent-store walk (settings/bluecore_settings_walk.h),
// with key 671 for the products that keep their FM block there. Codes 0 to 4.
int save_over_persistent_store(const SaveCopies& copies);

// The procedure's step after the open, on whatever the transport holds (slot
// 0, and slot 1 for module 2 of two_module): version check or mode query,
// then the block write and its commit. `opened_product_id` names the device
// in the log lines. Nothing is sent for a persistent_store product (code 4) or
// without a procedure (code 5).
int write_fm_block(std::uint32_t opened_product_id, const SaveCopies& copies);

}  // namespace settings::fm_radio
