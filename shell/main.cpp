#include <QApplication>
#include <QMainWindow>

#include "platform/main_queue_qt.h"
#include "platform/signals_qt.h"
#include "platform/termination_signals.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/FEXOBluetoothManagerAppDelegate.h"
#ifdef VX_SIMULATED_BUS
#include "sim/sim_env.h"
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(strings::k_application_name);
  // the first of the shut-down's steps, connected before the pages and the
  // delegate connect theirs: from the end of the event loop on, SIGTERM and
  // SIGINT end the process at once, whatever ended the loop
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { platform::begin_shut_down(); });
  platform::install_qt_main_dispatcher();
#ifdef VX_SIMULATED_BUS
  sim::attach_from_environment();
#endif

  FEXOBluetoothManagerAppController controller;
  FEXOBluetoothManagerAppDelegate delegate(&controller);

  // Quit, closing the window, SIGTERM and SIGINT all end the event loop; the
  // delegate's shut-down then runs once.
  platform::install_termination_signals([] { QApplication::exit(0); });
  controller.window()->show();
  const int result = app.exec();
  delegate.applicationWillTerminate();
  return result;
}
