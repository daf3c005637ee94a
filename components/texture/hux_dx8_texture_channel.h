// Hux_DX8_TextureChannel: one PNG texture for surfaces. The decoded pixels stay in memory,
// so the device texture (default pool) is released on a device reset and made again from
// them at the next use.
#pragma once

#include <cstdint>
#include <vector>

#include "d3d8/d3d8.h"
#include "hux_dx8_d3d_device_use.h"

inline constexpr GUID textureChannelGuid{
    0x2B8E5A17, 0xC3D4, 0x4F69, {0xA0, 0xB1, 0x7E, 0x6D, 0x5C, 0x4B, 0x3A, 0x29}};

class Hux_DX8_TextureChannel : public Hux_DX8_D3DDeviceUse {
 public:
  // Longest file path kept, terminator included.
  static constexpr int maxPathLength = 260;

  Hux_DX8_TextureChannel();
  ~Hux_DX8_TextureChannel() override;

  bool SaveChannel(ZylFileSaver& saver) override;
  bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) override;
  void InvalidateDeviceObjects() override;
  void InvalidateDirectGraphics() override;

  // Reads and decodes the PNG at the engine path; on failure an error message, and the
  // channel holds no image (the path is kept so that it is saved as given).
  virtual bool SetTextureFile(const char* path);
  virtual const char* GetTextureFile();
  // The device texture, made from the image when there is none; null without an image or
  // a device.
  virtual IDirect3DTexture8* GetTexture();
  virtual bool GetHasImage();
  virtual uint32_t GetImageWidth();
  virtual uint32_t GetImageHeight();

 private:
  void ReleaseTexture();

  char texturePath[maxPathLength] = {};
  uint32_t imageWidth = 0;
  uint32_t imageHeight = 0;
  std::vector<uint32_t> imagePixels;
  IDirect3DTexture8* texture = nullptr;
};
