#include "transport/crc.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "transport/byte_order.h"

namespace transport {

namespace {

constexpr std::uint32_t k_crc32_polynomial = 0xEDB88320u;
constexpr std::uint16_t k_crc16_polynomial = 0x1021u;

// Slice-by-16 (short data and processors without carry-less multiply): table[0] is the classic one-byte table; table[k][b] is the CRC of
// byte b followed by k zero bytes, so sixteen bytes are folded in one step
// (16 KiB of tables, which stay in the level-1 cache).
using Crc32Tables = std::array<std::array<std::uint32_t, 256>, 16>;

constexpr Crc32Tables make_crc32_tables() {
  Crc32Tables tables{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ k_crc32_polynomial : crc >> 1;
    tables[0][byte] = crc;
  }
  for (std::size_t slice = 1; slice < tables.size(); ++slice) {
    for (std::size_t byte = 0; byte < 256; ++byte) {
      const std::uint32_t previous = tables[slice - 1][byte];
      tables[slice][byte] = (previous >> 8) ^ tables[0][previous & 0xFFu];
    }
  }
  return tables;
}

constexpr Crc32Tables k_crc32_tables = make_crc32_tables();

constexpr std::array<std::uint16_t, 256> make_crc16_table() {
  std::array<std::uint16_t, 256> table{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte << 8;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000u) ? (crc << 1) ^ k_crc16_polynomial : crc << 1;
    table[byte] = static_cast<std::uint16_t>(crc);
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> k_crc16_table = make_crc16_table();

#if defined(__x86_64__)
// Folding with carry-less multiplication (PCLMULQDQ): four 128-bit lanes are
// folded 64 bytes ahead, then into one lane, then reduced to 32 bits (Barrett).
// The constants are powers of x modulo the polynomial, bit-reflected:
// x^(4*128+32), x^(4*128-32), x^(128+32), x^(128-32), x^64, and the polynomial
// with its Barrett quotient. Takes at least 64 bytes and folds whole 16-byte
// blocks; `consumed` tells how many.
#define VX_CARRYLESS __attribute__((target("pclmul,sse4.1")))

VX_CARRYLESS inline __m128i load(const std::uint8_t* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// Multiplies both halves of `lane` by their constants and adds `next`.
VX_CARRYLESS inline __m128i fold(__m128i lane, __m128i constants, __m128i next) {
  const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
  const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
  return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

VX_CARRYLESS std::uint32_t crc32_folded(const std::uint8_t* bytes, std::size_t length,
                                                                    std::uint32_t crc, std::size_t& consumed) {
  const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
  const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
  const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
  const __m128i polynomial = _mm_set_epi64x(0x01f7011641, 0x01db710641);
  const __m128i low_words = _mm_setr_epi32(-1, 0, -1, 0);
  const std::uint8_t* const start = bytes;
  __m128i lane1 = _mm_xor_si128(load(bytes), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i lane2 = load(bytes + 16);
  __m128i lane3 = load(bytes + 32);
  __m128i lane4 = load(bytes + 48);
  bytes += 64;
  length -= 64;
  while (length >= 64) {
    lane1 = fold(lane1, k1k2, load(bytes));
    lane2 = fold(lane2, k1k2, load(bytes + 16));
    lane3 = fold(lane3, k1k2, load(bytes + 32));
    lane4 = fold(lane4, k1k2, load(bytes + 48));
    bytes += 64;
    length -= 64;
  }
  __m128i folded = fold(lane1, k3k4, lane2);
  folded = fold(folded, k3k4, lane3);
  folded = fold(folded, k3k4, lane4);
  while (length >= 16) {
    folded = fold(folded, k3k4, load(bytes));
    bytes += 16;
    length -= 16;
  }
  // 128 bits to 64
  __m128i reduced = _mm_xor_si128(_mm_srli_si128(folded, 8), _mm_clmulepi64_si128(folded, k3k4, 0x10));
  reduced = _mm_xor_si128(_mm_srli_si128(reduced, 4),
                          _mm_clmulepi64_si128(_mm_and_si128(reduced, low_words), k5, 0x00));
  // 64 bits to 32 (Barrett reduction)
  __m128i quotient = _mm_clmulepi64_si128(_mm_and_si128(reduced, low_words), polynomial, 0x10);
  quotient = _mm_clmulepi64_si128(_mm_and_si128(quotient, low_words), polynomial, 0x00);
  consumed = static_cast<std::size_t>(bytes - start);
  return static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(reduced, quotient), 1));
}

#undef VX_CARRYLESS

bool has_carryless_multiply() {
  static const bool supported = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
  return supported;
}
#endif

// Below this the folding set-up costs more than it saves.
constexpr std::size_t k_folding_minimum_bytes = 256;

}  // namespace

std::uint32_t crc32_jamcrc(std::span<const std::uint8_t> data, std::uint32_t crc) {
  const std::uint8_t* bytes = data.data();
  std::size_t remaining = data.size();
#if defined(__x86_64__)
  if (remaining >= k_folding_minimum_bytes && has_carryless_multiply()) {
    std::size_t consumed = 0;
    crc = crc32_folded(bytes, remaining, crc, consumed);
    bytes += consumed;
    remaining -= consumed;
  }
#endif
  const auto& t = k_crc32_tables;
  // each word's bytes stand k zero bytes before the end of the 16-byte step
  auto slice = [](std::uint32_t word, std::size_t last) {
    const auto& t = k_crc32_tables;
    return t[last][word & 0xFFu] ^ t[last - 1][(word >> 8) & 0xFFu] ^ t[last - 2][(word >> 16) & 0xFFu] ^
           t[last - 3][word >> 24];
  };
  while (remaining >= 16) {
    crc = slice(load_le32(bytes) ^ crc, 15) ^ slice(load_le32(bytes + 4), 11) ^ slice(load_le32(bytes + 8), 7) ^
          slice(load_le32(bytes + 12), 3);
    bytes += 16;
    remaining -= 16;
  }
  while (remaining-- > 0) crc = (crc >> 8) ^ t[0][(crc ^ *bytes++) & 0xFFu];
  return crc;
}

std::uint16_t crc16_ccitt(std::span<const std::uint8_t> data, std::uint16_t initial) {
  std::uint16_t crc = initial;
  for (const std::uint8_t byte : data) {
    crc = static_cast<std::uint16_t>((crc << 8) ^ k_crc16_table[((crc >> 8) ^ byte) & 0xFFu]);
  }
  return crc;
}

}  // namespace transport
