#include "platform/termination_signals.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace platform {
namespace {

// lock-free, so the handler may touch them
std::atomic<int> g_wake_fd{-1};
std::atomic<bool> g_shutting_down{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

void on_termination_signal(int number) {
  if (g_shutting_down.exchange(true)) {
    // nobody is left to hear a request: end now. The signal stays blocked
    // until the handler returns, then the default action ends the process.
    struct sigaction default_action = {};
    default_action.sa_handler = SIG_DFL;
    sigemptyset(&default_action.sa_mask);
    ::sigaction(number, &default_action, nullptr);
    ::raise(number);
    return;
  }
  // wake the main loop; errno is kept for the code the signal interrupted
  const int saved_errno = errno;
  char byte = 1;
  [[maybe_unused]] ssize_t ignored = ::write(g_wake_fd.load(), &byte, 1);
  errno = saved_errno;
}

}  // namespace

bool route_termination_signals(int wake_fd) {
  g_wake_fd.store(wake_fd);
  struct sigaction action = {};
  action.sa_handler = on_termination_signal;
  sigemptyset(&action.sa_mask);
  // either signal waits while the handler runs for the other
  sigaddset(&action.sa_mask, SIGTERM);
  sigaddset(&action.sa_mask, SIGINT);
  action.sa_flags = SA_RESTART;
  return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGINT, &action, nullptr) == 0;
}

void begin_shut_down() { g_shutting_down.store(true); }

}  // namespace platform
