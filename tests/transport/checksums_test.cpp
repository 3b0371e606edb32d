#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>
#include <vector>

#include "transport/crc.h"
#include "transport/md5.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytes_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string hex(const md5_digest& digest) {
  std::string text;
  char pair[3];
  for (const std::uint8_t byte : digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    text += pair;
  }
  return text;
}

// Feeds `data` in pieces of `piece` bytes, so the block buffering is exercised.
md5_digest md5_in_pieces(const Bytes& data, std::size_t piece) {
  md5_context context;
  md5_init(context);
  for (std::size_t at = 0; at < data.size(); at += piece) {
    md5_update(context, data.data() + at, static_cast<std::uint32_t>(std::min(piece, data.size() - at)));
  }
  md5_digest digest;
  md5_final(digest, context);
  return digest;
}

// One bit at a time, straight from the definition.
std::uint32_t crc32_bitwise(const Bytes& data, std::uint32_t crc) {
  for (const std::uint8_t byte : data) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return crc;
}

Bytes random_bytes(std::mt19937& random, std::size_t length) {
  Bytes bytes(length);
  for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

TEST(Md5, Rfc1321TestSuite) {
  struct Case {
    const char* message;
    const char* digest;
  };
  const Case cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(hex(md5_in_pieces(bytes_of(c.message), 1000)), c.digest);
    EXPECT_EQ(hex(md5_in_pieces(bytes_of(c.message), 7)), c.digest);
  }
}

TEST(Md5, AgreesWithOpenSslAcrossBlockAndPaddingBoundaries) {
  std::mt19937 random(7);
  for (const std::size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u, 4099u}) {
    const Bytes data = random_bytes(random, length);
    md5_digest expected{};
    unsigned int expected_length = 0;
    EVP_Digest(data.data(), data.size(), expected.data(), &expected_length, EVP_md5(), nullptr);
    for (const std::size_t piece : {1u, 13u, 64u, 5000u}) {
      SCOPED_TRACE(std::to_string(length) + " bytes in pieces of " + std::to_string(piece));
      EXPECT_EQ(md5_in_pieces(data, piece), expected);
    }
  }
}

TEST(Crc, CheckValuesOfTheStandardString) {
  const Bytes check = bytes_of("123456789");
  EXPECT_EQ(transport::crc32_jamcrc(check), 0x340BC6D9u);
  EXPECT_EQ(transport::crc16_ccitt(check, 0), 0x31C3);       // CRC-16/XMODEM
  EXPECT_EQ(transport::crc16_ccitt(check, 0xFFFF), 0x29B1);  // CRC-16/CCITT-FALSE
  EXPECT_EQ(transport::crc32_jamcrc({}), 0xFFFFFFFFu);
}

TEST(Crc, WideStepsMatchTheBitwiseDefinitionAtEveryAlignment) {
  std::mt19937 random(11);
  const Bytes data = random_bytes(random, 5000);
  for (std::size_t start = 0; start < 16; ++start) {
    // below and above the folding minimum, whole and partial 64- and 16-byte blocks
    for (const std::size_t length : {0u, 1u, 7u, 15u, 16u, 17u, 33u, 255u, 256u, 271u, 320u, 1000u, 4099u}) {
      const Bytes piece(data.begin() + static_cast<std::ptrdiff_t>(start),
                        data.begin() + static_cast<std::ptrdiff_t>(start + length));
      ASSERT_EQ(transport::crc32_jamcrc({data.data() + start, length}), crc32_bitwise(piece, 0xFFFFFFFFu))
          << start << "+" << length;
    }
  }
  // continuing a running value gives the CRC of the whole
  const std::uint32_t first = transport::crc32_jamcrc({data.data(), 101});
  EXPECT_EQ(transport::crc32_jamcrc({data.data() + 101, data.size() - 101}, first), crc32_bitwise(data, 0xFFFFFFFFu));
}

}  // namespace
