#include "platform/volumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

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
