#pragma once
// The password kept by the precaution page, stored only as Base64 text of its
// Triple-DES (ECB) cipher under a key set compiled into the program, and a token
// encoder that hides a 10-byte value in random filler.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace transport {

// Two key sets of three distinct 8-byte DES keys each (K1, K2, K3 one after another).
extern const std::array<std::uint8_t, 24> k_password_key_set;
extern const std::array<std::uint8_t, 24> k_token_key_set;

}  // namespace transport

// Pads the zero-terminated text with zero bytes to whole 8-byte blocks, encrypts
// them and writes the Base64 text into a new buffer. Returns the size of that
// text including its terminating zero (1 for an empty text).
std::size_t encrypt_password_string(const char* text, std::unique_ptr<char[]>& text_out);
// Decodes the Base64 text and decrypts it into a new zeroed buffer (the cipher
// length rounded up to 8, plus a terminating zero). Returns the number of cipher
// bytes decoded.
std::size_t decrypt_password_string(const char* base64_text, std::unique_ptr<char[]>& plain_out);
// Hides `value` in a block of random filler seeded from the platform clock,
// encrypts it with the token key set, Base64-encodes and percent-encodes the
// cipher into a new buffer. Returns the length of that text.
std::size_t encode_padded_token(const std::array<std::uint8_t, 10>& value, std::unique_ptr<char[]>& text_out);
