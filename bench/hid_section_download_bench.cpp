// The whole HID section download of a 4 MiB firmware package: every section
// in 1023-byte reports through the section transfer of the update procedures,
// to a simulated device that answers at once, on the virtual clock, so the
// time measured is the host's own work (a full-speed device needs 16 ms to
// carry one report). After the table: host time per report and throughput
// against their goals, and the heap the transfer takes beyond the package
// for three package sizes (it should not grow with the package).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/log.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "tests/support/firmware_package_builder.h"
#include "transport/firmware_package.h"
#include "transport/hid_channel.h"
#include "update/families/section_transfer.h"

// ---- heap accounting: live bytes and their peak, over the whole program ----
namespace {
std::atomic<long long> g_live_bytes{0};
std::atomic<long long> g_peak_bytes{0};

void note_allocated(void* pointer) {
  const long long live = g_live_bytes += static_cast<long long>(malloc_usable_size(pointer));
  long long peak = g_peak_bytes.load();
  while (live > peak && !g_peak_bytes.compare_exchange_weak(peak, live)) {
  }
}

void* allocate(std::size_t bytes) {
  void* pointer = std::malloc(bytes == 0 ? 1 : bytes);
  if (pointer == nullptr) throw std::bad_alloc();
  note_allocated(pointer);
  return pointer;
}

void release(void* pointer) noexcept {
  if (pointer == nullptr) return;
  g_live_bytes -= static_cast<long long>(malloc_usable_size(pointer));
  std::free(pointer);
}
}  // namespace

void* operator new(std::size_t bytes) { return allocate(bytes); }
void* operator new[](std::size_t bytes) { return allocate(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  try {
    return allocate(bytes);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t bytes, const std::nothrow_t& tag) noexcept { return operator new(bytes, tag); }
void operator delete(void* pointer) noexcept { release(pointer); }
void operator delete[](void* pointer) noexcept { release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { release(pointer); }

namespace {

constexpr std::size_t k_mib = 1024 * 1024;
constexpr std::size_t k_report_bytes = 1023;
constexpr std::size_t k_data_per_report = update::families::k_section_data_bytes<k_report_bytes>;

// A package of `total` bytes of section data: a loader section of 64 KiB,
// the rest in sections of 1 MiB, as the maker's packages are cut.
std::vector<std::uint8_t> package_of(std::size_t total) {
  test_support::FirmwarePackage package;
  package.product_id = 0x6010;
  std::size_t left = total;
  package.sections.push_back(test_support::section_of(64 * 1024, 0, 1));
  left -= 64 * 1024;
  for (std::uint32_t block = 1; left > 0; ++block) {
    const std::size_t size = std::min(left, k_mib);
    package.sections.push_back(test_support::section_of(size, block, 2));
    left -= size;
  }
  return package.build();
}

// Reports one download of `package` takes: each section's begin and end, and its data reports.
std::size_t reports_of(const std::vector<std::uint8_t>& package) {
  std::size_t reports = 0;
  const std::int32_t count = transport::package_section_count(package).value_or(0);
  for (std::int32_t index = 0; index < count; ++index) {
    const auto entry = transport::package_entry(package, transport::PackageTable::blocks, index);
    reports += 2 + (entry->length + k_data_per_report - 1) / k_data_per_report;
  }
  return reports;
}

// Sends every section of `package` to the device in slot 0, as the procedures do.
bool download(const std::vector<std::uint8_t>& package, hid_cmd_report& buffer) {
  const std::int32_t count = transport::package_section_count(package).value_or(0);
  for (std::int32_t index = 0; index < count; ++index) {
    const auto entry = transport::package_entry(package, transport::PackageTable::blocks, index);
    if (!entry || !update::families::transfer_section(
                      0, buffer, {index, static_cast<std::uint8_t>(entry->kind), entry->data})) {
      return false;
    }
  }
  return true;
}

// A simulated 0x6010 that answers at once and keeps no record of what it took.
class SimulatedDevice {
 public:
  SimulatedDevice() {
    sim::reset();
    sim::HidModelOptions options;
    options.product_id = 0x6010;
    sim::SectionDownloadOptions sections;
    sections.keep_data = false;
    options.section_download = sections;
    m_device = sim::attach(std::make_shared<sim::HidModel>(options));
    std::uint32_t product = 0;
    transport_message message{};
    m_opened = hid_open_device(product, message) == 0;
  }
  ~SimulatedDevice() {
    hid_close_all();
    sim::reset();
  }
  bool opened() const { return m_opened; }
  std::size_t bytes_taken() const {
    std::size_t bytes = 0;
    for (const auto& section : m_device->section_download()->sections()) bytes += section.bytes;
    return bytes;
  }

 private:
  std::shared_ptr<sim::HidModel> m_device;
  bool m_opened = false;
};

void hid_section_download_4mib(benchmark::State& state) {
  platform::ScopedVirtualClock clock;
  const std::vector<std::uint8_t> package = package_of(4 * k_mib);
  const std::size_t reports = reports_of(package);
  SimulatedDevice device;
  if (!device.opened()) {
    state.SkipWithError("the simulated device did not open");
    return;
  }
  hid_cmd_report buffer{};
  for (auto _ : state) {
    if (!download(package, buffer)) {
      state.SkipWithError("the download failed");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 4 * k_mib));
  state.counters["reports"] = static_cast<double>(reports);
  state.counters["per_report"] = benchmark::Counter(static_cast<double>(reports),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

BENCHMARK(hid_section_download_4mib)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The console table, keeping the time per download and the reports it took.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto reports = run.counters.find("reports");
      if (run.run_type != Run::RT_Iteration || run.error_occurred || reports == run.counters.end()) continue;
      seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
      this->reports = reports->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double seconds = 0;  // per download
  double reports = 0;  // per download
};

// The most heap the download of a `total`-byte package takes beyond what was
// live before it (the package itself included there).
long long extra_peak_bytes(std::size_t total) {
  platform::ScopedVirtualClock clock;
  const std::vector<std::uint8_t> package = package_of(total);
  SimulatedDevice device;
  hid_cmd_report buffer{};
  // a first round, so the device and the channel have made what they keep
  download(package, buffer);
  const long long before = g_live_bytes.load();
  g_peak_bytes = before;
  const bool done = download(package, buffer);
  const long long extra = g_peak_bytes.load() - before;
  return done && device.bytes_taken() == 2 * (total) ? extra : -1;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  platform::silence_logs();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  const double seconds = reporter.seconds;
  const double reports = reporter.reports;
  if (seconds > 0 && reports > 0) {
    std::printf("\nHID section download of 4 MiB: %.0f reports of %zu bytes in %.1f ms\n", reports, k_report_bytes,
                seconds * 1e3);
    std::printf("  host time per report: %.2f us (goal 20 us or less; a full-speed device needs 16000 us)\n",
                seconds * 1e6 / reports);
    std::printf("  throughput: %.0f MB/s of section data (goal 50 MB/s or more)\n", 4.0 * k_mib / seconds / 1e6);
  }
  std::printf("Heap beyond the package while it is sent (one report buffer is 1023 bytes):\n");
  for (const std::size_t mib : {1u, 4u, 16u}) {
    const long long extra = extra_peak_bytes(mib * k_mib);
    if (extra < 0) {
      std::printf("  %2zu MiB: the download failed\n", mib);
    } else {
      std::printf("  %2zu MiB: %lld bytes\n", mib, extra);
    }
  }
  benchmark::Shutdown();
  return 0;
}
