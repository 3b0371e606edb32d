#pragma once
// Content view of the main window: a click anywhere outside a control closes
// an open tab list.
#include <QWidget>

class FEXOBluetoothManagerAppController;

class FEXOBluetoothManagerView : public QWidget {
  Q_OBJECT

 public:
  explicit FEXOBluetoothManagerView(QWidget* parent = nullptr);
  void setAppController(FEXOBluetoothManagerAppController* controller) { m_appController = controller; }
  FEXOBluetoothManagerAppController* appController() const { return m_appController; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  FEXOBluetoothManagerAppController* m_appController = nullptr;
};
