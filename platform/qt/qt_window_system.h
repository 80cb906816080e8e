// The window system on Qt 6 Widgets: each dialog template becomes a
// DialogWindow, boxes and file dialogs are the toolkit's own.
#pragma once

#include <vector>

#include "framework/window_system.h"

class DialogWindow;
class QWidget;

class QtWindowSystem : public WindowSystem {
 public:
  // Needs a QApplication; the program ends with its main dialog, not when
  // the toolkit thinks the last window has gone.
  QtWindowSystem();
  ~QtWindowSystem() override;

  // The open window of a dialog, or nullptr: for tests and for the boxes'
  // owners.
  DialogWindow* WindowOf(const CWnd* dialog) const;

  int RunModalDialog(CDialog& dialog, const DialogTemplate& dialogTemplate, CWnd* owner) override;
  void EndModalLoop(CDialog& dialog, int result) override;
  void DefaultProcessing(CWnd& window, const Message& message) override;
  bool IsIconic(const CWnd& window) const override;
  bool IsWindowEnabled(const CWnd& window) const override;
  CRect GetClientRect(const CWnd& window) const override;
  int GetSystemMetrics(int index) const override;
  void SetIcon(CWnd& window, int slot, HICON icon) override;
  bool HasSystemMenu(const CWnd& window) const override;
  void AppendSystemMenu(CWnd& window, UINT flags, UINT id, const CString& text) override;
  CWnd* GetFocusDialog() const override;
  WPARAM BeginPaint(CWnd& window) override;
  void EndPaint(CWnd& window, WPARAM paint) override;
  bool DrawIcon(CWnd& window, WPARAM paint, int x, int y, HICON icon) override;
  void ListResetContent(CWnd& list) override;
  int ListInsertString(CWnd& list, int index, const CString& text) override;
  int ListDeleteString(CWnd& list, int index) override;
  int ListGetCount(const CWnd& list) const override;
  int ListGetCurSel(const CWnd& list) const override;
  int ListSetCurSel(CWnd& list, int index) override;
  std::optional<CString> ListGetText(const CWnd& list, int index) const override;
  CString GetWindowText(const CWnd& window) const override;
  void SetWindowText(CWnd& window, const CString& text) override;
  int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) override;
  std::optional<CString> GetOpenFileName(CWnd* owner, const OpenFileRequest& request) override;
  std::optional<CString> BrowseForFolder(CWnd* owner, const FolderRequest& request) override;

 private:
  // The widget of a dialog or of one of its controls, or nullptr.
  QWidget* WidgetOf(const CWnd* window) const;

  std::vector<DialogWindow*> windows_;  // open dialogs, innermost last
  WPARAM nextPaint_ = 1;
};
