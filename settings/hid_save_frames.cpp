#include "settings/hid_save_frames.h"

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/format.h"
#include "platform/log.h"
#include "transport/byte_order.h"
#include "transport/hid_commands.h"
#include "transport/transport_message.h"

namespace settings {

namespace {

using transport::k_hid_report_id;
using transport::k_command_version;
using transport::k_command_write_block;
using transport::k_command_commit_block;
using transport::k_command_mode;
constexpr std::size_t k_request_words_byte = 4;

HidUnitVersion version_of(VersionSet set, const FEXOBluetoothDeviceData& device) {
  switch (set) {
    case VersionSet::module_1:
      return {device.deviceVersionMajor01(), device.deviceVersionMinor01(), device.deviceSecondaryVersionType01(),
              device.deviceSecondaryVersion01()};
    case VersionSet::module_2:
      return {device.deviceVersionMajor02(), device.deviceVersionMinor02(), device.deviceSecondaryVersionType02(),
              device.deviceSecondaryVersion02()};
    case VersionSet::main: break;
  }
  return {device.deviceVersionMajor(), device.deviceVersionMinor(), device.deviceSecondaryVersionType(),
          device.deviceSecondaryVersion()};
}

}  // namespace

std::optional<std::uint32_t> open_recognized_hid_device(int usb_status) {
  hid_close_all();
  std::uint32_t product_id = 0;
  transport_message message{};
  if (hid_open_device(product_id, message) != 0) return std::nullopt;
  if (static_cast<int>(product_id) != usb_status) return std::nullopt;
  return product_id;
}

std::optional<HidUnitVersion> HidSaveFrames::version(int slot) {
  clear_request(k_command_version);
  if (hid_long_command(slot, m_request, m_reply) == 1) {
    return HidUnitVersion{m_reply[3], m_reply[4], m_reply[5], m_reply[6]};
  }
  if (transport::hid_last_error(slot).failure == transport::HidFailure::not_open) return std::nullopt;
  return HidUnitVersion{};
}

bool HidSaveFrames::same_version(int slot, VersionSet set, const FEXOBluetoothDeviceData& device) {
  const std::optional<HidUnitVersion> unit = version(slot);
  if (!unit) return false;
  const HidUnitVersion recognized = version_of(set, device);
  return FEXOBluetoothDeviceData::
             compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
                 unit->major, unit->minor, unit->type, unit->secondary, recognized.major, recognized.minor,
                 recognized.type, recognized.secondary) == 0;
}

bool HidSaveFrames::normal_mode() {
  clear_request(k_command_mode);
  const bool answered = hid_long_command(0, m_request, m_reply) == 1;
  platform::system_log(platform::format("rV = [%d]", m_reply[3]));
  return answered && m_reply[3] == 0;
}

bool HidSaveFrames::write(const BlockWrite& write) {
  if (!write.log.empty()) platform::system_log(write.log);
  const int count = write.count.value_or(static_cast<int>(write.words.size()));
  clear_request(k_command_write_block);
  m_request[2] = write.block;
  m_request[3] = static_cast<unsigned char>(count);
  // the words as they sit in memory, then the counted ones most significant byte first
  for (std::size_t i = 0; i < write.words.size(); ++i) {
    transport::put_le16(m_request, k_request_words_byte + 2 * i, write.words[i]);
  }
  swap_packet_words(m_request);
  if (hid_long_command(write.slot, m_request, m_reply) == 1) return true;
  platform::console(platform::format("save %04X: write of block 0x%02X refused: %s", m_product_id, write.block,
                                     transport::describe(transport::hid_last_error(write.slot))));
  return false;
}

void HidSaveFrames::commit(int slot, unsigned char block) {
  m_request[1] = k_command_commit_block;
  m_request[2] = block;
  swap_packet_words(m_request);
  hid_long_command(slot, m_request, m_reply);
}

bool HidSaveFrames::write_all(const std::vector<BlockWrite>& writes) {
  for (const BlockWrite& block_write : writes) {
    if (!write(block_write)) return false;
    if (block_write.commit) commit(block_write.slot, *block_write.commit);
  }
  return true;
}

void HidSaveFrames::clear_request(unsigned char command) {
  // bytes after the counted words carry no meaning; they are sent cleared
  m_request.fill(0);
  m_reply.fill(0);
  m_request[0] = k_hid_report_id;
  m_request[1] = command;
}

}  // namespace settings
