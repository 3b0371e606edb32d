#include "sim/bus.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <map>
#include <set>
#include <utility>

#include "platform/clock.h"
#include "sim/bus_state.h"

namespace sim {

using std::chrono::milliseconds;
using time_point = platform::Clock::time_point;

struct Bus::Entry {
  struct QueuedReport {
    std::vector<std::uint8_t> bytes;
    time_point ready_at;
  };
  struct Arrival {
    time_point at;
    Identity identity;
  };

  std::shared_ptr<Model> model;
  int address = 0;  // 0 while off the bus
  std::optional<time_point> leave_at;
  std::optional<Arrival> arrival;
  std::map<int, std::deque<QueuedReport>> input;  // by interface number
};

namespace {

struct State {
  std::recursive_mutex mutex;
  std::vector<std::unique_ptr<Bus::Entry>> entries;
  int next_address = 1;
  int next_handle = 1;
  std::map<int, std::pair<int, int>> handles;  // handle id -> address, interface
};

State& state() {
  static State instance;
  return instance;
}

// Sleeps on the platform clock with the bus unlocked, so other threads and
// the device's own schedule go on meanwhile.
void sleep_unlocked(std::unique_lock<std::recursive_mutex>& lock, milliseconds duration) {
  lock.unlock();
  platform::sleep_for(duration);
  lock.lock();
}

// Bytes of a reply that reach the host: all of them unless the device cuts its replies short.
std::size_t cut_reply(const Model& model, std::size_t reply_bytes) {
  const int cut = model.faults().short_reply_bytes;
  return cut > 0 ? std::min(reply_bytes, static_cast<std::size_t>(cut)) : reply_bytes;
}

milliseconds until(time_point when) {
  return std::max(milliseconds(0), std::chrono::ceil<milliseconds>(when - platform::now()));
}

}  // namespace

std::recursive_mutex& Bus::mutex() { return state().mutex; }

Bus::Entry* Bus::find_present(int address) {
  if (address == 0) return nullptr;
  for (auto& entry : state().entries) {
    if (entry->address == address) return entry.get();
  }
  return nullptr;
}

Bus::Entry* Bus::find(const Model& model) {
  for (auto& entry : state().entries) {
    if (entry->model.get() == &model) return entry.get();
  }
  return nullptr;
}

void Bus::depart(Entry& entry) {
  entry.address = 0;
  entry.leave_at.reset();
  entry.input.clear();
}

// Applies the departures and arrivals whose time has come.
void Bus::settle() {
  const time_point now = platform::now();
  for (auto& entry : state().entries) {
    if (entry->leave_at && *entry->leave_at <= now) depart(*entry);
    if (entry->address == 0 && entry->arrival && entry->arrival->at <= now) {
      entry->model->m_identity = std::move(entry->arrival->identity);
      entry->arrival.reset();
      entry->address = state().next_address++;
      entry->model->on_arrival();
    }
  }
}

bool Bus::record(Entry& entry, ReceivedReport report, bool counts_as_report) {
  Model& model = *entry.model;
  report.time = platform::now();
  model.m_received.push_back(std::move(report));
  if (!counts_as_report) return true;
  ++model.m_reports_counted;
  if (model.m_faults.vanish_after > 0 && model.m_reports_counted >= model.m_faults.vanish_after) {
    depart(entry);
    entry.arrival.reset();
    return false;
  }
  return true;
}

void Bus::attach(std::shared_ptr<Model> model, milliseconds arrival_delay) {
  std::lock_guard lock(mutex());
  if (!model || find(*model) != nullptr) return;
  auto entry = std::make_unique<Entry>();
  entry->model = std::move(model);
  entry->arrival = Entry::Arrival{platform::now() + arrival_delay, entry->model->m_identity};
  state().entries.push_back(std::move(entry));
}

void Bus::detach(const Model& model) {
  std::lock_guard lock(mutex());
  auto& entries = state().entries;
  entries.erase(std::remove_if(entries.begin(), entries.end(), [&](const auto& entry) { return entry->model.get() == &model; }),
                entries.end());
}

void Bus::reset() {
  std::lock_guard lock(mutex());
  state().entries.clear();
  state().handles.clear();
}

std::vector<BusDevice> Bus::devices() {
  std::lock_guard lock(mutex());
  settle();
  std::vector<BusDevice> present;
  for (auto& entry : state().entries) {
    if (entry->address != 0) present.push_back({entry->address, entry->model->m_identity, entry->model});
  }
  return present;
}

int Bus::open_handle_count() {
  std::lock_guard lock(mutex());
  return static_cast<int>(state().handles.size());
}

IoStatus Bus::open_interface(int address, int interface_number, int& handle_id) {
  std::lock_guard lock(mutex());
  settle();
  Entry* entry = find_present(address);
  if (entry == nullptr) return IoStatus::gone;
  if (entry->model->m_faults.refuse_open || !entry->model->on_open(interface_number)) return IoStatus::refused;
  handle_id = state().next_handle++;
  state().handles[handle_id] = {address, interface_number};
  return IoStatus::ok;
}

void Bus::close_interface(int handle_id) {
  std::lock_guard lock(mutex());
  const auto handle = state().handles.find(handle_id);
  if (handle == state().handles.end()) return;
  const auto [address, interface_number] = handle->second;
  state().handles.erase(handle);
  settle();
  if (Entry* entry = find_present(address)) entry->model->on_close(interface_number);
}

int Bus::claim_interface(int address, int interface_number) {
  std::lock_guard lock(mutex());
  settle();
  Entry* entry = find_present(address);
  if (entry == nullptr) return ENODEV;
  return entry->model->on_claim(interface_number);
}

IoResult Bus::write_interrupt(int address, int interface_number, std::span<const std::uint8_t> report) {
  std::lock_guard lock(mutex());
  settle();
  Entry* entry = find_present(address);
  if (entry == nullptr) return {IoStatus::gone};
  if (entry->model->m_faults.write_error) return {IoStatus::io_error};
  const int length = static_cast<int>(report.size());
  if (!record(*entry, {TrafficKind::interrupt_out, interface_number, std::nullopt, {report.begin(), report.end()}, {}},
              true)) {
    return {IoStatus::ok, length};
  }
  entry->model->on_interrupt_out(interface_number, report);
  return {IoStatus::ok, length};
}

std::optional<IoResult> Bus::take_ready(Entry& entry, int interface_number, std::span<std::uint8_t> buffer) {
  if (entry.model->m_faults.read_error) return IoResult{IoStatus::io_error};
  auto& queue = entry.input[interface_number];
  if (queue.empty() || queue.front().ready_at > platform::now()) return std::nullopt;
  const std::vector<std::uint8_t> report = std::move(queue.front().bytes);
  queue.pop_front();
  const std::size_t copied = std::min(cut_reply(*entry.model, report.size()), buffer.size());
  std::copy_n(report.begin(), copied, buffer.begin());
  ++entry.model->m_input_reports_read;
  entry.model->on_input_read(interface_number, report);
  return IoResult{IoStatus::ok, static_cast<int>(copied)};
}

IoResult Bus::read_interrupt(int address, int interface_number, std::span<std::uint8_t> buffer,
                             std::optional<milliseconds> timeout) {
  std::unique_lock lock(mutex());
  settle();
  const time_point deadline = platform::now() + timeout.value_or(k_unanswered_read_limit);
  for (;;) {
    Entry* entry = find_present(address);
    if (entry == nullptr) return {IoStatus::gone};
    if (const std::optional<IoResult> taken = take_ready(*entry, interface_number, buffer)) return *taken;
    const auto& queue = entry->input[interface_number];
    if (queue.empty() || queue.front().ready_at > deadline) {
      sleep_unlocked(lock, until(deadline));
      settle();
      return {IoStatus::timed_out};
    }
    sleep_unlocked(lock, until(queue.front().ready_at));
    settle();
  }
}

IoResult Bus::take_input(int address, int interface_number, std::span<std::uint8_t> buffer) {
  std::lock_guard lock(mutex());
  settle();
  Entry* entry = find_present(address);
  if (entry == nullptr) return {IoStatus::gone};
  return take_ready(*entry, interface_number, buffer).value_or(IoResult{IoStatus::timed_out});
}

bool Bus::input_ready(int address, int interface_number) {
  std::lock_guard lock(mutex());
  settle();
  Entry* entry = find_present(address);
  if (entry == nullptr) return false;
  const auto queue = entry->input.find(interface_number);
  return queue != entry->input.end() && !queue->second.empty() && queue->second.front().ready_at <= platform::now();
}

IoResult Bus::control_transfer(int address, const ControlSetup& setup, std::span<std::uint8_t> data,
                               std::optional<milliseconds> timeout) {
  std::lock_guard lock(mutex());
  settle();
  Entry* entry = find_present(address);
  if (entry == nullptr) return {IoStatus::gone};
  const Faults& faults = entry->model->m_faults;
  if (setup.device_to_host() ? faults.read_error : faults.write_error) return {IoStatus::io_error};
  const std::size_t stage = std::min<std::size_t>(data.size(), setup.length);
  std::vector<std::uint8_t> bytes;
  if (!setup.device_to_host()) bytes.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(stage));
  // Requests to an interface name it in the low byte of wIndex.
  const int interface_number = (setup.request_type & 0x1F) == 1 ? (setup.index & 0xFF) : -1;
  if (!record(*entry, {TrafficKind::control, interface_number, setup, bytes, {}, timeout}, !setup.device_to_host())) {
    return {IoStatus::ok, static_cast<int>(stage)};
  }
  const int result = entry->model->on_control_transfer(setup, bytes);
  if (result < 0) return {IoStatus::stalled};
  if (!setup.device_to_host()) return {IoStatus::ok, static_cast<int>(stage)};
  const std::size_t copied =
      std::min({cut_reply(*entry->model, bytes.size()), stage, static_cast<std::size_t>(result)});
  std::copy_n(bytes.begin(), copied, data.begin());
  return {IoStatus::ok, static_cast<int>(copied)};
}

IoStatus Bus::reset_device(int address) {
  std::lock_guard lock(mutex());
  settle();
  Entry* entry = find_present(address);
  if (entry == nullptr) return IoStatus::gone;
  entry->model->on_reset();
  return IoStatus::ok;
}

bool Bus::present(const Model& model) {
  std::lock_guard lock(mutex());
  settle();
  const Entry* entry = find(model);
  return entry != nullptr && entry->address != 0;
}

bool Bus::present(int address) {
  std::lock_guard lock(mutex());
  settle();
  return find_present(address) != nullptr;
}

void Bus::queue_input(Model& model, int interface_number, std::vector<std::uint8_t> report, milliseconds delay) {
  std::lock_guard lock(mutex());
  Entry* entry = find(model);
  if (entry == nullptr || entry->address == 0) return;
  entry->input[interface_number].push_back({std::move(report), platform::now() + delay});
}

void Bus::clear_input(Model& model) {
  std::lock_guard lock(mutex());
  if (Entry* entry = find(model)) entry->input.clear();
}

void Bus::change_identity(Model& model, Identity next, milliseconds leave_in, milliseconds absent_for) {
  std::lock_guard lock(mutex());
  Entry* entry = find(model);
  if (entry == nullptr) return;
  const time_point leave_at = platform::now() + leave_in;
  entry->leave_at = leave_at;
  if (model.m_faults.never_return) {
    entry->arrival.reset();
  } else {
    entry->arrival = Entry::Arrival{leave_at + absent_for, std::move(next)};
  }
}

void Bus::leave(Model& model) {
  std::lock_guard lock(mutex());
  if (Entry* entry = find(model)) {
    depart(*entry);
    entry->arrival.reset();
  }
}

void Bus::leave_in(Model& model, milliseconds delay) {
  std::lock_guard lock(mutex());
  if (Entry* entry = find(model)) {
    entry->leave_at = platform::now() + delay;
    entry->arrival.reset();
  }
}

void attach_model(std::shared_ptr<Model> model, milliseconds arrival_delay) { Bus::attach(std::move(model), arrival_delay); }
void detach(const Model& model) { Bus::detach(model); }
void reset_bus() { Bus::reset(); }
std::vector<BusDevice> devices() { return Bus::devices(); }
int open_handle_count() { return Bus::open_handle_count(); }

const char* describe(IoStatus status) {
  switch (status) {
    case IoStatus::ok:
      return "Success";
    case IoStatus::timed_out:
      return "Timed out waiting for the device";
    case IoStatus::gone:
      return "No such device (it may have been disconnected)";
    case IoStatus::refused:
      return "The device refused to open";
    case IoStatus::io_error:
      return "Input/output error";
    case IoStatus::stalled:
      return "The device stalled the request";
  }
  return "Unknown error";
}

bool present(int address) { return Bus::present(address); }
IoStatus reset_device(int address) { return Bus::reset_device(address); }
IoStatus open_interface(int address, int interface_number, int& handle_id) {
  return Bus::open_interface(address, interface_number, handle_id);
}
void close_interface(int handle_id) { Bus::close_interface(handle_id); }
int claim_interface(int address, int interface_number) { return Bus::claim_interface(address, interface_number); }
IoResult write_interrupt(int address, int interface_number, std::span<const std::uint8_t> report) {
  return Bus::write_interrupt(address, interface_number, report);
}
IoResult read_interrupt(int address, int interface_number, std::span<std::uint8_t> buffer,
                        std::optional<milliseconds> timeout) {
  return Bus::read_interrupt(address, interface_number, buffer, timeout);
}
IoResult take_input(int address, int interface_number, std::span<std::uint8_t> buffer) {
  return Bus::take_input(address, interface_number, buffer);
}
bool input_ready(int address, int interface_number) { return Bus::input_ready(address, interface_number); }
IoResult control_transfer(int address, const ControlSetup& setup, std::span<std::uint8_t> data,
                          std::optional<milliseconds> timeout) {
  return Bus::control_transfer(address, setup, data, timeout);
}

}  // namespace sim
