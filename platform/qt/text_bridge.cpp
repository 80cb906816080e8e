#include "platform/qt/text_bridge.h"

#include <string>

#include "framework/code_page.h"

QString ToQString(const CString& text) {
  const std::string utf8 = CodePageToUtf8(text.bytes(), ActiveCodePage());
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ToQString(const char8_t* utf8) {
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8));
}

CString FromQString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return CString(Utf8ToCodePage(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                                ActiveCodePage()));
}
