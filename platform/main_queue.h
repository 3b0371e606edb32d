#pragma once
// Runs work on the application's main (UI) thread. The Qt side installs the
// dispatcher at start-up; until one is installed, work runs on the calling
// thread (core tests without an event loop).
#include <functional>

namespace platform {

using Task = std::function<void()>;

// Queues `task` to run on the main thread; returns at once.
void post_to_main(Task task);
// Runs `task` on the main thread and waits until it has run (runs it directly
// when called on the main thread).
void run_on_main_and_wait(Task task);

// Installed by the Qt side: a function that queues a task on the main thread,
// and one that tells whether the calling thread is the main thread.
void install_main_dispatcher(std::function<void(Task)> post, std::function<bool()> is_main_thread);

}  // namespace platform
