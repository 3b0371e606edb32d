#pragma once
// Command reports as the callers of the HID command channel build them, and
// opening the device they go to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "transport/hid_channel.h"

namespace test_support {

// [0] report id 1, [1] command, [2..] parameters.
inline hid_cmd_report long_request(std::uint8_t command, const std::vector<std::uint8_t>& parameters = {}) {
  hid_cmd_report request{};
  request[0] = 1;
  request[1] = command;
  std::copy(parameters.begin(), parameters.end(), request.begin() + 2);
  return request;
}

inline hid_short_report short_request(std::uint8_t command) {
  hid_short_report request{};
  request[0] = 1;
  request[1] = command;
  return request;
}

// Opens the first HID device on the bus into slot 0, keeping the channel's
// console lines out of the test output; returns hid_open_device's code.
inline int open_hid_device_quietly() {
  std::uint32_t product_id = 0;
  transport_message message{};
  testing::internal::CaptureStdout();
  const int result = hid_open_device(product_id, message);
  testing::internal::GetCapturedStdout();
  return result;
}

}  // namespace test_support
