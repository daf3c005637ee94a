// Golden-image support for tests: PNG files, comparison by tolerance, and the reference
// images in tests/golden.
//
// A golden image is compared, never hashed. On a mismatch the actual image and a
// difference image are written to build/test-output/. To create or regenerate a golden
// image, delete it and run the test with KELVANE_UPDATE_GOLDEN=1: the image is written
// only when the test's independent check (hand-computed pixels or the Mesa peer) passed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kelvane::test {

// 32-bit 0xAARRGGBB pixels, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

bool readPng(const std::string& path, Image* image, std::string* error);
bool writePng(const std::string& path, const Image& image, std::string* error);

struct Tolerance {
  int level = 3;             // a channel may differ by this much without counting
  int maxPixelsOver = 0;     // pixels allowed beyond `level`
  double maxMeanSquaredError = 0.5;  // over all colour channels, in levels squared
};

struct Difference {
  int pixelsOver = 0;
  double meanSquaredError = 0.0;
  int largest = 0;
  Image image;  // per-pixel largest channel difference, scaled for viewing
};

// Red, green and blue are compared; alpha is not (the frame buffer has none).
Difference compareImages(const Image& expected, const Image& actual, int level);

// Writes `image` under the test output folder; returns the path.
std::string writeTestOutput(const std::string& fileName, const Image& image);

// Compares `actual` with tests/golden/<name>.png within `tolerance`.
::testing::AssertionResult matchesGolden(const std::string& name, const Image& actual, const Tolerance& tolerance,
                                         bool independentCheckPassed);

// Compares two renders of the same scene within `tolerance`; on failure both and their
// difference are written under the test output folder as <name>.<label>.png.
::testing::AssertionResult imagesAgree(const std::string& name, const Image& expected, const Image& actual,
                                       const Tolerance& tolerance);

}  // namespace kelvane::test
