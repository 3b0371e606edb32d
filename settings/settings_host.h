#pragma once
// What the settings page's core needs of the application controller: its
// shared state, read at every use, and the few controller operations the
// page's actions end in. The page implements it over session::Services; tests
// use a recording fake. Qt-free.
#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/message_box.h"
#include "session/tab_list.h"

namespace settings {

using session::MessageBoxRequest;

class SettingsHost {
 public:
  virtual ~SettingsHost() = default;

  // ---- shared state ----
  // The selected product id; every per-model rule tests it.
  virtual int deviceTarget() const = 0;
  // Interface language 0..12.
  virtual int languageManager() const = 0;
  // The device as recognition read it: the reference of every comparison.
  virtual const FEXOBluetoothDeviceData& data() const = 0;
  // True while a long operation runs; the page's actions do nothing then.
  virtual bool onProcessing() const = 0;
  // The drop-down list of settings tabs; an action closes it first
  // (session::close_tab_list with the host as state and controller).
  virtual bool listTabsOpened() const = 0;
  virtual void setListTabsOpened(bool opened) = 0;

  // ---- controller operations ----
  // Shows or hides the drop-down list of settings tabs.
  virtual void enableListTabsTo(bool enable) = 0;
  virtual void setMode(int mode) = 0;
  // Switches the main window to page `mode`.
  virtual void setDetailViewController(int mode) = 0;
  // Opens a notice; the controller answers it as every box of its purpose.
  virtual void open_message_box(const MessageBoxRequest& box) = 0;
  // Opens the save prompt of the settings page
  // (MessageBoxPurpose::save_settings), answered by the page: Yes saves, No
  // leaves without saving (moveToModeToGo).
  virtual void open_save_prompt(const MessageBoxRequest& box) = 0;
};

}  // namespace settings
