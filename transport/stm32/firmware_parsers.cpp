#include "transport/stm32/firmware_parsers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace stm32 {

namespace {

class BinaryParser final : public FileParser {
 public:
  ~BinaryParser() override { close(); }

  const char* name() const override { return "Raw BINARY"; }

  ParserResult open(const std::string& path, bool write) override {
    close();
    m_write = write;
    m_size = 0;
    if (path == "-") {
      m_descriptor = write ? STDOUT_FILENO : STDIN_FILENO;
      m_standard = true;
      return ParserResult::ok;
    }
    m_standard = false;
    m_descriptor = write ? ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644) : ::open(path.c_str(), O_RDONLY);
    if (m_descriptor < 0) return ParserResult::system_error;
    if (!write) {
      struct stat info {};
      if (::fstat(m_descriptor, &info) != 0) {
        close();
        return ParserResult::system_error;
      }
      m_size = static_cast<std::size_t>(info.st_size);
    }
    return ParserResult::ok;
  }

  ParserResult close() override {
    if (m_descriptor >= 0 && !m_standard) ::close(m_descriptor);
    m_descriptor = -1;
    return ParserResult::ok;
  }

  std::size_t size() const override { return m_size; }

  ParserResult read(std::span<std::uint8_t> buffer, std::size_t& length) override {
    if (m_write) return ParserResult::read_on_write;
    const std::size_t wanted = std::min(length, buffer.size());
    length = 0;
    while (length < wanted) {
      const ssize_t result = ::read(m_descriptor, buffer.data() + length, wanted - length);
      if (result < 0 && errno == EINTR) continue;
      if (result < 0) return ParserResult::system_error;
      if (result == 0) break;
      length += static_cast<std::size_t>(result);
    }
    return ParserResult::ok;
  }

  ParserResult write(std::span<const std::uint8_t> data) override {
    if (!m_write) return ParserResult::write_on_read;
    std::size_t written = 0;
    while (written < data.size()) {
      const ssize_t result = ::write(m_descriptor, data.data() + written, data.size() - written);
      if (result < 0 && errno == EINTR) continue;
      if (result <= 0) return ParserResult::system_error;
      written += static_cast<std::size_t>(result);
    }
    return ParserResult::ok;
  }

 private:
  int m_descriptor = -1;
  bool m_standard = false;
  bool m_write = false;
  std::size_t m_size = 0;
};

class IntelHexParser final : public FileParser {
 public:
  const char* name() const override { return "Intel HEX"; }

  ParserResult open(const std::string& path, bool write) override {
    m_image.clear();
    m_position = 0;
    if (write) return ParserResult::write_on_read;
    std::string text;
    const int descriptor = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY);
    if (descriptor < 0) return ParserResult::system_error;
    char chunk[4096];
    ParserResult result = ParserResult::ok;
    for (;;) {
      const ssize_t got = ::read(descriptor, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) result = ParserResult::system_error;
      if (got <= 0) break;
      text.append(chunk, static_cast<std::size_t>(got));
      // two text characters per data byte at the least: a longer file cannot fit the image limit
      if (text.size() > 4 * k_max_hex_image) {
        result = ParserResult::invalid_file;
        break;
      }
    }
    if (descriptor != STDIN_FILENO) ::close(descriptor);
    if (result != ParserResult::ok) return result;
    return parse_intel_hex(text, m_image, m_start);
  }

  ParserResult close() override { return ParserResult::ok; }
  std::size_t size() const override { return m_image.size(); }

  ParserResult read(std::span<std::uint8_t> buffer, std::size_t& length) override {
    length = std::min({length, buffer.size(), m_image.size() - m_position});
    std::copy_n(m_image.begin() + static_cast<std::ptrdiff_t>(m_position), length, buffer.begin());
    m_position += length;
    return ParserResult::ok;
  }

  ParserResult write(std::span<const std::uint8_t>) override { return ParserResult::write_on_read; }

 private:
  std::vector<std::uint8_t> m_image;
  std::uint32_t m_start = 0;
  std::size_t m_position = 0;
};

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads `digits` hex digits at `at`; false when short or not hex.
bool hex_value(std::string_view text, std::size_t& at, int digits, std::uint32_t& value) {
  if (text.size() - std::min(at, text.size()) < static_cast<std::size_t>(digits)) return false;
  value = 0;
  for (int i = 0; i < digits; ++i) {
    const int digit = hex_digit(text[at++]);
    if (digit < 0) return false;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return true;
}

}  // namespace

std::unique_ptr<FileParser> create_binary_parser() { return std::make_unique<BinaryParser>(); }
std::unique_ptr<FileParser> create_intel_hex_parser() { return std::make_unique<IntelHexParser>(); }

ParserResult parse_intel_hex(std::string_view text, std::vector<std::uint8_t>& image, std::uint32_t& start_address) {
  image.clear();
  std::optional<std::uint64_t> start;
  std::uint64_t base = 0;
  // the image is grown up to `end` bytes past the start, the gap filled with 0xFF
  auto grow_to = [&image](std::uint64_t end) {
    if (end > k_max_hex_image) return false;
    if (end > image.size()) image.resize(static_cast<std::size_t>(end), 0xFF);
    return true;
  };
  std::size_t at = 0;
  for (;;) {
    while (at < text.size() && (text[at] == '\r' || text[at] == '\n')) ++at;
    if (at >= text.size() || text[at] != ':') return ParserResult::invalid_file;
    ++at;
    std::uint32_t count = 0;
    std::uint32_t address = 0;
    std::uint32_t type = 0;
    if (!hex_value(text, at, 2, count) || !hex_value(text, at, 4, address) || !hex_value(text, at, 2, type)) {
      return ParserResult::invalid_file;
    }
    std::uint8_t data[256];
    std::uint32_t sum = count + (address >> 8) + (address & 0xFF) + type;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t byte = 0;
      if (!hex_value(text, at, 2, byte)) return ParserResult::invalid_file;
      data[i] = static_cast<std::uint8_t>(byte);
      sum += byte;
    }
    std::uint32_t checksum = 0;
    if (!hex_value(text, at, 2, checksum) || ((sum + checksum) & 0xFF) != 0) return ParserResult::invalid_file;

    switch (type) {
      case 0: {
        if (!start) start = base;
        const std::uint64_t absolute = base + address;
        if (absolute < *start) return ParserResult::invalid_file;
        const std::uint64_t offset = absolute - *start;
        if (!grow_to(offset + count)) return ParserResult::invalid_file;
        std::copy_n(data, count, image.begin() + static_cast<std::ptrdiff_t>(offset));
        break;
      }
      case 1:
        start_address = static_cast<std::uint32_t>(start.value_or(base));
        return ParserResult::ok;
      case 2:
      case 4: {
        if (count != 2) return ParserResult::invalid_file;
        const std::uint64_t value = static_cast<std::uint64_t>(data[0]) << 8 | data[1];
        base = type == 2 ? value << 4 : value << 16;
        if (!start) {
          start = base;
        } else if (base < *start) {
          return ParserResult::invalid_file;
        } else if (!grow_to(base - *start)) {
          return ParserResult::invalid_file;
        }
        break;
      }
      default:
        break;  // start addresses (types 3 and 5) do not concern the image
    }
  }
}

}  // namespace stm32
