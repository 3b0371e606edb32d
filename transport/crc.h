#pragma once
// Checksums of firmware files and of the data sent to devices.
#include <cstdint>
#include <span>

namespace transport {

// CRC-32 over the reflected polynomial 0xEDB88320 with no final inversion. Started
// from 0xFFFFFFFF (the default) this is CRC-32/JAMCRC, the value DFU file suffixes
// and DFU images carry; pass a previous result back in to continue over more data.
std::uint32_t crc32_jamcrc(std::span<const std::uint8_t> data, std::uint32_t crc = 0xFFFFFFFFu);

// CRC-16 over the polynomial 0x1021, most significant bit first, no final
// inversion, started from `initial` (0 gives CRC-16/XMODEM).
std::uint16_t crc16_ccitt(std::span<const std::uint8_t> data, std::uint16_t initial);

}  // namespace transport
