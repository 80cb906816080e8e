// Drives Tolvane's own file copy from the command line, so that it can be
// timed and weighed against cp on the same files.
//
//   bench_copy_driver SRC DST [--replace]      one file, as the program copies it
//   bench_copy_driver --batch DIR SRC...       every SRC into DIR, name kept (like cp -t)
//   bench_copy_driver --idle                   starts and does nothing: the size to compare with
#include <cstdio>
#include <cstring>
#include <string_view>

#include "framework/services.h"

namespace {

int Usage() {
  std::fputs(
      "usage: bench_copy_driver SRC DST [--replace]\n"
      "       bench_copy_driver --batch DIR SRC...\n"
      "       bench_copy_driver --idle\n",
      stderr);
  return 2;
}

bool Report(DWORD result, const char* source, const char* destination) {
  if (result == ERROR_SUCCESS) return true;
  std::fprintf(stderr, "bench_copy_driver: %s -> %s: error %lu\n", source, destination,
               static_cast<unsigned long>(result));
  return false;
}

int CopyBatch(const char* folder, int count, char** sources) {
  bool ok = true;
  CString prefix(folder);
  prefix += CString("/");
  for (int i = 0; i < count; ++i) {
    const char* slash = std::strrchr(sources[i], '/');
    const CString destination = prefix + CString(slash ? slash + 1 : sources[i]);
    // A batch always writes new names, as a conversion into a fresh folder does.
    ok = Report(CopyFile(CString(sources[i]), destination, true), sources[i], destination.GetString()) && ok;
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--idle") return 0;
  if (argc >= 3 && std::string_view(argv[1]) == "--batch") return CopyBatch(argv[2], argc - 3, argv + 3);
  if (argc == 3 || (argc == 4 && std::string_view(argv[3]) == "--replace")) {
    const bool replace = argc == 4;
    return Report(CopyFile(CString(argv[1]), CString(argv[2]), !replace), argv[1], argv[2]) ? 0 : 1;
  }
  return Usage();
}
