#include "framework/window_system.h"

#include <cstdio>
#include <cstdlib>

namespace {
WindowSystem* g_windowSystem = nullptr;
}  // namespace

WindowSystem& AfxGetWindowSystem() {
  if (g_windowSystem == nullptr) {
    // A program linked without a backend cannot show anything; say so plainly.
    std::fputs("Tolvane: no window system installed\n", stderr);
    std::abort();
  }
  return *g_windowSystem;
}

void AfxSetWindowSystem(WindowSystem* windowSystem) { g_windowSystem = windowSystem; }
