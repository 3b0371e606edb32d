#include "platform/main_queue.h"

#include <condition_variable>
#include <mutex>

namespace platform {

namespace {
std::mutex g_mutex;
std::function<void(Task)> g_post;
std::function<bool()> g_is_main_thread;
}  // namespace

void install_main_dispatcher(std::function<void(Task)> post, std::function<bool()> is_main_thread) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_post = std::move(post);
  g_is_main_thread = std::move(is_main_thread);
}

void post_to_main(Task task) {
  std::function<void(Task)> post;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    post = g_post;
  }
  if (post)
    post(std::move(task));
  else
    task();
}

void run_on_main_and_wait(Task task) {
  std::function<void(Task)> post;
  std::function<bool()> is_main;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    post = g_post;
    is_main = g_is_main_thread;
  }
  if (!post || !is_main || is_main()) {
    task();
    return;
  }
  std::mutex done_mutex;
  std::condition_variable done_signal;
  bool done = false;
  post([&] {
    task();
    std::lock_guard<std::mutex> lock(done_mutex);
    done = true;
    done_signal.notify_one();
  });
  std::unique_lock<std::mutex> lock(done_mutex);
  done_signal.wait(lock, [&] { return done; });
}

}  // namespace platform
