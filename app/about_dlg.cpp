#include "app/about_dlg.h"

#include "res/resource.h"

const MessageMap<CAboutDlg> CAboutDlg::messageMap{&CDialog::messageMap};
const MessageMapBase& CAboutDlg::GetMessageMap() const { return messageMap; }

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange* /*pDX*/) {}
