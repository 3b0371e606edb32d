#include "platform/clock.h"

#include <thread>

namespace platform {

namespace {
RealClock g_real_clock;
std::atomic<Clock*> g_clock{&g_real_clock};
// Virtual time starts at an arbitrary, fixed point so tests are repeatable.
const Clock::time_point k_virtual_epoch{std::chrono::hours(1000)};
}  // namespace

Clock& clock() { return *g_clock.load(); }

void install_clock(Clock* replacement) { g_clock.store(replacement ? replacement : &g_real_clock); }

Clock::time_point RealClock::now() { return std::chrono::steady_clock::now(); }

void RealClock::sleep_for(std::chrono::milliseconds duration) {
  if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

Clock::time_point VirtualClock::now() { return k_virtual_epoch + std::chrono::milliseconds(m_elapsed_ms.load()); }

void VirtualClock::sleep_for(std::chrono::milliseconds duration) {
  if (duration.count() > 0) m_elapsed_ms.fetch_add(duration.count());
  // Let other threads run, as a real sleep would.
  std::this_thread::yield();
}

}  // namespace platform
