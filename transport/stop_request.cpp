#include "transport/stop_request.h"

namespace transport {

namespace {
// Each thread sees only the flag of its own worker, so stopping one worker never
// fails the exchanges of another.
thread_local const std::atomic<bool>* t_stop_requested = nullptr;
}  // namespace

StopScope::StopScope(const std::atomic<bool>& stop_requested) : m_enclosing(t_stop_requested) {
  t_stop_requested = &stop_requested;
}

StopScope::~StopScope() { t_stop_requested = m_enclosing; }

bool stop_requested() {
  const std::atomic<bool>* flag = t_stop_requested;
  return flag != nullptr && flag->load(std::memory_order_acquire);
}

}  // namespace transport
