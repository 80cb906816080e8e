#include <optional>

#include "app/main_dlg.h"
#include "convert/convert_texts.h"
#include "framework/file_dialog.h"
#include "framework/win_app.h"

void CMainDlg::OnConvert() {
  UpdateData(true);
  CListBox* presets = PresetList();
  CListBox* files = FileList();
  const int count = files->GetCount();
  const int selection = presets->GetCurSel();

  if (count == 0) {
    MessageBox(kSelectExtensionOrFile);
    return;
  }
  if (selection >= 0 && selection <= m_nPresetCount - 1) {
    ChooseDestination();
    return;
  }
  // Blanks count as an extension: the text is not trimmed or inspected.
  if (m_strExtInput != CString("")) {
    ChooseDestination();
    return;
  }
  MessageBox(kSelectExtensionOrFile);
}

void CMainDlg::ChooseDestination() {
  BROWSEINFO info;
  info.hwndOwner = AfxGetMainWnd();
  info.lpszTitle = kChooseFolderPrompt;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  const std::optional<CString> folder = BrowseForFolder(info);
  if (!folder) return;
  m_strDestDir = *folder;
  RunConversion();
}
