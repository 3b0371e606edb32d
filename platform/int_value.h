#pragma once
// Numbers typed into text: the integer at the start of a text, as the
// platform's text fields and version strings read it.
#include <cstdint>
#include <string_view>

namespace platform {

// Leading white space, an optional sign, then the digits up to the first other
// character ("12abc" is 12; "abc" and "" are 0). A number beyond the 32-bit
// range reads as the nearest limit.
int32_t int_value(std::string_view text);

}  // namespace platform
