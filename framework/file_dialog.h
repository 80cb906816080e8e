// The open-file dialog, set up as the platform's common dialog is.
#pragma once

#include <optional>

#include "framework/cstring.h"
#include "framework/window_system.h"
#include "framework/wnd.h"

// The settings of one opening, in the platform's terms.
struct OPENFILENAME {
  DWORD Flags = 0;
  CString lpstrInitialDir;
  CString lpstrTitle;
  int nMaxFile = 0;
};

class CFileDialog {
 public:
  // filter: display/pattern pairs joined by '|', ended by "||".
  CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
              const char* filter, CWnd* parent = nullptr);

  // IDOK when a file was chosen, IDCANCEL otherwise.
  int DoModal();
  CString GetPathName() const { return m_strPathName; }
  // The request as it goes to the window system.
  OpenFileRequest Request() const;

  OPENFILENAME m_ofn;

 private:
  bool m_bOpenFileDialog;
  CString m_strDefExt;
  CString m_strFileName;
  CString m_strFilter;
  CWnd* m_pParentWnd;
  CString m_strPathName;
};

// The folder chooser. The full path of the confirmed folder, or nothing when
// the user cancelled or no usable full path exists for it.
struct BROWSEINFO {
  CWnd* hwndOwner = nullptr;
  CString lpszTitle;
  UINT ulFlags = 0;
};
std::optional<CString> BrowseForFolder(const BROWSEINFO& info);
