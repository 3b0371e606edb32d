#include "widgets/DeviceSettingsTableCellView.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Width of a row's value control, in points: the radio pair or the pop-up.
constexpr int k_control_width = 182;

QPushButton* information_button(QWidget* cell, const char* name) {
  auto* button = new QPushButton(QStringLiteral("i"), cell);
  button->setObjectName(QString::fromLatin1(name));
  button->setFixedSize(22, 22);
  return button;
}

}  // namespace

DeviceSettingsTableCellView::DeviceSettingsTableCellView(const QString& identifier, QWidget* parent)
    : QWidget(parent) {
  setObjectName(identifier);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  m_textField = new QLabel(this);
  m_textField->setObjectName(QStringLiteral("textField"));
  layout->addWidget(m_textField, 1);

  if (identifier == QLatin1String(k_on_off_cell)) {
    m_infoOnOffBtn = information_button(this, "infoOnOffBtn");
    m_radiobtn = new QButtonGroup(this);
    m_radiobtn->setObjectName(QStringLiteral("radiobtn"));
    m_enablebtn = new QRadioButton(this);
    m_enablebtn->setObjectName(QStringLiteral("enablebtn"));
    m_disablebtn = new QRadioButton(this);
    m_disablebtn->setObjectName(QStringLiteral("disablebtn"));
    // enable is button 0 and disable button 1 of the group, as the row reads them
    m_radiobtn->addButton(m_enablebtn, 0);
    m_radiobtn->addButton(m_disablebtn, 1);
    // the two cells share the control's width; the information button closes the row
    m_enablebtn->setFixedWidth(k_control_width / 2);
    m_disablebtn->setFixedWidth(k_control_width / 2);
    layout->addWidget(m_enablebtn);
    layout->addWidget(m_disablebtn);
    layout->addWidget(m_infoOnOffBtn);
  } else if (identifier == QLatin1String(k_combo_cell)) {
    m_infoOnOffBtn = information_button(this, "infoOnOffBtn");
    m_infoPopUpBtn = information_button(this, "infoPopUpBtn");
    m_infoPopUpBtn->hide();
    m_popUpBtn = new QComboBox(this);
    m_popUpBtn->setObjectName(QStringLiteral("popUpBtn"));
    m_popUpBtn->setFixedWidth(k_control_width);
    layout->addWidget(m_popUpBtn);
    layout->addWidget(m_infoOnOffBtn);
    layout->addWidget(m_infoPopUpBtn);
  }
}
