// Texture sampling: addressing, point and bilinear filters, mip level selection.
#include <algorithm>
#include <cmath>

#include "pipeline.h"
#include "resources.h"

namespace d3d8sw {

namespace {

Color unpack(uint32_t c) {
  constexpr float k = 1.0f / 255.0f;
  return Color{((c >> 16) & 0xFF) * k, ((c >> 8) & 0xFF) * k, (c & 0xFF) * k, (c >> 24) * k};
}

// Texel index for `i` on an axis of `size` texels; -1 means the border colour.
int address(DWORD mode, int i, int size) {
  switch (mode) {
    case D3DTADDRESS_MIRROR: {
      const int period = 2 * size;
      int m = i % period;
      if (m < 0) m += period;
      return m < size ? m : period - 1 - m;
    }
    case D3DTADDRESS_CLAMP: return std::clamp(i, 0, size - 1);
    case D3DTADDRESS_BORDER: return i < 0 || i >= size ? -1 : i;
    case D3DTADDRESS_MIRRORONCE: {
      const int m = i < 0 ? -1 - i : i;
      return std::min(m, size - 1);
    }
    default: {
      const int m = i % size;
      return m < 0 ? m + size : m;
    }
  }
}

Color texel(const StageSetup& s, const TextureLevel& level, int x, int y) {
  x = address(s.addressU, x, level.width);
  y = address(s.addressV, y, level.height);
  if (x < 0 || y < 0) return s.border;
  return unpack(level.argb[static_cast<size_t>(y) * level.width + x]);
}

// Keeps coordinates where float to int conversion is defined.
float safeCoordinate(float v) {
  if (!std::isfinite(v)) return 0.0f;
  return std::clamp(v, -1.0e6f, 1.0e6f);
}

Color sampleLevel(const StageSetup& s, const TextureLevel& level, DWORD filter, float u, float v) {
  const float x = u * static_cast<float>(level.width);
  const float y = v * static_cast<float>(level.height);
  if (filter != D3DTEXF_LINEAR && filter != D3DTEXF_ANISOTROPIC)
    return texel(s, level, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  const float fx = x - 0.5f, fy = y - 0.5f;
  const float x0f = std::floor(fx), y0f = std::floor(fy);
  const float ax = fx - x0f, ay = fy - y0f;
  const int x0 = static_cast<int>(x0f), y0 = static_cast<int>(y0f);
  const Color c00 = texel(s, level, x0, y0), c10 = texel(s, level, x0 + 1, y0);
  const Color c01 = texel(s, level, x0, y0 + 1), c11 = texel(s, level, x0 + 1, y0 + 1);
  auto mix = [&](float a, float b, float c, float d) {
    const float top = a + ax * (b - a);
    const float bottom = c + ax * (d - c);
    return top + ay * (bottom - top);
  };
  return Color{mix(c00.r, c10.r, c01.r, c11.r), mix(c00.g, c10.g, c01.g, c11.g),
               mix(c00.b, c10.b, c01.b, c11.b), mix(c00.a, c10.a, c01.a, c11.a)};
}

}  // namespace

Color sampleTexture(const StageSetup& s, float u, float v, float lod) {
  const Texture& texture = *s.texture;
  u = safeCoordinate(u);
  v = safeCoordinate(v);
  lod += s.lodBias;
  const int last = texture.levelCount() - 1;
  const int base = std::clamp(s.maxMipLevel, 0, last);
  if (!(lod > 0.0f)) return sampleLevel(s, texture.level(base), s.magFilter, u, v);
  if (s.mipFilter == D3DTEXF_NONE || last == base)
    return sampleLevel(s, texture.level(base), s.minFilter, u, v);
  lod = std::min(lod, static_cast<float>(last - base));
  if (s.mipFilter == D3DTEXF_POINT) {
    const int level = std::min(last, base + static_cast<int>(std::floor(lod + 0.5f)));
    return sampleLevel(s, texture.level(level), s.minFilter, u, v);
  }
  const int l0 = base + static_cast<int>(std::floor(lod));
  const int l1 = std::min(last, l0 + 1);
  const float f = lod - std::floor(lod);
  const Color a = sampleLevel(s, texture.level(l0), s.minFilter, u, v);
  if (f == 0.0f || l1 == l0) return a;
  const Color b = sampleLevel(s, texture.level(l1), s.minFilter, u, v);
  return Color{a.r + f * (b.r - a.r), a.g + f * (b.g - a.g), a.b + f * (b.b - a.b), a.a + f * (b.a - a.a)};
}

}  // namespace d3d8sw
