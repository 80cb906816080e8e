#include "framework/wnd.h"

#include "framework/resources.h"
#include "framework/win_app.h"
#include "framework/window_system.h"

namespace {
WindowSystem& Ws() { return AfxGetWindowSystem(); }
}  // namespace

const MessageMap<CCmdTarget> CCmdTarget::messageMap{nullptr};
const MessageMapBase& CCmdTarget::GetMessageMap() const { return messageMap; }

const MessageMap<CWnd> CWnd::messageMap{&CCmdTarget::messageMap};
const MessageMapBase& CWnd::GetMessageMap() const { return messageMap; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const Message msg{message, wParam, lParam};
  const Message* outer = m_pCurrentMessage;
  m_pCurrentMessage = &msg;
  LRESULT result = 0;
  bool handled = GetMessageMap().Dispatch(*this, msg, result);
  if (!handled && message == WM_COMMAND) {
    // Commands no window takes go on to the application (ID_HELP, say).
    if (CWinApp* app = AfxGetApp()) handled = app->GetMessageMap().Dispatch(*app, msg, result);
  }
  if (!handled) Ws().DefaultProcessing(*this, msg);
  m_pCurrentMessage = outer;
  return result;
}

void CWnd::Default() {
  if (m_pCurrentMessage != nullptr) Ws().DefaultProcessing(*this, *m_pCurrentMessage);
}

CWnd* CWnd::GetDlgItem(int /*id*/) const { return nullptr; }

bool CWnd::UpdateData(bool saveAndValidate) {
  CDataExchange dx{this, saveAndValidate};
  DoDataExchange(&dx);
  return true;
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/) {}

int CWnd::MessageBox(const CString& text, const char8_t* caption, UINT type) {
  return ::MessageBox(this, text, caption ? CString(caption) : AfxGetAppName(), type);
}

bool CWnd::IsIconic() const { return Ws().IsIconic(*this); }
bool CWnd::IsWindowEnabled() const { return Ws().IsWindowEnabled(*this); }
void CWnd::GetClientRect(CRect* rect) const { *rect = Ws().GetClientRect(*this); }
void CWnd::SetIcon(HICON icon, bool bigIcon) { Ws().SetIcon(*this, bigIcon ? ICON_BIG : ICON_SMALL, icon); }
CString CWnd::GetWindowText() const { return Ws().GetWindowText(*this); }
void CWnd::SetWindowText(const CString& text) { Ws().SetWindowText(*this, text); }

CMenu* CWnd::GetSystemMenu(bool /*revert*/) {
  if (!Ws().HasSystemMenu(*this)) return nullptr;
  if (!m_pSysMenu) m_pSysMenu = std::make_unique<CMenu>(*this);
  return m_pSysMenu.get();
}

bool CMenu::AppendMenu(UINT flags, UINT id, const CString& text) {
  AfxGetWindowSystem().AppendSystemMenu(window_, flags, id, text);
  return true;
}

void CListBox::ResetContent() { Ws().ListResetContent(*this); }
int CListBox::InsertString(int index, const CString& text) { return Ws().ListInsertString(*this, index, text); }
int CListBox::DeleteString(int index) { return Ws().ListDeleteString(*this, index); }
int CListBox::GetCount() const { return Ws().ListGetCount(*this); }
int CListBox::GetCurSel() const { return Ws().ListGetCurSel(*this); }
int CListBox::SetCurSel(int index) { return Ws().ListSetCurSel(*this, index); }

int CListBox::GetText(int index, CString& text) const {
  const std::optional<CString> item = Ws().ListGetText(*this, index);
  if (!item) return LB_ERR;
  text = *item;
  return text.GetLength();
}

const MessageMap<CDialog> CDialog::messageMap{
    &CWnd::messageMap,
    OnInitDialogEntry(&CDialog::OnInitDialog),
    OnCommandEntry(IDOK, BN_CLICKED, &CDialog::OnOK),
    OnCommandEntry(IDCANCEL, BN_CLICKED, &CDialog::OnCancel),
};
const MessageMapBase& CDialog::GetMessageMap() const { return messageMap; }

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_nIDHelp(templateId) {
  m_pParentWnd = parent;
}

int CDialog::DoModal() {
  int result = -1;
  if (AttachWindow()) {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    if (owner == this) owner = nullptr;
    result = Ws().RunModalDialog(*this, *m_pTemplate, owner);
    DetachWindow();
  }
  // Whether it ran or could not be made, the dialog is no main window now.
  if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  return result;
}

void CDialog::EndDialog(int result) { Ws().EndModalLoop(*this, result); }

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::AttachWindow() {
  m_pTemplate = FindDialogTemplate(m_nIDTemplate);
  if (m_pTemplate == nullptr) return false;
  m_controls.clear();
  for (const DialogItemTemplate& item : m_pTemplate->items) {
    switch (item.controlClass) {
      case ControlClass::kListBox:
        m_controls.push_back(std::make_unique<CListBox>(this, item.id));
        break;
      case ControlClass::kEdit:
        m_controls.push_back(std::make_unique<CEdit>(this, item.id));
        break;
      default:
        m_controls.push_back(std::make_unique<CWnd>(this, item.id));
        break;
    }
  }
  return true;
}

void CDialog::DetachWindow() {
  m_controls.clear();
  m_pTemplate = nullptr;
}

CWnd* CDialog::GetDlgItem(int id) const {
  if (id == -1) return nullptr;
  for (const auto& control : m_controls) {
    if (control->GetDlgCtrlID() == id) return control.get();
  }
  return nullptr;
}

CPaintDC::CPaintDC(CWnd* window) : window_(window), handle_(Ws().BeginPaint(*window)) {}
CPaintDC::~CPaintDC() { Ws().EndPaint(*window_, handle_); }
bool CPaintDC::DrawIcon(int x, int y, HICON icon) { return Ws().DrawIcon(*window_, handle_, x, y, icon); }

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  CWnd* control = pDX->m_pDlgWnd->GetDlgItem(id);
  if (control == nullptr) return;
  if (pDX->m_bSaveAndValidate) {
    value = control->GetWindowText();
  } else if (control->GetWindowText() != value) {
    control->SetWindowText(value);
  }
}

int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) {
  return Ws().MessageBox(owner, text, caption, type);
}

int GetSystemMetrics(int index) { return Ws().GetSystemMetrics(index); }
