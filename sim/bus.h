#pragma once
// The one simulated USB bus. Tests attach device models to it; an adapter
// (the hidapi and libusb stand-ins of vx_sim, or the emulated kernel nodes of
// vx_umock) reads and writes through it. Time on the bus is the platform
// clock: a device that leaves for 5 s is back once the clock has moved 5 s.
// All functions are safe to call from several threads.
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
// Unplugs every device and forgets every open handle, and clears what the
// adapter carrying the bus to the host libraries keeps (between tests). Each
// adapter (vx_sim, vx_umock) defines it over reset_bus().
void reset();
// The bus's part of reset(): unplugs every device and forgets every handle.
void reset_bus();

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

// True while the device enumerated at `address` is on the bus.
bool present(int address);

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
// Takes the next input report that is ready now, without waiting: ok with its
// bytes (cut to `buffer`), timed_out when none is ready, gone once the device
// has left. For adapters whose host side waits on its own (poll on a node).
IoResult take_input(int address, int interface_number, std::span<std::uint8_t> buffer);
// True while the interface has an input report ready to be read.
bool input_ready(int address, int interface_number);
// A transfer on the default control pipe; `data` is the data stage in either
// direction. The device records `timeout`, the host's limit for the transfer.
IoResult control_transfer(int address, const ControlSetup& setup, std::span<std::uint8_t> data,
                          std::optional<std::chrono::milliseconds> timeout = std::nullopt);
// A port reset of the device: gone once it has left the bus, else ok (the
// model decides what the reset does, Model::on_reset).
IoStatus reset_device(int address);

}  // namespace sim
