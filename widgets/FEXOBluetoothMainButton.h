#pragma once
// One of the five main buttons: a checkable button painted with a named
// image by state ("on" = checked = state 1).
#include <QColor>
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
  // Colour the title is drawn in: the title colour while enabled; on the pale
  // disabled image a dark one, the page's red for the button that is on.
  QColor shownTitleColor() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // A click does not change the state: the controller sets it from the page shown.
  void nextCheckState() override {}

 private:
  bool m_hovered = false;
};
