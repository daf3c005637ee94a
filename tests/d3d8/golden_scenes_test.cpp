// Golden scenes, one per feature group. Each scene carries its own independent check:
// pixel values computed here by hand from the scene's numbers. A golden image is only
// accepted (KELVANE_UPDATE_GOLDEN=1) when that check passes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <cstring>
#include <sstream>

#include "peer_scene.h"
#include "scene_helpers.h"

namespace kelvane::test {

namespace {

constexpr float kPi = 3.14159265358979f;

// Collects the hand-computed pixel expectations of one scene.
class Checks {
 public:
  explicit Checks(const Image& image) : image_(image) {}
  void pixel(int x, int y, int r, int g, int b, int tolerance = 1) {
    const uint32_t c = image_.at(x, y);
    if (std::abs(red(c) - r) > tolerance || std::abs(green(c) - g) > tolerance || std::abs(blue(c) - b) > tolerance) {
      std::ostringstream s;
      s << "pixel (" << x << ", " << y << ") is (" << red(c) << ", " << green(c) << ", " << blue(c)
        << "), expected (" << r << ", " << g << ", " << b << ") within " << tolerance;
      failures_.push_back(s.str());
    }
  }
  void pixel(int x, int y, uint32_t rgb, int tolerance = 1) {
    pixel(x, y, red(rgb), green(rgb), blue(rgb), tolerance);
  }
  const std::vector<std::string>& failures() const { return failures_; }

 private:
  const Image& image_;
  std::vector<std::string> failures_;
};

struct GoldenScene {
  const char* name;
  int width, height;
  D3DFORMAT depth;
  std::function<void(IDirect3DDevice8*)> draw;
  std::function<void(Checks&)> check;
};

IDirect3DTexture8* makeTexture32(IDirect3DDevice8* d, int w, int h, const std::vector<uint32_t>& texels) {
  IDirect3DTexture8* t = nullptr;
  if (FAILED(d->CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t))) return nullptr;
  D3DLOCKED_RECT r;
  t->LockRect(0, &r, nullptr, 0);
  for (int y = 0; y < h; ++y)
    std::memcpy(static_cast<uint8_t*>(r.pBits) + y * r.Pitch, &texels[static_cast<size_t>(y) * w], 4 * w);
  t->UnlockRect(0);
  return t;
}

IDirect3DTexture8* makeTexture16(IDirect3DDevice8* d, int w, int h, D3DFORMAT format, const std::vector<uint16_t>& texels) {
  IDirect3DTexture8* t = nullptr;
  if (FAILED(d->CreateTexture(w, h, 1, 0, format, D3DPOOL_MANAGED, &t))) return nullptr;
  D3DLOCKED_RECT r;
  t->LockRect(0, &r, nullptr, 0);
  for (int y = 0; y < h; ++y)
    std::memcpy(static_cast<uint8_t*>(r.pBits) + y * r.Pitch, &texels[static_cast<size_t>(y) * w], 2 * w);
  t->UnlockRect(0);
  return t;
}

// The lit sphere scenes: a sphere of radius 1 whose pole faces the camera, seen through
// an orthographic camera, so the pole vertex lands exactly on the centre pixel (32, 32).
constexpr D3DCOLOR kSphereAmbient = 0xFF202020;
const D3DCOLORVALUE kSphereDiffuse{0.8f, 0.6f, 0.4f, 1.0f};

void drawSphere(IDirect3DDevice8* d, const D3DLIGHT8& light) {
  const D3DMATRIX view = lookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0});
  const D3DMATRIX projection = orthoLH(2.5f, 2.5f, 0.1f, 10.0f);
  const D3DMATRIX world = rotationX(-kPi / 2);
  d->SetTransform(D3DTS_WORLD, &world);
  d->SetTransform(D3DTS_VIEW, &view);
  d->SetTransform(D3DTS_PROJECTION, &projection);
  d->SetRenderState(D3DRS_LIGHTING, TRUE);
  d->SetRenderState(D3DRS_AMBIENT, kSphereAmbient);
  d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  d->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  d->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
  const D3DMATERIAL8 m = material(kSphereDiffuse, {1, 1, 1, 1});
  d->SetMaterial(&m);
  d->SetLight(0, &light);
  d->LightEnable(0, TRUE);
  const PeerMesh sphere = sphereMesh(16, 24);
  d->SetVertexShader(kPeerVertexFvf);
  d->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(sphere.vertices.size()),
                            static_cast<UINT>(sphere.indices.size() / 3), sphere.indices.data(), D3DFMT_INDEX16,
                            sphere.vertices.data(), sizeof(PeerVertex));
  d->LightEnable(0, FALSE);
}

// Expected colour of a lit vertex: material diffuse times the light's diffuse times
// n.l times the attenuation and spot factor, plus global and light ambient.
void expectLit(Checks& c, int x, int y, float nDotL, float factor, D3DCOLORVALUE lightDiffuse, float lightAmbient) {
  const float ambient = 32.0f / 255.0f + factor * lightAmbient;
  c.pixel(x, y, level(kSphereDiffuse.r * lightDiffuse.r * nDotL * factor + ambient),
          level(kSphereDiffuse.g * lightDiffuse.g * nDotL * factor + ambient),
          level(kSphereDiffuse.b * lightDiffuse.b * nDotL * factor + ambient));
}

// Three quads facing the camera at depths 4, 6 and 8, each filling a third of the view.
void drawFogQuads(IDirect3DDevice8* d, D3DFOGMODE mode, bool table) {
  const D3DMATRIX view = identity();
  const D3DMATRIX projection = perspectiveFovLH(kPi / 2, 2.0f, 1.0f, 20.0f);
  d->SetTransform(D3DTS_WORLD, &view);
  d->SetTransform(D3DTS_VIEW, &view);
  d->SetTransform(D3DTS_PROJECTION, &projection);
  d->SetRenderState(D3DRS_FOGENABLE, TRUE);
  d->SetRenderState(table ? D3DRS_FOGTABLEMODE : D3DRS_FOGVERTEXMODE, mode);
  d->SetRenderState(D3DRS_FOGCOLOR, 0xFF406080);
  d->SetRenderState(D3DRS_FOGSTART, floatBits(3.0f));
  d->SetRenderState(D3DRS_FOGEND, floatBits(10.0f));
  d->SetRenderState(D3DRS_FOGDENSITY, floatBits(0.15f));
  d->SetVertexShader(D3DFVF_XYZ);
  for (int i = 0; i < 3; ++i) {
    const float z = 4.0f + 2.0f * i;
    const float x0 = (-1.0f + 2.0f * i / 3.0f) * 2.0f * z, x1 = (-1.0f + 2.0f * (i + 1) / 3.0f) * 2.0f * z;
    const float quad[4][3] = {{x0, z, z}, {x1, z, z}, {x0, -z, z}, {x1, -z, z}};
    d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, 12);
  }
}

void expectFog(Checks& c, D3DFOGMODE mode) {
  for (int i = 0; i < 3; ++i) {
    const float depth = 4.0f + 2.0f * i;
    float f = 1.0f;
    if (mode == D3DFOG_LINEAR) f = (10.0f - depth) / (10.0f - 3.0f);
    if (mode == D3DFOG_EXP) f = std::exp(-0.15f * depth);
    if (mode == D3DFOG_EXP2) f = std::exp(-(0.15f * depth) * (0.15f * depth));
    c.pixel(10 + 21 * i, 16, level(f + (1 - f) * 0x40 / 255.0f), level(f + (1 - f) * 0x60 / 255.0f),
            level(f + (1 - f) * 0x80 / 255.0f));
  }
}

// A triangle that is clockwise on screen and one that is counter-clockwise.
void drawWindings(IDirect3DDevice8* d, DWORD cull) {
  d->SetRenderState(D3DRS_CULLMODE, cull);
  const ScreenVertex clockwise[3] = {{4, 4, 0.5f, 1, 0xFFFF0000, 0, 0}, {28, 4, 0.5f, 1, 0xFFFF0000, 0, 0},
                                     {4, 28, 0.5f, 1, 0xFFFF0000, 0, 0}};
  const ScreenVertex counter[3] = {{36, 4, 0.5f, 1, 0xFF00FF00, 0, 0}, {36, 28, 0.5f, 1, 0xFF00FF00, 0, 0},
                                   {60, 4, 0.5f, 1, 0xFF00FF00, 0, 0}};
  d->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, clockwise, sizeof(ScreenVertex));
  d->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, counter, sizeof(ScreenVertex));
}

void expectWindings(Checks& c, bool clockwiseShown, bool counterShown) {
  c.pixel(10, 10, clockwiseShown ? 0xFF0000 : 0, 0);
  c.pixel(42, 10, counterShown ? 0x00FF00 : 0, 0);
}

// Red quad at depth 0.3 drawn first, green quad at 0.6 overlapping it.
void drawDepthPair(IDirect3DDevice8* d, DWORD func, float clearDepth) {
  d->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, clearDepth, 0);
  d->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  d->SetRenderState(D3DRS_ZFUNC, func);
  drawQuad(d, 4, 4, 40, 28, 0.3f, 0xFFFF0000);
  drawQuad(d, 24, 4, 60, 28, 0.6f, 0xFF00FF00);
}

// Ortho camera with one world unit per pixel: world (x, y) shows at pixel (x + w/2, h/2 - y).
void pixelCamera(IDirect3DDevice8* d, float width, float height) {
  const D3DMATRIX id = identity();
  const D3DMATRIX projection = orthoLH(width, height, 0.0f, 10.0f);
  d->SetTransform(D3DTS_WORLD, &id);
  d->SetTransform(D3DTS_VIEW, &id);
  d->SetTransform(D3DTS_PROJECTION, &projection);
}

struct TexturedVertex {
  float x, y, z, u, v;
};

// A quad over the pixel rectangle (x0, y0) - (x1, y1) of a 64 x 32 pixel camera, with
// texture coordinates 0 .. 1 from its top-left corner.
void drawTexturedQuad(IDirect3DDevice8* d, float x0, float y0, float x1, float y1) {
  const TexturedVertex v[4] = {{x0 - 32, 16 - y0, 1, 0, 0}, {x1 - 32, 16 - y0, 1, 1, 0},
                               {x0 - 32, 16 - y1, 1, 0, 1}, {x1 - 32, 16 - y1, 1, 1, 1}};
  d->SetVertexShader(D3DFVF_XYZ | D3DFVF_TEX1);
  d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(TexturedVertex));
}

IDirect3DTexture8* quadrantTexture(IDirect3DDevice8* d) {
  return makeTexture32(d, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
}

void sphereTexgen(IDirect3DDevice8* d, DWORD texgen) {
  IDirect3DTexture8* t = quadrantTexture(d);
  d->SetTexture(0, t);
  d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  d->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, texgen);
  d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  // u = 0.5 x + 0.5, v = -0.5 y + 0.5: the sphere map of a direction.
  D3DMATRIX m{};
  m._11 = 0.5f;
  m._22 = -0.5f;
  m._41 = 0.5f;
  m._42 = 0.5f;
  m._44 = 1.0f;
  d->SetTransform(D3DTS_TEXTURE0, &m);
  drawSphere(d, directionalLight({0, 0, 1}, {1, 1, 1, 1}));
  d->SetTexture(0, nullptr);
  t->Release();
}

// The text drawing pattern: two recordings of the same states, one kept to save and
// restore the caller's values, one to draw; glyph quads of pre-transformed vertices
// shifted by half a pixel, written into a dynamic buffer with discard locks.
void drawGlyphQuads(IDirect3DDevice8* d) {
  // An 8 x 8 glyph texture of 4-bit alpha: a frame of alpha 15 around alpha 0, one texel of alpha 7.
  std::vector<uint16_t> texels(64, 0);
  for (int i = 0; i < 8; ++i) texels[i] = texels[56 + i] = texels[8 * i] = texels[8 * i + 7] = 0xFFFF;
  texels[3 * 8 + 3] = 0x7FFF;
  IDirect3DTexture8* glyph = makeTexture16(d, 8, 8, D3DFMT_A4R4G4B4, texels);
  auto record = [&](DWORD* token) {
    d->BeginStateBlock();
    d->SetTexture(0, glyph);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    d->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    d->SetRenderState(D3DRS_ALPHAREF, 8);
    d->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    d->SetRenderState(D3DRS_ZENABLE, FALSE);
    d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
    d->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    d->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE);
    d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    d->EndStateBlock(token);
  };
  DWORD saved = 0, drawing = 0;
  record(&saved);
  record(&drawing);
  IDirect3DVertexBuffer8* vb = nullptr;
  d->CreateVertexBuffer(8400, D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC, 0, D3DPOOL_DEFAULT, &vb);
  d->CaptureStateBlock(saved);
  d->ApplyStateBlock(drawing);
  d->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
  d->SetStreamSource(0, vb, 28);
  for (int glyph = 0; glyph < 2; ++glyph) {
    BYTE* data = nullptr;
    vb->Lock(0, 0, &data, D3DLOCK_DISCARD);
    const float sx = 4.0f + 16.0f * glyph, sy = 4.0f, w = 8.0f, h = 8.0f;
    const D3DCOLOR colour = glyph == 0 ? 0xFFFFFFFF : 0xFF00FF00;
    const ScreenVertex v[6] = {{sx - 0.5f, sy + h - 0.5f, 0.9f, 1, colour, 0, 1}, {sx - 0.5f, sy - 0.5f, 0.9f, 1, colour, 0, 0},
                               {sx + w - 0.5f, sy + h - 0.5f, 0.9f, 1, colour, 1, 1}, {sx + w - 0.5f, sy - 0.5f, 0.9f, 1, colour, 1, 0},
                               {sx + w - 0.5f, sy + h - 0.5f, 0.9f, 1, colour, 1, 1}, {sx - 0.5f, sy - 0.5f, 0.9f, 1, colour, 0, 0}};
    std::memcpy(data, v, sizeof v);
    vb->Unlock();
    d->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
  }
  d->ApplyStateBlock(saved);
  // The caller's states are back: an opaque untextured red quad.
  drawQuad(d, 40, 4, 56, 12, 0.5f, 0xFFFF0000);
  d->SetStreamSource(0, nullptr, 0);
  d->DeleteStateBlock(saved);
  d->DeleteStateBlock(drawing);
  vb->Release();
  glyph->Release();
}

const GoldenScene kScenes[] = {
    {"pretransformed_quads", 64, 48, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       drawQuad(d, 10, 10, 30, 20, 0.5f, 0xFFFF0000);
       // Red to blue from x = 4 to x = 60: pixel centres on integers.
       drawQuad(d, 4, 28, 60, 44, 0.5f, 0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF);
     },
     [](Checks& c) {
       // Pixel centres on integer coordinates, top and left edges inside.
       c.pixel(10, 10, 0xFF0000, 0);
       c.pixel(29, 19, 0xFF0000, 0);
       c.pixel(30, 15, 0, 0);
       c.pixel(9, 15, 0, 0);
       c.pixel(15, 20, 0, 0);
       c.pixel(15, 9, 0, 0);
       for (int x : {4, 18, 32, 59}) {
         const float t = (x - 4) / 56.0f;
         c.pixel(x, 36, level(1 - t), 0, level(t));
       }
     }},
    {"cull_none", 64, 32, D3DFMT_D24S8, [](IDirect3DDevice8* d) { drawWindings(d, D3DCULL_NONE); },
     [](Checks& c) { expectWindings(c, true, true); }},
    {"cull_cw", 64, 32, D3DFMT_D24S8, [](IDirect3DDevice8* d) { drawWindings(d, D3DCULL_CW); },
     [](Checks& c) { expectWindings(c, false, true); }},
    {"cull_ccw", 64, 32, D3DFMT_D24S8, [](IDirect3DDevice8* d) { drawWindings(d, D3DCULL_CCW); },
     [](Checks& c) { expectWindings(c, true, false); }},
    {"z_less", 64, 32, D3DFMT_D24S8, [](IDirect3DDevice8* d) { drawDepthPair(d, D3DCMP_LESS, 1.0f); },
     [](Checks& c) {
       c.pixel(30, 16, 0xFF0000, 0);  // overlap: the nearer red stays
       c.pixel(50, 16, 0x00FF00, 0);
     }},
    {"z_greater_d16", 64, 32, D3DFMT_D16, [](IDirect3DDevice8* d) { drawDepthPair(d, D3DCMP_GREATER, 0.0f); },
     [](Checks& c) {
       c.pixel(30, 16, 0x00FF00, 0);  // overlap: the farther green wins
       c.pixel(10, 16, 0xFF0000, 0);
     }},
    {"alpha_blend", 64, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       drawQuad(d, 0, 0, 64, 32, 0.5f, 0xFF0000FF);
       d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
       d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
       d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
       drawQuad(d, 4, 4, 28, 28, 0.5f, 0x80FF0000);
       d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
       d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
       drawQuad(d, 36, 4, 60, 28, 0.5f, 0xFF00A000);
     },
     [](Checks& c) {
       const float a = 128.0f / 255.0f;
       c.pixel(16, 16, level(a), 0, level(1 - a));
       c.pixel(48, 16, 0, 0xA0, 0xFF);
       c.pixel(2, 2, 0, 0, 0xFF);
     }},
    {"alpha_test", 64, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       d->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
       d->SetRenderState(D3DRS_ALPHAREF, 0x80);
       d->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
       // Alpha rises from 0 at x = 0 to 255 at x = 64.
       drawQuad(d, 0, 0, 64, 32, 0.5f, 0x00FFFF00, 0xFFFFFF00, 0x00FFFF00, 0xFFFFFF00);
     },
     [](Checks& c) {
       c.pixel(20, 16, 0, 0);           // alpha 80 < 128: rejected
       c.pixel(40, 16, 0xFFFF00, 0);    // alpha 159: kept
     }},
    {"texture_stages", 64, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       // 4 x 4 texels, each 8 x 8 pixels on screen, point sampled.
       std::vector<uint32_t> texels(16);
       for (int i = 0; i < 16; ++i) texels[i] = 0xFF000000u | (i * 16u) << 16 | (255u - i * 16u) << 8 | 0x40u;
       IDirect3DTexture8* t = makeTexture32(d, 4, 4, texels);
       d->SetTexture(0, t);
       d->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
       d->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
       d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
       d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
       d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
       d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
       d->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT);
       d->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_TFACTOR);
       d->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
       d->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_CURRENT);
       d->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFF202020);
       drawQuad(d, 0, 0, 32, 32, 0.5f, 0xFF808080);
       // Right half: stage 0 selects the texture alone, stage 1 disabled.
       d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
       d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
       drawQuad(d, 32, 0, 64, 32, 0.5f, 0xFF808080);
       d->SetTexture(0, nullptr);
       t->Release();
     },
     [](Checks& c) {
       // Texel (1, 2) = index 9 under pixel (12, 20).
       const int r = 9 * 16, g = 255 - 9 * 16, b = 0x40;
       const float m = 128.0f / 255.0f, add = 32.0f / 255.0f;
       c.pixel(12, 20, level(r / 255.0f * m + add), level(g / 255.0f * m + add), level(b / 255.0f * m + add));
       c.pixel(44, 20, r, g, b, 0);
     }},
    {"texture_formats", 64, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
       d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
       d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
       d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
       d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
       d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
       d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
       // R5G6B5 (0xF800 red, 0x07E0 green) and A4R4G4B4 (half transparent blue, opaque white).
       IDirect3DTexture8* a = makeTexture16(d, 2, 1, D3DFMT_R5G6B5, {0xF800, 0x07E0});
       IDirect3DTexture8* b = makeTexture16(d, 2, 1, D3DFMT_A4R4G4B4, {0x800F, 0xFFFF});
       d->SetTexture(0, a);
       drawQuad(d, 0, 0, 32, 32, 0.5f, 0xFFFFFFFF);
       d->SetTexture(0, b);
       drawQuad(d, 32, 0, 64, 32, 0.5f, 0xFFFFFFFF);
       d->SetTexture(0, nullptr);
       a->Release();
       b->Release();
     },
     [](Checks& c) {
       c.pixel(8, 16, 0xFF0000, 0);
       c.pixel(24, 16, 0x00FF00, 0);
       c.pixel(40, 16, 0, 0, level(0x88 / 255.0f));  // alpha 8/15 expands to 0x88
       c.pixel(56, 16, 0xFFFFFF, 0);
     }},
    {"points_lines", 48, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       const ScreenVertex points[2] = {{5, 5, 0.5f, 1, 0xFFFFFFFF, 0, 0}, {10.4f, 7.4f, 0.5f, 1, 0xFFFF0000, 0, 0}};
       d->DrawPrimitiveUP(D3DPT_POINTLIST, 2, points, sizeof(ScreenVertex));
       const ScreenVertex lines[4] = {{2, 20, 0.5f, 1, 0xFF00FF00, 0, 0}, {40, 20, 0.5f, 1, 0xFF00FF00, 0, 0},
                                      {44, 2, 0.5f, 1, 0xFF0000FF, 0, 0}, {44, 30, 0.5f, 1, 0xFF0000FF, 0, 0}};
       d->DrawPrimitiveUP(D3DPT_LINELIST, 2, lines, sizeof(ScreenVertex));
       const ScreenVertex strip[3] = {{20, 2, 0.5f, 1, 0xFFFFFF00, 0, 0}, {30, 12, 0.5f, 1, 0xFFFFFF00, 0, 0},
                                      {38, 2, 0.5f, 1, 0xFFFFFF00, 0, 0}};
       d->DrawPrimitiveUP(D3DPT_LINESTRIP, 2, strip, sizeof(ScreenVertex));
     },
     [](Checks& c) {
       c.pixel(5, 5, 0xFFFFFF, 0);
       c.pixel(10, 7, 0xFF0000, 0);
       c.pixel(11, 7, 0, 0);
       for (int x : {2, 21, 40}) c.pixel(x, 20, 0x00FF00, 0);
       c.pixel(41, 20, 0, 0);
       c.pixel(20, 19, 0, 0);
       for (int y : {2, 16, 30}) c.pixel(44, y, 0x0000FF, 0);
       for (int i : {0, 5, 10}) c.pixel(20 + i, 2 + i, 0xFFFF00, 0);
     }},
    {"wireframe", 48, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       d->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
       const ScreenVertex tri[3] = {{4, 4, 0.5f, 1, 0xFFFFFFFF, 0, 0}, {40, 4, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                                    {4, 28, 0.5f, 1, 0xFFFFFFFF, 0, 0}};
       d->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, tri, sizeof(ScreenVertex));
     },
     [](Checks& c) {
       c.pixel(20, 4, 0xFFFFFF, 0);
       c.pixel(4, 16, 0xFFFFFF, 0);
       c.pixel(12, 12, 0, 0);
     }},
    {"lit_sphere_directional", 64, 64, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       drawSphere(d, directionalLight({0.3f, -0.4f, 0.866f}, {1.0f, 0.9f, 0.8f, 1.0f}));
     },
     [](Checks& c) {
       const float dz = 0.866f / std::sqrt(0.09f + 0.16f + 0.866f * 0.866f);
       expectLit(c, 32, 32, dz, 1.0f, {1.0f, 0.9f, 0.8f, 1.0f}, 0.0f);
       c.pixel(2, 2, 0, 0);
     }},
    {"lit_sphere_point", 64, 64, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       D3DLIGHT8 l = pointLight({0.5f, 0.5f, -2.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 50.0f, 1.0f, 0.2f, 0.1f);
       l.Ambient = D3DCOLORVALUE{0.1f, 0.1f, 0.1f, 1.0f};
       drawSphere(d, l);
     },
     [](Checks& c) {
       // Pole at (0, 0, -1); light 0.5 right, 0.5 up and 1 nearer.
       const float distance = std::sqrt(1.5f);
       const float attenuation = 1.0f / (1.0f + 0.2f * distance + 0.1f * distance * distance);
       expectLit(c, 32, 32, 1.0f / distance, attenuation, {1, 1, 1, 1}, 0.1f);
     }},
    {"lit_sphere_point_range", 64, 64, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       D3DLIGHT8 l = pointLight({0.0f, 0.0f, -2.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 1.5f, 1.0f, 0.0f, 0.0f);
       drawSphere(d, l);
     },
     [](Checks& c) {
       expectLit(c, 32, 32, 1.0f, 1.0f, {1, 1, 1, 1}, 0.0f);  // the pole is 1 from the light
       expectLit(c, 54, 32, 0.0f, 0.0f, {1, 1, 1, 1}, 0.0f);  // beyond the range: ambient only
     }},
    {"lit_sphere_spot", 64, 64, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       D3DLIGHT8 l{};
       l.Type = D3DLIGHT_SPOT;
       l.Diffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f};
       l.Position = D3DVECTOR{0.5f, 0.0f, -2.0f};
       l.Direction = D3DVECTOR{0.0f, 0.0f, 1.0f};
       l.Range = 50.0f;
       l.Attenuation0 = 1.0f;
       l.Theta = 0.6f;
       l.Phi = 1.2f;
       l.Falloff = 2.0f;
       drawSphere(d, l);
     },
     [](Checks& c) {
       // The pole is inside the outer cone and outside the inner one.
       const float distance = std::sqrt(1.25f);
       const float rho = 1.0f / distance;
       const float inner = std::cos(0.3f), outer = std::cos(0.6f);
       const float spot = std::pow((rho - outer) / (inner - outer), 2.0f);
       expectLit(c, 32, 32, 1.0f / distance, spot, {1, 1, 1, 1}, 0.0f);
       expectLit(c, 10, 32, 0.0f, 0.0f, {1, 1, 1, 1}, 0.0f);  // outside the outer cone
     }},
    {"texgen_camera_normal", 64, 64, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) { sphereTexgen(d, D3DTSS_TCI_CAMERASPACENORMAL); },
     [](Checks& c) {
       c.pixel(32, 32, 0xFFFFFF, 0);  // normal (0, 0, -1): u = v = 0.5, texel (1, 1)
       c.pixel(20, 20, 0xFF0000, 0);  // upper left: normal x < 0, y > 0
       c.pixel(44, 44, 0xFFFFFF, 0);
       c.pixel(44, 20, 0x00FF00, 0);
     }},
    {"texgen_reflection", 64, 64, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) { sphereTexgen(d, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR); },
     [](Checks& c) {
       // At the pole the view ray (0, 0, 1) reflects to (0, 0, -1): u = v = 0.5.
       c.pixel(32, 32, 0xFFFFFF, 0);
       c.pixel(20, 20, 0xFF0000, 0);  // reflection leans left and up like the normal
       c.pixel(44, 20, 0x00FF00, 0);
     }},
    {"texture_transforms", 64, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       pixelCamera(d, 64, 32);
       IDirect3DTexture8* t = quadrantTexture(d);
       d->SetTexture(0, t);
       d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
       d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
       // Two coordinates: (u, v, 1, 0) times the matrix, so the shift is in the third row.
       D3DMATRIX shift = identity();
       shift._31 = 0.5f;
       d->SetTransform(D3DTS_TEXTURE0, &shift);
       d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
       drawTexturedQuad(d, 0, 0, 32, 32);
       // Three coordinates, projected: (u, v, 0.5) gives (2u, 2v).
       D3DMATRIX projected = identity();
       projected._33 = 0.5f;
       d->SetTransform(D3DTS_TEXTURE0, &projected);
       d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3 | D3DTTFF_PROJECTED);
       drawTexturedQuad(d, 32, 0, 64, 32);
       d->SetTexture(0, nullptr);
       t->Release();
     },
     [](Checks& c) {
       c.pixel(3, 3, 0x00FF00, 0);   // u 0.09 + 0.5: texel (1, 0)
       c.pixel(20, 3, 0xFF0000, 0);  // u 0.63 + 0.5 wraps to 0.13: texel (0, 0)
       c.pixel(42, 3, 0x00FF00, 0);  // (0.63, 0.19): texel (1, 0)
       c.pixel(35, 20, 0xFF0000, 0); // (0.19, 1.25) wraps: texel (0, 0)
       c.pixel(42, 10, 0xFFFFFF, 0); // (0.63, 0.63): texel (1, 1)
     }},
    {"material_sources", 64, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       pixelCamera(d, 64, 32);
       d->SetRenderState(D3DRS_LIGHTING, TRUE);
       d->SetRenderState(D3DRS_AMBIENT, 0);
       const D3DLIGHT8 light = directionalLight({0, 0, 1}, {1, 1, 1, 1});
       d->SetLight(0, &light);
       d->LightEnable(0, TRUE);
       const D3DMATERIAL8 m = material({0, 0, 1, 1}, {0, 0, 0, 0});
       d->SetMaterial(&m);
       struct Vertex {
         float x, y, z, nx, ny, nz;
         D3DCOLOR diffuse;
       };
       auto quad = [d](float x0, float x1) {
         const Vertex v[4] = {{x0, 16, 1, 0, 0, -1, 0xFFFF0000}, {x1, 16, 1, 0, 0, -1, 0xFFFF0000},
                              {x0, -16, 1, 0, 0, -1, 0xFFFF0000}, {x1, -16, 1, 0, 0, -1, 0xFFFF0000}};
         d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(Vertex));
       };
       d->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE);
       d->SetRenderState(D3DRS_COLORVERTEX, TRUE);
       d->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
       quad(-32, -11);  // diffuse from the vertex colour
       d->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
       quad(-11, 11);   // diffuse from the material
       d->SetRenderState(D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_COLOR1);
       d->LightEnable(0, FALSE);
       quad(11, 32);    // no light: only the vertex colour as emissive
     },
     [](Checks& c) {
       c.pixel(10, 16, 0xFF0000, 1);
       c.pixel(32, 16, 0x0000FF, 1);
       c.pixel(54, 16, 0xFF0000, 1);
     }},
    {"fan_and_near_clip", 64, 32, D3DFMT_D24S8,
     [](IDirect3DDevice8* d) {
       // A floor at y = -1 from 5 behind the camera to 10 in front: only clipping at
       // the near plane keeps the part behind the camera from folding over the view.
       const D3DMATRIX id = identity();
       const D3DMATRIX projection = perspectiveFovLH(kPi / 2, 2.0f, 0.5f, 50.0f);
       d->SetTransform(D3DTS_WORLD, &id);
       d->SetTransform(D3DTS_VIEW, &id);
       d->SetTransform(D3DTS_PROJECTION, &projection);
       struct Vertex {
         float x, y, z;
         D3DCOLOR color;
       };
       const Vertex floor[4] = {{-10, -1, -5, 0xFF00C000}, {10, -1, -5, 0xFF00C000}, {-10, -1, 10, 0xFF00C000},
                                {10, -1, 10, 0xFF00C000}};
       d->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
       d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, floor, sizeof(Vertex));
       // A hexagon as a fan of pre-transformed vertices around (48, 8).
       ScreenVertex fan[8];
       fan[0] = {48, 8, 0.5f, 1, 0xFFFF8000, 0, 0};
       for (int i = 0; i <= 6; ++i)
         fan[i + 1] = {48 + 6 * std::cos(i * kPi / 3), 8 + 6 * std::sin(i * kPi / 3), 0.5f, 1, 0xFFFF8000, 0, 0};
       d->SetVertexShader(kScreenVertexFvf);
       d->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 6, fan, sizeof(ScreenVertex));
     },
     [](Checks& c) {
       // The floor's far edge is at screen row 16 * (1 + 1/10) = 17.6.
       c.pixel(32, 20, 0x00C000, 0);
       c.pixel(2, 31, 0x00C000, 0);
       c.pixel(60, 25, 0x00C000, 0);
       c.pixel(32, 17, 0, 0);
       c.pixel(10, 8, 0, 0);
       c.pixel(48, 8, 0xFF8000, 0);
       c.pixel(52, 10, 0xFF8000, 0);
       c.pixel(48, 1, 0, 0);
     }},
    {"glyph_quads", 64, 16, D3DFMT_D24S8, drawGlyphQuads,
     [](Checks& c) {
       // Texels map one to one onto pixels (4..11, 4..11).
       c.pixel(4, 4, 0xFFFFFF, 0);
       c.pixel(11, 11, 0xFFFFFF, 0);
       c.pixel(8, 8, 0, 0);                  // alpha 0: rejected by the alpha test
       c.pixel(7, 7, level(0x77 / 255.0f), level(0x77 / 255.0f), level(0x77 / 255.0f));  // alpha 7/15 blended
       c.pixel(12, 8, 0, 0);
       c.pixel(20, 4, 0x00FF00, 0);          // the second glyph, after a discard lock
       c.pixel(48, 8, 0xFF0000, 0);          // drawn with the restored states
     }},
    {"fog_table_linear", 64, 32, D3DFMT_D24S8, [](IDirect3DDevice8* d) { drawFogQuads(d, D3DFOG_LINEAR, true); },
     [](Checks& c) { expectFog(c, D3DFOG_LINEAR); }},
    {"fog_table_exp", 64, 32, D3DFMT_D24S8, [](IDirect3DDevice8* d) { drawFogQuads(d, D3DFOG_EXP, true); },
     [](Checks& c) { expectFog(c, D3DFOG_EXP); }},
    {"fog_table_exp2", 64, 32, D3DFMT_D24S8, [](IDirect3DDevice8* d) { drawFogQuads(d, D3DFOG_EXP2, true); },
     [](Checks& c) { expectFog(c, D3DFOG_EXP2); }},
    {"fog_vertex_linear", 64, 32, D3DFMT_D24S8, [](IDirect3DDevice8* d) { drawFogQuads(d, D3DFOG_LINEAR, false); },
     [](Checks& c) { expectFog(c, D3DFOG_LINEAR); }},
};

void PrintTo(const GoldenScene& scene, std::ostream* out) { *out << scene.name; }

class GoldenScenes : public ::testing::TestWithParam<GoldenScene> {};

}  // namespace

TEST_P(GoldenScenes, MatchesHandValuesAndGolden) {
  const GoldenScene& scene = GetParam();
  TestDevice device(scene.width, scene.height, scene.depth);
  ASSERT_TRUE(device.ok());
  ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  baseStates(device.get());
  scene.draw(device.get());
  ASSERT_EQ(device->EndScene(), D3D_OK);
  const Image image = device.capture();

  Checks checks(image);
  scene.check(checks);
  for (const std::string& failure : checks.failures()) ADD_FAILURE() << scene.name << ": " << failure;
  if (!checks.failures().empty()) writeTestOutput(std::string(scene.name) + ".actual.png", image);

  Tolerance tolerance;
  tolerance.level = 2;
  tolerance.maxPixelsOver = 4;
  EXPECT_TRUE(matchesGolden(scene.name, image, tolerance, checks.failures().empty()));
}

INSTANTIATE_TEST_SUITE_P(Scenes, GoldenScenes, ::testing::ValuesIn(kScenes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace kelvane::test
