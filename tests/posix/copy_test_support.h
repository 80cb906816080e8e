// Helpers for testing the file copy with real files: file contents made and
// compared by checksum (also files far larger than memory would like), the
// recognisable names of the copy's temporary files, and work done in a child
// process that may be limited, killed, or given its own mounts.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/cstring.h"

namespace copy_test {

CString Text(const std::filesystem::path& path);

// Writes size bytes of a pattern that differs for every seed and never
// repeats with a short period, a chunk at a time.
void WritePattern(const std::filesystem::path& path, std::uint64_t size, std::uint64_t seed);

// A checksum of the file's bytes, read a chunk at a time; nullopt when the
// file cannot be opened.
std::optional<std::uint64_t> Checksum(const std::filesystem::path& path);

// ".tolvane-" + six letters or digits + ".tmp": what a killed copy leaves.
bool IsCopyTempName(const std::string& name);

// The names in a folder, sorted; a missing folder has none.
std::vector<std::string> Names(const std::filesystem::path& folder);
// The names that are not the copy's temporary files.
std::vector<std::string> NamesWithoutTemps(const std::filesystem::path& folder);
std::vector<std::string> TempNames(const std::filesystem::path& folder);

bool Exists(const std::filesystem::path& path);  // the entry itself, links not followed

// A child process running body, whose return value comes back through a pipe.
class Child {
 public:
  explicit Child(const std::function<std::uint32_t()>& body);
  ~Child();  // kills and reaps a child still running
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }
  void Kill();
  // Waits for the child, killing it when it has not ended within patience
  // (it hangs). The body's value, or nullopt when it did not return one.
  std::optional<std::uint32_t> Wait(std::chrono::milliseconds patience = std::chrono::seconds(60));
  bool hung() const { return hung_; }

 private:
  pid_t pid_ = -1;
  int pipe_ = -1;
  bool hung_ = false;
};

// Runs body in a child and returns its value (nullopt: it died or hung).
std::optional<std::uint32_t> RunInChild(const std::function<std::uint32_t()>& body,
                                        std::chrono::milliseconds patience = std::chrono::seconds(60));

// In a child: no bigger files than limit bytes, and a write past it fails
// with EFBIG instead of ending the process.
void LimitFileSize(std::uint64_t limit);

// A listing of everything under root (type, size, checksum, link target) for
// comparing a folder tree before and after.
std::vector<std::string> Snapshot(const std::filesystem::path& root,
                                  const std::vector<std::filesystem::path>& skip = {});

}  // namespace copy_test
