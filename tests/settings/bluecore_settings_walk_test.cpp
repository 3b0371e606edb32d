// The BlueCore save walk on simulated devices: which keys reach the device,
// in which order, what it holds afterwards, the code of each way out, and
// that every way out leaves the channel closed.
#include "settings/bluecore_settings_walk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "sim/bus.h"
#include "sim/models/bluecore_model.h"
#include "support/bccmd_requests.h"
#include "support/bus_fixture.h"
#include "transport/bluecore_channel.h"

namespace {

using namespace std::chrono_literals;
using settings::PsKeyWrite;
using settings::SaveCopies;
using Keys = std::vector<std::string>;

Keys operator+(Keys a, const Keys& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

constexpr settings::BlueCoreWalkCodes k_codes{.cannot_open = 11, .firmware_management = 12, .not_recognized = 14};
constexpr int k_first_refused = 21;
constexpr int k_second_refused = 22;

const std::vector<PsKeyWrite> k_two_keys = {{8832, {'1', '2', 0}, k_first_refused},
                                            {8833, {'*', 0, 0}, k_second_refused}};

// The identity reads of a save: product id, version record, and for 0x4D10
// the older version key.
const Keys k_identity_4d10 = {"read 675", "read 676", "read 659"};

// The copies of a save of `product` attached as `usb_status`, recognized at major.minor.
SaveCopies copies_for(int product, int usb_status, int major, int minor) {
  SaveCopies copies;
  copies.deviceTarget = product;
  copies.usbStatus = usb_status;
  copies.data.setDeviceRecognized(product);
  copies.data.setDeviceVersionMajor(major);
  copies.data.setDeviceVersionMinor(minor);
  copies.dataCurrent.copyWithSource_version(copies.data, true);
  return copies;
}

SaveCopies copies_4d10() { return copies_for(0x4D10, 0x4D10, 4, 3); }

class BlueCoreWalkTest : public test_support::BusFixture {
 protected:
  void TearDown() override {
    bc_close_devices();
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::BlueCoreModel> plug(sim::BlueCoreModelOptions options) {
    return attach(std::make_shared<sim::BlueCoreModel>(std::move(options)));
  }
};

TEST_F(BlueCoreWalkTest, TheRecognizedDeviceTakesTheKeysInOrder) {
  auto device = plug(sim::bluecore_fixture_4d10());
  EXPECT_EQ(settings::save_over_bluecore(copies_4d10(), k_codes, k_two_keys), settings::k_save_success);
  EXPECT_EQ(test_support::key_traffic(*device), (k_identity_4d10 + Keys{"write 8832", "write 8833"}));
  const std::vector<sim::PsWrite> expected = {{8832, {'1', '2', 0}}, {8833, {'*', 0, 0}}};
  EXPECT_EQ(device->ps_writes(), expected);
  EXPECT_EQ(device->ps_key(8833), (std::vector<std::uint16_t>{'*', 0, 0}));
  EXPECT_EQ(sim::open_handle_count(), 0);
  EXPECT_EQ(bc_device_count(), 0);
}

TEST_F(BlueCoreWalkTest, NothingToWriteStillChecksTheDevice) {
  auto device = plug(sim::bluecore_fixture_4d10());
  EXPECT_EQ(settings::save_over_bluecore(copies_4d10(), k_codes, {}), settings::k_save_success);
  EXPECT_EQ(test_support::key_traffic(*device), k_identity_4d10);
  EXPECT_TRUE(device->ps_writes().empty());
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(BlueCoreWalkTest, ARefusedKeyEndsTheWalkWithItsCode) {
  struct Case {
    const char* name;
    std::uint16_t refused;
    int code;
    Keys writes;
    std::size_t kept;
  };
  const Case cases[] = {
      {"first refused: nothing after it", 8832, k_first_refused, {"write 8832"}, 0},
      {"second refused: the first stays written", 8833, k_second_refused, {"write 8832", "write 8833"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(sim::bluecore_fixture_4d10());
    device->set_refused_writes({c.refused});
    EXPECT_EQ(settings::save_over_bluecore(copies_4d10(), k_codes, k_two_keys), c.code);
    EXPECT_EQ(test_support::key_traffic(*device), k_identity_4d10 + c.writes);
    EXPECT_EQ(device->ps_writes().size(), c.kept);
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

TEST_F(BlueCoreWalkTest, NoDeviceGivesCannotOpenAtOnce) {
  EXPECT_EQ(settings::save_over_bluecore(copies_4d10(), k_codes, k_two_keys), k_codes.cannot_open);
  // the open is not tried again when nothing answers
  EXPECT_EQ(clock().elapsed(), 0ms);

  sim::BlueCoreModelOptions refusing = sim::bluecore_fixture_4d10();
  refusing.faults.refuse_open = true;
  auto device = plug(refusing);
  EXPECT_EQ(settings::save_over_bluecore(copies_4d10(), k_codes, k_two_keys), k_codes.cannot_open);
  EXPECT_TRUE(device->ps_writes().empty());
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(BlueCoreWalkTest, AnotherDeviceOrFirmwareIsNotWritten) {
  struct Case {
    const char* name;
    sim::BlueCoreModelOptions device;
    SaveCopies copies;
    int code;
    Keys traffic;
  };
  sim::BlueCoreModelOptions management = sim::bluecore_fixture_cd10();
  sim::BlueCoreModelOptions other_id = sim::bluecore_fixture_4d10();
  other_id.ps_keys[sim::k_ps_product_id] = {0x4D30};
  sim::BlueCoreModelOptions other_firmware = sim::bluecore_fixture_4d10();
  other_firmware.ps_keys[sim::k_ps_version_record] = sim::version_record_key(44);
  other_firmware.ps_keys[sim::k_ps_version] = {44, 0};
  // no product id and no model text in its name: taken for 0x4D10
  sim::BlueCoreModelOptions anonymous = sim::bluecore_fixture_4d10();
  anonymous.ps_keys.erase(sim::k_ps_product_id);
  anonymous.ps_keys[sim::k_ps_device_name] = sim::text_key("HEADSET");
  const Case cases[] = {
      {"firmware-management mode", management, copies_4d10(), k_codes.firmware_management, {}},
      {"attached as another product", sim::bluecore_fixture_4d10(), copies_for(0x4D10, 0x4D30, 4, 3),
       k_codes.not_recognized, {}},
      {"another product id stored", other_id, copies_4d10(), k_codes.not_recognized, {"read 675"}},
      {"other firmware", other_firmware, copies_4d10(), k_codes.not_recognized, k_identity_4d10},
      {"the recognized firmware of a device without its id", anonymous, copies_4d10(), settings::k_save_success,
       {"read 675", "read 264", "read 676", "read 659", "write 8832", "write 8833"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.device);
    EXPECT_EQ(settings::save_over_bluecore(c.copies, k_codes, k_two_keys), c.code);
    EXPECT_EQ(test_support::key_traffic(*device), c.traffic);
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

TEST_F(BlueCoreWalkTest, BothDevicesOfATwoDeviceUnitAreWrittenInTurn) {
  const auto pair = sim::bluecore_fixture_5310_pair();
  auto first = plug(pair[0]);
  auto second = plug(pair[1]);
  // 0x5310 without a version record is at 1.0
  const SaveCopies copies = copies_for(0x5310, 0x5310, 1, 0);
  EXPECT_EQ(settings::save_over_bluecore(copies, k_codes, k_two_keys), settings::k_save_success);
  const Keys expected = {"read 675", "read 676", "write 8832", "write 8833"};
  EXPECT_EQ(test_support::key_traffic(*first), expected);
  EXPECT_EQ(test_support::key_traffic(*second), expected);
  EXPECT_EQ(sim::open_handle_count(), 0);

  // the first device refusing ends the walk before the second is asked
  first->set_refused_writes({8833});
  EXPECT_EQ(settings::save_over_bluecore(copies, k_codes, k_two_keys), k_second_refused);
  EXPECT_EQ(test_support::key_traffic(*first), expected);
  EXPECT_TRUE(test_support::key_traffic(*second).empty());
}

}  // namespace
