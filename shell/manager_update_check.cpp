#include "shell/manager_update_check.h"

#include <chrono>
#include <optional>
#include <string_view>

#include "platform/deployment.h"

namespace shell {
namespace {

using namespace std::chrono_literals;

constexpr auto k_request_timeout = 15s;

// Hands out the pieces between separators of a text one by one, as a split
// would, without copying them: a long or hostile list costs no memory beyond
// its own text.
class Pieces {
 public:
  Pieces(std::string_view text, std::string_view separator) : m_rest(text), m_separator(separator) {}
  // The next piece; false once every piece was given.
  bool next(std::string_view& piece) {
    if (m_done) return false;
    const std::size_t found = m_rest.find(m_separator);
    if (found == std::string_view::npos) {
      piece = m_rest;
      m_done = true;
      return true;
    }
    piece = m_rest.substr(0, found);
    m_rest.remove_prefix(found + m_separator.size());
    return true;
  }

 private:
  std::string_view m_rest;
  std::string_view m_separator;
  bool m_done = false;
};

// The first three ":" fields of a line and how many fields it has; counting
// stops at four, which is "any other count" as much as a million is.
struct LineFields {
  std::string_view field[3];
  int count = 0;
};

LineFields fields_of(std::string_view line) {
  LineFields fields;
  Pieces pieces(line, ":");
  for (std::string_view piece; fields.count < 4 && pieces.next(piece); ++fields.count) {
    if (fields.count < 3) fields.field[fields.count] = piece;
  }
  return fields;
}

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

bool is_ascii(const std::string& text) {
  for (unsigned char c : text) {
    if (c > 0x7F) return false;
  }
  return true;
}

}  // namespace

void read_manager_version_list(const std::string& text, const std::string& base_url,
                               session::ManagerRelease& release) {
  // lines end in CR LF; a list without any CR LF is split by LF
  Pieces lines(text, text.find("\r\n") != std::string::npos ? "\r\n" : "\n");
  bool found = false;
  for (std::string_view line; lines.next(line);) {
    const LineFields fields = fields_of(line);
    const bool ours = fields.field[0] == k_manager_entry_name;
    if (fields.count == 2) {
      if (ours) release.setManagerLatestVersionSecondary(integer_value(fields.field[1]));
      if (found) break;
    } else if (fields.count == 3) {
      if (found) break;
      if (!ours) continue;
      // "v" followed by major.minor
      const std::string_view version = fields.field[1].empty() ? fields.field[1] : fields.field[1].substr(1);
      int32_t major = 0, minor = 0;
      FEXOBluetoothDeviceData::getVersionFromString_ToMajor_Minor(std::string(version), major, minor);
      release.setManagerLatestVersionMajor(major);
      release.setManagerLatestVersionMinor(minor);
      release.setUrlManagerUpdate(base_url + std::string(fields.field[2]));
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
  if (list && is_ascii(*list)) {
    read_manager_version_list(*list, base, m_release);
    if (m_release.haveNewManagerUpdate()) setGoManagerUpdate(true);
  }
}

}  // namespace shell
