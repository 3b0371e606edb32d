// Firmware package checks on arbitrary files: the header, both section tables
// and their ranges must never be read past the buffer, and an entry handed
// out must hold its data inside the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "transport/firmware_file.h"
#include "transport/firmware_package.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // an exact-size copy, so the sanitizer sees any read past the end
  const std::vector<std::uint8_t> file(data, data + size);
  // the XA9 id rule, a table-A product and a table-B product, each checked
  // on the digest table the last byte picks
  const auto digests = size > 0 && (data[size - 1] & 1) != 0 ? transport::PackageTable::blocks
                                                               : transport::PackageTable::sections;
  for (const std::uint32_t product_id : {0x4210u, 0x6020u, 0x6800u}) {
    transport::firmware_package_valid(file, product_id, digests);
  }
  // the first entries of both tables, and the first past the count
  const std::int64_t count = transport::package_section_count(file).value_or(0);
  for (const auto table : {transport::PackageTable::sections, transport::PackageTable::blocks}) {
    for (std::int64_t index = -1; index <= std::min<std::int64_t>(count, 64); ++index) {
      const auto entry = transport::package_entry(file, table, index);
      if (!entry) continue;
      volatile std::uint8_t touched = 0;
      for (const std::uint8_t byte : entry->data) touched = touched ^ byte;
      for (const std::uint8_t byte : entry->digest) touched = touched ^ byte;
      if (entry->data.data() + entry->data.size() > file.data() + file.size()) __builtin_trap();
    }
  }
  return 0;
}
