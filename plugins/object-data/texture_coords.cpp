// Texture coordinate generation per texture set: planar, cubic, cylindrical and spherical
// projections, rescaling to 0..1, and the per-set scale and offset.
#include <cmath>

#include "object_data_channel.h"

namespace {

constexpr float inverseTwoPi = 0.15915494f;
constexpr float inversePi = 0.31830987f;

// Angle of the horizontal part of the normal around y, 0 .. 2 pi.
float AroundY(const D3DXVECTOR3& normal) {
  D3DXVECTOR3 h(normal.x, 0.0f, normal.z);
  D3DXVec3Normalize(&h, &h);
  const double pi = static_cast<double>(3.1415927f);
  double angle = h.z > 0.0f ? std::acos(static_cast<double>(h.x))
                            : std::acos(static_cast<double>(-h.x)) + pi;
  return static_cast<float>(angle);
}

// A flat mesh has extent 0 along an axis; its coordinates along that axis become 0 instead
// of infinities and non-numbers.
float Over(float a, float extent) { return extent != 0.0f ? a / extent : 0.0f; }

struct Extent {
  D3DXVECTOR3 size;
  D3DXVECTOR3 centre;
};

Extent ExtentOf(const D3DXVECTOR3& min, const D3DXVECTOR3& max) {
  D3DXVECTOR3 size(max.x - min.x, max.y - min.y, max.z - min.z);
  return {size, D3DXVECTOR3(min.x + size.x * 0.5f, min.y + size.y * 0.5f, min.z + size.z * 0.5f)};
}

// The planar formula along one axis; the mesh box maps onto 0..1.
D3DXVECTOR2 Planar(int axis, const D3DXVECTOR3& p, const Extent& e) {
  const D3DXVECTOR3& s = e.size;
  const D3DXVECTOR3& c = e.centre;
  switch (axis) {
    case 0:
      return {Over(p.z, s.z) + 0.5f - Over(c.z, s.z), -(Over(p.y, s.y) - 0.5f - Over(c.y, s.y))};
    case 1:
      return {Over(p.x, s.x) + 0.5f - Over(c.x, s.x), -(Over(p.z, s.z) - 0.5f - Over(c.z, s.z))};
    default:
      return {Over(p.x, s.x) + 0.5f - Over(c.x, s.x), -(Over(p.y, s.y) - 0.5f - Over(c.y, s.y))};
  }
}

}  // namespace

int Hux_DX8_ObjectDataChannel::GetTextureMapping(int set) {
  return (set >= 0 && set < textureSetCount) ? textureMappings[set] : -1;
}

void Hux_DX8_ObjectDataChannel::MakeObjectSizeBoundrys(D3DXVECTOR3& min, D3DXVECTOR3& max) {
  if (!positions || vertexCount == 0) return;
  min = positions[0];
  max = positions[0];
  for (uint32_t i = 1; i < vertexCount; ++i) {
    const D3DXVECTOR3& p = positions[i];
    if (min.x > p.x) min.x = p.x;
    if (min.y > p.y) min.y = p.y;
    if (min.z > p.z) min.z = p.z;
    if (!(max.x >= p.x)) max.x = p.x;
    if (!(max.y >= p.y)) max.y = p.y;
    if (!(max.z >= p.z)) max.z = p.z;
  }
}

void Hux_DX8_ObjectDataChannel::PlanarAxis(int set, int axis, const D3DXVECTOR3& min,
                                           const D3DXVECTOR3& max) {
  const Extent extent = ExtentOf(min, max);
  D3DXVECTOR2* uv = textureSets[set].get();
  for (uint32_t i = 0; i < vertexCount; ++i) uv[i] = Planar(axis, positions[i], extent);
}

void Hux_DX8_ObjectDataChannel::PlanarTexture(int set, int axis) {
  if (!GetVertexTUUse(set) || !positions || axis < 0 || axis > 2) return;
  D3DXVECTOR3 min(0.0f, 0.0f, 0.0f);
  D3DXVECTOR3 max(0.0f, 0.0f, 0.0f);
  MakeObjectSizeBoundrys(min, max);
  PlanarAxis(set, axis, min, max);
}

void Hux_DX8_ObjectDataChannel::CubicTexture(int set, bool wholeMesh) {
  if (!GetVertexTUUse(set) || !positions || !normals) return;
  D3DXVECTOR3 min(0.0f, 0.0f, 0.0f);
  D3DXVECTOR3 max(0.0f, 0.0f, 0.0f);
  MakeObjectSizeBoundrys(min, max);
  if (wholeMesh) {
    if (vertexCount < 3) return;
    // The face normal of the first three vertices picks the axis for the whole mesh.
    D3DXVECTOR3 a = positions[1] - positions[0];
    D3DXVECTOR3 b = positions[2] - positions[0];
    D3DXVECTOR3 m;
    D3DXVec3Cross(&m, &a, &b);
    const float x = std::fabs(m.x), y = std::fabs(m.y), z = std::fabs(m.z);
    int axis = 1;
    if (x >= y && x >= z) {
      axis = 0;
    } else if (z >= y && z >= x) {
      axis = 2;
    }
    PlanarAxis(set, axis, min, max);
    return;
  }
  const Extent e = ExtentOf(min, max);
  D3DXVECTOR2* uv = textureSets[set].get();
  for (uint32_t i = 0; i < vertexCount; ++i) {
    const D3DXVECTOR3& p = positions[i];
    const D3DXVECTOR3& n = normals[i];
    const float x = std::fabs(n.x), y = std::fabs(n.y), z = std::fabs(n.z);
    if (x >= y && x >= z) {
      uv[i] = {Over(p.z - min.z, e.size.z), -Over(p.y - min.y, e.size.y)};
    } else if (z >= y && z >= x) {
      uv[i] = {Over(p.x - min.x, e.size.x), -Over(p.y - min.y, e.size.y)};
    } else if (y >= z && y >= x) {
      uv[i] = {Over(p.x - min.x, e.size.x), -Over(p.z - min.z, e.size.z)};
    }  // a normal with a non-number component keeps its pair
  }
}

void Hux_DX8_ObjectDataChannel::MakeCylinderTexture(int set) {
  if (!GetVertexTUUse(set) || !positions || !normals || vertexCount == 0) return;
  D3DXVECTOR3 min(0.0f, 0.0f, 0.0f);
  D3DXVECTOR3 max(0.0f, 0.0f, 0.0f);
  MakeObjectSizeBoundrys(min, max);
  const Extent e = ExtentOf(min, max);
  const float k = Over(e.centre.y, e.size.y);
  D3DXVECTOR2* uv = textureSets[set].get();
  for (uint32_t i = 0; i < vertexCount; ++i) {
    uv[i] = {AroundY(normals[i]) * inverseTwoPi, -(Over(positions[i].y, e.size.y) - 0.5f - k)};
  }
}

void Hux_DX8_ObjectDataChannel::MakeSphereTexture(int set) {
  if (!GetVertexTUUse(set) || !positions || !normals) return;
  D3DXVECTOR2* uv = textureSets[set].get();
  for (uint32_t i = 0; i < vertexCount; ++i) {
    const D3DXVECTOR3& n = normals[i];
    uv[i] = {AroundY(n) * inverseTwoPi,
             static_cast<float>(std::acos(static_cast<double>(n.y))) * inversePi};
  }
}

void Hux_DX8_ObjectDataChannel::MapTexture(int set, int mapping, bool resetOffset) {
  if (set < 0 || set >= textureSetCount) return;
  textureMappings[set] = mapping;
  if (resetOffset) textureOffsets[set] = VertTUVOffset{};
  switch (mapping) {
    case 0:
    case 1:
    case 2:
      PlanarTexture(set, mapping);
      break;
    case 3:
      CubicTexture(set, false);
      break;
    case 4:
      MakeSphereTexture(set);
      break;
    case 5:
      MakeCylinderTexture(set);
      break;
    case 6:
      CubicTexture(set, true);
      break;
    default:
      return;  // no generator: coordinates and buffers stay
  }
  InvalidateDeviceObjects();
  CreateVertexBuffer();
}

void Hux_DX8_ObjectDataChannel::NormalizeTexture(int set) {
  if (vertexCount == 0 || !GetVertexTUUse(set)) return;
  D3DXVECTOR2* uv = textureSets[set].get();
  D3DXVECTOR2 lo = uv[0];
  D3DXVECTOR2 hi = uv[0];
  for (uint32_t i = 1; i < vertexCount; ++i) {
    if (uv[i].x < lo.x) lo.x = uv[i].x;
    if (uv[i].y < lo.y) lo.y = uv[i].y;
    if (uv[i].x > hi.x) hi.x = uv[i].x;
    if (uv[i].y > hi.y) hi.y = uv[i].y;
  }
  const float rangeU = hi.x - lo.x;
  const float rangeV = hi.y - lo.y;
  if (rangeU != 0.0f && !std::isnan(rangeU)) {
    const float f = 1.0f / rangeU;
    for (uint32_t i = 0; i < vertexCount; ++i) uv[i].x = (uv[i].x - lo.x) * f;
  }
  if (rangeV != 0.0f && !std::isnan(rangeV)) {
    const float f = 1.0f / rangeV;
    for (uint32_t i = 0; i < vertexCount; ++i) uv[i].y = (uv[i].y - lo.y) * f;
  }
  InvalidateDeviceObjects();
  CreateVertexBuffer();
}

void Hux_DX8_ObjectDataChannel::CalculateTextureCoords(int set) {
  if (!GetVertexTUUse(set) || !positions) return;
  VertTUVOffset& offset = textureOffsets[set];
  offset.appliedOffsetU = offset.requestedOffsetU;
  offset.appliedOffsetV = offset.requestedOffsetV;
  MapTexture(set, textureMappings[set], false);
  D3DXVECTOR2* uv = textureSets[set].get();
  for (uint32_t i = 0; i < vertexCount; ++i) {
    uv[i].x = offset.scaleU * uv[i].x;
    uv[i].y = offset.scaleV * uv[i].y;
    uv[i].x = uv[i].x - offset.appliedOffsetU;
    uv[i].y = offset.appliedOffsetV + uv[i].y;
  }
  InvalidateDeviceObjects();
  CreateVertexBuffer();
}

void Hux_DX8_ObjectDataChannel::RemapTexture() {
  for (int s = 0; s < textureSetCount; ++s) MapTexture(s, textureMappings[s], false);
  for (int s = 0; s < textureSetCount; ++s) CalculateTextureCoords(s);
}
