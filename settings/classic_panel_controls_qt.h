#pragma once
// The small controls of the classic settings panel: a one-row radio matrix,
// an up/down stepper and a label that elides what does not fit. Each reports
// the user's own activation only; setting a value from code is silent.
#include <QLabel>
#include <QWidget>
#include <vector>

class QButtonGroup;
class QRadioButton;
class QToolButton;

namespace settings {

// One row of checkable cells, each an equal part of the matrix's width;
// enabling and hiding act on the matrix as a whole.
class RadioMatrix : public QWidget {
  Q_OBJECT

 public:
  // One cell per name, column 0 first; each cell's objectName is its name.
  RadioMatrix(const std::vector<QString>& cell_names, QWidget* parent);

  QRadioButton* cell(int column) const;
  int columns() const { return static_cast<int>(m_cells.size()); }
  // Selects the cell in `column`; a column outside the matrix selects none.
  void selectCellAtColumn(int column);
  // The selected column, -1 when none.
  int selectedColumn() const;

 signals:
  // The user clicked (or pressed the key of) the cell in `column`.
  void cellActivated(int column);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QButtonGroup* m_group;
  std::vector<QRadioButton*> m_cells;
};

// Up and down arrows over a number that stays within its limits (no wrap).
class Stepper : public QWidget {
  Q_OBJECT

 public:
  Stepper(double minimum, double maximum, double increment, QWidget* parent);

  double value() const { return m_value; }
  // Takes `value`, held within the limits.
  void setValue(double value);
  double minimum() const { return m_minimum; }
  double maximum() const { return m_maximum; }
  double increment() const { return m_increment; }
  // New limits and step; the value is held within the new limits.
  void setLimits(double minimum, double maximum, double increment);
  QToolButton* upArrow() const { return m_up; }
  QToolButton* downArrow() const { return m_down; }

 signals:
  // The user moved the value with an arrow.
  void stepped();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void step(double by);

  double m_minimum;
  double m_maximum;
  double m_increment;
  double m_value;
  QToolButton* m_up;
  QToolButton* m_down;
};

// A one-line label whose text ends in "…" where it is wider than the label;
// text() keeps the whole text.
class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent) : QLabel(parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace settings
