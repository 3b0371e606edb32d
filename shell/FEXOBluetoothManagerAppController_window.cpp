// The main window, built in code: every outlet is a child widget named after
// it. Positions are given as the designer measured them, from the bottom-left
// corner of the content view.
#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>

#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/DeviceSelectionViewController.h"
#include "session/key_hints.h"
#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/FEXOBluetoothManagerView.h"
#include "shell/ManagerUpdateViewController.h"
#include "update/UpdateViewController.h"
#include "widgets/FEXOBluetoothMainButton.h"
#include "widgets/main_window_layout.h"

namespace {

using namespace widgets::layout;

// Closing the window is the Quit of the application menu.
class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(FEXOBluetoothManagerAppController* controller) : m_controller(controller) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    // the termination path closes the window itself once the archive is written
    event->ignore();
    if (!m_controller->onProcessing()) m_controller->stopManager(nullptr);
  }

 private:
  FEXOBluetoothManagerAppController* m_controller;
};

// Places `widget` at (x, y) measured from the bottom-left corner of the content view.
template <class Widget>
Widget* place(Widget* widget, const char* name, int x, int y, int width, int height) {
  widget->setObjectName(name);
  widget->setGeometry(x, k_content_height - y - height, width, height);
  return widget;
}

}  // namespace

void FEXOBluetoothManagerAppController::build_window() {
  m_window = new MainWindow(this);
  m_window->setObjectName("window");
  m_view = new FEXOBluetoothManagerView;
  m_view->setObjectName("view");
  m_view->setFixedSize(k_content_width, k_content_height);
  m_window->setCentralWidget(m_view);
  QWidget* view = m_view;

  // device header
  m_imgProduct = place(new QLabel(view), "imgProduct", 16, 450, 96, 96);
  m_imgProduct->setScaledContents(true);
  m_lblProduct = place(new QLabel(view), "lblProduct", 124, 500, 300, 24);
  m_lblVersion = place(new QLabel(view), "lblVersion", 124, 472, 300, 24);

  // top buttons and their shortcut hints
  m_btnAbout = place(new QPushButton(view), "btnAbout", 596, 512, 44, 32);
  m_btnLanguageManager = place(new QPushButton(view), "btnLanguageManager", 648, 512, 44, 32);
  m_btnClose = place(new QPushButton(view), "btnClose", 700, 512, 44, 32);
  m_btnClose->setText("X");
  m_btnAbout->setText("?");
  // the hints are one line of the window's font high, so no letter is cut:
  // the key legend hangs from the top edge, the others under their buttons
  const int hint_height = QFontMetrics(view->font()).height();
  const int legend_y = k_content_height - 2 - hint_height;
  const int button_hint_y = 512 - hint_height;
  // the legend names every modifier letter of the hints and ends beside the top buttons
  const QString legend = QString::fromUtf8(session::k_key_hint_legend);
  const int legend_width = QFontMetrics(view->font()).horizontalAdvance(legend) + 4;
  m_lblShortcutsKeys = place(new QLabel(view), "lblShortcutsKeys", 588 - legend_width, legend_y, legend_width,
                             hint_height);
  m_lblShortcutsKeys->setText(legend);
  m_lblShortcutsAbout = place(new QLabel(view), "lblShortcutsAbout", 596, button_hint_y, 44, hint_height);
  m_lblShortcutsAbout->setText("[C]-A");
  m_lblShortcutsLanguageManager =
      place(new QLabel(view), "lblShortcutsLanguageManager", 648, button_hint_y, 44, hint_height);
  m_lblShortcutsLanguageManager->setText("[C]-L");
  m_lblShortcutsClose = place(new QLabel(view), "lblShortcutsClose", 700, button_hint_y, 44, hint_height);
  m_lblShortcutsClose->setText("[C]-Q");

  // main buttons
  const auto main_button = [&](const char* name, int index) {
    return place(new FEXOBluetoothMainButton(view), name, 16 + index * k_main_button_step, k_main_button_y,
                 k_main_button_width, k_main_button_height);
  };
  m_btnDeviceSelection = main_button("btnDeviceSelection", 0);
  m_btnDeviceRecognition = main_button("btnDeviceRecognition", 1);
  m_btnFirmwareUpdate = main_button("btnFirmwareUpdate", 2);
  m_btnFirmwareRestore = main_button("btnFirmwareRestore", 3);
  m_btnDeviceSettings = main_button("btnDeviceSettings", 4);

  // title bar and the two-tab page strip over it
  m_lblDetailTitle = place(new QLabel(view), "lblDetailTitle", 16, k_strip_selected_y, 728, 22);
  m_lblDetailTitle->setAutoFillBackground(true);
  m_lblDetailTitlePagesBottomLine = place(new QLabel(view), "lblDetailTitlePagesBottomLine", 16,
                                          k_strip_selected_y - 1, 728, 1);
  m_lblDetailTitlePagesFirstBackground = place(new QLabel(view), "lblDetailTitlePagesFirstBackground",
                                               k_strip_first_x, k_strip_other_y, k_strip_width, k_strip_other_height);
  m_lblDetailTitlePagesFirstForeground = place(new QLabel(view), "lblDetailTitlePagesFirstForeground",
                                               k_strip_first_x, k_strip_other_y, k_strip_width, k_strip_other_height);
  m_btnDetailTitlePagesFirst = place(new QPushButton(view), "btnDetailTitlePagesFirst", k_strip_first_x,
                                     k_strip_selected_y, k_strip_width, k_strip_selected_height);
  m_lblDetailTitlePagesSecondBackground = place(new QLabel(view), "lblDetailTitlePagesSecondBackground",
                                                k_strip_second_x, k_strip_other_y, k_strip_width, k_strip_other_height);
  m_lblDetailTitlePagesSecondForeground = place(new QLabel(view), "lblDetailTitlePagesSecondForeground",
                                                k_strip_second_x, k_strip_other_y, k_strip_width, k_strip_other_height);
  m_btnDetailTitlePagesSecond = place(new QPushButton(view), "btnDetailTitlePagesSecond", k_strip_second_x,
                                      k_strip_selected_y, k_strip_width, k_strip_selected_height);
  for (QLabel* label : {m_lblDetailTitlePagesFirstBackground, m_lblDetailTitlePagesSecondBackground}) {
    label->setAutoFillBackground(true);
  }
  for (QLabel* label : {m_lblDetailTitlePagesFirstForeground, m_lblDetailTitlePagesSecondForeground}) {
    label->setAlignment(Qt::AlignCenter);
  }
  for (QPushButton* button : {m_btnDetailTitlePagesFirst, m_btnDetailTitlePagesSecond}) {
    button->setFlat(true);
    // the labels underneath carry the look; the button only takes the click
    button->setStyleSheet("background: transparent; border: none;");
  }

  // page area and status line
  m_boxDetail = place(new QStackedWidget(view), "boxDetail", k_page_x, k_page_y, k_page_width, k_page_height);
  m_tfStatus = place(new QLabel(view), "tfStatus", 16, 10, 690, 24);
  m_tfStatus->setAutoFillBackground(true);
  m_btnStatus = place(new QPushButton(view), "btnStatus", 712, 10, 32, 24);
  m_btnStatus->setText("...");

  // drop-down list of setting tabs, under the second strip label
  m_boxListTabsBox = place(new QFrame(view), "boxListTabsBox", k_strip_second_x, k_strip_other_y - 3 * 24,
                           k_strip_width, 3 * 24);
  m_boxListTabsBox->setFrameShape(QFrame::Box);
  m_boxListTabsBox->setAutoFillBackground(true);
  const char* button_names[] = {"btnListTabs01", "btnListTabs02", "btnListTabs03"};
  const char* label_names[] = {"lblListTabs01", "lblListTabs02", "lblListTabs03"};
  for (size_t i = 0; i < 3; ++i) {
    const int row_top = static_cast<int>(i) * 24;
    QLabel* label = m_lblListTabs[i] = new QLabel(m_boxListTabsBox);
    label->setObjectName(label_names[i]);
    label->setGeometry(1, row_top + 1, k_strip_width - 2, 22);
    label->setAutoFillBackground(true);
    QPushButton* button = m_btnListTabs[i] = new QPushButton(m_boxListTabsBox);
    button->setObjectName(button_names[i]);
    button->setGeometry(1, row_top + 1, k_strip_width - 2, 22);
    button->setFlat(true);
    button->setStyleSheet("background: transparent; border: none;");
  }
  m_boxListTabsBox->raise();

  // the pages all live in the page area; one shows at a time
  for (DetailViewController* page : std::initializer_list<DetailViewController*>{
           m_managerUpdateViewController, m_deviceSelectionViewController, m_deviceRecognitionViewController,
           m_updateViewController, m_restoreViewController, m_deviceSettingsViewController,
           m_deviceSettingsSecondViewController, m_deviceSettingsSpeedDialViewController}) {
    m_boxDetail->addWidget(page->view());
  }

  // actions
  connect(m_btnDeviceSelection, &QPushButton::clicked, this, [this] { deviceSelection(m_btnDeviceSelection); });
  connect(m_btnDeviceRecognition, &QPushButton::clicked, this, [this] { deviceRecognition(m_btnDeviceRecognition); });
  connect(m_btnFirmwareUpdate, &QPushButton::clicked, this, [this] { firmwareUpdate(m_btnFirmwareUpdate); });
  connect(m_btnFirmwareRestore, &QPushButton::clicked, this, [this] { firmwareRestore(m_btnFirmwareRestore); });
  connect(m_btnDeviceSettings, &QPushButton::clicked, this, [this] { deviceSettings(m_btnDeviceSettings); });
  connect(m_btnDetailTitlePagesFirst, &QPushButton::clicked, this, [this] { moveToFirstPage(m_btnDetailTitlePagesFirst); });
  connect(m_btnDetailTitlePagesSecond, &QPushButton::clicked, this,
          [this] { moveToSecondPage(m_btnDetailTitlePagesSecond); });
  for (QPushButton* button : m_btnListTabs) {
    connect(button, &QPushButton::clicked, this, [this, button] { changeSelectionListTabs(button); });
  }
  connect(m_btnClose, &QPushButton::clicked, this, [this] {
    if (!onProcessing()) stopManager(m_btnClose);
  });
  connect(m_btnStatus, &QPushButton::clicked, this, [this] { showStatus(m_btnStatus); });

  // keyboard equivalents of the main buttons, the strip and Next/Back; the key
  // of a button acts only while that button is enabled, as a click would
  struct Key { const char* sequence; QPushButton* button; std::function<void()> action; };
  const Key keys[] = {
      {"Ctrl+S", m_btnDeviceSelection, [this] { deviceSelection(m_btnDeviceSelection); }},
      {"Ctrl+R", m_btnDeviceRecognition, [this] { deviceRecognition(m_btnDeviceRecognition); }},
      {"Ctrl+U", m_btnFirmwareUpdate, [this] { firmwareUpdate(m_btnFirmwareUpdate); }},
      {"Ctrl+E", m_btnFirmwareRestore, [this] { firmwareRestore(m_btnFirmwareRestore); }},
      {"Ctrl+T", m_btnDeviceSettings, [this] { deviceSettings(m_btnDeviceSettings); }},
      {"Ctrl+1", m_btnDetailTitlePagesFirst, [this] { moveToFirstPage(m_btnDetailTitlePagesFirst); }},
      {"Ctrl+2", m_btnDetailTitlePagesSecond, [this] { moveToSecondPage(m_btnDetailTitlePagesSecond); }},
      {"Ctrl+Right", nullptr, [this] { goNext(nullptr); }},
      {"Ctrl+Left", nullptr, [this] { goBack(nullptr); }},
  };
  for (const Key& key : keys) {
    auto* shortcut = new QShortcut(QKeySequence(key.sequence), m_window);
    connect(shortcut, &QShortcut::activated, this, [button = key.button, action = key.action] {
      if (!button || button->isEnabled()) action();
    });
  }

  build_menus();
  build_message_box();
  build_language_chooser();
  build_about_sheet();
  m_window->setFixedSize(m_window->sizeHint());
}

void FEXOBluetoothManagerAppController::build_menus() {
  QMenuBar* bar = m_window->menuBar();
  const auto item = [this](QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    return action;
  };
  m_menuApplication = bar->addMenu(QString::fromUtf8(strings::k_application_name));
  m_menuApplication->setObjectName("menuApplication");
  m_menuItemAbout = item(m_menuApplication, "menuItemAbout");
  m_menuApplication->addSeparator();
  m_menuItemHideThis = item(m_menuApplication, "menuItemHideThis");
  m_menuItemHideOthers = item(m_menuApplication, "menuItemHideOthers");
  m_menuItemShowAll = item(m_menuApplication, "menuItemShowAll");
  m_menuApplication->addSeparator();
  m_menuItemQuit = item(m_menuApplication, "menuItemQuit");
  m_menuItemQuit->setShortcut(QKeySequence("Ctrl+Q"));
  // a desktop without application hiding: the two items stay visible but unusable
  m_menuItemHideOthers->setEnabled(false);
  m_menuItemShowAll->setEnabled(false);

  m_menuHelp = bar->addMenu(QString());
  m_menuHelp->setObjectName("menuHelp");
  m_menuItemOnlineHelp = item(m_menuHelp, "menuItemOnlineHelp");
  m_menuItemManagerLanguage = item(m_menuHelp, "menuItemManagerLanguage");
  m_menuItemDiagnosticLog = item(m_menuHelp, "menuItemDiagnosticLog");
  m_menuItemKeyboradShortcuts = item(m_menuHelp, "menuItemKeyboradShortcuts");
  m_menuItemKeyboradShortcuts->setShortcut(QKeySequence("Ctrl+K"));
  m_menuItemShowPrecaution = item(m_menuHelp, "menuItemShowPrecaution");
  m_menuItemBluetoothKext = item(m_menuHelp, "menuItemBluetoothKext");

  connect(m_menuItemHideThis, &QAction::triggered, this, [this] {
    if (!onProcessing()) m_window->showMinimized();
  });
  connect(m_menuItemQuit, &QAction::triggered, this, [this] {
    if (!onProcessing()) stopManager(nullptr);
  });
  connect(m_menuItemKeyboradShortcuts, &QAction::triggered, this, [this] { changeShortcuts(nullptr); });
}
