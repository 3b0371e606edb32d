#pragma once
// A USB DFU 1.1 device: class requests to its DFU interface on the default
// control pipe. In run-time mode (DfuInterface::run_time) it is appIDLE and
// takes DFU_DETACH; in DFU mode it runs the DFU state machine:
// blocks are downloaded into dfuDNLOAD-SYNC, the status poll after a block
// finds dfuDNBUSY with bwPollTimeout, a poll once that time has passed finds
// dfuDNLOAD-IDLE, the empty block starts manifestation, uploads read its
// upload image, and a request the state does not allow stalls and leaves the
// device in dfuERROR (errSTALLEDPKT) until DFU_CLRSTATUS. Every setup packet
// and its time-out is in the record of sim::Model.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/model.h"
#include "sim/sim_env.h"

namespace sim {

// DFU 1.1 class requests (bRequest).
enum DfuRequest : std::uint8_t {
  k_dfu_detach = 0,
  k_dfu_dnload = 1,
  k_dfu_upload = 2,
  k_dfu_getstatus = 3,
  k_dfu_clrstatus = 4,
  k_dfu_getstate = 5,
  k_dfu_abort = 6,
};

// DFU 1.1 device states (bState).
enum DfuState : std::uint8_t {
  k_app_idle = 0,
  k_app_detach = 1,
  k_dfu_idle = 2,
  k_dfu_dnload_sync = 3,
  k_dfu_dnbusy = 4,
  k_dfu_dnload_idle = 5,
  k_dfu_manifest_sync = 6,
  k_dfu_manifest = 7,
  k_dfu_manifest_wait_reset = 8,
  k_dfu_upload_idle = 9,
  k_dfu_error = 10,
};

// DFU 1.1 status codes (bStatus) the model reports.
inline constexpr std::uint8_t k_dfu_status_ok = 0x00;
inline constexpr std::uint8_t k_dfu_status_err_write = 0x03;
inline constexpr std::uint8_t k_dfu_status_err_stalled_packet = 0x0F;

// A fault of the DFU models: GETSTATUS and GETSTATE replies carry only `bytes`
// bytes (fewer than the 6 and 1 the host asks for) once the device holds
// `from_block` data blocks; the device's own state goes on as without it.
struct ShortStatusReplies {
  std::size_t bytes = 0;
  int from_block = 0;
};

// Applies `fault` to the reply `data` of `setup` (whose handler returned
// `result`) of a device holding `blocks` blocks; returns the bytes answered.
int cut_status_reply(const std::optional<ShortStatusReplies>& fault, const ControlSetup& setup, std::size_t blocks,
                     std::vector<std::uint8_t>& data, int result);
// The fault in `option`, switched on (empty replies from the start) if it was off.
ShortStatusReplies& short_status_fault(std::optional<ShortStatusReplies>& option);

struct DfuModelOptions {
  std::uint16_t vendor_id = 0xF3A7;
  std::uint16_t product_id = 0xE020;
  // Interface number, protocol (0 as a BlueCore boot loader shows it), run-time
  // or DFU mode, attributes, transfer size.
  DfuInterface dfu{};
  // bwPollTimeout of the status after a block and during manifestation, in ms.
  std::uint32_t poll_timeout_ms = 20;
  // What DFU_UPLOAD reads, block after block.
  std::vector<std::uint8_t> upload_image{};
  // Faults, each off by default.
  std::optional<int> fail_request{};       // this class request (1 = first) fails as a transfer (stalls)
  std::optional<int> error_after_block{};  // the poll after this block (1 = first) finds dfuERROR ...
  std::uint8_t error_status = k_dfu_status_err_write;  // ... with this bStatus
  std::optional<ShortStatusReplies> short_status{};
  // Generic faults: busy_replies (polls after each block that still find
  // dfuDNBUSY), busy_forever (the device never leaves dfuDNBUSY), fail_status
  // (every status carries this bStatus), read_error and write_error (transfers
  // fail), refuse_open, descriptor_error, claim_errno and claim_failures.
  Faults faults{};
};

class DfuModel : public Model {
 public:
  struct Block {
    std::uint16_t number = 0;
    std::vector<std::uint8_t> payload;
  };

  explicit DfuModel(DfuModelOptions options = {});

  // Blocks downloaded in order (the empty closing block is not one).
  std::vector<Block> blocks() const;
  // The payloads joined in download order.
  std::vector<std::uint8_t> image() const;
  std::uint8_t state() const;
  std::uint8_t status() const;
  // Requests with bRequest 7, which the BlueCore boot loader takes without a state change.
  int request_7_count() const;

  int on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) override;
  // The device (re)appears: run-time mode starts in appIDLE, DFU mode in dfuIDLE.
  void on_arrival() override;

 protected:
  // DFU_DETACH in run-time mode: the device waits in appDETACH for the reset
  // (or, for a device that detaches by itself, leaves the bus through
  // change_identity and comes back in DFU mode).
  virtual void on_detach(std::chrono::milliseconds detach_timeout);
  void set_state(std::uint8_t state) { m_state = state; }

 private:
  int answer(const ControlSetup& setup, std::vector<std::uint8_t>& data);
  int run_time_request(const ControlSetup& setup, std::vector<std::uint8_t>& data);
  int download(const ControlSetup& setup, const std::vector<std::uint8_t>& data);
  int upload(const ControlSetup& setup, std::vector<std::uint8_t>& data);
  int get_status(std::vector<std::uint8_t>& data);
  // A request the state does not allow: dfuERROR (errSTALLEDPKT), stall.
  int protocol_fault();

  DfuModelOptions m_options;
  std::vector<Block> m_blocks;
  std::uint8_t m_state = k_dfu_idle;
  std::uint8_t m_status = k_dfu_status_ok;
  int m_requests = 0;
  int m_busy_left = 0;
  // a status poll before this time finds the device still busy with the block or manifestation
  platform::Clock::time_point m_busy_until{};
  std::size_t m_upload_offset = 0;
  int m_request_7 = 0;
};

// Builds a DFU device for VEXLINK_SIM ("dfu:0xE020,busy=2"). Options:
// runtime (run-time mode), protocol=N (interface protocol), interface=N, poll=MS (bwPollTimeout),
// busy=N|forever, error_at=N (block), status=N (bStatus of every status),
// fail=N (request that stalls), stall (every transfer fails), refuse,
// nodescriptor, claim=ebusy|enoent, claimfailures=N, shortstatus=N (status
// and state replies of N bytes), shortfrom=N (... once N blocks are held).
std::shared_ptr<Model> make_dfu_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                      std::string& error);

}  // namespace sim
