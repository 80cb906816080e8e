// The naming rules, with both folder separators and three code pages.
#include <gtest/gtest.h>

#include <string>

#include "convert/target_names.h"

namespace {

// Code page 932 text for the tests: 表 is 0x95 0x5C, テキスト 0x83 0x65 ...
const std::string kHyou932 = "\x95\x5C";
const std::string kTekisuto932 = "\x83\x65\x83\x4C\x83\x58\x83\x67";

struct CodePageCase {
  const char* name;
  CodePage codePage;
  std::string hyou;      // 表 in that code page
  std::string tekisuto;  // テキスト in that code page
};

void PrintTo(const CodePageCase& c, std::ostream* out) { *out << c.name; }

std::vector<CodePageCase> CodePages() {
  return {
      {"cp932", CodePage::ShiftJis(), kHyou932, kTekisuto932},
      {"utf8", CodePage::Utf8(), "\xE8\xA1\xA8", "\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88"},
      // A single-byte code page has no such characters; its bytes stand alone.
      {"cp1252", CodePage::SingleByte(), "\xE9", "t\xE9xt"},
  };
}

class TargetNames : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(TargetNames, NormalizeExtension) {
  const CodePageCase& c = GetParam();
  const struct {
    std::string typed;
    std::string normalized;
  } cases[] = {
      {"txt", ".txt"},        {".txt", ".txt"},   {"TXT", ".TXT"},   {"tar.gz", ".tar.gz"},
      {"txt.", ".txt."},      {"..txt", "..txt"}, {" .txt", ". .txt"}, {c.tekisuto, "." + c.tekisuto},
      {"", "."},              {" ", ". "},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(NormalizeExtension(CString(row.typed), c.codePage), CString(row.normalized)) << "typed: " << row.typed;
  }
}

TEST_P(TargetNames, BaseNameWindowsSeparator) {
  const CodePageCase& c = GetParam();
  const struct {
    std::string path;
    std::string base;
  } cases[] = {
      {"C:\\data\\report.doc", "report"},
      {"C:\\data\\report.final.doc", "report"},
      {"C:\\data\\archive.tar.gz", "archive"},
      {"C:\\data\\README", ""},
      {"C:\\data\\.profile", ""},
      {"C:\\old.data\\notes", ""},
      {"C:\\docs\\" + c.hyou + ".txt", c.hyou},
      {"report.doc", "report"},
      {"C:\\data\\", ""},
      // Only "\" separates folders here.
      {"C:\\data/x.y/report.doc", "data/x"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(GetBaseName(CString(row.path), PathStyle::kWindows, c.codePage), CString(row.base)) << row.path;
  }
}

TEST_P(TargetNames, BaseNamePosixSeparator) {
  const CodePageCase& c = GetParam();
  const struct {
    std::string path;
    std::string base;
  } cases[] = {
      {"/data/report.doc", "report"},
      {"/data/report.final.doc", "report"},
      {"/data/archive.tar.gz", "archive"},
      {"/data/README", ""},
      {"/data/.profile", ""},
      {"/old.data/notes", ""},
      {"/docs/" + c.hyou + ".txt", c.hyou},
      {"report.doc", "report"},
      {"/data/", ""},
      // "\" is an ordinary file-name byte on POSIX.
      {"/data/a\\b.txt", "a\\b"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(GetBaseName(CString(row.path), PathStyle::kPosix, c.codePage), CString(row.base)) << row.path;
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, TargetNames, ::testing::ValuesIn(CodePages()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TargetNamesCp932, TrailByte5CIsNotASeparator) {
  // A byte-wise search would cut at the 0x5C of 表 and leave "".
  const CString path("C:\\docs\\" + kHyou932 + ".txt");
  EXPECT_EQ(GetBaseName(path, PathStyle::kWindows, CodePage::ShiftJis()), CString(kHyou932));
  EXPECT_EQ(GetBaseName(path, PathStyle::kWindows, CodePage::SingleByte()), CString(""));
  // 表 as the last character of a folder name.
  const CString folder("C:\\" + kHyou932 + "\\a.txt");
  EXPECT_EQ(GetBaseName(folder, PathStyle::kWindows, CodePage::ShiftJis()), CString("a"));
}

TEST(TargetNames, DestinationPath) {
  const struct {
    PathStyle style;
    const char* folder;
    const char* base;
    const char* extension;
    const char* path;
  } cases[] = {
      {PathStyle::kWindows, "D:\\out", "report", ".txt", "D:\\out\\report.txt"},
      {PathStyle::kWindows, "D:\\", "report", ".txt", "D:\\\\report.txt"},
      {PathStyle::kWindows, "D:\\out", "", ".txt", "D:\\out\\.txt"},
      {PathStyle::kPosix, "/out", "report", ".txt", "/out/report.txt"},
      {PathStyle::kPosix, "/", "report", ".txt", "//report.txt"},
      {PathStyle::kPosix, "/out", "", ".txt", "/out/.txt"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(MakeDestinationPath(row.folder, row.base, row.extension, row.style), CString(row.path)) << row.path;
  }
}

TEST(TargetNames, PlainFileNames) {
  const struct {
    PathStyle style;
    std::string name;
    bool plain;
  } cases[] = {
      {PathStyle::kPosix, "a.txt", true},
      {PathStyle::kPosix, ".txt", true},
      {PathStyle::kPosix, "a.b\\c", true},
      {PathStyle::kPosix, "a./../../x", false},
      {PathStyle::kPosix, "a/b", false},
      {PathStyle::kPosix, ".", false},
      {PathStyle::kPosix, "..", false},
      {PathStyle::kPosix, "...", true},
      {PathStyle::kWindows, ".\\..\\x", false},
      {PathStyle::kWindows, "a/b", false},
      {PathStyle::kWindows, "a.txt", true},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(IsPlainFileName(CString(row.name), row.style, CodePage::Utf8()), row.plain) << row.name;
  }
  // A stray lead byte does not hide the separator after it.
  EXPECT_FALSE(IsPlainFileName(CString("a\x81/x"), PathStyle::kPosix, CodePage::ShiftJis()));
  EXPECT_EQ(GetBaseName(CString("/src/d\x81/a.txt"), PathStyle::kPosix, CodePage::ShiftJis()), CString("a"));
  // In code page 932 the trail byte 0x5C of 表 is not a separator.
  EXPECT_TRUE(IsPlainFileName(CString("a." + kHyou932), PathStyle::kWindows, CodePage::ShiftJis()));
  EXPECT_FALSE(IsPlainFileName(CString("a." + kHyou932), PathStyle::kWindows, CodePage::SingleByte()));
}

}  // namespace
