// Triangle setup: snapping to fixed point, culling, edge equations with the top-left
// fill rule, bounds, and barycentric gradients.
#include <algorithm>
#include <cmath>

#include "pipeline.h"

namespace d3d8sw {

namespace {

constexpr float kFixedScale = static_cast<float>(1 << kSubPixelBits);

bool usable(const ScreenVertex& v) {
  return std::fabs(v.x) < kMaxScreenCoordinate && std::fabs(v.y) < kMaxScreenCoordinate &&
         std::isfinite(v.z) && std::isfinite(v.invW);
}

int64_t snap(float v) { return static_cast<int64_t>(std::lround(v * kFixedScale)); }

int64_t floorToPixel(int64_t fixed) { return fixed >> kSubPixelBits; }
int64_t ceilToPixel(int64_t fixed) { return -((-fixed) >> kSubPixelBits); }

}  // namespace

bool setupTriangle(const DrawState& state, const RenderTarget& target, const ScreenVertex& v0,
                   const ScreenVertex& v1, const ScreenVertex& v2, Triangle* t) {
  if (!usable(v0) || !usable(v1) || !usable(v2)) return false;
  const ScreenVertex* v[3] = {&v0, &v1, &v2};
  int64_t x[3], y[3];
  for (int i = 0; i < 3; ++i) {
    x[i] = snap(v[i]->x);
    y[i] = snap(v[i]->y);
  }
  // Positive area: clockwise on screen (y grows downwards).
  const int64_t area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
  if (area == 0) return false;
  if (state.cullMode == D3DCULL_CCW && area < 0) return false;
  if (state.cullMode == D3DCULL_CW && area > 0) return false;
  if (area < 0) {
    std::swap(v[1], v[2]);
    std::swap(x[1], x[2]);
    std::swap(y[1], y[2]);
  }
  const int64_t absArea = area < 0 ? -area : area;

  const int64_t minX = std::max<int64_t>(target.clipLeft, ceilToPixel(std::min({x[0], x[1], x[2]})));
  const int64_t maxX = std::min<int64_t>(target.clipRight - 1, floorToPixel(std::max({x[0], x[1], x[2]})));
  const int64_t minY = std::max<int64_t>(target.clipTop, ceilToPixel(std::min({y[0], y[1], y[2]})));
  const int64_t maxY = std::min<int64_t>(target.clipBottom - 1, floorToPixel(std::max({y[0], y[1], y[2]})));
  if (minX > maxX || minY > maxY) return false;
  t->minX = static_cast<int>(minX);
  t->maxX = static_cast<int>(maxX);
  t->minY = static_cast<int>(minY);
  t->maxY = static_cast<int>(maxY);

  // Edge i runs from vertex i+1 to vertex i+2 and weighs vertex i.
  t->invArea = 1.0f / static_cast<float>(absArea);
  for (int i = 0; i < 3; ++i) {
    const int a = (i + 1) % 3, b = (i + 2) % 3;
    const int64_t dx = x[b] - x[a], dy = y[b] - y[a];
    // E(P) = dx * (Py - ya) - dy * (Px - xa) with P = pixel << kSubPixelBits.
    t->edgeA[i] = -dy * (1 << kSubPixelBits);
    t->edgeB[i] = dx * (1 << kSubPixelBits);
    t->edgeC[i] = -dx * y[a] + dy * x[a];
    const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    t->bias[i] = topLeft ? 0 : -1;
    t->dbdx[i] = static_cast<float>(t->edgeA[i]) * t->invArea;
    t->dbdy[i] = static_cast<float>(t->edgeB[i]) * t->invArea;
  }

  const bool flat = state.shadeMode == D3DSHADE_FLAT;
  for (int i = 0; i < 3; ++i) {
    t->z[i] = v[i]->z;
    t->invW[i] = v[i]->invW;
    for (int k = 0; k < state.varyingCount; ++k) {
      // Flat shading takes both colours from the first vertex of the primitive.
      const bool fromFirst = flat && k < kVaryingFog;
      t->varyings[i][k] = (fromFirst ? v0.varyings[k] : v[i]->varyings[k]) * v[i]->invW;
    }
  }
  t->invWGradient[0] = t->dbdx[0] * t->invW[0] + t->dbdx[1] * t->invW[1] + t->dbdx[2] * t->invW[2];
  t->invWGradient[1] = t->dbdy[0] * t->invW[0] + t->dbdy[1] * t->invW[1] + t->dbdy[2] * t->invW[2];
  for (int s = 0; s < state.stageCount; ++s) {
    if (!state.stages[s].needsLod) continue;
    const int slot = kVaryingTexture + 4 * s;
    float* g = t->textureGradients[s];
    g[0] = g[1] = g[2] = g[3] = 0.0f;
    for (int i = 0; i < 3; ++i) {
      g[0] += t->dbdx[i] * t->varyings[i][slot];
      g[1] += t->dbdy[i] * t->varyings[i][slot];
      g[2] += t->dbdx[i] * t->varyings[i][slot + 1];
      g[3] += t->dbdy[i] * t->varyings[i][slot + 1];
    }
  }
  return true;
}

}  // namespace d3d8sw
