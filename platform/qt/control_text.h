// Text of list items and edit boxes. The program's bytes are kept beside the
// shown Unicode text, so that what the program put in comes back byte for
// byte even where the code page has no exact Unicode counterpart.
#pragma once

#include <QWidget>

#include "framework/cstring.h"

class QListWidget;
class QListWidgetItem;

QListWidgetItem* NewListItem(const CString& text);
CString ListItemText(const QListWidgetItem& item);

// Window text of a line edit, button, label or top-level window.
CString WidgetText(const QWidget& widget);
void SetWidgetText(QWidget& widget, const CString& text);
