// Debian's cpp-httplib is a compiled library; its pkg-config flags carry the
// same feature switches it was built with.
#ifndef CPPHTTPLIB_OPENSSL_SUPPORT
#define CPPHTTPLIB_OPENSSL_SUPPORT
#endif
#include "support/loopback_server.h"

#include <httplib.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace test_support {
namespace {

bool same_text_ignoring_case(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

struct Certificate {
  EVP_PKEY* key = nullptr;
  X509* cert = nullptr;
  ~Certificate() {
    X509_free(cert);
    EVP_PKEY_free(key);
  }
};

// A P-256 key and a self-signed certificate valid for 127.0.0.1 for one day.
void make_certificate(Certificate& out) {
  out.key = EVP_EC_gen("P-256");
  out.cert = X509_new();
  if (!out.key || !out.cert) throw std::runtime_error("loopback server: cannot make a key");
  X509_set_version(out.cert, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(out.cert), 1);
  X509_gmtime_adj(X509_getm_notBefore(out.cert), -60);
  X509_gmtime_adj(X509_getm_notAfter(out.cert), 24 * 60 * 60);
  X509_set_pubkey(out.cert, out.key);
  X509_NAME* name = X509_get_subject_name(out.cert);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"), -1,
                             -1, 0);
  X509_set_issuer_name(out.cert, name);
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, out.cert, out.cert, nullptr, nullptr, 0);
  for (const char* extension : {"basicConstraints=critical,CA:TRUE", "subjectAltName=IP:127.0.0.1"}) {
    const std::string text(extension);
    const std::string key = text.substr(0, text.find('='));
    const std::string value = text.substr(text.find('=') + 1);
    X509_EXTENSION* ext = X509V3_EXT_conf(nullptr, &context, key.c_str(), value.c_str());
    if (!ext) throw std::runtime_error("loopback server: bad certificate extension");
    X509_add_ext(out.cert, ext, -1);
    X509_EXTENSION_free(ext);
  }
  if (X509_sign(out.cert, out.key, EVP_sha256()) == 0) throw std::runtime_error("loopback server: cannot sign");
}

void write_pem(const std::filesystem::path& path, X509* cert) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) throw std::runtime_error("loopback server: cannot write " + path.string());
  PEM_write_X509(file, cert);
  std::fclose(file);
}

}  // namespace

std::string LoopbackRequest::header(const std::string& name) const {
  for (const auto& [key, value] : headers) {
    if (same_text_ignoring_case(key, name)) return value;
  }
  return "";
}

struct LoopbackServer::Impl {
  Scheme scheme = Scheme::https;
  Certificate certificate;
  std::filesystem::path folder;
  std::filesystem::path ca_file;
  std::unique_ptr<httplib::Server> server;
  std::thread thread;
  int port = 0;
  mutable std::mutex mutex;
  std::map<std::string, LoopbackResponse> responses;
  std::vector<LoopbackRequest> requests;
  // wakes the requests a slow response holds when the server stops
  std::condition_variable stopped;
  bool stopping = false;

  // Announces the whole body, sends its first part, then closes the
  // connection (cut) or waits for the server to stop (stall).
  void answer_in_part(const LoopbackResponse& chosen, httplib::Response& response) {
    const std::size_t sent = std::min(chosen.body.size(), chosen.cut_after ? *chosen.cut_after : *chosen.stall_after);
    const bool stall = !chosen.cut_after;
    response.set_content_provider(
        chosen.body.size(), chosen.content_type.c_str(),
        [this, body = chosen.body, sent, stall](size_t offset, size_t length, httplib::DataSink& sink) {
          if (offset < sent) return sink.write(body.data() + offset, std::min(length, sent - offset));
          if (stall) {
            std::unique_lock<std::mutex> lock(mutex);
            stopped.wait(lock, [this] { return stopping; });
          }
          // false closes the connection with the body unfinished
          return false;
        });
  }

  void answer(const httplib::Request& request, httplib::Response& response) {
    LoopbackRequest seen{request.method, request.path, request.target, {}, request.body};
    for (const auto& [key, value] : request.headers) seen.headers.emplace_back(key, value);
    std::unique_lock<std::mutex> lock(mutex);
    requests.push_back(std::move(seen));
    const auto found = responses.find(request.path);
    if (found == responses.end()) {
      response.status = 404;
      return;
    }
    const LoopbackResponse chosen = found->second;
    if (stopped.wait_for(lock, chosen.delay, [this] { return stopping; })) return;
    response.status = chosen.status;
    if (!chosen.location.empty()) response.set_header("Location", chosen.location);
    if (chosen.cut_after || chosen.stall_after) {
      answer_in_part(chosen, response);
      return;
    }
    if (!chosen.chunked) {
      response.set_content(chosen.body, chosen.content_type.c_str());
      return;
    }
    response.set_chunked_content_provider(
        chosen.content_type.c_str(),
        [this, body = chosen.body, interval = chosen.chunk_interval](size_t offset, httplib::DataSink& sink) {
          constexpr size_t k_chunk_bytes = 16384;
          if (offset > 0 && interval.count() > 0) {
            std::unique_lock<std::mutex> lock(mutex);
            if (stopped.wait_for(lock, interval, [this] { return stopping; })) return false;
          }
          if (offset < body.size()) {
            const size_t bytes = std::min(k_chunk_bytes, body.size() - offset);
            return sink.write(body.data() + offset, bytes);
          }
          sink.done();
          return true;
        });
  }
};

LoopbackServer::LoopbackServer(Scheme scheme) : m_impl(std::make_unique<Impl>()) {
  m_impl->scheme = scheme;
  m_impl->folder = std::filesystem::temp_directory_path() /
                   ("vx_loopback_" + std::to_string(::getpid()) + "_" +
                    std::to_string(reinterpret_cast<std::uintptr_t>(m_impl.get())));
  std::filesystem::create_directories(m_impl->folder);
  m_impl->ca_file = m_impl->folder / "loopback_ca.pem";
  if (scheme == Scheme::https) {
    make_certificate(m_impl->certificate);
    write_pem(m_impl->ca_file, m_impl->certificate.cert);
    m_impl->server = std::make_unique<httplib::SSLServer>(m_impl->certificate.cert, m_impl->certificate.key);
  } else {
    m_impl->server = std::make_unique<httplib::Server>();
  }
  Impl* impl = m_impl.get();
  const auto answer = [impl](const httplib::Request& request, httplib::Response& response) {
    impl->answer(request, response);
  };
  m_impl->server->Get(".*", answer);
  m_impl->server->Post(".*", answer);
  m_impl->port = m_impl->server->bind_to_any_port("127.0.0.1");
  if (m_impl->port <= 0) throw std::runtime_error("loopback server: cannot bind");
  m_impl->thread = std::thread([impl] { impl->server->listen_after_bind(); });
  // real time: the listening thread is up within milliseconds
  for (int tries = 0; tries < 500 && !m_impl->server->is_running(); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

LoopbackServer::~LoopbackServer() {
  {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->stopping = true;
  }
  m_impl->stopped.notify_all();
  m_impl->server->stop();
  if (m_impl->thread.joinable()) m_impl->thread.join();
  std::error_code error;
  std::filesystem::remove_all(m_impl->folder, error);
}

std::string LoopbackServer::base_url() const { return url("/fexobluetoothmanager/"); }

std::string LoopbackServer::url(const std::string& path) const {
  const char* scheme = m_impl->scheme == Scheme::https ? "https" : "http";
  return std::string(scheme) + "://127.0.0.1:" + std::to_string(m_impl->port) + path;
}

const std::filesystem::path& LoopbackServer::ca_file() const { return m_impl->ca_file; }

void LoopbackServer::set_response(const std::string& path, LoopbackResponse response) {
  std::lock_guard<std::mutex> lock(m_impl->mutex);
  m_impl->responses[path] = std::move(response);
}

void LoopbackServer::set_file(const std::string& name, const std::string& body) {
  set_response("/fexobluetoothmanager/" + name, LoopbackResponse{200, body, "text/plain", ""});
}

std::vector<LoopbackRequest> LoopbackServer::requests() const {
  std::lock_guard<std::mutex> lock(m_impl->mutex);
  return m_impl->requests;
}

int LoopbackServer::request_count(const std::string& path) const {
  std::lock_guard<std::mutex> lock(m_impl->mutex);
  return static_cast<int>(std::count_if(m_impl->requests.begin(), m_impl->requests.end(),
                                        [&](const LoopbackRequest& request) { return request.path == path; }));
}

namespace {

// Sets each variable, keeping its previous value in `saved`.
void set_keeping(const std::vector<std::pair<const char*, std::string>>& settings,
                 std::vector<std::pair<std::string, std::optional<std::string>>>& saved) {
  for (const auto& [name, value] : settings) {
    const char* previous = std::getenv(name);
    saved.emplace_back(name, previous ? std::optional<std::string>(previous) : std::nullopt);
    ::setenv(name, value.c_str(), 1);
  }
}

}  // namespace

ScopedServerEnvironment::ScopedServerEnvironment(const LoopbackServer& server) {
  set_keeping({{"VEXLINK_SERVER_BASE", server.base_url()}, {"VEXLINK_CA_FILE", server.ca_file().string()}}, m_saved);
}

ScopedServerEnvironment::ScopedServerEnvironment(const std::string& base_url) {
  set_keeping({{"VEXLINK_SERVER_BASE", base_url}}, m_saved);
}

ScopedServerEnvironment::~ScopedServerEnvironment() {
  for (const auto& [name, previous] : m_saved) {
    if (previous) {
      ::setenv(name.c_str(), previous->c_str(), 1);
    } else {
      ::unsetenv(name.c_str());
    }
  }
}

}  // namespace test_support
