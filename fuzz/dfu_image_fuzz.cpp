// DFU image checks on arbitrary files: the CRC trailer and the model tag must
// never be read past the buffer, whatever the tag's length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "transport/firmware_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> file(data, data + size);
  transport_message message{};
  std::string tag = "XA9#4D10";
  transport::dfu_image_valid(file, tag, message);
  // a tag taken from the input itself, up to 40 characters
  const std::size_t tag_length = size == 0 ? 0 : data[0] % 41;
  std::string own_tag(reinterpret_cast<const char*>(data), std::min(size, tag_length));
  transport::dfu_image_valid(file, own_tag, message);
  return 0;
}
