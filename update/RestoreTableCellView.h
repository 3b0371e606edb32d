#pragma once
// Cell of a row of the restore table: the setting's name and the value the
// backup recorded for it, side by side. The cell has no behaviour of its own;
// the restore page writes both texts.
#include <QLabel>
#include <QPointer>
#include <QWidget>

class RestoreTableCellView : public QWidget {
  Q_OBJECT

 public:
  // The identifier the restore page's table gives its cells (also the cell's objectName).
  static constexpr char k_identifier[] = "RestoreTextCell";

  explicit RestoreTableCellView(QWidget* parent = nullptr);

  QLabel* settingNameText() const { return m_settingNameText; }
  void setSettingNameText(QLabel* value) { m_settingNameText = value; }
  QLabel* settingValueText() const { return m_settingValueText; }
  void setSettingValueText(QLabel* value) { m_settingValueText = value; }

 private:
  // Guarded: the labels are children of the cell.
  QPointer<QLabel> m_settingNameText;
  QPointer<QLabel> m_settingValueText;
};
