// Starting, timing and weighing child processes, and the statistics the
// benchmark table is made of.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace bench {

using Environment = std::vector<std::pair<std::string, std::string>>;

// Seconds on the monotonic clock.
double Now();

// Starts argv[0] (searched in PATH) with its output discarded (its error
// output too when quiet) and the given variables set on top of ours. Returns
// -1 when it could not be started.
pid_t Start(const std::vector<std::string>& argv, const Environment& extra = {}, bool quiet = false);

struct RunResult {
  double seconds = 0;  // from just before the start until the exit was collected
  long maxRssKib = 0;  // the child's peak resident size
  bool ok = false;     // exited with status 0
};

// Runs argv to its end under /usr/bin/time, which reports the peak. The
// peak that wait4 gives us directly would be wrong: the kernel carries the
// spawning process's own peak over an exec, so every child would look at
// least as big as this runner. time is a small C program, so its floor lies
// below anything worth measuring (about 1 MiB). Both sides of a comparison
// pay for the same extra exec.
RunResult Run(const std::vector<std::string>& argv);

// Waits up to timeoutSeconds for pid, then ends it: SIGTERM, and SIGKILL
// when that is ignored. Always reaps the child.
void Stop(pid_t pid, double timeoutSeconds);

// Resident size in KiB from /proc/PID/status, or -1.
long ResidentKib(pid_t pid);

double Median(std::vector<double> values);

}  // namespace bench
