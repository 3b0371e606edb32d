// The voice-prompt language of a unit: the code tables, and the write of a
// code into the unit-configuration block of a simulated device.
#include "update/unit_language_commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"
#include "support/hid_requests.h"
#include "transport/hid_channel.h"
#include "update/UpdateViewController.h"

namespace {

using Words = std::vector<std::uint16_t>;

class UnitLanguageTest : public test_support::BusFixture {
 protected:
  void TearDown() override {
    hid_close_all();
    BusFixture::TearDown();
  }
  // A device whose unit-configuration block holds `words`, open in slot 0.
  std::shared_ptr<sim::HidModel> open_with_block(Words words, sim::Faults faults = {}) {
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.blocks[0x04] = std::move(words);
    options.faults = faults;
    auto device = attach(std::make_shared<sim::HidModel>(options));
    EXPECT_EQ(test_support::open_hid_device_quietly(), 0);
    return device;
  }
  bool set_language(int code, bool qorlan = false) {
    testing::internal::CaptureStdout();
    const bool done = qorlan ? UpdateViewController::bt_set_unit_language_qorlan_with(0, code)
                             : UpdateViewController::bt_set_unit_language_with(0, code);
    m_console = testing::internal::GetCapturedStdout();
    return done;
  }
  std::string m_console;
};

TEST_F(UnitLanguageTest, WritesTheCodeIntoWordThree) {
  struct Case {
    const char* name;
    Words block;
    int code;
    int word_count_offset;  // the device misreports its word count
    bool done;
    Words written;          // the block afterwards
    const char* log;
  };
  const Case cases[] = {
      {"two words grow to four, bit 0x20 marking it", {0x1111, 0x2222}, 9, 0, true, {0x1111, 0x2222, 0, 0x0029},
       "bt_set_unit_language[9]"},
      {"three words are refused", {0x1111, 0x2222, 0x3333}, 9, 0, false, {0x1111, 0x2222, 0x3333}, "size error"},
      {"four words keep their count and the top bits", {0x1111, 0x2222, 0x3333, 0x44E4}, 9, 0, true,
       {0x1111, 0x2222, 0x3333, 0x44E9}, "bt_set_unit_language[9]"},
      {"bit 0x20 of four words is not touched", {0x1111, 0x2222, 0x3333, 0x0004}, 3, 0, true,
       {0x1111, 0x2222, 0x3333, 0x0003}, "bt_set_unit_language[3]"},
      {"five words", {1, 2, 3, 0x00FF, 5}, 2, 0, true, {1, 2, 3, 0x00E2, 5}, "bt_set_unit_language[2]"},
      {"a code above 31 keeps its low five bits", {1, 2, 3, 0x0000}, 0x45, 0, true, {1, 2, 3, 0x0005},
       "bt_set_unit_language[69]"},
      {"code 0 is written too", {1, 2, 3, 0x001F}, 0, 0, true, {1, 2, 3, 0x0000}, "bt_set_unit_language[0]"},
      {"a reply that says one word", {1, 2}, 9, -1, false, {1, 2}, "size error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Faults faults;
    faults.word_count_offset = c.word_count_offset;
    auto device = open_with_block(c.block, faults);
    EXPECT_EQ(set_language(c.code), c.done);
    EXPECT_NE(m_console.find(c.log), std::string::npos) << m_console;
    EXPECT_EQ(device->block(0x04), c.written);
    const auto requests = device->take_output_reports();
    ASSERT_EQ(requests.size(), c.done ? 2u : 1u);
    EXPECT_EQ(requests[0][1], 0x03);
    EXPECT_EQ(requests[0][2], 0x04);
    if (c.done) {
      EXPECT_EQ(requests[1][1], 0x04);
    }
    hid_close_all();
    sim::reset();
  }
}

TEST_F(UnitLanguageTest, FailedExchangesAnswerNoAndTheQorlanTwinLogsItsOwnLine) {
  sim::HidModelOptions refusing = sim::hid_fixture_6020();
  refusing.failing_blocks = {0x04};
  auto device = attach(std::make_shared<sim::HidModel>(refusing));
  ASSERT_EQ(test_support::open_hid_device_quietly(), 0);
  EXPECT_FALSE(set_language(1));
  EXPECT_NE(m_console.find("read fail"), std::string::npos);
  EXPECT_EQ(device->take_output_reports().size(), 1u);
  hid_close_all();
  sim::reset();

  // the read is answered, the write refused
  device = open_with_block({1, 2, 3, 4});
  device->on_command(0x04, [](std::span<const std::uint8_t>) { return sim::HidModel::Answer{2, {}}; });
  EXPECT_FALSE(set_language(1, true));
  EXPECT_NE(m_console.find("write error"), std::string::npos);
  EXPECT_EQ(device->take_output_reports().size(), 2u);
  hid_close_all();
  sim::reset();

  device = open_with_block({1, 2, 3, 4});
  EXPECT_TRUE(set_language(7, true));
  EXPECT_NE(m_console.find("qorlan bt_set_unit_language[7]"), std::string::npos);
  EXPECT_EQ(device->take_output_reports().size(), 2u);
}

TEST(UnitLanguageCodes, NamesAndSuffixesGiveTheirCodes) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromString("Japanese"), 9);
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromString("Finnish"), 10);
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromString("Danish"), 0);
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromString("french"), 0) << "the comparison is exact";
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromStringForQorlan("Danish"), 1);
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromStringForQorlan("French"), 1);
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromStringForQorlan("Czech"), 11);
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromStringForQorlan("Greek"), 9);
  EXPECT_EQ(UpdateViewController::UnitLanguageCodeFromStringForQorlan("English"), 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("qorlan changestrLanguage[Danish]"), std::string::npos);

  // an image suffix gives an index, and the index the set-language command's code
  EXPECT_EQ(UpdateViewController::GetLanguageCodeFromIMGFileNmae("jp"), 4);
  EXPECT_EQ(UpdateViewController::LanguageCodeFromString(4), 6);
  EXPECT_EQ(UpdateViewController::GetLanguageCodeFromIMGFileNmae("fn"), 10);
  EXPECT_EQ(UpdateViewController::GetLanguageCodeFromIMGFileNmae("en"), 0);
  const int command_codes[] = {0, 1, 4, 3, 6, 5, 2, 7, 8, 9, 10, 0};
  for (int index = 0; index <= 11; ++index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(UpdateViewController::LanguageCodeFromString(index), command_codes[index]);
  }
}

}  // namespace
