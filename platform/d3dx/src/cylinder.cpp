// The cylinder (or cone) builder along the z axis: the cap at -z, stacks + 1 rings of side
// vertices from -z to +z, then the cap at +z. Caps have vertices of their own, so that
// their normals stay flat.
#include <cmath>

#include "shape_builder.h"

HRESULT D3DXCreateCylinder(IDirect3DDevice8* device, float radius1, float radius2, float length,
                           UINT slices, UINT stacks, ID3DXMesh** mesh, ID3DXBuffer** adjacency) {
  const bool valid = d3dx_detail::validSize(radius1) && d3dx_detail::validSize(radius2) &&
                     d3dx_detail::validSize(length) && slices >= 2 && stacks >= 1;
  const uint64_t vertexCount = uint64_t{slices} * (uint64_t{stacks} + 3) + 2;
  const uint64_t faceCount = 2 * uint64_t{slices} * (uint64_t{stacks} + 1);
  return d3dx_detail::buildShape(
      device, valid, vertexCount, faceCount, mesh, adjacency, [&](d3dx_detail::MeshArrays& out) {
        const float halfLength = length / 2.0f;
        const auto direction = [slices](UINT slice) {
          const float theta = d3dx_detail::turnAngle(slice, slices);
          return D3DXVECTOR3(std::cos(theta), std::sin(theta), 0.0f);
        };
        const D3DXVECTOR3 down(0.0f, 0.0f, -1.0f);
        const D3DXVECTOR3 up(0.0f, 0.0f, 1.0f);

        const uint32_t bottomCentre = 0;
        out.addVertex({0.0f, 0.0f, -halfLength}, down);
        const uint32_t bottomRim = 1;
        for (UINT slice = 0; slice < slices; ++slice)
          out.addVertex(direction(slice) * radius1 + down * halfLength, down);

        const uint32_t side = bottomRim + slices;
        for (UINT ring = 0; ring <= stacks; ++ring) {
          const float f = static_cast<float>(ring) / static_cast<float>(stacks);
          const float radius = radius1 + (radius2 - radius1) * f;
          const float z = -halfLength + length * f;
          for (UINT slice = 0; slice < slices; ++slice) {
            const D3DXVECTOR3 d = direction(slice);
            // Perpendicular to the slanted side; for a flat, straight cylinder just outward.
            D3DXVECTOR3 n(d.x * length, d.y * length, radius1 - radius2);
            if (n == D3DXVECTOR3(0.0f, 0.0f, 0.0f)) n = d;
            D3DXVec3Normalize(&n, &n);
            out.addVertex({d.x * radius, d.y * radius, z}, n);
          }
        }

        const uint32_t topRim = side + (stacks + 1) * slices;
        for (UINT slice = 0; slice < slices; ++slice)
          out.addVertex(direction(slice) * radius2 + up * halfLength, up);
        const uint32_t topCentre = topRim + slices;
        out.addVertex({0.0f, 0.0f, halfLength}, up);

        const auto next = [slices](UINT slice) { return (slice + 1) % slices; };
        for (UINT slice = 0; slice < slices; ++slice)
          out.addFace(bottomCentre, bottomRim + next(slice), bottomRim + slice);
        for (UINT ring = 0; ring < stacks; ++ring) {
          const uint32_t lowerRing = side + ring * slices;
          const uint32_t upperRing = lowerRing + slices;
          for (UINT slice = 0; slice < slices; ++slice) {
            out.addFace(upperRing + slice, lowerRing + slice, upperRing + next(slice));
            out.addFace(upperRing + next(slice), lowerRing + slice, lowerRing + next(slice));
          }
        }
        for (UINT slice = 0; slice < slices; ++slice)
          out.addFace(topCentre, topRim + slice, topRim + next(slice));
      });
}
