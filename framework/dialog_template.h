// Dialog templates and icons as plain data. The resources hold them; each
// window backend turns them into real windows.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/win_defs.h"

enum class ControlClass { kButton, kEdit, kStatic, kListBox };

struct DialogItemTemplate {
  int id;  // -1 for controls the program never addresses
  ControlClass controlClass;
  const char8_t* text;  // UTF-8; empty for list and edit boxes
  int x, y, cx, cy;     // dialog units
  DWORD style;
  UINT iconId = 0;  // for SS_ICON statics: the icon given by resource number
};

struct DialogTemplate {
  UINT id;
  bool extended;  // extended template (carries a help id)
  DWORD helpId;
  const char8_t* caption;
  int x, y, cx, cy;  // dialog units
  DWORD style;
  DWORD exStyle;
  const char8_t* fontFace;
  int pointSize;
  int weight;
  bool italic;
  int charset;
  std::vector<DialogItemTemplate> items;  // template order: creation and tab order
};

// A 16-colour icon image as the resources store it: a colour index per pixel
// (four bits, rows top down) and a transparency mask (one bit per pixel, set
// where the background shows through).
struct IconResource {
  UINT id;
  int width;
  int height;
  const std::uint32_t* palette;  // 16 entries, 0x00RRGGBB
  const std::uint8_t* pixels;    // width * height / 2 bytes, high nibble first
  const std::uint8_t* mask;      // width * height / 8 bytes, most significant bit first

  int ColorIndex(int x, int y) const {
    const std::uint8_t byte = pixels[(y * width + x) / 2];
    return (x % 2 == 0) ? byte >> 4 : byte & 0x0F;
  }
  bool IsTransparent(int x, int y) const {
    return (mask[(y * width + x) / 8] >> (7 - (x % 8))) & 1;
  }
};
