// The application object and its start-up protocol.
#pragma once

#include "framework/cstring.h"
#include "framework/message_map.h"
#include "framework/services.h"
#include "framework/wnd.h"

class CWinApp : public CCmdTarget {
 public:
  // Exactly one application object exists; it registers itself here.
  CWinApp();
  ~CWinApp() override;

  const MessageMapBase& GetMessageMap() const override;
  static const MessageMap<CWinApp> messageMap;

  virtual bool InitInstance();
  virtual int ExitInstance();

  // Help for the dialog that has the focus (ID_HELP).
  void OnHelp();
  virtual void WinHelp(DWORD data, UINT command = HELP_CONTEXT);

  HICON LoadIcon(UINT id) const;

  // Derives the application name and help file path from the program's path.
  void SetModulePath(const CString& modulePath, PathStyle style = kNativePathStyle);

  CWnd* m_pMainWnd = nullptr;
  CString m_strAppName;
  CString m_strHelpPath;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
CString AfxGetAppName();

// A framework box with a string resource, owned by the window with the focus.
int AfxMessageBox(UINT stringId, UINT type = MB_OK);

// Start-up: derives the application name from the module file, runs
// InitInstance, then the exit step. Returns the exit code.
int AfxWinMain();

// The program file's name without its folder and its last extension. The
// extension is cut from the file name only, so a "." in a folder plays no part.
CString ApplicationNameFromPath(const CString& modulePath, PathStyle style);
// The module path with its file name's extension replaced by extension.
CString HelpPathFromModulePath(const CString& modulePath, const char* extension, PathStyle style);

// Framework string: help could not be started.
inline constexpr UINT AFX_IDP_FAILED_TO_LAUNCH_HELP = 0xF107;
