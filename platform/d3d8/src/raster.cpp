// The optimised rasteriser: per row, the covered span is solved exactly from the edge
// equations, then barycentrics, depth and varyings are computed for the whole span in
// loops the compiler vectorises, and each pixel is shaded in primitive order. Rows are
// dealt out to threads in bands; every pixel gets the same arithmetic as in the
// reference rasteriser, so results do not depend on the number of threads.
#include <algorithm>
#include <cmath>

#include "pipeline.h"

namespace d3d8sw {

namespace {

int64_t floorDiv(int64_t a, int64_t b) {  // b > 0
  int64_t q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

// The covered pixels [first, last] of row y; false when none.
bool rowSpan(const Triangle& t, int y, int* first, int* last) {
  int64_t lo = t.minX, hi = t.maxX;
  for (int i = 0; i < 3; ++i) {
    // Covered when a * x + k >= 0, with k = b * y + c + bias.
    const int64_t a = t.edgeA[i];
    const int64_t k = t.edgeB[i] * y + t.edgeC[i] + t.bias[i];
    if (a > 0) {
      lo = std::max(lo, -floorDiv(k, a));  // x >= ceil(-k / a)
    } else if (a < 0) {
      hi = std::min(hi, floorDiv(k, -a));  // x <= floor(k / -a)
    } else if (k < 0) {
      return false;
    }
  }
  if (lo > hi) return false;
  *first = static_cast<int>(lo);
  *last = static_cast<int>(hi);
  return true;
}

void shadeSpan(const DrawState& state, const RenderTarget& target, const Triangle& t, int y, int x0,
               int n, float* scratch) {
  float* b0 = scratch;
  float* b1 = b0 + target.width;
  float* b2 = b1 + target.width;
  float* z = b2 + target.width;
  float* invW = z + target.width;
  float* varyings = invW + target.width;
  const int count = state.varyingCount;

  int64_t e[3];
  for (int i = 0; i < 3; ++i) e[i] = t.edgeA[i] * x0 + t.edgeB[i] * y + t.edgeC[i];
  for (int j = 0; j < n; ++j) {
    b0[j] = static_cast<float>(e[0] + t.edgeA[0] * j) * t.invArea;
    b1[j] = static_cast<float>(e[1] + t.edgeA[1] * j) * t.invArea;
    b2[j] = static_cast<float>(e[2] + t.edgeA[2] * j) * t.invArea;
  }
  for (int j = 0; j < n; ++j) {
    z[j] = b0[j] * t.z[0] + b1[j] * t.z[1] + b2[j] * t.z[2];
    invW[j] = b0[j] * t.invW[0] + b1[j] * t.invW[1] + b2[j] * t.invW[2];
  }
  for (int j = 0; j < n; ++j) {
    const float w = 1.0f / invW[j];
    float* out = varyings + static_cast<size_t>(j) * kMaxVaryings;
    for (int k = 0; k < count; ++k)
      out[k] = (b0[j] * t.varyings[0][k] + b1[j] * t.varyings[1][k] + b2[j] * t.varyings[2][k]) * w;
  }
  for (int j = 0; j < n; ++j) {
    const Fragment f{x0 + j, y, z[j], invW[j], varyings + static_cast<size_t>(j) * kMaxVaryings, &t};
    shadeFragment(state, target, f);
  }
}

}  // namespace

void rasterTriangles(const DrawState& state, const RenderTarget& target, const Triangle* triangles,
                     size_t count, int band, int bandCount, float* scratch) {
  for (size_t i = 0; i < count; ++i) {
    const Triangle& t = triangles[i];
    int y = t.minY;
    if (bandCount > 1) {
      // First row at or after minY whose band belongs to this thread.
      const int bandIndex = y / kBandRows;
      const int offset = ((band - bandIndex) % bandCount + bandCount) % bandCount;
      if (offset != 0) y = (bandIndex + offset) * kBandRows;
    }
    while (y <= t.maxY) {
      const int bandEnd = std::min(t.maxY, (y / kBandRows + 1) * kBandRows - 1);
      for (; y <= bandEnd; ++y) {
        int first, last;
        if (rowSpan(t, y, &first, &last)) shadeSpan(state, target, t, y, first, last - first + 1, scratch);
      }
      y += (bandCount - 1) * kBandRows;
    }
  }
}

namespace {

void lineFragment(const DrawState& state, const RenderTarget& target, const ScreenVertex& a,
                  const ScreenVertex& b, float t, int x, int y) {
  if (x < target.clipLeft || x >= target.clipRight || y < target.clipTop || y >= target.clipBottom) return;
  float varyings[kMaxVaryings];
  const float invW = a.invW + t * (b.invW - a.invW);
  const float w = 1.0f / invW;
  for (int k = 0; k < state.varyingCount; ++k) {
    const float pa = a.varyings[k] * a.invW, pb = b.varyings[k] * b.invW;
    varyings[k] = (pa + t * (pb - pa)) * w;
  }
  if (state.shadeMode == D3DSHADE_FLAT)
    for (int k = 0; k < kVaryingFog; ++k) varyings[k] = a.varyings[k];
  const Fragment f{x, y, a.z + t * (b.z - a.z), invW, varyings, nullptr};
  shadeFragment(state, target, f);
}

bool usablePoint(const ScreenVertex& v) {
  return std::fabs(v.x) < kMaxScreenCoordinate && std::fabs(v.y) < kMaxScreenCoordinate &&
         std::isfinite(v.z) && std::isfinite(v.invW) && v.invW != 0.0f;
}

}  // namespace

void rasterLine(const DrawState& state, const RenderTarget& target, const ScreenVertex& a,
                const ScreenVertex& b, bool lastPixel) {
  if (!usablePoint(a) || !usablePoint(b)) return;
  const float dx = b.x - a.x, dy = b.y - a.y;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const float start = xMajor ? a.x : a.y, end = xMajor ? b.x : b.y;
  const float delta = xMajor ? dx : dy;
  const int first = static_cast<int>(std::floor(start + 0.5f));
  int last = static_cast<int>(std::floor(end + 0.5f));
  const int step = last >= first ? 1 : -1;
  if (!lastPixel) {
    if (last == first) return;
    last -= step;
  }
  for (int i = first;; i += step) {
    const float t = delta != 0.0f ? std::clamp((static_cast<float>(i) - start) / delta, 0.0f, 1.0f) : 0.0f;
    const float minor = xMajor ? a.y + t * dy : a.x + t * dx;
    const int m = static_cast<int>(std::floor(minor + 0.5f));
    lineFragment(state, target, a, b, t, xMajor ? i : m, xMajor ? m : i);
    if (i == last) break;
  }
}

void rasterPoint(const DrawState& state, const RenderTarget& target, const ScreenVertex& v) {
  if (!usablePoint(v)) return;
  const float size = std::max(1.0f, state.pointSize);
  const int x0 = static_cast<int>(std::ceil(v.x - 0.5f * size));
  const int y0 = static_cast<int>(std::ceil(v.y - 0.5f * size));
  const int n = static_cast<int>(size + 0.5f);
  for (int y = std::max(y0, target.clipTop); y < std::min(y0 + n, target.clipBottom); ++y)
    for (int x = std::max(x0, target.clipLeft); x < std::min(x0 + n, target.clipRight); ++x) {
      const Fragment f{x, y, v.z, v.invW, v.varyings, nullptr};
      shadeFragment(state, target, f);
    }
}

}  // namespace d3d8sw
