#include "recognition/manager_update_check.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "support/loopback_server.h"

namespace {

using platform::CachePolicy;

class ManagerUpdateCheckTest : public ::testing::Test {
 protected:
  // Runs one check to its end against the loopback server.
  bool check(CachePolicy policy = CachePolicy::reload_ignoring_local_and_remote_cache_data) {
    recognition::ManagerUpdateCheck check(m_controller, policy);
    std::atomic<bool> checked_this_run{false};
    EXPECT_TRUE(check.start(checked_this_run));
    check.join();
    EXPECT_TRUE(check.threadTerminated());
    return check.goManagerUpdate();
  }

  test_support::LoopbackServer m_server;
  test_support::ScopedServerEnvironment m_environment{m_server};
  session::AppState m_controller;
};

TEST_F(ManagerUpdateCheckTest, ReadsTheFirstEntryOfTheSoftwareList) {
  const std::string entry = recognition::k_manager_entry_name;
  struct Case {
    const char* name;
    std::string list;
    bool offer;
    int major, minor, secondary;
    std::string file;  // "" when no address is set
  };
  const std::vector<Case> cases = {
      {"1.4 alone offers nothing", entry + ":v1.4:Setwise_1.4.tar.gz\r\nOther:1\r\n", false, 1, 4, 0,
       "Setwise_1.4.tar.gz"},
      {"1.4 with secondary 2 after it", entry + ":v1.4:S.tgz\r\n" + entry + ":2\r\n", true, 1, 4, 2, "S.tgz"},
      {"secondary before the version line", entry + ":3\r\nX:y:z\r\n" + entry + ":v1.4:S.tgz\r\n", true, 1, 4, 3,
       "S.tgz"},
      {"secondary two lines after does not count",
       entry + ":v1.4:S.tgz\r\nX:v9.9:z\r\n" + entry + ":2\r\n", false, 1, 4, 0, "S.tgz"},
      {"1.10 is newer than 1.4", "Other:v3.0:o.tgz\r\n" + entry + ":v1.10:S.tgz\r\n", true, 1, 10, 0, "S.tgz"},
      {"2.0 with lines split by LF", "Header\n" + entry + ":v2.0:S2.tgz\n", true, 2, 0, 0, "S2.tgz"},
      {"only the first version line counts", entry + ":v1.3:a.tgz\r\n" + entry + ":v1.9:b.tgz\r\n", false, 1, 3, 0,
       "a.tgz"},
      {"four fields are no entry", entry + ":v1.9:S.tgz:extra\r\nX\r\n", false, 1, 4, 0, ""},
      {"a version that does not parse", entry + ":v1.9.1:S.tgz\r\nX\r\n", false, 0, 0, 0, "S.tgz"},
      {"not ASCII", entry + ":v1.9:S\xC3\xA9.tgz\r\nX\r\n", false, 1, 4, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_controller.setUrlManagerUpdate(std::nullopt);
    m_server.set_file("Software", c.list);
    EXPECT_EQ(check(), c.offer);
    EXPECT_EQ(m_controller.managerLatestVersionMajor(), c.major);
    EXPECT_EQ(m_controller.managerLatestVersionMinor(), c.minor);
    EXPECT_EQ(m_controller.managerLatestVersionSecondary(), c.secondary);
    if (c.file.empty()) {
      EXPECT_EQ(m_controller.urlManagerUpdate(), std::nullopt);
    } else {
      EXPECT_EQ(m_controller.urlManagerUpdate(), m_server.base_url() + c.file);
    }
  }
}

TEST_F(ManagerUpdateCheckTest, AListOverOneMebibyteIsNotRead) {
  const std::string entry = std::string(recognition::k_manager_entry_name) + ":v1.5:S.tgz\r\n";
  const std::string padding = "Other:1\r\n";
  std::string list = entry;
  while (list.size() + padding.size() <= recognition::k_max_manager_version_list_bytes) list += padding;
  m_server.set_file("Software", list);
  EXPECT_TRUE(check()) << "a list of " << list.size() << " bytes is read";
  list += padding;
  m_server.set_file("Software", list);
  EXPECT_FALSE(check()) << "a list of " << list.size() << " bytes is refused";
  EXPECT_EQ(m_controller.managerLatestVersionMinor(), 4);
}

// Peak resident memory of this process, in KiB.
long peak_memory_kib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(ManagerVersionList, AHostileListCostsNoMemoryBeyondItsText) {
  // 16 MiB of ":" would be 16 million empty fields, then the real entry
  const std::string list =
      std::string(16 << 20, ':') + "\n" + recognition::k_manager_entry_name + ":v1.5:S.tgz\n";
  session::AppState controller;
  const long before_kib = peak_memory_kib();
  recognition::read_manager_version_list(list, "https://server/", controller);
  EXPECT_LT(peak_memory_kib() - before_kib, 32 * 1024);
  EXPECT_EQ(controller.managerLatestVersionMajor(), 1);
  EXPECT_EQ(controller.managerLatestVersionMinor(), 5);
  EXPECT_EQ(controller.urlManagerUpdate(), "https://server/S.tgz");
}

TEST_F(ManagerUpdateCheckTest, NoListMeansNoOffer) {
  // the server has no "Software": 404
  EXPECT_FALSE(check());
  EXPECT_EQ(m_controller.managerLatestVersionMajor(), 1);
  EXPECT_EQ(m_controller.managerLatestVersionMinor(), 4);
  EXPECT_EQ(m_server.request_count("/fexobluetoothmanager/Software"), 1);
}

TEST_F(ManagerUpdateCheckTest, RunsOncePerRunAndPageClass) {
  m_server.set_file("Software", std::string(recognition::k_manager_entry_name) + ":v1.5:S.tgz\r\n");
  std::atomic<bool> selection_checked{false};
  {
    recognition::ManagerUpdateCheck first(m_controller, CachePolicy::reload_ignoring_local_and_remote_cache_data);
    ASSERT_TRUE(first.start(selection_checked));
    first.join();
    EXPECT_TRUE(first.goManagerUpdate());
  }
  recognition::ManagerUpdateCheck again(m_controller, CachePolicy::reload_ignoring_local_and_remote_cache_data);
  EXPECT_FALSE(again.start(selection_checked));
  EXPECT_FALSE(again.threadTerminated());
  EXPECT_EQ(m_server.request_count("/fexobluetoothmanager/Software"), 1);
  // the device selection page asks past every cache
  EXPECT_EQ(m_server.requests()[0].header("Cache-Control"), "no-cache");
  EXPECT_EQ(m_server.requests()[0].header("Pragma"), "no-cache");
}

}  // namespace
