#pragma once
// One clock for every wait and time reading in a device procedure. The product
// uses the real clock; tests install a VirtualClock that the simulated devices
// share, so a device that reboots for 5 s is back once virtual time moved 5 s.
#include <atomic>
#include <chrono>

namespace platform {

class Clock {
 public:
  using time_point = std::chrono::steady_clock::time_point;
  virtual ~Clock() = default;
  virtual time_point now() = 0;
  virtual void sleep_for(std::chrono::milliseconds duration) = 0;
};

// The clock in force (the real one unless a test installed another).
Clock& clock();
// Installs `replacement` process-wide; nullptr puts the real clock back. The
// caller keeps ownership and must uninstall before destroying it.
void install_clock(Clock* replacement);

inline Clock::time_point now() { return clock().now(); }
inline void sleep_for(std::chrono::milliseconds duration) { clock().sleep_for(duration); }

class RealClock final : public Clock {
 public:
  time_point now() override;
  void sleep_for(std::chrono::milliseconds duration) override;
};

// Sleeping advances virtual time and returns at once. Safe to use from several
// threads.
class VirtualClock final : public Clock {
 public:
  time_point now() override;
  void sleep_for(std::chrono::milliseconds duration) override;
  void advance(std::chrono::milliseconds duration) { sleep_for(duration); }
  std::chrono::milliseconds elapsed() const { return std::chrono::milliseconds(m_elapsed_ms.load()); }

 private:
  std::atomic<long long> m_elapsed_ms{0};
};

// Installs a VirtualClock for the lifetime of the object (tests).
class ScopedVirtualClock {
 public:
  ScopedVirtualClock() { install_clock(&m_clock); }
  ~ScopedVirtualClock() { install_clock(nullptr); }
  ScopedVirtualClock(const ScopedVirtualClock&) = delete;
  ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
  VirtualClock& operator*() { return m_clock; }
  VirtualClock* operator->() { return &m_clock; }

 private:
  VirtualClock m_clock;
};

}  // namespace platform
