// The about sheet, the diagnostic log a user sends to support, the online help,
// and the file panels the pages ask for.
#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <ctime>

#include "platform/deployment.h"
#include "platform/format.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/FEXOBluetoothManagerView.h"
#include "shell/diagnostic_log.h"
#include "transport/device_access.h"
#include "widgets/named_images.h"

using namespace shell;
using namespace session;

namespace {

// The about sheet and its text field, in points from the sheet's bottom-left corner.
constexpr int k_about_width = 540;
constexpr int k_about_height = 150;
constexpr int k_about_text_x = 105;
constexpr int k_about_text_y = 57;
constexpr int k_about_text_width = 430;
constexpr int k_about_text_height = 51;

// The title image in the main window (top-left coordinates, pixels).
constexpr int k_title_image_x = 432;
constexpr int k_title_image_y = 70;
constexpr int k_title_image_width = 150;
constexpr int k_title_image_height = 30;

constexpr char k_about_notice[] = "Copyright \u00A9 Vexlink. All rights reserved.";

// Help page of the interface language on the help site.
std::string online_help_path(int language) {
  switch (language) {
    case 1: return "/fr/vexlink-setwise";
    case 2: return "/de/vexlink-setwise";
    case 3: return "/it/vexlink-setwise";
    case 6: return "/es/vexlink-setwise";
    default: return "/en/vexlink-setwise";
  }
}

}  // namespace

void FEXOBluetoothManagerAppController::build_about_sheet() {
  m_sheetAbout = new QDialog(m_window);
  m_sheetAbout->setObjectName("sheetAbout");
  m_sheetAbout->setWindowModality(Qt::WindowModal);
  m_imgAboutImg = new QLabel(m_sheetAbout);
  m_imgAboutImg->setObjectName("imgAboutImg");
  m_imgAboutImg->setGeometry(16, 35, 80, 80);
  m_imgAboutImg->setScaledContents(true);
  m_tfAbout = new QLabel(m_sheetAbout);
  m_tfAbout->setObjectName("tfAbout");
  m_tfAbout->setWordWrap(true);
  m_btnAboutOK = new QPushButton(m_sheetAbout);
  m_btnAboutOK->setObjectName("btnAboutOK");
  m_btnAboutOK->setGeometry(k_about_width - 100, k_about_height - 36, 88, 28);
  m_btnAboutOK->setDefault(true);
  connect(m_btnAboutOK, &QPushButton::clicked, this, [this] { aboutOK(m_btnAboutOK); });

  // the title image beside the device header
  m_imgManagerImg = new QLabel(m_view);
  m_imgManagerImg->setObjectName("imgManagerImg");
  m_imgManagerImg->setGeometry(k_title_image_x, k_title_image_y, k_title_image_width, k_title_image_height);
  m_imgManagerImg->setScaledContents(true);
  m_imgManagerImg->setPixmap(widgets::named_image(widgets::k_image_title));

  connect(m_btnAbout, &QPushButton::clicked, this, [this] { about(m_btnAbout); });
  connect(m_menuItemAbout, &QAction::triggered, this, [this] { about(m_menuItemAbout); });
  auto* key = new QShortcut(QKeySequence("Ctrl+A"), m_window);
  connect(key, &QShortcut::activated, this, [this] { about(m_btnAbout); });
  connect(m_menuItemDiagnosticLog, &QAction::triggered, this, [this] { logStatus(m_menuItemDiagnosticLog); });
  connect(m_menuItemOnlineHelp, &QAction::triggered, this, [this] { showOnlineHelp(m_menuItemOnlineHelp); });

  m_logSavePanel = new QFileDialog(m_window);
  m_logSavePanel->setObjectName("logSavePanel");
  m_logSavePanel->setOption(QFileDialog::DontUseNativeDialog);
  m_logSavePanel->setAcceptMode(QFileDialog::AcceptSave);
  m_logSavePanel->setFileMode(QFileDialog::AnyFile);
  m_logSavePanel->setWindowModality(Qt::WindowModal);
  connect(m_logSavePanel, &QFileDialog::fileSelected, this, [this](const QString& path) {
    const bool written = write_diagnostic_log(
        path.toStdString(),
        diagnostic_log_header(m_tfStatus->text().toStdString(), recognized(), deviceTarget(), usbStatus(), data()),
        linux_diagnostic_sources(&transport::access_denied_lines));
    // a path that cannot be written leaves no file; the status line warns
    // "Diagnostic Log. Try again" so the user does not send a log that is not there
    if (!written) {
      for (int language = 0; language < strings::k_language_count; ++language) {
        setStrStatus_In(platform::format("%@. %@", stringMenuItemDiagnosticLog(language),
                                         vyla_string_try_again_in(language)),
                        language);
      }
      setStatus_withWarning(getStrStatus(), true);
    }
  });
}

void FEXOBluetoothManagerAppController::about(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  const int language = languageManager();
  m_imgAboutImg->setPixmap(widgets::named_image(widgets::k_image_application));
  m_btnAboutOK->setText(QString::fromStdString(vyla_string_ok_in(language)));
  const std::string text =
      platform::format("%@ %@ %d.%d%@", vyla_title_in(0, language), vyla_string_version_in(language),
                       k_manager_version_major, k_manager_version_minor, "") +
      "\n\n" + k_about_notice;
  m_tfAbout->setText(QString::fromStdString(text));
  m_sheetAbout->setFixedSize(k_about_width, k_about_height);
  m_tfAbout->setGeometry(k_about_text_x, k_about_height - k_about_text_y - k_about_text_height, k_about_text_width,
                         k_about_text_height);
  m_tfAbout->setAlignment(Qt::AlignCenter);
  m_sheetAbout->open();
}

void FEXOBluetoothManagerAppController::aboutOK(QObject*) { m_sheetAbout->hide(); }

void FEXOBluetoothManagerAppController::logStatus(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  if (m_logSavePanel->directory().path() == QDir::currentPath()) m_logSavePanel->setDirectory(QDir::homePath());
  m_logSavePanel->selectFile(QString::fromStdString(diagnostic_log_file_name(local)));
  m_logSavePanel->open();
}

void FEXOBluetoothManagerAppController::openFilePanel(const FilePanelRequest& request, FilePanelAnswer on_answer) {
  // one panel per question, gone once answered
  auto* panel = new QFileDialog(m_window);
  panel->setObjectName("filePanel");
  panel->setAttribute(Qt::WA_DeleteOnClose);
  panel->setOption(QFileDialog::DontUseNativeDialog);
  panel->setWindowModality(Qt::WindowModal);
  if (request.kind == FilePanelRequest::Kind::save) {
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setFileMode(QFileDialog::AnyFile);
    if (panel->directory().path() == QDir::currentPath()) panel->setDirectory(QDir::homePath());
    panel->selectFile(QString::fromStdString(request.proposed_name.value_or("")));
  } else {
    panel->setAcceptMode(QFileDialog::AcceptOpen);
    panel->setFileMode(QFileDialog::ExistingFile);
  }
  connect(panel, &QFileDialog::finished, this, [panel, on_answer = std::move(on_answer)](int result) {
    const QStringList chosen = panel->selectedFiles();
    std::optional<std::string> path;
    if (result == QDialog::Accepted && !chosen.isEmpty()) path = chosen.first().toStdString();
    if (on_answer) on_answer(path);
  });
  panel->open();
}

void FEXOBluetoothManagerAppController::showOnlineHelp(QObject*) {
  close_list_tabs();
  QDesktopServices::openUrl(
      QUrl(QString::fromStdString(platform::k_help_host + online_help_path(languageManager()))));
}
