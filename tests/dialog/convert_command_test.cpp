// The convert command: its checks, the warning, the folder chooser and the
// hand-over to the run.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "convert/convert_texts.h"
#include "framework/services.h"
#include "tests/support/main_dialog_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using ConvertCommand = MainDialogFixture;

TEST_F(ConvertCommand, ChecksDecideBetweenWarningAndChooser) {
  const struct {
    const char* what;
    int files;
    const char* preset;  // nullptr: none selected
    const char* typed;
    bool chooser;
  } cases[] = {
      {"empty list, preset", 0, ".txt", "", false},
      {"empty list, typed", 0, nullptr, "doc", false},
      {"no preset, empty edit box", 1, nullptr, "", false},
      {"no preset, blanks only", 1, nullptr, "  ", true},
      {"preset only", 1, ".doc", "", true},
      {"preset and typed", 2, ".doc", "txt", true},
      {"typed only", 1, nullptr, "x", true},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    ws.Click(dlg, IDC_REMOVE_ALL);
    ws.messageBoxes.clear();
    ws.folderDialogs.clear();
    for (int i = 0; i < row.files; ++i) AddFile("/data/f" + std::to_string(i));
    ws.Paint(dlg);
    if (row.preset) SelectPreset(row.preset);
    ws.Type(dlg, IDC_EXT_EDIT, row.typed);

    ws.Click(dlg, IDC_CONVERT);  // the chooser is cancelled

    EXPECT_EQ(ws.folderDialogs.size(), row.chooser ? 1u : 0u);
    if (row.chooser) {
      EXPECT_TRUE(ws.messageBoxes.empty());
    } else {
      ASSERT_EQ(ws.messageBoxes.size(), 1u);
      const auto& box = ws.messageBoxes[0];
      EXPECT_EQ(box.text, CString(u8"拡張子またはファイルを選択してください。"));
      EXPECT_EQ(box.caption, CString("Tolvane"));
      EXPECT_EQ(box.type, MB_OK);
      EXPECT_EQ(box.owner, &dlg);
      EXPECT_FALSE(box.ownerEnabled);
    }
    EXPECT_EQ(Files().size(), static_cast<std::size_t>(row.files));
    EXPECT_TRUE(dlg.m_strDestDir.IsEmpty());
  }
}

TEST_F(ConvertCommand, ChooserIsAskedForAsAFolderOfTheFileSystem) {
  AddFile("/data/a.txt");
  SelectPreset(".txt");
  ws.Click(dlg, IDC_CONVERT);
  ASSERT_EQ(ws.folderDialogs.size(), 1u);
  const auto& call = ws.folderDialogs[0];
  EXPECT_EQ(call.owner, &dlg);
  EXPECT_FALSE(call.ownerEnabled);
  EXPECT_EQ(call.request.prompt, CString(u8"フォルダの選択"));
  EXPECT_EQ(call.request.flags, BIF_RETURNONLYFSDIRS);
}

TEST_F(ConvertCommand, TextTypedJustBeforeTheClickCounts) {
  AddFile("/data/a.txt");
  ws.Type(dlg, IDC_EXT_EDIT, "doc");
  ws.Click(dlg, IDC_CONVERT);
  EXPECT_EQ(ws.folderDialogs.size(), 1u);
  EXPECT_EQ(dlg.m_strExtInput, CString("doc"));
}

TEST_F(ConvertCommand, ARepaintBetweenSelectingAndClickingLosesThePreset) {
  AddFile("/data/a.txt");
  SelectPreset(".txt");
  ws.Paint(dlg);
  ws.Click(dlg, IDC_CONVERT);
  EXPECT_TRUE(ws.folderDialogs.empty());
  EXPECT_EQ(ws.MessageBoxTexts(), std::vector<CString>{CString(kSelectExtensionOrFile)});
}

TEST_F(ConvertCommand, CancelChangesNothingAndAskingAgainWorks) {
  AddFile("/data/a.txt");
  SelectPreset(".txt");
  ws.Click(dlg, IDC_CONVERT);
  ws.Click(dlg, IDC_CONVERT);
  EXPECT_EQ(ws.folderDialogs.size(), 2u);
  EXPECT_TRUE(ws.messageBoxes.empty());
  EXPECT_EQ(Files(), std::vector<CString>{"/data/a.txt"});
  EXPECT_TRUE(dlg.m_strDestDir.IsEmpty());
  EXPECT_EQ(ws.Selection(dlg, IDC_EXT_LIST), 0);
}

TEST_F(ConvertCommand, AConfirmedFolderRunsTheConversionAndEmptiesTheList) {
  TempDir tmp;
  WriteFile(tmp / "a.txt", "a");
  AddFile((tmp / "a.txt").string());
  ws.Type(dlg, IDC_EXT_EDIT, "TXT");
  std::filesystem::create_directory(tmp / "out");
  ConvertInto(tmp / "out");
  EXPECT_EQ(dlg.m_strDestDir, CString((tmp / "out").string()));
  EXPECT_EQ(ReadFile(tmp / "out" / "a.TXT"), "a");
  EXPECT_TRUE(Files().empty());

  // Without files a further click only warns.
  ws.messageBoxes.clear();
  ws.Click(dlg, IDC_CONVERT);
  EXPECT_EQ(ws.MessageBoxTexts(), std::vector<CString>{CString(kSelectExtensionOrFile)});
  EXPECT_EQ(ws.folderDialogs.size(), 1u);
}

TEST_F(ConvertCommand, AFolderWithoutAUsableFullPathIsACancel) {
  const std::string tooLong = "/" + std::string(static_cast<std::size_t>(MaxPathBuffer()), 'd');
  for (const std::string& answer : {std::string("relative/folder"), std::string(""), tooLong}) {
    AddFile("/data/a.txt");
    SelectPreset(".txt");
    ws.AnswerFolder(CString(answer));
    ws.Click(dlg, IDC_CONVERT);
    EXPECT_TRUE(dlg.m_strDestDir.IsEmpty()) << answer.substr(0, 40);
    EXPECT_EQ(Files().size(), 1u) << answer.substr(0, 40);
    EXPECT_TRUE(ws.messageBoxes.empty());
    ws.Click(dlg, IDC_REMOVE_ALL);
  }
}

TEST_F(ConvertCommand, CaptionFollowsTheProgramFile) {
  const struct {
    const char* path;
    const char* caption;
  } cases[] = {
      {"/usr/bin/Tolvane", "Tolvane"},
      {"/home/u/bin/Renamed", "Renamed"},
      {"/opt/app.v2/Copy.of.Tolvane", "Copy.of"},
  };
  for (const auto& row : cases) {
    app.SetModulePath(row.path);
    ws.messageBoxes.clear();
    ws.Click(dlg, IDC_CONVERT);
    ASSERT_EQ(ws.messageBoxes.size(), 1u);
    EXPECT_EQ(ws.messageBoxes[0].caption, CString(row.caption)) << row.path;
  }
}

}  // namespace
