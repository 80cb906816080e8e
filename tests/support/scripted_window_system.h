// A window system for tests: controls are in-memory models, every box and
// dialog request is recorded with its settings, and the test gives the
// answers. Paints, minimise and restore can be injected at any point, also
// from inside an answer while a nested box is up.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "framework/window_system.h"
#include "framework/wnd.h"

class ScriptedWindowSystem : public WindowSystem {
 public:
  struct ControlModel {
    ControlClass controlClass;
    DWORD style;
    std::vector<CString> items;  // list boxes
    int curSel = LB_ERR;
    CString text;  // edit boxes, buttons, statics
  };

  struct MenuItem {
    UINT flags;
    UINT id;
    CString text;
  };

  struct WindowModel {
    CDialog* dialog = nullptr;
    CWnd* owner = nullptr;
    bool enabled = true;
    bool iconic = false;
    bool hasSystemMenu = true;
    bool modal = false;
    std::optional<int> endResult;
    CRect client{0, 0, 418, 252};
    int focusId = 0;
    std::map<int, ControlModel> controls;
    std::vector<MenuItem> systemMenu;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    CString caption;
  };

  struct MessageBoxCall {
    CWnd* owner;
    CString text;
    CString caption;
    UINT type;
    bool ownerEnabled;           // while the box was up
    bool mainWindowEnabled;      // while the box was up
  };
  struct OpenFileCall {
    CWnd* owner;
    OpenFileRequest request;
    bool ownerEnabled;
  };
  struct FolderCall {
    CWnd* owner;
    FolderRequest request;
    bool ownerEnabled;
  };
  struct ModalCall {
    UINT templateId;
    CWnd* owner;
    bool ownerEnabled;
    int result;
  };
  struct DrawIconCall {
    CWnd* window;
    int x;
    int y;
    HICON icon;
  };

  using MessageBoxAnswer = std::function<int(const MessageBoxCall&)>;
  using OpenFileAnswer = std::function<std::optional<CString>(const OpenFileCall&)>;
  using FolderAnswer = std::function<std::optional<CString>(const FolderCall&)>;
  using DialogScript = std::function<void(CDialog&)>;

  ScriptedWindowSystem();  // installs itself as the window system
  ~ScriptedWindowSystem() override;

  // --- What the test tells the user to do ---
  // Answers are used in the order given; with none left a message box gets
  // IDOK (OK) or IDNO (Yes/No), and the file and folder dialogs are cancelled.
  void AnswerMessageBox(int answer);
  void AnswerMessageBox(MessageBoxAnswer answer);
  void AnswerOpenFile(std::optional<CString> path);
  void AnswerOpenFile(OpenFileAnswer answer);
  void AnswerFolder(std::optional<CString> path);
  void AnswerFolder(FolderAnswer answer);
  // What the user does in the next modal dialog that opens; a script that
  // does not end its dialog leaves it to be cancelled.
  void ScriptDialog(DialogScript script);

  // Creates the dialog's window without a modal loop: init, then (unless told
  // otherwise) the first paint.
  void Open(CDialog& dialog, bool firstPaint = true);
  void Close(CDialog& dialog);

  void Click(CDialog& dialog, int id);
  void Command(CDialog& dialog, UINT id);
  void SysCommand(CDialog& dialog, UINT command);
  void Paint(CDialog& dialog);
  void Minimize(CDialog& dialog);  // no paint: a minimised window shows its icon
  void Restore(CDialog& dialog);   // paints, as the window comes back
  void Select(CDialog& dialog, int listId, int index);
  void Type(CDialog& dialog, int editId, const CString& text);
  void Focus(CDialog& dialog, int id);
  void PressEnter(CDialog& dialog);   // clicks a focused push button, else IDOK
  void PressEscape(CDialog& dialog);  // IDCANCEL
  void PressF1(CDialog& dialog);      // the help command

  // --- What the test looks at ---
  WindowModel& Window(const CWnd& dialog);
  bool IsOpen(const CWnd& dialog) const { return windows_.count(&dialog) != 0; }
  ControlModel& Control(CDialog& dialog, int id);
  std::vector<CString> Items(CDialog& dialog, int listId);
  int Selection(CDialog& dialog, int listId);

  std::vector<MessageBoxCall> messageBoxes;
  // The texts of the message boxes shown so far, in order.
  std::vector<CString> MessageBoxTexts() const;
  std::vector<OpenFileCall> openFileDialogs;
  std::vector<FolderCall> folderDialogs;
  std::vector<ModalCall> modalDialogs;
  std::vector<DrawIconCall> drawnIcons;
  std::vector<Message> defaultProcessed;
  int iconMetric = 32;

  // --- WindowSystem ---
  int RunModalDialog(CDialog& dialog, const DialogTemplate& dialogTemplate, CWnd* owner) override;
  void EndModalLoop(CDialog& dialog, int result) override;
  void DefaultProcessing(CWnd& window, const Message& message) override;
  bool IsIconic(const CWnd& window) const override;
  bool IsWindowEnabled(const CWnd& window) const override;
  CRect GetClientRect(const CWnd& window) const override;
  int GetSystemMetrics(int index) const override;
  void SetIcon(CWnd& window, int slot, HICON icon) override;
  bool HasSystemMenu(const CWnd& window) const override;
  void AppendSystemMenu(CWnd& window, UINT flags, UINT id, const CString& text) override;
  CWnd* GetFocusDialog() const override;
  WPARAM BeginPaint(CWnd& window) override;
  void EndPaint(CWnd& window, WPARAM paint) override;
  bool DrawIcon(CWnd& window, WPARAM paint, int x, int y, HICON icon) override;
  void ListResetContent(CWnd& list) override;
  int ListInsertString(CWnd& list, int index, const CString& text) override;
  int ListDeleteString(CWnd& list, int index) override;
  int ListGetCount(const CWnd& list) const override;
  int ListGetCurSel(const CWnd& list) const override;
  int ListSetCurSel(CWnd& list, int index) override;
  std::optional<CString> ListGetText(const CWnd& list, int index) const override;
  CString GetWindowText(const CWnd& window) const override;
  void SetWindowText(CWnd& window, const CString& text) override;
  int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) override;
  std::optional<CString> GetOpenFileName(CWnd* owner, const OpenFileRequest& request) override;
  std::optional<CString> BrowseForFolder(CWnd* owner, const FolderRequest& request) override;

 private:
  WindowModel& CreateWindowModel(CDialog& dialog, CWnd* owner);
  void InitDialog(CDialog& dialog);
  ControlModel& ControlOf(const CWnd& control) const;
  bool Enabled(const CWnd* window) const;
  template <class Call, class Answer, class Result>
  Result Ask(CWnd* owner, std::vector<Call>& record, std::deque<Answer>& answers, const std::function<Call()>& makeCall,
             Result fallback);
  void SetEnabled(CWnd* window, bool enabled);

  std::map<const CWnd*, WindowModel> windows_;
  std::vector<CDialog*> stack_;  // open dialogs, innermost last
  std::deque<MessageBoxAnswer> messageBoxAnswers_;
  std::deque<OpenFileAnswer> openFileAnswers_;
  std::deque<FolderAnswer> folderAnswers_;
  std::deque<DialogScript> dialogScripts_;
  WPARAM nextPaint_ = 1;
};
