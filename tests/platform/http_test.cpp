#include "platform/http.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/loopback_server.h"

namespace {

using namespace std::chrono_literals;
using platform::CachePolicy;
using test_support::LoopbackResponse;

// Large enough for every answer of these tests.
constexpr std::size_t k_any_size = 1 << 20;

class HttpGet : public ::testing::Test {
 protected:
  test_support::LoopbackServer m_server;
  test_support::ScopedServerEnvironment m_environment{m_server};
};

TEST_F(HttpGet, AnswersTheBodyOfASuccessfulAnswerOnly) {
  m_server.set_file("Software", "line one\r\nline two\r\n");
  m_server.set_response("/empty", LoopbackResponse{204, "", "text/plain", ""});
  m_server.set_response("/gone", LoopbackResponse{410, "not here", "text/plain", ""});
  m_server.set_response("/broken", LoopbackResponse{500, "oops", "text/plain", ""});
  m_server.set_response("/moved", LoopbackResponse{302, "", "text/plain", m_server.base_url() + "Software"});

  struct Case {
    const char* name;
    std::string url;
    std::optional<std::string> body;
  };
  const Case cases[] = {
      {"plain 200", m_server.base_url() + "Software", "line one\r\nline two\r\n"},
      {"204 with no body", m_server.url("/empty"), ""},
      {"redirect followed", m_server.url("/moved"), "line one\r\nline two\r\n"},
      {"404", m_server.base_url() + "Missing", std::nullopt},
      {"410 with a body", m_server.url("/gone"), std::nullopt},
      {"500", m_server.url("/broken"), std::nullopt},
      {"nothing listening", "https://127.0.0.1:1/x", std::nullopt},
      {"not a URL", "no scheme at all", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(platform::http_get(c.url, 15s, CachePolicy::use_protocol_cache_policy, k_any_size), c.body);
  }
}

TEST_F(HttpGet, AnHttpsRequestFollowsNoRedirectOffHttps) {
  test_support::LoopbackServer plain(test_support::LoopbackServer::Scheme::http);
  plain.set_file("Software", "served without TLS");
  m_server.set_response("/downgrade", LoopbackResponse{302, "", "text/plain", plain.base_url() + "Software"});
  // the scheme is named in any case
  const std::string upper_case = "HTTPS" + m_server.url("/downgrade").substr(5);
  for (const std::string& url : {m_server.url("/downgrade"), upper_case}) {
    SCOPED_TRACE(url);
    EXPECT_EQ(platform::http_get(url, 15s, CachePolicy::use_protocol_cache_policy, k_any_size), std::nullopt);
  }
  EXPECT_EQ(plain.request_count("/fexobluetoothmanager/Software"), 0) << "nothing was asked without TLS";
  // a request that starts on plain HTTP is not this rule's
  EXPECT_EQ(platform::http_get(plain.base_url() + "Software", 15s, CachePolicy::use_protocol_cache_policy, k_any_size),
            "served without TLS");
}

TEST_F(HttpGet, ReloadPolicyAsksCachesForAFreshCopy) {
  m_server.set_file("Software", "x");
  ASSERT_TRUE(platform::http_get(m_server.base_url() + "Software", 15s,
                                 CachePolicy::reload_ignoring_local_and_remote_cache_data, k_any_size));
  ASSERT_TRUE(
      platform::http_get(m_server.base_url() + "Software", 15s, CachePolicy::use_protocol_cache_policy, k_any_size));
  const auto requests = m_server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].header("Cache-Control"), "no-cache");
  EXPECT_EQ(requests[0].header("Pragma"), "no-cache");
  EXPECT_EQ(requests[1].header("Cache-Control"), "");
  EXPECT_EQ(requests[1].header("Pragma"), "");
}

TEST_F(HttpGet, ABodyOverTheLimitIsATransferError) {
  constexpr std::size_t k_limit = 100000;
  const std::string at_limit(k_limit, 'a');
  const std::string over_limit(k_limit + 1, 'a');
  struct Case {
    const char* name;
    const std::string& body;
    bool chunked;  // no length announced: the limit holds while the body arrives
  };
  const Case cases[] = {
      {"at the limit, announced", at_limit, false},
      {"at the limit, streamed", at_limit, true},
      {"one byte over, announced", over_limit, false},
      {"one byte over, streamed", over_limit, true},
      {"far over, streamed", std::string(8 * k_limit, ':'), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_server.set_response("/list", LoopbackResponse{200, c.body, "text/plain", "", c.chunked});
    const std::optional<std::string> body =
        platform::http_get(m_server.url("/list"), 15s, CachePolicy::use_protocol_cache_policy, k_limit);
    if (c.body.size() <= k_limit) {
      EXPECT_EQ(body, c.body);
    } else {
      EXPECT_EQ(body, std::nullopt);
    }
  }
}

TEST_F(HttpGet, AStopRequestEndsAStalledTransferAtOnce) {
  // the server sits on the request far longer than the test waits
  m_server.set_response("/stalled", LoopbackResponse{200, "late", "text/plain", "", false, 30s});
  std::atomic<bool> stop{false};
  std::chrono::steady_clock::time_point stopped_at;
  std::thread quitting([&] {
    while (m_server.request_count("/stalled") == 0) std::this_thread::sleep_for(10ms);
    stopped_at = std::chrono::steady_clock::now();
    stop = true;
  });
  const std::optional<std::string> body =
      platform::http_get(m_server.url("/stalled"), 15s, CachePolicy::use_protocol_cache_policy, k_any_size, &stop);
  const auto returned_at = std::chrono::steady_clock::now();
  quitting.join();
  EXPECT_EQ(body, std::nullopt);
  EXPECT_LT(returned_at - stopped_at, 500ms);

  // a stop requested before the request: nothing is asked
  EXPECT_EQ(platform::http_get(m_server.base_url() + "Software", 15s, CachePolicy::use_protocol_cache_policy,
                               k_any_size, &stop),
            std::nullopt);
  EXPECT_EQ(m_server.request_count("/fexobluetoothmanager/Software"), 0);
}

TEST_F(HttpGet, AnIdleLimitEndsSilenceButNeverASteadyTransfer) {
  const std::string body(4 * 16384, 'f');
  m_server.set_response("/before-headers", LoopbackResponse{200, body, "text/plain", "", false, 30s});
  LoopbackResponse after_headers{200, body, "text/plain", ""};
  after_headers.stall_after = 0;
  m_server.set_response("/after-headers", after_headers);
  // four chunks 400 ms apart: longer than the idle limit in all, never idle that long
  LoopbackResponse steady{200, body, "text/plain", "", true};
  steady.chunk_interval = 400ms;
  m_server.set_response("/steady", steady);

  struct Case {
    const char* path;
    bool delivered;
  };
  const Case cases[] = {
      {"/before-headers", false},
      {"/after-headers", false},
      {"/steady", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const auto started = std::chrono::steady_clock::now();
    const std::optional<std::string> answer =
        platform::http_get(m_server.url(c.path), platform::HttpTimeout::idle(1s), CachePolicy::use_protocol_cache_policy,
                           k_any_size);
    const auto took = std::chrono::steady_clock::now() - started;
    if (c.delivered) {
      EXPECT_TRUE(answer == body);
      EXPECT_GT(took, 1200ms);
    } else {
      EXPECT_FALSE(answer.has_value());
      // the limit, not the server's 30 s
      EXPECT_LT(took, 5s);
    }
  }
}

TEST_F(HttpGet, AStreamedBodyIsOnlyEverTheFinalSuccessfulAnswers) {
  const std::string firmware(50000, 'F');
  m_server.set_file("Y350R.img", firmware);
  m_server.set_response("/moved", LoopbackResponse{302, "<html>moved</html>", "text/html",
                                                   m_server.base_url() + "Y350R.img"});
  m_server.set_response("/missing", LoopbackResponse{404, "<html>not found</html>", "text/html", ""});
  LoopbackResponse cut{200, firmware, "application/octet-stream", ""};
  cut.cut_after = 20000;
  m_server.set_response("/cut", cut);

  struct Case {
    const char* name;
    std::string url;
    bool complete;
    std::string delivered;
  };
  const Case cases[] = {
      {"whole body", m_server.base_url() + "Y350R.img", true, firmware},
      {"redirect: the target's body only", m_server.url("/moved"), true, firmware},
      {"error page: nothing of it", m_server.url("/missing"), false, ""},
      {"cut body: its first part, then a failure", m_server.url("/cut"), false, firmware.substr(0, 20000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string delivered;
    const bool complete = platform::http_get_streamed(
        c.url, platform::HttpTimeout::idle(30s), CachePolicy::use_protocol_cache_policy, k_any_size,
        [&delivered](std::string_view block) {
          delivered.append(block);
          return true;
        });
    EXPECT_EQ(complete, c.complete);
    EXPECT_EQ(delivered.size(), c.delivered.size());
    EXPECT_TRUE(delivered == c.delivered);
  }

  // a sink that refuses a block ends the transfer as a failure
  int blocks = 0;
  EXPECT_FALSE(platform::http_get_streamed(m_server.base_url() + "Y350R.img", platform::HttpTimeout::idle(30s),
                                           CachePolicy::use_protocol_cache_policy, k_any_size,
                                           [&blocks](std::string_view) { return ++blocks < 1; }));
  EXPECT_EQ(blocks, 1);
}

TEST(HttpUrl, OnlyAbsoluteHttpAddressesWithoutBlanksAreValid) {
  struct Case {
    const char* url;
    bool valid;
  };
  const Case cases[] = {
      {"https://update.vexlink.example/fexobluetoothmanager/Y350R_v1.2.img", true},
      {"http://127.0.0.1:8080/fexobluetoothmanager/a%20b.img", true},
      {"https://update.vexlink.example/fexobluetoothmanager/Y350R v1.2.img", false},
      {"https://update.vexlink.example/fexobluetoothmanager/<script>", false},
      {"https://update.vexlink.example/fexobluetoothmanager/\xc3\xa9.img", false},
      {"https://update.vexlink.example/fexobluetoothmanager/a\tb", false},
      {"ftp://update.vexlink.example/fexobluetoothmanager/x", false},
      {"/fexobluetoothmanager/x", false},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(platform::valid_http_url(c.url), c.valid);
  }
}

class HttpPost : public HttpGet {};

TEST_F(HttpPost, SendsItsFormAndAnswersTheBodyOfASuccessfulAnswer) {
  m_server.set_response("/form", LoopbackResponse{200, "registered", "text/plain", ""});
  m_server.set_response("/refused", LoopbackResponse{403, "no", "text/plain", ""});
  const std::string form = "&bd=00%3A02&os=3";
  EXPECT_EQ(platform::http_post_form(m_server.url("/form?"), form, 15s, k_any_size), "registered");
  EXPECT_EQ(platform::http_post_form(m_server.url("/refused"), form, 15s, k_any_size), std::nullopt);
  EXPECT_EQ(platform::http_post_form(m_server.url("/form"), form, 15s, 5), std::nullopt) << "over the limit";
  EXPECT_EQ(platform::http_post_form(m_server.url("/form"), "", 15s, k_any_size), "registered");

  const auto requests = m_server.requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].path, "/form");
  EXPECT_EQ(requests[0].target, "/form?");
  EXPECT_EQ(requests[0].body, form);
  EXPECT_EQ(requests[0].header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(requests[0].header("Content-Length"), std::to_string(form.size()));
  EXPECT_EQ(requests[3].body, "");
  EXPECT_EQ(requests[3].header("Content-Length"), "0");

  // a stop requested before the request: nothing is sent
  std::atomic<bool> stop{true};
  EXPECT_EQ(platform::http_post_form(m_server.url("/form"), form, 15s, k_any_size, &stop), std::nullopt);
  EXPECT_EQ(m_server.requests().size(), 4u);
}

TEST(HttpGetTrust, AServerWithAnUntrustedCertificateGivesNoData) {
  test_support::LoopbackServer server;
  server.set_file("Software", "x");
  // no ScopedServerEnvironment: the system's authorities do not know this certificate
  EXPECT_EQ(
      platform::http_get(server.base_url() + "Software", 15s, CachePolicy::use_protocol_cache_policy, k_any_size),
      std::nullopt);
  EXPECT_EQ(server.request_count("/fexobluetoothmanager/Software"), 0);
}

}  // namespace
