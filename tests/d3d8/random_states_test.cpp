// Random state and geometry, including non-finite and far-away coordinates: nothing may
// crash or read outside its buffers, and the optimised rasteriser must still give the
// reference rasteriser's pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "scene_helpers.h"

namespace kelvane::test {

namespace {

class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed) {}
  uint32_t next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  uint32_t below(uint32_t n) { return next() % n; }
  float uniform(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(next() & 0xFFFF) / 65535.0f; }
  template <class T, size_t N>
  T pick(const T (&values)[N]) {
    return values[below(N)];
  }

 private:
  uint32_t state_;
};

struct Vertex {
  float x, y, z, w;  // w is rhw for pre-transformed vertices, unused otherwise
  float nx, ny, nz;
  D3DCOLOR diffuse;
  float u, v;
};

void randomStates(IDirect3DDevice8* d, Random& r, IDirect3DTexture8* texture) {
  const DWORD cull[] = {D3DCULL_NONE, D3DCULL_CW, D3DCULL_CCW};
  const DWORD fill[] = {D3DFILL_SOLID, D3DFILL_SOLID, D3DFILL_WIREFRAME, D3DFILL_POINT};
  const DWORD blend[] = {D3DBLEND_ZERO, D3DBLEND_ONE, D3DBLEND_SRCCOLOR, D3DBLEND_INVSRCALPHA, D3DBLEND_DESTCOLOR,
                         D3DBLEND_SRCALPHASAT, D3DBLEND_BOTHSRCALPHA};
  const DWORD ops[] = {D3DTOP_DISABLE, D3DTOP_SELECTARG1, D3DTOP_SELECTARG2, D3DTOP_MODULATE, D3DTOP_MODULATE2X,
                       D3DTOP_ADD, D3DTOP_ADDSIGNED, D3DTOP_SUBTRACT, D3DTOP_BLENDTEXTUREALPHA,
                       D3DTOP_DOTPRODUCT3, D3DTOP_LERP, D3DTOP_MULTIPLYADD};
  const DWORD args[] = {D3DTA_DIFFUSE, D3DTA_CURRENT, D3DTA_TEXTURE, D3DTA_TFACTOR, D3DTA_SPECULAR, D3DTA_TEMP,
                        D3DTA_TEXTURE | D3DTA_COMPLEMENT, D3DTA_DIFFUSE | D3DTA_ALPHAREPLICATE};
  const DWORD filters[] = {D3DTEXF_NONE, D3DTEXF_POINT, D3DTEXF_LINEAR};
  const DWORD address[] = {D3DTADDRESS_WRAP, D3DTADDRESS_MIRROR, D3DTADDRESS_CLAMP, D3DTADDRESS_BORDER,
                           D3DTADDRESS_MIRRORONCE};
  const DWORD texgen[] = {0, 1, D3DTSS_TCI_CAMERASPACENORMAL, D3DTSS_TCI_CAMERASPACEPOSITION,
                          D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR, 7};
  const DWORD transform[] = {D3DTTFF_DISABLE, D3DTTFF_COUNT2, D3DTTFF_COUNT3, D3DTTFF_COUNT3 | D3DTTFF_PROJECTED,
                             D3DTTFF_COUNT4 | D3DTTFF_PROJECTED};
  d->SetRenderState(D3DRS_CULLMODE, r.pick(cull));
  d->SetRenderState(D3DRS_FILLMODE, r.pick(fill));
  d->SetRenderState(D3DRS_SHADEMODE, r.below(4) == 0 ? D3DSHADE_FLAT : D3DSHADE_GOURAUD);
  d->SetRenderState(D3DRS_ZENABLE, r.below(2));
  d->SetRenderState(D3DRS_ZFUNC, 1 + r.below(8));
  d->SetRenderState(D3DRS_ZWRITEENABLE, r.below(2));
  d->SetRenderState(D3DRS_ALPHATESTENABLE, r.below(2));
  d->SetRenderState(D3DRS_ALPHAFUNC, 1 + r.below(8));
  d->SetRenderState(D3DRS_ALPHAREF, r.below(256));
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, r.below(2));
  d->SetRenderState(D3DRS_SRCBLEND, r.pick(blend));
  d->SetRenderState(D3DRS_DESTBLEND, r.pick(blend));
  d->SetRenderState(D3DRS_BLENDOP, 1 + r.below(5));
  d->SetRenderState(D3DRS_LIGHTING, r.below(2));
  d->SetRenderState(D3DRS_SPECULARENABLE, r.below(2));
  d->SetRenderState(D3DRS_LOCALVIEWER, r.below(2));
  d->SetRenderState(D3DRS_NORMALIZENORMALS, r.below(2));
  d->SetRenderState(D3DRS_AMBIENT, r.next());
  d->SetRenderState(D3DRS_FOGENABLE, r.below(2));
  d->SetRenderState(D3DRS_FOGTABLEMODE, r.below(4));
  d->SetRenderState(D3DRS_FOGVERTEXMODE, r.below(4));
  d->SetRenderState(D3DRS_RANGEFOGENABLE, r.below(2));
  d->SetRenderState(D3DRS_FOGSTART, floatBits(r.uniform(0, 5)));
  d->SetRenderState(D3DRS_FOGEND, floatBits(r.uniform(0, 20)));
  d->SetRenderState(D3DRS_FOGDENSITY, floatBits(r.uniform(0, 1)));
  d->SetRenderState(D3DRS_STENCILENABLE, r.below(2));
  d->SetRenderState(D3DRS_STENCILFUNC, 1 + r.below(8));
  d->SetRenderState(D3DRS_STENCILPASS, 1 + r.below(8));
  d->SetRenderState(D3DRS_STENCILREF, r.below(4));
  d->SetRenderState(D3DRS_COLORWRITEENABLE, r.below(16));
  d->SetRenderState(D3DRS_POINTSIZE, floatBits(r.uniform(0, 100)));
  d->SetRenderState(D3DRS_TEXTUREFACTOR, r.next());
  for (DWORD s = 0; s < 3; ++s) {
    d->SetTexture(s, r.below(3) ? texture : nullptr);
    d->SetTextureStageState(s, D3DTSS_COLOROP, r.pick(ops));
    d->SetTextureStageState(s, D3DTSS_ALPHAOP, r.pick(ops));
    for (D3DTEXTURESTAGESTATETYPE a : {D3DTSS_COLORARG0, D3DTSS_COLORARG1, D3DTSS_COLORARG2, D3DTSS_ALPHAARG0,
                                       D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2})
      d->SetTextureStageState(s, a, r.pick(args));
    d->SetTextureStageState(s, D3DTSS_RESULTARG, r.below(2) ? D3DTA_CURRENT : D3DTA_TEMP);
    d->SetTextureStageState(s, D3DTSS_MINFILTER, r.pick(filters));
    d->SetTextureStageState(s, D3DTSS_MAGFILTER, r.pick(filters));
    d->SetTextureStageState(s, D3DTSS_MIPFILTER, r.pick(filters));
    d->SetTextureStageState(s, D3DTSS_ADDRESSU, r.pick(address));
    d->SetTextureStageState(s, D3DTSS_ADDRESSV, r.pick(address));
    d->SetTextureStageState(s, D3DTSS_MAXMIPLEVEL, r.below(8));
    d->SetTextureStageState(s, D3DTSS_MIPMAPLODBIAS, floatBits(r.uniform(-2, 2)));
    d->SetTextureStageState(s, D3DTSS_TEXCOORDINDEX, r.pick(texgen));
    d->SetTextureStageState(s, D3DTSS_TEXTURETRANSFORMFLAGS, r.pick(transform));
    D3DMATRIX m{};
    for (auto& row : m.m)
      for (float& x : row) x = r.uniform(-2, 2);
    d->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + s), &m);
  }
  for (DWORD i = 0; i < 3; ++i) {
    D3DLIGHT8 l{};
    l.Type = static_cast<D3DLIGHTTYPE>(1 + r.below(3));
    l.Diffuse = D3DCOLORVALUE{r.uniform(0, 1), r.uniform(0, 1), r.uniform(0, 1), 1};
    l.Specular = l.Diffuse;
    l.Ambient = D3DCOLORVALUE{r.uniform(0, 0.3f), 0, 0, 0};
    l.Position = D3DVECTOR{r.uniform(-3, 3), r.uniform(-3, 3), r.uniform(-3, 3)};
    l.Direction = D3DVECTOR{r.uniform(-1, 1), r.uniform(-1, 1), r.uniform(-1, 1)};
    l.Range = r.uniform(0, 20);
    l.Attenuation0 = r.uniform(0, 1);
    l.Attenuation1 = r.uniform(0, 1);
    l.Theta = r.uniform(0, 1);
    l.Phi = l.Theta + r.uniform(0, 1);
    l.Falloff = r.uniform(0, 3);
    d->SetLight(i, &l);
    d->LightEnable(i, r.below(2));
  }
  D3DMATERIAL8 m{};
  m.Diffuse = D3DCOLORVALUE{r.uniform(0, 1), r.uniform(0, 1), r.uniform(0, 1), r.uniform(0, 1)};
  m.Ambient = m.Diffuse;
  m.Specular = D3DCOLORVALUE{1, 1, 1, 1};
  m.Power = r.uniform(0, 40);
  d->SetMaterial(&m);
}

float wildCoordinate(Random& r, float range) {
  switch (r.below(40)) {
    case 0: return std::numeric_limits<float>::quiet_NaN();
    case 1: return std::numeric_limits<float>::infinity();
    case 2: return 1.0e30f;
    case 3: return -3.0e6f;
    case 4: return 0.0f;
    default: return r.uniform(-range, range);
  }
}

Image renderRandom(uint32_t seed, d3d8sw::RasterPath path) {
  TestDevice device(96, 72);
  if (!device.ok()) return {};
  d3d8sw::SetRasterOptions(device.get(), {path, path == d3d8sw::RasterPath::Optimised ? 2 : 1});
  Random r(seed);
  IDirect3DTexture8* texture = nullptr;
  device->CreateTexture(16, 8, 0, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture);
  for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
    D3DLOCKED_RECT locked;
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(level, &desc);
    texture->LockRect(level, &locked, nullptr, 0);
    for (UINT y = 0; y < desc.Height; ++y)
      for (UINT x = 0; x < desc.Width; ++x) {
        const auto texel = static_cast<uint16_t>(r.next());
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch + 2 * x, &texel, 2);
      }
    texture->UnlockRect(level);
  }
  const D3DMATRIX view = lookAtLH({0, 0, -4}, {0, 0, 0}, {0, 1, 0});
  const D3DMATRIX projection = perspectiveFovLH(1.0f, 96.0f / 72.0f, 0.5f, 30.0f);
  const D3DMATRIX world = rotationY(r.uniform(0, 3));
  device->SetTransform(D3DTS_WORLD, &world);
  device->SetTransform(D3DTS_VIEW, &view);
  device->SetTransform(D3DTS_PROJECTION, &projection);
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF203040, 1.0f, 1);
  device->BeginScene();
  for (int draw = 0; draw < 6; ++draw) {
    randomStates(device.get(), r, texture);
    const bool pretransformed = r.below(3) == 0;
    std::vector<Vertex> vertices(40);
    for (Vertex& v : vertices) {
      if (pretransformed)
        v = {wildCoordinate(r, 120), wildCoordinate(r, 100), r.uniform(-0.2f, 1.2f), r.uniform(0.01f, 2), 0, 0, 0,
             static_cast<D3DCOLOR>(r.next()), wildCoordinate(r, 3), wildCoordinate(r, 3)};
      else
        v = {wildCoordinate(r, 3), wildCoordinate(r, 3), wildCoordinate(r, 5), 0, r.uniform(-1, 1), r.uniform(-1, 1),
             r.uniform(-1, 1), static_cast<D3DCOLOR>(r.next()), wildCoordinate(r, 3), wildCoordinate(r, 3)};
    }
    std::vector<uint16_t> indices(60);
    for (uint16_t& i : indices) i = static_cast<uint16_t>(r.below(40));
    if (pretransformed) {
      // Pack (x, y, z, rhw, diffuse, u, v) by hand: the layout differs from Vertex.
      std::vector<ScreenVertex> screen;
      for (const Vertex& v : vertices) screen.push_back({v.x, v.y, v.z, v.w, v.diffuse, v.u, v.v});
      device->SetVertexShader(kScreenVertexFvf);
      device->DrawIndexedPrimitiveUP(static_cast<D3DPRIMITIVETYPE>(1 + r.below(6)), 0, 40, 10, indices.data(),
                                     D3DFMT_INDEX16, screen.data(), sizeof(ScreenVertex));
    } else {
      struct Lit {
        float x, y, z, nx, ny, nz;
        D3DCOLOR diffuse;
        float u, v;
      };
      std::vector<Lit> lit;
      for (const Vertex& v : vertices) lit.push_back({v.x, v.y, v.z, v.nx, v.ny, v.nz, v.diffuse, v.u, v.v});
      device->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1);
      device->DrawIndexedPrimitiveUP(static_cast<D3DPRIMITIVETYPE>(1 + r.below(6)), 0, 40, 10, indices.data(),
                                     D3DFMT_INDEX16, lit.data(), sizeof(Lit));
    }
  }
  device->EndScene();
  for (DWORD s = 0; s < 3; ++s) device->SetTexture(s, nullptr);
  texture->Release();
  return device.capture();
}

class RandomStates : public ::testing::TestWithParam<uint32_t> {};

}  // namespace

TEST_P(RandomStates, OptimisedEqualsReferenceWithoutFaults) {
  const Image reference = renderRandom(GetParam(), d3d8sw::RasterPath::Reference);
  const Image optimised = renderRandom(GetParam(), d3d8sw::RasterPath::Optimised);
  ASSERT_EQ(reference.pixels.size(), 96u * 72u);
  ASSERT_EQ(optimised.pixels.size(), reference.pixels.size());
  int differing = 0;
  for (size_t i = 0; i < reference.pixels.size(); ++i)
    differing += (reference.pixels[i] & 0xFFFFFF) != (optimised.pixels[i] & 0xFFFFFF);
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomStates, ::testing::Range(1u, 41u));

}  // namespace kelvane::test
