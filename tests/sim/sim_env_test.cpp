#include "sim/sim_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "sim/bus.h"
#include "support/bus_fixture.h"

namespace {

class SimEnvTest : public test_support::BusFixture {};

TEST_F(SimEnvTest, AttachesTheDevicesTheTextDescribes) {
  struct Device {
    std::uint16_t product_id;
    std::uint16_t release_number;
    std::size_t collections;
  };
  struct Case {
    const char* text;
    int attached;
    std::vector<Device> devices;
    std::string console;
  };
  const Case cases[] = {
      {"hid:0x6020", 1, {{0x6020, 0x0100, 1}}, "VEXLINK_SIM: hid:0x6020 attached\n"},
      {"hid:0x6020,fw=1.2; hid:0x6038,collections=keyboard+vendor,fw=2.10.1.4", 2,
       {{0x6020, 0x0102, 1}, {0x6038, 0x0210, 2}},
       "VEXLINK_SIM: hid:0x6020,fw=1.2 attached\n"
       "VEXLINK_SIM: hid:0x6038,collections=keyboard+vendor,fw=2.10.1.4 attached\n"},
      {"hid:0x4D16,collections=keyboard,refuse;", 1, {{0x4D16, 0x0100, 1}},
       "VEXLINK_SIM: hid:0x4D16,collections=keyboard,refuse attached\n"},
      {"hid:0x6024,dnld=3", 1, {{0x6024, 0x0100, 1}}, "VEXLINK_SIM: hid:0x6024,dnld=3 attached\n"},
      {"hid:0x6020,busy=forever,short=3,silent", 1, {{0x6020, 0x0100, 1}},
       "VEXLINK_SIM: hid:0x6020,busy=forever,short=3,silent attached\n"},
      {"usb:0x6020;hid:0x6022", 1, {{0x6022, 0x0100, 1}},
       "VEXLINK_SIM: unknown device family \"usb\"; device skipped\n"
       "VEXLINK_SIM: hid:0x6022 attached\n"},
      {"hid:0x5552,qcc;hid:0x3220,crcfault=2,noverify,airohareboot=never,nolangpack=0x0A", 2,
       {{0x5552, 0x0100, 1}, {0x3220, 0x0100, 1}},
       "VEXLINK_SIM: hid:0x5552,qcc attached\n"
       "VEXLINK_SIM: hid:0x3220,crcfault=2,noverify,airohareboot=never,nolangpack=0x0A attached\n"},
      {"hid:0x6020,airohareboot=soon", 0, {}, "VEXLINK_SIM: bad hid option \"airohareboot=soon\"; device skipped\n"},
      {"hid:zz", 0, {}, "VEXLINK_SIM: bad product id \"zz\"; device skipped\n"},
      {"hid:0x6020,fw=1", 0, {}, "VEXLINK_SIM: bad hid option \"fw=1\"; device skipped\n"},
      {"hiddfu:0x6020,busy=2,poll=20", 1, {{0x6020, 0x0100, 1}}, "VEXLINK_SIM: hiddfu:0x6020,busy=2,poll=20 attached\n"},
      {"hiddfu:0x6020,busy", 0, {}, "VEXLINK_SIM: bad hiddfu option \"busy\"; device skipped\n"},
      {"dfu:0xE020,busy=2,poll=50,error_at=3;dfu:0x6021,runtime,interface=1,claim=ebusy,claimfailures=1", 2,
       {{0xE020, 0x0100, 0}, {0x6021, 0x0100, 0}},
       "VEXLINK_SIM: dfu:0xE020,busy=2,poll=50,error_at=3 attached\n"
       "VEXLINK_SIM: dfu:0x6021,runtime,interface=1,claim=ebusy,claimfailures=1 attached\n"},
      {"dfu:0xE020,busy", 0, {}, "VEXLINK_SIM: bad dfu option \"busy\"; device skipped\n"},
      {"dfu:0xE020,interface=256", 0, {}, "VEXLINK_SIM: bad dfu option \"interface=256\"; device skipped\n"},
      {"bluecoredfu:0x6022,fw=1.4,busy=2,noreturn;bluecoredfu:0xE020,poll=20", 2, {{0x6022, 0x0100, 1}, {0xE020, 0x0100, 0}},
       "VEXLINK_SIM: bluecoredfu:0x6022,fw=1.4,busy=2,noreturn attached\n"
       "VEXLINK_SIM: bluecoredfu:0xE020,poll=20 attached\n"},
      // an older model in its normal mode: its HCI device beside the run-time DFU interface
      {"bluecoredfu:0x4D10,fw=3.1,normal", 1, {{0x4D10, 0x0100, 0}},
       "VEXLINK_SIM: bluecoredfu:0x4D10,fw=3.1,normal attached\n"},
      {"bluecoredfu:0xE020,normal", 0, {}, "VEXLINK_SIM: bad bluecoredfu option \"normal\"; device skipped\n"},
      {"bluecoredfu:0xE020,shortstatus=5,shortfrom=2;dfu:0xE022,shortfrom=1", 2,
       {{0xE020, 0x0100, 0}, {0xE022, 0x0100, 0}},
       "VEXLINK_SIM: bluecoredfu:0xE020,shortstatus=5,shortfrom=2 attached\n"
       "VEXLINK_SIM: dfu:0xE022,shortfrom=1 attached\n"},
      {"bluecoredfu:0x6020,fw=14", 0, {}, "VEXLINK_SIM: bad bluecoredfu option \"fw=14\"; device skipped\n"},
      {"0x6020", 0, {}, "VEXLINK_SIM: expected family:product-id in \"0x6020\"; device skipped\n"},
      {"", 0, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    testing::internal::CaptureStdout();
    EXPECT_EQ(sim::attach_from_text(c.text), c.attached);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.console);
    const std::vector<sim::BusDevice> devices = sim::devices();
    ASSERT_EQ(devices.size(), c.devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
      EXPECT_EQ(devices[i].identity.descriptor.product_id, c.devices[i].product_id);
      EXPECT_EQ(devices[i].identity.descriptor.release_number, c.devices[i].release_number);
      EXPECT_EQ(devices[i].identity.hid.size(), c.devices[i].collections);
    }
    sim::reset();
  }
}

TEST_F(SimEnvTest, ReadsVexlinkSim) {
  ::setenv("VEXLINK_SIM", "hid:0x6020;hid:0x6800", 1);
  testing::internal::CaptureStdout();
  EXPECT_EQ(sim::attach_from_environment(), 2);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(sim::devices().size(), 2u);
  sim::reset();
  ::unsetenv("VEXLINK_SIM");
  EXPECT_EQ(sim::attach_from_environment(), 0);
  EXPECT_TRUE(sim::devices().empty());
}

}  // namespace
