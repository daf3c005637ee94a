// Floating-point colours (components nominally 0..1) and their conversion to D3DCOLOR.
#pragma once

#include "d3d8/d3d8types.h"

struct D3DXCOLOR {
  D3DXCOLOR() = default;
  D3DXCOLOR(DWORD argb);
  explicit D3DXCOLOR(const float* f) : r(f[0]), g(f[1]), b(f[2]), a(f[3]) {}
  D3DXCOLOR(const D3DCOLORVALUE& c) : r(c.r), g(c.g), b(c.b), a(c.a) {}
  D3DXCOLOR(float fr, float fg, float fb, float fa) : r(fr), g(fg), b(fb), a(fa) {}

  // 0xAARRGGBB, each component clamped to 0..1 and rounded.
  operator DWORD() const;
  operator float*() { return &r; }
  operator const float*() const { return &r; }
  operator D3DCOLORVALUE*() { return reinterpret_cast<D3DCOLORVALUE*>(&r); }
  operator const D3DCOLORVALUE*() const { return reinterpret_cast<const D3DCOLORVALUE*>(&r); }
  operator D3DCOLORVALUE&() { return *reinterpret_cast<D3DCOLORVALUE*>(&r); }
  operator const D3DCOLORVALUE&() const { return *reinterpret_cast<const D3DCOLORVALUE*>(&r); }

  D3DXCOLOR& operator+=(const D3DXCOLOR& c) {
    r += c.r;
    g += c.g;
    b += c.b;
    a += c.a;
    return *this;
  }
  D3DXCOLOR& operator-=(const D3DXCOLOR& c) {
    r -= c.r;
    g -= c.g;
    b -= c.b;
    a -= c.a;
    return *this;
  }
  D3DXCOLOR& operator*=(float f) {
    r *= f;
    g *= f;
    b *= f;
    a *= f;
    return *this;
  }
  D3DXCOLOR& operator/=(float f) { return *this *= 1.0f / f; }

  D3DXCOLOR operator+() const { return *this; }
  D3DXCOLOR operator-() const { return {-r, -g, -b, -a}; }
  D3DXCOLOR operator+(const D3DXCOLOR& c) const { return D3DXCOLOR(*this) += c; }
  D3DXCOLOR operator-(const D3DXCOLOR& c) const { return D3DXCOLOR(*this) -= c; }
  D3DXCOLOR operator*(float f) const { return D3DXCOLOR(*this) *= f; }
  D3DXCOLOR operator/(float f) const { return *this * (1.0f / f); }
  friend D3DXCOLOR operator*(float f, const D3DXCOLOR& c) { return c * f; }

  bool operator==(const D3DXCOLOR& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
  bool operator!=(const D3DXCOLOR& c) const { return !(*this == c); }

  float r;
  float g;
  float b;
  float a;
};
static_assert(sizeof(D3DXCOLOR) == sizeof(D3DCOLORVALUE));

// 1 - each colour component; alpha kept.
inline D3DXCOLOR* D3DXColorNegative(D3DXCOLOR* out, const D3DXCOLOR* c) {
  *out = {1.0f - c->r, 1.0f - c->g, 1.0f - c->b, c->a};
  return out;
}
inline D3DXCOLOR* D3DXColorAdd(D3DXCOLOR* out, const D3DXCOLOR* c1, const D3DXCOLOR* c2) {
  *out = *c1 + *c2;
  return out;
}
inline D3DXCOLOR* D3DXColorSubtract(D3DXCOLOR* out, const D3DXCOLOR* c1, const D3DXCOLOR* c2) {
  *out = *c1 - *c2;
  return out;
}
inline D3DXCOLOR* D3DXColorScale(D3DXCOLOR* out, const D3DXCOLOR* c, float s) {
  *out = *c * s;
  return out;
}
inline D3DXCOLOR* D3DXColorModulate(D3DXCOLOR* out, const D3DXCOLOR* c1, const D3DXCOLOR* c2) {
  *out = {c1->r * c2->r, c1->g * c2->g, c1->b * c2->b, c1->a * c2->a};
  return out;
}
inline D3DXCOLOR* D3DXColorLerp(D3DXCOLOR* out, const D3DXCOLOR* c1, const D3DXCOLOR* c2, float s) {
  *out = *c1 + (*c2 - *c1) * s;
  return out;
}
// Moves each colour component away from (s > 1) or toward (s < 1) the colour's grey value.
D3DXCOLOR* D3DXColorAdjustSaturation(D3DXCOLOR* out, const D3DXCOLOR* c, float s);
// Moves each colour component away from or toward 0.5.
D3DXCOLOR* D3DXColorAdjustContrast(D3DXCOLOR* out, const D3DXCOLOR* c, float s);
