#include "platform/utf8.h"

#include <cstdint>

namespace platform {

bool is_valid_utf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<uint8_t>(bytes[i]);
    size_t length = 0;
    uint32_t code = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      code = lead & 0x1F;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      code = lead & 0x0F;
      minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      code = lead & 0x07;
      minimum = 0x10000;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<uint8_t>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::optional<std::string> valid_utf8_or_nil(const std::optional<std::string>& text) {
  if (text && !is_valid_utf8(*text)) return std::nullopt;
  return text;
}

size_t utf8_character_count(std::string_view text) {
  size_t count = 0;
  for (char byte : text) {
    if ((static_cast<uint8_t>(byte) & 0xC0) != 0x80) ++count;
  }
  return count;
}

bool is_ascii(std::string_view bytes) {
  for (const unsigned char c : bytes) {
    if (c > 0x7F) return false;
  }
  return true;
}

}  // namespace platform
