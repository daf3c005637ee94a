// The box builder: six sides of four vertices each, centred on the origin.
#include "shape_builder.h"

HRESULT D3DXCreateBox(IDirect3DDevice8* device, float width, float height, float depth,
                      ID3DXMesh** mesh, ID3DXBuffer** adjacency) {
  const bool valid = d3dx_detail::validSize(width) && d3dx_detail::validSize(height) &&
                     d3dx_detail::validSize(depth);
  return d3dx_detail::buildShape(
      device, valid, 24, 12, mesh, adjacency, [&](d3dx_detail::MeshArrays& out) {
        const D3DXVECTOR3 half(width / 2.0f, height / 2.0f, depth / 2.0f);
        // Each side: its normal n and two axes s, t with s x t = n.
        struct Side {
          D3DXVECTOR3 n;
          D3DXVECTOR3 s;
          D3DXVECTOR3 t;
        };
        const Side sides[6] = {
            {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
            {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
            {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
        };
        const auto scaled = [&half](const D3DXVECTOR3& v) {
          return D3DXVECTOR3(v.x * half.x, v.y * half.y, v.z * half.z);
        };
        for (uint32_t i = 0; i < 6; ++i) {
          const D3DXVECTOR3 centre = scaled(sides[i].n);
          const D3DXVECTOR3 s = scaled(sides[i].s);
          const D3DXVECTOR3 t = scaled(sides[i].t);
          // Corners counter-clockwise in (s, t), which is clockwise seen from outside.
          out.addVertex(centre - s - t, sides[i].n);
          out.addVertex(centre + s - t, sides[i].n);
          out.addVertex(centre + s + t, sides[i].n);
          out.addVertex(centre - s + t, sides[i].n);
          out.addFace(4 * i, 4 * i + 1, 4 * i + 2);
          out.addFace(4 * i, 4 * i + 2, 4 * i + 3);
        }
      });
}
