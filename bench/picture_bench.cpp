// How long one press of "Crear" keeps the dialog waiting, against the two
// floors no implementation can beat: copying the pixel bytes once, and
// writing the file's bytes with one plain call.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/bmp_writer.h"
#include "core/stripe_renderer.h"

namespace {

constexpr std::size_t kPixelBytes = 3'240'000;
constexpr std::size_t kFileBytes = kPixelBytes + kBmpHeadersSize;

BandTable Table(std::int16_t width) {
  BandTable table;
  for (int k = 0; k < kBandSlots; ++k) table.slot[k] = Band{0x00102030u * (k + 1), width};
  return table;
}

struct Pattern {
  const char* name;
  BandTable table;
  std::int16_t count;
};

const Pattern kPatterns[] = {
    {"defaults", Table(5), 2},
    {"7x50", Table(50), 7},
    {"2x2", Table(2), 2},
};

std::string ScratchFile(const char* name) {
  std::string path = "/tmp/bandas-bench-" + std::to_string(::getpid()) + "-" + name;
  std::vector<char> old(kFileBytes, 1);
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(old.data(), 1, old.size(), f);
    std::fclose(f);
  }
  return path;
}

void Memcpy(benchmark::State& state) {
  std::vector<std::uint8_t> from(kPixelBytes, 0x5A), to(kPixelBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kPixelBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kPixelBytes);
}

void Render(benchmark::State& state, const Pattern& pattern) {
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ClearCanvas(canvas.get());
  for (auto _ : state) {
    RenderStripes(canvas.get(), pattern.table, pattern.count);
    benchmark::DoNotOptimize(canvas->pixels.get());
    benchmark::ClobberMemory();
  }
}

// The canvas already is the pixel array; encoding is the headers alone.
void Encode(benchmark::State& state) {
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ClearCanvas(canvas.get());
  for (auto _ : state) {
    auto headers = EncodeBmpHeaders(*canvas);
    benchmark::DoNotOptimize(headers);
  }
}

void WriteBmp(benchmark::State& state) {
  const std::string path = ScratchFile("bmp");
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ClearCanvas(canvas.get());
  RenderStripes(canvas.get(), kPatterns[0].table, kPatterns[0].count);
  for (auto _ : state) WriteBmpFile(canvas.get(), path.c_str());
  ::unlink(path.c_str());
}

void PlainWrite(benchmark::State& state) {
  const std::string path = ScratchFile("plain");
  std::vector<std::uint8_t> bytes(kFileBytes, 0x5A);
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(kFileBytes) ||
        ::ftruncate(fd, static_cast<off_t>(kFileBytes)) != 0) {
      state.SkipWithError("plain write failed");
    }
    if (fd >= 0) ::close(fd);
  }
  ::unlink(path.c_str());
}

// Keeps each benchmark's time per iteration, to print the ratios after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        seconds_[run.run_name.str()] = run.GetAdjustedRealTime();
      }
    }
  }
  double Time(const std::string& name) const {
    auto it = seconds_.find(name);
    return it == seconds_.end() ? 0 : it->second;
  }
  double SlowestRender() const {
    double slowest = 0;
    for (const Pattern& p : kPatterns)
      slowest = std::max(slowest, Time(std::string("render/") + p.name));
    return slowest;
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("memcpy", Memcpy)->Unit(benchmark::kMicrosecond);
  for (const Pattern& p : kPatterns) {
    benchmark::RegisterBenchmark((std::string("render/") + p.name).c_str(), Render, p)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("encode", Encode)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("write_bmp_file", WriteBmp)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("plain_write", PlainWrite)->Unit(benchmark::kMicrosecond);

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double memcpy = reporter.Time("memcpy");
  const double plain = reporter.Time("plain_write");
  if (memcpy > 0 && plain > 0) {
    std::printf("render+encode / memcpy = %.2f  (slowest pattern; target <= 1.5)\n",
                (reporter.SlowestRender() + reporter.Time("encode")) / memcpy);
    std::printf("write / plain write = %.2f  (target <= 1.3)\n",
                reporter.Time("write_bmp_file") / plain);
  }
  return 0;
}
