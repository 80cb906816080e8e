#include "platform/qt/owned_window.h"

#include <QDialog>
#include <QCoreApplication>
#include <QEventLoop>
#include <QExposeEvent>
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

namespace {

// Closing a box or dialog uncovers its owner, and the toolkit may deliver
// that expose while the box's loop winds down, before the call returns. The
// program reads its controls right after such a call (the preset selection
// after the folder chooser) and repaints only refill them later, so the
// owner's expose is held and posted again: it arrives once the program is
// back in an event loop, as the paint after a closed box always has.
class HeldExpose : public QObject {
 public:
  explicit HeldExpose(QWidget* owner) : owner_(owner && owner->windowHandle() ? owner->windowHandle() : nullptr) {}
  ~HeldExpose() override {
    if (owner_.isNull()) return;
    owner_->removeEventFilter(this);
    if (held_) QCoreApplication::postEvent(owner_, new QExposeEvent(QRegion(QRect(QPoint(0, 0), owner_->size()))));
  }
  void Start() {
    if (!owner_.isNull()) owner_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != QEvent::Expose) return false;
    held_ = true;
    return true;
  }

 private:
  QPointer<QWindow> owner_;
  bool held_ = false;
};

}  // namespace

int RunOwnedDialog(QDialog& dialog, QWidget* owner) {
  OwnedWindow owned(dialog, owner);
  HeldExpose heldExpose(owner);
  QEventLoop loop;
  QObject::connect(&dialog, &QDialog::finished, &loop, [&loop, &heldExpose] {
    heldExpose.Start();
    loop.quit();
  });
  dialog.adjustSize();
  owned.Centre();
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
  if (dialog.isVisible()) loop.exec(QEventLoop::DialogExec);
  return dialog.result();
}
