#pragma once
// The per-family setting fields inside the record's 16-bit settings words, as
// data: one descriptor per field in one list, and one generic reader and writer
// for any descriptor. The record's named accessors (getBasicSettingLM6VOXPhone
// and the rest) are these descriptors bound by name; the save engine and the
// all-settings rows bind to the same list.
//
// Bits count from 0 (least significant) within the device word; every writer
// changes only its field's bits.
#include <cstdint>
#include <span>
#include <string_view>

class FEXOBluetoothDeviceData;

namespace device_data {

// Which word array of the record a field lives in: the general words
// (basicSettingLM6) or the camera words (basicSettingVT4CameraAt).
enum class SettingWords { general, camera };

// How the writer turns its argument into the field's code.
enum class SetRule {
  on_off,                // bit set for any nonzero argument
  on_when_zero,          // inverted switch: 0 sets the bit, anything else clears it
  in_range,              // set_low..high written, anything else leaves the word alone
  in_range_or_fallback,  // set_low..high written, anything else writes the fallback
  low_bits,              // the argument's low bits, whatever it holds
};

// How the reader turns the field's code into its value.
enum class GetRule {
  code,                  // the code as stored
  in_range_or_fallback,  // 0..high as stored, any other code reads the fallback
  off_is_one,            // 1 when the bit is clear
};

struct SettingField {
  std::string_view name;  // the accessors' name without get/set: "LM6VOXPhone"
  SettingWords words;
  int word;  // index in the word array
  int first_bit;
  int last_bit;
  SetRule set;
  GetRule get;
  std::int32_t set_low;
  std::int32_t high;
  std::int32_t fallback;
  // The record's accessor adds a rule of its own (a product- or version-
  // dependent mapping, a level offset): the generic reader gives the code by
  // the rules above, not the accessor's value.
  bool own_rule;
};

// Every field, grouped by family in the order of the record's accessors.
std::span<const SettingField> setting_fields();
// The field named `name`, or nullptr.
const SettingField* find_setting_field(std::string_view name);

// The field's value in `record` by its get rule.
std::int32_t read_setting_field(const FEXOBluetoothDeviceData& record, const SettingField& field);
// Writes `value` into the field's bits by its set rule.
void write_setting_field(FEXOBluetoothDeviceData& record, const SettingField& field, std::int32_t value);

}  // namespace device_data
