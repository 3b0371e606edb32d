#pragma once
// UTF-8 checks for text that comes from a device or a file.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool is_valid_utf8(std::string_view bytes);

// True when every byte of `bytes` is 7-bit ASCII (the server's lists are read as ASCII).
bool is_ascii(std::string_view bytes);

// `text` when it is valid UTF-8, else nil.
std::optional<std::string> valid_utf8_or_nil(const std::optional<std::string>& text);

// Number of characters (code points) of valid UTF-8 text.
size_t utf8_character_count(std::string_view text);

}  // namespace platform
