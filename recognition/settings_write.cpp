#include "recognition/settings_write.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"

namespace recognition {
namespace {

using Words = std::vector<std::uint16_t>;

bool in(std::uint32_t id, std::initializer_list<std::uint32_t> ids) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

class BackupWriter {
 public:
  BackupWriter(SettingsBlocks& blocks, std::uint32_t id, const FEXOBluetoothDeviceData& backup)
      : m_blocks(blocks), m_id(id), m_backup(backup), m_map(settings_block_map(id)) {}

  void write_settings_blocks();
  void write_fm_block();
  void write_speed_dials();

 private:
  // A settings block on the family's slot, committed in a commit family.
  void write(unsigned char block, const Words& words) {
    m_blocks.write(m_map.settings_slot, block, words, m_map.commits);
  }
  // The backup's own main version against major.minor.
  bool from_version(int major, int minor) const {
    return m_backup.compareVersionUpToMinorWithMajor_Minor(major, minor) >= 0;
  }
  std::uint16_t lm6(int index) const { return static_cast<std::uint16_t>(m_backup.basicSettingLM6(index)); }
  Words lm6_words(int count) const {
    Words words;
    for (int index = 0; index < count; ++index) words.push_back(lm6(index));
    return words;
  }
  std::uint16_t packed() const { return static_cast<std::uint16_t>(m_backup.getSettings40()); }
  std::uint16_t second_packed() const { return static_cast<std::uint16_t>(m_backup.getSettings40Second()); }
  std::uint16_t vox() const { return static_cast<std::uint16_t>(m_backup.basicSettingKR5VOXSensitivityAt(0)); }
  std::uint16_t smart_volume() const {
    const std::int32_t word = m_backup.basicSettingTJ4SmartVolumeControlAt(0);
    platform::system_log(platform::format("Set PDate[0] = %d", word));
    return static_cast<std::uint16_t>(word);
  }
  std::uint16_t camera(int index) const { return static_cast<std::uint16_t>(m_backup.basicSettingVT4CameraAt(index)); }

  SettingsBlocks& m_blocks;
  const std::uint32_t m_id;
  const FEXOBluetoothDeviceData& m_backup;
  const SettingsBlockMap& m_map;
};

void BackupWriter::write_settings_blocks() {
  const std::uint32_t id = m_id;
  // the pair of units and the LM6 are decided first
  if (id == 0x5345) return;
  if (id == 0x4210) {
    write(k_block_settings, lm6_words(!from_version(1, 1) ? 3 : !from_version(1, 2) ? 4 : 10));
  } else if (device_data::product_facts(static_cast<int>(id)).two_modules) {
    write(k_block_settings, lm6_words(10));
  } else if (in(id, {0x6461, 0x6481, 0x6491, 0x6600, 0x6700})) {
    // speed dials only
  } else if (in(id, {0x4D16, 0x4D86, 0x4D06, 0x4D76, 0x3150, 0x3161, 0x6500, 0x6510})) {
    write(k_block_qcc_settings, lm6_words(2));
  } else if (keeps_settings_behind_language_pack(id)) {
    const std::array<std::uint16_t, 3> words{lm6(0), lm6(1), lm6(2)};
    platform::system_log(platform::format("Set HEX airoha [%04X], 1=[%04X], 2=[%04X]", words[0], words[1], words[2]));
    m_blocks.write_language_pack_settings(words);
  } else if (in(id, {0x3132, 0x3134, 0x3210, 0x3211, 0x3212, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3260,
                     0x3264, 0x3900})) {
    // FM and speed dials only
  } else if (in(id, {0x3148, 0x3154, 0x3170, 0x3156, 0x3213, 0x3240})) {
    write(k_block_settings, lm6_words(4));
  } else if (in(id, {0x3310, 0x3320, 0x3330})) {
    const Words words = lm6_words(4);
    for (std::size_t i = 0; i < words.size(); ++i) {
      platform::system_log(platform::format("set qorlan data[%d] = %04X", static_cast<int>(i), words[i]));
    }
    write(k_block_settings, words);
  } else if (id == 0x3560) {
    write(k_block_mesh_channel, {lm6(0)});
    write(k_block_mesh_volume, {lm6(1)});
  } else if (in(id, {0x3500, 0x3540, 0x3570})) {
    write(k_block_mesh_channel, {lm6(0)});
  } else if (id == 0x3110) {
    write(k_block_settings, lm6_words(from_version(2, 1) ? 4 : 2));
  } else if (in(id, {0x3112, 0x3114})) {
    write(k_block_settings, lm6_words(from_version(3, 0) ? 4 : 3));
  } else if (in(id, {0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3144, 0x3152, 0x3140, 0x3146, 0x3142})) {
    write(k_block_settings, lm6_words(4));
  } else if (in(id, {0x5570, 0x5580})) {
    write(k_block_settings, {packed(), lm6(1)});
  } else if (in(id, {0x3052, 0x3072, 0x3082, 0x3085, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400, 0x4023,
                     0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6900})) {
    write(k_block_qcc_settings, {packed(), lm6(1)});
  } else if (in(id, {0x5552, 0x5553})) {
    const Words words{packed(), lm6(1), lm6(2)};
    platform::system_log(platform::format("SAVEF2 %4.4X %4.4X %4.4X", words[0], words[1], words[2]));
    write(k_block_qcc_settings, words);
  } else if (in(id, {0x3070, 0x3080, 0x4050, 0x5564, 0x6310, 0x6320, 0x6330, 0x6335, 0x3300, 0x5534})) {
    write(k_block_settings, {packed(), lm6(1)});
  } else if (in(id, {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434})) {
    write(k_block_settings, {packed(), lm6(1)});
    write(k_block_vox, {vox()});
    write(k_block_smart_volume, {smart_volume()});
  } else if (in(id, {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3550, 0x5320, 0x5330, 0x5510, 0x5520, 0x5522,
                     0x5524, 0x5526, 0x5530, 0x5532, 0x5536, 0x5550, 0x5560, 0x5562, 0x5576, 0x5610, 0x5611,
                     0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6112,
                     0x6114, 0x6210, 0x6400})) {
    write(k_block_settings, {packed(), second_packed()});
    if (in(id, {0x5520, 0x5526, 0x5720, 0x6112, 0x6114, 0x6400})) {
      write(k_block_vox, {vox()});
    } else if (in(id, {0x5622, 0x5624})) {
      write(k_block_smart_volume, {smart_volume()});
      if (from_version(1, 1)) write(k_block_vox, {vox()});
    } else if (id == 0x5623) {
      if (from_version(1, 1)) write(k_block_vox, {vox()});
    } else if (id == 0x5510) {
      write(k_block_camera_low, {camera(0), camera(1)});
      if (from_version(2, 0)) write(k_block_camera_high, {camera(2), camera(3)});
    }
  } else if (in(id, {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420})) {
    write(k_block_settings, {packed(), 0});
    write(k_block_vox, {vox()});
    write(k_block_smart_volume, {smart_volume()});
  } else if (in(id, {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036})) {
    write(k_block_settings, {packed(), 0, lm6(2), 0});
    write(k_block_vox, {vox()});
  } else if (in(id, {0x6020, 0x6022, 0x6024})) {
    write(k_block_settings, {packed(), 0, 0, 0});
    write(k_block_vox_navigation, {vox()});
  }
}

void BackupWriter::write_fm_block() {
  const FmBlockMap& fm = m_map.fm;
  if (fm.block == 0 || !fm.written) return;
  m_blocks.write(fm.slot, fm.block, fm_block_words(m_backup, fm.form, fm.written_magic), m_map.commits);
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
