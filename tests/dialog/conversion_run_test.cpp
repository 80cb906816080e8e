// The conversion run with real files: names, boxes and their texts, the
// overwrite question, and what happens to the list and the sources.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "convert/convert_texts.h"
#include "tests/support/main_dialog_fixture.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class ConversionRun : public MainDialogFixture {
 protected:
  void SetUp() override {
    MainDialogFixture::SetUp();
    fs::create_directory(src());
    fs::create_directory(out());
  }
  void TearDown() override {
    // Whatever a test did, no source was changed.
    for (const auto& [path, contents] : sources_) EXPECT_EQ(ReadFile(path), contents) << path;
    MainDialogFixture::TearDown();
  }

  fs::path src() const { return tmp / "src"; }
  fs::path out() const { return tmp / "out"; }

  // A source file with contents of its own, added to the list.
  fs::path Source(const std::string& name) {
    const fs::path path = src() / name;
    if (!fs::exists(path)) {
      const std::string contents = "contents of " + name + std::string(1000, static_cast<char>(name.size()));
      WriteFile(path, contents);
      sources_[path] = contents;
    }
    AddFile(path.string());
    return path;
  }

  // Every file below the temporary folder.
  std::set<fs::path> Tree() const {
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(tmp.path())) files.insert(entry.path());
    return files;
  }

  const ScriptedWindowSystem::MessageBoxCall& Box(std::size_t i) const { return ws.messageBoxes.at(i); }

  TempDir tmp;
  std::map<fs::path, std::string> sources_;
};

TEST_F(ConversionRun, TypedExtensionWinsOverThePreset) {
  const fs::path a = Source("a.txt");
  SelectPreset(".gif");
  ws.Type(dlg, IDC_EXT_EDIT, "doc");
  ConvertInto(out());

  EXPECT_EQ(ReadFile(out() / "a.doc"), ReadFile(a));
  EXPECT_FALSE(fs::exists(out() / "a.gif"));
  ASSERT_EQ(ws.messageBoxes.size(), 1u);
  EXPECT_EQ(Box(0).text, CString(u8"ファイルaの変換が完了しました。"));
  EXPECT_EQ(Box(0).caption, CString("Tolvane"));
  EXPECT_EQ(Box(0).type, MB_OK);
  EXPECT_EQ(Box(0).owner, &dlg);
  EXPECT_FALSE(Box(0).ownerEnabled);
  EXPECT_TRUE(Files().empty());
  EXPECT_EQ(dlg.m_strNewExt, CString(".doc"));
  EXPECT_EQ(dlg.m_strExtInput, CString("doc"));
  EXPECT_EQ(ws.Control(dlg, IDC_EXT_EDIT).text, CString("doc"));
  EXPECT_EQ(dlg.m_strDestDir, CString(out().string()));
}

TEST_F(ConversionRun, PresetExtensionsAreTakenAsTheyAre) {
  Source("photo.final.png");
  SelectPreset(".jpg");
  ConvertInto(out());
  EXPECT_TRUE(fs::exists(out() / "photo.jpg"));
  EXPECT_EQ(ws.MessageBoxTexts(), std::vector<CString>{CompletionMessage("photo")});
  EXPECT_TRUE(dlg.m_strNewExt.IsEmpty());
}

TEST_F(ConversionRun, NamesWithoutABaseMeetOnTheBareExtension) {
  const fs::path readme = Source("README");
  const fs::path profile = Source(".profile");
  ws.Type(dlg, IDC_EXT_EDIT, ".txt");
  ConvertInto(out());

  EXPECT_EQ(ReadFile(out() / ".txt"), ReadFile(readme));
  ASSERT_EQ(ws.messageBoxes.size(), 2u);
  EXPECT_EQ(Box(0).text, CString(u8"ファイルの変換が完了しました。"));
  EXPECT_EQ(Box(1).text, CString(u8"すでにファイル.txtがディレクトリ内に存在します。\n 上書きしますか？"));
  EXPECT_EQ(Box(1).caption, CString(u8"上書き"));
  EXPECT_EQ(Box(1).type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(Box(1).owner, nullptr);
  // The question has no owner: the main dialog stays usable while it waits.
  EXPECT_TRUE(Box(1).mainWindowEnabled);
  EXPECT_TRUE(Files().empty());
}

TEST_F(ConversionRun, OverwriteAnswers) {
  const struct {
    const char* what;
    int answer;
    bool readOnly;
    bool replaced;
  } cases[] = {
      {"yes replaces", IDYES, false, true},
      {"no keeps the old file", IDNO, false, false},
      {"yes on a read-only file keeps it", IDYES, true, false},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    ws.messageBoxes.clear();
    const fs::path a = Source("a.txt");
    const fs::path existing = out() / "a.doc";
    fs::remove(existing);
    WriteFile(existing, "old");
    if (row.readOnly) chmod(existing.c_str(), 0444);
    ws.AnswerMessageBox(row.answer);
    ws.Type(dlg, IDC_EXT_EDIT, "doc");
    ConvertInto(out());

    EXPECT_EQ(ReadFile(existing), row.replaced ? ReadFile(a) : "old");
    std::vector<CString> expected = {OverwriteQuestion("a", ".doc")};
    if (row.replaced) expected.push_back(CompletionMessage("a"));
    EXPECT_EQ(ws.MessageBoxTexts(), expected);
    EXPECT_TRUE(Files().empty());
    chmod(existing.c_str(), 0644);
  }
}

TEST_F(ConversionRun, TheSameFileListedTwiceMeetsItsOwnCopy) {
  const fs::path a = Source("a.txt");
  AddFile(a.string());
  ws.AnswerMessageBox(IDOK);  // the first copy's completion
  ws.AnswerMessageBox(IDYES);
  SelectPreset(".dat");
  ConvertInto(out());
  EXPECT_EQ(ws.MessageBoxTexts(),
            (std::vector<CString>{CompletionMessage("a"), OverwriteQuestion("a", ".dat"), CompletionMessage("a")}));
  EXPECT_EQ(ReadFile(out() / "a.dat"), ReadFile(a));
}

TEST_F(ConversionRun, TwoFilesWithOneBaseName) {
  const fs::path first = Source("a.txt");
  Source("a.doc");
  SelectPreset(".zip");
  ConvertInto(out());
  EXPECT_EQ(ws.MessageBoxTexts(), (std::vector<CString>{CompletionMessage("a"), OverwriteQuestion("a", ".zip")}));
  EXPECT_EQ(ReadFile(out() / "a.zip"), ReadFile(first));
}

TEST_F(ConversionRun, CopyingOntoTheSourceItselfLeavesItWhole) {
  const fs::path a = Source("a.txt");
  SelectPreset(".txt");
  ws.AnswerMessageBox(IDYES);
  ConvertInto(src());
  EXPECT_EQ(ws.MessageBoxTexts(), std::vector<CString>{OverwriteQuestion("a", ".txt")});
  // TearDown checks that a.txt is as it was.
}

TEST_F(ConversionRun, FailedCopiesPassSilentlyAndTheListIsStillEmptied) {
  AddFile((src() / "missing.txt").string());
  AddFile(src().string());  // a folder
  ws.Type(dlg, IDC_EXT_EDIT, "doc");
  ConvertInto(out());
  EXPECT_TRUE(ws.messageBoxes.empty());
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(fs::is_empty(out()));

  // A folder that is not there: every copy fails.
  Source("a.txt");
  ConvertInto(tmp / "no-such-folder");
  EXPECT_TRUE(ws.messageBoxes.empty());
  EXPECT_TRUE(Files().empty());
}

TEST_F(ConversionRun, EntriesListedAtTheStartAreEachHandledOnce) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) Source(name);
  WriteFile(out() / "a.doc", "old");
  const fs::path late = src() / "late.txt";
  WriteFile(late, "late");
  // While the ownerless question waits, the user empties the list and adds
  // another file.
  ws.AnswerMessageBox([&](const ScriptedWindowSystem::MessageBoxCall&) {
    ws.Click(dlg, IDC_REMOVE_ALL);
    AddFile(late.string());
    return IDNO;
  });
  ws.Type(dlg, IDC_EXT_EDIT, "doc");
  ConvertInto(out());

  EXPECT_EQ(ws.MessageBoxTexts(), (std::vector<CString>{OverwriteQuestion("a", ".doc"), CompletionMessage("b"),
                                                  CompletionMessage("c")}));
  EXPECT_EQ(ReadFile(out() / "a.doc"), "old");
  EXPECT_FALSE(fs::exists(out() / "late.doc"));
  EXPECT_TRUE(Files().empty());
}

TEST_F(ConversionRun, HostileTypedExtensionsStayInsideTheFolder) {
  const char* cases[] = {"a/../../x", "/../../x", "../x", "..", ".", "/", "x/", ".doc/../../../evil"};
  Source("a.txt");
  Source("noext");
  for (const char* typed : cases) {
    SCOPED_TRACE(typed);
    const std::set<fs::path> before = Tree();
    if (Files().empty()) {
      AddFile((src() / "a.txt").string());
      AddFile((src() / "noext").string());
    }
    ws.Type(dlg, IDC_EXT_EDIT, typed);
    ConvertInto(out());
    for (const fs::path& path : Tree()) {
      if (!before.count(path)) {
        EXPECT_EQ(path.parent_path(), out()) << path;
      }
    }
    EXPECT_TRUE(Files().empty());
  }
}

TEST_F(ConversionRun, NoExtensionLeftWhenTheRunStarts) {
  Source("a.txt");
  SelectPreset(".txt");
  // The dialog is repainted while the folder chooser is up.
  ws.AnswerFolder([&](const ScriptedWindowSystem::FolderCall&) {
    ws.Paint(dlg);
    return std::optional<CString>(out().string());
  });
  ws.Click(dlg, IDC_CONVERT);
  EXPECT_EQ(ws.MessageBoxTexts(), std::vector<CString>{CString(kSelectExtensionOrFile)});
  EXPECT_EQ(Box(0).owner, &dlg);
  EXPECT_EQ(Box(0).type, MB_OK);
  EXPECT_EQ(Files().size(), 1u);
  EXPECT_TRUE(fs::is_empty(out()));
}

TEST_F(ConversionRun, ShiftJisNamesKeepTheirBytes) {
  ScopedCodePage cp(CodePage::ShiftJis());
  // 表.txt: the second byte of 表 is the backslash byte 0x5C.
  const std::string hyou = "\x95\x5C";
  const fs::path source = Source(hyou + ".txt");
  ws.Type(dlg, IDC_EXT_EDIT, "doc");
  ConvertInto(out());
  EXPECT_EQ(ReadFile(out() / (hyou + ".doc")), ReadFile(source));
  ASSERT_EQ(ws.messageBoxes.size(), 1u);
  EXPECT_EQ(Box(0).text, CString(u8"ファイル") + CString(hyou) + CString(u8"の変換が完了しました。"));
  EXPECT_EQ(Box(0).text.bytes().substr(0, 8), "\x83\x74\x83\x40\x83\x43\x83\x8B");  // ファイル in code page 932
}

}  // namespace

namespace {

TEST_F(ConversionRun, ASecondConversionStartedDuringTheQuestionLeavesTheFirstInItsFolder) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) Source(name);
  WriteFile(out() / "a.doc", "old");
  const fs::path other = tmp / "other";
  fs::create_directory(other);
  // While the first run's question waits, the user types another extension
  // and converts the same list into another folder.
  ws.AnswerMessageBox([&](const ScriptedWindowSystem::MessageBoxCall&) {
    ws.Type(dlg, IDC_EXT_EDIT, "md");
    ConvertInto(other);
    return IDNO;
  });
  ws.Type(dlg, IDC_EXT_EDIT, "doc");
  ConvertInto(out());

  std::set<std::string> inOut, inOther;
  for (const auto& entry : fs::directory_iterator(out())) inOut.insert(entry.path().filename().string());
  for (const auto& entry : fs::directory_iterator(other)) inOther.insert(entry.path().filename().string());
  EXPECT_EQ(inOut, (std::set<std::string>{"a.doc", "b.doc", "c.doc"}));
  EXPECT_EQ(inOther, (std::set<std::string>{"a.md", "b.md", "c.md"}));
  EXPECT_EQ(ReadFile(out() / "a.doc"), "old");
  EXPECT_TRUE(Files().empty());
}

}  // namespace
