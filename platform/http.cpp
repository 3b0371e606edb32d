#include "platform/http.h"

#include <curl/curl.h>

#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

// curl_global_init is not thread-safe; the first request of the process runs it.
void init_curl_once() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t append_body(char* data, size_t size, size_t count, void* user) {
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

struct EasyHandle {
  CURL* handle = curl_easy_init();
  curl_slist* headers = nullptr;
  ~EasyHandle() {
    curl_slist_free_all(headers);
    if (handle) curl_easy_cleanup(handle);
  }
};

}  // namespace

std::optional<std::string> http_get(const std::string& url, std::chrono::milliseconds timeout,
                                    CachePolicy cache_policy) {
  init_curl_once();
  EasyHandle easy;
  if (!easy.handle) return std::nullopt;
  std::string body;
  curl_easy_setopt(easy.handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy.handle, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy.handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy.handle, CURLOPT_MAXREDIRS, 10L);
  // worker threads: no signals for name-resolution time-outs
  curl_easy_setopt(easy.handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy.handle, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
  curl_easy_setopt(easy.handle, CURLOPT_WRITEFUNCTION, append_body);
  curl_easy_setopt(easy.handle, CURLOPT_WRITEDATA, &body);
  if (const char* ca_file = std::getenv("VEXLINK_CA_FILE"); ca_file && *ca_file) {
    curl_easy_setopt(easy.handle, CURLOPT_CAINFO, ca_file);
  }
  if (cache_policy == CachePolicy::reload_ignoring_local_and_remote_cache_data) {
    easy.headers = curl_slist_append(easy.headers, "Cache-Control: no-cache");
    easy.headers = curl_slist_append(easy.headers, "Pragma: no-cache");
    curl_easy_setopt(easy.handle, CURLOPT_HTTPHEADER, easy.headers);
  }
  if (curl_easy_perform(easy.handle) != CURLE_OK) return std::nullopt;
  long status = 0;
  curl_easy_getinfo(easy.handle, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) return std::nullopt;
  return body;
}

}  // namespace platform
