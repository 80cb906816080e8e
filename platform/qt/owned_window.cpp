#include "platform/qt/owned_window.h"

#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

OwnedWindow::OwnedWindow(QWidget& window, QWidget* owner) : window_(window), owner_(owner) {
  if (owner == nullptr) return;
  window_.winId();
  if (QWindow* handle = window_.windowHandle(); handle && owner->windowHandle()) {
    handle->setTransientParent(owner->windowHandle());
  }
  ownerFocus_ = owner->focusWidget();
  if (owner->isEnabled()) {
    owner->setEnabled(false);
    disabledOwner_ = true;
  }
}

OwnedWindow::~OwnedWindow() {
  if (owner_.isNull()) return;
  if (disabledOwner_) owner_->setEnabled(true);
  owner_->activateWindow();
  if (!ownerFocus_.isNull()) ownerFocus_->setFocus(Qt::ActiveWindowFocusReason);
}

void OwnedWindow::Centre() {
  QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen();
  const QRect area = owner_ ? owner_->frameGeometry() : (screen ? screen->availableGeometry() : QRect());
  if (area.isEmpty()) return;
  QRect frame = window_.frameGeometry();
  frame.moveCenter(area.center());
  if (screen) {
    // Never push the caption off the screen, where it could not be dragged back.
    const QRect bounds = screen->availableGeometry();
    frame.moveLeft(qMax(bounds.left(), qMin(frame.left(), bounds.right() - frame.width() + 1)));
    frame.moveTop(qMax(bounds.top(), qMin(frame.top(), bounds.bottom() - frame.height() + 1)));
  }
  window_.move(frame.topLeft());
}

int RunOwnedDialog(QDialog& dialog, QWidget* owner) {
  OwnedWindow owned(dialog, owner);
  QEventLoop loop;
  QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
  dialog.adjustSize();
  owned.Centre();
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
  if (dialog.isVisible()) loop.exec(QEventLoop::DialogExec);
  return dialog.result();
}
