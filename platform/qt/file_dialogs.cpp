// Qt's own file dialog, not the desktop's: only the toolkit's widget dialog
// honours every setting the program gives (default suffix, a typed name that
// need not exist, the file-name box filled in, the title) on every desktop,
// and it can be found and driven from a test while it is up.
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>

#include "platform/qt/common_dialogs.h"
#include "platform/qt/owned_window.h"
#include "platform/qt/text_bridge.h"

namespace {

// "*.*" stands for every file on the desktop this program comes from, also
// those without an extension; the toolkit would take it literally.
QStringList ToolkitPatterns(const CString& pattern) {
  QStringList patterns;
  for (const QString& part : ToQString(pattern).split(u';', Qt::SkipEmptyParts)) {
    const QString trimmed = part.trimmed();
    patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
  }
  return patterns;
}

// A file dialog that lists by the program's patterns while showing its
// filter texts unchanged.
class OpenFileDialog : public QFileDialog {
 public:
  explicit OpenFileDialog(const OpenFileRequest& request) {
    for (const OpenFileRequest::Filter& filter : request.filters) {
      texts_ << ToQString(filter.description);
      patterns_ << ToolkitPatterns(filter.pattern);
    }
    setNameFilters(texts_);
    connect(this, &QFileDialog::filterSelected, this, [this](const QString& text) { UsePatternsOf(text); });
    if (!texts_.isEmpty()) UsePatternsOf(texts_.front());
  }

 private:
  void UsePatternsOf(const QString& text) {
    const qsizetype index = texts_.indexOf(text);
    auto* model = findChild<QFileSystemModel*>();
    if (index < 0 || model == nullptr) return;
    model->setNameFilters(patterns_.at(index));
  }

  QStringList texts_;
  QList<QStringList> patterns_;
};

}  // namespace

namespace {

// The chosen path as the program's bytes. The toolkit decodes file names as
// UTF-8; a name that was not valid UTF-8 comes back with replacement
// characters and names some other file, or none, so it is not taken.
std::optional<CString> ChosenPath(const QString& path) {
  if (path.contains(QChar::ReplacementCharacter)) return std::nullopt;
  return FromQString(QDir::toNativeSeparators(path));
}

}  // namespace

std::optional<CString> ShowOpenFileDialog(QWidget* owner, const OpenFileRequest& request) {
  OpenFileDialog dialog(request);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(request.openKind ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  // Neither the file nor its folder has to exist; one file per opening.
  dialog.setFileMode((request.flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(ToQString(request.defaultExtension));
  dialog.setWindowTitle(request.title.IsEmpty() ? QStringLiteral("開く") : ToQString(request.title));
  dialog.setDirectory(ToQString(request.initialDirectory));
  if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    name->setText(ToQString(request.initialFileName));
  }
  if (RunOwnedDialog(dialog, owner) != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return ChosenPath(files.front());
}

std::optional<CString> ShowFolderChooser(QWidget* owner, const FolderRequest& request) {
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  dialog.setWindowTitle(ToQString(request.prompt));
  dialog.setLabelText(QFileDialog::LookIn, ToQString(request.prompt));
  // No folder is chosen for the user: the tree starts at the home folder
  // with nothing selected.
  dialog.setDirectory(QDir::homePath());
  if (RunOwnedDialog(dialog, owner) != QDialog::Accepted) return std::nullopt;
  const QStringList folders = dialog.selectedFiles();
  if (folders.isEmpty()) return std::nullopt;
  return ChosenPath(QFileInfo(folders.front()).absoluteFilePath());
}
