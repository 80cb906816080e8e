// Measures Tolvane against its references and prints one table.
//
//   bench_runner [--runs N] [--large-runs N] [--large-mib N] [--small-count N]
//                [--dir DIR] [--display :N] [--only copy|startup] [--verbose]
//                [--driver PATH] [--tolvane PATH] [--baseline PATH]
#include <sys/statfs.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "bench/copy_bench.h"
#include "bench/options.h"
#include "bench/startup_bench.h"
#include "bench/table.h"

namespace {

int Usage() {
  std::cerr << "usage: bench_runner [--runs N] [--large-runs N] [--large-mib N] [--small-count N]\n"
               "                    [--dir DIR] [--display :N] [--only copy|startup] [--verbose]\n"
               "                    [--driver PATH] [--tolvane PATH] [--baseline PATH]\n";
  return 2;
}

std::string FileSystemOf(const std::string& path) {
  struct statfs info {};
  if (statfs(path.c_str(), &info) != 0) return "unknown";
  switch (info.f_type) {
    case 0xEF53: return "ext4";
    case 0x58465342: return "xfs";
    case 0x9123683E: return "btrfs";
    case 0x01021994: return "tmpfs (not a disk: figures say little)";
    case 0x794c7630: return "overlayfs";
    default: return "other";
  }
}

}  // namespace

int main(int argc, char** argv) {
  bench::Options options;
  options.driver = TOLVANE_BENCH_DRIVER;
  options.tolvane = TOLVANE_BENCH_PROGRAM;
  options.baseline = TOLVANE_BENCH_BASELINE;
  options.dir = TOLVANE_BENCH_DIR;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--verbose") options.verbose = true;
    else if (!hasValue) return Usage();
    else if (arg == "--runs") options.runs = std::atoi(argv[++i]);
    else if (arg == "--large-runs") options.largeRuns = std::atoi(argv[++i]);
    else if (arg == "--large-mib") options.largeMib = std::atol(argv[++i]);
    else if (arg == "--small-count") options.smallCount = std::atoi(argv[++i]);
    else if (arg == "--dir") options.dir = argv[++i];
    else if (arg == "--display") options.display = argv[++i];
    else if (arg == "--driver") options.driver = argv[++i];
    else if (arg == "--tolvane") options.tolvane = argv[++i];
    else if (arg == "--baseline") options.baseline = argv[++i];
    else if (arg == "--only") {
      const std::string only = argv[++i];
      options.copy = only == "copy";
      options.startup = only == "startup";
      if (!options.copy && !options.startup) return Usage();
    } else {
      return Usage();
    }
  }
  if (options.runs < 1 || options.largeRuns < 1 || options.largeMib < 1 || options.smallCount < 1) return Usage();

  std::filesystem::create_directories(options.dir);
  utsname system{};
  uname(&system);
  std::cout << "Tolvane benchmarks: median of " << options.runs << " runs (" << options.largeRuns
            << " for the large copies), program and reference interleaved, warm page cache\n"
            << "machine: " << system.sysname << ' ' << system.release << ", " << sysconf(_SC_NPROCESSORS_ONLN)
            << " cores; copies in " << std::filesystem::absolute(options.dir).string() << " ("
            << FileSystemOf(options.dir) << ")\n\n"
            << std::flush;

  std::vector<bench::Row> rows;
  try {
    if (options.copy) {
      const auto copyRows = bench::RunCopyBenchmarks(options, std::cerr);
      rows.insert(rows.end(), copyRows.begin(), copyRows.end());
    }
    if (options.startup) {
      const auto startupRows = bench::RunStartupBenchmarks(options, std::cerr);
      rows.insert(rows.end(), startupRows.begin(), startupRows.end());
    }
  } catch (const std::exception& error) {
    std::cerr << "bench_runner: " << error.what() << '\n';
    if (!rows.empty()) bench::PrintTable(std::cout, rows);
    return 1;
  }
  std::cout << '\n';
  bench::PrintTable(std::cout, rows);
  return 0;
}
