// Factory settings of every product by firmware version, kept as one decision
// table: each row names its set of factory settings (the product's catalogue
// row names its set), the firmware band it covers and the writes that put the
// product's factory settings back.
#include <optional>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using Set = device_data::FactoryDefaults;
using FieldSetter = void (Record::*)(int32_t);

enum class Target {
  field,         // a settings field through its setter
  general_word,  // basicSettingLM6[index]
  vox_word,      // basicSettingKR5VOXSensitivity[index]
  camera_word,   // basicSettingVT4Camera[index]
  fm_reset,      // the whole FM block to the factory state
  fm_reset_6,    // the same for a 6-preset unit: presets 6..9 kept, RDS on
};

struct Write {
  Target target;
  FieldSetter setter;
  int index;
  int32_t value;
};
using Writes = std::vector<Write>;

Write field(FieldSetter setter, int32_t value) { return {Target::field, setter, 0, value}; }
Write general_word(int index, int32_t value) { return {Target::general_word, nullptr, index, value}; }
Write vox_word(int index, int32_t value) { return {Target::vox_word, nullptr, index, value}; }
Write camera_word(int index, int32_t value) { return {Target::camera_word, nullptr, index, value}; }

Writes operator+(Writes first, const Writes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

struct MajorMinor {
  int32_t major;
  int32_t minor;
};
struct FullVersion {
  int32_t major;
  int32_t minor;
  int32_t type;
  int32_t number;
};

// A firmware band: the major.minor given to the reset lies in [from, below);
// the full bounds compare the record's own main version set.
struct Band {
  std::optional<MajorMinor> from;
  std::optional<MajorMinor> below;
  std::optional<FullVersion> full_from;
  std::optional<FullVersion> full_below;
};

Band any() { return {}; }
Band below(int32_t major, int32_t minor) { return {std::nullopt, MajorMinor{major, minor}, {}, {}}; }
Band from(int32_t major, int32_t minor) { return {MajorMinor{major, minor}, std::nullopt, {}, {}}; }
Band from_to(MajorMinor low, MajorMinor high) { return {low, high, {}, {}}; }

struct Row {
  Set set;
  Band band;
  Writes writes;
};

// ---- the fields ----
Write intercom_vox(int32_t v) { return field(&Record::setIntercomVOX, v); }
Write handsfree_vox(int32_t v) { return field(&Record::setHandsfreeVOX, v); }
Write edr(int32_t v) { return field(&Record::setEdr, v); }
Write voice_prompt(int32_t v) { return field(&Record::setVoicePrompt, v); }
Write plc(int32_t v) { return field(&Record::setPlc, v); }
Write bitpool_rate(int32_t v) { return field(&Record::setBitpoolRate, v); }
Write microphone_boost(int32_t v) { return field(&Record::setMicrophoneBoost, v); }
Write sidetone(int32_t v) { return field(&Record::setSidetone, v); }
Write ambient_hush(int32_t v) { return field(&Record::setAmbientHushControl, v); }
Write auto_gain(int32_t v) { return field(&Record::setAutoGainControl, v); }
Write audio_boost(int32_t v) { return field(&Record::setAudioBoost, v); }
Write auto_start_recording(int32_t v) { return field(&Record::setAutoStartRecording, v); }
Write hd_intercom(int32_t v) { return field(&Record::setHdIntercom, v); }
Write station_guide(int32_t v) { return field(&Record::setFmStationGuide, v); }
Write hd_voice(int32_t v) { return field(&Record::setHdVoice, v); }
Write source_priority(int32_t v) { return field(&Record::setAudioSourcePriority, v); }
Write audio_veneer(int32_t v) { return field(&Record::setAudioVeneer, v); }
Write auto_on_off(int32_t v) { return field(&Record::setAutoOnOff, v); }
Write smart_navi(int32_t v) { return field(&Record::setSmartNaviSystem, v); }
Write smart_navi_2(int32_t v) { return field(&Record::setSmartNaviSystem2, v); }
Write auto_off(int32_t v) { return field(&Record::setAutoOff, v); }
Write simple_ui(int32_t v) { return field(&Record::setSimpleUI, v); }
Write transmit_gain(int32_t v) { return field(&Record::setRadioTransmitGain, v); }
Write channel_timeout(int32_t v) { return field(&Record::setAudioChannelTimeout, v); }
Write fm_region(int32_t v) { return field(&Record::setFmRadioRegion, v); }
const Write k_fm_reset{Target::fm_reset, nullptr, 0, 0};
const Write k_fm_reset_6{Target::fm_reset_6, nullptr, 0, 0};

// The older headsets with thresholds 4.0 / 4.1 / 4.2 / 5.0.
std::vector<Row> four_band_rows(Set set, bool microphone, const Writes& extra) {
  const Writes boost = microphone ? Writes{microphone_boost(1)} : Writes{};
  const Writes from_4_2 = Writes{intercom_vox(0), handsfree_vox(1), edr(0), bitpool_rate(1)} + boost;
  return {
      {set, below(4, 0), Writes{intercom_vox(0), handsfree_vox(0), edr(0)} + extra},
      {set, from_to({4, 0}, {4, 1}), Writes{intercom_vox(0), handsfree_vox(1), edr(0), plc(1)} + extra},
      {set, from_to({4, 1}, {4, 2}),
       Writes{intercom_vox(0), handsfree_vox(1), edr(0), plc(1), bitpool_rate(1)} + boost + extra},
      {set, from_to({4, 2}, {5, 0}), from_4_2 + extra},
      {set, from(5, 0), from_4_2 + Writes{sidetone(0)} + extra},
  };
}

// The later headsets with thresholds 1.2 / 2.0.
std::vector<Row> three_band_rows(Set set, const Writes& extra) {
  return {
      {set, below(1, 2), Writes{handsfree_vox(1), edr(0), plc(1)} + extra},
      {set, from_to({1, 2}, {2, 0}), Writes{handsfree_vox(1), edr(0), bitpool_rate(1)} + extra},
      {set, from(2, 0), Writes{handsfree_vox(1), edr(0), bitpool_rate(1), sidetone(0)} + extra},
  };
}

// Units whose settings are only the general words 0..3.
Row word_row(Set set, Band band, int32_t w0, int32_t w1, int32_t w2, int32_t w3,
             const Writes& extra) {
  return {set, band,
          Writes{general_word(0, w0), general_word(1, w1), general_word(2, w2), general_word(3, w3)} + extra};
}

std::vector<Row> build_table() {
  const Writes fm{k_fm_reset};
  const Writes common{intercom_vox(0), handsfree_vox(1), voice_prompt(0), sidetone(0), ambient_hush(0)};
  const Writes common_no_sidetone{intercom_vox(0), handsfree_vox(1), voice_prompt(0), ambient_hush(0)};
  const Writes trio_0{hd_voice(0), source_priority(0), audio_veneer(0)};
  const Writes voice_trio{hd_voice(1), source_priority(0), audio_veneer(0)};

  std::vector<Row> rows;
  const auto add = [&rows](std::vector<Row> more) { rows.insert(rows.end(), more.begin(), more.end()); };

  // ---- older products: settings as separate fields ----
  add(four_band_rows(Set::like_4d10, true, {}));
  add(four_band_rows(Set::like_4d20, false, {}));
  add(four_band_rows(Set::like_5040, false, fm));
  add(three_band_rows(Set::like_4d05, {}));
  add(three_band_rows(Set::like_4d15, fm));
  const Writes quiet_base{handsfree_vox(1), edr(0), bitpool_rate(1)};
  add({
      {Set::like_4d75, any(), Writes{intercom_vox(0)} + quiet_base + Writes{sidetone(0)}},
      {Set::like_4d85, any(), quiet_base + Writes{sidetone(0), k_fm_reset}},
      {Set::fm_block_only, any(), fm},
      {Set::like_4d21, any(), {sidetone(1)}},
      {Set::like_2010, any(), quiet_base},
      {Set::like_2020, below(1, 1), Writes{intercom_vox(0)} + quiet_base + Writes{sidetone(0)}},
      {Set::like_2020, from(1, 1), Writes{intercom_vox(0)} + quiet_base + Writes{sidetone(0), ambient_hush(0)}},
      {Set::like_6000, any(), quiet_base + Writes{sidetone(0)}},
      {Set::like_4021, any(), {handsfree_vox(1)}},
      {Set::like_6420, any(), {handsfree_vox(1), edr(0)}},
      {Set::like_4040, any(), {sidetone(0)}},
      {Set::like_4110, any(), {edr(0), bitpool_rate(1)}},
      {Set::like_4120, any(), {edr(0), bitpool_rate(1), sidetone(0), ambient_hush(0), auto_gain(0)}},
      {Set::like_6110, any(), {edr(0), bitpool_rate(1), sidetone(0), ambient_hush(0)}},
      {Set::like_5210, any(), {transmit_gain(15), channel_timeout(5)}},
      {Set::like_3030, any(),
       Writes{voice_prompt(0), ambient_hush(0), station_guide(1)} + fm},
      {Set::like_3070, any(), Writes{voice_prompt(0), sidetone(0), station_guide(1)} + fm},
      {Set::like_3080, any(), Writes{voice_prompt(0), sidetone(0)} + fm},
      {Set::like_3085, any(), {voice_prompt(0)}},
      {Set::like_5560, any(), Writes{station_guide(1)} + fm},
  });

  // ---- products with the packed settings word ----
  const Writes boost_hd_guide{audio_boost(1), hd_intercom(1), station_guide(1)};
  const Writes boost_hd{audio_boost(1), hd_intercom(1)};
  add({
      {Set::like_5410, any(),
       common + Writes{bitpool_rate(1)} + boost_hd_guide + Writes{vox_word(0, 3), k_fm_reset} + trio_0},
      {Set::like_5720, any(), common + Writes{bitpool_rate(1)} + boost_hd_guide + Writes{vox_word(0, 3), k_fm_reset}},
      {Set::like_5424, any(),
       common + boost_hd_guide + Writes{vox_word(0, 3), k_fm_reset} + voice_trio},
      {Set::like_5534, any(), common + boost_hd_guide + fm + voice_trio},
      {Set::like_3300, any(), common + boost_hd_guide + voice_trio},
      {Set::like_3400, any(), {handsfree_vox(1), voice_prompt(0), hd_intercom(1), station_guide(1), hd_voice(1)}},
      {Set::like_6320, any(),
       {handsfree_vox(1), voice_prompt(0), ambient_hush(0), hd_intercom(1), hd_voice(1)}},
  });

  // the camera unit: the first band edge is a full version (1.0 type 2 number 3)
  const Writes camera_1 = common + Writes{bitpool_rate(1), camera_word(0, 0x07C0), k_fm_reset};
  const Writes camera_2_0 = camera_1 + Writes{audio_boost(1), hd_intercom(1), camera_word(2, 0x0014)};
  const Writes camera_3_0 = common + Writes{camera_word(0, 0x07C0), k_fm_reset, audio_boost(1), hd_intercom(1),
                                            camera_word(2, 0x0014), station_guide(1)} +
                            trio_0;
  const FullVersion camera_edge{1, 0, 2, 3};
  add({
      {Set::like_5510, {std::nullopt, MajorMinor{2, 0}, std::nullopt, camera_edge}, camera_1 + Writes{audio_boost(0)}},
      {Set::like_5510, {std::nullopt, MajorMinor{2, 0}, camera_edge, std::nullopt}, camera_1 + Writes{audio_boost(1)}},
      {Set::like_5510, from_to({2, 0}, {2, 2}), camera_2_0},
      {Set::like_5510, from_to({2, 2}, {3, 0}), camera_2_0 + Writes{station_guide(1)}},
      {Set::like_5510, from(3, 0), camera_3_0},
  });

  const Writes unit_5520 = common + Writes{bitpool_rate(1), vox_word(0, 3), k_fm_reset};
  const FullVersion edge_5520{1, 0, 2, 1};
  add({
      {Set::like_5520, {std::nullopt, MajorMinor{1, 1}, std::nullopt, edge_5520}, unit_5520 + Writes{audio_boost(0)}},
      {Set::like_5520, {std::nullopt, MajorMinor{1, 1}, edge_5520, std::nullopt}, unit_5520 + Writes{audio_boost(1)}},
      {Set::like_5520, from_to({1, 1}, {2, 0}), unit_5520 + boost_hd_guide},
      {Set::like_5520, from(2, 0), common + Writes{vox_word(0, 3), k_fm_reset} + boost_hd_guide + trio_0},
  });

  const Writes unit_5522{voice_prompt(0), bitpool_rate(1), ambient_hush(0), audio_boost(0), station_guide(1),
                         k_fm_reset};
  const Writes common_boost_hd_guide_fm = common + boost_hd_guide + fm;
  const Writes common_bitpool_boost_hd_guide_fm = common + Writes{bitpool_rate(1)} + boost_hd_guide + fm;
  add({
      {Set::like_5522, any(), unit_5522},
      {Set::like_5524, below(2, 0), unit_5522},
      {Set::like_5524, from(2, 0),
       Writes{voice_prompt(0), ambient_hush(0), audio_boost(0), station_guide(1), k_fm_reset} + trio_0},
      {Set::like_5530, below(1, 4), common + Writes{bitpool_rate(1)} + boost_hd + fm},
      {Set::like_5530, from_to({1, 4}, {2, 0}), common_bitpool_boost_hd_guide_fm + Writes{hd_voice(0)}},
      {Set::like_5530, from(2, 0), common_boost_hd_guide_fm + trio_0},
      {Set::like_5532, any(), common_bitpool_boost_hd_guide_fm + Writes{hd_voice(0)}},
      {Set::like_5550, below(2, 0),
       Writes{voice_prompt(0), bitpool_rate(1), ambient_hush(0)} + boost_hd_guide + fm},
      {Set::like_5550, from(2, 0),
       Writes{voice_prompt(0), ambient_hush(0), audio_boost(1), station_guide(1), k_fm_reset} + trio_0},
      {Set::like_5570, any(), common_boost_hd_guide_fm + trio_0},
      {Set::like_5576, any(),
       common + Writes{audio_boost(0), hd_intercom(1), station_guide(1), k_fm_reset, auto_start_recording(0)} +
           trio_0},
      {Set::like_5580, below(2, 0), common_bitpool_boost_hd_guide_fm},
      {Set::like_5580, from(2, 0), common_boost_hd_guide_fm + trio_0},
      {Set::like_6210, below(2, 0), common_no_sidetone + Writes{bitpool_rate(1)} + boost_hd_guide + fm},
      {Set::like_6210, from(2, 0), common_no_sidetone + boost_hd_guide + fm + trio_0},
  });

  const Writes unit_5622 = common_no_sidetone + Writes{bitpool_rate(1)} + boost_hd + fm;
  const Writes unit_5623 = common + Writes{bitpool_rate(1)} + boost_hd + fm;
  add({
      {Set::like_5610, below(1, 1), common + Writes{bitpool_rate(1), audio_boost(0)} + fm},
      {Set::like_5610, from_to({1, 1}, {2, 0}), common + Writes{bitpool_rate(1)} + boost_hd + fm},
      {Set::like_5610, from(2, 0), common_boost_hd_guide_fm + trio_0},
      {Set::like_5622, below(1, 1), unit_5622},
      {Set::like_5622, from_to({1, 1}, {2, 0}), unit_5622 + Writes{vox_word(0, 2)}},
      {Set::like_5622, from(2, 0), unit_5622 + Writes{vox_word(0, 2), station_guide(1)} + trio_0},
      {Set::like_5623, below(1, 1), unit_5623},
      {Set::like_5623, from(1, 1), unit_5623 + Writes{vox_word(0, 2)} + trio_0},
      {Set::like_5710, below(1, 2), common + Writes{bitpool_rate(1)} + boost_hd + fm},
      {Set::like_5710, from(1, 2), common + Writes{bitpool_rate(1)} + boost_hd + fm + Writes{station_guide(1)}},
      {Set::like_5910, any(), common + Writes{bitpool_rate(1)} + boost_hd + fm},
      {Set::like_6112, any(), common + boost_hd_guide + Writes{vox_word(0, 3), k_fm_reset} + trio_0},
      {Set::like_6114, any(), common + Writes{audio_boost(1), station_guide(1), vox_word(0, 3), k_fm_reset}},
      {Set::like_6400, any(), common_no_sidetone + boost_hd_guide + Writes{vox_word(0, 2), k_fm_reset} + trio_0},
  });

  // the navigation units keep 6 FM presets; general word 2 carries their factory switches
  const auto navigation = [&](int32_t word_2) {
    return common + Writes{bitpool_rate(1)} + boost_hd +
           Writes{general_word(2, word_2), vox_word(0, 2), k_fm_reset_6, smart_navi(0)};
  };
  const Writes auto_on{audio_veneer(0), auto_on_off(1)};
  add({
      {Set::navigation_0068, any(), navigation(0x0068)},
      {Set::navigation_006b, any(), navigation(0x006B)},
      {Set::navigation_006b_auto_on, any(), navigation(0x006B) + auto_on},
      {Set::navigation_0068_auto_on, any(), navigation(0x0068) + auto_on},
      {Set::navigation_0063_auto_on, any(), navigation(0x0063) + auto_on},
      {Set::like_6020, any(), common + Writes{vox_word(0, 2), smart_navi(0)}},
      {Set::like_6038, any(),
       common_boost_hd_guide_fm + voice_trio + Writes{auto_off(0), simple_ui(1), smart_navi_2(0)}},
  });

  // ---- products whose settings are only words ----
  const Writes fm_region_1{k_fm_reset, fm_region(1)};
  add({
      word_row(Set::words_ed21, any(), 0x0005, 0x0003, 0xED21, 0x0002, fm),
      word_row(Set::lm6, below(1, 1), 0x0005, 0x0003, 0xEC00, 0, fm),
      word_row(Set::lm6, from_to({1, 1}, {1, 2}), 0x0005, 0x0003, 0xEC00, 0x0003, fm_region_1),
      word_row(Set::lm6, from_to({1, 2}, {1, 5}), 0x0005, 0x0003, 0xED80, 0x0003, fm_region_1),
      word_row(Set::lm6, from_to({1, 5}, {1, 6}), 0x0005, 0x0003, 0xEDA0, 0x0003, fm_region_1),
      word_row(Set::lm6, from(1, 6), 0x0005, 0x0003, 0xED20, 0x0002, fm_region_1),
      word_row(Set::like_3110, any(), 0x1C21, 0x0583, 0, 0, fm),
      word_row(Set::like_3112, any(), 0x1C21, 0x0583, 0x0066, 0, fm),
      word_row(Set::like_3140, any(), 0x1821, 0x0583, 0, 0, fm),
      word_row(Set::like_3142, any(), 0x1D21, 0x0183, 0, 0, fm),
      word_row(Set::like_3150, any(), 0x1C21, 0, 0, 0, fm),
      word_row(Set::like_6500, any(), 0x1C21, 0x1980, 0, 0, fm),
      word_row(Set::like_3500, any(), 0x0001, 0, 0, 0, {}),
      word_row(Set::like_3560, any(), 0x0001, 0x000A, 0, 0, {}),
      word_row(Set::like_6800, any(), 0x0003, 0x2200, 0, 0, {}),
  });
  return rows;
}

const std::vector<Row>& factory_table() {
  static const std::vector<Row> k_table = build_table();
  return k_table;
}

bool covers(const Record& record, const Band& band, int32_t major, int32_t minor) {
  const auto up_to_minor = [&](const MajorMinor& edge) {
    return Record::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, edge.major, edge.minor);
  };
  const auto full = [&](const FullVersion& edge) {
    return Record::
        compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
            record.deviceVersionMajor(), record.deviceVersionMinor(), record.deviceSecondaryVersionType(),
            record.deviceSecondaryVersion(), edge.major, edge.minor, edge.type, edge.number);
  };
  if (band.from && up_to_minor(*band.from) < 0) return false;
  if (band.below && up_to_minor(*band.below) >= 0) return false;
  if (band.full_from && full(*band.full_from) < 0) return false;
  if (band.full_below && full(*band.full_below) >= 0) return false;
  return true;
}

const Row* row_for(const Record& record, int32_t device, int32_t major, int32_t minor) {
  const Set set = device_data::product_facts(device).factory_defaults;
  if (set == Set::none) return nullptr;
  for (const Row& row : factory_table()) {
    if (row.set == set && covers(record, row.band, major, minor)) return &row;
  }
  return nullptr;
}

// The FM block as the unit leaves the factory. A 6-preset unit keeps presets
// 6..9 (it has no such presets) and ships with RDS on.
void reset_fm(Record& record, bool six_presets) {
  record.setFmRadioRegion(0);
  record.setFmRadioMagicCode(0x56E9);
  record.setFmRadioCurrentFrequency(0);
  record.setFmRadioCurrentPreset(0);
  const int preset_count = six_presets ? Record::k_fm_preset_group_count : Record::k_fm_preset_count;
  for (int index = 0; index < preset_count; ++index) record.setFmRadioPresetsAt_with(index, 0);
  record.setFmRadioRDS(six_presets ? 1 : 0);
}

void apply(Record& record, const Write& write) {
  switch (write.target) {
    case Target::field:
      (record.*write.setter)(write.value);
      return;
    case Target::general_word:
      record.setBasicSetting20At_with(write.index, write.value);
      return;
    case Target::vox_word:
      record.setBasicSettingKR5VOXSensitivity_with(write.index, write.value);
      return;
    case Target::camera_word:
      record.setBasicSettingVT4Camera_with(write.index, write.value);
      return;
    case Target::fm_reset:
      reset_fm(record, false);
      return;
    case Target::fm_reset_6:
      reset_fm(record, true);
      return;
  }
}

}  // namespace

void FEXOBluetoothDeviceData::initializeObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major,
                                                                            int32_t minor) {
  // every settings word starts cleared; the product's row then writes its own
  for (int index = 0; index < k_basic_setting_lm6_count; ++index) setBasicSetting20At_with(index, 0);
  for (int index = 0; index < k_vox_sensitivity_count; ++index) setBasicSettingKR5VOXSensitivity_with(index, 0);
  for (int index = 0; index < k_smart_volume_control_count; ++index) setBasicSettingTJ4SmartVolumeControl_with(index, 0);
  for (int index = 0; index < k_camera_word_count; ++index) setBasicSettingVT4Camera_with(index, 0);

  if (const Row* row = row_for(*this, device, major, minor)) {
    for (const Write& write : row->writes) apply(*this, write);
  }

  initializeSpeedDialObjectWithDevice_VersionMajor_Minor(device, major, minor);
}

void FEXOBluetoothDeviceData::initializeSecondObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major,
                                                                                  int32_t minor) {
  // the LM6 unit from firmware 1.1 ships set to region 1
  const bool lm6_region_1 = device == device_data::k_lm6_product &&
                            compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, 1, 1) >= 0;
  m_fmRadioRegion = lm6_region_1 ? 1 : 0;
  const int preset_count = fmPresetCountForDevice(deviceRecognized());
  for (int index = 0; index < preset_count; ++index) setFmRadioPresetsAt_with(index, 0);
  setFmRadioRDS(0);
}

void FEXOBluetoothDeviceData::initializeSpeedDialObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major,
                                                                                     int32_t minor) {
  (void)device;
  (void)major;
  (void)minor;
  for (int index = 0; index < k_speed_dial_count; ++index) setSpeedDialAt_with(index, std::string());
}
