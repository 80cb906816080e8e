// Dialog units to pixels. A template measures its controls in quarters of the
// dialog font's average character width and eighths of its height, so the
// layout follows the font the dialog is shown with.
#pragma once

#include <QFont>
#include <QRect>

#include "framework/dialog_template.h"

struct BaseUnits {
  int x;  // average width of "A".."Z" "a".."z", rounded
  int y;  // font height
};

// The template's face, then the installed faces that stand in for it.
QFont DialogFont(const DialogTemplate& dialogTemplate);
BaseUnits BaseUnitsOf(const QFont& font);
QRect DialogUnitsToPixels(const BaseUnits& units, int x, int y, int cx, int cy);
