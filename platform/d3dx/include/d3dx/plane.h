// Planes a x + b y + c z + d = 0 and the plane functions.
#pragma once

#include "d3dx/matrix.h"

struct D3DXPLANE {
  D3DXPLANE() = default;
  explicit D3DXPLANE(const float* f) : a(f[0]), b(f[1]), c(f[2]), d(f[3]) {}
  D3DXPLANE(float fa, float fb, float fc, float fd) : a(fa), b(fb), c(fc), d(fd) {}

  operator float*() { return &a; }
  operator const float*() const { return &a; }

  D3DXPLANE operator+() const { return *this; }
  D3DXPLANE operator-() const { return {-a, -b, -c, -d}; }

  bool operator==(const D3DXPLANE& p) const { return a == p.a && b == p.b && c == p.c && d == p.d; }
  bool operator!=(const D3DXPLANE& p) const { return !(*this == p); }

  float a;
  float b;
  float c;
  float d;
};

// The plane applied to (x, y, z, w).
inline float D3DXPlaneDot(const D3DXPLANE* p, const D3DXVECTOR4* v) {
  return p->a * v->x + p->b * v->y + p->c * v->z + p->d * v->w;
}
// The plane applied to the point (x, y, z, 1): the signed distance for a normalised plane.
inline float D3DXPlaneDotCoord(const D3DXPLANE* p, const D3DXVECTOR3* v) {
  return p->a * v->x + p->b * v->y + p->c * v->z + p->d;
}
// The plane's normal applied to the direction (x, y, z, 0).
inline float D3DXPlaneDotNormal(const D3DXPLANE* p, const D3DXVECTOR3* v) {
  return p->a * v->x + p->b * v->y + p->c * v->z;
}

// Scales the plane so that its normal has unit length; a zero normal gives the zero plane.
D3DXPLANE* D3DXPlaneNormalize(D3DXPLANE* out, const D3DXPLANE* p);
// The point where the line through v1 and v2 meets the plane; null when they are parallel.
D3DXVECTOR3* D3DXPlaneIntersectLine(D3DXVECTOR3* out, const D3DXPLANE* p, const D3DXVECTOR3* v1,
                                    const D3DXVECTOR3* v2);
D3DXPLANE* D3DXPlaneFromPointNormal(D3DXPLANE* out, const D3DXVECTOR3* point,
                                    const D3DXVECTOR3* normal);
// The plane through three points, normal (v2 - v1) x (v3 - v1) normalised.
D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2,
                               const D3DXVECTOR3* v3);
// Transforms the plane as the row vector (a, b, c, d) x m; to move a plane by a matrix M,
// pass the inverse transpose of M.
D3DXPLANE* D3DXPlaneTransform(D3DXPLANE* out, const D3DXPLANE* p, const D3DXMATRIX* m);
