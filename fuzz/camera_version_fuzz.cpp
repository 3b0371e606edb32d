// The version file a camera keeps on its disk, read from any text: no text may
// crash the reader or make its integer reading overflow, and what it reads
// must not depend on anything after the second piece.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "device_data/camera_volume.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const device_data::CameraVersion version = device_data::camera_version_from_text(text);
  const std::size_t first = text.find('.');
  const std::size_t second = first == std::string_view::npos ? first : text.find('.', first + 1);
  if (second != std::string_view::npos) {
    // a third piece never changes the version
    FUZZ_CHECK(device_data::camera_version_from_text(std::string(text.substr(0, second)) + ".99") == version);
  }
  if (first == std::string_view::npos) FUZZ_CHECK(version.minor == 0);
  return 0;
}
