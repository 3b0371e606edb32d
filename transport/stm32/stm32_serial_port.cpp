// Serial port driver of the bootloader link, over termios.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "platform/format.h"
#include "transport/stm32/stm32_port.h"

namespace stm32 {

namespace {

struct SpeedRow {
  std::uint32_t baud_rate;
  speed_t speed;
};
// The rates this driver sets, a subset of the protocol's.
constexpr SpeedRow k_speeds[] = {{1200, B1200},   {1800, B1800},   {2400, B2400},   {4800, B4800},
                                 {9600, B9600},   {19200, B19200}, {38400, B38400}, {57600, B57600},
                                 {115200, B115200}, {230400, B230400}};

bool speed_for(std::uint32_t baud_rate, speed_t& speed) {
  for (const SpeedRow& row : k_speeds) {
    if (row.baud_rate == baud_rate) {
      speed = row.speed;
      return true;
    }
  }
  return false;
}

class SerialPort final : public Port {
 public:
  SerialPort(int descriptor, const termios& saved, std::uint32_t baud_rate, std::string mode)
      : m_descriptor(descriptor), m_saved(saved), m_baud_rate(baud_rate), m_mode(std::move(mode)) {}
  ~SerialPort() override {
    ::tcsetattr(m_descriptor, TCSANOW, &m_saved);
    ::close(m_descriptor);
  }
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  std::string_view name() const override { return "UART"; }
  PortFlags flags() const override { return {.needs_init = true, .gives_option_bytes = true, .byte_stream = true}; }

  PortResult read(std::span<std::uint8_t> buffer) override {
    std::size_t got = 0;
    while (got < buffer.size()) {
      const ssize_t result = ::read(m_descriptor, buffer.data() + got, buffer.size() - got);
      if (result < 0 && errno == EINTR) continue;
      if (result < 0) return PortResult::error;
      // VTIME ends a read that received nothing within 0.5 s
      if (result == 0) return PortResult::timed_out;
      got += static_cast<std::size_t>(result);
    }
    return PortResult::ok;
  }

  PortResult write(std::span<const std::uint8_t> bytes) override {
    std::size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t result = ::write(m_descriptor, bytes.data() + written, bytes.size() - written);
      if (result < 0 && errno == EINTR) continue;
      if (result <= 0) return PortResult::error;
      written += static_cast<std::size_t>(result);
    }
    return PortResult::ok;
  }

  PortResult flush() override { return ::tcflush(m_descriptor, TCIFLUSH) == 0 ? PortResult::ok : PortResult::error; }

  PortResult line_control(Line line, bool level) override {
    // the lines are active low: asserting RTS or DTR, or sending a break, pulls them low
    if (line == Line::brk) {
      return ::ioctl(m_descriptor, level ? TIOCCBRK : TIOCSBRK) == 0 ? PortResult::ok : PortResult::error;
    }
    const int bit = line == Line::rts ? TIOCM_RTS : TIOCM_DTR;
    return ::ioctl(m_descriptor, level ? TIOCMBIC : TIOCMBIS, &bit) == 0 ? PortResult::ok : PortResult::error;
  }

  std::string configuration() const override { return serial_configuration(m_baud_rate, m_mode); }

 private:
  int m_descriptor;
  termios m_saved;
  std::uint32_t m_baud_rate;
  std::string m_mode;
};

}  // namespace

int probe_serial_port(const PortOptions& options, std::unique_ptr<Port>& port, const Diagnostics& diagnostics) {
  SerialMode mode;
  speed_t speed = B0;
  if (!parse_serial_mode(options.serial_mode, mode) || !speed_for(options.baud_rate, speed)) return 1;
  const int descriptor = ::open(options.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (descriptor < 0) return 1;
  if (!::isatty(descriptor)) {
    diagnostics(platform::format("Warning: Not a tty: %s\n", options.device));
    ::close(descriptor);
    return 2;
  }
  termios saved{};
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0 || ::tcgetattr(descriptor, &saved) != 0) {
    ::close(descriptor);
    return 1;
  }
  termios settings = saved;
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, speed);
  ::cfsetospeed(&settings, speed);
  settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  settings.c_cflag |= CLOCAL | CREAD;
  constexpr tcflag_t k_sizes[] = {CS5, CS6, CS7, CS8};
  settings.c_cflag |= k_sizes[mode.data_bits - 5];
  if (mode.parity != 'N') settings.c_cflag |= PARENB;
  if (mode.parity == 'O') settings.c_cflag |= PARODD;
  if (mode.stop_bits == 2) settings.c_cflag |= CSTOPB;
  settings.c_iflag &= ~(IXON | IXOFF | IXANY);
  // a read returns what came within 0.5 s, or nothing
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 5;
  if (::tcsetattr(descriptor, TCSANOW, &settings) != 0) {
    ::close(descriptor);
    return 1;
  }
  ::tcflush(descriptor, TCIFLUSH);
  port = std::make_unique<SerialPort>(descriptor, saved, options.baud_rate, options.serial_mode);
  return 0;
}

}  // namespace stm32
