// A Vexlink device plugged into a desktop without the udev rule: its hidraw
// and usbfs nodes stay root's with mode 0600, and the manager runs as the
// person at the screen. The opens fail for lack of permission, the console
// names the refused node and the missing rule, and a recognition still ends
// in its own failure text.
//
// The test runs as root in CI: the manager's side runs on a thread of its own
// whose user and group are nobody. Run by another user, the nodes get mode
// 0000 instead, which their owner cannot open either.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <usb.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "real_libraries/real_bus_fixture.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/hid_model.h"
#include "transport/bluecore_channel.h"
#include "transport/device_access.h"
#include "transport/dfu_requests.h"
#include "transport/hid_channel.h"
#include "transport/legacy_usb_open.h"
#include "transport/transport_message.h"

namespace {

constexpr unsigned k_nobody = 65534;

// Asked once, on the test's own thread: the user's thread is never root.
const bool g_root = geteuid() == 0;

// Raw system calls change the calling thread's credentials only (glibc's
// wrappers would change the whole process's). The saved ids stay root's, so
// the thread can take root back for a moment.
bool become(unsigned uid, unsigned gid) {
  return syscall(SYS_setresgid, -1, gid, -1) == 0 && syscall(SYS_setresuid, uid, uid, -1) == 0;
}

class AccessDeniedTest : public test_support::RealRecognitionFixture {
 protected:
  AccessDeniedTest() {
    // the testbed is root's folder; the person at the screen can see into /dev and /sys
    if (const char* testbed = std::getenv("UMOCKDEV_DIR"); testbed != nullptr && g_root) {
      m_testbed = testbed;
      chmod(m_testbed.c_str(), 0755);
    }
  }

  ~AccessDeniedTest() override {
    if (!m_testbed.empty()) chmod(m_testbed.c_str(), 0700);
  }

  // The nodes of the plugged-in devices as they are before the rule is installed.
  void keep_nodes_from_the_user() {
    for (const std::string& node : sim::umock::device_nodes()) {
      ASSERT_EQ(chmod(node.c_str(), m_closed_mode), 0) << node << ": " << std::strerror(errno);
      // umockdev's preload connects to the node's ioctl socket after every
      // open, a refused one too, and ends the program when it cannot
      if (!m_testbed.empty()) chmod((m_testbed + "/ioctl" + node).c_str(), 0666);
    }
  }

  // Runs `body` as the person at the screen and answers what the console showed.
  std::string as_user(const std::function<void()>& body) {
    testing::internal::CaptureStdout();
    std::thread user([&] {
      if (g_root && !become(k_nobody, k_nobody)) {
        ADD_FAILURE() << "cannot become nobody: " << std::strerror(errno);
        return;
      }
      body();
    });
    user.join();
    return testing::internal::GetCapturedStdout();
  }

  // Runs `body` on the user's thread with access to the nodes, as a scan of
  // the bus made a moment earlier would have had.
  void with_access(const std::function<void()>& body) {
    if (g_root) {
      ASSERT_EQ(syscall(SYS_setresuid, -1, 0, -1), 0);
      body();
      ASSERT_EQ(syscall(SYS_setresuid, -1, k_nobody, -1), 0);
      return;
    }
    for (const std::string& node : sim::umock::device_nodes()) chmod(node.c_str(), 0644);
    body();
    for (const std::string& node : sim::umock::device_nodes()) chmod(node.c_str(), m_closed_mode);
  }

  static std::string node_starting(const std::string& prefix) {
    for (const std::string& node : sim::umock::device_nodes()) {
      if (node.starts_with(prefix)) return node;
    }
    ADD_FAILURE() << "no node under " << prefix;
    return prefix;
  }

  static std::string refused_line(const std::string& node, const char* device) {
    return "No permission to open " + node + " (USB device " + device +
           "): the udev rule 70-vexlink-setwise.rules is not installed";
  }

 private:
  const mode_t m_closed_mode = g_root ? 0600 : 0000;
  std::string m_testbed;
};

// hidapi's open of the hidraw node fails: the HID open finds no device it
// may use, and the console says which node and why.
TEST_F(AccessDeniedTest, TheHidOpenNamesTheRefusedHidrawNode) {
  attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()));
  keep_nodes_from_the_user();
  const std::string hidraw = node_starting("/dev/hidraw");
  int result = 0;
  const std::string console = as_user([&] {
    std::uint32_t product_id = 0;
    transport_message message{};
    result = hid_open_device(product_id, message);
  });
  EXPECT_EQ(result, -2);
  EXPECT_FALSE(transport::hid_slot_open(0));
  const std::string line = refused_line(hidraw, "F3A7:6020");
  EXPECT_NE(console.find(line + "\n"), std::string::npos) << console;
  EXPECT_EQ(console.find("root"), std::string::npos) << console;
  EXPECT_EQ(console.find("sudo"), std::string::npos) << console;
  const std::vector<std::string> kept = transport::access_denied_lines();
  EXPECT_NE(std::find(kept.begin(), kept.end(), line), kept.end()) << "the diagnostic log lists it";
}

// libusb-1.0 answers LIBUSB_ERROR_ACCESS for the usbfs node of a BlueCore
// device: the recognition ends in its open failure, with the node on the console.
TEST_F(AccessDeniedTest, ARecognitionOverLibusbNamesTheRefusedUsbfsNode) {
  attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_4d10()));
  keep_nodes_from_the_user();
  m_hand_off.setIsFirst(false);
  const std::string console = as_user([&] { recognize(); });
  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_failure);
  EXPECT_TRUE(m_hand_off.strStatusThreadRecognizeAt(0).value_or("").starts_with("Cannot open USB ["))
      << m_hand_off.strStatusThreadRecognizeAt(0).value_or("<none>");
  EXPECT_NE(console.find(refused_line(node_starting("/dev/bus/usb/"), "F3A7:4D10") + "\n"), std::string::npos) << console;
}

// libusb-0.1's usb_open fails with EACCES on a device in firmware-management
// mode that a scan listed: the open ends as refused, with the node on the console.
TEST_F(AccessDeniedTest, ALegacyUsbOpenNamesTheRefusedUsbfsNode) {
  attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_e020()));
  keep_nodes_from_the_user();
  transport::LegacyOpen opened;
  const std::string console = as_user([&] {
    opened = transport::open_and_claim_legacy_usb(
        [&]() -> struct usb_device* {
          std::array<struct usb_device*, 1> listed{};
          int count = 0;
          with_access([&] { count = dfu_list_devices(0, listed); });
          return count > 0 ? listed[0] : nullptr;
        },
        false);
  });
  EXPECT_EQ(opened.end, transport::LegacyOpenEnd::open_failed);
  EXPECT_EQ(opened.error, EACCES);
  EXPECT_NE(console.find(refused_line(node_starting("/dev/bus/usb/"), "F3A7:E020") + "\n"), std::string::npos) << console;
}

}  // namespace
