#include "platform/qt/control_text.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>

#include "platform/qt/text_bridge.h"

namespace {

constexpr int kBytesRole = Qt::UserRole + 1;
constexpr char kBytesProperty[] = "tolvaneBytes";
constexpr char kShownProperty[] = "tolvaneShown";

QByteArray Bytes(const CString& text) {
  return QByteArray(text.bytes().data(), static_cast<qsizetype>(text.bytes().size()));
}

CString FromBytes(const QByteArray& bytes) {
  return CString(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString ShownText(const QWidget& widget) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  return widget.windowTitle();
}

void SetShownText(QWidget& widget, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    edit->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
    label->setText(text);
  } else {
    widget.setWindowTitle(text);
  }
}

}  // namespace

QListWidgetItem* NewListItem(const CString& text) {
  auto* item = new QListWidgetItem(ToQString(text));
  item->setData(kBytesRole, Bytes(text));
  return item;
}

CString ListItemText(const QListWidgetItem& item) {
  const QVariant bytes = item.data(kBytesRole);
  return bytes.isValid() ? FromBytes(bytes.toByteArray()) : FromQString(item.text());
}

CString WidgetText(const QWidget& widget) {
  const QString shown = ShownText(widget);
  // Unchanged since the program set it: give back exactly its bytes.
  if (widget.property(kShownProperty).toString() == shown && widget.property(kBytesProperty).isValid()) {
    return FromBytes(widget.property(kBytesProperty).toByteArray());
  }
  return FromQString(shown);
}

void SetWidgetText(QWidget& widget, const CString& text) {
  const QString shown = ToQString(text);
  SetShownText(widget, shown);
  widget.setProperty(kShownProperty, ShownText(widget));
  widget.setProperty(kBytesProperty, Bytes(text));
}
