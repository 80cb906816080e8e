// Dialogs from templates in real Qt windows: geometry from the font's base
// units, focus and keys, closing, the system menu and when the dialog paints.
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>
#include <QtTest/QTest>
#include <cmath>
#include <string>

#include "res/resource.h"
#include "tests/qt/probe_dialog.h"
#include "tests/qt/qt_test_support.h"

namespace {

QListWidget* ListWidget(DialogWindow& window, int id) { return qobject_cast<QListWidget*>(window.Control(id)); }
QLineEdit* EditWidget(DialogWindow& window) { return qobject_cast<QLineEdit*>(window.Control(IDC_EXT_EDIT)); }

QLabel* LabelWithText(DialogWindow& window, const QString& text) {
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text() == text) return label;
  }
  return nullptr;
}

// The control with the id, or for id -1 the label with the text.
QWidget* ControlOf(DialogWindow& window, int id, const char* text) {
  return id == -1 ? LabelWithText(window, QString::fromUtf8(text)) : window.Control(id);
}

int ToPixels(int dialogUnits, int baseUnit, int divisor) {
  return static_cast<int>(std::lround(dialogUnits * static_cast<double>(baseUnit) / divisor));
}

// The open dialog window that is not the given one.
DialogWindow* OtherDialogWindow(const DialogWindow& window) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<DialogWindow*>(widget);
    if (dialog != nullptr && dialog != &window && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

struct Placement {
  int id;
  const char* label;  // for controls without id
  int x, y, cx, cy;   // dialog units
};

const Placement kMainControls[] = {
    {IDC_FILE_LIST, nullptr, 7, 22, 174, 125},  {IDC_EXT_LIST, nullptr, 186, 22, 33, 97},
    {IDC_SELECT_FILE, nullptr, 226, 22, 46, 17}, {IDC_CONVERT, nullptr, 226, 97, 46, 17},
    {-1, "変換ファイル", 71, 7, 48, 10},           {-1, "拡張子", 189, 7, 23, 11},
    {IDC_REMOVE, nullptr, 226, 47, 46, 17},      {IDC_EXIT, nullptr, 226, 122, 46, 17},
    {IDC_REMOVE_ALL, nullptr, 226, 72, 46, 17},  {IDC_EXT_EDIT, nullptr, 186, 135, 33, 13},
    {-1, "指定", 195, 123, 15, 11},
};

using DialogWindowTest = QtBackendTest;

TEST_F(DialogWindowTest, MainDialogLaysOutItsElevenControlsInTheFontsBaseUnits) {
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  RunModal(dlg, [](DialogWindow& window) {
    // ＭＳ Ｐゴシック is not on this system; its metric twin stands in.
    EXPECT_EQ(QFontInfo(window.font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(window.font().pixelSize(), 12);
    const QFontMetrics metrics(window.font());
    const int baseX =
        static_cast<int>(std::lround(metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0));
    const int baseY = metrics.height();
    ASSERT_GT(baseX, 3);
    ASSERT_GT(baseY, 8);

    EXPECT_EQ(window.size(), QSize(ToPixels(279, baseX, 4), ToPixels(155, baseY, 8)));
    for (const Placement& p : kMainControls) {
      SCOPED_TRACE(p.label ? p.label : std::to_string(p.id).c_str());
      QWidget* control = ControlOf(window, p.id, p.label);
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(control->geometry(),
                QRect(ToPixels(p.x, baseX, 4), ToPixels(p.y, baseY, 8), ToPixels(p.cx, baseX, 4), ToPixels(p.cy, baseY, 8)));
      EXPECT_TRUE(control->isVisible());
    }
    EXPECT_EQ(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), static_cast<qsizetype>(std::size(kMainControls)));

    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window.windowType(), Qt::Window);  // its own task-bar entry
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tolvane"));
    EXPECT_FALSE(window.windowIcon().isNull());
    QPushButton* exitButton = qobject_cast<QPushButton*>(window.Control(IDC_EXIT));
    ASSERT_NE(exitButton, nullptr);
    EXPECT_EQ(exitButton->text(), QStringLiteral("終了"));
    EXPECT_FALSE(exitButton->autoDefault());
  });
}

TEST_F(DialogWindowTest, FocusStartsOnTheFileListAndTabFollowsTheTemplateOrder) {
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  RunModal(dlg, [](DialogWindow& window) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.focusWidget(), window.Control(IDC_FILE_LIST));
    const int expected[] = {IDC_EXT_LIST, IDC_SELECT_FILE, IDC_CONVERT, IDC_REMOVE,
                            IDC_EXIT,     IDC_REMOVE_ALL,  IDC_EXT_EDIT, IDC_FILE_LIST};
    for (int id : expected) {
      QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(window.focusWidget(), window.Control(id)) << "expected control " << id;
    }
  });
}

struct KeyCase {
  const char* name;
  int focusId;
  Qt::Key key;
  int result;         // of DoModal
  bool savesEdit;     // m_strExtInput took the typed text
  int filesLeft;      // of the one file in the list
};

class DialogKeyTest : public QtBackendTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeyTest, KeyEndsOrClicksAsOnTheDesktop) {
  const KeyCase& c = GetParam();
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  const int result = RunModal(dlg, [&](DialogWindow& window) {
    dlg.List(IDC_FILE_LIST).InsertString(-1, "/tmp/a.txt");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(EditWidget(window), " .Ab");
    window.Control(c.focusId)->setFocus();
    QTest::keyClick(window.focusWidget(), c.key);
    EXPECT_EQ(ListWidget(window, IDC_FILE_LIST)->count(), c.filesLeft);
  });
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(dlg.m_strExtInput, CString(c.savesEdit ? " .Ab" : ""));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeyTest,
    ::testing::Values(KeyCase{"EnterInFileList", IDC_FILE_LIST, Qt::Key_Return, IDOK, true, 1},
                      KeyCase{"KeypadEnterInEdit", IDC_EXT_EDIT, Qt::Key_Enter, IDOK, true, 1},
                      KeyCase{"EnterOnRemoveAll", IDC_REMOVE_ALL, Qt::Key_Return, QtBackendTest::kLeftOpen, false, 0},
                      KeyCase{"EnterOnExit", IDC_EXIT, Qt::Key_Return, IDOK, true, 1},
                      KeyCase{"EscapeInEdit", IDC_EXT_EDIT, Qt::Key_Escape, IDCANCEL, false, 1},
                      KeyCase{"EscapeOnButton", IDC_SELECT_FILE, Qt::Key_Escape, IDCANCEL, false, 1}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(DialogWindowTest, CloseBoxGoesThroughOnSysCommandAndCancels) {
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  const int result = RunModal(dlg, [](DialogWindow& window) {
    QTest::keyClicks(qobject_cast<QLineEdit*>(window.Control(IDC_EXT_EDIT)), "doc");
    window.close();
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dlg.sysCommands, std::vector<UINT>{SC_CLOSE});
  EXPECT_EQ(dlg.m_strExtInput, CString(""));
}

TEST_F(DialogWindowTest, SystemMenuOffersMinimiseCloseAndTheAboutEntry) {
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  QStringList entries;
  RunModal(dlg, [&](DialogWindow& window) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    WhenUp([&] {
      QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      EXPECT_EQ(menu->pos(), window.mapToGlobal(QPoint(0, 0)));
      for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) entries << action->text();
      }
      menu->close();
    });
    QTest::keyClick(window.focusWidget(), Qt::Key_Space, Qt::AltModifier);

    // The dialog's background opens the same menu; minimise is the first entry.
    WhenUp([&] {
      QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().front()).center());
    });
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_TRUE(dlg.IsIconic());
    window.showNormal();
  });
  EXPECT_EQ(entries, (QStringList{QStringLiteral("最小化(&N)"), QStringLiteral("閉じる(&C)"),
                                  QStringLiteral("Tolvane のﾊﾞｰｼﾞｮﾝ情報(&A)...")}));
  EXPECT_EQ(dlg.sysCommands, std::vector<UINT>{SC_MINIMIZE});
}

TEST_F(DialogWindowTest, AboutEntryOpensTheAboutBoxOverTheDisabledMainDialog) {
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  bool aboutWasUp = false;
  RunModal(dlg, [&](DialogWindow& window) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    WhenUp([&] {
      QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      WhenUp([&] {
        DialogWindow* about = OtherDialogWindow(window);
        ASSERT_NE(about, nullptr);
        ASSERT_NE(about, &window);
        aboutWasUp = true;
        EXPECT_FALSE(window.isEnabled());
        EXPECT_EQ(about->windowTitle(), QStringLiteral("Tolvane ﾊﾞｰｼﾞｮﾝ情報"));
        EXPECT_EQ(about->windowType(), Qt::Dialog);
        EXPECT_NE(LabelWithText(*about, QStringLiteral("Tolvane Ver 1.93")), nullptr);
        const QList<QLabel*> labels = about->findChildren<QLabel*>();
        const bool hasIcon = std::any_of(labels.begin(), labels.end(),
                                         [](QLabel* l) { return l->pixmap().size() == QSize(32, 32); });
        EXPECT_TRUE(hasIcon);
        // Help asks for the about box's context, whichever window gets F1.
        QTest::keyClick(about->focusWidget() ? about->focusWidget() : about, Qt::Key_F1);
        QTest::keyClick(about->focusWidget() ? about->focusWidget() : about, Qt::Key_Return);
      });
      QAction* aboutEntry = menu->actions().back();
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(aboutEntry).center());
    });
    QTest::keyClick(window.focusWidget(), Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(window.isEnabled());
    QTest::keyClick(window.focusWidget(), Qt::Key_F1);
  });
  EXPECT_TRUE(aboutWasUp);
  EXPECT_EQ(dlg.sysCommands, std::vector<UINT>{IDM_ABOUTBOX});
  EXPECT_EQ(App().helpContexts, (std::vector<DWORD>{HID_BASE_RESOURCE + IDD_ABOUTBOX, HID_BASE_RESOURCE + IDD_MAIN}));
}

TEST_F(DialogWindowTest, OnlyTheWindowSystemsExposeRefillsThePresets) {
  ProbeMainDlg dlg;
  App().m_pMainWnd = &dlg;
  RunModal(dlg, [&](DialogWindow& window) {
    QListWidget* presets = ListWidget(window, IDC_EXT_LIST);
    ASSERT_EQ(presets->count(), 18);
    EXPECT_EQ(presets->item(0)->text(), QStringLiteral(".txt"));
    EXPECT_EQ(presets->item(1)->text(), QStringLiteral(".doc"));
    EXPECT_EQ(presets->verticalScrollBar()->value(), 0);  // shown from the top
    const auto selectPreset = [&] {
      QTest::mouseClick(presets->viewport(), Qt::LeftButton, {}, presets->visualItemRect(presets->item(2)).center());
      ASSERT_EQ(dlg.List(IDC_EXT_LIST).GetCurSel(), 2);
    };
    selectPreset();
    const int paints = dlg.paints;

    // A button under the mouse, and repaints of the controls and the dialog.
    auto* remove = qobject_cast<QPushButton*>(window.Control(IDC_REMOVE));
    QTest::mouseMove(remove);
    remove->repaint();
    presets->viewport()->repaint();
    window.repaint();
    QTest::mouseClick(remove, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(dlg.List(IDC_EXT_LIST).GetCurSel(), 2);
    EXPECT_EQ(dlg.paints, paints);

    dlg.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(dlg.IsIconic());
    dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    QApplication::processEvents();
    EXPECT_FALSE(dlg.IsIconic());
    EXPECT_EQ(dlg.List(IDC_EXT_LIST).GetCurSel(), LB_ERR);
    EXPECT_EQ(presets->count(), 18);

    selectPreset();
    QExposeEvent expose(QRegion(QRect(QPoint(0, 0), window.size())));
    QCoreApplication::sendEvent(window.windowHandle(), &expose);
    EXPECT_EQ(dlg.List(IDC_EXT_LIST).GetCurSel(), LB_ERR);
  });
}

}  // namespace
