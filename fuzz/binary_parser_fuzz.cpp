// The raw-binary parser reading arbitrary files in arbitrary pieces: it must
// give back exactly the file, never more than asked.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "transport/stm32/firmware_parsers.h"

namespace {

// One scratch file for the whole run, removed when the fuzzer exits.
struct ScratchFile {
  ScratchFile() {
    const int descriptor = ::mkstemp(path.data());
    if (descriptor >= 0) ::close(descriptor);
  }
  ~ScratchFile() { ::unlink(path.c_str()); }
  std::string path = "/tmp/vx-binary-fuzz-XXXXXX";
};

const std::string& scratch_path() {
  static const ScratchFile file;
  return file.path;
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
  FUZZ_CHECK(reader->size() == size);
  std::vector<std::uint8_t> back;
  std::vector<std::uint8_t> buffer(piece);
  for (;;) {
    std::size_t length = piece;
    FUZZ_CHECK(reader->read(buffer, length) == stm32::ParserResult::ok && length <= piece);
    if (length == 0) break;
    back.insert(back.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
  }
  FUZZ_CHECK(back == std::vector<std::uint8_t>(data, data + size));
  return 0;
}
