#include "tests/qt/qt_test_support.h"

#include <QtTest/QTest>

const MessageMap<TestApp> TestApp::messageMap{
    &CWinApp::messageMap,
    OnCommandEntry(ID_HELP, BN_CLICKED, &TestApp::OnHelpCommand),
};
const MessageMapBase& TestApp::GetMessageMap() const { return messageMap; }

void TestApp::OnHelpCommand() {
  const CWnd* focus = AfxGetWindowSystem().GetFocusDialog();
  helpContexts.push_back(focus ? focus->GetHelpContext() : 0);
}

TestApp& App() {
  static TestApp app;
  return app;
}

void WhenUp(std::function<void()> fn) { QTimer::singleShot(0, qApp, std::move(fn)); }

void QtBackendTest::SetUp() {
  App().helpContexts.clear();
  App().m_pMainWnd = nullptr;
  App().m_strAppName = "Tolvane";
  AfxSetWindowSystem(&ws);
}

void QtBackendTest::TearDown() {
  App().m_pMainWnd = nullptr;
  AfxSetWindowSystem(nullptr);
}

int QtBackendTest::RunModal(CDialog& dialog, const std::function<void(DialogWindow&)>& script) {
  // Steps still pending when the dialog ends die with this scope.
  QObject scope;
  QTimer::singleShot(0, &scope, [this, &dialog, &scope, script] {
    DialogWindow* window = ws.WindowOf(&dialog);
    if (window == nullptr) {
      ADD_FAILURE() << "the dialog has no window";
      return;
    }
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    script(*window);
    // Checked once the loop had its turn: a dialog the script ended is gone by then.
    QTimer::singleShot(0, &scope, [this, &dialog] {
      if (DialogWindow* still = ws.WindowOf(&dialog)) still->EndModalLoop(kLeftOpen);
    });
  });
  return dialog.DoModal();
}
