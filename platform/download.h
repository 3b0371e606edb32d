#pragma once
// A file download that runs off the main thread and tells its owner on the
// main thread, as a URL connection tells its delegate: each block of the body
// as it arrives, then the end or the failure, always in that order. The owner
// writes the blocks where it wants them; nothing of the body is kept here, so
// the size of a download costs no memory.
//
// The callbacks reach the main thread through platform::post_to_main; without
// a main dispatcher they run on the download's own thread and must then neither
// cancel nor restart the download.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/http.h"
#include "platform/worker.h"

namespace platform {

class Download {
 public:
  struct Delegate {
    // A block of the body of the final 2xx answer (connection:didReceiveData:).
    std::function<void(std::string_view block)> didReceiveData;
    // The whole body has arrived (connectionDidFinishLoading:).
    std::function<void()> didFinishLoading;
    // No body, or not all of it: a transfer error, an answer outside 2xx, a
    // body over the limit or cut short, the idle limit (connection:didFailWithError:).
    std::function<void()> didFailWithError;
  };

  Download() = default;
  // Cancels a running download.
  ~Download();
  Download(const Download&) = delete;
  Download& operator=(const Download&) = delete;

  // Cancels a running download, then GETs `url` on a thread of its own
  // (http_get_streamed); returns at once.
  void start(const std::string& url, HttpTimeout timeout, CachePolicy cache_policy, std::size_t max_body_bytes,
             Delegate delegate);
  // Ends the transfer and waits for its thread; no callback of it runs
  // afterwards, not even one already queued. Main thread.
  void cancel();

 private:
  // What the queued callbacks share with the download: they run only while
  // it has not been cancelled.
  struct Channel;
  std::shared_ptr<Channel> m_channel;
  // last: its thread ends before the members it uses go away
  Worker m_worker;
};

}  // namespace platform
