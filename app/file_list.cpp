#include "app/main_dlg.h"
#include "framework/file_dialog.h"
#include "framework/services.h"

void CMainDlg::OnSelectFile() {
  CFileDialog dlg(true, "all", "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "all(*.*)|*.*||", nullptr);
  dlg.m_ofn.lpstrInitialDir = DefaultDataFolder();
  if (dlg.DoModal() == IDOK) {
    m_strFilePath = dlg.GetPathName();
    FileList()->InsertString(-1, m_strFilePath);
  }
}

void CMainDlg::OnRemove() {
  CListBox* files = FileList();
  files->DeleteString(files->GetCurSel());
}

void CMainDlg::OnRemoveAll() { FileList()->ResetContent(); }
