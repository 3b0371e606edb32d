// The page strip above the page and the drop-down list of setting tabs.
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include "shell/FEXOBluetoothManagerAppController.h"
#include "strings/page_strip_texts.h"
#include "update/UpdateViewController.h"
#include "widgets/main_window_layout.h"

using namespace widgets;
using namespace session;

namespace {

void set_background(QWidget* widget, const QColor& colour) {
  QPalette colours = widget->palette();
  colours.setColor(QPalette::Window, colour);
  widget->setPalette(colours);
}

void set_text_colour(QWidget* widget, const QColor& colour) {
  QPalette colours = widget->palette();
  colours.setColor(QPalette::WindowText, colour);
  widget->setPalette(colours);
}

// Moves a strip label to (its x, `y` from the bottom) with `height`, keeping its width.
void set_strip_frame(QWidget* widget, int y, int height) {
  widget->setGeometry(widget->x(), layout::k_content_height - y - height, widget->width(), height);
}

// Key sequence of a tab-list entry from its key text and modifier mask.
QKeySequence key_sequence(const device_data::MenuKeyEquivalent& key) {
  if (key.key.empty()) return QKeySequence();
  constexpr uint32_t k_command = 0x100000, k_shift = 0x20000;
  QString text;
  if (key.modifier_mask & k_command) text += "Ctrl+";
  if (key.modifier_mask & k_shift) text += "Shift+";
  return QKeySequence(text + QString::fromStdString(key.key).toUpper());
}

}  // namespace

std::string FEXOBluetoothManagerAppController::more_tabs_text(int language) { return strings::more_tabs_text(language); }

TabData FEXOBluetoothManagerAppController::strip_tabs() const {
  return mode() == k_mode_firmware_restore ? m_restoreViewController->tabData() : tabData();
}

void FEXOBluetoothManagerAppController::show_page_strip(const TabData& tabs) {
  for (QWidget* widget : std::initializer_list<QWidget*>{
           m_lblDetailTitlePagesBottomLine, m_lblDetailTitlePagesFirstBackground, m_lblDetailTitlePagesSecondBackground,
           m_lblDetailTitlePagesFirstForeground, m_lblDetailTitlePagesSecondForeground}) {
    widget->setEnabled(true);
    widget->setVisible(true);
  }
  const bool first_selected = tabs.count > 2 || tabs.selected == 0;
  const QColor window_colour = m_window->palette().color(QPalette::Window);
  const QColor title_colour = m_lblDetailTitle->palette().color(QPalette::Window);

  QLabel* selected[] = {m_lblDetailTitlePagesFirstBackground, m_lblDetailTitlePagesFirstForeground};
  QLabel* other[] = {m_lblDetailTitlePagesSecondBackground, m_lblDetailTitlePagesSecondForeground};
  if (!first_selected) std::swap(selected, other);
  for (QLabel* label : selected) set_strip_frame(label, layout::k_strip_selected_y, layout::k_strip_selected_height);
  for (QLabel* label : other) set_strip_frame(label, layout::k_strip_other_y, layout::k_strip_other_height);
  set_background(selected[0], window_colour);
  set_background(other[0], title_colour);

  // the selected label's text is black on the window's colour; the other's is
  // white, as on the dark red of the selected main button (black on it reads
  // at about 3:1)
  set_text_colour(selected[1], Qt::black);
  set_text_colour(other[1], Qt::white);

  // the unselected label takes the click
  QPushButton* clickable = first_selected ? m_btnDetailTitlePagesSecond : m_btnDetailTitlePagesFirst;
  clickable->setEnabled(true);
  clickable->setVisible(true);
  clickable->raise();
}

void FEXOBluetoothManagerAppController::enableListTabsTo(bool enable) {
  if (!enable) {
    m_boxListTabsBox->setVisible(false);
    for (int i = 0; i < 3; ++i) {
      m_btnListTabs[static_cast<size_t>(i)]->setEnabled(false);
      m_btnListTabs[static_cast<size_t>(i)]->setVisible(false);
      m_lblListTabs[static_cast<size_t>(i)]->setVisible(false);
    }
    return;
  }
  const TabData tabs = strip_tabs();
  m_boxListTabsBox->setVisible(true);
  m_boxListTabsBox->raise();
  const QColor window_colour = m_window->palette().color(QPalette::Window);
  const QColor selected_colour = m_window->palette().color(QPalette::Highlight);
  for (int i = 0; i < 3; ++i) {
    QPushButton* button = m_btnListTabs[static_cast<size_t>(i)];
    QLabel* label = m_lblListTabs[static_cast<size_t>(i)];
    if (i >= tabs.count) {
      button->setEnabled(false);
      button->setVisible(false);
      label->setVisible(false);
      continue;
    }
    device_data::MenuKeyEquivalent key;
    const std::optional<std::string> title = FEXOBluetoothDeviceData::getTabText_With_In_SetEquivalentTo(
        tabs.kinds[static_cast<size_t>(i)], showShortcuts(), languageManager(), &key);
    button->setText(QString::fromStdString(title.value_or("")));
    button->setShortcut(key_sequence(key));
    button->setEnabled(true);
    button->setVisible(true);
    set_background(label, i == tabs.selected ? selected_colour : window_colour);
    label->setVisible(true);
  }
}

void FEXOBluetoothManagerAppController::open_tab_page(int kind) {
  switch (kind) {
    case k_tab_settings: setDeviceSettingsWithStatus(true); break;
    case k_tab_speed_dial: setDeviceSettingsSpeedDialWithStatus(true); break;
    default: setDeviceSettingsSecondWithStatus(true); break;
  }
}

void FEXOBluetoothManagerAppController::moveToFirstPage(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  const int current = mode();
  if (current >= k_mode_device_settings && current <= k_mode_device_settings_speed_dial) {
    if (tabCount() == 2 && tabIndexSelected() == 1) {
      setTabIndexSelected(0);
      open_tab_page(tabAt(0));
    }
  } else if (current == k_mode_firmware_restore) {
    if (m_restoreViewController->tabCount() == 2 && m_restoreViewController->tabIndexSelected() == 1) {
      m_restoreViewController->setTabIndexSelected(0);
      setControls();
      m_restoreViewController->setControls();
    }
  }
}

void FEXOBluetoothManagerAppController::moveToSecondPage(QObject*) {
  if (onProcessing()) return;
  const int current = mode();
  const bool settings_page = current >= k_mode_device_settings && current <= k_mode_device_settings_speed_dial;
  if (!settings_page && current != k_mode_firmware_restore) return;
  const TabData tabs = strip_tabs();
  if (tabs.count == 3) {
    setListTabsOpened(!listTabsOpened());
    setControls();
  } else if (tabs.count == 2) {
    if (settings_page) {
      setTabIndexSelected(1);
      setControls();
      open_tab_page(tabAt(1));
    } else {
      m_restoreViewController->setTabIndexSelected(1);
      setControls();
      m_restoreViewController->setControls();
    }
  }
}

void FEXOBluetoothManagerAppController::changeSelectionListTabs(QObject* sender) {
  int index = -1;
  for (int i = 0; i < 3; ++i) {
    if (sender && sender == m_btnListTabs[static_cast<size_t>(i)]) index = i;
  }
  setListTabsOpened(false);
  const int current = mode();
  if (index >= 0 && current >= k_mode_device_settings && current <= k_mode_device_settings_speed_dial &&
      index < tabCount() && index != tabIndexSelected()) {
    setTabIndexSelected(index);
    open_tab_page(tabAt(index));
  } else if (index >= 0 && current == k_mode_firmware_restore && index < m_restoreViewController->tabCount() &&
             index != m_restoreViewController->tabIndexSelected()) {
    m_restoreViewController->setTabIndexSelected(index);
    setControls();
    m_restoreViewController->setControls();
  } else {
    setControls();
  }
}
