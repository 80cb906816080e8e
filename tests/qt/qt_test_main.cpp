// The backend tests need a QApplication for their whole run, on a display
// of their own (the offscreen platform unless told otherwise).
#include <gtest/gtest.h>

#include <QApplication>

#include "framework/code_page.h"
#include "tests/qt/qt_test_support.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  SetActiveCodePage(CodePage::Utf8());
  App();
  return RUN_ALL_TESTS();
}
