#pragma once
// An HTTPS server on 127.0.0.1 for tests that talk to the update server. It
// makes its own certificate at start; ScopedServerEnvironment points the
// program's server base at it and trusts that certificate, for the test only.
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

// What the server answers for one path.
struct LoopbackResponse {
  int status = 200;
  std::string body;
  std::string content_type = "application/octet-stream";
  std::string location;  // sent as "Location" when not empty (redirects)
  // Sent in chunks with no length announced, as a streaming server does.
  bool chunked = false;
  // How long the server sits on the request before it answers (a slow or
  // stalled server); a server that stops ends the wait.
  std::chrono::milliseconds delay{0};
  // Between two chunks the server waits this long (a slow but steady line).
  std::chrono::milliseconds chunk_interval{0};
  // A body cut short: the whole length is announced, only this many bytes are
  // sent, then the connection closes.
  std::optional<std::size_t> cut_after{};
  // A stalled transfer: the headers and this many bytes of the body are sent,
  // then nothing more until the server stops.
  std::optional<std::size_t> stall_after{};
};

// One request the server received.
struct LoopbackRequest {
  std::string method;  // "GET", "POST"
  std::string path;    // without the query
  std::string target;  // as the request line carries it, query and "?" included
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  // Value of header `name` (case-insensitive), "" when absent.
  std::string header(const std::string& name) const;
};

class LoopbackServer {
 public:
  enum class Scheme { https, http };
  // Makes a self-signed certificate for 127.0.0.1 and starts listening on a
  // free port; a plain HTTP server (Scheme::http) has no certificate.
  explicit LoopbackServer(Scheme scheme = Scheme::https);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // "https://127.0.0.1:<port>/fexobluetoothmanager/" ("http://" for a plain
  // server), the layout of the update server.
  std::string base_url() const;
  // "https://127.0.0.1:<port>" (or "http://...") followed by `path` (which starts with "/").
  std::string url(const std::string& path) const;
  // PEM file of the server's certificate (none is written for a plain server).
  const std::filesystem::path& ca_file() const;

  // Answers `path` (absolute, starting with "/") with `response`, whatever the
  // method (GET or POST); other paths get 404.
  void set_response(const std::string& path, LoopbackResponse response);
  // Serves `body` with status 200 at base_url() + `name` ("Software", "Firmware", ...).
  void set_file(const std::string& name, const std::string& body);
  // Every request received so far, in order.
  std::vector<LoopbackRequest> requests() const;
  // How many requests asked for `path`.
  int request_count(const std::string& path) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

// An update server address where nothing listens: every request is refused at
// once, so a page that reads a list gets no answer without waiting.
inline constexpr char k_unreachable_server_base[] = "https://127.0.0.1:1/fexobluetoothmanager/";

// Sets VEXLINK_SERVER_BASE to the server's base and VEXLINK_CA_FILE to its
// certificate; the previous values come back on destruction.
class ScopedServerEnvironment {
 public:
  explicit ScopedServerEnvironment(const LoopbackServer& server);
  // Sets VEXLINK_SERVER_BASE only, to `base_url`.
  explicit ScopedServerEnvironment(const std::string& base_url);
  ~ScopedServerEnvironment();
  ScopedServerEnvironment(const ScopedServerEnvironment&) = delete;
  ScopedServerEnvironment& operator=(const ScopedServerEnvironment&) = delete;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

}  // namespace test_support
