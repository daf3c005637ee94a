// Drawing a surface: the pass it belongs to sets blending, depth writes, material and
// texture stage 0, then the mesh draws itself with the surface matrix as world transform.
#include "hux_dx8_direct_graphics_channel.h"
#include "hux_dx8_surface_channel.h"
#include "hux_dx8_texture_channel.h"
#include "value_child.h"

void Hux_DX8_SurfaceChannel::DrawSurface() { Draw(false); }
void Hux_DX8_SurfaceChannel::DrawTransparentSurface() { Draw(true); }

void Hux_DX8_SurfaceChannel::Draw(bool transparentPass) {
  if (graphicsDevice == nullptr || GetIfTransparent() != transparentPass) return;
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  Zyl_Channel* mesh = GetObjectData();
  if (device == nullptr || mesh == nullptr) return;

  device->SetTransform(D3DTS_WORLD, &surfaceMatrix);
  const D3DMATERIAL8 material = GetMaterial();
  device->SetMaterial(&material);

  IDirect3DTexture8* texture = nullptr;
  Zyl_Channel* textureChild = GetChildFromLinkPosition(surfaceLinkTexture, 0);
  if (IsBasedOn(textureChild, textureChannelGuid)) {
    texture = static_cast<Hux_DX8_TextureChannel*>(textureChild)->GetTexture();
  }
  device->SetTexture(0, texture);
  // Colour and alpha come from the lit material, modulated by the texture when there is one.
  const DWORD operation = texture != nullptr ? D3DTOP_MODULATE : D3DTOP_SELECTARG1;
  graphicsDevice->SetTextureStageState(0, D3DTSS_COLOROP, operation);
  graphicsDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
  graphicsDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TEXTURE);
  graphicsDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, operation);
  graphicsDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
  graphicsDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TEXTURE);
  // One texture only: the stages after 0 would otherwise take an unbound texture's alpha.
  graphicsDevice->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  graphicsDevice->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);

  if (transparentPass) {
    graphicsDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    graphicsDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    graphicsDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    graphicsDevice->SetRenderState(D3DRS_ZWRITEENABLE, 0);
  } else {
    graphicsDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    graphicsDevice->SetRenderState(D3DRS_ZWRITEENABLE, 1);
  }

  mesh->CallChannel();

  // Leave the states an opaque draw expects, and no texture bound across a device reset.
  if (transparentPass) {
    graphicsDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    graphicsDevice->SetRenderState(D3DRS_ZWRITEENABLE, 1);
  }
  device->SetTexture(0, nullptr);
}
