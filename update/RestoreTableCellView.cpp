#include "update/RestoreTableCellView.h"

#include <QHBoxLayout>
#include <QLabel>

RestoreTableCellView::RestoreTableCellView(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(k_identifier));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  m_settingNameText = new QLabel(this);
  m_settingNameText->setObjectName(QStringLiteral("settingNameText"));
  m_settingNameText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_settingValueText = new QLabel(this);
  m_settingValueText->setObjectName(QStringLiteral("settingValueText"));
  m_settingValueText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // the name column as wide as the backup panel's labels above the table
  layout->addWidget(m_settingNameText, 3);
  layout->addWidget(m_settingValueText, 2);
}
