#include "bench/copy_bench.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "bench/measure.h"

namespace fs = std::filesystem;

namespace bench {

namespace {

using Argv = std::vector<std::string>;

// Incompressible bytes, different for each seed, so that no layer below can
// take a short cut and an old destination never equals the new one by chance.
void FillRandom(char* data, std::size_t size, std::uint64_t& state) {
  for (std::size_t i = 0; i + 8 <= size; i += 8) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    std::memcpy(data + i, &state, 8);
  }
}

void WriteRandomFile(const fs::path& path, long long size, std::uint64_t seed) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path.string());
  std::vector<char> chunk(1 << 20);
  std::uint64_t state = seed | 1;
  for (long long done = 0; done < size;) {
    const std::size_t n = static_cast<std::size_t>(std::min<long long>(chunk.size(), size - done));
    FillRandom(chunk.data(), n, state);
    if (write(fd, chunk.data(), n) != static_cast<ssize_t>(n)) {
      close(fd);
      throw std::runtime_error("cannot write " + path.string());
    }
    done += static_cast<long long>(n);
  }
  close(fd);
}

bool SameContent(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec) return false;
  const int fa = open(a.c_str(), O_RDONLY | O_CLOEXEC);
  const int fb = open(b.c_str(), O_RDONLY | O_CLOEXEC);
  bool same = fa >= 0 && fb >= 0;
  std::vector<char> ba(1 << 20), bb(1 << 20);
  while (same) {
    const ssize_t na = read(fa, ba.data(), ba.size());
    const ssize_t nb = read(fb, bb.data(), bb.size());
    same = na == nb && na >= 0 && std::memcmp(ba.data(), bb.data(), static_cast<std::size_t>(na)) == 0;
    if (na <= 0) break;
  }
  if (fa >= 0) close(fa);
  if (fb >= 0) close(fb);
  return same;
}

struct Series {
  std::vector<double> tolvane;
  std::vector<double> reference;
  long tolvanePeakKib = 0;
};

// Runs both commands `runs` times after one untimed round that warms the
// page cache and the programs' own files. The order alternates each round so
// that neither side always finds the cache as the other left it. Each run
// starts with nothing dirty in the cache (sync), so no run pays for the
// write-back of the one before.
Series Compare(const char* name, int runs, const std::function<void()>& before, const Argv& tolvane,
               const Argv& reference, const std::function<void(bool isTolvane, int run)>& after, std::ostream& log,
               bool verbose) {
  Series series;
  for (int run = -1; run < runs; ++run) {
    const bool tolvaneFirst = run < 0 || run % 2 == 0;
    for (int turn = 0; turn < 2; ++turn) {
      const bool isTolvane = (turn == 0) == tolvaneFirst;
      before();
      sync();
      const RunResult result = Run(isTolvane ? tolvane : reference);
      if (!result.ok) {
        throw std::runtime_error(std::string(name) + ": " + (isTolvane ? tolvane : reference)[0] + " failed");
      }
      after(isTolvane, run);
      if (run < 0) continue;
      (isTolvane ? series.tolvane : series.reference).push_back(result.seconds);
      if (isTolvane) series.tolvanePeakKib = std::max(series.tolvanePeakKib, result.maxRssKib);
      if (verbose) {
        log << "  " << name << " run " << run + 1 << '/' << runs << ' ' << (isTolvane ? "tolvane" : "cp     ")
            << ' ' << Seconds(result.seconds) << ", peak " << Mib(result.maxRssKib) << '\n';
      }
    }
  }
  return series;
}

void Check(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error("wrong copy: " + what);
}

}  // namespace

std::vector<Row> RunCopyBenchmarks(const Options& options, std::ostream& log) {
  const fs::path dir = fs::path(options.dir) / "copy";
  fs::create_directories(dir);
  const long long largeBytes = static_cast<long long>(options.largeMib) << 20;
  const std::string largeName = options.largeMib % 1024 == 0 ? std::to_string(options.largeMib / 1024) + " GiB"
                                                             : std::to_string(options.largeMib) + " MiB";

  // The sources are made once and kept between invocations; they are read
  // before any timed run, so every figure is with a warm cache.
  const fs::path largeSource = dir / "large.dat";
  std::error_code ec;
  if (fs::file_size(largeSource, ec) != static_cast<std::uintmax_t>(largeBytes) || ec) {
    log << "making a " << largeName << " source file...\n";
    WriteRandomFile(largeSource, largeBytes, 0x746f6c76616e65);
  }
  const fs::path smallSources = dir / "small";
  fs::create_directories(smallSources);
  Argv sources;
  for (int i = 0; i < options.smallCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "f%05d.dat", i);
    const fs::path path = smallSources / name;
    if (fs::file_size(path, ec) != static_cast<std::uintmax_t>(options.smallBytes) || ec) {
      WriteRandomFile(path, options.smallBytes, 1000 + static_cast<std::uint64_t>(i));
    }
    sources.push_back(path.string());
  }

  std::vector<Row> rows;
  const auto seconds = [](double s) { return Seconds(s); };
  const std::string cp = "cp";

  // A new name in the same folder, as Tolvane writes "name.new" beside "name.old".
  const fs::path largeTarget = dir / "large.out";
  fs::remove(largeTarget, ec);
  log << "copy " << largeName << " to a new name...\n";
  const Series fresh = Compare(
      "new name", options.largeRuns, [&] { fs::remove(largeTarget); },
      {options.driver, largeSource.string(), largeTarget.string()}, {cp, largeSource.string(), largeTarget.string()},
      [&](bool, int run) {
        if (run <= 0) Check(SameContent(largeSource, largeTarget), largeTarget.string());
        // Removed at once, its pages never go to the disk and the next run starts clean.
        fs::remove(largeTarget);
      },
      log, options.verbose);
  rows.push_back(RatioRow("copy " + largeName + " to a new name (vs cp)", Median(fresh.tolvane),
                          Median(fresh.reference), 1.05, seconds));

  // Over an existing file of the same size. cp truncates the old file and
  // writes into it; Tolvane writes a new file and puts it in the old one's
  // place, so a reader never sees a half-written destination.
  log << "copy " << largeName << " over an existing file...\n";
  WriteRandomFile(largeTarget, largeBytes, 0x6f6c64);
  const Series replace = Compare(
      "replace", options.largeRuns, [] {}, {options.driver, largeSource.string(), largeTarget.string(), "--replace"},
      {cp, largeSource.string(), largeTarget.string()},
      [&](bool, int run) {
        if (run <= 0) Check(SameContent(largeSource, largeTarget), largeTarget.string());
      },
      log, options.verbose);
  fs::remove(largeTarget);
  rows.push_back(RatioRow("copy " + largeName + " over an existing file (vs cp)", Median(replace.tolvane),
                          Median(replace.reference), 1.05, seconds));

  // One process for all files on both sides: a conversion run copies its whole
  // list in one program, and cp -t does the same with one start-up.
  log << "copy " << options.smallCount << " small files...\n";
  const fs::path smallTarget = dir / "small.out";
  Argv driverBatch{options.driver, "--batch", smallTarget.string()};
  Argv cpBatch{cp, "-t", smallTarget.string()};
  driverBatch.insert(driverBatch.end(), sources.begin(), sources.end());
  cpBatch.insert(cpBatch.end(), sources.begin(), sources.end());
  fs::remove_all(smallTarget, ec);
  const Series small = Compare(
      "small files", options.runs,
      [&] {
        fs::remove_all(smallTarget);
        fs::create_directory(smallTarget);
      },
      driverBatch, cpBatch,
      [&](bool, int run) {
        if (run <= 0) {
          Check(SameContent(sources.back(), smallTarget / fs::path(sources.back()).filename()), "last small file");
          Check(static_cast<int>(std::distance(fs::directory_iterator(smallTarget), fs::directory_iterator())) ==
                    options.smallCount,
                "number of small files");
        }
      },
      log, options.verbose);
  fs::remove_all(smallTarget);
  rows.push_back(RatioRow("copy " + std::to_string(options.smallCount) + " × " +
                              std::to_string(options.smallBytes / 1024) + " KiB files, one process (vs cp -t)",
                          Median(small.tolvane), Median(small.reference), 1.2, seconds));

  // The driver's size when it does nothing, against its peak while it streams
  // the large file: the difference is what the copy itself holds.
  std::vector<double> idle;
  for (int i = 0; i < options.runs; ++i) idle.push_back(static_cast<double>(Run({options.driver, "--idle"}).maxRssKib));
  const long idleKib = static_cast<long>(Median(idle));
  const long peakKib = std::max(fresh.tolvanePeakKib, replace.tolvanePeakKib);
  const long growthKib = peakKib - idleKib;
  rows.push_back(Row{"driver peak RSS, " + largeName + " copy (vs its idle size)", Mib(peakKib), Mib(idleKib),
                     (growthKib >= 0 ? "+" : "") + Mib(growthKib), "≤ +2.0 MiB", growthKib <= 2048 ? "yes" : "NO"});
  if (options.verbose) log << "  driver peak RSS, small files: " << Mib(small.tolvanePeakKib) << '\n';
  return rows;
}

}  // namespace bench
