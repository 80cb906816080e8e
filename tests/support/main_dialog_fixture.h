// The main dialog open in the scripted window system, with an application
// object named after a program file, as at start-up.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/main_app.h"
#include "app/main_dlg.h"
#include "tests/support/scripted_window_system.h"

class MainDialogFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetModulePath("/opt/tolvane/Tolvane");
    app.m_pMainWnd = &dlg;
    ws.Open(dlg);
  }
  void TearDown() override {
    if (ws.IsOpen(dlg)) ws.Close(dlg);
  }

  // Adds a file the way the user does: through the open-file dialog.
  void AddFile(const std::string& path) {
    ws.AnswerOpenFile(CString(path));
    ws.Click(dlg, IDC_SELECT_FILE);
  }
  void SelectPreset(const char* extension) {
    const std::vector<CString> presets = ws.Items(dlg, IDC_EXT_LIST);
    for (std::size_t i = 0; i < presets.size(); ++i) {
      if (presets[i] == CString(extension)) ws.Select(dlg, IDC_EXT_LIST, static_cast<int>(i));
    }
  }
  // Presses the convert button and confirms folder in the chooser.
  void ConvertInto(const std::filesystem::path& folder) {
    ws.AnswerFolder(CString(folder.string()));
    ws.Click(dlg, IDC_CONVERT);
  }
  std::vector<CString> Files() { return ws.Items(dlg, IDC_FILE_LIST); }

  ScriptedWindowSystem ws;
  CMainApp app;
  CMainDlg dlg;
};
