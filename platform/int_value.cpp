#include "platform/int_value.h"

#include <cctype>
#include <limits>

namespace platform {

int32_t int_value(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  const int64_t limit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + (negative ? 1 : 0);
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) value = limit;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

uint32_t hex_value(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (text.substr(i).starts_with("0x") || text.substr(i).starts_with("0X")) i += 2;
  uint64_t value = 0;
  for (; i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
    const char digit = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    value = value * 16 + static_cast<uint64_t>(digit <= '9' ? digit - '0' : digit - 'a' + 10);
    if (value > std::numeric_limits<uint32_t>::max()) value = std::numeric_limits<uint32_t>::max();
  }
  return static_cast<uint32_t>(value);
}

}  // namespace platform
