#pragma once
// The link to an STM32 system-memory bootloader: a serial port (USART
// bootloader) or an I2C bus (I2C bootloader). The protocol client reads and
// writes through this interface; tests put an in-memory device behind it.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace stm32 {

// Where the client's and the ports' diagnostics go (standard error unless a
// caller gives another sink).
using Diagnostics = std::function<void(std::string_view text)>;
Diagnostics standard_error();

enum class PortResult { ok = 0, timed_out = 2, error = 3 };

// What the protocol does differently on a port.
struct PortFlags {
  bool needs_init = false;          // the bootloader learns the baud rate from a first 0x7F
  bool gives_option_bytes = false;  // GET VERSION answers two option bytes after the version
  bool byte_stream = true;          // replies can be read in parts; false: one read takes a whole reply
  bool stretches_clock = false;     // I2C: a failed acknowledgement may come from the bus controller
};

// Lines a GPIO sequence may drive on the port.
enum class Line { rts, dtr, brk };

// Expected count byte of the GET reply for one bootloader version.
struct GetReplyLength {
  std::uint8_t version;
  std::uint8_t count;
};

class Port {
 public:
  virtual ~Port() = default;
  virtual std::string_view name() const = 0;
  virtual PortFlags flags() const = 0;
  // Fills `buffer` whole: ok, timed_out when the device sent nothing more, or error.
  virtual PortResult read(std::span<std::uint8_t> buffer) = 0;
  virtual PortResult write(std::span<const std::uint8_t> bytes) = 0;
  // Drops input not read yet.
  virtual PortResult flush() = 0;
  // Drives a control line high or low at the device (low asserts RTS or DTR;
  // the data line held low is a break).
  virtual PortResult line_control(Line line, bool level) = 0;
  // The settings in force, for the console ("57600 8E1", "addr 0x39").
  virtual std::string configuration() const = 0;
  // Expected GET reply counts by bootloader version; empty when the count is read from the reply.
  virtual std::span<const GetReplyLength> get_reply_lengths() const { return {}; }
};

// Port settings from the command line.
struct PortOptions {
  std::string device;
  std::uint32_t baud_rate = 57600;
  std::string serial_mode = "8e1";
  int bus_address = 0;  // I2C address of the bootloader
};

// Serial settings of the protocol: the baud rates it knows (index 0-18) and the
// mode text of data bits, parity and stop bits.
inline constexpr std::uint32_t k_baud_rates[] = {1200,   1800,   2400,   4800,   9600,   19200,  38400,
                                                 57600,  115200, 128000, 230400, 256000, 460800, 500000,
                                                 576000, 921600, 1000000, 1500000, 2000000};
// Index of `baud_rate` in k_baud_rates, or -1.
int baud_rate_index(std::uint32_t baud_rate);
struct SerialMode {
  int data_bits = 8;
  char parity = 'E';  // 'N', 'E' or 'O'
  int stop_bits = 1;
};
// Parses "8e1"-style text (parity in either case): false when invalid.
bool parse_serial_mode(std::string_view text, SerialMode& mode);
// "%u %d%c%d" of baud rate, data bits, parity letter and stop bits; "INVALID"
// when the rate or mode is not one of the protocol's.
std::string serial_configuration(std::uint32_t baud_rate, std::string_view mode_text);

// Probes the serial driver, then the I2C driver, and keeps the first that
// takes the device. 0 when one did; 3 ("Cannot handle device") otherwise.
int open_port(const PortOptions& options, std::unique_ptr<Port>& port, const Diagnostics& diagnostics);

// The drivers' probes: 0 taken, 1 error (reported), anything else not theirs.
int probe_serial_port(const PortOptions& options, std::unique_ptr<Port>& port, const Diagnostics& diagnostics);
int probe_i2c_port(const PortOptions& options, std::unique_ptr<Port>& port, const Diagnostics& diagnostics);

}  // namespace stm32
