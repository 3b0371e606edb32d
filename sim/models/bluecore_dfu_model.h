#pragma once
// One BlueCore device through its whole firmware update, changing identity on
// the bus as the real one does:
//   HID     the normal-mode device on the HID command channel (0x6020); its
//           answer to command 0x0E sends it into download mode;
//   download mode
//           a BlueCore HCI device (0x6021) whose persistent store answers BCCMD
//           requests, with a DFU run-time interface (appIDLE; DETACH puts it
//           into appDETACH); a port reset in appDETACH re-enumerates it ...
//   DFU mode
//           ... as the boot loader (0xE020, device and interface class 0xFE,
//           DFU interface 0): blocks of at most 1023 bytes, a status poll
//           between them, and the empty block that ends the download; the
//           device then leaves and comes back in normal mode, its HID
//           collections (or its HCI interface) beside a DFU run-time interface.
// The boot loader is lenient as the BlueCore one is: CLRSTATUS, ABORT and
// request 7 are always taken, and a block may follow a status poll that
// still found the device in dfuDNLOAD-SYNC. The host's transfers are in the
// record of sim::Model; the blocks, the persistent-store writes and the resets
// are kept here.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/model.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/dfu_model.h"
#include "sim/models/hid_model.h"
#include "sim/sim_env.h"

namespace sim {

enum class BlueCoreDfuPhase { hid, download_mode, dfu_mode, normal };

// What a port reset in appDETACH does.
enum class AfterReset {
  dfu_mode,  // re-enumerates in DFU mode (dfu_product_id)
  gone,      // leaves the bus for good
  stays,     // comes back as it was, in appIDLE: it never detached
};

struct BlueCoreDfuOptions {
  BlueCoreDfuPhase start = BlueCoreDfuPhase::hid;
  // The normal-mode device on HID (phase hid, and normal after the update when it started there).
  HidModelOptions hid = hid_fixture_6020();
  // The download-mode device: its product id and persistent store (0x02A3 and 0x02A4).
  BlueCoreModelOptions bluecore = bluecore_fixture_6021();
  std::uint16_t dfu_product_id = 0xE020;
  // Normal-mode product id after the update, for a device that did not start on HID.
  std::uint16_t return_product_id = 0x4D10;

  // Timing on the platform clock.
  std::chrono::milliseconds download_mode_absence{2000};  // from leaving HID to the download-mode device
  std::chrono::milliseconds reenumeration{1500};          // from the reset to DFU mode
  std::chrono::milliseconds manifestation{3000};          // from the empty block to leaving DFU mode
  std::chrono::milliseconds return_absence{5000};         // from leaving DFU mode to normal mode

  // bwPollTimeout of a status while the device is busy with a block (dfuDNBUSY), ms.
  std::uint32_t busy_poll_ms = 20;
  // bwPollTimeout of a status in dfuDNLOAD-IDLE: the time the device will take
  // to manifest once the empty block comes, ms.
  std::uint32_t manifest_poll_ms = 1500;
  // Status polls after each block that find dfuDNBUSY.
  int busy_polls = 0;

  // Faults.
  bool in_dfu_mode_at_detach = false;   // the download-mode device is already in dfuIDLE
  bool start_in_error = false;          // DFU mode starts in dfuERROR (errSTALLEDPKT)
  std::optional<int> error_after_block;  // the poll after this block (1 = first) finds dfuERROR
  int bad_status_polls = 0;             // polls whose bStatus is errUNKNOWN (-1: every poll)
  int failing_downloads = 0;            // data blocks refused (stalled) before the device takes one
  bool busy_forever = false;            // never leaves dfuDNBUSY after a block
  bool ignores_detach = false;          // stays in appIDLE after DETACH
  AfterReset after_reset = AfterReset::dfu_mode;
  bool never_returns = false;           // leaves after the empty block and never comes back
  std::optional<ShortStatusReplies> short_status;
  Faults faults{};
};

class BlueCoreDfuModel : public Model {
 public:
  struct Block {
    std::uint16_t number = 0;
    std::vector<std::uint8_t> payload;
  };

  explicit BlueCoreDfuModel(BlueCoreDfuOptions options = {});

  BlueCoreDfuPhase phase() const;
  // Data blocks taken, in order; their payloads joined.
  std::vector<Block> blocks() const;
  std::vector<std::uint8_t> image() const;
  // wValue of the empty block that ended the download (none before).
  std::optional<std::uint16_t> final_block_number() const;
  // Persistent-store writes the download-mode device took.
  std::vector<PsWrite> ps_writes() const;
  // Port resets, and requests 7, the device saw.
  int resets() const;
  int request_7_count() const;
  // The HID device inside (normal mode), for its handlers and blocks.
  HidModel& hid() { return *m_hid; }

  bool on_open(int interface_number) override;
  void on_close(int interface_number) override;
  void on_interrupt_out(int interface_number, std::span<const std::uint8_t> report) override;
  int on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) override;
  void on_arrival() override;
  void on_input_read(int interface_number, std::span<const std::uint8_t> report) override;
  void on_reset() override;

 private:
  bool shows_hid() const;
  // Leaves the bus `leave_in` from now and arrives in `next` `absent_for` later.
  void go(BlueCoreDfuPhase next, std::chrono::milliseconds leave_in, std::chrono::milliseconds absent_for);
  Identity identity_of(BlueCoreDfuPhase phase) const;
  int dfu_request(const ControlSetup& setup, std::vector<std::uint8_t>& data);
  int run_time_request(const ControlSetup& setup, std::vector<std::uint8_t>& data);
  int download(const ControlSetup& setup, const std::vector<std::uint8_t>& data);
  int get_status(std::vector<std::uint8_t>& data);

  BlueCoreDfuOptions m_options;
  std::shared_ptr<HidModel> m_hid;
  std::shared_ptr<BlueCoreModel> m_bluecore;
  BlueCoreDfuPhase m_phase;
  BlueCoreDfuPhase m_next_phase;
  std::uint8_t m_state = 0;
  std::uint8_t m_status = 0;
  int m_busy_left = 0;
  int m_bad_status_left = 0;
  int m_failing_downloads_left = 0;
  std::vector<Block> m_blocks;
  std::optional<std::uint16_t> m_final_block;
  int m_resets = 0;
  int m_request_7 = 0;
};

// The 0x6020 flow with the download-mode device reporting 0x02A3 = `reported`
// and version record `version` (V = major x 10 + minor) in 0x02A4.
BlueCoreDfuOptions bluecore_dfu_fixture_6020(std::uint16_t version, std::uint16_t reported = 0x6020);
// A device already in DFU mode as `dfu_product_id`, back as `return_product_id`.
BlueCoreDfuOptions bluecore_dfu_fixture_in_dfu_mode(std::uint16_t dfu_product_id, std::uint16_t return_product_id);
// An older BlueCore model in its normal mode: the HCI device `bluecore` (its
// id and persistent store) beside a run-time DFU interface, in DFU mode as
// that id with bit 15 set, back as the same id.
BlueCoreDfuOptions bluecore_dfu_fixture_normal_mode(BlueCoreModelOptions bluecore);

// Builds the device for VEXLINK_SIM ("bluecoredfu:0x6020,fw=1.2"): an id with
// bit 15 starts in DFU mode, any other on HID, or with `normal` as the
// BlueCore model of that id in its normal mode (the bluecore fixture of the
// id where one exists). Options: fw=M.m (0x02A4),
// pid=0xPID (0x02A3), busy=N|forever, poll=MS (manifestation bwPollTimeout),
// error_at=N, failures=N (refused blocks), nodetach, noreenum, b020 (re-enumerates
// as 0xB020), noreturn, shortstatus=N (status and state replies of N bytes),
// shortfrom=N (... once N blocks are held).
std::shared_ptr<Model> make_bluecore_dfu_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                               std::string& error);

}  // namespace sim
