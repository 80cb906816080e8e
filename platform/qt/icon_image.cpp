#include "platform/qt/icon_image.h"

#include <QImage>

#include "framework/dialog_template.h"

QImage IconImage(HICON icon) {
  if (icon == nullptr) return {};
  QImage image(icon->width, icon->height, QImage::Format_ARGB32);
  for (int y = 0; y < icon->height; ++y) {
    for (int x = 0; x < icon->width; ++x) {
      const QRgb color = icon->IsTransparent(x, y) ? qRgba(0, 0, 0, 0) : (0xFF000000u | icon->palette[icon->ColorIndex(x, y)]);
      image.setPixel(x, y, color);
    }
  }
  return image;
}

QPixmap IconPixmap(HICON icon) { return QPixmap::fromImage(IconImage(icon)); }
