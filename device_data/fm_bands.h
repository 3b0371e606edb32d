#pragma once
// The FM regions' bands, as the record's preset check uses them.
#include <cstdint>

namespace device_data {

// An FM region's band: lowest and highest frequency and the step of its
// channel grid, in 10 kHz units (8750 is 87.5 MHz).
struct FMBand {
  int32_t lowest = 0;
  int32_t highest = 0;
  int32_t step = 0;
};

// The band of region `region` (0 Worldwide, 1 Americas, 2 Asia, 3 Australia,
// 4 Europe, 5 Japan); a region outside 0..5 is taken as region 0.
FMBand fm_band(int32_t region);

}  // namespace device_data
