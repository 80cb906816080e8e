// Gathering files: the open-file dialog's settings, order, duplicates and removal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/services.h"
#include "tests/support/main_dialog_fixture.h"

namespace {

using FileList = MainDialogFixture;

TEST_F(FileList, OpenFileDialogIsAskedForWithItsSettings) {
  ws.Click(dlg, IDC_SELECT_FILE);
  ASSERT_EQ(ws.openFileDialogs.size(), 1u);
  const auto& call = ws.openFileDialogs[0];
  EXPECT_EQ(call.owner, &dlg);
  EXPECT_FALSE(call.ownerEnabled);
  EXPECT_TRUE(dlg.IsWindowEnabled());
  const OpenFileRequest& r = call.request;
  EXPECT_TRUE(r.openKind);
  EXPECT_EQ(r.defaultExtension, CString("all"));
  EXPECT_EQ(r.initialFileName, CString("*.*"));
  EXPECT_EQ(r.initialDirectory, DefaultDataFolder());
  EXPECT_TRUE(r.title.IsEmpty());
  EXPECT_EQ(r.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING);
  EXPECT_EQ(r.flags & (OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST), 0u);
  ASSERT_EQ(r.filters.size(), 1u);
  EXPECT_EQ(r.filters[0].description, CString("all(*.*)"));
  EXPECT_EQ(r.filters[0].pattern, CString("*.*"));
  EXPECT_EQ(r.maxPathBytes, MaxPathBuffer());

  // Every opening starts afresh with the same settings.
  AddFile("/data/x");
  EXPECT_EQ(ws.openFileDialogs[1].request.initialDirectory, DefaultDataFolder());
}

TEST(DefaultDataFolder, IsMydataInTheHomeFolder) {
  const char* home = std::getenv("HOME");
  if (home == nullptr) GTEST_SKIP() << "HOME is not set";
  std::string expected(home);
  if (expected.back() != '/') expected += '/';
  EXPECT_EQ(DefaultDataFolder(), CString(expected + "mydata"));
}

TEST_F(FileList, EntriesKeepTheirOrderAndDuplicates) {
  for (const char* path : {"/data/b.txt", "/data/a.txt", "/data/b.txt"}) AddFile(path);
  EXPECT_EQ(Files(), (std::vector<CString>{"/data/b.txt", "/data/a.txt", "/data/b.txt"}));
  EXPECT_EQ(dlg.m_strFilePath, CString("/data/b.txt"));
  EXPECT_TRUE(ws.messageBoxes.empty());
}

TEST_F(FileList, CancelChangesNothing) {
  AddFile("/data/a.txt");
  ws.AnswerOpenFile(std::nullopt);
  ws.Click(dlg, IDC_SELECT_FILE);
  EXPECT_EQ(Files(), std::vector<CString>{"/data/a.txt"});
  EXPECT_EQ(dlg.m_strFilePath, CString("/data/a.txt"));
}

TEST_F(FileList, RemoveTakesTheSelectedEntryAndLeavesNoSelection) {
  for (const char* path : {"/d/1", "/d/2", "/d/3"}) AddFile(path);
  ws.Select(dlg, IDC_FILE_LIST, 1);
  ws.Click(dlg, IDC_REMOVE);
  EXPECT_EQ(Files(), (std::vector<CString>{"/d/1", "/d/3"}));
  EXPECT_EQ(ws.Selection(dlg, IDC_FILE_LIST), LB_ERR);
  ws.Click(dlg, IDC_REMOVE);
  EXPECT_EQ(Files(), (std::vector<CString>{"/d/1", "/d/3"}));
  // The last chosen path stays, though its entry may be gone.
  EXPECT_EQ(dlg.m_strFilePath, CString("/d/3"));
  EXPECT_TRUE(ws.messageBoxes.empty());
}

TEST_F(FileList, RemoveAll) {
  ws.Click(dlg, IDC_REMOVE_ALL);
  EXPECT_TRUE(Files().empty());
  for (const char* path : {"/d/1", "/d/2"}) AddFile(path);
  ws.Select(dlg, IDC_FILE_LIST, 0);
  ws.Click(dlg, IDC_REMOVE_ALL);
  EXPECT_TRUE(Files().empty());
  EXPECT_EQ(ws.Selection(dlg, IDC_FILE_LIST), LB_ERR);
  EXPECT_TRUE(ws.messageBoxes.empty());
}

TEST_F(FileList, APathMustFitThePathBuffer) {
  const int longest = MaxPathBuffer() - 1;
  const std::string fits = "/" + std::string(static_cast<std::size_t>(longest - 1), 'a');
  const std::string tooLong = fits + "b";
  AddFile(fits);
  AddFile(tooLong);
  ASSERT_EQ(Files().size(), 1u);
  EXPECT_EQ(Files()[0].GetLength(), longest);
  EXPECT_EQ(dlg.m_strFilePath, CString(fits));
}

TEST_F(FileList, APaintWhileTheDialogIsUpClearsThePresetSelection) {
  SelectPreset(".txt");
  ws.AnswerOpenFile([&](const ScriptedWindowSystem::OpenFileCall&) {
    ws.Paint(dlg);
    return std::optional<CString>("/data/a.txt");
  });
  ws.Click(dlg, IDC_SELECT_FILE);
  EXPECT_EQ(ws.Selection(dlg, IDC_EXT_LIST), LB_ERR);
  EXPECT_EQ(Files().size(), 1u);
}

}  // namespace
