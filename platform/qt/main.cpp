// Tolvane on Qt: the program itself is the application object and its
// dialogs; this file only sets up the toolkit under it.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "framework/code_page.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "platform/qt/icon_image.h"
#include "platform/qt/qt_window_system.h"
#include "res/resource.h"

int main(int argc, char* argv[]) {
  // Qt 6 takes every file name and all text on this platform as UTF-8,
  // whatever the locale says; any other code page would hand the system
  // bytes that name no file.
  SetActiveCodePage(CodePage::Utf8());
  // The toolkit takes its own switches from the command line; the program
  // reads none.
  QApplication application(argc, argv);

  // The program speaks Japanese whatever the locale, so the toolkit's own
  // dialogs (open file, choose folder) do too. Without the translation
  // package they stay in English and work as well.
  QTranslator toolkitTexts;
  if (toolkitTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&toolkitTexts);
  }
  // Boxes without an owner show the program's icon in their title bar too.
  QApplication::setWindowIcon(QIcon(IconPixmap(FindIconResource(IDI_MAIN))));

  QtWindowSystem windowSystem;
  AfxSetWindowSystem(&windowSystem);
  const int exitCode = AfxWinMain();
  AfxSetWindowSystem(nullptr);
  return exitCode;
}
