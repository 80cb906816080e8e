// Icon 130: a red arrow that bends down from a dark-blue ".xxx" label at the
// top left to a bright-green ".xx" label at the bottom right. 32 x 32 pixels
// in the standard 16-colour palette; one hex digit per pixel, "." transparent.
#include <array>
#include <cstdint>

#include "framework/resources.h"
#include "res/resource.h"

namespace {

constexpr int kSize = 32;

constexpr const char* kArt[kSize] = {
    "................................",
    "4444444444444444................",
    "4444444444444444................",
    "4444444444444444................",
    "4444F4F4F4F4F4F4................",
    "44444F444F444F44................",
    "44F4F4F4F4F4F4F4................",
    "4444444444444444................",
    "4444444444444444................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99.........................",
    ".....99............AAAAAAAAAAAAA",
    ".....99.......9....AAAAAAAAAAAAA",
    ".....99.......99...AAAAAAAAAAAAA",
    ".....99.......999..AAAAAAAAAAAAA",
    ".....9999999999999.AAAAA0A0A0A0A",
    ".....9999999999999.AAAAAA0AAA0AA",
    "..............999..AAA0A0A0A0A0A",
    "..............99...AAAAAAAAAAAAA",
    "..............9....AAAAAAAAAAAAA",
    "...................AAAAAAAAAAAAA",
    "................................",
    "................................",
};

constexpr std::uint32_t kPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr int Digit(char c) { return c == '.' ? 0 : (c <= '9' ? c - '0' : c - 'A' + 10); }

constexpr auto kPixels = [] {
  std::array<std::uint8_t, kSize * kSize / 2> bytes{};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const int i = y * kSize + x;
      bytes[i / 2] |= static_cast<std::uint8_t>(Digit(kArt[y][x]) << (i % 2 == 0 ? 4 : 0));
    }
  }
  return bytes;
}();

constexpr auto kMask = [] {
  std::array<std::uint8_t, kSize * kSize / 8> bytes{};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const int i = y * kSize + x;
      if (kArt[y][x] == '.') bytes[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
    }
  }
  return bytes;
}();

const IconResource kMainIcon{IDI_MAIN, kSize, kSize, kPalette, kPixels.data(), kMask.data()};

}  // namespace

HICON FindIconResource(UINT id) { return id == IDI_MAIN ? &kMainIcon : nullptr; }
