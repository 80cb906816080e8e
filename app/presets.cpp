#include <iterator>

#include "app/main_dlg.h"
#include "app/presets.h"

void CMainDlg::FillPresetList() {
  CListBox* presets = PresetList();
  presets->ResetContent();
  // Appended at -1, so the list keeps this order despite its sorted style.
  for (const char* extension : kPresetExtensions) presets->InsertString(-1, extension);
  m_nPresetCount = static_cast<int>(std::size(kPresetExtensions));
}
