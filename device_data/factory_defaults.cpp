// Factory settings of every product by firmware version, kept as one decision
// table: each row names its products, the firmware band it covers and the
// writes that put the product's factory settings back.
#include <optional>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"

namespace {

using Record = FEXOBluetoothDeviceData;
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
  std::vector<int32_t> products;
  Band band;
  Writes writes;
};

using Products = std::vector<int32_t>;

Products ids_from_to(int32_t first, int32_t last) {
  Products products;
  for (int32_t id = first; id <= last; ++id) products.push_back(id);
  return products;
}

Products operator+(Products first, const Products& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

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
std::vector<Row> four_band_rows(const Products& products, bool microphone, const Writes& extra) {
  const Writes boost = microphone ? Writes{microphone_boost(1)} : Writes{};
  const Writes from_4_2 = Writes{intercom_vox(0), handsfree_vox(1), edr(0), bitpool_rate(1)} + boost;
  return {
      {products, below(4, 0), Writes{intercom_vox(0), handsfree_vox(0), edr(0)} + extra},
      {products, from_to({4, 0}, {4, 1}), Writes{intercom_vox(0), handsfree_vox(1), edr(0), plc(1)} + extra},
      {products, from_to({4, 1}, {4, 2}),
       Writes{intercom_vox(0), handsfree_vox(1), edr(0), plc(1), bitpool_rate(1)} + boost + extra},
      {products, from_to({4, 2}, {5, 0}), from_4_2 + extra},
      {products, from(5, 0), from_4_2 + Writes{sidetone(0)} + extra},
  };
}

// The later headsets with thresholds 1.2 / 2.0.
std::vector<Row> three_band_rows(const Products& products, const Writes& extra) {
  return {
      {products, below(1, 2), Writes{handsfree_vox(1), edr(0), plc(1)} + extra},
      {products, from_to({1, 2}, {2, 0}), Writes{handsfree_vox(1), edr(0), bitpool_rate(1)} + extra},
      {products, from(2, 0), Writes{handsfree_vox(1), edr(0), bitpool_rate(1), sidetone(0)} + extra},
  };
}

// Units whose settings are only the general words 0..3.
Row word_row(const Products& products, Band band, int32_t w0, int32_t w1, int32_t w2, int32_t w3,
             const Writes& extra) {
  return {products, band,
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
  const Products headset_20 = {0x4D20, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080};
  add(four_band_rows({0x4D10, 0x4D30, 0x4D40}, true, {}));
  add(four_band_rows(headset_20, false, {}));
  add(four_band_rows({0x5040, 0x5050}, false, fm));
  add(three_band_rows({0x4D05, 0x4D35, 0x4D55}, {}));
  add(three_band_rows({0x4D15, 0x4D45, 0x4D65}, fm));
  const Writes quiet_base{handsfree_vox(1), edr(0), bitpool_rate(1)};
  add({
      {{0x4D75, 0x5011}, any(), Writes{intercom_vox(0)} + quiet_base + Writes{sidetone(0)}},
      {{0x4D85}, any(), quiet_base + Writes{sidetone(0), k_fm_reset}},
      {{0x4D06, 0x4D16, 0x4D76, 0x4D86}, any(), fm},
      {{0x4D21}, any(), {sidetone(1)}},
      {{0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030}, any(), quiet_base},
      {{0x2020}, below(1, 1), Writes{intercom_vox(0)} + quiet_base + Writes{sidetone(0)}},
      {{0x2020}, from(1, 1), Writes{intercom_vox(0)} + quiet_base + Writes{sidetone(0), ambient_hush(0)}},
      {{0x6000}, any(), quiet_base + Writes{sidetone(0)}},
      {{0x4021, 0x6430}, any(), {handsfree_vox(1)}},
      {{0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}, any(), {handsfree_vox(1), edr(0)}},
      {{0x4040}, any(), {sidetone(0)}},
      {{0x4110, 0x4111, 0x4112, 0x4113}, any(), {edr(0), bitpool_rate(1)}},
      {{0x4120}, any(), {edr(0), bitpool_rate(1), sidetone(0), ambient_hush(0), auto_gain(0)}},
      {{0x6110, 0x6111, 0x6120, 0x6121}, any(), {edr(0), bitpool_rate(1), sidetone(0), ambient_hush(0)}},
      {{0x5210}, any(), {transmit_gain(15), channel_timeout(5)}},
      {{0x3030, 0x3032, 0x3040, 0x3050, 0x3060}, any(),
       Writes{voice_prompt(0), ambient_hush(0), station_guide(1)} + fm},
      {{0x3070}, any(), Writes{voice_prompt(0), sidetone(0), station_guide(1)} + fm},
      {{0x3080}, any(), Writes{voice_prompt(0), sidetone(0)} + fm},
      {{0x3085, 0x6310}, any(), {voice_prompt(0)}},
      {{0x5560, 0x5562}, any(), Writes{station_guide(1)} + fm},
  });

  // ---- products with the packed settings word ----
  const Writes boost_hd_guide{audio_boost(1), hd_intercom(1), station_guide(1)};
  const Writes boost_hd{audio_boost(1), hd_intercom(1)};
  add({
      {{0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5526}, any(),
       common + Writes{bitpool_rate(1)} + boost_hd_guide + Writes{vox_word(0, 3), k_fm_reset} + trio_0},
      {{0x5720}, any(), common + Writes{bitpool_rate(1)} + boost_hd_guide + Writes{vox_word(0, 3), k_fm_reset}},
      {{0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434}, any(),
       common + boost_hd_guide + Writes{vox_word(0, 3), k_fm_reset} + voice_trio},
      {{0x5534, 0x5552, 0x5553, 0x5590}, any(), common + boost_hd_guide + fm + voice_trio},
      {Products{0x3300, 0x3340, 0x3341} + ids_from_to(0x5591, 0x5595), any(), common + boost_hd_guide + voice_trio},
      {{0x3400}, any(), {handsfree_vox(1), voice_prompt(0), hd_intercom(1), station_guide(1), hd_voice(1)}},
      {{0x6320, 0x6330, 0x6335}, any(),
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
      {{0x5510}, {std::nullopt, MajorMinor{2, 0}, std::nullopt, camera_edge}, camera_1 + Writes{audio_boost(0)}},
      {{0x5510}, {std::nullopt, MajorMinor{2, 0}, camera_edge, std::nullopt}, camera_1 + Writes{audio_boost(1)}},
      {{0x5510}, from_to({2, 0}, {2, 2}), camera_2_0},
      {{0x5510}, from_to({2, 2}, {3, 0}), camera_2_0 + Writes{station_guide(1)}},
      {{0x5510}, from(3, 0), camera_3_0},
  });

  const Writes unit_5520 = common + Writes{bitpool_rate(1), vox_word(0, 3), k_fm_reset};
  const FullVersion edge_5520{1, 0, 2, 1};
  add({
      {{0x5520}, {std::nullopt, MajorMinor{1, 1}, std::nullopt, edge_5520}, unit_5520 + Writes{audio_boost(0)}},
      {{0x5520}, {std::nullopt, MajorMinor{1, 1}, edge_5520, std::nullopt}, unit_5520 + Writes{audio_boost(1)}},
      {{0x5520}, from_to({1, 1}, {2, 0}), unit_5520 + boost_hd_guide},
      {{0x5520}, from(2, 0), common + Writes{vox_word(0, 3), k_fm_reset} + boost_hd_guide + trio_0},
  });

  const Writes unit_5522{voice_prompt(0), bitpool_rate(1), ambient_hush(0), audio_boost(0), station_guide(1),
                         k_fm_reset};
  const Writes common_boost_hd_guide_fm = common + boost_hd_guide + fm;
  const Writes common_bitpool_boost_hd_guide_fm = common + Writes{bitpool_rate(1)} + boost_hd_guide + fm;
  add({
      {{0x5522, 0x5536}, any(), unit_5522},
      {{0x5524}, below(2, 0), unit_5522},
      {{0x5524}, from(2, 0),
       Writes{voice_prompt(0), ambient_hush(0), audio_boost(0), station_guide(1), k_fm_reset} + trio_0},
      {{0x5530}, below(1, 4), common + Writes{bitpool_rate(1)} + boost_hd + fm},
      {{0x5530}, from_to({1, 4}, {2, 0}), common_bitpool_boost_hd_guide_fm + Writes{hd_voice(0)}},
      {{0x5530}, from(2, 0), common_boost_hd_guide_fm + trio_0},
      {{0x5532}, any(), common_bitpool_boost_hd_guide_fm + Writes{hd_voice(0)}},
      {{0x5550}, below(2, 0),
       Writes{voice_prompt(0), bitpool_rate(1), ambient_hush(0)} + boost_hd_guide + fm},
      {{0x5550}, from(2, 0),
       Writes{voice_prompt(0), ambient_hush(0), audio_boost(1), station_guide(1), k_fm_reset} + trio_0},
      {{0x5570}, any(), common_boost_hd_guide_fm + trio_0},
      {{0x5576}, any(),
       common + Writes{audio_boost(0), hd_intercom(1), station_guide(1), k_fm_reset, auto_start_recording(0)} +
           trio_0},
      {{0x5580}, below(2, 0), common_bitpool_boost_hd_guide_fm},
      {{0x5580}, from(2, 0), common_boost_hd_guide_fm + trio_0},
      {{0x6210}, below(2, 0), common_no_sidetone + Writes{bitpool_rate(1)} + boost_hd_guide + fm},
      {{0x6210}, from(2, 0), common_no_sidetone + boost_hd_guide + fm + trio_0},
  });

  const Products unit_5610 = {0x5610, 0x5611, 0x5612, 0x5620, 0x5621};
  const Writes unit_5622 = common_no_sidetone + Writes{bitpool_rate(1)} + boost_hd + fm;
  const Writes unit_5623 = common + Writes{bitpool_rate(1)} + boost_hd + fm;
  add({
      {unit_5610, below(1, 1), common + Writes{bitpool_rate(1), audio_boost(0)} + fm},
      {unit_5610, from_to({1, 1}, {2, 0}), common + Writes{bitpool_rate(1)} + boost_hd + fm},
      {unit_5610, from(2, 0), common_boost_hd_guide_fm + trio_0},
      {{0x5622, 0x5624}, below(1, 1), unit_5622},
      {{0x5622, 0x5624}, from_to({1, 1}, {2, 0}), unit_5622 + Writes{vox_word(0, 2)}},
      {{0x5622, 0x5624}, from(2, 0), unit_5622 + Writes{vox_word(0, 2), station_guide(1)} + trio_0},
      {{0x5623}, below(1, 1), unit_5623},
      {{0x5623}, from(1, 1), unit_5623 + Writes{vox_word(0, 2)} + trio_0},
      {{0x5710}, below(1, 2), common + Writes{bitpool_rate(1)} + boost_hd + fm},
      {{0x5710}, from(1, 2), common + Writes{bitpool_rate(1)} + boost_hd + fm + Writes{station_guide(1)}},
      {{0x5910, 0x5920}, any(), common + Writes{bitpool_rate(1)} + boost_hd + fm},
      {{0x6112}, any(), common + boost_hd_guide + Writes{vox_word(0, 3), k_fm_reset} + trio_0},
      {{0x6114}, any(), common + Writes{audio_boost(1), station_guide(1), vox_word(0, 3), k_fm_reset}},
      {{0x6400}, any(), common_no_sidetone + boost_hd_guide + Writes{vox_word(0, 2), k_fm_reset} + trio_0},
  });

  // the navigation units keep 6 FM presets; general word 2 carries their factory switches
  const auto navigation = [&](int32_t word_2) {
    return common + Writes{bitpool_rate(1)} + boost_hd +
           Writes{general_word(2, word_2), vox_word(0, 2), k_fm_reset_6, smart_navi(0)};
  };
  const Writes auto_on{audio_veneer(0), auto_on_off(1)};
  add({
      {{0x6010, 0x6012}, any(), navigation(0x0068)},
      {{0x6014, 0x6016, 0x6018, 0x6026}, any(), navigation(0x006B)},
      {{0x6028, 0x6030, 0x6032}, any(), navigation(0x006B) + auto_on},
      {{0x6034}, any(), navigation(0x0068) + auto_on},
      {{0x6036}, any(), navigation(0x0063) + auto_on},
      {{0x6020, 0x6022, 0x6024}, any(), common + Writes{vox_word(0, 2), smart_navi(0)}},
      {{0x6038, 0x6039}, any(),
       common_boost_hd_guide_fm + voice_trio + Writes{auto_off(0), simple_ui(1), smart_navi_2(0)}},
  });

  // ---- products whose settings are only words ----
  // one row of words for the two-module products but the LM6, which has rows
  // by firmware version below
  Products words_ed21;
  for (const device_data::ProductFacts& product : device_data::product_rows()) {
    if (product.two_modules && product.id != device_data::k_lm6_product) words_ed21.push_back(product.id);
  }
  const Writes fm_region_1{k_fm_reset, fm_region(1)};
  const Products unit_3110 = Products{0x3110, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3144,
                                      0x3146, 0x3148, 0x3152, 0x3154, 0x3156, 0x3170} +
                             ids_from_to(0x3210, 0x3218) +
                             Products{0x3232, 0x3240, 0x3260, 0x3264, 0x3310, 0x3320, 0x3330, 0x3900};
  add({
      word_row(words_ed21, any(), 0x0005, 0x0003, 0xED21, 0x0002, fm),
      word_row({0x4210}, below(1, 1), 0x0005, 0x0003, 0xEC00, 0, fm),
      word_row({0x4210}, from_to({1, 1}, {1, 2}), 0x0005, 0x0003, 0xEC00, 0x0003, fm_region_1),
      word_row({0x4210}, from_to({1, 2}, {1, 5}), 0x0005, 0x0003, 0xED80, 0x0003, fm_region_1),
      word_row({0x4210}, from_to({1, 5}, {1, 6}), 0x0005, 0x0003, 0xEDA0, 0x0003, fm_region_1),
      word_row({0x4210}, from(1, 6), 0x0005, 0x0003, 0xED20, 0x0002, fm_region_1),
      word_row(unit_3110, any(), 0x1C21, 0x0583, 0, 0, fm),
      word_row({0x3112, 0x3114}, any(), 0x1C21, 0x0583, 0x0066, 0, fm),
      word_row({0x3140}, any(), 0x1821, 0x0583, 0, 0, fm),
      word_row({0x3142}, any(), 0x1D21, 0x0183, 0, 0, fm),
      word_row({0x3150, 0x3161}, any(), 0x1C21, 0, 0, 0, fm),
      word_row({0x6500, 0x6510}, any(), 0x1C21, 0x1980, 0, 0, fm),
      word_row({0x3500, 0x3540, 0x3570}, any(), 0x0001, 0, 0, 0, {}),
      word_row({0x3560}, any(), 0x0001, 0x000A, 0, 0, {}),
      word_row(ids_from_to(0x6800, 0x6805) + Products{0x6810, 0x6811, 0x6812}, any(), 0x0003, 0x2200, 0, 0, {}),
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
  for (const Row& row : factory_table()) {
    bool listed = false;
    for (int32_t product : row.products) listed = listed || product == device;
    if (listed && covers(record, row.band, major, minor)) return &row;
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
  const bool lm6_region_1 =
      device == 0x4210 && compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, 1, 1) >= 0;
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
