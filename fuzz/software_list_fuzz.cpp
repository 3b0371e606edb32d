// The parser of the server's "Software" list on any text: it must not crash,
// and the download address it sets is always the server's base followed by a
// field of the list.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "recognition/manager_update_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string k_base = "https://updates.invalid/fexobluetoothmanager/";
  session::AppState controller;
  recognition::read_manager_version_list(std::string(reinterpret_cast<const char*>(data), size), k_base, controller);
  if (const std::optional<std::string> url = controller.urlManagerUpdate()) FUZZ_CHECK(url->rfind(k_base, 0) == 0);
  return 0;
}
