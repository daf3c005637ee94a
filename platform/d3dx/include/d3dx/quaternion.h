// Unit quaternions for rotations: (x, y, z) = sin(angle / 2) x axis, w = cos(angle / 2).
#pragma once

#include "d3dx/matrix.h"

struct D3DXQUATERNION {
  D3DXQUATERNION() = default;
  explicit D3DXQUATERNION(const float* f) : x(f[0]), y(f[1]), z(f[2]), w(f[3]) {}
  D3DXQUATERNION(float fx, float fy, float fz, float fw) : x(fx), y(fy), z(fz), w(fw) {}

  operator float*() { return &x; }
  operator const float*() const { return &x; }

  D3DXQUATERNION& operator+=(const D3DXQUATERNION& q) {
    x += q.x;
    y += q.y;
    z += q.z;
    w += q.w;
    return *this;
  }
  D3DXQUATERNION& operator-=(const D3DXQUATERNION& q) {
    x -= q.x;
    y -= q.y;
    z -= q.z;
    w -= q.w;
    return *this;
  }
  // Same order as D3DXQuaternionMultiply: this rotation first, then q.
  D3DXQUATERNION& operator*=(const D3DXQUATERNION& q);
  D3DXQUATERNION& operator*=(float f) {
    x *= f;
    y *= f;
    z *= f;
    w *= f;
    return *this;
  }
  D3DXQUATERNION& operator/=(float f) { return *this *= 1.0f / f; }

  D3DXQUATERNION operator+() const { return *this; }
  D3DXQUATERNION operator-() const { return {-x, -y, -z, -w}; }
  D3DXQUATERNION operator+(const D3DXQUATERNION& q) const { return D3DXQUATERNION(*this) += q; }
  D3DXQUATERNION operator-(const D3DXQUATERNION& q) const { return D3DXQUATERNION(*this) -= q; }
  D3DXQUATERNION operator*(const D3DXQUATERNION& q) const { return D3DXQUATERNION(*this) *= q; }
  D3DXQUATERNION operator*(float f) const { return D3DXQUATERNION(*this) *= f; }
  D3DXQUATERNION operator/(float f) const { return *this * (1.0f / f); }
  friend D3DXQUATERNION operator*(float f, const D3DXQUATERNION& q) { return q * f; }

  bool operator==(const D3DXQUATERNION& q) const {
    return x == q.x && y == q.y && z == q.z && w == q.w;
  }
  bool operator!=(const D3DXQUATERNION& q) const { return !(*this == q); }

  float x;
  float y;
  float z;
  float w;
};

inline float D3DXQuaternionLength(const D3DXQUATERNION* q) {
  return std::sqrt(q->x * q->x + q->y * q->y + q->z * q->z + q->w * q->w);
}
inline float D3DXQuaternionLengthSq(const D3DXQUATERNION* q) {
  return q->x * q->x + q->y * q->y + q->z * q->z + q->w * q->w;
}
inline float D3DXQuaternionDot(const D3DXQUATERNION* a, const D3DXQUATERNION* b) {
  return a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
}
inline D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* out) {
  *out = {0.0f, 0.0f, 0.0f, 1.0f};
  return out;
}
inline bool D3DXQuaternionIsIdentity(const D3DXQUATERNION* q) {
  return q->x == 0.0f && q->y == 0.0f && q->z == 0.0f && q->w == 1.0f;
}
inline D3DXQUATERNION* D3DXQuaternionConjugate(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  *out = {-q->x, -q->y, -q->z, q->w};
  return out;
}

// Axis (not normalised) and angle in radians of a unit quaternion.
void D3DXQuaternionToAxisAngle(const D3DXQUATERNION* q, D3DXVECTOR3* axis, float* angle);
// The rotation part of a matrix whose upper 3x3 rows are orthonormal.
D3DXQUATERNION* D3DXQuaternionRotationMatrix(D3DXQUATERNION* out, const D3DXMATRIX* m);
D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* out, const D3DXVECTOR3* axis,
                                           float angle);
// Roll about z first, then pitch about x, then yaw about y.
D3DXQUATERNION* D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION* out, float yaw, float pitch,
                                                   float roll);
// The rotation a followed by the rotation b (the product b a).
D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                       const D3DXQUATERNION* b);
// A zero quaternion normalises to zero.
D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q);
// Conjugate over squared length; a zero quaternion gives zero.
D3DXQUATERNION* D3DXQuaternionInverse(D3DXQUATERNION* out, const D3DXQUATERNION* q);
// Natural logarithm of a unit quaternion: (angle / 2 x axis, 0).
D3DXQUATERNION* D3DXQuaternionLn(D3DXQUATERNION* out, const D3DXQUATERNION* q);
// Exponential of a pure quaternion (w ignored).
D3DXQUATERNION* D3DXQuaternionExp(D3DXQUATERNION* out, const D3DXQUATERNION* q);
// Spherical interpolation along the shorter arc; t = 0 gives a, t = 1 gives b (or -b).
D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                    const D3DXQUATERNION* b, float t);
// Spherical quadrangle interpolation from q1 toward c with the control points a and b:
// Slerp(Slerp(q1, c, t), Slerp(a, b, t), 2t(1 - t)).
D3DXQUATERNION* D3DXQuaternionSquad(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                    const D3DXQUATERNION* a, const D3DXQUATERNION* b,
                                    const D3DXQUATERNION* c, float t);
// Slerp(Slerp(q1, q2, f + g), Slerp(q1, q3, f + g), g / (f + g)); q1 when f + g = 0.
D3DXQUATERNION* D3DXQuaternionBaryCentric(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                          const D3DXQUATERNION* q2, const D3DXQUATERNION* q3,
                                          float f, float g);
