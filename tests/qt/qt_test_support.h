// Running the program's dialogs in real Qt windows from a test: the dialog
// runs modally as in the program, and the test's steps run inside its loop.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>
#include <vector>

#include "framework/win_app.h"
#include "platform/qt/dialog_window.h"
#include "platform/qt/qt_window_system.h"

// The application object of the test program: help requests are recorded
// with the help context of the dialog that had the focus, instead of
// starting a help viewer.
class TestApp : public CWinApp {
 public:
  const MessageMapBase& GetMessageMap() const override;
  static const MessageMap<TestApp> messageMap;

  void OnHelpCommand();
  std::vector<DWORD> helpContexts;
};
TestApp& App();

// The first visible top-level widget of the type, or nullptr.
template <class T>
T* FindVisible() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<T*>(widget); found && found->isVisible()) return found;
  }
  return nullptr;
}

// Runs fn once the current (innermost) loop is running: a box opened right
// after this call is up when fn runs.
void WhenUp(std::function<void()> fn);

class QtBackendTest : public ::testing::Test {
 public:
  static constexpr int kLeftOpen = -2;

 protected:

  void SetUp() override;
  void TearDown() override;

  // DoModal with the script run inside the dialog's loop; a dialog the
  // script leaves open is ended with kLeftOpen.
  int RunModal(CDialog& dialog, const std::function<void(DialogWindow&)>& script);

  QtWindowSystem ws;
};
