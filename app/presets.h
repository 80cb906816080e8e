// The preset extensions, in the order the list shows them.
#pragma once

inline constexpr const char* kPresetExtensions[] = {
    ".txt", ".doc", ".gif", ".jpg", ".bmp", ".c",   ".cpp", ".mp3", ".wav",
    ".mid", ".exe", ".bat", ".dat", ".zip", ".lzh", ".rar", ".html", ".yz1",
};
