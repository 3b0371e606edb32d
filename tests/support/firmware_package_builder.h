#pragma once
// Firmware packages as the maker's tools lay them out (header, table A, table
// B, then the sections' data), with an MD5 per entry computed by OpenSSL, and
// options to damage each part the way a broken download or a hostile file
// would; and the DFU images of the BlueCore models.
#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace test_support {

using PackageBytes = std::vector<std::uint8_t>;

inline void put_le32(PackageBytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline PackageBytes with_le32(PackageBytes bytes, std::size_t at, std::uint32_t value) {
  put_le32(bytes, at, value);
  return bytes;
}

// Bytes that differ from section to section and from byte to byte.
inline PackageBytes patterned_bytes(std::size_t length, std::uint32_t seed) {
  PackageBytes bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + seed * 31 + (i >> 8));
  return bytes;
}

struct PackageSection {
  PackageBytes data;
  std::uint32_t block_number = 1;  // table B; 0 marks a loader section
  std::uint32_t kind = 0;          // table B
  std::uint32_t module = 0;        // table A: target module
  std::uint32_t type = 0;          // table A: section type
  std::array<std::uint32_t, 5> versions{};  // table B
  // damage
  bool good_digest_a = true;       // table A carries the data's MD5
  bool good_digest_b = true;       // table B carries the data's MD5
  std::int64_t length_error = 0;   // added to the length both tables record
  std::optional<std::uint32_t> recorded_offset;  // both tables record this offset instead
};

// A section of `length` patterned bytes.
inline PackageSection section_of(std::size_t length, std::uint32_t block_number = 1, std::uint32_t kind = 0) {
  PackageSection section;
  section.data = patterned_bytes(length, block_number * 5 + kind + static_cast<std::uint32_t>(length));
  section.block_number = block_number;
  section.kind = kind;
  return section;
}

struct FirmwarePackage {
  std::uint32_t product_id = 0x6010;
  std::vector<PackageSection> sections;
  std::string name = "FIRMWARE";  // up to 24 bytes; may hold NUL bytes
  bool table_b = true;
  // damage
  std::optional<std::int32_t> recorded_count;  // the header's n, in place of the number of sections
  std::optional<std::size_t> cut_to_bytes;     // the file ends here

  // Offset of the first section's data.
  std::size_t data_at() const { return 36 + 32 * sections.size() + (table_b ? 312 * sections.size() : 0); }
  // Offset of section `index`'s data.
  std::size_t data_of(std::size_t index) const {
    std::size_t at = data_at();
    for (std::size_t i = 0; i < index; ++i) at += sections[i].data.size();
    return at;
  }

  PackageBytes build() const {
    const std::size_t n = sections.size();
    std::size_t data_offset = data_at();
    std::size_t total = data_offset;
    for (const PackageSection& section : sections) total += section.data.size();
    PackageBytes bytes(total, 0);
    std::memcpy(bytes.data(), name.data(), std::min<std::size_t>(name.size(), 24));
    put_le32(bytes, 28, product_id);
    put_le32(bytes, 32, static_cast<std::uint32_t>(recorded_count.value_or(static_cast<std::int32_t>(n))));
    for (std::size_t i = 0; i < n; ++i) {
      const PackageSection& section = sections[i];
      std::copy(section.data.begin(), section.data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(data_offset));
      std::array<std::uint8_t, 16> digest{};
      unsigned int digest_length = 0;
      EVP_Digest(section.data.data(), section.data.size(), digest.data(), &digest_length, EVP_md5(), nullptr);
      const auto offset = section.recorded_offset.value_or(static_cast<std::uint32_t>(data_offset));
      const auto length =
          static_cast<std::uint32_t>(static_cast<std::int64_t>(section.data.size()) + section.length_error);

      const std::size_t a_entry = 36 + 32 * i;
      put_le32(bytes, a_entry, section.module);
      put_le32(bytes, a_entry + 4, section.type);
      put_le32(bytes, a_entry + 8, offset);
      put_le32(bytes, a_entry + 12, length);
      if (section.good_digest_a) std::copy(digest.begin(), digest.end(), bytes.begin() + static_cast<std::ptrdiff_t>(a_entry + 16));
      if (table_b) {
        const std::size_t b_entry = 36 + 32 * n + 312 * i;
        put_le32(bytes, b_entry, section.block_number);
        put_le32(bytes, b_entry + 4, section.kind);
        put_le32(bytes, b_entry + 8, offset);
        put_le32(bytes, b_entry + 12, length);
        for (std::size_t v = 0; v < section.versions.size(); ++v) put_le32(bytes, b_entry + 16 + 4 * v, section.versions[v]);
        if (section.good_digest_b) {
          std::copy(digest.begin(), digest.end(), bytes.begin() + static_cast<std::ptrdiff_t>(b_entry + 296));
        }
      }
      data_offset += section.data.size();
    }
    if (cut_to_bytes) bytes.resize(std::min(bytes.size(), *cut_to_bytes));
    return bytes;
  }
};

// A DFU image: `image_bytes` patterned bytes to download, the model tag
// written over them from byte 16, then the 16-byte trailer whose last four
// bytes hold the CRC-32/JAMCRC of everything before them (computed bit by bit
// here, apart from the code under test).
inline PackageBytes dfu_image(const std::string& tag, std::size_t image_bytes = 200, bool good_crc = true) {
  PackageBytes bytes(image_bytes + 16, 0);
  for (std::size_t i = 0; i < image_bytes; ++i) bytes[i] = static_cast<std::uint8_t>(i * 13 + (i >> 8));
  std::memcpy(bytes.data() + 16, tag.data(), tag.size());
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i + 4 < bytes.size(); ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  put_le32(bytes, bytes.size() - 4, good_crc ? crc : crc ^ 1u);
  return bytes;
}

}  // namespace test_support
