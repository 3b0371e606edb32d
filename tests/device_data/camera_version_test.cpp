#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "device_data/camera_volume.h"

namespace {

TEST(CameraVersionTest, TheVersionFileTextReadsAsMajorAndMinor) {
  struct Case {
    std::string text;
    int major;
    int minor;
  };
  const Case cases[] = {
      {"2.1", 2, 1},
      {"2.10", 2, 10},
      {"2", 2, 0},
      {"2.1\n", 2, 1},
      {"2.1.7", 2, 1},
      {"", 0, 0},
      {".", 0, 0},
      {"v2.1", 0, 1},
      {" 3. 4", 3, 4},
      {"-1.+5", -1, 5},
      {"03.009", 3, 9},
      {"1.2beta", 1, 2},
      {"99999999999999999999.-99999999999999999999", INT_MAX, INT_MIN},
      {std::string("4\0.5", 4), 4, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const device_data::CameraVersion version = device_data::camera_version_from_text(c.text);
    EXPECT_EQ(version.major, c.major);
    EXPECT_EQ(version.minor, c.minor);
  }
}

}  // namespace
