// The package check's MD5 and the CRC-32/JAMCRC of DFU images over 32 MiB,
// side by side with OpenSSL's MD5 and zlib's crc32 on the same buffer. After
// the table, the speed of each of ours relative to its reference.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "transport/crc.h"
#include "transport/md5.h"

namespace {

constexpr std::size_t k_buffer_bytes = 32u * 1024 * 1024;

const std::vector<std::uint8_t>& buffer() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::vector<std::uint8_t> data(k_buffer_bytes);
    std::uint32_t state = 0x12345678;
    for (std::uint8_t& byte : data) {
      state = state * 1664525u + 1013904223u;
      byte = static_cast<std::uint8_t>(state >> 24);
    }
    return data;
  }();
  return bytes;
}

void md5_ours(benchmark::State& state) {
  const auto& data = buffer();
  for (auto _ : state) {
    md5_context context;
    md5_init(context);
    md5_update(context, data.data(), static_cast<std::uint32_t>(data.size()));
    md5_digest digest;
    md5_final(digest, context);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}

void md5_openssl(benchmark::State& state) {
  const auto& data = buffer();
  for (auto _ : state) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}

void crc32_ours(benchmark::State& state) {
  const auto& data = buffer();
  for (auto _ : state) benchmark::DoNotOptimize(transport::crc32_jamcrc(data));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}

void crc32_zlib(benchmark::State& state) {
  const auto& data = buffer();
  for (auto _ : state) benchmark::DoNotOptimize(crc32(0, data.data(), static_cast<uInt>(data.size())));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}

BENCHMARK(md5_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(md5_openssl)->Unit(benchmark::kMillisecond);
BENCHMARK(crc32_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(crc32_zlib)->Unit(benchmark::kMillisecond);

// The console table, keeping each benchmark's time per pass for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) m_time[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Our speed as a multiple of the reference's (above 1: faster).
  double ratio(const std::string& ours, const std::string& reference) const {
    const auto o = m_time.find(ours);
    const auto r = m_time.find(reference);
    if (o == m_time.end() || r == m_time.end() || o->second <= 0) return 0;
    return r->second / o->second;
  }

 private:
  std::map<std::string, double> m_time;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  buffer();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nMD5 over 32 MiB: %.2fx OpenSSL's speed (goal 0.80x)\n", reporter.ratio("md5_ours", "md5_openssl"));
  std::printf("CRC-32/JAMCRC over 32 MiB: %.2fx zlib's speed (goal 0.80x)\n", reporter.ratio("crc32_ours", "crc32_zlib"));
  benchmark::Shutdown();
  return 0;
}
