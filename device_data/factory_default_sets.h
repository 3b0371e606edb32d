#pragma once
// Which set of factory settings a product is reset to: each set is one or
// more rows of the factory table, by firmware version. A set without a note is
// named after the first product that has it.
#include <cstdint>

namespace device_data {

enum class FactoryDefaults : std::uint8_t {
  none,  // no factory row: the settings words are only cleared
  like_4d10,  // four firmware bands, with the microphone boost
  like_4d20,  // four firmware bands
  like_5040,  // four firmware bands and the FM block
  like_4d05,  // three firmware bands
  like_4d15,  // three firmware bands and the FM block
  like_4d75,
  like_4d85,
  fm_block_only,  // the FM block alone
  like_4d21,
  like_2010,
  like_2020,  // by firmware 1.1
  like_6000,
  like_4021,
  like_6420,
  like_4040,
  like_4110,
  like_4120,
  like_6110,
  like_5210,
  like_3030,
  like_3070,
  like_3080,
  like_3085,
  like_5560,
  like_5410,
  like_5720,
  like_5424,
  like_5534,
  like_3300,
  like_3400,
  like_6320,
  like_5510,  // the camera unit, by full firmware version
  like_5520,  // by full firmware version
  like_5522,
  like_5524,
  like_5530,
  like_5532,
  like_5550,
  like_5570,
  like_5576,
  like_5580,
  like_6210,
  like_5610,
  like_5622,
  like_5623,
  like_5710,
  like_5910,
  like_6112,
  like_6114,
  like_6400,
  navigation_0068,  // a navigation unit with factory switches 0x0068
  navigation_006b,  // a navigation unit with factory switches 0x006B
  navigation_006b_auto_on,  // the same with automatic on/off
  navigation_0068_auto_on,  // switches 0x0068 with automatic on/off
  navigation_0063_auto_on,  // switches 0x0063 with automatic on/off
  like_6020,
  like_6038,
  words_ed21,  // the general words of a two-module product
  lm6,  // the LM6's general words by firmware version
  like_3110,
  like_3112,
  like_3140,
  like_3142,
  like_3150,
  like_6500,
  like_3500,
  like_3560,
  like_6800,
};

}  // namespace device_data
