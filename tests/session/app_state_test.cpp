#include "session/app_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/time_zone.h"

using session::AppState;

namespace {

struct TabCase {
  const char* name;
  int product;
  int major, minor, fm;
  std::vector<int> tabs;
};

std::vector<int> tabs_of(int product, int major, int minor, int fm) {
  int count = -1, tabs[3] = {9, 9, 9}, index = -1;
  AppState::SetTabDataInTabCount_tabs_tabIndexSelected_toDevice_withVerMajor_Minor_fmRadioShowAndHide(
      count, tabs, index, product, major, minor, fm);
  EXPECT_EQ(index, 0);
  for (int i = count; i < 3; ++i) EXPECT_EQ(tabs[i], 0) << "unused kinds are cleared";
  return std::vector<int>(tabs, tabs + count);
}

}  // namespace

TEST(SettingsTabs, OneRowPerProductFamilyVersionAndFmFlag) {
  const TabCase cases[] = {
      {"settings only", 0x2010, 1, 0, 3, {1}},
      {"settings and speed dial", 0x6020, 1, 0, 3, {1, 2}},
      {"speed dial only", 0x4111, 1, 0, 3, {2}},
      {"all three", 0x3030, 1, 0, 3, {1, 2, 3}},
      {"FM family with FM", 0x4210, 1, 0, 3, {1, 2, 3}},
      {"FM family, flag 0 counts as shown", 0x4210, 1, 0, 0, {1, 2, 3}},
      {"FM family without FM", 0x4210, 1, 0, 4, {1, 2}},
      {"second page with FM", 0x3070, 1, 0, 3, {1, 3}},
      {"second page without FM", 0x3070, 1, 0, 4, {1}},
      {"settings and second", 0x5560, 1, 0, 4, {1, 3}},
      {"speed dial after 4.2: at 4.2", 0x4D10, 4, 2, 3, {1}},
      {"speed dial after 4.2: at 4.3", 0x4D10, 4, 3, 3, {1, 2}},
      {"speed dial after 4.2: at 5.0", 0x5010, 5, 0, 3, {1, 2}},
      {"speed dial after 1.2: at 1.2", 0x4D05, 1, 2, 3, {1}},
      {"speed dial after 1.2: at 1.10", 0x4D35, 1, 10, 3, {1, 2}},
      {"all three after 4.2: at 4.2", 0x5040, 4, 2, 3, {1, 3}},
      {"all three after 4.2: at 4.3", 0x5050, 4, 3, 3, {1, 2, 3}},
      {"all three after 1.2: at 1.1", 0x4D15, 1, 1, 3, {1, 3}},
      {"all three after 1.2: at 2.0", 0x4D65, 2, 0, 3, {1, 2, 3}},
      {"settings-less camera", 0x3020, 1, 0, 3, {}},
      {"unknown id", 0x1234, 1, 0, 3, {}},
  };
  for (const TabCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(tabs_of(c.product, c.major, c.minor, c.fm), c.tabs);
  }
}

TEST(SettingsTabs, TabIndexOfAPageLooksOnlyAtTheCountedTabs) {
  AppState state;
  state.setTab_At(1, 0);
  state.setTab_At(2, 1);
  state.setTab_At(3, 2);
  state.setTabCount(3);
  EXPECT_EQ(state.GetTabIndexWith(8), 2);
  EXPECT_EQ(state.GetTabIndexWith(9), 1);
  EXPECT_EQ(state.GetTabIndexWith(7), 0);
  EXPECT_EQ(state.GetTabIndexWith(6), -1);
  state.setTabCount(2);
  EXPECT_EQ(state.GetTabIndexWith(8), -1);
  state.setTabCount(0);
  EXPECT_EQ(state.GetTabIndexWith(7), -1);

  state.setListTabsOpened(true);
  state.setTabIndexSelected(2);
  state.initTabData();
  EXPECT_EQ(state.tabCount(), 0);
  EXPECT_EQ(state.tabAt(0), 0);
  EXPECT_EQ(state.tabIndexSelected(), 0);
  EXPECT_FALSE(state.listTabsOpened());
}

TEST(AppState, OutOfRangeIndexesReadZeroAndWritesAreIgnored) {
  AppState state;
  state.setTab_At(2, 1);
  for (int index : {-1, 3, 1000}) {
    SCOPED_TRACE(index);
    state.setTab_At(7, index);
    EXPECT_EQ(state.tabAt(index), 0);
  }
  EXPECT_EQ(state.tabAt(0), 0);
  EXPECT_EQ(state.tabAt(1), 2);
  EXPECT_EQ(state.tabAt(2), 0);

  state.setStrStatus_In("twelve", 12);
  state.setStrStatus_In("thirteen", 13);
  state.setStrStatus_In("minus one", -1);
  EXPECT_EQ(state.strStatusAt(12), "twelve");
  EXPECT_EQ(state.strStatusAt(13), std::nullopt);
  EXPECT_EQ(state.strStatusAt(-1), std::nullopt);
}

TEST(AppState, StatusOfTheInterfaceLanguageAndUnfilledLanguagesAreEmpty) {
  AppState state;
  state.setStrStatus_In("Ready", 0);
  state.setStrStatus_In("Prêt", 1);
  EXPECT_EQ(state.getStrStatus(), "Ready");
  state.setLanguageManager(1);
  EXPECT_EQ(state.getStrStatus(), "Prêt");
  state.setLanguageManager(6);
  EXPECT_EQ(state.getStrStatus(), "");
}

TEST(AppState, WorkerTextsAreVisibleOnceItsResultIs) {
  // a worker writes its 13 texts and flags first and its result last; a
  // reader that sees the result sees everything written before it
  for (int round = 0; round < 50; ++round) {
    AppState state;
    std::thread worker([&state, round] {
      for (int language = 0; language < 13; ++language) {
        state.setStrStatus_In("text " + std::to_string(round) + "/" + std::to_string(language), language);
      }
      state.setFmRadioShowAndHide(4);
      state.setUsbStatus(0x6020);
      state.setDeviceUpdatedOrRestored(0x6020);
    });
    while (state.deviceUpdatedOrRestored() == 0) std::this_thread::yield();
    EXPECT_EQ(state.strStatusAt(12), "text " + std::to_string(round) + "/12");
    EXPECT_EQ(state.fmRadioShowAndHide(), 4);
    EXPECT_EQ(state.usbStatus(), 0x6020);
    worker.join();
  }
}

TEST(AppState, TargetPairsCountOneWayOnly) {
  struct Case { int recognized; int target; bool same; };
  const Case cases[] = {
      {0x6020, 0x6020, true}, {0x4D35, 0x4D05, true}, {0x4D55, 0x4D05, true}, {0x4D05, 0x4D35, false},
      {0x4D45, 0x4D15, true}, {0x4D65, 0x4D15, true}, {0x4D30, 0x4D10, true}, {0x4D40, 0x4D10, true},
      {0x5050, 0x5040, true}, {0x5060, 0x5010, true}, {0x5061, 0x5010, true}, {0x5070, 0x5020, true},
      {0x5080, 0x5030, true}, {0x5080, 0x5020, false}, {0x4D35, 0x4D15, false},
  };
  AppState state;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.recognized) + " vs " + std::to_string(c.target));
    state.setDeviceTarget(c.target);
    EXPECT_EQ(state.isDeviceTargetSameAs(c.recognized), c.same);
  }
}

TEST(AppState, NewManagerUpdateOnlyForANewerPublishedVersion) {
  struct Case { int major, minor, secondary; bool newer; };
  const Case cases[] = {{1, 4, 0, false}, {1, 4, 1, true}, {1, 5, 0, true}, {0, 9, 9, false},
                        {2, 0, 0, true},  {1, 3, 9, false}, {0, 0, 0, false}};
  AppState state;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor) + "." + std::to_string(c.secondary));
    state.setManagerLatestVersionMajor(c.major);
    state.setManagerLatestVersionMinor(c.minor);
    state.setManagerLatestVersionSecondary(c.secondary);
    EXPECT_EQ(state.haveNewManagerUpdate(), c.newer);
  }
}

TEST(AppState, ChinaServerByTimeZone) {
  struct Case { const char* zone; int china; };
  const Case cases[] = {{"Asia/Shanghai", 1}, {"Asia/Harbin", 1},  {"Asia/Chongqing", 1}, {"Asia/Kashgar", 1},
                        {"Asia/Urumqi", 1},   {"Asia/Taipei", 0},  {"Europe/Berlin", 0},  {"UTC", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    platform::override_time_zone_name(std::string(c.zone));
    EXPECT_EQ(AppState::is_china_server(), c.china);
  }
  platform::override_time_zone_name(std::nullopt);
}

TEST(AppState, RestartDfuNeedsANonEmptyFileName) {
  AppState state;
  EXPECT_FALSE(state.isRestartDFU());
  state.setStrRestartDFUFirmwareFile(std::string());
  EXPECT_FALSE(state.isRestartDFU());
  state.setStrRestartDFUFirmwareFile(std::string("fw.img"));
  EXPECT_TRUE(state.isRestartDFU());
}

TEST(AppState, OsVersionComparison) {
  AppState state;
  EXPECT_EQ(state.compareOsVersionWithVersionPrimary_VersionSecondary(10, 9), 0);
  EXPECT_EQ(state.compareOsVersionWithVersionPrimary_VersionSecondary(10, 7), 2);
  EXPECT_LT(state.compareOsVersionWithVersionPrimary_VersionSecondary(10, 10), 0);
  EXPECT_EQ(state.compareOsVersionWithVersionPrimary_VersionSecondary(11, 0), -91);
}

class CameraDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vx-volumes-XXXXXX";
    m_root = ::mkdtemp(pattern);
  }
  void TearDown() override {
    ::unsetenv("VEXLINK_VOLUMES");
    std::filesystem::remove_all(m_root);
  }
  std::filesystem::path volume(const char* name, const char* marker) {
    std::filesystem::path path = m_root / name;
    std::filesystem::create_directories(path);
    if (marker) {
      std::filesystem::create_directories((path / marker).parent_path());
      std::ofstream(path / marker) << "1";
    }
    return path;
  }
  std::filesystem::path m_root;
};

TEST_F(CameraDisk, FirstVolumeWithTheTargetsMarkerFile) {
  const std::filesystem::path empty = volume("empty", nullptr);
  const std::filesystem::path camera = volume("camera", "MISC/version.conf");
  const std::filesystem::path optra = volume("optra", "optra.bin");
  ::setenv("VEXLINK_VOLUMES", (empty.string() + ":" + camera.string() + ":" + optra.string()).c_str(), 1);

  AppState state;
  struct Case { int target; std::optional<std::string> path; };
  const Case cases[] = {
      {0x3060, camera.string() + "/"}, {0x5576, camera.string() + "/"}, {0x3020, optra.string() + "/"},
      {0x3040, std::nullopt},          {0x6020, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    state.setDeviceTarget(c.target);
    EXPECT_EQ(state.getCameraDiskPath(), c.path);
  }
}
