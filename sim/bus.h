#pragma once
// The one simulated USB bus. Tests attach device models to it; the hidapi
// (and, in the same way, libusb) stand-ins read and write through it. Time on
// the bus is the platform clock: a device that leaves for 5 s is back once the
// clock has moved 5 s. All functions are safe to call from several threads.
#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "sim/model.h"
#include "sim/usb_identity.h"

namespace sim {

// Plugs `model` in; it appears on the bus after `arrival_delay`.
void attach_model(std::shared_ptr<Model> model, std::chrono::milliseconds arrival_delay = std::chrono::milliseconds(0));
// Plugs `model` in and hands it back, so a test keeps it to check its traffic.
template <class M>
std::shared_ptr<M> attach(std::shared_ptr<M> model, std::chrono::milliseconds arrival_delay = std::chrono::milliseconds(0)) {
  attach_model(model, arrival_delay);
  return model;
}
// Unplugs `model` now; handles to it go stale.
void detach(const Model& model);
// Unplugs every device and forgets every open handle (between tests).
void reset();

// A device present on the bus. The address changes each time it (re)appears.
struct BusDevice {
  int address = 0;
  Identity identity;
  std::shared_ptr<Model> model;
};
// Present devices in the order they were attached.
std::vector<BusDevice> devices();
// Handles opened and not closed yet, stale ones included.
int open_handle_count();

// How long a read without a time-out waits on a device with nothing to say
// before it fails, so a broken test fails instead of hanging.
inline constexpr std::chrono::milliseconds k_unanswered_read_limit{1000};

enum class IoStatus { ok, timed_out, gone, refused, io_error, stalled };
struct IoResult {
  IoStatus status = IoStatus::ok;
  int bytes = 0;
};
// English text for an I/O status, as a driver would report it.
const char* describe(IoStatus status);

// Device side of the host libraries' functions. `address` names the device as
// it was enumerated; once it has left the bus every call answers IoStatus::gone.
IoStatus open_interface(int address, int interface_number, int& handle_id);
void close_interface(int handle_id);
// Claims an interface of an open device: 0, ENODEV once the device has left,
// or the errno the model refuses it with.
int claim_interface(int address, int interface_number);
IoResult write_interrupt(int address, int interface_number, std::span<const std::uint8_t> report);
// Reads the next input report into `buffer` (cut to its size). Without a
// time-out the read gives up after k_unanswered_read_limit.
IoResult read_interrupt(int address, int interface_number, std::span<std::uint8_t> buffer,
                        std::optional<std::chrono::milliseconds> timeout);
// A transfer on the default control pipe; `data` is the data stage in either
// direction. The device records `timeout`, the host's limit for the transfer.
IoResult control_transfer(int address, const ControlSetup& setup, std::span<std::uint8_t> data,
                          std::optional<std::chrono::milliseconds> timeout = std::nullopt);

}  // namespace sim
