// The line strip (type 7): one line list draw per pair of neighbouring vector children.
#include "base_type_guids.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "hux_dx8_primitive.h"
#include "value_child.h"

namespace {

// Position and one texture pair, as D3DFVF_XYZ | D3DFVF_TEX1 lays it out.
struct LineVertex {
  float x, y, z;
  float u, v;
};
static_assert(sizeof(LineVertex) == 20);

constexpr DWORD lineVertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;

}  // namespace

void Hux_DX8_Primitive::DrawLine() {
  const int count = GetChildTypeCount(vectorValueGuid);
  if (count < 2 || graphicsDevice == nullptr) return;
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  if (device == nullptr) return;
  const D3DXVECTOR3 origin(0.0f, 0.0f, 0.0f);
  for (int i = 0; i + 1 < count; ++i) {
    Zyl_Channel* from = GetChildFromLinkGuid(vectorValueGuid, i);
    Zyl_Channel* to = GetChildFromLinkGuid(vectorValueGuid, i + 1);
    if (from == nullptr || to == nullptr) continue;
    DrawSegment(device, ReadVectorChild(from, origin), ReadVectorChild(to, origin));
  }
}

void Hux_DX8_Primitive::DrawLine(D3DXVECTOR3 from, D3DXVECTOR3 to) {
  if (graphicsDevice == nullptr) return;
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  if (device == nullptr) return;
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  device->SetTransform(D3DTS_WORLD, &identity);
  DrawSegment(device, from, to);
}

void Hux_DX8_Primitive::DrawSegment(IDirect3DDevice8* device, const D3DXVECTOR3& from,
                                    const D3DXVECTOR3& to) {
  const LineVertex vertices[2] = {{from.x, from.y, from.z, 0.0f, 0.0f},
                                  {to.x, to.y, to.z, 1.0f, 0.0f}};
  const uint16_t lineIndices[2] = {0, 1};
  device->SetVertexShader(lineVertexFormat);
  device->DrawIndexedPrimitiveUP(D3DPT_LINELIST, 0, 2, 1, lineIndices, D3DFMT_INDEX16, vertices,
                                 sizeof(LineVertex));
}
