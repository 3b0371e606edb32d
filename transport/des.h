#pragma once
// DES and Triple-DES block ciphers (FIPS 46-3), one 8-byte block at a time (ECB).
#include <cstdint>
#include <span>

using des_block_in = std::span<const std::uint8_t, 8>;
using des_block_out = std::span<std::uint8_t, 8>;
using des_key = std::span<const std::uint8_t, 8>;

// Sixteen 48-bit round keys, each in the low bits of a word.
struct des_schedule {
  std::uint64_t round_keys[16];
};

struct des_context {
  des_schedule encrypt;
  des_schedule decrypt;  // the encryption schedule reversed
};

// Triple-DES: K1 encrypt, K2 decrypt, K3 encrypt (48 round keys), and the inverse.
struct des3_context {
  des_schedule encrypt[3];
  des_schedule decrypt[3];
};

// Sets both schedules of one key (the parity bits are ignored).
void des_set_key(des_context& context, des_key key);
// Runs the sixteen rounds of DES on one block with the given schedule.
void des_crypt(const des_schedule& schedule, des_block_in input, des_block_out output);
void des_encrypt(const des_context& context, des_block_in input, des_block_out output);
void des_decrypt(const des_context& context, des_block_in input, des_block_out output);

// Keying option 1 (three keys); returns 0.
int des3_set_3keys(des3_context& context, des_key k1, des_key k2, des_key k3);
// Keying option 2 (K3 = K1); returns 0.
int des3_set_2keys(des3_context& context, des_key k1, des_key k2);
void des3_encrypt(const des3_context& context, des_block_in input, des_block_out output);
void des3_decrypt(const des3_context& context, des_block_in input, des_block_out output);
