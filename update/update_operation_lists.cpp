// The page's entry and the server's list: the reading on its own thread, its
// result taken on the main thread, and the two ends of a reading the
// one-second timer reports (states 0 and 4).
#include <optional>
#include <string>
#include <utility>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/deployment.h"
#include "platform/format.h"
#include "platform/http.h"
#include "platform/log.h"
#include "platform/main_queue.h"
#include "session/page_modes.h"
#include "strings/app_texts.h"
#include "strings/setting_names.h"
#include "strings/update_texts.h"
#include "update/update_operation.h"

namespace update {

namespace {

// The headset whose units of one address range are told to take their
// firmware elsewhere instead of being offered the new one.
constexpr int k_address_range_product = 0x5060;

}  // namespace

// What the list reader takes with it: everything is copied on the main thread
// before it starts.
struct UpdateOperation::ListRequest {
  int mode = 0;
  std::string url;
  std::chrono::milliseconds idle_limit{0};
  ListScanInput input;
  LatestVersion latest;
  std::optional<FEXOBluetoothDeviceData> backup;
  std::optional<std::string> strLanguageManager;
  bool applyToLanguageFirmware = false;
};

void UpdateOperation::initializeObjectWithDefaultStatus(bool status) {
  session::AppState& state = m_services.state();
  m_writeDefaultStatus = status;
  m_report.setUpdateProcessed(-1);
  m_report.setUpdateFinished(false);
  m_arrFileNamesLatestVersion.clear();
  m_arrLanguageFirmware.clear();
  m_page.remove_all_language_items();
  m_report.setUpdateStatus({});
  state.setShowShortcuts(false);
  m_services.reflectShortcuts();
  setNewUpdateFound(false);

  if (m_mode == session::k_mode_firmware_update) {
    setState(k_state_reading_update_list);
    m_checkNewUpdate = true;
    m_latest = {};
    m_fileNameLatestVersion.reset();
    m_page.set_firmware_file("");
    state.setOnProcessing(true);
    refresh_controls();
    start_list_reading();
    return;
  }
  enter_restore_page(true);
}

void UpdateOperation::enter_restore_page(bool resume) {
  session::AppState& state = m_services.state();
  m_restorePossible = true;
  m_page.init_tab_data();
  state.setOnProcessing(true);
  // the backup decides whether there is anything to restore
  if (!m_page.load_backup()) m_restorePossible = false;
  refresh_controls();
  setState(k_state_idle);
  if (!m_restorePossible) {
    state.setOnProcessing(false);
    refresh_controls();
    if (resume && state.isRestartDFU()) {
      // an interrupted restore goes on with the image it had
      setNewUpdateFound(false);
      restoreFirmware();
    }
    return;
  }
  setState(k_state_reading_restore_list);
  refresh_controls();
  start_list_reading();
}

void UpdateOperation::readLatest() {
  if (m_page.language_item_count() == 0) {
    m_page.set_page_controls();
    return;
  }
  m_report.setUpdateProcessed(-1);
  m_report.setUpdateFinished(false);
  m_arrFileNamesLatestVersion.clear();
  m_arrLanguageFirmware.clear();
  m_page.remove_all_language_items();
  if (m_mode != session::k_mode_firmware_update) {
    enter_restore_page(false);
    return;
  }
  setState(k_state_reading_update_list);
  m_checkNewUpdate = false;
  m_latest = {};
  m_fileNameLatestVersion.reset();
  m_services.state().setOnProcessing(true);
  refresh_controls();
  start_list_reading();
}

void UpdateOperation::start_list_reading() {
  const session::AppState& state = m_services.state();
  // a reading still running ends at once; its result is not taken
  m_list_reader.stop_and_join();
  const int generation = ++m_list_generation;

  ListRequest request;
  request.mode = m_mode;
  request.url = platform::update_server_base(session::AppState::is_china_server() == 1) +
                (m_mode == session::k_mode_firmware_update ? "Firmware" : "Revisions");
  request.idle_limit = m_server_idle_limit;
  request.input.product = state.deviceTarget();
  request.input.internal_name = AppTexts::vyla_product_name_for_internal(request.input.product, 1);
  request.input.strLanguageFirmware = state.strLanguageFirmware();
  request.latest = m_latest;
  if (const FEXOBluetoothDeviceData* backup = m_page.data_to_unarchive()) request.backup = *backup;
  request.strLanguageManager = state.strLanguageManager();
  request.applyToLanguageFirmware = state.applyToLanguageFirmware();

  m_list_reader.start([this, request = std::move(request), generation, self = std::weak_ptr(m_self)] {
    ListReading reading = threadMethodReadLatest(request, m_list_reader.stop_flag());
    if (m_list_reader.stop_requested()) return;
    platform::post_to_main([self, generation, reading = std::move(reading)] {
      const std::shared_ptr<UpdateOperation*> operation = self.lock();
      if (!operation || (*operation)->m_list_generation != generation) return;
      (*operation)->take_list_reading(reading);
    });
  });
  m_page.start_timer();
}

ListReading UpdateOperation::threadMethodReadLatest(const ListRequest& request,
                                                    const std::atomic<bool>& stop_requested) {
  ListReading reading;
  reading.latest = request.latest;
  const std::optional<std::string> list =
      platform::http_get(request.url, platform::HttpTimeout::idle(request.idle_limit),
                         platform::CachePolicy::reload_ignoring_local_and_remote_cache_data,
                         k_max_server_list_bytes, &stop_requested);
  if (request.mode == session::k_mode_firmware_update) {
    // no answer: the latest version reads 0.0
    if (!list) reading.latest = {};
    if (list) scan_update_list(*list, request.input, reading);
  } else if (list && request.backup) {
    scan_restore_list(*list, request.input, *request.backup, reading);
  }
  select_interface_language(request.strLanguageManager, request.applyToLanguageFirmware, reading);
  return reading;
}

void UpdateOperation::take_list_reading(const ListReading& reading) {
  session::AppState& state = m_services.state();
  const int language = state.languageManager();
  for (const PopUpChange& change : reading.popUpChanges) {
    switch (change.kind) {
      case PopUpChange::Kind::remove_all:
        m_page.remove_all_language_items();
        break;
      case PopUpChange::Kind::add_item:
        m_page.add_language_item(AppTexts::vyla_language_manager_from_language_in(change.language, language));
        break;
      case PopUpChange::Kind::select_item:
        m_page.select_language_item(change.index);
        break;
    }
  }
  m_latest = reading.latest;
  m_fileNameLatestVersion = reading.fileNameLatestVersion;
  m_arrLanguageFirmware = reading.arrLanguageFirmware;
  m_arrFileNamesLatestVersion = reading.arrFileNamesLatestVersion;

  if (m_mode == session::k_mode_firmware_update) {
    // a reading after a language change only refreshes the list: nothing is offered
    if (!m_checkNewUpdate) {
      m_checkNewUpdate = true;
      setNewUpdateFound(false);
    } else {
      setNewUpdateFound(haveNewUpdate(state.deviceTarget(), state.data(), m_latest));
    }
    setState(k_state_idle);
    return;
  }
  // the restore page's state stays 4; the timer ends it
  m_restorePossible = reading.restorePossible;
  m_report.setUpdateFinished(true);
}

void UpdateOperation::end_update_list() {
  session::AppState& state = m_services.state();
  m_page.stop_timer();
  if (state.isRestartDFU()) {
    // an interrupted update goes on with its recorded file and language
    setNewUpdateFound(false);
    updateFirmware();
    return;
  }
  if (newUpdateFound()) {
    const int product = state.deviceTarget();
    const int language = state.languageManager();
    if (product == k_address_range_product) {
      const std::optional<std::string>& address = state.data().lastSixBDAddress();
      platform::system_log(platform::format("newUpdateFound return BD=[%@]", address.value_or("")));
      if (changePSKeyKWXP9With(product, address)) {
        m_services.openMessageBox({UpdateTexts::stringMessageXP9ToKWXP9ForIronvale_in(language), false, std::nullopt,
                                   AppTexts::vyla_string_ok_in(language), session::MessageBoxSize::w520_h175,
                                   session::MessageBoxPurpose::update_notice});
        state.setOnProcessing(false);
        refresh_controls();
        return;
      }
    }
    NewUpdateSheet sheet;
    sheet.versions = new_update_sheet_versions(product, m_latest, state.data());
    sheet.show_languages = m_page.language_item_count() >= 2;
    sheet.language_label = strings::setting_name(strings::SettingName::VoicePrompt, language);
    m_page.show_new_update_sheet(sheet);
  }
  state.setOnProcessing(false);
  refresh_controls();
}

void UpdateOperation::end_restore_list() {
  session::AppState& state = m_services.state();
  if (!m_report.updateFinished()) return;
  m_page.stop_timer();
  m_report.setUpdateFinished(false);
  setState(k_state_idle);
  state.setOnProcessing(false);
  if (!m_restorePossible) {
    show_status(texts_in("%@. %@", failure_prefix(), UpdateTexts::vyla_string_cannot_connect_to_the_server_in), true);
  } else if (m_writeDefaultStatus) {
    show_status(texts_in(m_page.language_item_count() == 0
                             ? UpdateTexts::vyla_string_press_restore_button_in
                             : UpdateTexts::vyla_string_press_restore_button_after_selecting_in),
                false);
  }
  refresh_controls();
  if (state.isRestartDFU()) restoreFirmware();
}

}  // namespace update
