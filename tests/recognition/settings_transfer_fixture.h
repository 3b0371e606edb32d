#pragma once
// Fixture of the settings transfer tests: devices opened straight into their
// slots (the open filter plays no part), the worker's buffers, and the block
// traffic a device received as readable lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "recognition/settings_blocks.h"
#include "session/app_state.h"
#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"

namespace test_support {

// "read 04", "announce 15", "address", "write 04: 1C21 0583" (words as the
// device takes them), "commit 04: 1C21 0583" (the commit's words read low byte
// first), "lang 03 03" for a language-pack request, "command 12" for the rest.
inline std::vector<std::string> block_traffic(sim::HidModel& model) {
  std::vector<std::string> lines;
  char text[16];
  for (const std::vector<std::uint8_t>& report : model.take_output_reports()) {
    if (report.size() < 4) continue;
    const auto hex = [&](unsigned value) {
      std::snprintf(text, sizeof text, "%02X", value);
      return std::string(text);
    };
    if (report[1] == '<') {
      lines.push_back("lang " + hex(report[2]) + " " + hex(report[3]));
      continue;
    }
    const std::string block = hex(report[2]);
    switch (report[1]) {
      case 0x02: lines.push_back("address"); break;
      case 0x03: lines.push_back("read " + block); break;
      case 0x10: lines.push_back("announce " + block); break;
      case 0x04:
      case 0x11: {
        const bool commit = report[1] == 0x11;
        std::string line = (commit ? "commit " : "write ") + block + ":";
        for (std::size_t i = 0; i < report[3] && 5 + 2 * i < report.size(); ++i) {
          const unsigned high = commit ? report[5 + 2 * i] : report[4 + 2 * i];
          const unsigned low = commit ? report[4 + 2 * i] : report[5 + 2 * i];
          std::snprintf(text, sizeof text, " %04X", high << 8 | low);
          line += text;
        }
        lines.push_back(line);
        break;
      }
      default: lines.push_back("command " + hex(report[1]));
    }
  }
  return lines;
}

class SettingsTransferFixture : public BusFixture {
 protected:
  void TearDown() override {
    hid_close_all();
    BusFixture::TearDown();
  }

  // Plugs a device and opens it into `slot`.
  std::shared_ptr<sim::HidModel> plug_into(int slot, sim::HidModelOptions options) {
    auto model = attach(std::make_shared<sim::HidModel>(options));
    EXPECT_EQ(transport::hid_open_into_slot_for_test(slot, options.product_id), 0);
    return model;
  }

  recognition::SettingsBlocks blocks() { return recognition::SettingsBlocks({m_request, m_reply, m_lang_request, m_lang_reply}); }

  // Takes the channel's console lines out of the test output while `step` runs.
  template <class Step>
  void quietly(Step&& step) {
    testing::internal::CaptureStdout();
    step();
    m_log = testing::internal::GetCapturedStdout();
  }

  session::AppState m_controller;
  hid_cmd_report m_request{};
  hid_status_report m_reply{};
  lang_pack_report m_lang_request{};
  lang_pack_reply m_lang_reply{};
  std::string m_log;
};

}  // namespace test_support
