// How a box or dialog stands to its owner: centred over it (or on the screen
// when it has none), kept above it, and the owner disabled while it is up.
// Every box runs its own small event loop instead of the toolkit's modality,
// so that a box without owner leaves all other windows usable.
#pragma once

#include <QPointer>
#include <QWidget>

class QDialog;

class OwnedWindow {
 public:
  OwnedWindow(QWidget& window, QWidget* owner);
  // Enables the owner again (if this disabled it), activates it and gives the
  // focus back to the control that had it.
  ~OwnedWindow();
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;

  void Centre();

 private:
  QWidget& window_;
  QPointer<QWidget> owner_;
  QPointer<QWidget> ownerFocus_;
  bool disabledOwner_ = false;
};

// Shows the dialog over its owner and waits until it is finished; the
// dialog's result code (QDialog::Accepted or Rejected).
int RunOwnedDialog(QDialog& dialog, QWidget* owner);
