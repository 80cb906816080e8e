// List boxes and the edit box: the index rules of a list box, and text that
// comes back byte for byte in the active code page.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest/QTest>
#include <string>

#include "framework/code_page.h"
#include "res/resource.h"
#include "tests/qt/probe_dialog.h"
#include "tests/qt/qt_test_support.h"

namespace {

using ControlsTest = QtBackendTest;

TEST_F(ControlsTest, ListBoxAppendsInsertsDeletesAndSelectsByIndex) {
  ProbeMainDlg dlg;
  RunModal(dlg, [&](DialogWindow&) {
    CListBox& list = dlg.List(IDC_FILE_LIST);
    EXPECT_EQ(list.InsertString(-1, "c"), 0);
    EXPECT_EQ(list.InsertString(-1, "a"), 1);  // appended, never sorted
    EXPECT_EQ(list.InsertString(0, "b"), 0);
    EXPECT_EQ(list.InsertString(4, "x"), LB_ERR);
    EXPECT_EQ(list.GetCount(), 3);
    CString text;
    EXPECT_EQ(list.GetText(3, text), LB_ERR);
    EXPECT_EQ(list.GetText(1, text), 1);
    EXPECT_EQ(text, CString("c"));

    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SetCurSel(2), 2);
    EXPECT_EQ(list.InsertString(0, "z"), 0);
    EXPECT_EQ(list.GetCurSel(), 3);  // the selection stays on its item
    EXPECT_EQ(list.DeleteString(-1), LB_ERR);
    EXPECT_EQ(list.DeleteString(4), LB_ERR);
    // Removing the selected item leaves no selection behind.
    EXPECT_EQ(list.DeleteString(3), 3);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.SetCurSel(-1), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
  });
}

struct CodePageCase {
  const char* name;
  CodePage codePage;
  std::string invalid;  // bytes that are no character in the code page
};

class TextRoundTripTest : public QtBackendTest, public ::testing::WithParamInterface<CodePageCase> {};

TEST_P(TextRoundTripTest, JapaneseTextComesBackByteForByte) {
  const CodePageCase& c = GetParam();
  ScopedCodePage codePage(c.codePage);
  const QString unicode = QStringLiteral("/home/利用者/資料/見積書　第２版.txt");
  const QByteArray utf8 = unicode.toUtf8();
  const CString bytes(Utf8ToCodePage(std::string_view(utf8.constData(), utf8.size()), c.codePage));
  const CString invalid(c.invalid);
  const CString longText(std::string(40000, 'x'));

  ProbeMainDlg dlg;
  RunModal(dlg, [&](DialogWindow& window) {
    CListBox& list = dlg.List(IDC_FILE_LIST);
    list.InsertString(-1, bytes);
    list.InsertString(-1, invalid);
    CString text;
    list.GetText(0, text);
    EXPECT_EQ(text, bytes);
    list.GetText(1, text);
    EXPECT_EQ(text, invalid);
    EXPECT_EQ(qobject_cast<QListWidget*>(window.Control(IDC_FILE_LIST))->item(0)->text(), unicode);

    CWnd& edit = *dlg.GetDlgItem(IDC_EXT_EDIT);
    for (const CString& value : {bytes, invalid, longText}) {
      edit.SetWindowText(value);
      EXPECT_EQ(edit.GetWindowText(), value);
    }
    // What the user types (Japanese comes committed by the input method)
    // arrives in the code page as well.
    auto* lineEdit = qobject_cast<QLineEdit*>(window.Control(IDC_EXT_EDIT));
    lineEdit->clear();
    QInputMethodEvent typed;
    typed.setCommitString(unicode);
    QCoreApplication::sendEvent(lineEdit, &typed);
    EXPECT_EQ(edit.GetWindowText(), bytes);
  });
}

INSTANTIATE_TEST_SUITE_P(CodePages, TextRoundTripTest,
                         ::testing::Values(CodePageCase{"Utf8", CodePage::Utf8(), "bad\xFF\xFE"},
                                           CodePageCase{"ShiftJis", CodePage::ShiftJis(), "bad\x82"}),
                         [](const ::testing::TestParamInfo<CodePageCase>& info) { return std::string(info.param.name); });

}  // namespace
