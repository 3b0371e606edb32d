#include "platform/http.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <string_view>

namespace platform {
namespace {

// How long a transfer that waits on the network goes without looking at its
// stop request, in milliseconds.
constexpr int k_stop_check_interval_ms = 100;

// curl_global_init is not thread-safe; the first request of the process runs it.
void init_curl_once() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
  CURL* handle = nullptr;
  const HttpBodySink* sink = nullptr;
  std::size_t max_body_bytes = 0;
  std::size_t received_bytes = 0;
  const std::atomic<bool>* stop_requested = nullptr;
};

bool successful_status(long status) { return status >= 200 && status <= 299; }

// curl calls it with each block of the final answer's body (the bodies of the
// redirects it follows never come here).
size_t deliver_body(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  // a count other than `bytes` makes curl end the transfer with a write error
  long status = 0;
  curl_easy_getinfo(transfer->handle, CURLINFO_RESPONSE_CODE, &status);
  if (!successful_status(status)) return 0;
  if (bytes > transfer->max_body_bytes - transfer->received_bytes) return 0;
  transfer->received_bytes += bytes;
  if (!(*transfer->sink)(std::string_view(data, bytes))) return 0;
  return bytes;
}

// Called by curl while the transfer runs, also when no data moves; non-zero aborts it.
int check_stop_request(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const std::atomic<bool>* stop_requested = static_cast<Transfer*>(user)->stop_requested;
  return stop_requested && stop_requested->load(std::memory_order_acquire) ? 1 : 0;
}

struct EasyHandle {
  CURL* handle = curl_easy_init();
  curl_slist* headers = nullptr;
  ~EasyHandle() {
    curl_slist_free_all(headers);
    if (handle) curl_easy_cleanup(handle);
  }
};

struct MultiHandle {
  CURLM* handle = curl_multi_init();
  CURL* added = nullptr;
  ~MultiHandle() {
    if (added) curl_multi_remove_handle(handle, added);
    if (handle) curl_multi_cleanup(handle);
  }
};

// Runs the transfer of `easy` to its end. curl_easy_perform would wait up to a
// second between two looks at the stop request; this loop waits at most
// k_stop_check_interval_ms, so a quitting application is not held up.
CURLcode perform(CURL* easy) {
  MultiHandle multi;
  if (!multi.handle || curl_multi_add_handle(multi.handle, easy) != CURLM_OK) return CURLE_FAILED_INIT;
  multi.added = easy;
  int running = 1;
  CURLMcode status = curl_multi_perform(multi.handle, &running);
  while (status == CURLM_OK && running > 0) {
    status = curl_multi_poll(multi.handle, nullptr, 0, k_stop_check_interval_ms, nullptr);
    if (status == CURLM_OK) status = curl_multi_perform(multi.handle, &running);
  }
  if (status != CURLM_OK) return CURLE_FAILED_INIT;
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(multi.handle, &queued)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == easy) return message->data.result;
  }
  return CURLE_FAILED_INIT;
}

bool starts_on_https(const std::string& url) {
  constexpr std::string_view k_https = "https://";
  return url.size() >= k_https.size() &&
         std::equal(k_https.begin(), k_https.end(), url.begin(),
                    [](char wanted, char given) { return std::tolower(static_cast<unsigned char>(given)) == wanted; });
}

// A request that starts on HTTPS follows redirects to HTTPS only, so no
// redirect can move a list or a firmware image off TLS; a redirect elsewhere
// ends the request as failed.
void allow_https_redirects_only(CURL* easy) {
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "https");
#else
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS, static_cast<long>(CURLPROTO_HTTPS));
#endif
}

// The options every request shares; the transfer and `easy` outlive it.
void set_common_options(EasyHandle& easy, const std::string& url, HttpTimeout timeout, Transfer& transfer) {
  curl_easy_setopt(easy.handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy.handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy.handle, CURLOPT_MAXREDIRS, 10L);
  if (starts_on_https(url)) allow_https_redirects_only(easy.handle);
  // worker threads: no signals for name-resolution time-outs
  curl_easy_setopt(easy.handle, CURLOPT_NOSIGNAL, 1L);
  if (timeout.kind == HttpTimeout::Kind::total) {
    curl_easy_setopt(easy.handle, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.limit.count()));
  } else {
    // no limit on the whole transfer: only on the set-up and on silence, 1 byte/s
    // being the least that counts as moving
    const long idle_seconds = std::max(1L, static_cast<long>((timeout.limit.count() + 999) / 1000));
    curl_easy_setopt(easy.handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeout.limit.count()));
    curl_easy_setopt(easy.handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy.handle, CURLOPT_LOW_SPEED_TIME, idle_seconds);
  }
  curl_easy_setopt(easy.handle, CURLOPT_WRITEFUNCTION, deliver_body);
  curl_easy_setopt(easy.handle, CURLOPT_WRITEDATA, &transfer);
  // an announced length over the limit fails before any byte of the body
  curl_easy_setopt(easy.handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(transfer.max_body_bytes));
  curl_easy_setopt(easy.handle, CURLOPT_XFERINFOFUNCTION, check_stop_request);
  curl_easy_setopt(easy.handle, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(easy.handle, CURLOPT_NOPROGRESS, 0L);
  if (const char* ca_file = std::getenv("VEXLINK_CA_FILE"); ca_file && *ca_file) {
    curl_easy_setopt(easy.handle, CURLOPT_CAINFO, ca_file);
  }
}

// Runs a request with the options every request shares plus those
// `set_method` adds, handing the body of a 2xx answer to `sink`; true when
// all of it was delivered.
bool run_request(const std::string& url, HttpTimeout timeout, std::size_t max_body_bytes,
                 const std::atomic<bool>* stop_requested, const HttpBodySink& sink,
                 const std::function<void(EasyHandle&)>& set_method) {
  init_curl_once();
  EasyHandle easy;
  if (!easy.handle) return false;
  Transfer transfer;
  transfer.handle = easy.handle;
  transfer.sink = &sink;
  transfer.max_body_bytes = max_body_bytes;
  transfer.stop_requested = stop_requested;
  set_common_options(easy, url, timeout, transfer);
  set_method(easy);
  if (perform(easy.handle) != CURLE_OK) return false;
  long status = 0;
  curl_easy_getinfo(easy.handle, CURLINFO_RESPONSE_CODE, &status);
  return successful_status(status);
}

// The whole body of a request `run` makes with the sink it is given.
std::optional<std::string> whole_body(const std::function<bool(const HttpBodySink&)>& run) {
  std::string body;
  const HttpBodySink keep = [&body](std::string_view block) {
    body.append(block);
    return true;
  };
  if (!run(keep)) return std::nullopt;
  return body;
}

}  // namespace

bool http_get_streamed(const std::string& url, HttpTimeout timeout, CachePolicy cache_policy,
                       std::size_t max_body_bytes, const HttpBodySink& sink,
                       const std::atomic<bool>* stop_requested) {
  return run_request(url, timeout, max_body_bytes, stop_requested, sink, [cache_policy](EasyHandle& easy) {
    curl_easy_setopt(easy.handle, CURLOPT_HTTPGET, 1L);
    if (cache_policy == CachePolicy::reload_ignoring_local_and_remote_cache_data) {
      easy.headers = curl_slist_append(easy.headers, "Cache-Control: no-cache");
      easy.headers = curl_slist_append(easy.headers, "Pragma: no-cache");
      curl_easy_setopt(easy.handle, CURLOPT_HTTPHEADER, easy.headers);
    }
  });
}

std::optional<std::string> http_get(const std::string& url, HttpTimeout timeout, CachePolicy cache_policy,
                                    std::size_t max_body_bytes, const std::atomic<bool>* stop_requested) {
  return whole_body([&](const HttpBodySink& sink) {
    return http_get_streamed(url, timeout, cache_policy, max_body_bytes, sink, stop_requested);
  });
}

std::optional<std::string> http_post_form(const std::string& url, const std::string& form, HttpTimeout timeout,
                                          std::size_t max_body_bytes, const std::atomic<bool>* stop_requested) {
  return whole_body([&](const HttpBodySink& sink) {
    return run_request(url, timeout, max_body_bytes, stop_requested, sink, [&form](EasyHandle& easy) {
      // curl sends a body given this way as application/x-www-form-urlencoded
      curl_easy_setopt(easy.handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(form.size()));
      curl_easy_setopt(easy.handle, CURLOPT_POSTFIELDS, form.data());
    });
  });
}

bool valid_http_url(const std::string& url) {
  // what a URL may not hold unescaped
  for (const unsigned char c : url) {
    if (c <= 0x20 || c >= 0x7F || std::strchr("\"<>\\^`{|}", c)) return false;
  }
  CURLU* parsed = curl_url();
  if (!parsed) return false;
  bool valid = curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK;
  char* scheme = nullptr;
  char* host = nullptr;
  if (valid) {
    valid = curl_url_get(parsed, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
            curl_url_get(parsed, CURLUPART_HOST, &host, 0) == CURLUE_OK && host && *host &&
            (std::strcmp(scheme, "http") == 0 || std::strcmp(scheme, "https") == 0);
  }
  curl_free(scheme);
  curl_free(host);
  curl_url_cleanup(parsed);
  return valid;
}

}  // namespace platform
