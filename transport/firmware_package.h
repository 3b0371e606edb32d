#pragma once
// Reading the entries of a firmware package that is already in memory (the
// layout is described in transport/firmware_file.h). An entry is handed out
// only when everything a procedure takes from it lies inside the file, so a
// damaged package can never make a procedure read past its buffer.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace transport {

inline constexpr std::size_t k_package_header_bytes = 36;
inline constexpr std::size_t k_package_section_entry_bytes = 32;   // table A
inline constexpr std::size_t k_package_block_entry_bytes = 312;    // table B

enum class PackageTable {
  sections,  // table A: n entries of 32 bytes from byte 36
  blocks,    // table B: n entries of 312 bytes after table A
};

struct PackageEntry {
  std::uint32_t number = 0;  // table A: target module; table B: block number (0 marks a loader section)
  std::uint32_t kind = 0;    // table A: section type; table B: kind
  std::uint32_t offset = 0;  // of the data, from the start of the file
  std::uint32_t length = 0;  // of the data, bytes
  std::array<std::uint32_t, 5> versions{};  // table B only (all 0 in table A)
  std::span<const std::uint8_t> digest;     // MD5 of the data, 16 bytes
  std::span<const std::uint8_t> data;       // the entry's data inside the file
};

// The section count n (signed, byte 32), or nothing for a file shorter than its header.
std::optional<std::int32_t> package_section_count(std::span<const std::uint8_t> file);

// Entry `index` of `table`, or nothing unless: the file holds the header, n is
// not negative, the index is below n, the entry ends inside the file (36 +
// 32·(index+1) for table A, 36 + 32·n + 312·(index+1) for table B) and its data
// range (offset + length, without 32-bit wrap-around) ends inside the file.
std::optional<PackageEntry> package_entry(std::span<const std::uint8_t> file, PackageTable table, std::int64_t index);

}  // namespace transport
