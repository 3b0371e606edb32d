// The raw-binary parser reading arbitrary files in arbitrary pieces: it must
// give back exactly the file, never more than asked.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "transport/stm32/firmware_parsers.h"

namespace {

// One scratch file for the whole run.
const std::string& scratch_path() {
  static const std::string path = [] {
    std::string pattern = "/tmp/vx-binary-fuzz-XXXXXX";
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor >= 0) ::close(descriptor);
    return pattern;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // the first byte chooses the piece size
  const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 64;
  auto writer = stm32::create_binary_parser();
  if (writer->open(scratch_path(), true) != stm32::ParserResult::ok) return 0;
  writer->write({data, size});
  writer->close();

  auto reader = stm32::create_binary_parser();
  if (reader->open(scratch_path(), false) != stm32::ParserResult::ok) return 0;
  if (reader->size() != size) __builtin_trap();
  std::vector<std::uint8_t> back;
  std::vector<std::uint8_t> buffer(piece);
  for (;;) {
    std::size_t length = piece;
    if (reader->read(buffer, length) != stm32::ParserResult::ok || length > piece) __builtin_trap();
    if (length == 0) break;
    back.insert(back.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
  }
  if (back != std::vector<std::uint8_t>(data, data + size)) __builtin_trap();
  return 0;
}
