#include "device_data/settings_block_table.h"

#include <algorithm>
#include <iterator>

namespace device_data {
namespace {

using L = SettingsLayout;
using B = BlockWords;

constexpr UnpackLayout k_to_bit_12{.direct_bits = 0x1F7F};
constexpr UnpackLayout k_to_bit_13{.direct_bits = 0x3F7F};
constexpr UnpackLayout k_navigation{.direct_bits = 0x0F7F, .navigation = true};
constexpr UnpackLayout k_navigation_automatic{.direct_bits = 0x0F7F, .navigation = true, .automatic_on_off = true};

constexpr std::uint8_t k_read_and_save = k_walk_read | k_walk_save;
constexpr std::uint8_t k_restore_and_save = k_walk_restore | k_walk_save;
constexpr std::uint8_t k_read_and_restore = k_walk_read | k_walk_restore;

constexpr FailureWords failing(std::uint8_t first, std::initializer_list<std::int32_t> values) {
  FailureWords words{.first = first, .count = static_cast<std::uint8_t>(values.size())};
  std::copy(values.begin(), values.end(), words.values.begin());
  return words;
}

// Settings words copied into the record, `count` written; a failed read stores the mesh default.
constexpr SettingsBlock copied(unsigned char block, std::uint8_t count, const char* log,
                               FailureWords failure = failing(0, {0x1C21, 0x0583}),
                               ReadLog kind = ReadLog::per_word) {
  return {.block = block, .count = count, .failure = failure, .read_log_kind = kind, .read_log = log};
}
constexpr SettingsBlock packed(B words, unsigned char block = k_block_settings, FailureWords failure = {}) {
  return {.block = block, .words = words, .failure = failure};
}
constexpr SettingsBlock packed_word_1(std::int32_t failed_word_1, unsigned char block = k_block_settings) {
  return packed(B::packed_word_1, block, failing(1, {failed_word_1}));
}
constexpr SettingsBlock vox(std::int32_t failed_first, unsigned char block = k_block_vox) {
  return {.block = block, .words = B::vox, .failure = failing(0, {failed_first, 0})};
}
constexpr SettingsBlock smart_volume(const char* log = nullptr) {
  return {.block = k_block_smart_volume, .words = B::smart_volume, .failure = failing(0, {0, 0}),
          .read_log_kind = log ? ReadLog::pair : ReadLog::none, .read_log = log};
}
constexpr SettingsBlock vox_from_1_1() {
  SettingsBlock block = vox(3);
  block.from = {1, 1};
  block.read_by_backup = true;
  return block;
}

constexpr const char* k_savef3 = "SAVEF3 %X %X %X";
constexpr FailureWords k_two_module_failure = failing(0, {5, 3, 0xED21, 2, 0, 0, 0, 0, 0, 0});

constexpr SettingsLayoutRow k_rows[] = {
    {.layout = L::read_only, .blocks = {{{.block = k_block_settings, .words = B::packed_read, .walks = k_walk_read}}}},
    {.layout = L::two_module,
     .blocks = {{{.block = k_block_settings, .count = 10, .failure = k_two_module_failure}}},
     .slot = 1,
     .save_check = SaveCheck::both_modules,
     .fm_and_speed_dials = FmAndSpeedDials::two_module,
     .save_group = SaveGroup::A},
    // the failure words go by firmware
    {.layout = L::lm6,
     .blocks = {{{.block = k_block_settings, .count = 10, .fewer = {{{{1, 1}, 3}, {{1, 2}, 4}}}}}},
     .slot = 1,
     .save_check = SaveCheck::both_modules,
     .extra = SettingsExtra::lm6,
     .fm_and_speed_dials = FmAndSpeedDials::two_module,
     .save_group = SaveGroup::A},
    {.layout = L::paired_units, .fm_and_speed_dials = FmAndSpeedDials::none},
    // packed settings word with a second word
    {.layout = L::packed_pair,
     .blocks = {{packed(B::packed_second)}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    // recognition reads no settings word of these and the save goes over the persistent store
    {.layout = L::packed_pair_unread,
     .blocks = {{{.block = k_block_settings, .words = B::packed_second, .walks = k_walk_restore}}},
     .failure_fields = 0,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one},
    {.layout = L::packed_pair_to_bit_12, .blocks = {{packed(B::packed_second)}}, .unpack = k_to_bit_12,
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_to_bit_12_keyed, .blocks = {{packed(B::packed_second)}}, .unpack = k_to_bit_12,
     .failure_fields = k_common_failure_default & ~k_audio_boost, .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_to_bit_13, .blocks = {{packed(B::packed_second)}}, .unpack = k_to_bit_13,
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_no_boost_failure, .blocks = {{packed(B::packed_second)}},
     .failure_fields = k_common_failure_default & ~k_audio_boost, .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    // no hands-free VOX, intercom VOX or sidetone bit
    {.layout = L::packed_pair_no_vox, .blocks = {{packed(B::packed_second)}},
     .unpack = {.direct_bits = 0xFF7F & ~0x0103}, .failure_fields = k_common_failure_default & ~k_handsfree_vox,
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_no_sidetone, .blocks = {{packed(B::packed_second)}},
     .unpack = {.direct_bits = 0xFF7F & ~0x0100}, .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_boost_hush, .blocks = {{packed(B::packed_second)}}, .unpack = {.direct_bits = 0x1628},
     .failure_fields = k_bitpool_rate | k_fm_station_guide, .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_station_guide, .blocks = {{packed(B::packed_second)}},
     .unpack = {.direct_bits = 0x1000}, .failure_fields = k_fm_station_guide, .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_recording, .blocks = {{packed(B::packed_second)}}, .save_check = SaveCheck::main,
     .extra = SettingsExtra::recording_bit,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_vox,
     .blocks = {{packed(B::packed_second), vox(3)}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_vox_reset, .blocks = {{packed(B::packed_second), vox(3)}},
     .after_failure = AfterFailure::reset, .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_vox_to_bit_12, .blocks = {{packed(B::packed_second), vox(3)}},
     .unpack = k_to_bit_12, .after_failure = AfterFailure::reset, .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_smart_volume,
     .blocks = {{packed(B::packed_second), smart_volume("smart volume[[%d, %d]]"), vox_from_1_1()}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_vox_from_1_1, .blocks = {{packed(B::packed_second), vox_from_1_1()}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    {.layout = L::packed_pair_camera,
     .blocks = {{packed(B::packed_second),
                 {.block = k_block_camera_low, .words = B::camera_low, .failure = failing(0, {0x07C0, 0}),
                  .read_log_kind = ReadLog::pair, .read_log = "VT4Camera[[%d, %d"},
                 {.block = k_block_camera_high, .words = B::camera_high, .from = {2, 0},
                  .failure = failing(2, {20, 0}), .read_log_kind = ReadLog::pair, .read_log = "VT4Camera[[%d, %d"}}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::count_at_least_one,
     .save_group = SaveGroup::J6},
    // packed settings word with settings word 1
    {.layout = L::packed_word_1,
     .blocks = {{packed_word_1(0x0020)}},
     .save_check = SaveCheck::main,
     .save_group = SaveGroup::J2},
    {.layout = L::packed_word_1_fm,
     .blocks = {{packed_word_1(0x0020)}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::fm_written,
     .save_group = SaveGroup::J2},
    {.layout = L::packed_word_1_dials,
     .blocks = {{packed_word_1(0x0020)}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::dials_written,
     .save_group = SaveGroup::J2},
    {.layout = L::packed_word_1_written,
     .blocks = {{packed_word_1(0x0020)}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::J2},
    {.layout = L::packed_word_1_zero_failure,
     .blocks = {{packed_word_1(0)}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::J2},
    {.layout = L::packed_vox_smart_volume,
     .blocks = {{packed_word_1(0x0020), vox(3), smart_volume("morvent r, rovaga evo smart volume[[%d, %d]]")}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::J3},
    // commit families
    {.layout = L::commit_vox_smart_volume,
     .blocks = {{packed(B::packed_zero), vox(3), smart_volume()}},
     .commits = true,
     .after_failure = AfterFailure::reset,
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::commit_no_fm,
     .save_group = SaveGroup::J5},
    {.layout = L::commit_vox_smart_volume_fm,
     .blocks = {{packed(B::packed_zero), vox(3), smart_volume()}},
     .commits = true,
     .after_failure = AfterFailure::reset,
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::commit_fifteen_words,
     .save_group = SaveGroup::J5},
    {.layout = L::navigation,
     .blocks = {{packed(B::packed_navigation, k_block_settings, failing(2, {0x6B, 0})), vox(2)}},
     .commits = true,
     .unpack = k_navigation,
     .failure_fields = k_common_failure_default & ~k_fm_station_guide,
     .after_failure = AfterFailure::skip,
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::commit_six_presets,
     .save_group = SaveGroup::J1},
    {.layout = L::navigation_logged,
     .blocks = {{packed(B::packed_navigation, k_block_settings, failing(2, {0x68, 0})), vox(2)}},
     .commits = true,
     .unpack = k_navigation,
     .failure_fields = k_common_failure_default & ~k_fm_station_guide,
     .after_failure = AfterFailure::skip,
     .save_check = SaveCheck::main,
     .extra = SettingsExtra::navigation_logs,
     .fm_and_speed_dials = FmAndSpeedDials::commit_six_presets,
     .save_group = SaveGroup::J1},
    {.layout = L::navigation_automatic,
     .blocks = {{packed(B::packed_navigation, k_block_settings, failing(2, {0x6B, 0})), vox(2)}},
     .commits = true,
     .unpack = k_navigation_automatic,
     .failure_fields = (k_common_failure_default & ~k_fm_station_guide) | k_auto_on_off,
     .after_failure = AfterFailure::skip,
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::commit_six_presets,
     .save_group = SaveGroup::J1},
    // the block holds the first VOX word only
    {.layout = L::navigation_short,
     .blocks = {{packed(B::packed_zeros),
                 {.block = k_block_vox_navigation, .words = B::vox_first, .failure = failing(0, {2, 0})}}},
     .commits = true,
     .unpack = k_navigation,
     .failure_fields = k_common_failure_default & ~k_fm_station_guide,
     .after_failure = AfterFailure::skip,
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::commit_fm_read_only,
     .save_group = SaveGroup::J4},
    // QCC products
    {.layout = L::qcc_packed,
     .blocks = {{{.block = k_block_qcc_settings, .words = B::packed_word_1, .failure = failing(1, {0x0020}),
                  .read_log_kind = ReadLog::words_0_2, .read_log = k_savef3}}},
     .save_mode_query = true,
     .fm_and_speed_dials = FmAndSpeedDials::qcc,
     .save_group = SaveGroup::G},
    {.layout = L::qcc_packed_quiet, .blocks = {{packed_word_1(0x0020, k_block_qcc_settings)}},
     .save_mode_query = true,
     .fm_and_speed_dials = FmAndSpeedDials::qcc,
     .save_group = SaveGroup::G},
    {.layout = L::qcc_packed_three,
     .blocks = {{{.block = k_block_qcc_settings, .words = B::packed_words_1_2, .failure = failing(1, {0x0020}),
                  .read_log_kind = ReadLog::words_0_2, .read_log = k_savef3,
                  .restore_log = "SAVEF2 %4.4X %4.4X %4.4X", .save_log = "SAVEF %X %X %X"}}},
     .save_mode_query = true,
     .fm_and_speed_dials = FmAndSpeedDials::qcc,
     .save_group = SaveGroup::E},
    // recognition reads the packed word of block 0x04 while the restore and the save write block 0x36
    {.layout = L::qcc_packed_read_04,
     .blocks = {{{.block = k_block_settings, .words = B::packed_read, .walks = k_walk_read},
                 {.block = k_block_qcc_settings, .words = B::packed_word_1, .walks = k_restore_and_save}}},
     .save_mode_query = true,
     .fm_and_speed_dials = FmAndSpeedDials::qcc,
     .save_group = SaveGroup::G},
    // the restore writes settings word 1 and no VOX block; the save the second packed word and the
    // VOX block, whose commit names block 0x14
    {.layout = L::qcc_packed_vox,
     .blocks = {{{.block = k_block_qcc_settings, .words = B::packed_word_1, .walks = k_read_and_restore,
                  .failure = failing(1, {0x0020})},
                 {.block = k_block_qcc_settings, .words = B::packed_second, .walks = k_walk_save},
                 {.block = k_block_vox_y370, .words = B::vox, .walks = k_read_and_save,
                  .failure = failing(0, {2, 0}), .save_commit_as = k_block_vox}}},
     .after_failure = AfterFailure::skip,
     .save_mode_query = true,
     .extra = SettingsExtra::y370_logs,
     .fm_and_speed_dials = FmAndSpeedDials::qcc,
     .save_group = SaveGroup::F},
    {.layout = L::qcc_words,
     .blocks = {{copied(k_block_qcc_settings, 2, "kr9r data[%d] = %04X")}},
     .fm_and_speed_dials = FmAndSpeedDials::qcc,
     .save_group = SaveGroup::D},
    {.layout = L::qcc_words_mode_query, .blocks = {{copied(k_block_qcc_settings, 2, "kr9r data[%d] = %04X")}},
     .save_mode_query = true,
     .fm_and_speed_dials = FmAndSpeedDials::qcc,
     .save_group = SaveGroup::D},
    {.layout = L::qcc_words_wq8,
     .blocks = {{copied(k_block_qcc_settings, 2, "WQ8 data[%d] = %04X", failing(0, {0x1421, 0x0200}))}},
     .fm_and_speed_dials = FmAndSpeedDials::qcc,
     .save_group = SaveGroup::D},
    {.layout = L::qcc_words_wq8_first_dials,
     .blocks = {{copied(k_block_qcc_settings, 2, "WQ8 data[%d] = %04X", failing(0, {0x1421, 0x0200}))}},
     .fm_and_speed_dials = FmAndSpeedDials::first_set_dials,
     .save_group = SaveGroup::D},
    {.layout = L::speed_dials_only,
     .blocks = {{{.block = k_block_settings, .words = B::packed_read, .walks = k_walk_read}}},
     .fm_and_speed_dials = FmAndSpeedDials::first_set_dials},
    // mesh headsets
    {.layout = L::mesh_nd4_firmware,
     .blocks = {{{.block = k_block_settings, .count = 4, .fewer = {{{{2, 1}, 2}}},
                  .failure = failing(0, {0x1C21, 0x0583}), .read_log_kind = ReadLog::per_word,
                  .read_log = "ND4 data[%d] = %04X"}}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_nd4, .blocks = {{copied(k_block_settings, 4, "ND4 data[%d] = %04X")}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_kwnd4,
     .blocks = {{{.block = k_block_settings, .count = 4, .fewer = {{{{3, 0}, 3}}},
                  .failure = failing(0, {0x1C21, 0x0583, 0x0066}), .read_log_kind = ReadLog::per_word_with_length,
                  .read_log = "KWND4 len[%d]data[%d] = %04X"}}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_solvane, .blocks = {{copied(k_block_settings, 4, "Solvane m data[%d] = %04X")}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_solvane_word_2_0,
     .blocks = {{copied(k_block_settings, 4, "Solvane m data[%d] = %04X", failing(0, {0x1C21, 0x0583, 0, 0x0020}))}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_solvane_word_2_ffff,
     .blocks = {{copied(k_block_settings, 4, "Solvane m data[%d] = %04X",
                        failing(0, {0x1C21, 0x0583, 0xFFFF, 0x0020}))}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_solvane_zod, .blocks = {{copied(k_block_settings, 4, "DK3 ZOD CS data[%d] = %04X")}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_solvane_fm,
     .blocks = {{copied(k_block_settings, 4, "Solvane m data[%d] = %04X", failing(0, {0x1D21, 0x0183}))}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::fm_written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_plv,
     .blocks = {{copied(k_block_settings, 4, "PLV_DT3M data[%d] = %04X", failing(0, {0x1821, 0x0583}))}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_tj6, .blocks = {{copied(k_block_settings, 4, "tj6 data[%d] = %04X")}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_kwwq8, .blocks = {{copied(k_block_settings, 4, "KWWQ8 data[%d] = %04X")}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    // a restore leaves the settings words of these alone
    {.layout = L::mesh_wq8,
     .blocks = {{{.block = k_block_settings, .walks = k_read_and_save, .count = 5,
                  .failure = failing(0, {0x1C21, 0x0583}), .read_log_kind = ReadLog::per_word,
                  .read_log = "WQ8 data[%d] = %04X"}}},
     .save_check = SaveCheck::module_1,
     .extra = SettingsExtra::speaker_type,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::mesh_wq8_from_1_1,
     .blocks = {{{.block = k_block_settings, .walks = k_read_and_save, .count = 5, .fewer = {{{{1, 1}, 4}}},
                  .failure = failing(0, {0x1C21, 0x0583}), .read_log_kind = ReadLog::per_word,
                  .read_log = "WQ8 data[%d] = %04X"}}},
     .save_check = SaveCheck::module_1,
     .extra = SettingsExtra::speaker_type,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    {.layout = L::qorlan,
     .blocks = {{{.block = k_block_settings, .count = 4, .failure = failing(0, {0x1C21, 0x0583}),
                  .read_log_kind = ReadLog::per_word_with_length, .read_log = "len[%d] qorlan data[%d] = %04X",
                  .restore_log = "set qorlan data[%d] = %04X"}}},
     .save_check = SaveCheck::main,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::H},
    {.layout = L::qorlan_module_1,
     .blocks = {{{.block = k_block_settings, .count = 4, .failure = failing(0, {0x1C21, 0x0583}),
                  .read_log_kind = ReadLog::per_word_with_length, .read_log = "len[%d] qorlan data[%d] = %04X",
                  .restore_log = "set qorlan data[%d] = %04X"}}},
     .save_check = SaveCheck::module_1,
     .fm_and_speed_dials = FmAndSpeedDials::written,
     .save_group = SaveGroup::I},
    // the mesh channel and volume are read before the packed settings word
    {.layout = L::mesh_channel,
     .blocks = {{{.block = k_block_mesh_channel, .words = B::mesh_channel, .failure = failing(0, {1}),
                  .read_log_kind = ReadLog::indexed, .read_log = "mesh channel data[%d] = %d"},
                 {.block = k_block_settings, .words = B::packed_read, .walks = k_walk_read}}},
     .save_check = SaveCheck::module_1,
     .save_group = SaveGroup::B},
    {.layout = L::mesh_channel_volume,
     .blocks = {{{.block = k_block_mesh_channel, .words = B::mesh_channel, .failure = failing(0, {1}),
                  .read_log_kind = ReadLog::indexed, .read_log = "mesh channel data[%d] = %d"},
                 {.block = k_block_mesh_volume, .words = B::mesh_volume, .failure = failing(1, {10}),
                  .read_log_kind = ReadLog::indexed, .read_log = "mesh volume data[%d] = %d"},
                 {.block = k_block_settings, .words = B::packed_read, .walks = k_walk_read}}},
     .save_check = SaveCheck::module_1,
     .save_group = SaveGroup::B},
    // settings words 0-2 over the language-pack channel
    {.layout = L::language_pack,
     .language_pack = true,
     .fm_and_speed_dials = FmAndSpeedDials::none,
     .save_group = SaveGroup::C},
    {.layout = L::language_pack_speed_dials,
     .language_pack = true,
     .fm_and_speed_dials = FmAndSpeedDials::language_pack_dials,
     .save_group = SaveGroup::C},
};

constexpr bool rows_in_enum_order() {
  for (std::size_t index = 0; index < std::size(k_rows); ++index) {
    if (static_cast<std::size_t>(k_rows[index].layout) != index) return false;
  }
  return true;
}
static_assert(rows_in_enum_order(), "one row per settings layout, in the enum's order");

}  // namespace

const SettingsLayoutRow& settings_layout_row(SettingsLayout layout) {
  const auto index = static_cast<std::size_t>(layout);
  return index < std::size(k_rows) ? k_rows[index] : k_rows[0];
}

const SettingsLayoutRow& settings_layout_row_of(int product_id) {
  return settings_layout_row(product_facts(product_id).settings_layout);
}

std::span<const SettingsLayoutRow> settings_layout_rows() { return k_rows; }

std::vector<std::uint16_t> block_words(const SettingsBlock& block, const FEXOBluetoothDeviceData& record,
                                       int settings_words) {
  const auto word = [](std::int32_t value) { return static_cast<std::uint16_t>(value); };
  const std::uint16_t packed = word(record.getSettings40());
  const auto settings_word = [&](int index) { return word(record.basicSettingLM6(index)); };
  switch (block.words) {
    case BlockWords::settings_words: {
      std::vector<std::uint16_t> words;
      for (int index = 0; index < settings_words; ++index) words.push_back(settings_word(index));
      return words;
    }
    case BlockWords::packed_read: return {};
    case BlockWords::packed_word_1: return {packed, settings_word(1)};
    case BlockWords::packed_words_1_2: return {packed, settings_word(1), settings_word(2)};
    case BlockWords::packed_second: return {packed, word(record.getSettings40Second())};
    case BlockWords::packed_zero: return {packed, 0};
    case BlockWords::packed_navigation: return {packed, 0, settings_word(2), 0};
    case BlockWords::packed_zeros: return {packed, 0, 0, 0};
    case BlockWords::vox:
    case BlockWords::vox_first: return {word(record.basicSettingKR5VOXSensitivityAt(0))};
    case BlockWords::smart_volume: return {word(record.basicSettingTJ4SmartVolumeControlAt(0))};
    case BlockWords::camera_low:
      return {word(record.basicSettingVT4CameraAt(0)), word(record.basicSettingVT4CameraAt(1))};
    case BlockWords::camera_high:
      return {word(record.basicSettingVT4CameraAt(2)), word(record.basicSettingVT4CameraAt(3))};
    case BlockWords::mesh_channel: return {settings_word(0)};
    case BlockWords::mesh_volume: return {settings_word(1)};
  }
  return {};
}

}  // namespace device_data
