#pragma once
// Address-range test of the LM6 over HID: the units of two production runs are
// told apart by the lower 24 bits of their Bluetooth device address, a
// serial-number-like range. The worker passes those bits as six upper-case
// hex digits, most significant first ("2E9057").
#include <string_view>

namespace recognition {

// True when `device_target` is 0x4210 and the address prefix (its first six
// characters, or fewer when it is shorter; 0 when no hex digit leads) lies in
// 333D55-334B7D or 2E9057-2E90BA, bounds included: the LM6 units of those runs
// need their sub-model code (block 0x05) set to 11.
bool addPSKeyLM6ForIronvaleWith(int device_target, std::string_view address_prefix);

}  // namespace recognition
