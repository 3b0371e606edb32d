#pragma once
// One long operation on a thread of its own: started, asked to stop between
// its steps, joined. Every worker of the manager (recognition, the manager's
// version check, firmware updates, settings saves) runs on this frame.
//
// Hand-off: the body writes what it found first and its result last
// (set_result, release); the owner's poll reads result() or finished()
// (acquire) and, once set, everything the body wrote before.
#include <atomic>
#include <functional>
#include <thread>

namespace platform {

class Worker {
 public:
  Worker() = default;
  // Asks a running body to stop and waits for it.
  ~Worker();
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  // Waits for the thread of an earlier start, clears the stop request, the
  // result and the finished flag, and runs `body` on a new thread.
  void start(std::function<void()> body);

  // Asks the body to stop at its next step; the body decides where that is.
  void request_stop() { m_stop_requested.store(true, std::memory_order_release); }
  bool stop_requested() const { return m_stop_requested.load(std::memory_order_acquire); }
  // The stop request itself, for steps that take it as an argument.
  const std::atomic<bool>& stop_flag() const { return m_stop_requested; }

  // The body's result, written after everything else it writes; 0 until set.
  void set_result(int value) { m_result.store(value, std::memory_order_release); }
  int result() const { return m_result.load(std::memory_order_acquire); }
  // True once the body has returned (set after its last write).
  bool finished() const { return m_finished.load(std::memory_order_acquire); }

  // Waits for the thread; nothing when there is none.
  void join();
  // request_stop, then join.
  void stop_and_join();

 private:
  std::atomic<bool> m_stop_requested{false};
  std::atomic<int> m_result{0};
  std::atomic<bool> m_finished{false};
  std::thread m_thread;
};

}  // namespace platform
