#include "bench/measure.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

extern char** environ;

namespace bench {

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

pid_t Start(const std::vector<std::string>& argv, const Environment& extra, bool quiet) {
  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) {
    const bool replaced = std::any_of(extra.begin(), extra.end(), [&](const auto& kv) {
      return std::strncmp(*e, kv.first.c_str(), kv.first.size()) == 0 && (*e)[kv.first.size()] == '=';
    });
    if (!replaced) envStrings.emplace_back(*e);
  }
  for (const auto& [name, value] : extra) envStrings.push_back(name + "=" + value);

  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> env;
  for (auto& e : envStrings) env.push_back(e.data());
  env.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  if (quiet) posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  // posix_spawn is a vfork underneath: starting a child costs the same whoever it is.
  const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

RunResult Run(const std::vector<std::string>& argv) {
  RunResult result;
  struct ReportFile {
    ReportFile() {
      const int fd = mkstemp(path);
      if (fd >= 0) close(fd);
    }
    ~ReportFile() { unlink(path); }
    char path[32] = "/tmp/bench_peak_XXXXXX";
  };
  static const ReportFile report;
  std::vector<std::string> timed{"/usr/bin/time", "-f", "%M", "-o", report.path};
  timed.insert(timed.end(), argv.begin(), argv.end());
  const double start = Now();
  const pid_t pid = Start(timed);
  if (pid < 0) return result;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.seconds = Now() - start;
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  // The last line is the figure; a failed command has a line about its status first.
  std::ifstream in(report.path);
  std::string line, last;
  while (std::getline(in, line)) {
    if (!line.empty()) last = line;
  }
  result.maxRssKib = std::atol(last.c_str());
  return result;
}

void Stop(pid_t pid, double timeoutSeconds) {
  const auto reapedWithin = [pid](double seconds) {
    const double end = Now() + seconds;
    int status = 0;
    do {
      if (waitpid(pid, &status, WNOHANG) == pid) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (Now() < end);
    return false;
  };
  if (reapedWithin(timeoutSeconds)) return;
  kill(pid, SIGTERM);
  if (reapedWithin(2.0)) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

long ResidentKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace bench
