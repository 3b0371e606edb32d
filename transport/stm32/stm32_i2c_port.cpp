// I2C driver of the bootloader link, over Linux i2c-dev.
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/format.h"
#include "transport/stm32/stm32_port.h"

namespace stm32 {

namespace {

// Count byte of the GET reply by I2C bootloader version: version 1.1 adds the
// no-stretch commands, 1.2 the CRC command.
constexpr GetReplyLength k_i2c_get_lengths[] = {{0x10, 11}, {0x11, 17}, {0x12, 18}};

class I2cPort final : public Port {
 public:
  I2cPort(int descriptor, int address) : m_descriptor(descriptor), m_address(address) {}
  ~I2cPort() override { ::close(m_descriptor); }
  I2cPort(const I2cPort&) = delete;
  I2cPort& operator=(const I2cPort&) = delete;

  std::string_view name() const override { return "I2C"; }
  PortFlags flags() const override { return {.byte_stream = false, .stretches_clock = true}; }

  PortResult read(std::span<std::uint8_t> buffer) override {
    const ssize_t result = ::read(m_descriptor, buffer.data(), buffer.size());
    if (result == static_cast<ssize_t>(buffer.size())) return PortResult::ok;
    // a bootloader busy with flash does not acknowledge its address
    if (result < 0 && (errno == EREMOTEIO || errno == ETIMEDOUT)) return PortResult::timed_out;
    return PortResult::error;
  }

  PortResult write(std::span<const std::uint8_t> bytes) override {
    const ssize_t result = ::write(m_descriptor, bytes.data(), bytes.size());
    return result == static_cast<ssize_t>(bytes.size()) ? PortResult::ok : PortResult::error;
  }

  PortResult flush() override { return PortResult::ok; }
  PortResult line_control(Line, bool) override { return PortResult::error; }
  std::string configuration() const override { return platform::format("addr 0x%2x", m_address); }
  std::span<const GetReplyLength> get_reply_lengths() const override { return k_i2c_get_lengths; }

 private:
  int m_descriptor;
  int m_address;
};

}  // namespace

int probe_i2c_port(const PortOptions& options, std::unique_ptr<Port>& port, const Diagnostics&) {
  const int descriptor = ::open(options.device.c_str(), O_RDWR);
  if (descriptor < 0) return 1;
  unsigned long functions = 0;
  if (::ioctl(descriptor, I2C_FUNCS, &functions) != 0) {
    ::close(descriptor);
    return 2;  // not an I2C adapter
  }
  if ((functions & I2C_FUNC_I2C) == 0 || ::ioctl(descriptor, I2C_SLAVE, options.bus_address) != 0) {
    ::close(descriptor);
    return 1;
  }
  port = std::make_unique<I2cPort>(descriptor, options.bus_address);
  return 0;
}

}  // namespace stm32
