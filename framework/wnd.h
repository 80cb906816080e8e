// Windows, dialogs and the thin control wrappers. Every operation is one step
// over the installed WindowSystem; the classes keep no hidden state of their own.
#pragma once

#include <memory>
#include <vector>

#include "framework/cstring.h"
#include "framework/dialog_template.h"
#include "framework/message_map.h"
#include "framework/win_defs.h"

class CWnd;
class CMenu;

class CCmdTarget {
 public:
  CCmdTarget() = default;
  virtual ~CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  virtual const MessageMapBase& GetMessageMap() const;
  static const MessageMap<CCmdTarget> messageMap;
};

// Transfer context of dialog data exchange.
struct CDataExchange {
  CWnd* m_pDlgWnd;
  bool m_bSaveAndValidate;  // true: controls to fields
};

class CMenu {
 public:
  explicit CMenu(CWnd& window) : window_(window) {}
  bool AppendMenu(UINT flags, UINT id = 0, const CString& text = {});

 private:
  CWnd& window_;
};

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  // A control window: its dialog and its id.
  CWnd(CWnd* parent, int id) : m_pParentWnd(parent), m_nID(id) {}

  const MessageMapBase& GetMessageMap() const override;
  static const MessageMap<CWnd> messageMap;

  // Delivers a message through the command tables: this window's, then for
  // commands nobody took the application's, then default processing.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Default processing of the message being handled right now.
  void Default();

  CWnd* GetParent() const { return m_pParentWnd; }
  int GetDlgCtrlID() const { return m_nID; }
  virtual CWnd* GetDlgItem(int id) const;

  bool UpdateData(bool saveAndValidate = true);
  virtual void DoDataExchange(CDataExchange* pDX);

  // A box owned by this window; the application's name when no caption is given.
  int MessageBox(const CString& text, const char8_t* caption = nullptr, UINT type = MB_OK);

  bool IsIconic() const;
  bool IsWindowEnabled() const;
  void GetClientRect(CRect* rect) const;
  void SetIcon(HICON icon, bool bigIcon);
  // The window's system menu, or nullptr when it has none.
  CMenu* GetSystemMenu(bool revert);
  CString GetWindowText() const;
  void SetWindowText(const CString& text);

  virtual DWORD GetHelpContext() const { return 0; }

 protected:
  CWnd* m_pParentWnd = nullptr;
  int m_nID = 0;

 private:
  const Message* m_pCurrentMessage = nullptr;
  std::unique_ptr<CMenu> m_pSysMenu;
};

class CListBox : public CWnd {
 public:
  using CWnd::CWnd;
  void ResetContent();
  // Inserts at index; -1 appends at the end and never sorts. The new index or LB_ERR.
  int InsertString(int index, const CString& text);
  // Count left afterwards, or LB_ERR for an index of -1 or past the end.
  int DeleteString(int index);
  int GetCount() const;
  int GetCurSel() const;  // LB_ERR when nothing is selected
  int SetCurSel(int index);
  // Copies the text at index into text; LB_ERR, and text left alone, past the end.
  int GetText(int index, CString& text) const;
};

class CEdit : public CWnd {
 public:
  using CWnd::CWnd;
};

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  const MessageMapBase& GetMessageMap() const override;
  static const MessageMap<CDialog> messageMap;

  // Runs the dialog modally: the value given to EndDialog, or -1 when the
  // dialog cannot be created.
  int DoModal();
  void EndDialog(int result);

  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  UINT GetTemplateId() const { return m_nIDTemplate; }
  DWORD GetHelpContext() const override { return m_nIDHelp ? HID_BASE_RESOURCE + m_nIDHelp : 0; }
  CWnd* GetDlgItem(int id) const override;

  // For window backends: make and drop the control objects of the template.
  bool AttachWindow();
  void DetachWindow();
  bool HasWindow() const { return m_pTemplate != nullptr; }
  const DialogTemplate* GetTemplate() const { return m_pTemplate; }

 protected:
  UINT m_nIDTemplate;
  UINT m_nIDHelp;

 private:
  const DialogTemplate* m_pTemplate = nullptr;
  std::vector<std::unique_ptr<CWnd>> m_controls;
};

// Painting of a window, begun on construction and ended on destruction.
class CPaintDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC();
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  WPARAM GetSafeHdc() const { return handle_; }
  bool DrawIcon(int x, int y, HICON icon);

 private:
  CWnd* window_;
  WPARAM handle_;
};

void DDX_Text(CDataExchange* pDX, int id, CString& value);

// A message box with the given owner, which may be nullptr: an ownerless box
// leaves every other window of the program enabled.
int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type);
int GetSystemMetrics(int index);
