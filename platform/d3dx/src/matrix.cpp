// Matrix algebra (products, determinant, inverse) and the scaling, translation and
// rotation matrices.
#include <cmath>

#include "d3dx/quaternion.h"

D3DXMATRIX::D3DXMATRIX(const float* f) {
  for (int i = 0; i < 16; ++i) m[i / 4][i % 4] = f[i];
}

D3DXMATRIX::D3DXMATRIX(float f11, float f12, float f13, float f14, float f21, float f22, float f23,
                       float f24, float f31, float f32, float f33, float f34, float f41, float f42,
                       float f43, float f44) {
  const float e[16] = {f11, f12, f13, f14, f21, f22, f23, f24,
                       f31, f32, f33, f34, f41, f42, f43, f44};
  for (int i = 0; i < 16; ++i) m[i / 4][i % 4] = e[i];
}

D3DXMATRIX& D3DXMATRIX::operator*=(const D3DXMATRIX& b) {
  D3DXMatrixMultiply(this, this, &b);
  return *this;
}

D3DXMATRIX& D3DXMATRIX::operator+=(const D3DXMATRIX& b) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) m[r][c] += b.m[r][c];
  return *this;
}

D3DXMATRIX& D3DXMATRIX::operator-=(const D3DXMATRIX& b) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) m[r][c] -= b.m[r][c];
  return *this;
}

D3DXMATRIX& D3DXMATRIX::operator*=(float f) {
  for (auto& row : m)
    for (float& e : row) e *= f;
  return *this;
}

bool D3DXMATRIX::operator==(const D3DXMATRIX& b) const {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (m[r][c] != b.m[r][c]) return false;
  return true;
}

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out->m[r][c] = r == c ? 1.0f : 0.0f;
  return out;
}

bool D3DXMatrixIsIdentity(const D3DXMATRIX* m) {
  D3DXMATRIX identity;
  return *m == *D3DXMatrixIdentity(&identity);
}

namespace {

// The cofactor expansion in double precision: the adjugate (transposed cofactors) and the
// determinant of m.
double adjugate(const D3DXMATRIX& a, double adj[4][4]) {
  double s[6];
  double c[6];
  const auto e = [&a](int r, int col) { return static_cast<double>(a.m[r][col]); };
  s[0] = e(0, 0) * e(1, 1) - e(1, 0) * e(0, 1);
  s[1] = e(0, 0) * e(1, 2) - e(1, 0) * e(0, 2);
  s[2] = e(0, 0) * e(1, 3) - e(1, 0) * e(0, 3);
  s[3] = e(0, 1) * e(1, 2) - e(1, 1) * e(0, 2);
  s[4] = e(0, 1) * e(1, 3) - e(1, 1) * e(0, 3);
  s[5] = e(0, 2) * e(1, 3) - e(1, 2) * e(0, 3);
  c[5] = e(2, 2) * e(3, 3) - e(3, 2) * e(2, 3);
  c[4] = e(2, 1) * e(3, 3) - e(3, 1) * e(2, 3);
  c[3] = e(2, 1) * e(3, 2) - e(3, 1) * e(2, 2);
  c[2] = e(2, 0) * e(3, 3) - e(3, 0) * e(2, 3);
  c[1] = e(2, 0) * e(3, 2) - e(3, 0) * e(2, 2);
  c[0] = e(2, 0) * e(3, 1) - e(3, 0) * e(2, 1);

  adj[0][0] = e(1, 1) * c[5] - e(1, 2) * c[4] + e(1, 3) * c[3];
  adj[0][1] = -e(0, 1) * c[5] + e(0, 2) * c[4] - e(0, 3) * c[3];
  adj[0][2] = e(3, 1) * s[5] - e(3, 2) * s[4] + e(3, 3) * s[3];
  adj[0][3] = -e(2, 1) * s[5] + e(2, 2) * s[4] - e(2, 3) * s[3];
  adj[1][0] = -e(1, 0) * c[5] + e(1, 2) * c[2] - e(1, 3) * c[1];
  adj[1][1] = e(0, 0) * c[5] - e(0, 2) * c[2] + e(0, 3) * c[1];
  adj[1][2] = -e(3, 0) * s[5] + e(3, 2) * s[2] - e(3, 3) * s[1];
  adj[1][3] = e(2, 0) * s[5] - e(2, 2) * s[2] + e(2, 3) * s[1];
  adj[2][0] = e(1, 0) * c[4] - e(1, 1) * c[2] + e(1, 3) * c[0];
  adj[2][1] = -e(0, 0) * c[4] + e(0, 1) * c[2] - e(0, 3) * c[0];
  adj[2][2] = e(3, 0) * s[4] - e(3, 1) * s[2] + e(3, 3) * s[0];
  adj[2][3] = -e(2, 0) * s[4] + e(2, 1) * s[2] - e(2, 3) * s[0];
  adj[3][0] = -e(1, 0) * c[3] + e(1, 1) * c[1] - e(1, 2) * c[0];
  adj[3][1] = e(0, 0) * c[3] - e(0, 1) * c[1] + e(0, 2) * c[0];
  adj[3][2] = -e(3, 0) * s[3] + e(3, 1) * s[1] - e(3, 2) * s[0];
  adj[3][3] = e(2, 0) * s[3] - e(2, 1) * s[1] + e(2, 2) * s[0];

  return s[0] * c[5] - s[1] * c[4] + s[2] * c[3] + s[3] * c[2] - s[4] * c[1] + s[5] * c[0];
}

}  // namespace

float D3DXMatrixDeterminant(const D3DXMATRIX* m) {
  double adj[4][4];
  return static_cast<float>(adjugate(*m, adj));
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  D3DXMATRIX product;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      product.m[r][c] = a->m[r][0] * b->m[0][c] + a->m[r][1] * b->m[1][c] +
                        a->m[r][2] * b->m[2][c] + a->m[r][3] * b->m[3][c];
  *out = product;
  return out;
}

D3DXMATRIX* D3DXMatrixMultiplyTranspose(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  D3DXMATRIX product;
  D3DXMatrixMultiply(&product, a, b);
  return D3DXMatrixTranspose(out, &product);
}

D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m) {
  D3DXMATRIX t;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) t.m[r][c] = m->m[c][r];
  *out = t;
  return out;
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m) {
  double adj[4][4];
  const double det = adjugate(*m, adj);
  if (determinant) *determinant = static_cast<float>(det);
  if (det == 0.0 || !std::isfinite(det)) return nullptr;
  // A determinant too small for single precision would give infinities: singular as well.
  D3DXMATRIX inverse;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      const float e = static_cast<float>(adj[r][c] / det);
      if (!std::isfinite(e)) return nullptr;
      inverse.m[r][c] = e;
    }
  *out = inverse;
  return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz) {
  D3DXMatrixIdentity(out);
  out->_11 = sx;
  out->_22 = sy;
  out->_33 = sz;
  return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  D3DXMatrixIdentity(out);
  out->_41 = x;
  out->_42 = y;
  out->_43 = z;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle) {
  const float s = std::sin(angle);
  const float c = std::cos(angle);
  D3DXMatrixIdentity(out);
  out->_22 = c;
  out->_23 = s;
  out->_32 = -s;
  out->_33 = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle) {
  const float s = std::sin(angle);
  const float c = std::cos(angle);
  D3DXMatrixIdentity(out);
  out->_11 = c;
  out->_13 = -s;
  out->_31 = s;
  out->_33 = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle) {
  const float s = std::sin(angle);
  const float c = std::cos(angle);
  D3DXMatrixIdentity(out);
  out->_11 = c;
  out->_12 = s;
  out->_21 = -s;
  out->_22 = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle) {
  D3DXVECTOR3 v;
  D3DXVec3Normalize(&v, axis);
  D3DXMatrixIdentity(out);
  // A zero axis names no rotation: the identity rather than a scaling by cos(angle).
  if (v.x == 0.0f && v.y == 0.0f && v.z == 0.0f) return out;
  const float s = std::sin(angle);
  const float c = std::cos(angle);
  const float t = 1.0f - c;
  out->_11 = t * v.x * v.x + c;
  out->_12 = t * v.x * v.y + s * v.z;
  out->_13 = t * v.x * v.z - s * v.y;
  out->_21 = t * v.x * v.y - s * v.z;
  out->_22 = t * v.y * v.y + c;
  out->_23 = t * v.y * v.z + s * v.x;
  out->_31 = t * v.x * v.z + s * v.y;
  out->_32 = t * v.y * v.z - s * v.x;
  out->_33 = t * v.z * v.z + c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q) {
  const float x = q->x;
  const float y = q->y;
  const float z = q->z;
  const float w = q->w;
  D3DXMatrixIdentity(out);
  out->_11 = 1.0f - 2.0f * (y * y + z * z);
  out->_12 = 2.0f * (x * y + z * w);
  out->_13 = 2.0f * (x * z - y * w);
  out->_21 = 2.0f * (x * y - z * w);
  out->_22 = 1.0f - 2.0f * (x * x + z * z);
  out->_23 = 2.0f * (y * z + x * w);
  out->_31 = 2.0f * (x * z + y * w);
  out->_32 = 2.0f * (y * z - x * w);
  out->_33 = 1.0f - 2.0f * (x * x + y * y);
  return out;
}

D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll) {
  D3DXMATRIX rollMatrix;
  D3DXMATRIX pitchMatrix;
  D3DXMATRIX yawMatrix;
  D3DXMatrixRotationZ(&rollMatrix, roll);
  D3DXMatrixRotationX(&pitchMatrix, pitch);
  D3DXMatrixRotationY(&yawMatrix, yaw);
  *out = rollMatrix * pitchMatrix * yawMatrix;
  return out;
}

namespace {

D3DXMATRIX translationOf(const D3DXVECTOR3* v, float sign) {
  D3DXMATRIX t;
  if (v) return *D3DXMatrixTranslation(&t, sign * v->x, sign * v->y, sign * v->z);
  return *D3DXMatrixIdentity(&t);
}

D3DXMATRIX rotationOf(const D3DXQUATERNION* q) {
  D3DXMATRIX r;
  if (q) return *D3DXMatrixRotationQuaternion(&r, q);
  return *D3DXMatrixIdentity(&r);
}

}  // namespace

D3DXMATRIX* D3DXMatrixTransformation(D3DXMATRIX* out, const D3DXVECTOR3* scalingCenter,
                                     const D3DXQUATERNION* scalingRotation,
                                     const D3DXVECTOR3* scaling, const D3DXVECTOR3* rotationCenter,
                                     const D3DXQUATERNION* rotation,
                                     const D3DXVECTOR3* translation) {
  D3DXMATRIX scale;
  if (scaling)
    D3DXMatrixScaling(&scale, scaling->x, scaling->y, scaling->z);
  else
    D3DXMatrixIdentity(&scale);
  const D3DXMATRIX scaleFrame = rotationOf(scalingRotation);
  D3DXMATRIX scaleFrameInverse;
  D3DXMatrixTranspose(&scaleFrameInverse, &scaleFrame);  // a rotation: its transpose inverts it
  *out = translationOf(scalingCenter, -1.0f) * scaleFrameInverse * scale * scaleFrame *
         translationOf(scalingCenter, 1.0f) * translationOf(rotationCenter, -1.0f) *
         rotationOf(rotation) * translationOf(rotationCenter, 1.0f) *
         translationOf(translation, 1.0f);
  return out;
}

D3DXMATRIX* D3DXMatrixAffineTransformation(D3DXMATRIX* out, float scaling,
                                           const D3DXVECTOR3* rotationCenter,
                                           const D3DXQUATERNION* rotation,
                                           const D3DXVECTOR3* translation) {
  D3DXMATRIX scale;
  D3DXMatrixScaling(&scale, scaling, scaling, scaling);
  *out = scale * translationOf(rotationCenter, -1.0f) * rotationOf(rotation) *
         translationOf(rotationCenter, 1.0f) * translationOf(translation, 1.0f);
  return out;
}
