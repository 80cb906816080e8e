#include "tests/posix/copy_test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

namespace copy_test {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

std::uint64_t Next(std::uint64_t& state) {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return state * 0x2545F4914F6CDD1DULL;
}

}  // namespace

CString Text(const std::filesystem::path& path) { return CString(path.string()); }

void WritePattern(const std::filesystem::path& path, std::uint64_t size, std::uint64_t seed) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::uint64_t state = seed * 0x9E3779B97F4A7C15ULL + 1;
  std::vector<std::uint64_t> words(kChunk / sizeof(std::uint64_t));
  while (size > 0) {
    for (auto& word : words) word = Next(state);
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(size, kChunk));
    out.write(reinterpret_cast<const char*>(words.data()), static_cast<std::streamsize>(count));
    size -= count;
  }
}

std::optional<std::uint64_t> Checksum(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::vector<unsigned char> buffer(kChunk);
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  std::uint64_t length = 0;
  ssize_t got = 0;
  while ((got = read(fd, buffer.data(), buffer.size())) > 0) {
    std::size_t pos = 0;
    for (; pos + 8 <= static_cast<std::size_t>(got); pos += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, buffer.data() + pos, 8);
      hash = (hash ^ word) * 0x100000001B3ULL;
      hash ^= hash >> 31;
    }
    for (; pos < static_cast<std::size_t>(got); ++pos) hash = (hash ^ buffer[pos]) * 0x100000001B3ULL;
    length += static_cast<std::uint64_t>(got);
  }
  close(fd);
  if (got < 0) return std::nullopt;
  return hash ^ (length * 0x9E3779B97F4A7C15ULL);
}

bool IsCopyTempName(const std::string& name) {
  constexpr std::string_view kPrefix = ".tolvane-";
  constexpr std::string_view kSuffix = ".tmp";
  if (name.size() != kPrefix.size() + 6 + kSuffix.size()) return false;
  if (name.compare(0, kPrefix.size(), kPrefix) != 0) return false;
  if (name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) return false;
  return std::all_of(name.begin() + kPrefix.size(), name.end() - kSuffix.size(),
                     [](unsigned char c) { return std::isalnum(c) != 0; });
}

std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator(folder, error); !error && it != std::filesystem::directory_iterator();
       it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> NamesWithoutTemps(const std::filesystem::path& folder) {
  std::vector<std::string> names = Names(folder);
  std::erase_if(names, IsCopyTempName);
  return names;
}

std::vector<std::string> TempNames(const std::filesystem::path& folder) {
  std::vector<std::string> names = Names(folder);
  std::erase_if(names, [](const std::string& name) { return !IsCopyTempName(name); });
  return names;
}

bool Exists(const std::filesystem::path& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0;
}

Child::Child(const std::function<std::uint32_t()>& body) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(fds[0]);
    std::uint32_t value = 0xFFFFFFFF;
    try {
      value = body();
    } catch (...) {
    }
    [[maybe_unused]] ssize_t ignored = write(fds[1], &value, sizeof value);
    _exit(0);
  }
  close(fds[1]);
  pipe_ = fds[0];
}

Child::~Child() {
  if (pid_ > 0) {
    Kill();
    waitpid(pid_, nullptr, 0);
  }
  if (pipe_ >= 0) close(pipe_);
}

void Child::Kill() {
  if (pid_ > 0) kill(pid_, SIGKILL);
}

std::optional<std::uint32_t> Child::Wait(std::chrono::milliseconds patience) {
  if (pid_ <= 0) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      hung_ = true;
      Kill();
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  pid_ = -1;
  std::uint32_t value = 0;
  if (read(pipe_, &value, sizeof value) != static_cast<ssize_t>(sizeof value)) return std::nullopt;
  return value;
}

std::optional<std::uint32_t> RunInChild(const std::function<std::uint32_t()>& body, std::chrono::milliseconds patience) {
  Child child(body);
  return child.Wait(patience);
}

void LimitFileSize(std::uint64_t limit) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit fileSize{limit, limit};
  setrlimit(RLIMIT_FSIZE, &fileSize);
}

std::vector<std::string> Snapshot(const std::filesystem::path& root, const std::vector<std::filesystem::path>& skip) {
  namespace fs = std::filesystem;
  std::vector<std::string> lines;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    const fs::path& path = it->path();
    if (std::find(skip.begin(), skip.end(), path) != skip.end()) {
      it.disable_recursion_pending();
      continue;
    }
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) continue;
    std::string line = path.lexically_relative(root).string() + " mode=" + std::to_string(status.st_mode);
    if (S_ISREG(status.st_mode)) {
      line += " size=" + std::to_string(status.st_size);
      const auto sum = Checksum(path);
      line += " sum=" + (sum ? std::to_string(*sum) : std::string("unreadable"));
    } else if (S_ISLNK(status.st_mode)) {
      line += " -> " + fs::read_symlink(path, error).string();
    }
    lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace copy_test
