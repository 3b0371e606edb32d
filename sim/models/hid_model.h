#pragma once
// A device that speaks the HID command channel: command reports answered with
// status reports, settings kept in numbered blocks of 16-bit words, and the
// language-pack channel whose replies are fetched as input report 2 in chunks.
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "sim/model.h"
#include "sim/models/camera_commands_model.h"
#include "sim/models/airoha_block_model.h"
#include "sim/models/mesh_update_model.h"
#include "sim/models/qcc_update_model.h"
#include "sim/models/section_download_model.h"
#include "sim/sim_env.h"

namespace sim {

struct HidVersion {
  std::uint8_t major = 1;
  std::uint8_t minor = 0;
  std::uint8_t secondary_type = 0;
  std::uint8_t secondary = 0;
};

struct LanguagePackVersion {
  std::uint8_t type = 0;
  std::uint8_t major = 0;
  std::uint8_t minor = 0;
};

// Product id of the mesh processor that shows up beside its Bluetooth module.
inline constexpr std::uint16_t k_mesh_processor_id = 0x3120;

// The second (mesh) unit a device shows on command 0x0F or 0x50. The mesh
// processor (k_mesh_processor_id) appears beside the main unit as a device of
// its own (mesh_processor()); every other mesh unit takes the main unit's place.
struct MeshUnit {
  std::uint16_t product_id = k_mesh_processor_id;
  std::vector<HidCollection> collections{k_vendor_collection};
  HidVersion version{};
  // A unit that takes the main unit's place: the device answers the switch
  // command, drops off the bus after `leave_in` and enumerates as the mesh unit
  // `absent_for` later. The mesh processor appears after the sum of both.
  std::chrono::milliseconds leave_in{100};
  std::chrono::milliseconds absent_for{1000};
  // Once the host has closed the mesh unit it comes back as the main unit after this.
  std::chrono::milliseconds return_absent_for{0};
  // The device takes the switch command but no mesh unit ever shows up; the
  // main unit stays on the bus.
  bool never_appears = false;
  // The mesh processor's side of the mesh firmware update (sim/models/mesh_update_model.h).
  MeshProcessorOptions processor{};
};

struct HidModelOptions {
  std::uint16_t product_id = 0x6020;
  std::string name = "Y350R";
  std::vector<HidCollection> collections{k_vendor_collection};
  HidVersion version{};
  LanguagePackVersion language_pack{};
  std::array<std::uint8_t, 6> bluetooth_address{0x00, 0x1A, 0x7D, 0xDA, 0x71, 0x13};
  std::uint8_t mode = 0;  // answer to the mode probe (0x12)
  bool fm_present = true;
  bool motion_present = false;
  // Settings blocks by id; the name blocks 0x1D and 0x3C are filled from `name` unless given.
  std::map<std::uint8_t, std::vector<std::uint16_t>> blocks{};
  // Blocks whose reads and writes the device refuses (status k_hid_status_failed).
  std::set<std::uint8_t> failing_blocks{};
  // Blocks whose writes alone the device refuses (status k_hid_status_failed); reads answer.
  std::set<std::uint8_t> refused_writes{};
  // Blocks whose first N reads the device refuses (status k_hid_status_failed); later reads answer.
  std::map<std::uint8_t, int> refused_first_reads{};
  std::optional<MeshUnit> mesh{};
  // Data bytes per language-pack input report, in turn; the last size repeats.
  std::vector<int> lang_pack_chunk_bytes{60};
  // Settings words 0-2 and speed dials 1-3 of a device that keeps them behind
  // the language-pack channel (command 0x03 with argument 0x03, and 0x05-0x07;
  // command 0x04 with the same arguments writes them).
  std::array<std::uint16_t, 3> lang_pack_settings{};
  std::array<std::string, 3> lang_pack_speed_dials{};
  // Language-pack commands the device takes without answering: the host's polls find no data.
  std::set<std::uint8_t> lang_pack_unanswered{};
  // Language-pack commands whose answer carries this many bytes beyond its length (an overshoot).
  std::map<std::uint8_t, int> lang_pack_overshoot{};
  // Products 0x6020, 0x6022 and 0x6024: status of the answer to the
  // enter-download-mode command 0x0E. With 0 the device answers and leaves the
  // HID bus; with any other status it answers and stays.
  std::uint8_t enter_download_status = 0;
  // The firmware section download (sim/models/section_download_model.h);
  // product 0x6010 carries it unless it is given here.
  std::optional<SectionDownloadOptions> section_download{};
  // The QCC firmware update (sim/models/qcc_update_model.h); the 0x6038 and
  // 0x4D16 fixtures carry it.
  std::optional<QccUpdateOptions> qcc_update{};
  // The camera commands of the action cameras (sim/models/camera_commands_model.h).
  std::optional<CameraCommandsOptions> camera{};
  // The module's side of the mesh firmware update (sim/models/mesh_update_model.h);
  // the mesh processor carries MeshUnit::processor.
  std::optional<MeshModuleOptions> mesh_module{};
  std::optional<MeshProcessorOptions> mesh_processor{};
  // The Airoha block transfer on the language-pack channel
  // (sim/models/airoha_block_model.h); the 0x68xx products and 0x3220 carry
  // it unless it is given here.
  std::optional<AirohaBlockOptions> airoha_block{};
  Faults faults{};
};

// Status byte of an answer to a command the device does not know.
inline constexpr std::uint8_t k_hid_status_failed = 0x02;

class HidModel : public Model {
 public:
  // Answer to one command report: status and the reply bytes from byte 3 on.
  struct Answer {
    std::uint8_t status = 0;
    std::vector<std::uint8_t> data;
    // The status report comes this long after the command (the device is at work meanwhile).
    std::chrono::milliseconds after{0};
  };
  using CommandHandler = std::function<Answer(std::span<const std::uint8_t> request)>;
  // Returns the whole gathered reply of a language-pack command (without the
  // report id and length of each chunk).
  using LangPackHandler = std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t> request)>;

  explicit HidModel(HidModelOptions options = {});

  // Adds or replaces the handler of a command byte.
  void on_command(std::uint8_t command, CommandHandler handler);
  // The handler of a command byte (empty when the device does not know it),
  // so a new handler can pass on to the one it replaces.
  CommandHandler command_handler(std::uint8_t command) const;
  void on_lang_pack_command(std::uint8_t command, LangPackHandler handler);
  // The language-pack handler of a command byte (empty when there is none).
  LangPackHandler lang_pack_handler(std::uint8_t command) const;
  // Words stored in a settings block (empty when the device has none).
  std::vector<std::uint16_t> block(std::uint8_t id) const;
  void set_block(std::uint8_t id, std::vector<std::uint16_t> words);
  // Commit commands (0x11) received.
  int commits() const;
  // The block (byte 2) each commit named, in order.
  std::vector<std::uint8_t> committed_blocks() const;
  // True while the device shows its mesh unit.
  bool in_mesh_mode() const;
  // The mesh processor beside this device once a switch command brought it up
  // (nullptr before, and for devices whose mesh unit takes their place).
  std::shared_ptr<HidModel> mesh_processor() const;
  // Settings words kept behind the language-pack channel.
  std::array<std::uint16_t, 3> lang_pack_settings() const;
  // Speed dials 1-3 kept behind the language-pack channel.
  std::array<std::string, 3> lang_pack_speed_dials() const;
  // Sizes of the following language-pack chunks.
  void set_lang_pack_chunk_bytes(std::vector<int> sizes);
  // The firmware section download the device takes (nullptr: none).
  SectionDownload* section_download() const { return m_section_download.get(); }
  // The QCC firmware update the device takes (nullptr: none).
  QccUpdate* qcc_update() const { return m_qcc_update.get(); }
  // The camera commands the device takes (nullptr: none).
  CameraCommands* camera() const { return m_camera.get(); }
  // The mesh firmware update's module and processor sides (nullptr: none).
  MeshModule* mesh_module() const { return m_mesh_module.get(); }
  MeshProcessor* mesh_download() const { return m_mesh_download.get(); }
  // The Airoha block transfer the device takes (nullptr: none).
  AirohaBlock* airoha_block() const { return m_airoha_block.get(); }
  // For a handler whose command reboots the device: it leaves the bus
  // `leave_in` from now and comes back as itself after `absent_for`, or never.
  void restart(std::chrono::milliseconds leave_in, std::optional<std::chrono::milliseconds> absent_for);
  // The same for the mesh unit while it shows: it comes back as the mesh unit,
  // and hands back to the main unit only once the host has opened and let go
  // of it again.
  void restart_mesh_unit(std::chrono::milliseconds leave_in, std::optional<std::chrono::milliseconds> absent_for);
  // While held, the host's letting go of the mesh unit does not hand it back
  // (it still has to answer after its restart).
  void hold_mesh_unit(bool held);

  bool on_open(int interface_number) override;
  void on_close(int interface_number) override;
  void on_interrupt_out(int interface_number, std::span<const std::uint8_t> report) override;
  int on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) override;
  void on_arrival() override;
  void on_input_read(int interface_number, std::span<const std::uint8_t> report) override;

 private:
  void answer_command(int interface_number, std::span<const std::uint8_t> request);
  void start_lang_pack_reply(std::span<const std::uint8_t> request);
  Answer read_block(std::span<const std::uint8_t> request, std::size_t reply_bytes);
  Answer write_block(std::span<const std::uint8_t> request);
  Answer switch_to_mesh();
  Answer enter_download_mode();
  Identity main_identity() const;
  Identity mesh_identity() const;
  const HidVersion& current_version() const;

  HidModelOptions m_options;
  std::map<std::uint8_t, CommandHandler> m_handlers;
  std::map<std::uint8_t, LangPackHandler> m_lang_pack_handlers;
  std::map<std::uint8_t, std::vector<std::uint16_t>> m_blocks;
  std::size_t m_reply_bytes = 67;  // size of the status report for the command being answered
  std::vector<std::uint8_t> m_committed_blocks;
  int m_open_handles = 0;
  bool m_in_mesh = false;
  bool m_switching = false;
  std::vector<std::uint8_t> m_lang_pack_data;
  std::size_t m_lang_pack_sent = 0;
  std::size_t m_lang_pack_chunks_sent = 0;
  platform::Clock::time_point m_busy_since{};  // when the device began to stay busy
  std::shared_ptr<HidModel> m_mesh_processor;
  std::unique_ptr<SectionDownload> m_section_download;
  std::unique_ptr<QccUpdate> m_qcc_update;
  std::unique_ptr<CameraCommands> m_camera;
  std::unique_ptr<MeshModule> m_mesh_module;
  std::unique_ptr<MeshProcessor> m_mesh_download;
  std::unique_ptr<AirohaBlock> m_airoha_block;
  bool m_mesh_held = false;
};

// A block of 16-bit characters, one byte of `text` each, as speed dials are stored.
std::vector<std::uint16_t> character_words(const std::string& text);

// Builds a HID device for VEXLINK_SIM ("hid:0x6020,fw=1.2"). Options: fw=M.m or
// fw=M.m.T.N (version), name=TEXT, mode=N (mode probe answer),
// collections=vendor|keyboard|keyboard+vendor, mesh=0xPID (mesh unit),
// dnld=N (status of the enter-download-mode answer), qcc (the QCC firmware
// update on any product), meshupdate (the module's side of the mesh firmware
// update), sections (the firmware
// section download on any product), notready=N (readiness queries answered
// "not ready"), reboot=MS or reboot=never (absence after the run-loader
// command), busy=N, busy=forever,
// fail=N (status), vanish=N (reports), short=N (bytes per reply), silent
// (never answers), refuse (open refused); the Airoha block transfer: airoha
// (on any product), airohareboot=MS or airohareboot=never (absence after the
// apply command), crcfault=N (the N-th chunk answered with a wrong CRC),
// noverify (the verify left unanswered), nolangpack=0xCC (that language-pack
// command left unanswered).
std::shared_ptr<Model> make_hid_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                      std::string& error);

// Fixtures: Y350R (0x6020), the default product, with one vendor collection.
HidModelOptions hid_fixture_6020();
// Y370R (0x6038): a keyboard collection on interface 0, the vendor collection
// on interface 1; takes the QCC firmware update.
HidModelOptions hid_fixture_6038();
// XA6-FM (0x4D16): a keyboard collection on interface 0, the vendor collection
// on interface 1; takes the QCC firmware update.
HidModelOptions hid_fixture_4d16();
// XA6-FM (0x4D16) variant that shows only its keyboard collection.
HidModelOptions hid_fixture_4d16_keyboard_only();
// WEBLOR GZ3 (0x6800): versions, name, settings words and speed dials through
// the language-pack channel, which also takes the Airoha block transfer.
HidModelOptions hid_fixture_6800();
// Y660 R (0x6030): settings word with navigation and automatic on/off, VOX
// words, the six-preset FM block and speed dials in blocks 0x5A-0x5C.
HidModelOptions hid_fixture_6030();
// TORNIK (0x5552): three settings words in block 0x36, FM block 0x44, speed
// dials in 0x37-0x39, and a QCC mesh unit 0x3160 it switches to on 0x0F.
HidModelOptions hid_fixture_5552();
// The Airoha mesh chip of the two-chip products (0x3220, vendor collection),
// on the bus beside its device: it takes the Airoha block transfer.
HidModelOptions hid_fixture_3220_mesh_chip();
// Tandor FX4 (0x6461): speed dials in blocks 0x37-0x39 and nothing else.
HidModelOptions hid_fixture_6461();
// LM6 (0x4210): its main unit keeps the sub-model code (block 0x05) and the
// speed dials; the second unit (hid_fixture_4210_second_unit) keeps the
// settings words, the FM block and the name.
HidModelOptions hid_fixture_4210();
// The second unit of the LM6, product id 0x4211 on the simulated bus; the open
// filter never opens it, a test puts it into slot 1
// (transport::hid_open_into_slot_for_test). Both LM6 units take the firmware
// section download, each on its own slot.
HidModelOptions hid_fixture_4210_second_unit();
// The second unit of the Solvane (0x4310), product id 0x4311 on the simulated
// bus, put into slot 1 as the LM6's; takes the firmware section download.
HidModelOptions hid_fixture_4310_second_unit();
// ND4 (0x3110): settings words in block 0x04, FM block 0x15, speed dials in
// 0x5A-0x5C, and the mesh processor 0x3120 beside it on 0x50.
HidModelOptions hid_fixture_3110();
// WQ8 (0x3210): as the ND4, with an Airoha mesh unit 0x3220 (vendor
// collection) that takes its place on 0x50 and tells its version over the
// language-pack channel.
HidModelOptions hid_fixture_3210();

}  // namespace sim
