#pragma once
// Base of every simulated device. A model answers the protocol of one device
// family; the bus hands it what the host sends, records all of it, and applies
// the faults the test asked for.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/clock.h"
#include "sim/usb_identity.h"

namespace sim {

// Faults a test asks for; each defaults to a healthy device. Set them when
// constructing the model or later through Model::set_faults.
struct Faults {
  int busy_replies = 0;                        // answer "busy" this many times before answering
  std::optional<std::uint8_t> fail_status{};   // every answer carries this failure status
  bool write_error = false;                    // the host's writes fail
  bool read_error = false;                     // the host's reads fail
  int word_count_offset = 0;                   // added to the word count of block replies (short or oversized)
  bool refuse_open = false;                    // opening any interface fails
  int vanish_after = 0;                        // leaves the bus for good after this many reports (0: never)
  bool never_return = false;                   // a device that leaves to change identity never comes back
  bool silent = false;                         // takes every command and never answers (the host's reads time out)
  bool busy_forever = false;                   // answers every command "busy", again and again, and never answers it
  int short_reply_bytes = 0;                   // replies to the host carry only this many bytes (0: whole replies)
  bool descriptor_error = false;               // its descriptors cannot be read: libusb-1.0 does not list it, libusb-0.1 lists it with an empty configuration
  int claim_errno = 0;                         // claiming an interface fails with this errno (ENOENT, EBUSY)
  int claim_failures = 0;                      // ... this many times, then claims succeed (0: always fails)
};

enum class TrafficKind { interrupt_out, control };

// One transfer the host sent to the device, as the device saw it.
struct ReceivedReport {
  TrafficKind kind = TrafficKind::interrupt_out;
  int interface_number = 0;
  std::optional<ControlSetup> setup{};   // control transfers only
  std::vector<std::uint8_t> bytes{};     // report or data stage sent by the host
  platform::Clock::time_point time{};
  // The time-out the host gave a control transfer (none: the library's own, or no limit).
  std::optional<std::chrono::milliseconds> timeout{};
};

class Model {
 public:
  explicit Model(Identity identity, Faults faults = {});
  virtual ~Model();
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // The identity the device shows (or will show when it comes back).
  Identity identity() const;
  Faults faults() const;
  void set_faults(const Faults& faults);
  // True while the device is on the bus.
  bool present() const;
  // Everything the device received since attach or the last take_received().
  std::vector<ReceivedReport> received() const;
  // Returns the record and forgets it, so a test can check its traffic step by step.
  std::vector<ReceivedReport> take_received();
  // Output reports received (interrupt OUT), taken from the record as take_received() does.
  std::vector<std::vector<std::uint8_t>> take_output_reports();
  // Input reports the host has read from the device so far.
  int input_reports_read() const;
  // Interfaces the host tried to claim, in order, successful or not.
  std::vector<int> claim_attempts() const;

  // Called by the bus with its lock held.
  // Opening an interface; false refuses it.
  virtual bool on_open(int interface_number);
  virtual void on_close(int interface_number);
  // Claiming an interface: 0, or the errno that refuses it. The default
  // applies Faults::claim_errno and refuses interfaces the identity lacks.
  virtual int on_claim(int interface_number);
  // A report on the interrupt OUT pipe (hid_write).
  virtual void on_interrupt_out(int interface_number, std::span<const std::uint8_t> report);
  // A control transfer. For device-to-host requests fill `data` (at most
  // setup.length bytes). Returns the bytes transferred, or -1 to stall.
  virtual int on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data);
  // The device has (re)appeared on the bus with identity().
  virtual void on_arrival();
  // The host has read `report` from the interface's interrupt IN pipe.
  virtual void on_input_read(int interface_number, std::span<const std::uint8_t> report);
  // The host reset the device (USBDEVFS_RESET); what the device does then is its own.
  virtual void on_reset();

  // Makes this model answer inside `host`, a device that changes family as it
  // changes mode: what it queues, and the identity changes it asks for, act on
  // the host's place on the bus. The host hands it the traffic of its mode.
  void set_host(Model* host) { m_host = host; }

 protected:
  // Queues an input report on the interface's interrupt IN pipe, readable once
  // `delay` has passed on the platform clock.
  void queue_input_report(int interface_number, std::vector<std::uint8_t> report,
                          std::chrono::milliseconds delay = std::chrono::milliseconds(0));
  // Drops every input report not yet read.
  void clear_input_reports();
  // Leaves the bus after `leave_in` and comes back as `next` after a further
  // `absent_for` (never, under Faults::never_return). Handles opened before go stale.
  void change_identity(Identity next, std::chrono::milliseconds leave_in, std::chrono::milliseconds absent_for);
  // Leaves the bus for good.
  void leave_bus();
  // Leaves the bus for good once `delay` has passed, so the host can still
  // read what the device queued before it goes.
  void leave_bus_in(std::chrono::milliseconds delay);

 private:
  friend class Bus;
  // The model whose place on the bus this one acts on.
  Model& place() { return m_host != nullptr ? *m_host : *this; }
  const Model& place() const { return m_host != nullptr ? *m_host : *this; }
  Model* m_host = nullptr;
  Identity m_identity;
  Faults m_faults;
  std::vector<ReceivedReport> m_received;
  int m_reports_counted = 0;
  int m_input_reports_read = 0;
  std::vector<int> m_claim_attempts;
  int m_claims_refused = 0;
};

}  // namespace sim
