// The text formatter on any text and arguments: no text and no argument may
// make it crash or show undefined behaviour, as a translation could.
//
// Input: the text, a NUL, then up to six arguments, each a kind byte and its
// value: 's' a string up to the next NUL or the end, 'i' a signed integer and
// 'r' a double, each in 8 bytes, least significant first (any bit pattern, so
// NaN, infinities and subnormals too). Other kind bytes are skipped.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/format.h"

namespace {

constexpr size_t k_max_arguments = 6;

uint64_t little_endian(const uint8_t* bytes) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

std::vector<platform::FormatArg> arguments_of(const uint8_t* data, size_t size) {
  std::vector<platform::FormatArg> arguments;
  size_t at = 0;
  while (at < size && arguments.size() < k_max_arguments) {
    const uint8_t kind = data[at++];
    if (kind == 's') {
      const auto* text = reinterpret_cast<const char*>(data + at);
      const size_t length = ::strnlen(text, size - at);
      arguments.emplace_back(std::string(text, length));
      at += length + 1;
    } else if ((kind == 'i' || kind == 'r') && size - at >= 8) {
      const uint64_t bits = little_endian(data + at);
      at += 8;
      if (kind == 'i') {
        arguments.emplace_back(static_cast<long long>(bits));
      } else {
        double real;
        std::memcpy(&real, &bits, sizeof real);
        arguments.emplace_back(real);
      }
    }
  }
  return arguments;
}

std::string format_with(std::string_view text, const std::vector<platform::FormatArg>& a) {
  switch (a.size()) {
    case 0: return platform::format_list(text, {});
    case 1: return platform::format_list(text, {a[0]});
    case 2: return platform::format_list(text, {a[0], a[1]});
    case 3: return platform::format_list(text, {a[0], a[1], a[2]});
    case 4: return platform::format_list(text, {a[0], a[1], a[2], a[3]});
    case 5: return platform::format_list(text, {a[0], a[1], a[2], a[3], a[4]});
    default: return platform::format_list(text, {a[0], a[1], a[2], a[3], a[4], a[5]});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto* chars = reinterpret_cast<const char*>(data);
  const size_t text_length = ::strnlen(chars, size);
  const size_t rest = text_length < size ? text_length + 1 : size;
  format_with(std::string_view(chars, text_length), arguments_of(data + rest, size - rest));
  return 0;
}
