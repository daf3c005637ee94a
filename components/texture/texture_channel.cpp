// The PNG texture channel: image kept in memory, device texture made on demand.
#include <cstring>
#include <optional>
#include <string>

#include "fixed_block.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "hux_dx8_texture_channel.h"
#include "platform/files.h"
#include "png_pixels.h"
#include "runtime/engine_interface.h"

namespace {
constexpr const char* texturePathTag = "TXFN";
}  // namespace

Hux_DX8_TextureChannel::Hux_DX8_TextureChannel() { SetChannelName("DX8 Texture"); }

Hux_DX8_TextureChannel::~Hux_DX8_TextureChannel() { ReleaseTexture(); }

bool Hux_DX8_TextureChannel::SaveChannel(ZylFileSaver& saver) {
  if (!Zyl_Channel::SaveChannel(saver)) return false;
  return SaveFixedBlock(saver, texturePathTag, texturePath, sizeof texturePath);
}

bool Hux_DX8_TextureChannel::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  if (!Zyl_Channel::LoadChannel(loader, group)) return false;
  char path[maxPathLength] = {};
  switch (LoadFixedBlock(loader, texturePathTag, path, sizeof path)) {
    case BlockRead::invalid: return false;
    case BlockRead::missing: return true;
    case BlockRead::read: break;
  }
  path[maxPathLength - 1] = '\0';
  // A missing image is reported but does not stop the group from loading.
  if (path[0] != '\0') SetTextureFile(path);
  return true;
}

void Hux_DX8_TextureChannel::InvalidateDeviceObjects() { ReleaseTexture(); }

void Hux_DX8_TextureChannel::InvalidateDirectGraphics() {
  ReleaseTexture();
  Hux_DX8_D3DDeviceUse::InvalidateDirectGraphics();
}

bool Hux_DX8_TextureChannel::SetTextureFile(const char* path) {
  CopyTextField(texturePath, path);
  ReleaseTexture();
  imagePixels.clear();
  imageWidth = imageHeight = 0;
  std::string error = "file not found";
  PngPixels image;
  std::optional<std::vector<uint8_t>> data = platform::readWholeFile(texturePath);
  if (!data || !DecodePng(*data, &image, &error)) {
    if (engineInterface != nullptr) {
      engineInterface->errorMessage("Hux_DX8_TextureChannel::SetTextureFile: Couldn't load texture ",
                                    texturePath);
      engineInterface->errorMessage(error.c_str());
    }
    return false;
  }
  imageWidth = image.width;
  imageHeight = image.height;
  imagePixels = std::move(image.pixels);
  return true;
}

const char* Hux_DX8_TextureChannel::GetTextureFile() { return texturePath; }

IDirect3DTexture8* Hux_DX8_TextureChannel::GetTexture() {
  if (texture != nullptr || imagePixels.empty() || graphicsDevice == nullptr) return texture;
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  if (device == nullptr) return nullptr;
  // Default pool: the device cannot be reset while it exists, so a reset must release it.
  if (FAILED(device->CreateTexture(imageWidth, imageHeight, 1, D3DUSAGE_DYNAMIC, D3DFMT_A8R8G8B8,
                                   D3DPOOL_DEFAULT, &texture))) {
    texture = nullptr;
    if (engineInterface != nullptr) {
      engineInterface->errorMessage("Hux_DX8_TextureChannel::GetTexture: Couldn't create texture ",
                                    texturePath);
    }
    return nullptr;
  }
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
    ReleaseTexture();
    if (engineInterface != nullptr) {
      engineInterface->errorMessage("Hux_DX8_TextureChannel::GetTexture: Couldn't lock texture");
    }
    return nullptr;
  }
  const size_t rowBytes = imageWidth * sizeof(uint32_t);
  for (uint32_t y = 0; y < imageHeight; ++y) {
    std::memcpy(static_cast<uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                imagePixels.data() + static_cast<size_t>(y) * imageWidth, rowBytes);
  }
  texture->UnlockRect(0);
  return texture;
}

bool Hux_DX8_TextureChannel::GetHasImage() { return !imagePixels.empty(); }
uint32_t Hux_DX8_TextureChannel::GetImageWidth() { return imageWidth; }
uint32_t Hux_DX8_TextureChannel::GetImageHeight() { return imageHeight; }

void Hux_DX8_TextureChannel::ReleaseTexture() {
  if (texture == nullptr) return;
  texture->Release();
  texture = nullptr;
}
