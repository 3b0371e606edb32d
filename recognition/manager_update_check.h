#pragma once
// The manager's check for a newer published version of itself: once per run
// and page class, a thread reads the server's "Software" list and the page's
// one-second timer looks at the outcome.
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

#include "platform/http.h"
#include "platform/worker.h"
#include "session/app_state.h"
#include "session/services.h"

namespace recognition {

// Entry name of this manager in the "Software" list.
inline constexpr char k_manager_entry_name[] = "VerranoBluetoothDeviceManagerForMAC";

// The largest "Software" list read, in bytes: the real one holds a few lines;
// a longer answer is a failed request.
inline constexpr std::size_t k_max_manager_version_list_bytes = 1024 * 1024;

// Reads the latest manager version from the text of a "Software" list into the
// controller: the first version line of the entry gives major, minor and the
// download address (`base_url` followed by its file field); a secondary line
// before it or right after it gives the secondary version. Reads the text in
// place: no copy of its lines or fields is made.
void read_manager_version_list(const std::string& text, const std::string& base_url,
                               session::ManagerRelease& release);

// One page's check thread and its hand-off flags. The thread writes the
// controller's latest-version fields and goManagerUpdate, then threadTerminated.
class ManagerUpdateCheck {
 public:
  ManagerUpdateCheck(session::ManagerRelease& release, platform::CachePolicy cache_policy);
  // Stops a running check and waits for its thread (see stop_and_join).
  ~ManagerUpdateCheck();
  ManagerUpdateCheck(const ManagerUpdateCheck&) = delete;
  ManagerUpdateCheck& operator=(const ManagerUpdateCheck&) = delete;

  // Starts the check thread unless `checked_this_run` is already set, which it
  // then sets. Returns false (nothing started) when the check already ran.
  bool start(std::atomic<bool>& checked_this_run);
  // The check has ended (it wrote everything before).
  bool threadTerminated() const { return m_worker.finished(); }
  bool goManagerUpdate() const { return m_goManagerUpdate.load(std::memory_order_acquire); }
  void setGoManagerUpdate(bool value) { m_goManagerUpdate.store(value, std::memory_order_release); }
  // Waits for the thread (the timer calls it once the check has ended).
  void join() { m_worker.join(); }
  // Aborts a running request and waits for the thread, which then ends within
  // about a tenth of a second with no offer (the application quits).
  void stop_and_join();

  // A page's start of the check: goManagerUpdate := NO; the controls are held
  // (onProcessing) and the window and the page (`refresh_page`) refreshed; then
  // the thread starts. When the check already ran in this run, the controls are
  // released and refreshed again and the answer is false.
  bool begin(session::Services& services, std::atomic<bool>& checked_this_run,
             const std::function<void()>& refresh_page);
  // The page timer's poll: false while the check runs. Once it has ended: joins
  // the thread, releases the controls, refreshes the window and the page and
  // answers true; goManagerUpdate then tells whether a newer manager exists.
  bool end(session::Services& services, const std::function<void()>& refresh_page);

  // The check itself, run on the thread: the request, the list, the verdict.
  void threadMethodCheckManagerUpdate();

 private:
  session::ManagerRelease& m_release;
  platform::CachePolicy m_cache_policy;
  std::atomic<bool> m_goManagerUpdate{false};
  // last: its thread ends before the members it uses go away
  platform::Worker m_worker;
};

}  // namespace recognition
