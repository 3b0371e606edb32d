#pragma once
// Diagnostics: console lines go to standard output, system-log lines to syslog(3).
#include <string>

namespace platform {

// One line on standard output (a newline is added).
void console(const std::string& line);
// One line in the system log (and on standard output, as the console shows it).
void system_log(const std::string& line);

// Turns every later console and system-log line off: a fuzz target runs the
// device procedures millions of times and must leave the system log alone.
void silence_logs();
// Turns them on again (a test that silences a noisy loop leaves the rest of
// its program logging).
void restore_logs();

}  // namespace platform
