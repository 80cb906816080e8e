#include "framework/file_dialog.h"

#include "framework/services.h"
#include "framework/win_app.h"

namespace {

// "a|b|c|d||" -> {a, b}, {c, d}: the platform's NUL-separated pairs.
std::vector<OpenFileRequest::Filter> ParseFilter(const std::string& filter) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : filter) {
    if (c == '|') {
      if (current.empty()) break;
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  std::vector<OpenFileRequest::Filter> pairs;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) pairs.push_back({parts[i], parts[i + 1]});
  return pairs;
}

bool IsFullPath(const CString& path) {
  const std::string& p = path.bytes();
  if (kNativePathStyle == PathStyle::kPosix) return !p.empty() && p[0] == '/';
  return (p.size() >= 3 && p[1] == ':' && (p[2] == '\\' || p[2] == '/')) || p.rfind("\\\\", 0) == 0;
}

bool FitsPathBuffer(const CString& path) { return path.GetLength() <= MaxPathBuffer() - 1; }

}  // namespace

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog),
      m_strDefExt(defaultExtension),
      m_strFileName(fileName),
      m_strFilter(filter),
      m_pParentWnd(parent) {
  // The framework hooks the dialog (to centre it), makes it resizable and
  // explorer-style.
  m_ofn.Flags = flags | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_EXPLORER;
  m_ofn.nMaxFile = MaxPathBuffer();
}

OpenFileRequest CFileDialog::Request() const {
  OpenFileRequest request;
  request.openKind = m_bOpenFileDialog;
  request.defaultExtension = m_strDefExt;
  request.initialFileName = m_strFileName;
  request.initialDirectory = m_ofn.lpstrInitialDir;
  request.title = m_ofn.lpstrTitle;
  request.flags = m_ofn.Flags;
  request.filters = ParseFilter(m_strFilter.bytes());
  request.maxPathBytes = m_ofn.nMaxFile;
  return request;
}

int CFileDialog::DoModal() {
  CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  const std::optional<CString> path = AfxGetWindowSystem().GetOpenFileName(owner, Request());
  // A path that does not fit the buffer fails the dialog, as on the platform.
  if (!path || path->GetLength() > m_ofn.nMaxFile - 1) return IDCANCEL;
  m_strPathName = *path;
  return IDOK;
}

std::optional<CString> BrowseForFolder(const BROWSEINFO& info) {
  const std::optional<CString> path =
      AfxGetWindowSystem().BrowseForFolder(info.hwndOwner, FolderRequest{info.lpszTitle, info.ulFlags});
  // Without a full file-system path that fits the path buffer there is no
  // folder to copy into: the same as a cancel.
  if (!path || !IsFullPath(*path) || !FitsPathBuffer(*path)) return std::nullopt;
  return path;
}
