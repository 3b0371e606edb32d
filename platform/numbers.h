#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

namespace platform {

// A real as a 64-bit integer without undefined behaviour: NaN is 0, a value
// beyond the range its nearest end, anything else cut towards zero.
inline int64_t saturated_integer(double real) {
  if (std::isnan(real)) return 0;
  // 2^63 is exact in a double
  constexpr double k_limit = 9223372036854775808.0;
  if (real >= k_limit) return std::numeric_limits<int64_t>::max();
  if (real < -k_limit) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(real);
}

}  // namespace platform
