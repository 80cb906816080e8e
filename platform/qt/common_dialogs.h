// The boxes and dialogs the program asks for by settings: message boxes, the
// open-file dialog and the folder chooser. Each is owned by the given widget
// (disabled while it is up) or, without one, leaves every window usable.
#pragma once

#include <QString>
#include <optional>

#include "framework/window_system.h"

class QWidget;

int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption, UINT type);
std::optional<CString> ShowOpenFileDialog(QWidget* owner, const OpenFileRequest& request);
std::optional<CString> ShowFolderChooser(QWidget* owner, const FolderRequest& request);
