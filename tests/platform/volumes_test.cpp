#include "platform/volumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"

namespace {

// Sets or clears VEXLINK_VOLUMES for one test and puts the old value back.
class VolumesEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("VEXLINK_VOLUMES")) m_old = old;
  }
  void TearDown() override {
    if (m_old) {
      ::setenv("VEXLINK_VOLUMES", m_old->c_str(), 1);
    } else {
      ::unsetenv("VEXLINK_VOLUMES");
    }
  }
  std::optional<std::string> m_old;
};

TEST_F(VolumesEnvironment, ListedMountPointsReplaceTheSystemList) {
  struct Case { const char* name; const char* list; std::vector<std::string> mount_points; };
  const Case cases[] = {
      {"two folders in order", "/tmp/cam b:/tmp/cam a", {"/tmp/cam b", "/tmp/cam a"}},
      {"empty entries are skipped", "::/media/VT4::", {"/media/VT4"}},
      {"empty list", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ::setenv("VEXLINK_VOLUMES", c.list, 1);
    const std::vector<platform::Volume> volumes = platform::mounted_volumes();
    ASSERT_EQ(volumes.size(), c.mount_points.size());
    for (size_t i = 0; i < volumes.size(); ++i) {
      EXPECT_EQ(volumes[i].mount_point, c.mount_points[i]);
      EXPECT_TRUE(volumes[i].removable);
      EXPECT_TRUE(volumes[i].writable);
      EXPECT_TRUE(volumes[i].unmountable);
    }
  }
}

TEST_F(VolumesEnvironment, SystemListNeverOffersTheRootFileSystem) {
  ::unsetenv("VEXLINK_VOLUMES");
  const std::vector<platform::Volume> volumes = platform::mounted_volumes();
  const auto root = std::find_if(volumes.begin(), volumes.end(),
                                 [](const platform::Volume& volume) { return volume.mount_point == "/"; });
  ASSERT_NE(root, volumes.end());
  EXPECT_FALSE(root->unmountable);
  for (const platform::Volume& volume : volumes) {
    SCOPED_TRACE(volume.mount_point.string());
    EXPECT_FALSE(volume.mount_point.empty());
    // kernel file systems are never removable media
    if (volume.mount_point == "/proc" || volume.mount_point == "/sys") {
      EXPECT_FALSE(volume.removable);
    }
  }
}

}  // namespace

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::vector<std::string> published_mount_points() {
  std::vector<std::string> points;
  for (const platform::Volume& volume : platform::published_volumes()) points.push_back(volume.mount_point.string());
  return points;
}

TEST_F(VolumesEnvironment, PublishedVolumesFollowTheListAndTheClock) {
  platform::ScopedVirtualClock clock;
  ::setenv("VEXLINK_VOLUMES", "/media/static", 1);
  const platform::Clock::time_point start = platform::now();
  platform::publish_volume({{"/tmp/card a", true, true, true}, start, std::nullopt, {}});
  platform::publish_volume({{"/tmp/card b", true, false, true}, start + 5s, start + 10s, {}});

  std::vector<platform::Volume> volumes = platform::mounted_volumes();
  ASSERT_EQ(volumes.size(), 2u);
  EXPECT_EQ(volumes[0].mount_point, "/media/static");
  EXPECT_EQ(volumes[1].mount_point, "/tmp/card a");
  clock->advance(5s);
  EXPECT_EQ(published_mount_points(), (std::vector<std::string>{"/tmp/card a", "/tmp/card b"}));
  EXPECT_FALSE(platform::mounted_volumes()[2].writable) << "published as it is";
  clock->advance(5s);
  EXPECT_EQ(published_mount_points(), std::vector<std::string>{"/tmp/card a"}) << "gone at its end";

  // publishing again replaces; withdrawing removes
  platform::publish_volume({{"/tmp/card a", false, true, true}, start, std::nullopt, {}});
  ASSERT_EQ(platform::published_volumes().size(), 1u);
  EXPECT_FALSE(platform::published_volumes()[0].removable);
  platform::withdraw_volume("/tmp/card a");
  platform::withdraw_volume("/tmp/card b");
  platform::withdraw_volume("/tmp/never published");
  EXPECT_TRUE(platform::published_volumes().empty());
}

TEST_F(VolumesEnvironment, TheObserverHearsOfFilesOnItsListedVolumeOnly) {
  platform::ScopedVirtualClock clock;
  std::vector<std::string> heard;
  const auto observer = [&heard](platform::VolumeFileEvent event, const fs::path& file) {
    heard.push_back((event == platform::VolumeFileEvent::moved_in ? "moved " : "read ") + file.string());
  };
  platform::publish_volume({{"/tmp/card", true, true, true}, platform::now(), std::nullopt, observer});
  platform::publish_volume({{"/tmp/later", true, true, true}, platform::now() + 1s, std::nullopt, observer});
  platform::notify_volume_file_event(platform::VolumeFileEvent::moved_in, "/tmp/card/FW.bin");
  platform::notify_volume_file_event(platform::VolumeFileEvent::read_to_end, "/tmp/card/MISC/version.conf");
  platform::notify_volume_file_event(platform::VolumeFileEvent::moved_in, "/tmp/cardboard/FW.bin");
  platform::notify_volume_file_event(platform::VolumeFileEvent::moved_in, "/tmp/card");
  platform::notify_volume_file_event(platform::VolumeFileEvent::moved_in, "/tmp/later/FW.bin");
  EXPECT_EQ(heard, (std::vector<std::string>{"moved /tmp/card/FW.bin", "read /tmp/card/MISC/version.conf"}));
  platform::withdraw_volume("/tmp/card");
  platform::withdraw_volume("/tmp/later");
}

TEST_F(VolumesEnvironment, VolumesComeAndGoWhileAnotherThreadLists) {
  ::setenv("VEXLINK_VOLUMES", "", 1);
  std::atomic<bool> done{false};
  std::thread lister([&done] {
    while (!done.load()) {
      for (const platform::Volume& volume : platform::mounted_volumes()) EXPECT_EQ(volume.mount_point, "/tmp/coming");
    }
  });
  for (int i = 0; i < 2000; ++i) {
    platform::publish_volume({{"/tmp/coming", true, true, true}, {}, std::nullopt, {}});
    platform::withdraw_volume("/tmp/coming");
  }
  done = true;
  lister.join();
}

}  // namespace
