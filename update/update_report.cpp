#include "update/update_report.h"

#include <cstddef>
#include <utility>

namespace update {

Progress UpdateReport::progress() const {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  return m_progress;
}

void UpdateReport::setUpdateProcessed(int value) {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  m_progress.processed = value;
  m_succeeded = value == k_update_succeeded;
}

void UpdateReport::setAddUpdateProcessed(int value) {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  m_progress.phase = value;
}

void UpdateReport::setUpdateTimerProcessed(int value) {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  m_progress.timer_processed = value;
}

void UpdateReport::setUpdateTimerPercentToProcess(int value) {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  m_progress.percent_to_process = value;
}

void UpdateReport::setUpdateTimerProcessTime(int value) {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  m_progress.process_time = value;
}

void UpdateReport::start_timed_step(int base, int span) {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  m_progress.timer_processed = base;
  m_progress.percent_to_process = span;
  m_progress.process_time = 0;
}

bool UpdateReport::succeeded() const {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  return m_succeeded;
}

UpdateStatus UpdateReport::updateStatus() const {
  std::lock_guard<std::mutex> lock(m_status_mutex);
  return m_status;
}

std::string UpdateReport::updateStatusAt(int language) const {
  std::lock_guard<std::mutex> lock(m_status_mutex);
  return m_status[static_cast<std::size_t>(strings::effective_language(language))];
}

void UpdateReport::setUpdateStatus(const UpdateStatus& texts) {
  std::lock_guard<std::mutex> lock(m_status_mutex);
  m_status = texts;
}

void UpdateReport::record_state_change(const StateChange& change) {
  std::lock_guard<std::mutex> lock(m_changes_mutex);
  m_state_changes.push_back(change);
}

std::vector<StateChange> UpdateReport::take_state_changes() {
  std::lock_guard<std::mutex> lock(m_changes_mutex);
  return std::exchange(m_state_changes, {});
}

void UpdateReport::clear_timed_fields() {
  std::lock_guard<std::mutex> lock(m_progress_mutex);
  m_progress.phase = 0;
  m_progress.timer_processed = 0;
  m_progress.percent_to_process = 0;
  m_progress.process_time = 0;
}

void UpdateReport::reset_for_operation() {
  {
    std::lock_guard<std::mutex> lock(m_progress_mutex);
    m_progress = Progress{};
    m_succeeded = false;
  }
  setUpdateRestoreError(k_update_error_none);
  setOpenedMessageBox(false);
  setStatusWarning(false);
  setUpdateFinished(false);
}

}  // namespace update
