// How help finds and addresses the manual on POSIX; LaunchHelp is built on
// these.
#pragma once

#include <optional>
#include <string>

#include "framework/win_defs.h"

// Where an installed manual lies, relative to the install prefix.
extern const char* const kInstalledHelpFolder;

// The manual's absolute path: the given file beside the program when it is
// there (a build tree), else the file of that name in the install's share
// folder next to the program's bin folder. Nothing when neither can be read.
std::optional<std::string> FindHelpFile(const std::string& besideProgram);

// The file URL a viewer is given: the path percent-encoded byte by byte, and
// for a help context the fragment of its section ("#ctx-20066").
std::string HelpFileUrl(const std::string& absolutePath, UINT command, DWORD data);
