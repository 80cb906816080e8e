// CString: a byte string in the active code page, with the framework string's
// counting rules. Lengths and positions are byte counts; Left and Right clamp
// their count to 0..length; Find and ReverseFind walk whole characters, so the
// second byte of a double-byte character never matches a single-byte one.
#pragma once

#include <string>
#include <string_view>

#include "framework/code_page.h"
#include "framework/win_defs.h"

class CString {
 public:
  CString() = default;
  // Bytes, taken as they are: text already in the active code page.
  CString(const char* bytes) : bytes_(bytes ? bytes : "") {}  // NOLINT(google-explicit-constructor)
  CString(std::string bytes) : bytes_(std::move(bytes)) {}    // NOLINT(google-explicit-constructor)
  CString(std::string_view bytes) : bytes_(bytes) {}          // NOLINT(google-explicit-constructor)
  // The program's own texts, written in UTF-8 in the source and converted to
  // the active code page here, once, when the string is made.
  CString(const char8_t* utf8);  // NOLINT(google-explicit-constructor)

  int GetLength() const { return static_cast<int>(bytes_.size()); }
  bool IsEmpty() const { return bytes_.empty(); }
  void Empty() { bytes_.clear(); }
  const char* GetString() const { return bytes_.c_str(); }
  const std::string& bytes() const { return bytes_; }

  // The first / last n bytes; n <= 0 gives "", n >= length the whole text.
  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first) const;

  // Position of the first ch at or after start, or -1. The walk always begins
  // at byte 0 so that start can never land inside a character.
  int Find(char ch, int start = 0) const { return Find(ch, start, ActiveCodePage()); }
  int Find(char ch, int start, const CodePage& codePage) const;
  // Position of the last ch, or -1.
  int ReverseFind(char ch) const { return ReverseFind(ch, ActiveCodePage()); }
  int ReverseFind(char ch, const CodePage& codePage) const;
  // Position of the first / last single-byte character that is one of chars, or -1.
  int FindOneOf(std::string_view chars, const CodePage& codePage) const;
  int ReverseFindOneOf(std::string_view chars, const CodePage& codePage) const;

  // Loads a string resource, converted to the active code page. False, and the
  // string left empty, when there is no such string.
  bool LoadString(UINT id);

  CString& operator+=(const CString& other) {
    bytes_ += other.bytes_;
    return *this;
  }
  friend CString operator+(CString left, const CString& right) { return left += right; }
  friend bool operator==(const CString& a, const CString& b) { return a.bytes_ == b.bytes_; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }

 private:
  // The first (or last) position at or after start whose character is a
  // single byte found in chars; the walk always begins at byte 0.
  int Search(std::string_view chars, int start, bool last, const CodePage& codePage) const;

  std::string bytes_;
};

// For test output and diagnostics.
std::ostream& operator<<(std::ostream& out, const CString& text);
