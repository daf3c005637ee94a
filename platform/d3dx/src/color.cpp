// Colour conversion to and from 0xAARRGGBB and the saturation and contrast adjustments.
#include "d3dx/color.h"

#include <algorithm>

namespace {

float channel(DWORD argb, int shift) { return static_cast<float>((argb >> shift) & 0xFF) / 255.0f; }

DWORD byteOf(float f, int shift) {
  const float clamped = std::clamp(f, 0.0f, 1.0f);  // NaN stays NaN: mapped to 0 below
  const float scaled = clamped * 255.0f + 0.5f;
  return (scaled >= 1.0f ? static_cast<DWORD>(scaled) : 0u) << shift;
}

}  // namespace

D3DXCOLOR::D3DXCOLOR(DWORD argb)
    : r(channel(argb, 16)), g(channel(argb, 8)), b(channel(argb, 0)), a(channel(argb, 24)) {}

D3DXCOLOR::operator DWORD() const {
  return byteOf(a, 24) | byteOf(r, 16) | byteOf(g, 8) | byteOf(b, 0);
}

D3DXCOLOR* D3DXColorAdjustSaturation(D3DXCOLOR* out, const D3DXCOLOR* c, float s) {
  // The grey value uses the luminance weights of video colour.
  const float grey = c->r * 0.2125f + c->g * 0.7154f + c->b * 0.0721f;
  *out = {grey + s * (c->r - grey), grey + s * (c->g - grey), grey + s * (c->b - grey), c->a};
  return out;
}

D3DXCOLOR* D3DXColorAdjustContrast(D3DXCOLOR* out, const D3DXCOLOR* c, float s) {
  *out = {0.5f + s * (c->r - 0.5f), 0.5f + s * (c->g - 0.5f), 0.5f + s * (c->b - 0.5f), c->a};
  return out;
}
