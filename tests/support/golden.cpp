// PNG reading and writing with libpng, image comparison and the golden-image workflow.
#include "golden.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

namespace kelvane::test {

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

constexpr int kMaxDimension = 16384;

}  // namespace

bool readPng(const std::string& path, Image* image, std::string* error) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    *error = "cannot open " + path;
    return false;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  // The simplified API reads from a FILE* and converts any PNG to 8-bit BGRA.
  if (!png_image_begin_read_from_stdio(&png, file.get())) {
    *error = path + ": " + png.message;
    return false;
  }
  if (png.width == 0 || png.height == 0 || png.width > kMaxDimension || png.height > kMaxDimension) {
    png_image_free(&png);
    *error = path + ": unsupported size";
    return false;
  }
  png.format = PNG_FORMAT_BGRA;
  image->width = static_cast<int>(png.width);
  image->height = static_cast<int>(png.height);
  image->pixels.assign(static_cast<size_t>(png.width) * png.height, 0);
  if (!png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr)) {
    *error = path + ": " + png.message;
    png_image_free(&png);
    return false;
  }
  return true;  // BGRA bytes in memory are 0xAARRGGBB words on a little-endian machine
}

bool writePng(const std::string& path, const Image& image, std::string* error) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_BGR;
  // Opaque RGB output: the frame buffers have no meaningful alpha.
  std::vector<uint8_t> rgb(static_cast<size_t>(image.width) * image.height * 3);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    rgb[3 * i] = static_cast<uint8_t>(image.pixels[i]);
    rgb[3 * i + 1] = static_cast<uint8_t>(image.pixels[i] >> 8);
    rgb[3 * i + 2] = static_cast<uint8_t>(image.pixels[i] >> 16);
  }
  if (!png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr)) {
    *error = path + ": " + png.message;
    return false;
  }
  return true;
}

Difference compareImages(const Image& expected, const Image& actual, int level) {
  Difference d;
  d.image.width = actual.width;
  d.image.height = actual.height;
  d.image.pixels.assign(actual.pixels.size(), 0xFF000000u);
  double sum = 0.0;
  for (size_t i = 0; i < actual.pixels.size() && i < expected.pixels.size(); ++i) {
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int a = static_cast<int>((expected.pixels[i] >> shift) & 0xFF);
      const int b = static_cast<int>((actual.pixels[i] >> shift) & 0xFF);
      worst = std::max(worst, std::abs(a - b));
      sum += static_cast<double>(a - b) * (a - b);
    }
    if (worst > level) ++d.pixelsOver;
    d.largest = std::max(d.largest, worst);
    const uint32_t shown = static_cast<uint32_t>(std::min(255, worst * 8));
    d.image.pixels[i] = 0xFF000000u | (shown << 16) | (shown << 8) | shown;
  }
  d.meanSquaredError = actual.pixels.empty() ? 0.0 : sum / (3.0 * actual.pixels.size());
  return d;
}

std::string writeTestOutput(const std::string& fileName, const Image& image) {
  const std::string path = std::string(KELVANE_TEST_OUTPUT_DIR) + "/" + fileName;
  std::string error;
  if (!writePng(path, image, &error)) return "(not written: " + error + ")";
  return path;
}

::testing::AssertionResult imagesAgree(const std::string& name, const Image& expected, const Image& actual,
                                       const Tolerance& tolerance) {
  if (expected.width != actual.width || expected.height != actual.height)
    return ::testing::AssertionFailure() << name << ": sizes differ";
  const Difference d = compareImages(expected, actual, tolerance.level);
  if (d.pixelsOver <= tolerance.maxPixelsOver && d.meanSquaredError <= tolerance.maxMeanSquaredError)
    return ::testing::AssertionSuccess();
  std::ostringstream message;
  message << name << ": " << d.pixelsOver << " pixels off by more than " << tolerance.level << " (allowed "
          << tolerance.maxPixelsOver << "), mean squared error " << d.meanSquaredError << " (allowed "
          << tolerance.maxMeanSquaredError << "), largest difference " << d.largest << "; wrote "
          << writeTestOutput(name + ".expected.png", expected) << ", "
          << writeTestOutput(name + ".actual.png", actual) << ", " << writeTestOutput(name + ".diff.png", d.image);
  return ::testing::AssertionFailure() << message.str();
}

::testing::AssertionResult matchesGolden(const std::string& name, const Image& actual, const Tolerance& tolerance,
                                         bool independentCheckPassed) {
  const std::string path = std::string(KELVANE_GOLDEN_DIR) + "/" + name + ".png";
  if (!std::filesystem::exists(path)) {
    const char* update = std::getenv("KELVANE_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
      if (!independentCheckPassed)
        return ::testing::AssertionFailure() << name << ": golden not written, the independent check failed";
      std::string error;
      if (!writePng(path, actual, &error)) return ::testing::AssertionFailure() << error;
      return ::testing::AssertionSuccess() << "wrote " << path;
    }
    return ::testing::AssertionFailure() << "missing golden " << path << " (actual image: "
                                         << writeTestOutput(name + ".actual.png", actual)
                                         << "; run with KELVANE_UPDATE_GOLDEN=1 to accept it)";
  }
  Image golden;
  std::string error;
  if (!readPng(path, &golden, &error)) return ::testing::AssertionFailure() << error;
  return imagesAgree(name, golden, actual, tolerance);
}

}  // namespace kelvane::test
