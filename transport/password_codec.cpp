#include "transport/password_codec.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <span>
#include <vector>

#include "platform/clock.h"
#include "transport/base64.h"
#include "transport/des.h"

namespace transport {

const std::array<std::uint8_t, 24> k_password_key_set = {
    0x23, 0x13, 0x58, 0xE9, 0x58, 0xE5, 0x7C, 0xC1,  //
    0xCB, 0x6E, 0x1A, 0x54, 0xB3, 0xA4, 0x40, 0x51,  //
    0xF4, 0xB3, 0x76, 0x97, 0x68, 0x6D, 0xBA, 0x3D};
const std::array<std::uint8_t, 24> k_token_key_set = {
    0x3B, 0x64, 0x79, 0xAD, 0x83, 0x73, 0xBA, 0x3D,  //
    0x8A, 0x01, 0x7C, 0x31, 0x8F, 0x3E, 0x9B, 0xC1,  //
    0x0D, 0xD0, 0x70, 0xE3, 0x10, 0x2F, 0xAD, 0x46};

}  // namespace transport

namespace {

constexpr std::size_t k_block_bytes = 8;
constexpr std::size_t k_token_filler_bytes = 170;
constexpr std::size_t k_token_value_stride = 17;

des3_context context_for(const std::array<std::uint8_t, 24>& key_set) {
  des3_context context{};
  const std::span<const std::uint8_t, 24> keys(key_set);
  des3_set_3keys(context, keys.subspan<0, 8>(), keys.subspan<8, 8>(), keys.subspan<16, 8>());
  return context;
}

std::size_t round_up_to_block(std::size_t bytes) { return (bytes + k_block_bytes - 1) / k_block_bytes * k_block_bytes; }

// Runs every whole block of `data` through `crypt` in place.
template <class Crypt>
void crypt_blocks(std::span<std::uint8_t> data, Crypt crypt) {
  for (std::size_t at = 0; at + k_block_bytes <= data.size(); at += k_block_bytes) {
    std::array<std::uint8_t, k_block_bytes> result{};
    const std::span<const std::uint8_t, k_block_bytes> block(data.data() + at, k_block_bytes);
    crypt(block, result);
    std::copy(result.begin(), result.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
  }
}

}  // namespace

std::size_t encrypt_password_string(const char* text, std::unique_ptr<char[]>& text_out) {
  const std::size_t length = text == nullptr ? 0 : std::strlen(text);
  // zero-filled, so the last block is padded with zero bytes
  std::vector<std::uint8_t> blocks(round_up_to_block(length) + 1, 0);
  if (length != 0) std::memcpy(blocks.data(), text, length);
  blocks.pop_back();
  const des3_context context = context_for(transport::k_password_key_set);
  crypt_blocks(blocks, [&context](des_block_in in, des_block_out out) { des3_encrypt(context, in, out); });
  const std::size_t size = base64_encode(blocks, text_out);
  std::fill(blocks.begin(), blocks.end(), 0);
  return size;
}

std::size_t decrypt_password_string(const char* base64_text, std::unique_ptr<char[]>& plain_out) {
  const std::size_t text_length = base64_text == nullptr ? 0 : std::strlen(base64_text);
  std::vector<std::uint8_t> cipher(text_length + 1, 0);
  const std::size_t decoded = base64_decode(base64_text, cipher);
  // a short last block is taken as zero-filled, so the buffer holds whole blocks
  std::vector<std::uint8_t> blocks(round_up_to_block(decoded), 0);
  std::copy_n(cipher.begin(), decoded, blocks.begin());
  const des3_context context = context_for(transport::k_password_key_set);
  crypt_blocks(blocks, [&context](des_block_in in, des_block_out out) { des3_decrypt(context, in, out); });
  plain_out = std::make_unique<char[]>(blocks.size() + 1);  // zeroed
  std::copy(blocks.begin(), blocks.end(), plain_out.get());
  std::fill(blocks.begin(), blocks.end(), 0);
  return decoded;
}

std::size_t encode_padded_token(const std::array<std::uint8_t, 10>& value, std::unique_ptr<char[]>& text_out) {
  std::minstd_rand random(
      static_cast<std::minstd_rand::result_type>(platform::now().time_since_epoch().count() & 0x7FFFFFFF));
  // A names the value's place and B the filler behind it; A - 2 divides byte 0,
  // so A of 2 or less (a one-byte 256 reads 0) is drawn again
  std::uint8_t a = 0;
  while (a <= 2) a = static_cast<std::uint8_t>(random() % 254 + 3);
  auto b = static_cast<std::uint8_t>((random() & 0xFF) + 1);
  std::size_t length = a + b + k_token_filler_bytes;
  if (length % k_block_bytes != 0) {
    const std::size_t pad = k_block_bytes - length % k_block_bytes;
    length += pad;
    b = static_cast<std::uint8_t>(b + pad);
  }

  std::vector<std::uint8_t> block(length);
  for (std::uint8_t& byte : block) {
    const std::uint32_t high = random();
    byte = static_cast<std::uint8_t>(16 * high + random() % 16);
  }
  const std::size_t index = block[0] % (a - 2);
  block[0] = static_cast<std::uint8_t>(index);
  block[index + 1] = b;
  block[index + 2] = a;
  // last value byte first, each at a place its preceding filler byte shifts by up to 15
  for (std::size_t k = 0; k < value.size(); ++k) {
    const std::size_t p = a + 1 + k_token_value_stride * k;
    block[p + (block[p - 1] & 0x0F)] = value[value.size() - 1 - k];
  }

  const des3_context context = context_for(transport::k_token_key_set);
  crypt_blocks(block, [&context](des_block_in in, des_block_out out) { des3_encrypt(context, in, out); });
  std::unique_ptr<char[]> base64;
  const std::size_t base64_size = base64_encode(block, base64);
  text_out = std::make_unique<char[]>(3 * base64_size);
  return url_percent_encode(base64.get(), {text_out.get(), 3 * base64_size});
}
