#include "settings/bluecore_settings_walk.h"

#include <array>
#include <cstdint>
#include <optional>

#include "transport/bluecore_channel.h"

namespace settings {

namespace {

constexpr int k_open_mode_hci = 0;
constexpr std::uint32_t k_firmware_management_bit = 0x8000;
// The product a device that cannot tell its id is taken for.
constexpr int k_default_bluecore_product = 0x4D10;

// True when the selected device is the one recognition read: attached as
// `opened_id`, reporting the recognized product, at the recognized firmware.
bool is_recognized_device(std::uint32_t opened_id, const SaveCopies& copies) {
  if (opened_id != static_cast<std::uint32_t>(copies.usbStatus)) return false;
  int product_id = bc_query_product_id();
  if (product_id < 1) product_id = k_default_bluecore_product;
  if (product_id != copies.data.deviceRecognized()) return false;
  std::uint32_t major = 0, minor = 0, type = 0, secondary = 0;
  bc_query_versions(static_cast<std::uint32_t>(product_id), major, minor, type, secondary);
  return copies.data.compareVersionWithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
             static_cast<int32_t>(major), static_cast<int32_t>(minor), static_cast<int32_t>(type),
             static_cast<int32_t>(secondary)) == 0;
}

// The writes in order; the code of the first refused one.
std::optional<int> first_refusal(const std::vector<PsKeyWrite>& writes) {
  for (const PsKeyWrite& write : writes) {
    if (bc_ps_write(write.key, write.words) != 0) return write.refused_code;
  }
  return std::nullopt;
}

}  // namespace

int save_over_bluecore(const SaveCopies& copies, const BlueCoreWalkCodes& codes,
                       const std::vector<PsKeyWrite>& writes) {
  std::array<std::uint32_t, 2> opened{};
  transport_message message{};
  if (bc_open_devices_retry(opened, message, k_bluecore_save_open_budget, k_open_mode_hci) != 0) {
    return codes.cannot_open;
  }
  const transport::BlueCoreDevicesGuard devices;
  // A successful open holds at least one device with a known id; should it
  // report none, nothing can be checked or written.
  const int count = bc_device_count();
  if (opened[0] == 0 || count < 1) return codes.cannot_open;
  if ((opened[0] & k_firmware_management_bit) != 0) return codes.firmware_management;

  for (int index = 0; index < count && index < static_cast<int>(opened.size()); ++index) {
    bc_select_device(index);
    if (!is_recognized_device(opened[static_cast<std::size_t>(index)], copies)) return codes.not_recognized;
    if (const std::optional<int> refused = first_refusal(writes)) return *refused;
  }
  return k_save_success;
}

}  // namespace settings
