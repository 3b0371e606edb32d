#include "settings/DeviceAllSettingsSheet.h"

#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "settings/DeviceSettingsViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"

namespace {
// message-box purposes and size of the sheet's two questions
constexpr int k_purpose_setting_information = 12;
constexpr int k_purpose_close_prompt = 13;
constexpr int k_size_small = 0;
}  // namespace

DeviceAllSettingsSheet::DeviceAllSettingsSheet(DeviceSettingsViewController* page) : QDialog(page), m_page(page) {
  setObjectName("sheetDeviceAllSettings");
  setWindowModality(Qt::WindowModal);
  auto* layout = new QVBoxLayout(this);
  m_table = new QTableWidget(this);
  m_table->setObjectName("tableViewAllSettings");
  layout->addWidget(m_table);
  auto* close = new QPushButton(this);
  close->setObjectName("btnCloseAllSettings");
  close->setText("OK");
  layout->addWidget(close);
  connect(close, &QPushButton::clicked, this, [this, close] { closeAllSettins(close); });
}

void DeviceAllSettingsSheet::reloadData() { m_table->viewport()->update(); }

void DeviceAllSettingsSheet::allSettingsInformation(QObject* sender) {
  auto* control = qobject_cast<QWidget*>(sender);
  if (!control) return;
  FEXOBluetoothManagerAppController* controller = m_page->appController();
  const int language = controller->languageManager();
  controller->openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
      control->toolTip().toStdString(), false, std::nullopt, AppTexts::vyla_string_ok_in(language), k_size_small,
      k_purpose_setting_information);
}

void DeviceAllSettingsSheet::closeAllSettins(QObject*) {
  FEXOBluetoothManagerAppController* controller = m_page->appController();
  const int language = controller->languageManager();
  controller->openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
      AppTexts::stringPromptSave(language), false, AppTexts::vyla_string_no_in(language),
      AppTexts::vyla_string_yes_in(language), k_size_small, k_purpose_close_prompt);
}
