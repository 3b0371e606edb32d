#include "recognition/power_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sim/models/bluecore_model.h"
#include "support/bus_fixture.h"
#include "transport/bluecore_channel.h"

namespace {

TEST(PowerTable, AddressAboveTheThresholdOfTheTarget) {
  struct Case {
    int target;
    const char* address;
    bool rewrite;
  };
  const Case cases[] = {
      {0x4D05, "2DD49E", false},     {0x4D05, "2DD49F", true},   {0x4D55, "2dd49f", true},
      {0x4D35, "FFFFFF", true},      {0x5040, "2DE43E", false},  {0x5050, "2DE43F", true},
      {0x4D85, "2E037E", false},     {0x4D85, "2E037F", true},   {0x4D40, "2C9BD2", true},
      {0x4D50, "2CAF59", false},     {0x6110, "34FD7E", true},   {0x6120, "358E08", false},
      // targets without a threshold never get the rewrite
      {0x5010, "FFFFFF", false},     {0x4110, "FFFFFF", false},  {0, "FFFFFF", false},
      // only the characters present, at most six, are read
      {0x4D05, "2E", false},         {0x4D05, "", false},        {0x4D05, "2DD49E99", false},
      {0x4D05, "2DD4G9", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.target << " " << c.address);
    EXPECT_EQ(recognition::changePSKeyPowerTableWith(c.target, c.address), c.rewrite);
  }
}

class PowerTableWrites : public test_support::BusFixture {
 protected:
  void TearDown() override {
    bc_close_devices();
    BusFixture::TearDown();
  }
};

TEST_F(PowerTableWrites, EachSetWritesItsKeysInOrder) {
  struct Written {
    std::uint16_t key;
    std::size_t words;
    std::uint16_t first_word;
  };
  struct Case {
    const char* name;
    int target;
    std::vector<Written> writes;
  };
  const std::vector<Written> set_b = {{23, 1, 0x0008}, {33, 1, 0x0008}, {45, 1, 0x0008}, {49, 15, 0x0B00},
                                      {502, 1, 0x0027}, {521, 1, 0x0001}, {578, 1, 0x0000}};
  const Case cases[] = {
      {"set A: three keys", 0x5040, {{23, 1, 0x0010}, {33, 1, 0x0008}, {49, 15, 0x0B00}}},
      {"set B", 0x4D05, set_b},
      {"set B for the threshold of 0x4D85", 0x4D85, set_b},
      {"set C", 0x4D20,
       {{23, 1, 0x0010}, {33, 1, 0x000C}, {45, 1, 0x0010}, {49, 30, 0x1600}, {502, 1, 0x0027}, {521, 1, 0x0001},
        {578, 1, 0x0000}}},
      {"set D", 0x6110,
       {{23, 1, 0x000A}, {33, 1, 0x000A}, {45, 1, 0x0010}, {49, 25, 0x0500}, {502, 1, 0x0027}, {521, 1, 0x0001},
        {578, 1, 0x0000}}},
      {"set E: a table of 19 words", 0x6120,
       {{23, 1, 0x000A}, {33, 1, 0x000A}, {45, 1, 0x000A}, {49, 19, 0x0F00}, {502, 1, 0x0027}, {521, 1, 0x0001},
        {578, 1, 0x0000}}},
      {"no set", 0x5010, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_4d10()));
    std::array<std::uint32_t, 2> ids{};
    transport_message message{};
    ASSERT_EQ(bc_open_devices(ids, message, 0), 0);
    recognition::write_power_set(c.target);
    const std::vector<sim::PsWrite> writes = device->ps_writes();
    ASSERT_EQ(writes.size(), c.writes.size());
    for (std::size_t i = 0; i < writes.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(writes[i].key, c.writes[i].key);
      EXPECT_EQ(writes[i].words.size(), c.writes[i].words);
      EXPECT_EQ(writes[i].words[0], c.writes[i].first_word);
    }
    device->take_received();
    bc_close_devices();
    sim::detach(*device);
  }
}

TEST_F(PowerTableWrites, TablesAsTheRadioTakesThem) {
  auto device = attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_4d35()));
  std::array<std::uint32_t, 2> ids{};
  transport_message message{};
  ASSERT_EQ(bc_open_devices(ids, message, 0), 0);
  recognition::write_power_set(0x6120);
  recognition::write_power_table_f();
  recognition::write_power_set(0x4D10);
  const std::vector<sim::PsWrite> writes = device->ps_writes();
  ASSERT_EQ(writes.size(), 15u);
  // table E ends in the middle of a group of five
  EXPECT_EQ(writes[3].words, (std::vector<std::uint16_t>{0x0F00, 0x0000, 0x1100, 0x0000, 0x0200, 0x1500, 0x0000,
                                                         0x1700, 0x0000, 0x0600, 0x1C00, 0x0000, 0x1E00, 0x0000,
                                                         0x0A00, 0x0000, 0x2200, 0x0000, 0x1000}));
  EXPECT_EQ(writes[7].key, 49);
  EXPECT_EQ(writes[7].words,
            (std::vector<std::uint16_t>{0x2A00, 0x0050, 0x3100, 0x0050, 0xFC00, 0x2700, 0x0040, 0x2E00, 0x0040, 0x0000,
                                        0x2800, 0x0030, 0x2E00, 0x0030, 0x0400, 0x2B00, 0x0020, 0x3100, 0x0020, 0x0800,
                                        0x2E00, 0x0010, 0x3600, 0x0010, 0x0C00, 0x3800, 0x0000, 0x3A00, 0x0000,
                                        0x1000}));
  EXPECT_EQ(writes[11].words,
            (std::vector<std::uint16_t>{0x1600, 0x0050, 0x1900, 0x0050, 0xFC00, 0x1E00, 0x0050, 0x2000, 0x0050, 0x0000,
                                        0x1C00, 0x0040, 0x1E00, 0x0040, 0x0400, 0x1D00, 0x0030, 0x1F00, 0x0030, 0x0800,
                                        0x1F00, 0x0020, 0x2100, 0x0020, 0x0C00, 0x2000, 0x0000, 0x2200, 0x0000,
                                        0x1000}));
  device->take_received();
}

TEST_F(PowerTableWrites, FailedWritesArePassedOver) {
  sim::BlueCoreModelOptions options = sim::bluecore_fixture_4d10();
  options.failing_keys = {23, 49};
  auto device = attach(std::make_shared<sim::BlueCoreModel>(options));
  std::array<std::uint32_t, 2> ids{};
  transport_message message{};
  ASSERT_EQ(bc_open_devices(ids, message, 0), 0);
  recognition::write_power_set(0x4D05);
  std::vector<std::uint16_t> written;
  for (const sim::PsWrite& write : device->ps_writes()) written.push_back(write.key);
  EXPECT_EQ(written, (std::vector<std::uint16_t>{33, 45, 502, 521, 578}));
  EXPECT_EQ(device->take_requests().size(), 7u) << "every key of the set was tried";
}

}  // namespace
