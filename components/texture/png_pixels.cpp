// PNG decoding through libpng's simplified reader, which converts every colour type and
// bit depth to 8-bit BGRA (the memory order of 0xAARRGGBB on this little-endian platform).
#include "png_pixels.h"

#include <png.h>

#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "BGRA bytes are read as 0xAARRGGBB");

bool DecodePng(std::span<const uint8_t> data, PngPixels* image, std::string* error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (data.empty() || !png_image_begin_read_from_memory(&png, data.data(), data.size())) {
    *error = data.empty() ? "empty file" : png.message;
    png_image_free(&png);
    return false;
  }
  if (png.width == 0 || png.height == 0 || png.width > maxPngSide || png.height > maxPngSide) {
    *error = "image size " + std::to_string(png.width) + " x " + std::to_string(png.height) +
             " outside 1.." + std::to_string(maxPngSide);
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> pixels(static_cast<size_t>(png.width) * png.height);
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    *error = png.message;
    png_image_free(&png);
    return false;
  }
  image->width = png.width;
  image->height = png.height;
  image->pixels = std::move(pixels);
  return true;
}
