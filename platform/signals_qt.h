#pragma once
// Routes SIGTERM and SIGINT into the Qt event loop, so they end the application
// through the same path as Quit and closing the main window. A further signal
// once the shut-down has begun ends the process at once (termination_signals.h).
#include <functional>

namespace platform {
// `on_signal` runs on the main thread after the first SIGTERM or SIGINT.
void install_termination_signals(std::function<void()> on_signal);
}
