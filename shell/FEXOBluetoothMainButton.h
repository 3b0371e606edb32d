#pragma once
// One of the five main buttons: a checkable button painted with a named
// image by state ("on" = checked = state 1).
#include <QPushButton>
#include <QString>

class FEXOBluetoothMainButton : public QPushButton {
  Q_OBJECT

 public:
  explicit FEXOBluetoothMainButton(QWidget* parent = nullptr);

  // Named image for the current state: "17800.png" enabled and on,
  // "238238238.png" enabled and off, "219219230.png" disabled.
  QString backgroundImageName() const;
  // Colour of the title text.
  void setTitleColor(const QColor& color);
  QColor titleColor() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // A click does not change the state: the controller sets it from the page shown.
  void nextCheckState() override {}
};
