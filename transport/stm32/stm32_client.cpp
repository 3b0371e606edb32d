#include "transport/stm32/stm32_client.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "platform/clock.h"
#include "platform/format.h"

namespace stm32 {

namespace {

constexpr std::uint8_t k_get = 0x00;
constexpr std::uint8_t k_get_version = 0x01;
constexpr std::uint8_t k_plain_erase = 0x43;
// GET reply count when the port has no list for the bootloader version.
constexpr std::uint8_t k_default_get_count = 17;
constexpr std::uint32_t k_max_erase_pages = 0xFFFF;
constexpr std::uint32_t k_extended_erase_chunk = 512;
constexpr std::uint32_t k_plain_erase_chunk = 256;
// Seconds the bootloader may stay busy: writing a frame, protect commands,
// readout unprotect and mass erase, and each page of a page erase.
constexpr int k_write_limit_s = 1;
constexpr int k_protect_limit_s = 1;
constexpr int k_long_erase_limit_s = 35;
constexpr int k_page_erase_limit_s = 5;
constexpr std::uint32_t k_crc_polynomial = 0x04C11DB7;

// Families of command codes; the highest code a bootloader offers in a family is used.
struct Family {
  std::uint8_t first;
  std::uint8_t last;
  std::uint8_t CommandSet::*field;
};
constexpr Family k_families[] = {
    {0x00, 0x00, &CommandSet::get},           {0x01, 0x01, &CommandSet::get_version},
    {0x02, 0x02, &CommandSet::get_id},        {0x11, 0x11, &CommandSet::read_memory},
    {0x21, 0x21, &CommandSet::go},            {0x31, 0x32, &CommandSet::write_memory},
    {0x43, 0x45, &CommandSet::erase},         {0x63, 0x64, &CommandSet::write_protect},
    {0x73, 0x74, &CommandSet::write_unprotect}, {0x82, 0x83, &CommandSet::readout_protect},
    {0x92, 0x93, &CommandSet::readout_unprotect}, {0xA1, 0xA1, &CommandSet::crc},
};

bool offered(std::uint8_t code) { return code != k_not_offered; }

std::uint8_t xor_of(std::span<const std::uint8_t> bytes) {
  std::uint8_t result = 0;
  for (const std::uint8_t byte : bytes) result ^= byte;
  return result;
}

void put_be32(std::uint8_t* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

}  // namespace

Client::Client(Port& port, Diagnostics diagnostics) : m_port(port), m_diagnostics(std::move(diagnostics)) {}

bool Client::connect(bool initialise) {
  if (initialise && m_port.flags().needs_init && !initialise_bootloader()) return false;
  if (!get_version() || !get_commands()) return false;
  if (!offered(m_commands.get) || !offered(m_commands.get_version) || !offered(m_commands.get_id)) {
    m_diagnostics(platform::format("Unknown/unsupported device (Device ID: 0x%03x)\n", m_product_id));
    return false;
  }
  return get_id();
}

bool Client::initialise_bootloader() {
  const std::uint8_t init = k_init;
  std::uint8_t byte = 0;
  PortResult result = m_port.write({&init, 1});
  if (result == PortResult::ok) result = m_port.read({&byte, 1});
  if (result == PortResult::ok && byte == k_ack) return true;
  if (result == PortResult::ok && byte == k_nack) {
    m_diagnostics("Warning: the interface was not closed properly.\n");
    return true;
  }
  if (result == PortResult::timed_out) {
    // the bootloader may have missed the first byte while it measured the baud rate
    byte = 0;
    result = m_port.write({&init, 1});
    if (result == PortResult::ok) result = m_port.read({&byte, 1});
    if (result == PortResult::ok && (byte == k_ack || byte == k_nack)) return true;
    m_diagnostics(platform::format("2. Failed to init device(%d).\n", static_cast<int>(result)));
  }
  m_diagnostics(platform::format("Failed to init device(%d).\n", byte));
  return false;
}

bool Client::get_version() {
  if (!send_command(k_get_version)) {
    m_diagnostics("stm32_send_command Error !!");
    return false;
  }
  std::uint8_t reply[3] = {};
  const std::size_t length = m_port.flags().gives_option_bytes ? 3 : 1;
  if (m_port.read({reply, length}) != PortResult::ok) return false;
  m_version = reply[0];
  m_option1 = reply[1];
  m_option2 = reply[2];
  return wait_ack(k_get_version, 0);
}

bool Client::get_commands() {
  if (!send_command(k_get)) return false;
  std::uint8_t expected = k_default_get_count;
  for (const GetReplyLength& row : m_port.get_reply_lengths()) {
    if (row.version == m_version) expected = row.count;
  }
  std::array<std::uint8_t, 257> reply{};
  if (!read_reply(k_get, expected, reply)) return false;
  // [0] count N, [1] version, [2..N+1] the command codes
  m_commands = CommandSet{};
  std::vector<std::uint8_t> unknown;
  for (std::size_t i = 2; i < static_cast<std::size_t>(reply[0]) + 2; ++i) {
    const std::uint8_t code = reply[i];
    const auto family = std::find_if(std::begin(k_families), std::end(k_families),
                                     [code](const Family& f) { return code >= f.first && code <= f.last; });
    if (family == std::end(k_families)) {
      unknown.push_back(code);
      continue;
    }
    std::uint8_t& field = m_commands.*(family->field);
    if (!offered(field) || code > field) field = code;
  }
  if (!unknown.empty()) {
    std::string text = platform::format("GET returns unknown commands (0x%2x", unknown[0]);
    for (std::size_t i = 1; i < unknown.size(); ++i) text += platform::format(", 0x%2x", unknown[i]);
    m_diagnostics(text + ")\n");
  }
  return wait_ack(k_get, 0);
}

bool Client::get_id() {
  if (!send_command(m_commands.get_id)) return false;
  std::array<std::uint8_t, 257> reply{};
  if (!read_reply(m_commands.get_id, 1, reply)) return false;
  const std::size_t id_bytes = static_cast<std::size_t>(reply[0]) + 1;
  if (id_bytes > 2) {
    std::string text = platform::format("This bootloader returns %d extra bytes in PID:", static_cast<int>(id_bytes - 2));
    for (std::size_t i = 3; i <= id_bytes; ++i) text += platform::format(" %02x", reply[i]);
    m_diagnostics(text + "\n");
  }
  m_product_id = id_bytes >= 2 ? static_cast<std::uint16_t>(reply[1] << 8 | reply[2]) : reply[1];
  if (!wait_ack(m_commands.get_id, 0)) return false;
  m_part = find_part(m_product_id);
  if (m_part == nullptr) {
    m_diagnostics(platform::format("Unknown/unsupported device (Device ID: 0x%03x)\n", m_product_id));
    return false;
  }
  return true;
}

bool Client::send_bytes(std::span<const std::uint8_t> bytes) {
  if (m_port.write(bytes) == PortResult::ok) return true;
  m_diagnostics("Failed to send command\n");
  return false;
}

bool Client::send_command(std::uint8_t command, bool report_failure) {
  const std::uint8_t frame[2] = {command, static_cast<std::uint8_t>(~command)};
  if (!send_bytes(frame)) return false;
  std::uint8_t byte = 0;
  const PortResult result = m_port.read({&byte, 1});
  if (result == PortResult::ok && byte == k_ack) return true;
  if (!report_failure) return false;
  if (result == PortResult::ok && byte == k_nack) {
    m_diagnostics(platform::format("Got NACK from device on command 0x%02x\n", command));
  } else {
    m_diagnostics(platform::format("Unexpected reply from device on command 0x%02x\n", command));
  }
  return false;
}

bool Client::wait_ack(std::uint8_t, int time_limit_s) {
  const auto start = platform::now();
  const auto limit = std::chrono::seconds(time_limit_s);
  for (;;) {
    std::uint8_t byte = 0;
    const PortResult result = m_port.read({&byte, 1});
    if (result == PortResult::ok && byte == k_ack) return true;
    // within the limit a silent or busy bootloader is still working
    const bool working = result == PortResult::timed_out || (result == PortResult::ok && byte == k_busy);
    if (time_limit_s > 0 && working && platform::now() - start < limit) continue;
    if (result != PortResult::ok) {
      m_diagnostics("Failed to read ACK byte\n");
    } else {
      m_diagnostics(platform::format("Got byte 0x%02x instead of ACK\n", byte));
    }
    if (m_port.flags().stretches_clock) {
      m_diagnostics("Attention !!!\n");
      m_diagnostics(platform::format("\tThis %s error could be caused by your I2C\n",
                                     result == PortResult::ok && byte == k_nack ? "NACK" : "ACK"));
      m_diagnostics("\tcontroller not accepting \"clock stretching\"\n");
      m_diagnostics("\tas required by bootloader.\n");
      m_diagnostics("\tCheck \"I2C.txt\" in stm32flash source code.\n");
    }
    return false;
  }
}

bool Client::read_reply(std::uint8_t command, std::uint8_t expected_count, std::array<std::uint8_t, 257>& reply) {
  const std::span<std::uint8_t> buffer(reply);
  if (m_port.flags().byte_stream) {
    // the count byte announces the rest: count + 1 bytes
    if (m_port.read(buffer.first(1)) != PortResult::ok) return false;
    return m_port.read(buffer.subspan(1, static_cast<std::size_t>(reply[0]) + 1)) == PortResult::ok;
  }
  // a whole reply is read at once, so its length is guessed from the version
  const PortResult result = m_port.read(buffer.first(static_cast<std::size_t>(expected_count) + 2));
  if (result == PortResult::ok && reply[0] == expected_count) return true;
  m_diagnostics(platform::format("Re sync (len = %d)\n", reply[0]));
  if (!wait_ack(command, 0) || !send_command(command)) return false;
  return m_port.read(buffer.first(static_cast<std::size_t>(reply[0]) + 2)) == PortResult::ok;
}

bool Client::send_address(std::uint8_t command, std::uint32_t address) {
  std::uint8_t frame[5];
  put_be32(frame, address);
  frame[4] = xor_of({frame, 4});
  return send_bytes(frame) && wait_ack(command, 0);
}

Result Client::read_memory(std::uint32_t address, std::span<std::uint8_t> data) {
  if (data.empty()) return Result::ok;
  if (data.size() > k_max_transfer) {
    m_diagnostics("Error: READ length limit at 256 bytes\n");
    return Result::error;
  }
  const std::uint8_t command = m_commands.read_memory;
  if (!offered(command)) {
    m_diagnostics("Error: READ command not implemented in bootloader.\n");
    return Result::not_implemented;
  }
  if (!send_command(command) || !send_address(command, address)) return Result::error;
  if (!send_command(static_cast<std::uint8_t>(data.size() - 1))) return Result::error;
  return m_port.read(data) == PortResult::ok ? Result::ok : Result::error;
}

Result Client::write_memory(std::uint32_t address, std::span<const std::uint8_t> data) {
  const std::uint8_t command = m_commands.write_memory;
  if (!offered(command)) {
    m_diagnostics("Error: WRITE command not implemented in bootloader.\n");
    return Result::not_implemented;
  }
  if (address % 4 != 0) {
    m_diagnostics("Error: WRITE address must be 4 byte aligned\n");
    return Result::error;
  }
  if (data.size() > k_max_transfer) {
    m_diagnostics("Error: READ length limit at 256 bytes\n");
    return Result::error;
  }
  if (data.empty()) return Result::ok;
  if (!send_command(command) || !send_address(command, address)) return Result::error;
  // count - 1, the data padded with 0xFF to whole words, and the XOR of both
  const std::size_t padded = (data.size() + 3) / 4 * 4;
  std::vector<std::uint8_t> frame(padded + 2, 0xFF);
  frame[0] = static_cast<std::uint8_t>(padded - 1);
  std::copy(data.begin(), data.end(), frame.begin() + 1);
  frame.back() = xor_of({frame.data(), padded + 1});
  if (!send_bytes(frame)) return Result::error;
  return wait_ack(command, k_write_limit_s) ? Result::ok : Result::error;
}

Result Client::simple_command(std::uint8_t code, int time_limit_s, const char* missing, const char* failed) {
  if (!offered(code)) {
    m_diagnostics(missing);
    return Result::not_implemented;
  }
  // the second acknowledgement comes once the option bytes are rewritten
  if (!send_command(code) || !wait_ack(code, time_limit_s)) {
    m_diagnostics(failed);
    return Result::error;
  }
  return Result::ok;
}

Result Client::write_unprotect() {
  return simple_command(m_commands.write_unprotect, k_protect_limit_s,
                        "Error: WRITE UNPROTECT command not implemented in bootloader.\n",
                        "Error: Failed to WRITE UNPROTECT\n");
}

Result Client::readout_protect() {
  return simple_command(m_commands.readout_protect, k_protect_limit_s,
                        "Error: READOUT PROTECT command not implemented in bootloader.\n",
                        "Error: Failed to READOUT PROTECT\n");
}

Result Client::readout_unprotect() {
  // unprotecting erases the whole flash
  return simple_command(m_commands.readout_unprotect, k_long_erase_limit_s,
                        "Error: READOUT UNPROTECT command not implemented in bootloader.\n",
                        "Error: Failed to READOUT UNPROTECT\n");
}

Result Client::write_protect(std::span<const std::uint8_t> sectors) {
  const std::uint8_t command = m_commands.write_protect;
  if (!offered(command)) {
    m_diagnostics("Error: WRITE PROTECT command not implemented in bootloader.\n");
    return Result::not_implemented;
  }
  if (sectors.empty() || sectors.size() > 256) {
    m_diagnostics("Error: Failed to WRITE PROTECT\n");
    return Result::error;
  }
  std::vector<std::uint8_t> frame{static_cast<std::uint8_t>(sectors.size() - 1)};
  frame.insert(frame.end(), sectors.begin(), sectors.end());
  frame.push_back(xor_of(frame));
  if (!send_command(command) || !send_bytes(frame) || !wait_ack(command, k_protect_limit_s)) {
    m_diagnostics("Error: Failed to WRITE PROTECT\n");
    return Result::error;
  }
  return Result::ok;
}

Result Client::erase_memory(std::uint32_t first_page, std::uint32_t pages) {
  if (pages == 0) return Result::ok;
  if (!offered(m_commands.erase)) {
    m_diagnostics("Error: ERASE command not implemented in bootloader.\n");
    return Result::not_implemented;
  }
  if (pages == k_mass_erase) {
    if (m_part != nullptr && m_part->page_wise_erase) return erase_pages(0, page_count(*m_part));
    return mass_erase();
  }
  if (static_cast<std::uint64_t>(first_page) + pages > k_max_erase_pages) {
    m_diagnostics("Erase failed.\n");
    return Result::error;
  }
  return erase_pages(first_page, pages);
}

Result Client::mass_erase() {
  const std::uint8_t command = m_commands.erase;
  if (!send_command(command)) {
    m_diagnostics("Can't initiate chip mass erase!\n");
    return Result::error;
  }
  if (command == k_plain_erase) {
    const std::uint8_t frame[2] = {0xFF, 0x00};
    if (!send_bytes(frame) || !wait_ack(command, k_long_erase_limit_s)) {
      m_diagnostics("Mass erase error.\n");
      return Result::error;
    }
    return Result::ok;
  }
  const std::uint8_t frame[3] = {0xFF, 0xFF, 0x00};
  if (!send_bytes(frame) || !wait_ack(command, k_long_erase_limit_s)) {
    m_diagnostics("Mass erase failed. Try specifying the number of pages to be erased.\n");
    return Result::error;
  }
  return Result::ok;
}

Result Client::erase_pages(std::uint32_t first_page, std::uint32_t pages) {
  const std::uint8_t command = m_commands.erase;
  const bool extended = command != k_plain_erase;
  // the plain command names each page in one byte
  if (!extended && first_page + pages > k_plain_erase_chunk) {
    m_diagnostics("Erase failed.\n");
    return Result::error;
  }
  const std::uint32_t chunk_limit = extended ? k_extended_erase_chunk : k_plain_erase_chunk;
  for (std::uint32_t done = 0; done < pages;) {
    const std::uint32_t chunk = std::min(chunk_limit, pages - done);
    std::vector<std::uint8_t> frame;
    if (extended) {
      frame = {static_cast<std::uint8_t>((chunk - 1) >> 8), static_cast<std::uint8_t>(chunk - 1)};
    } else {
      frame = {static_cast<std::uint8_t>(chunk - 1)};
    }
    for (std::uint32_t page = first_page + done; page < first_page + done + chunk; ++page) {
      if (extended) frame.push_back(static_cast<std::uint8_t>(page >> 8));
      frame.push_back(static_cast<std::uint8_t>(page));
    }
    frame.push_back(xor_of(frame));
    if (!send_command(command)) {
      m_diagnostics("Page-by-page erase error.\n");
      return Result::error;
    }
    if (!send_bytes(frame) || !wait_ack(command, k_page_erase_limit_s * static_cast<int>(chunk))) {
      m_diagnostics("Page-by-page erase failed. Check the maximum pages your device supports.\n");
      return Result::error;
    }
    done += chunk;
  }
  return Result::ok;
}

Result Client::go(std::uint32_t address) {
  const std::uint8_t command = m_commands.go;
  if (!offered(command)) {
    m_diagnostics("Error: GO command not implemented in bootloader.\n");
    return Result::not_implemented;
  }
  if (address % 4 != 0) {
    m_diagnostics("Error: code address must be 4 byte aligned\n");
    return Result::error;
  }
  return send_command(command) && send_address(command, address) ? Result::ok : Result::error;
}

Result Client::crc_memory(std::uint32_t start, std::uint32_t end, std::uint32_t& crc) {
  if (start % 4 != 0 || end % 4 != 0) {
    m_diagnostics("Start and end addresses must be 4 byte aligned\n");
    return Result::error;
  }
  const std::uint8_t command = m_commands.crc;
  if (!offered(command)) {
    m_diagnostics("Error: CRC command not implemented in bootloader.\n");
    return Result::not_implemented;
  }
  if (end < start) return Result::error;
  if (!send_command(command) || !send_address(command, start)) return Result::error;
  // the length frame as the address frame, then the CRC most significant byte first and its XOR
  std::uint8_t length[5];
  put_be32(length, end - start);
  length[4] = xor_of({length, 4});
  if (!send_bytes(length) || !wait_ack(command, 0)) return Result::error;
  std::uint8_t reply[5];
  if (m_port.read(reply) != PortResult::ok || xor_of({reply, 4}) != reply[4]) return Result::error;
  crc = static_cast<std::uint32_t>(reply[0]) << 24 | static_cast<std::uint32_t>(reply[1]) << 16 |
        static_cast<std::uint32_t>(reply[2]) << 8 | reply[3];
  return Result::ok;
}

Result Client::crc_wrapper(std::uint32_t start, std::uint32_t end, std::uint32_t& crc) {
  if (start % 4 != 0 || end % 4 != 0) {
    m_diagnostics("Start and end addresses must be 4 byte aligned\n");
    return Result::error;
  }
  if (offered(m_commands.crc)) return crc_memory(start, end, crc);
  if (end < start) return Result::error;
  std::uint32_t value = 0xFFFFFFFFu;
  std::array<std::uint8_t, k_max_transfer> buffer{};
  for (std::uint32_t address = start; address < end;) {
    const std::uint32_t length = std::min<std::uint32_t>(k_max_transfer, end - address);
    const double percent = 100.0 * (address - start) / (end - start);
    m_diagnostics(platform::format("\rCRC address 0x%08x (%.2f%%) ", address, percent));
    if (read_memory(address, {buffer.data(), length}) != Result::ok) {
      m_diagnostics(platform::format("Failed to read memory at address 0x%08x, target write-protected?\n", address));
      return Result::error;
    }
    compute_crc(value, {buffer.data(), length}, value, m_diagnostics);
    address += length;
  }
  m_diagnostics("Done.\n");
  crc = value;
  return Result::ok;
}

std::uint32_t Client::page_index(std::uint32_t address) const {
  return m_part == nullptr ? 0 : stm32::page_index(*m_part, address);
}

Result Client::compute_crc(std::uint32_t initial, std::span<const std::uint8_t> data, std::uint32_t& crc,
                           const Diagnostics& diagnostics) {
  if (data.size() % 4 != 0) {
    diagnostics("Buffer length must be multiple of 4 bytes\n");
    return Result::error;
  }
  std::uint32_t value = initial;
  for (std::size_t at = 0; at < data.size(); at += 4) {
    value ^= static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
             static_cast<std::uint32_t>(data[at + 2]) << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24;
    for (int bit = 0; bit < 32; ++bit) value = (value & 0x80000000u) ? (value << 1) ^ k_crc_polynomial : value << 1;
  }
  crc = value;
  return Result::ok;
}

}  // namespace stm32
