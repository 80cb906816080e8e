// The rules that name a copy: the normalised typed extension, the base name
// of a source path and the destination path. Pure functions over byte strings
// in a code page; every search steps over double-byte characters whole.
#pragma once

#include "framework/code_page.h"
#include "framework/cstring.h"
#include "framework/services.h"

// "." followed by the typed text, unless the text already begins with ".".
CString NormalizeExtension(const CString& typed, const CodePage& codePage = ActiveCodePage());

// The file name's part before its first ".": empty when the name has no "."
// or begins with one. Only the platform's folder separator ends the folder part.
CString GetBaseName(const CString& sourcePath, PathStyle style = kNativePathStyle,
                    const CodePage& codePage = ActiveCodePage());

// Folder, one separator, base name and extension, joined with no other change.
CString MakeDestinationPath(const CString& folder, const CString& baseName, const CString& extension,
                            PathStyle style = kNativePathStyle);

// Whether name stays inside the folder it is joined to: no folder separator
// in it, and not "." or "..". A typed extension can break both.
bool IsPlainFileName(const CString& name, PathStyle style = kNativePathStyle,
                     const CodePage& codePage = ActiveCodePage());
