#include "settings/DeviceAllSettingsSheet.h"

#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "settings/DeviceSettingsViewController.h"
#include "strings/app_texts.h"

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
  session::Services* controller = m_page->services();
  session::AppState& state = controller->state();
  const int language = state.languageManager();
  controller->openMessageBox({control->toolTip().toStdString(), false, std::nullopt,
                              AppTexts::vyla_string_ok_in(language), session::MessageBoxSize::w420_h115,
                              session::MessageBoxPurpose::setting_information});
}

void DeviceAllSettingsSheet::closeAllSettins(QObject*) {
  session::Services* controller = m_page->services();
  session::AppState& state = controller->state();
  const int language = state.languageManager();
  controller->openMessageBox(
      {AppTexts::stringPromptSave(language), false, AppTexts::vyla_string_no_in(language),
       AppTexts::vyla_string_yes_in(language), session::MessageBoxSize::w420_h115,
       session::MessageBoxPurpose::close_all_settings},
      [this](bool ok) {
        // Yes saves from the settings page, No drops the sheet's edits; the sheet ends either way
        hide();
        if (ok) {
          m_page->save(nullptr);
        } else {
          m_page->moveToSettingToSetting();
        }
      });
}
