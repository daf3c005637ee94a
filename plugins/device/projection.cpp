// Projection, view frustum and the conversions between 3D positions and screen pixels.
#include "hux_dx8_direct_graphics_channel.h"
#include "runtime/engine_interface.h"

namespace {

// Half extents of the view window at distance 1 for zoom 1: the horizontal one is larger.
constexpr float halfWidthAtZoom1 = 0.2154333f;
constexpr float halfHeightAtZoom1 = 0.1611f;

D3DXMATRIX Identity() {
  D3DXMATRIX m;
  D3DXMatrixIdentity(&m);
  return m;
}

D3DXMATRIX ZeroMatrix() {
  D3DXMATRIX m;
  for (auto& row : m.m) {
    for (float& element : row) element = 0.0f;
  }
  return m;
}

D3DXPLANE Column(const D3DXMATRIX& m, int c) {
  return {m.m[0][c], m.m[1][c], m.m[2][c], m.m[3][c]};
}

D3DXPLANE Sum(const D3DXPLANE& p, const D3DXPLANE& q) {
  return {p.a + q.a, p.b + q.b, p.c + q.c, p.d + q.d};
}

D3DXPLANE Difference(const D3DXPLANE& p, const D3DXPLANE& q) {
  return {p.a - q.a, p.b - q.b, p.c - q.c, p.d - q.d};
}

// The transform of `state` on the device, identity without one.
D3DXMATRIX DeviceTransform(IDirect3DDevice8* device, D3DTRANSFORMSTATETYPE state) {
  D3DXMATRIX m = Identity();
  if (device != nullptr) device->GetTransform(state, &m);
  return m;
}

D3DXVECTOR3 Transformed(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
  D3DXVECTOR3 out;
  D3DXVec3TransformCoord(&out, &v, &m);
  return out;
}

// The inverse, or the matrix itself when it has none (D3DXMatrixInverse leaves it as it was).
D3DXMATRIX Inverted(const D3DXMATRIX& m) {
  D3DXMATRIX out = m;
  D3DXMatrixInverse(&out, nullptr, &m);
  return out;
}

}  // namespace

void Hux_DX8_DirectGraphicsChannel::SetProjectionMatrix(D3DXMATRIX& matrix) {
  if (device == nullptr) return;
  if (FAILED(device->SetTransform(D3DTS_PROJECTION, &matrix)) && engineInterface != nullptr) {
    engineInterface->errorMessage("Cound't set projection2");
  }
}

void Hux_DX8_DirectGraphicsChannel::SetProjectionMatrix(float nearPlane, float farPlane,
                                                        float scale, float zoom) {
  if (device == nullptr) return;
  float z = zoom != 0.0f ? 1.0f / zoom : 0.0f;
  // A zoom of 0 leaves no view window (the elements would divide by zero): the device
  // keeps its last projection, while the zoom factor and the information record 0.
  if (z != 0.0f) {
    float w = halfWidthAtZoom1 * z;
    float h = halfHeightAtZoom1 * z;
    D3DXMATRIX projection = ZeroMatrix();
    projection._11 = nearPlane * scale / (2.0f * w);
    projection._22 = nearPlane * scale / (2.0f * h);
    projection._31 = -(w + (-w)) / (2.0f * w);
    projection._32 = -(h + (-h)) / (2.0f * h);
    projection._33 = farPlane / (farPlane - nearPlane);
    projection._34 = 1.0f;
    projection._43 = -nearPlane * farPlane / (farPlane - nearPlane);
    if (FAILED(device->SetTransform(D3DTS_PROJECTION, &projection)) &&
        engineInterface != nullptr) {
      engineInterface->errorMessage("Cound't set projection");
    }
  }
  CalcFrustumPlanes();
  currentZoomFactor = z;
  projectionInfo = {nearPlane, farPlane, scale, zoom};
}

void Hux_DX8_DirectGraphicsChannel::CalcFrustumPlanes() {
  D3DXMATRIX view = GetCameraMatrix();
  D3DXMATRIX projection = GetProjectionMatrix();
  D3DXMATRIX m;
  D3DXMatrixMultiply(&m, &view, &projection);
  D3DXPLANE c0 = Column(m, 0), c1 = Column(m, 1), c2 = Column(m, 2), c3 = Column(m, 3);
  frustumPlanes[0] = Difference(c0, c3);
  frustumPlanes[1] = -Sum(c3, c0);
  frustumPlanes[2] = Difference(c1, c3);
  frustumPlanes[3] = -Sum(c3, c1);
  frustumPlanes[4] = Difference(c2, c3);
  frustumPlanes[5] = -Sum(c3, c2);
}

bool Hux_DX8_DirectGraphicsChannel::CheckAABBVisible(D3DXVECTOR3& min, D3DXVECTOR3& max) {
  for (const D3DXPLANE& p : frustumPlanes) {
    float x = p.a < 0.0f ? max.x : min.x;
    float y = p.b < 0.0f ? max.y : min.y;
    float z = p.c < 0.0f ? max.z : min.z;
    if (p.a * x + p.b * y + p.c * z + p.d > 0.0f) return false;
  }
  return true;
}

D3DXPLANE Hux_DX8_DirectGraphicsChannel::GetViewFrustumPlane(int index) {
  if (index < 0 || index >= frustumPlaneCount) index = 0;
  return frustumPlanes[index];
}

D3DXMATRIX Hux_DX8_DirectGraphicsChannel::GetProjectionMatrix() {
  return DeviceTransform(device, D3DTS_PROJECTION);
}

D3DXMATRIX Hux_DX8_DirectGraphicsChannel::GetCameraMatrix() {
  return DeviceTransform(device, D3DTS_VIEW);
}

D3DXMATRIX Hux_DX8_DirectGraphicsChannel::GetWorldMatrix() {
  return DeviceTransform(device, D3DTS_WORLD);
}

D3DVIEWPORT8 Hux_DX8_DirectGraphicsChannel::GetViewPort() {
  D3DVIEWPORT8 viewport{};
  if (device != nullptr) device->GetViewport(&viewport);
  return viewport;
}

void Hux_DX8_DirectGraphicsChannel::SetViewPort(D3DVIEWPORT8 viewport) {
  if (device != nullptr) device->SetViewport(&viewport);
}

RECT Hux_DX8_DirectGraphicsChannel::GetViewPortRect() {
  if (device == nullptr) return {0, 0, 0, 0};
  D3DVIEWPORT8 v = GetViewPort();
  return {static_cast<LONG>(v.X), static_cast<LONG>(v.Y), static_cast<LONG>(v.X + v.Width),
          static_cast<LONG>(v.Y + v.Height)};
}

void Hux_DX8_DirectGraphicsChannel::GetViewPortScalingMatrix(D3DXMATRIX& matrix) {
  if (device == nullptr) return;
  D3DVIEWPORT8 v = GetViewPort();
  float width = static_cast<float>(v.Width);
  float height = static_cast<float>(v.Height);
  matrix = ZeroMatrix();
  matrix._11 = width / 2.0f;
  matrix._22 = -height / 2.0f;
  matrix._33 = v.MaxZ - v.MinZ;
  matrix._41 = static_cast<float>(v.X) + width / 2.0f;
  matrix._42 = static_cast<float>(v.Y) + height / 2.0f;
  matrix._43 = v.MinZ;
  matrix._44 = 1.0f;
}

D3DXVECTOR3 Hux_DX8_DirectGraphicsChannel::GetScreenCoordsFromVector(D3DXVECTOR3 position) {
  if (device == nullptr) return position;
  D3DXMATRIX scaling;
  GetViewPortScalingMatrix(scaling);
  D3DXVECTOR3 v = Transformed(position, GetWorldMatrix());
  v = Transformed(v, GetCameraMatrix());
  v = Transformed(v, GetProjectionMatrix());
  return Transformed(v, scaling);
}

D3DXVECTOR3 Hux_DX8_DirectGraphicsChannel::GetScreenPresentCoordsFromVector(D3DXVECTOR3 position) {
  if (device == nullptr) return position;
  D3DXVECTOR3 v = GetScreenCoordsFromVector(position);
  v.x += static_cast<float>(destinationX);
  v.y += static_cast<float>(destinationY);
  return v;
}

D3DXVECTOR3 Hux_DX8_DirectGraphicsChannel::TransformPositionTo3DSpace(D3DXVECTOR3 position) {
  if (device == nullptr) return position;
  D3DXMATRIX scaling;
  GetViewPortScalingMatrix(scaling);
  D3DXVECTOR3 v = position;
  v.x -= static_cast<float>(destinationX);
  v.y -= static_cast<float>(destinationY);
  v = Transformed(v, Inverted(scaling));
  v = Transformed(v, Inverted(GetProjectionMatrix()));
  v = Transformed(v, Inverted(GetCameraMatrix()));
  return Transformed(v, Inverted(GetWorldMatrix()));
}
