// Help through the desktop's viewer.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "framework/services.h"

extern char** environ;

const char* HelpFileExtension() { return ".html"; }

bool LaunchHelp(const CString& helpFilePath, UINT /*command*/, DWORD /*data*/) {
  if (access(helpFilePath.GetString(), R_OK) != 0) return false;
  std::string path = helpFilePath.bytes();
  char* argv[] = {const_cast<char*>("xdg-open"), path.data(), nullptr};
  pid_t pid = 0;
  return posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0;
}
