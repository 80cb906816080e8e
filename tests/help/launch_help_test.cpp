// F1 on POSIX: the manual is found beside the program or in the install's
// share folder and handed to xdg-open as a file URL with the section of the
// help context; when that cannot happen the program shows its failure box.
// The viewer is a stand-in xdg-open on PATH that writes down its arguments.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/about_dlg.h"
#include "app/main_app.h"
#include "app/main_dlg.h"
#include "framework/services.h"
#include "framework/win_app.h"
#include "platform/posix/help_posix.h"
#include "res/resource.h"
#include "tests/support/scripted_window_system.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kMainContext = 0x20000 + IDD_MAIN;
constexpr DWORD kAboutContext = 0x20000 + IDD_ABOUTBOX;

class LaunchHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* path = std::getenv("PATH")) savedPath_ = path;
    const std::string root = dir_.path().string();
    if (root.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/-._~") !=
        std::string::npos) {
      GTEST_SKIP() << "the temporary folder's name itself would be escaped: " << root;
    }
    fs::create_directories(dir_ / "viewer");
    fs::create_directories(dir_ / "no-viewer");
    setenv("PATH", (dir_ / "viewer").c_str(), 1);
  }
  void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }

  // An xdg-open that records its arguments, one a line; the file appears
  // whole, so a reader never sees half of it.
  void InstallViewer(bool executable = true, const std::string& then = "") {
    const fs::path script = dir_ / "viewer" / "xdg-open";
    WriteFile(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + Record().string() + ".part' && /bin/mv '" +
                          Record().string() + ".part' '" + Record().string() + "'\n" + then);
    chmod(script.c_str(), executable ? 0755 : 0644);
  }
  void HideViewer() { setenv("PATH", (dir_ / "no-viewer").c_str(), 1); }

  fs::path Record() const { return dir_ / "viewer-arguments"; }

  // What the viewer was given, once it has run.
  std::optional<std::vector<std::string>> ViewerArguments() {
    for (int i = 0; i < 500 && !fs::exists(Record()); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!fs::exists(Record())) return std::nullopt;
    std::vector<std::string> lines;
    const std::string text = ReadFile(Record());
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = text.find('\n', start);
      lines.push_back(text.substr(start, end - start));
      start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
  }
  // Long enough for a viewer that was wrongly started to have written.
  bool ViewerStayedIdle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return !fs::exists(Record());
  }

  void Lay(const std::string& relative) {
    const fs::path file = dir_ / relative;
    fs::create_directories(file.parent_path());
    WriteFile(file, "<html></html>");
  }
  std::string Url(const std::string& relative) const { return "file://" + dir_.path().string() + "/" + relative; }

  TempDir dir_;
  std::string savedPath_;
};

TEST_F(LaunchHelpTest, OpensTheManualAtTheSectionOfTheContext) {
  const std::string installed = "usr/" + std::string(kInstalledHelpFolder) + "/Tolvane.html";
  struct Row {
    const char* name;
    std::vector<std::string> files;  // laid out below the root
    std::string besideProgram;       // the help path the program derives
    UINT command;
    DWORD data;
    std::string url;  // below the root
  };
  const Row rows[] = {
      {"build tree, main dialog", {"build/Tolvane", "build/Tolvane.html"}, "build/Tolvane.html", HELP_CONTEXT,
       kMainContext, "build/Tolvane.html#ctx-20066"},
      {"build tree, about box", {"build/Tolvane", "build/Tolvane.html"}, "build/Tolvane.html", HELP_CONTEXT,
       kAboutContext, "build/Tolvane.html#ctx-20064"},
      {"installed program", {"usr/bin/Tolvane", installed}, "usr/bin/Tolvane.html", HELP_CONTEXT, kMainContext,
       installed + "#ctx-20066"},
      {"a manual beside the program wins", {"usr/bin/Tolvane.html", installed}, "usr/bin/Tolvane.html",
       HELP_CONTEXT, kAboutContext, "usr/bin/Tolvane.html#ctx-20064"},
      {"no context: the top of the manual", {"build/Tolvane.html"}, "build/Tolvane.html", HELP_CONTEXT, 0,
       "build/Tolvane.html"},
      {"a folder name a URL would misread", {"my help #2/100%/ヘルプ/Tolvane.html"},
       "my help #2/100%/ヘルプ/Tolvane.html", HELP_CONTEXT, kMainContext,
       "my%20help%20%232/100%25/%E3%83%98%E3%83%AB%E3%83%97/Tolvane.html#ctx-20066"},
  };
  InstallViewer();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const std::string& file : row.files) Lay(file);
    fs::remove(Record());

    EXPECT_TRUE(LaunchHelp(CString((dir_ / row.besideProgram).string()), row.command, row.data));
    const auto arguments = ViewerArguments();
    ASSERT_TRUE(arguments.has_value()) << "the viewer was not started";
    EXPECT_EQ(*arguments, std::vector<std::string>{Url(row.url)});
    for (const std::string& file : row.files) fs::remove(dir_ / file);
  }
}

TEST_F(LaunchHelpTest, AViewerThatFailsAtOnceIsReportedAndABusyOneIsNot) {
  Lay("usr/bin/Tolvane.html");
  const CString besideProgram((dir_ / "usr/bin/Tolvane.html").string());
  const struct {
    const char* what;
    const char* then;
    bool started;
  } rows[] = {
      {"no browser to hand the page to", "exit 3\n", false},
      {"handed over", "exit 0\n", true},
      {"still opening the page", "exec /bin/sleep 5\n", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    fs::remove(Record());
    InstallViewer(true, row.then);
    EXPECT_EQ(LaunchHelp(besideProgram, HELP_CONTEXT, kMainContext), row.started);
    EXPECT_TRUE(ViewerArguments().has_value());
  }
}

TEST_F(LaunchHelpTest, FailsWhenTheManualCannotBeOpened) {
  enum class Viewer { kRuns, kNotOnPath, kNotExecutable };
  struct Row {
    const char* name;
    std::vector<std::string> files;
    std::string besideProgram;
    Viewer viewer;
  };
  const Row rows[] = {
      {"no manual anywhere", {"usr/bin/Tolvane"}, "usr/bin/Tolvane.html", Viewer::kRuns},
      {"no help path at all", {}, "", Viewer::kRuns},
      {"a folder of the manual's name", {"usr/bin/Tolvane.html/index.html"}, "usr/bin/Tolvane.html", Viewer::kRuns},
      {"no xdg-open on PATH", {"usr/bin/Tolvane.html"}, "usr/bin/Tolvane.html", Viewer::kNotOnPath},
      {"xdg-open that cannot be run", {"usr/bin/Tolvane.html"}, "usr/bin/Tolvane.html", Viewer::kNotExecutable},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const std::string& file : row.files) Lay(file);
    if (row.viewer == Viewer::kNotOnPath) {
      HideViewer();
    } else {
      InstallViewer(row.viewer == Viewer::kRuns);
    }
    const std::string besideProgram = row.besideProgram.empty() ? "" : (dir_ / row.besideProgram).string();

    EXPECT_FALSE(LaunchHelp(CString(besideProgram), HELP_CONTEXT, kMainContext));
    EXPECT_TRUE(ViewerStayedIdle());
    fs::remove_all(dir_ / "usr");
  }
}

// The whole F1 road through the application object and the dialogs' help
// contexts, with the real launch behind it.
class HelpCommandTest : public LaunchHelpTest {
 protected:
  void SetUp() override {
    LaunchHelpTest::SetUp();
    if (IsSkipped()) return;
    app_.SetModulePath(CString((dir_ / "usr/bin/Tolvane").string()));
    Lay("usr/bin/Tolvane");
    Lay("usr/" + std::string(kInstalledHelpFolder) + "/Tolvane.html");
    app_.m_pMainWnd = &dialog_;
    windows_.Open(dialog_);
  }

  // F1 while the about box is up, which it is only inside its modal loop.
  void PressF1InAboutBox() {
    windows_.ScriptDialog([this](CDialog& about) { windows_.PressF1(about); });
    windows_.SysCommand(dialog_, IDM_ABOUTBOX);
  }

  CMainApp app_;
  ScriptedWindowSystem windows_;
  CMainDlg dialog_;
};

TEST_F(HelpCommandTest, EachDialogOpensItsOwnSection) {
  InstallViewer();
  const std::string manual = "usr/" + std::string(kInstalledHelpFolder) + "/Tolvane.html";

  windows_.PressF1(dialog_);
  auto arguments = ViewerArguments();
  ASSERT_TRUE(arguments.has_value());
  EXPECT_EQ(*arguments, std::vector<std::string>{Url(manual + "#ctx-20066")});

  fs::remove(Record());
  PressF1InAboutBox();
  arguments = ViewerArguments();
  ASSERT_TRUE(arguments.has_value());
  EXPECT_EQ(*arguments, std::vector<std::string>{Url(manual + "#ctx-20064")});
  EXPECT_TRUE(windows_.messageBoxes.empty());
}

TEST_F(HelpCommandTest, NoViewerShowsTheFailureBoxOverTheDialogWithTheFocus) {
  HideViewer();
  const CString failure(u8"ﾍﾙﾌﾟの起動に失敗しました。");

  windows_.PressF1(dialog_);
  ASSERT_EQ(windows_.messageBoxes.size(), 1u);
  EXPECT_EQ(windows_.messageBoxes[0].text, failure);
  EXPECT_EQ(windows_.messageBoxes[0].caption, CString("Tolvane"));
  EXPECT_EQ(windows_.messageBoxes[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(windows_.messageBoxes[0].owner, &dialog_);

  PressF1InAboutBox();
  ASSERT_EQ(windows_.messageBoxes.size(), 2u);
  EXPECT_EQ(windows_.messageBoxes[1].text, failure);
  EXPECT_NE(windows_.messageBoxes[1].owner, &dialog_);
}

}  // namespace
