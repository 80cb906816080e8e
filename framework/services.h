// Operating-system services the program needs, provided by the platform layer.
// Failures are return values; nothing here throws.
#pragma once

#include <string_view>

#include "framework/cstring.h"
#include "framework/win_defs.h"

enum class PathStyle { kWindows, kPosix };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::kWindows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::kPosix;
#endif

// The byte that joins a folder and a name.
constexpr char PathSeparator(PathStyle style) { return style == PathStyle::kWindows ? '\\' : '/'; }
// The bytes that separate folders: "\" and "/" on Windows, "/" alone on POSIX.
constexpr std::string_view PathSeparators(PathStyle style) { return style == PathStyle::kWindows ? "\\/" : "/"; }

// Copies source to destination. With failIfExists, an existing destination
// (also one that appears while the copy runs) is never touched and the result
// is ERROR_FILE_EXISTS; without it, the destination is replaced. ERROR_SUCCESS,
// or the reason of the failure.
DWORD CopyFile(const CString& source, const CString& destination, bool failIfExists);

// Full path of the running program's file.
CString GetModuleFileName();

// Size of a path buffer, terminating NUL included: the longest usable path is
// one byte shorter.
int MaxPathBuffer();

// The folder the open-file dialog is first pointed at.
CString DefaultDataFolder();

// Asks the platform's help viewer for the help file at the given context.
// False when no viewer could be started.
bool LaunchHelp(const CString& helpFilePath, UINT command, DWORD data);

// The ending of the program's help file, which lies beside the program.
const char* HelpFileExtension();
