#include "platform/worker.h"

#include <utility>

namespace platform {

Worker::~Worker() { stop_and_join(); }

void Worker::start(std::function<void()> body) {
  join();
  m_stop_requested.store(false, std::memory_order_release);
  m_result.store(0, std::memory_order_release);
  m_finished.store(false, std::memory_order_release);
  m_thread = std::thread([this, body = std::move(body)] {
    body();
    m_finished.store(true, std::memory_order_release);
  });
}

void Worker::join() {
  if (m_thread.joinable()) m_thread.join();
}

void Worker::stop_and_join() {
  request_stop();
  join();
}

}  // namespace platform
