#include "platform/qt/qt_window_system.h"

#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <memory>

#include "platform/qt/common_dialogs.h"
#include "platform/qt/control_text.h"
#include "platform/qt/dialog_window.h"
#include "platform/qt/owned_window.h"
#include "platform/qt/text_bridge.h"

namespace {

QListWidget* ListOf(QWidget* widget) { return qobject_cast<QListWidget*>(widget); }

}  // namespace

QtWindowSystem::QtWindowSystem() { QApplication::setQuitOnLastWindowClosed(false); }

QtWindowSystem::~QtWindowSystem() = default;

DialogWindow* QtWindowSystem::WindowOf(const CWnd* dialog) const {
  const auto it = std::find_if(windows_.begin(), windows_.end(),
                               [dialog](const DialogWindow* window) { return &window->Dialog() == dialog; });
  return it == windows_.end() ? nullptr : *it;
}

QWidget* QtWindowSystem::WidgetOf(const CWnd* window) const {
  if (window == nullptr) return nullptr;
  if (DialogWindow* dialog = WindowOf(window)) return dialog;
  DialogWindow* parent = WindowOf(window->GetParent());
  return parent ? parent->Control(window->GetDlgCtrlID()) : nullptr;
}

int QtWindowSystem::RunModalDialog(CDialog& dialog, const DialogTemplate& dialogTemplate, CWnd* owner) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return -1;
  auto window = std::make_unique<DialogWindow>(dialog, dialogTemplate);
  windows_.push_back(window.get());
  int result = 0;
  {
    OwnedWindow owned(*window, WidgetOf(owner));
    owned.Centre();
    if (dialog.SendMessage(WM_INITDIALOG) != 0) window->FocusFirstTabStop();
    result = window->RunModalLoop();
    windows_.erase(std::find(windows_.begin(), windows_.end(), window.get()));
    window.reset();
  }
  return result;
}

void QtWindowSystem::EndModalLoop(CDialog& dialog, int result) {
  if (DialogWindow* window = WindowOf(&dialog)) window->EndModalLoop(result);
}

void QtWindowSystem::DefaultProcessing(CWnd& window, const Message& message) {
  if (message.message != WM_SYSCOMMAND) return;
  DialogWindow* dialog = WindowOf(&window);
  if (dialog == nullptr) return;
  switch (static_cast<UINT>(message.wParam) & 0xFFF0) {
    case SC_CLOSE:
      dialog->Dialog().SendMessage(WM_COMMAND, MakeCommandParam(IDCANCEL, BN_CLICKED));
      break;
    case SC_MINIMIZE:
      dialog->showMinimized();
      break;
    case SC_RESTORE:
      dialog->showNormal();
      break;
    default:
      break;
  }
}

bool QtWindowSystem::IsIconic(const CWnd& window) const {
  const DialogWindow* dialog = WindowOf(&window);
  return dialog != nullptr && dialog->isMinimized();
}

bool QtWindowSystem::IsWindowEnabled(const CWnd& window) const {
  const QWidget* widget = WidgetOf(&window);
  return widget != nullptr && widget->isEnabled();
}

CRect QtWindowSystem::GetClientRect(const CWnd& window) const {
  const QWidget* widget = WidgetOf(&window);
  return widget ? CRect{0, 0, widget->width(), widget->height()} : CRect{};
}

int QtWindowSystem::GetSystemMetrics(int index) const {
  return (index == SM_CXICON || index == SM_CYICON) ? 32 : 0;
}

void QtWindowSystem::SetIcon(CWnd& window, int slot, HICON icon) {
  if (DialogWindow* dialog = WindowOf(&window)) dialog->SetIcon(slot, icon);
}

bool QtWindowSystem::HasSystemMenu(const CWnd& window) const {
  const DialogWindow* dialog = WindowOf(&window);
  return dialog != nullptr && dialog->HasSystemMenu();
}

void QtWindowSystem::AppendSystemMenu(CWnd& window, UINT flags, UINT id, const CString& text) {
  if (DialogWindow* dialog = WindowOf(&window)) dialog->AppendSystemMenu(flags, id, ToQString(text));
}

CWnd* QtWindowSystem::GetFocusDialog() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->isActiveWindow()) return &(*it)->Dialog();
  }
  // A desktop without a window manager may leave no window active: the
  // innermost dialog is then the one the user is in.
  return windows_.empty() ? nullptr : &windows_.back()->Dialog();
}

// Linux desktops draw a minimised window's icon themselves, so there is no
// painting for the program to do on the window's face.
WPARAM QtWindowSystem::BeginPaint(CWnd& /*window*/) { return nextPaint_++; }
void QtWindowSystem::EndPaint(CWnd& /*window*/, WPARAM /*paint*/) {}
bool QtWindowSystem::DrawIcon(CWnd& /*window*/, WPARAM /*paint*/, int /*x*/, int /*y*/, HICON /*icon*/) { return true; }

void QtWindowSystem::ListResetContent(CWnd& list) {
  if (QListWidget* widget = ListOf(WidgetOf(&list))) widget->clear();
}

int QtWindowSystem::ListInsertString(CWnd& list, int index, const CString& text) {
  QListWidget* widget = ListOf(WidgetOf(&list));
  if (widget == nullptr) return LB_ERR;
  if (index == -1) index = widget->count();
  if (index < 0 || index > widget->count()) return LB_ERR;
  widget->insertItem(index, NewListItem(text));
  return index;
}

int QtWindowSystem::ListDeleteString(CWnd& list, int index) {
  QListWidget* widget = ListOf(WidgetOf(&list));
  if (widget == nullptr || index < 0 || index >= widget->count()) return LB_ERR;
  const bool wasSelected = widget->item(index)->isSelected();
  delete widget->takeItem(index);
  // The toolkit would move the selection on to the next item; a list box
  // leaves none.
  if (wasSelected) widget->clearSelection();
  return widget->count();
}

int QtWindowSystem::ListGetCount(const CWnd& list) const {
  const QListWidget* widget = ListOf(WidgetOf(&list));
  return widget ? widget->count() : LB_ERR;
}

int QtWindowSystem::ListGetCurSel(const CWnd& list) const {
  const QListWidget* widget = ListOf(WidgetOf(&list));
  if (widget == nullptr) return LB_ERR;
  const QModelIndexList selected = widget->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? LB_ERR : selected.first().row();
}

int QtWindowSystem::ListSetCurSel(CWnd& list, int index) {
  QListWidget* widget = ListOf(WidgetOf(&list));
  if (widget == nullptr) return LB_ERR;
  if (index < 0 || index >= widget->count()) {
    widget->clearSelection();
    return LB_ERR;
  }
  widget->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  return index;
}

std::optional<CString> QtWindowSystem::ListGetText(const CWnd& list, int index) const {
  const QListWidget* widget = ListOf(WidgetOf(&list));
  if (widget == nullptr || index < 0 || index >= widget->count()) return std::nullopt;
  return ListItemText(*widget->item(index));
}

CString QtWindowSystem::GetWindowText(const CWnd& window) const {
  const QWidget* widget = WidgetOf(&window);
  return widget ? WidgetText(*widget) : CString();
}

void QtWindowSystem::SetWindowText(CWnd& window, const CString& text) {
  if (QWidget* widget = WidgetOf(&window)) SetWidgetText(*widget, text);
}

int QtWindowSystem::MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) {
  return ShowMessageBox(WidgetOf(owner), ToQString(text), ToQString(caption), type);
}

std::optional<CString> QtWindowSystem::GetOpenFileName(CWnd* owner, const OpenFileRequest& request) {
  return ShowOpenFileDialog(WidgetOf(owner), request);
}

std::optional<CString> QtWindowSystem::BrowseForFolder(CWnd* owner, const FolderRequest& request) {
  return ShowFolderChooser(WidgetOf(owner), request);
}
