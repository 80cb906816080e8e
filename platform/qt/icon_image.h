// Icon resources (palette, four-bit pixels, transparency mask) as toolkit images.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "framework/win_defs.h"

QImage IconImage(HICON icon);
QPixmap IconPixmap(HICON icon);
