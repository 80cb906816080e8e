// The icon files the theme gets, read back with libpng: every size there,
// square, with the art's colours where the art has them, a transparent
// background and no half-transparent edge.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  std::uint32_t Rgb(int x, int y) const {
    const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    return (p[0] << 16) | (p[1] << 8) | p[2];
  }
  int Alpha(int x, int y) const { return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3]; }
};

bool ReadPng(const std::string& path, Image& image, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    error = png.message;
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
    error = png.message;
    return false;
  }
  return true;
}

TEST(IconPngTest, EveryThemeSizeShowsTheArtOnATransparentBackground) {
  // Points of the 32 x 32 art, as fractions of the side so that they land on
  // the same feature at every size. Down to 16 pixels a sample lies at most
  // one art pixel from its point, so each point has its colour all around.
  struct Feature {
    const char* name;
    double x, y;  // art pixels
    int alpha;
    std::uint32_t rgb;  // for opaque points
  };
  const Feature features[] = {
      {"top-right corner", 31.5, 0.5, 0, 0},
      {"bottom-right corner", 31.5, 31.5, 0, 0},
      {"bottom-left corner", 0.5, 31.5, 0, 0},
      {"dark-blue label", 8.0, 2.0, 255, 0x000080},
      {"red arrow head", 15.0, 25.0, 255, 0xFF0000},
      {"bright-green label", 22.0, 22.0, 255, 0x00FF00},
      {"gap between the labels", 26.0, 6.0, 0, 0},
  };
  for (const int size : {TOLVANE_ICON_SIZES}) {
    SCOPED_TRACE("size " + std::to_string(size));
    Image image;
    std::string error;
    ASSERT_TRUE(ReadPng(std::string(TOLVANE_ICON_DIR) + "/tolvane-" + std::to_string(size) + ".png", image, error))
        << error;
    ASSERT_EQ(image.width, size);
    ASSERT_EQ(image.height, size);
    for (const Feature& feature : features) {
      const int x = static_cast<int>(feature.x * size / 32);
      const int y = static_cast<int>(feature.y * size / 32);
      EXPECT_EQ(image.Alpha(x, y), feature.alpha) << feature.name;
      if (feature.alpha == 255) {
        EXPECT_EQ(image.Rgb(x, y), feature.rgb) << feature.name;
      }
    }
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const int alpha = image.Alpha(x, y);
        ASSERT_TRUE(alpha == 0 || alpha == 255) << "alpha " << alpha << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
