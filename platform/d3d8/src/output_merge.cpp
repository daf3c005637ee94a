// One fragment from interpolated values to the render target: texture lookups, stage
// combination, specular, fog, alpha test, stencil and depth tests, blending, writing.
#include <algorithm>
#include <cmath>

#include "pipeline.h"
#include "resources.h"

namespace d3d8sw {

namespace {

template <class T>
bool compare(DWORD func, T value, T reference) {
  switch (func) {
    case D3DCMP_NEVER: return false;
    case D3DCMP_LESS: return value < reference;
    case D3DCMP_EQUAL: return value == reference;
    case D3DCMP_LESSEQUAL: return value <= reference;
    case D3DCMP_GREATER: return value > reference;
    case D3DCMP_NOTEQUAL: return value != reference;
    case D3DCMP_GREATEREQUAL: return value >= reference;
    default: return true;
  }
}

uint32_t toByte(float v) {
  v = std::min(1.0f, std::max(0.0f, v));
  return static_cast<uint32_t>(v * 255.0f + 0.5f);
}

Color unpack(uint32_t c) {
  constexpr float k = 1.0f / 255.0f;
  return Color{((c >> 16) & 0xFF) * k, ((c >> 8) & 0xFF) * k, (c & 0xFF) * k, (c >> 24) * k};
}

// Level of detail (log2 of texels per pixel) from the exact screen derivatives of
// u = N / D, where N and D are the barycentric sums of u / w and 1 / w.
float levelOfDetail(const Triangle& t, const StageSetup& stage, int index, float u, float v, float invW) {
  const float* g = t.textureGradients[index];
  const auto& base = stage.texture->level(0);
  const float w = static_cast<float>(base.width) / invW, h = static_cast<float>(base.height) / invW;
  const float ux = (g[0] - u * t.invWGradient[0]) * w, vx = (g[2] - v * t.invWGradient[0]) * h;
  const float uy = (g[1] - u * t.invWGradient[1]) * w, vy = (g[3] - v * t.invWGradient[1]) * h;
  const float rho2 = std::max(ux * ux + vx * vx, uy * uy + vy * vy);
  if (!(rho2 > 0.0f) || !std::isfinite(rho2)) return 0.0f;
  return 0.5f * std::log2(rho2);
}

float blendFactor(DWORD factor, int channel, const Color& src, const Color& dst, bool source) {
  const float s[4] = {src.r, src.g, src.b, src.a};
  const float d[4] = {dst.r, dst.g, dst.b, dst.a};
  switch (factor) {
    case D3DBLEND_ZERO: return 0.0f;
    case D3DBLEND_ONE: return 1.0f;
    case D3DBLEND_SRCCOLOR: return s[channel];
    case D3DBLEND_INVSRCCOLOR: return 1.0f - s[channel];
    case D3DBLEND_SRCALPHA: return src.a;
    case D3DBLEND_INVSRCALPHA: return 1.0f - src.a;
    case D3DBLEND_DESTALPHA: return dst.a;
    case D3DBLEND_INVDESTALPHA: return 1.0f - dst.a;
    case D3DBLEND_DESTCOLOR: return d[channel];
    case D3DBLEND_INVDESTCOLOR: return 1.0f - d[channel];
    case D3DBLEND_SRCALPHASAT: return channel == 3 ? 1.0f : std::min(src.a, 1.0f - dst.a);
    case D3DBLEND_BOTHSRCALPHA: return source ? src.a : 1.0f - src.a;
    case D3DBLEND_BOTHINVSRCALPHA: return source ? 1.0f - src.a : src.a;
    default: return 1.0f;
  }
}

uint8_t stencilOp(DWORD op, uint8_t value, uint8_t reference) {
  switch (op) {
    case D3DSTENCILOP_ZERO: return 0;
    case D3DSTENCILOP_REPLACE: return reference;
    case D3DSTENCILOP_INCRSAT: return value == 255 ? 255 : value + 1;
    case D3DSTENCILOP_DECRSAT: return value == 0 ? 0 : value - 1;
    case D3DSTENCILOP_INVERT: return static_cast<uint8_t>(~value);
    case D3DSTENCILOP_INCR: return static_cast<uint8_t>(value + 1);
    case D3DSTENCILOP_DECR: return static_cast<uint8_t>(value - 1);
    default: return value;
  }
}

}  // namespace

void shadeFragment(const DrawState& s, const RenderTarget& rt, const Fragment& f) {
  const size_t index = static_cast<size_t>(f.y) * rt.width + f.x;
  const bool depthTest = rt.depth && s.zTest;
  uint32_t depth = 0;
  bool depthPass = true;
  if (depthTest) {
    depth = quantizeDepth(f.z, rt.depthBits);
    depthPass = compare(s.zFunc, depth, rt.depth[index]);
    if (!depthPass && !(s.stencil && rt.stencil)) return;
  }

  Color texels[kMaxTextureStages];
  for (int i = 0; i < s.stageCount; ++i) {
    const StageSetup& st = s.stages[i];
    if (!st.texture) {
      texels[i] = Color{1.0f, 1.0f, 1.0f, 1.0f};
      continue;
    }
    const int slot = kVaryingTexture + 4 * i;
    const float q = f.varyings[slot + 3];
    const float invQ = q != 0.0f ? 1.0f / q : 0.0f;
    const float u = f.varyings[slot], v = f.varyings[slot + 1];
    const float lod = st.needsLod && f.triangle ? levelOfDetail(*f.triangle, st, i, u, v, f.invW) : 0.0f;
    texels[i] = sampleTexture(st, u * invQ, v * invQ, lod);
  }
  Color c = combineStages(s, f, texels);
  if (s.specularEnable) {
    c.r = std::min(1.0f, c.r + f.varyings[kVaryingSpecular]);
    c.g = std::min(1.0f, c.g + f.varyings[kVaryingSpecular + 1]);
    c.b = std::min(1.0f, c.b + f.varyings[kVaryingSpecular + 2]);
  }
  if (s.fog) {
    float factor;
    if (s.fogTableMode != D3DFOG_NONE)
      factor = tableFogFactor(s, s.wFog ? 1.0f / f.invW : f.z);
    else
      factor = std::min(1.0f, std::max(0.0f, f.varyings[kVaryingFog]));
    c.r = factor * c.r + (1.0f - factor) * s.fogColor.r;
    c.g = factor * c.g + (1.0f - factor) * s.fogColor.g;
    c.b = factor * c.b + (1.0f - factor) * s.fogColor.b;
  }
  if (s.alphaTest && !compare(s.alphaFunc, toByte(c.a), s.alphaRef)) return;

  if (s.stencil && rt.stencil) {
    uint8_t& stored = rt.stencil[index];
    const uint8_t ref = static_cast<uint8_t>(s.stencilRef);
    const bool pass = compare(s.stencilFunc, static_cast<uint32_t>(ref & s.stencilMask),
                              static_cast<uint32_t>(stored & s.stencilMask));
    const DWORD op = !pass ? s.stencilFail : (!depthPass ? s.stencilZFail : s.stencilPass);
    const uint8_t mask = static_cast<uint8_t>(s.stencilWriteMask);
    stored = static_cast<uint8_t>((stored & ~mask) | (stencilOp(op, stored, ref) & mask));
    if (!pass) return;
  }
  if (!depthPass) return;
  if (depthTest && s.zWrite) rt.depth[index] = depth;

  uint32_t& pixel = rt.color[index];
  if (s.blend) {
    Color dst = unpack(pixel);
    if (!rt.hasAlpha) dst.a = 1.0f;
    const float sc[4] = {c.r, c.g, c.b, c.a};
    const float dc[4] = {dst.r, dst.g, dst.b, dst.a};
    float out[4];
    for (int k = 0; k < 4; ++k) {
      const float a = sc[k] * blendFactor(s.srcBlend, k, c, dst, true);
      const float b = dc[k] * blendFactor(s.destBlend, k, c, dst, false);
      switch (s.blendOp) {
        case D3DBLENDOP_SUBTRACT: out[k] = a - b; break;
        case D3DBLENDOP_REVSUBTRACT: out[k] = b - a; break;
        case D3DBLENDOP_MIN: out[k] = std::min(sc[k], dc[k]); break;
        case D3DBLENDOP_MAX: out[k] = std::max(sc[k], dc[k]); break;
        default: out[k] = a + b; break;
      }
    }
    c = Color{out[0], out[1], out[2], out[3]};
  }
  const uint32_t value = (toByte(c.a) << 24) | (toByte(c.r) << 16) | (toByte(c.g) << 8) | toByte(c.b);
  uint32_t mask = 0;
  if (s.colorWriteMask & D3DCOLORWRITEENABLE_RED) mask |= 0x00FF0000u;
  if (s.colorWriteMask & D3DCOLORWRITEENABLE_GREEN) mask |= 0x0000FF00u;
  if (s.colorWriteMask & D3DCOLORWRITEENABLE_BLUE) mask |= 0x000000FFu;
  if (s.colorWriteMask & D3DCOLORWRITEENABLE_ALPHA) mask |= 0xFF000000u;
  pixel = (pixel & ~mask) | (value & mask);
}

}  // namespace d3d8sw
