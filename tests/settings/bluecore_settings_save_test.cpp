// The settings page's save to the BlueCore products on simulated devices:
// which keys each product and firmware writes for which edits, with the exact
// words, the codes of refusals and of a device that is gone, in
// firmware-management mode or not the recognized one.
#include "settings/bluecore_settings_save.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/settings_save.h"
#include "sim/bus.h"
#include "sim/models/bluecore_model.h"
#include "support/bccmd_requests.h"
#include "support/bus_fixture.h"
#include "transport/bluecore_channel.h"
#include "transport/hid_channel.h"

namespace {

using namespace std::chrono_literals;
using settings::SaveCopies;
using Writes = std::vector<sim::PsWrite>;
using Edit = std::function<void(FEXOBluetoothDeviceData&)>;

const std::vector<std::uint16_t> k_edr_on = {0xFEFF, 0xF88F, 0x1E18, 0x8359};
const std::vector<std::uint16_t> k_edr_off = {0xFEFF, 0xFE8F, 0xFF98, 0x8359};

struct Firmware {
  int major = 1;
  int minor = 0;
};

// A device of `product` at `firmware` that reports its id and version.
sim::BlueCoreModelOptions device_of(int product, Firmware firmware) {
  sim::BlueCoreModelOptions options;
  options.product_id = static_cast<std::uint16_t>(product);
  options.ps_keys[sim::k_ps_product_id] = {static_cast<std::uint16_t>(product)};
  const auto version = static_cast<std::uint16_t>(firmware.major * 10 + firmware.minor);
  options.ps_keys[sim::k_ps_version_record] = sim::version_record_key(version);
  options.ps_keys[sim::k_ps_version] = {version, 0};
  return options;
}

// The copies of a save of `product` recognized at `firmware` with every
// setting off (but what `as_read` sets), the working copy changed by `edit`.
SaveCopies copies_for(int product, Firmware firmware, const Edit& edit, const Edit& as_read = nullptr) {
  SaveCopies copies;
  copies.deviceTarget = product;
  copies.usbStatus = product;
  copies.data.setDeviceRecognized(product);
  copies.data.setDeviceVersionMajor(firmware.major);
  copies.data.setDeviceVersionMinor(firmware.minor);
  copies.data.setRadioTransmitGain(15);
  copies.data.setAudioChannelTimeout(30);
  if (as_read) as_read(copies.data);
  copies.dataCurrent.copyWithSource_version(copies.data, true);
  if (edit) edit(copies.dataCurrent);
  return copies;
}

void edr_on(FEXOBluetoothDeviceData& d) { d.setEdr(1); }
void both_vox_on(FEXOBluetoothDeviceData& d) {
  d.setIntercomVOX(1);
  d.setHandsfreeVOX(1);
}

class BlueCoreSettingsSaveTest : public test_support::BusFixture {
 protected:
  void TearDown() override {
    bc_close_devices();
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::BlueCoreModel> plug(sim::BlueCoreModelOptions options) {
    return attach(std::make_shared<sim::BlueCoreModel>(std::move(options)));
  }
};

TEST_F(BlueCoreSettingsSaveTest, OnlyTheChangedKeysOfTheProductAreWritten) {
  struct Case {
    const char* name;
    int product;
    Firmware firmware;
    Edit edit;
    Writes writes;
    Edit as_read = nullptr;
  };
  const Case cases[] = {
      {"nothing changed", 0x4D10, {4, 3}, nullptr, {}},
      {"EDR on", 0x4D50, {3, 0}, edr_on, {{239, k_edr_on}}},
      {"EDR off", 0x4D50, {3, 0}, [](auto& d) { d.setEdr(0); }, {{239, k_edr_off}}, edr_on},
      {"a product outside the rows: EDR only, whatever else changed", 0x3010, {1, 0},
       [](auto& d) {
         d.setEdr(1);
         both_vox_on(d);
         d.setRadioTransmitGain(17);
         d.setMicrophoneBoost(1);
       },
       {{239, k_edr_on}}},
      {"0x4D10 at 3.9: both VOX keys, intercom first", 0x4D10, {3, 9}, both_vox_on, {{664, {1}}, {665, {1}}}},
      {"0x4D10 at 3.9: phone VOX alone", 0x4D10, {3, 9}, [](auto& d) { d.setHandsfreeVOX(1); }, {{665, {1}}}},
      {"0x5080 at 3.9: EDR and intercom VOX", 0x5080, {3, 9},
       [](auto& d) {
         d.setEdr(1);
         d.setIntercomVOX(1);
       },
       {{239, k_edr_on}, {664, {1}}}},
      {"0x4D10 at 4.0: the packed word", 0x4D10, {4, 0}, both_vox_on, {{654, {0x0003, 0}}}},
      {"0x5040 at 4.2: EDR also changes the packed word", 0x5040, {4, 2}, edr_on,
       {{239, k_edr_on}, {654, {0x0004, 0}}}},
      {"a packed-word product", 0x4D35, {1, 2},
       [](auto& d) {
         d.setPlc(1);
         d.setMicrophoneBoost(1);
       },
       {{654, {0x0050, 0}}}},
      {"a packed-word product, nothing of the word changed", 0x6490, {1, 0},
       [](auto& d) { d.setRadioTransmitGain(17); }, {}},
      {"0x5210: gain, then the timeout in ms", 0x5210, {1, 0},
       [](auto& d) {
         d.setRadioTransmitGain(17);
         d.setAudioChannelTimeout(60);
       },
       {{684, {17}}, {682, {60000}}}},
      {"0x5210: the shortest timeout alone", 0x5210, {1, 0}, [](auto& d) { d.setAudioChannelTimeout(3); },
       {{682, {3000}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(device_of(c.product, c.firmware));
    const SaveCopies copies = copies_for(c.product, c.firmware, c.edit, c.as_read);
    EXPECT_EQ(settings::save_settings_over_bluecore(copies), settings::k_save_success);
    EXPECT_EQ(device->ps_writes(), c.writes);
    for (const sim::PsWrite& write : c.writes) EXPECT_EQ(device->ps_key(write.key), write.words);
    EXPECT_EQ(sim::open_handle_count(), 0);
    device->take_received();
    sim::detach(*device);
  }
}

TEST_F(BlueCoreSettingsSaveTest, ARefusedKeyGivesItsCodeAndStopsThere) {
  struct Case {
    int product;
    Firmware firmware;
    Edit edit;
    std::uint16_t refused;
    int code;
    Writes kept;
  };
  const auto all = [](FEXOBluetoothDeviceData& d) {
    d.setEdr(1);
    both_vox_on(d);
    d.setRadioTransmitGain(12);
    d.setAudioChannelTimeout(60);
  };
  const Case cases[] = {
      {0x4D10, {3, 9}, all, 239, settings::k_settings_save_edr_refused, {}},
      {0x4D10, {3, 9}, all, 664, settings::k_settings_save_intercom_vox_refused, {{239, k_edr_on}}},
      {0x4D10, {3, 9}, all, 665, settings::k_settings_save_phone_vox_refused, {{239, k_edr_on}, {664, {1}}}},
      {0x4D10, {4, 3}, all, 654, settings::k_settings_save_device_setting_refused, {{239, k_edr_on}}},
      {0x5210, {1, 0}, all, 684, settings::k_settings_save_rtg_refused, {{239, k_edr_on}}},
      {0x5210, {1, 0}, all, 682, settings::k_settings_save_act_refused, {{239, k_edr_on}, {684, {12}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refused);
    sim::BlueCoreModelOptions options = device_of(c.product, c.firmware);
    options.refused_writes = {c.refused};
    auto device = plug(options);
    EXPECT_EQ(settings::save_settings_over_bluecore(copies_for(c.product, c.firmware, c.edit)), c.code);
    // the keys before the refused one stay written; nothing after it is sent
    EXPECT_EQ(device->ps_writes(), c.kept);
    const std::vector<std::string> traffic = test_support::key_traffic(*device);
    ASSERT_FALSE(traffic.empty());
    EXPECT_EQ(traffic.back(), "write " + std::to_string(c.refused));
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

TEST_F(BlueCoreSettingsSaveTest, ADeviceGoneInManagementModeOrAnotherIsNotWritten) {
  struct Case {
    const char* name;
    std::vector<sim::BlueCoreModelOptions> devices;
    int code;
  };
  sim::BlueCoreModelOptions other_stored_id = device_of(0x4D10, {3, 9});
  other_stored_id.ps_keys[sim::k_ps_product_id] = {0x5010};
  const Case cases[] = {
      {"no device", {}, settings::k_settings_save_cannot_open_usb},
      {"firmware-management mode", {sim::bluecore_fixture_cd10()}, settings::k_settings_save_firmware_management},
      {"attached as another id", {device_of(0x4D30, {3, 9})}, settings::k_settings_save_not_recognized_device},
      {"another stored product id", {other_stored_id}, settings::k_settings_save_not_recognized_device},
      {"other firmware", {device_of(0x4D10, {3, 8})}, settings::k_settings_save_not_recognized_device},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const sim::BlueCoreModelOptions& device : c.devices) plug(device);
    const SaveCopies copies = copies_for(0x4D10, {3, 9}, both_vox_on);
    const auto started = clock().elapsed();
    EXPECT_EQ(settings::save_settings_over_bluecore(copies), c.code);
    // the open is not tried again (a try costs a 1 s pause): only the exchanges' own waits
    EXPECT_LT(clock().elapsed() - started, 1s);
    for (const sim::BusDevice& device : sim::devices()) {
      auto model = std::dynamic_pointer_cast<sim::BlueCoreModel>(device.model);
      ASSERT_NE(model, nullptr);
      EXPECT_TRUE(model->ps_writes().empty());
      for (const std::string& request : test_support::key_traffic(*model)) {
        EXPECT_EQ(request.rfind("read ", 0), 0u) << request;
      }
      sim::detach(*model);
    }
    EXPECT_EQ(sim::open_handle_count(), 0);
  }
}

TEST_F(BlueCoreSettingsSaveTest, TheSettingsPageSavesEveryProductWithoutAHidGroupThisWay) {
  auto device = plug(device_of(0x4D10, {3, 9}));
  EXPECT_EQ(settings::threadMethodSave(copies_for(0x4D10, {3, 9}, edr_on)), settings::k_save_success);
  EXPECT_EQ(device->ps_writes(), (Writes{{239, k_edr_on}}));
  device->take_received();
  sim::detach(*device);

  // before: no device at all gives code 1, not a HID open failure (9)
  EXPECT_EQ(settings::threadMethodSave(copies_for(0x5210, {1, 0}, edr_on)), settings::k_settings_save_cannot_open_usb);
}

}  // namespace
