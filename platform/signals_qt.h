#pragma once
// Routes SIGTERM and SIGINT into the Qt event loop, so they end the application
// through the same path as Quit and closing the main window.
#include <functional>

namespace platform {
// `on_signal` runs on the main thread after SIGTERM or SIGINT arrived.
void install_termination_signals(std::function<void()> on_signal);
}
