#pragma once
// Command reports as the callers of the HID command channel build them.
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

}  // namespace test_support
