// Dialog templates 100 (about box) and 102 (main dialog), and the string table.
#include <array>

#include "framework/resources.h"
#include "res/resource.h"
#include "res/version_record.h"

namespace {

constexpr char8_t kDialogFont[] = u8"ＭＳ Ｐゴシック";

constexpr DWORD kListBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT |
                                LBS_NOINTEGRALHEIGHT;  // 0x50A10103
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;  // 0x50010000
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;          // 0x50020000
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;  // 0x50810080

const DialogTemplate kMainDialog{
    IDD_MAIN,
    /*extended=*/true,
    /*helpId=*/0,
    u8"Tolvane",
    0, 0, 279, 155,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT,  // 0x90CA00C0
    WS_EX_APPWINDOW,
    kDialogFont, 9, 0, false, 1,
    {
        {IDC_FILE_LIST, ControlClass::kListBox, u8"", 7, 22, 174, 125, kListBoxStyle},
        {IDC_EXT_LIST, ControlClass::kListBox, u8"", 186, 22, 33, 97, kListBoxStyle},
        {IDC_SELECT_FILE, ControlClass::kButton, u8"ファイル選択", 226, 22, 46, 17, kButtonStyle},
        {IDC_CONVERT, ControlClass::kButton, u8"変換して保存", 226, 97, 46, 17, kButtonStyle},
        {-1, ControlClass::kStatic, u8"変換ファイル", 71, 7, 48, 10, kLabelStyle},
        {-1, ControlClass::kStatic, u8"拡張子", 189, 7, 23, 11, kLabelStyle},
        {IDC_REMOVE, ControlClass::kButton, u8"取り消し", 226, 47, 46, 17, kButtonStyle},
        {IDC_EXIT, ControlClass::kButton, u8"終了", 226, 122, 46, 17, kButtonStyle},
        {IDC_REMOVE_ALL, ControlClass::kButton, u8"全て取り消し", 226, 72, 46, 17, kButtonStyle},
        {IDC_EXT_EDIT, ControlClass::kEdit, u8"", 186, 135, 33, 13, kEditStyle},
        {-1, ControlClass::kStatic, u8"指定", 195, 123, 15, 11, kLabelStyle},
    },
};

// "Tolvane Ver " and the version of the version record's strings.
constexpr auto kAboutText = [] {
  constexpr char8_t prefix[] = u8"Tolvane Ver ";
  std::array<char8_t, sizeof(prefix) + sizeof(kProductVersionText) - 1> text{};
  std::size_t n = 0;
  for (std::size_t i = 0; i + 1 < sizeof(prefix); ++i) text[n++] = prefix[i];
  for (std::size_t i = 0; i < sizeof(kProductVersionText); ++i) text[n++] = kProductVersionText[i];
  return text;
}();

const DialogTemplate kAboutBox{
    IDD_ABOUTBOX,
    /*extended=*/false,
    /*helpId=*/0,
    u8"Tolvane ﾊﾞｰｼﾞｮﾝ情報",
    0, 0, 186, 55,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,  // 0x80C800C0
    0,
    kDialogFont, 9, 0, false, 1,
    {
        {-1, ControlClass::kStatic, u8"", 11, 17, 20, 20, WS_CHILD | WS_VISIBLE | SS_ICON, IDI_MAIN},
        {-1, ControlClass::kStatic, kAboutText.data(), 40, 10, 119, 8, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX},
        {-1, ControlClass::kStatic, kLegalCopyright, 40, 25, 119, 8, kLabelStyle},
        {IDOK, ControlClass::kButton, u8"OK", 127, 34, 50, 14, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
    },
};

struct StringEntry {
  UINT id;
  const char8_t* text;
};

constexpr StringEntry kStrings[] = {
    {IDS_ABOUTBOX, u8"Tolvane のﾊﾞｰｼﾞｮﾝ情報(&A)..."},
    // The framework's own strings.
    {0xF107, u8"ﾍﾙﾌﾟの起動に失敗しました。"},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(UINT id) {
  if (id == IDD_MAIN) return &kMainDialog;
  if (id == IDD_ABOUTBOX) return &kAboutBox;
  return nullptr;
}

const char8_t* FindStringResource(UINT id) {
  for (const StringEntry& entry : kStrings) {
    if (entry.id == id) return entry.text;
  }
  return nullptr;
}
