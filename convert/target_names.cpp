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
  // POSIX reads every 0x2F byte as "/", whatever character it seems to
  // belong to in the code page; Windows knows the code page's characters.
  if (style == PathStyle::kPosix) return name.bytes().find('/') == std::string::npos;
  return name.FindOneOf(PathSeparators(style), codePage) < 0;
}
