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

// The hexadecimal number at the start of `text`, as the platform's string
// scanner reads one: leading white space, an optional "0x" or "0X", then hex
// digits up to the first other character ("2DD49E" is 0x2DD49E; "", "g1" and
// "0x" are 0). A number beyond 32 bits reads as 0xFFFFFFFF. Only the
// characters of `text` are read: pass a prefix to read at most that many.
uint32_t hex_value(std::string_view text);

// The decimal real at the start of `text`, as the platform's text fields read
// one: leading white space, an optional sign, digits with an optional decimal
// point, an optional exponent; the rest is ignored ("87.5 MHz" is 87.5; "",
// "abc", "nan" and "inf" are 0). The point is always ".", whatever the locale.
// A number beyond the float range reads as an infinity, a tiny one as 0.
float float_value(std::string_view text);

}  // namespace platform
