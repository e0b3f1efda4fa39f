// vesperine-bench-pack [VesperineData.pack | folder of pictures]
// In one run: the block decoder's speed against memcpy of the same bytes, and the compressor's
// ratio and speed at both levels on text, raw pixels and (when named) the game's own data.

#include <chrono>
#include <cstdio>
#include <cstring>

#include "bench_inputs.h"
#include "display/block_container.h"
#include "display/data_pack_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

size_t totalSize(const BenchInput& input) {
  size_t total = 0;
  for (const auto& file : input.files) total += file.size();
  return total;
}

double megabytesPerSecond(size_t bytes, double seconds) { return bytes / 1e6 / seconds; }

// Runs work repeatedly for at least a quarter of a second; seconds per run.
template <typename Work>
double timePerRun(Work&& work) {
  const Clock::time_point start = Clock::now();
  int runs = 0;
  double elapsed = 0;
  do {
    work();
    ++runs;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < 0.25);
  return elapsed / runs;
}

struct Compressed {
  std::vector<std::vector<uint8_t>> entries;  // stored form of each file
  size_t storedBytes = 0;
  double seconds = 0;
};

Compressed compress(const BenchInput& input, BriefLzLevel level) {
  const PackWriteOptions options{2, 65536, level};
  Compressed result;
  const Clock::time_point start = Clock::now();
  for (const auto& file : input.files) result.entries.push_back(packEntryData(file.data(), file.size(), options));
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  for (const auto& entry : result.entries) result.storedBytes += entry.size();
  return result;
}

void reportCompression(const BenchInput& input, BriefLzLevel level, const Compressed& c) {
  const size_t raw = totalSize(input);
  std::printf("  %-8s %10zu -> %10zu bytes  %6.2f%%  %8.2f MB/s\n", level == BriefLzLevel::Fast ? "fast" : "optimal",
              raw, c.storedBytes, 100.0 * c.storedBytes / raw, megabytesPerSecond(raw, c.seconds));
}

// Unpacks every compressed entry (stored ones are a plain copy) against memcpy of the same
// unpacked bytes.
void reportDecoding(const BenchInput& input, const Compressed& c) {
  std::vector<std::vector<uint8_t>> out;
  for (const auto& file : input.files) out.emplace_back(file.size());
  bool ok = true;
  const double decode = timePerRun([&] {
    for (size_t i = 0; i < input.files.size(); ++i) {
      const auto& stored = c.entries[i];
      if (stored.size() == out[i].size()) {
        std::memcpy(out[i].data(), stored.data(), stored.size());
      } else {
        ok &= unpackBlockContainer(stored.data(), stored.size(), out[i].data(), out[i].size()) >= 0;
      }
    }
  });
  const double copy = timePerRun([&] {
    for (size_t i = 0; i < input.files.size(); ++i) std::memcpy(out[i].data(), input.files[i].data(), out[i].size());
  });
  for (size_t i = 0; i < input.files.size(); ++i) ok &= out[i] == input.files[i];
  const size_t raw = totalSize(input);
  std::printf("  unpack   %8.1f MB/s   memcpy %8.1f MB/s   decoder takes %.1fx memcpy's time%s\n",
              megabytesPerSecond(raw, decode), megabytesPerSecond(raw, copy), decode / copy,
              ok ? "" : "   MISMATCH");
}

void benchmark(const BenchInput& input) {
  if (input.files.empty()) {
    std::printf("%s: nothing to read\n", input.label.c_str());
    return;
  }
  std::printf("%s: %zu file(s), %zu bytes\n", input.label.c_str(), input.files.size(), totalSize(input));
  const Compressed fast = compress(input, BriefLzLevel::Fast);
  reportCompression(input, BriefLzLevel::Fast, fast);
  const Compressed optimal = compress(input, BriefLzLevel::Optimal);
  reportCompression(input, BriefLzLevel::Optimal, optimal);
  reportDecoding(input, optimal);
}

}  // namespace

int main(int argc, char** argv) {
  std::printf("block size 65536; sizes include the 24-byte container header of each entry\n");
  benchmark(benchText());
  benchmark(benchPixels());
  if (argc > 1) benchmark(benchGameData(argv[1]));
  return 0;
}
