#include "framework/code_page.h"

#include <cwchar>

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  }
  if (pos + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return 1;
  }
  return length;
}

std::size_t CLibrarySequenceLength(std::string_view text, std::size_t pos) {
  std::mbstate_t state{};
  const std::size_t n = std::mbrlen(text.data() + pos, text.size() - pos, &state);
  // Invalid, incomplete and NUL all count as a single byte.
  if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2) || n == 0) return 1;
  return n;
}

CodePage& Active() {
  static CodePage active = CodePage::Utf8();
  return active;
}

}  // namespace

bool CodePage::IsLeadByte(unsigned char byte) const {
  switch (kind_) {
    case Kind::kShiftJis:
      return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case Kind::kUtf8:
      return byte >= 0xC2 && byte <= 0xF4;
    case Kind::kSingleByte:
      return false;
    case Kind::kCLibrary: {
      std::mbstate_t state{};
      const char c = static_cast<char>(byte);
      return std::mbrlen(&c, 1, &state) == static_cast<std::size_t>(-2);
    }
  }
  return false;
}

std::size_t CodePage::CharLength(std::string_view text, std::size_t pos) const {
  if (pos >= text.size()) return 1;
  switch (kind_) {
    case Kind::kShiftJis: {
      if (!IsLeadByte(static_cast<unsigned char>(text[pos])) || pos + 1 >= text.size()) return 1;
      // Only a real trail byte joins the lead byte: a stray lead byte must
      // not hide the "/" or "." after it.
      const auto trail = static_cast<unsigned char>(text[pos + 1]);
      return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
    }
    case Kind::kUtf8:
      return Utf8SequenceLength(text, pos);
    case Kind::kSingleByte:
      return 1;
    case Kind::kCLibrary:
      return CLibrarySequenceLength(text, pos);
  }
  return 1;
}

const CodePage& ActiveCodePage() { return Active(); }

void SetActiveCodePage(const CodePage& codePage) { Active() = codePage; }
