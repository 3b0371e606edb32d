#pragma once
// The application controller as a settings page's editing core sees it: the
// shared state and the controller operations, through the page's services;
// the page's own save prompt answers the prompt.
#include "session/app_state.h"
#include "settings/settings_host.h"

class DeviceSettingsBaseViewController;

namespace settings {

class PageSettingsHost : public SettingsHost {
 public:
  explicit PageSettingsHost(DeviceSettingsBaseViewController& page) : m_page(page) {}

  int deviceTarget() const override;
  int languageManager() const override;
  const FEXOBluetoothDeviceData& data() const override;
  bool onProcessing() const override;
  bool listTabsOpened() const override;
  void setListTabsOpened(bool opened) override;
  void enableListTabsTo(bool enable) override;
  void setMode(int mode) override;
  void setDetailViewController(int mode) override;
  void open_message_box(const MessageBoxRequest& box) override;
  // The page answers its save prompt: save (Yes) or moveToModeToGo (No).
  void open_save_prompt(const MessageBoxRequest& box) override;

 private:
  session::AppState& state() const;

  DeviceSettingsBaseViewController& m_page;
};

}  // namespace settings
