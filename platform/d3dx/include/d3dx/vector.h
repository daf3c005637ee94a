// The 2-, 3- and 4-component vectors of the math library and the vector functions.
// Points are row vectors: a point p is transformed by a matrix M as p x M.
#pragma once

#include <cmath>

#include "d3d8/d3d8types.h"

struct D3DXMATRIX;

inline constexpr float D3DX_PI = 3.141592654f;
inline constexpr float D3DX_1BYPI = 0.318309886f;
constexpr float D3DXToRadian(float degrees) { return degrees * (D3DX_PI / 180.0f); }
constexpr float D3DXToDegree(float radians) { return radians * (180.0f / D3DX_PI); }

struct D3DXVECTOR2 {
  D3DXVECTOR2() = default;
  explicit D3DXVECTOR2(const float* f) : x(f[0]), y(f[1]) {}
  D3DXVECTOR2(float fx, float fy) : x(fx), y(fy) {}

  operator float*() { return &x; }
  operator const float*() const { return &x; }

  D3DXVECTOR2& operator+=(const D3DXVECTOR2& v) {
    x += v.x;
    y += v.y;
    return *this;
  }
  D3DXVECTOR2& operator-=(const D3DXVECTOR2& v) {
    x -= v.x;
    y -= v.y;
    return *this;
  }
  D3DXVECTOR2& operator*=(float f) {
    x *= f;
    y *= f;
    return *this;
  }
  D3DXVECTOR2& operator/=(float f) { return *this *= 1.0f / f; }

  D3DXVECTOR2 operator+() const { return *this; }
  D3DXVECTOR2 operator-() const { return {-x, -y}; }
  D3DXVECTOR2 operator+(const D3DXVECTOR2& v) const { return {x + v.x, y + v.y}; }
  D3DXVECTOR2 operator-(const D3DXVECTOR2& v) const { return {x - v.x, y - v.y}; }
  D3DXVECTOR2 operator*(float f) const { return {x * f, y * f}; }
  D3DXVECTOR2 operator/(float f) const { return *this * (1.0f / f); }
  friend D3DXVECTOR2 operator*(float f, const D3DXVECTOR2& v) { return v * f; }

  bool operator==(const D3DXVECTOR2& v) const { return x == v.x && y == v.y; }
  bool operator!=(const D3DXVECTOR2& v) const { return !(*this == v); }

  float x;
  float y;
};

struct D3DXVECTOR3 : public D3DVECTOR {
  D3DXVECTOR3() = default;
  explicit D3DXVECTOR3(const float* f) : D3DVECTOR{f[0], f[1], f[2]} {}
  D3DXVECTOR3(const D3DVECTOR& v) : D3DVECTOR(v) {}
  D3DXVECTOR3(float fx, float fy, float fz) : D3DVECTOR{fx, fy, fz} {}

  operator float*() { return &x; }
  operator const float*() const { return &x; }

  D3DXVECTOR3& operator+=(const D3DXVECTOR3& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
  }
  D3DXVECTOR3& operator-=(const D3DXVECTOR3& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
  }
  D3DXVECTOR3& operator*=(float f) {
    x *= f;
    y *= f;
    z *= f;
    return *this;
  }
  D3DXVECTOR3& operator/=(float f) { return *this *= 1.0f / f; }

  D3DXVECTOR3 operator+() const { return *this; }
  D3DXVECTOR3 operator-() const { return {-x, -y, -z}; }
  D3DXVECTOR3 operator+(const D3DXVECTOR3& v) const { return {x + v.x, y + v.y, z + v.z}; }
  D3DXVECTOR3 operator-(const D3DXVECTOR3& v) const { return {x - v.x, y - v.y, z - v.z}; }
  D3DXVECTOR3 operator*(float f) const { return {x * f, y * f, z * f}; }
  D3DXVECTOR3 operator/(float f) const { return *this * (1.0f / f); }
  friend D3DXVECTOR3 operator*(float f, const D3DXVECTOR3& v) { return v * f; }

  bool operator==(const D3DXVECTOR3& v) const { return x == v.x && y == v.y && z == v.z; }
  bool operator!=(const D3DXVECTOR3& v) const { return !(*this == v); }
};
static_assert(sizeof(D3DXVECTOR3) == 12);

struct D3DXVECTOR4 {
  D3DXVECTOR4() = default;
  explicit D3DXVECTOR4(const float* f) : x(f[0]), y(f[1]), z(f[2]), w(f[3]) {}
  D3DXVECTOR4(float fx, float fy, float fz, float fw) : x(fx), y(fy), z(fz), w(fw) {}
  D3DXVECTOR4(const D3DVECTOR& xyz, float fw) : x(xyz.x), y(xyz.y), z(xyz.z), w(fw) {}

  operator float*() { return &x; }
  operator const float*() const { return &x; }

  D3DXVECTOR4& operator+=(const D3DXVECTOR4& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    w += v.w;
    return *this;
  }
  D3DXVECTOR4& operator-=(const D3DXVECTOR4& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    w -= v.w;
    return *this;
  }
  D3DXVECTOR4& operator*=(float f) {
    x *= f;
    y *= f;
    z *= f;
    w *= f;
    return *this;
  }
  D3DXVECTOR4& operator/=(float f) { return *this *= 1.0f / f; }

  D3DXVECTOR4 operator+() const { return *this; }
  D3DXVECTOR4 operator-() const { return {-x, -y, -z, -w}; }
  D3DXVECTOR4 operator+(const D3DXVECTOR4& v) const { return {x + v.x, y + v.y, z + v.z, w + v.w}; }
  D3DXVECTOR4 operator-(const D3DXVECTOR4& v) const { return {x - v.x, y - v.y, z - v.z, w - v.w}; }
  D3DXVECTOR4 operator*(float f) const { return {x * f, y * f, z * f, w * f}; }
  D3DXVECTOR4 operator/(float f) const { return *this * (1.0f / f); }
  friend D3DXVECTOR4 operator*(float f, const D3DXVECTOR4& v) { return v * f; }

  bool operator==(const D3DXVECTOR4& v) const {
    return x == v.x && y == v.y && z == v.z && w == v.w;
  }
  bool operator!=(const D3DXVECTOR4& v) const { return !(*this == v); }

  float x;
  float y;
  float z;
  float w;
};

// 2D vectors.
inline float D3DXVec2Length(const D3DXVECTOR2* v) { return std::sqrt(v->x * v->x + v->y * v->y); }
inline float D3DXVec2LengthSq(const D3DXVECTOR2* v) { return v->x * v->x + v->y * v->y; }
inline float D3DXVec2Dot(const D3DXVECTOR2* a, const D3DXVECTOR2* b) {
  return a->x * b->x + a->y * b->y;
}
// The z component of the 3D cross product of (a, 0) and (b, 0).
inline float D3DXVec2CCW(const D3DXVECTOR2* a, const D3DXVECTOR2* b) {
  return a->x * b->y - a->y * b->x;
}
inline D3DXVECTOR2* D3DXVec2Add(D3DXVECTOR2* out, const D3DXVECTOR2* a, const D3DXVECTOR2* b) {
  *out = *a + *b;
  return out;
}
inline D3DXVECTOR2* D3DXVec2Subtract(D3DXVECTOR2* out, const D3DXVECTOR2* a, const D3DXVECTOR2* b) {
  *out = *a - *b;
  return out;
}
inline D3DXVECTOR2* D3DXVec2Minimize(D3DXVECTOR2* out, const D3DXVECTOR2* a, const D3DXVECTOR2* b) {
  *out = {std::fmin(a->x, b->x), std::fmin(a->y, b->y)};
  return out;
}
inline D3DXVECTOR2* D3DXVec2Maximize(D3DXVECTOR2* out, const D3DXVECTOR2* a, const D3DXVECTOR2* b) {
  *out = {std::fmax(a->x, b->x), std::fmax(a->y, b->y)};
  return out;
}
inline D3DXVECTOR2* D3DXVec2Scale(D3DXVECTOR2* out, const D3DXVECTOR2* v, float s) {
  *out = *v * s;
  return out;
}
inline D3DXVECTOR2* D3DXVec2Lerp(D3DXVECTOR2* out, const D3DXVECTOR2* a, const D3DXVECTOR2* b,
                                 float s) {
  *out = *a + (*b - *a) * s;
  return out;
}
D3DXVECTOR2* D3DXVec2Normalize(D3DXVECTOR2* out, const D3DXVECTOR2* v);
D3DXVECTOR4* D3DXVec2Transform(D3DXVECTOR4* out, const D3DXVECTOR2* v, const D3DXMATRIX* m);
D3DXVECTOR2* D3DXVec2TransformCoord(D3DXVECTOR2* out, const D3DXVECTOR2* v, const D3DXMATRIX* m);
D3DXVECTOR2* D3DXVec2TransformNormal(D3DXVECTOR2* out, const D3DXVECTOR2* v, const D3DXMATRIX* m);

// 3D vectors.
inline float D3DXVec3Length(const D3DXVECTOR3* v) {
  return std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
}
inline float D3DXVec3LengthSq(const D3DXVECTOR3* v) {
  return v->x * v->x + v->y * v->y + v->z * v->z;
}
inline float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  return a->x * b->x + a->y * b->y + a->z * b->z;
}
inline D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  // Computed into a temporary so that out may alias a or b.
  *out = {a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x};
  return out;
}
inline D3DXVECTOR3* D3DXVec3Add(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  *out = *a + *b;
  return out;
}
inline D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  *out = *a - *b;
  return out;
}
inline D3DXVECTOR3* D3DXVec3Minimize(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  *out = {std::fmin(a->x, b->x), std::fmin(a->y, b->y), std::fmin(a->z, b->z)};
  return out;
}
inline D3DXVECTOR3* D3DXVec3Maximize(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  *out = {std::fmax(a->x, b->x), std::fmax(a->y, b->y), std::fmax(a->z, b->z)};
  return out;
}
inline D3DXVECTOR3* D3DXVec3Scale(D3DXVECTOR3* out, const D3DXVECTOR3* v, float s) {
  *out = *v * s;
  return out;
}
inline D3DXVECTOR3* D3DXVec3Lerp(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b,
                                 float s) {
  *out = *a + (*b - *a) * s;
  return out;
}
// A zero vector normalises to the zero vector.
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
// (x, y, z, 1) x M, without the divide by w.
D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
// (x, y, z, 1) x M projected back to w = 1.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
// (x, y, z, 0) x M: the upper 3x3 part only.
D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
D3DXVECTOR3* D3DXVec3Hermite(D3DXVECTOR3* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* t1,
                             const D3DXVECTOR3* p2, const D3DXVECTOR3* t2, float s);
D3DXVECTOR3* D3DXVec3CatmullRom(D3DXVECTOR3* out, const D3DXVECTOR3* p0, const D3DXVECTOR3* p1,
                                const D3DXVECTOR3* p2, const D3DXVECTOR3* p3, float s);
// p1 + f (p2 - p1) + g (p3 - p1).
D3DXVECTOR3* D3DXVec3BaryCentric(D3DXVECTOR3* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                                 const D3DXVECTOR3* p3, float f, float g);

// 4D vectors.
inline float D3DXVec4Length(const D3DXVECTOR4* v) {
  return std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z + v->w * v->w);
}
inline float D3DXVec4LengthSq(const D3DXVECTOR4* v) {
  return v->x * v->x + v->y * v->y + v->z * v->z + v->w * v->w;
}
inline float D3DXVec4Dot(const D3DXVECTOR4* a, const D3DXVECTOR4* b) {
  return a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
}
inline D3DXVECTOR4* D3DXVec4Add(D3DXVECTOR4* out, const D3DXVECTOR4* a, const D3DXVECTOR4* b) {
  *out = *a + *b;
  return out;
}
inline D3DXVECTOR4* D3DXVec4Subtract(D3DXVECTOR4* out, const D3DXVECTOR4* a, const D3DXVECTOR4* b) {
  *out = *a - *b;
  return out;
}
inline D3DXVECTOR4* D3DXVec4Minimize(D3DXVECTOR4* out, const D3DXVECTOR4* a, const D3DXVECTOR4* b) {
  *out = {std::fmin(a->x, b->x), std::fmin(a->y, b->y), std::fmin(a->z, b->z),
          std::fmin(a->w, b->w)};
  return out;
}
inline D3DXVECTOR4* D3DXVec4Maximize(D3DXVECTOR4* out, const D3DXVECTOR4* a, const D3DXVECTOR4* b) {
  *out = {std::fmax(a->x, b->x), std::fmax(a->y, b->y), std::fmax(a->z, b->z),
          std::fmax(a->w, b->w)};
  return out;
}
inline D3DXVECTOR4* D3DXVec4Scale(D3DXVECTOR4* out, const D3DXVECTOR4* v, float s) {
  *out = *v * s;
  return out;
}
inline D3DXVECTOR4* D3DXVec4Lerp(D3DXVECTOR4* out, const D3DXVECTOR4* a, const D3DXVECTOR4* b,
                                 float s) {
  *out = *a + (*b - *a) * s;
  return out;
}
D3DXVECTOR4* D3DXVec4Normalize(D3DXVECTOR4* out, const D3DXVECTOR4* v);
D3DXVECTOR4* D3DXVec4Transform(D3DXVECTOR4* out, const D3DXVECTOR4* v, const D3DXMATRIX* m);
