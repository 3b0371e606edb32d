#pragma once
// Base of every page of the main window. The page is its own view; the
// controller puts it into the page area and refreshes it through setControls
// and setShortcuts after every change. A page reaches the controller only
// through session::Services and the shared state behind it.
#include <QString>
#include <QWidget>
#include <string>
#include <unordered_map>
#include <utility>

#include "session/services.h"

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;

class DetailViewController : public QWidget {
  Q_OBJECT

 public:
  // A frame in points from the page's bottom-left corner, as the pages are drawn.
  struct Frame {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
  };

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

  // ---- building a page ----
  // A child of `parent` named `name` (the outlet's name, so a test finds it),
  // made as `new Control(args..., parent)`.
  template <class Control, class... Args>
  static Control* named_child(QWidget* parent, const QString& name, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    return control;
  }
  // A child control of the page named `name`.
  template <class Control, class... Args>
  Control* page_control(const QString& name, Args&&... args) {
    return named_child<Control>(this, name, std::forward<Args>(args)...);
  }
  // A child control of the page named `name`, placed at `frame` (see place).
  template <class Control, class AnyFrame>
  Control* page_control_at(const QString& name, const AnyFrame& frame) {
    auto* control = page_control<Control>(name);
    place(control, frame);
    return control;
  }
  // Places `widget`, a child of the page, at `frame`; Qt measures from the
  // top-left corner, so the widget's top is the page's height less the
  // frame's y and height.
  void place(QWidget* widget, const Frame& frame);
  void place(QWidget* widget, int x, int y, int width, int height) { place(widget, Frame{x, y, width, height}); }
  // The same with another frame type that has x, y, width and height.
  template <class OtherFrame>
  void place(QWidget* widget, const OtherFrame& frame) {
    place(widget, Frame{frame.x, frame.y, frame.width, frame.height});
  }

  // A window-modal edit sheet of the page named `name`, `width` by `height`
  // points; its controls are placed from its top-left corner. It stays closed
  // until the page opens it.
  QDialog* make_edit_sheet(const QString& name, int width, int height, Qt::WindowFlags flags = {});
  // A control of `sheet` named `name` at `x`, `y` (from the sheet's top-left
  // corner), `width` by `height` points, made as `new Control(args..., sheet)`.
  template <class Control, class... Args>
  static Control* sheet_control(QWidget* sheet, const QString& name, int x, int y, int width, int height,
                                Args&&... args) {
    auto* control = named_child<Control>(sheet, name, std::forward<Args>(args)...);
    control->setGeometry(x, y, width, height);
    return control;
  }

  // ---- titles by outlet name ----
  // Keeps `control` under its object name for set_title and titled_outlet and
  // answers it; the control may have no parent yet (a sheet takes it later).
  template <class Control>
  Control* titled(Control* control) {
    m_titled[control->objectName().toStdString()] = control;
    return control;
  }
  // The control kept under `outlet`; nullptr for none.
  QWidget* titled_outlet(const std::string& outlet) const;
  // Sets the text of the label or button kept under `outlet`; nothing for any other name.
  void set_title(const std::string& outlet, const QString& text);

  // Closes the drop-down list of settings tabs if it is open, as every action
  // of a page does first (nothing before the services are set).
  void close_tab_list();

  QLabel* m_lblPageTitle = nullptr;
  QPushButton* m_leftButton = nullptr;
  QPushButton* m_rightButton = nullptr;
  QProgressBar* m_piProcessing = nullptr;

 private:
  session::Services* m_services = nullptr;
  std::unordered_map<std::string, QWidget*> m_titled;
};
