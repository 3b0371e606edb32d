#pragma once
// The controller as a settings page's editing core sees it: state to set,
// calls recorded.
#include <vector>

#include "settings/settings_host.h"

namespace test_support {

class FakeSettingsHost : public settings::SettingsHost {
 public:
  int target = 0;
  int language = 0;
  FEXOBluetoothDeviceData device;
  bool processing = false;
  bool tabs_opened = false;
  std::vector<bool> tab_list_shown;
  std::vector<int> modes;
  std::vector<int> pages;
  std::vector<settings::MessageBoxRequest> boxes;
  std::vector<settings::MessageBoxRequest> save_prompts;

  int deviceTarget() const override { return target; }
  int languageManager() const override { return language; }
  const FEXOBluetoothDeviceData& data() const override { return device; }
  bool onProcessing() const override { return processing; }
  bool listTabsOpened() const override { return tabs_opened; }
  void setListTabsOpened(bool opened) override { tabs_opened = opened; }
  void enableListTabsTo(bool enable) override { tab_list_shown.push_back(enable); }
  void setMode(int mode) override { modes.push_back(mode); }
  void setDetailViewController(int mode) override { pages.push_back(mode); }
  void open_message_box(const settings::MessageBoxRequest& box) override { boxes.push_back(box); }
  void open_save_prompt(const settings::MessageBoxRequest& box) override { save_prompts.push_back(box); }
};

}  // namespace test_support
