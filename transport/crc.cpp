#include "transport/crc.h"

#include <array>
#include <cstring>

namespace transport {

namespace {

constexpr std::uint32_t k_crc32_polynomial = 0xEDB88320u;
constexpr std::uint16_t k_crc16_polynomial = 0x1021u;

// Slice-by-16: table[0] is the classic one-byte table; table[k][b] is the CRC of
// byte b followed by k zero bytes, so sixteen bytes are folded in one step
// (16 KiB of tables, which stay in the level-1 cache).
using Crc32Tables = std::array<std::array<std::uint32_t, 256>, 16>;

constexpr Crc32Tables make_crc32_tables() {
  Crc32Tables tables{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ k_crc32_polynomial : crc >> 1;
    tables[0][byte] = crc;
  }
  for (std::size_t slice = 1; slice < tables.size(); ++slice) {
    for (std::size_t byte = 0; byte < 256; ++byte) {
      const std::uint32_t previous = tables[slice - 1][byte];
      tables[slice][byte] = (previous >> 8) ^ tables[0][previous & 0xFFu];
    }
  }
  return tables;
}

constexpr Crc32Tables k_crc32_tables = make_crc32_tables();

constexpr std::array<std::uint16_t, 256> make_crc16_table() {
  std::array<std::uint16_t, 256> table{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte << 8;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000u) ? (crc << 1) ^ k_crc16_polynomial : crc << 1;
    table[byte] = static_cast<std::uint16_t>(crc);
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> k_crc16_table = make_crc16_table();

std::uint32_t load_le32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

std::uint32_t crc32_jamcrc(std::span<const std::uint8_t> data, std::uint32_t crc) {
  const std::uint8_t* bytes = data.data();
  std::size_t remaining = data.size();
  const auto& t = k_crc32_tables;
  // each word's bytes stand k zero bytes before the end of the 16-byte step
  auto fold = [&t](std::uint32_t word, std::size_t last) {
    return t[last][word & 0xFFu] ^ t[last - 1][(word >> 8) & 0xFFu] ^ t[last - 2][(word >> 16) & 0xFFu] ^
           t[last - 3][word >> 24];
  };
  while (remaining >= 16) {
    crc = fold(load_le32(bytes) ^ crc, 15) ^ fold(load_le32(bytes + 4), 11) ^ fold(load_le32(bytes + 8), 7) ^
          fold(load_le32(bytes + 12), 3);
    bytes += 16;
    remaining -= 16;
  }
  while (remaining-- > 0) crc = (crc >> 8) ^ t[0][(crc ^ *bytes++) & 0xFFu];
  return crc;
}

std::uint16_t crc16_ccitt(std::span<const std::uint8_t> data, std::uint16_t initial) {
  std::uint16_t crc = initial;
  for (const std::uint8_t byte : data) {
    crc = static_cast<std::uint16_t>((crc << 8) ^ k_crc16_table[((crc >> 8) ^ byte) & 0xFFu]);
  }
  return crc;
}

}  // namespace transport
