#include "platform/int_value.h"

#include <locale.h>
#include <stdlib.h>

#include <cctype>
#include <limits>
#include <string>

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

float float_value(std::string_view text) {
  const auto digit_at = [&](size_t at) { return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); };
  size_t start = 0;
  while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  size_t end = start;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  const size_t mantissa = end;
  while (digit_at(end)) ++end;
  bool digits = end > mantissa;
  if (end < text.size() && text[end] == '.') {
    const size_t fraction = ++end;
    while (digit_at(end)) ++end;
    digits = digits || end > fraction;
  }
  if (!digits) return 0;
  // an exponent counts only when digits follow it
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (digit_at(exponent)) {
      end = exponent;
      while (digit_at(end)) ++end;
    }
  }
  // only the scanned number reaches strtod, so its own forms ("nan", "0x1p3")
  // never do; the C locale keeps the point a point
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const std::string number(text.substr(start, end - start));
  const double value = strtod_l(number.c_str(), nullptr, c_locale);
  constexpr double k_float_max = std::numeric_limits<float>::max();
  if (value > k_float_max) return std::numeric_limits<float>::infinity();
  if (value < -k_float_max) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

}  // namespace platform
