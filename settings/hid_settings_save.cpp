#include "settings/hid_settings_save.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"
#include "settings/hid_save_frames.h"
#include "settings/settings_save.h"
#include "transport/byte_order.h"
#include "transport/hid_channel.h"
#include "transport/open_device_guard.h"

namespace settings {

namespace {

using Record = FEXOBluetoothDeviceData;

constexpr unsigned char k_report_id = 1;
// Language-pack command 0x04 with argument 0x03 writes settings words 0-2.
constexpr unsigned char k_lang_pack_write = 0x04;
constexpr unsigned char k_lang_pack_settings = 0x03;
constexpr std::size_t k_lang_pack_words_byte = 4;

constexpr unsigned char k_block_smart_volume = 0x03;
constexpr unsigned char k_block_settings = 0x04;
constexpr unsigned char k_block_camera_low = 0x07;
constexpr unsigned char k_block_vox_navigation = 0x12;
constexpr unsigned char k_block_vox = 0x14;
constexpr unsigned char k_block_vox_y370 = 0x17;
constexpr unsigned char k_block_camera_high = 0x1C;
constexpr unsigned char k_block_mesh_volume = 0x1F;
constexpr unsigned char k_block_mesh_channel = 0x20;
constexpr unsigned char k_block_qcc_settings = 0x36;

// Slots of the two units of a two-module product.
constexpr int k_module_1_slot = 0;
constexpr int k_module_2_slot = 1;

constexpr int k_group_b[] = {0x3500, 0x3540, 0x3560, 0x3570};
constexpr int k_group_c[] = {0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812};
constexpr int k_group_d[] = {0x6510, 0x6500, 0x4D16, 0x4D06, 0x4D76, 0x4D86, 0x3161, 0x3150};
// The products of group D whose normal mode is asked before the write.
constexpr int k_group_d_mode_query[] = {0x6510, 0x6500};
constexpr int k_group_e[] = {0x5552, 0x5553};
constexpr int k_group_f[] = {0x6038, 0x6039};
constexpr int k_group_g[] = {0x5590, 0x3085, 0x3052, 0x3072, 0x3082, 0x3350, 0x3360, 0x3370, 0x6900,
                             0x3400, 0x3340, 0x3341, 0x5595, 0x5591, 0x5592, 0x5593, 0x5594, 0x4023};
constexpr int k_group_h[] = {0x3310, 0x3330};
constexpr int k_group_j1[] = {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026,
                              0x6028, 0x6030, 0x6032, 0x6034, 0x6036};
constexpr int k_group_j2[] = {0x3070, 0x3080, 0x3300, 0x4050, 0x5534, 0x5564,
                              0x5570, 0x5580, 0x6310, 0x6320, 0x6330, 0x6335};
constexpr int k_group_j3[] = {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434};
constexpr int k_group_j4[] = {0x6020, 0x6022, 0x6024};
constexpr int k_group_j5[] = {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420};
constexpr int k_group_j6[] = {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5510, 0x5520, 0x5522, 0x5524,
                              0x5526, 0x5530, 0x5532, 0x5536, 0x5550, 0x5560, 0x5562, 0x5576, 0x5610,
                              0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720,
                              0x5910, 0x5920, 0x6112, 0x6114, 0x6210, 0x6400};
// J6 products that also write their VOX sensitivity.
constexpr int k_j6_vox[] = {0x5520, 0x5526, 0x5720, 0x6112, 0x6114, 0x6400};
// J6 products that also write their smart volume (and, from 1.1, their VOX sensitivity).
constexpr int k_j6_smart_volume[] = {0x5622, 0x5624};
constexpr int k_j6_camera = 0x5510;

struct Version {
  int major;
  int minor;
};

// The mesh headsets (group I): how many words of block 0x04 their firmware takes.
struct MeshWordCount {
  std::span<const int> ids;
  int words;
  // Firmware from which `words` holds; below it `words_before`.
  std::optional<Version> from;
  int words_before;
};

constexpr int k_mesh_3110[] = {0x3110};
constexpr int k_mesh_five[] = {0x3211, 0x3215};
constexpr int k_mesh_five_from_1_1[] = {0x3132, 0x3134, 0x3210, 0x3212, 0x3214, 0x3216, 0x3217, 0x3218, 0x3900};
constexpr int k_mesh_five_later[] = {0x3232, 0x3260, 0x3264};
constexpr int k_mesh_four[] = {0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3140, 0x3142, 0x3144, 0x3146,
                               0x3148, 0x3152, 0x3154, 0x3156, 0x3170, 0x3213, 0x3240, 0x3320};
constexpr int k_mesh_3112[] = {0x3112, 0x3114};

constexpr MeshWordCount k_mesh_word_counts[] = {
    {k_mesh_3110, 4, Version{2, 1}, 2},      {k_mesh_five, 5, {}, 5},
    {k_mesh_five_from_1_1, 5, Version{1, 1}, 4}, {k_mesh_five_later, 5, {}, 5},
    {k_mesh_four, 4, {}, 4},                 {k_mesh_3112, 4, Version{3, 0}, 3},
};

struct GroupRow {
  std::span<const int> ids;
  HidSaveGroup group;
};

// Groups B to J but I (the mesh headsets of the word counts above); group A is
// the two-module products of the product facts. No product is in two groups.
constexpr GroupRow k_group_rows[] = {
    {k_group_b, HidSaveGroup::B},   {k_group_c, HidSaveGroup::C},   {k_group_d, HidSaveGroup::D},
    {k_group_e, HidSaveGroup::E},   {k_group_f, HidSaveGroup::F},   {k_group_g, HidSaveGroup::G},
    {k_group_h, HidSaveGroup::H},   {k_group_j1, HidSaveGroup::J1}, {k_group_j2, HidSaveGroup::J2},
    {k_group_j3, HidSaveGroup::J3}, {k_group_j4, HidSaveGroup::J4}, {k_group_j5, HidSaveGroup::J5},
    {k_group_j6, HidSaveGroup::J6},
};

bool contains(std::span<const int> ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

const MeshWordCount* mesh_word_count(int product_id) {
  for (const MeshWordCount& row : k_mesh_word_counts) {
    if (contains(row.ids, product_id)) return &row;
  }
  return nullptr;
}

// ---- what a group sends ----

// Which version the device must still have.
enum class VersionCheck {
  none,
  main,          // the main version set, on slot 0
  module_1,      // version set 01, on slot 0
  both_modules,  // set 01 on slot 0, then set 02 on slot 1
};

struct GroupPlan {
  VersionCheck check = VersionCheck::none;
  bool mode_query = false;
  std::vector<BlockWrite> writes;
};

std::uint16_t word16(std::int32_t value) { return static_cast<std::uint16_t>(value); }

class Words {
 public:
  explicit Words(const Record& edited) : m_edited(edited) {}
  std::uint16_t packed() const { return word16(m_edited.getSettings40()); }
  std::uint16_t packed_second() const { return word16(m_edited.getSettings40Second()); }
  std::uint16_t at(int index) const { return word16(m_edited.basicSettingLM6(index)); }
  std::uint16_t vox() const { return word16(m_edited.basicSettingKR5VOXSensitivityAt(0)); }
  std::uint16_t smart_volume() const { return word16(m_edited.basicSettingTJ4SmartVolumeControlAt(0)); }
  std::uint16_t camera(int index) const { return word16(m_edited.basicSettingVT4CameraAt(index)); }
  std::vector<std::uint16_t> first(int count) const {
    std::vector<std::uint16_t> words;
    for (int index = 0; index < count; ++index) words.push_back(at(index));
    return words;
  }
  std::string smart_volume_log() const {
    return platform::format("Set Setting smart[0] = %d", m_edited.basicSettingTJ4SmartVolumeControlAt(0));
  }

 private:
  const Record& m_edited;
};

GroupPlan plan_of(HidSaveGroup group, const SaveCopies& copies) {
  const int product = copies.deviceTarget;
  const Words words(copies.dataCurrent);
  // firmware thresholds go by the device as recognition read it
  const auto below = [&](int major, int minor) {
    return copies.data.compareVersionUpToMinorWithMajor_Minor(major, minor) < 0;
  };
  const BlockWrite vox{0, k_block_vox, {words.vox()}, {}, {}, {}};
  const BlockWrite smart_volume{0, k_block_smart_volume, {words.smart_volume()}, {}, {}, words.smart_volume_log()};
  GroupPlan plan;
  switch (group) {
    case HidSaveGroup::A: {
      // module 2 takes as many of the ten words as its firmware knows
      int count = 10;
      if (product == 0x4210 && below(1, 1)) count = 3;
      else if (product == 0x4210 && below(1, 2)) count = 4;
      plan.check = VersionCheck::both_modules;
      plan.writes = {{k_module_2_slot, k_block_settings, words.first(10), count, {}, {}}};
      break;
    }
    case HidSaveGroup::B:
      plan.check = VersionCheck::module_1;
      plan.writes = {{0, k_block_mesh_channel, {words.at(0)}, {}, {}, {}}};
      if (product == 0x3560) plan.writes.push_back({0, k_block_mesh_volume, {words.at(1)}, {}, {}, {}});
      break;
    case HidSaveGroup::C:
      break;  // the language-pack exchange, not a block write
    case HidSaveGroup::D:
      plan.mode_query = contains(k_group_d_mode_query, product);
      plan.writes = {{0, k_block_qcc_settings, {words.at(0), words.at(1)}, {}, {}, {}}};
      break;
    case HidSaveGroup::E:
      plan.mode_query = true;
      plan.writes = {{0, k_block_qcc_settings, {words.packed(), words.at(1), words.at(2)}, {}, {},
                      platform::format("SAVEF %X %X %X", words.packed(), words.at(1), words.at(2))}};
      break;
    case HidSaveGroup::F:
      // the commit names block 0x14 although the VOX word went to block 0x17
      plan.mode_query = true;
      plan.writes = {{0, k_block_qcc_settings, {words.packed(), words.packed_second()}, {}, {}, {}},
                     {0, k_block_vox_y370, {words.vox()}, {}, k_block_vox, {}}};
      break;
    case HidSaveGroup::G:
      plan.mode_query = true;
      plan.writes = {{0, k_block_qcc_settings, {words.packed(), words.at(1)}, {}, {}, {}}};
      break;
    case HidSaveGroup::H:
      plan.check = VersionCheck::main;
      plan.writes = {{0, k_block_settings, words.first(4), {}, {}, {}}};
      break;
    case HidSaveGroup::I: {
      const MeshWordCount* row = mesh_word_count(product);
      const bool older = row->from && below(row->from->major, row->from->minor);
      plan.check = VersionCheck::module_1;
      plan.writes = {{0, k_block_settings, words.first(older ? row->words_before : row->words), {}, {}, {}}};
      break;
    }
    case HidSaveGroup::J1:
      plan.check = VersionCheck::main;
      plan.writes = {{0, k_block_settings, {words.packed(), 0, words.at(2), 0}, {}, k_block_settings, {}}, vox};
      plan.writes.back().commit = k_block_vox;
      break;
    case HidSaveGroup::J2:
      plan.check = VersionCheck::main;
      plan.writes = {{0, k_block_settings, {words.packed(), words.at(1)}, {}, {}, {}}};
      break;
    case HidSaveGroup::J3:
      plan.check = VersionCheck::main;
      plan.writes = {{0, k_block_settings, {words.packed(), words.at(1)}, {}, {}, {}}, vox, smart_volume};
      break;
    case HidSaveGroup::J4:
      plan.check = VersionCheck::main;
      plan.writes = {{0, k_block_settings, {words.packed(), 0, 0, 0}, {}, k_block_settings, {}},
                     {0, k_block_vox_navigation, {words.vox()}, {}, k_block_vox_navigation, {}}};
      break;
    case HidSaveGroup::J5:
      plan.check = VersionCheck::main;
      plan.writes = {{0, k_block_settings, {words.packed(), 0}, {}, k_block_settings, {}}, vox, smart_volume};
      plan.writes[1].commit = k_block_vox;
      plan.writes[2].commit = k_block_smart_volume;
      break;
    case HidSaveGroup::J6:
      plan.check = VersionCheck::main;
      plan.writes = {{0, k_block_settings, {words.packed(), words.packed_second()}, {}, {}, {}}};
      if (contains(k_j6_vox, product)) {
        plan.writes.push_back(vox);
      } else if (contains(k_j6_smart_volume, product)) {
        plan.writes.push_back(smart_volume);
        if (!below(1, 1)) plan.writes.push_back(vox);
      } else if (product == 0x5623) {
        if (!below(1, 1)) plan.writes.push_back(vox);
      } else if (product == k_j6_camera) {
        plan.writes.push_back({0, k_block_camera_low, {words.camera(0), words.camera(1)}, {}, {}, {}});
        if (!below(2, 0)) {
          plan.writes.push_back({0, k_block_camera_high, {words.camera(2), words.camera(3)}, {}, {}, {}});
        }
      }
      break;
  }
  return plan;
}

bool version_still_recognized(HidSaveFrames& frames, VersionCheck check, const Record& device) {
  switch (check) {
    case VersionCheck::none: return true;
    case VersionCheck::main: return frames.same_version(0, VersionSet::main, device);
    case VersionCheck::module_1: return frames.same_version(k_module_1_slot, VersionSet::module_1, device);
    case VersionCheck::both_modules:
      return frames.same_version(k_module_1_slot, VersionSet::module_1, device) &&
             frames.same_version(k_module_2_slot, VersionSet::module_2, device);
  }
  return false;
}

// Group C: words 0-2, least significant byte first, in one language-pack exchange.
int write_language_pack_settings(const SaveCopies& copies) {
  const Words words(copies.dataCurrent);
  lang_pack_report request{};
  lang_pack_reply reply{};
  request[0] = k_report_id;
  request[2] = k_lang_pack_write;
  request[3] = k_lang_pack_settings;
  for (int index = 0; index < 3; ++index) {
    transport::put_le16(request, k_lang_pack_words_byte + 2 * static_cast<std::size_t>(index), words.at(index));
  }
  platform::system_log(platform::format("Setting set HEX airoha [%04X], 1=[%04X], 2=[%04X]", words.at(0), words.at(1),
                                        words.at(2)));
  return hid_lang_pack_command(0, request, reply) == 1 ? k_settings_save_success
                                                      : k_settings_save_device_setting_refused;
}

}  // namespace

std::optional<HidSaveGroup> hid_save_group(int product_id) {
  if (device_data::product_facts(product_id).two_modules) return HidSaveGroup::A;
  for (const GroupRow& row : k_group_rows) {
    if (contains(row.ids, product_id)) return row.group;
  }
  if (mesh_word_count(product_id)) return HidSaveGroup::I;
  return std::nullopt;
}

int write_hid_settings(std::uint32_t opened_product_id, const SaveCopies& copies) {
  const std::optional<HidSaveGroup> group = hid_save_group(copies.deviceTarget);
  if (!group) return k_settings_save_not_recognized_device;
  if (*group == HidSaveGroup::C) return write_language_pack_settings(copies);

  const GroupPlan plan = plan_of(*group, copies);
  HidSaveFrames frames(opened_product_id);
  if (!version_still_recognized(frames, plan.check, copies.data)) return k_settings_save_not_recognized_device;
  if (plan.mode_query && !frames.normal_mode()) return k_settings_save_device_setting_refused;
  return frames.write_all(plan.writes) ? k_settings_save_success : k_settings_save_device_setting_refused;
}

int save_settings_over_hid(const SaveCopies& copies) {
  const transport::OpenDeviceGuard slots;
  const std::optional<std::uint32_t> opened = open_recognized_hid_device(copies.usbStatus);
  if (!opened) return k_settings_save_not_recognized_device;
  return write_hid_settings(*opened, copies);
}

}  // namespace settings
