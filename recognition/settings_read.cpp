#include "recognition/settings_read.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"
#include "recognition/address_ranges.h"

namespace recognition {
namespace {

bool in(std::uint32_t id, std::initializer_list<std::uint32_t> ids) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

constexpr UnpackLayout k_full{};
constexpr UnpackLayout k_full_to_bit_12{.direct_bits = 0x1F7F};
constexpr UnpackLayout k_full_to_bit_13{.direct_bits = 0x3F7F};
constexpr UnpackLayout k_navigation{.direct_bits = 0x0F7F, .navigation = true};
constexpr UnpackLayout k_navigation_automatic{.direct_bits = 0x0F7F, .navigation = true, .automatic_on_off = true};
// 0x5550 has no hands-free VOX, intercom VOX or sidetone bit; 0x6210 no sidetone bit
constexpr UnpackLayout k_full_without_vox_and_sidetone{.direct_bits = 0xFF7F & ~0x0103};
constexpr UnpackLayout k_full_without_sidetone{.direct_bits = 0xFF7F & ~0x0100};
constexpr UnpackLayout k_voice_prompt_bitpool_hush_boost_guide{.direct_bits = 0x1628};
constexpr UnpackLayout k_station_guide_only{.direct_bits = 0x1000};

// What a family stores when its settings word cannot be read.
constexpr std::uint32_t k_common_failure_default = k_handsfree_vox | k_plc | k_bitpool_rate | k_microphone_boost |
                                                   k_audio_boost | k_hd_intercom | k_fm_station_guide;

constexpr int k_lm6_words = FEXOBluetoothDeviceData::k_basic_setting_lm6_count;
constexpr int k_sub_model_ironvale = 11;
constexpr int k_lm6_product = 0x4210;

// A copying family's log line: "<name> data[%d] = %04X", or with the reply's
// word count first ("... len[%d] ... data[%d] = %04X").
struct CopyLog {
  const char* format = nullptr;
  bool with_length = false;
};

class SettingsReader {
 public:
  SettingsReader(SettingsBlocks& blocks, std::uint32_t id, session::AppState& controller,
                 const std::optional<FEXOBluetoothDeviceData>& backup)
      : m_blocks(blocks),
        m_id(id),
        m_controller(controller),
        m_record(controller.data()),
        m_backup(backup),
        m_map(settings_block_map(id)) {}

  void read() {
    read_address();
    announce_settings_blocks();
    read_mesh_channel();
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
  void read_mesh_channel();
  void read_settings_blocks();
  void read_fm_block();
  void read_speed_dials();

  // Copies the reply's words (at most ten) into the LM6 words; false when the read failed.
  bool copy(int slot, unsigned char block, CopyLog log = {});
  // Reads a settings word on slot 0 and takes the on/off fields from its word 0.
  bool unpack(unsigned char block, const UnpackLayout& layout);
  // As unpack in the full layout, and LM6 word 1 := reply word 1; a failed read
  // stores `failed_word_1` and the common failure default instead.
  bool unpack_with_word_1(unsigned char block, std::int32_t failed_word_1);
  void lm6_from_reply(int index) { m_record.setBasicSetting20At_with(index, m_blocks.word(index)); }
  void set_lm6(int first, std::initializer_list<std::int32_t> values) {
    for (std::int32_t value : values) m_record.setBasicSetting20At_with(first++, value);
  }
  // A block whose words 0 and 1 go to two words of the record from `first`, or
  // `failure` when the read fails; `log` (two %d) is written after a read.
  using WordSetter = void (FEXOBluetoothDeviceData::*)(int, std::int32_t);
  void read_word_pair(unsigned char block, WordSetter set, int first, std::array<std::int32_t, 2> failure,
                      const char* log = nullptr);
  void read_vox(unsigned char block, std::array<std::int32_t, 2> failure) {
    read_word_pair(block, &FEXOBluetoothDeviceData::setBasicSettingKR5VOXSensitivity_with, 0, failure);
  }
  void set_vox(std::int32_t first, std::int32_t second) {
    m_record.setBasicSettingKR5VOXSensitivity_with(0, first);
    m_record.setBasicSettingKR5VOXSensitivity_with(1, second);
  }
  void read_smart_volume(const char* log = nullptr) {
    read_word_pair(k_block_smart_volume, &FEXOBluetoothDeviceData::setBasicSettingTJ4SmartVolumeControl_with, 0,
                   {0, 0}, log);
  }
  void set_smart_volume(std::int32_t first, std::int32_t second) {
    m_record.setBasicSettingTJ4SmartVolumeControl_with(0, first);
    m_record.setBasicSettingTJ4SmartVolumeControl_with(1, second);
  }
  void store_lm6_failure_by_version();

  SettingsBlocks& m_blocks;
  const std::uint32_t m_id;
  session::AppState& m_controller;
  FEXOBluetoothDeviceData& m_record;
  const std::optional<FEXOBluetoothDeviceData>& m_backup;
  const SettingsBlockMap& m_map;
  // On/off fields of step 5; the copying families leave them all off.
  std::uint32_t m_fields = 0;
};

// ---- step 1: device address ----

void SettingsReader::read_address() {
  const std::optional<BdAddress> address = keeps_settings_behind_language_pack(m_id)
                                               ? m_blocks.read_language_pack_address()
                                               : m_blocks.read_address(0);
  std::string display;
  if (address) {
    const BdAddress& a = *address;
    m_record.setDeviceBdAddress(platform::format("%02X%02X%02X%02X%02X%02X", a[0], a[1], a[2], a[3], a[4], a[5]));
    display = address_display_text(a);
    if (m_id == k_lm6_product) set_ironvale_sub_model(a);
  }
  m_record.setBdAddress(display);
  if (m_id == k_lm6_product) read_sub_model();
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

// ---- steps 2 and 3 ----

void SettingsReader::announce_settings_blocks() {
  if (!m_map.commits) return;
  for (unsigned char block : m_map.committed_settings_blocks) {
    if (block != 0) m_blocks.announce(0, block);
  }
}

void SettingsReader::read_mesh_channel() {
  if (!in(m_id, {0x3500, 0x3540, 0x3560, 0x3570})) return;
  if (m_blocks.read(0, k_block_mesh_channel)) {
    lm6_from_reply(0);
    platform::system_log(platform::format("mesh channel data[%d] = %d", 0, m_blocks.word(0)));
  } else {
    set_lm6(0, {1});
  }
  if (m_id != 0x3560) return;
  if (m_blocks.read(0, k_block_mesh_volume)) {
    m_record.setBasicSetting20At_with(1, m_blocks.word(0));
    platform::system_log(platform::format("mesh volume data[%d] = %d", 1, m_blocks.word(0)));
  } else {
    set_lm6(1, {10});
  }
}

// ---- step 4: settings words by family ----

bool SettingsReader::copy(int slot, unsigned char block, CopyLog log) {
  if (!m_blocks.read(slot, block)) return false;
  const int count = m_blocks.word_count();
  // the record keeps ten words; a longer reply's further words have no place
  for (int index = 0; index < std::min(count, k_lm6_words); ++index) {
    lm6_from_reply(index);
    if (!log.format) continue;
    platform::system_log(log.with_length ? platform::format(log.format, count, index, m_blocks.word(index))
                                         : platform::format(log.format, index, m_blocks.word(index)));
  }
  return true;
}

bool SettingsReader::unpack(unsigned char block, const UnpackLayout& layout) {
  if (!m_blocks.read(0, block)) return false;
  m_fields = unpack_settings_word(m_blocks.word(0), layout);
  return true;
}

bool SettingsReader::unpack_with_word_1(unsigned char block, std::int32_t failed_word_1) {
  if (unpack(block, k_full)) {
    lm6_from_reply(1);
    return true;
  }
  set_lm6(1, {failed_word_1});
  m_fields = k_common_failure_default;
  return false;
}

void SettingsReader::read_word_pair(unsigned char block, WordSetter set, int first,
                                    std::array<std::int32_t, 2> failure, const char* log) {
  if (m_blocks.read(0, block)) {
    (m_record.*set)(first, m_blocks.word(0));
    (m_record.*set)(first + 1, m_blocks.word(1));
    if (log) platform::system_log(platform::format(log, m_blocks.word(0), m_blocks.word(1)));
  } else {
    (m_record.*set)(first, failure[0]);
    (m_record.*set)(first + 1, failure[1]);
  }
}

void SettingsReader::store_lm6_failure_by_version() {
  const auto below = [this](int major, int minor) {
    return m_record.compareVersionUpToMinorWithMajor_Minor(major, minor) < 0;
  };
  if (below(1, 1)) return set_lm6(0, {5, 3, 0xEC00});
  if (below(1, 2)) return set_lm6(0, {5, 3, 0xEC00, 3});
  if (below(1, 5)) return set_lm6(0, {5, 3, 0xED80, 3, 0, 0, 0, 0, 0, 0});
  if (below(1, 6)) return set_lm6(0, {5, 3, 0xEDA0, 3, 0, 0, 0, 0, 0, 0});
  set_lm6(0, {5, 3, 0xED20, 2, 0, 0, 0, 0, 0, 0});
}

void SettingsReader::read_settings_blocks() {
  const std::uint32_t id = m_id;
  const bool two_modules = device_data::product_facts(static_cast<int>(id)).two_modules;
  if (id == k_lm6_product) {
    if (!copy(1, k_block_settings)) store_lm6_failure_by_version();
  } else if (two_modules) {
    if (!copy(1, k_block_settings)) set_lm6(0, {5, 3, 0xED21, 2, 0, 0, 0, 0, 0, 0});
  } else if (in(id, {0x5345, 0x3550, 0x5320, 0x5330})) {
    // no settings word: every on/off field off
  } else if (in(id, {0x3110, 0x3146})) {
    if (!copy(0, k_block_settings, {"ND4 data[%d] = %04X"})) set_lm6(0, {0x1C21, 0x0583});
  } else if (id == 0x3140) {
    if (!copy(0, k_block_settings, {"PLV_DT3M data[%d] = %04X"})) set_lm6(0, {0x1821, 0x0583});
  } else if (in(id, {0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3142, 0x3144, 0x3152})) {
    const CopyLog log{id == 0x3126 ? "DK3 ZOD CS data[%d] = %04X" : "Solvane m data[%d] = %04X"};
    if (!copy(0, k_block_settings, log)) {
      if (id == 0x3142) {
        set_lm6(0, {0x1D21, 0x0183});
      } else {
        set_lm6(0, {0x1C21, 0x0583});
        if (id == 0x3116) set_lm6(2, {0, 0x0020});
        if (id == 0x3118) set_lm6(2, {0xFFFF, 0x0020});
      }
    }
  } else if (in(id, {0x3112, 0x3114})) {
    if (!copy(0, k_block_settings, {"KWND4 len[%d]data[%d] = %04X", true})) set_lm6(0, {0x1C21, 0x0583, 0x0066});
  } else if (in(id, {0x3148, 0x3154, 0x3170})) {
    if (!copy(0, k_block_settings, {"tj6 data[%d] = %04X"})) set_lm6(0, {0x1C21, 0x0583});
  } else if (in(id, {0x3156, 0x3213, 0x3240})) {
    if (!copy(0, k_block_settings, {"KWWQ8 data[%d] = %04X"})) set_lm6(0, {0x1C21, 0x0583});
  } else if (in(id, {0x3310, 0x3320, 0x3330})) {
    if (!copy(0, k_block_settings, {"len[%d] qorlan data[%d] = %04X", true})) set_lm6(0, {0x1C21, 0x0583});
  } else if (in(id, {0x3132, 0x3134, 0x3210, 0x3211, 0x3212, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232,
                     0x3260, 0x3264, 0x3900})) {
    if (copy(0, k_block_settings, {"WQ8 data[%d] = %04X"})) {
      const int speaker = m_record.GetBasicSetting50SpeakerAccessorySelect();
      m_controller.setDevice50SpeakerType(speaker);
      platform::system_log(platform::format("wq8 speaker type = [%d]", speaker));
    } else {
      set_lm6(0, {0x1C21, 0x0583});
    }
  } else if (in(id, {0x3150, 0x3161, 0x6500, 0x6510})) {
    if (!copy(0, k_block_qcc_settings, {"kr9r data[%d] = %04X"})) set_lm6(0, {0x1C21, 0x0583});
  } else if (in(id, {0x4D06, 0x4D16, 0x4D76, 0x4D86})) {
    if (!copy(0, k_block_qcc_settings, {"WQ8 data[%d] = %04X"})) set_lm6(0, {0x1421, 0x0200});
  } else if (keeps_settings_behind_language_pack(id)) {
    if (const auto words = m_blocks.read_language_pack_settings()) {
      set_lm6(0, {(*words)[0], (*words)[1], (*words)[2]});
      platform::system_log(platform::format("Get Total HEX AIROHA 0=[%04X], 1=[%04X], 2=[%04X]", (*words)[0],
                                            (*words)[1], (*words)[2]));
    } else {
      set_lm6(0, {3, 0x2200});
    }
  } else if (in(id, {0x3052, 0x3072, 0x3082, 0x3085, 0x3400, 0x4023, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594,
                     0x5595, 0x3340, 0x3341, 0x5552, 0x5553})) {
    if (unpack_with_word_1(k_block_qcc_settings, 0x0020)) {
      // word 2 is the third settings word of these two (in the failure case it keeps its value)
      if (in(id, {0x5552, 0x5553})) lm6_from_reply(2);
      if (!in(id, {0x3340, 0x3341})) {
        platform::system_log(
            platform::format("SAVEF3 %X %X %X", m_blocks.word(0), m_blocks.word(1), m_blocks.word(2)));
      }
    }
  } else if (in(id, {0x6038, 0x6039})) {
    if (unpack_with_word_1(k_block_qcc_settings, 0x0020)) {
      platform::system_log(platform::format("PQPQ %d", (m_blocks.word(1) >> 4) & 0x0F));
      read_vox(k_block_vox_y370, {2, 0});
      platform::system_log(platform::format("SAVEF3 %X %X %X", m_blocks.word(0), m_blocks.word(1), m_blocks.word(2)));
    }
  } else if (in(id, {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420})) {
    if (unpack(k_block_settings, k_full)) {
      read_vox(k_block_vox, {3, 0});
      read_smart_volume();
    } else {
      m_fields = k_common_failure_default;
      set_vox(3, 0);
      set_smart_volume(0, 0);
    }
  } else if (in(id, {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036})) {
    const bool automatic = in(id, {0x6028, 0x6030, 0x6032, 0x6034, 0x6036});
    if (unpack(k_block_settings, automatic ? k_navigation_automatic : k_navigation)) {
      lm6_from_reply(2);
      lm6_from_reply(3);
      if (in(id, {0x6010, 0x6012})) {
        platform::system_log(platform::format("pdata2 = %04X", m_blocks.word(2)));
        platform::system_log(platform::format("pdata3 = %04X", m_blocks.word(3)));
      }
      read_vox(k_block_vox, {2, 0});
    } else {
      set_lm6(2, {in(id, {0x6010, 0x6012}) ? 0x68 : 0x6B, 0});
      m_fields = (k_common_failure_default & ~k_fm_station_guide) | (automatic ? k_auto_on_off : 0u);
    }
  } else if (in(id, {0x6020, 0x6022, 0x6024})) {
    if (unpack(k_block_settings, k_navigation)) {
      // the block holds the first VOX word only
      if (m_blocks.read(0, k_block_vox_navigation)) {
        m_record.setBasicSettingKR5VOXSensitivity_with(0, m_blocks.word(0));
      } else {
        set_vox(2, 0);
      }
    } else {
      m_fields = k_common_failure_default & ~k_fm_station_guide;
    }
  } else if (in(id, {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434})) {
    unpack_with_word_1(k_block_settings, 0x0020);
    read_vox(k_block_vox, {3, 0});
    read_smart_volume("morvent r, rovaga evo smart volume[[%d, %d]]");
  } else if (id == 0x5510) {
    if (!unpack(k_block_settings, k_full)) m_fields = k_common_failure_default;
    read_word_pair(k_block_camera_low, &FEXOBluetoothDeviceData::setBasicSettingVT4Camera_with, 0, {0x07C0, 0},
                   "VT4Camera[[%d, %d");
    if (m_record.compareVersionUpToMinorWithMajor_Minor(2, 0) >= 0) {
      read_word_pair(k_block_camera_high, &FEXOBluetoothDeviceData::setBasicSettingVT4Camera_with, 2, {20, 0},
                     "VT4Camera[[%d, %d");
    }
  } else if (in(id, {0x5520, 0x6112, 0x6114, 0x6400})) {
    if (!unpack(k_block_settings, k_full)) m_fields = k_common_failure_default;
    read_vox(k_block_vox, {3, 0});
  } else if (in(id, {0x5622, 0x5623, 0x5624})) {
    if (!unpack(k_block_settings, k_full)) m_fields = k_common_failure_default;
    if (id != 0x5623) read_smart_volume("smart volume[[%d, %d]]");
    // a backup of firmware before 1.1 had no VOX block to restore
    if (!m_backup || m_backup->compareVersionUpToMinorWithMajor_Minor(1, 1) >= 0) read_vox(k_block_vox, {3, 0});
  } else if (in(id, {0x5526, 0x5720})) {
    if (unpack(k_block_settings, id == 0x5720 ? k_full_to_bit_12 : k_full)) {
      read_vox(k_block_vox, {3, 0});
    } else {
      m_fields = k_common_failure_default;
      set_vox(3, 0);
    }
  } else if (in(id, {0x5570, 0x5580})) {
    unpack_with_word_1(k_block_settings, 0);
  } else if (id == 0x5576) {
    if (unpack(k_block_settings, k_full)) {
      if (m_blocks.word(1) & 1) m_fields |= k_auto_start_recording;
    } else {
      m_fields = k_common_failure_default;
    }
  } else if (in(id, {0x3300, 0x3070, 0x3080, 0x4050, 0x5534, 0x5564, 0x6310, 0x6320, 0x6330, 0x6335})) {
    unpack_with_word_1(k_block_settings, 0x0020);
  } else if (id == 0x5524) {
    if (!unpack(k_block_settings, k_full)) m_fields = k_common_failure_default & ~k_audio_boost;
  } else if (in(id, {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5522})) {
    if (!unpack(k_block_settings, k_full_to_bit_12)) m_fields = k_common_failure_default & ~k_audio_boost;
  } else if (in(id, {0x5710, 0x5910, 0x5920})) {
    if (!unpack(k_block_settings, k_full_to_bit_12)) m_fields = k_common_failure_default;
  } else if (id == 0x5532) {
    if (!unpack(k_block_settings, k_full_to_bit_13)) m_fields = k_common_failure_default;
  } else if (id == 0x5550) {
    if (!unpack(k_block_settings, k_full_without_vox_and_sidetone)) {
      m_fields = k_common_failure_default & ~k_handsfree_vox;
    }
  } else if (id == 0x6210) {
    if (!unpack(k_block_settings, k_full_without_sidetone)) m_fields = k_common_failure_default;
  } else if (id == 0x5536) {
    if (!unpack(k_block_settings, k_voice_prompt_bitpool_hush_boost_guide)) {
      m_fields = k_bitpool_rate | k_fm_station_guide;
    }
  } else if (in(id, {0x5560, 0x5562})) {
    if (!unpack(k_block_settings, k_station_guide_only)) m_fields = k_fm_station_guide;
  } else {
    if (!unpack(k_block_settings, k_full)) m_fields = k_common_failure_default;
  }
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
  if (m_map.commits && fm.written) m_blocks.announce(0, fm.block);
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
  if (m_map.commits) {
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
