#include "sim/sim_env.h"

#include <cstdlib>
#include <string>

#include "platform/log.h"
#include "sim/bus.h"
#include "sim/models/bluecore_dfu_model.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/dfu_model.h"
#include "sim/models/hid_dfu_model.h"
#include "sim/models/hid_model.h"

namespace sim {

namespace {

struct Family {
  std::string_view name;
  ModelFactory make;
};

// Short names of the device families; a new family adds its row here.
constexpr Family k_families[] = {
    {"hid", &make_hid_model},
    {"hiddfu", &make_hid_dfu_model},
    {"bluecore", &make_bluecore_model},
    {"dfu", &make_dfu_model},
    {"bluecoredfu", &make_bluecore_dfu_model},
};

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t end = text.find(separator);
    parts.push_back(trim(text.substr(0, end)));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

bool parse_option_number(const std::string& text, unsigned long maximum, unsigned long& value) {
  if (text.empty() || text[0] == '-') return false;
  char* end = nullptr;
  value = std::strtoul(text.c_str(), &end, 0);
  return *end == '\0' && value <= maximum;
}

std::shared_ptr<Model> make_model(std::string_view description, std::string& error) {
  const std::vector<std::string_view> fields = split(description, ',');
  const std::size_t colon = fields[0].find(':');
  if (colon == std::string_view::npos) {
    error = "expected family:product-id in \"" + std::string(description) + "\"";
    return nullptr;
  }
  const std::string_view family_name = trim(fields[0].substr(0, colon));
  const std::string id_text(trim(fields[0].substr(colon + 1)));
  char* end = nullptr;
  const unsigned long product_id = std::strtoul(id_text.c_str(), &end, 0);
  if (id_text.empty() || *end != '\0' || product_id > 0xFFFF) {
    error = "bad product id \"" + id_text + "\"";
    return nullptr;
  }
  std::vector<ModelOption> options;
  for (std::size_t i = 1; i < fields.size(); ++i) {
    if (fields[i].empty()) continue;
    const std::size_t equals = fields[i].find('=');
    options.push_back({std::string(trim(fields[i].substr(0, equals))),
                       equals == std::string_view::npos ? std::string() : std::string(trim(fields[i].substr(equals + 1)))});
  }
  for (const Family& family : k_families) {
    if (family.name == family_name) return family.make(static_cast<std::uint16_t>(product_id), options, error);
  }
  error = "unknown device family \"" + std::string(family_name) + "\"";
  return nullptr;
}

int attach_from_text(std::string_view text) {
  int attached = 0;
  for (std::string_view description : split(text, ';')) {
    if (description.empty()) continue;
    std::string error;
    std::shared_ptr<Model> model = make_model(description, error);
    if (!model) {
      platform::console("VEXLINK_SIM: " + error + "; device skipped");
      continue;
    }
    attach_model(std::move(model));
    platform::console("VEXLINK_SIM: " + std::string(description) + " attached");
    ++attached;
  }
  return attached;
}

int attach_from_environment() {
  const char* text = std::getenv("VEXLINK_SIM");
  return text == nullptr ? 0 : attach_from_text(text);
}

}  // namespace sim
