// Module path, path limits and the user's folders on POSIX.
#include <limits.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "framework/services.h"

CString GetModuleFileName() {
  std::string path(PATH_MAX, '\0');
  const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0) return CString();
  path.resize(static_cast<std::size_t>(n));
  return CString(path);
}

int MaxPathBuffer() { return PATH_MAX; }

CString DefaultDataFolder() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* pw = getpwuid(getuid());
    home = pw ? pw->pw_dir : "/";
  }
  std::string folder(home);
  if (folder.empty() || folder.back() != '/') folder += '/';
  return CString(folder + "mydata");
}
