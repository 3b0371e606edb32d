#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include "recognition/DeviceRecognitionViewController.h"

#include "platform/relaunch.h"
#include "platform/signals_qt.h"
#include "shell/FEXOBluetoothManagerAppDelegate.h"
#include "shell_fixture.h"
#include "sim/libusb_lifecycle_shim.h"
#include "support/loopback_server.h"

extern char** environ;

namespace {

struct Relaunch {
  int calls = 0;
  pid_t pid = 0;
};

}  // namespace

class Termination : public ShellFixture {
 protected:
  // The delegate of `controller` with the relaunch recorded instead of run.
  std::unique_ptr<FEXOBluetoothManagerAppDelegate> delegate_for(FEXOBluetoothManagerAppController& controller) {
    auto delegate = std::make_unique<FEXOBluetoothManagerAppDelegate>(&controller);
    delegate->setRelauncher([this](pid_t pid, const std::filesystem::path&) {
      ++m_relaunch.calls;
      m_relaunch.pid = pid;
      return true;
    });
    return delegate;
  }
  bool archive_exists() const {
    return std::filesystem::exists(FEXOBluetoothManagerAppController::configuration_file_path());
  }
  Relaunch m_relaunch;
};

TEST_F(Termination, StartUpAndShutDownReachTheUsbLibraries) {
  const int inits = sim::libusb_init_calls(), legacy = sim::usb_init_calls(), exits = sim::libusb_exit_calls();
  auto controller = start();
  EXPECT_EQ(sim::libusb_init_calls(), inits + 1);
  EXPECT_EQ(sim::usb_init_calls(), legacy + 1);
  auto delegate = delegate_for(*controller);
  delegate->applicationWillTerminate();
  delegate->applicationWillTerminate();
  EXPECT_EQ(sim::libusb_exit_calls(), exits + 1) << "the shut-down runs once";
}

TEST_F(Termination, QuittingNormallyWritesTheArchiveWithoutRelaunch) {
  auto controller = start();
  controller->setDeviceTarget(0x6020);
  auto delegate = delegate_for(*controller);
  delegate->applicationWillTerminate();
  EXPECT_TRUE(archive_exists());
  EXPECT_EQ(m_relaunch.calls, 0);
  EXPECT_EQ(start()->deviceTarget(), 0x6020);
}

TEST_F(Termination, RestartToRecoverRelaunchesAfterTheArchiveIsWritten) {
  {
    auto controller = start();
    controller->setDeviceTarget(0x6020);
    controller->setRestartToRecover(true);
    controller->setModeRestartToRecover(5);
    auto delegate = delegate_for(*controller);
    delegate->applicationWillTerminate();
  }
  EXPECT_EQ(m_relaunch.calls, 1);
  EXPECT_EQ(m_relaunch.pid, ::getpid());
  auto relaunched = start();
  EXPECT_EQ(relaunched->mode(), 4);
  EXPECT_EQ(relaunched->deviceRecognitionViewController()->callerMode(), 5);
}

TEST_F(Termination, QuitCloseAndSignalsAllEndThroughTheSamePath) {
  struct Case { const char* name; std::function<void(FEXOBluetoothManagerAppController&)> end; };
  const Case cases[] = {
      {"Quit menu item", [](FEXOBluetoothManagerAppController& c) { c.window()->findChild<QAction*>("menuItemQuit")->trigger(); }},
      {"close button", [](FEXOBluetoothManagerAppController& c) { c.window()->findChild<QPushButton*>("btnClose")->click(); }},
      {"closing the window", [](FEXOBluetoothManagerAppController& c) { c.window()->close(); }},
      {"SIGTERM", [](FEXOBluetoothManagerAppController&) { std::raise(SIGTERM); }},
  };
  // the signal path serves one signal per process: the application ends with it
  static bool signals_installed = false;
  if (!signals_installed) {
    platform::install_termination_signals([] { QApplication::exit(0); });
    signals_installed = true;
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(FEXOBluetoothManagerAppController::configuration_file_path());
    auto controller = start();
    controller->setDeviceTarget(0x4D10);
    auto delegate = delegate_for(*controller);
    controller->window()->show();
    QTimer::singleShot(0, controller.get(), [&] { c.end(*controller); });
    // a safety net so a broken path fails instead of hanging
    QTimer::singleShot(5000, controller.get(), [] { QApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(archive_exists());
    EXPECT_EQ(start()->deviceTarget(), 0x4D10);
  }
}

TEST_F(Termination, SigtermDuringTheVersionCheckEndsTheManagerWithinASecond) {
  using namespace std::chrono_literals;
  // the update server sits on the version list far longer than the check's 15 s time-out
  test_support::LoopbackServer server;
  server.set_response("/fexobluetoothmanager/Software", {200, "", "text/plain", "", false, 60s});
  test_support::ScopedServerEnvironment environment(server);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

  // the manager on the simulated bus, in this test's application folder
  char* argv[] = {const_cast<char*>(VX_SIMULATED_MANAGER), nullptr};
  pid_t manager = 0;
  ASSERT_EQ(::posix_spawn(&manager, VX_SIMULATED_MANAGER, nullptr, nullptr, argv, environ), 0);
  int status = 0;
  const auto ended = [&](std::chrono::milliseconds within) {
    for (auto waited = 0ms; waited < within; waited += 10ms) {
      if (::waitpid(manager, &status, WNOHANG) == manager) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  };
  // started (a sanitizer build takes a few seconds) and waiting on the server
  for (int i = 0; i < 3000 && server.request_count("/fexobluetoothmanager/Software") == 0; ++i) {
    ASSERT_FALSE(ended(10ms)) << "the manager ended before its version check";
  }
  ASSERT_EQ(server.request_count("/fexobluetoothmanager/Software"), 1);

  const auto signalled_at = std::chrono::steady_clock::now();
  ::kill(manager, SIGTERM);
  const bool ended_in_time = ended(20s);
  const auto took = std::chrono::steady_clock::now() - signalled_at;
  if (!ended_in_time) {
    ::kill(manager, SIGKILL);
    ::waitpid(manager, &status, 0);
  }
  ASSERT_TRUE(ended_in_time);
  EXPECT_LT(took, 1s) << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
  // through the termination path: the archive is written
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(archive_exists());
}

TEST(RelaunchCommand, ThePathIsOneArgumentAndWaitsForTheOldProcess) {
  const std::vector<std::string> command = platform::relaunch_command(1234, "/opt/Vexlink Setwise/bin/vexlink setwise");
  ASSERT_EQ(command.size(), 6u);
  EXPECT_EQ(command[0], "/bin/sh");
  EXPECT_EQ(command[1], "-c");
  EXPECT_EQ(command[2], "while kill -0 \"$1\" 2>/dev/null; do sleep 0.2; done; exec \"$2\"");
  EXPECT_EQ(command[3], "sh");
  EXPECT_EQ(command[4], "1234");
  EXPECT_EQ(command[5], "/opt/Vexlink Setwise/bin/vexlink setwise");
}

TEST(RelaunchCommand, StartsTheProgramOnceTheOldProcessHasEnded) {
  char pattern[] = "/tmp/vx relaunch XXXXXX";
  const std::filesystem::path folder = ::mkdtemp(pattern);
  const std::filesystem::path program = folder / "new program";
  const std::filesystem::path marker = folder / "started";
  {
    std::ofstream script(program);
    script << "#!/bin/sh\necho started > '" << marker.string() << "'\n";
  }
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);

  // the "old process": a child that lives for half a second
  const pid_t old_process = ::fork();
  if (old_process == 0) {
    ::usleep(500000);
    ::_exit(0);
  }
  ASSERT_TRUE(platform::relaunch_after_exit(old_process, program));
  ::usleep(200000);
  EXPECT_FALSE(std::filesystem::exists(marker)) << "started while the old process still ran";
  int status = 0;
  ::waitpid(old_process, &status, 0);
  for (int i = 0; i < 50 && !std::filesystem::exists(marker); ++i) ::usleep(100000);
  EXPECT_TRUE(std::filesystem::exists(marker));
  std::filesystem::remove_all(folder);
}
