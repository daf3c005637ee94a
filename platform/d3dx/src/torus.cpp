// The torus builder: rings around the z axis, each a circle of sides vertices around the tube.
#include <cmath>

#include "shape_builder.h"

HRESULT D3DXCreateTorus(IDirect3DDevice8* device, float innerRadius, float outerRadius, UINT sides,
                        UINT rings, ID3DXMesh** mesh, ID3DXBuffer** adjacency) {
  const bool valid = d3dx_detail::validSize(innerRadius) && d3dx_detail::validSize(outerRadius) &&
                     sides >= 3 && rings >= 3;
  const uint64_t vertexCount = uint64_t{sides} * rings;
  return d3dx_detail::buildShape(
      device, valid, vertexCount, 2 * vertexCount, mesh, adjacency,
      [&](d3dx_detail::MeshArrays& out) {
        for (UINT ring = 0; ring < rings; ++ring) {
          const float theta = d3dx_detail::turnAngle(ring, rings);
          const float ct = std::cos(theta);
          const float st = std::sin(theta);
          for (UINT side = 0; side < sides; ++side) {
            const float phi = d3dx_detail::turnAngle(side, sides);
            const float cp = std::cos(phi);
            const float sp = std::sin(phi);
            const float distance = outerRadius + innerRadius * cp;  // from the z axis
            out.addVertex({distance * ct, distance * st, innerRadius * sp}, {cp * ct, cp * st, sp});
          }
        }
        const auto at = [sides, rings](UINT ring, UINT side) {
          return (ring % rings) * sides + side % sides;
        };
        for (UINT ring = 0; ring < rings; ++ring) {
          for (UINT side = 0; side < sides; ++side) {
            out.addFace(at(ring, side), at(ring + 1, side), at(ring, side + 1));
            out.addFace(at(ring + 1, side), at(ring + 1, side + 1), at(ring, side + 1));
          }
        }
      });
}
