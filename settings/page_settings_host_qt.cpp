#include "settings/page_settings_host_qt.h"

#include "settings/DeviceSettingsBaseViewController.h"

namespace settings {

session::AppState& PageSettingsHost::state() const { return m_page.state(); }

int PageSettingsHost::deviceTarget() const { return state().deviceTarget(); }
int PageSettingsHost::languageManager() const { return state().languageManager(); }
const FEXOBluetoothDeviceData& PageSettingsHost::data() const { return state().data(); }
bool PageSettingsHost::onProcessing() const { return state().onProcessing(); }
bool PageSettingsHost::listTabsOpened() const { return state().listTabsOpened(); }
void PageSettingsHost::setListTabsOpened(bool opened) { state().setListTabsOpened(opened); }
void PageSettingsHost::enableListTabsTo(bool enable) { m_page.services()->enableListTabsTo(enable); }
void PageSettingsHost::setMode(int mode) { state().setMode(mode); }
void PageSettingsHost::setDetailViewController(int mode) { m_page.services()->setDetailViewController(mode); }
void PageSettingsHost::open_message_box(const MessageBoxRequest& box) { m_page.services()->openMessageBox(box); }
void PageSettingsHost::open_save_prompt(const MessageBoxRequest& box) { m_page.openSavePrompt(box); }

}  // namespace settings
