// Application name and help path from the program's file.
#include <gtest/gtest.h>

#include "framework/win_app.h"

namespace {

TEST(ApplicationName, FromModulePath) {
  const struct {
    PathStyle style;
    const char* path;
    const char* name;
    const char* help;
  } cases[] = {
      {PathStyle::kWindows, "C:\\Program Files\\Tolvane\\Tolvane.EXE", "Tolvane",
       "C:\\Program Files\\Tolvane\\Tolvane.HLP"},
      {PathStyle::kWindows, "C:\\x\\Other.v2.exe", "Other.v2", "C:\\x\\Other.v2.HLP"},
      {PathStyle::kWindows, "C:Tool.exe", "Tool", "C:Tool.HLP"},
      {PathStyle::kPosix, "/usr/bin/Tolvane", "Tolvane", "/usr/bin/Tolvane.HLP"},
      // A "." in a folder is not the file's extension.
      {PathStyle::kPosix, "/opt/app.v2/Tolvane", "Tolvane", "/opt/app.v2/Tolvane.HLP"},
      {PathStyle::kPosix, "/opt/app.v2/My.Tool.bin", "My.Tool", "/opt/app.v2/My.Tool.HLP"},
      {PathStyle::kPosix, "/home/u/a:b\\c", "a:b\\c", "/home/u/a:b\\c.HLP"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(ApplicationNameFromPath(row.path, row.style), CString(row.name)) << row.path;
    EXPECT_EQ(HelpPathFromModulePath(row.path, ".HLP", row.style), CString(row.help)) << row.path;
  }
}

}  // namespace
