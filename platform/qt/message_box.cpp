#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/common_dialogs.h"
#include "platform/qt/owned_window.h"

namespace {

QMessageBox::Icon IconFor(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONASTERISK:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption, UINT type) {
  // No toolkit parent: the box's owner is disabled by hand, and a box
  // without one must not block the program's other windows.
  QMessageBox box;
  // A caption and a close box, nothing to minimise or maximise.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  box.setWindowTitle(caption);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.setIcon(IconFor(type));
  struct Answer {
    QPushButton* button;
    int result;
  };
  std::vector<Answer> answers;
  if ((type & MB_TYPEMASK) == MB_YESNO) {
    answers.push_back({box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole), IDYES});
    answers.push_back({box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole), IDNO});
    // A yes/no box has no cancel; Escape and the close box answer "no", the
    // answer that changes nothing.
    box.setEscapeButton(answers.back().button);
  } else {
    answers.push_back({box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole), IDOK});
    box.setEscapeButton(answers.back().button);
  }
  box.setDefaultButton(answers.front().button);
  RunOwnedDialog(box, owner);
  for (const Answer& answer : answers) {
    if (box.clickedButton() == answer.button) return answer.result;
  }
  return answers.back().result;
}
