#include "widgets/DetailViewController.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/tab_list.h"
#include "strings/app_texts.h"

DetailViewController::DetailViewController(QWidget* parent) : QWidget(parent) {}

void DetailViewController::build_frame(const char* left_button, const char* right_button) {
  auto* layout = new QVBoxLayout(this);
  m_lblPageTitle = page_control<QLabel>("lblPageTitle");
  layout->addWidget(m_lblPageTitle);
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  m_leftButton = page_control<QPushButton>(left_button);
  m_rightButton = page_control<QPushButton>(right_button);
  buttons->addWidget(m_leftButton);
  buttons->addStretch(1);
  buttons->addWidget(m_rightButton);
  layout->addLayout(buttons);
}

void DetailViewController::show_titles(int mode, const QString& left_caption, const QString& right_caption) {
  if (!m_services || !m_lblPageTitle) return;
  const int language = state().languageManager();
  m_lblPageTitle->setText(QString::fromStdString(AppTexts::vyla_string_mode_in(mode, language)));
  m_leftButton->setText(left_caption);
  m_rightButton->setText(right_caption);
}

QProgressBar* DetailViewController::make_processing_indicator() {
  m_piProcessing = page_control<QProgressBar>("piProcessing");
  m_piProcessing->setTextVisible(false);
  show_processing(false);
  return m_piProcessing;
}

void DetailViewController::show_processing(bool processing) {
  if (!m_piProcessing) return;
  // an empty range is Qt's busy bar: it moves by itself for as long as it is
  // set; idle, the bar is hidden, as an empty bar reads as an unticked box
  m_piProcessing->setRange(0, processing ? 0 : 100);
  m_piProcessing->setValue(0);
  m_piProcessing->setVisible(processing);
}

void DetailViewController::place(QWidget* widget, const Frame& frame) {
  widget->setGeometry(frame.x, height() - frame.y - frame.height, frame.width, frame.height);
}

QDialog* DetailViewController::make_edit_sheet(const QString& name, int width, int height, Qt::WindowFlags flags) {
  auto* sheet = new QDialog(this, flags);
  sheet->setObjectName(name);
  sheet->setWindowModality(Qt::WindowModal);
  sheet->setFixedSize(width, height);
  return sheet;
}

QWidget* DetailViewController::titled_outlet(const std::string& outlet) const {
  const auto found = m_titled.find(outlet);
  return found == m_titled.end() ? nullptr : found->second;
}

void DetailViewController::set_title(const std::string& outlet, const QString& text) {
  QWidget* control = titled_outlet(outlet);
  if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  }
}

void DetailViewController::close_tab_list() {
  if (m_services) session::close_tab_list(m_services->state(), *m_services);
}
