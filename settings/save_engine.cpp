#include "settings/save_engine.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/format.h"
#include "session/page_modes.h"
#include "session/tab_list.h"
#include "strings/common_texts.h"
#include "strings/language.h"
#include "strings/status_texts.h"

namespace settings {

SaveEngine::SaveEngine(SavePage& page, SaveRules rules) : m_page(page), m_rules(std::move(rules)) {}

SaveEngine::~SaveEngine() { m_worker.join(); }

bool SaveEngine::save(session::Services& services, const std::function<bool()>& page_check) {
  session::AppState& state = services.state();
  if (state.onProcessing()) return false;
  session::close_tab_list(state, services);
  if (page_check && !page_check()) return false;

  services.setStatus_withWarning(services.getStatusProcessing(), false);
  state.setOnProcessing(true);
  services.setControls();
  m_page.setControls();

  m_rcThreadSave.store(k_save_running, std::memory_order_release);
  m_awaiting_report = true;
  SaveCopies copies{state.deviceTarget(), state.usbStatus(), state.data(), m_page.saveWorkingCopy()};
  m_worker.start([this, copies = std::move(copies)] {
    const int code = m_rules.procedure(copies);
    // the timer may start a recognition, which reopens the device, as soon as it
    // sees the code: nothing of this worker may touch the device after the store
    m_rcThreadSave.store(std::max(code, k_save_success), std::memory_order_release);
  });
  m_page.startSaveTimer();
  return true;
}

void SaveEngine::timerMethodSave(session::Services& services) {
  if (!m_awaiting_report) return;
  const int code = rcThreadSave();
  if (code < 0) return;
  m_worker.join();
  m_awaiting_report = false;
  m_page.stopSaveTimer();

  session::AppState& state = services.state();
  std::array<std::string, strings::k_language_count> texts;
  for (int language = 0; language < strings::k_language_count; ++language) {
    texts[static_cast<std::size_t>(language)] = status_text(code, state.mode(), state.usbStatus(), language);
  }

  if (discards(code)) {
    // the save still counts as running while the edits go
    m_page.discardEditsAfterSave();
    const int language = state.languageManager();
    services.openMessageBox({CommonTexts::vyla_string_recognized_device_not_selected_in(language), true,
                             std::nullopt, CommonTexts::vyla_string_ok_in(language),
                             session::MessageBoxSize::w420_h135, session::MessageBoxPurpose::start_over});
  }

  for (int language = 0; language < strings::k_language_count; ++language) {
    state.setStrStatus_In(texts[static_cast<std::size_t>(language)], language);
  }
  // the language in force now, which the user may have changed during the save
  services.setStatus_withWarning(state.getStrStatus(), code != k_save_success);
  state.setOnProcessing(false);
  services.setControls();
  m_page.setControls();

  if (code != k_save_success) return;
  // Only now that the page's actions are free again does the recognition take
  // the device and set onProcessing for itself; asked before, its run would
  // have been left without onProcessing while it holds the device.
  state.data().copyWithSource_version(m_page.saveWorkingCopy(), false);
  m_page.reenableAfterSave();
  const int mode_to_go = m_page.saveModeToGo();
  const int caller = mode_to_go != 0 ? session::save_then_open(mode_to_go) : state.mode();
  services.setDeviceRecognitionWithStatus_info_from(false, nullptr, caller);
}

std::string SaveEngine::status_text(int code, int mode, int usb, int language) const {
  if (code == k_save_success) return StatusTexts::vyla_status_success_usb_in(mode, usb, language).value_or("");
  const std::string failure = StatusTexts::vyla_status_failure_usb_in(mode, usb, language).value_or("");
  const std::string reason = m_rules.reason ? m_rules.reason(code, language) : std::string();
  return platform::format("%@. %@", failure, reason);
}

bool SaveEngine::discards(int code) const {
  return std::find(m_rules.discard_codes.begin(), m_rules.discard_codes.end(), code) != m_rules.discard_codes.end();
}

}  // namespace settings
