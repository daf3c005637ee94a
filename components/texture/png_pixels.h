// Decoding a PNG file held in memory into 32-bit 0xAARRGGBB pixels, top row first.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct PngPixels {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint32_t> pixels;
};

// Largest side accepted; the device takes no larger texture.
inline constexpr uint32_t maxPngSide = 4096;

// False with a reason in `error` for data that is not a PNG, is damaged, or is empty or
// larger than maxPngSide on a side; `image` is then untouched.
bool DecodePng(std::span<const uint8_t> data, PngPixels* image, std::string* error);
