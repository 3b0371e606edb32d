#include "update/update_operation.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <system_error>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "platform/files.h"
#include "platform/format.h"
#include "session/page_modes.h"
#include "session/tab_list.h"
#include "strings/app_texts.h"
#include "strings/status_texts.h"
#include "strings/update_texts.h"

namespace update {

namespace {

std::string internal_name(int product) { return AppTexts::vyla_product_name_for_internal(product, 1).value_or(""); }

session::MessageBoxRequest box(std::string message, bool warning, session::MessageBoxSize size,
                               session::MessageBoxPurpose purpose, int language) {
  return {std::move(message), warning, std::nullopt, AppTexts::vyla_string_ok_in(language), size, purpose};
}

}  // namespace

UpdateOperation::UpdateOperation(int mode, session::Services& services, UpdatePage& page)
    : m_mode(mode), m_services(services), m_page(page), m_engine(services, m_report, page) {}

UpdateOperation::~UpdateOperation() { stop_and_join(); }

void UpdateOperation::stop_and_join() {
  m_engine.stop_and_join();
  m_list_reader.stop_and_join();
  m_download.cancel();
}

void UpdateOperation::refresh_controls() {
  m_services.setControls();
  m_page.set_page_controls();
}

void UpdateOperation::show_status(const UpdateStatus& texts, bool warning) {
  session::AppState& state = m_services.state();
  for (int language = 0; language < strings::k_language_count; ++language) {
    state.setStrStatus_In(texts[static_cast<std::size_t>(language)], language);
  }
  m_services.setStatus_withWarning(state.getStrStatus(), warning);
}

void UpdateOperation::take_restart_record() {
  session::AppState& state = m_services.state();
  m_page.set_firmware_file(state.strRestartDFUFirmwareFile().value_or(""));
  const int index = state.indexRestartDFUFirmwareLanguage();
  if (index_in_range(index, static_cast<std::size_t>(m_page.language_item_count()))) m_page.select_language_item(index);
}

void UpdateOperation::start_worker_and_timer() {
  // nothing left from the previous operation may end this one
  m_report.reset_for_operation();
  m_flags = StepFlags{};
  m_checkOptraUpdateComplete = false;
  m_success_shown = false;
  m_engine.start({m_mode, m_page.firmware_file()});
  m_page.start_timer();
}

void UpdateOperation::updateFirmware() {
  session::AppState& state = m_services.state();
  if (m_mode == session::k_mode_firmware_restore) {
    m_services.setFirmwareUpdateWithStatus(true);
    return;
  }
  setState(k_state_updating);
  state.setOnProcessing(true);
  refresh_controls();
  if (state.isRestartDFU()) {
    take_restart_record();
  } else if (m_page.language_item_count() >= 1) {
    const int selected = m_page.selected_language_item();
    if (index_in_range(selected, m_arrLanguageFirmware.size())) {
      state.setStrLanguageFirmware(m_arrLanguageFirmware[static_cast<std::size_t>(selected)]);
    }
  }
  start_worker_and_timer();
}

void UpdateOperation::restoreFirmware() {
  session::AppState& state = m_services.state();
  if (m_mode == session::k_mode_firmware_update) {
    m_services.setFirmwareRestoreWithStatus(true);
    return;
  }
  const bool resume = state.isRestartDFU();
  setState(resume ? k_state_restoring : k_state_downloading_restore);
  m_report.setUpdateFinished(false);
  m_report.setUpdateProcessed(-1);
  state.setOnProcessing(true);
  m_services.setStatus_withWarning(m_services.getStatusProcessing(), false);
  refresh_controls();

  const UpdateStatus about_to_download =
      texts_in("%@ %@", processing_prefix(), UpdateTexts::vyla_string_about_to_download_backup_firmware_in);

  if (resume) {
    // the restore image of the interrupted restore is already here
    take_restart_record();
    show_status(about_to_download, false);
    state.setOnProcessing(true);
    refresh_controls();
    setState(k_state_restoring);
    start_worker_and_timer();
    return;
  }

  if (m_page.language_item_count() >= 1) {
    const int selected = m_page.selected_language_item();
    if (index_in_range(selected, m_arrLanguageFirmware.size())) {
      state.setStrLanguageFirmware(m_arrLanguageFirmware[static_cast<std::size_t>(selected)]);
    }
    if (index_in_range(selected, m_arrFileNamesLatestVersion.size())) {
      m_fileNameLatestVersion = m_arrFileNamesLatestVersion[static_cast<std::size_t>(selected)];
    }
  }
  const std::filesystem::path folder = platform::application_folder();
  std::error_code ignored;
  std::filesystem::create_directory(folder, ignored);
  m_localPathLatestVersion = folder / (internal_name(state.deviceTarget()) + ".img");
  show_status(about_to_download, false);
  downloadFirmwareFromServer();
}

void UpdateOperation::timerMethodUpdate() {
  switch (state()) {
    case k_state_idle:
      end_update_list();
      break;
    case k_state_reading_restore_list:
      end_restore_list();
      break;
    case k_state_updating:
    case k_state_restoring:
      tick_operation();
      break;
    default:
      break;
  }
}

void UpdateOperation::tick_operation() {
  // what the worker changed in the shared state lands before the tick reads it
  m_engine.hand_back_state_changes();
  session::AppState& state = m_services.state();
  const int product = state.deviceTarget();
  // a success stays on this page for one tick, the bar full and the status
  // saying so, before the recognition page takes its place
  if (m_report.updateFinished() && m_report.succeeded() && !m_success_shown) {
    show_success();
    return;
  }
  const bool ended = m_report.updateFinished();
  if (ended) end_operation(product);

  // progress, also on the last tick
  const ProgressGroup group = progress_group_of(product);
  const bool box_open = m_report.openedMessageBox();
  m_report.change_progress([&](Progress& progress) {
    const ProgressTick tick = apply_progress_rule(group, box_open, progress, m_flags);
    progress = tick.progress;
    m_flags = tick.flags;
  });

  const bool failed = ended && !m_report.succeeded();
  const bool warning = (failed || m_report.statusWarning()) && !in_quiet_end_set(product);
  if (ended && m_report.succeeded()) {
    // the page's last refresh comes first: from the hand-over on, the
    // recognition worker rewrites the device record the page reads
    m_page.set_page_controls();
    hand_over_to_recognition();
    show_status(m_report.updateStatus(), warning);
    return;
  }
  show_status(m_report.updateStatus(), warning);
  m_page.set_page_controls();
}

void UpdateOperation::show_success() {
  m_success_shown = true;
  // a part that did not take keeps its warning in the line
  if (!m_report.statusWarning()) {
    m_report.setUpdateStatus(texts_in([mode = m_mode, usb = m_services.state().usbStatus()](int language) {
      return AppTexts::vyla_status_success_usb_in(mode, usb, language).value_or("");
    }));
  }
  const bool warning = m_report.statusWarning() && !in_quiet_end_set(m_services.state().deviceTarget());
  show_status(m_report.updateStatus(), warning);
  m_page.set_page_controls();
}

UpdateStatus UpdateOperation::texts_in(const TextIn& text) {
  UpdateStatus texts;
  for (int language = 0; language < strings::k_language_count; ++language) {
    texts[static_cast<std::size_t>(language)] = text(language);
  }
  return texts;
}

UpdateStatus UpdateOperation::texts_in(const char* format, const TextIn& first, const TextIn& second) {
  return texts_in([&](int language) { return platform::format(format, first(language), second(language)); });
}

TextIn UpdateOperation::processing_prefix() const {
  return [mode = m_mode, usb = m_services.state().usbStatus()](int language) {
    return AppTexts::vyla_status_processing_usb_in(mode, usb, language).value_or("");
  };
}

TextIn UpdateOperation::failure_prefix() const {
  return [mode = m_mode, usb = m_services.state().usbStatus()](int language) {
    return UpdateTexts::vyla_status_failure_usb_in(mode, usb, language).value_or("");
  };
}

void UpdateOperation::end_operation(int product) {
  session::AppState& state = m_services.state();
  m_page.stop_timer();
  state.clearRestartDFURecord();
  setState(k_state_idle);
  state.setOnProcessing(false);
  m_services.setControls();
  state.setDeviceUpdatedOrRestored(product);
  m_report.clear_timed_fields();

  const int language = state.languageManager();
  if (m_report.succeeded()) {
    report_success(product, language);
  } else {
    report_failure(product, language);
  }
}

void UpdateOperation::report_failure(int product, int language) {
  using session::MessageBoxPurpose;
  using session::MessageBoxSize;
  session::AppState& state = m_services.state();
  switch (m_report.updateRestoreError()) {
    case k_update_error_generic:
      if (device_data::product_facts(product).update_end_notice == device_data::UpdateEndNotice::power_cycle) {
        m_services.openMessageBox(box(platform::format(UpdateTexts::stringMessageSWitchOnSwitchOff_in(language),
                                                       internal_name(product)),
                                      true, MessageBoxSize::w420_h135, MessageBoxPurpose::notice, language));
      }
      break;
    case k_update_error_device:
      // OK leads to the device selection
      m_services.openMessageBox(box(AppTexts::vyla_string_recognized_device_not_selected_in(language), true,
                                    MessageBoxSize::w420_h135, MessageBoxPurpose::start_over, language));
      break;
    case k_update_error_firmware:
      // OK restarts the manager to recover the device
      m_services.openMessageBox(box(platform::format(UpdateTexts::stringMessageManagerRestart_in(language),
                                                     m_report.updateStatusAt(language),
                                                     AppTexts::vyla_title_in(0, language)),
                                    true, MessageBoxSize::w520_h175, MessageBoxPurpose::restart_to_recover_other,
                                    language));
      break;
    case k_update_error_restart: {
      // the next start resumes the same operation with the same file
      const FEXOBluetoothDeviceData& data = state.data();
      state.setRestartToRecover(true);
      state.setModeRestartToRecover(m_mode);
      state.setStrRestartDFUFirmwareFile(m_page.firmware_file());
      state.setIndexRestartDFUFirmwareLanguage(m_page.selected_language_item());
      state.setDeviceVersionMajorRestartDFU(data.deviceVersionMajor());
      state.setDeviceVersionMinorRestartDFU(data.deviceVersionMinor());
      state.setDeviceSecondaryVersionTypeRestartDFU(data.deviceSecondaryVersionType());
      state.setDeviceSecondaryVersionRestartDFU(data.deviceSecondaryVersion());
      m_services.stopManager();
      break;
    }
    default:
      break;
  }
}

void UpdateOperation::report_success(int product, int language) {
  using session::MessageBoxPurpose;
  using session::MessageBoxSize;
  // a part that did not take outlives the fresh recognition
  m_services.state().setOperationWarning(m_report.statusWarning() ? std::optional(m_report.updateStatus())
                                                                  : std::nullopt);
  const device_data::UpdateEndNotice notice = device_data::product_facts(product).update_end_notice;
  if (notice == device_data::UpdateEndNotice::reconfigure) {
    m_services.openMessageBox(box(UpdateTexts::stringMessageReconfigure_in(language), true, MessageBoxSize::w520_h175,
                                  MessageBoxPurpose::notice, language));
  }
  if (notice == device_data::UpdateEndNotice::power_cycle) {
    m_services.openMessageBox(box(platform::format(UpdateTexts::stringMessagePowerOnPowerOff_in(language),
                                                   m_report.updateStatusAt(language), internal_name(product)),
                                  false, MessageBoxSize::w520_h175, MessageBoxPurpose::notice, language));
  }
}

void UpdateOperation::hand_over_to_recognition() {
  // the recognition page shows and starts at once; after a restore it writes
  // the backed-up settings into the device
  const FEXOBluetoothDeviceData* info = m_mode == session::k_mode_firmware_update ? nullptr : m_page.data_to_unarchive();
  m_services.setDeviceRecognitionWithStatus_info_from(false, info, m_mode);
}

bool UpdateOperation::nextLeadsToDeviceSelection() const {
  const session::AppState& state = m_services.state();
  return state.usbStatus() >= strings::k_usb_firmware_management || state.target_without_settings();
}

void UpdateOperation::moveToNext() {
  const int product = m_services.state().deviceTarget();
  if (nextLeadsToDeviceSelection()) {
    m_services.setDeviceSelection();
  } else if (device_data::product_facts(product).next_opens_speed_dial) {
    m_services.setDeviceSettingsSpeedDialWithStatus(true);
  } else {
    m_services.setDeviceSettingsWithStatus(true);
  }
}

void UpdateOperation::endOptraUpdate() {
  m_checkOptraUpdateComplete = true;
  m_report.setUpdateProcessed(k_update_succeeded);
  // last: the tick that sees it ends the operation
  m_report.setUpdateFinished(true);
}

void UpdateOperation::moveToBack() { m_services.setDeviceRecognitionWithStatus_info_from(true, nullptr, 0); }

void UpdateOperation::menuWillOpen() { session::close_tab_list(m_services.state(), m_services); }

}  // namespace update
