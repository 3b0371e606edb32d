#include "sim/model.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "sim/bus_state.h"

namespace sim {

Model::Model(Identity identity, Faults faults) : m_identity(std::move(identity)), m_faults(faults) {}

Model::~Model() = default;

Identity Model::identity() const {
  std::lock_guard lock(Bus::mutex());
  return m_identity;
}

Faults Model::faults() const {
  std::lock_guard lock(Bus::mutex());
  return m_faults;
}

void Model::set_faults(const Faults& faults) {
  std::lock_guard lock(Bus::mutex());
  m_faults = faults;
}

bool Model::present() const { return Bus::present(place()); }

std::vector<ReceivedReport> Model::received() const {
  std::lock_guard lock(Bus::mutex());
  return m_received;
}

std::vector<ReceivedReport> Model::take_received() {
  std::lock_guard lock(Bus::mutex());
  return std::exchange(m_received, {});
}

std::vector<std::vector<std::uint8_t>> Model::take_output_reports() {
  std::lock_guard lock(Bus::mutex());
  std::vector<std::vector<std::uint8_t>> reports;
  for (ReceivedReport& report : m_received) {
    if (report.kind == TrafficKind::interrupt_out) reports.push_back(std::move(report.bytes));
  }
  std::erase_if(m_received, [](const ReceivedReport& report) { return report.kind == TrafficKind::interrupt_out; });
  return reports;
}

int Model::input_reports_read() const {
  std::lock_guard lock(Bus::mutex());
  return m_input_reports_read;
}

std::vector<int> Model::claim_attempts() const {
  std::lock_guard lock(Bus::mutex());
  return m_claim_attempts;
}

bool Model::on_open(int) { return true; }

int Model::on_claim(int interface_number) {
  m_claim_attempts.push_back(interface_number);
  if (m_faults.claim_errno != 0 && (m_faults.claim_failures == 0 || m_claims_refused < m_faults.claim_failures)) {
    ++m_claims_refused;
    return m_faults.claim_errno;
  }
  const auto has = [&](const auto& interface) { return interface && interface->interface_number == interface_number; };
  const bool hid = std::any_of(m_identity.hid.begin(), m_identity.hid.end(), [&](const HidCollection& collection) {
    return collection.interface_number == interface_number;
  });
  return hid || has(m_identity.bluecore) || has(m_identity.dfu) ? 0 : ENOENT;
}

void Model::on_close(int) {}

void Model::on_interrupt_out(int, std::span<const std::uint8_t>) {}

int Model::on_control_transfer(const ControlSetup&, std::vector<std::uint8_t>&) { return -1; }

void Model::on_arrival() {}

void Model::on_input_read(int, std::span<const std::uint8_t>) {}

void Model::on_reset() {}

void Model::queue_input_report(int interface_number, std::vector<std::uint8_t> report, std::chrono::milliseconds delay) {
  Bus::queue_input(place(), interface_number, std::move(report), delay);
}

void Model::clear_input_reports() { Bus::clear_input(place()); }

void Model::change_identity(Identity next, std::chrono::milliseconds leave_in, std::chrono::milliseconds absent_for) {
  Bus::change_identity(place(), std::move(next), leave_in, absent_for);
}

void Model::leave_bus() { Bus::leave(place()); }

void Model::leave_bus_in(std::chrono::milliseconds delay) { Bus::leave_in(place(), delay); }

}  // namespace sim
