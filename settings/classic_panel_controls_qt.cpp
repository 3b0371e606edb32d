#include "settings/classic_panel_controls_qt.h"

#include <QButtonGroup>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace settings {

RadioMatrix::RadioMatrix(const std::vector<QString>& cell_names, QWidget* parent)
    : QWidget(parent), m_group(new QButtonGroup(this)) {
  for (const QString& name : cell_names) {
    auto* cell = new QRadioButton(this);
    cell->setObjectName(name);
    m_group->addButton(cell, static_cast<int>(m_cells.size()));
    m_cells.push_back(cell);
  }
  // clicks and key presses only: selecting from code emits nothing
  connect(m_group, &QButtonGroup::idClicked, this, &RadioMatrix::cellActivated);
}

QRadioButton* RadioMatrix::cell(int column) const {
  return column >= 0 && column < columns() ? m_cells[static_cast<size_t>(column)] : nullptr;
}

void RadioMatrix::selectCellAtColumn(int column) {
  if (QRadioButton* selected = cell(column)) {
    selected->setChecked(true);
    return;
  }
  // an exclusive group keeps one cell checked: clear them outside it
  m_group->setExclusive(false);
  for (QRadioButton* each : m_cells) each->setChecked(false);
  m_group->setExclusive(true);
}

int RadioMatrix::selectedColumn() const { return m_group->checkedId(); }

void RadioMatrix::resizeEvent(QResizeEvent*) {
  const int count = columns();
  if (count == 0) return;
  for (int column = 0; column < count; ++column) {
    const int left = width() * column / count;
    const int right = width() * (column + 1) / count;
    m_cells[static_cast<size_t>(column)]->setGeometry(left, 0, right - left, height());
  }
}

Stepper::Stepper(double minimum, double maximum, double increment, QWidget* parent)
    : QWidget(parent),
      m_minimum(minimum),
      m_maximum(maximum),
      m_increment(increment),
      m_value(minimum),
      m_up(new QToolButton(this)),
      m_down(new QToolButton(this)) {
  m_up->setObjectName("stepUp");
  m_down->setObjectName("stepDown");
  m_up->setArrowType(Qt::UpArrow);
  m_down->setArrowType(Qt::DownArrow);
  // holding an arrow steps on, as a stepper does
  for (QToolButton* arrow : {m_up, m_down}) arrow->setAutoRepeat(true);
  connect(m_up, &QToolButton::clicked, this, [this] { step(m_increment); });
  connect(m_down, &QToolButton::clicked, this, [this] { step(-m_increment); });
}

void Stepper::setValue(double value) {
  m_value = std::isnan(value) ? m_minimum : std::clamp(value, m_minimum, m_maximum);
}

void Stepper::setLimits(double minimum, double maximum, double increment) {
  m_minimum = minimum;
  m_maximum = maximum;
  m_increment = increment;
  setValue(m_value);
}

void Stepper::step(double by) {
  setValue(m_value + by);
  emit stepped();
}

void Stepper::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  m_up->setGeometry(0, 0, width(), half);
  m_down->setGeometry(0, half, width(), height() - half);
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                        foregroundRole());
}

}  // namespace settings
