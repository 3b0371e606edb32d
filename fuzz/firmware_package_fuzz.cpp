// Firmware package checks on arbitrary files: the header, both section tables
// and their ranges must never be read past the buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "transport/firmware_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // an exact-size copy, so the sanitizer sees any read past the end
  const std::vector<std::uint8_t> file(data, data + size);
  // the XA9 id rule, a table-A product and a table-B product
  for (const std::uint32_t product_id : {0x4210u, 0x6020u, 0x6800u}) {
    transport::firmware_package_valid(file, product_id);
  }
  return 0;
}
