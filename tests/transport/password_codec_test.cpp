#include "transport/password_codec.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "transport/base64.h"
#include "transport/des.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Block = std::array<std::uint8_t, 8>;

Block block_of(std::uint64_t value) {
  Block block{};
  for (int i = 7; i >= 0; --i, value >>= 8) block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
  return block;
}

Bytes random_bytes(std::mt19937& random, std::size_t length) {
  Bytes bytes(length);
  for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

std::string text_of(const std::unique_ptr<char[]>& text) { return text ? std::string(text.get()) : std::string(); }

// OpenSSL's Triple-DES in ECB mode without padding.
Bytes openssl_des3_ecb(const std::array<std::uint8_t, 24>& keys, const Bytes& data, bool encrypt) {
  EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
  EVP_CipherInit_ex(context, EVP_des_ede3_ecb(), nullptr, keys.data(), nullptr, encrypt ? 1 : 0);
  EVP_CIPHER_CTX_set_padding(context, 0);
  Bytes out(data.size() + 8);
  int written = 0;
  int final_written = 0;
  EVP_CipherUpdate(context, out.data(), &written, data.data(), static_cast<int>(data.size()));
  EVP_CipherFinal_ex(context, out.data() + written, &final_written);
  EVP_CIPHER_CTX_free(context);
  out.resize(static_cast<std::size_t>(written + final_written));
  return out;
}

Bytes decode_base64(const std::string& text) {
  Bytes out(text.size());
  out.resize(base64_decode(text.c_str(), out));
  return out;
}

TEST(Des, PublishedKnownAnswers) {
  struct Case {
    const char* name;
    std::uint64_t key;
    std::uint64_t plain;
    std::uint64_t cipher;
  };
  const Case cases[] = {
      // the worked example of the standard's tutorials
      {"textbook", 0x133457799BBCDFF1, 0x0123456789ABCDEF, 0x85E813540F0AB405},
      // NBS special publication 500-20 variable-plaintext and S-box rows
      {"sp500-20 vpt 1", 0x0101010101010101, 0x8000000000000000, 0x95F8A5E5DD31D900},
      {"sp500-20 vpt 64", 0x0101010101010101, 0x0000000000000001, 0x166B40B44ABA4BD6},
      {"sp500-20 sbox 1", 0x7CA110454A1A6E57, 0x01A1D6D039776742, 0x690F5B0D9A26939B},
      {"fips 81 example", 0x0123456789ABCDEF, 0x4E6F772069732074, 0x3FA40E8A984D4815},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    des_context context;
    des_set_key(context, block_of(c.key));
    Block out{};
    des_encrypt(context, block_of(c.plain), out);
    EXPECT_EQ(out, block_of(c.cipher));
    Block back{};
    des_decrypt(context, out, back);
    EXPECT_EQ(back, block_of(c.plain));
  }
}

TEST(Des, TripleDesKnownAnswersAndKeyingOptions) {
  // NIST SP 800-67 example: three keys, "The quick brown fox jump"
  const Block k1 = block_of(0x0123456789ABCDEF);
  const Block k2 = block_of(0x23456789ABCDEF01);
  const Block k3 = block_of(0x456789ABCDEF0123);
  des3_context context;
  EXPECT_EQ(des3_set_3keys(context, k1, k2, k3), 0);
  const std::uint64_t plain[] = {0x5468652071756663, 0x6B2062726F776E20, 0x666F78206A756D70};
  const std::uint64_t cipher[] = {0xA826FD8CE53B855F, 0xCCE21C8112256FE6, 0x68D5C05DD9B6B900};
  for (int i = 0; i < 3; ++i) {
    Block out{};
    des3_encrypt(context, block_of(plain[i]), out);
    EXPECT_EQ(out, block_of(cipher[i])) << i;
  }
  // with K1 = K2 = K3 Triple-DES is single DES; option 2 is option 1 with K3 = K1
  des3_context single;
  des3_set_3keys(single, k1, k1, k1);
  des_context des;
  des_set_key(des, k1);
  des3_context two_keys;
  des3_set_2keys(two_keys, k1, k2);
  des3_context k3_is_k1;
  des3_set_3keys(k3_is_k1, k1, k2, k1);
  Block a{}, b{}, c{}, d{};
  des3_encrypt(single, block_of(plain[0]), a);
  des_encrypt(des, block_of(plain[0]), b);
  EXPECT_EQ(a, b);
  des3_encrypt(two_keys, block_of(plain[1]), c);
  des3_encrypt(k3_is_k1, block_of(plain[1]), d);
  EXPECT_EQ(c, d);
}

TEST(Des, TripleDesAgreesWithOpenSsl) {
  std::mt19937 random(3);
  for (int round = 0; round < 40; ++round) {
    std::array<std::uint8_t, 24> keys{};
    for (std::uint8_t& byte : keys) byte = static_cast<std::uint8_t>(random());
    const Bytes data = random_bytes(random, 8 * (1 + random() % 6));
    des3_context context;
    des3_set_3keys(context, std::span<const std::uint8_t, 8>(keys.data(), 8),
                   std::span<const std::uint8_t, 8>(keys.data() + 8, 8),
                   std::span<const std::uint8_t, 8>(keys.data() + 16, 8));
    Bytes ours(data.size());
    for (std::size_t at = 0; at < data.size(); at += 8) {
      des3_encrypt(context, std::span<const std::uint8_t, 8>(data.data() + at, 8),
                   std::span<std::uint8_t, 8>(ours.data() + at, 8));
    }
    ASSERT_EQ(ours, openssl_des3_ecb(keys, data, true)) << round;
    Bytes back(data.size());
    for (std::size_t at = 0; at < data.size(); at += 8) {
      des3_decrypt(context, std::span<const std::uint8_t, 8>(ours.data() + at, 8),
                   std::span<std::uint8_t, 8>(back.data() + at, 8));
    }
    ASSERT_EQ(back, data) << round;
  }
}

TEST(Des, KeySetsHoldThreeDistinctStrongKeys) {
  // weak and semi-weak keys of FIPS 74, parity bits cleared
  const std::uint64_t weak[] = {
      0x0000000000000000, 0xFEFEFEFEFEFEFEFE, 0xE0E0E0E0F0F0F0F0, 0x1E1E1E1E0E0E0E0E, 0x00FE00FE00FE00FE,
      0xFE00FE00FE00FE00, 0x1EE01EE00EF00EF0, 0xE01EE01EF00EF00E, 0x00E000E000F000F0, 0xE000E000F000F000,
      0x1EFE1EFE0EFE0EFE, 0xFE1EFE1EFE0EFE0E, 0x001E001E000E000E, 0x1E001E000E000E00, 0xE0FEE0FEF0FEF0FE,
      0xFEE0FEE0FEF0FEF0};
  for (const auto* key_set : {&transport::k_password_key_set, &transport::k_token_key_set}) {
    std::uint64_t keys[3] = {};
    for (int k = 0; k < 3; ++k) {
      for (int i = 0; i < 8; ++i) keys[k] = (keys[k] << 8) | ((*key_set)[static_cast<std::size_t>(8 * k + i)] & 0xFE);
      for (const std::uint64_t bad : weak) EXPECT_NE(keys[k], bad);
    }
    EXPECT_NE(keys[0], keys[1]);
    EXPECT_NE(keys[1], keys[2]);
    EXPECT_NE(keys[0], keys[2]);
  }
  EXPECT_NE(transport::k_password_key_set, transport::k_token_key_set);
}

TEST(Base64, KnownTextsAndOpenSslOnRandomData) {
  struct Case {
    std::string data;
    std::string text;
  };
  const Case cases[] = {{"", ""}, {"a", "YQ=="}, {"ab", "YWI="}, {"abc", "YWJj"}, {"foobar", "Zm9vYmFy"}};
  for (const Case& c : cases) {
    std::unique_ptr<char[]> text;
    EXPECT_EQ(base64_encode({reinterpret_cast<const std::uint8_t*>(c.data.data()), c.data.size()}, text),
              4 * ((c.data.size() + 2) / 3) + 1);
    EXPECT_EQ(text_of(text), c.text);
    EXPECT_EQ(decode_base64(c.text), Bytes(c.data.begin(), c.data.end()));
  }
  std::mt19937 random(5);
  for (int round = 0; round < 200; ++round) {
    const Bytes data = random_bytes(random, random() % 70);
    std::string expected(4 * ((data.size() + 2) / 3) + 1, '\0');
    EVP_EncodeBlock(reinterpret_cast<unsigned char*>(expected.data()), data.data(), static_cast<int>(data.size()));
    expected.resize(expected.size() - 1);
    std::unique_ptr<char[]> text;
    base64_encode(data, text);
    ASSERT_EQ(text_of(text), expected);
    ASSERT_EQ(decode_base64(expected), data);
  }
}

TEST(Base64, DecoderSkipsForeignCharactersAndStopsAtCapacity) {
  Bytes out(16, 0xEE);
  EXPECT_EQ(base64_decode("Y W\nJ*j=", out), 3u);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{'a', 'b', 'c', 0xEE}));
  Bytes two(2, 0xEE);
  EXPECT_EQ(base64_decode("Zm9vYmFy", two), 2u);
  EXPECT_EQ(two, (Bytes{'f', 'o'}));
  EXPECT_EQ(base64_decode("Z", out), 0u);
}

TEST(Base64, GroupOrders) {
  struct Case {
    std::uint32_t order;
    Bytes data;
    std::string text;
  };
  const Case cases[] = {
      {0, {'a', 'b', 'c', 'd', 'e', 'f'}, "YWJjZGVm"},
      {1, {'a', 'b', 'c', 'd', 'e', 'f'}, "Y2JhZmVk"},  // "cba" "fed"
      {0, {'a', 'b', 'c', 'd'}, "YWJjZA=="},
      {7, {'a', 'b', 'c', 'd'}, "Y2JhZA=="},  // a final partial group keeps its order
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    base64_set_group_order(c.order);
    EXPECT_EQ(base64_group_order(), c.order);
    std::string text(4 * ((c.data.size() + 2) / 3), '\0');
    base64_encode_into(c.data, {text.data(), text.size()});
    EXPECT_EQ(text, c.text);
    Bytes out(3 * (text.size() / 4), 0);
    std::size_t length = 0;
    EXPECT_EQ(base64_decode_groups(text, out, length), c.data.size());
    EXPECT_EQ(length, c.data.size());
    if (c.data.size() % 3 == 0) {
      EXPECT_EQ(out, c.data);
    }
    EXPECT_EQ(out[0], c.data[0]);
  }
  // never written past the buffer, whatever the text announces
  base64_set_group_order(0);
  Bytes small(2, 0);
  std::size_t length = 0;
  EXPECT_EQ(base64_decode_groups("YWJjZGVm", small, length), 6u);
  EXPECT_EQ(small, (Bytes{'a', 'b'}));
}

TEST(UrlPercentEncode, KeepsUnreservedAndEscapesTheRest) {
  char out[64] = {};
  EXPECT_EQ(url_percent_encode("9Z-._[~", out), 11u);
  EXPECT_STREQ(out, "9Z-._%5B%7E");
  char base64[64] = {};
  EXPECT_EQ(url_percent_encode("a+b/c=", base64), 12u);
  EXPECT_STREQ(base64, "a%2Bb%2Fc%3D");
  // a piece that would not fit is left out and the text stays terminated
  char tight[5];
  std::memset(tight, 'x', sizeof tight);
  EXPECT_EQ(url_percent_encode("ab[cd", tight), 2u);
  EXPECT_STREQ(tight, "ab");
}

TEST(PasswordCodec, LengthsOfTheBase64Text) {
  struct Case {
    const char* password;
    std::size_t result;
  };
  const Case cases[] = {{"", 1}, {"abc", 13}, {"12345678", 13}, {"123456789", 25}, {"sixteen chars!!!", 25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.password);
    std::unique_ptr<char[]> text;
    EXPECT_EQ(encrypt_password_string(c.password, text), c.result);
    EXPECT_EQ(std::strlen(text.get()) + 1, c.result);
  }
}

TEST(PasswordCodec, CipherIsTripleDesOfTheZeroPaddedText) {
  const std::string password = "correct horse";
  std::unique_ptr<char[]> text;
  encrypt_password_string(password.c_str(), text);
  Bytes padded(password.begin(), password.end());
  padded.resize(16, 0);
  EXPECT_EQ(decode_base64(text.get()), openssl_des3_ecb(transport::k_password_key_set, padded, true));
}

TEST(PasswordCodec, RoundTripsIncludingCipherBlocksWithZeroBytes) {
  std::mt19937 random(9);
  int cipher_blocks_with_zero = 0;
  for (int round = 0; round < 300; ++round) {
    std::string password;
    const std::size_t length = random() % 30;
    for (std::size_t i = 0; i < length; ++i) password += static_cast<char>(' ' + random() % 95);
    std::unique_ptr<char[]> text;
    encrypt_password_string(password.c_str(), text);
    const Bytes cipher = decode_base64(text.get());
    if (std::find(cipher.begin(), cipher.end(), 0) != cipher.end()) ++cipher_blocks_with_zero;
    std::unique_ptr<char[]> plain;
    const std::size_t decoded = decrypt_password_string(text.get(), plain);
    ASSERT_EQ(decoded, (length + 7) / 8 * 8);
    ASSERT_EQ(std::string(plain.get()), password);
    for (std::size_t i = length; i <= decoded; ++i) ASSERT_EQ(plain[i], 0);
  }
  EXPECT_GT(cipher_blocks_with_zero, 0);
}

TEST(PasswordCodec, EmptyTextDecodesToNothing) {
  std::unique_ptr<char[]> plain;
  EXPECT_EQ(decrypt_password_string("", plain), 0u);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain[0], 0);
}

TEST(PasswordCodec, DecoderTakesAShortLastBlockAsZeroFilled) {
  // 12 cipher bytes: the second block is decrypted from four bytes and four zeros
  const Bytes cipher{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  std::unique_ptr<char[]> text;
  base64_encode(cipher, text);
  std::unique_ptr<char[]> plain;
  EXPECT_EQ(decrypt_password_string(text.get(), plain), 12u);
  Bytes padded = cipher;
  padded.resize(16, 0);
  const Bytes expected = openssl_des3_ecb(transport::k_password_key_set, padded, false);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<std::uint8_t*>(plain.get())));
  EXPECT_EQ(plain[16], 0);
}

// Percent-decodes, Base64-decodes and decrypts a token back to its plain block.
Bytes open_token(const std::string& token) {
  std::string base64;
  for (std::size_t i = 0; i < token.size(); ++i) {
    if (token[i] == '%') {
      base64 += static_cast<char>(std::stoi(token.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      base64 += token[i];
    }
  }
  return openssl_des3_ecb(transport::k_token_key_set, decode_base64(base64), false);
}

TEST(PaddedToken, DecryptsToTheValueAtItsPlaces) {
  platform::ScopedVirtualClock clock;
  const std::array<std::uint8_t, 10> value{0x10, 0x21, 0x32, 0x43, 0x54, 0x65, 0x76, 0x87, 0x98, 0xA9};
  for (int round = 0; round < 300; ++round) {
    clock->advance(std::chrono::milliseconds(997));
    std::unique_ptr<char[]> text;
    const std::size_t length = encode_padded_token(value, text);
    ASSERT_EQ(std::strlen(text.get()), length);
    const Bytes block = open_token(text.get());
    ASSERT_EQ(block.size() % 8, 0u);
    const std::size_t i = block[0];
    const std::uint8_t b = block[i + 1];
    const std::uint8_t a = block[i + 2];
    ASSERT_GT(a, 2);
    ASSERT_LT(i, a - 2u);
    ASSERT_EQ(block.size() % 256, (a + b + 170u) % 256);
    for (std::size_t k = 0; k < 10; ++k) {
      const std::size_t p = a + 1 + 17 * k;
      ASSERT_EQ(block[p + (block[p - 1] & 0x0F)], value[9 - k]) << "round " << round << " byte " << k;
    }
  }
}

TEST(PaddedToken, ADrawThatWrapsToZeroIsDrawnAgain) {
  platform::ScopedVirtualClock clock;
  // find a moment whose seed makes the first draw 253, so A = 253 + 3 wraps to 0 as a byte
  // (the generator is seeded with the clock's count, as the encoder does)
  bool found = false;
  for (int step = 0; step < 200000 && !found; ++step) {
    std::minstd_rand random(static_cast<std::minstd_rand::result_type>(
        platform::now().time_since_epoch().count() & 0x7FFFFFFF));
    if (random() % 254 == 253) {
      found = true;
      break;
    }
    clock->advance(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(found);
  const std::array<std::uint8_t, 10> value{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  std::unique_ptr<char[]> text;
  encode_padded_token(value, text);
  const Bytes block = open_token(text.get());
  const std::size_t i = block[0];
  const std::uint8_t a = block[i + 2];
  ASSERT_GT(a, 2);
  for (std::size_t k = 0; k < 10; ++k) {
    const std::size_t p = a + 1 + 17 * k;
    EXPECT_EQ(block[p + (block[p - 1] & 0x0F)], value[9 - k]);
  }
}

}  // namespace
