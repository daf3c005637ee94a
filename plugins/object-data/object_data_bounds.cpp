// Texture transforms per texture set, the local and transformed bounding boxes, and
// culling against the view frustum.
#include <cstring>

#include "base_type_guids.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "hux_matrix_channel.h"
#include "object_data_channel.h"
#include "value_child.h"

namespace {

constexpr DWORD projectedFlags = D3DTTFF_COUNT3 | D3DTTFF_PROJECTED;

D3DXMATRIX ZeroMatrix() {
  D3DXMATRIX m;
  std::memset(&m, 0, sizeof(m));
  return m;
}

// Camera-space coordinates back to world directions: the inverse camera rotation with
// normalised rows.
D3DXMATRIX CameraSpaceTransform(const D3DXMATRIX& camera) {
  D3DXMATRIX inverse;
  if (D3DXMatrixInverse(&inverse, nullptr, &camera) == nullptr) D3DXMatrixIdentity(&inverse);
  D3DXMATRIX out = ZeroMatrix();
  for (int row = 0; row < 3; ++row) {
    D3DXVECTOR3 v(inverse.m[row][0], inverse.m[row][1], inverse.m[row][2]);
    if (v.x != 0.0f || v.y != 0.0f || v.z != 0.0f) D3DXVec3Normalize(&v, &v);
    out.m[row][0] = v.x;
    out.m[row][1] = v.y;
    out.m[row][2] = v.z;
  }
  out._44 = 1.0f;
  return out;
}

void Include(BoundingBox& box, const D3DXVECTOR3& p) {
  if (p.x < box.min.x) box.min.x = p.x;
  if (p.y < box.min.y) box.min.y = p.y;
  if (p.z < box.min.z) box.min.z = p.z;
  if (p.x > box.max.x) box.max.x = p.x;
  if (p.y > box.max.y) box.max.y = p.y;
  if (p.z > box.max.z) box.max.z = p.z;
}

}  // namespace

void Hux_DX8_ObjectDataChannel::StreamTextureMatrices() {
  if (graphicsDevice == nullptr) return;
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  if (device == nullptr) return;
  for (int s = 0; s < textureSetCount; ++s) {
    const auto transform = static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + s);
    const auto stage = static_cast<DWORD>(s);
    const int mode = textureTransformModes[s];
    Hux_MatrixChannel* matrixChild = s < 2 ? AsMatrixChannel(GetChildFromLinkPosition(s, 0))
                                           : nullptr;
    if (matrixChild != nullptr) {
      D3DXMATRIX m = matrixChild->GetMatrix();
      device->SetTransform(transform, &m);
      textureMatricesSet = true;
      if (mode == transformCameraSpace) {
        graphicsDevice->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3);
      } else if (mode == transformProjected) {
        graphicsDevice->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, projectedFlags);
      }
      continue;
    }
    DWORD coordIndex = 0;
    device->GetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, &coordIndex);
    if (mode == transformNone) {
      if (coordIndex != (D3DTSS_TCI_CAMERASPACENORMAL | 1) &&
          coordIndex != (D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR | 1)) {
        continue;
      }
      D3DXMATRIX m = ZeroMatrix();
      m._11 = 0.5f;
      m._22 = -0.5f;
      m._41 = 0.5f;
      m._42 = -0.5f;
      m._44 = 1.0f;
      device->SetTransform(transform, &m);
      textureMatricesSet = true;
    } else if (mode == transformCameraSpace) {
      D3DXMATRIX m = CameraSpaceTransform(graphicsDevice->GetCameraMatrix());
      device->SetTransform(transform, &m);
      graphicsDevice->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3);
      textureMatricesSet = true;
    } else if (mode == transformProjected) {
      D3DXMATRIX bias = ZeroMatrix();
      bias._11 = 0.5f;
      bias._22 = -0.5f;
      bias._41 = 0.5f;
      bias._42 = 0.5f;
      bias._43 = 1.0f;
      bias._44 = 1.0f;
      D3DXMATRIX projection = graphicsDevice->GetProjectionMatrix();
      D3DXMATRIX m;
      D3DXMatrixMultiply(&m, &projection, &bias);
      device->SetTransform(transform, &m);
      graphicsDevice->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, projectedFlags);
      textureMatricesSet = true;
    }
  }
}

void Hux_DX8_ObjectDataChannel::CalculateBoundingBox() {
  if (vertexCount == 0 || !positions) return;
  BoundingBox box{positions[0], positions[0]};
  for (uint32_t i = 1; i < vertexCount; ++i) {
    const D3DXVECTOR3& p = positions[i];
    Include(box, p);
  }
  boundingBox = box;
  boundingBoxValid = true;
  // The cached transformed box belongs to the previous local box.
  transformedBoxStale = true;
}

D3DXVECTOR3 Hux_DX8_ObjectDataChannel::GetBoundingBoxMin() {
  if (!boundingBoxValid) CalculateBoundingBox();
  return boundingBox.min;
}

D3DXVECTOR3 Hux_DX8_ObjectDataChannel::GetBoundingBoxMax() {
  if (!boundingBoxValid) CalculateBoundingBox();
  return boundingBox.max;
}

BoundingBox Hux_DX8_ObjectDataChannel::GetObjectTransformedMinMaxBox(D3DXMATRIX matrix) {
  if (!boundingBoxValid) CalculateBoundingBox();
  if (!transformedBoxStale && std::memcmp(&matrix, &transformedBoxMatrix, sizeof(matrix)) == 0) {
    return transformedBox;
  }
  transformedBoxMatrix = matrix;
  transformedBoxStale = false;
  const D3DXVECTOR3& lo = boundingBox.min;
  const D3DXVECTOR3& hi = boundingBox.max;
  BoundingBox box{};
  for (int corner = 0; corner < 8; ++corner) {
    D3DXVECTOR3 p((corner & 1) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y,
                  (corner & 4) ? hi.z : lo.z);
    D3DXVec3TransformCoord(&p, &p, &matrix);
    if (corner == 0) box = BoundingBox{p, p};
    Include(box, p);
  }
  transformedBox = box;
  return box;
}

BoundingBox Hux_DX8_ObjectDataChannel::GetObjectTransformedMinMaxBox() {
  return GetObjectTransformedMinMaxBox(worldMatrix);
}

bool Hux_DX8_ObjectDataChannel::GetIfObjectIsVisible() {
  if (vertexCount < 4) return true;
  if (!boundingBoxValid) CalculateBoundingBox();
  if (!boundingBoxValid || graphicsDevice == nullptr) return true;
  BoundingBox box = GetObjectTransformedMinMaxBox(worldMatrix);
  return graphicsDevice->CheckAABBVisible(box.min, box.max);
}
