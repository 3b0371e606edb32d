#pragma once
// The caller-owned text buffer into which the transport's open and load
// operations write their English status text; the pages translate it.
#include <array>
#include <cstddef>
#include <string_view>

using transport_message = std::array<char, 256>;

namespace transport {

// Stores `text` as a NUL-terminated string, cut to fit the buffer.
void set_message(transport_message& message, std::string_view text);
// The text stored in the buffer (up to its first NUL byte).
std::string_view message_text(const transport_message& message);

}  // namespace transport
