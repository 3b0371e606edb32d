#pragma once
// SIGTERM and SIGINT for an application that ends through its own shut-down
// (configuration archive, USB libraries): the first one only wakes the main
// loop, which then starts the shut-down; a later one, once the shut-down has
// begun, ends the process at once, as the signal's default action would. So a
// second Ctrl+C always works, even when the shut-down hangs.

namespace platform {

// Installs the handlers: the first SIGTERM or SIGINT writes one byte to
// `wake_fd`, which should not block. Returns false when they cannot be
// installed. Uses only async-signal-safe calls.
bool route_termination_signals(int wake_fd);

// The shut-down has begun (Quit, the window or a signal): from now on SIGTERM
// and SIGINT end the process at once.
void begin_shut_down();

}  // namespace platform
