#include "platform/signals_qt.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace platform {

namespace {
int g_signal_pipe[2] = {-1, -1};

void on_posix_signal(int) {
  // only async-signal-safe work here: wake the event loop. The write end does
  // not block, so a burst of signals can never hang the handler, and errno is
  // kept for the code the signal interrupted.
  int saved_errno = errno;
  char byte = 1;
  [[maybe_unused]] ssize_t ignored = ::write(g_signal_pipe[1], &byte, 1);
  errno = saved_errno;
}
}  // namespace

void install_termination_signals(std::function<void()> on_signal) {
  // close-on-exec: the relaunch shell must not inherit the pair
  if (g_signal_pipe[0] < 0 &&
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signal_pipe) != 0)
    return;
  ::fcntl(g_signal_pipe[1], F_SETFL, ::fcntl(g_signal_pipe[1], F_GETFL) | O_NONBLOCK);
  auto* notifier = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, on_signal]() {
    char byte;
    [[maybe_unused]] ssize_t ignored = ::read(g_signal_pipe[0], &byte, 1);
    notifier->setEnabled(false);
    on_signal();
  });
  struct sigaction action = {};
  action.sa_handler = on_posix_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace platform
