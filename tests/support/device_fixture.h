// A software device for tests, without a window, and the matrices tests build by hand
// (row vectors, left-handed, as the device expects).
#pragma once

#include <cmath>

#include "d3d8/d3d8.h"
#include "d3d8/software_device.h"
#include "golden.h"

namespace kelvane::test {

class TestDevice {
 public:
  TestDevice(int width, int height, D3DFORMAT depthFormat = D3DFMT_D24S8);
  ~TestDevice();
  TestDevice(const TestDevice&) = delete;
  TestDevice& operator=(const TestDevice&) = delete;

  bool ok() const { return device_ != nullptr; }
  IDirect3DDevice8* operator->() const { return device_; }
  IDirect3DDevice8* get() const { return device_; }
  IDirect3D8* direct3d() const { return direct3d_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Presents the back buffer and reads it back through GetFrontBuffer.
  Image capture();

 private:
  IDirect3D8* direct3d_ = nullptr;
  IDirect3DDevice8* device_ = nullptr;
  int width_, height_;
};

D3DMATRIX identity();
D3DMATRIX translation(float x, float y, float z);
D3DMATRIX scaling(float x, float y, float z);
D3DMATRIX rotationY(float angle);
D3DMATRIX rotationX(float angle);
D3DMATRIX multiplyMatrices(const D3DMATRIX& a, const D3DMATRIX& b);
D3DMATRIX lookAtLH(D3DVECTOR eye, D3DVECTOR at, D3DVECTOR up);
D3DMATRIX perspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
D3DMATRIX orthoLH(float width, float height, float zNear, float zFar);

inline DWORD floatBits(float f) {
  DWORD d;
  static_assert(sizeof d == sizeof f);
  __builtin_memcpy(&d, &f, 4);
  return d;
}

// Channels of 0xAARRGGBB.
inline int red(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int green(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int blue(uint32_t c) { return static_cast<int>(c & 0xFF); }

}  // namespace kelvane::test
