// Texel format sizes and their expansion to 8 bits per channel (bit replication, so that
// a full-scale channel stays full scale).
#include "pixel_format.h"

#include <cstring>

namespace d3d8sw {

namespace {

constexpr uint32_t expand4(uint32_t v) { return v * 0x11; }
constexpr uint32_t expand5(uint32_t v) { return (v << 3) | (v >> 2); }
constexpr uint32_t expand6(uint32_t v) { return (v << 2) | (v >> 4); }
constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}
static_assert(expand5(31) == 255 && expand6(63) == 255 && expand4(15) == 255);

uint16_t read16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

}  // namespace

int colorFormatBytes(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8: return 4;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4:
    case D3DFMT_A8L8: return 2;
    case D3DFMT_A8:
    case D3DFMT_L8: return 1;
    default: return 0;
  }
}

bool isDepthFormat(D3DFORMAT format) {
  return format == D3DFMT_D16 || format == D3DFMT_D24S8 || format == D3DFMT_D24X8;
}

void decodeToArgb(D3DFORMAT format, const uint8_t* s, uint32_t* d, int count) {
  for (int i = 0; i < count; ++i) {
    switch (format) {
      case D3DFMT_A8R8G8B8: std::memcpy(&d[i], s + 4 * i, 4); break;
      case D3DFMT_X8R8G8B8: {
        uint32_t v;
        std::memcpy(&v, s + 4 * i, 4);
        d[i] = v | 0xFF000000u;
        break;
      }
      case D3DFMT_R5G6B5: {
        uint32_t v = read16(s + 2 * i);
        d[i] = argb(0xFF, expand5(v >> 11), expand6((v >> 5) & 63), expand5(v & 31));
        break;
      }
      case D3DFMT_X1R5G5B5:
      case D3DFMT_A1R5G5B5: {
        uint32_t v = read16(s + 2 * i);
        uint32_t a = format == D3DFMT_X1R5G5B5 || (v & 0x8000) ? 0xFF : 0;
        d[i] = argb(a, expand5((v >> 10) & 31), expand5((v >> 5) & 31), expand5(v & 31));
        break;
      }
      case D3DFMT_A4R4G4B4:
      case D3DFMT_X4R4G4B4: {
        uint32_t v = read16(s + 2 * i);
        uint32_t a = format == D3DFMT_X4R4G4B4 ? 0xFF : expand4(v >> 12);
        d[i] = argb(a, expand4((v >> 8) & 15), expand4((v >> 4) & 15), expand4(v & 15));
        break;
      }
      case D3DFMT_A8L8: {
        uint32_t v = read16(s + 2 * i);
        uint32_t l = v & 0xFF;
        d[i] = argb(v >> 8, l, l, l);
        break;
      }
      case D3DFMT_A8: d[i] = argb(s[i], 0, 0, 0); break;
      case D3DFMT_L8: d[i] = argb(0xFF, s[i], s[i], s[i]); break;
      default: d[i] = 0; break;
    }
  }
}

}  // namespace d3d8sw
