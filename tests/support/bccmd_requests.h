#pragma once
// The BCCMD requests a simulated BlueCore device received, in a form a test can
// compare: "size 0x02a3" (the length of a PS key), "read 0x02a3", "write 0x02a4",
// or "get 0x4001" / "set 0x1234" for other variables.
#include <cstdio>
#include <string>
#include <vector>

#include "sim/models/bluecore_model.h"

namespace test_support {

inline std::string describe_request(const sim::BccmdRequest& request) {
  char text[32];
  if (request.varid == 0x3006 && request.type == 0) {
    std::snprintf(text, sizeof text, "size 0x%04x", request.key());
  } else if (request.varid == 0x7003) {
    std::snprintf(text, sizeof text, "%s 0x%04x", request.type == 2 ? "write" : "read", request.key());
  } else {
    std::snprintf(text, sizeof text, "%s 0x%04x", request.type == 2 ? "set" : "get", request.varid);
  }
  return text;
}

// Takes the device's requests and describes each.
inline std::vector<std::string> requests_received(sim::BlueCoreModel& model) {
  std::vector<std::string> requests;
  for (const sim::BccmdRequest& request : model.take_requests()) requests.push_back(describe_request(request));
  return requests;
}

// Takes the device's requests and keeps the keys read and written, keys in
// decimal: "read 654" for each read (its length request, which every read
// starts with, so a read the device refuses counts too) and "write 671".
inline std::vector<std::string> key_traffic(sim::BlueCoreModel& model) {
  std::vector<std::string> keys;
  for (const sim::BccmdRequest& request : model.take_requests()) {
    if (request.type == 0 && request.varid == 0x3006) keys.push_back("read " + std::to_string(request.key()));
    if (request.type == 2 && request.varid == 0x7003) keys.push_back("write " + std::to_string(request.key()));
  }
  return keys;
}

}  // namespace test_support
