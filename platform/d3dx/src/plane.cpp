// Plane functions: normalisation, construction from points and normals, line intersection
// and transformation.
#include "d3dx/plane.h"

#include <cmath>

D3DXPLANE* D3DXPlaneNormalize(D3DXPLANE* out, const D3DXPLANE* p) {
  const float length = std::sqrt(p->a * p->a + p->b * p->b + p->c * p->c);
  if (length > 0.0f)
    *out = {p->a / length, p->b / length, p->c / length, p->d / length};
  else
    *out = {0.0f, 0.0f, 0.0f, 0.0f};
  return out;
}

D3DXVECTOR3* D3DXPlaneIntersectLine(D3DXVECTOR3* out, const D3DXPLANE* p, const D3DXVECTOR3* v1,
                                    const D3DXVECTOR3* v2) {
  const D3DXVECTOR3 direction = *v2 - *v1;
  const float along = D3DXPlaneDotNormal(p, &direction);
  if (along == 0.0f) return nullptr;
  const float t = -D3DXPlaneDotCoord(p, v1) / along;
  *out = *v1 + direction * t;
  return out;
}

D3DXPLANE* D3DXPlaneFromPointNormal(D3DXPLANE* out, const D3DXVECTOR3* point,
                                    const D3DXVECTOR3* normal) {
  *out = {normal->x, normal->y, normal->z, -D3DXVec3Dot(point, normal)};
  return out;
}

D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2,
                               const D3DXVECTOR3* v3) {
  const D3DXVECTOR3 e1 = *v2 - *v1;
  const D3DXVECTOR3 e2 = *v3 - *v1;
  D3DXVECTOR3 normal;
  D3DXVec3Cross(&normal, &e1, &e2);
  D3DXVec3Normalize(&normal, &normal);
  return D3DXPlaneFromPointNormal(out, v1, &normal);
}

D3DXPLANE* D3DXPlaneTransform(D3DXPLANE* out, const D3DXPLANE* p, const D3DXMATRIX* m) {
  const D3DXVECTOR4 v(p->a, p->b, p->c, p->d);
  D3DXVECTOR4 r;
  D3DXVec4Transform(&r, &v, m);
  *out = {r.x, r.y, r.z, r.w};
  return out;
}
