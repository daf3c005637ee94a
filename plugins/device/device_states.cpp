// The default device state and the render-state and texture-stage-state caches.
#include <bit>

#include "hux_dx8_direct_graphics_channel.h"
#include "platform/window.h"

namespace {

// Every render state Direct3D 8 defines from D3DRS_ZENABLE to D3DRS_POSITIONORDER, the
// ones the cache is refilled from (D3DRS_NORMALORDER is not read back).
constexpr D3DRENDERSTATETYPE definedRenderStates[] = {
    D3DRS_ZENABLE, D3DRS_FILLMODE, D3DRS_SHADEMODE, D3DRS_LINEPATTERN, D3DRS_ZWRITEENABLE,
    D3DRS_ALPHATESTENABLE, D3DRS_LASTPIXEL, D3DRS_SRCBLEND, D3DRS_DESTBLEND, D3DRS_CULLMODE,
    D3DRS_ZFUNC, D3DRS_ALPHAREF, D3DRS_ALPHAFUNC, D3DRS_DITHERENABLE, D3DRS_ALPHABLENDENABLE,
    D3DRS_FOGENABLE, D3DRS_SPECULARENABLE, D3DRS_ZVISIBLE, D3DRS_FOGCOLOR, D3DRS_FOGTABLEMODE,
    D3DRS_FOGSTART, D3DRS_FOGEND, D3DRS_FOGDENSITY, D3DRS_EDGEANTIALIAS, D3DRS_ZBIAS,
    D3DRS_RANGEFOGENABLE, D3DRS_STENCILENABLE, D3DRS_STENCILFAIL, D3DRS_STENCILZFAIL,
    D3DRS_STENCILPASS, D3DRS_STENCILFUNC, D3DRS_STENCILREF, D3DRS_STENCILMASK,
    D3DRS_STENCILWRITEMASK, D3DRS_TEXTUREFACTOR, D3DRS_WRAP0, D3DRS_WRAP1, D3DRS_WRAP2,
    D3DRS_WRAP3, D3DRS_WRAP4, D3DRS_WRAP5, D3DRS_WRAP6, D3DRS_WRAP7, D3DRS_CLIPPING,
    D3DRS_LIGHTING, D3DRS_AMBIENT, D3DRS_FOGVERTEXMODE, D3DRS_COLORVERTEX, D3DRS_LOCALVIEWER,
    D3DRS_NORMALIZENORMALS, D3DRS_DIFFUSEMATERIALSOURCE, D3DRS_SPECULARMATERIALSOURCE,
    D3DRS_AMBIENTMATERIALSOURCE, D3DRS_EMISSIVEMATERIALSOURCE, D3DRS_VERTEXBLEND,
    D3DRS_CLIPPLANEENABLE, D3DRS_SOFTWAREVERTEXPROCESSING, D3DRS_POINTSIZE, D3DRS_POINTSIZE_MIN,
    D3DRS_POINTSPRITEENABLE, D3DRS_POINTSCALEENABLE, D3DRS_POINTSCALE_A, D3DRS_POINTSCALE_B,
    D3DRS_POINTSCALE_C, D3DRS_MULTISAMPLEANTIALIAS, D3DRS_MULTISAMPLEMASK,
    D3DRS_PATCHEDGESTYLE, D3DRS_PATCHSEGMENTS, D3DRS_DEBUGMONITORTOKEN, D3DRS_POINTSIZE_MAX,
    D3DRS_INDEXEDVERTEXBLENDENABLE, D3DRS_COLORWRITEENABLE, D3DRS_TWEENFACTOR, D3DRS_BLENDOP,
    D3DRS_POSITIONORDER};
static_assert(std::size(definedRenderStates) == 75);

// Cached setters take states 7..173 and texture stage types 0..28 of stages 0..7.
constexpr DWORD firstCachedRenderState = D3DRS_ZENABLE;
constexpr DWORD lastCachedRenderState = D3DRS_NORMALORDER;
constexpr DWORD lastCachedStageType = D3DTSS_RESULTARG;

DWORD FloatBits(float value) { return std::bit_cast<DWORD>(value); }

}  // namespace

bool Hux_DX8_DirectGraphicsChannel::SetDeviceStates() {
  if (device == nullptr) return false;
  SetProjectionMatrix(0.4f, 4000.0f, 2.0f, 1.0f);
  DefaultRenderStates();
  DefaultTextureStageStates();
  if (windowed == 1) {
    platform::setCursor(platform::Cursor::arrow);
  } else {
    platform::setCursor(platform::Cursor::none);
    device->ShowCursor(FALSE);
  }
  device->GetDeviceCaps(&deviceCaps);
  RefillStateCaches();
  return true;
}

void Hux_DX8_DirectGraphicsChannel::DefaultRenderStates() {
  device->SetRenderState(D3DRS_DITHERENABLE, 1);
  device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
  device->SetRenderState(D3DRS_SPECULARMATERIALSOURCE, D3DMCS_MATERIAL);
  device->SetRenderState(D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL);
  device->SetRenderState(D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL);
  device->SetRenderState(D3DRS_NORMALIZENORMALS, 1);
  device->SetRenderState(D3DRS_COLORVERTEX, 0);
  device->SetRenderState(D3DRS_LOCALVIEWER, 1);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  device->SetTexture(0, nullptr);
  device->SetRenderState(D3DRS_SPECULARENABLE, 0);
  device->SetRenderState(D3DRS_ZENABLE, 1);
  device->SetRenderState(D3DRS_DITHERENABLE, 1);
  device->SetRenderState(D3DRS_ALPHAREF, 8);
  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
}

void Hux_DX8_DirectGraphicsChannel::DefaultTextureStageStates() {
  for (DWORD stage = 0; stage < textureStageCount; ++stage) {
    device->SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(stage, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
  }
  for (DWORD stage = 0; stage < 3; ++stage) {
    device->SetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, 0);
    device->SetTextureStageState(stage, D3DTSS_COLORARG1,
                                 stage == 0 ? D3DTA_DIFFUSE : D3DTA_CURRENT);
    device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_TEXTURE);
    device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  }
  for (DWORD stage = 0; stage < 3; ++stage) device->SetTexture(stage, nullptr);
  for (DWORD stage = 0; stage < 3; ++stage) {
    device->SetTextureStageState(stage, D3DTSS_BUMPENVMAT00, FloatBits(1.0f));
    device->SetTextureStageState(stage, D3DTSS_BUMPENVMAT01, FloatBits(0.0f));
    device->SetTextureStageState(stage, D3DTSS_BUMPENVMAT10, FloatBits(0.0f));
    device->SetTextureStageState(stage, D3DTSS_BUMPENVMAT11, FloatBits(1.0f));
    device->SetTextureStageState(stage, D3DTSS_BUMPENVLSCALE, FloatBits(0.5f));
    device->SetTextureStageState(stage, D3DTSS_BUMPENVLOFFSET, FloatBits(0.0f));
  }
}

void Hux_DX8_DirectGraphicsChannel::RefillStateCaches() {
  for (D3DRENDERSTATETYPE state : definedRenderStates) {
    device->GetRenderState(state, &renderStateCache[state]);
  }
  for (DWORD stage = 0; stage < textureStageCount; ++stage) {
    for (DWORD type = D3DTSS_COLOROP; type <= lastCachedStageType; ++type) {
      if (type == 12) continue;  // no stage state has this number
      device->GetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(type),
                                   &textureStageStateCache[stage][type]);
    }
  }
}

void Hux_DX8_DirectGraphicsChannel::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (device == nullptr) return;
  if (state < firstCachedRenderState || state > lastCachedRenderState) return;
  if (renderStateCache[state] == value) return;
  renderStateCache[state] = value;
  device->SetRenderState(state, value);
}

void Hux_DX8_DirectGraphicsChannel::SetTextureStageState(DWORD stage,
                                                         D3DTEXTURESTAGESTATETYPE type,
                                                         DWORD value) {
  if (device == nullptr || stage >= textureStageCount || type > lastCachedStageType) return;
  if (textureStageStateCache[stage][type] == value) return;
  textureStageStateCache[stage][type] = value;
  device->SetTextureStageState(stage, type, value);
}
