#include <vector>

#include "app/main_dlg.h"
#include "convert/convert_texts.h"
#include "convert/target_names.h"
#include "framework/services.h"

void CMainDlg::NormalizeExtension() { m_strNewExt = ::NormalizeExtension(m_strExtInput); }

void CMainDlg::RunConversion() {
  CString targetExtension;
  if (!m_strExtInput.IsEmpty()) {
    UpdateData(true);
    NormalizeExtension();
    targetExtension = m_strNewExt;
  } else {
    CListBox* presets = PresetList();
    presets->GetText(presets->GetCurSel(), targetExtension);
  }

  // The preset selection can be lost to a repaint while the folder chooser is
  // up. Copying without an extension is never what the user asked for.
  if (targetExtension.IsEmpty()) {
    MessageBox(kSelectExtensionOrFile);
    return;
  }

  // The overwrite question has no owner, so while it waits the user can change
  // the list or even start another conversion into another folder. This run
  // keeps to the folder and the entries it started with, each handled once.
  const CString destinationFolder = m_strDestDir;
  CListBox* files = FileList();
  std::vector<CString> sources;
  const int lastIndex = files->GetCount() - 1;
  for (int index = 0; index <= lastIndex; ++index) {
    CString source;
    if (files->GetText(index, source) != LB_ERR) sources.push_back(source);
  }

  for (const CString& source : sources) {
    const CString baseName = GetBaseName(source);
    // A typed extension with a separator, or one making "." or "..", would
    // name a file outside the chosen folder: that copy fails like any other.
    if (!IsPlainFileName(baseName + targetExtension)) continue;
    const CString destination = MakeDestinationPath(destinationFolder, baseName, targetExtension);

    const DWORD error = CopyFile(source, destination, true);
    if (error == ERROR_SUCCESS) {
      MessageBox(CompletionMessage(baseName));
    } else if (error == ERROR_FILE_EXISTS) {
      const int answer = ::MessageBox(nullptr, OverwriteQuestion(baseName, targetExtension), CString(kOverwriteCaption),
                                      MB_YESNO | MB_ICONQUESTION);
      if (answer == IDYES && CopyFile(source, destination, false) == ERROR_SUCCESS) {
        MessageBox(CompletionMessage(baseName));
      }
    }
  }

  OnRemoveAll();
}
