// Clipping in homogeneous space against near (z = 0), far (z = w) and a guard band on
// x and y, then projection to the viewport. Geometry is always clipped, whatever
// D3DRS_CLIPPING says, so no coordinate can leave the rasteriser's fixed-point range.
#include <utility>

#include "pipeline.h"

namespace d3d8sw {

namespace {

constexpr int kPlaneCount = 6;

// Signed distance to plane k; inside when >= 0.
float planeDistance(const ClipVertex& v, int k) {
  const float* p = v.position;
  switch (k) {
    case 0: return p[2];
    case 1: return p[3] - p[2];
    case 2: return kGuardBand * p[3] + p[0];
    case 3: return kGuardBand * p[3] - p[0];
    case 4: return kGuardBand * p[3] + p[1];
    default: return kGuardBand * p[3] - p[1];
  }
}

void lerpVertex(const ClipVertex& a, const ClipVertex& b, float t, int varyingCount, ClipVertex* out) {
  for (int i = 0; i < 4; ++i) out->position[i] = a.position[i] + t * (b.position[i] - a.position[i]);
  for (int i = 0; i < varyingCount; ++i)
    out->varyings[i] = a.varyings[i] + t * (b.varyings[i] - a.varyings[i]);
}

}  // namespace

bool insideViewVolume(const ClipVertex& v) {
  for (int k = 0; k < kPlaneCount; ++k)
    if (!(planeDistance(v, k) >= 0.0f)) return false;
  return v.position[3] > 0.0f;
}

int clipPolygon(const DrawState& state, ClipVertex* polygon, int count, ClipVertex* scratch) {
  ClipVertex* in = polygon;
  ClipVertex* out = scratch;
  for (int k = 0; k < kPlaneCount && count > 0; ++k) {
    int produced = 0;
    for (int i = 0; i < count; ++i) {
      const ClipVertex& a = in[i];
      const ClipVertex& b = in[(i + 1) % count];
      const float da = planeDistance(a, k);
      const float db = planeDistance(b, k);
      if (da >= 0.0f) out[produced++] = a;
      if ((da >= 0.0f) != (db >= 0.0f)) lerpVertex(a, b, da / (da - db), state.varyingCount, &out[produced++]);
    }
    count = produced;
    std::swap(in, out);
  }
  if (in != polygon)
    for (int i = 0; i < count; ++i) polygon[i] = in[i];
  return count;
}

bool clipSegment(const DrawState& state, ClipVertex& a, ClipVertex& b) {
  for (int k = 0; k < kPlaneCount; ++k) {
    const float da = planeDistance(a, k);
    const float db = planeDistance(b, k);
    if (da < 0.0f && db < 0.0f) return false;
    if (da < 0.0f) {
      ClipVertex c;
      lerpVertex(a, b, da / (da - db), state.varyingCount, &c);
      a = c;
    } else if (db < 0.0f) {
      ClipVertex c;
      lerpVertex(a, b, da / (da - db), state.varyingCount, &c);
      b = c;
    }
  }
  return a.position[3] > 0.0f && b.position[3] > 0.0f;
}

void projectVertex(const DrawState& state, const ClipVertex& in, ScreenVertex* out) {
  const D3DVIEWPORT8& vp = state.viewport;
  const float invW = 1.0f / in.position[3];
  out->x = static_cast<float>(vp.X) + (1.0f + in.position[0] * invW) * 0.5f * static_cast<float>(vp.Width);
  out->y = static_cast<float>(vp.Y) + (1.0f - in.position[1] * invW) * 0.5f * static_cast<float>(vp.Height);
  out->z = vp.MinZ + in.position[2] * invW * (vp.MaxZ - vp.MinZ);
  out->invW = invW;
  for (int i = 0; i < state.varyingCount; ++i) out->varyings[i] = in.varyings[i];
}

}  // namespace d3d8sw
