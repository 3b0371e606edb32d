#include "update/families/camera_split.h"

#include <cstdint>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "platform/files.h"
#include "platform/log.h"
#include "session/message_box.h"
#include "strings/common_texts.h"
#include "strings/update_texts.h"
#include "transport/firmware_package.h"
#include "update/package_entries.h"

namespace update::families {

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t k_camera_product = 0x3020;
constexpr int k_bluetooth_entry = 0;
constexpr int k_camera_entry = 1;

std::vector<std::uint8_t> entry_bytes(UpdateRun& run, int index) {
  const std::span<const std::uint8_t> package(run.package().get(), run.package_bytes());
  // both entries were checked to lie inside the package
  const std::span<const std::uint8_t> data =
      transport::package_entry(package, transport::PackageTable::sections, index).value().data;
  return {data.begin(), data.end()};
}

}  // namespace

std::optional<fs::path> split_camera_package(UpdateRun& run) {
  if (run.load_verified_package(k_camera_product) == 0) {
    run.fail_firmware_check(run.record().deviceRecognized());
    return std::nullopt;
  }
  if (!check_package_entries(run, transport::PackageTable::sections, 0, {k_bluetooth_entry, k_camera_entry})) {
    return std::nullopt;
  }

  // parts of an earlier update go first, so only this package's parts can be flashed
  const fs::path folder = platform::application_folder();
  const fs::path bluetooth = folder / k_camera_bluetooth_part_file;
  const fs::path camera = folder / k_camera_part_file;
  std::error_code ignored;
  fs::remove(bluetooth, ignored);
  fs::remove(camera, ignored);
  const bool written = platform::write_file_atomically(bluetooth, entry_bytes(run, k_bluetooth_entry)) &&
                       platform::write_file_atomically(camera, entry_bytes(run, k_camera_entry));
  run.package().reset();
  if (!written) {
    platform::system_log("camera package not split into " + folder.string());
    run.fail(k_update_error_firmware, UpdateTexts::vyla_string_cannot_create_file_in);
    return std::nullopt;
  }
  return bluetooth;
}

bool updateOptraFirmware(UpdateRun& run) {
  const fs::path source = platform::application_folder() / k_camera_part_file;
  const std::optional<std::string> disk = run.camera_disk_path();
  bool moved = false;
  if (disk) {
    // the disk is another file system: copy whole, then remove the part here
    const std::optional<std::vector<std::uint8_t>> part = platform::read_file(source);
    moved = part && platform::write_file_atomically(fs::path(*disk) / k_camera_part_on_disk, *part);
    if (moved) {
      std::error_code ignored;
      fs::remove(source, ignored);
    }
  }
  platform::system_log(moved ? "FILE OK 2" : "ERROR");
  if (!moved) {
    run.show_failure(CommonTexts::vyla_string_camera_update_fail_in);
    run.report().setStatusWarning(true);
  }
  return moved;
}

void open_camera_end_box(UpdateRun& run) {
  const int language = run.language();
  run.page().open_camera_copy_done_box(
      {session::message_box_second_button(static_cast<int>(k_camera_product), language).value_or(std::string()), true,
       std::nullopt, CommonTexts::vyla_string_ok_in(language), session::MessageBoxSize::w520_h205,
       session::MessageBoxPurpose::camera_copy_done});
}

}  // namespace update::families
