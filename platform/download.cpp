#include "platform/download.h"

#include <atomic>
#include <utility>

#include "platform/main_queue.h"

namespace platform {

struct Download::Channel {
  explicit Channel(Delegate callbacks) : delegate(std::move(callbacks)) {}
  std::atomic<bool> cancelled{false};
  const Delegate delegate;
};

Download::~Download() { cancel(); }

void Download::start(const std::string& url, HttpTimeout timeout, CachePolicy cache_policy,
                     std::size_t max_body_bytes, Delegate delegate) {
  cancel();
  m_channel = std::make_shared<Channel>(std::move(delegate));
  m_worker.start([channel = m_channel, url, timeout, cache_policy, max_body_bytes, this] {
    const HttpBodySink hand_over = [&channel](std::string_view block) {
      if (channel->cancelled.load(std::memory_order_acquire)) return false;
      post_to_main([channel, data = std::string(block)] {
        if (!channel->cancelled.load(std::memory_order_acquire)) channel->delegate.didReceiveData(data);
      });
      return true;
    };
    const bool complete =
        http_get_streamed(url, timeout, cache_policy, max_body_bytes, hand_over, &m_worker.stop_flag());
    post_to_main([channel, complete] {
      if (channel->cancelled.load(std::memory_order_acquire)) return;
      if (complete) {
        channel->delegate.didFinishLoading();
      } else {
        channel->delegate.didFailWithError();
      }
    });
  });
}

void Download::cancel() {
  if (m_channel) m_channel->cancelled.store(true, std::memory_order_release);
  m_worker.stop_and_join();
}

}  // namespace platform
