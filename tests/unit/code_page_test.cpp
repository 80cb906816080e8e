// Counting rules of the byte string in each code page.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "framework/cstring.h"

namespace {

TEST(CString, LeftAndRightClamp) {
  const CString text("abcdef");
  const struct {
    int count;
    const char* left;
    const char* right;
  } cases[] = {{-3, "", ""}, {0, "", ""}, {2, "ab", "ef"}, {6, "abcdef", "abcdef"}, {99, "abcdef", "abcdef"}};
  for (const auto& row : cases) {
    EXPECT_EQ(text.Left(row.count), CString(row.left)) << row.count;
    EXPECT_EQ(text.Right(row.count), CString(row.right)) << row.count;
  }
}

TEST(CodePage, CharacterLengths) {
  const struct {
    const char* name;
    CodePage codePage;
    std::string text;
    std::vector<std::size_t> lengths;  // of each character in turn
  } cases[] = {
      {"cp932 kanji with 0x5C trail", CodePage::ShiftJis(), "\x95\x5C" "a", {2, 1}},
      {"cp932 half-width katakana", CodePage::ShiftJis(), "\xCA\xDE", {1, 1}},
      {"cp932 lead byte at the end", CodePage::ShiftJis(), "a\x95", {1, 1}},
      {"cp932 upper lead range", CodePage::ShiftJis(), "\xE0\x40\xFC\x5C", {2, 2}},
      {"cp932 stray lead before a separator", CodePage::ShiftJis(), "\x81/.", {1, 1, 1}},
      {"cp932 lead before a control byte", CodePage::ShiftJis(), "\x95\x0A", {1, 1}},
      {"utf8 three-byte", CodePage::Utf8(), "\xE8\xA1\xA8/", {3, 1}},
      {"utf8 four-byte", CodePage::Utf8(), "\xF0\x9F\x98\x80.", {4, 1}},
      {"utf8 truncated sequence", CodePage::Utf8(), "\xE8\xA1", {1, 1}},
      {"utf8 lead then separator", CodePage::Utf8(), "\xE8/.", {1, 1, 1}},
      {"single byte", CodePage::SingleByte(), "\x95\x5C", {1, 1}},
  };
  for (const auto& row : cases) {
    std::vector<std::size_t> lengths;
    for (std::size_t pos = 0; pos < row.text.size(); pos += row.codePage.CharLength(row.text, pos)) {
      lengths.push_back(row.codePage.CharLength(row.text, pos));
    }
    EXPECT_EQ(lengths, row.lengths) << row.name;
  }
}

TEST(CString, FindStepsOverDoubleByteCharacters) {
  // 表 (0x95 0x5C) then "\" then "x.y".
  const CString path("\x95\x5C\\x.y");
  EXPECT_EQ(path.Find('\\', 0, CodePage::ShiftJis()), 2);
  EXPECT_EQ(path.Find('\\', 0, CodePage::SingleByte()), 1);
  EXPECT_EQ(path.ReverseFind('\\', CodePage::ShiftJis()), 2);
  EXPECT_EQ(CString("\x95\x5C").ReverseFind('\\', CodePage::ShiftJis()), -1);
  EXPECT_EQ(path.Find('.', 0, CodePage::ShiftJis()), 4);
  EXPECT_EQ(path.Find('.', 5, CodePage::ShiftJis()), -1);
  EXPECT_EQ(CString("a.b.c").ReverseFind('.', CodePage::Utf8()), 3);
}

TEST(CString, ProgramTextsFollowTheActiveCodePage) {
  {
    ScopedCodePage cp(CodePage::ShiftJis());
    EXPECT_EQ(CString(u8"表"), CString("\x95\x5C"));
    EXPECT_EQ(CString(u8"上書き").GetLength(), 6);
  }
  {
    ScopedCodePage cp(CodePage::Utf8());
    EXPECT_EQ(CString(u8"表"), CString("\xE8\xA1\xA8"));
  }
}

TEST(CodePage, ConversionRoundTripsJapanese) {
  const std::string utf8 = "\xE8\xA1\xA8\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88";  // 表テキスト
  const std::string sjis = Utf8ToCodePage(utf8, CodePage::ShiftJis());
  EXPECT_EQ(sjis, "\x95\x5C\x83\x65\x83\x4C\x83\x58\x83\x67");
  EXPECT_EQ(CodePageToUtf8(sjis, CodePage::ShiftJis()), utf8);
  // A byte with no meaning in the code page is replaced, not dropped.
  EXPECT_EQ(CodePageToUtf8("a\xFF" "b", CodePage::ShiftJis()), "a\xEF\xBF\xBD" "b");
  // A character the code page lacks becomes one "?", however many bytes it has.
  EXPECT_EQ(Utf8ToCodePage("a\xF0\x9F\x98\x80" "b", CodePage::ShiftJis()), "a?b");
  EXPECT_EQ(Utf8ToCodePage("\xE2\x82\xAC.txt", CodePage::SingleByte(28591, "ISO-8859-1")), "?.txt");
  // Malformed input at the end does not hang or run past it.
  EXPECT_EQ(Utf8ToCodePage("ab\xE8\xA1", CodePage::ShiftJis()), "ab??");
  EXPECT_EQ(CodePageToUtf8("ab\x95", CodePage::ShiftJis()), "ab\xEF\xBF\xBD");
}

TEST(CodePage, CLibraryFollowsTheLocale) {
  const char* previous = std::setlocale(LC_CTYPE, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
  const CodePage cp = CodePage::CLibrary("UTF-8");
  EXPECT_EQ(cp.CharLength("\xE8\xA1\xA8", 0), 3u);
  EXPECT_EQ(cp.CharLength("\xE8/", 0), 1u);
  EXPECT_EQ(CString("\xE8\xA1\xA8/").Find('/', 0, cp), 3);
  std::setlocale(LC_CTYPE, saved.c_str());
}

}  // namespace
