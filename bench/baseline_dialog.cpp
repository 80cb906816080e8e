// The smallest honest Qt 6 dialog: the yardstick for Tolvane's start-up time and
// memory. It carries Japanese text, as Tolvane's window does, so that both pay
// for the same fonts and the comparison is about the program, not the script.
//
//   bench_baseline_dialog                   shows the dialog modally until closed
//   bench_baseline_dialog --quit-when-shown  closes itself once the window is up
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

int main(int argc, char** argv) {
  const bool quitWhenShown = argc > 1 && std::strcmp(argv[1], "--quit-when-shown") == 0;
  // SIGTERM keeps its default action: the process ends at once, as when killed.
  QApplication app(argc, argv);

  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("基準ダイアログ"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("変換後の拡張子:"), &dialog));
  layout->addWidget(new QLineEdit(QStringLiteral(".txt"), &dialog));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);

  // A zero timer fires once the modal loop runs, that is after the window was shown.
  if (quitWhenShown) QTimer::singleShot(0, &dialog, &QDialog::accept);
  dialog.exec();
  return 0;
}
