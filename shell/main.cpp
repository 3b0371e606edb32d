#include <QApplication>
#include <QMainWindow>

#include "platform/main_queue_qt.h"
#include "platform/signals_qt.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/FEXOBluetoothManagerAppDelegate.h"
#ifdef VX_SIMULATED_BUS
#include "sim/sim_env.h"
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(strings::k_application_name);
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
