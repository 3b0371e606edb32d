// The camera commands of a simulated action camera and its memory card: the
// card appears as a mounted volume after its delay and vanishes at the off,
// the camera installs what was copied, and the card's faults act on the files
// the host moves onto it or reads back.
#include "sim/models/camera_commands_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/volumes.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "support/hid_device_fixture.h"

namespace {

using namespace std::chrono_literals;
using test_support::long_request;

class CameraCommandsModelTest : public test_support::HidDeviceFixture {
 protected:
  std::shared_ptr<sim::HidModel> open_camera(sim::CameraCommandsOptions camera) {
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.product_id = 0x6010;
    options.camera = std::move(camera);
    return open(options);
  }
  // The disk state the camera answers, or -1 when the query fails.
  int state() { return exchange(long_request(0x22)) == 1 ? m_reply[3] : -1; }
  static bool listed(const sim::CameraDisk& disk) {
    const std::vector<platform::Volume> volumes = platform::mounted_volumes();
    return std::any_of(volumes.begin(), volumes.end(),
                       [&](const platform::Volume& volume) { return volume.mount_point == disk.folder(); });
  }
};

TEST_F(CameraCommandsModelTest, TheCardComesWithTheDiskAndTheCameraInstallsWhatWasCopied) {
  sim::CameraCommandsOptions camera;
  camera.version_file = "MISC/version.conf";
  camera.firmware_file = "AmbaSysFW_DK3Pro.bin";
  camera.mount_delays = {3s, std::nullopt};
  auto device = open_camera(camera);
  sim::CameraDisk& disk = device->camera()->disk();
  EXPECT_EQ(disk.read_text("MISC/version.conf"), "1.0");

  EXPECT_EQ(state(), 0);
  EXPECT_FALSE(listed(disk));
  ASSERT_EQ(exchange(long_request(0x20)), 1);
  EXPECT_EQ(state(), 1) << "the state follows at once";
  clock().advance(2999ms);
  EXPECT_FALSE(listed(disk));
  clock().advance(1ms);
  EXPECT_TRUE(listed(disk)) << "the card after its delay";

  // the host copies; at the off the camera installs it
  disk.write("AmbaSysFW_DK3Pro.bin", std::string("firmware"));
  ASSERT_EQ(exchange(long_request(0x21)), 1);
  EXPECT_EQ(state(), 0);
  EXPECT_FALSE(listed(disk));
  EXPECT_EQ(device->camera()->installations(), 1);
  EXPECT_EQ(disk.files(), std::vector<std::string>{"MISC/version.conf"});
  EXPECT_EQ(disk.read_text("MISC/version.conf"), "2.1");

  // the second on: this card never comes
  ASSERT_EQ(exchange(long_request(0x20)), 1);
  clock().advance(600s);
  EXPECT_FALSE(listed(disk));
  ASSERT_EQ(exchange(long_request(0x21)), 1);
  EXPECT_EQ(device->camera()->installations(), 1) << "nothing new to install";
  EXPECT_EQ(device->camera()->commands(), (std::vector<std::uint8_t>{0x22, 0x20, 0x22, 0x21, 0x22, 0x20, 0x21}));
  device->take_received();
}

TEST_F(CameraCommandsModelTest, ACameraThatInstallsWithItsDiskOnTurnsItOffItself) {
  sim::CameraCommandsOptions camera;
  camera.turns_off_after_install = 40s;
  camera.mount_delays = {0ms};
  auto device = open_camera(camera);
  sim::CameraDisk& disk = device->camera()->disk();
  ASSERT_EQ(exchange(long_request(0x20)), 1);
  disk.write("FWCARCAM.bin", std::string("firmware"));
  ASSERT_EQ(exchange(long_request(0x21)), 1);
  ASSERT_EQ(exchange(long_request(0x20)), 1);
  EXPECT_TRUE(listed(disk));
  clock().advance(39s);
  EXPECT_EQ(state(), 1);
  clock().advance(1s);
  EXPECT_EQ(state(), 0);
  EXPECT_FALSE(listed(disk));
  ASSERT_EQ(exchange(long_request(0x21)), 1);
  ASSERT_EQ(exchange(long_request(0x20)), 1);
  clock().advance(100s);
  EXPECT_EQ(state(), 1) << "only once after an installation";
  device->take_received();
}

TEST_F(CameraCommandsModelTest, FaultsOfTheCommandsAndTheCard) {
  sim::CameraCommandsOptions camera;
  camera.mount_delays = {0ms};
  camera.failing_commands[0x20] = {2};
  camera.failing_commands[0x21] = {};
  camera.failing_state_queries = {2};
  camera.state_answers = {{3, 7}};
  camera.disk_faults.shortens_moved_file = true;
  camera.disk_faults.grows_after_read = true;
  auto device = open_camera(camera);
  sim::CameraDisk& disk = device->camera()->disk();

  EXPECT_EQ(exchange(long_request(0x20)), 1);
  EXPECT_NE(exchange(long_request(0x20)), 1) << "the second on";
  EXPECT_NE(exchange(long_request(0x21)), 1) << "every off";
  EXPECT_NE(exchange(long_request(0x21)), 1);
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(state(), -1);
  EXPECT_EQ(state(), 7);
  EXPECT_EQ(state(), 1);

  // the host's file operations on the card
  const auto file = disk.folder() / "moved.bin";
  ASSERT_TRUE(platform::create_file(disk.folder() / "written.bin", std::vector<std::uint8_t>{1, 2, 3, 4}));
  ASSERT_TRUE(platform::move_file(disk.folder() / "written.bin", file));
  EXPECT_EQ(platform::file_size(file), 3u) << "shortened by the card";
  std::array<std::uint8_t, 1024> buffer{};
  EXPECT_EQ(platform::read_file_in_blocks(file, buffer, [](std::span<const std::uint8_t>) {}),
            platform::BlockReading::done);
  EXPECT_EQ(platform::file_size(file), 4u) << "grown once read";
  device->take_received();
}

TEST_F(CameraCommandsModelTest, TheCardIsGoneWithItsCamera) {
  std::filesystem::path folder;
  {
    sim::CameraDisk disk;
    folder = disk.folder();
    disk.write("VT4.VER", std::string("1.0"));
    disk.mount();
    EXPECT_TRUE(listed(disk));
  }
  const std::vector<platform::Volume> volumes = platform::published_volumes();
  EXPECT_TRUE(std::none_of(volumes.begin(), volumes.end(),
                           [&](const platform::Volume& volume) { return volume.mount_point == folder; }));
  EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
