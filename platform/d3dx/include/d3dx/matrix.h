// The 4x4 matrix of the math library and the matrix functions. Row vectors, so in A x B
// the transformation A applies first; the translation is the fourth row; left-handed.
#pragma once

#include "d3dx/vector.h"

struct D3DXQUATERNION;
struct D3DXPLANE;

struct D3DXMATRIX : public D3DMATRIX {
  D3DXMATRIX() = default;
  explicit D3DXMATRIX(const float* f);
  D3DXMATRIX(const D3DMATRIX& m) : D3DMATRIX(m) {}
  D3DXMATRIX(float f11, float f12, float f13, float f14, float f21, float f22, float f23, float f24,
             float f31, float f32, float f33, float f34, float f41, float f42, float f43,
             float f44);

  float& operator()(UINT row, UINT col) { return m[row][col]; }
  float operator()(UINT row, UINT col) const { return m[row][col]; }

  operator float*() { return &_11; }
  operator const float*() const { return &_11; }

  D3DXMATRIX& operator*=(const D3DXMATRIX& b);
  D3DXMATRIX& operator+=(const D3DXMATRIX& b);
  D3DXMATRIX& operator-=(const D3DXMATRIX& b);
  D3DXMATRIX& operator*=(float f);
  D3DXMATRIX& operator/=(float f) { return *this *= 1.0f / f; }

  D3DXMATRIX operator+() const { return *this; }
  D3DXMATRIX operator-() const { return *this * -1.0f; }
  D3DXMATRIX operator*(const D3DXMATRIX& b) const { return D3DXMATRIX(*this) *= b; }
  D3DXMATRIX operator+(const D3DXMATRIX& b) const { return D3DXMATRIX(*this) += b; }
  D3DXMATRIX operator-(const D3DXMATRIX& b) const { return D3DXMATRIX(*this) -= b; }
  D3DXMATRIX operator*(float f) const { return D3DXMATRIX(*this) *= f; }
  D3DXMATRIX operator/(float f) const { return *this * (1.0f / f); }
  friend D3DXMATRIX operator*(float f, const D3DXMATRIX& a) { return a * f; }

  bool operator==(const D3DXMATRIX& b) const;
  bool operator!=(const D3DXMATRIX& b) const { return !(*this == b); }
};
static_assert(sizeof(D3DXMATRIX) == 64);

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// True when every element equals the identity's exactly.
bool D3DXMatrixIsIdentity(const D3DXMATRIX* m);
float D3DXMatrixDeterminant(const D3DXMATRIX* m);
inline float D3DXMatrixfDeterminant(const D3DXMATRIX* m) { return D3DXMatrixDeterminant(m); }
// out = a x b; out may alias a or b.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
// out = transpose(a x b).
D3DXMATRIX* D3DXMatrixMultiplyTranspose(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m);
// Writes the determinant when asked; for a singular matrix returns null and leaves out as it was.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
// Rotations by an angle in radians, clockwise looking along the axis toward the origin.
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
// The axis need not be of unit length.
D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle);
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);
// Roll about z first, then pitch about x, then yaw about y.
D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll);
// Scaling (with its own rotation about a centre), rotation about a centre, then translation;
// null arguments are identities.
D3DXMATRIX* D3DXMatrixTransformation(D3DXMATRIX* out, const D3DXVECTOR3* scalingCenter,
                                     const D3DXQUATERNION* scalingRotation,
                                     const D3DXVECTOR3* scaling, const D3DXVECTOR3* rotationCenter,
                                     const D3DXQUATERNION* rotation,
                                     const D3DXVECTOR3* translation);
// Uniform scaling, rotation about a centre, then translation; null arguments are identities.
D3DXMATRIX* D3DXMatrixAffineTransformation(D3DXMATRIX* out, float scaling,
                                           const D3DXVECTOR3* rotationCenter,
                                           const D3DXQUATERNION* rotation,
                                           const D3DXVECTOR3* translation);

// View matrices.
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);

// Projections: depth maps zn to 0 and zf to 1.
D3DXMATRIX* D3DXMatrixPerspectiveLH(D3DXMATRIX* out, float w, float h, float zn, float zf);
D3DXMATRIX* D3DXMatrixPerspectiveRH(D3DXMATRIX* out, float w, float h, float zn, float zf);
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf);
D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf);
D3DXMATRIX* D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX* out, float l, float r, float b, float t,
                                             float zn, float zf);
D3DXMATRIX* D3DXMatrixPerspectiveOffCenterRH(D3DXMATRIX* out, float l, float r, float b, float t,
                                             float zn, float zf);
D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float w, float h, float zn, float zf);
D3DXMATRIX* D3DXMatrixOrthoRH(D3DXMATRIX* out, float w, float h, float zn, float zf);
D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* out, float l, float r, float b, float t,
                                       float zn, float zf);
D3DXMATRIX* D3DXMatrixOrthoOffCenterRH(D3DXMATRIX* out, float l, float r, float b, float t,
                                       float zn, float zf);

// Flattens geometry into the plane along rays from the light (w = 1: a point light at
// (x, y, z); w = 0: a directional light from direction (x, y, z)). The plane is normalised.
D3DXMATRIX* D3DXMatrixShadow(D3DXMATRIX* out, const D3DXVECTOR4* light, const D3DXPLANE* plane);
// Mirrors in the plane; the plane is normalised.
D3DXMATRIX* D3DXMatrixReflect(D3DXMATRIX* out, const D3DXPLANE* plane);
