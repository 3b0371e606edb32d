#include "transport/bluecore_usb_ids.h"

#include <algorithm>
#include <initializer_list>

#include "transport/hid_channel.h"

namespace transport {
namespace {

constexpr std::size_t k_normal_id_count = 61;

// The devices' USB ids in normal mode, in the order the channel searches them.
constexpr std::array<std::uint16_t, k_normal_id_count> k_normal_ids = {
    0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x6000, 0x4D21, 0x4040, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121,
    0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D45, 0x4D65, 0x6420, 0x6470, 0x6460, 0x6480, 0x6490, 0x6440, 0x6450,
    0x6430, 0x4D85, 0x4020, 0x4021, 0x2310, 0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x4030, 0x4010, 0x5010,
    0x5060, 0x5061, 0x5011, 0x5020, 0x5070, 0x5030, 0x5080, 0x4D75, 0x5040, 0x5050, 0x4110, 0x4113, 0x4111,
    0x4112, 0x5210, 0x5310, 0x3010, 0x3020, 0x4120, 0x6021, 0x6023, 0x6025};

// Firmware-management mode sets bit 15 of the id; the last three products
// (0x6021, 0x6023, 0x6025) come back as 0xE020, 0xE022 and 0xE024.
constexpr std::uint16_t firmware_management_id(std::size_t row) {
  const std::uint16_t id = static_cast<std::uint16_t>(k_normal_ids[row] | k_firmware_management_bit);
  return row >= k_normal_id_count - 3 ? static_cast<std::uint16_t>(id - 1) : id;
}

constexpr std::array<UsbId, 122> make_table() {
  std::array<UsbId, 122> table{};
  for (std::size_t row = 0; row < k_normal_id_count; ++row) {
    table[row] = {k_hid_vendor_id, k_normal_ids[row]};
    table[row + k_normal_id_count] = {k_hid_vendor_id, firmware_management_id(row)};
  }
  return table;
}

bool in(std::uint32_t id, std::initializer_list<std::uint32_t> ids) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// Ids the product-id key may hold: the normal USB ids, except that the
// products 0x6021, 0x6023 and 0x6025 report 0x6020, 0x6022 and 0x6024.
constexpr std::initializer_list<std::uint32_t> k_reported_ids = {
    0x2010, 0x2011, 0x2020, 0x2110, 0x2120, 0x2210, 0x2310, 0x3010, 0x3020, 0x4010, 0x4020, 0x4021, 0x4030,
    0x4040, 0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D10, 0x4D15, 0x4D20, 0x4D21, 0x4D30, 0x4D35,
    0x4D40, 0x4D45, 0x4D50, 0x4D55, 0x4D65, 0x4D75, 0x4D85, 0x5010, 0x5011, 0x5020, 0x5030, 0x5040, 0x5050,
    0x5060, 0x5061, 0x5070, 0x5080, 0x5210, 0x5310, 0x6000, 0x6020, 0x6022, 0x6024, 0x6110, 0x6111, 0x6120,
    0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};

struct ZeroRecordRow {
  BcVersion version;
  std::initializer_list<std::uint32_t> ids;
};

constexpr ZeroRecordRow k_zero_record_versions[] = {
    {{1, 0}, {0x2020, 0x4040, 0x4D21, 0x6000, 0x2010, 0x2110, 0x2120, 0x2310, 0x3010, 0x4010, 0x4020, 0x4030,
              0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D75, 0x4D85, 0x5011, 0x5210, 0x5310, 0x6110,
              0x6111, 0x6120, 0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}},
    {{1, 1}, {0x4021}},
    {{1, 2}, {0x2011, 0x2210, 0x4D15, 0x4D35, 0x4D45}},
    {{2, 0}, {0x4D55, 0x4D65}},
    {{3, 2}, {0x5010}},
    {{3, 3}, {0x5020}},
    {{4, 1}, {0x5030}},
    {{4, 2}, {0x4D20, 0x5040, 0x5050, 0x5060, 0x5070, 0x5080}},
    {{5, 0}, {0x4D50}},
    {{5, 2}, {0x5061}},
};

struct OlderKeyRow {
  std::uint32_t product_id;
  BcVersion version;
};

constexpr OlderKeyRow k_older_key_versions[] = {{0x4D10, {3, 0}}, {0x4D30, {4, 2}}, {0x4D40, {5, 0}}};

}  // namespace

const std::array<UsbId, 122> bc_usb_id_table = make_table();

bool bc_usb_id_known(std::uint16_t vendor_id, std::uint16_t product_id) {
  return std::any_of(bc_usb_id_table.begin(), bc_usb_id_table.end(), [&](const UsbId& row) {
    return row.vendor_id == vendor_id && row.product_id == product_id;
  });
}

bool bc_is_pair_product(std::uint32_t product_id) { return product_id == 0x5310 || product_id == 0xD310; }

bool bc_is_dfu_product(std::uint16_t product_id) {
  return in(product_id, {0xE020, 0xE022, 0xE024, 0x6021, 0x6023, 0x6025});
}

bool bc_is_reported_product(std::uint32_t product_id) { return in(product_id, k_reported_ids); }

std::optional<BcVersion> bc_zero_record_version(std::uint32_t product_id) {
  for (const ZeroRecordRow& row : k_zero_record_versions) {
    if (in(product_id, row.ids)) return row.version;
  }
  return std::nullopt;
}

std::optional<BcVersion> bc_older_key_version(std::uint32_t product_id) {
  for (const OlderKeyRow& row : k_older_key_versions) {
    if (row.product_id == product_id) return row.version;
  }
  return std::nullopt;
}

}  // namespace transport
