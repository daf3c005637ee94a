// Hux_DX8_ObjectDataChannel: one mesh (positions, normals, colours, three texture sets,
// 16-bit indices) turned into Direct3D buffers, drawn, culled and texture-mapped. Exported:
// the primitive channel derives from it and surfaces and collision objects call it by slot.
#pragma once

#include <cstdint>
#include <memory>

#include "d3d8/d3d8.h"
#include "d3dx/d3dx.h"
#include "hux_dx8_d3d_device_use.h"

// Scale and offset of one texture set: the applied offset is the requested one once
// CalculateTextureCoords has run.
struct VertTUVOffset {
  float appliedOffsetU = 0.0f;
  float appliedOffsetV = 0.0f;
  float requestedOffsetU = 0.0f;
  float requestedOffsetV = 0.0f;
  float scaleU = 1.0f;
  float scaleV = 1.0f;
};
static_assert(sizeof(VertTUVOffset) == 24);

struct BoundingBox {
  D3DXVECTOR3 min;
  D3DXVECTOR3 max;
};

inline constexpr GUID objectDataGuid{
    0x8E4C2A74, 0x1B06, 0x4E95, {0xB7, 0xF8, 0x2D, 0x3C, 0x4A, 0x5B, 0x6C, 0x32}};

class __attribute__((visibility("default"))) Hux_DX8_ObjectDataChannel
    : public Hux_DX8_D3DDeviceUse {
 public:
  static constexpr int textureSetCount = 3;
  static constexpr int noTextureMapping = 7;
  // Texture transform modes per set.
  static constexpr int transformNone = 0;
  static constexpr int transformCameraSpace = 1;
  static constexpr int transformProjected = 2;

  Hux_DX8_ObjectDataChannel();
  // The channel base is not copyable, and a copy would release the arrays and buffers twice.
  Hux_DX8_ObjectDataChannel(const Hux_DX8_ObjectDataChannel&) = delete;
  Hux_DX8_ObjectDataChannel& operator=(const Hux_DX8_ObjectDataChannel&) = delete;
  ~Hux_DX8_ObjectDataChannel() override;

  void CallChannel() override;
  bool SaveChannel(ZylFileSaver& saver) override;
  bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) override;
  void DoDependencyInit(Zyl_List* dependencies) override;
  void InvalidateDeviceObjects() override;

  // Own virtual operations; deriving and calling plug-ins rely on this slot order.
  virtual void Release();
  virtual void ReleaseVertexData();
  virtual void UpdateData();
  virtual void StreamVertexData();
  virtual void StreamTextureMatrices();
  virtual bool CreateVertexBuffer();
  virtual void SetVertexCount(int count);
  virtual int GetVertexCount();
  virtual void SetIndexCount(int count);
  virtual int GetIndexCount();
  virtual bool SetIndex(unsigned short value, int i);
  virtual unsigned short GetIndexes(unsigned long i);
  virtual bool SetVertexPosition(D3DXVECTOR3 position, int i);
  virtual D3DXVECTOR3 GetVertexPosition(unsigned long i);
  virtual bool SetVertexNormal(D3DXVECTOR3 normal, int i);
  virtual D3DXVECTOR3 GetVertexNormals(unsigned long i);
  virtual bool SetVertexTUCoord(int set, D3DXVECTOR2 uv, int i);
  virtual D3DXVECTOR2 GetVertexTUV(int set, unsigned long i);
  virtual bool SetVertexColor(unsigned long colour, int i);
  virtual DWORD GetVertexColor(unsigned long i);
  virtual void SetPolygonType(int type);
  virtual int GetPolygonType();
  virtual void MapTexture(int set, int mapping, bool resetOffset);
  virtual int GetTextureMapping(int set);
  virtual void MakeSphereTexture(int set);
  virtual void MakeCylinderTexture(int set);
  virtual void CubicTexture(int set, bool wholeMesh);
  virtual void PlanarTexture(int set, int axis);
  virtual void MakeObjectSizeBoundrys(D3DXVECTOR3& min, D3DXVECTOR3& max);
  virtual bool GetVertexPositionUse();
  virtual bool GetVertexNormalUse();
  virtual bool GetVertexTUUse(int set);
  virtual bool GetVertexColorUse();
  virtual DWORD GetFVFlags();
  virtual DWORD GetVertexSize();
  virtual void NormalizeTexture(int set);
  virtual void RemapTexture();
  virtual void CalculateTextureCoords(int set);
  virtual VertTUVOffset GetTUVOffSet(int set);
  virtual void SetTUVOffSet(int set, VertTUVOffset offset);
  virtual D3DXVECTOR3 GetBoundingBoxMin();
  virtual D3DXVECTOR3 GetBoundingBoxMax();
  virtual void CalculateBoundingBox();
  virtual bool GetIfObjectIsVisible();
  virtual BoundingBox GetObjectTransformedMinMaxBox(D3DXMATRIX matrix);
  virtual BoundingBox GetObjectTransformedMinMaxBox();
  virtual bool SetDataToStream(int stream);
  virtual void DoCustomPreRenderStates();
  virtual void SetWorldMatrix(D3DXMATRIX matrix);
  virtual D3DXMATRIX GetWorldMatrix();
  virtual void SetTextureTransform(int set, int mode);
  virtual int GetTextureTransform(int set);

 protected:
  IDirect3DVertexBuffer8* vertexBuffer = nullptr;
  IDirect3DIndexBuffer8* indexBuffer = nullptr;
  std::unique_ptr<uint16_t[]> indices;
  uint32_t indexCount = 0;
  uint32_t vertexCount = 0;  // length of every vertex array
  std::unique_ptr<D3DXVECTOR3[]> positions;
  std::unique_ptr<D3DXVECTOR3[]> normals;
  std::unique_ptr<D3DXVECTOR2[]> textureSets[textureSetCount];
  std::unique_ptr<DWORD[]> colours;
  uint32_t vertexSize = 0;    // bytes per interleaved vertex, last computed
  uint32_t vertexFormat = 0;  // D3DFVF_* flags, last computed
  bool buffersValid = false;
  int32_t polygonType = D3DPT_TRIANGLELIST;
  VertTUVOffset textureOffsets[textureSetCount]{};
  int32_t textureMappings[textureSetCount]{noTextureMapping, noTextureMapping,
                                           noTextureMapping};
  BoundingBox boundingBox{};
  bool boundingBoxValid = false;
  D3DXMATRIX transformedBoxMatrix;
  BoundingBox transformedBox{};
  bool transformedBoxStale = true;
  D3DXMATRIX worldMatrix;
  bool worldMatrixSet = false;
  DWORD vertexBufferUsage = D3DUSAGE_WRITEONLY;
  bool textureMatricesSet = false;
  int32_t textureTransformModes[textureSetCount]{};

 private:
  // The vertex format and size of the arrays present.
  void ComputeVertexFormat();
  bool FillVertexBuffer();
  bool FillIndexBuffer();
  void ReleaseBuffers();
  void ResetTextureMatrices(bool resetStageFlags);
  void SetStreams(UINT stream);
  // The generators' per-vertex helpers; the set must hold an array.
  void PlanarAxis(int set, int axis, const D3DXVECTOR3& min, const D3DXVECTOR3& max);
  bool LoadVertexBlocks(ZylFileLoader& loader);
  bool LoadIndexBlocks(ZylFileLoader& loader);
};
