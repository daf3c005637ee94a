// The few matrix operations the vertex stage needs: row vectors times 4x4 matrices.
#pragma once

#include <cmath>

#include "d3d8/d3d8types.h"

namespace d3d8sw {

inline D3DMATRIX identityMatrix() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

inline D3DMATRIX multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] +
                  a.m[i][3] * b.m[3][j];
  return r;
}

// out = (x, y, z, 1) * m
inline void transformPoint(const D3DMATRIX& m, const float* p, float* out) {
  for (int j = 0; j < 4; ++j)
    out[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + m.m[3][j];
}

// out = (x, y, z, w) * m
inline void transformVector4(const D3DMATRIX& m, const float* p, float* out) {
  for (int j = 0; j < 4; ++j)
    out[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + p[3] * m.m[3][j];
}

// out = (x, y, z) * upper 3x3 of m
inline void transformDirection(const D3DMATRIX& m, const float* d, float* out) {
  for (int j = 0; j < 3; ++j) out[j] = d[0] * m.m[0][j] + d[1] * m.m[1][j] + d[2] * m.m[2][j];
}

// The inverse transpose of the upper 3x3 (normals stay perpendicular under non-uniform
// scale); the identity when that part is singular.
inline D3DMATRIX normalMatrix(const D3DMATRIX& m) {
  const float a = m._11, b = m._12, c = m._13, d = m._21, e = m._22, f = m._23, g = m._31,
              h = m._32, i = m._33;
  const float det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
  if (det == 0.0f || !std::isfinite(det)) return identityMatrix();
  const float s = 1.0f / det;
  D3DMATRIX r{};
  // Cofactor matrix divided by the determinant equals the inverse transpose.
  r._11 = (e * i - f * h) * s;
  r._12 = -(d * i - f * g) * s;
  r._13 = (d * h - e * g) * s;
  r._21 = -(b * i - c * h) * s;
  r._22 = (a * i - c * g) * s;
  r._23 = -(a * h - b * g) * s;
  r._31 = (b * f - c * e) * s;
  r._32 = -(a * f - c * d) * s;
  r._33 = (a * e - b * d) * s;
  r._44 = 1.0f;
  return r;
}

inline float dot3(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

inline void normalize3(float* v) {
  const float length = std::sqrt(dot3(v, v));
  if (length > 0.0f) {
    const float s = 1.0f / length;
    v[0] *= s;
    v[1] *= s;
    v[2] *= s;
  }
}

}  // namespace d3d8sw
