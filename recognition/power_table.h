#pragma once
// Radio power table of older BlueCore headsets. Units of some products left the
// factory with radio output settings that the maker later replaced; such a unit
// is known by its product and by the lower 24 bits of its Bluetooth device
// address (a serial-number-like range), and gets seven persistent-store keys
// of its radio rewritten with fixed values during recognition.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace recognition {

// True when `device_target` has an address threshold and the address prefix
// (six hex digits, most significant first; only its first six characters, or
// fewer when it is shorter, are read) lies above it.
bool changePSKeyPowerTableWith(int device_target, std::string_view address_prefix);

// One write of a power set: a PS key and its words.
struct PowerKeyWrite {
  std::uint16_t key;
  std::span<const std::uint16_t> words;
};
// The writes of the power set of `device_target`, in the order keys 23, 33,
// 45, 49, 502, 521, 578; none for a target without a set.
std::vector<PowerKeyWrite> power_set_writes(int device_target);
// Writes the power set of `device_target` over the open BlueCore channel;
// failed writes are passed over.
void write_power_set(int device_target);
// Writes key 49 with the second table of 0x4D35 and 0x4D55 (table F, 30 words);
// a failed write is passed over.
void write_power_table_f();

}  // namespace recognition
