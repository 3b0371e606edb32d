#pragma once
// MD5 message digest (RFC 1321), used for the sections of firmware packages and
// for the camera firmware check.
#include <array>
#include <cstdint>

struct md5_context {
  std::uint32_t state[4];
  std::uint32_t count[2];  // message length in bits, low word first
  std::uint8_t block[64];  // bytes waiting for a whole 64-byte block
};

using md5_digest = std::array<std::uint8_t, 16>;

// Sets the RFC 1321 initial state and a zero bit count.
void md5_init(md5_context& context);
// Adds `length` bytes of `data`.
void md5_update(md5_context& context, const std::uint8_t* data, std::uint32_t length);
// Pads, finishes and writes the digest; the context must be initialised again before reuse.
void md5_final(md5_digest& digest, md5_context& context);
