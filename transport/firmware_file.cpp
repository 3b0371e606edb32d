#include "transport/firmware_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/format.h"
#include "transport/byte_order.h"
#include "transport/crc.h"
#include "transport/md5.h"

namespace {

constexpr std::size_t k_name_bytes = 24;
constexpr std::size_t k_product_id_at = 28;
constexpr std::size_t k_section_count_at = 32;
constexpr std::size_t k_section_digest_at = 16;
constexpr std::size_t k_block_digest_at = 296;
constexpr std::size_t k_entry_offset_at = 8;
constexpr std::size_t k_entry_length_at = 12;
constexpr std::size_t k_image_trailer_bytes = 16;
constexpr std::size_t k_image_tag_at = 16;
constexpr std::size_t k_image_crc_bytes = 4;

constexpr const char* k_corrupted = "Firmware corrupted";

std::uint32_t field_at(std::span<const std::uint8_t> bytes, std::size_t at) {
  return transport::load_le32(bytes.data() + at);
}

// Packages for the two XA9 models may carry either id or none; a name followed by
// further nonzero bytes marks a package that predates the id field.
bool product_id_accepted(std::span<const std::uint8_t> file, std::uint32_t expected) {
  const std::uint32_t stored = field_at(file, k_product_id_at);
  if (expected != 0x4210 && expected != 0x4220) return stored == expected;
  const auto name_begin = file.begin();
  const auto name_end = name_begin + k_name_bytes;
  const auto terminator = std::find(name_begin, name_end, 0);
  if (terminator != name_end && std::any_of(terminator + 1, name_end, [](std::uint8_t byte) { return byte != 0; })) {
    return true;
  }
  return stored == 0 || stored == 0x4210 || stored == 0x4220;
}

// The MD5 of the entry's byte range must match its digest; a range reaching past
// the file fails before anything is digested.
bool section_valid(std::span<const std::uint8_t> file, std::size_t entry_at, std::size_t digest_at) {
  const std::uint64_t offset = field_at(file, entry_at + k_entry_offset_at);
  const std::uint64_t length = field_at(file, entry_at + k_entry_length_at);
  if (offset + length > file.size()) return false;
  md5_context context;
  md5_init(context);
  md5_update(context, file.data() + offset, static_cast<std::uint32_t>(length));
  md5_digest digest;
  md5_final(digest, context);
  return std::equal(digest.begin(), digest.end(), file.begin() + static_cast<std::ptrdiff_t>(entry_at + digest_at));
}

// Reads the whole file into a new buffer; 0 with the reason in `message` on failure.
std::size_t load_file(const char* path, firmware_buffer& buffer, transport_message& message) {
  buffer.reset();
  struct stat info {};
  if (path == nullptr || ::stat(path, &info) != 0) {
    transport::set_message(message, "Cannot access firmware");
    return 0;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  firmware_buffer loaded(new (std::nothrow) std::uint8_t[std::max<std::size_t>(size, 1)]);
  if (!loaded) {
    transport::set_message(message, "Cannot allocate file buffer");
    return 0;
  }
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    transport::set_message(message, "Cannot open firmware");
    return 0;
  }
  const std::size_t read = std::fread(loaded.get(), 1, size, file);
  std::fclose(file);
  if (read != size) {
    transport::set_message(message, "Cannot load firmware");
    return 0;
  }
  buffer = std::move(loaded);
  return size;
}

}  // namespace

namespace transport {

bool firmware_package_valid(std::span<const std::uint8_t> file, std::uint32_t expected_product_id,
                            PackageTable digests) {
  if (file.size() < k_package_header_bytes) return false;
  if (!product_id_accepted(file, expected_product_id)) return false;
  const auto count = static_cast<std::int32_t>(field_at(file, k_section_count_at));
  if (count < 1) return true;
  const auto entries = static_cast<std::uint64_t>(count);
  const std::uint64_t table_a_end = k_package_header_bytes + k_package_section_entry_bytes * entries;
  if (digests == PackageTable::sections) {
    if (table_a_end > file.size()) return false;
    for (std::uint64_t entry = 0; entry < entries; ++entry) {
      if (!section_valid(file, k_package_header_bytes + k_package_section_entry_bytes * entry, k_section_digest_at)) {
        return false;
      }
    }
    return true;
  }
  if (table_a_end + k_package_block_entry_bytes * entries > file.size()) return false;
  for (std::uint64_t entry = 0; entry < entries; ++entry) {
    if (!section_valid(file, table_a_end + k_package_block_entry_bytes * entry, k_block_digest_at)) return false;
  }
  return true;
}

bool dfu_image_valid(std::span<const std::uint8_t> file, std::string& expected_tag, transport_message& message) {
  // the tag is read at byte 16 and the CRC from the last four bytes
  if (file.size() < k_image_tag_at + k_image_crc_bytes || file.size() < k_image_tag_at + expected_tag.size()) {
    set_message(message, k_corrupted);
    return false;
  }
  const std::size_t covered = file.size() - k_image_crc_bytes;
  if (crc32_jamcrc(file.first(covered)) != field_at(file, covered)) {
    set_message(message, k_corrupted);
    return false;
  }
  const bool tag_equal = std::equal(expected_tag.begin(), expected_tag.end(), file.begin() + k_image_tag_at);
  // an XA9 image may carry a blank tag
  const bool blank_xa9 = file[k_image_tag_at] == ' ' && expected_tag.starts_with("XA9");
  if (!tag_equal && !blank_xa9) {
    expected_tag.resize(std::min(expected_tag.find('#'), expected_tag.size()));
    set_message(message, platform::format("Firmware not for %s", expected_tag));
    return false;
  }
  set_message(message, "Finished checking firmware");
  return true;
}

}  // namespace transport

std::size_t firmware_load_verified(const char* path, firmware_buffer& buffer, transport_message& message,
                                   std::uint32_t expected_product_id, transport::PackageTable digests) {
  const std::size_t size = load_file(path, buffer, message);
  if (!buffer) return 0;
  if (!transport::firmware_package_valid({buffer.get(), size}, expected_product_id, digests)) {
    buffer.reset();
    transport::set_message(message, k_corrupted);
    return 0;
  }
  return size;
}

std::size_t firmware_load_default(const char* path, firmware_buffer& buffer, transport_message& message) {
  return firmware_load_verified(path, buffer, message, 0x4210, transport::PackageTable::sections);
}

std::size_t firmware_load_checked_model(const char* path, firmware_buffer& buffer, transport_message& message,
                                        std::string& expected_tag) {
  const std::size_t size = load_file(path, buffer, message);
  if (!buffer) return 0;
  if (!transport::dfu_image_valid({buffer.get(), size}, expected_tag, message)) {
    buffer.reset();
    return 0;
  }
  return size - k_image_trailer_bytes;
}
