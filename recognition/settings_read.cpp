#include "recognition/settings_read.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "device_data/product_facts.h"
#include "device_data/settings_block_table.h"
#include "platform/format.h"
#include "platform/log.h"
#include "recognition/address_ranges.h"

namespace recognition {
namespace {

using device_data::AfterFailure;
using device_data::BlockWords;
using device_data::ReadLog;
using device_data::SettingsBlock;
using device_data::SettingsExtra;
using device_data::SettingsLayoutRow;

constexpr int k_lm6_words = FEXOBluetoothDeviceData::k_basic_setting_lm6_count;
constexpr int k_sub_model_ironvale = 11;

bool read_walks(const SettingsBlock& block) { return block.block != 0 && (block.walks & device_data::k_walk_read); }

bool carries_packed_word(BlockWords words) {
  switch (words) {
    case BlockWords::packed_read:
    case BlockWords::packed_word_1:
    case BlockWords::packed_words_1_2:
    case BlockWords::packed_second:
    case BlockWords::packed_zero:
    case BlockWords::packed_navigation:
    case BlockWords::packed_zeros: return true;
    default: return false;
  }
}

class SettingsReader {
 public:
  SettingsReader(SettingsBlocks& blocks, std::uint32_t id, session::AppState& controller,
                 const std::optional<FEXOBluetoothDeviceData>& backup)
      : m_blocks(blocks),
        m_id(id),
        m_controller(controller),
        m_record(controller.data()),
        m_backup(backup),
        m_map(settings_block_map(id)),
        m_row(device_data::settings_layout_row_of(static_cast<int>(id))) {}

  void read() {
    read_address();
    announce_settings_blocks();
    read_settings_blocks();
    store_on_off_fields(m_record, m_fields);
    read_fm_block();
    read_speed_dials();
  }

 private:
  void read_address();
  void set_ironvale_sub_model(const BdAddress& address);
  void read_sub_model();
  void announce_settings_blocks();
  void read_settings_blocks();
  void read_language_pack_settings();
  // False when the block's firmware floor holds it back.
  bool firmware_has(const SettingsBlock& block) const;
  // Reads `block` and stores its words, or its failure words; false when the read failed.
  bool read_block(const SettingsBlock& block);
  void store_words(const SettingsBlock& block);
  void store_failure(const SettingsBlock& block);
  void log_read(const SettingsBlock& block);
  void lm6_from_reply(int index) { m_record.setBasicSetting20At_with(index, m_blocks.word(index)); }
  void store_lm6_failure_by_version();
  void read_fm_block();
  void read_speed_dials();

  SettingsBlocks& m_blocks;
  const std::uint32_t m_id;
  session::AppState& m_controller;
  FEXOBluetoothDeviceData& m_record;
  const std::optional<FEXOBluetoothDeviceData>& m_backup;
  const SettingsBlockMap& m_map;
  const SettingsLayoutRow& m_row;
  // On/off fields of the packed settings word; the copying families leave them all off.
  std::uint32_t m_fields = 0;
};

// ---- step 1: device address ----

void SettingsReader::read_address() {
  const bool lm6 = m_row.extra == SettingsExtra::lm6;
  const std::optional<BdAddress> address =
      m_row.language_pack ? m_blocks.read_language_pack_address() : m_blocks.read_address(0);
  std::string display;
  if (address) {
    const BdAddress& a = *address;
    m_record.setDeviceBdAddress(platform::format("%02X%02X%02X%02X%02X%02X", a[0], a[1], a[2], a[3], a[4], a[5]));
    display = address_display_text(a);
    if (lm6) set_ironvale_sub_model(a);
  }
  m_record.setBdAddress(display);
  if (lm6) read_sub_model();
  if (device_data::product_facts(static_cast<int>(m_id)).two_modules) {
    const std::optional<BdAddress> second = m_blocks.read_address(1);
    m_record.setBdAddress(display + " _ " + (second ? address_display_text(*second) : std::string()));
  }
}

void SettingsReader::set_ironvale_sub_model(const BdAddress& address) {
  const std::string lower_bits = platform::format("%02X%02X%02X", address[3], address[4], address[5]);
  if (!addPSKeyLM6ForIronvaleWith(m_controller.deviceTarget(), lower_bits)) return;
  if (!m_blocks.read(0, k_block_sub_model) || (m_blocks.word(0) & 0xFF) == k_sub_model_ironvale) return;
  // both units keep the code
  const std::uint16_t code[] = {k_sub_model_ironvale};
  m_blocks.write(0, k_block_sub_model, code, false);
  m_blocks.write(1, k_block_sub_model, code, false);
}

void SettingsReader::read_sub_model() {
  // a failed read is asked once more before the code counts as unknown (0)
  const bool read = m_blocks.read(0, k_block_sub_model) || m_blocks.read(0, k_block_sub_model);
  m_record.setDivisionLM6evoValue(read ? m_blocks.word(0) & 0xFF : 0);
}

// ---- step 2: a commit family announces the blocks it reads back ----

void SettingsReader::announce_settings_blocks() {
  if (!m_row.commits) return;
  for (const SettingsBlock& block : m_row.blocks) {
    if (read_walks(block)) m_blocks.announce(0, block.block);
  }
}

// ---- steps 3 and 4: the layout's blocks in the device's order ----

void SettingsReader::read_settings_blocks() {
  if (m_row.language_pack) return read_language_pack_settings();
  bool packed_failed = false;
  for (const SettingsBlock& block : m_row.blocks) {
    if (!read_walks(block)) continue;
    if (packed_failed && m_row.after_failure == AfterFailure::skip) continue;
    if (packed_failed && m_row.after_failure == AfterFailure::reset) {
      store_failure(block);
      continue;
    }
    if (!firmware_has(block)) continue;
    if (!read_block(block) && carries_packed_word(block.words)) packed_failed = true;
    // the line shows whatever the last reply holds, read or not
    if (m_row.extra == SettingsExtra::y370_logs && block.words == BlockWords::vox) {
      platform::system_log(platform::format("SAVEF3 %X %X %X", m_blocks.word(0), m_blocks.word(1), m_blocks.word(2)));
    }
  }
}

void SettingsReader::read_language_pack_settings() {
  if (const auto words = m_blocks.read_language_pack_settings()) {
    for (int index = 0; index < 3; ++index) m_record.setBasicSetting20At_with(index, (*words)[index]);
    platform::system_log(platform::format("Get Total HEX AIROHA 0=[%04X], 1=[%04X], 2=[%04X]", (*words)[0],
                                          (*words)[1], (*words)[2]));
  } else {
    m_record.setBasicSetting20At_with(0, 3);
    m_record.setBasicSetting20At_with(1, 0x2200);
  }
}

bool SettingsReader::firmware_has(const SettingsBlock& block) const {
  if (block.from.major == 0 && block.from.minor == 0) return true;
  if (block.read_by_backup) {
    // a backup of older firmware had no such block to restore
    return !m_backup || m_backup->compareVersionUpToMinorWithMajor_Minor(block.from.major, block.from.minor) >= 0;
  }
  return m_record.compareVersionUpToMinorWithMajor_Minor(block.from.major, block.from.minor) >= 0;
}

bool SettingsReader::read_block(const SettingsBlock& block) {
  if (!m_blocks.read(m_row.slot, block.block)) {
    store_failure(block);
    return false;
  }
  store_words(block);
  return true;
}

void SettingsReader::store_words(const SettingsBlock& block) {
  const auto set_pair = [this](void (FEXOBluetoothDeviceData::*set)(int, std::int32_t), int first) {
    (m_record.*set)(first, m_blocks.word(0));
    (m_record.*set)(first + 1, m_blocks.word(1));
  };
  if (carries_packed_word(block.words)) {
    m_fields = unpack_settings_word(m_blocks.word(0), m_row.unpack);
    if (block.words == BlockWords::packed_word_1 || block.words == BlockWords::packed_words_1_2) lm6_from_reply(1);
    if (block.words == BlockWords::packed_words_1_2) lm6_from_reply(2);
    if (block.words == BlockWords::packed_navigation) {
      lm6_from_reply(2);
      lm6_from_reply(3);
    }
    if (m_row.extra == SettingsExtra::navigation_logs) {
      platform::system_log(platform::format("pdata2 = %04X", m_blocks.word(2)));
      platform::system_log(platform::format("pdata3 = %04X", m_blocks.word(3)));
    }
    if (m_row.extra == SettingsExtra::recording_bit && (m_blocks.word(1) & 1)) m_fields |= k_auto_start_recording;
    if (m_row.extra == SettingsExtra::y370_logs) {
      platform::system_log(platform::format("PQPQ %d", (m_blocks.word(1) >> 4) & 0x0F));
    }
    log_read(block);
    return;
  }
  switch (block.words) {
    case BlockWords::settings_words: {
      // the record keeps ten words; a longer reply's further words have no place
      const int count = m_blocks.word_count();
      for (int index = 0; index < std::min(count, k_lm6_words); ++index) {
        lm6_from_reply(index);
        if (block.read_log_kind == ReadLog::per_word) {
          platform::system_log(platform::format(block.read_log, index, m_blocks.word(index)));
        } else if (block.read_log_kind == ReadLog::per_word_with_length) {
          platform::system_log(platform::format(block.read_log, count, index, m_blocks.word(index)));
        }
      }
      if (m_row.extra == SettingsExtra::speaker_type) {
        const int speaker = m_record.GetBasicSetting50SpeakerAccessorySelect();
        m_controller.setDevice50SpeakerType(speaker);
        platform::system_log(platform::format("wq8 speaker type = [%d]", speaker));
      }
      return;
    }
    case BlockWords::vox: set_pair(&FEXOBluetoothDeviceData::setBasicSettingKR5VOXSensitivity_with, 0); break;
    case BlockWords::vox_first: m_record.setBasicSettingKR5VOXSensitivity_with(0, m_blocks.word(0)); break;
    case BlockWords::smart_volume:
      set_pair(&FEXOBluetoothDeviceData::setBasicSettingTJ4SmartVolumeControl_with, 0);
      break;
    case BlockWords::camera_low: set_pair(&FEXOBluetoothDeviceData::setBasicSettingVT4Camera_with, 0); break;
    case BlockWords::camera_high: set_pair(&FEXOBluetoothDeviceData::setBasicSettingVT4Camera_with, 2); break;
    case BlockWords::mesh_channel: lm6_from_reply(0); break;
    case BlockWords::mesh_volume: m_record.setBasicSetting20At_with(1, m_blocks.word(0)); break;
    default: break;  // the packed words above
  }
  log_read(block);
}

void SettingsReader::log_read(const SettingsBlock& block) {
  switch (block.read_log_kind) {
    case ReadLog::pair:
      platform::system_log(platform::format(block.read_log, m_blocks.word(0), m_blocks.word(1)));
      break;
    case ReadLog::words_0_2:
      platform::system_log(platform::format(block.read_log, m_blocks.word(0), m_blocks.word(1), m_blocks.word(2)));
      break;
    case ReadLog::indexed:
      platform::system_log(
          platform::format(block.read_log, block.words == BlockWords::mesh_volume ? 1 : 0, m_blocks.word(0)));
      break;
    case ReadLog::none:
    case ReadLog::per_word:
    case ReadLog::per_word_with_length: break;
  }
}

void SettingsReader::store_failure(const SettingsBlock& block) {
  if (m_row.extra == SettingsExtra::lm6) return store_lm6_failure_by_version();
  if (carries_packed_word(block.words)) m_fields = m_row.failure_fields;
  void (FEXOBluetoothDeviceData::*set)(int, std::int32_t) = &FEXOBluetoothDeviceData::setBasicSetting20At_with;
  switch (block.words) {
    case BlockWords::vox:
    case BlockWords::vox_first: set = &FEXOBluetoothDeviceData::setBasicSettingKR5VOXSensitivity_with; break;
    case BlockWords::smart_volume: set = &FEXOBluetoothDeviceData::setBasicSettingTJ4SmartVolumeControl_with; break;
    case BlockWords::camera_low:
    case BlockWords::camera_high: set = &FEXOBluetoothDeviceData::setBasicSettingVT4Camera_with; break;
    default: break;
  }
  for (int index = 0; index < block.failure.count; ++index) {
    (m_record.*set)(block.failure.first + index, block.failure.values[static_cast<std::size_t>(index)]);
  }
}

void SettingsReader::store_lm6_failure_by_version() {
  const auto below = [this](int major, int minor) {
    return m_record.compareVersionUpToMinorWithMajor_Minor(major, minor) < 0;
  };
  const auto set_lm6 = [this](std::initializer_list<std::int32_t> values) {
    int index = 0;
    for (std::int32_t value : values) m_record.setBasicSetting20At_with(index++, value);
  };
  if (below(1, 1)) return set_lm6({5, 3, 0xEC00});
  if (below(1, 2)) return set_lm6({5, 3, 0xEC00, 3});
  if (below(1, 5)) return set_lm6({5, 3, 0xED80, 3, 0, 0, 0, 0, 0, 0});
  if (below(1, 6)) return set_lm6({5, 3, 0xEDA0, 3, 0, 0, 0, 0, 0, 0});
  set_lm6({5, 3, 0xED20, 2, 0, 0, 0, 0, 0, 0});
}

// ---- steps 6 and 7: FM block and speed dials ----

void SettingsReader::read_fm_block() {
  const FmBlockMap& fm = m_map.fm;
  if (fm.block == 0) {
    m_record.setFmRadioMagicCode(0);
    m_record.setFmRadioCurrentFrequency(0);
    m_record.setFmRadioCurrentPreset(0);
    m_record.setFmRadioRDS(0);
    m_record.setFmRadioRegion(0);
    return;
  }
  if (m_row.commits && fm.written) m_blocks.announce(0, fm.block);
  if (m_blocks.read(fm.slot, fm.block)) {
    store_fm_block(m_record, m_blocks, fm.form);
  } else {
    store_failed_fm_block(m_record);
  }
}

void SettingsReader::read_speed_dials() {
  const SpeedDialMap& dials = m_map.speed_dials;
  if (dials.blocks == SpeedDialBlocks::none) return;
  constexpr int k_count = FEXOBluetoothDeviceData::k_speed_dial_count;
  if (m_row.commits) {
    for (int index = 0; index < k_count; ++index) m_blocks.announce(0, speed_dial_block(dials.blocks, index));
  }
  // a number that cannot be read is stored empty
  for (int index = 0; index < k_count; ++index) {
    std::optional<std::string> number;
    if (dials.blocks == SpeedDialBlocks::language_pack) {
      number = m_blocks.read_language_pack_speed_dial(index);
    } else if (m_blocks.read(0, speed_dial_block(dials.blocks, index))) {
      number = speed_dial_from_reply(m_blocks);
    }
    m_record.setSpeedDialAt_with(index, number.value_or(""));
  }
}

}  // namespace

std::uint32_t unpack_settings_word(std::uint16_t word, const UnpackLayout& layout) {
  std::uint32_t fields = word & layout.direct_bits;
  if (layout.navigation && (word & 0x2000)) fields |= k_smart_navi_system;
  if (layout.automatic_on_off) {
    if (word & 0x4000) fields |= k_auto_on_off;
    if (word & 0x8000) fields |= k_audio_veneer;
  }
  return fields;
}

void store_on_off_fields(FEXOBluetoothDeviceData& record, std::uint32_t fields) {
  const auto on = [fields](std::uint32_t field) { return (fields & field) != 0 ? 1 : 0; };
  record.setIntercomVOX(on(k_intercom_vox));
  record.setHandsfreeVOX(on(k_handsfree_vox));
  record.setEdr(on(k_edr));
  record.setVoicePrompt(on(k_voice_prompt));
  record.setPlc(on(k_plc));
  record.setBitpoolRate(on(k_bitpool_rate));
  record.setMicrophoneBoost(on(k_microphone_boost));
  record.setSidetone(on(k_sidetone));
  record.setAmbientHushControl(on(k_ambient_hush_control));
  record.setAutoGainControl(0);
  record.setAudioBoost(on(k_audio_boost));
  record.setHdIntercom(on(k_hd_intercom));
  record.setFmStationGuide(on(k_fm_station_guide));
  record.setHdVoice(on(k_hd_voice));
  record.setSmartNaviSystem(on(k_smart_navi_system));
  record.setAudioSourcePriority(on(k_audio_source_priority));
  record.setAudioVeneer(on(k_audio_veneer));
  record.setAutoOnOff(on(k_auto_on_off));
  record.setAutoStartRecording(on(k_auto_start_recording));
}

void read_settings(SettingsBlocks& blocks, std::uint32_t product_id, session::AppState& controller,
                   const std::optional<FEXOBluetoothDeviceData>& backup) {
  SettingsReader(blocks, product_id, controller, backup).read();
}

}  // namespace recognition
