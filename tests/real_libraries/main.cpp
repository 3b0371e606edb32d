// The real-library tests run under libumockdev-preload, which points the
// libraries' sysfs and /dev accesses at the testbed. Started without it, the
// program starts itself again with it, as umockdev-wrapper would.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* k_preload = "libumockdev-preload.so.0";

bool preloaded() {
  const char* preload = std::getenv("LD_PRELOAD");
  return preload != nullptr && std::string(preload).find(k_preload) != std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
  if (!preloaded()) {
    std::string preload = k_preload;
    if (const char* others = std::getenv("LD_PRELOAD"); others != nullptr && *others != '\0') {
      preload += std::string(":") + others;
    }
    setenv("LD_PRELOAD", preload.c_str(), 1);
#ifdef VX_SANITIZED
    // the sanitizer's runtime is no longer the first library of the process,
    // and the real libraries' own leaks are not the product's
    std::string options = "verify_asan_link_order=0";
    if (const char* others = std::getenv("ASAN_OPTIONS"); others != nullptr && *others != '\0') {
      options += std::string(":") + others;
    }
    setenv("ASAN_OPTIONS", options.c_str(), 1);
    std::string leak_options = "suppressions=" VX_LSAN_SUPPRESSIONS;
    if (const char* others = std::getenv("LSAN_OPTIONS"); others != nullptr && *others != '\0') {
      leak_options += std::string(":") + others;
    }
    setenv("LSAN_OPTIONS", leak_options.c_str(), 1);
#endif
    execv("/proc/self/exe", argv);
    std::perror("cannot start again under libumockdev-preload");
    return 1;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
