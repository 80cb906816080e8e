// Code page conversion through iconv.
#include <iconv.h>

#include <cerrno>
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

}  // namespace

std::string CodePageToUtf8(std::string_view text, const CodePage& codePage) {
  if (codePage.kind() == CodePage::Kind::kUtf8) return std::string(text);
  return Convert(text, codePage, "UTF-8", "\xEF\xBF\xBD");
}

std::string Utf8ToCodePage(std::string_view utf8, const CodePage& codePage) {
  if (codePage.kind() == CodePage::Kind::kUtf8) return std::string(utf8);
  return Convert(utf8, CodePage::Utf8(), codePage.charset().c_str(), "?");
}
