// View and projection matrices, and the planar shadow and reflection matrices.
#include <cmath>

#include "d3dx/plane.h"

namespace {

D3DXMATRIX* zeroMatrix(D3DXMATRIX* out) {
  D3DXMatrixIdentity(out);
  out->_11 = out->_22 = out->_33 = out->_44 = 0.0f;
  return out;
}

// The camera frame with axes x, y, z (rows of its rotation) placed at eye, inverted.
D3DXMATRIX* viewFromAxes(D3DXMATRIX* out, const D3DXVECTOR3& x, const D3DXVECTOR3& y,
                         const D3DXVECTOR3& z, const D3DXVECTOR3& eye) {
  // clang-format off
  *out = D3DXMATRIX(x.x, y.x, z.x, 0.0f,
                    x.y, y.y, z.y, 0.0f,
                    x.z, y.z, z.z, 0.0f,
                    -D3DXVec3Dot(&x, &eye), -D3DXVec3Dot(&y, &eye), -D3DXVec3Dot(&z, &eye), 1.0f);
  // clang-format on
  return out;
}

D3DXMATRIX* lookAlong(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3& forward,
                      const D3DXVECTOR3* up) {
  D3DXVECTOR3 z;
  D3DXVECTOR3 x;
  D3DXVECTOR3 y;
  D3DXVec3Normalize(&z, &forward);
  D3DXVec3Cross(&x, up, &z);
  D3DXVec3Normalize(&x, &x);
  D3DXVec3Cross(&y, &z, &x);
  return viewFromAxes(out, x, y, z, *eye);
}

// Perspective with the x and y scales given; depth zn..zf to 0..1, w = z (lh) or -z (rh).
D3DXMATRIX* perspective(D3DXMATRIX* out, float sx, float sy, float zn, float zf, bool leftHanded) {
  zeroMatrix(out);
  out->_11 = sx;
  out->_22 = sy;
  if (leftHanded) {
    out->_33 = zf / (zf - zn);
    out->_34 = 1.0f;
  } else {
    out->_33 = zf / (zn - zf);
    out->_34 = -1.0f;
  }
  out->_43 = zn * zf / (zn - zf);
  return out;
}

D3DXMATRIX* orthographic(D3DXMATRIX* out, float l, float r, float b, float t, float zn, float zf,
                         bool leftHanded) {
  D3DXMatrixIdentity(out);
  out->_11 = 2.0f / (r - l);
  out->_22 = 2.0f / (t - b);
  out->_33 = leftHanded ? 1.0f / (zf - zn) : 1.0f / (zn - zf);
  out->_41 = (l + r) / (l - r);
  out->_42 = (t + b) / (b - t);
  out->_43 = zn / (zn - zf);
  return out;
}

}  // namespace

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  return lookAlong(out, eye, *at - *eye, up);
}

D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  return lookAlong(out, eye, *eye - *at, up);
}

D3DXMATRIX* D3DXMatrixPerspectiveLH(D3DXMATRIX* out, float w, float h, float zn, float zf) {
  return perspective(out, 2.0f * zn / w, 2.0f * zn / h, zn, zf, true);
}

D3DXMATRIX* D3DXMatrixPerspectiveRH(D3DXMATRIX* out, float w, float h, float zn, float zf) {
  return perspective(out, 2.0f * zn / w, 2.0f * zn / h, zn, zf, false);
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf) {
  const float yScale = 1.0f / std::tan(fovy / 2.0f);
  return perspective(out, yScale / aspect, yScale, zn, zf, true);
}

D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf) {
  const float yScale = 1.0f / std::tan(fovy / 2.0f);
  return perspective(out, yScale / aspect, yScale, zn, zf, false);
}

D3DXMATRIX* D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX* out, float l, float r, float b, float t,
                                             float zn, float zf) {
  perspective(out, 2.0f * zn / (r - l), 2.0f * zn / (t - b), zn, zf, true);
  out->_31 = (l + r) / (l - r);
  out->_32 = (t + b) / (b - t);
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveOffCenterRH(D3DXMATRIX* out, float l, float r, float b, float t,
                                             float zn, float zf) {
  perspective(out, 2.0f * zn / (r - l), 2.0f * zn / (t - b), zn, zf, false);
  out->_31 = (l + r) / (r - l);
  out->_32 = (t + b) / (t - b);
  return out;
}

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float w, float h, float zn, float zf) {
  return orthographic(out, -w / 2.0f, w / 2.0f, -h / 2.0f, h / 2.0f, zn, zf, true);
}

D3DXMATRIX* D3DXMatrixOrthoRH(D3DXMATRIX* out, float w, float h, float zn, float zf) {
  return orthographic(out, -w / 2.0f, w / 2.0f, -h / 2.0f, h / 2.0f, zn, zf, false);
}

D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* out, float l, float r, float b, float t,
                                       float zn, float zf) {
  return orthographic(out, l, r, b, t, zn, zf, true);
}

D3DXMATRIX* D3DXMatrixOrthoOffCenterRH(D3DXMATRIX* out, float l, float r, float b, float t,
                                       float zn, float zf) {
  return orthographic(out, l, r, b, t, zn, zf, false);
}

D3DXMATRIX* D3DXMatrixShadow(D3DXMATRIX* out, const D3DXVECTOR4* light, const D3DXPLANE* plane) {
  D3DXPLANE p;
  D3DXPlaneNormalize(&p, plane);
  const float d = D3DXPlaneDot(&p, light);
  const float pv[4] = {p.a, p.b, p.c, p.d};
  const float lv[4] = {light->x, light->y, light->z, light->w};
  // p' = (P.L) p - (p.P) L: every point moves along its ray from the light onto the plane;
  // the points of the plane keep w = P.L, positive for a light in front of the plane.
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out->m[r][c] = (r == c ? d : 0.0f) - pv[r] * lv[c];
  return out;
}

D3DXMATRIX* D3DXMatrixReflect(D3DXMATRIX* out, const D3DXPLANE* plane) {
  D3DXPLANE p;
  D3DXPlaneNormalize(&p, plane);
  const float n[3] = {p.a, p.b, p.c};
  D3DXMatrixIdentity(out);
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) out->m[r][c] -= 2.0f * n[r] * n[c];
    out->m[3][c] = -2.0f * p.d * n[c];
  }
  return out;
}
