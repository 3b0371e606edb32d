#include "platform/signals_qt.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include "platform/termination_signals.h"

namespace platform {

namespace {
int g_signal_pipe[2] = {-1, -1};
}  // namespace

void install_termination_signals(std::function<void()> on_signal) {
  // close-on-exec: the relaunch shell must not inherit the pair
  if (g_signal_pipe[0] < 0 &&
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signal_pipe) != 0)
    return;
  // the handler's write never blocks, so a burst of signals cannot hang it
  ::fcntl(g_signal_pipe[1], F_SETFL, ::fcntl(g_signal_pipe[1], F_GETFL) | O_NONBLOCK);
  auto* notifier = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, on_signal]() {
    char byte;
    [[maybe_unused]] ssize_t ignored = ::read(g_signal_pipe[0], &byte, 1);
    notifier->setEnabled(false);
    on_signal();
  });
  route_termination_signals(g_signal_pipe[1]);
}

}  // namespace platform
