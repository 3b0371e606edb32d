#pragma once
// Hardware facts the settings pages show or hide rows by, asked of the device
// open in HID slot 0 during recognition (the recognition worker stores the
// answers for the pages). Neither query changes any state.
#include <cstdint>

namespace transport {

// FM radio row: 4 (hide) when a product built with and without the radio
// (`by_hardware_version`) reports hardware version x.2 in block 0x06, else 3
// (show); a product built one way only is not asked.
int get_device_info_for_fm_radio_with_pskey(bool by_hardware_version);

// Which hardware blocks tell the device information status.
enum class SpeakerBlocks : std::uint8_t {
  none,              // nothing to ask: 0
  user_and_speaker,  // the sub-model code in block 0x05, then the speaker block 0x12
  hardware_block,    // word 2 of block 0x06
};

// Device information status (0, 1, 2, 6 or 7) from the product's hardware blocks.
int get_device_info_for_hd_speaker_with_pskey(SpeakerBlocks blocks);

}  // namespace transport
