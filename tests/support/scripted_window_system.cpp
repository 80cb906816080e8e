#include "tests/support/scripted_window_system.h"

#include <algorithm>
#include <stdexcept>

#include "framework/win_app.h"

ScriptedWindowSystem::ScriptedWindowSystem() { AfxSetWindowSystem(this); }

ScriptedWindowSystem::~ScriptedWindowSystem() { AfxSetWindowSystem(nullptr); }

void ScriptedWindowSystem::AnswerMessageBox(int answer) {
  messageBoxAnswers_.push_back([answer](const MessageBoxCall&) { return answer; });
}
void ScriptedWindowSystem::AnswerMessageBox(MessageBoxAnswer answer) { messageBoxAnswers_.push_back(std::move(answer)); }
void ScriptedWindowSystem::AnswerOpenFile(std::optional<CString> path) {
  openFileAnswers_.push_back([path](const OpenFileCall&) { return path; });
}
void ScriptedWindowSystem::AnswerOpenFile(OpenFileAnswer answer) { openFileAnswers_.push_back(std::move(answer)); }
void ScriptedWindowSystem::AnswerFolder(std::optional<CString> path) {
  folderAnswers_.push_back([path](const FolderCall&) { return path; });
}
void ScriptedWindowSystem::AnswerFolder(FolderAnswer answer) { folderAnswers_.push_back(std::move(answer)); }
void ScriptedWindowSystem::ScriptDialog(DialogScript script) { dialogScripts_.push_back(std::move(script)); }

ScriptedWindowSystem::WindowModel& ScriptedWindowSystem::CreateWindowModel(CDialog& dialog, CWnd* owner) {
  WindowModel& model = windows_[&dialog];
  model = WindowModel{};
  model.dialog = &dialog;
  model.owner = owner;
  const DialogTemplate& tpl = *dialog.GetTemplate();
  model.hasSystemMenu = (tpl.style & WS_SYSMENU) != 0;
  model.caption = CString(tpl.caption);
  for (const DialogItemTemplate& item : tpl.items) {
    if (item.id == -1) continue;
    model.controls[item.id] = ControlModel{item.controlClass, item.style, {}, LB_ERR, CString(item.text)};
  }
  stack_.push_back(&dialog);
  return model;
}

void ScriptedWindowSystem::InitDialog(CDialog& dialog) {
  const bool setFocus = dialog.SendMessage(WM_INITDIALOG) != 0;
  if (!setFocus) return;
  for (const DialogItemTemplate& item : dialog.GetTemplate()->items) {
    if (item.style & WS_TABSTOP) {
      Window(dialog).focusId = item.id;
      break;
    }
  }
}

void ScriptedWindowSystem::Open(CDialog& dialog, bool firstPaint) {
  if (!dialog.AttachWindow()) throw std::logic_error("no template for the dialog");
  CreateWindowModel(dialog, nullptr);
  InitDialog(dialog);
  if (firstPaint) Paint(dialog);
}

void ScriptedWindowSystem::Close(CDialog& dialog) {
  windows_.erase(&dialog);
  stack_.erase(std::remove(stack_.begin(), stack_.end(), &dialog), stack_.end());
  dialog.DetachWindow();
}

int ScriptedWindowSystem::RunModalDialog(CDialog& dialog, const DialogTemplate& /*dialogTemplate*/, CWnd* owner) {
  const bool ownerWasEnabled = Enabled(owner);
  SetEnabled(owner, false);
  CreateWindowModel(dialog, owner).modal = true;
  InitDialog(dialog);
  if (IsOpen(dialog)) Paint(dialog);
  if (!dialogScripts_.empty() && !Window(dialog).endResult) {
    DialogScript script = std::move(dialogScripts_.front());
    dialogScripts_.pop_front();
    script(dialog);
  }
  const int result = Window(dialog).endResult.value_or(IDCANCEL);
  modalDialogs.push_back({dialog.GetTemplateId(), owner, Enabled(owner), result});
  windows_.erase(&dialog);
  stack_.erase(std::remove(stack_.begin(), stack_.end(), &dialog), stack_.end());
  SetEnabled(owner, ownerWasEnabled);
  return result;
}

void ScriptedWindowSystem::EndModalLoop(CDialog& dialog, int result) {
  if (IsOpen(dialog)) Window(dialog).endResult = result;
}

void ScriptedWindowSystem::DefaultProcessing(CWnd& window, const Message& message) {
  defaultProcessed.push_back(message);
  if (message.message != WM_SYSCOMMAND) return;
  auto* dialog = dynamic_cast<CDialog*>(&window);
  if (dialog == nullptr) return;
  switch (static_cast<UINT>(message.wParam) & 0xFFF0) {
    case SC_CLOSE:
      dialog->SendMessage(WM_COMMAND, MakeCommandParam(IDCANCEL, BN_CLICKED));
      break;
    case SC_MINIMIZE:
      Minimize(*dialog);
      break;
    case SC_RESTORE:
      Restore(*dialog);
      break;
    default:
      break;
  }
}

void ScriptedWindowSystem::Click(CDialog& dialog, int id) { Command(dialog, static_cast<UINT>(id)); }

void ScriptedWindowSystem::Command(CDialog& dialog, UINT id) {
  dialog.SendMessage(WM_COMMAND, MakeCommandParam(id, BN_CLICKED));
}

void ScriptedWindowSystem::SysCommand(CDialog& dialog, UINT command) { dialog.SendMessage(WM_SYSCOMMAND, command); }

void ScriptedWindowSystem::Paint(CDialog& dialog) { dialog.SendMessage(WM_PAINT); }

void ScriptedWindowSystem::Minimize(CDialog& dialog) { Window(dialog).iconic = true; }

void ScriptedWindowSystem::Restore(CDialog& dialog) {
  Window(dialog).iconic = false;
  Paint(dialog);
}

void ScriptedWindowSystem::Select(CDialog& dialog, int listId, int index) {
  ListSetCurSel(*dialog.GetDlgItem(listId), index);
}

void ScriptedWindowSystem::Type(CDialog& dialog, int editId, const CString& text) { Control(dialog, editId).text = text; }

void ScriptedWindowSystem::Focus(CDialog& dialog, int id) { Window(dialog).focusId = id; }

void ScriptedWindowSystem::PressEnter(CDialog& dialog) {
  const WindowModel& model = Window(dialog);
  const auto it = model.controls.find(model.focusId);
  const bool onButton = it != model.controls.end() && it->second.controlClass == ControlClass::kButton;
  Command(dialog, onButton ? static_cast<UINT>(model.focusId) : IDOK);
}

void ScriptedWindowSystem::PressEscape(CDialog& dialog) { Command(dialog, IDCANCEL); }

void ScriptedWindowSystem::PressF1(CDialog& /*dialog*/) {
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, MakeCommandParam(ID_HELP, 0));
}

ScriptedWindowSystem::WindowModel& ScriptedWindowSystem::Window(const CWnd& dialog) {
  const auto it = windows_.find(&dialog);
  if (it == windows_.end()) throw std::logic_error("the dialog has no window");
  return it->second;
}

ScriptedWindowSystem::ControlModel& ScriptedWindowSystem::Control(CDialog& dialog, int id) {
  return Window(dialog).controls.at(id);
}

std::vector<CString> ScriptedWindowSystem::Items(CDialog& dialog, int listId) { return Control(dialog, listId).items; }

std::vector<CString> ScriptedWindowSystem::MessageBoxTexts() const {
  std::vector<CString> texts;
  for (const MessageBoxCall& box : messageBoxes) texts.push_back(box.text);
  return texts;
}

int ScriptedWindowSystem::Selection(CDialog& dialog, int listId) { return Control(dialog, listId).curSel; }

ScriptedWindowSystem::ControlModel& ScriptedWindowSystem::ControlOf(const CWnd& control) const {
  auto& self = const_cast<ScriptedWindowSystem&>(*this);
  return self.Window(*control.GetParent()).controls.at(control.GetDlgCtrlID());
}

bool ScriptedWindowSystem::Enabled(const CWnd* window) const {
  if (window == nullptr) return true;
  const auto it = windows_.find(window);
  return it == windows_.end() || it->second.enabled;
}

void ScriptedWindowSystem::SetEnabled(CWnd* window, bool enabled) {
  if (window == nullptr) return;
  const auto it = windows_.find(window);
  if (it != windows_.end()) it->second.enabled = enabled;
}

bool ScriptedWindowSystem::IsIconic(const CWnd& window) const {
  const auto it = windows_.find(&window);
  return it != windows_.end() && it->second.iconic;
}

bool ScriptedWindowSystem::IsWindowEnabled(const CWnd& window) const { return Enabled(&window); }

CRect ScriptedWindowSystem::GetClientRect(const CWnd& window) const {
  const auto it = windows_.find(&window);
  return it == windows_.end() ? CRect{} : it->second.client;
}

int ScriptedWindowSystem::GetSystemMetrics(int index) const {
  return (index == SM_CXICON || index == SM_CYICON) ? iconMetric : 0;
}

void ScriptedWindowSystem::SetIcon(CWnd& window, int slot, HICON icon) {
  (slot == ICON_BIG ? Window(window).bigIcon : Window(window).smallIcon) = icon;
}

bool ScriptedWindowSystem::HasSystemMenu(const CWnd& window) const {
  const auto it = windows_.find(&window);
  return it != windows_.end() && it->second.hasSystemMenu;
}

void ScriptedWindowSystem::AppendSystemMenu(CWnd& window, UINT flags, UINT id, const CString& text) {
  Window(window).systemMenu.push_back({flags, id, text});
}

CWnd* ScriptedWindowSystem::GetFocusDialog() const { return stack_.empty() ? nullptr : stack_.back(); }

WPARAM ScriptedWindowSystem::BeginPaint(CWnd& /*window*/) { return nextPaint_++; }
void ScriptedWindowSystem::EndPaint(CWnd& /*window*/, WPARAM /*paint*/) {}

bool ScriptedWindowSystem::DrawIcon(CWnd& window, WPARAM /*paint*/, int x, int y, HICON icon) {
  drawnIcons.push_back({&window, x, y, icon});
  return true;
}

void ScriptedWindowSystem::ListResetContent(CWnd& list) {
  ControlModel& model = ControlOf(list);
  model.items.clear();
  model.curSel = LB_ERR;
}

int ScriptedWindowSystem::ListInsertString(CWnd& list, int index, const CString& text) {
  ControlModel& model = ControlOf(list);
  const int count = static_cast<int>(model.items.size());
  if (index == -1) index = count;
  if (index < 0 || index > count) return LB_ERR;
  model.items.insert(model.items.begin() + index, text);
  if (model.curSel >= index) ++model.curSel;
  return index;
}

int ScriptedWindowSystem::ListDeleteString(CWnd& list, int index) {
  ControlModel& model = ControlOf(list);
  if (index < 0 || index >= static_cast<int>(model.items.size())) return LB_ERR;
  model.items.erase(model.items.begin() + index);
  if (model.curSel == index) {
    model.curSel = LB_ERR;
  } else if (model.curSel > index) {
    --model.curSel;
  }
  return static_cast<int>(model.items.size());
}

int ScriptedWindowSystem::ListGetCount(const CWnd& list) const { return static_cast<int>(ControlOf(list).items.size()); }

int ScriptedWindowSystem::ListGetCurSel(const CWnd& list) const { return ControlOf(list).curSel; }

int ScriptedWindowSystem::ListSetCurSel(CWnd& list, int index) {
  ControlModel& model = ControlOf(list);
  if (index < 0 || index >= static_cast<int>(model.items.size())) {
    model.curSel = LB_ERR;
    return LB_ERR;
  }
  model.curSel = index;
  return index;
}

std::optional<CString> ScriptedWindowSystem::ListGetText(const CWnd& list, int index) const {
  const ControlModel& model = ControlOf(list);
  if (index < 0 || index >= static_cast<int>(model.items.size())) return std::nullopt;
  return model.items[static_cast<std::size_t>(index)];
}

CString ScriptedWindowSystem::GetWindowText(const CWnd& window) const {
  if (window.GetParent() == nullptr) return const_cast<ScriptedWindowSystem&>(*this).Window(window).caption;
  return ControlOf(window).text;
}

void ScriptedWindowSystem::SetWindowText(CWnd& window, const CString& text) {
  if (window.GetParent() == nullptr) {
    Window(window).caption = text;
  } else {
    ControlOf(window).text = text;
  }
}

// One request to the user: the owner is disabled while it is up, the call is
// recorded as it was seen, and the next answer (or the fallback) decides.
template <class Call, class Answer, class Result>
Result ScriptedWindowSystem::Ask(CWnd* owner, std::vector<Call>& record, std::deque<Answer>& answers,
                                 const std::function<Call()>& makeCall, Result fallback) {
  const bool ownerWasEnabled = Enabled(owner);
  SetEnabled(owner, false);
  const Call call = makeCall();
  record.push_back(call);
  Result result = std::move(fallback);
  if (!answers.empty()) {
    Answer respond = std::move(answers.front());
    answers.pop_front();
    result = respond(call);
  }
  SetEnabled(owner, ownerWasEnabled);
  return result;
}

int ScriptedWindowSystem::MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) {
  const int fallback = (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
  return Ask<MessageBoxCall>(owner, messageBoxes, messageBoxAnswers_, [&] {
    return MessageBoxCall{owner, text, caption, type, Enabled(owner), Enabled(AfxGetMainWnd())};
  }, fallback);
}

std::optional<CString> ScriptedWindowSystem::GetOpenFileName(CWnd* owner, const OpenFileRequest& request) {
  return Ask<OpenFileCall>(owner, openFileDialogs, openFileAnswers_,
                           [&] { return OpenFileCall{owner, request, Enabled(owner)}; }, std::optional<CString>());
}

std::optional<CString> ScriptedWindowSystem::BrowseForFolder(CWnd* owner, const FolderRequest& request) {
  return Ask<FolderCall>(owner, folderDialogs, folderAnswers_,
                         [&] { return FolderCall{owner, request, Enabled(owner)}; }, std::optional<CString>());
}
