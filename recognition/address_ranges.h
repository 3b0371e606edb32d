#pragma once
// Address-range tests of the recognition: some units are told apart by the
// lower 24 bits of their Bluetooth device address, a serial-number-like range.
// The worker passes those bits as six upper-case hex digits, most significant
// first ("2E9057").
#include <cstdint>
#include <string_view>

namespace recognition {

// The hexadecimal number in the first six characters of `text`, read as the
// platform's string scanner reads one: leading white space, an optional "0x",
// then hex digits up to the first other character. Only the characters present
// are read; 0 when nothing parses.
std::uint32_t hex_prefix_value(std::string_view text);

// True when `device_target` is 0x4210 and the address prefix lies in
// 333D55-334B7D or 2E9057-2E90BA, bounds included: the LM6 units of those runs
// need their sub-model code (block 0x05) set to 11.
bool addPSKeyLM6ForIronvaleWith(int device_target, std::string_view address_prefix);

}  // namespace recognition
