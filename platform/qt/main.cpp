// Tolvane on Qt: the program itself is the application object and its
// dialogs; this file only sets up the toolkit under it.
#include <QApplication>

#include "framework/code_page.h"
#include "framework/win_app.h"
#include "platform/qt/qt_window_system.h"

int main(int argc, char* argv[]) {
  SetActiveCodePage(SystemCodePage());
  // The toolkit takes its own switches from the command line; the program
  // reads none.
  QApplication application(argc, argv);
  QtWindowSystem windowSystem;
  AfxSetWindowSystem(&windowSystem);
  const int exitCode = AfxWinMain();
  AfxSetWindowSystem(nullptr);
  return exitCode;
}
