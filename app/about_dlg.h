// The about box: name, version and the program's icon.
#pragma once

#include "framework/wnd.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  ~CAboutDlg() override = default;

  const MessageMapBase& GetMessageMap() const override;
  static const MessageMap<CAboutDlg> messageMap;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
