// One dialog of the program as a toolkit window: built from its template,
// turning the user's keys, clicks and the window system's exposes into the
// messages the dialog's command table expects.
#pragma once

#include <QDialog>
#include <QIcon>
#include <vector>

#include "framework/dialog_template.h"
#include "framework/wnd.h"
#include "platform/qt/dialog_units.h"

class QEventLoop;
class QMenu;

class DialogWindow : public QDialog {
  Q_OBJECT

 public:
  DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate);
  ~DialogWindow() override;

  CDialog& Dialog() const { return dialog_; }
  const BaseUnits& Units() const { return units_; }
  // The control with the template id, or nullptr.
  QWidget* Control(int id) const;

  void FocusFirstTabStop();
  // Shows the window and runs its loop until EndModalLoop; the result given
  // there. A dialog ended before it was shown is never shown.
  int RunModalLoop();
  void EndModalLoop(int result);

  bool HasSystemMenu() const;
  void AppendSystemMenu(UINT flags, UINT id, const QString& text);
  // The menu of minimise, close and what the program appended, at the
  // dialog's top-left; the chosen entry goes to the dialog as a system command.
  void OpenSystemMenu();
  void SetIcon(int slot, HICON icon);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Only the program ends its dialogs.
  void reject() override {}

 private:
  struct ControlEntry {
    const DialogItemTemplate* item;
    QWidget* widget;
  };
  struct MenuEntry {
    UINT flags;
    UINT id;
    QString text;
  };

  void CreateControls();
  QWidget* CreateControl(const DialogItemTemplate& item);
  void SetTabOrder();
  bool HandleKey(const QKeyEvent& event);
  int EnterCommandId() const;
  void SendCommand(int id);
  void SendPaint();

  CDialog& dialog_;
  const DialogTemplate& template_;
  BaseUnits units_{};
  std::vector<ControlEntry> controls_;
  std::vector<MenuEntry> systemMenu_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  QEventLoop* loop_ = nullptr;
  bool ended_ = false;
  int result_ = 0;
  bool painting_ = false;
};
