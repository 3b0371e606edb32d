// The download off the main thread against the loopback server: what reaches
// the main thread, in which order, and what never does.
#include "platform/download.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <string>
#include <vector>

#include "platform/main_queue.h"
#include "platform/main_queue_qt.h"
#include "support/loopback_server.h"
#include "support/qt_wait.h"

namespace {

using namespace std::chrono_literals;
using platform::CachePolicy;
using platform::HttpTimeout;
using test_support::LoopbackResponse;

constexpr std::size_t k_limit = 4 << 20;

class DownloadTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::install_qt_main_dispatcher(); }
  void TearDown() override { platform::install_main_dispatcher(nullptr, nullptr); }

  // Records the callbacks as they reach the main thread: "data", "finished", "failed".
  platform::Download::Delegate recorder() {
    return {[this](std::string_view block) {
              note("data");
              m_body.append(block);
            },
            [this] { note("finished"); }, [this] { note("failed"); }};
  }
  void note(const char* event) {
    m_on_main = m_on_main && QThread::currentThread() == QCoreApplication::instance()->thread();
    if (m_events.empty() || m_events.back() != event) m_events.push_back(event);
  }
  bool ended() const {
    return !m_events.empty() && (m_events.back() == "finished" || m_events.back() == "failed");
  }

  test_support::LoopbackServer m_server;
  test_support::ScopedServerEnvironment m_environment{m_server};
  std::vector<std::string> m_events;  // consecutive repeats kept once
  std::string m_body;
  bool m_on_main = true;
};

TEST_F(DownloadTest, TheBodyArrivesOnTheMainThreadThenTheEnd) {
  std::string firmware(1 << 20, '\0');
  for (std::size_t i = 0; i < firmware.size(); ++i) firmware[i] = static_cast<char>(i * 7 + i / 251);
  m_server.set_file("Y350R_v1.2.img", firmware);
  m_server.set_response("/moved", LoopbackResponse{302, "<html>moved</html>", "text/html",
                                                   m_server.base_url() + "Y350R_v1.2.img"});
  for (const std::string path : {"/fexobluetoothmanager/Y350R_v1.2.img", "/moved"}) {
    SCOPED_TRACE(path);
    m_events.clear();
    m_body.clear();
    platform::Download download;
    download.start(m_server.url(path), HttpTimeout::idle(30s), CachePolicy::use_protocol_cache_policy, k_limit,
                   recorder());
    VX_TRY_VERIFY(ended());
    EXPECT_EQ(m_events, (std::vector<std::string>{"data", "finished"}));
    EXPECT_EQ(m_body.size(), firmware.size());
    EXPECT_TRUE(m_body == firmware);
    EXPECT_TRUE(m_on_main);
  }
}

TEST_F(DownloadTest, EveryFailureEndsAsAFailureWithNothingOfAnErrorPage) {
  const std::string firmware(100000, 'F');
  m_server.set_response("/missing", LoopbackResponse{404, "<html>not found</html>", "text/html", ""});
  LoopbackResponse cut{200, firmware, "application/octet-stream", ""};
  cut.cut_after = 30000;
  m_server.set_response("/cut", cut);
  LoopbackResponse stalled{200, firmware, "application/octet-stream", ""};
  stalled.stall_after = 0;
  m_server.set_response("/stalled", stalled);
  m_server.set_response("/large", LoopbackResponse{200, std::string(k_limit + 1, 'L'), "text/plain", ""});

  struct Case {
    const char* name;
    std::string url;
    std::vector<std::string> events;
    std::size_t bytes;
  };
  const Case cases[] = {
      {"404", m_server.url("/missing"), {"failed"}, 0},
      {"cut short", m_server.url("/cut"), {"data", "failed"}, 30000},
      {"stalled after the headers", m_server.url("/stalled"), {"failed"}, 0},
      {"over the limit", m_server.url("/large"), {"failed"}, 0},
      {"refused", "https://127.0.0.1:1/fexobluetoothmanager/x", {"failed"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_events.clear();
    m_body.clear();
    platform::Download download;
    download.start(c.url, HttpTimeout::idle(1s), CachePolicy::use_protocol_cache_policy, k_limit, recorder());
    VX_TRY_VERIFY(ended());
    EXPECT_EQ(m_events, c.events);
    EXPECT_EQ(m_body.size(), c.bytes);
  }
}

TEST_F(DownloadTest, NothingArrivesAfterACancel) {
  LoopbackResponse slow{200, std::string(8 * 16384, 's'), "text/plain", "", true};
  slow.chunk_interval = 200ms;
  m_server.set_response("/slow", slow);
  platform::Download download;
  download.start(m_server.url("/slow"), HttpTimeout::idle(30s), CachePolicy::use_protocol_cache_policy, k_limit,
                 recorder());
  VX_TRY_VERIFY(!m_body.empty());
  download.cancel();
  const std::size_t bytes = m_body.size();
  const std::vector<std::string> events = m_events;
  // every block already queued is dropped too
  QTest::qWait(500);
  EXPECT_EQ(m_body.size(), bytes);
  EXPECT_EQ(m_events, events);
  EXPECT_EQ(m_events, std::vector<std::string>{"data"});
}

}  // namespace
