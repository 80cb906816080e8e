// The main dialog: construction, initialisation, presets on paint, the typed
// extension's data exchange, closing, system commands, about box and help.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "app/about_dlg.h"
#include "app/main_app.h"
#include "app/main_dlg.h"
#include "framework/resources.h"
#include "tests/support/main_dialog_fixture.h"

namespace {

const std::vector<CString> kPresets = {".txt", ".doc", ".gif", ".jpg", ".bmp", ".c",   ".cpp", ".mp3", ".wav",
                                       ".mid", ".exe", ".bat", ".dat", ".zip", ".lzh", ".rar", ".html", ".yz1"};

TEST(MainDialogConstruction, FieldsStartEmpty) {
  ScriptedWindowSystem ws;
  CMainDlg dlg;
  EXPECT_EQ(dlg.m_strExtInput, CString(""));
  EXPECT_TRUE(dlg.m_strFilePath.IsEmpty());
  EXPECT_TRUE(dlg.m_strDestDir.IsEmpty());
  EXPECT_TRUE(dlg.m_strNewExt.IsEmpty());
  EXPECT_EQ(dlg.m_hIcon, FindIconResource(IDI_MAIN));
  ASSERT_NE(dlg.m_hIcon, nullptr);
  EXPECT_EQ(dlg.GetTemplateId(), IDD_MAIN);
  EXPECT_EQ(dlg.GetHelpContext(), 0x20000u + 102u);
}

TEST(MainDialogConstruction, CommandTableInOrder) {
  const std::vector<MessageKey> expected = {
      {WM_SYSCOMMAND, 0, 0},
      {WM_PAINT, 0, 0},
      {WM_QUERYDRAGICON, 0, 0},
      {WM_COMMAND, IDC_SELECT_FILE, BN_CLICKED},
      {WM_COMMAND, IDC_REMOVE, BN_CLICKED},
      {WM_COMMAND, IDC_CONVERT, BN_CLICKED},
      {WM_COMMAND, IDC_EXIT, BN_CLICKED},
      {WM_COMMAND, IDC_REMOVE_ALL, BN_CLICKED},
  };
  EXPECT_EQ(CMainDlg::messageMap.Keys(), expected);
  EXPECT_EQ(CMainDlg::messageMap.base(), &CDialog::messageMap);
  EXPECT_TRUE(CAboutDlg::messageMap.Keys().empty());
  EXPECT_EQ(CAboutDlg::messageMap.base(), &CDialog::messageMap);
  EXPECT_EQ(CMainApp::messageMap.Keys(), (std::vector<MessageKey>{{WM_COMMAND, ID_HELP, 0}}));
}

using MainDialog = MainDialogFixture;

TEST_F(MainDialog, InitialisationAddsAboutEntryAndIcons) {
  const auto& window = ws.Window(dlg);
  ASSERT_EQ(window.systemMenu.size(), 2u);
  EXPECT_EQ(window.systemMenu[0].flags, MF_SEPARATOR);
  EXPECT_EQ(window.systemMenu[1].flags, MF_STRING);
  EXPECT_EQ(window.systemMenu[1].id, IDM_ABOUTBOX);
  EXPECT_EQ(window.systemMenu[1].text, CString(u8"Tolvane のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
  EXPECT_EQ(window.bigIcon, dlg.m_hIcon);
  EXPECT_EQ(window.smallIcon, dlg.m_hIcon);
  EXPECT_EQ(window.focusId, IDC_FILE_LIST);
  EXPECT_EQ(ws.Control(dlg, IDC_EXT_EDIT).text, CString(""));
  EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), dlg.m_hIcon);
}

TEST(MainDialogPresets, EmptyUntilTheFirstPaint) {
  ScriptedWindowSystem ws;
  CMainApp app;
  CMainDlg dlg;
  ws.Open(dlg, /*firstPaint=*/false);
  EXPECT_TRUE(ws.Items(dlg, IDC_EXT_LIST).empty());
  EXPECT_EQ(ws.Selection(dlg, IDC_EXT_LIST), LB_ERR);
  ws.Paint(dlg);
  EXPECT_EQ(ws.Items(dlg, IDC_EXT_LIST), kPresets);
  EXPECT_EQ(dlg.m_nPresetCount, 18);
  ws.Close(dlg);
}

TEST_F(MainDialog, EveryPaintRefillsAndClearsTheSelection) {
  SelectPreset(".mp3");
  ASSERT_EQ(ws.Selection(dlg, IDC_EXT_LIST), 7);
  ws.Paint(dlg);
  ws.Paint(dlg);
  EXPECT_EQ(ws.Items(dlg, IDC_EXT_LIST), kPresets);  // 18, not 36
  EXPECT_EQ(ws.Selection(dlg, IDC_EXT_LIST), LB_ERR);
}

TEST_F(MainDialog, MinimisedPaintDrawsTheIconAndLeavesTheListAlone) {
  SelectPreset(".mp3");
  ws.SysCommand(dlg, SC_MINIMIZE);
  ASSERT_TRUE(dlg.IsIconic());
  ws.Window(dlg).client = CRect{0, 0, 100, 80};
  ws.Paint(dlg);
  EXPECT_EQ(ws.Selection(dlg, IDC_EXT_LIST), 7);
  ASSERT_EQ(ws.drawnIcons.size(), 1u);
  EXPECT_EQ(ws.drawnIcons[0].x, 34);
  EXPECT_EQ(ws.drawnIcons[0].y, 24);
  EXPECT_EQ(ws.drawnIcons[0].icon, dlg.m_hIcon);

  ws.SysCommand(dlg, SC_RESTORE);
  EXPECT_FALSE(dlg.IsIconic());
  EXPECT_EQ(ws.Items(dlg, IDC_EXT_LIST), kPresets);
  EXPECT_EQ(ws.Selection(dlg, IDC_EXT_LIST), LB_ERR);
}

TEST(MinimisedIcon, CentredWithTruncationTowardZero) {
  const struct {
    CRect client;
    int icon;
    int x;
    int y;
  } cases[] = {
      {{0, 0, 100, 80}, 32, 34, 24},
      {{0, 0, 20, 20}, 32, -5, -5},  // -11 / 2 truncates to -5, not -6
      {{0, 0, 33, 33}, 32, 1, 1},
      {{10, 10, 42, 42}, 32, 0, 0},
      {{0, 0, 0, 0}, 16, -7, -7},
  };
  for (const auto& row : cases) {
    const IconPosition at = CenteredIconPosition(row.client, row.icon, row.icon);
    EXPECT_EQ(at.x, row.x) << row.client.Width();
    EXPECT_EQ(at.y, row.y) << row.client.Height();
  }
}

TEST_F(MainDialog, TypedExtensionReachesTheFieldUnchanged) {
  const char* cases[] = {" .txt", "TXT ", "a/b:c*?", "tar.gz", "\xE3\x83\x86\xE3\x82\xAD", "", "   "};
  for (const char* typed : cases) {
    ws.Type(dlg, IDC_EXT_EDIT, typed);
    dlg.UpdateData(true);
    EXPECT_EQ(dlg.m_strExtInput, CString(typed)) << typed;
  }
  // Typing alone changes nothing until the next data save.
  ws.Type(dlg, IDC_EXT_EDIT, "doc");
  EXPECT_EQ(dlg.m_strExtInput, CString("   "));
}

TEST_F(MainDialog, WaysOfClosing) {
  const struct {
    const char* how;
    void (*act)(ScriptedWindowSystem&, CMainDlg&);
    std::optional<int> result;
    bool saved;
  } cases[] = {
      {"exit button", [](ScriptedWindowSystem& ws, CMainDlg& d) { ws.Click(d, IDC_EXIT); }, IDOK, true},
      {"Enter in the edit box",
       [](ScriptedWindowSystem& ws, CMainDlg& d) {
         ws.Focus(d, IDC_EXT_EDIT);
         ws.PressEnter(d);
       },
       IDOK, true},
      {"Enter in the file list",
       [](ScriptedWindowSystem& ws, CMainDlg& d) {
         ws.Focus(d, IDC_FILE_LIST);
         ws.PressEnter(d);
       },
       IDOK, true},
      {"Enter on a push button clicks it",
       [](ScriptedWindowSystem& ws, CMainDlg& d) {
         ws.Focus(d, IDC_REMOVE_ALL);
         ws.PressEnter(d);
       },
       std::nullopt, false},
      {"Escape", [](ScriptedWindowSystem& ws, CMainDlg& d) { ws.PressEscape(d); }, IDCANCEL, false},
      {"close box", [](ScriptedWindowSystem& ws, CMainDlg& d) { ws.SysCommand(d, SC_CLOSE); }, IDCANCEL, false},
  };
  for (const auto& row : cases) {
    ScriptedWindowSystem ws;
    CMainApp app;
    CMainDlg dlg;
    app.m_pMainWnd = &dlg;
    ws.Open(dlg);
    ws.Type(dlg, IDC_EXT_EDIT, "typed");
    row.act(ws, dlg);
    EXPECT_EQ(ws.Window(dlg).endResult, row.result) << row.how;
    EXPECT_EQ(dlg.m_strExtInput, CString(row.saved ? "typed" : "")) << row.how;
    ws.Close(dlg);
  }
}

TEST_F(MainDialog, SystemCommands) {
  for (UINT command = 0x10; command <= 0x1F; ++command) {
    ws.ScriptDialog([&](CDialog& about) { ws.PressEnter(about); });
    ws.SysCommand(dlg, command);
    ASSERT_EQ(ws.modalDialogs.size(), command - 0x10 + 1) << command;
    EXPECT_EQ(ws.modalDialogs.back().templateId, IDD_ABOUTBOX);
    EXPECT_EQ(ws.modalDialogs.back().result, IDOK);
  }
  EXPECT_TRUE(ws.defaultProcessed.empty() ||
              std::none_of(ws.defaultProcessed.begin(), ws.defaultProcessed.end(),
                           [](const Message& m) { return m.message == WM_SYSCOMMAND; }));

  for (UINT command : {0x20u, 0x0Fu, SC_MOVE, SC_SIZE, SC_MAXIMIZE, 0xF100u}) {
    ws.defaultProcessed.clear();
    ws.SysCommand(dlg, command);
    ASSERT_EQ(ws.defaultProcessed.size(), 1u) << command;
    EXPECT_EQ(ws.defaultProcessed[0].message, WM_SYSCOMMAND);
    EXPECT_EQ(ws.defaultProcessed[0].wParam, command);
  }
  EXPECT_EQ(ws.modalDialogs.size(), 16u);
  EXPECT_FALSE(ws.Window(dlg).endResult.has_value());
}

TEST_F(MainDialog, AboutBoxIsOwnedAndLeavesTheDialogAsItWas) {
  AddFile("/data/a.txt");
  ws.Type(dlg, IDC_EXT_EDIT, "doc");
  bool mainEnabledWhileUp = true;
  for (auto close : {&ScriptedWindowSystem::PressEnter, &ScriptedWindowSystem::PressEscape}) {
    ws.ScriptDialog([&, close](CDialog& about) {
      mainEnabledWhileUp = dlg.IsWindowEnabled();
      EXPECT_EQ(ws.Window(about).focusId, IDOK);
      (ws.*close)(about);
    });
    ws.SysCommand(dlg, IDM_ABOUTBOX);
    EXPECT_FALSE(mainEnabledWhileUp);
    EXPECT_TRUE(dlg.IsWindowEnabled());
  }
  ws.ScriptDialog([&](CDialog& about) { ws.SysCommand(about, SC_CLOSE); });
  ws.SysCommand(dlg, IDM_ABOUTBOX);
  ASSERT_EQ(ws.modalDialogs.size(), 3u);
  EXPECT_EQ(ws.modalDialogs[0].result, IDOK);
  EXPECT_EQ(ws.modalDialogs[1].result, IDCANCEL);
  EXPECT_EQ(ws.modalDialogs[2].result, IDCANCEL);
  EXPECT_EQ(ws.modalDialogs[0].owner, &dlg);
  EXPECT_EQ(Files(), std::vector<CString>{"/data/a.txt"});
  EXPECT_EQ(ws.Control(dlg, IDC_EXT_EDIT).text, CString("doc"));
  EXPECT_FALSE(ws.Window(dlg).endResult.has_value());
}

TEST(AboutBoxTemplate, FourControlsWithNameAndVersion) {
  const DialogTemplate* about = FindDialogTemplate(IDD_ABOUTBOX);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(CString(about->caption), CString(u8"Tolvane ﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_EQ(about->style, 0x80C800C0u);
  ASSERT_EQ(about->items.size(), 4u);
  EXPECT_EQ(about->items[0].style, 0x50000003u);
  EXPECT_EQ(about->items[0].iconId, IDI_MAIN);
  EXPECT_EQ(CString(about->items[1].text), CString(u8"Tolvane Ver 1.93"));
  EXPECT_EQ(about->items[1].style, 0x50020080u);
  EXPECT_EQ(about->items[3].id, IDOK);
  EXPECT_EQ(about->items[3].style, 0x50030001u);
}

TEST(MainDialogTemplate, StylesAsTabled) {
  const DialogTemplate* main = FindDialogTemplate(IDD_MAIN);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->style, 0x90CA00C0u);
  EXPECT_EQ(main->exStyle, 0x00040000u);
  EXPECT_EQ(main->cx, 279);
  EXPECT_EQ(main->cy, 155);
  const struct {
    int id;
    int x, y, cx, cy;
    DWORD style;
  } items[] = {
      {IDC_FILE_LIST, 7, 22, 174, 125, 0x50A10103}, {IDC_EXT_LIST, 186, 22, 33, 97, 0x50A10103},
      {IDC_SELECT_FILE, 226, 22, 46, 17, 0x50010000}, {IDC_CONVERT, 226, 97, 46, 17, 0x50010000},
      {-1, 71, 7, 48, 10, 0x50020000},                {-1, 189, 7, 23, 11, 0x50020000},
      {IDC_REMOVE, 226, 47, 46, 17, 0x50010000},      {IDC_EXIT, 226, 122, 46, 17, 0x50010000},
      {IDC_REMOVE_ALL, 226, 72, 46, 17, 0x50010000},  {IDC_EXT_EDIT, 186, 135, 33, 13, 0x50810080},
      {-1, 195, 123, 15, 11, 0x50020000},
  };
  ASSERT_EQ(main->items.size(), std::size(items));
  for (std::size_t i = 0; i < std::size(items); ++i) {
    const DialogItemTemplate& t = main->items[i];
    EXPECT_EQ(t.id, items[i].id) << i;
    EXPECT_EQ((std::vector<int>{t.x, t.y, t.cx, t.cy}),
              (std::vector<int>{items[i].x, items[i].y, items[i].cx, items[i].cy}))
        << i;
    EXPECT_EQ(t.style, items[i].style) << i;
  }
}

// An application that records its help requests instead of starting a viewer.
class RecordingApp : public CMainApp {
 public:
  void WinHelp(DWORD data, UINT command) override { requests.push_back({data, command}); }
  std::vector<std::pair<DWORD, UINT>> requests;
};

TEST(Help, F1AsksForTheContextOfTheDialogWithTheFocus) {
  ScriptedWindowSystem ws;
  RecordingApp app;
  CMainDlg dlg;
  app.m_pMainWnd = &dlg;
  ws.Open(dlg);
  ws.PressF1(dlg);
  ws.ScriptDialog([&](CDialog& about) {
    ws.PressF1(about);
    ws.PressEscape(about);
  });
  ws.SysCommand(dlg, IDM_ABOUTBOX);
  const std::vector<std::pair<DWORD, UINT>> expected = {{0x20000 + 102, HELP_CONTEXT}, {0x20000 + 100, HELP_CONTEXT}};
  EXPECT_EQ(app.requests, expected);
  ws.Close(dlg);
}

TEST_F(MainDialog, HelpThatCannotStartSaysSo) {
  // No help file lies beside /opt/tolvane/Tolvane.
  ws.PressF1(dlg);
  ASSERT_EQ(ws.messageBoxes.size(), 1u);
  EXPECT_EQ(ws.messageBoxes[0].text, CString(u8"ﾍﾙﾌﾟの起動に失敗しました。"));
  EXPECT_EQ(ws.messageBoxes[0].caption, CString("Tolvane"));
  EXPECT_EQ(ws.messageBoxes[0].type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_FALSE(ws.Window(dlg).endResult.has_value());
}

TEST(StartUp, InitInstanceRunsTheMainDialogOnceAndReturnsFalse) {
  ScriptedWindowSystem ws;
  CMainApp app;
  CWnd* mainWhileRunning = nullptr;
  ws.ScriptDialog([&](CDialog& main) {
    mainWhileRunning = AfxGetMainWnd();
    EXPECT_EQ(ws.Items(main, IDC_FILE_LIST).size(), 0u);
    EXPECT_EQ(ws.Items(main, IDC_EXT_LIST).size(), 18u);
    ws.PressEscape(main);
  });
  EXPECT_FALSE(app.InitInstance());
  ASSERT_EQ(ws.modalDialogs.size(), 1u);
  EXPECT_EQ(ws.modalDialogs[0].templateId, IDD_MAIN);
  EXPECT_EQ(ws.modalDialogs[0].owner, nullptr);
  EXPECT_EQ(ws.modalDialogs[0].result, IDCANCEL);
  EXPECT_NE(mainWhileRunning, nullptr);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(StartUp, EveryStartIsEmpty) {
  for (int start = 0; start < 2; ++start) {
    ScriptedWindowSystem ws;
    CMainApp app;
    ws.ScriptDialog([&](CDialog& main) {
      auto& dlg = static_cast<CMainDlg&>(main);
      EXPECT_TRUE(ws.Items(main, IDC_FILE_LIST).empty());
      EXPECT_EQ(ws.Control(main, IDC_EXT_EDIT).text, CString(""));
      EXPECT_TRUE(dlg.m_strDestDir.IsEmpty());
      ws.Type(main, IDC_EXT_EDIT, "kept?");
      ws.AnswerOpenFile(CString("/data/a.txt"));
      ws.Click(main, IDC_SELECT_FILE);
      ws.Click(main, IDC_EXIT);
    });
    app.InitInstance();
  }
}

}  // namespace

namespace {

// A dialog whose template the program does not hold.
class MissingTemplateDlg : public CDialog {
 public:
  MissingTemplateDlg() : CDialog(4242) {}
};

TEST(StartUp, ADialogThatCannotBeMadeReturnsMinusOneAndIsNoMainWindow) {
  ScriptedWindowSystem ws;
  CMainApp app;
  MissingTemplateDlg dlg;
  app.m_pMainWnd = &dlg;
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_TRUE(ws.modalDialogs.empty());
}

}  // namespace
