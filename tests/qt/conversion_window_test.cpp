// The conversion in real windows: the overwrite question has no owner, so the
// main dialog stays usable while it waits, even to be closed.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <filesystem>

#include "probe_dialog.h"
#include "qt_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Answers each message box as it comes up, in order, and remembers its text.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::deque<std::function<void(QMessageBox&)>> answers) : answers_(std::move(answers)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  std::vector<QString> seen;

 private:
  void Poll() {
    QMessageBox* box = FindVisible<QMessageBox>();
    if (box == nullptr || box == current_ || answers_.empty()) return;
    current_ = box;
    seen.push_back(box->text());
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    answer(*box);
  }

  QTimer timer_;
  std::deque<std::function<void(QMessageBox&)>> answers_;
  QMessageBox* current_ = nullptr;
};

void Press(QMessageBox& box, const QString& label) {
  for (QAbstractButton* button : box.buttons()) {
    if (button->text() == label) QTest::mouseClick(button, Qt::LeftButton);
  }
}

using ConversionWindowTest = QtBackendTest;

TEST_F(ConversionWindowTest, ClosingTheMainDialogWhileTheQuestionWaitsFinishesTheRunSafely) {
  TempDir tmp;
  fs::create_directory(tmp / "out");
  WriteFile(tmp / "a.txt", "new a");
  WriteFile(tmp / "b.txt", "new b");
  WriteFile(tmp / "out" / "a.doc", "old a");

  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  DialogWindow* mainWindow = nullptr;
  BoxAnswerer answerer({
      // The question for a.doc: the user closes the main dialog first, then says no.
      [&](QMessageBox& box) {
        EXPECT_TRUE(mainWindow->isEnabled());
        QTest::mouseClick(mainWindow->Control(IDC_EXIT), Qt::LeftButton);
        Press(box, QStringLiteral("いいえ(&N)"));
      },
      // b.doc is still copied and announced.
      [](QMessageBox& box) { Press(box, QStringLiteral("OK")); },
  });

  const int result = RunModal(dlg, [&](DialogWindow& window) {
    mainWindow = &window;
    dlg.List(IDC_FILE_LIST).InsertString(-1, CString((tmp / "a.txt").string()));
    dlg.List(IDC_FILE_LIST).InsertString(-1, CString((tmp / "b.txt").string()));
    dlg.GetDlgItem(IDC_EXT_EDIT)->SetWindowText("doc");
    dlg.UpdateData(true);
    dlg.m_strDestDir = CString((tmp / "out").string());
    dlg.RunConversion();
  });

  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(answerer.seen.size(), 2u);
  EXPECT_EQ(answerer.seen[0], QStringLiteral("すでにファイルa.docがディレクトリ内に存在します。\n 上書きしますか？"));
  EXPECT_EQ(answerer.seen[1], QStringLiteral("ファイルbの変換が完了しました。"));
  EXPECT_EQ(ReadFile(tmp / "out" / "a.doc"), "old a");
  EXPECT_EQ(ReadFile(tmp / "out" / "b.doc"), "new b");
}

}  // namespace
