#include "app/main_app.h"

#include "app/main_dlg.h"

const MessageMap<CMainApp> CMainApp::messageMap{
    &CWinApp::messageMap,
    OnCommandEntry(ID_HELP, BN_CLICKED, &CWinApp::OnHelp),
};
const MessageMapBase& CMainApp::GetMessageMap() const { return messageMap; }

bool CMainApp::InitInstance() {
  // The platform switches for hosting controls and for 3-D controls have no
  // counterpart on the toolkits we run on.
  CMainDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  // The program ends when its dialog closes: no message loop follows.
  return false;
}
