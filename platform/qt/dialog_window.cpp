#include "platform/qt/dialog_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <limits>

#include "framework/resources.h"
#include "framework/win_app.h"
#include "platform/qt/icon_image.h"
#include "platform/qt/text_bridge.h"

namespace {

bool IsPushButton(const DialogItemTemplate& item) { return item.controlClass == ControlClass::kButton; }
bool IsDefaultButton(const DialogItemTemplate& item) {
  return IsPushButton(item) && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

Qt::WindowFlags FlagsFor(const DialogTemplate& dialogTemplate) {
  // A window of its own kind gets its own task-bar entry; a plain dialog
  // stays with its owner.
  Qt::WindowFlags flags = (dialogTemplate.exStyle & WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
  flags |= Qt::CustomizeWindowHint;
  if (dialogTemplate.style & WS_CAPTION) flags |= Qt::WindowTitleHint;
  if (dialogTemplate.style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  // On a top-level window this bit is the minimise box, not a group start.
  if (dialogTemplate.style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

}  // namespace

DialogWindow::DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate)
    : QDialog(nullptr, FlagsFor(dialogTemplate)), dialog_(dialog), template_(dialogTemplate) {
  setFont(DialogFont(dialogTemplate));
  units_ = BaseUnitsOf(font());
  setWindowTitle(ToQString(dialogTemplate.caption));
  const QRect client = DialogUnitsToPixels(units_, 0, 0, dialogTemplate.cx, dialogTemplate.cy);
  setFixedSize(client.size());
  CreateControls();
  // The dialog's paint is the window system exposing the window, so watch
  // the native window rather than the widget's paint events, which also
  // come whenever a child repaints.
  winId();
  windowHandle()->installEventFilter(this);
}

DialogWindow::~DialogWindow() {
  if (QWindow* handle = windowHandle()) handle->removeEventFilter(this);
}

void DialogWindow::CreateControls() {
  for (const DialogItemTemplate& item : template_.items) {
    QWidget* widget = CreateControl(item);
    const QRect rect = DialogUnitsToPixels(units_, item.x, item.y, item.cx, item.cy);
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->pixmap().isNull()) {
      // An icon static takes the size of its icon, whatever the template says.
      widget->setGeometry(QRect(rect.topLeft(), label->pixmap().size()));
    } else {
      widget->setGeometry(rect);
    }
    widget->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
    widget->setEnabled(!(item.style & WS_DISABLED));
    widget->setVisible(item.style & WS_VISIBLE);
    widget->installEventFilter(this);
    controls_.push_back({&item, widget});
  }
  // A label's mnemonic moves the focus to the control that follows it.
  for (std::size_t i = 0; i + 1 < controls_.size(); ++i) {
    auto* label = qobject_cast<QLabel*>(controls_[i].widget);
    if (label && (controls_[i].item->style & SS_NOPREFIX) == 0) label->setBuddy(controls_[i + 1].widget);
  }
  SetTabOrder();
}

QWidget* DialogWindow::CreateControl(const DialogItemTemplate& item) {
  switch (item.controlClass) {
    case ControlClass::kListBox: {
      auto* list = new QListWidget(this);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      // Items stay in the order they were added, sorted style or not.
      list->setSortingEnabled(false);
      return list;
    }
    case ControlClass::kEdit: {
      auto* edit = new QLineEdit(ToQString(item.text), this);
      edit->setMaxLength(std::numeric_limits<int>::max());
      return edit;
    }
    case ControlClass::kButton: {
      auto* button = new QPushButton(ToQString(item.text), this);
      button->setAutoDefault(IsDefaultButton(item));
      button->setDefault(IsDefaultButton(item));
      const int id = item.id;
      connect(button, &QPushButton::clicked, this, [this, id] { SendCommand(id); });
      return button;
    }
    case ControlClass::kStatic:
      break;
  }
  auto* label = new QLabel(this);
  if ((item.style & SS_TYPEMASK) == SS_ICON) {
    label->setPixmap(IconPixmap(FindIconResource(item.iconId)));
  } else {
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQString(item.text));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
  }
  return label;
}

void DialogWindow::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const ControlEntry& control : controls_) {
    if ((control.item->style & WS_TABSTOP) == 0) continue;
    if (previous != nullptr) setTabOrder(previous, control.widget);
    previous = control.widget;
  }
}

QWidget* DialogWindow::Control(int id) const {
  if (id == -1) return nullptr;
  for (const ControlEntry& control : controls_) {
    if (control.item->id == id) return control.widget;
  }
  return nullptr;
}

void DialogWindow::FocusFirstTabStop() {
  for (const ControlEntry& control : controls_) {
    if ((control.item->style & WS_TABSTOP) && control.widget->isEnabled()) {
      control.widget->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

int DialogWindow::RunModalLoop() {
  if (!ended_) {
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    loop_ = &loop;
    if (!ended_) loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
  }
  hide();
  return result_;
}

void DialogWindow::EndModalLoop(int result) {
  result_ = result;
  ended_ = true;
  if (loop_ != nullptr) loop_->exit();
}

bool DialogWindow::HasSystemMenu() const { return (template_.style & WS_SYSMENU) != 0; }

void DialogWindow::AppendSystemMenu(UINT flags, UINT id, const QString& text) { systemMenu_.push_back({flags, id, text}); }

void DialogWindow::OpenSystemMenu() {
  if (!HasSystemMenu() || !isEnabled()) return;
  QMenu menu(this);
  const auto addEntry = [&menu](const QString& text, UINT id) { menu.addAction(text)->setData(id); };
  if (template_.style & WS_MINIMIZEBOX) addEntry(QStringLiteral("最小化(&N)"), SC_MINIMIZE);
  menu.addSeparator();
  addEntry(QStringLiteral("閉じる(&C)"), SC_CLOSE);
  for (const MenuEntry& entry : systemMenu_) {
    if (entry.flags & MF_SEPARATOR) {
      menu.addSeparator();
    } else {
      addEntry(entry.text, entry.id);
    }
  }
  const QAction* chosen = menu.exec(mapToGlobal(QPoint(0, 0)));
  if (chosen != nullptr) dialog_.SendMessage(WM_SYSCOMMAND, chosen->data().toUInt());
}

void DialogWindow::SetIcon(int slot, HICON icon) {
  (slot == ICON_BIG ? bigIcon_ : smallIcon_) = icon;
  QIcon windowIcon;
  if (bigIcon_ != nullptr) windowIcon.addPixmap(IconPixmap(bigIcon_));
  if (smallIcon_ != nullptr) windowIcon.addPixmap(IconPixmap(smallIcon_).scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  setWindowIcon(windowIcon);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle()) {
    if (event->type() == QEvent::Expose && windowHandle()->isExposed()) SendPaint();
    return false;
  }
  if (event->type() == QEvent::KeyPress) return HandleKey(*static_cast<QKeyEvent*>(event));
  return false;
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  // Not QDialog's: it would reject on Escape and press its own default button.
  if (!HandleKey(*event)) QWidget::keyPressEvent(event);
}

bool DialogWindow::HandleKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      SendCommand(EnterCommandId());
      return true;
    case Qt::Key_Escape:
      SendCommand(IDCANCEL);
      return true;
    case Qt::Key_F1:
      if (modifiers != Qt::NoModifier) return false;
      // Help is the main window's command, whichever dialog has the focus.
      if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, MakeCommandParam(ID_HELP, 0));
      return true;
    case Qt::Key_Space:
      if (modifiers != Qt::AltModifier) return false;
      OpenSystemMenu();
      return true;
    default:
      return false;
  }
}

int DialogWindow::EnterCommandId() const {
  const QWidget* focus = focusWidget();
  for (const ControlEntry& control : controls_) {
    if (control.widget == focus && IsPushButton(*control.item)) return control.item->id;
  }
  for (const ControlEntry& control : controls_) {
    if (IsDefaultButton(*control.item)) return control.item->id;
  }
  return IDOK;
}

void DialogWindow::SendCommand(int id) {
  dialog_.SendMessage(WM_COMMAND, MakeCommandParam(static_cast<UINT>(id), BN_CLICKED));
}

void DialogWindow::SendPaint() {
  if (painting_) return;
  painting_ = true;
  dialog_.SendMessage(WM_PAINT);
  painting_ = false;
}

void DialogWindow::mousePressEvent(QMouseEvent* event) {
  // Only presses on the dialog's background reach here: the controls take
  // their own.
  if (event->button() == Qt::RightButton) {
    OpenSystemMenu();
    return;
  }
  QDialog::mousePressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  // The close box is a request: the program's OnSysCommand decides.
  event->ignore();
  if (isEnabled()) dialog_.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

void DialogWindow::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  // Some window systems keep a minimised window exposed and send no expose
  // on restore; the dialog must still paint as it comes back.
  if ((change->oldState() & Qt::WindowMinimized) && !isMinimized() && windowHandle()->isExposed()) SendPaint();
}
