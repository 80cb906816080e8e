#include "app/main_dlg.h"

#include "app/about_dlg.h"
#include "framework/resources.h"
#include "framework/win_app.h"

const MessageMap<CMainDlg> CMainDlg::messageMap{
    &CDialog::messageMap,
    OnSysCommandEntry(&CMainDlg::OnSysCommand),
    OnPaintEntry(&CMainDlg::OnPaint),
    OnQueryDragIconEntry(&CMainDlg::OnQueryDragIcon),
    OnCommandEntry(IDC_SELECT_FILE, BN_CLICKED, &CMainDlg::OnSelectFile),
    OnCommandEntry(IDC_REMOVE, BN_CLICKED, &CMainDlg::OnRemove),
    OnCommandEntry(IDC_CONVERT, BN_CLICKED, &CMainDlg::OnConvert),
    OnCommandEntry(IDC_EXIT, BN_CLICKED, &CMainDlg::OnOK),
    OnCommandEntry(IDC_REMOVE_ALL, BN_CLICKED, &CMainDlg::OnRemoveAll),
};
const MessageMapBase& CMainDlg::GetMessageMap() const { return messageMap; }

CMainDlg::CMainDlg(CWnd* parent) : CDialog(IDD_MAIN, parent), m_strExtInput(""), m_hIcon(FindIconResource(IDI_MAIN)) {}

void CMainDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_EXT_EDIT, m_strExtInput);
}

bool CMainDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  if (CMenu* sysMenu = GetSystemMenu(false)) {
    CString aboutMenu;
    aboutMenu.LoadString(IDS_ABOUTBOX);
    if (!aboutMenu.IsEmpty()) {
      sysMenu->AppendMenu(MF_SEPARATOR);
      sysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutMenu);
    }
  }

  SetIcon(m_hIcon, true);
  SetIcon(m_hIcon, false);
  return true;  // the focus goes to the first tab stop, the file list
}

void CMainDlg::OnSysCommand(UINT id, LPARAM /*lParam*/) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
  } else {
    Default();
  }
}

IconPosition CenteredIconPosition(const CRect& client, int iconWidth, int iconHeight) {
  // C++ division truncates toward zero, as the centring has always done.
  return {(client.Width() - iconWidth + 1) / 2, (client.Height() - iconHeight + 1) / 2};
}

void CMainDlg::OnPaint() {
  if (IsIconic()) {
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, dc.GetSafeHdc(), 0);
    CRect rect;
    GetClientRect(&rect);
    const IconPosition at = CenteredIconPosition(rect, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    dc.DrawIcon(at.x, at.y, m_hIcon);
  } else {
    FillPresetList();
    Default();
  }
}

HCURSOR CMainDlg::OnQueryDragIcon() { return m_hIcon; }

CListBox* CMainDlg::FileList() const { return static_cast<CListBox*>(GetDlgItem(IDC_FILE_LIST)); }
CListBox* CMainDlg::PresetList() const { return static_cast<CListBox*>(GetDlgItem(IDC_EXT_LIST)); }
