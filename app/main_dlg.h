// The main dialog: file list, preset list, typed extension and the commands
// that work on them.
#pragma once

#include "framework/wnd.h"
#include "res/resource.h"

class CMainDlg : public CDialog {
 public:
  explicit CMainDlg(CWnd* parent = nullptr);
  ~CMainDlg() override = default;

  const MessageMapBase& GetMessageMap() const override;
  static const MessageMap<CMainDlg> messageMap;

  // Dialog data.
  CString m_strExtInput;  // the edit box's text as of the last data save
  HICON m_hIcon;
  CString m_strFilePath;  // the last path chosen in the open-file dialog
  CString m_strDestDir;   // the destination folder of the current run
  CString m_strNewExt;    // the normalised typed extension
  int m_nPresetCount = 0;

  void FillPresetList();
  void ChooseDestination();
  void RunConversion();
  void NormalizeExtension();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;

  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnSelectFile();
  void OnRemove();
  void OnConvert();
  void OnRemoveAll();

 private:
  CListBox* FileList() const;
  CListBox* PresetList() const;
};

// Where the minimised dialog draws its icon: centred, halves truncated toward zero.
struct IconPosition {
  int x;
  int y;
};
IconPosition CenteredIconPosition(const CRect& client, int iconWidth, int iconHeight);
