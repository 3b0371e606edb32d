#include "transport/firmware_package.h"

#include "transport/byte_order.h"

namespace transport {

namespace {

constexpr std::size_t k_section_count_at = 32;
constexpr std::size_t k_entry_number_at = 0;
constexpr std::size_t k_entry_kind_at = 4;
constexpr std::size_t k_entry_offset_at = 8;
constexpr std::size_t k_entry_length_at = 12;
constexpr std::size_t k_block_versions_at = 16;
constexpr std::size_t k_section_digest_at = 16;
constexpr std::size_t k_block_digest_at = 296;
constexpr std::size_t k_digest_bytes = 16;

}  // namespace

std::optional<std::int32_t> package_section_count(std::span<const std::uint8_t> file) {
  if (file.size() < k_package_header_bytes) return std::nullopt;
  return static_cast<std::int32_t>(load_le32(file.data() + k_section_count_at));
}

std::optional<PackageEntry> package_entry(std::span<const std::uint8_t> file, PackageTable table, std::int64_t index) {
  const std::optional<std::int32_t> count = package_section_count(file);
  if (!count || *count < 0 || index < 0 || index >= *count) return std::nullopt;
  // every size below fits 64 bits: n and the index are below 2^31
  const auto n = static_cast<std::uint64_t>(*count);
  const auto i = static_cast<std::uint64_t>(index);
  const bool blocks = table == PackageTable::blocks;
  const std::uint64_t entry_bytes = blocks ? k_package_block_entry_bytes : k_package_section_entry_bytes;
  const std::uint64_t table_at = k_package_header_bytes + (blocks ? k_package_section_entry_bytes * n : 0);
  const std::uint64_t entry_at = table_at + entry_bytes * i;
  if (entry_at + entry_bytes > file.size()) return std::nullopt;

  const std::uint8_t* entry = file.data() + entry_at;
  PackageEntry read;
  read.number = load_le32(entry + k_entry_number_at);
  read.kind = load_le32(entry + k_entry_kind_at);
  read.offset = load_le32(entry + k_entry_offset_at);
  read.length = load_le32(entry + k_entry_length_at);
  if (static_cast<std::uint64_t>(read.offset) + read.length > file.size()) return std::nullopt;
  if (blocks) {
    for (std::size_t v = 0; v < read.versions.size(); ++v) {
      read.versions[v] = load_le32(entry + k_block_versions_at + 4 * v);
    }
  }
  read.digest = file.subspan(static_cast<std::size_t>(entry_at) + (blocks ? k_block_digest_at : k_section_digest_at),
                             k_digest_bytes);
  read.data = file.subspan(read.offset, read.length);
  return read;
}

}  // namespace transport
