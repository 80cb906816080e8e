// The conversion's messages, joined from fixed texts and names with nothing
// in between.
#pragma once

#include "framework/cstring.h"

inline constexpr char8_t kSelectExtensionOrFile[] = u8"拡張子またはファイルを選択してください。";
inline constexpr char8_t kOverwriteCaption[] = u8"上書き";
inline constexpr char8_t kChooseFolderPrompt[] = u8"フォルダの選択";

inline CString CompletionMessage(const CString& baseName) {
  return CString(u8"ファイル") + baseName + CString(u8"の変換が完了しました。");
}

inline CString OverwriteQuestion(const CString& baseName, const CString& targetExtension) {
  return CString(u8"すでにファイル") + baseName + targetExtension +
         CString(u8"がディレクトリ内に存在します。\n 上書きしますか？");
}
