#pragma once
// Cell of a row of the all-settings table. An on/off row holds an information
// button and an enable/disable radio pair; a pop-up row holds an information
// button and a value pop-up. Both kinds show their information button as
// infoOnOffBtn; a pop-up cell also keeps a second one, infoPopUpBtn, which
// stays hidden. The table's row builder reaches the controls only through the
// outlets below and keeps the cell's row index in it; the cell has no
// behaviour of its own.
// The outlets are guarded pointers, which need their classes complete.
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

class DeviceSettingsTableCellView : public QWidget {
 public:
  // Identifiers of the two kinds of row the table asks for.
  static constexpr char k_on_off_cell[] = "settingsAllBasicOnOffCell";
  static constexpr char k_combo_cell[] = "settingsAllBasicComboCell";

  // Builds the controls of the row kind `identifier` (also the cell's
  // objectName); any other identifier gives a cell with its title only.
  explicit DeviceSettingsTableCellView(const QString& identifier, QWidget* parent = nullptr);

  // Title of the row.
  QLabel* textField() const { return m_textField; }
  void setTextField(QLabel* value) { m_textField = value; }

  // The information button of either kind of row.
  QPushButton* infoOnOffBtn() const { return m_infoOnOffBtn; }
  void setInfoOnOffBtn(QPushButton* value) { m_infoOnOffBtn = value; }
  // The pop-up row's second information button, hidden from the start.
  QPushButton* infoPopUpBtn() const { return m_infoPopUpBtn; }
  void setInfoPopUpBtn(QPushButton* value) { m_infoPopUpBtn = value; }
  // The radio group of an on/off row (its two buttons are enablebtn and disablebtn).
  QButtonGroup* radiobtn() const { return m_radiobtn; }
  void setRadiobtn(QButtonGroup* value) { m_radiobtn = value; }
  QRadioButton* enablebtn() const { return m_enablebtn; }
  void setEnablebtn(QRadioButton* value) { m_enablebtn = value; }
  QRadioButton* disablebtn() const { return m_disablebtn; }
  void setDisablebtn(QRadioButton* value) { m_disablebtn = value; }
  // The value pop-up of a pop-up row.
  QComboBox* popUpBtn() const { return m_popUpBtn; }
  void setPopUpBtn(QComboBox* value) { m_popUpBtn = value; }

  // Index of the table row the cell shows, from 0; -1 until a row is built into it.
  int row() const { return m_row; }
  void setRow(int row) { m_row = row; }

 private:
  // Guarded references: the controls are children of the cell, and a control
  // deleted elsewhere reads as nullptr instead of dangling.
  QPointer<QLabel> m_textField;
  QPointer<QPushButton> m_infoOnOffBtn;
  QPointer<QPushButton> m_infoPopUpBtn;
  QPointer<QButtonGroup> m_radiobtn;
  QPointer<QRadioButton> m_enablebtn;
  QPointer<QRadioButton> m_disablebtn;
  QPointer<QComboBox> m_popUpBtn;
  int m_row = -1;
};
