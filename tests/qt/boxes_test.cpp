// Message boxes, the open-file dialog and the folder chooser: what they show,
// what they answer, and which windows stay usable while they are up.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest/QTest>
#include <filesystem>

#include "framework/file_dialog.h"
#include "res/resource.h"
#include "tests/qt/probe_dialog.h"
#include "tests/qt/qt_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

QPushButton* ButtonWithText(QMessageBox& box, const QString& text) {
  for (QAbstractButton* button : box.buttons()) {
    if (button->text() == text) return qobject_cast<QPushButton*>(button);
  }
  return nullptr;
}

QStringList ButtonTexts(QMessageBox& box) {
  QStringList texts;
  for (QAbstractButton* button : box.buttons()) texts << button->text();
  texts.sort();
  return texts;
}

struct BoxCase {
  const char* name;
  UINT type;
  const char* press;  // button text, or nullptr for Escape
  int answer;
  QMessageBox::Icon icon;
};

class MessageBoxAnswerTest : public QtBackendTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MessageBoxAnswerTest, AnswersWithTheButtonPressed) {
  const BoxCase& c = GetParam();
  const bool yesNo = (c.type & MB_TYPEMASK) == MB_YESNO;
  WhenUp([&] {
    QMessageBox* box = FindVisible<QMessageBox>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Tolvane"));
    EXPECT_EQ(box->text(), QStringLiteral("上書きしますか？"));
    EXPECT_EQ(box->icon(), c.icon);
    // Without the customize hint the window manager is told to draw every button.
    EXPECT_TRUE(box->windowFlags() & Qt::CustomizeWindowHint);
    EXPECT_FALSE(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(box->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(ButtonTexts(*box), yesNo ? (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")})
                                       : QStringList{QStringLiteral("OK")});
    if (c.press != nullptr) {
      QPushButton* button = ButtonWithText(*box, QString::fromUtf8(c.press));
      ASSERT_NE(button, nullptr);
      QTest::mouseClick(button, Qt::LeftButton);
    } else {
      QTest::keyClick(box, Qt::Key_Escape);
    }
  });
  EXPECT_EQ(ws.MessageBox(nullptr, CString(u8"上書きしますか？"), CString(u8"Tolvane"), c.type), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MessageBoxAnswerTest,
    ::testing::Values(BoxCase{"Ok", MB_OK, "OK", IDOK, QMessageBox::NoIcon},
                      BoxCase{"OkEscape", MB_OK | MB_ICONEXCLAMATION, nullptr, IDOK, QMessageBox::Warning},
                      BoxCase{"OkHand", MB_OK | MB_ICONHAND, "OK", IDOK, QMessageBox::Critical},
                      BoxCase{"OkAsterisk", MB_OK | MB_ICONASTERISK, "OK", IDOK, QMessageBox::Information},
                      BoxCase{"Yes", MB_YESNO | MB_ICONQUESTION, "はい(&Y)", IDYES, QMessageBox::Question},
                      BoxCase{"No", MB_YESNO | MB_ICONQUESTION, "いいえ(&N)", IDNO, QMessageBox::Question},
                      BoxCase{"YesNoEscape", MB_YESNO, nullptr, IDNO, QMessageBox::NoIcon}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

struct OwnerCase {
  const char* name;
  bool owned;
};

class MessageBoxOwnerTest : public QtBackendTest, public ::testing::WithParamInterface<OwnerCase> {};

TEST_P(MessageBoxOwnerTest, OnlyAnOwnedBoxDisablesTheMainDialog) {
  const bool owned = GetParam().owned;
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  RunModal(dlg, [&](DialogWindow& window) {
    dlg.List(IDC_FILE_LIST).InsertString(-1, "/tmp/a.txt");
    WhenUp([&] {
      ASSERT_NE(FindVisible<QMessageBox>(), nullptr);
      EXPECT_EQ(window.isEnabled(), !owned);
      EXPECT_EQ(dlg.IsWindowEnabled(), !owned);
      // A click on the main dialog does its work only when the box is not in the way.
      QTest::mouseClick(window.Control(IDC_REMOVE_ALL), Qt::LeftButton);
      EXPECT_EQ(dlg.List(IDC_FILE_LIST).GetCount(), owned ? 1 : 0);
      QTest::keyClick(FindVisible<QMessageBox>(), Qt::Key_Return);
    });
    EXPECT_EQ(ws.MessageBox(owned ? &dlg : nullptr, "text", "Tolvane", MB_OK), IDOK);
    EXPECT_TRUE(window.isEnabled());
  });
}

INSTANTIATE_TEST_SUITE_P(Owners, MessageBoxOwnerTest,
                         ::testing::Values(OwnerCase{"Owned", true}, OwnerCase{"Unowned", false}),
                         [](const ::testing::TestParamInfo<OwnerCase>& info) { return std::string(info.param.name); });

using FileDialogTest = QtBackendTest;

// The main dialog's open-file request, as the program makes it.
OpenFileRequest ProgramsRequest(const std::filesystem::path& folder) {
  CFileDialog fileDialog(true, "all", "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "all(*.*)|*.*||");
  fileDialog.m_ofn.lpstrInitialDir = CString(folder.string());
  return fileDialog.Request();
}

TEST_F(FileDialogTest, OpenFileDialogTakesEverySettingAndAddsTheDefaultSuffix) {
  TempDir folder;
  WriteFile(folder / "README", "no extension");
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  std::optional<CString> chosen;
  RunModal(dlg, [&](DialogWindow& window) {
    WhenUp([&] {
      QFileDialog* files = FindVisible<QFileDialog>();
      ASSERT_NE(files, nullptr);
      EXPECT_FALSE(window.isEnabled());
      EXPECT_TRUE(files->testOption(QFileDialog::DontUseNativeDialog));
      EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptOpen);
      EXPECT_EQ(files->fileMode(), QFileDialog::AnyFile);
      EXPECT_EQ(files->defaultSuffix(), QStringLiteral("all"));
      EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("all(*.*)")});
      EXPECT_EQ(files->windowTitle(), QStringLiteral("開く"));
      EXPECT_EQ(files->directory().absolutePath(), QString::fromStdString(folder.path().string()));
      auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      EXPECT_EQ(name->text(), QStringLiteral("*.*"));
      // "*.*" lists every file, also one without an extension.
      auto* model = files->findChild<QFileSystemModel*>();
      ASSERT_NE(model, nullptr);
      EXPECT_TRUE(QDir(files->directory()).entryList(model->nameFilters(), QDir::Files).contains(QStringLiteral("README")));
      name->setText(QStringLiteral("新しい資料"));
      static_cast<QDialog*>(files)->accept();
    });
    chosen = ws.GetOpenFileName(&dlg, ProgramsRequest(folder.path()));
    EXPECT_TRUE(window.isEnabled());
  });
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, CString((folder.path() / "新しい資料.all").string()));
}

TEST_F(FileDialogTest, ANameTheToolkitCouldNotDecodeIsNotTaken) {
  TempDir folder;
  // The bytes 0xFF "x.txt" are no UTF-8: the toolkit shows them as U+FFFD,
  // which names another file than the one on disk.
  WriteFile(folder / "\xFFx.txt", "x");
  WhenUp([&] {
    QFileDialog* files = FindVisible<QFileDialog>();
    ASSERT_NE(files, nullptr);
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QFile::decodeName(QByteArray("\xFFx.txt")));
    static_cast<QDialog*>(files)->accept();
  });
  EXPECT_FALSE(ws.GetOpenFileName(nullptr, ProgramsRequest(folder.path())).has_value());
}

TEST_F(FileDialogTest, CancelledOpenFileDialogGivesNothing) {
  TempDir folder;
  WhenUp([] {
    QFileDialog* files = FindVisible<QFileDialog>();
    ASSERT_NE(files, nullptr);
    files->reject();
  });
  EXPECT_FALSE(ws.GetOpenFileName(nullptr, ProgramsRequest(folder.path())).has_value());
}

struct FolderCase {
  const char* name;
  bool confirm;
};

class FolderChooserTest : public QtBackendTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderChooserTest, ChooserShowsThePromptAndGivesTheConfirmedFolder) {
  const bool confirm = GetParam().confirm;
  TempDir folder;
  std::filesystem::create_directory(folder / "出力先");
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  std::optional<CString> chosen;
  RunModal(dlg, [&](DialogWindow& window) {
    WhenUp([&] {
      QFileDialog* chooser = FindVisible<QFileDialog>();
      ASSERT_NE(chooser, nullptr);
      EXPECT_FALSE(window.isEnabled());
      EXPECT_TRUE(chooser->testOption(QFileDialog::DontUseNativeDialog));
      EXPECT_TRUE(chooser->testOption(QFileDialog::ShowDirsOnly));
      EXPECT_EQ(chooser->fileMode(), QFileDialog::Directory);
      EXPECT_EQ(chooser->windowTitle(), QStringLiteral("フォルダの選択"));
      EXPECT_TRUE(chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text().isEmpty());
      if (!confirm) {
        chooser->reject();
        return;
      }
      chooser->setDirectory(QString::fromStdString(folder.path().string()));
      chooser->selectFile(QStringLiteral("出力先"));
      static_cast<QDialog*>(chooser)->accept();
    });
    chosen = ws.BrowseForFolder(&dlg, FolderRequest{CString(u8"フォルダの選択"), BIF_RETURNONLYFSDIRS});
    EXPECT_TRUE(window.isEnabled());
  });
  if (confirm) {
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, CString((folder.path() / "出力先").string()));
  } else {
    EXPECT_FALSE(chosen.has_value());
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, FolderChooserTest,
                         ::testing::Values(FolderCase{"Confirmed", true}, FolderCase{"Cancelled", false}),
                         [](const ::testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Every window the main dialog owns opens centred over it, as far as the
// screen allows.
using OwnedPlacementTest = QtBackendTest;

TEST_F(OwnedPlacementTest, BoxesAndDialogsOpenCentredOverTheMainDialog) {
  TempDir folder;
  const struct {
    const char* what;
    std::function<void(QtWindowSystem&, CWnd*)> open;
    std::function<QWidget*()> find;
  } cases[] = {
      {"message box", [](QtWindowSystem& ws, CWnd* owner) { ws.MessageBox(owner, "text", "Tolvane", MB_OK); },
       [] { return static_cast<QWidget*>(FindVisible<QMessageBox>()); }},
      {"open-file dialog",
       [&](QtWindowSystem& ws, CWnd* owner) { ws.GetOpenFileName(owner, ProgramsRequest(folder.path())); },
       [] { return static_cast<QWidget*>(FindVisible<QFileDialog>()); }},
      {"folder chooser",
       [](QtWindowSystem& ws, CWnd* owner) {
         ws.BrowseForFolder(owner, FolderRequest{CString(u8"フォルダの選択"), BIF_RETURNONLYFSDIRS});
       },
       [] { return static_cast<QWidget*>(FindVisible<QFileDialog>()); }},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    ProbeMainDlg dlg;
    App().m_pMainWnd = &dlg;
    RunModal(dlg, [&](DialogWindow& window) {
      // Off the screen's centre, where a window placed by the toolkit alone would go.
      window.move(window.screen()->availableGeometry().topLeft() + QPoint(40, 30));
      WhenUp([&] {
        QWidget* owned = row.find();
        ASSERT_NE(owned, nullptr);
        const QRect screen = window.screen()->availableGeometry();
        const QRect frame = owned->frameGeometry();
        const QPoint offset = frame.center() - window.frameGeometry().center();
        // Centred where the screen leaves room; pushed back into view where not.
        const QRect centred = QRect(QPoint(), frame.size()).translated(window.frameGeometry().center() - frame.center() + frame.topLeft());
        if (screen.contains(centred)) {
          EXPECT_LE(std::abs(offset.x()), 2) << frame.x() << "," << frame.y();
          EXPECT_LE(std::abs(offset.y()), 2) << frame.x() << "," << frame.y();
        }
        EXPECT_TRUE(screen.contains(frame.topLeft())) << frame.x() << "," << frame.y();
        EXPECT_TRUE(screen.contains(centred) || frame.width() > screen.width() / 2) << "no room was needed";
        QMetaObject::invokeMethod(owned, "reject");
      });
      row.open(ws, &dlg);
    });
  }
}

}  // namespace
