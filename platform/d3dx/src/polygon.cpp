// The polygon builder: a centre vertex and a regular polygon around it in the xy plane.
#include <cmath>

#include "shape_builder.h"

HRESULT D3DXCreatePolygon(IDirect3DDevice8* device, float length, UINT sides, ID3DXMesh** mesh,
                          ID3DXBuffer** adjacency) {
  const bool valid = d3dx_detail::validSize(length) && sides >= 3;
  return d3dx_detail::buildShape(
      device, valid, uint64_t{sides} + 1, sides, mesh, adjacency,
      [&](d3dx_detail::MeshArrays& out) {
        const D3DXVECTOR3 normal(0.0f, 0.0f, 1.0f);
        // The distance from the centre to a corner for sides of the given length.
        const float radius = length / (2.0f * std::sin(D3DX_PI / static_cast<float>(sides)));
        out.addVertex({0.0f, 0.0f, 0.0f}, normal);
        for (UINT i = 0; i < sides; ++i) {
          const float angle = d3dx_detail::turnAngle(i, sides);
          out.addVertex({radius * std::cos(angle), radius * std::sin(angle), 0.0f}, normal);
        }
        for (UINT i = 0; i < sides; ++i) out.addFace(0, 1 + i, 1 + (i + 1) % sides);
      });
}
