#include "shell/FEXOBluetoothMainButton.h"

#include <QPainter>
#include <QPixmap>

FEXOBluetoothMainButton::FEXOBluetoothMainButton(QWidget* parent) : QPushButton(parent) {
  setCheckable(true);
  // the state follows the page shown, not the clicks
  setAutoExclusive(false);
}

QString FEXOBluetoothMainButton::backgroundImageName() const {
  if (!isEnabled()) return "219219230.png";
  return isChecked() ? "17800.png" : "238238238.png";
}

void FEXOBluetoothMainButton::setTitleColor(const QColor& color) {
  QPalette colours = palette();
  colours.setColor(QPalette::ButtonText, color);
  setPalette(colours);
  update();
}

QColor FEXOBluetoothMainButton::titleColor() const { return palette().color(QPalette::ButtonText); }

void FEXOBluetoothMainButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), QPixmap(":/images/" + backgroundImageName()));
  painter.setPen(titleColor());
  painter.drawText(rect(), Qt::AlignCenter, text());
}
