#pragma once
// Firmware files for the bootloader client: raw binary (read and write) and
// Intel HEX (read only).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stm32 {

enum class ParserResult { ok = 0, system_error = 1, invalid_file = 2, read_on_write = 3, write_on_read = 4 };

class FileParser {
 public:
  virtual ~FileParser() = default;
  virtual const char* name() const = 0;
  // Opens `path` ("-": standard input or output) for reading or writing.
  virtual ParserResult open(const std::string& path, bool write) = 0;
  virtual ParserResult close() = 0;
  // Bytes of data the file holds (0 when unknown, as for standard input).
  virtual std::size_t size() const = 0;
  // Reads up to `length` bytes (at most buffer.size()) at the current position;
  // `length` comes back as the bytes read (fewer at the end of the data).
  virtual ParserResult read(std::span<std::uint8_t> buffer, std::size_t& length) = 0;
  virtual ParserResult write(std::span<const std::uint8_t> data) = 0;
};

std::unique_ptr<FileParser> create_binary_parser();
std::unique_ptr<FileParser> create_intel_hex_parser();

// Largest image an Intel HEX file may describe, in bytes.
inline constexpr std::size_t k_max_hex_image = 16u * 1024 * 1024;

// Reads Intel HEX records (types 0, 1, 2, 4; others are skipped) into `image`,
// which starts at `start_address` (the first base); gaps read as 0xFF.
ParserResult parse_intel_hex(std::string_view text, std::vector<std::uint8_t>& image, std::uint32_t& start_address);

}  // namespace stm32
