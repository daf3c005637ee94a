// Quaternion functions: conversions to and from axes, angles and matrices, products and
// spherical interpolation.
#include "d3dx/quaternion.h"

#include <algorithm>
#include <cmath>

D3DXQUATERNION& D3DXQUATERNION::operator*=(const D3DXQUATERNION& q) {
  D3DXQuaternionMultiply(this, this, &q);
  return *this;
}

void D3DXQuaternionToAxisAngle(const D3DXQUATERNION* q, D3DXVECTOR3* axis, float* angle) {
  if (axis) *axis = {q->x, q->y, q->z};
  if (angle) *angle = 2.0f * std::acos(std::clamp(q->w, -1.0f, 1.0f));
}

D3DXQUATERNION* D3DXQuaternionRotationMatrix(D3DXQUATERNION* out, const D3DXMATRIX* m) {
  const float trace = m->_11 + m->_22 + m->_33;
  D3DXQUATERNION q;
  // Divide by the largest of 4w, 4x, 4y, 4z for accuracy.
  if (trace > 0.0f) {
    const float s = 2.0f * std::sqrt(trace + 1.0f);
    q = {(m->_23 - m->_32) / s, (m->_31 - m->_13) / s, (m->_12 - m->_21) / s, 0.25f * s};
  } else if (m->_11 >= m->_22 && m->_11 >= m->_33) {
    const float s = 2.0f * std::sqrt(std::max(0.0f, 1.0f + m->_11 - m->_22 - m->_33));
    if (s == 0.0f) return D3DXQuaternionIdentity(out);
    q = {0.25f * s, (m->_12 + m->_21) / s, (m->_13 + m->_31) / s, (m->_23 - m->_32) / s};
  } else if (m->_22 >= m->_33) {
    const float s = 2.0f * std::sqrt(std::max(0.0f, 1.0f + m->_22 - m->_11 - m->_33));
    if (s == 0.0f) return D3DXQuaternionIdentity(out);
    q = {(m->_12 + m->_21) / s, 0.25f * s, (m->_23 + m->_32) / s, (m->_31 - m->_13) / s};
  } else {
    const float s = 2.0f * std::sqrt(std::max(0.0f, 1.0f + m->_33 - m->_11 - m->_22));
    if (s == 0.0f) return D3DXQuaternionIdentity(out);
    q = {(m->_13 + m->_31) / s, (m->_23 + m->_32) / s, 0.25f * s, (m->_12 - m->_21) / s};
  }
  *out = q;
  return out;
}

D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* out, const D3DXVECTOR3* axis,
                                           float angle) {
  D3DXVECTOR3 n;
  D3DXVec3Normalize(&n, axis);
  // A zero axis gives the identity, as the matrix of the same rotation does.
  const float s = std::sin(angle / 2.0f);
  if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) return D3DXQuaternionIdentity(out);
  *out = {n.x * s, n.y * s, n.z * s, std::cos(angle / 2.0f)};
  return out;
}

D3DXQUATERNION* D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION* out, float yaw, float pitch,
                                                   float roll) {
  const D3DXQUATERNION qRoll(0.0f, 0.0f, std::sin(roll / 2.0f), std::cos(roll / 2.0f));
  const D3DXQUATERNION qPitch(std::sin(pitch / 2.0f), 0.0f, 0.0f, std::cos(pitch / 2.0f));
  const D3DXQUATERNION qYaw(0.0f, std::sin(yaw / 2.0f), 0.0f, std::cos(yaw / 2.0f));
  *out = qRoll * qPitch * qYaw;
  return out;
}

D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                       const D3DXQUATERNION* b) {
  // The Hamilton product b a.
  const D3DXQUATERNION p(b->w * a->x + b->x * a->w + b->y * a->z - b->z * a->y,
                         b->w * a->y - b->x * a->z + b->y * a->w + b->z * a->x,
                         b->w * a->z + b->x * a->y - b->y * a->x + b->z * a->w,
                         b->w * a->w - b->x * a->x - b->y * a->y - b->z * a->z);
  *out = p;
  return out;
}

D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  const float length = D3DXQuaternionLength(q);
  *out = length > 0.0f ? *q / length : D3DXQUATERNION(0.0f, 0.0f, 0.0f, 0.0f);
  return out;
}

D3DXQUATERNION* D3DXQuaternionInverse(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  const float lengthSq = D3DXQuaternionLengthSq(q);
  D3DXQUATERNION conjugate;
  D3DXQuaternionConjugate(&conjugate, q);
  *out = lengthSq > 0.0f ? conjugate / lengthSq : D3DXQUATERNION(0.0f, 0.0f, 0.0f, 0.0f);
  return out;
}

D3DXQUATERNION* D3DXQuaternionLn(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  const float w = std::clamp(q->w, -1.0f, 1.0f);
  const float theta = std::acos(w);
  const float s = std::sin(theta);
  const float k = s > 0.0f ? theta / s : 1.0f;
  *out = {q->x * k, q->y * k, q->z * k, 0.0f};
  return out;
}

D3DXQUATERNION* D3DXQuaternionExp(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  const float theta = std::sqrt(q->x * q->x + q->y * q->y + q->z * q->z);
  const float k = theta > 0.0f ? std::sin(theta) / theta : 1.0f;
  *out = {q->x * k, q->y * k, q->z * k, std::cos(theta)};
  return out;
}

D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                    const D3DXQUATERNION* b, float t) {
  float cosine = D3DXQuaternionDot(a, b);
  float sign = 1.0f;
  if (cosine < 0.0f) {  // q and -q are the same rotation: take the shorter way
    cosine = -cosine;
    sign = -1.0f;
  }
  float wa = 1.0f - t;
  float wb = t;
  // Close quaternions: linear interpolation avoids dividing by a vanishing sine.
  if (1.0f - cosine > 0.001f) {
    const float theta = std::acos(std::min(cosine, 1.0f));
    const float s = std::sin(theta);
    wa = std::sin((1.0f - t) * theta) / s;
    wb = std::sin(t * theta) / s;
  }
  *out = *a * wa + *b * (sign * wb);
  return out;
}

D3DXQUATERNION* D3DXQuaternionSquad(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                    const D3DXQUATERNION* a, const D3DXQUATERNION* b,
                                    const D3DXQUATERNION* c, float t) {
  D3DXQUATERNION outer, inner;
  D3DXQuaternionSlerp(&outer, q1, c, t);
  D3DXQuaternionSlerp(&inner, a, b, t);
  return D3DXQuaternionSlerp(out, &outer, &inner, 2.0f * t * (1.0f - t));
}

D3DXQUATERNION* D3DXQuaternionBaryCentric(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                          const D3DXQUATERNION* q2, const D3DXQUATERNION* q3,
                                          float f, float g) {
  const float sum = f + g;
  if (sum == 0.0f) {
    *out = *q1;
    return out;
  }
  D3DXQUATERNION toQ2, toQ3;
  D3DXQuaternionSlerp(&toQ2, q1, q2, sum);
  D3DXQuaternionSlerp(&toQ3, q1, q3, sum);
  return D3DXQuaternionSlerp(out, &toQ2, &toQ3, g / sum);
}
