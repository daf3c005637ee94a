// Hux_DX8_Primitive: an object data channel that fills its own mesh with a box, plane,
// sphere, cylinder, cone, torus, disc or a line strip through linked points.
#pragma once

#include "object_data_channel.h"

inline constexpr GUID primitiveGuid{
    0x3C9E1F52, 0x7A40, 0x4D6B, {0x9E, 0x21, 0x0B, 0x5F, 0x8C, 0x7D, 0x4E, 0x10}};

// Primitive types.
enum PrimitiveShape : int {
  primitiveBox = 0,
  primitivePlane = 1,
  primitiveSphere = 2,
  primitiveCylinder = 3,
  primitiveCone = 4,
  primitiveTorus = 5,
  primitiveDisc = 6,
  primitiveLineStrip = 7,
};

class __attribute__((visibility("default"))) Hux_DX8_Primitive : public Hux_DX8_ObjectDataChannel {
 public:
  // Link positions.
  static constexpr int complexityLink = 2;
  static constexpr int informationLink = 3;

  Hux_DX8_Primitive();
  ~Hux_DX8_Primitive() override;

  void CallChannel() override;
  bool SaveChannel(ZylFileSaver& saver) override;
  bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) override;
  void UpdateData() override;

  // Own virtual operations, after the object data channel's, in this slot order.
  virtual void CreateShape();
  virtual bool CheckIfPrimitiveChange();
  virtual void SetPrimitiveType(int type);
  virtual int GetPrimitiveType();
  virtual bool GetPolygonFlip();
  virtual void SetPolygonFlip(bool flip);
  virtual void DrawLine(D3DXVECTOR3 from, D3DXVECTOR3 to);
  virtual void DrawLine();

 protected:
  bool shapeBuilt = false;
  int32_t primitiveType = primitiveBox;
  int32_t complexity = 12;
  bool polygonFlip = false;
  bool textureSetUsed[textureSetCount]{true, true, false};

 private:
  // The D3DX mesh of the current type and complexity, or null.
  ID3DXMesh* BuildMesh(IDirect3DDevice8* device);
  // Copies the mesh into the arrays; false when a lock failed (the mesh stays half built).
  bool CopyMesh(ID3DXMesh* mesh);
  void BuildPlane();
  void DrawSegment(IDirect3DDevice8* device, const D3DXVECTOR3& from, const D3DXVECTOR3& to);
};
