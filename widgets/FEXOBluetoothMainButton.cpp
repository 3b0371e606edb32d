#include "widgets/FEXOBluetoothMainButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// The colour of the "on" image, 178/0/0: the frame and title of a disabled
// button that is on, so the page shown stays marked while an operation runs.
const QColor k_on_colour(178, 0, 0);
// Title of a disabled button that is off: dark enough to read on 219/219/230.
const QColor k_disabled_title(80, 80, 88);
// Hover lightens the red "on" image and darkens the grey "off" image; a press darkens either.
const QColor k_hover_on_overlay(255, 255, 255, 56);
const QColor k_hover_off_overlay(0, 0, 0, 20);
const QColor k_pressed_overlay(0, 0, 0, 64);

}  // namespace

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

QColor FEXOBluetoothMainButton::shownTitleColor() const {
  if (isEnabled()) return titleColor();
  return isChecked() ? k_on_colour : k_disabled_title;
}

void FEXOBluetoothMainButton::enterEvent(QEnterEvent* event) {
  m_hovered = true;
  update();
  QPushButton::enterEvent(event);
}

void FEXOBluetoothMainButton::leaveEvent(QEvent* event) {
  m_hovered = false;
  update();
  QPushButton::leaveEvent(event);
}

void FEXOBluetoothMainButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), QPixmap(":/images/" + backgroundImageName()));
  const bool pressed = isEnabled() && isDown();
  if (pressed) {
    painter.fillRect(rect(), k_pressed_overlay);
  } else if (isEnabled() && m_hovered) {
    painter.fillRect(rect(), isChecked() ? k_hover_on_overlay : k_hover_off_overlay);
    painter.setPen(isChecked() ? QColor(Qt::white) : k_on_colour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  if (!isEnabled() && isChecked()) {
    painter.setPen(QPen(k_on_colour, 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
  painter.setPen(shownTitleColor());
  // a pressed title sinks by a pixel
  painter.drawText(pressed ? rect().translated(1, 1) : rect(), Qt::AlignCenter, text());
}
