#pragma once
// The firmware update of the devices with a QCC Bluetooth chip: the commands a
// device answers while it takes its Bluetooth image over long reports (0x13
// restart into the update mode, 0x05 begin image, 0x06 image data, 0x0E last
// image data, 0x07 end image, 0x08 run loader, 0x0A result query, 0x0D
// readiness, 0x12 mode probe, 0x10 normal mode) and, on a device whose mesh
// unit takes its place (HidModelOptions::mesh), its mesh image over short
// reports (0x00 no operation, 0x05, 0x06 with byte 2 = 0 and byte 3 = the
// count, 0x07, 0x08 restarting the mesh unit). Installed as handlers on a
// sim::HidModel through HidModelOptions::qcc_update; the 0x6038 and 0x4D16
// fixtures carry it. A device takes either this or the section download
// (sim/models/section_download_model.h), never both.
//
// A long data report carries its count in bytes 2-3, high byte first (1 to
// 1019); a short one byte 2 = 0 and the count in byte 3 (1 to 61). A report
// out of order, a count outside those bounds, data after the report marked
// 0x0E, or a short image command while the main unit shows is answered with
// k_hid_status_failed.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace sim {

class HidModel;

struct QccUpdateOptions {
  // 0x13: the device leaves `leave_in` after its answer and comes back as
  // itself after `update_mode_absence` (nullopt: never).
  std::chrono::milliseconds leave_in{100};
  std::optional<std::chrono::milliseconds> update_mode_absence{std::chrono::milliseconds(3000)};
  // Long 0x08: the loader writes the image and the device is back after this (nullopt: never).
  std::optional<std::chrono::milliseconds> loader_absence{std::chrono::milliseconds(5000)};
  // Short 0x08 of the mesh unit: the mesh unit is gone for this, then shows
  // itself again (nullopt: never); once the host lets go of it the main unit
  // comes back (MeshUnit::return_absent_for).
  std::optional<std::chrono::milliseconds> mesh_loader_absence{std::chrono::milliseconds(3000)};
  // 0x0D answers byte 3 = 0 to this many queries, then 1.
  int not_ready_queries = 0;
  // 0x12 answers these in byte 3, one a query, the last repeating; empty: the
  // device's mode (HidModelOptions::mode).
  std::vector<std::uint8_t> mode_answers{};

  // ---- faults ----
  std::set<std::uint8_t> failing_commands{};       // long commands answered k_hid_status_failed (0x0F too)
  std::set<std::uint8_t> failing_mesh_commands{};  // short commands of the mesh unit answered so
  int failing_data_report = 0;                     // the k-th long data report (from 1) answers k_hid_status_failed
  int write_error_after_data_reports = 0;          // after answering the k-th long data report the device takes no more writes
  int read_error_at_data_report = 0;               // the status of the k-th long data report cannot be read
  int failing_mesh_data_report = 0;                // the same three for the mesh unit's short data reports
  int write_error_after_mesh_data_reports = 0;
  int read_error_at_mesh_data_report = 0;
};

// One image as the device took it.
struct ReceivedImage {
  std::vector<std::uint8_t> data;          // the data of its data reports, in order
  std::vector<std::size_t> report_bytes;   // data bytes of each data report
  std::optional<std::size_t> marked_last;  // index of the data report that carried 0x0E
  bool ended = false;                      // 0x07 came
};

class QccUpdate {
 public:
  // Installs the handlers on `device`, which owns this object.
  QccUpdate(HidModel& device, QccUpdateOptions options);
  QccUpdate(const QccUpdate&) = delete;
  QccUpdate& operator=(const QccUpdate&) = delete;

  // Bluetooth images (long reports) and mesh images (short reports), one per begin.
  std::vector<ReceivedImage> images() const;
  std::vector<ReceivedImage> mesh_images() const;
  int update_mode_entries() const;  // 0x13 taken
  int readiness_queries() const;    // 0x0D taken
  int mode_probes() const;          // 0x12 taken
  int loader_starts() const;        // long 0x08 taken
  int mesh_loader_starts() const;   // short 0x08 taken
  int result_queries() const;       // 0x0A taken
  int normal_mode_entries() const;  // 0x10 taken
  QccUpdateOptions options() const;
  void set_options(const QccUpdateOptions& options);

 private:
  struct ImageState {
    std::vector<ReceivedImage> images;
    bool open = false;  // between 0x05 and 0x07
    int data_reports = 0;
  };

  HidModel& m_device;
  QccUpdateOptions m_options;
  ImageState m_bluetooth;
  ImageState m_mesh;
  int m_update_mode_entries = 0;
  int m_readiness_queries = 0;
  int m_mode_probes = 0;
  int m_loader_starts = 0;
  int m_mesh_loader_starts = 0;
  int m_result_queries = 0;
  int m_normal_mode_entries = 0;
};

}  // namespace sim
