#include "shell/FEXOBluetoothManagerView.h"

#include "shell/FEXOBluetoothManagerAppController.h"

FEXOBluetoothManagerView::FEXOBluetoothManagerView(QWidget* parent) : QWidget(parent) {}

void FEXOBluetoothManagerView::mousePressEvent(QMouseEvent* event) {
  if (m_appController) {
    m_appController->setListTabsOpened(false);
    m_appController->enableListTabsTo(false);
  }
  QWidget::mousePressEvent(event);
}
