// Construction, the vertex and index arrays with their setters and getters, and the
// stored per-evaluation state (world matrix, texture transform modes, offsets).
#include <new>

#include "base_type_guids.h"
#include "object_data_channel.h"
#include "runtime/engine_interface.h"

namespace {

// Allocates a zero-filled array of `count` elements when it is missing; false when memory
// runs out (the array stays missing).
template <typename T>
bool EnsureArray(std::unique_ptr<T[]>& array, uint32_t count) {
  if (!array && count > 0) array.reset(new (std::nothrow) T[count]());
  return array != nullptr;
}

bool InRange(int i, uint32_t count) { return i >= 0 && static_cast<uint32_t>(i) < count; }

ChildCreation MatrixLink(const char* name, int requestLink) {
  ChildCreation link;
  CopyTextField(link.linkName, name);
  CopyTextField(link.acceptedType.name, "Matrix");
  link.acceptedType.guid = matrixValueGuid;
  link.requestLink = requestLink;
  link.createChild = 0;
  link.declaredLinks = 1;
  return link;
}

}  // namespace

Hux_DX8_ObjectDataChannel::Hux_DX8_ObjectDataChannel() {
  D3DXMatrixIdentity(&transformedBoxMatrix);
  D3DXMatrixIdentity(&worldMatrix);
  SetChildCreationCount(2);
  SetChildCreateType(MatrixLink("Texture Matrix Set 0", 0), 0);
  SetChildCreateType(MatrixLink("Texture Matrix Set 1", 1), 1);
}

Hux_DX8_ObjectDataChannel::~Hux_DX8_ObjectDataChannel() {
  IDirect3DVertexBuffer8* vertices = vertexBuffer;
  IDirect3DIndexBuffer8* indexList = indexBuffer;
  vertexBuffer = nullptr;
  indexBuffer = nullptr;
  const bool verticesLeft = vertices != nullptr && vertices->Release() > 0;
  const bool indicesLeft = indexList != nullptr && indexList->Release() > 0;
  for (bool left : {verticesLeft, indicesLeft}) {
    if (left && engineInterface != nullptr) {
      engineInterface->errorMessage("Error vertex buffer not released : ", GetChannelName());
    }
  }
}

void Hux_DX8_ObjectDataChannel::DoDependencyInit(Zyl_List* dependencies) {
  AddChannelGuidDepend(floatValueGuid, dependencies);
  AddChannelGuidDepend(deviceUseGuid, dependencies);
}

void Hux_DX8_ObjectDataChannel::ReleaseBuffers() {
  if (vertexBuffer != nullptr) vertexBuffer->Release();
  if (indexBuffer != nullptr) indexBuffer->Release();
  vertexBuffer = nullptr;
  indexBuffer = nullptr;
}

void Hux_DX8_ObjectDataChannel::InvalidateDeviceObjects() {
  buffersValid = false;
  ReleaseBuffers();
}

void Hux_DX8_ObjectDataChannel::ReleaseVertexData() {
  positions.reset();
  normals.reset();
  for (auto& set : textureSets) set.reset();
  colours.reset();
  boundingBoxValid = false;
  buffersValid = false;
  vertexCount = 0;
}

void Hux_DX8_ObjectDataChannel::Release() {
  ReleaseVertexData();
  ReleaseBuffers();
  indices.reset();
  vertexCount = 0;
  indexCount = 0;
  vertexFormat = 0;
  polygonType = D3DPT_TRIANGLELIST;
  buffersValid = false;
  boundingBoxValid = false;
  transformedBoxStale = true;
}

void Hux_DX8_ObjectDataChannel::SetVertexCount(int count) {
  ReleaseVertexData();
  vertexCount = count > 0 ? static_cast<uint32_t>(count) : 0;
}

int Hux_DX8_ObjectDataChannel::GetVertexCount() { return static_cast<int>(vertexCount); }

void Hux_DX8_ObjectDataChannel::SetIndexCount(int count) {
  indices.reset();
  indexCount = count > 0 ? static_cast<uint32_t>(count) : 0;
}

int Hux_DX8_ObjectDataChannel::GetIndexCount() { return static_cast<int>(indexCount); }

bool Hux_DX8_ObjectDataChannel::SetIndex(unsigned short value, int i) {
  if (indexCount == 0) return true;  // no array to store into
  if (!EnsureArray(indices, indexCount)) return false;
  if (!InRange(i, indexCount)) {
    if (engineInterface != nullptr) {
      engineInterface->errorMessage("SetIndex index our of range!! : ", i);
    }
    return false;
  }
  indices[i] = value;
  return true;
}

unsigned short Hux_DX8_ObjectDataChannel::GetIndexes(unsigned long i) {
  return (indices && i < indexCount) ? indices[i] : 0;
}

bool Hux_DX8_ObjectDataChannel::SetVertexPosition(D3DXVECTOR3 position, int i) {
  if (EnsureArray(positions, vertexCount) && InRange(i, vertexCount)) positions[i] = position;
  return true;
}

D3DXVECTOR3 Hux_DX8_ObjectDataChannel::GetVertexPosition(unsigned long i) {
  return (positions && i < vertexCount) ? positions[i] : D3DXVECTOR3(0.0f, 0.0f, 0.0f);
}

bool Hux_DX8_ObjectDataChannel::SetVertexNormal(D3DXVECTOR3 normal, int i) {
  if (EnsureArray(normals, vertexCount) && InRange(i, vertexCount)) normals[i] = normal;
  return true;
}

D3DXVECTOR3 Hux_DX8_ObjectDataChannel::GetVertexNormals(unsigned long i) {
  return (normals && i < vertexCount) ? normals[i] : D3DXVECTOR3(0.0f, 0.0f, 0.0f);
}

bool Hux_DX8_ObjectDataChannel::SetVertexTUCoord(int set, D3DXVECTOR2 uv, int i) {
  if (set < 0 || set >= textureSetCount) return false;
  auto& array = textureSets[set];
  if (EnsureArray(array, vertexCount) && InRange(i, vertexCount)) array[i] = uv;
  return true;
}

D3DXVECTOR2 Hux_DX8_ObjectDataChannel::GetVertexTUV(int set, unsigned long i) {
  if (set < 0 || set >= textureSetCount || !textureSets[set] || i >= vertexCount) {
    return D3DXVECTOR2(0.0f, 0.0f);
  }
  return textureSets[set][i];
}

bool Hux_DX8_ObjectDataChannel::SetVertexColor(unsigned long colour, int i) {
  if (EnsureArray(colours, vertexCount) && InRange(i, vertexCount)) {
    colours[i] = static_cast<DWORD>(colour);
  }
  return true;
}

DWORD Hux_DX8_ObjectDataChannel::GetVertexColor(unsigned long i) {
  return (colours && i < vertexCount) ? colours[i] : 0;
}

bool Hux_DX8_ObjectDataChannel::GetVertexPositionUse() { return positions != nullptr; }
bool Hux_DX8_ObjectDataChannel::GetVertexNormalUse() { return normals != nullptr; }
bool Hux_DX8_ObjectDataChannel::GetVertexColorUse() { return colours != nullptr; }

bool Hux_DX8_ObjectDataChannel::GetVertexTUUse(int set) {
  return set >= 0 && set < textureSetCount && textureSets[set] != nullptr;
}

void Hux_DX8_ObjectDataChannel::SetPolygonType(int type) { polygonType = type; }
int Hux_DX8_ObjectDataChannel::GetPolygonType() { return polygonType; }
DWORD Hux_DX8_ObjectDataChannel::GetFVFlags() { return vertexFormat; }
DWORD Hux_DX8_ObjectDataChannel::GetVertexSize() { return vertexSize; }

VertTUVOffset Hux_DX8_ObjectDataChannel::GetTUVOffSet(int set) {
  if (set < 0 || set >= textureSetCount) return VertTUVOffset{};
  return textureOffsets[set];
}

void Hux_DX8_ObjectDataChannel::SetTUVOffSet(int set, VertTUVOffset offset) {
  if (set < 0 || set >= textureSetCount) return;
  textureOffsets[set] = offset;
  CalculateTextureCoords(set);
}

void Hux_DX8_ObjectDataChannel::DoCustomPreRenderStates() {}

void Hux_DX8_ObjectDataChannel::SetWorldMatrix(D3DXMATRIX matrix) {
  worldMatrix = matrix;
  worldMatrixSet = true;
}

D3DXMATRIX Hux_DX8_ObjectDataChannel::GetWorldMatrix() { return worldMatrix; }

void Hux_DX8_ObjectDataChannel::SetTextureTransform(int set, int mode) {
  if (set >= 0 && set < textureSetCount) textureTransformModes[set] = mode;
}

int Hux_DX8_ObjectDataChannel::GetTextureTransform(int set) {
  return (set >= 0 && set < textureSetCount) ? textureTransformModes[set] : 0;
}
