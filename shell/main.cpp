#include <QApplication>
#include <QMainWindow>

#include "platform/main_queue_qt.h"
#include "platform/signals_qt.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vexlink Setwise");
  platform::install_qt_main_dispatcher();

  QMainWindow window;
  window.setWindowTitle("Vexlink Setwise");
  window.resize(900, 640);
  window.show();

  // Quit, closing the window, SIGTERM and SIGINT all leave through quit().
  platform::install_termination_signals([] { QApplication::quit(); });
  return app.exec();
}
