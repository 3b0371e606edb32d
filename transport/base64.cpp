#include "transport/base64.h"

#include <algorithm>
#include <array>
#include <atomic>

namespace {

constexpr char k_alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint8_t k_invalid = 0xFF;

constexpr std::array<std::uint8_t, 256> make_decode_table() {
  std::array<std::uint8_t, 256> table{};
  table.fill(k_invalid);
  for (std::uint8_t value = 0; value < 64; ++value) table[static_cast<unsigned char>(k_alphabet[value])] = value;
  return table;
}

constexpr std::array<std::uint8_t, 256> k_decode_table = make_decode_table();

std::atomic<std::uint32_t> g_group_order{0};

// Writes the 4 characters of up to 3 bytes (`count`), padded with "=".
void encode_group(const std::uint8_t (&group)[3], std::size_t count, char* out) {
  const std::uint32_t bits = static_cast<std::uint32_t>(group[0]) << 16 | static_cast<std::uint32_t>(group[1]) << 8 |
                             group[2];
  out[0] = k_alphabet[(bits >> 18) & 0x3F];
  out[1] = k_alphabet[(bits >> 12) & 0x3F];
  out[2] = count > 1 ? k_alphabet[(bits >> 6) & 0x3F] : '=';
  out[3] = count > 2 ? k_alphabet[bits & 0x3F] : '=';
}

// Encodes `data` into `out` (room for every group), reversing whole groups on request.
void encode_all(std::span<const std::uint8_t> data, char* out, bool reverse_groups) {
  for (std::size_t at = 0; at < data.size(); at += 3, out += 4) {
    const std::size_t count = std::min<std::size_t>(3, data.size() - at);
    std::uint8_t group[3] = {};
    for (std::size_t i = 0; i < count; ++i) group[i] = data[at + i];
    if (reverse_groups && count == 3) std::swap(group[0], group[2]);
    encode_group(group, count, out);
  }
}

std::size_t encoded_length(std::size_t bytes) { return 4 * ((bytes + 2) / 3); }

}  // namespace

std::size_t base64_encode(std::span<const std::uint8_t> data, std::unique_ptr<char[]>& text_out) {
  const std::size_t size = encoded_length(data.size()) + 1;
  text_out = std::make_unique<char[]>(size);
  encode_all(data, text_out.get(), false);
  text_out[size - 1] = '\0';
  return size;
}

std::size_t base64_decode(const char* text, std::span<std::uint8_t> out) {
  if (text == nullptr) return 0;
  std::size_t written = 0;
  auto put = [&](std::uint32_t byte) {
    if (written < out.size()) out[written++] = static_cast<std::uint8_t>(byte);
  };
  std::uint32_t bits = 0;
  int characters = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    const std::uint8_t value = k_decode_table[static_cast<unsigned char>(*c)];
    if (value == k_invalid) continue;
    bits = (bits << 6) | value;
    if (++characters == 4) {
      put(bits >> 16);
      put(bits >> 8);
      put(bits);
      bits = 0;
      characters = 0;
    }
  }
  if (characters == 2) {
    put(bits >> 4);
  } else if (characters == 3) {
    put(bits >> 10);
    put(bits >> 2);
  }
  return written;
}

namespace {

constexpr char k_hex_digits[] = "0123456789ABCDEF";

bool unreserved_in_urls(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte == '-' ||
         byte == '.' || byte == '_';
}

}  // namespace

std::size_t url_percent_encode(const char* input, std::span<char> out) {
  if (input == nullptr || out.empty()) return 0;
  const std::size_t room = out.size() - 1;  // the last byte stays the terminating zero
  std::size_t written = 0;
  for (const char* c = input; *c != '\0'; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (unreserved_in_urls(byte)) {
      if (written + 1 > room) break;
      out[written++] = static_cast<char>(byte);
    } else {
      if (written + 3 > room) break;
      out[written++] = '%';
      out[written++] = k_hex_digits[byte >> 4];
      out[written++] = k_hex_digits[byte & 0x0F];
    }
  }
  out[written] = '\0';
  return written;
}

std::string url_percent_encoded(std::string_view text) {
  std::string encoded;
  encoded.reserve(3 * text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (unreserved_in_urls(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += k_hex_digits[byte >> 4];
      encoded += k_hex_digits[byte & 0x0F];
    }
  }
  return encoded;
}

void base64_set_group_order(std::uint32_t flag) { g_group_order = flag; }

std::uint32_t base64_group_order() { return g_group_order; }

void base64_encode_into(std::span<const std::uint8_t> data, std::span<char> out) {
  // encode whole groups that fit
  const std::size_t groups = std::min((data.size() + 2) / 3, out.size() / 4);
  const std::size_t bytes = std::min(data.size(), groups * 3);
  encode_all(data.first(bytes), out.data(), g_group_order != 0);
}

std::size_t base64_decode_groups(std::string_view text, std::span<std::uint8_t> out, std::size_t& length_out) {
  const bool reverse_groups = g_group_order != 0;
  const std::size_t groups = text.size() / 4;
  std::size_t padding = 0;
  for (std::size_t group = 0; group < groups; ++group) {
    const std::string_view characters = text.substr(group * 4, 4);
    std::uint32_t bits = 0;
    for (const char c : characters) {
      // not checked: a character outside the alphabet counts as zero bits
      const std::uint8_t value = k_decode_table[static_cast<unsigned char>(c)];
      bits = (bits << 6) | (value == k_invalid ? 0 : value);
    }
    padding += (characters[2] == '=') + (characters[3] == '=');
    std::uint8_t decoded[3] = {static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8),
                               static_cast<std::uint8_t>(bits)};
    if (reverse_groups) std::swap(decoded[0], decoded[2]);
    for (std::size_t i = 0; i < 3 && group * 3 + i < out.size(); ++i) out[group * 3 + i] = decoded[i];
  }
  length_out = 3 * groups - padding;
  return length_out;
}
