#include "transport/device_info_queries.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "device_data/product_facts.h"
#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"
#include "support/hid_requests.h"
#include "transport/hid_channel.h"

namespace {

using Blocks = std::map<std::uint8_t, std::vector<std::uint16_t>>;

// A request the queries send: read block `block` with [3] = `parameter`.
struct BlockRead {
  std::uint8_t block;
  std::uint8_t parameter;
};

// One query on a device holding `blocks`: the answer and the reads it sends.
struct QueryCase {
  const char* name;
  std::uint32_t product;
  Blocks blocks;
  sim::Faults faults;
  int expected;
  std::vector<BlockRead> reads;
};

// The queries as recognition asks them for a product, by its catalogue row.
int fm_row_of(std::uint32_t product) {
  return transport::get_device_info_for_fm_radio_with_pskey(
      device_data::product_facts(static_cast<int>(product)).fm_by_hardware_version);
}

int speaker_status_of(std::uint32_t product) {
  return transport::get_device_info_for_hd_speaker_with_pskey(
      device_data::product_facts(static_cast<int>(product)).speaker_query);
}

class DeviceInfoQueries : public test_support::BusFixture {
 protected:
  // Plugs in a device with `blocks` (and the given faults) and opens it in slot 0.
  std::shared_ptr<sim::HidModel> open_device(const Blocks& blocks, sim::Faults faults = {}) {
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.blocks = blocks;
    options.faults = faults;
    auto model = attach(std::make_shared<sim::HidModel>(options));
    EXPECT_EQ(test_support::open_hid_device_quietly(), 0);
    return model;
  }

  void TearDown() override {
    hid_close_all();
    BusFixture::TearDown();
  }

  // Runs `query` for each case on a freshly plugged device and checks its answer and reads.
  template <class Query>
  void run_cases(const std::vector<QueryCase>& cases, Query query) {
    for (const QueryCase& c : cases) {
      SCOPED_TRACE(c.name);
      auto model = open_device(c.blocks, c.faults);
      EXPECT_EQ(query(c.product), c.expected);
      expect_reads(*model, c.reads);
      hid_close_all();
      sim::detach(*model);
    }
  }

  static void expect_reads(sim::HidModel& model, const std::vector<BlockRead>& expected) {
    const auto reports = model.take_output_reports();
    ASSERT_EQ(reports.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(i);
      ASSERT_GE(reports[i].size(), 4u);
      EXPECT_EQ(reports[i][0], 1);
      EXPECT_EQ(reports[i][1], 0x03);
      EXPECT_EQ(reports[i][2], expected[i].block);
      EXPECT_EQ(reports[i][3], expected[i].parameter);
    }
  }
};

TEST_F(DeviceInfoQueries, FmRadioRowFollowsTheHardwareVersionOfTheVariantProducts) {
  const std::vector<QueryCase> cases = {
      {"board 2 hides the row", 0x3032, {{0x06, {0x0102, 0x0000}}}, {}, 4, {{0x06, 2}}},
      {"board 1 shows it", 0x3144, {{0x06, {0x0101, 0x0000}}}, {}, 3, {{0x06, 2}}},
      {"three words show it", 0x3050, {{0x06, {0x0102, 0, 0}}}, {}, 3, {{0x06, 2}}},
      {"failed read shows it", 0x3124, {}, {.fail_status = 0x02}, 3, {{0x06, 2}}},
      {"other products are not asked", 0x6020, {{0x06, {0x0102, 0}}}, {}, 3, {}},
  };
  run_cases(cases, fm_row_of);
}

TEST_F(DeviceInfoQueries, FmRadioQueryLogsTheHardwareVersionFromBothWords) {
  auto model = open_device({{0x06, {0x0102, 0x0003}}});
  testing::internal::CaptureStdout();
  EXPECT_EQ(fm_row_of(0x3032), 4);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("len = 2 hardware version v2.3"), std::string::npos);
  expect_reads(*model, {{0x06, 2}});
}

TEST_F(DeviceInfoQueries, SpeakerStatusByProductAndHardwareBlocks) {
  const std::vector<QueryCase> cases = {
      {"no hardware to ask", 0x6020, {}, {}, 0, {}},
      {"4210 user5 11", 0x4210, {{0x05, {11}}}, {}, 1, {{0x05, 0}}},
      {"4210 user5 27", 0x4210, {{0x05, {0x011B}}}, {}, 1, {{0x05, 0}}},
      {"4210 a=1 b=0", 0x4210, {{0x05, {3}}, {0x12, {1, 0}}}, {}, 2, {{0x05, 0}, {0x12, 2}}},
      {"4210 a=0 b=0", 0x4210, {{0x05, {3}}, {0x12, {0, 0}}}, {}, 0, {{0x05, 0}, {0x12, 2}}},
      {"4210 a=1 b=1", 0x4210, {{0x05, {3}}, {0x12, {1, 1}}}, {}, 7, {{0x05, 0}, {0x12, 2}}},
      {"4210 a=0 b=1", 0x4210, {{0x05, {3}}, {0x12, {0, 1}}}, {}, 6, {{0x05, 0}, {0x12, 2}}},
      {"4210 other b", 0x4210, {{0x05, {3}}, {0x12, {0, 9}}}, {}, 2, {{0x05, 0}, {0x12, 2}}},
      {"4210 empty block 0x12", 0x4210, {{0x05, {3}}, {0x12, {}}}, {}, 0, {{0x05, 0}, {0x12, 2}}},
      {"4210 both reads fail", 0x4210, {}, {.fail_status = 0x02}, 0, {{0x05, 0}, {0x12, 2}}},
      {"3110 word 2 set", 0x3110, {{0x06, {0, 0, 1, 0}}}, {}, 2, {{0x06, 4}}},
      {"5570 word 2 clear", 0x5570, {{0x06, {0, 0, 0x0100, 0}}}, {}, 0, {{0x06, 4}}},
      {"3110 exactly two words", 0x3110, {{0x06, {1, 1}}}, {}, 0, {{0x06, 4}}},
      {"5570 failed read", 0x5570, {}, {.fail_status = 0x02}, 0, {{0x06, 4}}},
  };
  run_cases(cases, speaker_status_of);
}

// Words a device sends past the word count it reports are not its answer.
TEST_F(DeviceInfoQueries, WordsBeyondTheReportedCountReadAsZero) {
  const std::vector<QueryCase> cases = {
      // one word reported: word 2 (7) is not part of the reply
      {"3110 with one word", 0x3110, {{0x06, {1, 1, 7}}}, {.word_count_offset = -2}, 0, {{0x06, 4}}},
      {"5570 with one word", 0x5570, {{0x06, {1, 1, 7}}}, {.word_count_offset = -2}, 0, {{0x06, 4}}},
      // block 0x12 with one word reported: b is 0, not the 1 that follows
      {"4210 with one word", 0x4210, {{0x05, {3, 0}}, {0x12, {5, 1}}}, {.word_count_offset = -1}, 2,
       {{0x05, 0}, {0x12, 2}}},
  };
  run_cases(cases, speaker_status_of);
}

}  // namespace
