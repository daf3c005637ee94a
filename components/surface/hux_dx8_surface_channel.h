// Hux_DX8_SurfaceChannel: a mesh (child 0, an object data channel) drawn with a material
// and an optional texture, as the opaque or the transparent part of its 3D object.
#pragma once

#include <cstdint>

#include "d3d8/d3d8.h"
#include "d3dx/d3dx.h"
#include "graph/zyl_channel.h"

class Hux_DX8_DirectGraphicsChannel;

inline constexpr GUID surfaceChannelGuid{
    0xF61D3B95, 0x2C30, 0x4A06, {0x8E, 0x5F, 0x7D, 0x94, 0x05, 0x16, 0x27, 0x83}};
// The object data type a mesh child is based on.
inline constexpr GUID surfaceMeshGuid{
    0x8E4C2A74, 0x1B06, 0x4E95, {0xB7, 0xF8, 0x2D, 0x3C, 0x4A, 0x5B, 0x6C, 0x32}};

// Which pass draws the surface.
enum SurfaceTransparency : int32_t {
  surfaceByMaterialAlpha = 0,  // transparent when the diffuse alpha is below 1
  surfaceAlwaysOpaque = 1,
  surfaceAlwaysTransparent = 2,
};

// Link positions, in declaration order.
enum SurfaceLink : int {
  surfaceLinkObjectData = 0,
  surfaceLinkTexture = 1,
  surfaceLinkDiffuse = 2,
  surfaceLinkAmbient = 3,
  surfaceLinkSpecular = 4,
  surfaceLinkEmissive = 5,
  surfaceLinkAlpha = 6,
  surfaceLinkPower = 7,
  surfaceLinkCount = 8,
};

class Hux_DX8_SurfaceChannel : public Zyl_Channel {
 public:
  Hux_DX8_SurfaceChannel();
  ~Hux_DX8_SurfaceChannel() override;

  bool SaveChannel(ZylFileSaver& saver) override;
  bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) override;
  void DoDependencyInit(Zyl_List* dependencies) override;

  // The 3D object calls these three by slot: they come first and in this order.
  virtual void DrawSurface();
  virtual void DrawTransparentSurface();
  virtual void SetSurfaceMatrix(D3DXMATRIX matrix);

  // The material drawn with: the saved values, each colour, the diffuse alpha and the
  // power replaced by a value child when one is linked.
  virtual D3DMATERIAL8 GetMaterial();
  virtual D3DMATERIAL8 GetSavedMaterial();
  virtual void SetSavedMaterial(D3DMATERIAL8 material);
  virtual int GetTransparencyMode();
  virtual void SetTransparencyMode(int mode);
  // Whether the transparent pass draws the surface (else the opaque pass does).
  virtual bool GetIfTransparent();
  // Whether collision objects take the surface's triangles.
  virtual bool GetIncludeInCollision();
  virtual void SetIncludeInCollision(bool include);
  // Child 0 when it is an object data channel, else null.
  virtual Zyl_Channel* GetObjectData();
  virtual D3DXMATRIX GetSurfaceMatrix();

 protected:
  void Draw(bool transparentPass);

  Hux_DX8_DirectGraphicsChannel* graphicsDevice = nullptr;
  D3DMATERIAL8 savedMaterial{};
  D3DXMATRIX surfaceMatrix;
  int32_t transparencyMode = surfaceByMaterialAlpha;
  bool includeInCollision = true;
};
