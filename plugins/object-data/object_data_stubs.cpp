#include "object_data_channel.h"
Hux_DX8_ObjectDataChannel::Hux_DX8_ObjectDataChannel() {}
Hux_DX8_ObjectDataChannel::~Hux_DX8_ObjectDataChannel() {}
void Hux_DX8_ObjectDataChannel::CallChannel() {  }
bool Hux_DX8_ObjectDataChannel::SaveChannel(ZylFileSaver& /*saver*/) { return false; }
bool Hux_DX8_ObjectDataChannel::LoadChannel(ZylFileLoader& /*loader*/, Zyl_ChannelGroup* /*group*/) { return false; }
void Hux_DX8_ObjectDataChannel::DoDependencyInit(Zyl_List* /*dependencies*/) {  }
void Hux_DX8_ObjectDataChannel::InvalidateDeviceObjects() {  }
void Hux_DX8_ObjectDataChannel::Release() {  }
void Hux_DX8_ObjectDataChannel::ReleaseVertexData() {  }
void Hux_DX8_ObjectDataChannel::UpdateData() {  }
void Hux_DX8_ObjectDataChannel::StreamVertexData() {  }
void Hux_DX8_ObjectDataChannel::StreamTextureMatrices() {  }
bool Hux_DX8_ObjectDataChannel::CreateVertexBuffer() { return false; }
void Hux_DX8_ObjectDataChannel::SetVertexCount(int /*count*/) {  }
int Hux_DX8_ObjectDataChannel::GetVertexCount() { return 0; }
void Hux_DX8_ObjectDataChannel::SetIndexCount(int /*count*/) {  }
int Hux_DX8_ObjectDataChannel::GetIndexCount() { return 0; }
bool Hux_DX8_ObjectDataChannel::SetIndex(unsigned short /*value*/, int /*i*/) { return false; }
unsigned short Hux_DX8_ObjectDataChannel::GetIndexes(unsigned long /*i*/) { return 0; }
bool Hux_DX8_ObjectDataChannel::SetVertexPosition(D3DXVECTOR3 /*position*/, int /*i*/) { return false; }
D3DXVECTOR3 Hux_DX8_ObjectDataChannel::GetVertexPosition(unsigned long /*i*/) { return {}; }
bool Hux_DX8_ObjectDataChannel::SetVertexNormal(D3DXVECTOR3 /*normal*/, int /*i*/) { return false; }
D3DXVECTOR3 Hux_DX8_ObjectDataChannel::GetVertexNormals(unsigned long /*i*/) { return {}; }
bool Hux_DX8_ObjectDataChannel::SetVertexTUCoord(int /*set*/, D3DXVECTOR2 /*uv*/, int /*i*/) { return false; }
D3DXVECTOR2 Hux_DX8_ObjectDataChannel::GetVertexTUV(int /*set*/, unsigned long /*i*/) { return {}; }
bool Hux_DX8_ObjectDataChannel::SetVertexColor(unsigned long /*colour*/, int /*i*/) { return false; }
DWORD Hux_DX8_ObjectDataChannel::GetVertexColor(unsigned long /*i*/) { return 0; }
void Hux_DX8_ObjectDataChannel::SetPolygonType(int /*type*/) {  }
int Hux_DX8_ObjectDataChannel::GetPolygonType() { return 0; }
void Hux_DX8_ObjectDataChannel::MapTexture(int /*set*/, int /*mapping*/, bool /*resetOffset*/) {  }
int Hux_DX8_ObjectDataChannel::GetTextureMapping(int /*set*/) { return 0; }
void Hux_DX8_ObjectDataChannel::MakeSphereTexture(int /*set*/) {  }
void Hux_DX8_ObjectDataChannel::MakeCylinderTexture(int /*set*/) {  }
void Hux_DX8_ObjectDataChannel::CubicTexture(int /*set*/, bool /*wholeMesh*/) {  }
void Hux_DX8_ObjectDataChannel::PlanarTexture(int /*set*/, int /*axis*/) {  }
void Hux_DX8_ObjectDataChannel::MakeObjectSizeBoundrys(D3DXVECTOR3& /*min*/, D3DXVECTOR3& /*max*/) {  }
bool Hux_DX8_ObjectDataChannel::GetVertexPositionUse() { return false; }
bool Hux_DX8_ObjectDataChannel::GetVertexNormalUse() { return false; }
bool Hux_DX8_ObjectDataChannel::GetVertexTUUse(int /*set*/) { return false; }
bool Hux_DX8_ObjectDataChannel::GetVertexColorUse() { return false; }
DWORD Hux_DX8_ObjectDataChannel::GetFVFlags() { return 0; }
DWORD Hux_DX8_ObjectDataChannel::GetVertexSize() { return 0; }
void Hux_DX8_ObjectDataChannel::NormalizeTexture(int /*set*/) {  }
void Hux_DX8_ObjectDataChannel::RemapTexture() {  }
void Hux_DX8_ObjectDataChannel::CalculateTextureCoords(int /*set*/) {  }
VertTUVOffset Hux_DX8_ObjectDataChannel::GetTUVOffSet(int /*set*/) { return {}; }
void Hux_DX8_ObjectDataChannel::SetTUVOffSet(int /*set*/, VertTUVOffset /*offset*/) {  }
D3DXVECTOR3 Hux_DX8_ObjectDataChannel::GetBoundingBoxMin() { return {}; }
D3DXVECTOR3 Hux_DX8_ObjectDataChannel::GetBoundingBoxMax() { return {}; }
void Hux_DX8_ObjectDataChannel::CalculateBoundingBox() {  }
bool Hux_DX8_ObjectDataChannel::GetIfObjectIsVisible() { return false; }
BoundingBox Hux_DX8_ObjectDataChannel::GetObjectTransformedMinMaxBox(D3DXMATRIX /*matrix*/) { return {}; }
BoundingBox Hux_DX8_ObjectDataChannel::GetObjectTransformedMinMaxBox() { return {}; }
bool Hux_DX8_ObjectDataChannel::SetDataToStream(int /*stream*/) { return false; }
void Hux_DX8_ObjectDataChannel::DoCustomPreRenderStates() {  }
void Hux_DX8_ObjectDataChannel::SetWorldMatrix(D3DXMATRIX /*matrix*/) {  }
D3DXMATRIX Hux_DX8_ObjectDataChannel::GetWorldMatrix() { return {}; }
void Hux_DX8_ObjectDataChannel::SetTextureTransform(int /*set*/, int /*mode*/) {  }
int Hux_DX8_ObjectDataChannel::GetTextureTransform(int /*set*/) { return 0; }
