// Multibyte code pages: which bytes form one character, and the conversion of
// text to and from UTF-8 that the window backends need at the toolkit edge.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CodePage {
 public:
  enum class Kind {
    kShiftJis,    // code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC
    kUtf8,        // code page 65001
    kSingleByte,  // every byte one character
    kCLibrary,    // whatever the C library's current locale says (mbrlen)
  };

  static CodePage ShiftJis() { return CodePage(Kind::kShiftJis, 932, "CP932"); }
  static CodePage Utf8() { return CodePage(Kind::kUtf8, 65001, "UTF-8"); }
  static CodePage SingleByte(unsigned id = 1252, std::string charset = "CP1252") {
    return CodePage(Kind::kSingleByte, id, std::move(charset));
  }
  static CodePage CLibrary(std::string charset) { return CodePage(Kind::kCLibrary, 0, std::move(charset)); }

  Kind kind() const { return kind_; }
  unsigned id() const { return id_; }
  // The name the C library's converters know this code page by.
  const std::string& charset() const { return charset_; }

  // Byte length of the character that starts at text[pos]: at least 1, never
  // reaching past the end of text. A malformed sequence counts as one byte, so
  // it can never swallow a following "/", "\" or ".".
  std::size_t CharLength(std::string_view text, std::size_t pos) const;

  bool IsLeadByte(unsigned char byte) const;

 private:
  CodePage(Kind kind, unsigned id, std::string charset) : kind_(kind), id_(id), charset_(std::move(charset)) {}

  Kind kind_;
  unsigned id_;
  std::string charset_;
};

// The code page all program text is in. The platform's start-up chooses it
// once (on Qt, UTF-8: the toolkit's own rule for file names); tests choose
// one explicitly.
const CodePage& ActiveCodePage();
void SetActiveCodePage(const CodePage& codePage);

// Sets a code page for the lifetime of the object, then puts the old one back.
class ScopedCodePage {
 public:
  explicit ScopedCodePage(const CodePage& codePage) : saved_(ActiveCodePage()) { SetActiveCodePage(codePage); }
  ~ScopedCodePage() { SetActiveCodePage(saved_); }
  ScopedCodePage(const ScopedCodePage&) = delete;
  ScopedCodePage& operator=(const ScopedCodePage&) = delete;

 private:
  CodePage saved_;
};

// Conversions at the toolkit edge. Bytes that have no counterpart become a
// replacement character rather than being dropped silently. Provided by the
// platform layer.
std::string CodePageToUtf8(std::string_view text, const CodePage& codePage);
std::string Utf8ToCodePage(std::string_view utf8, const CodePage& codePage);
