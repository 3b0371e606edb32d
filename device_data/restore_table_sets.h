#pragma once
// Per-product facts of the restore page's table of backed-up settings. The
// rows a product defines and the number of rows it counts are two tables
// that group the products differently: a counted row the product does not
// define shows no cell, and a defined row beyond the count is never shown.
#include <cstdint>

namespace device_data {

// Which rows the table defines for a product, by the backup's firmware
// version; each set is named after the first product that has it.
enum class RestoreTableRows : std::uint8_t {
  none,  // no rows
  // the LM6 family's settings words
  like_2030, like_4210, like_4410, like_4610,
  // the mesh headsets' settings words
  like_3110, like_3112, like_3114, like_3116, like_3118, like_3124, like_3128, like_3132, like_3140, like_3142,
  like_3146, like_3150, like_3152,
  // the mesh headsets with equalizer and HD voice
  like_3156, like_3170, like_3211, like_3260, like_3320, like_3310,
  // the record's own fields
  like_3030, like_3032, like_3070, like_3080, like_3085, like_3161, like_3300, like_3340, like_3341, like_3350,
  like_3370, like_3400, like_3500, like_3560, like_4023, like_4050, like_5410, like_5412, like_5416, like_5418,
  like_5424, like_5426, like_5510, like_5520, like_5522, like_5524, like_5526, like_5530, like_5532, like_5534,
  like_5550, like_5552, like_5560, like_5570, like_5576, like_5580, like_5595, like_5610, like_5622, like_5623,
  like_5624, like_5710, like_5720, like_5910,
  // the Y series
  like_6010, like_6014, like_6018, like_6020, like_6026, like_6028, like_6034, like_6038, like_6112, like_6210,
  like_6310, like_6320, like_6400,
  // QCC and Airoha chips
  like_6500, like_6800, like_6801, like_6804,
};

// How many rows the table counts for a product: a fixed number, or by the
// backup's firmware version and whether the FM radio is hidden (then named
// after the first product that has it).
enum class RestoreTableCount : std::uint8_t {
  none,  // no rows
  rows_1, rows_2, rows_3, rows_4, rows_5, rows_6, rows_7, rows_8, rows_9, rows_10, rows_11, rows_12, rows_13,
  rows_14, rows_15, rows_16, rows_17, rows_18,
  // by firmware version
  like_3570, like_3560, like_3500, like_5526, like_5416, like_6010, like_5570, like_5412, like_3110, like_3114,
  like_3112, like_3116, like_5510, like_5524, like_4210, like_5550, like_5610, like_5410, like_5910, like_5520,
  like_5624, like_5623, like_5622, like_5710, like_5530, like_6210, like_6018, like_6014, like_5580,
  // with fewer rows while the FM radio is hidden
  like_3050, like_3032, like_3070, like_3124,
};

}  // namespace device_data
