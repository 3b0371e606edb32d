#include "sim/models/hid_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sim/bus.h"
#include "support/hid_device_fixture.h"
#include "support/hid_requests.h"
#include "transport/hid_channel.h"

namespace {

using std::chrono::seconds;
using Bytes = std::vector<std::uint8_t>;
using test_support::long_request;

class HidModelTest : public test_support::HidDeviceFixture {
 protected:
  Bytes reply_data(std::size_t count) const { return Bytes(m_reply.begin() + 3, m_reply.begin() + 3 + count); }
};

TEST_F(HidModelTest, AnswersEachCommandFromItsHandler) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.version = {4, 2, 1, 7};
  options.language_pack = {3, 1, 5};
  options.mode = 9;
  options.fm_present = false;
  options.motion_present = true;
  auto device = open(options);
  device->on_command(0x20, [](std::span<const std::uint8_t> request) {
    return sim::HidModel::Answer{0, {static_cast<std::uint8_t>(request[2] + 1)}};
  });
  struct Case {
    const char* name;
    hid_cmd_report report;
    int result;
    Bytes data;  // reply bytes from 3 on
  };
  const Case cases[] = {
      {"hello", long_request(0x00), 1, {}},
      {"version with language pack", long_request(0x01), 1, {4, 2, 1, 7, 0, 3, 1, 5}},
      {"bluetooth address", long_request(0x02), 1, {0x00, 0x1A, 0x7D, 0xDA, 0x71, 0x13}},
      {"prepare block", long_request(0x10, {0x15}), 1, {0x15}},
      {"commit", long_request(0x11), 1, {}},
      {"mode probe", long_request(0x12), 1, {9}},
      {"fm radio", long_request(0x1A), 1, {0}},
      {"motion sensor", long_request(0x1B), 1, {1}},
      {"pair hold", long_request(0x30), 1, {}},
      {"mesh switch without a mesh unit", long_request(0x50), 0, {}},
      {"unknown command", long_request(0x77), 0, {}},
      {"handler added by the test", long_request(0x20, {0x41}), 1, {0x42}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(exchange(c.report), c.result);
    EXPECT_EQ(m_reply[1], c.report[1]);
    EXPECT_EQ(reply_data(c.data.size()), c.data);
    EXPECT_EQ(device->take_output_reports().size(), 1u);
  }
  EXPECT_EQ(device->commits(), 1);
}

TEST_F(HidModelTest, BlocksRoundTripThroughTheStore) {
  auto device = open(sim::hid_fixture_6020());
  hid_cmd_report write = long_request(0x04, {0x12, 3});
  const std::uint16_t words[] = {0x0102, 0xA0B0, 0x00FF};
  std::memcpy(write.data() + 4, words, sizeof words);
  // host-order (little-endian) words go out most significant byte first
  swap_packet_words(write);
  ASSERT_EQ(exchange(write), 1);
  EXPECT_EQ(device->block(0x12), (std::vector<std::uint16_t>{0x0102, 0xA0B0, 0x00FF}));

  ASSERT_EQ(exchange(long_request(0x03, {0x12, 3})), 1);
  EXPECT_EQ(reply_data(8), (Bytes{0x12, 3, 0x01, 0x02, 0xA0, 0xB0, 0x00, 0xFF}));

  // the name block holds the product name one character per word after word 0
  ASSERT_EQ(exchange(long_request(0x03, {0x1D, 0})), 1);
  EXPECT_EQ(reply_data(6), (Bytes{0x1D, 6, 0, 5, 0, 'Y'}));
  // a block never written reads as blank words of the requested length
  ASSERT_EQ(exchange(long_request(0x03, {0x40, 2})), 1);
  EXPECT_EQ(reply_data(6), (Bytes{0x40, 2, 0, 0, 0, 0}));
  EXPECT_EQ(device->take_output_reports().size(), 4u);
}

TEST_F(HidModelTest, FailingBlocksRefuseReadsAndWrites) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.blocks[0x04] = {0x1234};
  options.failing_blocks = {0x04};
  auto device = open(options);
  EXPECT_EQ(exchange(long_request(0x03, {0x04})), 0);
  EXPECT_EQ(m_reply[2], sim::k_hid_status_failed);
  EXPECT_EQ(exchange(long_request(0x04, {0x04, 1, 0x00, 0x07})), 0);
  EXPECT_EQ(device->block(0x04), std::vector<std::uint16_t>{0x1234});
  // other blocks answer as before
  EXPECT_EQ(exchange(long_request(0x03, {0x1D})), 1);
  EXPECT_EQ(device->take_output_reports().size(), 3u);
}

TEST_F(HidModelTest, WordCountFaultsMisreportTheBlockLength) {
  struct Case {
    const char* name;
    int offset;
    std::uint8_t reported;
  };
  const Case cases[] = {{"short", -2, 1}, {"oversized", 200, 203}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.blocks[0x05] = {0x1111, 0x2222, 0x3333};
    options.faults.word_count_offset = c.offset;
    hid_close_all();
    sim::reset();
    auto device = open(options);
    ASSERT_EQ(exchange(long_request(0x03, {0x05, 3})), 1);
    EXPECT_EQ(m_reply[4], c.reported);
    // the reply buffer holds at most 31 words: the swap stops there
    swap_reply_words(m_reply);
    EXPECT_EQ(reply_data(4), (Bytes{0x05, c.reported, 0x11, 0x11}));
    device->take_output_reports();
  }
}

TEST_F(HidModelTest, LanguagePackSettingsWriteIsReadBack) {
  auto device = open(sim::hid_fixture_6800());
  lang_pack_report write{1, 0, 0x04, 0x03, 0x34, 0x12, 0x00, 0xFF, 0x01, 0x00};
  lang_pack_reply reply{};
  testing::internal::CaptureStdout();
  ASSERT_EQ(hid_lang_pack_command(0, write, reply), 1);
  lang_pack_report read{1, 0, 0x03, 0x03};
  ASSERT_EQ(hid_lang_pack_command(0, read, reply), 1);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(device->lang_pack_settings(), (std::array<std::uint16_t, 3>{0x1234, 0xFF00, 0x0001}));
  EXPECT_EQ(Bytes(reply.begin() + 4, reply.begin() + 10), (Bytes{0x34, 0x12, 0x00, 0xFF, 0x01, 0x00}));
  device->take_received();
}

// The Airoha chip acknowledges each chunk with its CRC and leaves unanswered
// what it refuses: data outside a block or with a count outside 1 to 58, a
// verify naming another CRC, an apply of a block not verified.
TEST_F(HidModelTest, AirohaChipTakesBlocksAndRefusesBySilence) {
  auto device = open(sim::hid_fixture_6800());
  lang_pack_reply reply{};
  const auto send = [&](std::vector<std::uint8_t> bytes) {
    lang_pack_report report{};
    std::copy(bytes.begin(), bytes.end(), report.begin());
    return hid_lang_pack_command(0, report, reply);
  };
  testing::internal::CaptureStdout();
  EXPECT_EQ(send({1, 0, 0x06, 1, 0xAA}), 0) << "data before a begin";
  EXPECT_EQ(send({1, 0, 0x08}), 0) << "apply without a block";
  ASSERT_EQ(send({1, 0, 0x05}), 1);
  EXPECT_EQ(send({1, 0, 0x06, 0}), 0) << "no data";
  EXPECT_EQ(send({1, 0, 0x06, 59}), 0) << "more than 58 bytes";
  ASSERT_EQ(send({1, 0, 0x06, 3, '1', '2', '3'}), 1);
  // CRC-16/XMODEM of "123", low byte first
  EXPECT_EQ(reply[4] | reply[5] << 8, 0x9752);
  EXPECT_EQ(send({1, 0, 0x5B, 0, 2, 0x53, 0x97}), 0) << "another CRC";
  EXPECT_EQ(send({1, 0, 0x08}), 0) << "not verified";
  ASSERT_EQ(send({1, 0, 0x5B, 0, 2, 0x52, 0x97}), 1);
  ASSERT_EQ(send({1, 0, 0x08}), 1);
  testing::internal::GetCapturedStdout();
  const std::vector<sim::ReceivedBlock> blocks = device->airoha_block()->blocks();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].data, (Bytes{'1', '2', '3'}));
  EXPECT_EQ(blocks[0].verified, 0x9752);
  EXPECT_TRUE(blocks[0].applied);
  EXPECT_EQ(device->airoha_block()->restarts(), 1);
  clock().sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(device->present()) << "restarting";
  clock().sleep_for(std::chrono::milliseconds(2000));
  EXPECT_TRUE(device->present()) << "back after 2 s";
  device->take_received();
}

// A mesh unit either takes the main unit's place until the host closes it, or
// (the mesh processor 0x3120) joins the bus beside it; a unit that never
// appears leaves the main unit where it is.
TEST_F(HidModelTest, MeshSwitchShowsTheMeshUnit) {
  struct Case {
    const char* name;
    std::uint16_t mesh_id;
    bool never_appears;
    std::uint8_t command;
    int (*open_mesh)(std::uint32_t&, transport_message&);
    const char* console;         // the mesh open's line
    bool main_unit_while_mesh;   // the main unit stays on the bus meanwhile
  };
  const Case cases[] = {
      {"QCC mesh unit in place of the main unit", 0x3160, false, 0x0F, &hid_open_mesh_qcc, "qcc mesh pid[3160]\n",
       false},
      {"mesh processor beside the main unit", 0x3120, false, 0x50, &hid_open_mesh_3120,
       "nd4mesh pid[6020]\nnd4mesh pid[3120]\n", true},
      {"a mesh unit that never appears", 0x3160, true, 0x0F, &hid_open_mesh_qcc, "qcc mesh pid[6020]\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.mesh = sim::MeshUnit{};
    options.mesh->product_id = c.mesh_id;
    options.mesh->version = {2, 3, 0, 1};
    options.mesh->never_appears = c.never_appears;
    auto device = open(options);

    ASSERT_EQ(exchange(long_request(c.command)), 1);
    platform::sleep_for(seconds(2));
    hid_close_all();
    EXPECT_EQ(device->in_mesh_mode(), !c.main_unit_while_mesh);
    std::uint32_t product_id = 0;
    transport_message message{};
    testing::internal::CaptureStdout();
    const int opened = c.open_mesh(product_id, message);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.console);
    if (c.never_appears) {
      EXPECT_EQ(opened, -2);
    } else {
      ASSERT_EQ(opened, 0);
      EXPECT_EQ(product_id, c.mesh_id);
      // the mesh unit tells its own version, on the short report too
      hid_short_report reply{};
      ASSERT_EQ(hid_short_command(0, test_support::short_request(0x01), reply), 1);
      EXPECT_EQ(Bytes(reply.begin() + 3, reply.begin() + 7), (Bytes{2, 3, 0, 1}));
    }

    hid_close_all();
    testing::internal::CaptureStdout();
    ASSERT_EQ(hid_open_device(product_id, message), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(product_id, 0x6020u);
    const std::size_t to_main_unit = c.mesh_id == sim::k_mesh_processor_id || c.never_appears ? 1u : 2u;
    EXPECT_EQ(device->take_output_reports().size(), to_main_unit);
    if (auto processor = device->mesh_processor()) {
      EXPECT_EQ(processor->take_output_reports().size(), 1u);
      EXPECT_TRUE(processor->present()) << "the processor stays beside the main unit";
    }
    hid_close_all();
    sim::detach(*device);
    sim::reset();
  }
}

TEST_F(HidModelTest, DownloadModeProductsAnswerEnterDownloadModeAndLeave) {
  struct Case {
    const char* name;
    std::uint16_t product_id;
    std::uint8_t enter_download_status;
    int result;
    bool stays;
  };
  const Case cases[] = {
      {"0x6020 leaves", 0x6020, 0, 1, false},
      {"0x6022 leaves", 0x6022, 0, 1, false},
      {"0x6024 leaves", 0x6024, 0, 1, false},
      {"a refusing status keeps it", 0x6024, 5, 0, true},
      {"0x6010 takes it and stays for its sections", 0x6010, 0, 1, true},
      {"other products do not know the command", 0x6030, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.product_id = c.product_id;
    options.enter_download_status = c.enter_download_status;
    auto device = open(options);
    EXPECT_EQ(exchange(long_request(0x0E)), c.result);
    EXPECT_TRUE(device->present()) << "the answer is read before the device goes";
    platform::sleep_for(seconds(1));
    EXPECT_EQ(device->present(), c.stays);
    EXPECT_EQ(device->take_output_reports().size(), 1u);
    hid_close_all();
    sim::reset();
  }
}

TEST_F(HidModelTest, LanguagePackRepliesCarryVersionsAndName) {
  auto device = open(sim::hid_fixture_6800());
  struct Case {
    const char* name;
    std::uint8_t command;
    std::uint8_t argument;
    std::vector<int> chunks;
    std::size_t requests;  // the 10-byte pack version overshoots the first row and is asked again
    std::uint8_t gathered;
    std::size_t first;
    Bytes expected;  // reply bytes from `first` on
  };
  const Case cases[] = {
      {"main version", 0x01, 0x00, {4, 3}, 1, 7, 4, {2, 1, 0, 3}},
      {"language pack version", 0x01, 0x01, {60}, 2, 10, 4, {1, 3, 0, 0, 1}},
      {"name", 0x03, 0x02, {4, 3}, 1, 60, 4, {'W', 'E', 'B', 'L', 'O', 'R', ' ', 'G', 'Z', '3', 0}},
      // settings words 0-2 least significant byte first, then nothing
      {"settings words", 0x03, 0x03, {60}, 1, 60, 4, {0x13, 0x00, 0x45, 0x23, 0x07, 0x00, 0}},
      {"speed dial 1", 0x03, 0x05, {60}, 1, 60, 4, {'5', '5', '5', '1', '2', '3', '4', 0}},
      {"empty speed dial 2", 0x03, 0x06, {60}, 1, 60, 4, {0, 0}},
      {"speed dial 3", 0x03, 0x07, {60}, 1, 60, 4, {'0', '8', '0', '0', ' ', '1', '1', 0}},
      {"settings write acknowledged", 0x04, 0x03, {60}, 1, 2, 2, {0x04, 0x03}},
      {"bluetooth address", 0x02, 0x00, {4, 3}, 1, 8, 2, {0x02, 0x00, 0x00, 0x1A, 0x7D, 0xDA, 0x71, 0x13}},
      {"block result", 0x0A, 0x00, {1}, 1, 3, 2, {0x0A, 0x00, 0}},
      {"begin block, no payload", 0x05, 0x00, {60}, 1, 2, 2, {0x05, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    device->set_lang_pack_chunk_bytes(c.chunks);
    lang_pack_report report{1, 0, c.command, c.argument};
    lang_pack_reply reply{};
    testing::internal::CaptureStdout();
    EXPECT_EQ(hid_lang_pack_command(0, report, reply), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(reply[1], c.gathered);
    EXPECT_EQ(Bytes(reply.begin() + static_cast<std::ptrdiff_t>(c.first),
                    reply.begin() + static_cast<std::ptrdiff_t>(c.first + c.expected.size())),
              c.expected);
    const auto writes = device->take_output_reports();
    ASSERT_EQ(writes.size(), c.requests);
    for (const Bytes& write : writes) {
      EXPECT_EQ(write.size(), 62u);
      EXPECT_EQ(Bytes(write.begin(), write.begin() + 4), (Bytes{1, '<', c.command, c.argument}));
    }
    device->take_received();  // the input-report polls
  }
}

}  // namespace
