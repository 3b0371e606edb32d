// Intel HEX parsing of arbitrary text: counts, addresses and bases from the
// file must never overrun the record buffer or grow the image past 16 MiB.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "transport/stm32/firmware_parsers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> image;
  std::uint32_t start = 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const stm32::ParserResult result = stm32::parse_intel_hex(text, image, start);
  FUZZ_CHECK(result != stm32::ParserResult::ok || image.size() <= stm32::k_max_hex_image);
  return 0;
}
