#include "widgets/BusyIndicator.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace {

constexpr std::chrono::milliseconds k_step_interval{80};

}  // namespace

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent), m_timer(new QTimer(this)) {
  m_timer->setInterval(k_step_interval);
  connect(m_timer, &QTimer::timeout, this, &BusyIndicator::advance);
  // it only shows; focus and clicks belong to the controls around it
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BusyIndicator::setRunning(bool running) {
  if (running == m_running) return;
  m_running = running;
  if (running) {
    m_timer->start();
  } else {
    m_timer->stop();
  }
  update();
}

void BusyIndicator::advance() {
  m_step = (m_step + 1) % k_spokes;
  update();
}

void BusyIndicator::paintEvent(QPaintEvent*) {
  if (!m_running) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const double radius = std::min(width(), height()) / 2.0 - 1.0;
  if (radius < 3.0) return;
  painter.translate(width() / 2.0, height() / 2.0);
  const QColor base = palette().color(QPalette::WindowText);
  // each spoke runs from half the radius to the rim
  for (int spoke = 0; spoke < k_spokes; ++spoke) {
    // the spoke of this step is drawn solid, the ones behind it fade out
    const int behind = (m_step - spoke + k_spokes) % k_spokes;
    QColor colour = base;
    colour.setAlphaF(1.0 - 0.85 * behind / (k_spokes - 1));
    painter.setPen(QPen(colour, std::max(1.5, radius / 4.0), Qt::SolidLine, Qt::RoundCap));
    painter.save();
    painter.rotate(360.0 * spoke / k_spokes);
    painter.drawLine(QPointF(0.0, -radius / 2.0), QPointF(0.0, -radius));
    painter.restore();
  }
}
