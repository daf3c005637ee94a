// An OpenGL context of Mesa's software renderer without a display (EGL on the
// surfaceless platform, drawing into a pbuffer), the peer the device is compared with.
#pragma once

#include <string>

#include "golden.h"

namespace kelvane::test {

class MesaContext {
 public:
  MesaContext(int width, int height);
  ~MesaContext();
  MesaContext(const MesaContext&) = delete;
  MesaContext& operator=(const MesaContext&) = delete;

  // False with a reason when no context could be made.
  bool ok() const { return ok_; }
  const std::string& failure() const { return failure_; }
  std::string renderer() const;
  int width() const { return width_; }
  int height() const { return height_; }

  // Reads the colour buffer, top row first.
  Image read() const;

 private:
  int width_, height_;
  bool ok_ = false;
  std::string failure_;
  void* display_ = nullptr;
  void* context_ = nullptr;
  void* surface_ = nullptr;
};

}  // namespace kelvane::test
