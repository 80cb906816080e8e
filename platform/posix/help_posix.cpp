// Help through the desktop's viewer: the manual is an HTML page, and each
// help context is a section of it that the viewer scrolls to.
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "framework/services.h"
#include "framework/win_defs.h"
#include "platform/posix/help_posix.h"

extern char** environ;

namespace fs = std::filesystem;

const char* const kInstalledHelpFolder = TOLVANE_HELP_INSTALL_DIR;

const char* HelpFileExtension() { return ".html"; }

namespace {

bool Readable(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && access(path.c_str(), R_OK) == 0;
}

}  // namespace

std::optional<std::string> FindHelpFile(const std::string& besideProgram) {
  if (besideProgram.empty()) return std::nullopt;
  const fs::path beside(besideProgram);
  if (Readable(beside)) return fs::absolute(beside).lexically_normal().string();
  // An installed program lies in <prefix>/bin and its manual in the prefix's
  // share folder, which is where the package puts it too.
  const fs::path installed = beside.parent_path() / ".." / kInstalledHelpFolder / beside.filename();
  if (Readable(installed)) return fs::absolute(installed).lexically_normal().string();
  return std::nullopt;
}

std::string HelpFileUrl(const std::string& absolutePath, UINT command, DWORD data) {
  std::string url = "file://";
  for (const unsigned char c : absolutePath) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      url += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      url += escaped;
    }
  }
  if (command == HELP_CONTEXT && data != 0) {
    char fragment[32];
    std::snprintf(fragment, sizeof fragment, "#ctx-%lx", static_cast<unsigned long>(data));
    url += fragment;
  }
  return url;
}

bool LaunchHelp(const CString& helpFilePath, UINT command, DWORD data) {
  const std::optional<std::string> manual = FindHelpFile(helpFilePath.bytes());
  if (!manual) return false;
  std::string url = HelpFileUrl(*manual, command, data);
  char program[] = "xdg-open";
  char* argv[] = {program, url.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
  // The viewer outlives the F1 press; reaping it aside keeps the program
  // free of zombies without making the dialog wait for the viewer.
  std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
  return true;
}
