#pragma once
// Firmware files checked before they are sent to a device.
//
// A firmware package (HID devices) starts with a 36-byte header: name text
// (bytes 0-23), target product id (28-31), section count n (32-35, signed).
// Table A follows with n entries of 32 bytes (data offset at 8, length at 12,
// MD5 at 16); table B follows table A with n entries of 312 bytes (block number
// at 0, offset at 8, length at 12, five version numbers at 16, MD5 at 296).
// Numbers are little-endian.
//
// A DFU image (BlueCore devices) is the image followed by a 16-byte trailer whose
// last four bytes hold the CRC-32/JAMCRC of everything before them; the model
// tag text ("<model>#<product id in 4 upper-case hex digits>") starts at byte 16.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "transport/firmware_package.h"
#include "transport/transport_message.h"

using firmware_buffer = std::unique_ptr<std::uint8_t[]>;

// Loads a firmware package and checks its product id and the section digests
// of table `digests` (the product's packages carry their valid digests in one
// of the two). Returns the file size with the file in `buffer`, or 0 with
// `buffer` null and the reason in `message`.
std::size_t firmware_load_verified(const char* path, firmware_buffer& buffer, transport_message& message,
                                   std::uint32_t expected_product_id, transport::PackageTable digests);
// firmware_load_verified for the product 0x4210, checked on table A.
std::size_t firmware_load_default(const char* path, firmware_buffer& buffer, transport_message& message);
// Loads a DFU image and checks its CRC and model tag. Returns the length to
// download (file size minus 16) with the file in `buffer`, or 0 with `buffer`
// null and the reason in `message`. On a model mismatch `expected_tag` is cut
// before its "#", leaving the model name the message names.
std::size_t firmware_load_checked_model(const char* path, firmware_buffer& buffer, transport_message& message,
                                        std::string& expected_tag);

namespace transport {

// The package checks of firmware_load_verified on a file already in memory:
// true when the package is accepted.
bool firmware_package_valid(std::span<const std::uint8_t> file, std::uint32_t expected_product_id,
                            PackageTable digests);
// The image checks of firmware_load_checked_model on a file already in memory:
// true (with "Finished checking firmware") when accepted, else false with the
// reason in `message`.
bool dfu_image_valid(std::span<const std::uint8_t> file, std::string& expected_tag, transport_message& message);

}  // namespace transport
