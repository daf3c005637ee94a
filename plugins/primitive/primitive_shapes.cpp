// Building the mesh of a primitive: the D3DX builders by type, copied into the object data
// arrays (normals negated and the index list reversed when flipped), and the plane.
#include <cmath>
#include <cstring>
#include <limits>

#include "d3dx/mesh.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "hux_dx8_primitive.h"
#include "hux_float_channel.h"
#include "value_child.h"

namespace {

// The complexity a float child asks for, truncated toward zero; values outside the int range
// (and NaN, as 0) are held inside it.
int32_t ComplexityFrom(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483520.0f) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace

void Hux_DX8_Primitive::CreateShape() {
  IDirect3DDevice8* device = graphicsDevice ? graphicsDevice->GetDirect3dDevice() : nullptr;
  if (device == nullptr) return;
  if (Hux_FloatChannel* value = AsFloatChannel(GetChildFromLinkPosition(complexityLink, 0))) {
    complexity = ComplexityFrom(value->GetFloat());
  }
  if (vertexCount > 0) Release();
  if (primitiveType == primitivePlane) {
    BuildPlane();
    return;
  }
  if (primitiveType == primitiveLineStrip) {
    shapeBuilt = true;
    return;
  }
  ID3DXMesh* mesh = BuildMesh(device);
  if (mesh == nullptr) {
    // Not built: the next evaluation tries again.
    RemapTexture();
    return;
  }
  if (!CopyMesh(mesh)) {
    mesh->Release();
    return;
  }
  CreateVertexBuffer();
  shapeBuilt = true;
  switch (primitiveType) {
    case primitiveBox:
    case primitiveDisc: CubicTexture(0, false); break;
    case primitiveSphere:
    case primitiveCylinder:
    case primitiveCone: MakeSphereTexture(0); break;
    default: break;
  }
  mesh->Release();
  RemapTexture();
}

ID3DXMesh* Hux_DX8_Primitive::BuildMesh(IDirect3DDevice8* device) {
  // Counts go to the builders as unsigned, as D3DX takes them; negative ones then ask for
  // far too many vertices and the builder refuses.
  const auto c = static_cast<UINT>(complexity);
  const auto quarter = static_cast<UINT>(static_cast<int32_t>(static_cast<float>(complexity) * 0.25f));
  ID3DXMesh* mesh = nullptr;
  HRESULT result = D3DERR_INVALIDCALL;
  switch (primitiveType) {
    case primitiveBox: result = D3DXCreateBox(device, 1.0f, 1.0f, 1.0f, &mesh, nullptr); break;
    case primitiveSphere: result = D3DXCreateSphere(device, 1.0f, 2 * c, c, &mesh, nullptr); break;
    case primitiveCylinder:
      result = D3DXCreateCylinder(device, 1.0f, 1.0f, 1.0f, c, quarter, &mesh, nullptr);
      break;
    case primitiveCone:
      result = D3DXCreateCylinder(device, 1.0f, 0.0f, 1.0f, c, quarter, &mesh, nullptr);
      break;
    case primitiveTorus: result = D3DXCreateTorus(device, 0.5f, 1.0f, c, 2 * c, &mesh, nullptr); break;
    case primitiveDisc: {
      const float side = complexity == 0 ? 1.0f : 3.141592f / static_cast<float>(complexity);
      result = D3DXCreatePolygon(device, side, c, &mesh, nullptr);
      break;
    }
    default: break;
  }
  if (FAILED(result)) {
    if (mesh != nullptr) mesh->Release();
    return nullptr;
  }
  return mesh;
}

bool Hux_DX8_Primitive::CopyMesh(ID3DXMesh* mesh) {
  Release();
  const DWORD format = mesh->GetFVF();
  const bool hasPosition = (format & D3DFVF_XYZ) != 0;
  const bool hasNormal = (format & D3DFVF_NORMAL) != 0;
  const size_t stride = (hasPosition ? 12 : 0) + (hasNormal ? 12 : 0);
  const int count = static_cast<int>(mesh->GetNumVertices());
  SetVertexCount(count);
  BYTE* vertices = nullptr;
  if (FAILED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &vertices))) return false;
  const D3DXVECTOR2 zero(0.0f, 0.0f);
  for (int i = 0; i < count; ++i) {
    const BYTE* vertex = vertices + static_cast<size_t>(i) * stride;
    float values[6];
    std::memcpy(values, vertex, stride);
    const float* next = values;
    if (hasPosition) {
      SetVertexPosition(D3DXVECTOR3(next[0], next[1], next[2]), i);
      next += 3;
    }
    if (hasNormal) {
      const float sign = polygonFlip ? -1.0f : 1.0f;
      SetVertexNormal(D3DXVECTOR3(sign * next[0], sign * next[1], sign * next[2]), i);
    }
    for (int set = 0; set < textureSetCount; ++set) {
      if (textureSetUsed[set]) SetVertexTUCoord(set, zero, i);
    }
  }
  mesh->UnlockVertexBuffer();

  boundingBoxValid = false;
  SetIndexCount(static_cast<int>(3 * mesh->GetNumFaces()));
  BYTE* indexData = nullptr;
  if (FAILED(mesh->LockIndexBuffer(D3DLOCK_READONLY, &indexData))) return false;
  const int total = GetIndexCount();
  for (int i = 0; i < total; ++i) {
    uint16_t index;
    std::memcpy(&index, indexData + 2 * static_cast<size_t>(i), sizeof index);
    // Reversing the whole list reverses the winding of every triangle.
    SetIndex(index, polygonFlip ? total - 1 - i : i);
  }
  mesh->UnlockIndexBuffer();
  return true;
}

void Hux_DX8_Primitive::BuildPlane() {
  Release();
  SetVertexCount(4);
  const D3DXVECTOR3 corners[4] = {
      {-0.5f, 0.5f, 0.0f}, {0.5f, 0.5f, 0.0f}, {0.5f, -0.5f, 0.0f}, {-0.5f, -0.5f, 0.0f}};
  const D3DXVECTOR2 uvs[4] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
  for (int i = 0; i < 4; ++i) {
    SetVertexPosition(corners[i], i);
    SetVertexNormal(D3DXVECTOR3(0.0f, 0.0f, -1.0f), i);
    for (int set = 0; set < textureSetCount; ++set) {
      if (textureSetUsed[set]) SetVertexTUCoord(set, uvs[i], i);
    }
  }
  const uint16_t planeIndices[6] = {0, 2, 3, 0, 1, 2};
  SetIndexCount(6);
  for (int i = 0; i < 6; ++i) SetIndex(planeIndices[i], i);
  CreateVertexBuffer();
  shapeBuilt = true;
  RemapTexture();
}
