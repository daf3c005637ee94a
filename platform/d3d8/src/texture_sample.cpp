// Texture sampling: addressing, point and bilinear filters, mip level selection.
// Bilinear weights are 8-bit fixed point and the four texels are blended two channels
// at a time in 32-bit words (each 16-bit lane holds at most 255 * 256).
#include <algorithm>
#include <cmath>

#include "pipeline.h"
#include "resources.h"

namespace d3d8sw {

namespace {

constexpr uint32_t kLanes = 0x00FF00FFu;  // two 8-bit channels in 16-bit lanes

Color unpack(uint32_t c) {
  constexpr float k = 1.0f / 255.0f;
  return Color{((c >> 16) & 0xFF) * k, ((c >> 8) & 0xFF) * k, (c & 0xFF) * k, (c >> 24) * k};
}

inline bool powerOfTwo(int n) { return (n & (n - 1)) == 0; }

// Texel index for `i` on an axis of `size` texels; -1 means the border colour.
inline int address(DWORD mode, int i, int size) {
  switch (mode) {
    case D3DTADDRESS_MIRROR: {
      const int period = 2 * size;
      int m = i % period;
      if (m < 0) m += period;
      return m < size ? m : period - 1 - m;
    }
    case D3DTADDRESS_CLAMP: return std::clamp(i, 0, size - 1);
    case D3DTADDRESS_BORDER: return i < 0 || i >= size ? -1 : i;
    case D3DTADDRESS_MIRRORONCE: return std::min(i < 0 ? -1 - i : i, size - 1);
    default:
      if (powerOfTwo(size)) return i & (size - 1);
      return ((i % size) + size) % size;
  }
}

inline uint32_t fetch(const TextureLevel& level, int x, int y, uint32_t border) {
  if (x < 0 || y < 0) return border;
  return level.argb[static_cast<size_t>(y) * level.width + x];
}

// Keeps coordinates where texel positions fit an int (texture size <= 4096).
inline float safeCoordinate(float v) {
  if (!std::isfinite(v)) return 0.0f;
  return std::clamp(v, -32768.0f, 32768.0f);
}

// floor() for values well inside the int range, without a library call.
inline int floorToInt(float v) {
  const int i = static_cast<int>(v);
  return i - (v < static_cast<float>(i) ? 1 : 0);
}

// Blends four texels with 8-bit weights (wx, wy in 0..256).
inline uint32_t bilinear(uint32_t c00, uint32_t c10, uint32_t c01, uint32_t c11, uint32_t wx, uint32_t wy) {
  const uint32_t w11 = (wx * wy + 128) >> 8, w10 = wx - w11, w01 = wy - w11, w00 = 256 - wx - wy + w11;
  const uint32_t rb = ((c00 & kLanes) * w00 + (c10 & kLanes) * w10 + (c01 & kLanes) * w01 + (c11 & kLanes) * w11) >> 8;
  const uint32_t ag = ((c00 >> 8 & kLanes) * w00 + (c10 >> 8 & kLanes) * w10 + (c01 >> 8 & kLanes) * w01 +
                       (c11 >> 8 & kLanes) * w11) >> 8;
  return (rb & kLanes) | ((ag & kLanes) << 8);
}

// One filtered texel of a level, packed 0xAARRGGBB.
uint32_t sampleLevel(const StageSetup& s, const TextureLevel& level, DWORD filter, float u, float v) {
  const uint32_t border = s.border;
  const float x = u * static_cast<float>(level.width);
  const float y = v * static_cast<float>(level.height);
  if (filter != D3DTEXF_LINEAR && filter != D3DTEXF_ANISOTROPIC) {
    return fetch(level, address(s.addressU, floorToInt(x), level.width),
                 address(s.addressV, floorToInt(y), level.height), border);
  }
  const int x0 = floorToInt(x - 0.5f), y0 = floorToInt(y - 0.5f);
  const uint32_t wx = static_cast<uint32_t>((x - 0.5f - static_cast<float>(x0)) * 256.0f);
  const uint32_t wy = static_cast<uint32_t>((y - 0.5f - static_cast<float>(y0)) * 256.0f);
  if (s.addressU == D3DTADDRESS_WRAP && s.addressV == D3DTADDRESS_WRAP && powerOfTwo(level.width) &&
      powerOfTwo(level.height)) {
    // The common case: repeating power-of-two textures, no border.
    const int mx = level.width - 1, my = level.height - 1;
    const uint32_t* row0 = level.argb.data() + static_cast<size_t>(y0 & my) * level.width;
    const uint32_t* row1 = level.argb.data() + static_cast<size_t>((y0 + 1) & my) * level.width;
    const int ax0 = x0 & mx, ax1 = (x0 + 1) & mx;
    return bilinear(row0[ax0], row0[ax1], row1[ax0], row1[ax1], wx, wy);
  }
  const int ax0 = address(s.addressU, x0, level.width), ax1 = address(s.addressU, x0 + 1, level.width);
  const int ay0 = address(s.addressV, y0, level.height), ay1 = address(s.addressV, y0 + 1, level.height);
  return bilinear(fetch(level, ax0, ay0, border), fetch(level, ax1, ay0, border), fetch(level, ax0, ay1, border),
                  fetch(level, ax1, ay1, border), wx, wy);
}

// a + (b - a) * w / 256 on all four channels.
uint32_t mix(uint32_t a, uint32_t b, uint32_t w) {
  const uint32_t rb = ((a & kLanes) * (256 - w) + (b & kLanes) * w) >> 8;
  const uint32_t ag = ((a >> 8 & kLanes) * (256 - w) + (b >> 8 & kLanes) * w) >> 8;
  return (rb & kLanes) | ((ag & kLanes) << 8);
}

}  // namespace

Color sampleTexture(const StageSetup& s, float u, float v, float lod) {
  const Texture& texture = *s.texture;
  u = safeCoordinate(u);
  v = safeCoordinate(v);
  lod += s.lodBias;
  const int last = texture.levelCount() - 1;
  const int base = std::clamp(s.maxMipLevel, 0, last);
  if (!(lod > 0.0f)) return unpack(sampleLevel(s, texture.level(base), s.magFilter, u, v));
  if (s.mipFilter == D3DTEXF_NONE || last == base) return unpack(sampleLevel(s, texture.level(base), s.minFilter, u, v));
  lod = std::min(lod, static_cast<float>(last - base));
  if (s.mipFilter == D3DTEXF_POINT) {
    const int level = std::min(last, base + floorToInt(lod + 0.5f));
    return unpack(sampleLevel(s, texture.level(level), s.minFilter, u, v));
  }
  const int whole = floorToInt(lod);
  const int l0 = base + whole;
  const int l1 = std::min(last, l0 + 1);
  const uint32_t w = static_cast<uint32_t>((lod - static_cast<float>(whole)) * 256.0f);
  const uint32_t a = sampleLevel(s, texture.level(l0), s.minFilter, u, v);
  if (w == 0 || l1 == l0) return unpack(a);
  return unpack(mix(a, sampleLevel(s, texture.level(l1), s.minFilter, u, v), w));
}

}  // namespace d3d8sw
