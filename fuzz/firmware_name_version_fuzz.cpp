// The version read from a firmware file's name on any path a user can pick:
// no name may make it crash or read outside the text, and a version comes
// only from a name that holds a "v"; a language suffix is at most two
// characters.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "update/families/firmware_name_version.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  const auto version = update::families::firmware_version_from_file_name(path);
  const size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (version) FUZZ_CHECK(name.find('v') != std::string_view::npos);
  if (const auto suffix = update::families::language_suffix_from_file_name(path)) FUZZ_CHECK(suffix->size() <= 2);
  return 0;
}
