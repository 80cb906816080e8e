// The application object.
#pragma once

#include "framework/win_app.h"

class CMainApp : public CWinApp {
 public:
  CMainApp() = default;
  ~CMainApp() override = default;

  const MessageMapBase& GetMessageMap() const override;
  static const MessageMap<CMainApp> messageMap;

  bool InitInstance() override;
};
