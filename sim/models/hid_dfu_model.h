#pragma once
// A device that takes a DFU download over HID feature reports: DNLOAD blocks
// (report 1), GETSTATUS (report 2, read) and CLRSTATUS or abort (report 3 with
// request 4 or 0xFF). It keeps every block it received.
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/model.h"
#include "sim/sim_env.h"

namespace sim {

struct HidDfuModelOptions {
  std::uint16_t product_id = 0x6020;
  std::vector<HidCollection> collections{k_vendor_collection};
  std::uint32_t poll_timeout_ms = 5;  // bwPollTimeout in every status
  // Faults, each off by default.
  int busy_polls = 0;                   // after each block, polls answered dfuDNBUSY before dfuDNLOAD-IDLE
  std::optional<int> error_at_poll{};   // this status poll (1 = first) finds the device in dfuERROR
  bool clear_status_fails = false;      // CLRSTATUS leaves the device in dfuERROR
  std::optional<int> fail_report{};     // this feature report transfer (1 = first) fails
  std::optional<std::uint8_t> state_after_block{};  // state reported once a block is taken, instead of 5
  Faults faults{};
};

class HidDfuModel : public Model {
 public:
  struct Block {
    std::uint16_t number = 0;
    std::vector<std::uint8_t> payload;
  };

  explicit HidDfuModel(HidDfuModelOptions options = {});

  // Blocks received in order, the closing empty block included.
  std::vector<Block> blocks() const;
  // The payloads joined in block order.
  std::vector<std::uint8_t> image() const;
  int status_polls() const;
  int clear_status_requests() const;
  int abort_requests() const;
  std::uint8_t state() const;

  int on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) override;

 private:
  int set_report(const std::vector<std::uint8_t>& report);
  int get_status(std::vector<std::uint8_t>& data);

  HidDfuModelOptions m_options;
  std::vector<Block> m_blocks;
  std::uint8_t m_state = 2;  // dfuIDLE
  std::uint8_t m_status = 0;
  int m_busy_left = 0;
  int m_reports = 0;
  int m_polls = 0;
  int m_clear_status = 0;
  int m_aborts = 0;
};

// Builds a HID DFU device for VEXLINK_SIM ("hiddfu:0x6020,busy=2"). Options:
// busy=N (polls), error_at=N (poll), poll=MS (bwPollTimeout), fail_report=N.
std::shared_ptr<Model> make_hid_dfu_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                          std::string& error);

}  // namespace sim
