// Code page conversion through iconv, and the system code page from the locale.
#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>

#include "framework/code_page.h"

namespace {

// Converts text from the code page `source` describes; a character with no
// counterpart (or a malformed one) becomes one replacement, and the whole
// character is passed over, not just its first byte.
std::string Convert(std::string_view text, const CodePage& source, const char* to, std::string_view replacement) {
  iconv_t cd = iconv_open(to, source.charset().c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string out;
  std::string buffer(4 * text.size() + 16, '\0');
  const auto drain = [&](char* outPtr) { out.append(buffer.data(), static_cast<std::size_t>(outPtr - buffer.data())); };
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    drain(outPtr);
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.append(replacement);
      const std::size_t skip = source.CharLength(text, static_cast<std::size_t>(in - text.data()));
      in += skip;
      inLeft -= skip;
    }
  }
  // Ends any shift state the output is left in.
  char* outPtr = buffer.data();
  std::size_t outLeft = buffer.size();
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  drain(outPtr);
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
  return Convert(text, codePage, "UTF-8", "\xEF\xBF\xBD");
}

std::string Utf8ToCodePage(std::string_view utf8, const CodePage& codePage) {
  if (codePage.kind() == CodePage::Kind::kUtf8) return std::string(utf8);
  return Convert(utf8, CodePage::Utf8(), codePage.charset().c_str(), "?");
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
