#pragma once
// The pages' indicator of a wait with no measurable progress (a server list
// being read, a file being downloaded): while it runs, a ring of spokes turns
// inside its frame, one spoke every 80 ms; stopped, it shows nothing.
#include <QWidget>

class QTimer;

class BusyIndicator : public QWidget {
  Q_OBJECT

 public:
  // Spokes of the ring; the turn advances one spoke a step.
  static constexpr int k_spokes = 12;

  explicit BusyIndicator(QWidget* parent = nullptr);

  void setRunning(bool running);
  bool isRunning() const { return m_running; }
  // The spoke drawn brightest, 0..k_spokes-1; it moves only while running.
  int step() const { return m_step; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void advance();

  QTimer* m_timer = nullptr;
  bool m_running = false;
  int m_step = 0;
};
