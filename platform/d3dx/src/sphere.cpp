// The sphere builder: a pole vertex at +z, stacks - 1 rings of slices vertices, a pole at -z.
#include <cmath>

#include "shape_builder.h"

HRESULT D3DXCreateSphere(IDirect3DDevice8* device, float radius, UINT slices, UINT stacks,
                         ID3DXMesh** mesh, ID3DXBuffer** adjacency) {
  const bool valid = d3dx_detail::validSize(radius) && slices >= 2 && stacks >= 2;
  const uint64_t rings = valid ? stacks - 1u : 0;
  const uint64_t vertexCount = rings * slices + 2;
  const uint64_t faceCount = 2 * uint64_t{slices} * rings;
  return d3dx_detail::buildShape(
      device, valid, vertexCount, faceCount, mesh, adjacency, [&](d3dx_detail::MeshArrays& out) {
        out.addVertex({0.0f, 0.0f, radius}, {0.0f, 0.0f, 1.0f});
        for (UINT ring = 1; ring < stacks; ++ring) {
          const float phi = d3dx_detail::turnAngle(ring, 2 * uint64_t{stacks});  // half a turn
          for (UINT slice = 0; slice < slices; ++slice) {
            const float theta = d3dx_detail::turnAngle(slice, slices);
            const D3DXVECTOR3 n(std::sin(phi) * std::cos(theta), std::sin(phi) * std::sin(theta),
                                std::cos(phi));
            out.addVertex(n * radius, n);
          }
        }
        out.addVertex({0.0f, 0.0f, -radius}, {0.0f, 0.0f, -1.0f});

        const auto at = [slices](UINT ring, UINT slice) {
          return 1 + (ring - 1) * slices + slice % slices;
        };
        const uint32_t bottom = static_cast<uint32_t>(vertexCount - 1);
        for (UINT slice = 0; slice < slices; ++slice)
          out.addFace(0, at(1, slice), at(1, slice + 1));
        for (UINT ring = 1; ring + 1 < stacks; ++ring) {
          for (UINT slice = 0; slice < slices; ++slice) {
            const uint32_t upper = at(ring, slice);
            const uint32_t upperNext = at(ring, slice + 1);
            const uint32_t lower = at(ring + 1, slice);
            const uint32_t lowerNext = at(ring + 1, slice + 1);
            out.addFace(upper, lower, upperNext);
            out.addFace(upperNext, lower, lowerNext);
          }
        }
        for (UINT slice = 0; slice < slices; ++slice)
          out.addFace(at(stacks - 1, slice), bottom, at(stacks - 1, slice + 1));
      });
}
