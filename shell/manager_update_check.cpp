#include "shell/manager_update_check.h"

#include <chrono>
#include <optional>
#include <vector>

#include "platform/deployment.h"

namespace shell {
namespace {

using namespace std::chrono_literals;

constexpr auto k_request_timeout = 15s;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t found; (found = text.find(separator, start)) != std::string::npos; start = found + separator.size()) {
    parts.push_back(text.substr(start, found - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// Leading integer of a text (spaces skipped, optional sign), 0 when there is none.
int integer_value(const std::string& text) {
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string::npos) return 0;
  bool negative = false;
  if (text[at] == '-' || text[at] == '+') negative = text[at++] == '-';
  long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
  }
  return static_cast<int>(negative ? -value : value);
}

bool is_ascii(const std::string& text) {
  for (unsigned char c : text) {
    if (c > 0x7F) return false;
  }
  return true;
}

}  // namespace

void read_manager_version_list(const std::string& text, const std::string& base_url,
                               session::ManagerRelease& release) {
  std::vector<std::string> lines = split(text, "\r\n");
  if (lines.size() < 2) lines = split(text, "\n");
  bool found = false;
  for (const std::string& line : lines) {
    const std::vector<std::string> fields = split(line, ":");
    const bool ours = fields[0] == k_manager_entry_name;
    if (fields.size() == 2) {
      if (ours) release.setManagerLatestVersionSecondary(integer_value(fields[1]));
      if (found) break;
    } else if (fields.size() == 3) {
      if (found) break;
      if (!ours) continue;
      int32_t major = 0, minor = 0;
      FEXOBluetoothDeviceData::getVersionFromString_ToMajor_Minor(fields[1].empty() ? "" : fields[1].substr(1),
                                                                 major, minor);
      release.setManagerLatestVersionMajor(major);
      release.setManagerLatestVersionMinor(minor);
      release.setUrlManagerUpdate(base_url + fields[2]);
      found = true;
    } else if (found) {
      break;
    }
  }
}

ManagerUpdateCheck::ManagerUpdateCheck(session::ManagerRelease& release, platform::CachePolicy cache_policy)
    : m_release(release), m_cache_policy(cache_policy) {}

ManagerUpdateCheck::~ManagerUpdateCheck() { m_worker.join(); }

bool ManagerUpdateCheck::start(std::atomic<bool>& checked_this_run) {
  if (checked_this_run.exchange(true)) return false;
  m_worker.start([this] { threadMethodCheckManagerUpdate(); });
  return true;
}

void ManagerUpdateCheck::threadMethodCheckManagerUpdate() {
  m_release.setManagerLatestVersionMajor(session::k_manager_version_major);
  m_release.setManagerLatestVersionMinor(session::k_manager_version_minor);
  m_release.setManagerLatestVersionSecondary(session::k_manager_version_secondary);
  const std::string base = platform::update_server_base(session::AppState::is_china_server() == 1);
  const std::optional<std::string> list = platform::http_get(base + "Software", k_request_timeout, m_cache_policy);
  if (list && is_ascii(*list)) {
    read_manager_version_list(*list, base, m_release);
    if (m_release.haveNewManagerUpdate()) setGoManagerUpdate(true);
  }
}

}  // namespace shell
