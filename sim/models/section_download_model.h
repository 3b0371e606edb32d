#pragma once
// The firmware section download of the HID devices: the commands a device
// answers while it takes a firmware package section by section (0x0E enter
// download mode, 0x05 begin section, 0x06 section data, 0x07 end section, 0x0D
// readiness, 0x08 run loader), installed as handlers on a sim::HidModel. The
// version (0x01) and the settings blocks (0x03, 0x04) stay the HidModel's own.
// A HidModel of product 0x6010 carries one by default; any other gets one
// through HidModelOptions::section_download.
//
// The model reads only the bytes a command names: the host leaves what earlier
// commands wrote in the rest of its report buffer.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

namespace sim {

class HidModel;

struct SectionDownloadOptions {
  // 0x0D answers "not ready" (byte 3 = 0) to this many queries, then "ready" (1).
  int not_ready_queries = 0;
  bool never_ready = false;
  // After answering 0x08 the device leaves the bus `reboot_leave_in` later and
  // comes back as itself after `reboot_absent_for`, or never.
  std::chrono::milliseconds reboot_leave_in{100};
  std::chrono::milliseconds reboot_absent_for{5000};
  bool never_returns = false;
  // false: each section keeps only its byte count, and the device forgets its
  // traffic record as it goes, so a benchmark of a large package measures the
  // host and not the device's memory.
  bool keep_data = true;
  // Each 0x06 is answered this long after it came: the time the device takes to write it.
  std::chrono::milliseconds data_report_time{0};

  // ---- faults ----
  int failing_data_report = 0;               // the k-th 0x06 (from 1) answers k_hid_status_failed
  std::set<std::uint8_t> failing_commands{};  // these commands answer k_hid_status_failed
  int write_error_after_data_reports = 0;    // after answering the k-th 0x06 the device takes no more writes
  int read_error_at_data_report = 0;         // the status of the k-th 0x06 cannot be read
  int failing_ready_queries = 0;             // the first N 0x0D answer k_hid_status_failed
};

// One section as the device took it.
struct ReceivedSection {
  std::uint8_t kind = 0;            // byte 2 of its 0x05
  std::vector<std::uint8_t> data;   // the data of its 0x06 reports (empty without keep_data)
  std::size_t bytes = 0;            // data bytes taken
  int data_reports = 0;             // 0x06 reports taken
  bool ended = false;               // 0x07 came
};

class SectionDownload {
 public:
  // Installs the handlers on `device`, which owns this object.
  SectionDownload(HidModel& device, SectionDownloadOptions options);
  SectionDownload(const SectionDownload&) = delete;
  SectionDownload& operator=(const SectionDownload&) = delete;

  std::vector<ReceivedSection> sections() const;
  int download_mode_entries() const;  // 0x0E taken
  int readiness_queries() const;      // 0x0D taken
  int loader_starts() const;          // 0x08 taken
  SectionDownloadOptions options() const;
  void set_options(const SectionDownloadOptions& options);

 private:
  HidModel& m_device;
  SectionDownloadOptions m_options;
  std::vector<ReceivedSection> m_sections;
  bool m_in_section = false;
  int m_data_reports = 0;  // over all sections
  int m_download_mode_entries = 0;
  int m_readiness_queries = 0;
  int m_loader_starts = 0;
};

}  // namespace sim
