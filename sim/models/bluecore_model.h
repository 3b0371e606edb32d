#pragma once
// A device built on a BlueCore chip, attached as a Bluetooth HCI device: it
// takes BCCMD requests in HCI vendor commands on the control pipe and answers
// each with one HCI vendor event on the interrupt endpoint 0x81, from a
// persistent store of keys (PS keys) that writes change. A device in
// firmware-management mode (product id with bit 15) also shows a DFU interface.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/model.h"
#include "sim/sim_env.h"

namespace sim {

// BCCMD status of an answer.
inline constexpr std::uint16_t k_bccmd_ok = 0;
inline constexpr std::uint16_t k_bccmd_no_such_varid = 1;
inline constexpr std::uint16_t k_bccmd_no_value = 3;
inline constexpr std::uint16_t k_bccmd_error = 8;

// One BCCMD request as the device received it.
struct BccmdRequest {
  std::uint16_t type = 0;  // 0 GETREQ, 2 SETREQ
  std::uint16_t words = 0;
  std::uint16_t sequence = 0;
  std::uint16_t varid = 0;
  std::vector<std::uint8_t> payload;  // (words - 5) x 2 bytes, as far as the packet carries them
  // The PS key a persistent-store request names (payload bytes 0 and 1).
  std::uint16_t key() const;
};
// The request in the data stage of an HCI vendor command; none when the bytes
// are not a BCCMD request.
std::optional<BccmdRequest> parse_bccmd_request(std::span<const std::uint8_t> packet);

// A PS key write the device took.
struct PsWrite {
  std::uint16_t key = 0;
  std::vector<std::uint16_t> words;
  bool operator==(const PsWrite&) const = default;
};

struct BlueCoreModelOptions {
  std::uint16_t product_id = 0x4D10;
  // The persistent store: key -> words.
  std::map<std::uint16_t, std::vector<std::uint16_t>> ps_keys{};
  // Every request on these keys is answered with status ERROR.
  std::set<std::uint16_t> failing_keys{};
  // Writes of these keys are refused with status ERROR; their reads answer as usual.
  std::set<std::uint16_t> refused_writes{};
  // Unrelated vendor events the device sends after every answer.
  int extra_events = 0;
  // Bytes of noise appended to every answer, so it is longer than any answer can be.
  int oversized_bytes = 0;
  // The answer arrives in pieces of this many bytes (0: in one piece).
  int event_piece_bytes = 0;
  // Generic faults: silent (requests taken, never answered), short_reply_bytes
  // (each piece cut), write_error (control transfers fail), refuse_open,
  // descriptor_error, claim_errno and claim_failures.
  Faults faults{};
};

class BlueCoreModel : public Model {
 public:
  explicit BlueCoreModel(BlueCoreModelOptions options);

  // The words of a key (none when the store lacks it).
  std::optional<std::vector<std::uint16_t>> ps_key(std::uint16_t key) const;
  void set_ps_key(std::uint16_t key, std::vector<std::uint16_t> words);
  void set_failing_keys(std::set<std::uint16_t> keys);
  void set_refused_writes(std::set<std::uint16_t> keys);
  // Every PS write the device took, in order (kept when the traffic is taken).
  std::vector<PsWrite> ps_writes() const;
  // The BCCMD requests received, taken from the record as take_received() does.
  std::vector<BccmdRequest> take_requests();
  // Sends an event nobody asked for (debug output of the chip on another channel).
  void queue_stray_event();

  int on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) override;

 private:
  std::uint16_t answer(const BccmdRequest& request, std::vector<std::uint8_t>& payload);
  void send_event(const BccmdRequest& request, std::uint16_t status, const std::vector<std::uint8_t>& payload);

  BlueCoreModelOptions m_options;
  std::vector<PsWrite> m_ps_writes;
};

// Key contents as the chip stores them.
// Bluetooth device address: LAP (lower 24 bits), UAP and NAP.
std::vector<std::uint16_t> bdaddr_key(std::uint32_t lap, std::uint8_t uap = 0x5B, std::uint16_t nap = 0x0002);
// Text, two bytes a word, low byte first.
std::vector<std::uint16_t> text_key(std::string_view text);
// Version record 0x02A4: version V (V / 10 . V % 10), secondary type and number.
std::vector<std::uint16_t> version_record_key(std::uint16_t version, std::uint8_t secondary_type = 0,
                                              std::uint8_t secondary = 0);
// A speed dial: 20 characters of 16 bits.
std::vector<std::uint16_t> speed_dial_key(std::string_view number);

// Well-known keys.
inline constexpr std::uint16_t k_ps_bdaddr = 0x0001;
inline constexpr std::uint16_t k_ps_device_name = 0x0108;
inline constexpr std::uint16_t k_ps_product_id = 0x02A3;
inline constexpr std::uint16_t k_ps_version_record = 0x02A4;
inline constexpr std::uint16_t k_ps_version = 0x0293;

// Fixtures.
// 0x4D10 "XA9" at version 4.3 (0x02A4 43, 0x0293 43), settings word 654, three speed dials.
BlueCoreModelOptions bluecore_fixture_4d10();
// 0x5040 at 4.2 with settings word 654 and the FM block 671 (magic 0x56E9).
BlueCoreModelOptions bluecore_fixture_5040();
// 0x5210 (no version record: 1.0) with transmit gain 684 = 15 and time-out 682 = 30000 ms.
BlueCoreModelOptions bluecore_fixture_5210();
// 0x4D35 (no version record: 1.2) whose address is one above 2DD49E, settings word 654.
BlueCoreModelOptions bluecore_fixture_4d35();
// The camera 0x3020 at 1.5 with secondary 2.3.
BlueCoreModelOptions bluecore_fixture_3020();
// The two USB devices of one 0x5310 unit: same identity, two addresses.
std::array<BlueCoreModelOptions, 2> bluecore_fixture_5310_pair();
// 0x4D10 in firmware-management mode (0xCD10).
BlueCoreModelOptions bluecore_fixture_cd10();
// A Y350-family device in firmware-management mode (0xE020).
BlueCoreModelOptions bluecore_fixture_e020();
// 0x6021, whose product-id key holds 0x6020.
BlueCoreModelOptions bluecore_fixture_6021();
// The fixture of `product_id` where one exists, else a device that reports
// its id (no key at all with bit 15 set).
BlueCoreModelOptions bluecore_fixture_of(std::uint16_t product_id);

// Builds a BlueCore device for VEXLINK_SIM ("bluecore:0x4D10"): the fixture of
// that id, or a device that reports its id and stores nothing else. Options:
// pid=0xPID|none (key 0x02A3), name=TEXT, address=0xLAP, fw=M.m (key 0x02A4),
// psKEY=W:W:... (any key, numbers decimal or 0x-hex), failkey=KEY,
// refusekey=KEY (its writes refused), silent,
// short=N (bytes per event piece), pieces=N, extra=N, oversize=N, stall
// (control transfers fail), refuse (open refused), nodescriptor,
// claim=ebusy|enoent, claimfailures=N.
std::shared_ptr<Model> make_bluecore_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                           std::string& error);

}  // namespace sim
