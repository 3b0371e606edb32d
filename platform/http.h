#pragma once
// Synchronous HTTP(S) requests for worker threads, over libcurl. Redirects are
// followed; a transfer error or an answer outside 200..299 gives no data.
// $VEXLINK_CA_FILE, when set, names the only certificate authority trusted
// (tests trust the certificate of their loopback server this way).
#include <atomic>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// Numbered as the URL loading system of the original platform numbers them.
enum class CachePolicy : int {
  use_protocol_cache_policy = 0,
  // Asks every cache on the way for a fresh copy ("Cache-Control: no-cache",
  // "Pragma: no-cache").
  reload_ignoring_local_and_remote_cache_data = 4,
};

// GETs `url`, blocking the calling thread for at most `timeout`. Returns the
// body of a 2xx answer, or nothing on any failure: a body longer than
// `max_body_bytes` is a transfer error, and so is `stop_requested` becoming
// true (the transfer then ends within about a tenth of a second).
std::optional<std::string> http_get(const std::string& url, std::chrono::milliseconds timeout,
                                    CachePolicy cache_policy, std::size_t max_body_bytes,
                                    const std::atomic<bool>* stop_requested = nullptr);

// POSTs `form` (URL-encoded form text, sent as application/x-www-form-urlencoded)
// to `url`, with the time-out, limit and stop request of http_get. Returns the
// body of a 2xx answer, or nothing on any failure.
std::optional<std::string> http_post_form(const std::string& url, const std::string& form,
                                          std::chrono::milliseconds timeout, std::size_t max_body_bytes,
                                          const std::atomic<bool>* stop_requested = nullptr);

}  // namespace platform
