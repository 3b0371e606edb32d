#pragma once
// Little-endian numbers in byte buffers, as firmware files, DFU reports and
// BlueCore messages carry them.
#include <cstddef>
#include <cstdint>
#include <span>

namespace transport {

inline std::uint32_t load_le32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline void store_le32(std::uint8_t* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The 16-bit number at `offset`; 0 when it lies beyond the bytes.
inline std::uint16_t le16_at(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (offset >= bytes.size() || bytes.size() - offset < 2) return 0;
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

// Stores `value` at `offset`; nothing when it lies beyond the bytes.
inline void put_le16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
  if (offset >= bytes.size() || bytes.size() - offset < 2) return;
  bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace transport
