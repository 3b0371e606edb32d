#pragma once
// What the manager knows about each product, one row per product id and one
// column per fact. Every per-product fact that more than one place reads lives
// here once. Where two rules use different lists for what looks like one
// fact, each list is a column of its own, named after what it decides.
#include <cstdint>
#include <span>

#include "device_data/settings_layout.h"
#include "device_data/setting_catalogue.h"
#include "device_data/save_families.h"
#include "device_data/recognition_facts.h"
#include "device_data/leftover_facts.h"
#include "device_data/settings_change_sets.h"
#include "device_data/restore_table_sets.h"
#include "device_data/all_settings_sets.h"
#include "device_data/setting_writers.h"
#include "device_data/firmware_file_facts.h"
#include "device_data/packed_word_facts.h"
#include "device_data/factory_default_sets.h"

namespace device_data {

// Which settings tabs a product offers before its firmware version and FM
// radio decide the rest (settings 1, speed dial 2, second settings 3).
enum class TabGroup : std::uint8_t {
  none,                  // no settings page
  settings_only,         // [1]
  settings_speed_dial,   // [1, 2]
  speed_dial_only,       // [2]
  all_three,             // [1, 2, 3]
  all_three_with_fm,     // [1, 2, 3] with the FM radio, else [1, 2]
  second_with_fm,        // [1, 3] with the FM radio, else [1]
  settings_second,       // [1, 3]
  speed_dial_after_4_2,  // [1, 2] above firmware 4.2, else [1]
  speed_dial_after_1_2,  // [1, 2] above firmware 1.2, else [1]
  all_three_after_4_2,   // [1, 2, 3] above firmware 4.2, else [1, 3]
  all_three_after_1_2,   // [1, 2, 3] above firmware 1.2, else [1, 3]
};

// Which firmware version the recognized-device header shows.
enum class HeaderVersionSource : std::uint8_t {
  main,     // the main version set
  module1,  // the version of module 1
};

// Where recognition reads the device name over HID.
enum class NameSource : std::uint8_t {
  block_1d,       // block 0x1D; on slot 1 for a two-module product, else slot 0
  block_3c,       // block 0x3C on slot 0
  language_pack,  // the language-pack channel
  none,           // the device has none to read: the default name
};

// How the version reply of recognition is laid out.
enum class VersionLayout : std::uint8_t {
  with_language_pack,  // command 0x01: version in bytes 3..6, language pack in 8..10
  version_only,        // command 0x01: version in bytes 3..6, no language pack
  language_pack,       // the language-pack channel: version, then pack type and version
  pair_unit,           // command 0x01: major, minor, build number in bytes 3..5, no language pack
};

// The flashing procedure of a firmware update; the update engine's dispatch
// table runs one procedure per family.
enum class UpdateFamily : std::uint8_t {
  lm6,                                      // the LM6 and its ZOD variant
  qcc,                                      // QCC products without mesh
  airoha,                                   // Airoha products
  two_chip,                                 // two chips, mesh and Bluetooth
  qcc_mesh,                                 // mesh QCC products
  airoha_mesh,                              // mesh Airoha products
  mesh_with_voice_processor,                // mesh with camera and voice-processor part
  mesh,                                     // mesh
  dual_module,                              // two modules over HID
  hid_section_download,                     // HID section download
  hid_section_download_after_download_mode, // HID section download after command 0x0E
  download_mode,                            // into download mode over HID, then USB DFU
  usb_dfu,                                  // USB DFU: every product without another family
};

// How the update page's timer moves the progress bar for a product.
enum class ProgressGroup : std::uint8_t {
  two_module,       // phases 0..3, 4 (to 85 over 245 ticks), 86 (to 99 over 40), 99
  mesh,             // phases 0..3, 4 (to 88 over 495 ticks), 89 (to 102 over 40), 99
  mesh_with_pause,  // the mesh rule, standing still while a message box is open
  hid,              // creeps towards the target in addUpdateProcessed, two step flags
  camera,           // creeps towards the target in addUpdateProcessed, three step flags
  pair_unit,        // one a tick up to 95
  default_rule,     // towards the target in addUpdateProcessed, else the timed step
};

// Which rows of the restore page show for a product, by tab kind (settings,
// speed dial, FM radio) and the backup's firmware version. "Rows" are the
// page's six rows; "the table" is the restore table in their place.
enum class RestoreRowSet : std::uint8_t {
  table_fm6,                   // the table; 3 speed dials; FM: rows 4 and 5 hidden
  by_firmware_4_and_5,         // 3, 4 from 4.0, 5 from 4.1 (6 with the microphone boost), 4 from 4.2
                               // (5 with it), 5 from 5.0 (6 with it); 3 speed dials; all FM rows
  by_firmware_4_and_5_short,   // as by_firmware_4_and_5, but 4 rows from 5.0 without the microphone boost
  four_rows,                   // 4; 3 speed dials; all FM rows
  one_row,                     // 1; 3 speed dials; all FM rows
  five_rows,                   // 5; 3 speed dials; all FM rows
  one_row_all_speed_dials,     // 1; all speed-dial rows; all FM rows
  five_rows_before_1_1,        // 5 before 1.1, else 6; 3 speed dials; all FM rows
  two_rows,                    // 2; 3 speed dials; all FM rows
  three_rows_before_2_0,       // 3 before 2.0, else 4; 3 speed dials; all FM rows
  three_rows_every_tab,        // 3 on every tab
  one_row_every_tab,           // 1 on every tab
  two_rows_every_tab,          // 2 on every tab
  four_rows_before_1_1_table,  // 4 before 1.1, else 6, with the table; 3 speed dials; all FM rows
  table_all_rows,              // the table; all speed-dial rows; all FM rows
  table_no_speed_dials,        // the table; no speed-dial row; all FM rows
  table_three_speed_dials,     // the table; 3 speed dials; all FM rows
};

// Whether recognition asks the device its mode (command 0x12) before it goes
// on over HID.
enum class ModeProbe : std::uint8_t {
  none,               // goes on over HID without asking
  hid_unless_mode_0,  // goes on over HID when the device answers a mode other than 0
  hid_when_mode_0,    // goes on over HID when the device answers mode 0
};

// Whether recognition asks the device if its FM radio is fitted (command 0x1A).
enum class FmPresenceQuery : std::uint8_t {
  none,                       // the persistent-store answer stands
  slot_0,                     // asked on slot 0
  slot_1_with_motion_sensor,  // asked on slot 1, and the motion sensor (0x1B) on slot 0
};

// A firmware version a rule compares with: major.minor, and the secondary
// version where the rule names one.
struct FirmwareFloor {
  int major = 0;
  int minor = 0;
  int secondary = 0;  // of secondary type 2
};

struct ProductFacts {
  std::uint16_t id = 0;
  // Firmware in two modules: settings and FM blocks on HID slot 1, the name
  // in block 0x1D of slot 1, and the header appends module 2's version.
  bool two_modules = false;
  TabGroup tab_group = TabGroup::none;
  // Picture file of the header (nullptr: none) and a fixed name that replaces
  // the device's own there (nullptr: the device's name).
  const char* header_picture = nullptr;
  const char* header_name = nullptr;
  HeaderVersionSource header_version = HeaderVersionSource::main;
  NameSource name_source = NameSource::block_1d;
  VersionLayout version_layout = VersionLayout::with_language_pack;
  // File at the top of the camera's disk. The controller's search for the
  // selected target's disk (recognition, update engine) and the record's
  // search by product id know different products.
  const char* target_camera_marker = nullptr;
  const char* record_camera_marker = nullptr;
  // A camera whose camera firmware is copied onto its disk: the name it is
  // written under, then the name it is moved to, from which the camera
  // installs it (nullptr: none). Its version file is target_camera_marker.
  const char* camera_transfer_file = nullptr;
  const char* camera_firmware_file = nullptr;
  UpdateFamily update_family = UpdateFamily::usb_dfu;
  ProgressGroup progress_group = ProgressGroup::default_rule;
  // The update page's timer never shows the update's status line in red.
  bool quiet_update_end = false;
  // The backup panel's group (1..37, 0: none): which views it offers and the
  // settings rows it shows.
  std::uint8_t backup_group = 0;
  // The settings have a microphone boost (backup panel and restore rows).
  bool microphone_boost = false;
  // A backup made by firmware older than this is not restored onto the
  // product (0.0: any backup is).
  FirmwareFloor oldest_backup_firmware{};
  RestoreRowSet restore_rows = RestoreRowSet::table_fm6;
  ModeProbe mode_probe = ModeProbe::none;
  FmPresenceQuery fm_presence_query = FmPresenceQuery::none;
  // A device that gives no name of its own is named by its catalogue name.
  bool default_name_is_catalogue_name = false;
  // settings blocks
  // Which blocks hold the settings, FM radio and speed dials, and what their
  // words mean, for the read, the restore's write and the settings page's save.
  SettingsLayout settings_layout = SettingsLayout::read_only;
  // setting catalogue
  // The word layouts the product's settings are written through (SettingLayout bits).
  std::uint16_t setting_layouts = 0;
  // The product's settings are edited in the all-settings table.
  bool all_settings = false;
  ClassicPanel classic_panel = ClassicPanel::none;
  // The apply note of the classic panel has no button in any language.
  bool apply_note_without_button = false;
  // The information texts of the all-settings sheet.
  VeneerText veneer_text = VeneerText::one_module;
  VoxSensitivityText vox_sensitivity_text = VoxSensitivityText::plain;
  UnitLanguageText unit_language_text = UnitLanguageText::unit_language;
  EqualizerText equalizer_text = EqualizerText::plain;
  // Only the Audio Equalizer and HD Voice rows have texts; the other
  // information buttons show an empty box.
  bool few_information_texts = false;
  // save families and the remaining product lists
  FmSave fm_save = FmSave::persistent_store;
  // The 15-word FM block carries the six-preset magic word 0x56E9 and is
  // committed, as the six-preset products' block is.
  bool fm_block_six_preset_magic = false;
  // The persistent-store products that keep their FM block under key 671;
  // the others of that save have their device checked and nothing written.
  bool fm_block_in_persistent_store = false;
  SpeedDialSave speed_dial_save = SpeedDialSave::persistent_store;
  // The FM and speed-dial saves ask the device's mode (command 0x12) first
  // and write only in its normal mode.
  bool save_asks_mode = false;
  // An action camera whose camera firmware, entry 2 of the package's block
  // table, is copied onto its disk; only sections 0 and 1 go over HID.
  bool camera_part_to_disk = false;
  SectionDownloadEnd section_download_end = SectionDownloadEnd::button_notice;
  // The HID section download writes the voice-prompt language after the sections.
  bool section_download_language = false;
  UsbDfuBusId usb_dfu_bus_id = UsbDfuBusId::other;
  // The USB DFU update clears the persistent-store keys of the older models
  // that the new firmware must write anew.
  bool dfu_clears_ps_keys = false;
  // The device detaches without being re-plugged: no box asks for it.
  bool dfu_detach_without_box = false;
  // The device restarts by itself after the download: no box asks to switch it off and on.
  bool dfu_restart_without_box = false;
  // The firmware image names the model tag of the selected product, not of the recognized one.
  bool dfu_tag_of_selected_product = false;
  // A second model tag the firmware image of the recognized product may carry (0: none).
  std::uint16_t dfu_substitute_tag = 0;
  // A server firmware whose secondary number alone is higher is newer, even
  // when the device's own secondary number is not known.
  bool secondary_number_makes_newer = false;
  UpdateButtons update_buttons = UpdateButtons::none;
  // A recognized device of this id is taken for the selected product of this
  // id, another model of its line (0: only for its own).
  std::uint16_t same_device_as = 0;
  // The settings pages are not offered for the product, or not below this
  // firmware (0.0: from any firmware).
  bool without_settings = false;
  FirmwareFloor settings_from_firmware{};
  // recognition
  // The persistent-store keys legacy USB recognition reads, and the layout
  // of the settings word among them.
  LegacyKeySet legacy_keys = LegacyKeySet::none;
  SettingsWordLayout settings_word = SettingsWordLayout::none;
  SecondModuleRead second_module = SecondModuleRead::none;
  // The device information report names the product by a model id, and
  // reports its persistent-store keys 100 higher.
  bool reports_model_id = false;
  bool reports_keys_shifted = false;
  // Units above this address (six hex digits of the low 24 bits; nullptr:
  // none) get the radio power set rewritten.
  const char* power_address_threshold = nullptr;
  PowerSet power_set = PowerSet::none;
  // settings saves and the mesh and QCC updates
  BlueCoreSettingsKeys bluecore_settings_keys = BlueCoreSettingsKeys::edr_only;
  // The QCC update waits, its notice open, while the user holds the device's
  // buttons until the device is ready.
  bool qcc_update_holds_buttons = false;
  // The QCC mesh update asks the device's mode (command 0x12) first and goes
  // on only in mode 0.
  bool qcc_mesh_update_probes_mode = false;
  // The mesh update without the voice processor finds the mesh image in
  // entry 1 of the block table, not in entry 2.
  bool mesh_image_in_entry_1 = false;
  // The mesh update with the voice processor also carries a camera part.
  bool mesh_update_camera_part = false;
  MeshUnitLanguage mesh_unit_language = MeshUnitLanguage::by_family;
  // settings editor
  // What the settings page's Default button keeps from the device.
  DefaultReset default_reset = DefaultReset::factory;
  // restore table
  // The rows the restore page's table defines for the product and how many it counts.
  RestoreTableRows restore_table_rows = RestoreTableRows::none;
  RestoreTableCount restore_table_count = RestoreTableCount::none;
  // all-settings rows and setting actions
  // Which lists the all-settings sheet shows, by firmware version and flags.
  AllSettingsSet all_settings_set = AllSettingsSet::none;
  // The record words the setting actions write beyond the layouts (SettingWriter bits).
  std::uint16_t setting_writers = 0;
  // firmware file and update operation
  // The digest table the package is checked on before the update.
  PackageDigests package_digests = PackageDigests::sections;
  UpdateEndNotice update_end_notice = UpdateEndNotice::none;
  // The update and restore pages' Next leads to the speed-dial page; the
  // settings button's speed-dial-only tab group names more products.
  bool next_opens_speed_dial = false;
  // A third model tag the USB DFU update tries when the image carries neither
  // the product's own nor its substitute (0: none).
  std::uint16_t dfu_third_tag = 0;
  // packed settings words and factory defaults
  // The on/off settings packed into the settings words (PackedWordBit bits).
  std::uint16_t packed_word_bits = 0;
  // The set of factory settings the product is reset to.
  FactoryDefaults factory_defaults = FactoryDefaults::none;
  // The FM block keeps 6 presets instead of 10.
  bool six_fm_presets = false;
  // With language pack type 0 the unit has no language code 6 in its HB6
  // and TORNIK words: languages above 5 sit one code higher on the device.
  bool hb6_language_skips_code_6 = false;
  // hardware queries of recognition
  // The product is built with and without the FM radio; the hardware version
  // in block 0x06 tells which.
  bool fm_by_hardware_version = false;
  SpeakerQuery speaker_query = SpeakerQuery::none;
};

// The row of `product_id`; an id without a row gets the defaults above (id 0).
const ProductFacts& product_facts(int product_id);
// Every row, ascending by id.
std::span<const ProductFacts> product_rows();

// The LM6 (0x4210) keeps its sub-model code in the low byte of word 0 of
// block 0x05 (the record's divisionLM6evoValue); these codes mark its ZOD
// variant, which has a picture of its own and takes no firmware older than
// k_lm6_zod_oldest_firmware.
inline constexpr int k_lm6_product = 0x4210;
bool is_lm6_zod_sub_model(int code);

inline constexpr FirmwareFloor k_lm6_zod_oldest_firmware{1, 7, 5};

}  // namespace device_data
