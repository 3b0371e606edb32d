#pragma once
// A worker's stop request as the device channels see it. A worker thread puts
// its stop flag in force with a StopScope; while the flag is set, every wait of
// a channel on that thread (read slices, busy re-reads, input-report polls)
// ends at its next check and the exchange fails as a failed read. The flag
// belongs to the worker and is set from any thread; only the thread that made
// the scope reads it through the channels.
#include <atomic>

namespace transport {

class StopScope {
 public:
  // Puts `stop_requested` in force on the calling thread until destruction; an
  // enclosing scope comes back into force afterwards.
  explicit StopScope(const std::atomic<bool>& stop_requested);
  ~StopScope();
  StopScope(const StopScope&) = delete;
  StopScope& operator=(const StopScope&) = delete;

 private:
  const std::atomic<bool>* m_enclosing;
};

// True when the calling thread's stop flag in force is set (false without one).
bool stop_requested();

}  // namespace transport
