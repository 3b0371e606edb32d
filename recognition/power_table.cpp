#include "recognition/power_table.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "device_data/product_facts.h"
#include "platform/int_value.h"
#include "transport/bluecore_channel.h"

namespace recognition {
namespace {

// The prefix and the thresholds are read as at most six hex digits.
constexpr std::size_t k_address_digits = 6;

// Key 49 tables: the radio's output power steps.
constexpr std::array<std::uint16_t, 15> k_table_a = {
    0x0B00, 0x0000, 0x1100, 0x0000, 0x0000, 0x1600, 0x0000, 0x1100,
    0x0000, 0x0800, 0x2700, 0x0000, 0x1600, 0x0000, 0x1000};
constexpr std::array<std::uint16_t, 15> k_table_b = {
    0x0B00, 0x0000, 0x1100, 0x0000, 0x0000, 0x1200, 0x0000, 0x1100,
    0x0000, 0x0400, 0x1900, 0x0000, 0x1600, 0x0000, 0x0800};
constexpr std::array<std::uint16_t, 30> k_table_c = {
    0x1600, 0x0050, 0x1900, 0x0050, 0xFC00, 0x1E00, 0x0050, 0x2000, 0x0050, 0x0000,
    0x1C00, 0x0040, 0x1E00, 0x0040, 0x0400, 0x1D00, 0x0030, 0x1F00, 0x0030, 0x0800,
    0x1F00, 0x0020, 0x2100, 0x0020, 0x0C00, 0x2000, 0x0000, 0x2200, 0x0000, 0x1000};
constexpr std::array<std::uint16_t, 25> k_table_d = {
    0x0500, 0x0000, 0x0600, 0x0000, 0xFA00, 0x0A00, 0x0000, 0x0A00, 0x0000,
    0xFE00, 0x0F00, 0x0000, 0x1100, 0x0000, 0x0200, 0x1500, 0x0000, 0x1700,
    0x0000, 0x0600, 0x1C00, 0x0000, 0x1E00, 0x0000, 0x0A00};
// 19 words: the device takes the table as it is.
constexpr std::array<std::uint16_t, 19> k_table_e = {
    0x0F00, 0x0000, 0x1100, 0x0000, 0x0200, 0x1500, 0x0000, 0x1700, 0x0000, 0x0600,
    0x1C00, 0x0000, 0x1E00, 0x0000, 0x0A00, 0x0000, 0x2200, 0x0000, 0x1000};
constexpr std::array<std::uint16_t, 30> k_table_f = {
    0x2A00, 0x0050, 0x3100, 0x0050, 0xFC00, 0x2700, 0x0040, 0x2E00, 0x0040, 0x0000,
    0x2800, 0x0030, 0x2E00, 0x0030, 0x0400, 0x2B00, 0x0020, 0x3100, 0x0020, 0x0800,
    0x2E00, 0x0010, 0x3600, 0x0010, 0x0C00, 0x3800, 0x0000, 0x3A00, 0x0000, 0x1000};

constexpr std::uint16_t k_key_table = 49;

// One-word keys of a power set; a key the set does not write is absent.
struct SingleKey {
  std::uint16_t key;
  std::uint16_t value;
};

struct PowerSet {
  device_data::PowerSet name;
  std::initializer_list<SingleKey> before_table;  // keys 23, 33, 45
  std::span<const std::uint16_t> table;           // key 49
  bool radio_keys;                                // keys 502, 521, 578
};

constexpr PowerSet k_power_sets[] = {
    // A
    {device_data::PowerSet::a, {{23, 0x0010}, {33, 0x0008}}, k_table_a, false},
    // B
    {device_data::PowerSet::b, {{23, 0x0008}, {33, 0x0008}, {45, 0x0008}}, k_table_b, true},
    // C
    {device_data::PowerSet::c, {{23, 0x0010}, {33, 0x000C}, {45, 0x0010}}, k_table_c, true},
    // D
    {device_data::PowerSet::d, {{23, 0x000A}, {33, 0x000A}, {45, 0x0010}}, k_table_d, true},
    // E
    {device_data::PowerSet::e, {{23, 0x000A}, {33, 0x000A}, {45, 0x000A}}, k_table_e, true},
};

// Keys 502, 521 and 578 of the sets that write them.
constexpr std::uint16_t k_key_502_value[] = {0x0027};
constexpr std::uint16_t k_key_521_value[] = {0x0001};
constexpr std::uint16_t k_key_578_value[] = {0x0000};

}  // namespace

bool changePSKeyPowerTableWith(int device_target, std::string_view address_prefix) {
  const char* threshold = device_data::product_facts(device_target).power_address_threshold;
  if (threshold == nullptr) return false;
  const std::uint32_t address = platform::hex_value(address_prefix.substr(0, k_address_digits));
  return address > platform::hex_value(threshold);
}

std::vector<PowerKeyWrite> power_set_writes(int device_target) {
  std::vector<PowerKeyWrite> writes;
  const device_data::PowerSet wanted = device_data::product_facts(device_target).power_set;
  for (const PowerSet& set : k_power_sets) {
    if (set.name != wanted) continue;
    for (const SingleKey& single : set.before_table) writes.push_back({single.key, {&single.value, 1}});
    writes.push_back({k_key_table, set.table});
    if (set.radio_keys) {
      writes.push_back({502, k_key_502_value});
      writes.push_back({521, k_key_521_value});
      writes.push_back({578, k_key_578_value});
    }
  }
  return writes;
}

void write_power_set(int device_target) {
  for (const PowerKeyWrite& write : power_set_writes(device_target)) bc_ps_write(write.key, write.words);
}

void write_power_table_f() { bc_ps_write(k_key_table, k_table_f); }

}  // namespace recognition
