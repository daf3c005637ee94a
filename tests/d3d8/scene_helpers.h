// Small drawing helpers shared by the device tests: pre-transformed quads, the default
// states the scenes start from, and the light and material records.
#pragma once

#include <cmath>
#include <cstdint>

#include "device_fixture.h"

namespace kelvane::test {

struct ScreenVertex {
  float x, y, z, rhw;
  D3DCOLOR diffuse;
  float u, v;
};
inline constexpr DWORD kScreenVertexFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// States every scene sets so that it does not depend on defaults of other scenes.
inline void baseStates(IDirect3DDevice8* d) {
  d->SetRenderState(D3DRS_LIGHTING, FALSE);
  d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  d->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
  d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
  d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  d->SetVertexShader(kScreenVertexFvf);
}

// An axis-aligned quad from (x0, y0) to (x1, y1) in pixels, as a triangle strip with
// one colour per corner (top-left, top-right, bottom-left, bottom-right).
inline HRESULT drawQuad(IDirect3DDevice8* d, float x0, float y0, float x1, float y1, float z, D3DCOLOR c00,
                        D3DCOLOR c10, D3DCOLOR c01, D3DCOLOR c11) {
  const ScreenVertex v[4] = {{x0, y0, z, 1, c00, 0, 0}, {x1, y0, z, 1, c10, 1, 0},
                             {x0, y1, z, 1, c01, 0, 1}, {x1, y1, z, 1, c11, 1, 1}};
  return d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ScreenVertex));
}

inline HRESULT drawQuad(IDirect3DDevice8* d, float x0, float y0, float x1, float y1, float z, D3DCOLOR c) {
  return drawQuad(d, x0, y0, x1, y1, z, c, c, c, c);
}

inline D3DLIGHT8 directionalLight(D3DVECTOR direction, D3DCOLORVALUE diffuse) {
  D3DLIGHT8 l{};
  l.Type = D3DLIGHT_DIRECTIONAL;
  l.Diffuse = diffuse;
  l.Direction = direction;
  return l;
}

inline D3DLIGHT8 pointLight(D3DVECTOR position, D3DCOLORVALUE diffuse, float range, float a0, float a1, float a2) {
  D3DLIGHT8 l{};
  l.Type = D3DLIGHT_POINT;
  l.Diffuse = diffuse;
  l.Position = position;
  l.Range = range;
  l.Attenuation0 = a0;
  l.Attenuation1 = a1;
  l.Attenuation2 = a2;
  return l;
}

inline D3DMATERIAL8 material(D3DCOLORVALUE diffuse, D3DCOLORVALUE ambient) {
  D3DMATERIAL8 m{};
  m.Diffuse = diffuse;
  m.Ambient = ambient;
  return m;
}

// 0..1 to a frame buffer level, as the device rounds.
inline int level(float v) { return static_cast<int>(std::lround(std::fmin(1.0f, std::fmax(0.0f, v)) * 255.0f)); }

}  // namespace kelvane::test
