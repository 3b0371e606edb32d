#pragma once
// Base64 with the standard alphabet of RFC 4648 and "=" padding, and the URL
// percent-encoding of such texts.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// Encodes `data` into a new zero-terminated text. Returns the size allocated,
// 4 x ceil(length / 3) + 1 (1 for no data).
std::size_t base64_encode(std::span<const std::uint8_t> data, std::unique_ptr<char[]>& text_out);
// Decodes a zero-terminated text, skipping every character outside the alphabet
// ("=" included): each 4 characters give 3 bytes, a trailing 2 or 3 give 1 or 2.
// Bytes beyond `out` are dropped; returns the bytes written.
std::size_t base64_decode(const char* text, std::span<std::uint8_t> out);

// Copies "A"-"Z", "a"-"z", "0"-"9", "-", "." and "_" and writes every other byte
// as "%XX" (upper-case hex) into `out`, which ends with a zero byte. A piece that
// would not fit before that zero is left out. Returns the characters written.
std::size_t url_percent_encode(const char* input, std::span<char> out);
// The same encoding of every byte of `text` (a zero byte too, as "%00").
std::string url_percent_encoded(std::string_view text);

// Module-wide group order of the two functions below: 0 (at start) takes the
// bytes of each 3-byte group in order, nonzero in reverse order.
void base64_set_group_order(std::uint32_t flag);
std::uint32_t base64_group_order();
// Encodes `data` into `out` without a terminating zero; `out` holds
// 4 x ceil(length / 3) characters (fewer are cut). A final 1- or 2-byte group is
// encoded from its own bytes followed by zero bits.
void base64_encode_into(std::span<const std::uint8_t> data, std::span<char> out);
// Decodes whole groups of 4 characters without checking them; "=" in the third
// or fourth place of a group counts as padding. Writes 3 bytes per group (never
// beyond `out`) and returns 3 x groups minus the padding, also stored in `length_out`.
std::size_t base64_decode_groups(std::string_view text, std::span<std::uint8_t> out, std::size_t& length_out);
