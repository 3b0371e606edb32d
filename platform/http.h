#pragma once
// Synchronous HTTP(S) requests for worker threads, over libcurl. Redirects are
// followed; a transfer error or an answer outside 200..299 gives no data.
// $VEXLINK_CA_FILE, when set, names the only certificate authority trusted
// (tests trust the certificate of their loopback server this way).
#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Numbered as the URL loading system of the original platform numbers them.
enum class CachePolicy : int {
  use_protocol_cache_policy = 0,
  // Asks every cache on the way for a fresh copy ("Cache-Control: no-cache",
  // "Pragma: no-cache").
  reload_ignoring_local_and_remote_cache_data = 4,
};

// How long a request may wait. A total limit bounds the whole request; an idle
// limit bounds only the connection set-up and any stretch in which no byte
// arrives, so a large file on a slow but steady line is never cut off. A plain
// duration is a total limit.
struct HttpTimeout {
  enum class Kind { total, idle };
  template <class Rep, class Period>
  HttpTimeout(std::chrono::duration<Rep, Period> total_limit)
      : kind(Kind::total), limit(std::chrono::duration_cast<std::chrono::milliseconds>(total_limit)) {}
  template <class Rep, class Period>
  static HttpTimeout idle(std::chrono::duration<Rep, Period> idle_limit) {
    HttpTimeout timeout(idle_limit);
    timeout.kind = Kind::idle;
    return timeout;
  }
  Kind kind;
  // An idle limit is counted in whole seconds, at least one.
  std::chrono::milliseconds limit;
};

// GETs `url`, blocking the calling thread within `timeout`. Returns the body
// of a 2xx answer, or nothing on any failure: a body longer than
// `max_body_bytes` is a transfer error, and so is `stop_requested` becoming
// true (the transfer then ends within about a tenth of a second).
std::optional<std::string> http_get(const std::string& url, HttpTimeout timeout, CachePolicy cache_policy,
                                    std::size_t max_body_bytes, const std::atomic<bool>* stop_requested = nullptr);

// Receives the body as it arrives; false ends the transfer as an error.
using HttpBodySink = std::function<bool(std::string_view block)>;

// http_get handing the body to `sink` block by block instead of keeping it.
// Only the body of the final 2xx answer reaches the sink: nothing of an error
// page or of a redirect. Returns true when the whole body was delivered; after
// false the sink may have had the first part of a body that was then cut off.
bool http_get_streamed(const std::string& url, HttpTimeout timeout, CachePolicy cache_policy,
                       std::size_t max_body_bytes, const HttpBodySink& sink,
                       const std::atomic<bool>* stop_requested = nullptr);

// True when `url` is an absolute http or https address that a request can be
// made for: no blank, no control character, nothing outside ASCII.
bool valid_http_url(const std::string& url);

// POSTs `form` (URL-encoded form text, sent as application/x-www-form-urlencoded)
// to `url`, with the time-out, limit and stop request of http_get. Returns the
// body of a 2xx answer, or nothing on any failure.
std::optional<std::string> http_post_form(const std::string& url, const std::string& form, HttpTimeout timeout,
                                          std::size_t max_body_bytes,
                                          const std::atomic<bool>* stop_requested = nullptr);

}  // namespace platform
