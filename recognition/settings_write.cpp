#include "recognition/settings_write.h"

#include <vector>

#include "device_data/settings_block_table.h"
#include "platform/format.h"
#include "platform/log.h"

namespace recognition {
namespace {

using Words = std::vector<std::uint16_t>;
using device_data::BlockWords;
using device_data::SettingsBlock;

class BackupWriter {
 public:
  BackupWriter(SettingsBlocks& blocks, std::uint32_t id, const FEXOBluetoothDeviceData& backup)
      : m_blocks(blocks),
        m_backup(backup),
        m_map(settings_block_map(id)),
        m_row(device_data::settings_layout_row_of(static_cast<int>(id))) {}

  void write_settings_blocks();
  void write_fm_block();
  void write_speed_dials();

 private:
  // The backup's own main version against major.minor.
  bool below(const device_data::FirmwareFloor& floor) const {
    return m_backup.compareVersionUpToMinorWithMajor_Minor(floor.major, floor.minor) < 0;
  }
  std::uint16_t lm6(int index) const { return static_cast<std::uint16_t>(m_backup.basicSettingLM6(index)); }
  void write_language_pack_settings();

  SettingsBlocks& m_blocks;
  const FEXOBluetoothDeviceData& m_backup;
  const SettingsBlockMap& m_map;
  const device_data::SettingsLayoutRow& m_row;
};

void BackupWriter::write_settings_blocks() {
  if (m_row.language_pack) return write_language_pack_settings();
  const auto older = [this](const device_data::FirmwareFloor& floor) { return below(floor); };
  for (const SettingsBlock& block : m_row.blocks) {
    if (block.block == 0 || !(block.walks & device_data::k_walk_restore)) continue;
    if ((block.from.major != 0 || block.from.minor != 0) && below(block.from)) continue;
    const Words words = device_data::block_words(block, m_backup, device_data::settings_word_count(block, older));
    if (block.words == BlockWords::smart_volume) {
      platform::system_log(platform::format("Set PDate[0] = %d", m_backup.basicSettingTJ4SmartVolumeControlAt(0)));
    }
    if (block.restore_log && block.words == BlockWords::settings_words) {
      for (std::size_t i = 0; i < words.size(); ++i) {
        platform::system_log(platform::format(block.restore_log, static_cast<int>(i), words[i]));
      }
    } else if (block.restore_log) {
      platform::system_log(platform::format(block.restore_log, words[0], words[1], words[2]));
    }
    // a settings block on the family's slot, committed in a commit family
    m_blocks.write(m_row.slot, block.block, words, m_row.commits);
  }
}

void BackupWriter::write_language_pack_settings() {
  const std::array<std::uint16_t, 3> words{lm6(0), lm6(1), lm6(2)};
  platform::system_log(platform::format("Set HEX airoha [%04X], 1=[%04X], 2=[%04X]", words[0], words[1], words[2]));
  m_blocks.write_language_pack_settings(words);
}

void BackupWriter::write_fm_block() {
  const FmBlockMap& fm = m_map.fm;
  if (fm.block == 0 || !fm.written) return;
  m_blocks.write(fm.slot, fm.block, fm_block_words(m_backup, fm.form, fm.written_magic), m_row.commits);
}

void BackupWriter::write_speed_dials() {
  const SpeedDialMap& dials = m_map.speed_dials;
  if (!dials.written) return;
  for (int index = 0; index < FEXOBluetoothDeviceData::k_speed_dial_count; ++index) {
    const unsigned char block = speed_dial_block(dials.blocks, index);
    if (block == 0) continue;
    m_blocks.write(0, block, speed_dial_block_words(m_backup, index, dials.count_at_least_one), false);
  }
}

}  // namespace

void write_backed_up_settings(SettingsBlocks& blocks, std::uint32_t product_id, const FEXOBluetoothDeviceData& backup) {
  BackupWriter writer(blocks, product_id, backup);
  writer.write_settings_blocks();
  writer.write_fm_block();
  writer.write_speed_dials();
}

}  // namespace recognition
