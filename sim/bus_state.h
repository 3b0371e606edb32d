#pragma once
// The bus's own side: what the free functions of sim/bus.h and Model's
// protected members call. Only the bus and Model use this header.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "sim/bus.h"

namespace sim {

class Bus {
 public:
  // Guards the bus and every model's record; models are called with it held.
  static std::recursive_mutex& mutex();

  static void attach(std::shared_ptr<Model> model, std::chrono::milliseconds arrival_delay);
  static void detach(const Model& model);
  static void reset();
  static std::vector<BusDevice> devices();
  static int open_handle_count();
  static IoStatus open_interface(int address, int interface_number, int& handle_id);
  static void close_interface(int handle_id);
  static int claim_interface(int address, int interface_number);
  static IoResult write_interrupt(int address, int interface_number, std::span<const std::uint8_t> report);
  static IoResult read_interrupt(int address, int interface_number, std::span<std::uint8_t> buffer,
                                 std::optional<std::chrono::milliseconds> timeout);
  static IoResult take_input(int address, int interface_number, std::span<std::uint8_t> buffer);
  static bool input_ready(int address, int interface_number);
  static IoResult control_transfer(int address, const ControlSetup& setup, std::span<std::uint8_t> data,
                                   std::optional<std::chrono::milliseconds> timeout);
  static IoStatus reset_device(int address);

  static bool present(const Model& model);
  static bool present(int address);
  static void queue_input(Model& model, int interface_number, std::vector<std::uint8_t> report,
                          std::chrono::milliseconds delay);
  static void clear_input(Model& model);
  static void change_identity(Model& model, Identity next, std::chrono::milliseconds leave_in,
                              std::chrono::milliseconds absent_for);
  static void leave(Model& model);
  static void leave_in(Model& model, std::chrono::milliseconds delay);

 // One attached device, present or not; defined in bus.cpp.
  struct Entry;

 private:
  static Entry* find_present(int address);
  static Entry* find(const Model& model);
  static void settle();
  static void depart(Entry& entry);
  // Hands the first queued report of the interface to the host if it is ready
  // now; none when nothing is ready (the device is present).
  static std::optional<IoResult> take_ready(Entry& entry, int interface_number, std::span<std::uint8_t> buffer);
  // Records what the host sent; false when that report made the device vanish.
  static bool record(Entry& entry, ReceivedReport report, bool counts_as_report);
};

}  // namespace sim
