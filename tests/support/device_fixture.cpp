// Test device creation and hand-built matrices.
#include "device_fixture.h"

namespace kelvane::test {

TestDevice::TestDevice(int width, int height, D3DFORMAT depthFormat) : width_(width), height_(height) {
  direct3d_ = Direct3DCreate8(D3D_SDK_VERSION);
  if (!direct3d_) return;
  D3DPRESENT_PARAMETERS p{};
  p.BackBufferWidth = static_cast<UINT>(width);
  p.BackBufferHeight = static_cast<UINT>(height);
  p.BackBufferFormat = D3DFMT_X8R8G8B8;
  p.SwapEffect = D3DSWAPEFFECT_DISCARD;
  p.Windowed = TRUE;
  p.EnableAutoDepthStencil = depthFormat != D3DFMT_UNKNOWN;
  p.AutoDepthStencilFormat = depthFormat;
  if (FAILED(direct3d_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &p, &device_)))
    device_ = nullptr;
}

TestDevice::~TestDevice() {
  if (device_) device_->Release();
  if (direct3d_) direct3d_->Release();
}

Image TestDevice::capture() {
  Image image;
  IDirect3DSurface8* surface = nullptr;
  if (FAILED(device_->Present(nullptr, nullptr, nullptr, nullptr)) ||
      FAILED(device_->CreateImageSurface(width_, height_, D3DFMT_A8R8G8B8, &surface)))
    return image;
  if (SUCCEEDED(device_->GetFrontBuffer(surface))) {
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
      image.width = width_;
      image.height = height_;
      image.pixels.resize(static_cast<size_t>(width_) * height_);
      for (int y = 0; y < height_; ++y)
        __builtin_memcpy(&image.pixels[static_cast<size_t>(y) * width_],
                         static_cast<const uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                         static_cast<size_t>(width_) * 4);
      surface->UnlockRect();
    }
  }
  surface->Release();
  return image;
}

D3DMATRIX identity() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

D3DMATRIX translation(float x, float y, float z) {
  D3DMATRIX m = identity();
  m._41 = x;
  m._42 = y;
  m._43 = z;
  return m;
}

D3DMATRIX scaling(float x, float y, float z) {
  D3DMATRIX m = identity();
  m._11 = x;
  m._22 = y;
  m._33 = z;
  return m;
}

D3DMATRIX rotationY(float a) {
  D3DMATRIX m = identity();
  m._11 = std::cos(a);
  m._13 = -std::sin(a);
  m._31 = std::sin(a);
  m._33 = std::cos(a);
  return m;
}

D3DMATRIX rotationX(float a) {
  D3DMATRIX m = identity();
  m._22 = std::cos(a);
  m._23 = std::sin(a);
  m._32 = -std::sin(a);
  m._33 = std::cos(a);
  return m;
}

D3DMATRIX multiplyMatrices(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

namespace {
D3DVECTOR sub(D3DVECTOR a, D3DVECTOR b) { return D3DVECTOR{a.x - b.x, a.y - b.y, a.z - b.z}; }
float dot(D3DVECTOR a, D3DVECTOR b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
D3DVECTOR cross(D3DVECTOR a, D3DVECTOR b) {
  return D3DVECTOR{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
D3DVECTOR unit(D3DVECTOR v) {
  const float l = std::sqrt(dot(v, v));
  return D3DVECTOR{v.x / l, v.y / l, v.z / l};
}
}  // namespace

D3DMATRIX lookAtLH(D3DVECTOR eye, D3DVECTOR at, D3DVECTOR up) {
  const D3DVECTOR z = unit(sub(at, eye));
  const D3DVECTOR x = unit(cross(up, z));
  const D3DVECTOR y = cross(z, x);
  D3DMATRIX m = identity();
  m._11 = x.x; m._12 = y.x; m._13 = z.x;
  m._21 = x.y; m._22 = y.y; m._23 = z.y;
  m._31 = x.z; m._32 = y.z; m._33 = z.z;
  m._41 = -dot(x, eye);
  m._42 = -dot(y, eye);
  m._43 = -dot(z, eye);
  return m;
}

D3DMATRIX perspectiveFovLH(float fovY, float aspect, float zn, float zf) {
  const float yScale = 1.0f / std::tan(fovY / 2.0f);
  D3DMATRIX m{};
  m._11 = yScale / aspect;
  m._22 = yScale;
  m._33 = zf / (zf - zn);
  m._34 = 1.0f;
  m._43 = -zn * zf / (zf - zn);
  return m;
}

D3DMATRIX orthoLH(float w, float h, float zn, float zf) {
  D3DMATRIX m = identity();
  m._11 = 2.0f / w;
  m._22 = 2.0f / h;
  m._33 = 1.0f / (zf - zn);
  m._43 = -zn / (zf - zn);
  return m;
}

}  // namespace kelvane::test
