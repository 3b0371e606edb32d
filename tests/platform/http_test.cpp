#include "platform/http.h"

#include <gtest/gtest.h>

#include "support/loopback_server.h"

namespace {

using namespace std::chrono_literals;
using platform::CachePolicy;
using test_support::LoopbackResponse;

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
    EXPECT_EQ(platform::http_get(c.url, 15s, CachePolicy::use_protocol_cache_policy), c.body);
  }
}

TEST_F(HttpGet, ReloadPolicyAsksCachesForAFreshCopy) {
  m_server.set_file("Software", "x");
  ASSERT_TRUE(platform::http_get(m_server.base_url() + "Software", 15s,
                                 CachePolicy::reload_ignoring_local_and_remote_cache_data));
  ASSERT_TRUE(platform::http_get(m_server.base_url() + "Software", 15s, CachePolicy::use_protocol_cache_policy));
  const auto requests = m_server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].header("Cache-Control"), "no-cache");
  EXPECT_EQ(requests[0].header("Pragma"), "no-cache");
  EXPECT_EQ(requests[1].header("Cache-Control"), "");
  EXPECT_EQ(requests[1].header("Pragma"), "");
}

TEST(HttpGetTrust, AServerWithAnUntrustedCertificateGivesNoData) {
  test_support::LoopbackServer server;
  server.set_file("Software", "x");
  // no ScopedServerEnvironment: the system's authorities do not know this certificate
  EXPECT_EQ(platform::http_get(server.base_url() + "Software", 15s, CachePolicy::use_protocol_cache_policy),
            std::nullopt);
  EXPECT_EQ(server.request_count("/fexobluetoothmanager/Software"), 0);
}

}  // namespace
