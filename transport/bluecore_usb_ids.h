#pragma once
// Product ids of the BlueCore-based devices: the USB ids the BlueCore channel
// opens, the ids a device may report in its persistent store, and the firmware
// version a device runs when it keeps no version record.
#include <array>
#include <cstdint>
#include <optional>

namespace transport {

struct UsbId {
  std::uint16_t vendor_id;
  std::uint16_t product_id;
};

// A product id with this bit set is a device in firmware-management mode.
inline constexpr std::uint32_t k_firmware_management_bit = 0x8000;

// The 122 USB ids the channel opens, searched in order: 61 normal ids, then the
// same ids in firmware-management mode.
extern const std::array<UsbId, 122> bc_usb_id_table;

// True when (vendor, product) is a row of bc_usb_id_table.
bool bc_usb_id_known(std::uint16_t vendor_id, std::uint16_t product_id);
// The product that is one unit of two USB devices (0x5310, and 0xD310 in
// firmware-management mode).
bool bc_is_pair_product(std::uint32_t product_id);
// The firmware-management ids the legacy DFU pass looks for.
bool bc_is_dfu_product(std::uint16_t product_id);
// True when a product id read from the device's persistent store names one of
// the maker's BlueCore products.
bool bc_is_reported_product(std::uint32_t product_id);

// Firmware version as the persistent store encodes it: V stands for V / 10 . V % 10.
struct BcVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};
// The version of a product whose version record reads 0, by product id; none
// for a product without one or with an older version key.
std::optional<BcVersion> bc_zero_record_version(std::uint32_t product_id);
// The products that also keep their version in the older key 0x0293: the
// version such a product runs when that key holds other than two words; none
// for every other product.
std::optional<BcVersion> bc_older_key_version(std::uint32_t product_id);

}  // namespace transport
