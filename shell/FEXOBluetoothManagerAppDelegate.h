#pragma once
// The application delegate: ends the application. Quit, closing the main
// window, SIGTERM and SIGINT all end the event loop; on the way out it stops
// the workers, writes the configuration archive, closes the USB library and,
// when a restart was asked for, starts the application again.
#include <sys/types.h>

#include <QObject>
#include <filesystem>
#include <functional>

class FEXOBluetoothManagerAppController;
class QMainWindow;

class FEXOBluetoothManagerAppDelegate : public QObject {
  Q_OBJECT

 public:
  // Starts the relaunch shell for process `pid` and `executable`; false on failure.
  using Relauncher = std::function<bool(pid_t pid, const std::filesystem::path& executable)>;

  explicit FEXOBluetoothManagerAppDelegate(FEXOBluetoothManagerAppController* controller, QObject* parent = nullptr);

  QMainWindow* window() const { return m_window; }
  void setWindow(QMainWindow* window) { m_window = window; }
  FEXOBluetoothManagerAppController* appController() const { return m_appController; }
  void setAppController(FEXOBluetoothManagerAppController* controller) { m_appController = controller; }

  // The shut-down: the controller's workers, archive, USB library, relaunch
  // when restartToRecover is set. Runs once; later calls do nothing.
  void applicationWillTerminate();

  // Replaces the relaunch (tests).
  void setRelauncher(Relauncher relauncher) { m_relauncher = std::move(relauncher); }

 private:
  QMainWindow* m_window = nullptr;
  FEXOBluetoothManagerAppController* m_appController = nullptr;
  Relauncher m_relauncher;
  bool m_terminated = false;
};
