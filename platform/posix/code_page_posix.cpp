// Code page conversion through iconv, and the system code page from the locale.
#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>

#include "framework/code_page.h"

namespace {

std::string Convert(std::string_view text, const char* from, const char* to, std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string out;
  std::string buffer(4 * text.size() + 16, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    if (rc == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // An invalid or incomplete sequence: mark it and go on with the next byte.
      out.append(replacement);
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return out;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string CodePageToUtf8(std::string_view text, const CodePage& codePage) {
  if (codePage.kind() == CodePage::Kind::kUtf8) return std::string(text);
  return Convert(text, codePage.charset().c_str(), "UTF-8", "\xEF\xBF\xBD");
}

std::string Utf8ToCodePage(std::string_view utf8, const CodePage& codePage) {
  if (codePage.kind() == CodePage::Kind::kUtf8) return std::string(utf8);
  return Convert(utf8, "UTF-8", codePage.charset().c_str(), "?");
}

CodePage SystemCodePage() {
  std::setlocale(LC_ALL, "");
  const std::string charset = Upper(nl_langinfo(CODESET));
  if (charset == "UTF-8" || charset == "UTF8") return CodePage::Utf8();
  // The C locale says ASCII, but file names on this system are UTF-8 by
  // convention, and so is everything the toolkit hands us.
  if (charset == "ANSI_X3.4-1968" || charset == "ASCII" || charset == "US-ASCII") return CodePage::Utf8();
  if (charset == "SHIFT_JIS" || charset == "SJIS" || charset == "CP932" || charset == "WINDOWS-31J") {
    return CodePage::ShiftJis();
  }
  if (charset.rfind("ISO-8859-", 0) == 0 || charset.rfind("CP125", 0) == 0 || charset == "KOI8-R") {
    return CodePage::SingleByte(0, charset);
  }
  return CodePage::CLibrary(charset);
}
