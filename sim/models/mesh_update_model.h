#pragma once
// The mesh firmware update of the intercoms with a mesh processor, as the
// two devices answer it on the HID command channel, installed as handlers on
// sim::HidModel objects:
// - MeshModule on the Bluetooth module (the attached device): power hold
//   (0x52) and release (0x53), the image language (0x59), and a second version
//   answer once its loader has run (the new firmware). Its mesh download mode
//   (0x50) is the HidModel's own, which brings the mesh processor up beside it
//   (MeshUnit); the module's sections and loader are its SectionDownload's.
// - MeshProcessor on the mesh processor (product 0x3120): version with its
//   build number (0x01), begin section (0x05, byte 2 = 0 mesh image, 1 iM501
//   image), data (0x06, at most 58 bytes), chunk CRC (0x5A) and all-CRC
//   (0x5B), both CRC-16/XMODEM low byte first and checked against the data,
//   end section (0x07), run loader (0x08: the processor leaves the bus; the
//   module's next 0x50 brings it back) and the iM501 final check (0x47).
//
// The models read only the bytes a command names.
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <vector>

namespace sim {

class HidModel;

struct MeshModuleOptions {
  // The version the module answers once its loader has run (none: the old one).
  std::optional<std::array<std::uint8_t, 4>> version_after_loader{};
  // ---- faults ----
  std::set<std::uint8_t> failing_commands{};  // of 0x50 0x52 0x53 0x59: answer k_hid_status_failed
  int refused_language_commands = 0;          // the first N 0x59 answer k_hid_status_failed
};

class MeshModule {
 public:
  // Installs the handlers on `device`, which owns this object (after its
  // SectionDownload, whose loader start it passes on to).
  MeshModule(HidModel& device, MeshModuleOptions options);
  MeshModule(const MeshModule&) = delete;
  MeshModule& operator=(const MeshModule&) = delete;

  // The codes of the 0x59 taken, refused ones too.
  std::vector<std::uint8_t> language_codes() const;
  int power_holds() const;
  int power_releases() const;

 private:
  HidModel& m_device;
  MeshModuleOptions m_options;
  bool m_loader_run = false;
  std::vector<std::uint8_t> m_language_codes;
  int m_power_holds = 0;
  int m_power_releases = 0;
};

struct MeshProcessorOptions {
  std::uint8_t build = 7;           // version reply byte 7
  bool refuses_version = false;     // 0x01 answers k_hid_status_failed
  std::uint8_t final_check = 1;     // 0x47 reply byte 3
  // After answering 0x08 the processor leaves the bus this long later; the
  // module's next 0x50 brings it back after `back_after_loader`, or never.
  std::chrono::milliseconds leave_after_loader{100};
  std::optional<std::chrono::milliseconds> back_after_loader{std::chrono::milliseconds(2000)};
  // ---- faults ----
  std::set<int> refused_chunk_crcs{};     // these 0x5A (counted from 1) answer k_hid_status_failed
  bool refuses_every_chunk_crc = false;
  std::set<int> refused_all_crcs{};       // these 0x5B (counted from 1) answer k_hid_status_failed
  bool refuses_every_all_crc = false;
  std::set<std::uint8_t> failing_commands{};  // of 0x05 0x07 0x08 0x47: answer k_hid_status_failed
  int failing_data_report = 0;            // the k-th 0x06 (from 1) answers k_hid_status_failed
  int write_error_at_data_report = 0;     // after answering the k-th 0x06 the processor takes no more writes
};

// One pass over an image: it starts with 0x05 and after each 0x5B.
struct MeshPass {
  std::vector<std::uint8_t> sent;      // the data of every 0x06, repeats included
  std::vector<std::uint8_t> accepted;  // the chunks whose 0x5A the processor accepted
  int data_reports = 0;
  std::vector<std::uint16_t> chunk_crcs;  // as the host sent them
  std::optional<std::uint16_t> all_crc;   // as the host sent it
  bool all_crc_accepted = false;
  bool chunk_refused = false;  // the last 0x5A was refused
};

// One image as the processor took it.
struct MeshTransfer {
  std::uint8_t kind = 0;  // byte 2 of its 0x05
  std::vector<MeshPass> passes;
  bool ended = false;     // 0x07 came
};

class MeshProcessor {
 public:
  MeshProcessor(HidModel& device, MeshProcessorOptions options);
  MeshProcessor(const MeshProcessor&) = delete;
  MeshProcessor& operator=(const MeshProcessor&) = delete;

  std::vector<MeshTransfer> transfers() const;
  int loader_starts() const;
  int final_checks() const;
  MeshProcessorOptions options() const;
  // True once after a loader start took the processor off the bus.
  bool take_gone_after_loader();

 private:
  HidModel& m_device;
  MeshProcessorOptions m_options;
  std::vector<MeshTransfer> m_transfers;
  std::vector<std::uint8_t> m_pending;  // the last chunk, until its CRC comes
  std::uint16_t m_running = 0;          // over the accepted chunks of the pass
  int m_data_reports = 0;
  int m_chunk_crcs = 0;
  int m_all_crcs = 0;
  int m_loader_starts = 0;
  int m_final_checks = 0;
  bool m_gone_after_loader = false;
};

// CRC-16/XMODEM continued from `crc`, bit by bit.
std::uint16_t xmodem_crc(std::span<const std::uint8_t> data, std::uint16_t crc = 0);

}  // namespace sim
