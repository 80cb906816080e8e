#include "platform/qt/dialog_units.h"

#include <QFontMetrics>
#include <QStringList>

#include "platform/qt/text_bridge.h"

namespace {

// Rounds like the platform's MulDiv: halves away from zero.
int MulDiv(int number, int numerator, int denominator) {
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

QFont DialogFont(const DialogTemplate& dialogTemplate) {
  QFont font;
  // IPA P Gothic has the metrics of the proportional Gothic face the dialogs
  // were designed with; Noto Sans CJK JP is wider but always has the glyphs.
  font.setFamilies({ToQString(dialogTemplate.fontFace), QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
  // Points at the 96 pixels per inch the layout was made for; the toolkit
  // scales whole windows on denser screens.
  font.setPixelSize(MulDiv(dialogTemplate.pointSize, 96, 72));
  font.setItalic(dialogTemplate.italic);
  if (dialogTemplate.weight >= 700) font.setBold(true);
  return font;
}

BaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(width + 26) / 52, metrics.height()};
}

QRect DialogUnitsToPixels(const BaseUnits& units, int x, int y, int cx, int cy) {
  return QRect(MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4), MulDiv(cy, units.y, 8));
}
