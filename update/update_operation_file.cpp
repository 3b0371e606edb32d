// The firmware file: a file the user picks, the latest firmware downloaded
// into a file the user names, the restore image downloaded into the
// application folder; and the new-update sheet's two answers.
#include <optional>
#include <string>

#include "platform/deployment.h"
#include "platform/http.h"
#include "session/page_modes.h"
#include "strings/update_texts.h"
#include "update/update_operation.h"

namespace update {

void UpdateOperation::browseFirmware() {
  m_services.openFilePanel({session::FilePanelRequest::Kind::open, std::nullopt},
                           [self = std::weak_ptr(m_self)](const std::optional<std::string>& path) {
                             const std::shared_ptr<UpdateOperation*> operation = self.lock();
                             if (!operation || !path) return;
                             UpdateOperation& page = **operation;
                             page.m_page.set_firmware_file(*path);
                             page.show_status(texts_in(UpdateTexts::vyla_string_press_update_button_in), false);
                             page.m_report.setUpdateProcessed(-1);
                             page.m_report.setUpdateFinished(false);
                             page.m_page.set_page_controls();
                           });
}

void UpdateOperation::downloadFirmware() {
  if (m_mode != session::k_mode_firmware_update) return;
  if (m_page.language_item_count() >= 1) {
    const int selected = m_page.selected_language_item();
    if (index_in_range(selected, m_arrFileNamesLatestVersion.size())) {
      m_fileNameLatestVersion = m_arrFileNamesLatestVersion[static_cast<std::size_t>(selected)];
    }
  }
  m_services.openFilePanel(
      {session::FilePanelRequest::Kind::save, m_fileNameLatestVersion},
      [self = std::weak_ptr(m_self)](const std::optional<std::string>& path) {
        const std::shared_ptr<UpdateOperation*> operation = self.lock();
        if (!operation || !path) return;
        UpdateOperation& page = **operation;
        page.m_localPathLatestVersion = std::filesystem::path(*path);
        page.setState(k_state_downloading_update);
        page.m_services.state().setOnProcessing(true);
        page.refresh_controls();
        page.show_status(
            texts_in("%@ %@", page.processing_prefix(), UpdateTexts::vyla_string_about_to_download_latest_firmware_in),
            false);
        page.downloadFirmwareFromServer();
      });
}

void UpdateOperation::yesButtonSelectedAt(int sheet_index) {
  if (m_page.language_item_count() >= 1 && index_in_range(sheet_index, static_cast<std::size_t>(m_page.language_item_count())) &&
      index_in_range(sheet_index, m_arrLanguageFirmware.size())) {
    m_page.select_language_item(sheet_index);
    m_services.state().setStrLanguageFirmware(m_arrLanguageFirmware[static_cast<std::size_t>(sheet_index)]);
  }
  // newUpdateFound stays: the end of the download starts the update
  downloadFirmware();
}

void UpdateOperation::noButtonSelectedAt() { setNewUpdateFound(false); }

void UpdateOperation::downloadFirmwareFromServer() {
  if (!m_localPathLatestVersion || !m_downloadFile->create_empty(*m_localPathLatestVersion)) {
    return download_failed(DownloadFailure::cannot_create_file);
  }
  if (!m_downloadFile->open_for_writing(*m_localPathLatestVersion)) {
    return download_failed(DownloadFailure::cannot_open_file);
  }
  // no file name gives no address of a file
  const std::string url = platform::update_server_base(session::AppState::is_china_server() == 1) +
                          m_fileNameLatestVersion.value_or("");
  if (!m_fileNameLatestVersion || m_fileNameLatestVersion->empty() || !platform::valid_http_url(url)) {
    m_downloadFile->close();
    return download_failed(DownloadFailure::cannot_connect);
  }
  const std::weak_ptr<UpdateOperation*> self(m_self);
  const auto on_page = [self](void (UpdateOperation::*handler)()) {
    return [self, handler] {
      if (const std::shared_ptr<UpdateOperation*> operation = self.lock()) ((*operation)->*handler)();
    };
  };
  m_download.start(url, platform::HttpTimeout::idle(m_server_idle_limit),
                   platform::CachePolicy::use_protocol_cache_policy, k_max_firmware_download_bytes,
                   {[self](std::string_view block) {
                      if (const std::shared_ptr<UpdateOperation*> operation = self.lock()) {
                        (*operation)->download_received(block);
                      }
                    },
                    on_page(&UpdateOperation::download_finished),
                    [self] {
                      const std::shared_ptr<UpdateOperation*> operation = self.lock();
                      if (!operation) return;
                      (*operation)->m_downloadFile->close();
                      (*operation)->download_failed(DownloadFailure::cannot_download);
                    }});
}

void UpdateOperation::download_received(std::string_view block) {
  if (m_downloadFile->append(block)) return;
  // a file that takes no more is a download that failed: nothing after it comes
  m_download.cancel();
  m_downloadFile->close();
  download_failed(DownloadFailure::cannot_download);
}

void UpdateOperation::download_finished() {
  session::AppState& state = m_services.state();
  if (!m_downloadFile->close()) return download_failed(DownloadFailure::cannot_download);
  m_page.set_firmware_file(m_localPathLatestVersion->string());
  setState(k_state_idle);
  state.setOnProcessing(false);
  refresh_controls();
  // before the update starts: its worker must not find these cleared after it began
  m_report.setUpdateProcessed(-1);
  m_report.setUpdateFinished(false);

  if (m_mode == session::k_mode_firmware_update) {
    if (newUpdateFound()) {
      updateFirmware();
    } else {
      show_status(texts_in(UpdateTexts::vyla_string_press_update_button_in), false);
    }
    return;
  }
  m_restorePossible = true;
  show_status(texts_in("%@ %@", processing_prefix(), UpdateTexts::vyla_string_about_to_restore_in), false);
  state.setOnProcessing(true);
  refresh_controls();
  setState(k_state_restoring);
  start_worker_and_timer();
}

void UpdateOperation::download_failed(DownloadFailure failure) {
  session::AppState& state = m_services.state();
  const bool update_page = m_mode == session::k_mode_firmware_update;
  TextIn reason;
  const char* format = "%@. %@";
  switch (failure) {
    case DownloadFailure::cannot_create_file:
      reason = update_page ? UpdateTexts::vyla_string_cannot_create_file_in
                           : UpdateTexts::vyla_string_cannot_get_backup_firmware_in;
      break;
    case DownloadFailure::cannot_open_file:
      reason = update_page ? UpdateTexts::vyla_string_cannot_open_file_in
                           : UpdateTexts::vyla_string_cannot_get_backup_firmware_in;
      // the restore page tells the two file failures apart by this mark
      if (!update_page) format = "%@. %@ 2";
      break;
    case DownloadFailure::cannot_connect:
      reason = UpdateTexts::vyla_string_cannot_connect_to_the_server_in;
      break;
    case DownloadFailure::cannot_download:
      reason = update_page ? UpdateTexts::vyla_string_cannot_download_firmware_in
                           : UpdateTexts::vyla_string_cannot_download_backup_firmware_in;
      break;
  }
  const TextIn prefix =
      update_page ? TextIn(UpdateTexts::vyla_string_failed_to_download_latest_firmware_in) : failure_prefix();
  setState(k_state_idle);
  state.setOnProcessing(false);
  show_status(texts_in(format, prefix, reason), true);
  refresh_controls();
  // a download that never started offers nothing any more; one that failed
  // on its way keeps the offer for the next try
  if (failure != DownloadFailure::cannot_download) setNewUpdateFound(false);
  if (!update_page) {
    m_restorePossible = false;
    m_report.setUpdateFinished(true);
  }
}

}  // namespace update
