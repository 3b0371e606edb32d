#include "platform/termination_signals.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>

namespace {

// A child process with the manager's signal routing and a shut-down that would
// take a minute. The parent sends the signals; the child reports its steps.
class TerminationSignals : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::pipe(m_wake), 0);
    ASSERT_EQ(::pipe(m_steps), 0);
  }
  void TearDown() override {
    for (int fd : {m_wake[0], m_wake[1], m_steps[0], m_steps[1]}) ::close(fd);
  }

  // Forks the child. `quit_first`: the shut-down starts as Quit starts it,
  // with no signal; otherwise the first signal starts it.
  pid_t start_child(bool quit_first) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    // only async-signal-safe calls from here on: the parent has threads
    if (!platform::route_termination_signals(m_wake[1])) ::_exit(2);
    char byte = 'r';
    if (::write(m_steps[1], &byte, 1) != 1) ::_exit(3);
    // the main loop, until a signal wakes it or the user quits
    if (!quit_first) {
      while (::read(m_wake[0], &byte, 1) != 1) {
      }
    }
    platform::begin_shut_down();
    byte = 's';
    if (::write(m_steps[1], &byte, 1) != 1) ::_exit(3);
    // a shut-down that hangs
    for (int i = 0; i < 60; ++i) {
      const timespec second = {1, 0};
      ::nanosleep(&second, nullptr);
    }
    ::_exit(0);
  }

  // The next step the child reports.
  char step() {
    char byte = 0;
    return ::read(m_steps[0], &byte, 1) == 1 ? byte : '?';
  }

  // How the child ended, waiting at most about two seconds; -1 when it is still
  // running (it is then killed).
  int end_of(pid_t child) {
    int status = 0;
    for (int i = 0; i < 200; ++i) {
      if (::waitpid(child, &status, WNOHANG) == child) return status;
      const timespec pause = {0, 10'000'000};
      ::nanosleep(&pause, nullptr);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return -1;
  }

  int m_wake[2] = {-1, -1};
  int m_steps[2] = {-1, -1};
};

TEST_F(TerminationSignals, ASignalDuringTheShutDownEndsTheProcessAtOnce) {
  struct Case {
    const char* name;
    int first;  // 0: the shut-down starts with Quit
    int second;
  };
  const Case cases[] = {
      {"SIGTERM twice", SIGTERM, SIGTERM},
      {"Ctrl+C twice", SIGINT, SIGINT},
      {"SIGTERM, then Ctrl+C", SIGTERM, SIGINT},
      {"Quit, then SIGTERM", 0, SIGTERM},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const pid_t child = start_child(c.first == 0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(step(), 'r');
    if (c.first != 0) ::kill(child, c.first);
    // the first signal only started the shut-down
    ASSERT_EQ(step(), 's');
    ::kill(child, c.second);
    const int status = end_of(child);
    ASSERT_NE(status, -1) << "the process outlived the second signal";
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), c.second);
  }
}

}  // namespace
