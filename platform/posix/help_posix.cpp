// Help through the desktop's viewer: the manual is an HTML page, and each
// help context is a section of it that the viewer scrolls to.
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
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
// How long F1 waits to hear whether the viewer could do anything at all.
constexpr std::chrono::milliseconds kViewerVerdictWait{1500};
}  // namespace

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
  // xdg-open hands the page to a browser and ends; when there is none to
  // hand it to, it ends at once with a failure, which the user is told of.
  // A viewer still busy after a moment is taken as started, and is reaped
  // aside so that no zombie is left and the dialog does not wait for it.
  auto exitStatus = std::make_shared<std::promise<int>>();
  std::future<int> status = exitStatus->get_future();
  std::thread([pid, exitStatus] {
    int raw = 0;
    while (waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    exitStatus->set_value(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1);
  }).detach();
  if (status.wait_for(kViewerVerdictWait) != std::future_status::ready) return true;
  return status.get() == 0;
}
