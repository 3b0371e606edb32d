#include "recognition/address_ranges.h"

#include <algorithm>
#include <limits>

namespace recognition {
namespace {

// The worker passes six digits; the scanner reads no further than that.
constexpr std::size_t k_prefix_characters = 6;

constexpr int k_lm6_product = 0x4210;
struct AddressRange {
  std::string_view first;
  std::string_view last;
};
constexpr AddressRange k_lm6_ranges[] = {{"333D55", "334B7D"}, {"2E9057", "2E90BA"}};

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::uint32_t hex_prefix_value(std::string_view text) {
  text = text.substr(0, std::min(text.size(), k_prefix_characters));
  std::size_t at = 0;
  while (at < text.size() && is_space(text[at])) ++at;
  if (text.substr(at).starts_with("0x") || text.substr(at).starts_with("0X")) at += 2;
  std::uint64_t value = 0;
  for (; at < text.size() && hex_digit(text[at]) >= 0; ++at) {
    value = std::min<std::uint64_t>(value * 16 + static_cast<std::uint64_t>(hex_digit(text[at])),
                                    std::numeric_limits<std::uint32_t>::max());
  }
  return static_cast<std::uint32_t>(value);
}

bool addPSKeyLM6ForIronvaleWith(int device_target, std::string_view address_prefix) {
  if (device_target != k_lm6_product) return false;
  const std::uint32_t address = hex_prefix_value(address_prefix);
  return std::any_of(std::begin(k_lm6_ranges), std::end(k_lm6_ranges), [address](const AddressRange& range) {
    return address >= hex_prefix_value(range.first) && address <= hex_prefix_value(range.last);
  });
}

}  // namespace recognition
