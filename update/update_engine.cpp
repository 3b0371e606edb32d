#include "update/update_engine.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "device_data/camera_volume.h"
#include "device_data/product_facts.h"
#include "platform/clock.h"
#include "platform/format.h"
#include "platform/log.h"
#include "platform/main_queue.h"
#include "platform/volumes.h"
#include "session/page_modes.h"
#include "strings/common_texts.h"
#include "strings/status_texts.h"
#include "strings/update_texts.h"
#include "transport/hid_channel.h"
#include "transport/stop_request.h"
#include "update/dispatch_table.h"

namespace update {

namespace {

using namespace std::chrono_literals;

// A long wait is cut into slices, so a stop request ends it soon.
constexpr std::chrono::milliseconds k_wait_slice = 250ms;
// A worker waiting for the user looks at the box once a second.
constexpr std::chrono::milliseconds k_box_poll = 1s;

}  // namespace

TextIn reason_with_tag(TextIn reason, std::string tag) {
  return [reason = std::move(reason), tag = std::move(tag)](int language) { return reason(language) + tag; };
}

TextIn reason_tag_try_again(TextIn reason, std::string tag) {
  return [reason = std::move(reason), tag = std::move(tag)](int language) {
    return platform::format("%@ %@. %@.", reason(language), tag, CommonTexts::vyla_string_try_again_in(language));
  };
}

TextIn reason_try_again_tag(TextIn reason, std::string tag) {
  return [reason = std::move(reason), tag = std::move(tag)](int language) {
    return reason(language) + ". " + CommonTexts::vyla_string_try_again_in(language) + "." + tag;
  };
}

UpdateSnapshot UpdateSnapshot::of(const session::AppState& state) {
  return {state.deviceTarget(), state.usbStatus(), state.languageManager(), state.strLanguageFirmware(), state.data()};
}

void apply_state_changes(UpdateReport& report, session::AppState& state) {
  for (const StateChange& change : report.take_state_changes()) {
    switch (change.kind) {
      case StateChange::Kind::usb_status:
        state.setUsbStatus(change.usb_status);
        break;
      case StateChange::Kind::restart_record_cleared:
        state.clearRestartDFURecord();
        break;
      case StateChange::Kind::backup_answer_used:
        state.setSkipRestoreBackupFile(false);
        break;
    }
  }
}

UpdateRun::UpdateRun(UpdateSnapshot snapshot, session::Services& services, UpdateReport& report,
                     UpdateWorkerPage& page, UpdateStart start, const std::atomic<bool>& stop_requested,
                     HandBack hand_back)
    : m_snapshot(std::move(snapshot)),
      m_services(services),
      m_report(report),
      m_page(page),
      m_start(std::move(start)),
      m_stop_requested(stop_requested),
      m_hand_back(std::move(hand_back)) {}

UpdateRun::UpdateRun(session::Services& services, UpdateReport& report, UpdateWorkerPage& page, UpdateStart start,
                     const std::atomic<bool>& stop_requested)
    : UpdateRun(UpdateSnapshot::of(services.state()), services, report, page, std::move(start), stop_requested,
                [&services, &report] { apply_state_changes(report, services.state()); }) {}

void UpdateRun::run() {
  // the selected product as the worker starts picks the row
  run_procedure(dispatch_row_for(product()).procedure);
}

void UpdateRun::run_procedure(FamilyProcedure procedure) {
  const transport::StopScope stop_scope(m_stop_requested);
  start();
  Exit exit = Exit::close_and_finish;
  try {
    exit = procedure(*this);
  } catch (const std::exception& error) {
    // a failure is reported, never raised: the code stays 1 and the last status stands
    platform::system_log(std::string("update worker: ") + error.what());
  }
  leave(exit);
}

void UpdateRun::start() {
  m_report.setUpdateRestoreError(k_update_error_none);
  show_working([this](int language) {
    return mode() == session::k_mode_firmware_update ? UpdateTexts::vyla_string_checking_firmware_in(language)
                                                      : UpdateTexts::vyla_string_checking_backup_firmware_in(language);
  });
  m_report.setUpdateProcessed(0);
  m_report.setUpdateFinished(false);
  m_report.setOpenedMessageBox(false);
  m_report.setAddUpdateProcessed(0);
  m_report.setUpdateRestoreError(k_update_error_generic);
  m_message.fill(0);
  m_package.reset();
  m_package_bytes = 0;
}

std::optional<std::string> UpdateRun::camera_disk_path() const {
  const char* marker = device_data::product_facts(product()).target_camera_marker;
  if (!marker) return std::nullopt;
  return device_data::camera_disk_path_with_marker(marker, platform::mounted_volumes());
}

void UpdateRun::hand_back(const StateChange& change) {
  m_report.record_state_change(change);
  if (m_hand_back) m_hand_back();
}

void UpdateRun::set_usb_status(int usb_status) {
  m_snapshot.usbStatus = usb_status;
  hand_back({StateChange::Kind::usb_status, usb_status});
}

void UpdateRun::clear_restart_record() { hand_back({StateChange::Kind::restart_record_cleared}); }

bool UpdateRun::take_backup_skipped() {
  if (!m_report.take_backup_skipped()) return false;
  hand_back({StateChange::Kind::backup_answer_used});
  return true;
}

std::size_t UpdateRun::load_verified_package(std::uint32_t expected_product_id) {
  const transport::PackageTable digests =
      device_data::product_facts(static_cast<int>(expected_product_id)).package_digests;
  m_package_bytes =
      firmware_load_verified(m_start.firmware_file.c_str(), m_package, m_message, expected_product_id, digests);
  return m_package_bytes;
}

void UpdateRun::leave(Exit exit) {
  if (exit == Exit::close_and_finish) hid_close_all();
  m_package.reset();
  m_package_bytes = 0;
  if (m_report.openedMessageBox()) {
    m_services.closeMessageBox();
    m_report.setOpenedMessageBox(false);
  }
  // last: the timer that sees it may open a box of its own, which nothing here
  // may close any more
  if (exit != Exit::release) m_report.setUpdateFinished(true);
}

UpdateStatus UpdateRun::prefixed(Prefix prefix, const char* format, const TextIn& text) const {
  UpdateStatus texts;
  const int usb = usb_status();
  for (int language = 0; language < strings::k_language_count; ++language) {
    texts[static_cast<std::size_t>(language)] =
        platform::format(format, prefix(mode(), usb, language).value_or(std::string()), text(language));
  }
  return texts;
}

void UpdateRun::show_working(const TextIn& message) {
  m_report.setUpdateStatus(prefixed(StatusTexts::vyla_status_processing_usb_in, "%@ %@", message));
}

void UpdateRun::show_processing() {
  UpdateStatus texts;
  const int usb = usb_status();
  for (int language = 0; language < strings::k_language_count; ++language) {
    texts[static_cast<std::size_t>(language)] =
        StatusTexts::vyla_status_processing_usb_in(mode(), usb, language).value_or(std::string());
  }
  m_report.setUpdateStatus(texts);
}

void UpdateRun::show_failure(const TextIn& reason) {
  m_report.setUpdateStatus(prefixed(UpdateTexts::vyla_status_failure_usb_in, "%@. %@", reason));
}

void UpdateRun::fail(UpdateErrorCode code, const TextIn& reason) {
  show_failure(reason);
  m_report.setUpdateRestoreError(code);
}

std::string UpdateRun::checker_reason(int language) const {
  return UpdateTexts::checker_reason_in(transport::message_text(m_message), product(), language);
}

void UpdateRun::fail_firmware_check(int product) {
  fail(k_update_error_firmware, [this, product](int language) {
    return UpdateTexts::checker_reason_in(transport::message_text(m_message), product, language);
  });
}

bool UpdateRun::wait(std::chrono::milliseconds duration) {
  while (duration > std::chrono::milliseconds(0)) {
    if (stopping()) return false;
    const std::chrono::milliseconds slice = std::min(duration, k_wait_slice);
    platform::sleep_for(slice);
    duration -= slice;
  }
  return !stopping();
}

bool UpdateRun::ask_backup_failed(const session::MessageBoxRequest& request) {
  // raised before the box opens, so an answer given at once is never missed
  m_report.setOpenedMessageBox(true);
  m_page.open_backup_failed_box(request);
  while (m_report.openedMessageBox()) {
    if (!wait(k_box_poll)) return false;
  }
  return true;
}

void UpdateRun::show_notice(const session::MessageBoxRequest& request) {
  m_services.openMessageBox(request);
  m_report.setOpenedMessageBox(true);
}

void UpdateRun::close_notice() {
  m_services.closeMessageBox();
  m_report.setOpenedMessageBox(false);
}

void UpdateRun::close_message_box() { m_services.closeMessageBox(); }

UpdateEngine::UpdateEngine(session::Services& services, UpdateReport& report, UpdateWorkerPage& page)
    : m_services(services), m_report(report), m_page(page) {}

UpdateEngine::~UpdateEngine() { stop_and_join(); }

void UpdateEngine::start(UpdateStart start) {
  // an earlier run's changes land before this run's snapshot is taken
  m_worker.join();
  hand_back_state_changes();
  UpdateSnapshot snapshot = UpdateSnapshot::of(m_services.state());
  m_worker.start([this, snapshot = std::move(snapshot), start = std::move(start), self = std::weak_ptr(m_self)] {
    // each change goes to the main thread as it is made: the header and the
    // archive a termination writes read the state while the run goes on
    const auto post = [self] {
      platform::post_to_main([self] {
        if (const std::shared_ptr<UpdateEngine*> engine = self.lock()) (*engine)->hand_back_state_changes();
      });
    };
    UpdateRun run(snapshot, m_services, m_report, m_page, start, m_worker.stop_flag(), post);
    run.run();
  });
}

void UpdateEngine::stop_and_join() {
  m_worker.stop_and_join();
  hand_back_state_changes();
}

void UpdateEngine::hand_back_state_changes() { apply_state_changes(m_report, m_services.state()); }

}  // namespace update
