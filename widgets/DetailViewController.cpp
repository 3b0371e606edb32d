#include "widgets/DetailViewController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "strings/app_texts.h"

DetailViewController::DetailViewController(QWidget* parent) : QWidget(parent) {}

void DetailViewController::build_frame(const char* left_button, const char* right_button) {
  auto* layout = new QVBoxLayout(this);
  m_lblPageTitle = new QLabel(this);
  m_lblPageTitle->setObjectName("lblPageTitle");
  layout->addWidget(m_lblPageTitle);
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  m_leftButton = new QPushButton(this);
  m_leftButton->setObjectName(left_button);
  m_rightButton = new QPushButton(this);
  m_rightButton->setObjectName(right_button);
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
  m_piProcessing = new QProgressBar(this);
  m_piProcessing->setObjectName("piProcessing");
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
