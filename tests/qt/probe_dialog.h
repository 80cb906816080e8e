// The real main dialog, with its system commands and paints recorded on
// their way to its own handlers.
#pragma once

#include <vector>

#include "app/main_dlg.h"

class ProbeMainDlg : public CMainDlg {
 public:
  const MessageMapBase& GetMessageMap() const override { return messageMap; }
  static const MessageMap<ProbeMainDlg> messageMap;

  CListBox& List(int id) { return *static_cast<CListBox*>(GetDlgItem(id)); }

  std::vector<UINT> sysCommands;
  int paints = 0;

 private:
  void OnSysCommandProbe(UINT id, LPARAM lParam);
  void OnPaintProbe();
};
