// What the POSIX file copy offers beyond the CopyFile service: a seam for
// tests that must put something in the copy's way at the last moment.
#pragma once

#include <functional>

namespace posix_copy {

// Called with the destination path once the new contents are complete and
// synced, just before they are put in place. Empty: nothing is called.
void SetBeforePublishHook(std::function<void(const char* destination)> hook);

}  // namespace posix_copy
