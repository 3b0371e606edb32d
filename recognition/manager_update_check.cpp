#include "recognition/manager_update_check.h"

#include <chrono>
#include <optional>
#include <string_view>

#include "platform/deployment.h"
#include "platform/pieces.h"
#include "platform/utf8.h"

namespace recognition {
namespace {

using namespace std::chrono_literals;

constexpr auto k_request_timeout = 15s;

// Leading integer of a text (spaces skipped, optional sign), 0 when there is none.
int integer_value(std::string_view text) {
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string_view::npos) return 0;
  bool negative = false;
  if (text[at] == '-' || text[at] == '+') negative = text[at++] == '-';
  long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

void read_manager_version_list(const std::string& text, const std::string& base_url,
                               session::ManagerRelease& release) {
  platform::Pieces lines = platform::list_lines(text);
  bool found = false;
  for (std::string_view line; lines.next(line);) {
    const platform::FirstPieces<3> fields = platform::first_pieces<3>(line, ":");
    const bool ours = fields.piece[0] == k_manager_entry_name;
    if (fields.count == 2) {
      if (ours) release.setManagerLatestVersionSecondary(integer_value(fields.piece[1]));
      if (found) break;
    } else if (fields.count == 3) {
      if (found) break;
      if (!ours) continue;
      // "v" followed by major.minor
      const std::string_view version = fields.piece[1].empty() ? fields.piece[1] : fields.piece[1].substr(1);
      int32_t major = 0, minor = 0;
      FEXOBluetoothDeviceData::getVersionFromString_ToMajor_Minor(std::string(version), major, minor);
      release.setManagerLatestVersionMajor(major);
      release.setManagerLatestVersionMinor(minor);
      release.setUrlManagerUpdate(base_url + std::string(fields.piece[2]));
      found = true;
    } else if (found) {
      break;
    }
  }
}

ManagerUpdateCheck::ManagerUpdateCheck(session::ManagerRelease& release, platform::CachePolicy cache_policy)
    : m_release(release), m_cache_policy(cache_policy) {}

ManagerUpdateCheck::~ManagerUpdateCheck() { stop_and_join(); }

bool ManagerUpdateCheck::start(std::atomic<bool>& checked_this_run) {
  if (checked_this_run.exchange(true)) return false;
  m_worker.start([this] { threadMethodCheckManagerUpdate(); });
  return true;
}

void ManagerUpdateCheck::stop_and_join() { m_worker.stop_and_join(); }

namespace {

// Holds or releases the controls while the server is asked.
void hold_controls(session::Services& services, bool hold, const std::function<void()>& refresh_page) {
  services.state().setOnProcessing(hold);
  services.setControls();
  refresh_page();
}

}  // namespace

bool ManagerUpdateCheck::begin(session::Services& services, std::atomic<bool>& checked_this_run,
                               const std::function<void()>& refresh_page) {
  setGoManagerUpdate(false);
  hold_controls(services, true, refresh_page);
  if (start(checked_this_run)) return true;
  hold_controls(services, false, refresh_page);
  return false;
}

bool ManagerUpdateCheck::end(session::Services& services, const std::function<void()>& refresh_page) {
  if (!threadTerminated()) return false;
  join();
  hold_controls(services, false, refresh_page);
  return true;
}

void ManagerUpdateCheck::threadMethodCheckManagerUpdate() {
  m_release.setManagerLatestVersionMajor(session::k_manager_version_major);
  m_release.setManagerLatestVersionMinor(session::k_manager_version_minor);
  m_release.setManagerLatestVersionSecondary(session::k_manager_version_secondary);
  const std::string base = platform::update_server_base(session::AppState::is_china_server() == 1);
  const std::optional<std::string> list = platform::http_get(
      base + "Software", k_request_timeout, m_cache_policy, k_max_manager_version_list_bytes, &m_worker.stop_flag());
  if (list && platform::is_ascii(*list)) {
    read_manager_version_list(*list, base, m_release);
    if (m_release.haveNewManagerUpdate()) setGoManagerUpdate(true);
  }
}

}  // namespace recognition
