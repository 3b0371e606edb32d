#include "sim/models/hid_model.h"

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "sim/bus_state.h"

namespace sim {

namespace {

constexpr std::uint16_t k_vendor_id = 0xF3A7;
constexpr std::uint8_t k_report_id = 1;
constexpr std::uint8_t k_status_busy = 1;
// A device that stays busy repeats its busy report this often.
constexpr std::chrono::milliseconds k_busy_repeat{50};
// A host without a bound of its own would wait for ever; after this the busy
// device falls silent, so such a host fails its test instead of hanging it.
constexpr std::chrono::minutes k_busy_forever_limit{10};
constexpr std::size_t k_long_request_bytes = 1023;
constexpr std::size_t k_long_reply_bytes = 67;
constexpr std::size_t k_short_reply_bytes = 65;
constexpr std::size_t k_lang_pack_report_bytes = 62;
constexpr std::uint8_t k_lang_pack_marker = '<';
constexpr std::uint8_t k_lang_pack_input_report = 2;
constexpr std::size_t k_lang_pack_chunk_max = 60;
// Name blocks: word 0 holds the length, words 1.. one character each in the low byte.
constexpr std::uint8_t k_name_blocks[] = {0x1D, 0x3C};
// Language-pack replies of command 0x03 carry 58 bytes after the command and argument.
constexpr std::size_t k_lang_pack_text_bytes = 58;
// Arguments of the language-pack commands 0x03 (read) and 0x04 (write).
constexpr std::uint8_t k_lang_pack_name = 0x02;
constexpr std::uint8_t k_lang_pack_settings = 0x03;
constexpr std::uint8_t k_lang_pack_first_speed_dial = 0x05;
// Products that reboot into their download mode on command 0x0E.
constexpr std::uint16_t k_download_mode_products[] = {0x6020, 0x6022, 0x6024};
constexpr std::uint8_t k_command_enter_download_mode = 0x0E;
// The device drops off the HID bus this long after it answered 0x0E.
constexpr std::chrono::milliseconds k_download_mode_leave_in{100};
// The product that takes its firmware section by section unless told otherwise.
constexpr std::uint16_t k_section_download_product = 0x6010;
// The products with an Airoha chip that take the Airoha block transfer unless told otherwise:
// the 0x68xx products and the mesh chip of the two-chip products.
constexpr std::uint16_t k_airoha_products[] = {0x6800, 0x6801, 0x6802, 0x6803, 0x6804,
                                               0x6805, 0x6810, 0x6811, 0x6812, 0x3220};

// Bytes a language-pack answer carries after its two leading bytes (command and
// argument), for the commands whose answer has a payload; every other command
// is answered with the two leading bytes alone.
struct LangPackPayload {
  std::uint8_t command;
  std::size_t bytes;
};
constexpr LangPackPayload k_lang_pack_payloads[] = {{0x02, 6}, {0x06, 2}, {0x0A, 1}};

std::size_t lang_pack_payload_bytes(std::uint8_t command) {
  for (const LangPackPayload& payload : k_lang_pack_payloads) {
    if (payload.command == command) return payload.bytes;
  }
  return 0;
}

std::uint8_t byte_at(std::span<const std::uint8_t> bytes, std::size_t index) {
  return index < bytes.size() ? bytes[index] : 0;
}

std::vector<std::uint16_t> name_words(const std::string& name) {
  std::vector<std::uint16_t> words{static_cast<std::uint16_t>(name.size())};
  const std::vector<std::uint16_t> characters = character_words(name);
  words.insert(words.end(), characters.begin(), characters.end());
  return words;
}

std::uint16_t bcd(std::uint8_t major, std::uint8_t minor) {
  auto digits = [](std::uint8_t value) { return static_cast<std::uint16_t>(((value / 10) % 10) << 4 | (value % 10)); };
  return static_cast<std::uint16_t>(digits(major) << 8 | digits(minor));
}

// An FM block of `words` words (15, or 11 with six presets): magic, current
// frequency and preset, presets 87.50 MHz upwards in 0.5 MHz steps, RDS on, region 2.
std::vector<std::uint16_t> fm_block_words(std::uint16_t magic, std::size_t words) {
  std::vector<std::uint16_t> block{magic, 10110, 2};
  const std::size_t presets = words - 5;
  for (std::size_t i = 0; i < presets; ++i) block.push_back(static_cast<std::uint16_t>(8750 + 50 * i));
  block.push_back(1);
  block.push_back(2);
  return block;
}

HidModelOptions with_collections(HidModelOptions options, std::vector<HidCollection> collections) {
  options.collections = std::move(collections);
  return options;
}

// A keyboard on interface 0 and the vendor collection on interface 1, as the
// devices with several collections show them.
std::vector<HidCollection> keyboard_and_vendor() {
  return {k_keyboard_collection, HidCollection{0xFF00, 1, 1}};
}

// What the device shows on the bus: its main unit, or its mesh unit.
Identity hid_identity(const HidModelOptions& options, bool mesh_unit) {
  Identity identity;
  DeviceDescriptor& descriptor = identity.descriptor;
  const HidVersion& version = mesh_unit ? options.mesh->version : options.version;
  descriptor.vendor_id = k_vendor_id;
  descriptor.product_id = mesh_unit ? options.mesh->product_id : options.product_id;
  descriptor.release_number = bcd(version.major, version.minor);
  descriptor.manufacturer = "Vexlink";
  descriptor.product = mesh_unit ? options.name + " mesh" : options.name;
  char serial[16];
  std::snprintf(serial, sizeof serial, "SIM%04X", options.product_id);
  descriptor.serial_number = serial;
  identity.hid = mesh_unit ? options.mesh->collections : options.collections;
  return identity;
}

}  // namespace

HidModel::HidModel(HidModelOptions options)
    : Model(hid_identity(options, false), options.faults), m_options(std::move(options)) {
  m_blocks = m_options.blocks;
  for (std::uint8_t id : k_name_blocks) {
    if (!m_blocks.contains(id)) m_blocks[id] = name_words(m_options.name);
  }

  const auto ok = [](std::vector<std::uint8_t> data = {}) { return Answer{0, std::move(data)}; };
  m_handlers[0x00] = [ok](std::span<const std::uint8_t>) { return ok(); };
  m_handlers[0x01] = [this, ok](std::span<const std::uint8_t>) {
    const HidVersion& version = current_version();
    const LanguagePackVersion& pack = m_options.language_pack;
    return ok({version.major, version.minor, version.secondary_type, version.secondary, 0, pack.type, pack.major,
               pack.minor});
  };
  m_handlers[0x02] = [this, ok](std::span<const std::uint8_t>) {
    return ok({m_options.bluetooth_address.begin(), m_options.bluetooth_address.end()});
  };
  m_handlers[0x03] = [this](std::span<const std::uint8_t> request) { return read_block(request, m_reply_bytes); };
  m_handlers[0x04] = [this](std::span<const std::uint8_t> request) { return write_block(request); };
  m_handlers[0x10] = [ok](std::span<const std::uint8_t> request) { return ok({byte_at(request, 2)}); };
  m_handlers[0x11] = [this, ok](std::span<const std::uint8_t> request) {
    m_committed_blocks.push_back(byte_at(request, 2));
    return ok();
  };
  m_handlers[0x12] = [this, ok](std::span<const std::uint8_t>) { return ok({m_options.mode}); };
  m_handlers[0x1A] = [this, ok](std::span<const std::uint8_t>) {
    return ok({static_cast<std::uint8_t>(m_options.fm_present)});
  };
  m_handlers[0x1B] = [this, ok](std::span<const std::uint8_t>) {
    return ok({static_cast<std::uint8_t>(m_options.motion_present)});
  };
  m_handlers[0x30] = [ok](std::span<const std::uint8_t>) { return ok(); };
  m_handlers[0x0F] = [this](std::span<const std::uint8_t>) { return switch_to_mesh(); };
  m_handlers[0x50] = [this](std::span<const std::uint8_t>) { return switch_to_mesh(); };
  if (std::ranges::find(k_download_mode_products, m_options.product_id) != std::end(k_download_mode_products)) {
    m_handlers[k_command_enter_download_mode] = [this](std::span<const std::uint8_t>) { return enter_download_mode(); };
  }

  // Language pack: the reply starts with the command and its argument.
  m_lang_pack_handlers[0x01] = [this](std::span<const std::uint8_t> request) {
    const HidVersion& version = current_version();
    const LanguagePackVersion& pack = m_options.language_pack;
    if (byte_at(request, 3) == 0x01) {
      return std::vector<std::uint8_t>{0x01, 0x01, pack.major, pack.minor, 0, 0, pack.type, 0, 0, 0};
    }
    return std::vector<std::uint8_t>{0x01, byte_at(request, 3), version.major, version.minor, version.secondary_type,
                                     version.secondary, 0};
  };
  m_lang_pack_handlers[0x02] = [this](std::span<const std::uint8_t> request) {
    const auto& address = m_options.bluetooth_address;
    std::vector<std::uint8_t> reply(2 + address.size());
    reply[0] = 0x02;
    reply[1] = byte_at(request, 3);
    std::copy(address.begin(), address.end(), reply.begin() + 2);
    return reply;
  };
  // Command 0x03 reads the name, the settings words (little-endian) or a speed dial.
  m_lang_pack_handlers[0x03] = [this](std::span<const std::uint8_t> request) {
    const std::uint8_t argument = byte_at(request, 3);
    std::string payload;
    if (argument == k_lang_pack_name) {
      payload = m_options.name;
    } else if (argument == k_lang_pack_settings) {
      for (std::uint16_t word : m_options.lang_pack_settings) {
        payload.push_back(static_cast<char>(word & 0xFF));
        payload.push_back(static_cast<char>(word >> 8));
      }
    } else if (argument >= k_lang_pack_first_speed_dial &&
               argument < k_lang_pack_first_speed_dial + m_options.lang_pack_speed_dials.size()) {
      payload = m_options.lang_pack_speed_dials[argument - k_lang_pack_first_speed_dial];
    }
    payload.resize(k_lang_pack_text_bytes, '\0');
    std::vector<std::uint8_t> reply(2 + payload.size());
    reply[0] = 0x03;
    reply[1] = argument;
    std::copy(payload.begin(), payload.end(), reply.begin() + 2);
    return reply;
  };
  // Command 0x04 with argument 0x03 stores settings words 0-2, little-endian
  // from byte 4; with argument 0x05-0x07 a speed dial, its text from byte 4 up
  // to the first NUL (or the end of the frame).
  m_lang_pack_handlers[0x04] = [this](std::span<const std::uint8_t> request) {
    const std::uint8_t argument = byte_at(request, 3);
    if (argument == k_lang_pack_settings) {
      for (std::size_t i = 0; i < m_options.lang_pack_settings.size(); ++i) {
        m_options.lang_pack_settings[i] =
            static_cast<std::uint16_t>(byte_at(request, 4 + 2 * i) | byte_at(request, 5 + 2 * i) << 8);
      }
    } else if (argument >= k_lang_pack_first_speed_dial &&
               argument < k_lang_pack_first_speed_dial + m_options.lang_pack_speed_dials.size()) {
      std::string text;
      for (std::size_t i = 4; i < request.size() && request[i] != 0; ++i) text.push_back(static_cast<char>(request[i]));
      m_options.lang_pack_speed_dials[argument - k_lang_pack_first_speed_dial] = std::move(text);
    }
    return std::vector<std::uint8_t>{0x04, argument};
  };

  if (m_options.section_download || m_options.product_id == k_section_download_product) {
    m_section_download =
        std::make_unique<SectionDownload>(*this, m_options.section_download.value_or(SectionDownloadOptions{}));
  }
  if (m_options.qcc_update) m_qcc_update = std::make_unique<QccUpdate>(*this, *m_options.qcc_update);
  if (m_options.camera) m_camera = std::make_unique<CameraCommands>(*this, *m_options.camera);
  if (m_options.mesh_module) m_mesh_module = std::make_unique<MeshModule>(*this, *m_options.mesh_module);
  if (m_options.mesh_processor) m_mesh_download = std::make_unique<MeshProcessor>(*this, *m_options.mesh_processor);
  if (m_options.airoha_block || std::ranges::find(k_airoha_products, m_options.product_id) != std::end(k_airoha_products)) {
    m_airoha_block = std::make_unique<AirohaBlock>(*this, m_options.airoha_block.value_or(AirohaBlockOptions{}));
  }
}

void HidModel::restart(std::chrono::milliseconds leave_in, std::optional<std::chrono::milliseconds> absent_for) {
  std::lock_guard lock(Bus::mutex());
  if (absent_for) {
    change_identity(main_identity(), leave_in, *absent_for);
  } else {
    leave_bus_in(leave_in);
  }
}

void HidModel::restart_mesh_unit(std::chrono::milliseconds leave_in,
                                 std::optional<std::chrono::milliseconds> absent_for) {
  std::lock_guard lock(Bus::mutex());
  if (!m_in_mesh) return;
  // the host's close while the unit restarts does not hand it back
  m_switching = true;
  if (absent_for) {
    change_identity(mesh_identity(), leave_in, *absent_for);
  } else {
    leave_bus_in(leave_in);
  }
}

HidModel::CommandHandler HidModel::command_handler(std::uint8_t command) const {
  std::lock_guard lock(Bus::mutex());
  const auto found = m_handlers.find(command);
  return found == m_handlers.end() ? CommandHandler{} : found->second;
}

void HidModel::on_command(std::uint8_t command, CommandHandler handler) {
  std::lock_guard lock(Bus::mutex());
  m_handlers[command] = std::move(handler);
}

void HidModel::on_lang_pack_command(std::uint8_t command, LangPackHandler handler) {
  std::lock_guard lock(Bus::mutex());
  m_lang_pack_handlers[command] = std::move(handler);
}

HidModel::LangPackHandler HidModel::lang_pack_handler(std::uint8_t command) const {
  std::lock_guard lock(Bus::mutex());
  const auto found = m_lang_pack_handlers.find(command);
  return found == m_lang_pack_handlers.end() ? LangPackHandler{} : found->second;
}

void HidModel::hold_mesh_unit(bool held) {
  std::lock_guard lock(Bus::mutex());
  m_mesh_held = held;
}

std::vector<std::uint16_t> HidModel::block(std::uint8_t id) const {
  std::lock_guard lock(Bus::mutex());
  const auto found = m_blocks.find(id);
  return found == m_blocks.end() ? std::vector<std::uint16_t>{} : found->second;
}

void HidModel::set_block(std::uint8_t id, std::vector<std::uint16_t> words) {
  std::lock_guard lock(Bus::mutex());
  m_blocks[id] = std::move(words);
}

int HidModel::commits() const {
  std::lock_guard lock(Bus::mutex());
  return static_cast<int>(m_committed_blocks.size());
}

std::vector<std::uint8_t> HidModel::committed_blocks() const {
  std::lock_guard lock(Bus::mutex());
  return m_committed_blocks;
}

bool HidModel::in_mesh_mode() const {
  std::lock_guard lock(Bus::mutex());
  return m_in_mesh;
}

std::shared_ptr<HidModel> HidModel::mesh_processor() const {
  std::lock_guard lock(Bus::mutex());
  return m_mesh_processor;
}

std::array<std::uint16_t, 3> HidModel::lang_pack_settings() const {
  std::lock_guard lock(Bus::mutex());
  return m_options.lang_pack_settings;
}

std::array<std::string, 3> HidModel::lang_pack_speed_dials() const {
  std::lock_guard lock(Bus::mutex());
  return m_options.lang_pack_speed_dials;
}

void HidModel::set_lang_pack_chunk_bytes(std::vector<int> sizes) {
  std::lock_guard lock(Bus::mutex());
  m_options.lang_pack_chunk_bytes = std::move(sizes);
}

bool HidModel::on_open(int) {
  ++m_open_handles;
  return true;
}

void HidModel::on_close(int) {
  m_open_handles = std::max(0, m_open_handles - 1);
  // the mesh unit hands back to the main unit once the host lets go of it
  if (m_in_mesh && m_open_handles == 0 && !m_switching && !m_mesh_held) {
    m_switching = true;
    change_identity(main_identity(), std::chrono::milliseconds(0), m_options.mesh->return_absent_for);
  }
}

void HidModel::on_arrival() {
  m_open_handles = 0;
  m_switching = false;
  m_in_mesh = m_options.mesh && identity().descriptor.product_id == m_options.mesh->product_id;
  if (!m_in_mesh) m_mesh_held = false;
}

void HidModel::on_interrupt_out(int interface_number, std::span<const std::uint8_t> report) {
  if (report.size() == k_lang_pack_report_bytes && report[1] == k_lang_pack_marker) {
    start_lang_pack_reply(report);
    return;
  }
  answer_command(interface_number, report);
}

void HidModel::answer_command(int interface_number, std::span<const std::uint8_t> request) {
  const std::uint8_t command = byte_at(request, 1);
  m_reply_bytes = request.size() >= k_long_request_bytes ? k_long_reply_bytes : k_short_reply_bytes;
  const auto status_report = [&](std::uint8_t status, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> report(m_reply_bytes, 0);
    report[0] = k_report_id;
    report[1] = command;
    report[2] = status;
    std::copy_n(data.begin(), std::min(data.size(), m_reply_bytes - 3), report.begin() + 3);
    return report;
  };

  Faults faults = this->faults();
  if (faults.silent) return;
  if (faults.busy_forever) {
    // the command never runs; on_input_read keeps the busy reports coming
    clear_input_reports();
    m_busy_since = platform::now();
    queue_input_report(interface_number, status_report(k_status_busy, {}));
    return;
  }
  for (; faults.busy_replies > 0; --faults.busy_replies) {
    queue_input_report(interface_number, status_report(k_status_busy, {}));
  }
  set_faults(faults);

  const auto handler = m_handlers.find(command);
  Answer answer = handler == m_handlers.end() ? Answer{k_hid_status_failed, {}} : handler->second(request);
  if (faults.fail_status) answer.status = *faults.fail_status;
  queue_input_report(interface_number, status_report(answer.status, answer.data), answer.after);
}

void HidModel::on_input_read(int interface_number, std::span<const std::uint8_t> report) {
  if (faults().busy_forever && byte_at(report, 2) == k_status_busy &&
      platform::now() - m_busy_since < k_busy_forever_limit) {
    queue_input_report(interface_number, {report.begin(), report.end()}, k_busy_repeat);
  }
}

void HidModel::start_lang_pack_reply(std::span<const std::uint8_t> request) {
  const std::uint8_t command = byte_at(request, 2);
  const auto handler = m_lang_pack_handlers.find(command);
  if (faults().silent || m_options.lang_pack_unanswered.contains(command)) {
    m_lang_pack_data.clear();
  } else if (handler != m_lang_pack_handlers.end()) {
    m_lang_pack_data = handler->second(request);
  } else {
    // A command without a reply of its own is acknowledged with the command and
    // argument, followed by a blank payload of the length the command's answer has.
    m_lang_pack_data = {command, byte_at(request, 3)};
    m_lang_pack_data.resize(2 + lang_pack_payload_bytes(command), 0);
  }
  if (const auto overshoot = m_options.lang_pack_overshoot.find(command);
      overshoot != m_options.lang_pack_overshoot.end() && !m_lang_pack_data.empty()) {
    m_lang_pack_data.resize(m_lang_pack_data.size() + static_cast<std::size_t>(std::max(overshoot->second, 0)), 0);
  }
  m_lang_pack_sent = 0;
  m_lang_pack_chunks_sent = 0;
}

int HidModel::on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  const bool get_input_report = setup.device_to_host() && setup.request == k_hid_get_report &&
                                (setup.value >> 8) == k_hid_input_report &&
                                (setup.value & 0xFF) == k_lang_pack_input_report;
  if (!get_input_report) return -1;
  std::size_t chunk = 0;
  if (m_lang_pack_sent < m_lang_pack_data.size()) {
    const auto& sizes = m_options.lang_pack_chunk_bytes;
    const int size = sizes.empty() ? static_cast<int>(k_lang_pack_chunk_max)
                                   : sizes[std::min(m_lang_pack_chunks_sent, sizes.size() - 1)];
    chunk = std::min({static_cast<std::size_t>(std::max(size, 1)), k_lang_pack_chunk_max,
                      m_lang_pack_data.size() - m_lang_pack_sent});
  }
  data.assign(k_lang_pack_report_bytes, 0);
  data[0] = k_lang_pack_input_report;
  data[1] = static_cast<std::uint8_t>(chunk);
  std::copy_n(m_lang_pack_data.begin() + static_cast<std::ptrdiff_t>(m_lang_pack_sent), chunk, data.begin() + 2);
  m_lang_pack_sent += chunk;
  if (chunk != 0) ++m_lang_pack_chunks_sent;
  return static_cast<int>(data.size());
}

HidModel::Answer HidModel::read_block(std::span<const std::uint8_t> request, std::size_t reply_bytes) {
  const std::uint8_t id = byte_at(request, 2);
  if (m_options.failing_blocks.contains(id)) return Answer{k_hid_status_failed, {}};
  if (const auto refused = m_options.refused_first_reads.find(id);
      refused != m_options.refused_first_reads.end() && refused->second > 0) {
    --refused->second;
    return Answer{k_hid_status_failed, {}};
  }
  const auto found = m_blocks.find(id);
  // A block the device never stored reads as the requested number of blank words.
  const std::vector<std::uint16_t> words =
      found != m_blocks.end() ? found->second : std::vector<std::uint16_t>(byte_at(request, 3), 0);
  const std::size_t fitting = std::min(words.size(), (reply_bytes - 5) / 2);
  const int reported = std::clamp(static_cast<int>(fitting) + faults().word_count_offset, 0, 255);
  Answer answer{0, {id, static_cast<std::uint8_t>(reported)}};
  for (std::size_t i = 0; i < fitting; ++i) {
    answer.data.push_back(static_cast<std::uint8_t>(words[i] >> 8));
    answer.data.push_back(static_cast<std::uint8_t>(words[i] & 0xFF));
  }
  return answer;
}

HidModel::Answer HidModel::write_block(std::span<const std::uint8_t> request) {
  const std::uint8_t id = byte_at(request, 2);
  if (m_options.failing_blocks.contains(id) || m_options.refused_writes.contains(id)) {
    return Answer{k_hid_status_failed, {}};
  }
  const std::size_t count = request.size() < 4 ? 0 : std::min<std::size_t>(byte_at(request, 3), (request.size() - 4) / 2);
  std::vector<std::uint16_t> words;
  for (std::size_t i = 0; i < count; ++i) {
    words.push_back(static_cast<std::uint16_t>(request[4 + 2 * i] << 8 | request[5 + 2 * i]));
  }
  m_blocks[id] = std::move(words);
  return Answer{0, {id, static_cast<std::uint8_t>(count)}};
}

HidModel::Answer HidModel::switch_to_mesh() {
  if (!m_options.mesh || m_in_mesh) return Answer{k_hid_status_failed, {}};
  const MeshUnit& mesh = *m_options.mesh;
  if (mesh.never_appears) return Answer{};
  if (mesh.product_id == k_mesh_processor_id) {
    // the processor joins the bus beside this unit, once; it stays there
    if (!m_mesh_processor) {
      HidModelOptions processor;
      processor.product_id = mesh.product_id;
      processor.name = m_options.name + " mesh";
      processor.collections = mesh.collections;
      processor.version = mesh.version;
      processor.mesh_processor = mesh.processor;
      m_mesh_processor = std::make_shared<HidModel>(std::move(processor));
    }
    MeshProcessor* download = m_mesh_processor->mesh_download();
    if (download != nullptr && download->take_gone_after_loader()) {
      // it comes back after its loader, or never does
      if (const auto back = mesh.processor.back_after_loader) m_mesh_processor->restart(std::chrono::milliseconds(0), *back);
    } else {
      attach_model(m_mesh_processor, mesh.leave_in + mesh.absent_for);
    }
    return Answer{};
  }
  m_switching = true;
  change_identity(mesh_identity(), mesh.leave_in, mesh.absent_for);
  return Answer{};
}

HidModel::Answer HidModel::enter_download_mode() {
  const std::uint8_t status = faults().fail_status.value_or(m_options.enter_download_status);
  // a device that refused stays where it is; otherwise it reboots away from
  // the HID bus once its answer is on the way
  if (status == 0) leave_bus_in(k_download_mode_leave_in);
  return Answer{status, {}};
}

Identity HidModel::main_identity() const { return hid_identity(m_options, false); }

Identity HidModel::mesh_identity() const { return hid_identity(m_options, true); }

const HidVersion& HidModel::current_version() const { return m_in_mesh ? m_options.mesh->version : m_options.version; }

std::vector<std::uint16_t> character_words(const std::string& text) {
  std::vector<std::uint16_t> words;
  for (unsigned char c : text) words.push_back(c);
  return words;
}

HidModelOptions hid_fixture_6020() { return HidModelOptions{}; }

HidModelOptions hid_fixture_6038() {
  HidModelOptions options;
  options.product_id = 0x6038;
  options.name = "Y370R";
  // hands-free VOX, EDR, voice prompt, PLC, bitpool, audio boost, HD intercom;
  // word 1 carries unit language 5 in bits 4-7
  options.blocks[0x36] = {0x0C3D, 0x0050};
  options.blocks[0x17] = {4, 1};
  options.blocks[0x44] = fm_block_words(0x66E9, 15);
  options.blocks[0x37] = character_words("0049301234");
  options.blocks[0x38] = character_words("112");
  options.blocks[0x39] = {};
  options.qcc_update = QccUpdateOptions{};
  return with_collections(std::move(options), keyboard_and_vendor());
}

HidModelOptions hid_fixture_4d16() {
  HidModelOptions options;
  options.product_id = 0x4D16;
  options.name = "XA6-FM";
  options.mode = 1;
  options.qcc_update = QccUpdateOptions{};
  return with_collections(std::move(options), keyboard_and_vendor());
}

HidModelOptions hid_fixture_4d16_keyboard_only() {
  return with_collections(hid_fixture_4d16(), {k_keyboard_collection});
}

HidModelOptions hid_fixture_6800() {
  HidModelOptions options;
  options.product_id = 0x6800;
  options.name = "WEBLOR GZ3";
  options.version = {2, 1, 0, 3};
  options.language_pack = {1, 1, 3};
  options.lang_pack_settings = {0x0013, 0x2345, 0x0007};
  options.lang_pack_speed_dials = {"5551234", "", "0800 11"};
  std::vector<HidCollection> collections = keyboard_and_vendor();
  collections[1].reports = HidReports::language_pack;
  return with_collections(std::move(options), std::move(collections));
}

HidModelOptions hid_fixture_3220_mesh_chip() {
  HidModelOptions options;
  options.product_id = 0x3220;
  options.name = "TORNIK mesh";
  options.version = {3, 0, 2, 1};
  options.collections = {HidCollection{0xFF00, 1, 0, HidReports::language_pack}};
  return options;
}

HidModelOptions hid_fixture_6030() {
  HidModelOptions options;
  options.product_id = 0x6030;
  options.name = "Y660 R";
  options.version = {1, 3, 0, 0};
  // hands-free VOX, voice prompt, PLC, bitpool, HD intercom, smart navigation, automatic on/off
  options.blocks[0x04] = {0x6839, 0x0000, 0x0071, 0x0004};
  options.blocks[0x14] = {3, 1};
  options.blocks[0x15] = fm_block_words(0x56E9, 11);
  options.blocks[0x5A] = character_words("0049301234");
  options.blocks[0x5B] = character_words("112");
  options.blocks[0x5C] = {};
  return options;
}

HidModelOptions hid_fixture_5552() {
  HidModelOptions options;
  options.product_id = 0x5552;
  options.name = "TORNIK";
  options.version = {1, 6, 0, 0};
  // hands-free VOX, voice prompt, PLC, bitpool, audio boost, HD intercom, HD voice
  options.blocks[0x36] = {0x2C39, 0x0023, 0x0102};
  options.blocks[0x44] = fm_block_words(0x66E9, 15);
  options.blocks[0x37] = character_words("5550100");
  options.blocks[0x38] = {};
  options.blocks[0x39] = character_words("911");
  options.mesh = MeshUnit{};
  options.mesh->product_id = 0x3160;
  options.mesh->version = {1, 4, 0, 2};
  return options;
}

HidModelOptions hid_fixture_6461() {
  HidModelOptions options;
  options.product_id = 0x6461;
  options.name = "Tandor FX4";
  options.blocks[0x37] = character_words("0800");
  options.blocks[0x38] = character_words("5550199");
  options.blocks[0x39] = character_words("112");
  return options;
}

HidModelOptions hid_fixture_4210() {
  HidModelOptions options;
  options.product_id = 0x4210;
  options.name = "LM6";
  options.version = {1, 5, 0, 0};
  options.bluetooth_address = {0x00, 0x1A, 0x7D, 0x2E, 0x90, 0x60};
  options.blocks[0x05] = {0x0010};
  options.blocks[0x5A] = character_words("0049301234");
  options.blocks[0x5B] = {};
  options.blocks[0x5C] = character_words("112");
  options.section_download = SectionDownloadOptions{};
  return options;
}

HidModelOptions hid_fixture_4210_second_unit() {
  HidModelOptions options;
  options.product_id = 0x4211;
  options.name = "LM6";
  options.version = {1, 4, 0, 0};
  options.bluetooth_address = {0x00, 0x1A, 0x7D, 0x2E, 0x90, 0x61};
  options.blocks[0x04] = {0x0005, 0x0003, 0xEDA0, 0x0003, 0x0101, 0x0202, 0x0303, 0x0404, 0x0505, 0x0606};
  options.blocks[0x15] = fm_block_words(0x66E9, 15);
  options.section_download = SectionDownloadOptions{};
  return options;
}

HidModelOptions hid_fixture_4310_second_unit() {
  HidModelOptions options = hid_fixture_4210_second_unit();
  options.product_id = 0x4311;
  options.name = "Solvane";
  options.version = {2, 1, 0, 0};
  options.bluetooth_address = {0x00, 0x1A, 0x7D, 0x2E, 0x90, 0x71};
  return options;
}

HidModelOptions hid_fixture_3110() {
  HidModelOptions options;
  options.product_id = 0x3110;
  options.name = "ND4";
  options.version = {2, 1, 0, 0};
  options.blocks[0x04] = {0x1C21, 0x0583, 0x0010, 0x0002};
  options.blocks[0x15] = fm_block_words(0x66E9, 15);
  options.blocks[0x5A] = character_words("112");
  options.mesh = MeshUnit{};
  options.mesh->version = {1, 2, 0, 5};
  return options;
}

HidModelOptions hid_fixture_3210() {
  HidModelOptions options = hid_fixture_3110();
  options.product_id = 0x3210;
  options.name = "WQ8";
  options.mesh->product_id = 0x3220;
  options.mesh->collections = {HidCollection{0xFF00, 1, 0}};
  options.mesh->version = {3, 0, 2, 1};
  return options;
}

namespace {

bool parse_number(const std::string& text, long maximum, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 0);
  return *end == '\0' && value >= 0 && value <= maximum;
}

bool parse_version(const std::string& text, HidVersion& version) {
  std::vector<long> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = text.find('.', start);
    long part = 0;
    if (!parse_number(text.substr(start, dot - start), 255, part)) return false;
    parts.push_back(part);
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  if (parts.size() != 2 && parts.size() != 4) return false;
  version.major = static_cast<std::uint8_t>(parts[0]);
  version.minor = static_cast<std::uint8_t>(parts[1]);
  if (parts.size() == 4) {
    version.secondary_type = static_cast<std::uint8_t>(parts[2]);
    version.secondary = static_cast<std::uint8_t>(parts[3]);
  }
  return true;
}

bool apply_option(const ModelOption& option, HidModelOptions& options) {
  long number = 0;
  if (option.key == "fw") return parse_version(option.value, options.version);
  if (option.key == "name" && !option.value.empty()) {
    options.name = option.value;
    return true;
  }
  if (option.key == "collections") {
    if (option.value == "vendor") options.collections = {k_vendor_collection};
    else if (option.value == "keyboard") options.collections = {k_keyboard_collection};
    else if (option.value == "keyboard+vendor") options.collections = keyboard_and_vendor();
    else return false;
    return true;
  }
  if (option.key == "busy" && option.value == "forever") {
    options.faults.busy_forever = true;
    return true;
  }
  if (option.key == "refuse" && option.value.empty()) {
    options.faults.refuse_open = true;
    return true;
  }
  if (option.key == "silent" && option.value.empty()) {
    options.faults.silent = true;
    return true;
  }
  if (option.key == "qcc" && option.value.empty()) {
    options.qcc_update = options.qcc_update.value_or(QccUpdateOptions{});
    return true;
  }
  if (option.key == "meshupdate" && option.value.empty()) {
    options.mesh_module = options.mesh_module.value_or(MeshModuleOptions{});
    return true;
  }
  if (option.key == "airoha" && option.value.empty()) {
    options.airoha_block = options.airoha_block.value_or(AirohaBlockOptions{});
    return true;
  }
  if (option.key == "noverify" && option.value.empty()) {
    options.airoha_block = options.airoha_block.value_or(AirohaBlockOptions{});
    options.airoha_block->refuse_verify = true;
    return true;
  }
  if (option.key == "airohareboot" && option.value == "never") {
    options.airoha_block = options.airoha_block.value_or(AirohaBlockOptions{});
    options.airoha_block->restart_absence = std::nullopt;
    return true;
  }
  if (option.key == "sections" && option.value.empty()) {
    options.section_download = options.section_download.value_or(SectionDownloadOptions{});
    return true;
  }
  if (option.key == "reboot" && option.value == "never") {
    options.section_download = options.section_download.value_or(SectionDownloadOptions{});
    options.section_download->never_returns = true;
    return true;
  }
  if (!parse_number(option.value, 0xFFFF, number)) return false;
  if (option.key == "mode" && number <= 0xFF) options.mode = static_cast<std::uint8_t>(number);
  else if (option.key == "mesh") {
    options.mesh = MeshUnit{};
    options.mesh->product_id = static_cast<std::uint16_t>(number);
  }
  else if (option.key == "dnld" && number <= 0xFF) options.enter_download_status = static_cast<std::uint8_t>(number);
  else if (option.key == "notready" || option.key == "reboot") {
    options.section_download = options.section_download.value_or(SectionDownloadOptions{});
    if (option.key == "notready") options.section_download->not_ready_queries = static_cast<int>(number);
    else options.section_download->reboot_absent_for = std::chrono::milliseconds(number);
  }
  else if (option.key == "airohareboot" || option.key == "crcfault") {
    options.airoha_block = options.airoha_block.value_or(AirohaBlockOptions{});
    if (option.key == "crcfault") options.airoha_block->wrong_crc_at_chunk = static_cast<int>(number);
    else options.airoha_block->restart_absence = std::chrono::milliseconds(number);
  }
  else if (option.key == "nolangpack" && number <= 0xFF) options.lang_pack_unanswered.insert(static_cast<std::uint8_t>(number));
  else if (option.key == "busy") options.faults.busy_replies = static_cast<int>(number);
  else if (option.key == "fail" && number <= 0xFF) options.faults.fail_status = static_cast<std::uint8_t>(number);
  else if (option.key == "vanish") options.faults.vanish_after = static_cast<int>(number);
  else if (option.key == "short") options.faults.short_reply_bytes = static_cast<int>(number);
  else return false;
  return true;
}

}  // namespace

std::shared_ptr<Model> make_hid_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                      std::string& error) {
  HidModelOptions model_options;
  if (product_id != model_options.product_id) model_options.name = "Vexlink device";
  model_options.product_id = product_id;
  for (const ModelOption& option : options) {
    if (!apply_option(option, model_options)) {
      error = "bad hid option \"" + option.key + (option.value.empty() ? "" : "=" + option.value) + "\"";
      return nullptr;
    }
  }
  return std::make_shared<HidModel>(std::move(model_options));
}

}  // namespace sim
