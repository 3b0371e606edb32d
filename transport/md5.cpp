#include "transport/md5.h"

#include <algorithm>
#include <cstring>

#include "transport/byte_order.h"

namespace {

using transport::load_le32;
using transport::store_le32;

std::uint32_t rotate_left(std::uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

// The four auxiliary functions of RFC 1321, written with fewer operations:
// F and G select bits, so a XOR-AND-XOR form does the same.
inline std::uint32_t f(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return z ^ (x & (y ^ z)); }
inline std::uint32_t g(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (z & (x ^ y)); }
inline std::uint32_t h(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
inline std::uint32_t i(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

template <std::uint32_t (*Function)(std::uint32_t, std::uint32_t, std::uint32_t)>
inline void step(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t word,
                 std::uint32_t constant, int shift) {
  a = b + rotate_left(a + Function(b, c, d) + word + constant, shift);
}

// Digests whole 64-byte blocks into `state`.
void transform(std::uint32_t state[4], const std::uint8_t* data, std::size_t blocks) {
  std::uint32_t a = state[0];
  std::uint32_t b = state[1];
  std::uint32_t c = state[2];
  std::uint32_t d = state[3];
  for (; blocks > 0; --blocks, data += 64) {
    std::uint32_t x[16];
    for (int word = 0; word < 16; ++word) x[word] = load_le32(data + 4 * word);
    const std::uint32_t a0 = a, b0 = b, c0 = c, d0 = d;

    step<f>(a, b, c, d, x[0], 0xd76aa478, 7);
    step<f>(d, a, b, c, x[1], 0xe8c7b756, 12);
    step<f>(c, d, a, b, x[2], 0x242070db, 17);
    step<f>(b, c, d, a, x[3], 0xc1bdceee, 22);
    step<f>(a, b, c, d, x[4], 0xf57c0faf, 7);
    step<f>(d, a, b, c, x[5], 0x4787c62a, 12);
    step<f>(c, d, a, b, x[6], 0xa8304613, 17);
    step<f>(b, c, d, a, x[7], 0xfd469501, 22);
    step<f>(a, b, c, d, x[8], 0x698098d8, 7);
    step<f>(d, a, b, c, x[9], 0x8b44f7af, 12);
    step<f>(c, d, a, b, x[10], 0xffff5bb1, 17);
    step<f>(b, c, d, a, x[11], 0x895cd7be, 22);
    step<f>(a, b, c, d, x[12], 0x6b901122, 7);
    step<f>(d, a, b, c, x[13], 0xfd987193, 12);
    step<f>(c, d, a, b, x[14], 0xa679438e, 17);
    step<f>(b, c, d, a, x[15], 0x49b40821, 22);

    step<g>(a, b, c, d, x[1], 0xf61e2562, 5);
    step<g>(d, a, b, c, x[6], 0xc040b340, 9);
    step<g>(c, d, a, b, x[11], 0x265e5a51, 14);
    step<g>(b, c, d, a, x[0], 0xe9b6c7aa, 20);
    step<g>(a, b, c, d, x[5], 0xd62f105d, 5);
    step<g>(d, a, b, c, x[10], 0x02441453, 9);
    step<g>(c, d, a, b, x[15], 0xd8a1e681, 14);
    step<g>(b, c, d, a, x[4], 0xe7d3fbc8, 20);
    step<g>(a, b, c, d, x[9], 0x21e1cde6, 5);
    step<g>(d, a, b, c, x[14], 0xc33707d6, 9);
    step<g>(c, d, a, b, x[3], 0xf4d50d87, 14);
    step<g>(b, c, d, a, x[8], 0x455a14ed, 20);
    step<g>(a, b, c, d, x[13], 0xa9e3e905, 5);
    step<g>(d, a, b, c, x[2], 0xfcefa3f8, 9);
    step<g>(c, d, a, b, x[7], 0x676f02d9, 14);
    step<g>(b, c, d, a, x[12], 0x8d2a4c8a, 20);

    step<h>(a, b, c, d, x[5], 0xfffa3942, 4);
    step<h>(d, a, b, c, x[8], 0x8771f681, 11);
    step<h>(c, d, a, b, x[11], 0x6d9d6122, 16);
    step<h>(b, c, d, a, x[14], 0xfde5380c, 23);
    step<h>(a, b, c, d, x[1], 0xa4beea44, 4);
    step<h>(d, a, b, c, x[4], 0x4bdecfa9, 11);
    step<h>(c, d, a, b, x[7], 0xf6bb4b60, 16);
    step<h>(b, c, d, a, x[10], 0xbebfbc70, 23);
    step<h>(a, b, c, d, x[13], 0x289b7ec6, 4);
    step<h>(d, a, b, c, x[0], 0xeaa127fa, 11);
    step<h>(c, d, a, b, x[3], 0xd4ef3085, 16);
    step<h>(b, c, d, a, x[6], 0x04881d05, 23);
    step<h>(a, b, c, d, x[9], 0xd9d4d039, 4);
    step<h>(d, a, b, c, x[12], 0xe6db99e5, 11);
    step<h>(c, d, a, b, x[15], 0x1fa27cf8, 16);
    step<h>(b, c, d, a, x[2], 0xc4ac5665, 23);

    step<i>(a, b, c, d, x[0], 0xf4292244, 6);
    step<i>(d, a, b, c, x[7], 0x432aff97, 10);
    step<i>(c, d, a, b, x[14], 0xab9423a7, 15);
    step<i>(b, c, d, a, x[5], 0xfc93a039, 21);
    step<i>(a, b, c, d, x[12], 0x655b59c3, 6);
    step<i>(d, a, b, c, x[3], 0x8f0ccc92, 10);
    step<i>(c, d, a, b, x[10], 0xffeff47d, 15);
    step<i>(b, c, d, a, x[1], 0x85845dd1, 21);
    step<i>(a, b, c, d, x[8], 0x6fa87e4f, 6);
    step<i>(d, a, b, c, x[15], 0xfe2ce6e0, 10);
    step<i>(c, d, a, b, x[6], 0xa3014314, 15);
    step<i>(b, c, d, a, x[13], 0x4e0811a1, 21);
    step<i>(a, b, c, d, x[4], 0xf7537e82, 6);
    step<i>(d, a, b, c, x[11], 0xbd3af235, 10);
    step<i>(c, d, a, b, x[2], 0x2ad7d2bb, 15);
    step<i>(b, c, d, a, x[9], 0xeb86d391, 21);

    a += a0;
    b += b0;
    c += c0;
    d += d0;
  }
  state[0] = a;
  state[1] = b;
  state[2] = c;
  state[3] = d;
}

}  // namespace

void md5_init(md5_context& context) {
  context.state[0] = 0x67452301;
  context.state[1] = 0xefcdab89;
  context.state[2] = 0x98badcfe;
  context.state[3] = 0x10325476;
  context.count[0] = 0;
  context.count[1] = 0;
  std::memset(context.block, 0, sizeof context.block);
}

void md5_update(md5_context& context, const std::uint8_t* data, std::uint32_t length) {
  if (length == 0) return;
  std::size_t buffered = (context.count[0] >> 3) & 0x3F;
  const std::uint32_t low_bits = context.count[0] + (length << 3);
  if (low_bits < context.count[0]) ++context.count[1];
  context.count[0] = low_bits;
  context.count[1] += length >> 29;

  std::size_t remaining = length;
  if (buffered != 0) {
    const std::size_t taken = std::min<std::size_t>(64 - buffered, remaining);
    std::memcpy(context.block + buffered, data, taken);
    data += taken;
    remaining -= taken;
    buffered += taken;
    if (buffered < 64) return;
    transform(context.state, context.block, 1);
  }
  // whole blocks are digested where they lie
  transform(context.state, data, remaining / 64);
  data += remaining - remaining % 64;
  std::memcpy(context.block, data, remaining % 64);
}

void md5_final(md5_digest& digest, md5_context& context) {
  std::uint8_t length_bytes[8];
  store_le32(length_bytes, context.count[0]);
  store_le32(length_bytes + 4, context.count[1]);
  // pad with 0x80 and zeros to 56 bytes past a block boundary, then the bit count
  static const std::uint8_t padding[64] = {0x80};
  const std::uint32_t buffered = (context.count[0] >> 3) & 0x3F;
  const std::uint32_t pad_bytes = buffered < 56 ? 56 - buffered : 120 - buffered;
  md5_update(context, padding, pad_bytes);
  md5_update(context, length_bytes, 8);
  for (int word = 0; word < 4; ++word) store_le32(digest.data() + 4 * word, context.state[word]);
  std::memset(&context, 0, sizeof context);
}
