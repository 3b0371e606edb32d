// The keyed-archive reader on any bytes: it opens or throws ArchiveError, and
// every decoder on every key of every reachable object does the same. Any
// other exception, an abort or a sanitizer report is a finding.
#include <cstddef>
#include <cstdint>

#include "platform/keyed_archive.h"

namespace {

// Keys of the manager's archives, of nested objects and dates, and short ones
// a mutation easily makes.
constexpr const char* k_keys[] = {
    "keyEncrypted", "keyStrManagerVersion", "keyDeviceTarget", "keyManagerVersion", "keyManagerVersionMajor",
    "keyDeviceName", "keyDateArchived", "keySpeedDial01", "NS.time", "$class", "$classname", "$classes",
    "root", "a", "key", "",
};

// Nested objects are followed this deep; archives nest three levels.
constexpr int k_max_depth = 6;

void decode_everything(const platform::KeyedUnarchiver& object, int depth) {
  for (const char* key : k_keys) {
    try { object.contains(key); } catch (const platform::ArchiveError&) {}
    try { object.decode_bool(key); } catch (const platform::ArchiveError&) {}
    try { object.decode_int(key); } catch (const platform::ArchiveError&) {}
    try { object.decode_int32(key); } catch (const platform::ArchiveError&) {}
    try { object.decode_double(key); } catch (const platform::ArchiveError&) {}
    try { object.decode_string(key); } catch (const platform::ArchiveError&) {}
    try { object.decode_data(key); } catch (const platform::ArchiveError&) {}
    try { object.decode_date(key); } catch (const platform::ArchiveError&) {}
    try {
      std::optional<platform::KeyedUnarchiver> nested = object.decode_object(key);
      if (nested && depth < k_max_depth) decode_everything(*nested, depth + 1);
    } catch (const platform::ArchiveError&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const platform::Bytes bytes(data, data + size);
  try {
    const platform::KeyedUnarchiver root = platform::KeyedUnarchiver::open_root(bytes);
    root.class_name();
    decode_everything(root, 0);
  } catch (const platform::ArchiveError&) {
  }
  return 0;
}
