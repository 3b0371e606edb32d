#include "shell/FEXOBluetoothManagerAppDelegate.h"

#include <unistd.h>

#include <QCoreApplication>

#include "platform/log.h"
#include "platform/relaunch.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "transport/usb_library.h"

FEXOBluetoothManagerAppDelegate::FEXOBluetoothManagerAppDelegate(FEXOBluetoothManagerAppController* controller,
                                                                 QObject* parent)
    : QObject(parent), m_window(controller->window()), m_appController(controller), m_relauncher(&platform::relaunch_after_exit) {
  // the controller may ask from a worker thread: end the loop on the main
  // thread. exit(), not quit(): quit() would first ask the main window to close,
  // and closing the window is itself a request to terminate.
  connect(controller, &FEXOBluetoothManagerAppController::terminationRequested, this,
          [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
          &FEXOBluetoothManagerAppDelegate::applicationWillTerminate);
}

void FEXOBluetoothManagerAppDelegate::applicationWillTerminate() {
  if (m_terminated || !m_appController) return;
  m_terminated = true;

  // no worker may touch a device or the shared state once the archive is written
  m_appController->stopWorkers();

  if (!m_appController->write_configuration_archive()) {
    platform::console("cannot write " + FEXOBluetoothManagerAppController::configuration_file_path());
  }
  transport::close_usb_libraries();

  if (m_appController->restartToRecover()) {
    // the shell waits until this process is gone, so the new one reads the archive just written
    if (!m_relauncher(::getpid(), platform::executable_path())) platform::console("cannot start the relaunch shell");
  }
}
