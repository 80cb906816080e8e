#include "framework/win_app.h"

#include "framework/resources.h"
#include "framework/window_system.h"

namespace {

CWinApp* g_app = nullptr;

// Position just after the last folder separator of path, or 0. On Windows
// a drive's ":" ends the folder part too ("C:Tool.exe").
int FileNameStart(const CString& path, PathStyle style) {
  const std::string separators = std::string(PathSeparators(style)) + (style == PathStyle::kWindows ? ":" : "");
  return path.ReverseFindOneOf(separators, ActiveCodePage()) + 1;
}

}  // namespace

const MessageMap<CWinApp> CWinApp::messageMap{&CCmdTarget::messageMap};
const MessageMapBase& CWinApp::GetMessageMap() const { return messageMap; }

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

bool CWinApp::InitInstance() { return true; }
int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT id) const { return FindIconResource(id); }

void CWinApp::SetModulePath(const CString& modulePath, PathStyle style) {
  m_strAppName = ApplicationNameFromPath(modulePath, style);
  m_strHelpPath = HelpPathFromModulePath(modulePath, HelpFileExtension(), style);
}

void CWinApp::OnHelp() {
  // The dialog with the focus answers with its help context; the main window
  // stands in when no dialog has the focus.
  CWnd* window = AfxGetWindowSystem().GetFocusDialog();
  if (window == nullptr) window = m_pMainWnd;
  const DWORD context = window ? window->GetHelpContext() : 0;
  WinHelp(context, HELP_CONTEXT);
}

void CWinApp::WinHelp(DWORD data, UINT command) {
  if (!LaunchHelp(m_strHelpPath, command, data)) AfxMessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP, MB_ICONEXCLAMATION);
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
CString AfxGetAppName() { return g_app ? g_app->m_strAppName : CString(); }

int AfxMessageBox(UINT stringId, UINT type) {
  CString text;
  text.LoadString(stringId);
  WindowSystem& ws = AfxGetWindowSystem();
  CWnd* owner = ws.GetFocusDialog();
  if (owner == nullptr) owner = AfxGetMainWnd();
  return ws.MessageBox(owner, text, AfxGetAppName(), type);
}

int AfxWinMain() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  app->SetModulePath(GetModuleFileName());
  // InitInstance returns false for a program that is done when its dialog
  // closes: no message loop follows.
  if (app->InitInstance()) return 1;
  return app->ExitInstance();
}

CString ApplicationNameFromPath(const CString& modulePath, PathStyle style) {
  const CString fileName = modulePath.Mid(FileNameStart(modulePath, style));
  const int dot = fileName.ReverseFind('.');
  return dot >= 0 ? fileName.Left(dot) : fileName;
}

CString HelpPathFromModulePath(const CString& modulePath, const char* extension, PathStyle style) {
  const int nameStart = FileNameStart(modulePath, style);
  const int dot = modulePath.Mid(nameStart).ReverseFind('.');
  const CString stem = dot >= 0 ? modulePath.Left(nameStart + dot) : modulePath;
  return stem + CString(extension);
}
