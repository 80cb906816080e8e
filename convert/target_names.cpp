#include "convert/target_names.h"

CString NormalizeExtension(const CString& typed, const CodePage& codePage) {
  if (typed.Find('.', 0, codePage) == 0) return typed;
  return CString(".") + typed;
}

CString GetBaseName(const CString& sourcePath, PathStyle style, const CodePage& codePage) {
  const int length = sourcePath.GetLength();
  const int separator = sourcePath.ReverseFind(PathSeparator(style), codePage);
  const CString fileName = sourcePath.Right(length - separator - 1);
  const int dot = fileName.Find('.', 0, codePage);
  return fileName.Left(dot);
}

CString MakeDestinationPath(const CString& folder, const CString& baseName, const CString& extension,
                            PathStyle style) {
  return folder + CString(std::string(1, PathSeparator(style))) + baseName + extension;
}

bool IsPlainFileName(const CString& name, PathStyle style, const CodePage& codePage) {
  if (name == CString(".") || name == CString("..")) return false;
  // The system reads every 0x2F byte as "/", whatever character it seems to
  // belong to in the code page.
  if (style == PathStyle::kPosix && name.bytes().find('/') != std::string::npos) return false;
  const std::string& bytes = name.bytes();
  for (std::size_t pos = 0; pos < bytes.size(); pos += codePage.CharLength(bytes, pos)) {
    if (codePage.CharLength(bytes, pos) == 1 && IsPathSeparator(bytes[pos], style)) return false;
  }
  return true;
}
