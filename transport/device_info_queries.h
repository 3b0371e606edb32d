#pragma once
// Hardware facts the settings pages show or hide rows by, asked of the device
// open in HID slot 0 during recognition (the recognition worker stores the
// answers for the pages). Neither query changes any state.
#include <cstdint>

namespace transport {

// FM radio row of `product_id`: 4 (hide) when a product that exists with and
// without the radio reports hardware version x.2 in block 0x06, else 3 (show).
int get_device_info_for_fm_radio_with_pskey(std::uint32_t product_id);

// Device information status of `product_id` (0, 1, 2, 6 or 7) from its
// hardware blocks; 0 for products that have none to ask.
int get_device_info_for_hd_speaker_with_pskey(std::uint32_t product_id);

}  // namespace transport
