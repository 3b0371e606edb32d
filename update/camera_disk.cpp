#include "update/camera_disk.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "device_data/product_facts.h"
#include "platform/files.h"
#include "transport/firmware_package.h"
#include "transport/md5.h"

namespace update {

namespace {

using namespace std::chrono_literals;

constexpr std::chrono::milliseconds k_disk_search_pause = 1s;
constexpr std::size_t k_check_block_bytes = 1024;

}  // namespace

std::optional<CameraDiskNames> camera_disk_names(int product) {
  const device_data::ProductFacts& facts = device_data::product_facts(product);
  if (!facts.target_camera_marker || !facts.camera_transfer_file || !facts.camera_firmware_file) return std::nullopt;
  return CameraDiskNames{facts.target_camera_marker, facts.camera_transfer_file, facts.camera_firmware_file};
}

std::optional<CameraPart> camera_part(UpdateRun& run, int entry) {
  const std::span<const std::uint8_t> package(run.package().get(), run.package_bytes());
  const std::optional<transport::PackageEntry> found =
      transport::package_entry(package, transport::PackageTable::blocks, entry);
  if (!found) return std::nullopt;
  return CameraPart{found->data,
                    {static_cast<int>(found->versions[0]), static_cast<int>(found->versions[1])},
                    found->digest};
}

device_data::CameraVersion read_camera_version(const std::filesystem::path& file) {
  const std::optional<std::string> text = platform::read_text_file(file);
  return text ? device_data::camera_version_from_text(*text) : device_data::CameraVersion{};
}

std::optional<std::string> wait_for_camera_disk(UpdateRun& run, int tries) {
  for (int attempt = 0; attempt < tries; ++attempt) {
    if (std::optional<std::string> disk = run.camera_disk_path()) return disk;
    if (!run.wait(k_disk_search_pause)) return std::nullopt;
  }
  return std::nullopt;
}

CopyCheck check_camera_copy(const std::filesystem::path& file, const CameraPart& part) {
  md5_context context{};
  md5_init(context);
  std::array<std::uint8_t, k_check_block_bytes> buffer{};
  const platform::BlockReading reading =
      platform::read_file_in_blocks(file, buffer, [&context](std::span<const std::uint8_t> block) {
        md5_update(context, block.data(), static_cast<std::uint32_t>(block.size()));
      });
  if (reading == platform::BlockReading::cannot_open) return CopyCheck::cannot_open;
  md5_digest digest{};
  md5_final(digest, context);
  if (reading == platform::BlockReading::read_error ||
      !std::equal(digest.begin(), digest.end(), part.digest.begin(), part.digest.end())) {
    return CopyCheck::digest_differs;
  }
  const std::optional<std::uintmax_t> size = platform::file_size(file);
  if (!size || *size != part.data.size()) return CopyCheck::size_differs;
  return CopyCheck::matches;
}

}  // namespace update
