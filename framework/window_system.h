// The one interface a windowing backend implements. The framework's classes
// call it; the backend calls back into dialogs only through CWnd::SendMessage.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/cstring.h"
#include "framework/dialog_template.h"
#include "framework/message_map.h"

class CWnd;
class CDialog;

// What the open-file dialog is asked to be. Texts are in the active code page.
struct OpenFileRequest {
  struct Filter {
    CString description;  // "all(*.*)"
    CString pattern;      // "*.*"
  };
  bool openKind = true;  // Open, not Save
  CString defaultExtension;
  CString initialFileName;
  CString initialDirectory;
  CString title;  // empty: the platform's default title
  DWORD flags = 0;
  std::vector<Filter> filters;
  int maxPathBytes = 0;  // the path buffer, terminating NUL included
};

// What the folder chooser is asked to be.
struct FolderRequest {
  CString prompt;  // shown above the folder tree
  UINT flags = 0;  // BIF_RETURNONLYFSDIRS: only file-system folders can be confirmed
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Creates the dialog's window and controls from the template, disables the
  // owner (if any), delivers WM_INITDIALOG, shows the window and runs a modal
  // loop until EndModalLoop. Destroys the window, enables and activates the
  // owner again and returns the result; -1 when the window cannot be created.
  virtual int RunModalDialog(CDialog& dialog, const DialogTemplate& dialogTemplate, CWnd* owner) = 0;
  virtual void EndModalLoop(CDialog& dialog, int result) = 0;

  // The platform's own handling of a message the command tables left alone
  // (system commands: close becomes IDCANCEL, minimise, restore, ...).
  virtual void DefaultProcessing(CWnd& window, const Message& message) = 0;

  virtual bool IsIconic(const CWnd& window) const = 0;
  virtual bool IsWindowEnabled(const CWnd& window) const = 0;
  virtual CRect GetClientRect(const CWnd& window) const = 0;
  virtual int GetSystemMetrics(int index) const = 0;
  virtual void SetIcon(CWnd& window, int slot, HICON icon) = 0;
  virtual bool HasSystemMenu(const CWnd& window) const = 0;
  virtual void AppendSystemMenu(CWnd& window, UINT flags, UINT id, const CString& text) = 0;
  // The dialog that has the keyboard focus, or nullptr.
  virtual CWnd* GetFocusDialog() const = 0;

  virtual WPARAM BeginPaint(CWnd& window) = 0;
  virtual void EndPaint(CWnd& window, WPARAM paint) = 0;
  virtual bool DrawIcon(CWnd& window, WPARAM paint, int x, int y, HICON icon) = 0;

  // List boxes, addressed by their control window.
  virtual void ListResetContent(CWnd& list) = 0;
  virtual int ListInsertString(CWnd& list, int index, const CString& text) = 0;
  virtual int ListDeleteString(CWnd& list, int index) = 0;
  virtual int ListGetCount(const CWnd& list) const = 0;
  virtual int ListGetCurSel(const CWnd& list) const = 0;
  virtual int ListSetCurSel(CWnd& list, int index) = 0;
  virtual std::optional<CString> ListGetText(const CWnd& list, int index) const = 0;

  // Window text of a control (edit box) or a dialog (caption).
  virtual CString GetWindowText(const CWnd& window) const = 0;
  virtual void SetWindowText(CWnd& window, const CString& text) = 0;

  // A modal message box; owner nullptr leaves all the program's windows enabled.
  virtual int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) = 0;
  // The chosen file's full path, or nothing when the dialog was cancelled.
  virtual std::optional<CString> GetOpenFileName(CWnd* owner, const OpenFileRequest& request) = 0;
  // The confirmed folder's full file-system path, or nothing on cancel.
  virtual std::optional<CString> BrowseForFolder(CWnd* owner, const FolderRequest& request) = 0;
};

// The backend in use. A backend installs itself before the application runs.
WindowSystem& AfxGetWindowSystem();
void AfxSetWindowSystem(WindowSystem* windowSystem);
