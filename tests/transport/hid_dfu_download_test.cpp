#include "transport/hid_dfu_download.h"

#include <gtest/gtest.h>
#include <hidapi/hidapi.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sim/bus.h"
#include "sim/models/hid_dfu_model.h"
#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"
#include "support/hid_requests.h"
#include "support/temp_folder.h"
#include "transport/crc.h"
#include "transport/hid_channel.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;

void put_le32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct SuffixFile {
  std::size_t payload_bytes = 100;
  std::uint32_t recorded_payload = 0;  // bytes 10-13; 0 takes payload_bytes
  std::uint16_t dfu_version = 0x0100;
  const char* signature = "UFD";
  std::uint8_t suffix_length = 16;
  bool good_crc = true;
};

// The payload (its byte count at 10-13), then the 16-byte DFU suffix.
Bytes suffixed_file(const SuffixFile& spec) {
  Bytes bytes(spec.payload_bytes + 16, 0);
  for (std::size_t i = 0; i < spec.payload_bytes; ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
  put_le32(bytes, 10, spec.recorded_payload != 0 ? spec.recorded_payload : static_cast<std::uint32_t>(spec.payload_bytes));
  std::uint8_t* suffix = bytes.data() + spec.payload_bytes;
  suffix[0] = 0x00;  // bcdDevice, idProduct, idVendor
  suffix[1] = 0x01;
  suffix[2] = 0x20;
  suffix[3] = 0x60;
  suffix[4] = 0xA7;
  suffix[5] = 0xF3;
  suffix[6] = static_cast<std::uint8_t>(spec.dfu_version);
  suffix[7] = static_cast<std::uint8_t>(spec.dfu_version >> 8);
  std::copy(spec.signature, spec.signature + 3, suffix + 8);
  suffix[11] = spec.suffix_length;
  const std::uint32_t crc = transport::crc32_jamcrc({bytes.data(), bytes.size() - 4});
  put_le32(bytes, bytes.size() - 4, spec.good_crc ? crc : ~crc);
  return bytes;
}

int open_descriptors() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                        std::filesystem::directory_iterator{}));
}

class HidDfuDownloadTest : public test_support::BusFixture {
 protected:
  struct Outcome {
    int result = 0;
    std::string console;
    std::vector<sim::HidDfuModel::Block> blocks;
    Bytes image;
    int clear_status = 0;
  };

  // Attaches a device with `options`, sends `file` to it and detaches it again.
  Outcome download(const sim::HidDfuModelOptions& options, const Bytes& file) {
    const std::string path = m_folder.write("firmware.dfu", file);
    return download_path(options, path.c_str());
  }

  Outcome download_path(const sim::HidDfuModelOptions& options, const char* path) {
    auto device = std::make_shared<sim::HidDfuModel>(options);
    sim::attach(device);
    hid_device* handle = open_first();
    const int descriptors = open_descriptors();
    Outcome outcome;
    testing::internal::CaptureStdout();
    outcome.result = hid_dfu_download_file(handle, path);
    outcome.console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(open_descriptors(), descriptors) << "the file stays open";
    hid_close(handle);
    outcome.blocks = device->blocks();
    outcome.image = device->image();
    outcome.clear_status = device->clear_status_requests();
    sim::detach(*device);
    return outcome;
  }

  static hid_device* open_first() {
    hid_device_info* devices = hid_enumerate(0, 0);
    EXPECT_NE(devices, nullptr);
    hid_device* handle = devices == nullptr ? nullptr : hid_open_path(devices->path);
    hid_free_enumeration(devices);
    return handle;
  }

  test_support::TempFolder m_folder;
};

TEST_F(HidDfuDownloadTest, SendsThePayloadInBlocksAndEndsWithAnEmptyBlock) {
  struct Case {
    const char* name;
    std::size_t payload_bytes;
    std::vector<std::size_t> block_lengths;
  };
  const Case cases[] = {
      {"one short block", 100, {100, 0}},
      {"exactly two blocks", 2 * 1017, {1017, 1017, 0}},
      {"two blocks and a byte", 2 * 1017 + 1, {1017, 1017, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = suffixed_file({.payload_bytes = c.payload_bytes});
    const Outcome outcome = download({}, file);
    EXPECT_EQ(outcome.result, 0);
    ASSERT_EQ(outcome.blocks.size(), c.block_lengths.size());
    for (std::size_t i = 0; i < outcome.blocks.size(); ++i) {
      EXPECT_EQ(outcome.blocks[i].number, i);
      EXPECT_EQ(outcome.blocks[i].payload.size(), c.block_lengths[i]);
    }
    EXPECT_EQ(outcome.image, Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(c.payload_bytes)));
    EXPECT_NE(outcome.console.find("\nComplete\n"), std::string::npos);
    EXPECT_NE(outcome.console.find("Finished (noerr 0)\n"), std::string::npos);
  }
}

TEST_F(HidDfuDownloadTest, FileAndSuffixFaultsEndBeforeAnythingIsSent) {
  struct Case {
    const char* name;
    SuffixFile file;
    int result;
    const char* console;
  };
  const Case cases[] = {
      {"signature not UFD", {.signature = "UFE"}, -1, "file suffix is invalid\nFinished (err -1)\n"},
      {"bcdDFU not 1.0", {.dfu_version = 0x011A}, -1, "file suffix is invalid\nFinished (err -1)\n"},
      {"suffix length below 16", {.suffix_length = 15}, -1, "file suffix is invalid\nFinished (err -1)\n"},
      {"suffix longer than the file", {.payload_bytes = 40, .suffix_length = 57}, -1, "file suffix is invalid\n"},
      {"CRC mismatch", {.good_crc = false}, -6, "Finished (err -6)\n"},
      {"payload count beyond the file", {.recorded_payload = 5000}, -7, "read_failed\nFinished (err -7)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = download({}, suffixed_file(c.file));
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_TRUE(outcome.blocks.empty());
    EXPECT_NE(outcome.console.find(c.console), std::string::npos) << outcome.console;
  }
  EXPECT_EQ(download_path({}, m_folder.file("missing.dfu").c_str()).console, "no file\n");
  const Outcome short_file = download({}, Bytes(15, 0));
  EXPECT_EQ(short_file.result, -1);
  EXPECT_EQ(short_file.console, "file too short\n");
}

TEST_F(HidDfuDownloadTest, DeviceFaults) {
  struct Case {
    const char* name;
    sim::HidDfuModelOptions device;
    int result;
    std::size_t blocks;
    int clear_status;
  };
  const Case cases[] = {
      {"error state at the first poll is cleared", {.error_at_poll = 1}, 0, 4, 1},
      {"error state that CLRSTATUS does not clear", {.error_at_poll = 1, .clear_status_fails = true}, -16, 0, 1},
      {"busy for one poll after each block", {.busy_polls = 1}, 0, 4, 0},
      {"busy for two polls", {.busy_polls = 2}, -14, 1, 0},
      {"error state mid-download", {.error_at_poll = 3}, -16, 2, 0},
      {"unexpected state after a block", {.state_after_block = 3}, -8, 1, 0},
      {"status report fails", {.faults = {.read_error = true}}, -12, 0, 0},
      // cleared, the missing state would read as appIDLE: ready for a block
      {"status reports cut before their state", {.faults = {.short_reply_bytes = 5}}, -12, 0, 0},
      {"one failed status poll is tried again", {.fail_report = 1}, 0, 4, 0},
      {"first block refused", {.fail_report = 2}, -12, 0, 0},
      {"closing block refused", {.fail_report = 8}, -12, 3, 0},
  };
  const Bytes file = suffixed_file({.payload_bytes = 2500});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = download(c.device, file);
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(outcome.blocks.size(), c.blocks);
    EXPECT_EQ(outcome.clear_status, c.clear_status);
    const std::string finished = c.result == 0 ? "Finished (noerr 0)" : "Finished (err " + std::to_string(c.result) + ")";
    EXPECT_NE(outcome.console.find(finished), std::string::npos);
  }
}

TEST_F(HidDfuDownloadTest, WaitsFollowThePollTimeout) {
  auto device = std::make_shared<sim::HidDfuModel>(sim::HidDfuModelOptions{.poll_timeout_ms = 300, .busy_polls = 1});
  sim::attach(device);
  hid_device* handle = open_first();
  const std::string path = m_folder.write("firmware.dfu", suffixed_file({.payload_bytes = 20}));
  testing::internal::CaptureStdout();
  EXPECT_EQ(hid_dfu_download_file(handle, path.c_str()), 0);
  testing::internal::GetCapturedStdout();
  // one busy wait after the block and the final sleep before the last poll
  EXPECT_EQ(clock().elapsed(), milliseconds(600));
  hid_close(handle);
}

TEST_F(HidDfuDownloadTest, AbortReportAndLongCommandOnAHandle) {
  auto device = std::make_shared<sim::HidDfuModel>();
  sim::attach(device);
  hid_device* handle = open_first();
  EXPECT_EQ(hid_dfu_send_ff(handle), 0);
  EXPECT_EQ(device->abort_requests(), 1);
  EXPECT_EQ(hid_dfu_send_ff(nullptr), -9);
  hid_close(handle);
  sim::detach(*device);

  auto hid = std::make_shared<sim::HidModel>(sim::hid_fixture_6020());
  sim::attach(hid);
  handle = open_first();
  hid_status_report reply{};
  testing::internal::CaptureStdout();
  EXPECT_EQ(hid_long_command_on(handle, test_support::long_request(0x01), reply), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "com[1] lsatcom[1] status[0]\n");
  EXPECT_EQ(reply[1], 0x01);
  EXPECT_EQ(hid->take_output_reports().size(), 1u);
  testing::internal::CaptureStdout();
  EXPECT_EQ(hid_long_command_on(nullptr, test_support::long_request(0x01), reply), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "hid handle com[1]: " + transport::describe({transport::HidFailure::not_open}) + "\n");
  hid_close(handle);
}

TEST(HidDfuCrc, ModuleFunctions) {
  const std::string check = "123456789";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(check.data());
  EXPECT_EQ(hid_dfu_crc16(bytes, 9), 0x31C3);
  EXPECT_EQ(hid_dfu_crc16(bytes, 0), 0);
  EXPECT_EQ(hid_dfu_crc16(bytes, -1), 0);
  EXPECT_EQ(hid_dfu_crc16_from(0xFFFF, bytes, 9), 0x29B1);
  EXPECT_EQ(hid_dfu_crc16_from(0x1D0F, bytes, 0), 0x1D0F);
  EXPECT_EQ(hid_dfu_crc16_from(0x1D0F, bytes, -3), 0);
  hid_dfu_crc32_set(0xFFFFFFFFu);
  hid_dfu_crc32_update(bytes, 4);
  EXPECT_EQ(hid_dfu_crc32_update(bytes + 4, 5), 0x340BC6D9u);
}

}  // namespace
