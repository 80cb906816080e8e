#include "tests/qt/probe_dialog.h"

const MessageMap<ProbeMainDlg> ProbeMainDlg::messageMap{
    &CMainDlg::messageMap,
    OnSysCommandEntry(&ProbeMainDlg::OnSysCommandProbe),
    OnPaintEntry(&ProbeMainDlg::OnPaintProbe),
};

void ProbeMainDlg::OnSysCommandProbe(UINT id, LPARAM lParam) {
  sysCommands.push_back(id);
  OnSysCommand(id, lParam);
}

void ProbeMainDlg::OnPaintProbe() {
  ++paints;
  OnPaint();
}
