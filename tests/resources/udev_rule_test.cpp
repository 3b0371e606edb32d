// The udev rule that `make install` puts in place: every rule line hands the
// maker's devices (vendor 0xF3A7) to the user at the screen through the
// "uaccess" tag, on both subsystems the manager opens, and no line opens a
// node to every user.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "transport/device_access.h"

namespace {

struct Assignment {
  std::string key;  // "SUBSYSTEM", "ATTRS{idVendor}", "TAG", "MODE", ...
  std::string op;   // "==", "!=", "=", "+=", "-=", ":="
  std::string value;
};

// The rule lines of a rules file, each split into its key-operator-value pairs.
std::vector<std::vector<Assignment>> rule_lines(const std::string& text) {
  static const std::regex pair(R"(([A-Za-z_]+(?:\{[^}]*\})?)\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)\")");
  std::vector<std::vector<Assignment>> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.find_first_not_of(" \t") == std::string::npos || line[line.find_first_not_of(" \t")] == '#') continue;
    std::vector<Assignment> assignments;
    for (std::sregex_iterator it(line.begin(), line.end(), pair), end; it != end; ++it) {
      assignments.push_back({(*it)[1], (*it)[2], (*it)[3]});
    }
    lines.push_back(assignments);
  }
  return lines;
}

const Assignment* find(const std::vector<Assignment>& line, const std::string& key, const std::string& op) {
  for (const Assignment& assignment : line) {
    if (assignment.key == key && assignment.op == op) return &assignment;
  }
  return nullptr;
}

// A MODE that gives other users any access.
bool opens_to_everyone(const Assignment& assignment) {
  if (assignment.key != "MODE") return false;
  return assignment.value.empty() || assignment.value.back() != '0';
}

std::string read_rule() {
  std::ifstream in(std::string(VX_SOURCE_DIR) + "/resources/linux/" + transport::k_udev_rule_name);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(UdevRule, HandsEveryVexlinkDeviceToTheUserAtTheScreenOnBothSubsystems) {
  const std::string text = read_rule();
  ASSERT_FALSE(text.empty()) << "the rule file named in the console line is missing";
  const auto lines = rule_lines(text);
  ASSERT_FALSE(lines.empty());
  std::set<std::string> subsystems;
  for (const auto& line : lines) {
    const Assignment* subsystem = find(line, "SUBSYSTEM", "==");
    ASSERT_NE(subsystem, nullptr) << "every line names its subsystem";
    subsystems.insert(subsystem->value);
    SCOPED_TRACE(subsystem->value);
    // usbfs nodes are the usb device itself; a hidraw node finds the id on its usb parent
    const Assignment* vendor = find(line, subsystem->value == "usb" ? "ATTR{idVendor}" : "ATTRS{idVendor}", "==");
    ASSERT_NE(vendor, nullptr);
    EXPECT_EQ(vendor->value, "f3a7") << "sysfs writes the vendor id in four lower-case hex digits";
    const Assignment* tag = find(line, "TAG", "+=");
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->value, "uaccess");
    for (const Assignment& assignment : line) EXPECT_FALSE(opens_to_everyone(assignment)) << assignment.value;
  }
  EXPECT_EQ(subsystems, (std::set<std::string>{"usb", "hidraw"}));
}

}  // namespace
