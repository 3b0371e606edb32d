#include "platform/log.h"

#include <syslog.h>

#include <atomic>
#include <cstdio>
#include <mutex>

namespace platform {

namespace {
std::mutex g_console_mutex;
std::atomic<bool> g_silenced{false};
}  // namespace

void silence_logs() { g_silenced = true; }
void restore_logs() { g_silenced = false; }

void console(const std::string& line) {
  if (g_silenced) return;
  std::lock_guard<std::mutex> lock(g_console_mutex);
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void system_log(const std::string& line) {
  if (g_silenced) return;
  ::syslog(LOG_NOTICE, "%s", line.c_str());
  console(line);
}

}  // namespace platform
