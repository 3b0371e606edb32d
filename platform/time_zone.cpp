#include "platform/time_zone.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace platform {

namespace {

std::mutex g_override_mutex;
std::optional<std::string> g_override;

// "/usr/share/zoneinfo/Asia/Shanghai" -> "Asia/Shanghai".
std::optional<std::string> zone_from_localtime_link() {
  std::error_code error;
  std::filesystem::path target = std::filesystem::read_symlink("/etc/localtime", error);
  if (error) return std::nullopt;
  const std::string text = target.string();
  const std::string marker = "zoneinfo/";
  const size_t at = text.rfind(marker);
  if (at == std::string::npos || at + marker.size() >= text.size()) return std::nullopt;
  return text.substr(at + marker.size());
}

}  // namespace

std::string time_zone_name() {
  {
    std::lock_guard<std::mutex> lock(g_override_mutex);
    if (g_override) return *g_override;
  }
  if (const char* tz = std::getenv("TZ"); tz && *tz) {
    std::string name = tz;
    if (name.front() == ':') name.erase(0, 1);
    if (!name.empty()) return name;
  }
  if (auto zone = zone_from_localtime_link()) return *zone;
  return "UTC";
}

void override_time_zone_name(std::optional<std::string> name) {
  std::lock_guard<std::mutex> lock(g_override_mutex);
  g_override = std::move(name);
}

}  // namespace platform
