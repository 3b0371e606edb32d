#include "update/package_entries.h"

#include <algorithm>
#include <span>
#include <string>

#include "platform/log.h"
#include "strings/update_texts.h"

namespace update {

namespace {

std::span<const std::uint8_t> package_of(UpdateRun& run) { return {run.package().get(), run.package_bytes()}; }

void fail_corrupted(UpdateRun& run, const std::string& why) {
  platform::system_log("firmware package refused: " + why);
  run.fail(k_update_error_firmware, UpdateTexts::vyla_string_firmware_corrupted_in);
}

}  // namespace

std::optional<std::int32_t> checked_section_count(UpdateRun& run) {
  const std::optional<std::int32_t> count = transport::package_section_count(package_of(run));
  if (!count) {
    fail_corrupted(run, "shorter than its header (" + std::to_string(run.package_bytes()) + " bytes)");
    return std::nullopt;
  }
  if (*count < 0) {
    fail_corrupted(run, "negative section count " + std::to_string(*count));
    return std::nullopt;
  }
  return count;
}

bool check_package_entries(UpdateRun& run, transport::PackageTable table, std::int64_t limit,
                           std::initializer_list<std::int64_t> also) {
  const std::optional<std::int32_t> count = checked_section_count(run);
  if (!count) return false;
  const char* table_name = table == transport::PackageTable::blocks ? "block" : "section";
  const auto entry_sound = [&](std::int64_t index) {
    if (transport::package_entry(package_of(run), table, index)) return true;
    fail_corrupted(run, std::string(table_name) + " entry " + std::to_string(index) + " of " +
                            std::to_string(*count) + " is not inside the file of " +
                            std::to_string(run.package_bytes()) + " bytes");
    return false;
  };
  const std::int64_t read = std::min<std::int64_t>(*count, limit);
  for (std::int64_t index = 0; index < read; ++index) {
    if (!entry_sound(index)) return false;
  }
  return std::all_of(also.begin(), also.end(), entry_sound);
}

}  // namespace update
