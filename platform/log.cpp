#include "platform/log.h"

#include <syslog.h>

#include <cstdio>
#include <mutex>

namespace platform {

namespace {
std::mutex g_console_mutex;
}

void console(const std::string& line) {
  std::lock_guard<std::mutex> lock(g_console_mutex);
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void system_log(const std::string& line) {
  ::syslog(LOG_NOTICE, "%s", line.c_str());
  console(line);
}

}  // namespace platform
