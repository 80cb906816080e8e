// Renders the program's icon (resource 130) as the PNG files the desktop's
// icon theme wants: icon_png <output folder> <size>... writes
// tolvane-<size>.png for each size. The art is 32 x 32 pixel art, so it is
// scaled by nearest neighbour: every output pixel is one source pixel, and
// the edges stay crisp and the transparency stays all-or-nothing.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/dialog_template.h"
#include "framework/resources.h"
#include "res/resource.h"

namespace {

std::vector<std::uint8_t> RenderRgba(const IconResource& icon, int size) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    // Sampling at the pixel centre spreads the dropped or doubled source rows
    // evenly over sizes that are not a multiple of the art's.
    const int sy = (2 * y + 1) * icon.height / (2 * size);
    for (int x = 0; x < size; ++x) {
      const int sx = (2 * x + 1) * icon.width / (2 * size);
      std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
      if (icon.IsTransparent(sx, sy)) continue;  // transparent black
      const std::uint32_t colour = icon.palette[icon.ColorIndex(sx, sy)];
      out[0] = static_cast<std::uint8_t>(colour >> 16);
      out[1] = static_cast<std::uint8_t>(colour >> 8);
      out[2] = static_cast<std::uint8_t>(colour);
      out[3] = 0xFF;
    }
  }
  return rgba;
}

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char type[4], const std::string& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  std::string typed(type, 4);
  typed += data;
  out += typed;
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
  PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

// An 8-bit RGBA PNG, every row with filter type 0.
bool EncodePng(const std::vector<std::uint8_t>& rgba, int size, std::string& png) {
  std::string raw;
  const std::size_t stride = static_cast<std::size_t>(size) * 4;
  for (int y = 0; y < size; ++y) {
    raw += '\0';
    raw.append(reinterpret_cast<const char*>(&rgba[y * stride]), stride);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK) {
    return false;
  }
  packed.resize(packedSize);

  std::string header;
  PutBigEndian(header, static_cast<std::uint32_t>(size));
  PutBigEndian(header, static_cast<std::uint32_t>(size));
  header += '\x08';  // bit depth
  header += '\x06';  // colour type: RGBA
  header.append(3, '\0');  // deflate, adaptive filtering, no interlace

  png.assign("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <output folder> <size>...\n", argv[0]);
    return 2;
  }
  const IconResource* icon = FindIconResource(IDI_MAIN);
  if (icon == nullptr) {
    std::fprintf(stderr, "icon %u is missing from the resources\n", IDI_MAIN);
    return 1;
  }
  const std::filesystem::path folder(argv[1]);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0 || size > 4096) {
      std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
      return 2;
    }
    std::string png;
    const std::filesystem::path file = folder / ("tolvane-" + std::to_string(size) + ".png");
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!EncodePng(RenderRgba(*icon, size), size, png) || !out.write(png.data(), static_cast<std::streamsize>(png.size()))) {
      std::fprintf(stderr, "cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
