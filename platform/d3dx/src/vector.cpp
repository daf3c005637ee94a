// Vector functions that are not inline: normalisation, transforms and splines.
#include "d3dx/matrix.h"

D3DXVECTOR2* D3DXVec2Normalize(D3DXVECTOR2* out, const D3DXVECTOR2* v) {
  const float length = D3DXVec2Length(v);
  *out = length > 0.0f ? *v / length : D3DXVECTOR2(0.0f, 0.0f);
  return out;
}

D3DXVECTOR4* D3DXVec2Transform(D3DXVECTOR4* out, const D3DXVECTOR2* v, const D3DXMATRIX* m) {
  *out = {v->x * m->_11 + v->y * m->_21 + m->_41, v->x * m->_12 + v->y * m->_22 + m->_42,
          v->x * m->_13 + v->y * m->_23 + m->_43, v->x * m->_14 + v->y * m->_24 + m->_44};
  return out;
}

D3DXVECTOR2* D3DXVec2TransformCoord(D3DXVECTOR2* out, const D3DXVECTOR2* v, const D3DXMATRIX* m) {
  D3DXVECTOR4 h;
  D3DXVec2Transform(&h, v, m);
  *out = {h.x / h.w, h.y / h.w};
  return out;
}

D3DXVECTOR2* D3DXVec2TransformNormal(D3DXVECTOR2* out, const D3DXVECTOR2* v, const D3DXMATRIX* m) {
  *out = {v->x * m->_11 + v->y * m->_21, v->x * m->_12 + v->y * m->_22};
  return out;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v) {
  const float length = D3DXVec3Length(v);
  *out = length > 0.0f ? *v / length : D3DXVECTOR3(0.0f, 0.0f, 0.0f);
  return out;
}

D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  const D3DXVECTOR4 h(v->x, v->y, v->z, 1.0f);
  return D3DXVec4Transform(out, &h, m);
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  D3DXVECTOR4 h;
  D3DXVec3Transform(&h, v, m);
  *out = {h.x / h.w, h.y / h.w, h.z / h.w};
  return out;
}

D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  *out = {v->x * m->_11 + v->y * m->_21 + v->z * m->_31,
          v->x * m->_12 + v->y * m->_22 + v->z * m->_32,
          v->x * m->_13 + v->y * m->_23 + v->z * m->_33};
  return out;
}

D3DXVECTOR3* D3DXVec3Hermite(D3DXVECTOR3* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* t1,
                             const D3DXVECTOR3* p2, const D3DXVECTOR3* t2, float s) {
  const float s2 = s * s;
  const float s3 = s2 * s;
  const float h1 = 2.0f * s3 - 3.0f * s2 + 1.0f;
  const float h2 = -2.0f * s3 + 3.0f * s2;
  const float h3 = s3 - 2.0f * s2 + s;
  const float h4 = s3 - s2;
  *out = *p1 * h1 + *p2 * h2 + *t1 * h3 + *t2 * h4;
  return out;
}

D3DXVECTOR3* D3DXVec3CatmullRom(D3DXVECTOR3* out, const D3DXVECTOR3* p0, const D3DXVECTOR3* p1,
                                const D3DXVECTOR3* p2, const D3DXVECTOR3* p3, float s) {
  // The Hermite curve from p1 to p2 with tangents (p2 - p0) / 2 and (p3 - p1) / 2.
  const D3DXVECTOR3 t1 = (*p2 - *p0) * 0.5f;
  const D3DXVECTOR3 t2 = (*p3 - *p1) * 0.5f;
  const D3DXVECTOR3 a = *p1;
  const D3DXVECTOR3 b = *p2;
  return D3DXVec3Hermite(out, &a, &t1, &b, &t2, s);
}

D3DXVECTOR3* D3DXVec3BaryCentric(D3DXVECTOR3* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                                 const D3DXVECTOR3* p3, float f, float g) {
  *out = *p1 + (*p2 - *p1) * f + (*p3 - *p1) * g;
  return out;
}

D3DXVECTOR4* D3DXVec4Normalize(D3DXVECTOR4* out, const D3DXVECTOR4* v) {
  const float length = D3DXVec4Length(v);
  *out = length > 0.0f ? *v / length : D3DXVECTOR4(0.0f, 0.0f, 0.0f, 0.0f);
  return out;
}

D3DXVECTOR4* D3DXVec4Transform(D3DXVECTOR4* out, const D3DXVECTOR4* v, const D3DXMATRIX* m) {
  *out = {v->x * m->_11 + v->y * m->_21 + v->z * m->_31 + v->w * m->_41,
          v->x * m->_12 + v->y * m->_22 + v->z * m->_32 + v->w * m->_42,
          v->x * m->_13 + v->y * m->_23 + v->z * m->_33 + v->w * m->_43,
          v->x * m->_14 + v->y * m->_24 + v->z * m->_34 + v->w * m->_44};
  return out;
}
