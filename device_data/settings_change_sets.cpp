#include "device_data/settings_change_sets.h"

#include "device_data/product_facts.h"

namespace device_data {

namespace {

// A persistent-store product writes its save keys; a settings-block product
// has the read-only layout.
ChangeSet persistent_store_change_set(BlueCoreSettingsKeys keys) {
  switch (keys) {
    case BlueCoreSettingsKeys::edr_only:
      return ChangeSet::none;
    case BlueCoreSettingsKeys::vox_keys_before_4_0:
      return ChangeSet::vox_fields_before_4_0;
    case BlueCoreSettingsKeys::settings_word:
      return ChangeSet::packed;
    case BlueCoreSettingsKeys::transmit_gain_timeout:
      return ChangeSet::transmit_gain_timeout;
  }
  return ChangeSet::none;
}

}  // namespace

ChangeSet settings_change_set(const ProductFacts& row) {
  using L = SettingsLayout;
  switch (row.settings_layout) {
    case L::read_only:
      return persistent_store_change_set(row.bluecore_settings_keys);
    case L::paired_units:
    case L::packed_pair_unread:
    case L::speed_dials_only:
      return ChangeSet::none;
    case L::packed_pair:
    case L::packed_pair_to_bit_12:
    case L::packed_pair_to_bit_12_keyed:
    case L::packed_pair_to_bit_13:
    case L::packed_pair_no_boost_failure:
    case L::packed_pair_no_vox:
    case L::packed_pair_no_sidetone:
    case L::packed_pair_boost_hush:
    case L::packed_pair_station_guide:
      return ChangeSet::packed;
    case L::packed_pair_recording:
      return ChangeSet::packed_pair;
    case L::packed_pair_camera:
      return ChangeSet::packed_camera;
    case L::packed_pair_vox:
    case L::packed_pair_vox_reset:
    case L::packed_pair_vox_to_bit_12:
    case L::navigation_short:
      return ChangeSet::packed_vox;
    case L::packed_pair_vox_from_1_1:
      return ChangeSet::packed_vox_from_1_1;
    case L::commit_vox_smart_volume:
    case L::commit_vox_smart_volume_fm:
      return ChangeSet::packed_vox_volume;
    case L::packed_pair_smart_volume:
      return ChangeSet::packed_volume_vox_from_1_1;
    case L::packed_word_1:
    case L::packed_word_1_fm:
    case L::packed_word_1_zero_failure:
      return ChangeSet::packed_words;
    case L::packed_word_1_dials:
    case L::packed_word_1_written:
    case L::qcc_packed:
    case L::qcc_packed_quiet:
    case L::qcc_packed_three:
    case L::qcc_packed_read_04:
      return ChangeSet::packed_words_logged;
    case L::navigation:
    case L::navigation_logged:
    case L::navigation_automatic:
      return ChangeSet::packed_words_vox;
    case L::packed_vox_smart_volume:
      return ChangeSet::packed_words_vox_volume;
    case L::qcc_packed_vox:
      return ChangeSet::packed_pair_words_vox;
    case L::two_module:
    case L::lm6:
    case L::qcc_words:
    case L::qcc_words_mode_query:
    case L::qcc_words_wq8:
    case L::qcc_words_wq8_first_dials:
    case L::mesh_nd4_firmware:
    case L::mesh_nd4:
    case L::mesh_kwnd4:
    case L::mesh_solvane:
    case L::mesh_solvane_word_2_0:
    case L::mesh_solvane_word_2_ffff:
    case L::mesh_solvane_zod:
    case L::mesh_solvane_fm:
    case L::mesh_plv:
    case L::mesh_tj6:
    case L::mesh_kwwq8:
    case L::mesh_wq8:
    case L::mesh_wq8_from_1_1:
    case L::qorlan:
    case L::qorlan_module_1:
    case L::mesh_channel:
    case L::mesh_channel_volume:
    case L::language_pack:
    case L::language_pack_speed_dials:
      return ChangeSet::words;
  }
  return ChangeSet::none;
}

}  // namespace device_data
