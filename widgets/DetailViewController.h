#pragma once
// Base of every page of the main window. The page is its own view; the
// controller puts it into the page area and refreshes it through setControls
// and setShortcuts after every change. A page reaches the controller only
// through session::Services and the shared state behind it.
#include <QWidget>

#include "session/services.h"

class QLabel;
class QProgressBar;
class QPushButton;

class DetailViewController : public QWidget {
  Q_OBJECT

 public:
  explicit DetailViewController(QWidget* parent = nullptr);

  void setServices(session::Services* services) { m_services = services; }
  session::Services* services() const { return m_services; }
  // The controller's shared state (services must be set).
  session::AppState& state() const { return m_services->state(); }

  // Refreshes every control of the page from the shared state; nothing here.
  virtual void setControls() {}
  // Sets the button titles, or the shortcut hints while the controller shows them; nothing here.
  virtual void setShortcuts() {}

  // The content the controller puts into the main window.
  QWidget* view() { return this; }

 protected:
  // Lays out a page title (objectName "lblPageTitle") above the page body and
  // two buttons with the given object names below it (left, right).
  void build_frame(const char* left_button, const char* right_button);
  // The title shows the name of page `mode`; the buttons the given captions.
  void show_titles(int mode, const QString& left_caption, const QString& right_caption);
  // Makes the page's activity bar (objectName "piProcessing"); the page places it.
  QProgressBar* make_processing_indicator();
  // The activity bar runs (a busy bar that moves by itself) while `processing`,
  // and stands empty and still otherwise.
  void show_processing(bool processing);

  QLabel* m_lblPageTitle = nullptr;
  QPushButton* m_leftButton = nullptr;
  QPushButton* m_rightButton = nullptr;
  QProgressBar* m_piProcessing = nullptr;

 private:
  session::Services* m_services = nullptr;
};
