#include "framework/cstring.h"

#include <algorithm>
#include <ostream>

#include "framework/resources.h"

CString::CString(const char8_t* utf8) {
  if (utf8 == nullptr) return;
  const std::string_view text(reinterpret_cast<const char*>(utf8));
  bytes_ = ActiveCodePage().kind() == CodePage::Kind::kUtf8 ? std::string(text)
                                                           : Utf8ToCodePage(text, ActiveCodePage());
}

CString CString::Left(int count) const {
  const int n = std::clamp(count, 0, GetLength());
  return CString(bytes_.substr(0, static_cast<std::size_t>(n)));
}

CString CString::Right(int count) const {
  const int n = std::clamp(count, 0, GetLength());
  return CString(bytes_.substr(bytes_.size() - static_cast<std::size_t>(n)));
}

CString CString::Mid(int first) const {
  const int from = std::clamp(first, 0, GetLength());
  return CString(bytes_.substr(static_cast<std::size_t>(from)));
}

int CString::Search(std::string_view chars, int start, bool last, const CodePage& codePage) const {
  const std::string_view text(bytes_);
  int found = -1;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = codePage.CharLength(text, pos);
    if (length == 1 && static_cast<int>(pos) >= start && chars.find(text[pos]) != std::string_view::npos) {
      found = static_cast<int>(pos);
      if (!last) break;
    }
    pos += length;
  }
  return found;
}

int CString::Find(char ch, int start, const CodePage& codePage) const {
  return Search(std::string_view(&ch, 1), start, false, codePage);
}

int CString::ReverseFind(char ch, const CodePage& codePage) const {
  return Search(std::string_view(&ch, 1), 0, true, codePage);
}

int CString::FindOneOf(std::string_view chars, const CodePage& codePage) const {
  return Search(chars, 0, false, codePage);
}

int CString::ReverseFindOneOf(std::string_view chars, const CodePage& codePage) const {
  return Search(chars, 0, true, codePage);
}

bool CString::LoadString(UINT id) {
  const char8_t* text = FindStringResource(id);
  *this = text ? CString(text) : CString();
  return text != nullptr;
}

std::ostream& operator<<(std::ostream& out, const CString& text) { return out << text.bytes(); }
