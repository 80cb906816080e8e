// Text at the toolkit edge: the program's strings are bytes in the active code
// page, the toolkit's are Unicode. Nothing outside the backend converts.
#pragma once

#include <QString>

#include "framework/cstring.h"

QString ToQString(const CString& text);
QString ToQString(const char8_t* utf8);
CString FromQString(const QString& text);
