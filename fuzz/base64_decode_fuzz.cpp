// Base64 decoders and the password decoder on arbitrary text: nothing is
// written past the caller's buffer, and the password decoder's result is the
// decoded length.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "transport/base64.h"
#include "transport/password_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // capacity from the first byte, often too small on purpose
  std::vector<std::uint8_t> out(size == 0 ? 0 : data[0] % 96);
  FUZZ_CHECK(base64_decode(text.c_str(), out) <= out.size());

  for (const std::uint32_t order : {0u, 1u}) {
    base64_set_group_order(order);
    std::size_t length = 0;
    base64_decode_groups(text, out, length);
  }
  base64_set_group_order(0);

  std::unique_ptr<char[]> plain;
  decrypt_password_string(text.c_str(), plain);
  return 0;
}
